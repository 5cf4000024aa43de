#!/usr/bin/env python3
"""Linux backend benchmark: launch to DOMContentLoaded, page-visible MB/s of a 50 MiB asset, of
32 assets of 1 MiB and of 64 assets of 192 KiB (answered inside the pipe) loaded one after another,
and the time 20,000 console.log calls take the page.

Each measurement is taken for the shell (the page and the asset served from an asset bundle
through the DevTools pipe and the loopback endpoint) and for Chromium itself opening the same page
and file from file://, alternately in the same run, and the ratios are reported. Both run headless
with the same flags.

Usage: bench/linux_backend_bench.py [BUILD_DIR] [--runs N]
BUILD_DIR (default build/linux) must hold app/corvane, tools/pack/corvane-pack and the test
extension tests/linux/extension/Vantor.so.
"""

import argparse
import base64
import json
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ASSET_SIZE = 50 * 1024 * 1024
PIECES, PIECE_SIZE = 32, 1024 * 1024
SMALL_PIECES, SMALL_SIZE = 64, 192 * 1024
FLAGS = ["--headless", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"]
if os.geteuid() == 0:
    FLAGS.append("--no-sandbox")


class Pipe:
    """Just enough of the DevTools pipe to read the baseline page's numbers."""

    def __init__(self, args):
        to_child, self.child_in = os.pipe()
        self.child_out, from_child = os.pipe()

        def fds():
            os.dup2(to_child, 3)
            os.dup2(from_child, 4)

        self.process = subprocess.Popen(["chromium"] + args, pass_fds=(3, 4), preexec_fn=fds,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child)
        os.close(from_child)
        self.buffer, self.next_id, self.replies, self.events = b"", 0, {}, []

    def call(self, method, params=None, session=None, timeout=120):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.child_in, json.dumps(message).encode() + b"\0")
        end = time.time() + timeout
        while self.next_id not in self.replies:
            if time.time() > end:
                raise TimeoutError(method)
            self.pump(0.1)
        return self.replies.pop(self.next_id)

    def pump(self, timeout):
        ready, _, _ = select.select([self.child_out], [], [], timeout)
        if ready:
            chunk = os.read(self.child_out, 1 << 20)
            if not chunk:
                raise EOFError("chromium closed the pipe")
            self.buffer += chunk
            while b"\0" in self.buffer:
                text, self.buffer = self.buffer.split(b"\0", 1)
                message = json.loads(text)
                (self.replies.__setitem__(message["id"], message) if "id" in message
                 else self.events.append(message))

    def close(self):
        try:
            self.call("Browser.close", timeout=5)
        except (TimeoutError, EOFError, OSError):
            pass
        os.close(self.child_in)
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.child_out)


def report(result, started):
    return (result["domContentLoaded"] - started, result["bytes"], result["seconds"],
            result["consoleMs"], result["pieceBytes"], result["pieceSeconds"],
            result["smallBytes"], result["smallSeconds"])


def baseline_run(folder, profile):
    """Chromium opening the page from file://; numbers read over its own DevTools pipe."""
    started = time.time() * 1000
    pipe = Pipe(FLAGS + ["--remote-debugging-pipe", "--allow-file-access-from-files",
                         "--user-data-dir=" + profile, "file://" + os.path.join(folder, "index.html")])
    try:
        target = None
        while target is None:
            infos = pipe.call("Target.getTargets")["result"]["targetInfos"]
            target = next((t for t in infos if t["type"] == "page" and t["url"].startswith("file:")), None)
        session = pipe.call("Target.attachToTarget", {"targetId": target["targetId"], "flatten": True})
        session = session["result"]["sessionId"]
        expression = ("new Promise(r => { const poll = () => window.benchRun && window.benchDomContentLoaded"
                      " ? window.benchRun().then(r) : setTimeout(poll, 5); poll(); })")
        for _ in range(50):  # the page may still be replacing its first document
            reply = pipe.call("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                                   "returnByValue": True}, session)
            if "error" not in reply:
                break
            time.sleep(0.02)
        if "result" not in reply or "value" not in reply["result"]["result"]:
            raise RuntimeError("baseline page failed: %s" % json.dumps(reply)[:500])
        result = reply["result"]["result"]["value"]
    finally:
        pipe.close()
    return report(result, started)


def shell_run(app, env):
    log = env["CORVANE_TEST_LOG"]
    if os.path.exists(log):
        os.remove(log)
    started = time.time() * 1000
    subprocess.run([os.path.join(app, "corvane"), "--headless"], env=env, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(log) as source:
        for line in source:
            if line.startswith("message "):
                return report(json.loads(line[len("message "):])["results"], started)
    raise RuntimeError("the shell's page did not report")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build/linux")
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()
    build = os.path.abspath(options.build)

    tmp = tempfile.mkdtemp(prefix="corvane-bench-")
    try:
        site = os.path.join(tmp, "site")
        os.makedirs(site)
        shutil.copy(os.path.join(HERE, "linux_page", "index.html"), site)
        block = bytes(range(256)) * 4096
        with open(os.path.join(site, "big.bin"), "wb") as out:
            for _ in range(ASSET_SIZE // len(block)):
                out.write(block)
        for piece in range(PIECES):
            with open(os.path.join(site, "piece%d.bin" % piece), "wb") as out:
                out.write(bytes([piece]) * PIECE_SIZE)
        for piece in range(SMALL_PIECES):
            with open(os.path.join(site, "small%d.bin" % piece), "wb") as out:
                out.write(block[piece:piece + SMALL_SIZE])

        app = os.path.join(tmp, "app")
        os.makedirs(os.path.join(app, "www"))
        shutil.copy(os.path.join(build, "app", "corvane"), app)
        shutil.copy(os.path.join(build, "tests", "linux", "extension", "Vantor.so"), app)
        subprocess.run([os.path.join(build, "tools", "pack", "corvane-pack"), "create", site, "-o",
                        os.path.join(app, "www", "assets.dat")], check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(app, "package.json"), "w") as out:
            json.dump({"name": "corvane-bench",
                       "chromium-args": " ".join(f for f in FLAGS if f != "--headless")}, out)
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(tmp, "data"),
                   CORVANE_TEST_LOG=os.path.join(tmp, "report.log"))

        shell, chromium = [], []
        for run in range(options.runs + 1):  # the first pair warms the caches and is dropped
            s = shell_run(app, env)
            c = baseline_run(site, os.path.join(tmp, "profile"))  # kept, as the shell keeps its own
            if run:
                shell.append(s)
                chromium.append(c)
    finally:
        shutil.rmtree(tmp, ignore_errors=True)

    def summary(samples):
        launch = statistics.median(s[0] for s in samples)
        rate = statistics.median(s[1] / s[2] / 1e6 for s in samples)
        pieces = statistics.median(s[4] / s[5] / 1e6 for s in samples)
        small = statistics.median(s[6] / s[7] / 1e6 for s in samples)
        return launch, rate, statistics.median(s[3] for s in samples), pieces, small

    shell_launch, shell_rate, shell_console, shell_pieces, shell_small = summary(shell)
    base_launch, base_rate, base_console, base_pieces, base_small = summary(chromium)
    print("runs per side: %d (medians)" % options.runs)
    print("%-34s %12s %12s %8s" % ("", "shell", "file://", "ratio"))
    print("%-34s %10.0f ms %10.0f ms %7.2fx" % ("launch to DOMContentLoaded", shell_launch, base_launch,
                                              shell_launch / base_launch))
    print("%-34s %8.0f MB/s %8.0f MB/s %7.2fx" % ("50 MiB asset, page-visible", shell_rate, base_rate,
                                                shell_rate / base_rate))
    print("%-34s %8.0f MB/s %8.0f MB/s %7.2fx" % ("32 assets of 1 MiB, page-visible", shell_pieces,
                                                base_pieces, shell_pieces / base_pieces))
    print("%-34s %8.0f MB/s %8.0f MB/s %7.2fx" % ("64 assets of 192 KiB, page-visible", shell_small,
                                                base_small, shell_small / base_small))
    print("%-34s %10.0f ms %10.0f ms %7.2fx" % ("20,000 console.log calls", shell_console,
                                              base_console, shell_console / base_console))


if __name__ == "__main__":
    sys.exit(main())
