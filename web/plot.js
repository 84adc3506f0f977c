// F2: the convergence plot, laid out by the core as a figure (scene's plot
// primitives) and painted here on a canvas by walking them, with the rows of
// the window's four counts. Any other plot's figure paints with paint(). It
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
  function path(c, points, close) {
    c.beginPath();
    points.forEach(function (q, i) { if (i === 0) c.moveTo(q[0], q[1]); else c.lineTo(q[0], q[1]); });
    if (close) c.closePath();
    c.stroke();
  }

  // A point's mark: a disc in the pen's colour, or a ring, square, triangle,
  // diamond or cross stroked with the pen (as surface's painter draws them).
  function mark(c, m, dash) {
    var x = m.at[0], y = m.at[1], r = m.radius, k = r * 0.866;
    if (m.mark === "dot") {
      c.beginPath();
      c.arc(x, y, r, 0, 2 * Math.PI);
      c.fillStyle = rgba(m.pen.colour);
      c.fill();
      return;
    }
    pen(c, m.pen, dash);
    if (m.mark === "ring") { c.beginPath(); c.arc(x, y, r, 0, 2 * Math.PI); c.stroke(); }
    if (m.mark === "square") c.strokeRect(x - r, y - r, 2 * r, 2 * r);
    if (m.mark === "triangle") path(c, [[x, y - r], [x + k, y + r / 2], [x - k, y + r / 2]], true);
    if (m.mark === "diamond") path(c, [[x, y - r], [x + r, y], [x, y + r], [x - r, y]], true);
    if (m.mark === "cross") { path(c, [[x - r, y], [x + r, y]]); path(c, [[x, y - r], [x, y + r]]); }
  }

  // Paints a figure laid out by the core: its background, then its items in order.
  function paint(canvas, f) {
    var W = f.width, H = f.height, d = f.dash;
    var ratio = window.devicePixelRatio || 1;
    canvas.width = Math.round(W * ratio);
    canvas.height = Math.round(H * ratio);
    canvas.style.width = W + "px";
    canvas.style.height = H + "px";
    var c = canvas.getContext("2d");
    c.setTransform(ratio, 0, 0, ratio, 0, 0);
    c.fillStyle = rgba(f.background);
    c.fillRect(0, 0, W, H);
    f.items.forEach(function (item) {
      if (item.kind === "line") {
        if (item.points.length < 2) return;
        var a = item.clip;
        if (a) { c.save(); c.beginPath(); c.rect(a[0], a[1], a[2], a[3]); c.clip(); }
        line(c, item.pen, item.points, d);
        if (a) c.restore();
      } else if (item.kind === "box") {
        var b = item.rect;
        if (item.fill) { c.fillStyle = rgba(item.fill); c.fillRect(b[0], b[1], b[2], b[3]); }
        pen(c, item.pen, d);
        c.strokeRect(b[0], b[1], b[2], b[3]);
      } else if (item.kind === "mark") {
        mark(c, item, d);
      } else if (item.kind === "text") {
        text(c, item);
      } else if (item.kind === "group") {
        c.save();
      } else if (item.kind === "end") {
        c.restore();
      }
    });
  }

  var panel = document.getElementById("plot");
  // The switch between the convergence plot and the length rules' plot.
  var rules = false, button = document.getElementById("plotRules");
  button.addEventListener("click", function () {
    rules = !rules;
    button.setAttribute("aria-pressed", String(rules));
    update(false);
  });
  Page.onText(function () { button.textContent = Page.texts().plotRules; });
  function update(dragging) {
    var core = Page.core();
    if (panel.hidden || dragging || !core) return;
    if (!size) size = JSON.parse(core.plotSize());
    var l = JSON.parse(core.plot(size[0], size[1], rules ? 1 : 0) || "null");
    if (!l) return;
    var canvas = document.getElementById("plotCanvas");
    paint(canvas, l.figure);
    // Named as the button that shows it, or the switch that turned it to the rules.
    var texts = Page.texts();
    canvas.setAttribute("aria-label", rules ? texts.plotRules : texts.buttons.showPlot);
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
    paint: paint,
    width: function (t, pixels, bold) { measurer.font = font(pixels, bold); return measurer.measureText(t).width; },
    height: function (pixels, bold) {
      var m = metrics(pixels, bold);
      return m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
    },
    ascent: function (pixels, bold) { return metrics(pixels, bold).fontBoundingBoxAscent; },
  };
})();
