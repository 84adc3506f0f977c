#!/usr/bin/python3
"""The page's speed in headless Chromium, printed (not a check).

    page_timing.py PAGE_FOLDER

Prints the time from navigation to the first picture (the page marks itself
ready after its first redraw is on the canvas and the report in Label1), and
the median time per pointer move of a 500-move drag of P(2): from the moment
the move event is dispatched to the document to the moment the page's
handler has redrawn the canvas and rewritten the report, measured inside the
page by a capturing listener on the window and a bubbling one on the
document.
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


def main():
    page = sys.argv[1]

    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Quiet, directory=page))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--no-first-run", "--disable-sync",
              "--user-data-dir=" + tempfile.mkdtemp(prefix="bezierlab-chromium-")]:
        options.add_argument(a)
    d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MARK_READY})
        firsts = []
        for _ in range(5):
            d.get(f"http://127.0.0.1:{server.server_address[1]}/index.html?{time.time()}")
            for _ in range(200):
                first = d.execute_script("return window.__firstPicture")
                if first:
                    break
                time.sleep(0.02)
            firsts.append(first)
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
        server.shutdown()
    print(f"first picture after navigation: median {statistics.median(firsts):.0f} ms "
          f"of {len(firsts)} loads (each: {', '.join(f'{f:.0f}' for f in firsts)})")
    print(f"drag: median {statistics.median(moves):.2f} ms per pointer move to picture and "
          f"report ({len(moves)} moves measured, slowest {max(moves):.2f} ms)")


if __name__ == "__main__":
    main()
