// Writes the page's web app manifest at build time: the core's own
// (bl_manifest, in the page's first language) with the icons the build
// made, icon-SIZE.png for each size given.
//
//   node make_manifest.js CORE.js OUT.webmanifest SIZE...
"use strict";
const fs = require("fs");
const path = require("path");

const [core, out, ...sizes] = process.argv.slice(2);
// The wasm beside core.js, given as bytes: node's fetch takes no file path.
const wasmBinary = fs.readFileSync(core.replace(/\.js$/, ".wasm"));
require(path.resolve(core))({ wasmBinary: wasmBinary }).then(function (m) {
  const manifest = JSON.parse(m.cwrap("bl_manifest", "string", [])());
  manifest.icons = sizes.map(function (size) {
    return { src: "icon-" + size + ".png", sizes: size + "x" + size, type: "image/png" };
  });
  fs.writeFileSync(out, JSON.stringify(manifest, null, 1) + "\n");
});
