#!/usr/bin/env python3
"""Packs the core's WebAssembly for the page into a classic script,
core-wasm.js, which a page opened from disk may load where fetching a .wasm
file is refused. The script defines BezierlabWasm(), a promise of the wasm's
bytes, which the page and its worker hand to the core.

The wasm is deflated by zopfli (gzip, no time stamp: the same build gives the
same bytes; 5 % smaller than gzip -9) and written into one string literal,
seven bits to a character: each group of seven bits is that ASCII character,
except the five a string literal cannot hold as they are (NUL, LF, CR, the
quote and the backslash), which take a two-byte character with the group that
follows. That is 8/7 of the deflated bytes where base64 took 4/3. The script
undoes it and inflates the bytes with the browser's own DecompressionStream.

    pack_wasm.py ZOPFLI CORE.wasm OUT.js
"""
import subprocess
import sys

# The groups a double-quoted string literal cannot hold as characters; the
# decoder below lists the same in the same order.
AWKWARD = (0x00, 0x0A, 0x0D, 0x22, 0x5C)

DECODER = """\
// The core's WebAssembly, deflated, seven bits to a character (built by
// web/pack_wasm.py, which says how); BezierlabWasm() gives its bytes.
function BezierlabWasm() {
  var size = %d, awkward = [0, 10, 13, 34, 92];
  var text = "%s";
  var bytes = new Uint8Array(size), at = 0, bits = 0, count = 0;
  function take(group) {
    bits = (bits << 7) | group;
    count += 7;
    if (count >= 8) {
      count -= 8;
      if (at < size) bytes[at++] = bits >> count;
      bits &= (1 << count) - 1;
    }
  }
  for (var i = 0; i < text.length; i++) {
    var c = text.charCodeAt(i);
    if (c < 128) {
      take(c);
    } else {
      take(awkward[(c - 128) >> 7]);
      take((c - 128) & 127);
    }
  }
  var inflated = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip"));
  return new Response(inflated).arrayBuffer().then(function (b) { return new Uint8Array(b); });
}
"""


def groups(data):
    """The bits of `data`, first bit first, in groups of seven, the last one
    filled up with zeros."""
    bits = count = 0
    for byte in data:
        bits = (bits << 8) | byte
        count += 8
        while count >= 7:
            count -= 7
            yield (bits >> count) & 127
        bits &= (1 << count) - 1
    if count:
        yield (bits << (7 - count)) & 127


def encode(data):
    seven = list(groups(data))
    text = []
    i = 0
    while i < len(seven):
        if seven[i] in AWKWARD:
            # The next group rides along (a zero past the end, which the
            # decoder drops with the bits beyond `size`).
            after = seven[i + 1] if i + 1 < len(seven) else 0
            text.append(chr(128 + (AWKWARD.index(seven[i]) << 7 | after)))
            i += 2
        else:
            text.append(chr(seven[i]))
            i += 1
    return "".join(text)


def main():
    zopfli, source, target = sys.argv[1:]
    packed = subprocess.run([zopfli, "--gzip", "-c", source], check=True,
                            stdout=subprocess.PIPE).stdout
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(DECODER % (len(packed), encode(packed)))


if __name__ == "__main__":
    main()
