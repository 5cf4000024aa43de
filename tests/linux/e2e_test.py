#!/usr/bin/env python3
"""End-to-end tests of the Linux shell in headless Chromium.

Each scenario lays out an app folder (the shell copied in, package.json, www/ with a bundle made
by corvane-pack or loose files, and a test extension library), runs the shell with --headless and
reads what the page reported through the bridge: the test page sends its findings as an
extension message, which the extension library writes to a log file. A stand-in xdg-open on PATH
records what the shell hands to the system. Every run is bounded in time.
"""

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

SHELL = os.environ.get("CORVANE_SHELL", "")
PACK = os.environ.get("CORVANE_PACK", "")
EXTENSION = os.environ.get("CORVANE_TEST_EXTENSION", "")
HERE = os.path.dirname(os.path.abspath(__file__))
RUN_TIMEOUT = 120

# The machine has no network and may run as root (where Chromium needs its sandbox off).
CHROMIUM_ARGS = ("--disable-gpu --no-first-run --disable-background-networking "
                 "--disable-component-update --disable-sync --disable-popup-blocking")
if os.geteuid() == 0:
    CHROMIUM_ARGS += " --no-sandbox"

BIG_SIZE = 200 * 1024 * 1024
BUNDLED_LARGE_SIZE = 20 * 1024 * 1024


def pattern_bytes(size, seed):
    """Deterministic bytes that differ at every offset modulo 251, so shifts and gaps show."""
    block = bytes((i * 7 + seed) % 251 for i in range(251 * 64))
    reps, rest = divmod(size, len(block))
    return block * reps + block[:rest]


def write_pattern_file(path, size, seed):
    block = pattern_bytes(251 * 4096, seed)
    digest = hashlib.sha256()
    with open(path, "wb") as out:
        left = size
        while left:
            chunk = block[:min(left, len(block))]
            out.write(chunk)
            digest.update(chunk)
            left -= len(chunk)
    return digest.hexdigest()


def write_tone(path, seconds, rate=44100):
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(rate)
        frames = bytearray()
        for i in range(int(seconds * rate)):
            v = int(8000 * math.sin(2 * math.pi * 440 * i / rate))
            frames += struct.pack("<hh", v, v)
        out.writeframes(bytes(frames))


class RecordingServer:
    """A local web server that records every request and serves the given files."""

    def __init__(self, files=None):
        self.requests, self.files = [], files or {}
        outer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def answer(self):
                outer.requests.append((self.command, self.path))
                body = outer.files.get(self.path)
                self.send_response(200 if body is not None else 404)
                self.send_header("Content-Length", str(len(body or b"")))
                self.end_headers()
                self.wfile.write(body or b"")

            do_GET = do_POST = answer

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        self.url = "http://127.0.0.1:%d" % self.port
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class App:
    """One app folder and one run of the shell."""

    def __init__(self, root, bundle, package=None, extension=True):
        self.root = root
        self.folder = os.path.join(root, "app")
        self.www = os.path.join(self.folder, "www")
        self.loose = os.path.join(root, "content") if bundle else self.www
        os.makedirs(self.www)
        os.makedirs(self.loose, exist_ok=True)
        self.bundle = bundle
        shutil.copy2(SHELL, os.path.join(self.folder, "corvane"))
        if extension:
            shutil.copy2(EXTENSION, os.path.join(self.folder, "Vantor.so"))
        config = {"name": "corvane-e2e", "main": "index.html",
                  "window": {"title": "E2E", "width": 800, "height": 600},
                  "chromium-args": CHROMIUM_ARGS}
        config.update(package or {})
        with open(os.path.join(self.folder, "package.json"), "w") as out:
            json.dump(config, out)
        self.home = os.path.join(root, "home")
        self.log = os.path.join(root, "extension.log")
        self.opened = os.path.join(root, "xdg-open.log")
        bin_dir = os.path.join(root, "bin")
        os.makedirs(bin_dir)
        with open(os.path.join(bin_dir, "xdg-open"), "w") as out:
            out.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.opened)
        os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
        self.env = dict(os.environ, HOME=self.home, XDG_DATA_HOME=os.path.join(root, "data"),
                        XDG_CONFIG_HOME=os.path.join(root, "config"), CORVANE_TEST_LOG=self.log,
                        PATH=bin_dir + os.pathsep + os.environ.get("PATH", ""))
        self.env.pop("DISPLAY", None)

    def add(self, relative, data, loose=False):
        path = os.path.join(self.www if loose else self.loose, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)
        return path

    def add_page(self):
        for page in ("index.html", "frame.html", "app.js"):
            with open(os.path.join(HERE, "page", page), "rb") as source:
                self.add(page, source.read())

    def pack(self):
        if self.bundle:
            subprocess.run([PACK, "create", self.loose, "-o", os.path.join(self.www, "assets.dat")],
                           check=True, capture_output=True, timeout=120)

    def run(self, timeout=RUN_TIMEOUT):
        result = subprocess.run([os.path.join(self.folder, "corvane"), "--headless"], env=self.env,
                                capture_output=True, text=True, timeout=timeout)
        self.returncode, self.stderr = result.returncode, result.stderr
        return result

    def log_lines(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log) as source:
            return source.read().splitlines()

    def report(self):
        for line in self.log_lines():
            if line.startswith("message "):
                message = json.loads(line[len("message "):])
                if message.get("action") == "report":
                    return message["results"]
        return None

    def opened_urls(self):
        if not os.path.exists(self.opened):
            return []
        with open(self.opened) as source:
            return source.read().splitlines()


@unittest.skipUnless(SHELL and PACK and EXTENSION and shutil.which("chromium"),
                     "needs the shell, corvane-pack, the test extension and chromium")
class PageScenario(unittest.TestCase):
    """The test page's whole run, once from a bundle and once from loose files."""

    bundle = True

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="corvane-e2e-")
        cls.server = RecordingServer()
        cls.app = App(cls.tmp, bundle=cls.bundle)
        cls.app.add_page()
        cls.app.add("mode.json", json.dumps({"port": cls.server.port}).encode())
        cls.app.add("data.bin", pattern_bytes(5000, 3))
        write_tone(os.path.join(cls.app.loose, "tone.wav"), seconds=30)
        # A large asset: from the bundle in bundle mode, a loose file (beside the bundle) otherwise.
        cls.large_sha = write_pattern_file(os.path.join(cls.app.loose, "large.bin"),
                                           BUNDLED_LARGE_SIZE, 5)
        cls.app.pack()
        cls.app.run()
        cls.results = cls.app.report()

    @classmethod
    def tearDownClass(cls):
        cls.server.close()
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def setUp(self):
        self.assertIsNotNone(self.results, "the page sent no report; shell stderr:\n" + self.app.stderr
                             + "\nlog:\n" + "\n".join(self.app.log_lines()))

    def test_window_close_ends_the_shell_with_zero(self):
        self.assertEqual(self.app.returncode, 0, self.app.stderr)
        self.assertIn("release", self.app.log_lines())

    def test_start_page_and_headers_as_the_page_sees_them(self):
        index = self.results["index"]
        with open(os.path.join(HERE, "page", "index.html"), "rb") as source:
            length = str(len(source.read()))
        self.assertEqual((index["status"], index["statusText"]), (200, "OK"))
        self.assertEqual(index["headers"], {"content-type": "text/html; charset=utf-8", "cache-control": "no-store",
                                            "accept-ranges": "bytes", "content-length": length})
        missing = self.results["missing"]
        self.assertEqual((missing["status"], missing["statusText"], missing["text"]),
                         (404, "Not Found", "File not found"))

    def test_ranges_through_fetch(self):
        data = pattern_bytes(5000, 3)
        r = self.results["range"]
        self.assertEqual((r["status"], r["statusText"]), (206, "Partial Content"))
        self.assertEqual(r["headers"]["content-range"], "bytes 10-19/5000")
        self.assertEqual(bytes(r["head"]), data[10:18])
        self.assertEqual(r["length"], 10)
        self.assertEqual(self.results["suffix"]["headers"]["content-range"], "bytes 4995-4999/5000")
        self.assertEqual(self.results["open"]["length"], 4000)
        self.assertEqual(self.results["unsat"]["status"], 416)
        self.assertEqual(self.results["unsat"]["statusText"], "Range Not Satisfiable")

    def test_open_range_on_a_large_asset_is_answered_in_a_piece(self):
        capped = self.results["openLarge"]
        self.assertEqual(capped["status"], 206)
        first, rest = capped["headers"]["content-range"].split(" ")[1].split("-")
        last, total = rest.split("/")
        self.assertEqual((int(first), int(total)), (0, BUNDLED_LARGE_SIZE))
        self.assertLess(int(last) + 1, BUNDLED_LARGE_SIZE)
        self.assertEqual(capped["length"], int(last) + 1)

    def test_audio_loads_its_duration_and_seeks(self):
        audio = self.results["audio"]
        self.assertNotIn("error", audio)
        self.assertNotIn("timeout", audio)
        self.assertAlmostEqual(audio["duration"], 30.0, places=1)
        self.assertAlmostEqual(audio["seekedTo"], 25.0, places=0)

    def test_large_asset_arrives_intact(self):
        self.assertEqual(self.results["large"], {"status": 200, "url": "https://corvane.localhost/large.bin",
                                                 "length": BUNDLED_LARGE_SIZE, "sha256": self.large_sha})

    def test_handshake_and_extension_messages_both_ways(self):
        self.assertEqual(self.results["handshake"],
                         {"type": "wrapper-init-response", "registeredComponentIds": ["test-log", "echo"]})
        # The library's message from Init waited for the handshake's reply.
        self.assertEqual(self.results["inboxOrder"][:2], ["wrapper-init-response", "early"])
        self.assertEqual(self.results["echo"]["message"]["text"], "h\u00e9llo")
        lines = self.app.log_lines()
        self.assertIn("window null", lines)
        self.assertTrue(any(l.startswith("documents /") for l in lines), lines)
        self.assertFalse(any("object-post" in l for l in lines), "a non-string post reached the library")

    def test_messages_from_iframes_are_ignored(self):
        lines = "\n".join(self.app.log_lines())
        self.assertTrue(self.results["iframeLoaded"])
        self.assertNotIn("same-origin-iframe", lines)
        self.assertNotIn("data-iframe", lines)

    def test_window_commands(self):
        self.assertEqual(self.results["size"], [500, 400])
        self.assertEqual(self.results["position"], [33, 44])
        self.assertTrue(self.results["fullscreen"])
        self.assertEqual(self.results["sizeInFullscreen"], self.results["fullscreenSize"])
        self.assertFalse(self.results["afterFullscreen"])

    def test_navigations_and_popups_leave_the_app_standing_and_never_load(self):
        # Another site, about:blank, blob:, data: and a history step: the same document stays.
        self.assertTrue(self.results["stillHere"])
        self.assertTrue(self.results["bridgeAfterNavigation"])
        # Each popup went to the system exactly once and nothing reached the network.
        self.assertEqual(sorted(self.app.opened_urls()),
                         sorted([self.server.url + "/popup", self.server.url + "/link",
                                 self.server.url + "/form", "mailto:someone@example.com"]))
        self.assertEqual(self.server.requests, [])
        self.assertTrue(self.results["popupsReturnedNothing"])

    def test_text_cut_inside_a_character_is_delivered(self):
        self.assertIn('message {"type":"extension-message","action":"raw-cut","text":"a\ufffd"}',
                      self.app.log_lines())
        self.assertIs(self.results["cutEcho"], True)

    def test_messages_reach_the_page_once_in_order_across_a_reload(self):
        self.assertEqual(self.results["echoesAcrossReload"], list(range(1000)))

    def test_library_posts_from_its_own_thread(self):
        self.assertEqual(self.results["threadEcho"], list(range(100)))


class LooseFilesScenario(PageScenario):
    bundle = False


@unittest.skipUnless(SHELL and PACK and shutil.which("chromium"), "needs the shell and chromium")
class LargeLooseAsset(unittest.TestCase):
    def test_200_mib_asset_is_fetched_intact(self):
        tmp = tempfile.mkdtemp(prefix="corvane-e2e-big-")
        self.addCleanup(shutil.rmtree, tmp, True)
        app = App(tmp, bundle=False)
        app.add_page()
        sha = write_pattern_file(os.path.join(app.www, "big.bin"), BIG_SIZE, 11)
        app.add("mode.json", b'{"big":true}')
        app.run()
        results = app.report()
        self.assertIsNotNone(results, app.stderr)
        self.assertEqual(results["big"], {"status": 200, "url": "https://corvane.localhost/big.bin",
                                          "length": BIG_SIZE, "sha256": sha})
        self.assertEqual(app.returncode, 0, app.stderr)


@unittest.skipUnless(SHELL and EXTENSION and shutil.which("chromium"), "needs the shell and chromium")
class RemoteScenario(unittest.TestCase):
    """The page from a local server in remote mode: it cannot be left and popups never load."""

    def test_navigations_and_popups_are_stopped(self):
        tmp = tempfile.mkdtemp(prefix="corvane-e2e-remote-")
        self.addCleanup(shutil.rmtree, tmp, True)
        server = RecordingServer()
        self.addCleanup(server.close)
        for page in ("index.html", "app.js"):
            with open(os.path.join(HERE, "page", page), "rb") as source:
                server.files["/app/" + page] = source.read()
        server.files["/app/mode.json"] = json.dumps({"remote": True, "port": server.port}).encode()
        app = App(tmp, bundle=False, package={"main": server.url + "/app/index.html",
                                              "settings": {"content-mode": "remote"}})
        app.run()
        results = app.report()
        self.assertIsNotNone(results, app.stderr)
        self.assertEqual(results["handshake"]["type"], "wrapper-init-response")
        self.assertTrue(results["stillHere"])
        self.assertTrue(results["bridgeAfterNavigation"])
        self.assertEqual(sorted(app.opened_urls()),
                         sorted([server.url + "/popup", server.url + "/link", server.url + "/form",
                                 "mailto:someone@example.com"]))
        self.assertEqual([path for _, path in server.requests if not path.startswith("/app/")
                          and path != "/favicon.ico"], [])
        self.assertEqual(app.returncode, 0, app.stderr)


@unittest.skipUnless(SHELL and EXTENSION and shutil.which("chromium"), "needs the shell and chromium")
class LargePosts(unittest.TestCase):
    def test_a_post_too_large_is_dropped_alone_and_a_large_one_costs_little(self):
        tmp = tempfile.mkdtemp(prefix="corvane-e2e-posts-")
        self.addCleanup(shutil.rmtree, tmp, True)
        app = App(tmp, bundle=False)
        app.add_page()
        app.add("mode.json", b'{"posts":true}')
        app.run(timeout=300)
        results = app.report()
        self.assertIsNotNone(results, app.stderr)
        lines = app.log_lines()
        size, start = 200 * 1024 * 1024, '{"type":"extension-message","action":"large-200"'
        self.assertIn("large %d %s" % (len(start) + len(',"data":""}') + size, start), lines)
        self.assertFalse(any("large-300" in line for line in lines))
        peak = [int(line.split()[1]) * 1024 for line in lines if line.startswith("VmHWM:")]
        self.assertEqual(len(peak), 1, lines)
        self.assertLess(peak[0], 3 * size)
        self.assertTrue(results["afterLarge"])
        self.assertIn("dropped a message", app.stderr)
        self.assertEqual(app.returncode, 0, app.stderr)


def child_pids(pid):
    pids = []
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/children" % (pid, task)) as source:
            pids += [int(p) for p in source.read().split()]
    return pids


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid) as source:
            return source.read().split(")")[-1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def wait_until(test, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if test():
            return True
        time.sleep(0.1)
    return test()


@unittest.skipUnless(SHELL and EXTENSION and shutil.which("chromium"), "needs the shell and chromium")
class ProcessLifetime(unittest.TestCase):
    """Neither process outlives the other."""

    def start_idle_app(self, mode=b'{"idle":true}'):
        tmp = tempfile.mkdtemp(prefix="corvane-e2e-life-")
        self.addCleanup(shutil.rmtree, tmp, True)
        self.app = app = App(tmp, bundle=False)
        app.add_page()
        app.add("mode.json", mode)
        shell = subprocess.Popen([os.path.join(app.folder, "corvane"), "--headless"], env=app.env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (shell.poll() is None and shell.kill(), shell.communicate()))
        self.assertTrue(self.wait_for_idle(1), "the page never came up")
        chromium = child_pids(shell.pid)
        self.assertEqual(len(chromium), 1)
        return shell, chromium[0]

    def idle_reports(self):
        return [json.loads(line[len("message "):]) for line in self.app.log_lines()
                if line.startswith("message ") and '"idle"' in line]

    def wait_for_idle(self, count):
        """Until the page has shaken hands and reported `count` times in all."""
        return wait_until(lambda: len(self.idle_reports()) >= count, 60)

    def test_chromium_ends_when_the_shell_is_killed(self):
        shell, chromium = self.start_idle_app()
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
        shell, chromium = self.start_idle_app(json.dumps({"idle": True, "place": place}).encode())
        self.app.add("mode.json", b'{"idle":true}', loose=True)  # later pages leave the window be
        renderers = [p for p in all_descendants(chromium) if "--type=renderer" in command_line(p)]
        self.assertTrue(renderers, "no renderer found")
        for pid in renderers:
            os.kill(pid, signal.SIGKILL)
        self.assertTrue(self.wait_for_idle(2), "the page was not reloaded")
        self.assertEqual(child_pids(shell.pid), [chromium], "the same browser reloaded the page")
        for restart in (3, 4):
            time.sleep(1.5)  # the shell notes the window's place about once a second
            os.kill(chromium, signal.SIGKILL)
            self.assertTrue(self.wait_for_idle(restart), f"no page after restart {restart - 2}")
            self.assertTrue(wait_until(lambda: len(child_pids(shell.pid)) == 1, 10))
            chromium = child_pids(shell.pid)[0]
        self.assertEqual([r["place"] for r in self.idle_reports()], [place] * 4,
                         "the window kept its place through every recovery")
        self.assertEqual(self.app.log_lines().count("window null"), 1,
                         "the library heard of one main window, as on Windows")
        os.kill(chromium, signal.SIGKILL)
        _, stderr = shell.communicate(timeout=30)
        self.assertEqual(shell.returncode, 1)
        self.assertEqual(stderr.count("Starting it again."), 2, stderr)
        self.assertRegex(stderr, r"Chromium (ended unexpectedly|closed its connection).* The app's web "
                                 r"view stopped unexpectedly and could not be restarted\.")


def all_descendants(pid):
    found = child_pids(pid)
    return found + [d for child in found for d in all_descendants(child)]


def command_line(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as source:
            return source.read().replace(b"\0", b" ").decode(errors="replace")
    except FileNotFoundError:
        return ""


@unittest.skipUnless(SHELL, "needs the shell")
class StartupFailures(unittest.TestCase):
    def run_in(self, files, **env):
        tmp = tempfile.mkdtemp(prefix="corvane-e2e-start-")
        self.addCleanup(shutil.rmtree, tmp, True)
        shutil.copy2(SHELL, os.path.join(tmp, "corvane"))
        for name, data in files.items():
            with open(os.path.join(tmp, name), "wb") as out:
                out.write(data)
        env = dict(os.environ, HOME=tmp, XDG_DATA_HOME=os.path.join(tmp, "data"), **env)
        result = subprocess.run([os.path.join(tmp, "corvane"), "--headless"], env=env,
                                capture_output=True, text=True, timeout=30)
        self.assertEqual(result.returncode, 1)
        return result.stderr.strip()

    def test_missing_empty_or_invalid_package_json(self):
        load = "Failed to load package.json. Check the file is in the same folder as the app."
        parse = ("Failed to parse package.json. Check the file has valid JSON and that all parameters "
                 "are correct.")
        for files, message in (({}, load), ({"package.json": b""}, load),
                               ({"package.json": b"{"}, parse), ({"package.json": b'{"name":""}'}, parse),
                               ({"package.json": b'{"name":"x","settings":{"content-mode":"Bundle"}}'}, parse)):
            self.assertEqual(self.run_in(files), message, files)

    def test_missing_chromium_is_reported(self):
        self.assertIn("Chromium was not found",
                      self.run_in({"package.json": b'{"name":"x"}'}, PATH="/nonexistent"))


if __name__ == "__main__":
    unittest.main()
