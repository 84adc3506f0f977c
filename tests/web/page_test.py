#!/usr/bin/python3
"""The page in headless Chromium, served on 127.0.0.1 and opened from disk.

    page_test.py PAGE_FOLDER REPORT_TOOL SCREENSHOT.png

Checks, each against the report tool or the window's rules: the start report;
a drag of P(2) with pointer actions (report, caption, the link); a box click;
the range control's keys; the drawing area's keys; undo and redo; the link
after a change and a reload that restores it; a bad link's message; the
accessible names in Chromium's accessibility tree; the canvas's pixels at the
control points; a console free of errors. Keeps a screenshot of the page.
"""
import functools
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE, TOOL, SHOT = sys.argv[1:4]
failures = []


def check(what, got, want):
    if got != want:
        failures.append(f"{what}:\n  got  {got!r}\n  want {want!r}")


def tool_report(*options):
    out = subprocess.run([TOOL, *options], check=True, capture_output=True, text=True).stdout
    return out


def browser():
    options = webdriver.ChromeOptions()
    for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--no-first-run", "--disable-sync",
              "--user-data-dir=" + tempfile.mkdtemp(prefix="bezierlab-chromium-"),
              "--window-size=900,800", "--force-device-scale-factor=1"]:
        options.add_argument(a)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def load(d, url):
    d.get(url)
    for _ in range(100):
        if d.execute_script("return document.body.getAttribute('data-ready')"):
            return
        time.sleep(0.05)
    raise RuntimeError("the page did not start: " + url)


def text(d, element_id):
    return d.execute_script(f"return document.getElementById('{element_id}').textContent")


def report(d):
    return text(d, "Label1")


def fragment(d):
    return d.execute_script("return location.hash")


def drag(d, start, end):
    """Presses at `start` on the drawing area, moves to `end`, releases there."""
    canvas = d.find_element(By.ID, "Picture1")
    chain = ActionChains(d)
    chain.move_to_element_with_offset(canvas, start[0] - 130, start[1] - 130).click_and_hold()
    chain.move_to_element_with_offset(canvas, (start[0] + end[0]) // 2 - 130,
                                      (start[1] + end[1]) // 2 - 130)
    chain.move_to_element_with_offset(canvas, end[0] - 130, end[1] - 130).release().perform()


def pixels_near(d, x, y):
    """The colours of the canvas in the 7 x 7 pixels around (x, y), as 0xRRGGBB."""
    return d.execute_script("""
      const c = document.getElementById('Picture1'), r = c.width / 260;
      const data = c.getContext('2d').getImageData(Math.round((arguments[0] - 3) * r),
          Math.round((arguments[1] - 3) * r), Math.round(7 * r), Math.round(7 * r)).data;
      const out = new Set();
      for (let i = 0; i < data.length; i += 4) out.add((data[i] << 16) | (data[i+1] << 8) | data[i+2]);
      return Array.from(out);""", x, y)


def accessible_names(d):
    tree = d.execute_cdp_cmd("Accessibility.getFullAXTree", {})
    out = {}
    for node in tree["nodes"]:
        role = node.get("role", {}).get("value")
        name = node.get("name", {}).get("value")
        if name:
            out.setdefault(role, []).append(name)
    return out


def exercise(d, url, tag):
    load(d, url)
    start = tool_report()
    check(f"{tag} start report", report(d), start.replace("\n", "\n"))
    check(f"{tag} start Label2", text(d, "Label2"), "オフセット距離：30")
    check(f"{tag} start fragment", fragment(d), "")

    # The control points' circles are drawn where the points are; the middle
    # of the area between them is background.
    for x, y in [(50, 50), (150, 50), (150, 150), (50, 150)]:
        dark = [c for c in pixels_near(d, x, y) if max(c >> 16, (c >> 8) & 255, c & 255) < 0x80]
        check(f"{tag} the circle's dark pixels at ({x},{y})", len(dark) > 0, True)
    check(f"{tag} background at (100,100)", pixels_near(d, 100, 100), [0xEFEFEF])

    drag(d, (150, 150), (200, 120))
    check(f"{tag} report after dragging P(2)", report(d),
          tool_report("--points", "50,50,150,50,200,120,50,150"))
    check(f"{tag} caption after the drag", text(d, "captionText"),
          "ベジェ曲線の長さ計算サンプル - (200,120)")
    check(f"{tag} title after the drag", d.title, "ベジェ曲線の長さ計算サンプル - (200,120)")
    time.sleep(0.3)
    check(f"{tag} link after the drag", fragment(d),
          "#points=50,50,150,50,200,120,50,150&divisions=1000&approximate=1&accurate=1&distance=30")

    d.find_element(By.ID, "Check1_0").click()
    check(f"{tag} report after ticking 10分割", report(d),
          tool_report("--points", "50,50,150,50,200,120,50,150", "--divisions", "10,1000"))

    scroll = d.find_element(By.ID, "HScroll1")
    scroll.send_keys(Keys.ARROW_RIGHT)
    check(f"{tag} Label2 after Right", text(d, "Label2"), "オフセット距離:31")
    scroll.send_keys(Keys.ARROW_UP)
    scroll.send_keys(Keys.PAGE_UP)
    check(f"{tag} Label2 after Up, PageUp", text(d, "Label2"), "オフセット距離:29")
    scroll.send_keys(Keys.END)
    check(f"{tag} Label2 after End", text(d, "Label2"), "オフセット距離:50")
    scroll.send_keys(Keys.HOME)
    check(f"{tag} Label2 after Home", text(d, "Label2"), "オフセット距離:0")

    canvas = d.find_element(By.ID, "Picture1")
    canvas.send_keys("3")
    canvas.send_keys(Keys.ARROW_LEFT)
    canvas.send_keys(Keys.SHIFT + Keys.ARROW_DOWN)
    canvas.send_keys(Keys.ESCAPE)
    after_keys = tool_report("--points", "50,50,150,50,199,130,50,150", "--divisions", "10,1000",
                             "--distance", "0")
    check(f"{tag} report after 3, Left, Shift+Down", report(d), after_keys)

    # Undo: the key moves of one point make one step.
    ActionChains(d).key_down(Keys.CONTROL).send_keys("z").key_up(Keys.CONTROL).perform()
    check(f"{tag} report after undoing the key moves", report(d),
          tool_report("--points", "50,50,150,50,200,120,50,150", "--divisions", "10,1000",
                      "--distance", "0"))
    ActionChains(d).key_down(Keys.CONTROL).send_keys("y").key_up(Keys.CONTROL).perform()
    check(f"{tag} report after redo", report(d), after_keys)

    # The link carries the state through a reload.
    time.sleep(0.3)
    link = fragment(d)
    check(f"{tag} link after the keys", link,
          "#points=50,50,150,50,199,130,50,150&divisions=10,1000&approximate=1&accurate=1&distance=0")
    d.refresh()
    load(d, d.current_url)
    check(f"{tag} report after a reload", report(d), after_keys)
    check(f"{tag} Label2 after a reload", text(d, "Label2"), "オフセット距離:0")

    # F2: the plot and the rows of the four counts, for the state shown.
    ActionChains(d).send_keys(Keys.F2).perform()
    rows = text(d, "plotRows").split("\n")
    check(f"{tag} F2's rows", [r.split("：")[0] for r in rows], ["10分割", "100分割", "1000分割", "10000分割"])
    check(f"{tag} F2's row of 100 divisions", rows[1].startswith("100分割：99点、長さ "), True)
    ActionChains(d).send_keys(Keys.F2).perform()

    names = accessible_names(d)
    check(f"{tag} the area's accessible name", "ベジェ曲線の描画領域" in names.get("image", []), True)
    check(f"{tag} the range control's name", "オフセット距離" in names.get("slider", []), True)
    check(f"{tag} the boxes' names", set(names.get("checkbox", [])),
          {"10分割", "100分割", "1000分割", "10000分割", "近似オフセット曲線（黄）",
           "正確なオフセット曲線（青）"})


def save_open_paste(d, base, folder):
    """Save downloads the window's state file; Open reads it back; a paste of
    JSON the window cannot reach is refused with the window's words."""
    load(d, base + "#points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=0&distance=12")
    d.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder})
    d.find_element(By.ID, "save").click()
    saved = os.path.join(folder, "bezierlab-state.bezierlab")
    for _ in range(100):
        if os.path.exists(saved):
            break
        time.sleep(0.05)
    with open(saved, encoding="utf-8") as f:
        text = f.read()
    state_report = tool_report("--points", "20,200,90,15,240,30,130,250", "--divisions",
                               "10,1000", "--no-accurate", "--distance", "12")
    check("the report tool reads the saved file", tool_report("--state", saved), state_report)
    check("Save writes the window's JSON", '"distance": 12,' in text and text.endswith("}\n"), True)
    d.find_element(By.ID, "Check1_3").click()
    d.find_element(By.ID, "file").send_keys(saved)
    time.sleep(0.3)
    check("Open reads the saved state back", report(d), state_report)
    paste = """
      const data = new DataTransfer();
      data.setData('text/plain', arguments[0]);
      document.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data}));"""
    d.execute_script(paste, '{"state": {"points": [[5,5],[255,255],[5,255],[300,5]]}}')
    check("a paste beyond the reach is refused", text_of_message(d),
          "状態を貼り付けられません: P(3) の x = 300 はウィンドウで動かせる範囲（5 から 255）の外です")
    # The state that stops the yellow curve's computation on an error.
    d.execute_script(paste, '{"state": {"points": [[5,5],[255,255],[5,255],[255,5]]}}')
    check("a failing state's report", report(d),
          tool_report("--points", "5,5,255,255,5,255,255,5"))


def failing_handler(d, base):
    """An error that leaves one of the core's handlers drops that event, as at
    the window's boundary: the page shows what it showed and handles the next
    event as usual."""
    load(d, base)
    move = "Page.core().move(arguments[0], arguments[1]); Page.show(false);"
    d.execute_script(move, 30, 40)
    before = (report(d), text(d, "captionText"))
    # A position beyond 32 bits overflows where the core rounds it to a pixel.
    d.execute_script(move, 1e10, 40)
    check("an event whose handler fails changes nothing", (report(d), text(d, "captionText")),
          before)
    d.execute_script(move, 31, 40)
    check("the event after it is handled", text(d, "captionText"),
          "ベジェ曲線の長さ計算サンプル - (31,40)")


def text_of_message(d):
    return text(d, "message")


def bad_link(d, base):
    d.get("about:blank")
    load(d, base + "#points=1,2,3")
    message = text(d, "message")
    check("a bad link leaves the start state", report(d), tool_report())
    check("a bad link's message names the member", "\"points\"" in message, True)
    d.get("about:blank")
    load(d, base + "#distance=30&points=20,200,90,15,240,30,130,250")
    check("a link with distance 30 keeps Label2", text(d, "Label2"), "オフセット距離：30")
    check("that link's report", report(d), tool_report("--points", "20,200,90,15,240,30,130,250"))


def console_errors(d):
    return [e for e in d.get_log("browser") if e["level"] in ("SEVERE", "ERROR")]


def main():
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=PAGE)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    served = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    from_disk = "file://" + os.path.abspath(os.path.join(PAGE, "index.html"))
    d = browser()
    try:
        for url, tag in [(served, "served"), (from_disk, "file://")]:
            exercise(d, url, tag)
            bad_link(d, url)
            save_open_paste(d, url, tempfile.mkdtemp(prefix="bezierlab-saved-"))
            failing_handler(d, url)
            check(f"{tag} console errors", console_errors(d), [])
        load(d, served)
        drag(d, (150, 150), (200, 120))
        d.save_screenshot(SHOT)
    finally:
        d.quit()
        server.shutdown()
    if failures:
        print("page_test: FAILED\n" + "\n".join(failures))
        return 1
    print("page_test: every check passed (served on 127.0.0.1 and from file://)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
