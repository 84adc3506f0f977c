// The tips without a mouse: a tap on the report shows its length analysis,
// a long press on the yellow box shows its figures (a tap still toggles the
// box); a second tap on it, or a tap anywhere else, hides the tip. A mouse
// keeps its hover tips (keys.js).
"use strict";
(function () {
  var $ = function (id) { return document.getElementById(id); };
  var LONG_PRESS = 500;  // milliseconds a finger stays down for a long press
  var shown = null;  // the element whose tip a tap or a long press showed
  var finger = false;  // the latest press was a finger's or a pen's

  function show(element, text) {
    Tips.show(element, text);
    shown = element;
  }
  function hide() {
    Tips.hide();
    shown = null;
  }

  document.addEventListener("pointerdown", function (e) {
    finger = e.pointerType === "touch" || e.pointerType === "pen";
  }, true);
  // A tap away from the element whose tip shows hides it.
  document.addEventListener("click", function (e) {
    if (finger && shown && !shown.contains(e.target)) hide();
  }, true);

  var report = $("Label1");
  report.addEventListener("click", function () {
    if (!finger || !Page.core()) return;
    if (shown === report) hide(); else show(report, Page.core().lengthTip());
  });

  var box = $("box2_0"), timer = null, held = false;
  box.addEventListener("pointerdown", function (e) {
    if (e.pointerType !== "touch" && e.pointerType !== "pen") return;
    held = false;
    clearTimeout(timer);
    timer = setTimeout(function () {
      held = true;
      if (Page.core()) show(box, Page.core().deviationTip());
    }, LONG_PRESS);
  });
  ["pointerup", "pointercancel"].forEach(function (type) {
    box.addEventListener(type, function () { clearTimeout(timer); });
  });
  // The click that ends a long press does not toggle the box; a tap after it
  // toggles the box and hides the tip.
  box.addEventListener("click", function (e) {
    if (held) {
      held = false;
      e.preventDefault();
    } else if (finger && shown === box) {
      hide();
    }
  }, true);
  box.addEventListener("contextmenu", function (e) { if (held) e.preventDefault(); });
})();
