r"""The Windows shell's end-to-end rig under Wine: lays out an app folder, starts it with the runner in
a fresh copy of the template prefix and returns the runtime's and the runner's logs (formats:
runtime/loader_main.cpp, runner/runner.cpp), kept under --work/NAME. By hand, after
scripts/wine-prefix: xvfb-run -a ctest --preset windows -R wine_normal_run."""

import argparse
import contextlib
import json
import os
import re
import shutil
import subprocess
import traceback

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
APP_ORIGIN = "https://corvane.localhost/"
APP_PAGE = APP_ORIGIN + "index.html"
TITLE = "Corvane Test App"
INDEX = b"<!doctype html><title>Start</title><p>start page</p>\n"
RUN_TIMEOUT_S = 60  # one shell run, wine start-up included; the runner kills the shell after 20 s
NO_PACKAGE = False  # App(package=NO_PACKAGE): no package.json at all
SHARE = r"\\localhost\corvane"  # a run's folder as a network share, with App(unc=True)


class ScenarioFailure(Exception):
    pass


class Suite(dict):  # the scenarios of one script by name; their decorator
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


def esc(text):  # for a script line
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def scale(length, dpi):  # the shell's DPI rule, rounded up
    return -(-length * dpi // 96)


def packaged(**extra):
    """package.json of the test app; keyword names take dashes for underscores."""
    return {"name": "CorvaneTest", "window": {"title": TITLE},
            **{key.replace("_", "-"): value for key, value in extra.items()}}


def page_message(message, source=APP_PAGE):
    """A string web message from the page: JSON text, or a value to serialise."""
    text = message if isinstance(message, str) else json.dumps(message, ensure_ascii=False)
    return f"message-string {source} {esc(text)}"


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    """Writes the bytes, or makes a folder for None."""
    os.makedirs(path if data is None else os.path.dirname(path), exist_ok=True)
    if data is not None:
        with open(path, "wb") as f:
            f.write(data)


class Result:
    def __init__(self, runtime, runner, folder, script):
        self.runtime, self.runner, self.folder, self.script = runtime, runner, folder, script

    def events(self, name, /, within=None, **match):
        return [e for e in (self.runtime if within is None else within)
                if e["_event"] == name and all(e.get(k) == v for k, v in match.items())]

    def pluck(self, name, /, *keys, within=None, **match):
        """That field, or a tuple of those fields, of each matching event."""
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
        found = self.events(name, **match)
        return next(i for i, e in enumerate(self.runtime) if e is found[0]) if found else -1

    def steps(self):
        """(script line, the events it raised up to the next step) for every step played."""
        marks = [i for i, e in enumerate(self.runtime) if e["_event"] == "step"]
        return [(self.script[int(self.runtime[a]["line"]) - 1], self.runtime[a + 1:b])
                for a, b in zip(marks, marks[1:] + [len(self.runtime)])]

    def startup(self):
        return self.runtime[:self.index("step")] if self.index("step") >= 0 else self.runtime

    def during(self, line):
        """The events of the first step of that script line, up to its web-message-done."""
        events = next((events for text, events in self.steps() if text == line), None)
        if events is None:
            raise ScenarioFailure(f"step not played: {line}")
        return events[:next((i for i, e in enumerate(events) if e["_event"] == "web-message-done"), len(events))]

    @property
    def boxes(self):
        return [(e.get("caption"), e.get("text")) for e in self.runner if e["_event"] == "message-box"]

    @property
    def exit_code(self):
        return next((int(e["code"]) for e in self.runner if e["_event"] == "exit"), None)


class Checks:
    """Collects failed expectations, so one run reports all of them."""

    def __init__(self):
        self.failures, self.label = [], ""

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


def check_script_played(c, result):
    """Every step of the script was understood and played, and the shell called nothing unmodeled."""
    for event in ("scenario-error", "unexpected-call"):
        c.equal(result.events(event), [], f"{event} events")


def check_clean_close(c, result):
    c.equal((result.boxes, result.exit_code), ([], 0), "message boxes, exit code after the close request")
    check_script_played(c, result)


class App:
    """An app folder. `package`: a dict written as JSON, exact bytes or NO_PACKAGE; `bundle`: path
    -> bytes packed with corvane-pack, or the exact bytes of assets.dat; `files`: beside the shell
    (None: a folder); `loader`: "runtime", "empty" or None; `env`: variables (None removes one);
    `on_prefix(prefix)`: called once the prefix is in place; `answers`: the button ids the runner
    presses on the boxes in turn; `unc`: started from SHARE, the run's folder as a network share."""

    def __init__(self, package=None, loose=None, bundle=None, script=(), loader="runtime", dpi=96,
                 files=None, env=None, on_prefix=None, answers=(), unc=False, exe="corvane.exe"):
        self.package = packaged() if package is None else package
        self.loose = {"index.html": INDEX} if loose is None else loose
        self.bundle, self.script, self.loader, self.dpi = bundle, list(script), loader, dpi
        self.files, self.env, self.on_prefix, self.answers = files or {}, env or {}, on_prefix, answers
        self.unc, self.exe = unc, exe


class Context:
    def __init__(self, args, name):
        self.args, self.name, self.base, self.runs = args, name, os.path.join(args.work, name), 0

    def folder(self, label):
        return os.path.join(self.base, label)

    def run(self, app, label=None):
        self.runs += 1
        folder = self.folder(label or f"run{self.runs}")
        result = self.attempt(app, folder)
        if not result.runner and not result.runtime:
            # Neither the runner nor the shell wrote a line: Wine itself failed to start them (seen
            # now and then on a loaded machine). Nothing of the shell was observed, so try again.
            print(f"{os.path.basename(folder)}: Wine started nothing; trying once more")
            result = self.attempt(app, folder)
        if result.exit_code is None:
            raise ScenarioFailure(f"no exit of the shell reported (a run has {RUN_TIMEOUT_S} s)")
        return result

    def run_closed(self, c, app, label=None):
        """Plays the script, then the close request, after which the shell must exit cleanly."""
        app.script.append("close")
        result = self.run(app, label)
        check_clean_close(c, result)
        return result

    def attempt(self, app, folder):
        args = self.args
        shutil.rmtree(folder, ignore_errors=True)
        app_dir = os.path.join(folder, "app")
        files = {app.exe: read(args.shell), **app.files, **{f"www/{p}": d for p, d in app.loose.items()}}
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
        env = {**os.environ, "no_proxy": None, "NO_PROXY": None,
               "WINEPREFIX": os.path.join(folder, "prefix"), "HOME": os.path.join(folder, "home"),
               # Wine's own errors stay on: a failed run shows them (wine-output.txt).
               "WINEDEBUG": "fixme-all", "WINEARCH": "win64",
               "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d;winebrowser.exe=d",
               "http_proxy": closed, "https_proxy": closed, "HTTP_PROXY": closed, "HTTPS_PROXY": closed,
               "CORVANE_TEST_SCENARIO": windows_path(os.path.join(folder, "scenario.txt")),
               "CORVANE_TEST_LOG": windows_path(runtime_log), **app.env}
        env = {k: v for k, v in env.items() if v is not None}
        template = os.path.join(os.environ.get("CORVANE_WINE_ROOT", os.path.join(REPO, "build", "wine")), "prefix")
        if not os.path.exists(os.path.join(template, ".corvane-ready")):
            raise ScenarioFailure(f"no Wine prefix at {template}: run scripts/wine-prefix first")
        os.makedirs(env["HOME"])
        subprocess.run(["cp", "-a", template, env["WINEPREFIX"]], check=True)
        shell = windows_path(os.path.join(app_dir, app.exe))
        if app.unc:  # Wine maps \\server\share\ to dosdevices/unc/server/share/
            os.makedirs(os.path.join(env["WINEPREFIX"], "dosdevices", "unc", "localhost"))
            os.symlink(folder, os.path.join(env["WINEPREFIX"], "dosdevices", "unc", "localhost", "corvane"))
            shell = SHARE + "\\app\\" + app.exe
        if app.on_prefix:
            app.on_prefix(env["WINEPREFIX"])
        quiet = dict(env=env, timeout=30, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                     stderr=subprocess.DEVNULL)

        def wine(command, output, timeout=60, check=False):
            with open(os.path.join(folder, output), "wb") as out:
                code = subprocess.run(["wine", *command], env=env, timeout=timeout, check=check,
                                      stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT).returncode
                out.write(f"[wine exited with {code}]\n".encode())
        try:
            subprocess.run(["wineserver", "-p10"], **quiet)  # a persistent server keeps each wine fast
            if isinstance(app.bundle, dict):  # packed as an app's bundle is made: with corvane-pack
                for path, data in app.bundle.items():
                    write(os.path.join(folder, "pack-source", *path.split("/")), data)
                wine([args.pack, "create", windows_path(os.path.join(folder, "pack-source")), "-o",
                      windows_path(os.path.join(app_dir, "www", "assets.dat"))], "pack-output.txt", check=True)
            if app.dpi != 96:
                subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels",
                                "/t", "REG_DWORD", "/d", str(app.dpi), "/f"], **quiet)
            wine([args.runner, shell, "--timeout", "20000", "--out", windows_path(runner_log)]
                 + (["--answers", ",".join(map(str, app.answers))] if app.answers else []),
                 "wine-output.txt", RUN_TIMEOUT_S)
        except subprocess.TimeoutExpired:
            pass  # reported below: the runner log has no exit line
        finally:
            subprocess.run(["wineserver", "-k"], **quiet)
            shutil.rmtree(env["WINEPREFIX"], ignore_errors=True)  # about 700 MB
        return Result(parse_log(runtime_log), parse_log(runner_log), folder, app.script)


def main(suite, options=()):
    """`--list`, or `--run NAME` with the rig's options and the suite's own `options`."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--run", choices=suite)
    for name in ["shell", "loader", "empty-loader", "runner", "work", *options]:
        parser.add_argument(f"--{name}")
    args = parser.parse_args()
    if args.list:
        print(";".join(suite))
        return 0
    ctx, checks = Context(args, args.run), Checks()
    try:
        suite[args.run](ctx, checks)
    except ScenarioFailure as e:
        checks.failures.append(str(e))
    except Exception:
        checks.failures.append(traceback.format_exc())
    if checks.failures:
        print(f"FAILED {ctx.name}:\n" + "\n".join("  - " + f for f in checks.failures) + f"\nlogs in {ctx.base}")
        return 1
    print(f"passed {ctx.name} ({ctx.runs} run(s))")
    # The copied binaries of a passed scenario are the build's own; only the logs are worth keeping.
    for folder, _, names in os.walk(ctx.base):
        for name in names:
            if name.lower().endswith((".exe", ".dll")):
                os.remove(os.path.join(folder, name))
    return 0
