r"""The rig under the end-to-end scenarios of the Windows shell in Wine (scenarios.py,
bridge/bridge_scenarios.py, installer/installer_scenarios.py).

A run lays out an app folder (the shell as corvane.exe, the scripted stand-in WebView2Loader.dll,
package.json, www/ and any files beside the shell), starts it with the runner in a fresh copy of
the template Wine prefix and hands back the runtime's log, the runner's output and the script.
Formats: runtime/loader_main.cpp (script and log) and runner/runner.cpp.

    <suite>.py --list
    <suite>.py --run NAME --shell corvane.exe --loader WebView2Loader.dll \
        --empty-loader WebView2Loader.dll --runner runner.exe --work DIR [the suite's options]

Without DISPLAY a suite runs itself again under xvfb-run. Each run's folder under --work/NAME
keeps runtime.log, runner.log, scenario.txt and the app folder; the prefix copy is removed, and
so are the copied binaries once the scenario has passed. By hand, after `scripts/wine-prefix`:

    xvfb-run -a ctest --preset windows -R wine_normal_run
"""

import argparse
import contextlib
import fcntl
import json
import os
import re
import shutil
import subprocess
import sys
import time
import traceback

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
APP_ORIGIN = "https://corvane.localhost/"
APP_PAGE = APP_ORIGIN + "index.html"
TITLE = "Corvane Test App"
INDEX = b"<!doctype html><title>Start</title><p>start page</p>\n"
RUN_TIMEOUT_S = 60  # hard bound of one shell run, wine start-up included
SHELL_TIMEOUT_MS = 20000  # the runner kills the shell after this


class ScenarioFailure(Exception):
    pass


class Suite(dict):
    """The scenarios of one script, by name; used as their decorator."""

    def __call__(self, function):
        self[function.__name__] = function
        return function


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(m[1], m[1]), text)


def parse_log(path):
    """Lines of `event\tkey=value...` as dicts, the event under "_event"."""
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    return [{"_event": event, **{k: unescape(v) for k, _, v in (p.partition("=") for p in fields)}}
            for event, *fields in rows]


def esc(text):
    """Text for a script line: backslashes, tabs and line feeds escaped."""
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def rect(text):
    return [int(v) for v in text.split(",")]


def scale(length, dpi):
    """The shell's DPI rule: length * dpi / 96, rounded up."""
    return -(-length * dpi // 96)


def packaged(**extra):
    """package.json of the test app; keyword names take dashes for underscores."""
    return {"name": "CorvaneTest", "window": {"title": TITLE},
            **{key.replace("_", "-"): value for key, value in extra.items()}}


def page_message(message, source=APP_PAGE):
    """A string web message from the page: JSON text, or a value to serialise."""
    text = message if isinstance(message, str) else json.dumps(message, ensure_ascii=False)
    return f"message-string {source} {esc(text)}"


# ---- Logs -------------------------------------------------------------------------------------

class Result:
    """The logs of one shell run."""

    def __init__(self, runtime, runner, folder, script):
        self.runtime, self.runner, self.folder, self.script = runtime, runner, folder, script

    def events(self, name, /, within=None, **match):
        """The events of that name and fields, in the whole log or `within` a part of it."""
        return [e for e in (self.runtime if within is None else within) if e["_event"] == name
                and all(e.get(k) == v for k, v in match.items())]

    def pluck(self, name, /, *keys, within=None, **match):
        """That field (or a tuple of those fields) of each event of that name and fields."""
        return [e.get(keys[0]) if len(keys) == 1 else tuple(e.get(k) for k in keys)
                for e in self.events(name, within, **match)]

    def one(self, name, /, **match):
        found = self.events(name, **match)
        if len(found) != 1:
            raise ScenarioFailure(f"expected exactly one '{name}' {match or ''}, found {len(found)}")
        return found[0]

    def window(self, label):
        """The window state logged under that label (the first of the DOMContentLoaded ones)."""
        found = self.events("window", label=label)
        if not found or (len(found) > 1 and not label.endswith("dom-content-loaded")):
            raise ScenarioFailure(f"expected one window state '{label}', found {len(found)}")
        return found[0]

    def index(self, name, /, **match):
        return next((i for i, e in enumerate(self.runtime) if e["_event"] == name
                     and all(e.get(k) == v for k, v in match.items())), -1)

    def steps(self):
        """(script line, the events it raised up to the next step) for every step played."""
        marks = [i for i, e in enumerate(self.runtime) if e["_event"] == "step"]
        return [(self.script[int(self.runtime[a]["line"]) - 1], self.runtime[a + 1:b])
                for a, b in zip(marks, marks[1:] + [len(self.runtime)])]

    def startup(self):
        """The events before the first step."""
        first = self.index("step")
        return self.runtime[:first] if first >= 0 else self.runtime

    def during(self, line, until="web-message-done"):
        """The events of the first step of that script line, up to the first `until` event."""
        for text, events in self.steps():
            if text == line:
                end = next((i for i, e in enumerate(events) if e["_event"] == until), len(events))
                return events[:end]
        raise ScenarioFailure(f"step not played: {line}")

    @property
    def boxes(self):
        return [(e.get("caption"), e.get("text")) for e in self.runner if e["_event"] == "message-box"]

    @property
    def exit_code(self):
        return next((int(e["code"]) for e in self.runner if e["_event"] == "exit"), None)

    def calls(self):
        """Calls into the stand-in extension library (bridge/test_extension.cpp), in order."""
        return [e for e in self.runtime if e["_event"].startswith("extension-")]

    def dump(self):
        return "\n".join(["--- runner ---"] + ["  " + json.dumps(e, ensure_ascii=False) for e in self.runner]
                         + ["--- runtime log ---"] + ["  " + "  ".join(
                             [e["_event"]] + [f"{k}={v!r}" for k, v in e.items() if k != "_event"])
                             for e in self.runtime])


class Checks:
    """Collects failed expectations, so one run reports all of them."""

    def __init__(self):
        self.failures = []
        self.label = ""

    def expect(self, condition, message):
        if not condition:
            self.failures.append(self.label + message)
        return condition

    def equal(self, actual, expected, what):
        return self.expect(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")

    @contextlib.contextmanager
    def case(self, label):
        """Labels the failures of one case; a case that cannot go on does not stop the next."""
        outer, self.label = self.label, f"{self.label}[{label}] "
        try:
            yield
        except ScenarioFailure as e:
            self.expect(False, str(e))
        finally:
            self.label = outer


def check_clean_close(c, result):
    c.equal(result.boxes, [], "message boxes")
    c.equal(result.exit_code, 0, "exit code after the close request")
    for event in ("scenario-error", "step-skipped", "unexpected-call"):
        c.equal(result.events(event), [], f"{event} events")


# ---- Runs -------------------------------------------------------------------------------------

class App:
    """One app folder. `package`: a dict written as JSON, exact bytes, or NO_PACKAGE.
    `bundle`: path -> bytes packed into www/assets.dat with corvane-pack, or its exact bytes.
    `files`: beside the shell, path -> bytes (None: an empty folder). `loader`: "runtime",
    "empty" or None. `env`: variables for the run (None removes one). `on_prefix`: called with
    the prefix once it is in place. `answers`: the button ids the runner presses on the message
    boxes in turn (OK for the rest). `unc`: the shell is started from SHARE, the run's folder
    as a network share (through the prefix's dosdevices/unc). `exe`: the shell's file name in the
    folder."""

    def __init__(self, package=None, loose=None, bundle=None, script=(), loader="runtime", dpi=96,
                 files=None, env=None, on_prefix=None, answers=(), unc=False, exe="corvane.exe"):
        self.package = packaged() if package is None else package
        self.loose = {"index.html": INDEX} if loose is None else loose
        self.bundle, self.script, self.loader, self.dpi = bundle, list(script), loader, dpi
        self.files, self.env, self.on_prefix, self.answers = files or {}, env or {}, on_prefix, answers
        self.unc, self.exe = unc, exe


NO_PACKAGE = False  # App(package=NO_PACKAGE): no package.json at all
SHARE = r"\\localhost\corvane"  # a run's folder as a network share, with App(unc=True)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    if data is None:
        os.makedirs(path, exist_ok=True)
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


class Context:
    def __init__(self, args, name):
        self.args, self.name = args, name
        self.base = os.path.join(args.work, name)
        self.runs = 0

    def folder(self, label):
        return os.path.join(self.base, label)

    def run(self, app, label=None):
        """Runs the shell once in a fresh prefix and app folder; returns its logs."""
        self.runs += 1
        folder = self.folder(label or f"run{self.runs}")
        shutil.rmtree(folder, ignore_errors=True)
        app_dir, args = os.path.join(folder, "app"), self.args
        files = {app.exe: read(args.shell), **app.files,
                 **{f"www/{path}": data for path, data in app.loose.items()}}
        if app.loader:
            files["WebView2Loader.dll"] = read(args.loader if app.loader == "runtime" else args.empty_loader)
        if app.package is not NO_PACKAGE:
            files["package.json"] = (app.package if isinstance(app.package, bytes)
                                     else json.dumps(app.package, ensure_ascii=False).encode())
        if isinstance(app.bundle, bytes):
            files["www/assets.dat"] = app.bundle
        for path, data in files.items():
            write(os.path.join(app_dir, *path.split("/")), data)
        write(os.path.join(folder, "scenario.txt"), "".join(line + "\n" for line in app.script).encode())
        runtime_log, runner_log = os.path.join(folder, "runtime.log"), os.path.join(folder, "runner.log")

        closed = "http://127.0.0.1:9"  # downloads go to a closed local port: nothing real is fetched
        env = {k: v for k, v in os.environ.items() if k not in ("no_proxy", "NO_PROXY")}
        env.update({"WINEPREFIX": os.path.join(folder, "prefix"), "HOME": os.path.join(folder, "home"),
                    "WINEDEBUG": "-all", "WINEARCH": "win64",
                    # winebrowser disabled as well: nothing a test does may reach a real browser.
                    "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d;winebrowser.exe=d",
                    "http_proxy": closed, "https_proxy": closed, "HTTP_PROXY": closed, "HTTPS_PROXY": closed,
                    "CORVANE_TEST_SCENARIO": windows_path(os.path.join(folder, "scenario.txt")),
                    "CORVANE_TEST_LOG": windows_path(runtime_log), **app.env})
        env = {k: v for k, v in env.items() if v is not None}
        os.makedirs(env["HOME"])
        subprocess.run(["cp", "-a", template_prefix(), env["WINEPREFIX"]], check=True)
        shell = windows_path(os.path.join(app_dir, app.exe))
        if app.unc:  # Wine maps \\server\share\ to dosdevices/unc/server/share/
            hosts = os.path.join(env["WINEPREFIX"], "dosdevices", "unc", "localhost")
            os.makedirs(hosts)
            os.symlink(folder, os.path.join(hosts, "corvane"))
            shell = SHARE + "\\app\\" + app.exe
        if app.on_prefix:
            app.on_prefix(env["WINEPREFIX"])
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            # A persistent server started first keeps each wine call fast; it inherits no pipe.
            subprocess.run(["wineserver", "-p10"], env=env, timeout=30, **quiet)
            if isinstance(app.bundle, dict):  # packed as an app's bundle is made: with corvane-pack
                source = os.path.join(folder, "pack-source")
                for path, data in app.bundle.items():
                    write(os.path.join(source, *path.split("/")), data)
                with open(os.path.join(folder, "pack-output.txt"), "wb") as out:
                    subprocess.run(["wine", args.pack, "create", windows_path(source), "-o",
                                    windows_path(os.path.join(app_dir, "www", "assets.dat"))],
                                   env=env, check=True, timeout=60, stdin=subprocess.DEVNULL,
                                   stdout=out, stderr=subprocess.STDOUT)
            if app.dpi != 96:
                subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                                "/t", "REG_DWORD", "/d", str(app.dpi), "/f"], env=env, timeout=30, **quiet)
            with open(os.path.join(folder, "wine-output.txt"), "wb") as out:
                subprocess.run(["wine", args.runner, shell,
                                "--timeout", str(SHELL_TIMEOUT_MS), "--out", windows_path(runner_log)]
                               + (["--answers", ",".join(map(str, app.answers))] if app.answers else []),
                               env=env, timeout=RUN_TIMEOUT_S, stdin=subprocess.DEVNULL,
                               stdout=out, stderr=subprocess.STDOUT)
        except subprocess.TimeoutExpired:
            pass  # reported below: the runner log has no exit line
        finally:
            subprocess.run(["wineserver", "-k"], env=env, timeout=30, **quiet)
            shutil.rmtree(env["WINEPREFIX"], ignore_errors=True)  # about 700 MB
        result = Result(parse_log(runtime_log), parse_log(runner_log), folder, app.script)
        if result.exit_code is None:
            raise ScenarioFailure(f"the runner did not finish within {RUN_TIMEOUT_S} s\n{result.dump()}")
        return result


def template_prefix():
    """The prefix every run copies, made by scripts/wine-prefix once (under a lock: runs may be
    parallel)."""
    root = os.environ.get("CORVANE_WINE_ROOT", os.path.join(REPO, "build", "wine"))
    if not os.path.exists(os.path.join(root, "prefix", ".corvane-ready")):
        os.makedirs(root, exist_ok=True)
        with open(os.path.join(root, ".template-lock"), "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            env = {k: v for k, v in os.environ.items() if k not in ("WINEPREFIX", "HOME")}
            subprocess.run([os.path.join(REPO, "scripts", "wine-prefix")], check=True,
                           env={**env, "CORVANE_WINE_ROOT": root},
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    return os.path.join(root, "prefix")


# ---- Driver -----------------------------------------------------------------------------------

def main(suite, doc, options=()):
    """Lists or plays one scenario of `suite`; `options`: the suite's own required options."""
    parser = argparse.ArgumentParser(description=doc, formatter_class=argparse.RawTextHelpFormatter)
    parser.add_argument("--list", action="store_true")
    required = ["run", "shell", "loader", "empty-loader", "runner", "work", *options]
    for name in required:
        parser.add_argument(f"--{name}")
    args = parser.parse_args()
    if args.list:
        print(";".join(suite))
        return 0
    missing = [name for name in required if not getattr(args, name.replace("-", "_"))]
    if missing or args.run not in suite:
        parser.error(f"missing --{', --'.join(missing)}" if missing
                     else f"unknown scenario {args.run!r}; known: {', '.join(suite)}")
    if not os.environ.get("DISPLAY"):
        return subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable]
                              + sys.argv).returncode

    ctx, checks, started = Context(args, args.run), Checks(), time.time()
    try:
        suite[args.run](ctx, checks)
    except ScenarioFailure as e:
        checks.failures.append(str(e))
    except Exception:
        checks.failures.append(traceback.format_exc())
    elapsed = time.time() - started
    if checks.failures:
        print(f"FAILED {ctx.name} ({elapsed:.1f} s):")
        print("\n".join("  - " + failure for failure in checks.failures))
        print(f"logs kept in {ctx.base}")
        return 1
    print(f"passed {ctx.name} ({ctx.runs} run(s), {elapsed:.1f} s)")
    # The copied binaries of a passed scenario are the build's own; only the logs are worth keeping.
    for folder, _, names in os.walk(ctx.base):
        for name in names:
            if name.lower().endswith((".exe", ".dll")):
                os.remove(os.path.join(folder, name))
    return 0
