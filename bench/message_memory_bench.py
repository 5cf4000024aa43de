#!/usr/bin/env python3
"""Linux host: what the page's JavaScript heap keeps per message the shell delivers to it.

A page and the test extension echo messages back and forth; every quarter of the run the page
collects garbage (gc(), as a page can) and records its used heap. Reported: the heap kept per
delivered message between the first and the last record, and the messages per second, for the
shell under test and for a baseline shell (another build) alternately in the same run.

Usage: bench/message_memory_bench.py [BUILD_DIR] --baseline OLD_SHELL [--messages N] [--runs N]
BUILD_DIR (default build/linux-release) must hold app/corvane and the test extension
tests/linux/extension/Vantor.so; OLD_SHELL is the corvane executable to compare with.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

from linux_backend_bench import FLAGS

PAGE = """<!doctype html><title>echo</title><script>
const total = %d, w = window.chrome.webview, heaps = [];
let n = 0, started = 0;
const record = () => { gc(); heaps.push(performance.memory.usedJSHeapSize); };
const echo = () => w.postMessage(JSON.stringify({type: "extension-message", action: "echo", n,
                                                 pad: "x".repeat(200)}));
w.addEventListener("message", e => {
  if (e.data.type === "wrapper-init-response") { record(); started = performance.now(); echo(); }
  if (e.data.type !== "echo") return;
  if (++n %% (total / 4) === 0) record();
  if (n < total) return echo();
  const seconds = (performance.now() - started) / 1000;
  w.postMessage(JSON.stringify({type: "extension-message", results: {heaps, seconds}}));
  setTimeout(() => window.close(), 100);
});
w.postMessage(JSON.stringify({type: "wrapper-init"}));
</script>"""


def make_app(folder, shell, extension, messages):
    os.makedirs(os.path.join(folder, "www"))
    shutil.copy(shell, os.path.join(folder, "corvane"))
    shutil.copy(extension, folder)
    with open(os.path.join(folder, "www", "index.html"), "w") as out:
        out.write(PAGE % messages)
    with open(os.path.join(folder, "package.json"), "w") as out:
        # The backend benchmark's flags; the shell itself is started headless.
        flags = [f for f in FLAGS if f != "--headless"] + ["--js-flags=--expose-gc",
                                                           "--enable-precise-memory-info"]
        json.dump({"name": "corvane-message-bench", "chromium-args": " ".join(flags)}, out)


def run(folder, data, messages):
    """(heap bytes kept per message, messages per second) of one run of the app in `folder`."""
    log = os.path.join(data, "report.log")
    if os.path.exists(log):
        os.remove(log)
    env = dict(os.environ, XDG_DATA_HOME=data, CORVANE_TEST_LOG=log)
    subprocess.run([os.path.join(folder, "corvane"), "--headless"], env=env, timeout=900,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(log) as source:
        for line in source:
            if line.startswith("message ") and '"results"' in line:
                results = json.loads(line[len("message "):])["results"]
                heaps = results["heaps"]
                return (heaps[-1] - heaps[0]) / messages, messages / results["seconds"]
    raise RuntimeError("the page in %s did not report" % folder)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build/linux-release")
    parser.add_argument("--baseline", required=True, help="the corvane executable to compare with")
    parser.add_argument("--messages", type=int, default=20000, help="a multiple of 4")
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    extension = os.path.join(build, "tests", "linux", "extension", "Vantor.so")

    tmp = tempfile.mkdtemp(prefix="corvane-message-bench-")
    try:
        sides = {"shell": os.path.join(build, "app", "corvane"),
                 "baseline": os.path.abspath(options.baseline)}
        samples = {side: [] for side in sides}
        for side, shell in sides.items():
            make_app(os.path.join(tmp, side), shell, extension, options.messages)
        for _ in range(options.runs):
            for side in sides:
                samples[side].append(run(os.path.join(tmp, side), os.path.join(tmp, "data-" + side),
                                         options.messages))
    finally:
        shutil.rmtree(tmp, ignore_errors=True)

    kept = {side: statistics.median(s[0] for s in runs) for side, runs in samples.items()}
    rate = {side: statistics.median(s[1] for s in runs) for side, runs in samples.items()}
    print("%d messages each way, %d runs per side (medians)" % (options.messages, options.runs))
    print("%-32s %12s %12s" % ("", "shell", "baseline"))
    print("%-32s %10.0f B %10.0f B" % ("heap kept per message", kept["shell"], kept["baseline"]))
    print("%-32s %12.0f %12.0f" % ("messages per second", rate["shell"], rate["baseline"]))


if __name__ == "__main__":
    sys.exit(main())
