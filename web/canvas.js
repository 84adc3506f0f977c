// Replays the scene's drawing calls (web/Recorder.h) on the drawing area's
// canvas, at its CSS size and the device pixel ratio: the pen of each call (colour 0xBBGGRR,
// width, fill style), circles, segments, the curve and the polyline that
// consecutive LineTo calls draw.
"use strict";
var Replay = (function () {
  var OP_CLS = 0, OP_CIRCLE = 1, OP_LINE = 2, OP_BEZIER = 3, OP_MOVE = 4, OP_LINETO = 5;
  var ARGS = [0, 3, 5, 8, 2, 2];
  // The area's size and background, from the core's layout (area()).
  var SIZE = 0, BACKGROUND = "";

  function css(colour) {
    var r = colour & 0xff, g = (colour >> 8) & 0xff, b = (colour >> 16) & 0xff;
    return "rgb(" + r + "," + g + "," + b + ")";
  }

  // The backing store: the canvas's CSS size times the device pixel ratio;
  // the area's SIZE x SIZE pixels scaled to fill it.
  function fit(canvas) {
    var ratio = window.devicePixelRatio || 1;
    var css = canvas.getBoundingClientRect().width || SIZE;
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
    var pen = { x: 0, y: 0 }, open = false, chain = "";
    function pen_(colour, width) {
      c.strokeStyle = css(colour);
      c.lineWidth = width < 1 ? 1 : width;
    }
    // Odd widths sit on pixel centres, as the window's aliased pen does.
    function at(v, width) { return (width < 1 ? 1 : width) % 2 === 1 ? v + 0.5 : v; }
    function flush() { if (open) { c.stroke(); open = false; } }
    for (var i = 0; i < calls.length;) {
      var op = calls[i], colour = calls[i + 1], width = calls[i + 2], fill = calls[i + 3];
      var a = calls.subarray(i + 4, i + 4 + ARGS[op]);
      i += 4 + ARGS[op];
      if (op !== OP_LINETO || chain !== colour + "/" + width) flush();
      if (op === OP_CLS) {
        c.fillStyle = BACKGROUND;
        c.fillRect(0, 0, SIZE, SIZE);
      } else if (op === OP_CIRCLE) {
        pen_(colour, width);
        c.beginPath();
        c.arc(at(a[0], width), at(a[1], width), a[2], 0, 2 * Math.PI);
        if (fill === 0) { c.fillStyle = "#000000"; c.fill(); }
        c.stroke();
      } else if (op === OP_LINE) {
        pen_(a[4], width);
        c.beginPath();
        c.moveTo(at(a[0], width), at(a[1], width));
        c.lineTo(at(a[2], width), at(a[3], width));
        c.stroke();
      } else if (op === OP_BEZIER) {
        pen_(colour, width);
        c.beginPath();
        c.moveTo(at(a[0], width), at(a[1], width));
        c.bezierCurveTo(at(a[2], width), at(a[3], width), at(a[4], width), at(a[5], width),
                        at(a[6], width), at(a[7], width));
        c.stroke();
      } else if (op === OP_MOVE) {
        pen.x = a[0]; pen.y = a[1];
      } else if (op === OP_LINETO) {
        if (!open) {
          pen_(colour, width);
          c.beginPath();
          c.moveTo(at(pen.x, width), at(pen.y, width));
          open = true;
          chain = colour + "/" + width;
        }
        c.lineTo(at(a[0], width), at(a[1], width));
        pen.x = a[0]; pen.y = a[1];
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

  return { area: area, draw: draw, size: function () { return SIZE; } };
})();
