// F2: the convergence plot, laid out by the core (scene's plot layout) and
// painted here on a canvas, with the rows of the window's four counts. It
// follows the state while open, after each change that is not a drag move.
"use strict";
var BezierlabPlot = (function () {
  var WIDTH = 640, HEIGHT = 400;
  var FAMILY = getComputedStyle(document.body).fontFamily;
  var measurer = document.createElement("canvas").getContext("2d");
  function font(pixels, bold) { return (bold ? "bold " : "") + pixels + "px " + FAMILY; }
  function metrics(pixels, bold) {
    measurer.font = font(pixels, bold);
    return measurer.measureText("国Mg");
  }

  function rgba(c) { return "rgba(" + c[0] + "," + c[1] + "," + c[2] + "," + c[3] / 255 + ")"; }
  function pen(c, p) {
    c.strokeStyle = rgba(p.colour);
    c.lineWidth = p.width;
    c.setLineDash(p.dashed ? [4 * p.width, 2 * p.width] : []);
  }
  function line(c, p, points) {
    pen(c, p);
    c.beginPath();
    points.forEach(function (q, i) { if (i === 0) c.moveTo(q[0], q[1]); else c.lineTo(q[0], q[1]); });
    c.stroke();
  }
  function text(c, t) {
    c.save();
    c.font = font(t.pixels, t.bold);
    c.fillStyle = rgba(t.colour);
    c.translate(t.at[0], t.at[1]);
    if (t.rotated) c.rotate(-Math.PI / 2);
    c.fillText(t.text, 0, 0);
    c.restore();
  }
  function circle(c, at, r, fill) {
    c.beginPath();
    c.arc(at[0], at[1], r, 0, 2 * Math.PI);
    if (fill) { c.fillStyle = fill; c.fill(); } else { c.stroke(); }
  }

  function paint(canvas, l) {
    var ratio = window.devicePixelRatio || 1;
    canvas.width = Math.round(WIDTH * ratio);
    canvas.height = Math.round(HEIGHT * ratio);
    canvas.style.width = WIDTH + "px";
    canvas.style.height = HEIGHT + "px";
    var c = canvas.getContext("2d");
    c.setTransform(ratio, 0, 0, ratio, 0, 0);
    c.fillStyle = "#ffffff";
    c.fillRect(0, 0, WIDTH, HEIGHT);
    var a = l.area;
    l.gridX.forEach(function (x) { line(c, l.gridPen, [[x, a[1]], [x, a[1] + a[3]]]); });
    l.gridY.forEach(function (y) { line(c, l.gridPen, [[a[0], y], [a[0] + a[2], y]]); });
    pen(c, l.framePen);
    c.strokeRect(a[0], a[1], a[2], a[3]);
    l.labels.concat(l.yLabels, l.titles, l.caption).forEach(function (t) { text(c, t); });
    if (l.slope) line(c, l.slopePen, l.slope);
    l.marks.forEach(function (m) {
      line(c, m.pen, [[m.x, a[1]], [m.x, a[1] + a[3]]]);
      text(c, m.label);
      if (m.ring) { pen(c, m.pen); circle(c, m.ring, 7); }
    });
    if (l.line.length > 1) line(c, l.linePen, l.line);
    l.dots.forEach(function (d) {
      if (d.quirk) { pen(c, l.ringPen); circle(c, d.at, 4); } else { circle(c, d.at, 1.8, rgba(l.dotColour)); }
    });
    var b = l.legendBox;
    c.fillStyle = rgba(l.legendFill);
    c.fillRect(b[0], b[1], b[2], b[3]);
    pen(c, l.legendPen);
    c.strokeRect(b[0], b[1], b[2], b[3]);
    l.legend.forEach(function (e, i) {
      var mid = [(e.from[0] + e.to[0]) / 2, (e.from[1] + e.to[1]) / 2];
      if (i === 0) { line(c, l.linePen, [e.from, e.to]); circle(c, mid, 1.8, rgba(l.dotColour)); }
      if (i === 1) { pen(c, l.ringPen); circle(c, mid, 4); }
      if (i === 2) line(c, l.slopePen, [e.from, e.to]);
      text(c, e.text);
    });
  }

  var panel = document.getElementById("plot");
  function update(dragging) {
    var core = Page.core();
    if (panel.hidden || dragging || !core) return;
    var l = JSON.parse(core.plot(WIDTH, HEIGHT) || "null");
    if (!l) return;
    paint(document.getElementById("plotCanvas"), l);
    document.getElementById("plotRows").textContent = l.rows.join("\n");
  }
  document.addEventListener("keydown", function (e) {
    if (e.key !== "F2" || !Page.core()) return;
    e.preventDefault();
    panel.hidden = !panel.hidden;
    update(false);
  });
  Page.onShow(update);

  return {
    width: function (t, pixels, bold) { measurer.font = font(pixels, bold); return measurer.measureText(t).width; },
    height: function (pixels, bold) {
      var m = metrics(pixels, bold);
      return m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
    },
    ascent: function (pixels, bold) { return metrics(pixels, bold).fontBoundingBoxAscent; },
  };
})();
