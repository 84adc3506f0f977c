// Replays the scene's drawing calls (web/Recorder.h) on the drawing area's
// canvas, at its CSS size and the device pixel ratio: the pen of each call (colour 0xBBGGRR,
// width, fill style), circles, segments, the curve and the polyline that
// consecutive LineTo calls draw.
"use strict";
var Replay = (function () {
  var OP_CLS = 0, OP_CIRCLE = 1, OP_LINE = 2, OP_BEZIER = 3, OP_MOVE = 4, OP_LINETO = 5;
  var ARGS = [0, 3, 5, 8, 2, 2];
  // The area's size and background, from the core's layout (area()), and
  // the canvas's CSS width, kept by resized() so that a redraw reads no
  // layout.
  var SIZE = 0, BACKGROUND = "", WIDTH = 0;

  function css(colour) {
    var r = colour & 0xff, g = (colour >> 8) & 0xff, b = (colour >> 16) & 0xff;
    return "rgb(" + r + "," + g + "," + b + ")";
  }

  // The backing store: the canvas's CSS size times the device pixel ratio;
  // the area's SIZE x SIZE pixels scaled to fill it.
  function fit(canvas) {
    var ratio = window.devicePixelRatio || 1;
    var css = WIDTH || canvas.getBoundingClientRect().width || SIZE;
    var pixels = Math.max(1, Math.round(css * ratio));
    if (canvas.width !== pixels) { canvas.width = pixels; canvas.height = pixels; }
    return pixels / SIZE;
  }

  // Draws `calls` (a Float64Array of the recorder's numbers) on `canvas`.
  function draw(canvas, calls) {
    var scale = fit(canvas);
    var c = canvas.getContext("2d");
    c.setTransform(scale, 0, 0, scale, 0, 0);
    c.lineCap = "square";
    c.lineJoin = "bevel";
    var pen = { x: 0, y: 0 }, open = false, chainColour = -1, chainWidth = -1;
    function pen_(colour, width) {
      c.strokeStyle = css(colour);
      c.lineWidth = width < 1 ? 1 : width;
    }
    // Odd widths sit on pixel centres, as the window's aliased pen does.
    function at(v, width) { return (width < 1 ? 1 : width) % 2 === 1 ? v + 0.5 : v; }
    function flush() { if (open) { c.stroke(); open = false; } }
    for (var i = 0; i < calls.length;) {
      var op = calls[i], colour = calls[i + 1], width = calls[i + 2], fill = calls[i + 3];
      var a = i + 4;  // the call's first argument in `calls`
      i += 4 + ARGS[op];
      if (op !== OP_LINETO || chainColour !== colour || chainWidth !== width) flush();
      if (op === OP_CLS) {
        c.fillStyle = BACKGROUND;
        c.fillRect(0, 0, SIZE, SIZE);
      } else if (op === OP_CIRCLE) {
        pen_(colour, width);
        c.beginPath();
        c.arc(at(calls[a], width), at(calls[a + 1], width), calls[a + 2], 0, 2 * Math.PI);
        if (fill === 0) { c.fillStyle = "#000000"; c.fill(); }
        c.stroke();
      } else if (op === OP_LINE) {
        pen_(calls[a + 4], width);
        c.beginPath();
        c.moveTo(at(calls[a], width), at(calls[a + 1], width));
        c.lineTo(at(calls[a + 2], width), at(calls[a + 3], width));
        c.stroke();
      } else if (op === OP_BEZIER) {
        pen_(colour, width);
        c.beginPath();
        c.moveTo(at(calls[a], width), at(calls[a + 1], width));
        c.bezierCurveTo(at(calls[a + 2], width), at(calls[a + 3], width),
                        at(calls[a + 4], width), at(calls[a + 5], width),
                        at(calls[a + 6], width), at(calls[a + 7], width));
        c.stroke();
      } else if (op === OP_MOVE) {
        pen.x = calls[a]; pen.y = calls[a + 1];
      } else if (op === OP_LINETO) {
        if (!open) {
          pen_(colour, width);
          c.beginPath();
          c.moveTo(at(pen.x, width), at(pen.y, width));
          open = true;
          chainColour = colour;
          chainWidth = width;
        }
        c.lineTo(at(calls[a], width), at(calls[a + 1], width));
        pen.x = calls[a]; pen.y = calls[a + 1];
      }
    }
    flush();
  }

  // Takes the area's size and background from the core's layout and erases
  // `canvas` to it until the first drawing.
  function area(canvas, layout) {
    SIZE = layout.area;
    BACKGROUND = css(layout.areaBackground);
    canvas.style.background = BACKGROUND;
  }

  // The canvas's CSS width now (its ResizeObserver, fit.js).
  function resized(width) { WIDTH = width; }

  return { area: area, draw: draw, resized: resized, size: function () { return SIZE; } };
})();
