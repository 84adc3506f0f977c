// Served over http(s), the page can be installed and opened offline: the
// manifest names it and its icons, and the service worker (sw.js) keeps
// every file of the build. Opened from disk it has neither: a browser allows
// no worker there, and a manifest link there is a refused request.
"use strict";
(function () {
  if (location.protocol !== "http:" && location.protocol !== "https:") return;
  var link = document.createElement("link");
  link.rel = "manifest";
  link.href = "manifest.webmanifest";
  document.head.appendChild(link);
  // Where the browser offers no worker (a plain-http host other than this
  // machine) the page works as from disk.
  if (!("serviceWorker" in navigator)) return;
  window.addEventListener("load", function () {
    navigator.serviceWorker.register("sw.js").catch(function () {});
  });
})();
