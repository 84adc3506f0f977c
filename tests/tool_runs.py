#!/usr/bin/env python3
"""Runs bezierlab-report over a table of runs and compares every output.

Each run is its arguments, its standard input, its environment's language
variables, and what it gave: exit code, standard output, standard error and
every file it wrote in its working folder (text as text, other bytes by
SHA-256 and size). The table was recorded from the tool as it was and is
replayed against the tool as it is, so that a change of how the tool is built
cannot change one byte of what it writes.

  tool_runs.py check TOOL TABLE SOURCE     compare; exit 1 on any difference
  tool_runs.py record TOOL TABLE SOURCE    write TABLE from the runs below

After the table, the replay checks what the tool loads (LD_DEBUG=files): no
Qt library and no picture module for text, JSON and batch runs, the module
and Qt Gui for --png; and that a copy of the tool without its module refuses
a picture in one line with exit status 1, writing nothing.

SOURCE is the top of the repository (for docs/lesson.bezierlab). Arguments
and input are given as text; a lone surrogate U+DC80..U+DCFF stands for one
byte that is no UTF-8 (Python's surrogateescape).
"""

import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile

LESSON = "@SOURCE@/docs/lesson.bezierlab"
LONG_LINE = "--distance 1" + " " * (1 << 20) + "\n--distance 2\n"

# (arguments, standard input, extra environment, files made in the folder first)
RUNS = [
    ([], "", {}, {}),
    (["--crlf"], "", {}, {}),
    (["--json"], "", {}, {}),
    (["--analysis"], "", {}, {}),
    (["--analysis", "--json", "--divisions", "10,100,1000,10000"], "", {}, {}),
    (["--convergence"], "", {}, {}),
    (["--convergence", "--json", "--points", "20,200,90,15,240,30,130,250"], "", {}, {}),
    (["--points", "20,200,90,15,240,30,130,250", "--divisions", "10,100,1000,10000"], "", {}, {}),
    (["--points", "60,60,60,60,200,80,120,220", "--json", "--analysis"], "", {}, {}),
    (["--points", "60,60,60,60,60,60,60,60", "--analysis", "--convergence"], "", {}, {}),
    (["--points", "2000000000,0,-2000000000,5,7,7,9,9", "--json"], "", {}, {}),
    (["--distance", "3.5", "--no-approximate", "--grabbed", "2", "--divisions", ""], "", {}, {}),
    (["--distance=1e30", "--json"], "", {}, {}),
    (["--no-accurate", "--distance", "-7"], "", {}, {}),
    (["--state", LESSON], "", {}, {}),
    (["--state", LESSON, "--divisions", "10000", "--json"], "", {}, {}),
    (["--state", "missing.bezierlab"], "", {}, {}),
    (["--state", "caf\udce9.bezierlab"], "", {}, {}),
    (["--state", "."], "", {}, {}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":7}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":"x"}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"colour":1}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":[1,2]}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"other":1}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '[1]'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": ''}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":7}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"points":[[1,2],[3,4]]}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":12},"note":"caf\udce9"}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '\ufeff{"state":{"distance":12}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":1e400}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":3,"distance":4}}'}),
    (["--state", "a.bezierlab"], "", {}, {"a.bezierlab": '{"state":{"distance":3}} x'}),
    (["--state", "a.bezierlab", "--distance", "3"], "", {}, {"a.bezierlab": '{"state": {"distance": 3,}}'}),
    (["--grabbed", "5"], "", {}, {}),
    (["--points", "1,2,3"], "", {}, {}),
    (["--bogus"], "", {}, {}),
    (["--json=1"], "", {}, {}),
    (["--distance"], "", {}, {}),
    (["extra"], "", {}, {}),
    (["--scale", "2"], "", {}, {}),
    (["--scale", "9", "--png", "a.png"], "", {}, {}),
    (["--png", ""], "", {}, {}),
    (["--png", "-", "--json"], "", {}, {}),
    (["--png", "-", "--svg", "-"], "", {}, {}),
    (["--png", "same", "--svg", "./same"], "", {}, {}),
    (["--plot-format", "svg"], "", {}, {}),
    (["--plot", "-"], "", {}, {}),
    (["--plot", "p.txt"], "", {}, {}),
    (["--plot", "p.png", "--plot-format", "gif"], "", {}, {}),
    (["--plot", "-", "--plot-format", "svg", "--svg", "-"], "", {}, {}),
    (["--plot", "x.png", "--png", "x.png"], "", {}, {}),
    (["--help"], "", {}, {}),
    (["-h"], "", {"LANG": "en_US.UTF-8"}, {}),
    (["--version"], "", {}, {}),
    (["--language", "xx"], "", {}, {}),
    (["--language", "en", "--analysis", "--convergence", "--state", LESSON], "", {}, {}),
    (["--analysis", "--grabbed", "9"], "", {"LANG": "en_US.UTF-8"}, {}),
    (["--batch"], "# c\n--distance 10\n\n--points 60,60,60,60,200,80,120,220\n--bogus\n"
     "--analysis --convergence\n--json\r\n--distance 2\r\n", {}, {}),
    (["--batch", "--language", "en"], "--grabbed 8\n--state a.bezierlab\n", {},
     {"a.bezierlab": '{"state":{"distance":"x"}}'}),
    (["--batch"], LONG_LINE, {}, {}),
    (["--batch", "--json"], "", {}, {}),
    (["--png", "a.png", "--svg", "a.svg"], "", {}, {}),
    (["--png", "a.png", "--scale", "3", "--grabbed", "1", "--json"], "", {}, {}),
    (["--svg", "-", "--scale", "2"], "", {}, {}),
    (["--png", "-", "--distance", "40"], "", {}, {}),
    (["--svg", "a.svg", "--language", "en"], "", {}, {}),
    (["--png", "no/such/folder/a.png"], "", {}, {}),
    (["--png", "caf\udce9.png"], "", {}, {}),
    (["--svg", "no/caf\udce9.svg"], "", {}, {}),
    (["--svg", "a.svg", "--png", "no/a.png"], "", {}, {}),
    (["--plot", "p.png", "--points", "20,200,90,15,240,30,130,250"], "", {}, {}),
    (["--plot", "p.svg", "--scale", "2", "--convergence"], "", {}, {}),
    (["--plot", "-", "--plot-format", "svg", "--language", "en"], "", {}, {}),
    (["--plot", "p.png", "--png", "a.png", "--svg", "-"], "", {}, {}),
    (["--plot", "no/p.svg"], "", {}, {}),
    (["--rules-plot", "r.svg", "--state", LESSON, "--language", "en"], "", {}, {}),
    (["--rules-plot", "-", "--plot-format", "png", "--scale", "2"], "", {}, {}),
    (["--rules-plot", "-", "--plot", "-", "--plot-format", "svg"], "", {}, {}),
    (["--rules-plot", "r.gif"], "", {}, {}),
]


def as_bytes(text):
    return text.encode("utf-8", "surrogateescape")


def shown(data):
    """Bytes as the table keeps them: text, or a digest for other bytes."""
    try:
        text = data.decode("utf-8")
        if len(data) <= 64 * 1024 and "\0" not in text:
            return text
    except UnicodeDecodeError:
        pass
    return {"sha256": hashlib.sha256(data).hexdigest(), "size": len(data)}


def run(tool, source, args, stdin, env_extra, given):
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8"}
    env.update(env_extra)
    with tempfile.TemporaryDirectory() as folder:
        for name, content in given.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(as_bytes(content))
        argv = [as_bytes(tool)] + [as_bytes(a.replace("@SOURCE@", source)) for a in args]
        done = subprocess.run(argv, input=as_bytes(stdin), capture_output=True, cwd=folder,
                              env=env, timeout=120)
        written = {}
        for top, _, names in os.walk(folder):
            for name in sorted(names):
                path = os.path.join(top, name)
                relative = os.path.relpath(path, folder)
                if relative in given:
                    continue
                with open(path, "rb") as f:
                    written[relative] = shown(f.read())
    return {"exit": done.returncode, "stdout": shown(done.stdout),
            "stderr": shown(done.stderr), "files": written}


def main():
    mode, tool, table, source = sys.argv[1:5]
    if mode == "record":
        rows = []
        for args, stdin, env, given in RUNS:
            rows.append({"args": args, "stdin": stdin if stdin != LONG_LINE else "@LONG@",
                         "env": env, "given": given,
                         "expected": run(tool, source, args, stdin, env, given)})
        with open(table, "w", encoding="utf-8") as f:
            json.dump(rows, f, ensure_ascii=True, indent=1)
            f.write("\n")
        print(f"recorded {len(rows)} runs")
        return 0
    with open(table, encoding="utf-8") as f:
        rows = json.load(f)
    failures = 0
    for row in rows:
        stdin = LONG_LINE if row["stdin"] == "@LONG@" else row["stdin"]
        got = run(tool, source, row["args"], stdin, row["env"], row["given"])
        expected = row["expected"]
        if got != expected:
            failures += 1
            print(f"DIFFERS: {row['args']!r} env {row['env']!r}")
            for key in ("exit", "stdout", "stderr", "files"):
                if got[key] != expected[key]:
                    print(f"  {key}: expected {expected[key]!r}\n  {key}: got      {got[key]!r}")
    print(f"{len(rows) - failures} of {len(rows)} runs the same")
    return 1 if failures or not check_loading(tool) else 0


# What the dynamic loader reports (LD_DEBUG=files) of each object it maps:
# "file=NAME [0];  needed by ..." or "file=PATH [0];  dynamically loaded by ...".
LOADED = re.compile(r"file=(\S+) \[\d+\];  (?:needed|dynamically loaded) by")


def loaded_libraries(tool, args, stdin=""):
    """Every shared object the dynamic loader maps for a run."""
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8",
           "LD_DEBUG": "files"}
    with tempfile.TemporaryDirectory() as folder:
        done = subprocess.run([tool] + args, input=stdin.encode(), capture_output=True,
                              cwd=folder, env=env, timeout=120)
    found = LOADED.findall(done.stderr.decode("utf-8", "replace"))
    return sorted({os.path.basename(name) for name in found})


def check_loading(tool):
    """The text outputs load no Qt library, a picture loads its module and
    Qt Gui, and a tool without its module says so in one line, exits 1 and
    writes nothing."""
    good = True
    for args, stdin in ((["--analysis", "--convergence", "--rules"], ""),
                        (["--json", "--analysis", "--state", "missing"], ""),
                        (["--batch"], "--distance 12 --rules --convergence\n--bogus\n")):
        text = loaded_libraries(tool, args, stdin)
        if "libc.so.6" not in text or any("Qt" in name or "pictures" in name for name in text):
            print(f"DIFFERS: {args!r} loads {text!r}")
            good = False
    picture = loaded_libraries(tool, ["--png", "a.png"])
    if "bezierlab-report-pictures.so" not in picture or "libQt6Gui.so.6" not in picture:
        print(f"DIFFERS: --png loads {picture!r}")
        good = False
    with tempfile.TemporaryDirectory() as folder:
        alone = os.path.join(folder, "bezierlab-report")
        with open(tool, "rb") as f, open(alone, "wb") as g:
            g.write(f.read())
        os.chmod(alone, 0o755)
        done = subprocess.run([alone, "--png", "a.png", "--svg", "-"], capture_output=True,
                              cwd=folder, env={"LANG": "C.UTF-8"}, timeout=120)
        message = done.stderr.decode("utf-8", "replace")
        expected = "bezierlab-report: 画像を書くためのモジュールを読み込めません: "
        if (done.returncode != 1 or done.stdout or not message.startswith(expected)
                or message.count("\n") != 1 or os.path.exists(os.path.join(folder, "a.png"))):
            print(f"DIFFERS: without its module: exit {done.returncode}, {message!r}")
            good = False
    print("loading: " + ("as it should" if good else "DIFFERS"))
    return good


if __name__ == "__main__":
    sys.exit(main())
