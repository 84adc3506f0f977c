// The drawing area's pointer events, in the area's pixels with fractions
// kept, whatever the canvas's CSS size. The mouse keeps the window's rules:
// every button grabs and drags, with capture. A finger or a pen goes to the
// core's touch rules (its reach, its offset, taps); a second finger during
// a touch is ignored, and a cancel ends the touch as a release does. A touch
// that lands within reach of a point keeps the page from scrolling.
"use strict";
(function () {
  var canvas = Page.canvas;
  var touch = null;  // the pointerId of the finger or pen on the area
  // The area's place on the screen, read at a press and kept until the
  // release: a move that read it after the last move's text was written
  // would lay the page out again. A scroll or a resize reads it anew.
  var kept = null;
  function place() { return kept || canvas.getBoundingClientRect(); }
  function keep() { kept = canvas.getBoundingClientRect(); }
  function drop() { kept = null; }
  window.addEventListener("scroll", drop, { capture: true, passive: true });
  window.addEventListener("resize", drop);

  // Area pixels to a CSS pixel, and a position in the area's pixels.
  function scale() { return Replay.size() / place().width; }
  function at(e) {
    var r = place(), s = Replay.size() / r.width;
    return [(e.clientX - r.left) * s, (e.clientY - r.top) * s];
  }

  // The bit of e.buttons that stands for e.button's button.
  var BUTTON_BITS = [1, 4, 2, 8, 16];

  canvas.addEventListener("pointerdown", function (e) {
    var core = Page.core();
    if (!core) return;
    var p = at(e);
    if (e.pointerType === "mouse") {
      if (touch !== null) return;
      keep();
      canvas.setPointerCapture(e.pointerId);
      canvas.focus({ preventScroll: true });
      core.down(p[0], p[1]);
      Page.show(true);
      e.preventDefault();
      return;
    }
    if (touch !== null || core.held()) return;
    touch = e.pointerId;
    keep();
    canvas.focus({ preventScroll: true });
    if (core.touchDown(p[0], p[1], scale())) Page.show(true);
  });

  canvas.addEventListener("pointermove", function (e) {
    var core = Page.core();
    if (!core) return;
    var p = at(e);
    if (e.pointerType !== "mouse") {
      if (e.pointerId !== touch) return;
      core.touchMove(p[0], p[1]);
      Page.show(core.held() === 1);
      return;
    }
    if (touch !== null) return;
    if (e.button >= 0 && core.held()) {
      if (e.buttons & BUTTON_BITS[e.button]) core.down(p[0], p[1]); else core.upHeld();
      Page.show(true);
      return;
    }
    // Without a button, only moves over the area reach the handler.
    var size = Replay.size();
    if (!core.held() && (p[0] < 0 || p[1] < 0 || p[0] >= size || p[1] >= size)) return;
    core.move(p[0], p[1]);
    Page.show(core.held() === 1);
  });

  function up(e) {
    var core = Page.core();
    if (!core) return;
    if (e.pointerType !== "mouse") {
      if (e.pointerId !== touch) return;
      touch = null;
      var p = at(e);
      drop();
      if (e.type === "pointercancel") core.touchCancel(); else core.touchUp(p[0], p[1]);
      Page.show(false);
      return;
    }
    drop();
    if (!core.held()) return;
    if (canvas.hasPointerCapture(e.pointerId)) canvas.releasePointerCapture(e.pointerId);
    core.up();
    Page.show(false);
  }
  canvas.addEventListener("pointerup", up);
  canvas.addEventListener("pointercancel", up);
  // The right button drags: it opens no menu over the area.
  canvas.addEventListener("contextmenu", function (e) { e.preventDefault(); });

  // The page scrolls under a finger (touch-action: pan-y pinch-zoom) unless
  // it lands within reach of a point, or comes while another drags one.
  canvas.addEventListener("touchstart", function (e) {
    var core = Page.core();
    if (!core) return;
    var t = e.changedTouches[0], r = canvas.getBoundingClientRect(), s = scale();
    var reaches = core.touchReaches((t.clientX - r.left) * s, (t.clientY - r.top) * s, s) >= 0;
    if (e.cancelable && (reaches || core.held())) e.preventDefault();
  }, { passive: false });
})();
