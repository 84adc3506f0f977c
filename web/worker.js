// The page's service worker: it keeps every file of one build in a cache of
// that build's name (make_worker.py writes both in), and answers the page
// from it, so that after one visit the page opens with no network.
// A rebuild is a new worker. It takes over as soon as it has its files, but
// a page that an older build served keeps getting that build's files while
// it is open (it may ask for one late, the manifest or an icon); a page is
// never a mix of two builds. The old build's cache goes once no page of it
// is left.
"use strict";
var BUILD = "@BUILD@";
var FILES = ["@FILES@"];
var PREFIX = "bezierlab-";
var CACHE = PREFIX + BUILD;
var ours = new Set();  // the pages this build served

self.addEventListener("install", function (e) {
  e.waitUntil(caches.open(CACHE)
    .then(function (cache) { return cache.addAll(FILES.map(function (f) { return new Request(f, { cache: "reload" }); })); })
    .then(function () { return self.skipWaiting(); }));
});

// Drops the older builds' caches once every open page is this build's.
function tidy() {
  return self.clients.matchAll({ type: "window" }).then(function (pages) {
    if (pages.some(function (p) { return !ours.has(p.id); })) return;
    return caches.keys().then(function (names) {
      return Promise.all(names.filter(function (n) { return n.startsWith(PREFIX) && n !== CACHE; })
        .map(function (n) { return caches.delete(n); }));
    });
  });
}

self.addEventListener("activate", function (e) { e.waitUntil(tidy()); });

// The caches to look in for a request from `page`: this build's for its own
// pages; for a page an older build served, the older caches first.
function lookIn(page) {
  if (ours.has(page)) return Promise.resolve([CACHE]);
  return caches.keys().then(function (names) {
    return names.filter(function (n) { return n.startsWith(PREFIX) && n !== CACHE; }).concat([CACHE]);
  });
}

function answer(request, names) {
  if (names.length === 0) return fetch(request);
  return caches.open(names[0]).then(function (cache) {
    return cache.match(request, { ignoreSearch: true });
  }).then(function (found) { return found || answer(request, names.slice(1)); });
}

self.addEventListener("fetch", function (e) {
  var request = e.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  if (request.mode === "navigate") {
    if (e.resultingClientId) ours.add(e.resultingClientId);
    e.respondWith(answer(request, [CACHE]));
    return;
  }
  e.respondWith(lookIn(e.clientId).then(function (names) { return answer(request, names); }));
  e.waitUntil(tidy());
});
