// Fits the page to the screen: where the window's client area with the
// page's margins is wider than the viewport, the page's controls reflow into
// one column (style.css, class "column"), in the window's order; the drawing
// area's backing store follows its CSS size and the device pixel ratio.
"use strict";
(function () {
  var canvas = Page.canvas;

  function column() {
    var layout = Page.layout();
    if (!layout) return;
    var body = getComputedStyle(document.body);
    var needed = layout.client[0] + parseFloat(body.marginLeft) + parseFloat(body.marginRight);
    document.body.classList.toggle("column", document.documentElement.clientWidth < needed);
  }

  function repaint() { if (Page.core()) Page.repaint(); }

  // A change of the device pixel ratio (a zoom, another screen) fires once
  // per ratio: watch the ratio now, and again after each change.
  function watchRatio() {
    var query = matchMedia("(resolution: " + (window.devicePixelRatio || 1) + "dppx)");
    query.addEventListener("change", function () { repaint(); watchRatio(); }, { once: true });
  }

  Page.onText(column);
  window.addEventListener("resize", column);
  new ResizeObserver(function (entries) {
    Replay.resized(entries[entries.length - 1].contentRect.width);
    repaint();
  }).observe(canvas);
  watchRatio();
})();
