#!/usr/bin/env python3
"""End-to-end tests of the Linux shell in headless Chromium. Each lays out an app folder (the shell,
package.json, www/ with a bundle made by corvane-pack or loose files, the test extension), runs the
shell headless and reads what the page (page/app.js) reported as an extension message, which the
library writes to a log. A stand-in xdg-open on PATH records what the shell hands to the system."""

import hashlib
import http.server
import json
import math
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import threading
import time
import unittest
import wave

SHELL, PACK = os.environ.get("CORVANE_SHELL", ""), os.environ.get("CORVANE_PACK", "")
EXTENSION = os.environ.get("CORVANE_TEST_EXTENSION", "")
HERE = os.path.dirname(os.path.abspath(__file__))
# The machine has no network and may run as root (where Chromium needs its sandbox off).
CHROMIUM_ARGS = ("--disable-gpu --no-first-run --disable-background-networking --disable-component-update "
                 "--disable-sync --disable-popup-blocking" + (" --no-sandbox" if os.geteuid() == 0 else ""))
BIG_SIZE, LARGE_SIZE = 200 * 1024 * 1024, 20 * 1024 * 1024
PARSE = "Failed to parse package.json. Check the file has valid JSON and that all parameters are correct."
needs_all = unittest.skipUnless(SHELL and PACK and EXTENSION and shutil.which("chromium"),
                                "needs the shell, corvane-pack, the test extension and chromium")


def pattern_bytes(size, seed):
    """Bytes that differ at every offset modulo 251, so shifts and gaps show."""
    block = bytes((i * 7 + seed) % 251 for i in range(251 * 4096))
    return block * (size // len(block)) + block[:size % len(block)]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def write_pattern_file(path, size, seed):
    write(path, data := pattern_bytes(size, seed))
    return hashlib.sha256(data).hexdigest()


def write_tone(path, seconds, rate=44100):
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(b"".join(struct.pack("<hh", v, v) for v in (
            int(8000 * math.sin(2 * math.pi * 440 * i / rate)) for i in range(int(seconds * rate)))))


class RecordingServer(http.server.ThreadingHTTPServer):
    def __init__(self):
        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                self.server.requests.append(self.path)
                body = self.server.files.get(self.path)
                self.send_response(200 if body is not None else 404)
                self.send_header("Content-Length", str(len(body or b"")))
                self.end_headers()
                self.wfile.write(body or b"")
            do_POST = do_GET

            def log_message(self, *args):
                pass
        super().__init__(("127.0.0.1", 0), Handler)
        self.requests, self.files = [], {}
        self.url = "http://127.0.0.1:%d" % self.server_address[1]
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def popups(self):
        return sorted([self.url + "/popup", self.url + "/link", self.url + "/form", "mailto:someone@example.com"])


class App:
    """One app folder in a fresh temporary folder, removed by the test's clean-up."""

    def __init__(self, test, bundle=False, package=None, mode=None, pages=("index.html", "frame.html", "app.js")):
        self.root = tempfile.mkdtemp(prefix="corvane-e2e-")
        test.addCleanup(shutil.rmtree, self.root, True)
        self.folder, self.log = os.path.join(self.root, "app"), os.path.join(self.root, "extension.log")
        self.www, self.opened = os.path.join(self.folder, "www"), os.path.join(self.root, "xdg-open.log")
        self.loose, self.bundle = os.path.join(self.root, "content") if bundle else self.www, bundle
        os.makedirs(self.loose)
        os.makedirs(self.www, exist_ok=True)
        shutil.copy2(SHELL, os.path.join(self.folder, "corvane"))
        shutil.copy2(EXTENSION, os.path.join(self.folder, "Vantor.so"))
        config = {"name": "corvane-e2e", "main": "index.html", "window": {"title": "E2E", "width": 800, "height": 600},
                  "chromium-args": CHROMIUM_ARGS, **(package or {})}
        write(os.path.join(self.folder, "package.json"), json.dumps(config).encode())
        write(os.path.join(self.root, "bin", "xdg-open"), b'#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.opened.encode())
        os.chmod(os.path.join(self.root, "bin", "xdg-open"), 0o755)
        self.env = dict(os.environ, HOME=os.path.join(self.root, "home"), XDG_DATA_HOME=os.path.join(self.root, "data"),
                        XDG_CONFIG_HOME=os.path.join(self.root, "config"), CORVANE_TEST_LOG=self.log,
                        PATH=os.path.join(self.root, "bin") + os.pathsep + os.environ.get("PATH", ""))
        self.env.pop("DISPLAY", None)
        for page in pages:
            with open(os.path.join(HERE, "page", page), "rb") as source:
                self.add(page, source.read())
        if mode is not None:
            self.add("mode.json", json.dumps(mode).encode())

    def add(self, relative, data, loose=False):
        write(os.path.join(self.www if loose else self.loose, relative), data)

    def run(self, timeout=120):
        if self.bundle:
            subprocess.run([PACK, "create", self.loose, "-o", os.path.join(self.www, "assets.dat")],
                           check=True, capture_output=True, timeout=120)
        done = subprocess.run([os.path.join(self.folder, "corvane"), "--headless"], env=self.env,
                              capture_output=True, text=True, timeout=timeout)
        self.returncode, self.stderr = done.returncode, done.stderr
        messages = [json.loads(line[8:]) for line in self.lines() if line.startswith("message ")]
        return next((m["results"] for m in messages if m.get("action") == "report"), None)

    def read(self, path):
        if not os.path.exists(path):
            return []
        with open(path) as source:
            return source.read().splitlines()

    def lines(self):
        return self.read(self.log)


@needs_all
class PageScenario(unittest.TestCase):
    """The test page's whole run, from a bundle (and from loose files, with a 200 MiB asset)."""

    bundle = True

    def test_the_page_run(self):
        server = RecordingServer()
        self.addCleanup(server.server_close)
        self.addCleanup(server.shutdown)
        app = App(self, self.bundle, mode={"port": server.server_address[1], "big": not self.bundle})
        app.add("data.bin", pattern_bytes(5000, 3))
        write_tone(os.path.join(app.loose, "tone.wav"), seconds=30)
        # From the bundle in bundle mode, a loose file beside the bundle otherwise.
        large_sha = write_pattern_file(os.path.join(app.loose, "large.bin"), LARGE_SIZE, 5)
        big_sha = None if self.bundle else write_pattern_file(os.path.join(app.www, "big.bin"), BIG_SIZE, 11)
        r, lines = app.run(), app.lines()
        self.assertIsNotNone(r, "the page sent no report; shell stderr:\n" + app.stderr + "\nlog:\n" + "\n".join(lines))
        self.assertNotIn("exception", r)
        self.assertEqual((app.returncode, "release" in lines), (0, True), app.stderr)

        with open(os.path.join(HERE, "page", "index.html"), "rb") as source:
            length = str(len(source.read()))
        self.assertEqual((r["index"]["status"], r["index"]["statusText"], r["index"]["headers"]),
                         (200, "OK", {"content-type": "text/html; charset=utf-8", "cache-control": "no-store",
                                      "accept-ranges": "bytes", "content-length": length}))
        self.assertEqual([r["missing"][k] for k in ("status", "statusText", "text")], [404, "Not Found", "File not found"])
        self.assertEqual((r["range"]["status"], r["range"]["statusText"], r["range"]["headers"]["content-range"],
                          bytes(r["range"]["head"]), r["range"]["length"]),
                         (206, "Partial Content", "bytes 10-19/5000", pattern_bytes(5000, 3)[10:18], 10))
        self.assertEqual((r["suffix"]["headers"]["content-range"], r["open"]["length"], r["unsat"]["status"],
                          r["unsat"]["statusText"]), ("bytes 4995-4999/5000", 4000, 416, "Range Not Satisfiable"))
        # An open range on a large asset is answered in a piece.
        capped, (first, last, total) = r["openLarge"], r["openLarge"]["headers"]["content-range"].replace(
            "bytes ", "").replace("/", "-").split("-")
        self.assertEqual((capped["status"], int(first), int(total), capped["length"]), (206, 0, LARGE_SIZE, int(last) + 1))
        self.assertLess(int(last) + 1, LARGE_SIZE)
        self.assertEqual(r["large"], {"status": 200, "url": "https://corvane.localhost/large.bin", "length": LARGE_SIZE,
                                      "sha256": large_sha})
        if big_sha:
            self.assertEqual(r["big"], {"status": 200, "url": "https://corvane.localhost/big.bin", "length": BIG_SIZE,
                                        "sha256": big_sha})
        self.assertFalse({"error", "timeout"} & set(r["audio"]), r["audio"])
        self.assertAlmostEqual(r["audio"]["duration"], 30.0, places=1)
        self.assertAlmostEqual(r["audio"]["seekedTo"], 25.0, places=0)

        # The handshake, and extension messages both ways; the library's message from Init waited
        # for the handshake's reply.
        self.assertEqual(r["handshake"], {"type": "wrapper-init-response", "registeredComponentIds": ["test-log", "echo"]})
        self.assertEqual((r["inboxOrder"][:2], r["echo"]["message"]["text"]), (["wrapper-init-response", "early"],
                                                                                "h\u00e9llo"))
        self.assertIn("window null", lines)
        self.assertTrue(any(line.startswith("documents /") for line in lines), lines)
        text = "\n".join(lines)
        for ignored in ("object-post", "same-origin-iframe", "data-iframe"):
            self.assertNotIn(ignored, text, "a non-string post or an iframe's message reached the library")
        self.assertTrue(r["iframeLoaded"])
        self.assertEqual((r["size"], r["position"], r["fullscreen"], r["sizeInFullscreen"], r["afterFullscreen"]),
                         ([500, 400], [33, 44], True, r["fullscreenSize"], False))
        # Another site, about:blank, blob:, data: and a history step: the same document stays; each
        # popup went to the system once and nothing reached the network.
        self.assertEqual((r["stillHere"], r["bridgeAfterNavigation"], r["popupsReturnedNothing"]), (True, True, True))
        self.assertEqual((sorted(app.read(app.opened)), server.requests), (server.popups(), []))
        self.assertIn('message {"type":"extension-message","action":"raw-cut","text":"a\ufffd"}', lines)
        self.assertIs(r["cutEcho"], True, "text cut inside a character")
        self.assertEqual(r["echoesAcrossReload"], list(range(1000)), "each message reaches the page once, in order")
        self.assertEqual(r["threadEcho"], list(range(100)), "posts from the library's own thread")


class LooseFilesScenario(PageScenario):
    bundle = False


@needs_all
class OtherApps(unittest.TestCase):
    def test_remote_mode_navigations_and_popups_are_stopped(self):
        server = RecordingServer()
        self.addCleanup(server.server_close)
        self.addCleanup(server.shutdown)
        for page in ("index.html", "app.js"):
            with open(os.path.join(HERE, "page", page), "rb") as source:
                server.files["/app/" + page] = source.read()
        server.files["/app/mode.json"] = json.dumps({"remote": True, "port": server.server_address[1]}).encode()
        app = App(self, pages=(), package={"main": server.url + "/app/index.html", "settings": {"content-mode": "remote"}})
        results = app.run()
        self.assertIsNotNone(results, app.stderr)
        self.assertEqual((results["handshake"]["type"], results["stillHere"], results["bridgeAfterNavigation"]),
                         ("wrapper-init-response", True, True))
        self.assertEqual(sorted(app.read(app.opened)), server.popups())
        self.assertEqual([p for p in server.requests if not p.startswith("/app/") and p != "/favicon.ico"], [])
        self.assertEqual(app.returncode, 0, app.stderr)

    def test_a_post_too_large_is_dropped_alone_and_a_large_one_costs_little(self):
        app = App(self, mode={"posts": True})
        results, lines = app.run(timeout=300), app.lines()
        self.assertIsNotNone(results, app.stderr)
        size, start = 200 * 1024 * 1024, '{"type":"extension-message","action":"large-200"'
        self.assertIn("large %d %s" % (len(start) + len(',"data":""}') + size, start), lines)
        self.assertFalse(any("large-300" in line for line in lines))
        peak = [int(line.split()[1]) * 1024 for line in lines if line.startswith("VmHWM:")]
        self.assertEqual(len(peak), 1, lines)
        self.assertLess(peak[0], 3 * size)
        self.assertTrue(results["afterLarge"])
        self.assertIn("dropped a message", app.stderr)
        self.assertEqual(app.returncode, 0, app.stderr)


def children(pid, deep=False):
    pids = []
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/children" % (pid, task)) as source:
            pids += [int(p) for p in source.read().split()]
    return pids + [d for child in pids for d in children(child, True)] if deep else pids


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as source:
            return source.read().split(")")[-1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def wait_until(test, seconds):
    end = time.time() + seconds
    while time.time() < end and not test():
        time.sleep(0.1)
    return test()


@needs_all
class ProcessLifetime(unittest.TestCase):
    """Neither process outlives the other."""

    def start_idle_app(self, mode):
        self.app = app = App(self, mode=mode)
        shell = subprocess.Popen([os.path.join(app.folder, "corvane"), "--headless"], env=app.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (shell.poll() is None and shell.kill(), shell.communicate()))
        self.assertTrue(self.wait_for_idle(1), "the page never came up")
        self.assertEqual(len(children(shell.pid)), 1)
        return shell, children(shell.pid)[0]

    def idle_reports(self):
        return [json.loads(line[8:]) for line in self.app.lines() if line.startswith("message ") and '"idle"' in line]

    def wait_for_idle(self, count):
        """Until the page has shaken hands and reported `count` times in all."""
        return wait_until(lambda: len(self.idle_reports()) >= count, 60)

    def test_chromium_ends_when_the_shell_is_killed(self):
        shell, chromium = self.start_idle_app({"idle": True})
        shell.kill()
        shell.wait(10)
        gone = wait_until(lambda: not alive(chromium), 20)
        if not gone:
            os.kill(chromium, signal.SIGKILL)
        self.assertTrue(gone, "Chromium outlived the shell")

    def test_crashed_page_and_dead_browser_come_back_within_bounds(self):
        # The page moves its window, then its renderers are killed: the page is reloaded and
        # shakes hands again. Chromium killed twice is started again, its window where the page had
        # put it (not at the configured size), and the page answers through the bridge each time;
        # the third death within five minutes ends the shell. The library stays loaded throughout.
        place = [40, 30, 640, 480]
        shell, chromium = self.start_idle_app({"idle": True, "place": place})
        self.app.add("mode.json", b'{"idle":true}', loose=True)  # later pages leave the window be
        renderers = [p for p in children(chromium, True) if "--type=renderer" in command_line(p)]
        self.assertTrue(renderers, "no renderer found")
        for pid in renderers:
            os.kill(pid, signal.SIGKILL)
        self.assertTrue(self.wait_for_idle(2), "the page was not reloaded")
        self.assertEqual(children(shell.pid), [chromium], "the same browser reloaded the page")
        for restart in (3, 4):
            time.sleep(1.5)  # the shell notes the window's place about once a second
            os.kill(chromium, signal.SIGKILL)
            self.assertTrue(self.wait_for_idle(restart), f"no page after restart {restart - 2}")
            self.assertTrue(wait_until(lambda: len(children(shell.pid)) == 1, 10))
            chromium = children(shell.pid)[0]
        self.assertEqual([r["place"] for r in self.idle_reports()], [place] * 4, "the window kept its place")
        self.assertEqual(self.app.lines().count("window null"), 1, "the library heard of one main window")
        os.kill(chromium, signal.SIGKILL)
        _, stderr = shell.communicate(timeout=30)
        self.assertEqual((shell.returncode, stderr.count("Starting it again.")), (1, 2), stderr)
        self.assertRegex(stderr, r"Chromium (ended unexpectedly|closed its connection).* The app's web "
                                 r"view stopped unexpectedly and could not be restarted\.")


def command_line(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as source:
            return source.read().replace(b"\0", b" ").decode(errors="replace")
    except FileNotFoundError:
        return ""


@unittest.skipUnless(SHELL, "needs the shell")
class StartupFailures(unittest.TestCase):
    def test_missing_or_bad_package_json_and_missing_chromium_are_reported(self):
        load = "Failed to load package.json. Check the file is in the same folder as the app."
        for package, message, env in ((None, load, {}), (b"", load, {}), (b"{", PARSE, {}), (b'{"name":""}', PARSE, {}),
                                      (b'{"name":"x","settings":{"content-mode":"Bundle"}}', PARSE, {}),
                                      (b'{"name":"x"}', "Chromium was not found", {"PATH": "/nonexistent"})):
            with self.subTest(package=package), tempfile.TemporaryDirectory() as tmp:
                shutil.copy2(SHELL, os.path.join(tmp, "corvane"))
                if package is not None:
                    write(os.path.join(tmp, "package.json"), package)
                done = subprocess.run([os.path.join(tmp, "corvane"), "--headless"], capture_output=True, text=True,
                                      env=dict(os.environ, HOME=tmp, XDG_DATA_HOME=os.path.join(tmp, "data"), **env),
                                      timeout=30)
                self.assertEqual(done.returncode, 1)
                (self.assertIn if env else self.assertEqual)(message, done.stderr.strip())


if __name__ == "__main__":
    unittest.main()
