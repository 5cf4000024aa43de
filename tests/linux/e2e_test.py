#!/usr/bin/env python3
"""The Linux shell end to end in headless Chromium: each test runs an app folder and reads what
page/app.js reported through the test extension's log; a stand-in xdg-open records what is opened."""

import contextlib
import fcntl
import hashlib
import http.server
import json
import os
import pathlib
import pty
import shutil
import signal
import subprocess
import tempfile
import termios
import threading
import time
import unittest
import wave

SHELL, PACK, EXTENSION = (os.environ.get("CORVANE_" + name, "") for name in ("SHELL", "PACK", "TEST_EXTENSION"))
PAGES = pathlib.Path(__file__).resolve().parent / "page"
# The machine has no network and may run as root (where Chromium needs its sandbox off).
CHROMIUM_ARGS = ("--disable-gpu --no-first-run --disable-background-networking --disable-component-update "
                 "--disable-sync --disable-popup-blocking" + (" --no-sandbox" if os.geteuid() == 0 else ""))
LARGE_SIZE, PIECES, PIECE_SIZE, SPARSE_SIZE = 20 * 1024 * 1024, 32, 5 * 1024 * 1024, 5 * 1024 ** 3
PARSE = "Failed to parse package.json. Check the file has valid JSON and that all parameters are correct."


def drain(descriptor):
    """Reads a terminal's output until it closes, so that writers never wait on it."""
    with contextlib.suppress(OSError):
        while os.read(descriptor, 65536):
            pass


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


class RecordingServer(http.server.ThreadingHTTPServer):
    def __init__(self, test):
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
        test.addCleanup(self.server_close)
        test.addCleanup(self.shutdown)


class App:
    """One app folder in a fresh temporary folder, removed by the test's clean-up."""

    def __init__(self, test, bundle=False, package=None, mode=None):
        self.root = tempfile.mkdtemp(prefix="corvane-e2e-")
        test.addCleanup(shutil.rmtree, self.root, True)
        self.folder, self.log = os.path.join(self.root, "app"), os.path.join(self.root, "extension.log")
        self.www, self.opened = os.path.join(self.folder, "www"), os.path.join(self.root, "xdg-open.log")
        self.command = [os.path.join(self.folder, "corvane"), "--headless"]
        self.loose, self.bundle = os.path.join(self.root, "content") if bundle else self.www, bundle
        os.makedirs(self.www)
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
        for page in ("index.html", "frame.html", "app.js", "worker.js"):
            self.add(page, (PAGES / page).read_bytes())
        if mode is not None:
            self.add("mode.json", json.dumps(mode).encode())

    def add(self, relative, data):
        write(os.path.join(self.loose, relative), data)

    def run(self, timeout=120):
        if self.bundle:
            subprocess.run([PACK, "create", self.loose, "-o", os.path.join(self.www, "assets.dat")],
                           check=True, capture_output=True, timeout=120)
        done = subprocess.run(self.command, env=self.env, capture_output=True, text=True, timeout=timeout)
        self.returncode, self.stderr = done.returncode, done.stderr
        messages = [json.loads(line[8:]) for line in self.lines() if line.startswith("message ")]
        return next((m["results"] for m in messages if m.get("action") == "report"), None)

    def lines(self, path=None):
        path = pathlib.Path(path or self.log)
        return path.read_text().splitlines() if path.exists() else []


class PageRuns(unittest.TestCase):
    def test_the_page_run_from_a_bundle_with_a_5_gib_sparse_loose_file_beside_it(self):
        server = RecordingServer(self)
        app = App(self, bundle=True, mode={"port": server.server_address[1], "pieces": PIECES})
        small_sha = write_pattern_file(os.path.join(app.loose, "data.bin"), 5000, 3)
        pieces = [write_pattern_file(os.path.join(app.loose, "p", "%d.bin" % i), PIECE_SIZE, i) for i in range(PIECES)]
        with wave.open(os.path.join(app.loose, "sound.wav"), "wb") as out:  # 30 s of silence to seek in
            out.setparams((2, 2, 44100, 0, "NONE", None))
            out.writeframes(bytes(30 * 44100 * 4))
        large = {"status": 200, "contentRange": None, "length": LARGE_SIZE,
                 "sha256": write_pattern_file(os.path.join(app.loose, "large.bin"), LARGE_SIZE, 5)}
        with open(sparse := os.path.join(app.www, "sparse.bin"), "wb") as out:  # the rest reads as zeros
            out.truncate(SPARSE_SIZE)
            out.seek(4294967000)
            out.write(pattern_bytes(12 * 1024 * 1024, 7))
        r, lines = app.run(timeout=400), app.lines()
        self.assertIsNotNone(r, "the page sent no report; shell stderr:\n" + app.stderr + "\nlog:\n" + "\n".join(lines))
        self.assertNotIn("exception", r)
        self.assertEqual((app.returncode, "release" in lines), (0, True), app.stderr)

        length = os.path.getsize(PAGES / "index.html")
        self.assertEqual((r["index"]["status"], r["index"]["statusText"], r["index"]["headers"], r["index"]["body"]),
                         (200, "OK", {"content-type": "text/html; charset=utf-8", "cache-control": "no-store",
                                      "accept-ranges": "bytes", "content-length": str(length)}, length))
        self.assertEqual((r["range"]["status"], r["range"]["headers"]["content-range"], bytes(r["range"]["body"])),
                         (206, "bytes 10-19/5000", pattern_bytes(5000, 3)[10:20]))
        self.assertEqual((r["unsat"]["status"], r["unsat"]["body"]), (416, []))

        # Large answers: under load while media seeks, in every kind of client, to POSTs, past 4 GiB.
        self.assertEqual(r["parallel"], [{**large, "length": PIECE_SIZE, "sha256": s} for s in pieces])
        self.assertEqual(r["seek"], 25)
        self.assertEqual([r[k] for k in ("frame", "dedicatedWorker", "sharedWorker", "postLarge")], [large] * 4)
        self.assertEqual(r["serviceWorker"], large, "precached in the service worker's install")
        self.assertEqual(r["postSmall"], {**large, "length": 5000, "sha256": small_sha})
        self.assertEqual(r["permissions"], ["granted"] * 5, "every permission kind granted to the app")
        first, last = 4294967000, 4306967295
        with open(sparse, "rb") as source:
            source.seek(first)
            digest = hashlib.sha256(source.read(last + 1 - first)).hexdigest()
        self.assertEqual(r["far"], {"status": 206, "contentRange": f"bytes {first}-{last}/{SPARSE_SIZE}",
                                    "length": last + 1 - first, "sha256": digest})

        # Only the app document's string posts reach the library; a character cut in two reads U+FFFD.
        self.assertEqual(r["handshake"], {"type": "wrapper-init-response", "registeredComponentIds": ["test-log", "echo"]})
        text = "\n".join(lines)
        for ignored in ("object-post", "same-origin-iframe"):
            self.assertNotIn(ignored, text, "a non-string post or an iframe's message reached the library")
        self.assertIn('message {"type":"extension-message","action":"raw-cut","text":"a\ufffd"}', lines)
        self.assertEqual(r["fullscreen"], ["TypeError", True, True], "fullscreen without a gesture refused, as on Windows")
        # Every way out leaves the document in place; scripted popups reach neither system nor network.
        self.assertEqual((r["stillHere"], r["bridgeAfterNavigation"], r["popupsReturnedNothing"]), (True, True, True))
        self.assertEqual(r["downloadsPrevented"], [False, False], "a blob: or data: download is not stopped")
        self.assertEqual((app.lines(app.opened), server.requests), ([], []))
        self.assertEqual(r["echoesAcrossReload"], list(range(1000)), "each message reaches the page once, in order")
        self.assertEqual(r["threadEcho"], list(range(100)), "posts from the library's own thread")

    def test_remote_mode_stops_navigations_and_drops_a_post_too_large_alone(self):
        server = RecordingServer(self)
        # "main" written as an author might: the browser asks for the folder escaped, without the fragment.
        server.files = {"/my%20app/" + page: (PAGES / page).read_bytes() for page in ("index.html", "app.js", "worker.js")}
        server.files["/my%20app/mode.json"] = json.dumps({"remote": True, "port": server.server_address[1]}).encode()
        app = App(self, package={"main": server.url + "/my app/index.html#start", "settings": {"content-mode": "remote"}})
        results, lines = app.run(timeout=300), app.lines()
        self.assertIsNotNone(results, app.stderr)
        self.assertEqual((results["handshake"]["type"], results["stillHere"], results["bridgeAfterNavigation"]),
                         ("wrapper-init-response", True, True))
        self.assertEqual([p for p in server.requests if not p.startswith("/my%20app/") and p != "/favicon.ico"], [])
        # Of two very large posts the first arrives, costing the shell little; the second is dropped.
        size, start = 200 * 1024 * 1024, '{"type":"extension-message","action":"large-200"'
        self.assertIn("large %d %s" % (len(start) + len(',"data":""}') + size, start), lines)
        self.assertFalse(any("large-300" in line for line in lines))
        self.assertLess(int(next(line for line in lines if line.startswith("VmHWM:")).split()[1]) * 1024, 3 * size)
        self.assertTrue(results["afterLarge"])
        self.assertIn("dropped a message", app.stderr)
        self.assertEqual(app.returncode, 0, app.stderr)


UPDATING_PAGE = b"""<!doctype html><meta charset="utf-8"><script src="version.js"></script><script>
const results = { version: window.version, fromWorker: !!navigator.serviceWorker.controller };
(async () => {
  await navigator.serviceWorker.register("/sw.js");
  await navigator.serviceWorker.ready;
  chrome.webview.postMessage(JSON.stringify({ type: "extension-message", action: "report", results }));
  setTimeout(() => window.close(), 300);
})();
</script>"""
# Cache first, under a cache name that stays the same across versions.
CACHING_WORKER = b"""// %s
self.addEventListener("install", (e) => e.waitUntil(
  caches.open("app").then((c) => c.addAll(["/index.html", "/version.js"])).then(() => self.skipWaiting())));
self.addEventListener("activate", (e) => e.waitUntil(self.clients.claim()));
self.addEventListener("fetch", (e) => e.respondWith(caches.match(e.request).then((hit) => hit || fetch(e.request))));
"""


class AppUpdates(unittest.TestCase):
    def test_a_new_version_replaces_the_service_worker_an_old_one_installed(self):
        # The browser's own update check never reaches the shell, so version 1's cache-first worker
        # would serve it for good. Version 2's worker script is 5 MiB, past what goes by loopback.
        app = App(self)
        reports = []
        for version, worker in (("v1", CACHING_WORKER % b"v1"), ("v1", None),
                                ("v2", CACHING_WORKER % b"v2" + b"//" + b"x" * (5 << 20) + b"\n"), ("v2", None)):
            if worker is not None:
                app.add("index.html", UPDATING_PAGE)
                app.add("version.js", b'window.version = "%s";' % version.encode())
                app.add("sw.js", worker)
            pathlib.Path(app.log).unlink(missing_ok=True)
            reports.append(app.run(timeout=60))
            self.assertEqual(app.returncode, 0, app.stderr)
        # Each first run of a version installs its worker; the next one's page comes from it.
        self.assertEqual(reports, [{"version": "v1", "fromWorker": False}, {"version": "v1", "fromWorker": True},
                                   {"version": "v2", "fromWorker": False}, {"version": "v2", "fromWorker": True}])


def children(pid, deep=False):
    pids = [int(p) for task in os.listdir(f"/proc/{pid}/task")
            for p in pathlib.Path(f"/proc/{pid}/task/{task}/children").read_text().split()]
    return pids + [d for child in pids for d in children(child, True)] if deep else pids


def alive(pid):
    try:
        return pathlib.Path(f"/proc/{pid}/stat").read_text().split(")")[-1].split()[0] != "Z"
    except FileNotFoundError:
        return False


def wait_until(test, seconds):
    end = time.time() + seconds
    while time.time() < end and not test():
        time.sleep(0.1)
    return test()


class ProcessLifetime(unittest.TestCase):
    def start_idle_app(self, mode=None, **streams):
        """The shell started (for a `mode`, in a new app folder) and its page reported once more;
        `streams` replace the Popen arguments."""
        if mode is not None:
            self.app = App(self, mode=mode)
        reports = len(self.idle_reports())
        shell = subprocess.Popen(self.app.command, env=self.app.env,
                                 **{"stdout": subprocess.DEVNULL, "stderr": subprocess.PIPE, "text": True, **streams})
        self.addCleanup(lambda: (shell.poll() is None and shell.kill(), shell.communicate()))
        self.assertTrue(self.wait_for_idle(reports + 1), "the page never came up")
        (chromium,) = children(shell.pid)  # the browser, alone
        # A hang-up sent to the shell's group (a closed terminal) must not end the browser before
        # the shell has closed it in order: what the page stored would be lost.
        self.assertNotEqual(os.getsid(chromium), os.getsid(shell.pid))
        self.addCleanup(lambda: alive(chromium) and os.kill(chromium, signal.SIGKILL))
        return shell, chromium

    def idle_reports(self):
        return [json.loads(line[8:]) for line in self.app.lines() if line.startswith("message ") and '"idle"' in line]

    def wait_for_idle(self, count):
        """Until the page has shaken hands and reported `count` times in all."""
        return wait_until(lambda: len(self.idle_reports()) >= count, 60)

    def test_one_instance_runs_and_neither_process_outlives_the_other(self):
        # Started by a launcher that closed the standard streams: the browser gets /dev/null.
        shell, chromium = self.start_idle_app({"idle": True}, stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                              preexec_fn=lambda: [os.close(descriptor) for descriptor in (0, 1, 2)])
        self.assertEqual([os.readlink(f"/proc/{chromium}/fd/{d}") for d in (0, 1, 2)], ["/dev/null"] * 3)
        second = subprocess.run(self.app.command, env=self.app.env, capture_output=True, text=True, timeout=60)
        self.assertEqual(second.returncode, 1, second.stderr)
        self.assertIn("If the app is running already, its window is open", second.stderr)
        self.assertTrue(alive(chromium) and shell.poll() is None, "the first instance was disturbed")

        time.sleep(1)  # stored, but not yet written out by Chromium
        shell.kill()
        shell.wait(10)
        self.assertTrue(wait_until(lambda: not alive(chromium), 20), "Chromium outlived the shell")
        # Started again from a terminal set to stop background jobs that write to it (stty tostop):
        # without the shell's terminal, the browser's warnings cannot stop it before the page is up.
        main, terminal = pty.openpty()
        attributes = termios.tcgetattr(terminal)
        attributes[3] |= termios.TOSTOP
        termios.tcsetattr(terminal, termios.TCSANOW, attributes)
        threading.Thread(target=lambda: drain(main), daemon=True).start()
        shell, chromium = self.start_idle_app(
            stdin=terminal, stdout=terminal, stderr=terminal, start_new_session=True,
            preexec_fn=lambda: fcntl.ioctl(0, termios.TIOCSCTTY, 0))
        os.close(terminal)
        self.assertEqual([r["stored"] for r in self.idle_reports()], [["", None], ["kept=1", "1"]], "storage kept")

        # A stop signal closes the window as the page would, so its pagehide posts arrive.
        shell.send_signal(signal.SIGHUP)  # a closed terminal, or a logout's SIGTERM
        _, stderr = shell.communicate(timeout=30)
        self.assertEqual(shell.returncode, 128 + signal.SIGHUP, stderr)
        lines = self.app.lines()
        last_run = lines[len(lines) - 1 - lines[::-1].index("init"):]
        self.assertEqual(last_run[-1], "release", lines)
        self.assertTrue(any('"action":"pagehide"' in line for line in last_run), lines)
        self.assertTrue(wait_until(lambda: not alive(chromium), 10), "Chromium outlived the shell")

    def test_crashed_page_and_dead_browser_come_back_within_bounds(self):
        # Killed renderers: the page is reloaded. Chromium killed twice: started again with the window
        # where the page put it, the library still loaded; the third death ends the shell.
        place = [40, 30, 640, 480]
        shell, chromium = self.start_idle_app({"idle": True, "place": place})
        self.app.add("mode.json", b'{"idle":true}')  # later pages leave the window be
        renderers = [p for p in children(chromium, True)
                     if b"--type=renderer" in pathlib.Path(f"/proc/{p}/cmdline").read_bytes()]
        for pid in renderers:
            os.kill(pid, signal.SIGKILL)
        self.assertTrue(self.wait_for_idle(2), "the page was not reloaded")
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


class StartupFailures(unittest.TestCase):
    def test_start_up_failures_end_the_run_at_once_the_early_ones_before_the_library_loads(self):
        load = "Failed to load package.json. Check the file is in the same folder as the app."
        folder = "Failed to create the app's data folder"
        no_window = "Chromium did not open the app's window"
        named = b'{"name":"x"}'
        # {app}: the app's folder. The chromium first on the PATH is a stand-in that ends at once.
        for package, message, env in ((None, load, {}), (b"{", PARSE + "\n(parse error at line 1, column 2", {}),
                                      (named, "Chromium was not found", {"PATH": "/nonexistent"}),
                                      # A file where the folder goes: Chromium would take the user's own profile.
                                      (b'{"name":"corvane"}', folder, {"XDG_DATA_HOME": "{app}"}),
                                      (named, no_window, {})):
            with self.subTest(package=package, message=message):
                app = App(self)
                chromium = os.path.join(app.root, "bin", "chromium")
                write(chromium, b'#!/bin/sh\necho started >> "$0.log"\nexit 1\n')
                os.chmod(chromium, 0o755)
                os.remove(os.path.join(app.folder, "package.json"))
                if package is not None:
                    write(os.path.join(app.folder, "package.json"), package)
                app.env.update((k, v.format(app=app.folder)) for k, v in env.items())
                app.run(timeout=30)
                self.assertEqual(app.returncode, 1)
                self.assertIn(message, app.stderr)
                started = app.lines(chromium + ".log")
                if message == no_window:  # started once, not again and again
                    self.assertEqual((started, app.lines()), (["started"], ["init", "release"]))
                else:
                    self.assertEqual((started, app.lines()), ([], []), "Chromium started or the library loaded")


if __name__ == "__main__":
    unittest.main()
