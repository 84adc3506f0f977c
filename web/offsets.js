// F3 and the button showOffsets: the offset view, the study of the state
// shown (the curve drawn again with the true offset curve's cusps and the
// yellow curve's worst point ringed, and the study's text), made by the core.
// The study runs only while the view is open, once per change and at most
// once per interval while a point is dragged: in a worker of its own
// (offsets-worker.js) on a page served over http(s), else on the main thread
// between two frames, so that a drag's own redraws come first. On the view,
// data-studies counts the studies shown and data-where says where they ran.
"use strict";
(function () {
  var $ = function (id) { return document.getElementById(id); };
  // The plot's fonts, which the worker measures its texts in too.
  var FAMILY = getComputedStyle(document.body).fontFamily;
  var panel = $("offsets"), button = $("showOffsets");
  var interval = 0;  // from the core's first study
  var lastRun = -Infinity, timer = null, queued = false, wanted = false, studies = 0;
  // The worker, where one can start, and whether it is busy with a study.
  var worker = null, busy = false;
  if (/^https?:$/.test(location.protocol) && window.Worker) {
    try {
      worker = new Worker("offsets-worker.js");
      worker.onmessage = function (e) {
        busy = false;
        var calls = e.data.calls;
        shown(JSON.parse(e.data.json || "null"), calls);
        if (wanted) follow(true);
      };
      worker.onerror = function () { worker = null; busy = false; soon(); };
    } catch (error) {
      worker = null;
    }
  }

  // The core's offset view (web/Bindings.cpp), bound once the core is there.
  var bound = null;
  function bind() {
    var M = Page.module();
    bound = {
      offsets: M.cwrap("bl_offsets", "string", ["number"]),
      calls: M.cwrap("bl_offset_calls", "number", []),
      size: M.cwrap("bl_offset_calls_size", "number", []),
    };
    return bound;
  }

  function grabbed(core) { return Number(core.controls().split(" ")[0]); }

  // Shows a study: the view's JSON (web/Offsets.h) and the curve's calls.
  function shown(v, calls) {
    if (!v || panel.hidden) return;
    interval = v.interval;
    var curve = $("offsetCurve");
    curve.style.width = curve.style.height = Page.canvas.style.width;
    Replay.draw(curve, calls);
    curve.setAttribute("aria-description", v.description);
    var plot = $("offsetPlot");
    BezierlabPlot.paint(plot, v.figure);
    plot.setAttribute("aria-description", v.caption);
    $("offsetRows").textContent = v.text;
    panel.setAttribute("data-studies", String(++studies));
    panel.setAttribute("data-where", worker ? "worker" : "main");
  }

  function run() {
    queued = false;
    var core = Page.core();
    if (panel.hidden || !core || !wanted || busy) return;
    wanted = false;
    lastRun = performance.now();
    if (worker) {
      busy = true;
      worker.postMessage({ line: core.stateLine(), grabbed: grabbed(core), lang: Page.texts().lang,
                           family: FAMILY });
      return;
    }
    var b = bound || bind();
    var v = JSON.parse(b.offsets(grabbed(core)) || "null");
    var start = b.calls() / 8;
    shown(v, Page.module().HEAPF64.subarray(start, start + b.size()));
  }

  // After the next frame: the page's own redraw is on the screen first. A
  // worker needs no wait.
  function soon() {
    if (queued) return;
    queued = true;
    if (worker) setTimeout(run, 0); else requestAnimationFrame(function () { setTimeout(run, 0); });
  }

  function follow(dragging) {
    if (panel.hidden) return;
    wanted = true;
    if (!dragging) {
      clearTimeout(timer);
      timer = null;
      soon();
      return;
    }
    if (timer !== null) return;
    var wait = lastRun + interval - performance.now();
    if (wait <= 0) { soon(); return; }
    timer = setTimeout(function () { timer = null; soon(); }, wait);
  }

  function toggle() {
    if (!Page.core()) return;
    panel.hidden = !panel.hidden;
    button.setAttribute("aria-expanded", String(!panel.hidden));
    if (panel.hidden) { clearTimeout(timer); timer = null; wanted = false; } else follow(false);
  }

  document.addEventListener("keydown", function (e) {
    if (e.key !== "F3") return;
    e.preventDefault();
    toggle();
  });
  button.addEventListener("click", toggle);
  Page.onShow(follow);
  Page.onText(function () {
    button.textContent = Page.texts().showOffsets;
    $("offsetCurve").setAttribute("aria-label", Page.texts().offsetCurveName);
    $("offsetPlot").setAttribute("aria-label", Page.texts().offsetPlotName);
    follow(false);
  });
})();
