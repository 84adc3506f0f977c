// The state in the page's address fragment: read once at start, written with
// history.replaceState after every change (during a drag at most every
// 200 ms, and once after the release).
"use strict";
var Link = (function () {
  var INTERVAL = 200;
  var last = 0, pending = null;

  function write(core) {
    pending = null;
    last = Date.now();
    var url = location.href.split("#")[0] + "#" + core.fragment();
    if (url !== location.href) history.replaceState(null, "", url);
  }

  // After a change; `dragging` limits the rate.
  function changed(core, dragging) {
    if (!dragging) {
      if (pending !== null) clearTimeout(pending);
      write(core);
      return;
    }
    if (pending !== null) return;
    var wait = Math.max(0, last + INTERVAL - Date.now());
    pending = setTimeout(function () { write(core); }, wait);
  }

  // The fragment given, at start or typed into the address bar later.
  function given() { return decodeURIComponent(location.hash.replace(/^#/, "")); }

  return { changed: changed, given: given, INTERVAL: INTERVAL };
})();
