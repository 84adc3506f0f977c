// The buttons beside Save and Open, for a user without a keyboard. Each does
// what its key does on the page, by giving the page that key: undo, redo,
// reset, the help (F1) and the plot (F2); the copies start the copy that
// Ctrl+C and Ctrl+Shift+C start. Paste reads the browser's clipboard where
// the browser lets it, else it opens a field to paste into; share hands the
// link to the system's sharing where there is one, else copies it and says
// so. Undo, redo and reset are disabled when they have no step to make.
"use strict";
(function () {
  var $ = function (id) { return document.getElementById(id); };
  var KEYS = {
    undo: { key: "z", ctrlKey: true },
    redo: { key: "y", ctrlKey: true },
    reset: { key: "r", ctrlKey: true },
    showHelp: { key: "F1" },
    showPlot: { key: "F2" },
    copyReport: { key: "c", ctrlKey: true },
    copyLine: { key: "C", ctrlKey: true, shiftKey: true },
  };
  var IDS = Object.keys(KEYS).concat(["paste", "share"]);
  var said = null;

  function press(init) {
    document.dispatchEvent(new KeyboardEvent("keydown",
      Object.assign({ bubbles: true, cancelable: true }, init)));
  }

  // A short note under the buttons, read out by a screen reader.
  function say(text) {
    var status = $("status");
    status.textContent = text;
    status.hidden = false;
    clearTimeout(said);
    said = setTimeout(function () { status.hidden = true; }, 4000);
  }

  // `text` onto the clipboard through a copy of the page's own, ahead of the
  // page's copy handler (which copies the report).
  function copy(text) {
    var put = function (e) {
      e.clipboardData.setData("text/plain", text);
      e.preventDefault();
      e.stopImmediatePropagation();
    };
    window.addEventListener("copy", put, true);
    try {
      return document.execCommand("copy");
    } finally {
      window.removeEventListener("copy", put, true);
    }
  }

  // A text pasted, as the page takes Ctrl+V's.
  function pasted(text) {
    var data = new DataTransfer();
    data.setData("text/plain", text);
    document.dispatchEvent(new ClipboardEvent("paste",
      { clipboardData: data, bubbles: true, cancelable: true }));
  }

  var field = $("pasteField");
  function askForPaste() {
    field.value = "";
    field.hidden = false;
    field.focus();
  }
  // The page's paste handler takes what is pasted into the field.
  field.addEventListener("paste", function () { field.hidden = true; });
  field.addEventListener("blur", function () { field.hidden = true; });
  field.addEventListener("keydown", function (e) {
    if (e.key === "Escape") field.hidden = true;
  });

  function paste() {
    var clipboard = navigator.clipboard;
    if (!clipboard || !clipboard.readText) return askForPaste();
    clipboard.readText().then(pasted, askForPaste);
  }

  function share() {
    var link = location.href;
    if (navigator.share) {
      navigator.share({ title: document.title, url: link }).catch(function () {});
    } else if (copy(link)) {
      say(Page.texts().linkCopied);
    }
  }

  Object.keys(KEYS).forEach(function (id) {
    $(id).addEventListener("click", function () {
      press(KEYS[id]);
      if (id === "copyReport" || id === "copyLine") {
        if (document.execCommand("copy")) say(Page.texts().copied);
      }
    });
  });
  $("paste").addEventListener("click", paste);
  $("share").addEventListener("click", share);

  // The help's and the plot's buttons say whether their panel is open.
  [["showHelp", "help"], ["showPlot", "plot"]].forEach(function (pair) {
    var panel = $(pair[1]);
    var mark = function () { $(pair[0]).setAttribute("aria-expanded", String(!panel.hidden)); };
    new MutationObserver(mark).observe(panel, { attributes: true, attributeFilter: ["hidden"] });
  });

  function enable() {
    var can = Page.core().can().split(" ");
    ["undo", "redo", "reset"].forEach(function (id, i) { $(id).disabled = can[i] !== "1"; });
  }
  Page.onShow(function (dragging) { if (!dragging) enable(); });
  Page.onText(function () {
    var texts = Page.texts();
    IDS.forEach(function (id) { $(id).textContent = texts.buttons[id]; });
    field.setAttribute("aria-label", texts.pasteHere);
    field.placeholder = texts.pasteHere;
  });
})();
