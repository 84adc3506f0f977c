#!/usr/bin/python3
"""The page's speed in headless Chromium, printed (not a check).

    page_timing.py PAGE_FOLDER

Prints the time from navigation to the first picture (the page marks itself
ready after its first redraw is on the canvas and the report in Label1), and
the median time per pointer move of a 500-move drag of P(2): from the moment
the move event is dispatched to the document to the moment the page's
handler has redrawn the canvas and rewritten the report, measured inside the
page by a capturing listener on the window and a bubbling one on the
document. Then the same two on a phone: Chromium's emulation of a 360 x 740
screen at ratio 3 with touch, its CPU throttled 4 times (a mid-range phone),
the drag a finger's (DevTools touch events), then again with the offset
view open.
"""
import functools
import http.server
import statistics
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

MOVES = 500

MARK_READY = """
new MutationObserver(function (changes, observer) {
  if (document.body && document.body.getAttribute('data-ready')) {
    window.__firstPicture = performance.now();
    observer.disconnect();
  }
}).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-ready'] });
"""

MEASURE_MOVES = """
window.__moves = [];
var t0 = 0;
window.addEventListener('pointermove', function () { t0 = performance.now(); }, true);
document.addEventListener('pointermove', function () {
  window.__moves.push(performance.now() - t0);
}, false);
"""

# Where P(2) lies on the screen, in CSS pixels of the visual viewport, and
# how many CSS pixels one of the area's pixels is: the area may be scaled.
P2_ON_SCREEN = """
var r = document.getElementById('Picture1').getBoundingClientRect();
var s = r.width / 260;
return [r.left + 150 * s, r.top + 150 * s, s];
"""


def chromium(extra=None):
    options = webdriver.ChromeOptions()
    for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--no-first-run", "--disable-sync",
              "--user-data-dir=" + tempfile.mkdtemp(prefix="bezierlab-chromium-")]:
        options.add_argument(a)
    if extra:
        extra(options)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def first_pictures(d, url):
    d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MARK_READY})
    firsts = []
    for _ in range(5):
        d.get(f"{url}?{time.time()}")
        for _ in range(500):
            first = d.execute_script("return window.__firstPicture")
            if first:
                break
            time.sleep(0.02)
        firsts.append(first)
    return firsts


def phone(url):
    """The first pictures and the moves of a finger's drag on an emulated phone."""
    def emulate(options):
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": 360, "height": 740, "pixelRatio": 3.0, "touch": True}})
    d = chromium(emulate)
    try:
        d.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
        firsts = first_pictures(d, url)
        d.execute_script(MEASURE_MOVES)
        x, y, s = d.execute_script(P2_ON_SCREEN)

        def touch(kind, px, py):
            points = [] if kind == "touchEnd" else [{"x": px, "y": py, "id": 1}]
            d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
        def drag():
            d.execute_script("window.__moves = []")
            touch("touchStart", x, y)
            for i in range(MOVES // 5):
                touch("touchMove", x + s * ((i % 40) - 20), y + s * (20 - (i % 30)))
            touch("touchEnd", x, y)
            return d.execute_script("return window.__moves")
        moves = drag()
        # The same drag with the offset view open: its study runs in a worker,
        # the page paints what the worker sends back.
        d.execute_script("document.getElementById('showOffsets').click()")
        time.sleep(1)
        x, y, s = d.execute_script(P2_ON_SCREEN)
        offset_moves = drag()
    finally:
        d.quit()
    return firsts, moves, offset_moves


def print_figures(where, firsts, moves):
    print(f"{where}first picture after navigation: median {statistics.median(firsts):.0f} ms "
          f"of {len(firsts)} loads (each: {', '.join(f'{f:.0f}' for f in firsts)})")
    if moves:
        print(f"{where}drag: median {statistics.median(moves):.2f} ms per pointer move to "
              f"picture and report ({len(moves)} moves measured, slowest {max(moves):.2f} ms)")
    else:
        print(f"{where}drag: no pointer move reached the page")


def main():
    page = sys.argv[1]

    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Quiet, directory=page))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    d = chromium()
    try:
        firsts = first_pictures(d, url)
        d.execute_script(MEASURE_MOVES)
        canvas = d.find_element(By.ID, "Picture1")
        chain = ActionChains(d, duration=0)
        chain.move_to_element_with_offset(canvas, 20, 20).click_and_hold()
        for i in range(MOVES):
            chain.move_to_element_with_offset(canvas, 20 + (i % 100) - 50, 20 - (i % 80) + 40)
        chain.release().perform()
        moves = d.execute_script("return window.__moves")
    finally:
        d.quit()
    try:
        phone_firsts, phone_moves, offset_moves = phone(url)
    finally:
        server.shutdown()
    print_figures("", firsts, moves)
    print_figures("phone (360 x 740, ratio 3, touch, CPU 4x slower): ", phone_firsts, phone_moves)
    print(f"  with the offset view open: drag: median {statistics.median(offset_moves):.2f} ms per "
          f"move ({len(offset_moves)} moves, slowest {max(offset_moves):.2f} ms)")
    print("  goals on the phone: first picture <= 300 ms, drag <= 2 ms per move")


if __name__ == "__main__":
    main()
