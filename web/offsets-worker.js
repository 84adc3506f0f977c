// The offset view's study off the page's main thread, for a page served over
// http(s) (one opened from disk cannot start a worker; offsets.js then runs
// the study itself). A core of its own takes each request's state as the
// one-line form and its language, and answers with the view's JSON and the
// curve view's drawing calls.
"use strict";
importScripts("core-wasm.js", "core.js");

// The plots' text measure (what plot.js gives the core on the page), on an
// offscreen canvas in the page's fonts, which each request names.
var family = "sans-serif";
var measurer = new OffscreenCanvas(1, 1).getContext("2d");
function metrics(pixels, bold) {
  measurer.font = (bold ? "bold " : "") + pixels + "px " + family;
  return measurer.measureText("国Mg");
}
self.BezierlabPlot = {
  width: function (t, pixels, bold) {
    measurer.font = (bold ? "bold " : "") + pixels + "px " + family;
    return measurer.measureText(t).width;
  },
  height: function (pixels, bold) {
    var m = metrics(pixels, bold);
    return m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
  },
  ascent: function (pixels, bold) { return metrics(pixels, bold).fontBoundingBoxAscent; },
};

var ready = (function () {
  // As page.js does: the WebAssembly packed in core-wasm.js.
  return BezierlabWasm()
    .then(function (bytes) { return BezierlabCore({ wasmBinary: bytes }); })
    .then(function (M) {
      return {
        M: M,
        take: M.cwrap("bl_take_text", "string", ["string"]),
        language: M.cwrap("bl_choose_language", null, ["string"]),
        offsets: M.cwrap("bl_offsets", "string", ["number"]),
        calls: M.cwrap("bl_offset_calls", "number", []),
        size: M.cwrap("bl_offset_calls_size", "number", []),
      };
    });
})();

// A request: {line, grabbed, lang, family}. The answer: {json, calls} (a Float64Array).
onmessage = function (e) {
  ready.then(function (core) {
    var r = e.data;
    family = r.family;
    core.language(r.lang);
    var problem = core.take(r.line);
    var json = problem === "" ? core.offsets(r.grabbed) : "";
    var start = core.calls() / 8;
    var calls = core.M.HEAPF64.slice(start, start + core.size());
    postMessage({ json: json, calls: calls }, [calls.buffer]);
  });
};
