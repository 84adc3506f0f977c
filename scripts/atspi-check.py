#!/usr/bin/python3
"""The window through the real accessibility bus (AT-SPI), as a screen reader
sees it. Run by scripts/e2e-atspi.sh inside its own D-Bus session and X server:

    atspi-check.py PROGRAM SCREENSHOT OUTDIR

Starts PROGRAM with accessibility on, walks its accessible tree and checks the
names, roles and the scroll bar's label; ticks boxes through the Action
interface and reads the report through Label1; sets the distance through the
Value interface; moves P(1) with the keyboard and reads it from the report and
from Picture1's description; and compares the drawing area on the screen with
SCREENSHOT's offscreen rendering of the same state. Exits non-zero when any
check fails."""

import os
import subprocess
import sys
import time

import pyatspi

CAPTION = "ベジェ曲線の長さ計算・オフセット曲線サンプル"
TIMEOUT = 10  # seconds for every wait on the program

program, screenshot, out = sys.argv[1:4]
passed = failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        print("ok    " + what)
        passed += 1
    else:
        print("FAIL  " + what, file=sys.stderr)
        failed += 1
    return ok


def wait_for(probe):
    """probe() until it gives a true value; that value, or None after TIMEOUT."""
    deadline = time.monotonic() + TIMEOUT
    while True:
        try:
            value = probe()
        except Exception:  # the tree may be changing under us
            value = None
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.1)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(root, name, role=None):
    for node in walk(root):
        if node.name == name and (role is None or node.getRoleName() == role):
            return node
    return None


def top_level():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        for window in app or []:
            if window is not None and window.name == CAPTION:
                return window
    return None


def action(node, name):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == name:
            return actions.doAction(i)
    raise LookupError(name)


def run(*command, **env):
    return subprocess.run(command, check=True, capture_output=True, text=True,
                          env=dict(os.environ, **env)).stdout


env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
log = open(os.path.join(out, "bezierlab.log"), "w")
app = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT)
try:
    window = wait_for(top_level)
    if not check(window is not None, "a top level named by the caption is on the bus"):
        sys.exit(1)

    print("== names and roles")
    check(window.getRoleName() in ("frame", "window"), "top level role: " + window.getRoleName())
    picture = find(window, "ベジェ曲線の描画領域")
    if not check(picture is not None, "Picture1 is named ベジェ曲線の描画領域"):
        sys.exit(1)
    check(picture.getRoleName() == "canvas", "Picture1 role: " + picture.getRoleName())
    report = find(window, "レポート")
    if not check(report is not None, "Label1 is named レポート"):
        sys.exit(1)
    check(report.description.startswith("P(0) = ( 50 , 50 )\r\n"),
          "Label1's description is the report")
    bar = find(window, "オフセット距離", "scroll bar")
    if not check(bar is not None, "HScroll1 is a scroll bar named オフセット距離"):
        sys.exit(1)
    labels = [r.getTarget(i) for r in bar.getRelationSet()
              if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for i in range(r.getNTargets())]
    check([label.name for label in labels] == ["オフセット距離：30"],
          "HScroll1 is labelled by Label2: %s" % [label.name for label in labels])
    boxes = {name: find(window, name, "check box") for name in
             ("10分割", "100分割", "1000分割", "10000分割",
              "近似オフセット曲線（黄）", "正確なオフセット曲線（青）")}
    check(all(boxes.values()), "six check boxes named by their captions")
    check("999点" in boxes["1000分割"].description,
          "Check1(2)'s description gives its sample count")

    print("== actions and values")
    action(boxes["近似オフセット曲線（黄）"], "Toggle")
    check(wait_for(lambda: not boxes["近似オフセット曲線（黄）"].getState().contains(
        pyatspi.STATE_CHECKED)), "Toggle unticks Check2(0)")
    check(wait_for(lambda: "はオフです" in picture.description),
          "Picture1's description says the yellow curve is off")
    action(boxes["10000分割"], "Toggle")
    check(wait_for(lambda: "Length(10000分割) = " in report.description),
          "Toggle on Check1(3) adds its line to the report")
    bar.queryValue().currentValue = 20.0
    check(wait_for(lambda: find(window, "オフセット距離:20") is not None),
          "the Value interface sets the distance: Label2 reads オフセット距離:20")

    print("== keys")
    xid = run("xdotool", "search", "--name", "^%s$" % CAPTION).split()[0]
    run("xdotool", "windowfocus", "--sync", xid)
    run("xdotool", "key", "--delay", "50", "shift+Tab", "Tab")
    check(wait_for(lambda: picture.getState().contains(pyatspi.STATE_FOCUSED)),
          "Backtab and Tab bring the focus to Picture1")
    run("xdotool", "key", "--delay", "50", "2", "Right", "Right", "Right", "Right", "Right",
        "shift+Down")
    check(wait_for(lambda: "\r\nP(1) = ( 155 , 60 )\r\n" in report.description),
          "the report shows P(1) = ( 155 , 60 )")
    check(wait_for(lambda: picture.description.startswith("つかんでいる点 P(1) = ( 155 , 60 )")),
          "Picture1's description: " + picture.description.split("\n")[0])

    print("== the drawing area")
    expected = os.path.join(out, "keys-expected.png")
    actual = os.path.join(out, "keys-actual.png")
    run(screenshot, "--points", "50,50,155,60,150,150,50,150", "--grabbed", "1",
        "--divisions", "1000,10000", "--no-approximate", "--distance", "20", "--area",
        expected, QT_QPA_PLATFORM="offscreen")

    def same():
        run("import", "-window", xid, "-crop", "260x260+10+18", "+repage", actual)
        result = subprocess.run(["compare", "-metric", "AE", actual, expected, "null:"],
                                capture_output=True, text=True)
        return result.stderr.strip() == "0"
    check(wait_for(same), "the drawing area equals the offscreen picture of that state")
    check(app.poll() is None, "the program is still running")
finally:
    app.terminate()
    app.wait()

print("atspi-check: %d passed, %d failed" % (passed, failed))
sys.exit(1 if failed else 0)
