// The page's controls and their events, over the core (core.js): the layout
// from the window's design table, the boxes and the range control, one
// redraw per change, and the language of every text, which the core keeps
// and translates. The drawing area's pointer is pointer.js's.
"use strict";
var Page = (function () {
  var $ = function (id) { return document.getElementById(id); };
  var core = null, M = null, texts = null;
  var canvas = $("Picture1");
  var listeners = [], textListeners = [], refusal = null, layout = null;
  var boxes = ["Check1_0", "Check1_1", "Check1_2", "Check1_3", "Check2_0", "Check2_1"];

  function bind(m) {
    M = m;
    var f = function (name, ret, args) { return m.cwrap(name, ret, args); };
    var s = function (name, args) { return f(name, "string", args || []); };
    return {
      down: f("bl_pointer_down", null, ["number", "number"]),
      move: f("bl_pointer_move", null, ["number", "number"]),
      up: f("bl_pointer_up", null, []),
      upHeld: f("bl_pointer_up_held", null, []),
      touchReaches: f("bl_touch_reaches", "number", ["number", "number", "number"]),
      touchDown: f("bl_touch_down", "number", ["number", "number", "number"]),
      touchMove: f("bl_touch_move", null, ["number", "number"]),
      touchUp: f("bl_touch_up", null, ["number", "number"]),
      touchCancel: f("bl_touch_cancel", null, []),
      thumb: f("bl_thumb", null, ["number"]),
      held: f("bl_button_held", "number", []),
      pick: f("bl_pick", null, ["number"]),
      movePoint: f("bl_move_point", null, ["number", "number"]),
      release: f("bl_release", null, []),
      division: f("bl_division", null, ["number", "number"]),
      approximate: f("bl_approximate", null, ["number"]),
      accurate: f("bl_accurate", null, ["number"]),
      distance: f("bl_distance", null, ["number"]),
      undo: f("bl_undo", null, []),
      redo: f("bl_redo", null, []),
      reset: f("bl_reset", null, []), can: s("bl_can"),
      calls: f("bl_calls", "number", []),
      callsSize: f("bl_calls_size", "number", []),
      controls: s("bl_controls"),
      report: s("bl_report"),
      caption: s("bl_caption"),
      distanceText: s("bl_distance_text"),
      description: s("bl_description"),
      lengthTip: s("bl_length_tip"),
      deviationTip: s("bl_deviation_tip"),
      fragment: s("bl_fragment"),
      takeFragment: s("bl_take_fragment", ["string"]),
      stateFile: s("bl_state_file"),
      stateLine: s("bl_state_line"),
      takeText: s("bl_take_text", ["string"]),
      takeFile: (function () {
        var room = f("bl_file_bytes", "number", ["number"]);
        var take = s("bl_take_file", ["string", "number"]);
        // The file's bytes as they are (a Uint8Array), copied into the core.
        return function (name, size, bytes) {
          M.HEAPU8.set(bytes, room(bytes.length));
          return take(name, size);
        };
      })(),
      largestStateText: f("bl_largest_state_text", "number", []),
      layout: s("bl_layout"),
      plot: f("bl_plot", "string", ["number", "number", "number"]),
      plotSize: s("bl_plot_size"),
      followBrowser: f("bl_follow_browser", null, ["string"]),
      chooseLanguage: f("bl_choose_language", null, ["string"]),
      texts: s("bl_texts"),
      linkProblem: s("bl_link_problem", ["string"]),
    };
  }

  // Places the controls where the design table puts them, with their texts.
  function place() {
    layout = JSON.parse(core.layout());
    var w = $("window");
    w.style.width = layout.client[0] + "px";
    w.style.height = layout.client[1] + "px";
    $("caption").style.width = layout.client[0] + "px";
    canvas.style.width = canvas.style.height = layout.area + "px";
    Replay.area(canvas, layout);
    $("HScroll1").min = String(layout.distance[0]);
    $("HScroll1").max = String(layout.distance[1]);
    $("frame").style.borderWidth = layout.border + "px";
    layout.controls.forEach(function (c) {
      var el = c.id === "Picture1" ? $("frame") : (c.box ? $("box" + c.id.slice(5)) : $(c.id));
      el.style.left = c.left + "px";
      el.style.top = c.top + "px";
      el.style.width = c.width + "px";
      el.style.height = c.height + "px";
      if (c.caption) el.querySelector("span").textContent = c.caption;
    });
    canvas.setAttribute("aria-label", layout.texts.pictureName);
    $("HScroll1").setAttribute("aria-label", layout.texts.distanceName);
    $("Label1").setAttribute("aria-label", layout.texts.reportName);
  }

  // Writes every text the page holds in the core's language: the layout's,
  // the buttons, the switch (which shows the language in use), the message,
  // and those that the other scripts keep (the help). The caption, the
  // report and the rest come with the next show().
  function retext() {
    texts = JSON.parse(core.texts());
    document.documentElement.lang = texts.lang;
    place();
    $("save").textContent = texts.save;
    $("open").textContent = texts.open;
    $("language").setAttribute("aria-label", texts.languageName);
    ["ja", "en"].forEach(function (name) {
      $("lang_" + name).setAttribute("aria-pressed", String(name === texts.lang));
    });
    if (refusal) showRefusal(refusal.again());
    textListeners.forEach(function (f) { f(); });
  }

  // The browser's languages, most wanted first, as the core takes them.
  function browserLanguages() {
    var list = navigator.languages && navigator.languages.length ? navigator.languages
      : (navigator.language ? [navigator.language] : []);
    return Array.prototype.join.call(list, ",");
  }

  // The latest redraw's picture on the canvas, at its size and ratio now.
  function repaint() {
    var start = core.calls() / 8, size = core.callsSize();
    Replay.draw(canvas, M.HEAPF64.subarray(start, start + size));
  }

  // Writes `text` into `element` where it differs: an unchanged text is not
  // laid out again.
  function write(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  // The caption bar follows every move; the browser's title, a trip to the
  // browser each time it changes (4 ms a move on a slow phone), follows a
  // drag at the link's rate and takes the last caption when the drag ends.
  var title = "", titleTimer = null;
  function showTitle() {
    clearTimeout(titleTimer);
    titleTimer = null;
    if (document.title !== title) document.title = title;
  }
  function showCaption(dragging) {
    title = core.caption();
    write($("captionText"), title);
    if (!dragging) showTitle();
    else if (titleTimer === null) titleTimer = setTimeout(showTitle, Link.INTERVAL);
  }

  // Shows what the latest redraw made: the picture, the report, Label2, the
  // controls' values, the description; then the link, unless `quiet` (the
  // start, whose address stays as it was given).
  function show(dragging, quiet) {
    repaint();
    write($("Label1"), core.report().replace(/\r\n/g, "\n"));
    write($("Label2"), core.distanceText());
    var v = core.controls().split(" ").map(Number);
    boxes.forEach(function (id, i) {
      if ($(id).checked !== (v[1 + i] === 1)) $(id).checked = v[1 + i] === 1;
    });
    if ($("HScroll1").value !== String(v[7])) $("HScroll1").value = String(v[7]);
    // A screen reader hears the description when a drag ends, not per move.
    if (!dragging) canvas.setAttribute("aria-description", core.description());
    showCaption(dragging);
    if (!quiet) Link.changed(core, dragging);
    listeners.forEach(function (f) { f(dragging); });
  }

  function controlEvents() {
    boxes.forEach(function (id, i) {
      $(id).addEventListener("change", function () {
        var on = $(id).checked ? 1 : 0;
        if (i < 4) core.division(i, on); else if (i === 4) core.approximate(on); else core.accurate(on);
        show(false);
      });
    });
    var range = $("HScroll1");
    range.addEventListener("input", function () {
      core.distance(Number(range.value));
      show(false);
    });
    // A press on the range control holds its thumb until the pointer goes
    // up, wherever that is: the core makes one step of the whole drag.
    var thumb = null;
    range.addEventListener("pointerdown", function (e) {
      thumb = e.pointerId;
      core.thumb(1);
    });
    var letGo = function (e) {
      if (thumb === null || e.pointerId !== thumb) return;
      thumb = null;
      core.thumb(0);
    };
    window.addEventListener("pointerup", letGo, true);
    window.addEventListener("pointercancel", letGo, true);
    // HScroll1's keys: Right, Down, PageDown add one; Left, Up, PageUp take
    // one away; Home and End go to the ends.
    range.addEventListener("keydown", function (e) {
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      var v = Number(range.value), to = null;
      var low = Number(range.min), high = Number(range.max);
      if (["ArrowRight", "ArrowDown", "PageDown"].indexOf(e.key) >= 0) to = Math.min(high, v + 1);
      if (["ArrowLeft", "ArrowUp", "PageUp"].indexOf(e.key) >= 0) to = Math.max(low, v - 1);
      if (e.key === "Home") to = low;
      if (e.key === "End") to = high;
      if (to === null) return;
      e.preventDefault();
      if (to !== v) { core.distance(to); show(false); }
    });
  }

  function languageEvents() {
    ["ja", "en"].forEach(function (name) {
      $("lang_" + name).addEventListener("click", function () {
        core.chooseLanguage(name);
        retext();
        show(false);
      });
    });
  }

  // A refusal's message: `title` (a key of the page's texts) says what was
  // refused, `problem` why, "" for none; `again` gives the problem anew, in
  // the language of a later switch.
  function refuse(title, problem, again) {
    refusal = problem === "" ? null : { title: title, again: again };
    showRefusal(problem);
  }
  function showRefusal(problem) {
    var m = $("message");
    m.textContent = refusal ? texts[refusal.title] + ": " + problem : "";
    m.hidden = !refusal;
  }

  function start(m) {
    core = bind(m);
    core.followBrowser(browserLanguages());
    controlEvents();
    languageEvents();
    var follow = function () {
      var fragment = Link.given();
      var problem = fragment === "" ? "" : core.takeFragment(fragment);
      refusal = null;  // the link's message, or none, replaces any other
      retext();
      refuse("linkRefused", problem, function () { return core.linkProblem(fragment); });
      show(false, true);
    };
    follow();
    // A link typed or pasted into the address bar while the page is open.
    window.addEventListener("hashchange", follow);
    // The browser's languages changed in its settings.
    window.addEventListener("languagechange", function () {
      core.followBrowser(browserLanguages());
      retext();
      show(false, true);
    });
    // The area has the focus at start, without the mark that Tab brings.
    canvas.focus({ preventScroll: true, focusVisible: false });
    document.body.setAttribute("data-ready", "1");
  }

  // The core's WebAssembly, carried packed in core-wasm.js (a page opened
  // from disk may not fetch a .wasm file).
  BezierlabWasm()
    .then(function (bytes) { return BezierlabCore({ wasmBinary: bytes }); })
    .then(start);
  return {
    core: function () { return core; }, module: function () { return M; },
    show: show,
    repaint: repaint,
    layout: function () { return layout; },
    onShow: function (f) { listeners.push(f); },
    onText: function (f) { textListeners.push(f); },
    texts: function () { return texts; },
    refuse: refuse,
    canvas: canvas,
  };
})();
