"""The runtime installer under Wine (../rig.py): corvane_installer_test.exe, the shell with a loopback
bootstrapper address, downloads test_bootstrapper.exe, which logs its start and creates the marker that
makes the stand-in runtime report a runtime. The shell's observer logs the progress window to the same
installer.log, so the order of "window gone" and "bootstrapper ran" shows."""

import http.server
import os
import re
import shutil
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import rig  # noqa: E402
from rig import TITLE, scale  # noqa: E402

scenario = rig.Suite()
INFO_BOX = (TITLE, "The runtime is missing; installing it now.")
FAILURE_BOX = (TITLE, "The runtime could not be installed.")
DEFAULT_CAPTION = "Downloading..."
WINDOW_STYLE, BAR_STYLE = 0x10CA0000, 0x50000000  # visible, caption, system menu, minimize box; visible child
WS_EX_WINDOWEDGE = 0x100  # added by the system to every captioned window
SETUP = {"class": "WebView2Setup"}
STALE = BOOTSTRAPPER = "Webview2Setup.exe"  # the fixed name earlier versions downloaded to


class LoopbackServer(http.server.HTTPServer):
    """Answers on 127.0.0.1:port until closed, listing the paths asked for. `mode`: "file" 200 with
    Content-Length in 8 pieces `chunk_delay` apart; "no-length" 200 ended by closing; "404" 404 carrying
    the program; "200-page" a portal's HTML page; "refuse" the port bound but nothing listening."""

    allow_reuse_address = True  # connections of earlier scenarios linger in TIME_WAIT

    def __init__(self, port, mode, body, chunk_delay):
        super().__init__(("127.0.0.1", port), Handler, bind_and_activate=False)
        self.mode, self.body, self.chunk_delay, self.requests, self.thread = mode, body, chunk_delay, [], None
        self.server_bind()  # a port in use: choose another with CORVANE_INSTALLER_TEST_PORT
        if mode != "refuse":
            self.server_activate()
            self.thread = threading.Thread(target=self.serve_forever, args=(0.2,), daemon=True)
            self.thread.start()

    def server_close(self):  # also on leaving a with block
        if self.thread:
            self.shutdown()
            self.thread.join(timeout=10)
        super().server_close()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def do_GET(self):
        server, error = self.server, self.server.mode == "404"
        server.requests.append(self.path)
        body = b"<html><body>Sign in to continue</body></html>" if server.mode == "200-page" else server.body
        self.send_response(404 if error else 200)
        self.send_header("Content-Type", "text/html" if error else "application/octet-stream")
        if server.mode != "no-length":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        step = max(1, -(-len(body) // 8))
        for start in range(0, len(body), step):
            self.wfile.write(body[start:start + step])
            self.wfile.flush()
            if not error:
                time.sleep(server.chunk_delay)


def play(ctx, c, label, mode, downloading=None, dpi=96, existing=None, close_at=None, chunk_delay=0.05,
         blocked=False):
    """One run with the server answering in `mode`. `existing`: the per-user folder, <run>/user-data,
    holds those files read-only before the run, and the observer tries to change the checked download.
    `blocked`: a file stands where Local AppData belongs. The result has `log`, `requests`, `marker`."""
    folder, name = ctx.folder(label), "CorvaneInstallerTest"
    log, marker = os.path.join(folder, "installer.log"), os.path.join(folder, "runtime-installed.marker")
    user_data = os.path.join(folder, "user-data")
    messages = {"install-webview2": INFO_BOX[1], "install-webview2-failed": FAILURE_BOX[1],
                **({"downloading": downloading} if downloading else {})}
    env = {**dict.fromkeys(("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY")),  # loopback
           "CORVANE_INSTALLER_OBSERVER_LOG": rig.windows_path(log),
           "CORVANE_TEST_BOOTSTRAPPER_LOG": rig.windows_path(log),
           "CORVANE_TEST_RUNTIME_MARKER": rig.windows_path(marker),
           "CORVANE_INSTALLER_OBSERVER_CLOSE_AT": None if close_at is None else str(close_at),
           "CORVANE_INSTALLER_OBSERVER_TAMPER": existing and rig.windows_path(user_data)}

    def prepare(prefix):
        users = os.path.join(prefix, "drive_c", "users")
        local = os.path.join(users, next(n for n in sorted(os.listdir(users)) if n.lower() != "public"),
                             "AppData", "Local")
        if blocked:
            shutil.rmtree(local)
            rig.write(local, b"a file, not a folder")
        elif existing:
            for file, data in existing.items():
                rig.write(os.path.join(user_data, file), data)
                os.chmod(os.path.join(user_data, file), 0o444)
            rig.write(local, None)
            os.symlink(user_data, os.path.join(local, name))

    app = rig.App(package=rig.packaged(name=name, messages=messages), dpi=dpi, env=env, on_prefix=prepare,
                  script=[f"runtime - when-exists {rig.esc(rig.windows_path(marker))}", "close"])
    port, program = int(ctx.args.port), rig.read(ctx.args.bootstrapper)
    with LoopbackServer(port, mode, program, chunk_delay) as server:
        result = ctx.run(app, label)
    result.log = rig.Result(rig.parse_log(log), [], folder, [])
    result.requests, result.marker = server.requests, marker
    return result


def check_window(c, run, dpi, caption):
    window, bar = (run.log.one("window-created", **{"class": name}) for name in ("WebView2Setup", "msctls_progress32"))
    width, height = scale(300, dpi), scale(90, dpi)
    c.equal([window.get("caption"), int(window["style"]), int(window["exstyle"]) & ~WS_EX_WINDOWEDGE,
             window.get("parent")], [caption, WINDOW_STYLE, 0, ""], "progress window: caption, styles, no owner")
    c.equal([int(window[k]) for k in ("width", "height", "x", "y")],
            [width, height, 1280 // 2 - width // 2, 1024 // 2 - height // 2], "outer size, centred on the screen")
    c.equal([bar.get("parent"), int(bar["style"])], ["WebView2Setup", BAR_STYLE],
            "the bar: the window's child, its style")
    c.expect(run.log.index("window-destroyed", **SETUP) >= 0, "the progress window was closed")


def check_installed_and_started(c, run):
    c.equal((run.boxes, run.exit_code, run.requests), ([INFO_BOX], 0, ["/" + BOOTSTRAPPER]),
            "only the information box, exit code after start-up and the close request, one download")
    ran, created = run.log.events("bootstrapper-ran"), run.events("environment-create")
    folder = created[0].get("userDataFolder") if created else None
    if c.equal(len(ran), 1, "the bootstrapper ran once") and c.expect(folder, "the environment was created"):
        c.equal(ran[0].get("cwd"), folder, "the bootstrapper's current directory: the per-user folder")
        c.expect(re.fullmatch(re.escape(folder) + r"\\Webview2Setup-\{[0-9A-F-]{36}\}\.exe", ran[0]["image"]),
                 f"the bootstrapper ran from a fresh unique name: {ran[0]['image']}")
        c.expect(run.log.index("window-destroyed", **SETUP) < run.log.index("bootstrapper-ran"),
                 "the bootstrapper starts after the progress window has gone")


def check_only_stale_left(c, run, stale):
    folder = os.path.join(run.folder, "user-data")
    c.equal((sorted(os.listdir(folder)), rig.read(os.path.join(folder, STALE))), ([STALE], stale),
            "the user data folder holds only the earlier file, unchanged; this run's download is gone")


def check_not_installed(c, run, boxes=(INFO_BOX, FAILURE_BOX)):
    c.equal((run.boxes, run.exit_code), (list(boxes), 1), "message boxes, exit code")
    c.equal((run.log.events("bootstrapper-ran"), os.path.exists(run.marker), run.events("environment-create")),
            ([], False, []), "no program started, nothing installed the runtime, no environment")


@scenario
def downloads_and_installs(ctx, c):
    caption = "Téléchargement… ⏬"  # outside ASCII: the configured text reaches the window as UTF-16
    for label, mode, options in [("whole-file", "file", dict(downloading=caption, dpi=120)),
                                 ("no-length", "no-length", {}),
                                 ("existing-folder", "file", dict(existing={STALE: b"MZ stale"}))]:
        with c.case(label):
            run = play(ctx, c, label, mode, **options)
            check_window(c, run, options.get("dpi", 96), options.get("downloading", DEFAULT_CAPTION))
            check_installed_and_started(c, run)
            positions = [int(p) for p in run.log.pluck("bar-position", "position")]
            if mode != "no-length":
                c.expect(positions and positions[-1] == 100 and positions == sorted(positions) and positions[0] >= 0,
                         f"the bar moves forward only, to 100: {positions}")
            if label == "existing-folder":
                # The checked file cannot be changed before it runs; it is removed once it has exited.
                c.equal([(t["write"], t["rename"], t["delete"]) for t in run.log.events("tamper")], [("0", "0", "0")],
                        "attempts to change the checked download")
                check_only_stale_left(c, run, b"MZ stale")

    with c.case("closed"):
        # Closed a quarter of the way into a two-second download: it goes on, and its program still runs.
        run = play(ctx, c, "closed", "file", close_at=25, chunk_delay=0.3)
        gone = run.log.index("window-destroyed", **SETUP)
        c.expect(0 <= run.log.index("close-posted") < gone, "the window closed when asked to")
        check_installed_and_started(c, run)


@scenario
def failed_installs(ctx, c):
    # Every case finds a working bootstrapper left read-only by an earlier run: if anything ran it,
    # it would log and install. A 404 carrying a working program: the status alone must stop it;
    # a 200 page: the missing "MZ" alone must. A refused download leaves nothing.
    bootstrapper = rig.read(ctx.args.bootstrapper)
    for label, mode in [("404-with-program", "404"), ("refused", "refuse"), ("200-without-program", "200-page")]:
        with c.case(label):
            run = play(ctx, c, label, mode, existing={STALE: bootstrapper})
            check_window(c, run, 96, DEFAULT_CAPTION)
            check_not_installed(c, run)
            check_only_stale_left(c, run, bootstrapper)
            c.equal(run.requests, [] if mode == "refuse" else ["/" + BOOTSTRAPPER], "the download was tried")

    with c.case("bad-folder"):
        # A file holds the folder's place; the server would serve a working bootstrapper.
        run = play(ctx, c, "bad-folder", "file", blocked=True)
        check_not_installed(c, run, [INFO_BOX, (TITLE, "Failed to create user data directory"), FAILURE_BOX])
        c.equal((run.log.events("window-created"), run.requests), ([], []), "no progress window, no download")


if __name__ == "__main__":
    sys.exit(rig.main(scenario, ["bootstrapper", "port"]))
