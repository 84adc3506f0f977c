#!/usr/bin/python3
"""The page in headless Chromium, served on 127.0.0.1 and opened from disk.

    page_test.py PAGE_FOLDER REPORT_TOOL SCREENSHOT.png

Checks, each against the report tool or the window's rules, in a browser that
prefers Japanese: the start report; a drag of P(2) with pointer actions
(report, caption, the link); a box click; the range control's keys; the
drawing area's keys; undo and redo; a thumb drag of the range control as one
undo step, the state keys waiting while it is held; drags with the right and
middle buttons, no context menu over the area; the link after a change and a reload that
restores it; a bad link's message; Save, Open and the paste of JSON and of a
line of options; the accessible names in Chromium's accessibility tree; the
canvas's pixels at the control points; a console free of errors; a link that
names its language. In a browser that prefers English: the English texts, no
Japanese outside the language switch, and the switch. Keeps a screenshot of
the page in each language (the English one beside the other, named *-en.png).
On emulated touch screens (a phone, a tablet, the phone turned, and narrow
widths), in both languages: the layout, the targets, touch drags, swipes and
taps; their screenshots go to artefacts/ beside the page's.
"""
import functools
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE, TOOL, SHOT = sys.argv[1:4]
WEB = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web")
failures = []
# Every folder the test makes (the browsers' profiles, the served copies, the
# downloads) lies in this one, which the test removes when it ends.
TEMP = tempfile.mkdtemp(prefix="bezierlab-page-test-")


def check(what, got, want):
    if got != want:
        failures.append(f"{what}:\n  got  {got!r}\n  want {want!r}")


def soon(get, done, seconds=20):
    """get()'s value once done(value) holds, or its last value after `seconds`:
    the page answers some events a little later (a file read, the link, a
    worker), more so on a loaded machine, so the test waits for the answer
    rather than for a fixed time."""
    end = time.monotonic() + seconds
    while True:
        value = get()
        if done(value) or time.monotonic() > end:
            return value
        time.sleep(0.02)


def check_soon(what, get, want):
    check(what, soon(get, lambda got: got == want), want)


def tool_report(*options):
    out = subprocess.run([TOOL, *options], check=True, capture_output=True, text=True).stdout
    return out


# Japanese and full-width characters, as the catalogue check looks for them.
JAPANESE = re.compile("[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]")


def browser(languages):
    """Chromium whose preferred languages (navigator.languages) are `languages`."""
    options = webdriver.ChromeOptions()
    options.add_experimental_option("prefs", {"intl.accept_languages": languages})
    for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--no-first-run", "--disable-sync",
              "--user-data-dir=" + tempfile.mkdtemp(prefix="chromium-", dir=TEMP),
              "--window-size=900,800", "--force-device-scale-factor=1"]:
        options.add_argument(a)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def load(d, url):
    d.get(url)
    if soon(lambda: d.execute_script("return document.body.getAttribute('data-ready')"), bool):
        return
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


def accessible_names(d, member="name"):
    tree = d.execute_cdp_cmd("Accessibility.getFullAXTree", {})
    out = {}
    for node in tree["nodes"]:
        role = node.get("role", {}).get("value")
        name = node.get(member, {}).get("value")
        if name:
            out.setdefault(role, []).append(name)
    return out


def japanese_shown(d):
    """The page's visible texts, accessible names and descriptions that hold
    Japanese, but for the language switch's own "日本語"."""
    texts = [d.execute_script("return document.body.innerText"), d.title]
    for member in ("name", "description"):
        texts += [n for names in accessible_names(d, member).values() for n in names]
    return [t for t in texts if JAPANESE.search(t.replace("日本語", ""))]


def switch(d, name):
    d.find_element(By.ID, "lang_" + name).click()


def pressed(d):
    return [b.get_attribute("aria-pressed") for b in d.find_elements(By.CSS_SELECTOR, "#language button")]


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
    check_soon(f"{tag} link after the drag", lambda: fragment(d),
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
    check_soon(f"{tag} link after the keys", lambda: fragment(d),
               "#points=50,50,150,50,199,130,50,150&divisions=10,1000&approximate=1&accurate=1"
               "&distance=0")
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
    JSON or of a line of options is taken as the window takes it, and one the
    window cannot take is refused with the window's words."""
    load(d, base + "#points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=0&distance=12")
    d.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder})
    d.find_element(By.ID, "save").click()
    saved = os.path.join(folder, "bezierlab-state.bezierlab")
    soon(lambda: os.path.exists(saved), bool)
    with open(saved, encoding="utf-8") as f:
        text = f.read()
    state_report = tool_report("--points", "20,200,90,15,240,30,130,250", "--divisions",
                               "10,1000", "--no-accurate", "--distance", "12")
    check("the report tool reads the saved file", tool_report("--state", saved), state_report)
    check("Save writes the window's JSON", '"distance": 12,' in text and text.endswith("}\n"), True)
    d.find_element(By.ID, "Check1_3").click()
    d.find_element(By.ID, "file").send_keys(saved)
    check_soon("Open reads the saved state back", lambda: report(d), state_report)
    # Open reads a state file as the window does: its JSON alone, and nothing
    # beyond 1 MiB, in the window's words; neither changes the state.
    line = os.path.join(folder, "line.bezierlab")
    with open(line, "w", encoding="utf-8") as f:
        f.write("--distance 3\n")
    tool = subprocess.run([os.path.abspath(TOOL), "--state", "line.bezierlab"],
                          capture_output=True, text=True, cwd=folder)
    d.find_element(By.ID, "file").send_keys(line)
    check_soon("Open refuses a file that holds no JSON, as the tool does",
               lambda: text_of_message(d),
               "状態ファイルを開けません: " + tool.stderr.split("--state の")[1].strip())
    # The file's bytes reach the core's reader as they are: bytes that are no
    # UTF-8 are refused at the same byte as the tool refuses them.
    latin = os.path.join(folder, "latin.bezierlab")
    with open(latin, "wb") as f:
        f.write(b'{"state":{"distance":12},"note":"caf\xe9"}')
    tool = subprocess.run([os.path.abspath(TOOL), "--state", "latin.bezierlab"],
                          capture_output=True, text=True, cwd=folder)
    d.find_element(By.ID, "file").send_keys(latin)
    check_soon("Open refuses a file that is no UTF-8, as the tool does",
               lambda: (text_of_message(d), report(d)),
               ("状態ファイルを開けません: " + tool.stderr.split("--state の")[1].strip(),
                state_report))
    big = os.path.join(folder, "big.bezierlab")
    with open(big, "w", encoding="utf-8") as f:
        f.write(" " * (1 << 20) + '{"state": {}}')
    d.find_element(By.ID, "file").send_keys(big)
    check_soon("Open refuses a file beyond 1 MiB", lambda: (text_of_message(d), report(d)),
               ("状態ファイルを開けません: 状態ファイル「big.bezierlab」は大きすぎます（1 MiB まで）",
                state_report))
    # A file the window could not show is refused in the words of the option,
    # with the file named as every other refusal of a file names it.
    far = os.path.join(folder, "far.bezierlab")
    with open(far, "w", encoding="utf-8") as f:
        f.write('{"state": {"distance": 70}}')
    d.find_element(By.ID, "file").send_keys(far)
    check_soon("Open names a file beyond the window's reach",
               lambda: (text_of_message(d), report(d)),
               ("状態ファイルを開けません: 状態ファイル「far.bezierlab」: オフセット距離 70 は"
                "ウィンドウでは使えません: 0 から 50 の整数にします", state_report))
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
    # A line of options as Ctrl+Shift+C copies it, with white space around it,
    # pastes as in the window; a bad line and a line beyond the reach are
    # refused in the window's words and change nothing.
    d.execute_script(paste, "\u3000 --points 20,200,90,15,240,30,130,250 --divisions 10,1000 "
                     "--no-accurate --distance 12\r\n")
    check("a pasted line of options", (report(d), text_of_message(d)), (state_report, ""))
    d.execute_script(paste, "--points 20,200,90,15 --distance 7")
    check("a bad line's message", text_of_message(d),
          "状態を貼り付けられません: --points の値「20,200,90,15」は使えません: "
          "50,50,150,50,150,150,50,150 のように整数をコンマ区切りで 8 個書きます（4 個あります）")
    d.execute_script(paste, "--distance 51")
    check("a line beyond the reach", text_of_message(d),
          "状態を貼り付けられません: オフセット距離 51 はウィンドウでは使えません: "
          "0 から 50 の整数にします")
    check("refused lines change nothing", report(d), state_report)
    d.execute_script(paste, "--distance 3" + " " * (1 << 20))
    check("a paste beyond 1 MiB is refused", (text_of_message(d), report(d)),
          ("状態を貼り付けられません: 貼り付けた文字は大きすぎます（1 MiB まで）", state_report))


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


def keyboard_order(d, base):
    """Tab goes through the window's controls in the window's order, then to
    the report, whose analysis then shows as its tip does on hover."""
    load(d, base)
    order = []
    for _ in range(9):
        ActionChains(d).send_keys(Keys.TAB).perform()
        order.append(d.execute_script("return document.activeElement.id"))
    check("Tab's order from the area", order,
          ["Check1_0", "Check1_1", "Check1_2", "Check1_3", "Check2_0", "Check2_1", "HScroll1",
           "Label1", "save"])
    ActionChains(d).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
    shown = d.execute_script("var t = document.getElementById('tip');"
                             "return t.hidden ? null : t.textContent")
    check("the report's analysis on keyboard focus", shown,
          d.execute_script("return Page.core().lengthTip()"))


def held_drags(d, base):
    """A drag of the range control's thumb is one undo step, and the state
    keys wait while the thumb is held; the right and middle buttons drag a
    point as the left does, and no context menu opens over the area."""
    load(d, base)
    scroll = d.find_element(By.ID, "HScroll1")
    width = scroll.size["width"]

    def at(value):  # the offset from the control's middle where `value` lies, near enough
        return round((value - 25) / 50 * (width - 16))

    def ctrl(chain, key):
        return chain.key_down(Keys.CONTROL).send_keys(key).key_up(Keys.CONTROL)

    chain = ActionChains(d).move_to_element_with_offset(scroll, at(30), 0).click_and_hold()
    for value in range(31, 41):
        chain.move_to_element_with_offset(scroll, at(value), 0)
    chain.perform()
    dragged = text(d, "Label2")
    ctrl(ActionChains(d), "z").perform()
    ctrl(ActionChains(d), "r").perform()
    check("Ctrl+Z and Ctrl+R wait while the thumb is held", text(d, "Label2"), dragged)
    ActionChains(d).move_to_element_with_offset(scroll, at(40), 0).release().perform()
    check("the thumb drag moved the distance to 40", text(d, "Label2"), "オフセット距離:40")
    ctrl(ActionChains(d), "z").perform()
    check("one Ctrl+Z undoes the whole thumb drag", text(d, "Label2"), "オフセット距離:30")
    ctrl(ActionChains(d), "y").perform()
    check("Ctrl+Y redoes it", text(d, "Label2"), dragged)
    ctrl(ActionChains(d), "z").perform()

    d.execute_script("""window.menus = [];
      document.addEventListener('contextmenu', e => menus.push(e.defaultPrevented));""")
    canvas = d.find_element(By.ID, "Picture1")
    for button, start, end in [(MouseButton.RIGHT, (150, 150), (200, 120)),
                               (MouseButton.MIDDLE, (150, 50), (170, 30))]:
        action = ActionBuilder(d)
        action.pointer_action.move_to(canvas, start[0] - 130, start[1] - 130)
        action.pointer_action.pointer_down(button=button)
        action.pointer_action.move_to(canvas, end[0] - 130, end[1] - 130)
        action.pointer_action.pointer_up(button=button)
        action.perform()
    check("the right button drags P(2), the middle one P(1)", report(d),
          tool_report("--points", "50,50,170,30,200,120,50,150"))
    menus = d.execute_script("return menus")
    check("a context menu asked for over the area is refused", (len(menus) > 0, all(menus)),
          (True, True))


def drag_across_a_scroll(d, base):
    """The area's place is read once per press: a scroll during a drag reads it
    anew, so the point still lands under the pointer."""
    load(d, base)
    d.execute_script("document.body.style.paddingBottom = '3000px'; window.scrollTo(0, 0)")
    canvas = d.find_element(By.ID, "Picture1")
    action = ActionBuilder(d)
    action.pointer_action.move_to(canvas, 150 - 130, 150 - 130).pointer_down()
    action.pointer_action.move_to(canvas, 160 - 130, 140 - 130)
    action.perform()
    # The scroll's event is dispatched before the next frame's callbacks.
    d.execute_async_script("scrollBy(0, 40); requestAnimationFrame(() => "
                           "requestAnimationFrame(arguments[0]))")
    action = ActionBuilder(d)
    action.pointer_action.move_to(canvas, 200 - 130, 120 - 130).pointer_up()
    action.perform()
    check("a drag across a scroll ends under the pointer", report(d),
          tool_report("--points", "50,50,150,50,200,120,50,150"))


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


def english(d, url, shot):
    """A browser that prefers English: the English page, then the switch."""
    load(d, url)
    check("English start report", report(d), tool_report("--language", "en"))
    check("English start Label2", text(d, "Label2"), "Offset distance: 30")
    check("English box captions",
          [e.text for e in d.find_elements(By.CSS_SELECTOR, ".box span")],
          ["10 div.", "100 div.", "1000 div.", "10000 div.", "Approx. offset (yellow)",
           "Accurate offset (blue)"])
    check("English document", (d.execute_script("return document.documentElement.lang"), d.title),
          ("en", "Bézier curve length and offset curves"))
    check("the switch shows English", pressed(d), ["false", "true"])
    check("the browser's language stays out of the link", fragment(d), "")
    ActionChains(d).send_keys(Keys.F1).perform()
    check("English help's page rows", ["Copy the report" in text(d, "help"),
                                       "picture" in text(d, "help")], [True, False])
    check("Japanese on the English page, the help open", japanese_shown(d), [])
    ActionChains(d).send_keys(Keys.F1).perform()

    drag(d, (150, 150), (200, 120))
    check("English caption after the drag", text(d, "captionText"), "Bézier curve length - (200,120)")
    check("English report after the drag", report(d),
          tool_report("--language", "en", "--points", "50,50,150,50,200,120,50,150"))

    # The switch: every text again in Japanese, the state kept, the link keeps the choice.
    switch(d, "ja")
    check("report after switching to 日本語", report(d),
          tool_report("--points", "50,50,150,50,200,120,50,150"))
    check("caption after switching to 日本語", text(d, "captionText"),
          "ベジェ曲線の長さ計算サンプル - (200,120)")
    check("Label2 after switching to 日本語", text(d, "Label2"), "オフセット距離：30")
    check("<html lang> and the switch after switching to 日本語",
          [d.execute_script("return document.documentElement.lang")] + pressed(d),
          ["ja", "true", "false"])
    check("link after switching to 日本語", fragment(d),
          "#points=50,50,150,50,200,120,50,150&divisions=1000&approximate=1&accurate=1"
          "&distance=30&lang=ja")
    d.refresh()
    load(d, d.current_url)
    check("a reload keeps 日本語 over the browser's English", report(d),
          tool_report("--points", "50,50,150,50,200,120,50,150"))
    switch(d, "en")
    check("link after switching to English", fragment(d).endswith("&distance=30&lang=en"), True)
    check("Japanese on the English page after the switch", japanese_shown(d), [])
    d.save_screenshot(shot)


def link_language(d, base):
    """A browser that prefers Japanese, given a link that names a language."""
    d.get("about:blank")
    load(d, base + "#lang=en")
    check("a link with lang=en under a Japanese browser", report(d), tool_report("--language", "en"))
    d.get("about:blank")
    load(d, base + "#distance=12&lang=xx")
    check("a link with lang=xx", text(d, "message"),
          "リンクの状態を開けません: リンクの \"lang\" の値「xx」は使えません: ja か en を書きます")
    check("that link's state", report(d), tool_report("--distance", "12"))
    switch(d, "en")
    check("its message after switching to English", text(d, "message"),
          "Cannot open the link's state: the link's \"lang\" value \"xx\" cannot be used: "
          "write ja or en")


def device(languages, width, height, ratio):
    """Chromium emulating a touch screen of `width` x `height` CSS px at `ratio`."""
    options = webdriver.ChromeOptions()
    options.add_experimental_option("prefs", {"intl.accept_languages": languages})
    options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
        "width": width, "height": height, "pixelRatio": ratio, "touch": True}})
    for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
              "--disable-component-update", "--no-first-run", "--disable-sync",
              "--user-data-dir=" + tempfile.mkdtemp(prefix="chromium-", dir=TEMP)]:
        options.add_argument(a)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def touches(d, kind, *points):
    """One touch event through the browser's input, at `points` of the visual
    viewport (CSS px): the fingers still down after it."""
    d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [
        {"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})


def swipe(d, start, end, steps=6):
    """A swipe that stops before the finger lifts (no fling), then the page
    left to settle."""
    touches(d, "touchStart", start)
    for k in range(1, steps + 1):
        touches(d, "touchMove", (start[0] + (end[0] - start[0]) * k / steps,
                                 start[1] + (end[1] - start[1]) * k / steps))
    time.sleep(0.2)
    touches(d, "touchMove", end)
    touches(d, "touchEnd")
    settle(d)


def settle(d):
    """Waits until the page's scroll position stays put."""
    last = None
    for _ in range(40):
        now = d.execute_script("return [scrollX, scrollY, visualViewport.offsetTop]")
        if now == last:
            return
        last = now
        time.sleep(0.1)


def tap(d, at):
    touches(d, "touchStart", at)
    touches(d, "touchEnd")


def points_shown(d):
    """The control points the core holds, from its one-line options."""
    line = d.execute_script("return Page.core().stateLine()").split()
    v = [int(n) for n in line[line.index("--points") + 1].split(",")]
    return [tuple(v[i:i + 2]) for i in range(0, 8, 2)]


def grabbed(d):
    return int(d.execute_script("return Page.core().controls()").split()[0])


def area_geometry(d):
    """The canvas's place in the visual viewport (where touches land), its CSS
    width, and its backing store's width."""
    return d.execute_script("""const c = document.getElementById('Picture1'),
        r = c.getBoundingClientRect(), v = visualViewport;
        return [r.left - v.offsetLeft, r.top - v.offsetTop, r.width, c.width];""")


def fits(d, tag):
    """No horizontal scrolling, no text cut off or off the screen, and every
    target at least 24 x 24 CSS px where a finger lands (its hit area)."""
    got = d.execute_script("""
      const root = document.documentElement, width = root.clientWidth;
      const out = {scroll: [root.scrollWidth, width], cut: [], small: []};
      // A text overflows only where its element clips it; every text lies on the screen.
      const texts = [...document.querySelectorAll('.caption, .box, .label, .tools button')];
      for (const e of texts) {
        const range = document.createRange();
        range.selectNodeContents(e);
        const r = range.getBoundingClientRect(), clips = getComputedStyle(e).overflow !== 'visible';
        if (clips && (e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight) ||
            r.left < 0 || r.right > width)
          out.cut.push(e.id || e.className);
      }
      const targets = [...document.querySelectorAll('#Picture1, .box, #HScroll1, #Label1, .tools button')];
      const hits = (e, x, y) => { const h = document.elementFromPoint(x, y); return !!h && e.contains(h); };
      for (const e of targets) {
        e.scrollIntoView({block: 'center', inline: 'center'});
        // The whole CSS pixels that hit it, on a row and a column through its middle.
        const r = e.getBoundingClientRect();
        const cx = Math.round(r.left + r.width / 2), cy = Math.round(r.top + r.height / 2);
        const reach = (dx, dy) => { let k = 0; while (k < 40 && hits(e, cx + dx * (k + 1), cy + dy * (k + 1))) k++; return k; };
        const w = reach(-1, 0) + reach(1, 0) + 1, h = reach(0, -1) + reach(0, 1) + 1;
        if (!hits(e, cx, cy) || w < 24 || h < 24) out.small.push([e.id || e.textContent, w, h]);
      }
      // The tips, shown on focus, stay on the screen too.
      for (const id of ['Label1', 'Check2_0']) {
        document.getElementById(id).focus();
        if (root.scrollWidth > width) out.cut.push('tip of ' + id);
        document.getElementById(id).blur();
      }
      scrollTo(0, 0);
      return out;""")
    check(f"{tag}: no horizontal scrolling", got["scroll"][0] <= got["scroll"][1], True)
    check(f"{tag}: texts cut off or off the screen", got["cut"], [])
    check(f"{tag}: targets under 24 x 24 CSS px", got["small"], [])


def touch_drag(d, tag, frame_width):
    """A finger 10 CSS px from P(2) drags it by its movement in area pixels
    (Δ·260/w, ties to even, clamped), keeping the offset, without scrolling;
    a second finger meanwhile moves nothing; the drag is one undo step. The
    area is first set `frame_width` CSS px wide, its backing store following."""
    if frame_width:
        d.execute_script("document.getElementById('frame').style.setProperty('width', "
                         "arguments[0] + 'px', 'important')", frame_width)
    ratio = d.execute_script("return devicePixelRatio")
    left, top, w, backing = soon(lambda: area_geometry(d), lambda g: g[3] == round(g[2] * ratio))
    check(f"{tag}: backing store = CSS width x ratio", backing, round(w * ratio))
    d.execute_script("document.body.style.paddingBottom = '1500px'; scrollTo(0, 0)")
    s = w / 260
    start = (left + 150 * s + 6, top + 150 * s + 8)  # 10 CSS px from P(2)

    def expect(dx, dy):
        clamp = lambda v: min(255, max(5, v))
        return (clamp(round(150 + dx * 260 / w)), clamp(round(150 + dy * 260 / w)))

    touches(d, "touchStart", start)
    check(f"{tag}: the finger 10 CSS px away grabs P(2)", grabbed(d), 2)
    seen = []
    for dx, dy in [(2, -6), (6, 2), (100, -130)]:
        touches(d, "touchMove", (start[0] + dx, start[1] + dy))
        seen.append((points_shown(d)[2], expect(dx, dy)))
        if dx == 6:  # a second finger comes and goes: the drag ignores it
            touches(d, "touchStart", (start[0] + dx, start[1] + dy), (left + 20, top + 20))
            touches(d, "touchMove", (start[0] + dx, start[1] + dy), (left + 60, top + 90))
            touches(d, "touchMove", (start[0] + dx, start[1] + dy))
            seen.append((points_shown(d)[2], expect(dx, dy)))
    touches(d, "touchEnd")
    check(f"{tag}: P(2) after each move (got, want)", [g for g, _ in seen], [w_ for _, w_ in seen])
    check(f"{tag}: the drag scrolled nothing", d.execute_script("return scrollY"), 0)
    check(f"{tag}: the report after the drag", report(d), tool_report(
        "--points", "50,50,150,50,%d,%d,50,150" % seen[-1][1], *LANGUAGE[tag[-2:]]))
    d.execute_script("Page.core().undo(); Page.show(false)")
    check(f"{tag}: one undo step takes the drag back", points_shown(d)[2], (150, 150))
    # A cancel (the browser takes the touch) ends a drag as a release does.
    touches(d, "touchStart", start)
    touches(d, "touchMove", (start[0] + 8, start[1] + 8))
    d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchCancel", "touchPoints": []})
    moved = expect(8, 8)
    check(f"{tag}: a cancelled drag keeps the point and lets it go",
          (points_shown(d)[2], grabbed(d), d.execute_script("return Page.core().held()")),
          (moved, -1, 0))
    d.execute_script("Page.core().undo(); Page.show(false)")
    check(f"{tag}: one undo step takes the cancelled drag back", points_shown(d)[2], (150, 150))
    return left, top, w


def ratio_change(d, tag, width, height):
    """After a change of the device pixel ratio the next picture has a backing
    store at the new ratio. (The emulated change fires neither the ratio's
    media query nor a resize, so the page's own watch of it is not reached.)"""
    d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 3, "mobile": True})
    time.sleep(0.3)
    d.find_element(By.ID, "Check1_0").click()
    _, _, w, backing = soon(lambda: area_geometry(d), lambda g: g[3] == round(g[2] * 3))
    check(f"{tag}: backing store after the ratio went to 3", backing, round(w * 3))


def swipes(d, tag, left, top, w):
    """A swipe up from an empty part of the area moves nothing, and scrolls
    the page exactly when the same swipe over the report does."""
    left, top, w, _ = area_geometry(d)
    s = w / 260
    before = points_shown(d)
    scrolled = []
    for name, x, y in [("area", left + 230 * s, top + 230 * s), ("report", None, None)]:
        d.execute_script("scrollTo(0, 0)")
        settle(d)
        if x is None:
            r = d.execute_script("return document.getElementById('Label1').getBoundingClientRect()")
            x, y = r["left"] + 20, min(r["top"] + 60, d.execute_script("return innerHeight") - 10)
        swipe(d, (x, y), (x, y - 150))
        scrolled.append(d.execute_script("return scrollY") > 0)
    check(f"{tag}: a swipe from an empty part of the area moves nothing", points_shown(d), before)
    check(f"{tag}: it scrolls (area, report) alike", scrolled[0], scrolled[1])
    d.execute_script("scrollTo(0, 0)")
    settle(d)
    return scrolled[1]


def area_pixel(d, x, y):
    return d.execute_script("""const c = document.getElementById('Picture1'), r = c.width / 260;
      const p = c.getContext('2d').getImageData(Math.floor(arguments[0] * r + r / 2),
          Math.floor(arguments[1] * r + r / 2), 1, 1).data;
      return (p[0] << 16) | (p[1] << 8) | p[2];""", x, y)


def taps(d, tag, left, top, w):
    """A tap on P(1) picks it (drawn filled), a tap elsewhere places it there
    as one undo step, a tap on the picked point lets it go."""
    left, top, w, _ = area_geometry(d)
    s = w / 260
    css = lambda x, y: (left + x * s, top + y * s)
    dark = lambda c: max(c >> 16, (c >> 8) & 255, c & 255) < 0x80
    hollow = area_pixel(d, 149, 51)  # inside P(1)'s circle, off the polygon's lines
    tap(d, css(152, 51))
    check(f"{tag}: a tap on P(1) picks it, drawn filled (picked, dark before, dark after)",
          (grabbed(d), dark(hollow), dark(area_pixel(d, 149, 51))), (1, False, True))
    tap(d, css(100, 200))
    check(f"{tag}: a tap elsewhere places P(1) there, still picked",
          (points_shown(d)[1], grabbed(d)), ((100, 200), 1))
    d.execute_script("Page.core().undo(); Page.show(false)")
    check(f"{tag}: one undo step takes the tap back", points_shown(d)[1], (150, 50))
    d.execute_script("Page.core().redo(); Page.show(false)")
    tap(d, css(100, 200))
    check(f"{tag}: a tap on P(1) picks it again", grabbed(d), 1)
    tap(d, css(101, 199))
    check(f"{tag}: a tap on the picked point lets it go", (grabbed(d), points_shown(d)[1]),
          (-1, (100, 200)))


LANGUAGE = {"ja": ("--language", "ja"), "en": ("--language", "en")}


def touch_screens(base, folder):
    """The page on a phone (360 x 740, ratio 3) and a tablet (768 x 1024,
    ratio 2), and the phone turned, in both languages; screenshots kept."""
    os.makedirs(folder, exist_ok=True)
    for width in [320, 390, 414]:
        for lang in ["ja", "en"]:
            d = device(lang, width, 800, 3)
            try:
                load(d, base)
                fits(d, f"{width} px {lang}")
            finally:
                d.quit()
    for name, width, height, ratio, frame in [("phone", 360, 740, 3, 212),
                                              ("tablet", 768, 1024, 2, None),
                                              ("phone-landscape", 740, 360, 3, None)]:
        for lang in ["ja", "en"]:
            d = device(lang, width, height, ratio)
            try:
                tag = f"{name} {lang}"
                load(d, base)
                check(f"{tag}: one column exactly where the window does not fit",
                      d.execute_script("return document.body.classList.contains('column')"),
                      width < 647)
                fits(d, tag)
                d.save_screenshot(os.path.join(folder, f"{name}-{lang}.png"))
                if name == "phone-landscape":
                    continue
                geometry = touch_drag(d, tag, frame)
                if not swipes(d, tag, *geometry):
                    print(f"page_test: {tag}: the emulated swipe scrolled neither the area nor the report")
                taps(d, tag, *geometry)
                if name == "tablet":
                    ratio_change(d, tag, width, height)
                check(f"{tag} console errors", console_errors(d), [])
            finally:
                d.quit()


def tool_offsets(points, language="ja"):
    """The offset study's lines as the report tool prints them for `points` at distance 50."""
    out = tool_report("--language", language, "--points", points, "--divisions", "",
                      "--distance", "50", "--offsets")
    return out[out.index("\n\n\n") + 3:].rstrip("\n")


def offset_view(d, base, tag):
    """F3 and the button showOffsets open and close the offset view, which
    shows the study of the state shown (the tool's --offsets lines, the
    two-cusp state's two cusps), runs the study only while open, at most once
    per interval during a drag, in a worker when served and on the main
    thread from disk, and speaks the page's language."""
    load(d, base + "#points=50,150,150,150,150,50,50,50&divisions=&distance=50")
    view = d.find_element(By.ID, "offsets")
    button = d.find_element(By.ID, "showOffsets")
    studies = lambda: int(view.get_attribute("data-studies") or 0)
    check(f"{tag} offset view at start", (view.is_displayed(), studies()), (False, 0))
    drag(d, (150, 150), (160, 140))
    time.sleep(0.3)
    check(f"{tag} studies while the view is closed", studies(), 0)
    ActionChains(d).send_keys(Keys.F3).perform()
    soon(studies, lambda n: n >= 1)
    check(f"{tag} F3 opens the offset view", (view.is_displayed(), studies()), (True, 1))
    check(f"{tag} the button's state after F3", button.get_attribute("aria-expanded"), "true")
    check(f"{tag} where the study runs", view.get_attribute("data-where"),
          "main" if base.startswith("file:") else "worker")
    check(f"{tag} the button's text", button.text, "オフセットの誤差")
    rows = text(d, "offsetRows")
    check(f"{tag} the offset view's text", rows, tool_offsets("50,150,160,140,150,50,50,50"))
    # The drag above moved P(1) to (160,140): undo gives the two-cusp state back.
    ActionChains(d).key_down(Keys.CONTROL).send_keys("z").key_up(Keys.CONTROL).perform()
    soon(lambda: text(d, "offsetRows"), lambda rows: "0.3033" in rows)
    two = text(d, "offsetRows")
    check(f"{tag} the two-cusp state's text", two, tool_offsets("50,150,150,150,150,50,50,50"))
    said = d.execute_script(
        "return document.getElementById('offsetCurve').getAttribute('aria-description')")
    worst = re.search(r"最大 ([0-9.]+)", two).group(1)
    check(f"{tag} the two-cusp state's marks for a screen reader",
          (said.startswith("青の曲線の尖点 2 個（t = 0.3033、0.6967）。"), said.endswith("ずれ " + worst)),
          (True, True))
    painted = d.execute_script("""
      const c = document.getElementById('offsetPlot');
      const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      const colours = new Set();
      for (let i = 0; i < data.length; i += 4) colours.add((data[i] << 16) | (data[i+1] << 8) | data[i+2]);
      return [c.width, c.height, colours.size > 20, c.getAttribute('aria-description')];""")
    check(f"{tag} the offset plot painted from the core's figure, its caption told",
          painted, [640, 400, True, "\n".join(two.split("\n")[-2:])])
    curve = d.execute_script("return document.getElementById('offsetCurve').toDataURL()")
    area = d.execute_script("return document.getElementById('Picture1').toDataURL()")
    check(f"{tag} the curve view marks more than the area shows", curve != area, True)

    # A drag of 40 moves over about a second: far fewer studies than moves.
    before = studies()
    canvas = d.find_element(By.ID, "Picture1")
    chain = ActionChains(d, duration=5).move_to_element_with_offset(canvas, 20, 20).click_and_hold()
    for i in range(1, 41):
        chain.move_to_element_with_offset(canvas, 150 - i - 130, 150 + i - 130).pause(0.02)
    started = time.monotonic()
    chain.release().perform()
    elapsed = time.monotonic() - started
    during = studies() - before
    check(f"{tag} studies during a drag of {elapsed:.2f} s at most one per 100 ms",
          during <= elapsed / 0.1 + 2, True)
    soon(lambda: text(d, "offsetRows"), lambda rows: rows != two)
    check(f"{tag} the study after the drag follows the state",
          text(d, "offsetRows") != two and report(d) == tool_report(
              "--points", "50,150,110,190,150,50,50,50", "--divisions", "", "--distance", "50"),
          True)

    # F3 again closes it, and then nothing is studied; the button opens it again.
    ActionChains(d).send_keys(Keys.F3).perform()
    closed = studies()
    drag(d, (110, 190), (120, 180))
    time.sleep(0.3)
    check(f"{tag} F3 closes the offset view", (view.is_displayed(), studies()), (False, closed))
    button.click()
    soon(studies, lambda n: n > closed)
    check(f"{tag} the button opens the offset view", (view.is_displayed(), studies()),
          (True, closed + 1))
    switch(d, "en")
    soon(lambda: text(d, "offsetRows"), lambda rows: not JAPANESE.search(rows))
    check(f"{tag} the offset view in English", (button.text, text(d, "offsetRows")),
          ("Offset error", tool_offsets("50,150,120,180,150,50,50,50", "en")))
    switch(d, "ja")
    button.click()
    check(f"{tag} the button closes the offset view",
          (view.is_displayed(), button.get_attribute("aria-expanded")), (False, "false"))


BUTTONS = ["undo", "redo", "reset", "showHelp", "showPlot", "copyReport", "copyLine", "paste",
           "share"]


def enabled(d):
    return {b: d.find_element(By.ID, b).is_enabled() for b in ("undo", "redo", "reset")}


def clipboard(d):
    return d.execute_async_script(
        "navigator.clipboard.readText().then(arguments[0], () => arguments[0](null))")


def buttons(d, base):
    """The buttons beside Save and Open do what their keys do, each checked
    against the report tool or the core's own text; undo, redo and reset are
    disabled when they have no step; Tab reaches every enabled one after
    Open; paste falls back to a field, share to a copy that the page names."""
    load(d, base)
    origin = re.match(r"https?://[^/]+", base).group(0)
    d.execute_cdp_cmd("Browser.grantPermissions", {
        "origin": origin, "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    start = tool_report()
    ticked = tool_report("--divisions", "10,1000")
    check("undo, redo, reset at the start", enabled(d),
          {"undo": False, "redo": False, "reset": False})
    d.find_element(By.ID, "Check1_0").click()
    check("undo, redo, reset after a change", enabled(d), {"undo": True, "redo": False, "reset": True})
    d.find_element(By.ID, "undo").click()
    check("the undo button", (report(d), enabled(d)),
          (start, {"undo": False, "redo": True, "reset": False}))
    d.find_element(By.ID, "redo").click()
    check("the redo button", (report(d), enabled(d)),
          (ticked, {"undo": True, "redo": False, "reset": True}))
    d.find_element(By.ID, "reset").click()
    check("the reset button", (report(d), enabled(d)),
          (start, {"undo": True, "redo": False, "reset": False}))
    d.find_element(By.ID, "undo").click()
    check("undo after the reset button", report(d), ticked)

    order = []
    d.execute_script("document.getElementById('open').focus()")
    for _ in range(9):
        ActionChains(d).send_keys(Keys.TAB).perform()
        order.append(d.execute_script("return document.activeElement.id"))
    check("Tab's order after Open", order,
          ["undo", "redo", "reset", "showHelp", "showPlot", "copyReport", "copyLine", "paste",
           "share"])

    for button, panel, key in [("showHelp", "help", Keys.F1), ("showPlot", "plot", Keys.F2)]:
        d.find_element(By.ID, button).click()
        shown = d.execute_script(f"return !document.getElementById('{panel}').hidden")
        check(f"{button} opens its panel", (shown, d.find_element(By.ID, button)
                                            .get_attribute("aria-expanded")), (True, "true"))
        ActionChains(d).send_keys(key).perform()
        check(f"{key!r} closes what {button} opened, and the button says so",
              (d.execute_script(f"return document.getElementById('{panel}').hidden"),
               d.find_element(By.ID, button).get_attribute("aria-expanded")), (True, "false"))
    d.find_element(By.ID, "showPlot").click()
    check("showPlot's rows", len(text(d, "plotRows").split("\n")), 4)
    d.find_element(By.ID, "showPlot").click()
    d.find_element(By.ID, "showHelp").click()
    check("showHelp's table is F1's", d.execute_script(
        "return document.querySelectorAll('#help tr').length"),
        len(d.execute_script("return Page.texts().help")))
    d.find_element(By.ID, "showHelp").click()

    # The copies: what the key copies, from the same copy; the page says so.
    copied = {}
    for button, key in [("copyReport", "c"), ("copyLine", "C")]:
        d.execute_script("document.getElementById('Label2').focus()")
        chain = ActionChains(d).key_down(Keys.CONTROL)
        if key == "C":
            chain.key_down(Keys.SHIFT)
        chain.send_keys("c").key_up(Keys.CONTROL).key_up(Keys.SHIFT).perform()
        by_key = clipboard(d)
        d.execute_async_script("navigator.clipboard.writeText('-').then(arguments[0])")
        d.find_element(By.ID, button).click()
        copied[button] = clipboard(d)
        check(f"{button} copies what its key copies", (copied[button], text(d, "status")),
              (by_key, "コピーしました"))
    check("copyReport copies the report", copied["copyReport"].replace("\r\n", "\n"), ticked)
    line = copied["copyLine"]
    check("copyLine copies the one-line options",
          tool_report(*line.split()), ticked)
    d.find_element(By.ID, "reset").click()
    d.find_element(By.ID, "paste").click()
    check_soon("paste takes the clipboard's line", lambda: report(d), ticked)
    # The link follows the state within its interval: share once it holds still.
    held = {"link": None, "since": time.monotonic()}

    def still(link):
        if link != held["link"]:
            held.update(link=link, since=time.monotonic())
        return time.monotonic() - held["since"] > 0.5

    soon(lambda: fragment(d), still)
    d.find_element(By.ID, "share").click()
    if d.execute_script("return !navigator.share"):
        check("share without the Web Share API copies the link",
              (clipboard(d), text(d, "status")), (d.current_url, "リンクをコピーしました"))
    # Where the browser does not let the page read its clipboard, a field.
    d.find_element(By.ID, "reset").click()
    d.execute_script("navigator.clipboard.readText = () => Promise.reject(new Error('no'))")
    d.find_element(By.ID, "paste").click()
    field = d.find_element(By.ID, "pasteField")
    soon(field.is_displayed, bool)
    check("paste's field when the clipboard cannot be read",
          (field.is_displayed(), d.execute_script("return document.activeElement.id")),
          (True, "pasteField"))
    d.execute_script("""
      const data = new DataTransfer();
      data.setData('text/plain', arguments[0]);
      arguments[1].dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true,
                                                              cancelable: true}));""", line, field)
    check("a paste into the field", (report(d), field.is_displayed()), (ticked, False))

    names = accessible_names(d).get("button", [])
    check("the buttons' accessible names", [n for n in names if n in (
        "元に戻す", "やり直す", "最初の状態", "ヘルプ", "収束のグラフ", "レポートをコピー",
        "1 行のオプションをコピー", "貼り付け", "リンクを共有")],
          ["元に戻す", "やり直す", "最初の状態", "ヘルプ", "収束のグラフ", "レポートをコピー",
           "1 行のオプションをコピー", "貼り付け", "リンクを共有"])
    switch(d, "en")
    check("the buttons in English", [d.find_element(By.ID, b).text for b in BUTTONS],
          ["Undo", "Redo", "Reset", "Help", "Convergence plot", "Copy report",
           "Copy options line", "Paste", "Share link"])
    switch(d, "ja")


def touch(d, element_id, hold=0.0):
    """A finger on the middle of the element (scrolled into view), held for `hold` s."""
    x, y = d.execute_script("""
      const e = document.getElementById(arguments[0]);
      e.scrollIntoView({block: 'center'});
      const r = e.getBoundingClientRect(), v = window.visualViewport;
      // The touch's coordinates are the visual viewport's, which may be zoomed.
      return [(r.left + Math.min(r.width / 2, 20) - v.offsetLeft) * v.scale,
              (r.top + r.height / 2 - v.offsetTop) * v.scale];""", element_id)
    point = [{"x": x, "y": y, "id": 1}]
    d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point})
    time.sleep(hold)
    d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
    time.sleep(0.15)


def tip_shown(d):
    return d.execute_script("var t = document.getElementById('tip');"
                            "return t.hidden ? null : t.textContent")


def touch_tips(base):
    """On a touch screen: a tap on the report shows its length analysis, a
    second tap hides it, and so does a tap elsewhere; a long press on the
    yellow box shows its figures and leaves the box as it was, while a tap
    toggles it and hides the tip."""
    d = device("ja", 360, 740, 3)
    try:
        load(d, base)
        length = d.execute_script("return Page.core().lengthTip()")
        deviation = d.execute_script("return Page.core().deviationTip()")
        touch(d, "Label1")
        check_soon("a tap on the report shows its analysis", lambda: tip_shown(d), length)
        touch(d, "Label1")
        check("a second tap hides it", tip_shown(d), None)
        touch(d, "Label1")
        touch(d, "Label2")
        check("a tap elsewhere hides it", tip_shown(d), None)
        touch(d, "box2_0", hold=0.9)
        check_soon("a long press on the yellow box shows its figures, the box as it was",
                   lambda: (tip_shown(d), d.find_element(By.ID, "Check2_0").is_selected()),
                   (deviation, True))
        touch(d, "box2_0")
        check("a tap then toggles the box and hides the tip",
              (tip_shown(d), d.find_element(By.ID, "Check2_0").is_selected()), (None, False))
        check("touch tips: console errors", console_errors(d), [])
    finally:
        d.quit()


def serve(folder):
    """Serves `folder` with no caching by the browser: the worker's is the only cache."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def end_headers(self):
            self.send_header("Cache-Control", "no-store")
            super().end_headers()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


def worker_ready(d, build):
    """Waits until the worker of `build` (its cache's name) is active and alone."""
    return soon(lambda: d.execute_async_script("""
        const done = arguments[1];
        navigator.serviceWorker.getRegistration().then(r => caches.keys().then(k =>
          done(!!r && !!r.active && !r.installing && !r.waiting && k.includes(arguments[0]))));
        """, "bezierlab-" + build), bool, seconds=60)


def build_of(folder):
    with open(os.path.join(folder, "sw.js"), encoding="utf-8") as f:
        return re.search(r'var BUILD = "([0-9a-f]+)"', f.read()).group(1)


def marks(d):
    """What the test's rebuild changed: a mark in index.html and one in keys.js."""
    return d.execute_script("return [!!document.querySelector('meta[name=rebuilt]'),"
                            " window.REBUILT === true]")


def offline():
    """Served: the manifest (the window's grey, icons of their sizes with no
    time stamps); after one visit the page opens with the server gone, the
    link's state included. After a rebuild, the next visit is the old build
    whole, the one after it the new build whole."""
    folder = tempfile.mkdtemp(prefix="served-", dir=TEMP)
    page = os.path.join(folder, "page")
    shutil.copytree(PAGE, page)
    server, base = serve(page)
    d = browser("ja")
    try:
        load(d, base)
        check("the worker takes the page", worker_ready(d, build_of(page)), True)
        manifest = d.execute_async_script(
            "fetch(document.querySelector('link[rel=manifest]').href)"
            ".then(r => r.json()).then(arguments[0])")
        grey = d.execute_script("return getComputedStyle(document.getElementById('window'))"
                                ".backgroundColor")
        theme = manifest["theme_color"]
        check("the manifest's theme is the window's grey",
              "rgb({}, {}, {})".format(*(int(theme[i:i + 2], 16) for i in (1, 3, 5))), grey)
        check("the manifest's fields", [manifest[k] for k in ("start_url", "display")],
              ["./", "standalone"])
        for icon in manifest["icons"]:
            with open(os.path.join(page, icon["src"]), "rb") as f:
                png = f.read()
            width, height = int.from_bytes(png[16:20], "big"), int.from_bytes(png[20:24], "big")
            chunks, i = [], 8
            while i < len(png):
                chunks.append(png[i + 4:i + 8].decode("ascii"))
                i += 12 + int.from_bytes(png[i:i + 4], "big")
            check(f"icon {icon['src']}", (f"{width}x{height}", [c for c in chunks if c in (
                "tIME", "tEXt", "zTXt", "iTXt")]), (icon["sizes"], []))

        # The rebuild: two files changed, the worker written anew.
        old_build = build_of(page)
        with open(os.path.join(page, "index.html"), encoding="utf-8") as f:
            html = f.read()
        with open(os.path.join(page, "index.html"), "w", encoding="utf-8") as f:
            f.write(html.replace("<title>", '<meta name="rebuilt" content="1"><title>'))
        with open(os.path.join(page, "keys.js"), "a", encoding="utf-8") as f:
            f.write("window.REBUILT = true;\n")
        subprocess.run([sys.executable, os.path.join(WEB, "make_worker.py"),
                        os.path.join(WEB, "worker.js"), page], check=True)
        check("a rebuild is a new build", build_of(page) != old_build, True)
        load(d, base)
        check("the visit after a rebuild shows the old build whole", marks(d), [False, False])
        check("the new build's worker takes over", worker_ready(d, build_of(page)), True)
        load(d, base)
        check("the visit after that shows the new build whole", marks(d), [True, True])
        check("the old build's cache goes", d.execute_async_script(
            "caches.keys().then(arguments[0])"), ["bezierlab-" + build_of(page)])

        # The server gone: the page, its link's state and its files from the worker.
        server.shutdown()
        server.server_close()
        load(d, base + "index.html#points=20,200,90,15,240,30,130,250&distance=12")
        check("offline: the link's state", report(d),
              tool_report("--points", "20,200,90,15,240,30,130,250", "--distance", "12"))
        d.find_element(By.ID, "Check1_0").click()
        check("offline: a box", report(d), tool_report(
            "--points", "20,200,90,15,240,30,130,250", "--distance", "12", "--divisions", "10,1000"))
        check("offline: the new build", marks(d), [True, True])
    finally:
        d.quit()
        server.server_close()


def from_disk_offline_parts(d, url):
    """From file://: no manifest link, no worker (the console is checked after)."""
    load(d, url)
    check("file://: no manifest, no worker", d.execute_script(
        "return [!!document.querySelector('link[rel=manifest]'),"
        " !!(navigator.serviceWorker && navigator.serviceWorker.controller)]"), [False, False])


def console_errors(d):
    return [e for e in d.get_log("browser") if e["level"] in ("SEVERE", "ERROR")]


def rules_plot(d, base):
    """F2's button plotRules switches the plot to the length rules' plot and
    its rows to the rules' summary, and back; it says whether it is pressed."""
    load(d, base + "#points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=1&distance=12")
    ActionChains(d).send_keys(Keys.F2).perform()
    button = d.find_element(By.ID, "plotRules")
    check("plotRules' label", button.text, "長さの規則の図")
    picture = lambda: d.execute_script("return document.getElementById('plotCanvas').toDataURL()")
    convergence = picture()
    button.click()
    rows = text(d, "plotRows").split("\n")
    check("plotRules pressed", button.get_attribute("aria-pressed"), "true")
    check("the plot named as the rules' switch",
          d.find_element(By.ID, "plotCanvas").get_attribute("aria-label"), "長さの規則の図")
    check("the rules' rows", [rows[0].startswith("真の長さ（参照値） = 382.84929150"), len(rows)], [True, 6])
    check("the rules' rows name the rules", [r.split("（")[0] for r in rows[1:]],
          ["left", "corrected", "trapezoid", "simpson", "gauss"])
    check("the rules' plot is another picture", picture() != convergence, True)
    button.click()
    check("plotRules released", button.get_attribute("aria-pressed"), "false")
    check("back to the counts' rows", text(d, "plotRows").split("\n")[0].startswith("10分割："), True)
    check("the convergence plot again", picture(), convergence)
    check("the plot named as its button",
          d.find_element(By.ID, "plotCanvas").get_attribute("aria-label"), "収束のグラフ")
    ActionChains(d).send_keys(Keys.F2).perform()


def main():
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=PAGE)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    served = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    from_disk = "file://" + os.path.abspath(os.path.join(PAGE, "index.html"))
    try:
        d = browser("ja")
        try:
            for url, tag in [(served, "served"), (from_disk, "file://")]:
                exercise(d, url, tag)
                bad_link(d, url)
                save_open_paste(d, url, tempfile.mkdtemp(prefix="saved-", dir=TEMP))
                failing_handler(d, url)
                held_drags(d, url)
                drag_across_a_scroll(d, url)
                keyboard_order(d, url)
                rules_plot(d, url)
                link_language(d, url)
                offset_view(d, url, tag)
                if url == served:
                    buttons(d, url)
                else:
                    from_disk_offline_parts(d, url)
                check(f"{tag} console errors", console_errors(d), [])
            load(d, served)
            drag(d, (150, 150), (200, 120))
            d.save_screenshot(SHOT)
        finally:
            d.quit()
        touch_tips(served)
        offline()
        d = browser("en-US,en")
        try:
            english(d, served, re.sub(r"(\.png)?$", "-en.png", SHOT, count=1))
            check("English console errors", console_errors(d), [])
        finally:
            d.quit()
        touch_screens(served, os.path.join(os.path.dirname(os.path.abspath(SHOT)), "artefacts"))
    finally:
        server.shutdown()
        shutil.rmtree(TEMP, ignore_errors=True)
    if failures:
        print("page_test: FAILED\n" + "\n".join(failures), file=sys.stderr)
        return 1
    print("page_test: every check passed (served on 127.0.0.1 and from file://)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
