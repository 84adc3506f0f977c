// The page's controls and their events, over the core (core.js): the layout
// from the window's design table, the drawing area's pointer events with
// capture, the boxes and the range control, and one redraw per change.
"use strict";
var Page = (function () {
  var $ = function (id) { return document.getElementById(id); };
  var core = null, M = null;
  var canvas = $("Picture1");
  var listeners = [];
  var boxes = ["Check1_0", "Check1_1", "Check1_2", "Check1_3", "Check2_0", "Check2_1"];

  function bind(m) {
    M = m;
    var f = function (name, ret, args) { return m.cwrap(name, ret, args); };
    var s = function (name, args) { return f(name, "string", args || []); };
    return {
      down: f("bl_pointer_down", null, ["number", "number"]),
      move: f("bl_pointer_move", null, ["number", "number"]),
      up: f("bl_pointer_up", null, []),
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
      reset: f("bl_reset", null, []),
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
      layout: s("bl_layout"),
      plot: f("bl_plot", "string", ["number", "number"]),
    };
  }

  // Places the controls where the design table puts them, with their texts.
  function place() {
    var layout = JSON.parse(core.layout());
    var w = $("window");
    w.style.width = layout.client[0] + "px";
    w.style.height = layout.client[1] + "px";
    $("caption").style.width = layout.client[0] + "px";
    canvas.style.width = canvas.style.height = layout.area + "px";
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
    $("save").textContent = PageTexts.save;
    $("open").textContent = PageTexts.open;
  }

  function showCaption() {
    var text = core.caption();
    $("captionText").textContent = text;
    document.title = text;
  }

  // Shows what the latest redraw made: the picture, the report, Label2, the
  // controls' values, the description; then the link, unless `quiet` (the
  // start, whose address stays as it was given).
  function show(dragging, quiet) {
    var start = core.calls() / 8, size = core.callsSize();
    Replay.draw(canvas, M.HEAPF64.subarray(start, start + size));
    $("Label1").textContent = core.report().replace(/\r\n/g, "\n");
    $("Label2").textContent = core.distanceText();
    var v = core.controls().split(" ").map(Number);
    boxes.forEach(function (id, i) { $(id).checked = v[1 + i] === 1; });
    $("HScroll1").value = String(v[7]);
    canvas.setAttribute("aria-description", core.description());
    showCaption();
    if (!quiet) Link.changed(core, dragging);
    listeners.forEach(function (f) { f(dragging); });
  }

  // The position in the drawing area's pixels, fractions kept.
  function at(e) {
    var r = canvas.getBoundingClientRect();
    return [e.clientX - r.left, e.clientY - r.top];
  }

  function pointerEvents() {
    canvas.addEventListener("pointerdown", function (e) {
      if (e.button !== 0) return;
      canvas.setPointerCapture(e.pointerId);
      canvas.focus({ preventScroll: true });
      var p = at(e);
      core.down(p[0], p[1]);
      show(true);
      e.preventDefault();
    });
    canvas.addEventListener("pointermove", function (e) {
      var p = at(e);
      // Without a button, only moves over the area reach the handler.
      var size = canvas.clientWidth;
      if (!core.held() && (p[0] < 0 || p[1] < 0 || p[0] >= size || p[1] >= size)) return;
      core.move(p[0], p[1]);
      show(core.held() === 1);
    });
    var up = function (e) {
      if (!core.held()) return;
      if (canvas.hasPointerCapture(e.pointerId)) canvas.releasePointerCapture(e.pointerId);
      core.up();
      show(false);
    };
    canvas.addEventListener("pointerup", up);
    canvas.addEventListener("pointercancel", up);
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
    // HScroll1's keys: Right, Down, PageDown add one; Left, Up, PageUp take
    // one away; Home and End go to the ends.
    range.addEventListener("keydown", function (e) {
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      var v = Number(range.value), to = null;
      if (["ArrowRight", "ArrowDown", "PageDown"].indexOf(e.key) >= 0) to = Math.min(50, v + 1);
      if (["ArrowLeft", "ArrowUp", "PageUp"].indexOf(e.key) >= 0) to = Math.max(0, v - 1);
      if (e.key === "Home") to = 0;
      if (e.key === "End") to = 50;
      if (to === null) return;
      e.preventDefault();
      if (to !== v) { core.distance(to); show(false); }
    });
  }

  function message(text) {
    var m = $("message");
    m.textContent = text;
    m.hidden = text === "";
  }

  function start(m) {
    core = bind(m);
    place();
    pointerEvents();
    controlEvents();
    var follow = function () {
      var problem = Link.read(core);
      message(problem === "" ? "" : PageTexts.linkRefused + ": " + problem);
      show(false, true);
    };
    follow();
    // A link typed or pasted into the address bar while the page is open.
    window.addEventListener("hashchange", follow);
    // The area has the focus at start, without the mark that Tab brings.
    canvas.focus({ preventScroll: true, focusVisible: false });
    document.body.setAttribute("data-ready", "1");
  }

  BezierlabCore().then(start);
  return {
    core: function () { return core; },
    show: show,
    onShow: function (f) { listeners.push(f); },
    message: message,
    canvas: canvas,
  };
})();
