#!/usr/bin/env python3
r"""End-to-end scenarios of the runtime installer under Wine, with the rig of ../rig.py. They run
corvane_installer_test.exe, the shell built with a loopback bootstrapper address (CMakeLists.txt
here), with no runtime installed. Per run, a loopback server (loopback_server.py) answers the
download as the case asks, serving test_bootstrapper.exe, which logs how it was started and
creates the marker that makes the stand-in runtime report an installed runtime. The observer
linked into the test shell logs the progress window and its bar to the same installer.log, so the
order of "window gone" and "bootstrapper ran" shows.

    installer_scenarios.py --list
    installer_scenarios.py --run NAME [the rig's options, --shell corvane_installer_test.exe] \
        --bootstrapper test_bootstrapper.exe --port PORT
"""

import os
import re
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import rig  # noqa: E402
from loopback_server import BOOTSTRAPPER_PATH, LoopbackServer, port_turn  # noqa: E402
from rig import TITLE, scale  # noqa: E402

scenario = rig.Suite()
INFO_BOX = (TITLE, "The runtime is missing; installing it now.")
FAILURE_BOX = (TITLE, "The runtime could not be installed.")
DEFAULT_CAPTION = "Downloading..."
WINDOW_STYLE = 0x10CA0000  # WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
BAR_STYLE = 0x50000000  # WS_CHILD | WS_VISIBLE
WS_EX_WINDOWEDGE = 0x100  # added by the system to every captioned window
SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 1024  # the rig's xvfb screen
SETUP = {"class": "WebView2Setup"}
STALE = "Webview2Setup.exe"  # the fixed name earlier versions downloaded to


def play(ctx, c, label, mode, name="CorvaneInstallerTest", downloading=None, dpi=96, existing=None,
         close_at=None, chunk_delay=0.05, blocked=False):
    """One run of the test shell with the server answering in `mode`. With `existing` (its files,
    left read-only as by an earlier run) the per-user data folder exists before the run, outside
    the prefix as <run>/user-data, so it stays for inspection, and the observer tries to change
    the download once it has been checked. With `blocked` a plain file stands where Local AppData
    belongs, so the folder cannot be made inside it. Returns the shell's logs, with `log` (installer.log), `requests` and
    `marker` set on them."""
    folder = ctx.folder(label)
    log, marker = os.path.join(folder, "installer.log"), os.path.join(folder, "runtime-installed.marker")
    bootstrapper = rig.read(ctx.args.bootstrapper)
    messages = {"install-webview2": INFO_BOX[1], "install-webview2-failed": FAILURE_BOX[1]}
    if downloading is not None:
        messages["downloading"] = downloading
    env = {name: None for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY")}  # loopback
    env.update(CORVANE_INSTALLER_OBSERVER_LOG=rig.windows_path(log),
               CORVANE_TEST_BOOTSTRAPPER_LOG=rig.windows_path(log),
               CORVANE_TEST_RUNTIME_MARKER=rig.windows_path(marker))
    if close_at is not None:
        env["CORVANE_INSTALLER_OBSERVER_CLOSE_AT"] = str(close_at)
    if existing is not None:
        env["CORVANE_INSTALLER_OBSERVER_TAMPER"] = rig.windows_path(os.path.join(folder, "user-data"))

    def local_app_data(prefix):
        users = os.path.join(prefix, "drive_c", "users")
        user = next(n for n in sorted(os.listdir(users)) if n.lower() != "public")
        return os.path.join(users, user, "AppData", "Local")

    def blocked_folder(prefix):
        shutil.rmtree(local_app_data(prefix))
        rig.write(local_app_data(prefix), b"a file, not a folder")

    def existing_folder(prefix):
        rig.write(os.path.join(folder, "user-data"), None)
        for file, data in existing.items():
            rig.write(os.path.join(folder, "user-data", file), data)
            os.chmod(os.path.join(folder, "user-data", file), 0o444)
        rig.write(local_app_data(prefix), None)
        os.symlink(os.path.join(folder, "user-data"), os.path.join(local_app_data(prefix), name))

    word = rig.esc(rig.windows_path(marker)).replace(" ", "\\s")  # one word: spaces escaped too
    script = [f"runtime - 137.0.3296.44 when-exists {word}", "close"]
    app = rig.App(package=rig.packaged(name=name, messages=messages), script=script, dpi=dpi, env=env,
                  on_prefix=blocked_folder if blocked else None if existing is None else existing_folder)
    with port_turn(ctx.args.port):
        server = LoopbackServer(int(ctx.args.port), mode, bootstrapper, chunk_delay)
        try:
            result = ctx.run(app, label)
        finally:
            server.close()
    result.log = rig.Result(rig.parse_log(log), [], folder, [])
    result.requests, result.marker = server.requests, marker
    c.expect(result.log.index("observer-ready") >= 0, "the test shell's observer started")
    return result


def check_window(c, run, dpi, caption):
    window, bar = (run.log.one("window-created", **{"class": name})
                   for name in ("WebView2Setup", "msctls_progress32"))
    width, height, inset = scale(300, dpi), scale(90, dpi), scale(10, dpi)
    c.equal([window.get("caption"), int(window["style"]), int(window["exstyle"]) & ~WS_EX_WINDOWEDGE,
             window.get("parent")], [caption, WINDOW_STYLE, 0, ""],
            "progress window: caption, styles, no owner")
    c.equal([int(window[k]) for k in ("width", "height", "x", "y")],
            [width, height, SCREEN_WIDTH // 2 - width // 2, SCREEN_HEIGHT // 2 - height // 2],
            "outer size, centred on the primary screen")
    c.equal([bar.get("parent"), int(bar["style"]), int(bar["x"]), int(bar["y"])],
            ["WebView2Setup", BAR_STYLE, inset, inset],
            "the bar: the window's child, its style, inside the client area")
    c.expect(0 < int(bar["width"]) < width - 2 * inset + 1 and 0 < int(bar["height"]) < height,
             f"bar fills the client area less the inset: {bar}")
    c.equal((run.log.pluck("bar-range", "low", "high"), run.log.pluck("bar-step", "step")),
            ([("0", "100")], ["1"]), "bar range and step")
    c.expect(run.log.index("window-destroyed", **SETUP) >= 0, "the progress window was closed")
    c.expect(all(e.get("cross-thread") == "1" for e in run.log.events("bar-position")),
             "every bar position came from the download thread")


def check_installed_and_started(c, run):
    c.equal((run.boxes, run.exit_code, run.requests), ([INFO_BOX], 0, [BOOTSTRAPPER_PATH]),
            "only the information box, exit code after start-up and the close request, one download")
    ran, created = run.log.events("bootstrapper-ran"), run.events("environment-create")
    folder = created[0].get("userDataFolder") if created else None
    if c.equal(len(ran), 1, "the bootstrapper ran once") and c.expect(folder, "the environment was created"):
        c.equal(ran[0].get("cwd"), folder, "the bootstrapper's current directory: the per-user folder")
        c.expect(re.fullmatch(re.escape(folder) + r"\\Webview2Setup-\{[0-9A-F-]{36}\}\.exe", ran[0]["image"]),
                 f"the bootstrapper ran from a fresh unique name: {ran[0]['image']}")
        c.expect(run.log.index("window-destroyed", **SETUP) < run.log.index("bootstrapper-ran"),
                 "the bootstrapper starts after the progress window has gone")
    c.equal([q.get("found") for q in run.events("version-query")][:2], ["0", "1"],
            "runtime missing before the installer, present after")


def check_only_stale_left(c, run, stale):
    """The earlier run's read-only file is still there, untouched; this run's download is gone."""
    folder = os.path.join(run.folder, "user-data")
    c.equal((sorted(os.listdir(folder)), rig.read(os.path.join(folder, STALE))), ([STALE], stale),
            "the user data folder holds only the earlier file, unchanged")


def check_not_installed(c, run, boxes=(INFO_BOX, FAILURE_BOX)):
    c.equal((run.boxes, run.exit_code), (list(boxes), 1), "message boxes, exit code")
    c.equal((run.log.events("bootstrapper-ran"), os.path.exists(run.marker),
             run.events("environment-create")), ([], False, []),
            "no program started, nothing installed the runtime, no environment")


@scenario
def downloads_and_installs(ctx, c):
    caption = "Téléchargement… ⏬"  # outside ASCII: the configured text reaches the window as UTF-16
    for label, mode, options in [("whole-file", "file", dict(downloading=caption)),
                                 ("120-dpi", "file", dict(dpi=120)),
                                 ("no-length", "no-length", {}),
                                 ("existing-folder", "file", dict(existing={STALE: b"MZ stale"}))]:
        with c.case(label):
            run = play(ctx, c, label, mode, **options)
            check_window(c, run, options.get("dpi", 96), options.get("downloading", DEFAULT_CAPTION))
            check_installed_and_started(c, run)
            positions = [int(p) for p in run.log.pluck("bar-position", "position")]
            if mode == "no-length":
                c.expect(set(positions) <= {0}, f"with no length the bar stays at 0: {positions}")
            else:
                c.expect(positions and positions[-1] == 100 and positions == sorted(positions)
                         and positions[0] >= 0, f"the bar moves forward only, to 100: {positions}")
            if label == "existing-folder":
                # Another program cannot change the checked file before it runs; it is removed
                # after the bootstrapper has exited.
                c.equal([(t["write"], t["rename"], t["delete"]) for t in run.log.events("tamper")],
                        [("0", "0", "0")], "attempts to change the checked download")
                check_only_stale_left(c, run, b"MZ stale")

    with c.case("closed"):
        # Closed a quarter of the way through a download that takes about two more seconds: the
        # download is not cancelled, and the bootstrapper still runs once it has arrived.
        run = play(ctx, c, "closed", "file", close_at=25, chunk_delay=0.3)
        gone = run.log.index("window-destroyed", **SETUP)
        c.expect(0 <= run.log.index("close-posted") < gone, "the window closed when asked to")
        positions = [int(p) for p in run.log.pluck("bar-position", "position")]
        c.equal(run.log.events("bar-position", run.log.runtime[gone:]), [],
                "nothing reached the bar after it had gone")
        c.expect(max(positions, default=0) < 100, f"closed before the end: {positions}")
        check_installed_and_started(c, run)


@scenario
def failed_installs(ctx, c):
    # Every case finds a working bootstrapper left read-only by an earlier run: if anything ran it,
    # it would log and install. A 404 carrying a working program: the status alone must stop it;
    # a 200 page: the missing "MZ" alone must. A refused download leaves nothing.
    bootstrapper = rig.read(ctx.args.bootstrapper)
    for label, mode in [("404", "404"), ("404-with-program", "404-body"), ("refused", "refuse"),
                        ("200-without-program", "200-page")]:
        with c.case(label):
            run = play(ctx, c, label, mode, existing={STALE: bootstrapper})
            check_window(c, run, 96, DEFAULT_CAPTION)
            check_not_installed(c, run)
            check_only_stale_left(c, run, bootstrapper)
            if mode != "refuse":
                c.equal(run.requests, [BOOTSTRAPPER_PATH], "the download was tried")

    with c.case("bad-folder"):
        # A file holds the folder's place; the server would serve a working bootstrapper.
        run = play(ctx, c, "bad-folder", "file", blocked=True)
        check_not_installed(c, run, [INFO_BOX, (TITLE, "Failed to create user data directory"),
                                     FAILURE_BOX])
        c.equal((run.log.events("window-created"), run.requests), ([], []),
                "no progress window, no download")


if __name__ == "__main__":
    sys.exit(rig.main(scenario, __doc__, ["bootstrapper", "port"]))
