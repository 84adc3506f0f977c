// The keyboard: the drawing area's keys (1-4, arrows, Shift+arrows, Escape),
// the state keys (undo, redo, reset), the help (F1, the keys' table from the
// core) and the tool tips of the report and the yellow box on hover and on
// focus. The help is written again after a switch of language; a tip asks
// the core for its text each time it shows.
"use strict";
(function () {
  var $ = function (id) { return document.getElementById(id); };
  var canvas = Page.canvas;

  canvas.addEventListener("keydown", function (e) {
    var core = Page.core();
    if (!core || e.ctrlKey || e.altKey || e.metaKey) return;
    var plain = !e.shiftKey, step = e.shiftKey ? 10 : 1;
    var moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step],
                  ArrowDown: [0, step] };
    if (plain && e.key >= "1" && e.key <= "4") {
      core.pick(Number(e.key) - 1);
    } else if (plain && e.key === "Escape") {
      core.release();
    } else if (moves[e.key]) {
      core.movePoint(moves[e.key][0], moves[e.key][1]);
    } else {
      return;
    }
    e.preventDefault();
    Page.show(false);
  });

  document.addEventListener("keydown", function (e) {
    var core = Page.core();
    if (!core) return;
    var key = e.key.toLowerCase();
    var ctrl = e.ctrlKey && !e.altKey && !e.metaKey;
    var act = null;
    if (ctrl && key === "z" && !e.shiftKey) act = core.undo;
    if (ctrl && (key === "y" && !e.shiftKey || key === "z" && e.shiftKey)) act = core.redo;
    if (ctrl && key === "r" && !e.shiftKey) act = core.reset;
    if (act) {
      e.preventDefault();
      act();
      Page.show(false);
    } else if (e.key === "F1") {
      e.preventDefault();
      $("help").hidden = !$("help").hidden;
    }
  });

  // The help: a row per key, the key and what it does.
  function writeHelp() {
    var table = document.createElement("table");
    Page.texts().help.forEach(function (row) {
      var tr = table.insertRow();
      var key = document.createElement("th");
      key.scope = "row";
      key.textContent = row[0];
      tr.appendChild(key);
      tr.insertCell().textContent = row[1];
    });
    $("help").replaceChildren(table);
  }

  Page.onText(writeHelp);

  // The analysis as a tip beside the report and the yellow box.
  function tip(target, text) {
    var t = $("tip");
    var r = target.getBoundingClientRect();
    t.textContent = text;
    t.style.left = (r.left + window.scrollX + 16) + "px";
    t.style.top = (r.bottom + window.scrollY + 4) + "px";
    t.hidden = false;
    // On a narrow screen the tip moves left so that it stays on it.
    var over = t.getBoundingClientRect().right - document.documentElement.clientWidth;
    if (over > 0) t.style.left = Math.max(0, r.left + window.scrollX + 16 - over) + "px";
  }
  function hide() { $("tip").hidden = true; }
  function tips(element, text) {
    element.addEventListener("mouseenter", function () { if (Page.core()) tip(element, text()); });
    element.addEventListener("mouseleave", hide);
  }
  window.Tips = { show: tip, hide: hide };  // for the tips that a tap shows (taps.js)
  tips($("Label1"), function () { return Page.core().lengthTip(); });
  tips($("box2_0"), function () { return Page.core().deviationTip(); });
  // The same tips on keyboard focus: the yellow box, and the report, which
  // Tab reaches after the window's controls.
  function focusTips(element, shown, text) {
    element.addEventListener("focus", function () { tip(shown, text()); });
    element.addEventListener("blur", hide);
    element.setAttribute("aria-describedby", "tip");
  }
  focusTips($("Check2_0"), $("box2_0"), function () { return Page.core().deviationTip(); });
  focusTips($("Label1"), $("Label1"), function () { return Page.core().lengthTip(); });
})();
