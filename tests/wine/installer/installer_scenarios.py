#!/usr/bin/env python3
r"""End-to-end scenarios of the runtime installer under Wine.

They drive corvane_installer_test.exe, the shell built with a loopback bootstrapper address
(see CMakeLists.txt here), through the rig of ../scenarios.py: a fresh prefix per run, the
scripted stand-in WebView2Loader.dll and the message-box runner. On top of that, per run:

- a loopback HTTP server (loopback_server.py) on the compiled-in port answers the download
  the way the scenario asks (the whole file, no length, 404, or nothing listening);
- the file it serves is test_bootstrapper.exe, which logs how it was started and creates the
  marker file that makes the stand-in runtime report an installed runtime
  ("runtime - <version> when-exists <marker>");
- the observer linked into the test shell logs the progress window's creation, its bar's range,
  step and every position it is given, and the window's destruction.

The observer and the bootstrapper write to the same file, installer.log, so the order of
"window gone" and "bootstrapper ran" is visible.

    installer_scenarios.py --list
    installer_scenarios.py --run NAME --shell corvane_installer_test.exe --loader ... \
        --empty-loader ... --runner runner.exe --bootstrapper test_bootstrapper.exe \
        --port PORT --work DIR
"""

import argparse
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import scenarios as rig  # noqa: E402  the shared Wine rig
from loopback_server import BOOTSTRAPPER_PATH, LoopbackServer, PortTurn  # noqa: E402

SCENARIOS = {}
TITLE = "Corvane Test App"
RUNTIME_VERSION = "137.0.3296.44"
FAILED_TO_CREATE_FOLDER = "Failed to create user data directory"
WINDOW_STYLE = 0x10CA0000  # WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
BAR_STYLE = 0x50000000  # WS_CHILD | WS_VISIBLE
WS_EX_WINDOWEDGE = 0x100  # added by the system to every captioned window
SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 1024  # the rig's xvfb screen


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


def scale(length, dpi):
    """The shell's DPI rule: length * dpi / 96, rounded up."""
    return -(-length * dpi // 96)


class InstallerRun:
    """What one run of the test shell left behind, beyond the rig's own logs."""

    def __init__(self, result, installer_log, server):
        self.result = result
        self.events = rig.parse_log(installer_log)
        self.requests = list(server.requests) if server else []

    def of(self, name):
        return [e for e in self.events if e["_event"] == name]

    def window(self, window_class):
        found = [e for e in self.of("window-created") if e.get("class") == window_class]
        return found[0] if len(found) == 1 else None

    def positions(self):
        return [int(e["position"]) for e in self.of("bar-position")]

    def order(self, name, **match):
        for i, e in enumerate(self.events):
            if e["_event"] == name and all(e.get(k) == v for k, v in match.items()):
                return i
        return -1

    def dump(self):
        lines = ["--- installer log ---"]
        lines += ["  " + "  ".join([e["_event"]] + [f"{k}={v!r}" for k, v in e.items()
                                                    if k != "_event"]) for e in self.events]
        lines.append(f"--- server requests: {self.requests}")
        return "\n".join(lines) + "\n" + self.result.dump()


class Installer:
    """Runs the test shell with a server answering in `mode` and the installer's observers."""

    def __init__(self, ctx, args):
        self.ctx = ctx
        self.args = args
        with open(args.bootstrapper, "rb") as f:
            self.bootstrapper = f.read()

    def run(self, c, package, mode, label, dpi=96, stale=None, keep_folder=False, close_at=None,
            chunk_delay=0.05):
        """One shell run. `stale`: bytes placed as Webview2Setup.exe in the per-user data folder
        before the shell starts. With `stale` or `keep_folder` the per-user data folder lives
        outside the prefix (the prefix is deleted after each run) and its path is returned with
        the run for inspection."""
        folder = os.path.join(self.ctx.base, label)
        os.makedirs(folder, exist_ok=True)
        installer_log = os.path.join(folder, "installer.log")
        marker = os.path.join(folder, "runtime-installed.marker")
        for path in (installer_log, marker):
            if os.path.exists(path):
                os.remove(path)
        outside = None
        if stale is not None or keep_folder:
            outside = os.path.join(folder, "user-data")
            shutil.rmtree(outside, ignore_errors=True)
            os.makedirs(outside)
            if stale is not None:
                with open(os.path.join(outside, "Webview2Setup.exe"), "wb") as f:
                    f.write(stale)

        original_environment = rig.wine_environment
        original_prefix = rig.prepare_prefix

        def environment(run_folder):
            env = original_environment(run_folder)
            # The rig points downloads at a closed port; these runs download from loopback.
            for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY"):
                env.pop(name, None)
            env["CORVANE_INSTALLER_OBSERVER_LOG"] = rig.windows_path(installer_log)
            env["CORVANE_TEST_BOOTSTRAPPER_LOG"] = rig.windows_path(installer_log)
            env["CORVANE_TEST_RUNTIME_MARKER"] = rig.windows_path(marker)
            if close_at is not None:
                env["CORVANE_INSTALLER_OBSERVER_CLOSE_AT"] = str(close_at)
            return env

        def prefix(env):
            original_prefix(env)
            if outside is not None:
                local = local_app_data(env["WINEPREFIX"])
                os.symlink(outside, os.path.join(local, package["name"]))

        # One word of the scenario file: backslashes and spaces escaped.
        marker_word = rig.esc(rig.windows_path(marker)).replace(" ", "\\s")
        script = f"runtime - {RUNTIME_VERSION} when-exists {marker_word}\nclose\n"
        app = rig.App(package=package, loose={"index.html": rig.INDEX}, script=script, dpi=dpi)
        rig.wine_environment, rig.prepare_prefix = environment, prefix
        server = None
        try:
            with PortTurn(self.args.port):
                server = LoopbackServer(self.args.port, mode, body=self.bootstrapper,
                                        chunk_delay=chunk_delay)
                try:
                    result = self.ctx.run(app, label=os.path.join(label, "shell"))
                finally:
                    server.close()
        finally:
            rig.wine_environment, rig.prepare_prefix = original_environment, original_prefix
        run = InstallerRun(result, installer_log, server)
        run.marker = marker
        run.outside = outside
        if run.order("observer-ready") < 0:
            c.expect(False, "the test shell's observer did not start: " + run.dump())
        return run


def local_app_data(prefix):
    users = os.path.join(prefix, "drive_c", "users")
    names = [n for n in os.listdir(users) if n.lower() != "public"]
    if len(names) != 1:
        raise rig.ScenarioFailure(f"cannot tell the prefix's user among {names}")
    local = os.path.join(users, names[0], "AppData", "Local")
    os.makedirs(local, exist_ok=True)
    return local


def package_for(name="CorvaneInstallerTest", downloading=None):
    messages = {"install-webview2": "The runtime is missing; installing it now.",
                "install-webview2-failed": "The runtime could not be installed."}
    if downloading is not None:
        messages["downloading"] = downloading
    return rig.packaged(name=name, messages=messages)


INFO_BOX = (TITLE, "The runtime is missing; installing it now.")
FAILURE_BOX = (TITLE, "The runtime could not be installed.")


# ---- Shared expectations ----------------------------------------------------------------------

def check_window(c, run, dpi, caption):
    window = run.window("WebView2Setup")
    if not c.expect(window is not None, "one progress window was created\n" + run.dump()):
        return
    width, height = scale(300, dpi), scale(90, dpi)
    c.equal(window.get("caption"), caption, "progress window caption")
    c.equal(int(window["style"]), WINDOW_STYLE, "progress window style")
    c.equal(int(window["exstyle"]) & ~WS_EX_WINDOWEDGE, 0, "progress window extended style")
    c.equal((int(window["width"]), int(window["height"])), (width, height), "outer size")
    c.equal((int(window["x"]), int(window["y"])),
            (SCREEN_WIDTH // 2 - width // 2, SCREEN_HEIGHT // 2 - height // 2),
            "centred on the primary screen")
    c.equal(window.get("parent"), "", "no owner")

    bar = run.window("msctls_progress32")
    if not c.expect(bar is not None, "one progress bar was created"):
        return
    inset = scale(10, dpi)
    c.equal(bar.get("parent"), "WebView2Setup", "bar is the window's child")
    c.equal(int(bar["style"]), BAR_STYLE, "bar style")
    c.equal((int(bar["x"]), int(bar["y"])), (inset, inset), "bar placed inside the client area")
    c.expect(0 < int(bar["width"]) < width - 2 * inset + 1 and 0 < int(bar["height"]) < height,
             f"bar fills the client area less the inset: {bar}")
    c.equal([(e.get("low"), e.get("high")) for e in run.of("bar-range")], [("0", "100")],
            "bar range")
    c.equal([e.get("step") for e in run.of("bar-step")], ["1"], "bar step")
    c.expect(run.order("window-destroyed", **{"class": "WebView2Setup"}) >= 0,
             "the progress window was closed")
    c.expect(all(e.get("cross-thread") == "1" for e in run.of("bar-position")),
             "every bar position came from the download thread")


def check_installed_and_started(c, run):
    result = run.result
    c.equal(result.boxes, [INFO_BOX], "only the information box")
    c.equal(result.exit_code, 0, "exit code after normal start-up and the close request")
    c.equal(run.requests, [BOOTSTRAPPER_PATH], "one download from the loopback server")
    ran = run.of("bootstrapper-ran")
    if c.equal(len(ran), 1, "the bootstrapper ran once"):
        created = result.events("environment-create")
        folder = created[0].get("userDataFolder") if created else None
        c.expect(folder is not None, "normal start-up created the environment")
        c.equal(ran[0].get("cwd"), folder, "bootstrapper's current directory: the per-user folder")
        c.equal(ran[0].get("image"), f"{folder}\\Webview2Setup.exe", "bootstrapper's file")
        c.expect(run.order("window-destroyed", **{"class": "WebView2Setup"})
                 < run.order("bootstrapper-ran"),
                 "the bootstrapper starts after the progress window has gone")
    queries = [q.get("found") for q in result.events("version-query")]
    c.equal(queries[:2], ["0", "1"], "runtime missing before the installer, present after")


def check_not_installed(c, run):
    c.equal(run.result.boxes, [INFO_BOX, FAILURE_BOX], "information box, then the failure box")
    c.equal(run.result.exit_code, 1, "exit code")
    c.equal(run.of("bootstrapper-ran"), [], "no program was started")
    c.expect(not os.path.exists(run.marker), "nothing installed the runtime")
    c.equal(run.result.events("environment-create"), [], "no environment was created")


# ---- Scenarios --------------------------------------------------------------------------------

@scenario
def download_and_install(ctx, c, installer):
    # A caption outside ASCII shows that the configured text reaches the window as UTF-16.
    caption = "Téléchargement… ⏬"
    run = installer.run(c, package_for(downloading=caption), "file", "whole-file")
    check_window(c, run, 96, caption)
    check_installed_and_started(c, run)
    positions = run.positions()
    c.expect(positions and positions[-1] == 100, f"the bar reached 100: {positions}")
    c.equal(positions, sorted(positions), "the bar only moves forward")
    c.expect(all(0 <= p <= 100 for p in positions), f"positions within the range: {positions}")


@scenario
def download_default_caption_at_120_dpi(ctx, c, installer):
    run = installer.run(c, package_for(), "file", "dpi120", dpi=120)
    check_window(c, run, 120, "Downloading...")
    check_installed_and_started(c, run)


@scenario
def download_without_length(ctx, c, installer):
    run = installer.run(c, package_for(), "no-length", "no-length")
    check_window(c, run, 96, "Downloading...")
    c.expect(all(p == 0 for p in run.positions()),
             f"with no length the bar stays at 0: {run.positions()}")
    check_installed_and_started(c, run)


@scenario
def user_closes_the_progress_window(ctx, c, installer):
    # Closed a quarter of the way through a download that takes about two more seconds: the
    # download is not cancelled, and the bootstrapper still runs once it has arrived.
    run = installer.run(c, package_for(), "file", "closed", close_at=25, chunk_delay=0.3)
    closed = run.order("close-posted")
    gone = run.order("window-destroyed", **{"class": "WebView2Setup"})
    c.expect(0 <= closed < gone, "the window closed when asked to\n" + run.dump())
    c.equal([e for e in run.events[gone:] if e["_event"] == "bar-position"], [],
            "nothing reached the bar after the window had gone")
    c.expect(max(run.positions(), default=0) < 100, f"closed before the end: {run.positions()}")
    check_installed_and_started(c, run)


@scenario
def server_answers_404(ctx, c, installer):
    run = installer.run(c, package_for(), "404", "404")
    check_window(c, run, 96, "Downloading...")
    c.equal(run.requests, [BOOTSTRAPPER_PATH], "the download was tried")
    check_not_installed(c, run)
    # The status alone must stop it: this error answer carries a working program.
    run = installer.run(c, package_for(), "404-body", "404-with-program")
    before = len(c.failures)
    c.equal(run.requests, [BOOTSTRAPPER_PATH], "the download was tried")
    check_not_installed(c, run)
    for i in range(before, len(c.failures)):
        c.failures[i] = f"[404 with a program] {c.failures[i]}"


@scenario
def nothing_listens(ctx, c, installer):
    run = installer.run(c, package_for(), "refuse", "refused")
    check_window(c, run, 96, "Downloading...")
    check_not_installed(c, run)


@scenario
def stale_bootstrapper_is_not_run(ctx, c, installer):
    # The stale file is a working bootstrapper: if anything ran it, it would log and install.
    for mode in ("404", "refuse"):
        before = len(c.failures)
        run = installer.run(c, package_for(), mode, f"stale-{mode}", stale=installer.bootstrapper)
        check_not_installed(c, run)
        destination = os.path.join(run.outside, "Webview2Setup.exe")
        left = open(destination, "rb").read() if os.path.exists(destination) else None
        c.expect(left != installer.bootstrapper,
                 f"the earlier file was removed before downloading (left: {left[:40] if left else left!r})")
        if mode == "404":
            c.expect(left is not None and b"404" in left,
                     "the saved error page sits at the destination, and was not run")
        for i in range(before, len(c.failures)):
            c.failures[i] = f"[{mode}] {c.failures[i]}"


@scenario
def existing_user_data_folder(ctx, c, installer):
    run = installer.run(c, package_for(), "file", "existing", keep_folder=True)
    check_installed_and_started(c, run)
    c.expect(os.path.exists(os.path.join(run.outside, "Webview2Setup.exe")),
             "the download landed in the existing folder and was kept")


@scenario
def user_data_folder_cannot_be_created(ctx, c, installer):
    # A name holding characters that no folder name may hold; the server would serve a working
    # bootstrapper, so a download attempt would show.
    run = installer.run(c, package_for(name='Bad<Name>|"?*'), "file", "bad-folder")
    c.equal(run.result.boxes,
            [INFO_BOX, (TITLE, FAILED_TO_CREATE_FOLDER), FAILURE_BOX],
            "information box, the folder failure, then the failure box")
    c.equal(run.result.exit_code, 1, "exit code")
    c.equal(run.of("window-created"), [], "no progress window")
    c.equal(run.requests, [], "no download")
    c.equal(run.of("bootstrapper-ran"), [], "no program was started")


# ---- Driver -----------------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--run")
    for name in ("shell", "loader", "empty-loader", "runner", "bootstrapper", "work"):
        parser.add_argument(f"--{name}")
    parser.add_argument("--port", type=int)
    args = parser.parse_args()
    args.pack = None
    if args.list:
        print(";".join(SCENARIOS))
        return 0
    if args.run not in SCENARIOS:
        print(f"unknown scenario {args.run!r}; known: {', '.join(SCENARIOS)}", file=sys.stderr)
        return 2
    for name in ("shell", "loader", "empty_loader", "runner", "bootstrapper", "work", "port"):
        if not getattr(args, name):
            print(f"--{name.replace('_', '-')} is required", file=sys.stderr)
            return 2
    if not os.environ.get("DISPLAY"):
        command = ["xvfb-run", "-a", "-s", f"-screen 0 {SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
                   sys.executable] + sys.argv
        return rig.subprocess.run(command).returncode
    for path in (args.shell, args.loader, args.runner, args.bootstrapper):
        if not os.path.exists(path):
            print(f"missing build output: {path}", file=sys.stderr)
            return 1

    ctx = rig.Context(args, args.run)
    return rig.play_scenario(ctx, lambda checks: SCENARIOS[args.run](ctx, checks, Installer(ctx, args)))

if __name__ == "__main__":
    sys.exit(main())
