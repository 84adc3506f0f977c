// Save, Open and Paste: the state as the window's state file (downloaded as a
// .bezierlab file), a state file chosen to open (its bytes, read as the
// window reads one), and a state file's JSON, a line of options or a link pasted; each
// refusal shown with the window's message. Ctrl+Shift+C
// copies the state as one line of options. Copy and paste go through the
// page's copy and paste events, which work on a plain-http host too.
"use strict";
(function () {
  var $ = function (id) { return document.getElementById(id); };
  var copyLine = false;
  var STATE_FILE_NAME = "bezierlab-state.bezierlab";

  // A refused text changed nothing, and is refused again the same way: asked
  // again after a switch of language, it gives its message in that language.
  function take(text, title) {
    var core = Page.core();
    Page.refuse(title, core.takeText(text), function () { return core.takeText(text); });
    Page.show(false);
  }

  function save() {
    var blob = new Blob([Page.core().stateFile()], { type: "application/json" });
    var a = document.createElement("a");
    a.href = URL.createObjectURL(blob);
    a.download = STATE_FILE_NAME;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(function () { URL.revokeObjectURL(a.href); }, 1000);
  }

  function open() { $("file").value = ""; $("file").click(); }

  $("save").addEventListener("click", save);
  $("open").addEventListener("click", open);
  $("file").addEventListener("change", function () {
    var file = $("file").files[0];
    if (!file) return;
    // A file beyond the largest state text is refused unread. The core gets
    // the bytes, not a text: bytes that are no UTF-8 must reach its reader.
    var core = Page.core();
    var read = file.size > core.largestStateText() ? Promise.resolve(new ArrayBuffer(0))
      : file.arrayBuffer();
    read.then(function (buffer) {
      var bytes = new Uint8Array(buffer);
      var again = function () { return core.takeFile(file.name, file.size, bytes); };
      Page.refuse("openRefused", again(), again);
      Page.show(false);
    });
  });

  document.addEventListener("keydown", function (e) {
    if (!Page.core() || !e.ctrlKey || e.altKey || e.metaKey) return;
    var key = e.key.toLowerCase();
    if (key === "s") { e.preventDefault(); save(); }
    if (key === "o" && !e.shiftKey) { e.preventDefault(); open(); }
    copyLine = key === "c" && e.shiftKey;
  });

  document.addEventListener("copy", function (e) {
    var core = Page.core();
    if (!core || String(window.getSelection()) !== "") return;
    e.clipboardData.setData("text/plain", copyLine ? core.stateLine() : core.report());
    copyLine = false;
    e.preventDefault();
  }, true);

  document.addEventListener("paste", function (e) {
    if (!Page.core()) return;
    e.preventDefault();
    take(e.clipboardData.getData("text/plain"), "pasteRefused");
  });
})();
