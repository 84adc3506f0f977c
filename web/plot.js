// F2: the convergence plot, laid out by the core (scene's plot layout) and
// painted here on a canvas, with the rows of the window's four counts. It
// follows the state while open, after each change that is not a drag move.
"use strict";
var BezierlabPlot = (function () {
  var size = null;  // the core's design size, once the core is there
  var FAMILY = getComputedStyle(document.body).fontFamily;
  var measurer = document.createElement("canvas").getContext("2d");
  function font(pixels, bold) { return (bold ? "bold " : "") + pixels + "px " + FAMILY; }
  function metrics(pixels, bold) {
    measurer.font = font(pixels, bold);
    return measurer.measureText("国Mg");
  }

  function rgba(c) { return "rgba(" + c[0] + "," + c[1] + "," + c[2] + "," + c[3] / 255 + ")"; }
  function pen(c, p, dash) {
    c.strokeStyle = rgba(p.colour);
    c.lineWidth = p.width;
    c.setLineDash(p.dashed ? dash.map(function (d) { return d * p.width; }) : []);
  }
  function line(c, p, points, dash) {
    pen(c, p, dash);
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

  // A row's mark: a filled dot, or a ring for a row whose sample count differs from n.
  function mark(c, l, at, kind) {
    if (kind === "ring") { pen(c, l.ringPen, l.dash); circle(c, at, l.radii.quirk); }
    if (kind === "dot") circle(c, at, l.radii.dot, rgba(l.dotColour));
  }

  function paint(canvas, l) {
    var W = size[0], H = size[1], d = l.dash;
    var ratio = window.devicePixelRatio || 1;
    canvas.width = Math.round(W * ratio);
    canvas.height = Math.round(H * ratio);
    canvas.style.width = W + "px";
    canvas.style.height = H + "px";
    var c = canvas.getContext("2d");
    c.setTransform(ratio, 0, 0, ratio, 0, 0);
    c.fillStyle = rgba(l.background);
    c.fillRect(0, 0, W, H);
    var a = l.area;
    l.gridX.forEach(function (x) { line(c, l.gridPen, [[x, a[1]], [x, a[1] + a[3]]], d); });
    l.gridY.forEach(function (y) { line(c, l.gridPen, [[a[0], y], [a[0] + a[2], y]], d); });
    pen(c, l.framePen, d);
    c.strokeRect(a[0], a[1], a[2], a[3]);
    l.labels.concat(l.yLabels, l.titles, l.caption).forEach(function (t) { text(c, t); });
    if (l.slope) line(c, l.slopePen, l.slope, d);
    l.marks.forEach(function (m) {
      line(c, m.pen, [[m.x, a[1]], [m.x, a[1] + a[3]]], d);
      text(c, m.label);
      if (m.ring) { pen(c, m.pen, d); circle(c, m.ring, l.radii.count); }
    });
    if (l.line.length > 1) line(c, l.linePen, l.line, d);
    l.dots.forEach(function (p) { mark(c, l, p.at, p.quirk ? "ring" : "dot"); });
    var b = l.legendBox;
    c.fillStyle = rgba(l.legendFill);
    c.fillRect(b[0], b[1], b[2], b[3]);
    pen(c, l.legendPen, d);
    c.strokeRect(b[0], b[1], b[2], b[3]);
    l.legend.forEach(function (e) {
      if (e.line) line(c, e.line, [e.from, e.to], d);
      mark(c, l, [(e.from[0] + e.to[0]) / 2, (e.from[1] + e.to[1]) / 2], e.mark);
      text(c, e.text);
    });
  }

  var panel = document.getElementById("plot");
  function update(dragging) {
    var core = Page.core();
    if (panel.hidden || dragging || !core) return;
    if (!size) size = JSON.parse(core.plotSize());
    var l = JSON.parse(core.plot(size[0], size[1]) || "null");
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
