// F3 and the button showOffsets: the offset view, the study of the state
// shown (the curve drawn again with the true offset curve's cusps and the
// yellow curve's worst point ringed, and the study's text), made by the core.
// The study runs only while the view is open, once per change and at most
// once per interval while a point is dragged, between two frames so that a
// drag's own redraws come first. data-studies on the view counts the studies.
"use strict";
(function () {
  var $ = function (id) { return document.getElementById(id); };
  var panel = $("offsets"), button = $("showOffsets");
  var interval = 0;  // from the core's first study
  var lastRun = -Infinity, timer = null, queued = false, wanted = false, studies = 0;

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

  function run() {
    queued = false;
    var core = Page.core();
    if (panel.hidden || !core || !wanted) return;
    wanted = false;
    lastRun = performance.now();
    var b = bound || bind();
    var v = JSON.parse(b.offsets(grabbed(core)) || "null");
    if (!v) return;
    interval = v.interval;
    var start = b.calls() / 8, size = b.size();
    var curve = $("offsetCurve");
    curve.style.width = curve.style.height = Page.canvas.style.width;
    Replay.draw(curve, Page.module().HEAPF64.subarray(start, start + size));
    curve.setAttribute("aria-description", v.description);
    $("offsetRows").textContent = v.text;
    panel.setAttribute("data-studies", String(++studies));
  }

  // After the next frame: the page's own redraw is on the screen first.
  function soon() {
    if (queued) return;
    queued = true;
    requestAnimationFrame(function () { setTimeout(run, 0); });
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
    follow(false);
  });
})();
