#!/usr/bin/env python3
r"""End-to-end scenarios of the Windows shell under Wine.

Each scenario lays out an app folder (corvane.exe, the scripted stand-in WebView2Loader.dll,
package.json, www/ with loose files and an assets.dat), runs it with the runner in a fresh copy
of the template Wine prefix, and asserts on the runtime's log and the runner's output. Formats:
tests/wine/runtime/loader_main.cpp (scenario and log) and tests/wine/runner/runner.cpp.

    scenarios.py --list
    scenarios.py --run NAME --shell corvane.exe --loader WebView2Loader.dll \
                 --empty-loader WebView2Loader.dll --runner runner.exe --work DIR [--pack TOOL]

Without DISPLAY the script runs itself again under xvfb-run. After a run the scenario's folder
under --work keeps runtime.log, runner.log, scenario.txt and the app folder for inspection; its
copy of the prefix is removed, and so are the copied binaries when the scenario passed.

One scenario by hand, after `cmake --build build/windows` and `scripts/wine-prefix`:

    xvfb-run -a ctest --test-dir build/windows -R wine_ranges --output-on-failure

or the shell alone, in a kept scenario folder (the prefix is removed after each run):

    cd build/windows/tests/wine/scenarios/ranges/run1 && cp -a ../../../../../../wine/prefix .
    WINEPREFIX=$PWD/prefix HOME=$PWD/home WINEDEBUG=-all \
    CORVANE_TEST_SCENARIO='Z:\...\scenario.txt' CORVANE_TEST_LOG='Z:\...\runtime.log' \
    xvfb-run -a wine ../../../runner.exe 'Z:\...\app\corvane.exe'
"""

import argparse
import fcntl
import json
import os
import shutil
import struct
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
APP_ORIGIN = "https://corvane.localhost/"
RUN_TIMEOUT_S = 60  # hard bound of one shell run, wine start-up included
SHELL_TIMEOUT_MS = 20000  # the runner kills the shell after this

SCENARIOS = {}


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


class ScenarioFailure(Exception):
    pass


# ---- Logs -----------------------------------------------------------------------------------

def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            i += 1
            out.append({"t": "\t", "n": "\n", "r": "\r"}.get(text[i], text[i]))
        else:
            out.append(c)
        i += 1
    return "".join(out)


def parse_log(path):
    events = []
    if not os.path.exists(path):
        return events
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            parts = line.split("\t")
            fields = {}
            for part in parts[1:]:
                key, _, value = part.partition("=")
                fields[key] = unescape(value)
            fields["_event"] = parts[0]
            events.append(fields)
    return events


class Result:
    def __init__(self, runtime, runner, folder):
        self.runtime = runtime
        self.runner = runner
        self.folder = folder

    def events(self, name, /, **match):
        return [e for e in self.runtime if e["_event"] == name
                and all(e.get(k) == v for k, v in match.items())]

    def one(self, name, /, **match):
        found = self.events(name, **match)
        if len(found) != 1:
            raise ScenarioFailure(f"expected exactly one '{name}' {match or ''}, found {len(found)}")
        return found[0]

    def window(self, label):
        return self.one("window", label=label)

    def index(self, name, /, **match):
        for i, e in enumerate(self.runtime):
            if e["_event"] == name and all(e.get(k) == v for k, v in match.items()):
                return i
        return -1

    def after(self, position, name, /, **match):
        return [e for e in self.runtime[position + 1:] if e["_event"] == name
                and all(e.get(k) == v for k, v in match.items())]

    @property
    def boxes(self):
        return [(e.get("caption"), e.get("text")) for e in self.runner if e["_event"] == "message-box"]

    @property
    def exit_code(self):
        for e in self.runner:
            if e["_event"] == "exit":
                return int(e["code"])
        return None

    @property
    def timed_out(self):
        return any(e["_event"] == "timeout" for e in self.runner)

    def response(self, uri):
        found = [e for e in self.runtime if e["_event"] == "response" and e.get("uri") == uri]
        if not found:
            raise ScenarioFailure(f"no response logged for {uri}")
        return found[0]

    def dump(self):
        lines = ["--- runner ---"]
        lines += ["  " + json.dumps(e, ensure_ascii=False) for e in self.runner]
        lines.append("--- runtime log ---")
        for e in self.runtime:
            fields = "  ".join(f"{k}={v!r}" for k, v in e.items() if k != "_event")
            lines.append(f"  {e['_event']}  {fields}")
        return "\n".join(lines)


class Checks:
    """Collects failed expectations so one run reports all of them."""

    def __init__(self):
        self.failures = []

    def expect(self, condition, message):
        if not condition:
            self.failures.append(message)
        return condition

    def equal(self, actual, expected, what):
        return self.expect(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


# ---- App folders ------------------------------------------------------------------------------

def bundle_bytes(files):
    """assets.dat in the bundle format: header, "blob" with the bytes, "fdir" with the entries."""
    blob = b""
    entries = []
    for path in sorted(files, key=lambda p: p.encode("utf-8")):
        data = files[path]
        entries.append((path.encode("utf-8"), len(blob), len(data)))
        blob += data
    fdir = struct.pack(">I", len(entries))
    for path, offset, size in entries:
        fdir += struct.pack(">IIQQQBI", 0, 0, offset, size, 0, 0, len(path)) + path
    header = b"z9ab" + struct.pack(">III", 0, 16, 0)
    return (header + b"blob" + struct.pack(">Q", len(blob)) + blob
            + b"fdir" + struct.pack(">Q", len(fdir)) + fdir)


class App:
    def __init__(self, package=None, package_text=None, loose=None, bundle=None,
                 bundle_raw=None, loader="runtime", script="", dpi=96, extra_dirs=(),
                 extra_files=None):
        self.package = package if package is not None else {"name": "CorvaneTest"}
        self.package_text = package_text  # exact bytes of package.json (None: from package)
        self.loose = loose or {}  # www/<path> -> bytes
        self.bundle = bundle  # path -> bytes, packed into www/assets.dat
        self.bundle_raw = bundle_raw  # exact bytes of www/assets.dat
        self.loader = loader  # "runtime", "empty" or None
        self.script = script
        self.dpi = dpi
        self.extra_dirs = extra_dirs
        self.extra_files = extra_files or {}  # files beside the executable: path -> bytes


def esc(text):
    """Text for a scenario line: backslashes, tabs and line feeds escaped."""
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Context:
    def __init__(self, args, name):
        self.args = args
        self.name = name
        self.base = os.path.join(args.work, name)
        self.runs = 0
        self.packer = None

    def run(self, app, label=None):
        """Runs the shell once in a fresh prefix and app folder; returns the logs."""
        self.runs += 1
        folder = os.path.join(self.base, label or f"run{self.runs}")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        app_dir = os.path.join(folder, "app")
        www = os.path.join(app_dir, "www")
        os.makedirs(www)
        shutil.copy2(self.args.shell, os.path.join(app_dir, "corvane.exe"))
        if app.loader == "runtime":
            shutil.copy2(self.args.loader, os.path.join(app_dir, "WebView2Loader.dll"))
        elif app.loader == "empty":
            shutil.copy2(self.args.empty_loader, os.path.join(app_dir, "WebView2Loader.dll"))
        if app.package_text is not None:
            with open(os.path.join(app_dir, "package.json"), "wb") as f:
                f.write(app.package_text)
        elif app.package is not False:
            with open(os.path.join(app_dir, "package.json"), "w", encoding="utf-8") as f:
                json.dump(app.package, f, ensure_ascii=False)
        for path, data in app.loose.items():
            target = os.path.join(www, *path.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
        for extra in app.extra_dirs:
            os.makedirs(os.path.join(app_dir, extra), exist_ok=True)
        for path, data in app.extra_files.items():
            target = os.path.join(app_dir, *path.split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
        if app.bundle_raw is not None:
            with open(os.path.join(www, "assets.dat"), "wb") as f:
                f.write(app.bundle_raw)
        scenario_file = os.path.join(folder, "scenario.txt")
        with open(scenario_file, "w", encoding="utf-8") as f:
            f.write(app.script)
        runtime_log = os.path.join(folder, "runtime.log")
        runner_log = os.path.join(folder, "runner.log")

        env = wine_environment(folder)
        env["CORVANE_TEST_SCENARIO"] = windows_path(scenario_file)
        env["CORVANE_TEST_LOG"] = windows_path(runtime_log)
        prepare_prefix(env)
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            # A persistent server started first keeps each wine call fast; it inherits no pipe.
            subprocess.run(["wineserver", "-p10"], env=env, timeout=30, **quiet)
            if app.bundle is not None:
                self.packer = pack_bundle(self.args, env, app.bundle,
                                          os.path.join(www, "assets.dat"), folder)
            if app.dpi != 96:
                subprocess.run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v",
                                "LogPixels", "/t", "REG_DWORD", "/d", str(app.dpi), "/f"],
                               env=env, timeout=30, **quiet)
            with open(os.path.join(folder, "wine-output.txt"), "wb") as out:
                subprocess.run(["wine", self.args.runner, windows_path(os.path.join(app_dir, "corvane.exe")),
                                "--timeout", str(SHELL_TIMEOUT_MS), "--out", windows_path(runner_log)],
                               env=env, timeout=RUN_TIMEOUT_S, stdin=subprocess.DEVNULL,
                               stdout=out, stderr=subprocess.STDOUT)
        except subprocess.TimeoutExpired:
            pass  # reported below: the runner log has no exit line
        finally:
            subprocess.run(["wineserver", "-k"], env=env, timeout=30, **quiet)
            # A prefix is about 700 MB; the logs and the app folder stay for inspection.
            shutil.rmtree(env["WINEPREFIX"], ignore_errors=True)
        result = Result(parse_log(runtime_log), parse_log(runner_log), folder)
        if result.exit_code is None:
            raise ScenarioFailure(f"the runner did not finish within {RUN_TIMEOUT_S} s\n{result.dump()}")
        return result


def wine_environment(folder):
    env = dict(os.environ)
    home = os.path.join(folder, "home")
    os.makedirs(home, exist_ok=True)
    env.update({
        "WINEPREFIX": os.path.join(folder, "prefix"),
        "HOME": home,
        "WINEDEBUG": "-all",
        "WINEARCH": "win64",
        # winebrowser disabled as well: nothing a test does may reach a real browser.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d;winebrowser.exe=d",
        # Downloads (the runtime installer of the shipped shell) go to a closed local port, so
        # no test ever fetches or runs the real bootstrapper.
        "http_proxy": "http://127.0.0.1:9",
        "https_proxy": "http://127.0.0.1:9",
        "HTTP_PROXY": "http://127.0.0.1:9",
        "HTTPS_PROXY": "http://127.0.0.1:9",
    })
    env.pop("no_proxy", None)
    env.pop("NO_PROXY", None)
    return env


def template_prefix():
    root = os.environ.get("CORVANE_WINE_ROOT", os.path.join(REPO, "build", "wine"))
    prefix = os.path.join(root, "prefix")
    if not os.path.exists(os.path.join(prefix, ".corvane-ready")):
        os.makedirs(root, exist_ok=True)
        with open(os.path.join(root, ".template-lock"), "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if not os.path.exists(os.path.join(prefix, ".corvane-ready")):
                env = {k: v for k, v in os.environ.items() if k not in ("WINEPREFIX", "HOME")}
                env["CORVANE_WINE_ROOT"] = root
                subprocess.run([os.path.join(REPO, "scripts", "wine-prefix")], env=env, check=True,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    return prefix


def prepare_prefix(env):
    shutil.rmtree(env["WINEPREFIX"], ignore_errors=True)
    subprocess.run(["cp", "-a", template_prefix(), env["WINEPREFIX"]], check=True)


def pack_bundle(args, env, files, target, folder):
    """Packs with the project's corvane-pack tool when it was built, else writes the format here."""
    if getattr(args, "pack", None) and os.path.exists(args.pack):
        source = os.path.join(folder, "pack-source")
        shutil.rmtree(source, ignore_errors=True)
        os.makedirs(source)
        for path, data in files.items():
            full = os.path.join(source, *path.split("/"))
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "wb") as f:
                f.write(data)
        if args.pack.lower().endswith(".exe"):
            command = ["wine", args.pack, "create", windows_path(source), "-o", windows_path(target)]
        else:
            command = [args.pack, "create", source, "-o", target]
        with open(os.path.join(folder, "pack-output.txt"), "wb") as out:
            subprocess.run(command, env=env, check=True, timeout=60, stdin=subprocess.DEVNULL,
                           stdout=out, stderr=subprocess.STDOUT)
        return "corvane-pack"
    with open(target, "wb") as f:
        f.write(bundle_bytes(files))
    return "the harness's own writer"


# ---- Shared expectations ----------------------------------------------------------------------

BOX_CAPTION = "Windows Corvane"
LOAD_FAILED = "Failed to load package.json. Check the file is in the same folder as the app."
PARSE_FAILED = ("Failed to parse package.json. Check the file has valid JSON and that all "
                "parameters are correct.")
FIXED_MISSING = ("This app is set to \"fixed\" distribution mode, but the WebView2 control failed to "
                 "initialize. Check there is a valid fixed distribution of Microsoft Edge WebView2 "
                 "runtime in the \"webview2\" subfolder.")
BUNDLE_ERROR = "Error reading asset bundle"
LOADER_MISSING = ("WebView2Loader.dll is missing or damaged. Check the file is in the same folder as "
                  "the app.")
INSTALL_DEFAULT = ("This app requires the Microsoft Edge WebView2 runtime. It will be downloaded and "
                   "installed for you now.")
INSTALL_FAILED_DEFAULT = ("Failed to install the Microsoft Edge WebView2 runtime. Check that you have "
                          "permission to install it, and that your Internet connection is working. Run "
                          "the app again to try again.")
WS_CAPTION, WS_THICKFRAME, WS_MAXIMIZEBOX, WS_VISIBLE = 0xC00000, 0x40000, 0x10000, 0x10000000
OVERLAPPEDWINDOW, FIXED_STYLE = 0xCF0000, 0xCA0000
EXSTYLE_EDGES = 0x20301


def fnv1a64(data):
    h = 1469598103934665603
    for b in data:
        h ^= b
        h = (h * 1099511628211) & 0xFFFFFFFFFFFFFFFF
    return f"{h:016x}"


def check_body(c, response, data, what):
    if data is None:
        c.equal(response.get("body"), "none", f"{what}: body")
        return
    c.equal(response.get("bodyLength"), str(len(data)), f"{what}: body length")
    c.equal(response.get("bodyFnv"), fnv1a64(data), f"{what}: body bytes (FNV-1a)")


def check_answer(c, result, uri, status, reason, headers, body):
    try:
        r = result.response(uri)
    except ScenarioFailure as e:
        c.expect(False, str(e))
        return
    c.equal(r.get("status"), str(status), f"{uri}: status")
    c.equal(r.get("reason"), reason, f"{uri}: reason")
    c.equal(r.get("headers"), "\n".join(headers), f"{uri}: header block")
    c.equal(r.get("result"), "0x00000000", f"{uri}: handler result")
    check_body(c, r, body, uri)


def whole(mime, data):
    return ["Cache-Control: no-store", f"Content-Type: {mime}", "Accept-Ranges: bytes",
            f"Content-Length: {len(data)}"]


def partial(mime, first, last, total):
    return ["Cache-Control: no-store", f"Content-Type: {mime}", "Accept-Ranges: bytes",
            f"Content-Range: bytes {first}-{last}/{total}", f"Content-Length: {last - first + 1}"]


def unsatisfiable(mime):
    return ["Cache-Control: no-store", f"Content-Type: {mime}", "Accept-Ranges: bytes"]


def check_startup_failure(c, result, caption, text):
    c.equal(result.boxes, [(caption, text)], "message boxes")
    c.equal(result.exit_code, 1, "exit code")
    c.equal(result.events("environment-create"), [], "no environment was created")


def check_clean_close(c, result):
    c.equal(result.boxes, [], "message boxes")
    c.equal(result.exit_code, 0, "exit code after the close request")
    c.expect(not result.timed_out, "the shell ended by itself")


def rect(text):
    return [int(v) for v in text.split(",")]


def packaged(**extra):
    package = {"name": "CorvaneTest", "window": {"title": "Corvane Test App"}}
    for key, value in extra.items():
        package[key.replace("_", "-")] = value
    return package


INDEX = b"<!doctype html><title>Start</title><p>start page</p>\n"


# ---- Start-up failures ------------------------------------------------------------------------

@scenario
def package_json_missing(ctx, c):
    result = ctx.run(App(package=False))
    check_startup_failure(c, result, BOX_CAPTION, LOAD_FAILED)
    c.equal(result.events("version-query"), [], "the runtime is not asked for")


@scenario
def package_json_empty(ctx, c):
    result = ctx.run(App(package_text=b""))
    check_startup_failure(c, result, BOX_CAPTION, LOAD_FAILED)


@scenario
def configuration_errors(ctx, c):
    cases = {
        "invalid-json": b"{\"name\": \"x\",}",
        "comment": b"// app\n{\"name\": \"x\"}",
        "empty-object": b"{}",
        "empty-name": b"{\"name\": \"\"}",
        "numeric-name": b"{\"name\": 5}",
        "array": b"[\"name\"]",
        "distribution-mode": b"{\"name\": \"x\", \"settings\": {\"distribution-mode\": \"Fixed\"}}",
        "hosting-mode": b"{\"name\": \"x\", \"settings\": {\"hosting-mode\": \"visual\"}}",
        "content-mode": b"{\"name\": \"x\", \"settings\": {\"content-mode\": \"files\"}}",
    }
    for label, text in cases.items():
        result = ctx.run(App(package_text=text), label=label)
        before = len(c.failures)
        check_startup_failure(c, result, BOX_CAPTION, PARSE_FAILED)
        for i in range(before, len(c.failures)):
            c.failures[i] = f"[{label}] {c.failures[i]}"


@scenario
def loader_missing(ctx, c):
    result = ctx.run(App(loader=None, loose={"index.html": INDEX}))
    check_startup_failure(c, result, BOX_CAPTION, LOADER_MISSING)


@scenario
def loader_damaged(ctx, c):
    result = ctx.run(App(loader="empty", loose={"index.html": INDEX}))
    check_startup_failure(c, result, BOX_CAPTION, LOADER_MISSING)


@scenario
def fixed_runtime_missing(ctx, c):
    package = packaged(settings={"distribution-mode": "fixed"})
    result = ctx.run(App(package=package, script="runtime - 137.0.3296.44\n"))
    check_startup_failure(c, result, "Corvane Test App", FIXED_MISSING)
    queries = result.events("version-query")
    c.equal([q.get("folder") for q in queries], ["webview2"], "folder asked for, as given")


@scenario
def fixed_runtime_present(ctx, c):
    package = packaged(settings={"distribution-mode": "fixed"})
    result = ctx.run(App(package=package, loose={"index.html": INDEX},
                         script="runtime webview2 137.0.3296.44\nclose\n", extra_dirs=["webview2"]))
    check_clean_close(c, result)
    c.equal([q.get("folder") for q in result.events("version-query")], ["webview2"],
            "the relative folder reaches the loader unchanged")
    env = result.events("environment-create")
    c.expect(env and env[0].get("browserFolder") == "webview2",
             f"environment created with browser folder 'webview2': {env}")


@scenario
def evergreen_runtime_missing(ctx, c):
    # What the user sees: the configured information box, the installer's progress window (not
    # a message box; its download fails here, which the installer does not report), then the
    # configured failure box, and exit code 1. The progress window, the download and the
    # bootstrapper belong to the installer and are checked by its own scenarios
    # (tests/wine/installer); here downloads go to a closed port.
    package = packaged(messages={"install-webview2": "Need the runtime.",
                                 "install-webview2-failed": "Still no runtime."})
    result = ctx.run(App(package=package, loose={"index.html": INDEX}, script="no-runtime\n"))
    c.equal(result.boxes, [("Corvane Test App", "Need the runtime."),
                           ("Corvane Test App", "Still no runtime.")],
            "information box, then the failure box")
    c.equal(result.exit_code, 1, "exit code")
    queries = result.events("version-query")
    c.expect(len(queries) >= 2 and all(q.get("folder") == "<null>" for q in queries),
             f"installed runtime asked for before and after the installer: {queries}")
    c.equal(result.events("environment-create"), [], "no environment was created")


@scenario
def evergreen_runtime_missing_default_texts(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script="no-runtime\n"))
    c.equal(result.boxes, [("Corvane Test App", INSTALL_DEFAULT),
                           ("Corvane Test App", INSTALL_FAILED_DEFAULT)], "default texts")
    c.equal(result.exit_code, 1, "exit code")


@scenario
def bundle_damaged(ctx, c):
    script = "request https://corvane.localhost/loose.txt\nclose\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX, "loose.txt": b"on disk"},
                         bundle_raw=b"z9ab\x00\x00\x00\x01garbage that is no bundle", script=script))
    c.equal(result.boxes, [(BOX_CAPTION, BUNDLE_ERROR)], "message boxes")
    c.equal(result.exit_code, 0, "start-up went on and the close request ended it")
    check_answer(c, result, APP_ORIGIN + "index.html", 200, "OK",
                 whole("text/html; charset=utf-8", INDEX), INDEX)
    check_answer(c, result, APP_ORIGIN + "loose.txt", 200, "OK",
                 whole("text/plain; charset=utf-8", b"on disk"), b"on disk")


@scenario
def bundle_empty_file(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, bundle_raw=b"",
                         script="close\n"))
    c.equal(result.boxes, [(BOX_CAPTION, BUNDLE_ERROR)], "message boxes")
    c.equal(result.exit_code, 0, "exit code")
    check_answer(c, result, APP_ORIGIN + "index.html", 200, "OK",
                 whole("text/html; charset=utf-8", INDEX), INDEX)


# ---- A normal run -----------------------------------------------------------------------------

PNG = bytes(range(256)) * 3 + b"\x89PNG"
CLIP = bytes((i * 7 + 3) % 256 for i in range(10))
MEDIA = bytes((i * 13) % 251 for i in range(70000))


@scenario
def normal_run_serves_bundle_and_loose_files(ctx, c):
    bundle = {
        "index.html": INDEX,
        "app.js": b"console.log('bundle');\n",
        "style.css": b"body{margin:0}",
        "images/a.png": PNG,
        "with space.txt": b"spaced",
        "café.txt": b"accented",
        "both.txt": b"from the bundle",
    }
    loose = {
        "both.txt": b"from the disk",
        "loose.txt": b"0123456789",
        "data.json": b"{\"a\":1}",
    }
    script = "\n".join([
        "request https://corvane.localhost/app.js",
        "request https://corvane.localhost/style.css",
        "request https://corvane.localhost/images/a.png",
        "request https://corvane.localhost/with%20space.txt",
        "request https://corvane.localhost/caf%C3%A9.txt",
        "request https://corvane.localhost/both.txt",
        "request https://corvane.localhost/loose.txt",
        "request https://corvane.localhost/data.json",
        "request https://corvane.localhost/missing.js",
        "request https://corvane.localhost/app.js?v=2",
        "state end",
        "close",
    ]) + "\n"
    result = ctx.run(App(package=packaged(), loose=loose, bundle=bundle, script=script))
    check_clean_close(c, result)

    html, js, css = "text/html; charset=utf-8", "application/javascript; charset=utf-8", \
        "text/css; charset=utf-8"
    txt = "text/plain; charset=utf-8"
    o = APP_ORIGIN
    check_answer(c, result, o + "index.html", 200, "OK", whole(html, INDEX), INDEX)
    check_answer(c, result, o + "app.js", 200, "OK", whole(js, bundle["app.js"]), bundle["app.js"])
    check_answer(c, result, o + "style.css", 200, "OK", whole(css, bundle["style.css"]),
                 bundle["style.css"])
    check_answer(c, result, o + "images/a.png", 200, "OK", whole("image/png", PNG), PNG)
    check_answer(c, result, o + "with%20space.txt", 200, "OK", whole(txt, b"spaced"), b"spaced")
    check_answer(c, result, o + "caf%C3%A9.txt", 200, "OK", whole(txt, b"accented"), b"accented")
    check_answer(c, result, o + "both.txt", 200, "OK", whole(txt, b"from the bundle"),
                 b"from the bundle")
    check_answer(c, result, o + "loose.txt", 200, "OK", whole(txt, b"0123456789"), b"0123456789")
    check_answer(c, result, o + "data.json", 200, "OK",
                 whole("application/json; charset=utf-8", loose["data.json"]), loose["data.json"])
    check_answer(c, result, o + "missing.js", 404, "Not Found", ["Cache-Control: no-store"],
                 b"File not found")
    check_answer(c, result, o + "app.js?v=2", 404, "Not Found", ["Cache-Control: no-store"],
                 b"File not found")
    window = result.window("after-dom-content-loaded")
    c.equal(window.get("client"), "1024,768", "client size at 96 DPI")


@scenario
def ranges(ctx, c):
    bundle = {"index.html": INDEX, "clip.mp4": CLIP, "empty.bin": b""}
    loose = {"loose.txt": b"0123456789", "media/big.webm": MEDIA}
    cases = [
        # (path, Range value, status, header lines, body)
        ("clip.mp4", "bytes=0-0", 206, partial("video/mp4", 0, 0, 10), CLIP[0:1]),
        ("clip.mp4", "bytes=5-", 206, partial("video/mp4", 5, 9, 10), CLIP[5:]),
        ("clip.mp4", "bytes=-3", 206, partial("video/mp4", 7, 9, 10), CLIP[7:]),
        ("clip.mp4", "bytes=-10", 206, partial("video/mp4", 0, 9, 10), CLIP),
        # A last position past the end and a suffix longer than the content are clamped
        # (HTTP's rule; media players ask for fixed-size chunks).
        ("clip.mp4", "bytes=0-10", 206, partial("video/mp4", 0, 9, 10), CLIP),
        ("clip.mp4", "bytes=-11", 206, partial("video/mp4", 0, 9, 10), CLIP),
        ("clip.mp4", "bytes=8-1000", 206, partial("video/mp4", 8, 9, 10), CLIP[8:]),
        ("clip.mp4", "bytes=-0", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "bytes=10-", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "bytes=3-2", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "Bytes=0-5", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "items=0-5", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "bytes=abc-5", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "bytes=-", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", "bytes=99999999999-", 416, unsatisfiable("video/mp4"), None),
        ("clip.mp4", " bytes=2-3 ", 206, partial("video/mp4", 2, 3, 10), CLIP[2:4]),
        ("empty.bin", "bytes=0-", 416, unsatisfiable("application/octet-stream"), None),
        ("loose.txt", "bytes=2-5", 206, partial("text/plain; charset=utf-8", 2, 5, 10), b"2345"),
        ("loose.txt", "bytes=0-", 206, partial("text/plain; charset=utf-8", 0, 9, 10),
         b"0123456789"),
        ("media/big.webm", "bytes=1000-1999", 206, partial("video/webm", 1000, 1999, 70000),
         MEDIA[1000:2000]),
        ("media/big.webm", "bytes=69990-", 206, partial("video/webm", 69990, 69999, 70000),
         MEDIA[69990:]),
        ("media/big.webm", "bytes=0-99,200-299", 206, partial("video/webm", 0, 99, 70000),
         MEDIA[0:100]),
        ("media/big.webm", "bytes=1000-1999", 206, partial("video/webm", 1000, 1999, 70000),
         MEDIA[1000:2000]),
    ]
    script = "".join(f"request-range {APP_ORIGIN}{path} {value}\n" for path, value, *_ in cases)
    result = ctx.run(App(package=packaged(), loose=loose, bundle=bundle, script=script + "close\n"))
    check_clean_close(c, result)
    responses = result.events("response")[1:]  # the first is the start page
    c.equal(len(responses), len(cases), "one response per range request")
    for (path, value, status, headers, body), r in zip(cases, responses):
        what = f"{path} {value}"
        c.equal(r.get("uri"), APP_ORIGIN + path, f"{what}: order")
        c.equal(r.get("status"), str(status), f"{what}: status")
        reason = {206: "Partial Content", 416: "Range Not Satisfiable"}[status]
        c.equal(r.get("reason"), reason, f"{what}: reason")
        c.equal(r.get("headers"), "\n".join(headers), f"{what}: header block")
        check_body(c, r, body, what)


@scenario
def path_traversal_refused(ctx, c):
    attempts = ["..%2Fpackage.json", "..%5Cpackage.json", "%2e%2e/package.json", "sub/../../package.json",
                "sub/..%2F..%2Fpackage.json", "./index.html", "%2Fetc%2Fpasswd", "C:%5Cwindows%5Cwin.ini",
                "..", "sub%5C..%5C..%5Cpackage.json"]
    script = "".join(f"request {APP_ORIGIN}{a}\n" for a in attempts) + "request " + APP_ORIGIN + \
        "sub/inner.txt\nclose\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX, "sub/inner.txt": b"inner"},
                         script=script))
    check_clean_close(c, result)
    for attempt in attempts:
        check_answer(c, result, APP_ORIGIN + attempt, 404, "Not Found", ["Cache-Control: no-store"],
                     b"File not found")
    check_answer(c, result, APP_ORIGIN + "sub/inner.txt", 200, "OK",
                 whole("text/plain; charset=utf-8", b"inner"), b"inner")


@scenario
def startup_configuration_reaches_the_runtime(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script="close\n"))
    check_clean_close(c, result)
    env = result.one("environment-create")
    c.equal(env.get("browserFolder"), "<null>", "evergreen: no browser folder")
    c.expect(env.get("userDataFolder", "").endswith("\\AppData\\Local\\CorvaneTest"),
             f"user data folder is Local AppData\\<name>: {env.get('userDataFolder')}")
    c.equal(env.get("hostingModeEnv"), "<unset>", "windowed: hosting mode variable untouched")
    c.equal(env.get("apartment"), "mainsta", "UI thread is a single-threaded apartment")
    options = result.one("options")
    c.equal(options.get("AdditionalBrowserArguments"), "", "browser arguments always set")
    c.equal(options.get("TargetCompatibleBrowserVersion"), "137.0.3296.44", "target version")
    c.equal(options.get("unknown"), "1", "options answer IUnknown")
    settings = [(e["name"], e["value"]) for e in result.events("setting")]
    c.equal(settings, [("IsScriptEnabled", "1"), ("AreHostObjectsAllowed", "0"),
                       ("AreDefaultScriptDialogsEnabled", "1"), ("IsWebMessageEnabled", "1"),
                       ("IsZoomControlEnabled", "0"), ("AreDefaultContextMenusEnabled", "1"),
                       ("AreDevToolsEnabled", "1"), ("AreBrowserAcceleratorKeysEnabled", "0")],
            "settings, in order")
    c.equal([(e["uri"], e["context"]) for e in result.events("filter-add")],
            [(APP_ORIGIN + "*", "0")], "one resource filter for the app origin")
    registered = [e["event"] for e in result.events("register")]
    c.equal(registered, ["AcceleratorKeyPressed", "DocumentTitleChanged", "WebResourceRequested",
                         "NavigationStarting", "PermissionRequested",
                         "ContainsFullScreenElementChanged", "WindowCloseRequested",
                         "NewWindowRequested", "WebMessageReceived", "DOMContentLoaded"],
            "handlers, in registration order")
    c.equal([e["uri"] for e in result.events("navigate")], [APP_ORIGIN + "index.html"],
            "start URL")
    bounds = result.events("controller-bounds")
    c.expect(bounds and bounds[0]["rect"] == "0,0,1024,768",
             f"initial bounds are the client area: {bounds}")
    c.equal(result.events("unexpected-call"), [], "no call outside what the runtime models")


@scenario
def window_hidden_until_dom_content_loaded(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script="close\n"))
    check_clean_close(c, result)
    created = result.window("controller-create")
    before = result.window("before-dom-content-loaded")
    after = result.window("after-dom-content-loaded")
    c.equal(created.get("visible"), "0", "hidden when the controller is requested")
    c.equal(before.get("visible"), "0", "hidden until DOMContentLoaded")
    c.equal(after.get("visible"), "1", "shown by DOMContentLoaded")
    c.equal(created.get("caption"), "Corvane Test App", "configured title")
    c.equal(int(created["style"], 16) & 0xFFFF0000 & ~0x04000000 & ~WS_VISIBLE, OVERLAPPEDWINDOW,
            "resizable window style")
    visible = result.events("controller-visible")
    c.equal([v["value"] for v in visible], ["1"], "web view made visible once")
    c.equal([f["reason"] for f in result.events("controller-focus")], ["0"],
            "focus moved programmatically")


def png_bytes(width, height, rgba):
    """A minimal truecolour-with-alpha PNG of one colour."""
    import zlib

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    row = b"\0" + bytes(rgba) * width
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


@scenario
def window_class_and_icon(ctx, c):
    package = packaged()
    package["window"]["icon"] = "app icon.png"
    result = ctx.run(App(package=package, loose={"index.html": INDEX}, script="close\n",
                         extra_files={"app icon.png": png_bytes(32, 32, (200, 40, 40, 255))}),
                     label="icon")
    check_clean_close(c, result)
    window = result.window("after-dom-content-loaded")
    c.equal(window.get("class"), "WindowsCorvane", "window class name")
    c.equal((window.get("icon"), window.get("smallIcon")), ("1", "1"),
            "the configured image is the class icon and small icon")
    for label, icon in (("missing", "no such.png"), ("not-an-image", "index.html")):
        package = packaged()
        package["window"]["icon"] = icon
        result = ctx.run(App(package=package, loose={"index.html": INDEX}, script="close\n",
                             extra_files={"index.html": b"not an image"}), label=label)
        check_clean_close(c, result)
        window = result.window("after-dom-content-loaded")
        c.equal(window.get("icon"), "0",
                f"{label}: no icon (the executable's resources hold none)")


@scenario
def caption_follows_title(ctx, c):
    script = ("title First title\nstate first\ntitle Zweiter Titel ✓\nstate second\n"
              "title\nstate untitled\nclose\n")
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    c.equal(result.window("first").get("caption"), "First title", "caption after the first title")
    c.equal(result.window("second").get("caption"), "Zweiter Titel ✓", "caption follows (Unicode)")
    c.equal(result.window("untitled").get("caption"), "", "an empty document title is shown as is")


@scenario
def fullscreen_enter_and_leave(ctx, c):
    script = "\n".join(["state windowed", "fullscreen 1", "state full", "fullscreen 1",
                        "state full-again", "fullscreen 0", "state restored", "close"]) + "\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    windowed, full = result.window("windowed"), result.window("full")
    again, restored = result.window("full-again"), result.window("restored")
    style, full_style = int(windowed["style"], 16), int(full["style"], 16)
    c.equal(full_style & (WS_CAPTION | WS_THICKFRAME), 0, "no caption or sizing border in fullscreen")
    c.equal(full_style | WS_CAPTION | WS_THICKFRAME, style | WS_CAPTION | WS_THICKFRAME,
            "other style bits kept")
    c.equal(int(full["exstyle"], 16) & EXSTYLE_EDGES, 0, "no edge extended styles in fullscreen")
    c.equal(full.get("outer"), full.get("monitor"), "covers the whole monitor")
    c.equal((again["style"], again["outer"]), (full["style"], full["outer"]),
            "entering twice changes nothing")
    c.equal(restored.get("style"), windowed.get("style"), "style restored")
    c.equal(restored.get("exstyle"), windowed.get("exstyle"), "extended style restored")
    c.equal(restored.get("outer"), windowed.get("outer"), "rectangle restored")
    c.equal(restored.get("client"), windowed.get("client"), "client size restored")


@scenario
def client_size_at_120_dpi(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, dpi=120, script="close\n"))
    check_clean_close(c, result)
    c.equal(result.one("environment-create").get("dpi"), "120", "the prefix runs at 120 DPI")
    c.equal(result.window("after-dom-content-loaded").get("client"), "1280,960",
            "1024x768 scaled by 1.25")
    bounds = result.events("controller-bounds")
    c.expect(bounds and bounds[0]["rect"] == "0,0,1280,960", f"web view bounds: {bounds}")


@scenario
def client_size_fixed_window_at_120_dpi(ctx, c):
    package = packaged()
    package["window"].update({"width": 800, "height": 600, "resizable": False})
    result = ctx.run(App(package=package, loose={"index.html": INDEX}, dpi=120, script="close\n"))
    check_clean_close(c, result)
    window = result.window("after-dom-content-loaded")
    c.equal(window.get("client"), "1000,750", "800x600 scaled by 1.25")
    style = int(window["style"], 16)
    c.equal(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0, "no sizing border or maximize box")
    c.equal(style & FIXED_STYLE, FIXED_STYLE, "caption, system menu and minimize box")


@scenario
def navigation_in_bundle_mode(ctx, c):
    script = "\n".join(["navigation https://example.com/elsewhere",
                        "navigation https://corvane.localhost/page2.html",
                        "navigation https://corvane.localhost.evil.net/", "close"]) + "\n"
    loose = {"index.html": INDEX, "page2.html": b"<title>2</title>"}
    result = ctx.run(App(package=packaged(), loose=loose, script=script))
    check_clean_close(c, result)
    starts = {e["uri"]: e["cancel"] for e in result.events("navigation-starting")}
    c.equal(starts.get("https://example.com/elsewhere"), "1", "another site is cancelled")
    c.equal(starts.get("https://corvane.localhost.evil.net/"), "1", "a look-alike host is cancelled")
    c.equal(starts.get(APP_ORIGIN + "page2.html"), "0", "the app's own page is allowed")
    check_answer(c, result, APP_ORIGIN + "page2.html", 200, "OK",
                 whole("text/html; charset=utf-8", b"<title>2</title>"), b"<title>2</title>")
    c.equal(result.events("shell-execute"), [], "a cancelled navigation opens nothing")


@scenario
def remote_mode(ctx, c):
    package = packaged(main="https://example.com", settings={"content-mode": "remote"})
    script = "\n".join([
        "navigation https://other.example/page",
        "request https://example.com/app.js",
        "message-string https://example.com.evil.net/ {\"type\":\"wrapper-init\"}",
        "permission 2 https://example.com.evil.net/",
        "message-string https://example.com/page {\"type\":\"noop\"}",
        "message-string https://example.com?x=1 {\"type\":\"noop\"}",
        "message-string https://example.com#top {\"type\":\"noop\"}",
        "permission 2 https://example.com/page",
        "permission 1 https://example.com",
        "close"]) + "\n"
    result = ctx.run(App(package=package, loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    c.equal([e["uri"] for e in result.events("navigate")], ["https://example.com"],
            "start URL is main as written")
    c.equal(result.events("filter-add"), [], "no resource filter")
    registered = [e["event"] for e in result.events("register")]
    c.expect("WebResourceRequested" not in registered and "NavigationStarting" not in registered,
             f"no resource or navigation handler: {registered}")
    c.equal({e["uri"]: e["cancel"] for e in result.events("navigation-starting")},
            {"https://example.com": "0", "https://other.example/page": "0"},
            "nothing cancelled")
    c.equal([e["uri"] for e in result.events("not-intercepted")],
            ["https://example.com", "https://other.example/page", "https://example.com/app.js"],
            "no request intercepted")
    check_message_reads(c, result, {"https://example.com.evil.net/": False,
                                     "https://example.com/page": True,
                                     "https://example.com?x=1": True,
                                     "https://example.com#top": True})
    states = {e["uri"]: e["state"] for e in result.events("permission")}
    c.equal(states.get("https://example.com.evil.net/"), "unset", "look-alike origin gets nothing")
    c.equal(states.get("https://example.com/page"), "1", "the app's origin is allowed")
    c.equal(states.get("https://example.com"), "1", "the bare origin itself is allowed")


def check_message_reads(c, result, expected):
    """expected: source -> whether the shell read the message text."""
    for source, read in expected.items():
        start = result.index("web-message", source=source)
        if not c.expect(start >= 0, f"message from {source} was raised"):
            continue
        end = start + next((i for i, e in enumerate(result.runtime[start:])
                            if e["_event"] == "web-message-done"), 0)
        reads = [e for e in result.runtime[start:end] if e["_event"] == "message-read"
                 and e.get("what") == "string"]
        c.equal(bool(reads), read, f"message from {source} handed on")


@scenario
def web_messages_in_bundle_mode(ctx, c):
    script = "\n".join([
        "message-string https://corvane.localhost/index.html {\"type\":\"noop\"}",
        "message-json https://corvane.localhost/index.html {\"type\":\"wrapper-init\"}",
        "message-string https://thirdparty.example/frame {\"type\":\"wrapper-init\"}",
        "message-string https://corvane.localhost.evil.net/ {\"type\":\"wrapper-init\"}",
        "close"]) + "\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    check_message_reads(c, result, {"https://corvane.localhost/index.html": True,
                                     "https://thirdparty.example/frame": False,
                                     "https://corvane.localhost.evil.net/": False})
    c.equal(result.events("post-json"), [], "nothing answered a dropped or non-string message")


@scenario
def bridge_handshake(ctx, c):
    # Depends on the web message bridge being wired to the WebMessageReceived handler.
    script = "message-string https://corvane.localhost/index.html {\"type\":\"wrapper-init\"}\nclose\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    posts = [e["text"] for e in result.events("post-json")]
    c.equal(posts, ['{"registeredComponentIds":[],"type":"wrapper-init-response"}'],
            "the handshake reply")
    handles = result.events("post-json-with-objects")
    if c.equal(len(handles), 1, "one directory-handles message"):
        c.equal(handles[0].get("text"), '{"type":"directory-handles"}', "handles message text")
        c.equal(handles[0].get("count"), "13", "13 slots")
    dirs = result.events("directory-handle")
    c.expect(all(d.get("permission") == "1" for d in dirs), "every folder read-write")
    c.expect(len(dirs) >= 10, f"known folders offered: {len(dirs)}")


def app_message(message):
    return f"message-string {APP_ORIGIN}index.html {json.dumps(message)}"


@scenario
def bridge_window_commands(ctx, c):
    # Depends on the web message bridge being wired to the WebMessageReceived handler.
    script = "\n".join([
        app_message({"type": "set-window-size", "windowWidth": 800, "windowHeight": 600}),
        "state sized",
        app_message({"type": "set-window-position", "windowX": 100, "windowY": 50}),
        "state moved",
        app_message({"type": "set-window-size", "windowWidth": 0, "windowHeight": 600}),
        "state zero-ignored",
        app_message({"type": "set-fullscreen", "fullscreen": True}),
        "state full",
        app_message({"type": "set-window-size", "windowWidth": 640, "windowHeight": 480}),
        app_message({"type": "set-window-position", "windowX": 0, "windowY": 0}),
        "state full-commands-ignored",
        app_message({"type": "set-fullscreen"}),
        "state restored",
        "close"]) + "\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    sized, moved = result.window("sized"), result.window("moved")
    c.equal(sized.get("client"), "800,600", "client size set in 96-DPI units")
    c.equal(rect(moved["outer"])[:2], [100, 50], "outer top-left moved")
    c.equal(result.window("zero-ignored").get("client"), "800,600", "a zero width is ignored")
    full, ignored = result.window("full"), result.window("full-commands-ignored")
    c.equal(full.get("outer"), full.get("monitor"), "fullscreen by message")
    c.equal((ignored["outer"], ignored["client"]), (full["outer"], full["client"]),
            "size and position requests ignored while fullscreen")
    restored = result.window("restored")
    c.equal((restored["outer"], restored["style"]), (moved["outer"], moved["style"]),
            "a set-fullscreen without a boolean leaves fullscreen and restores the window")
    bounds = result.events("controller-bounds")
    c.expect(any(b["rect"] == "0,0,800,600" for b in bounds),
             f"the web view follows the new client size: {[b['rect'] for b in bounds]}")


@scenario
def bridge_window_commands_at_120_dpi(ctx, c):
    # Depends on the web message bridge.
    script = "\n".join([
        app_message({"type": "set-window-size", "windowWidth": 800, "windowHeight": 600}),
        app_message({"type": "set-window-position", "windowX": 101, "windowY": 50}),
        "state scaled", "close"]) + "\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, dpi=120, script=script))
    check_clean_close(c, result)
    scaled = result.window("scaled")
    c.equal(scaled.get("client"), "1000,750", "800x600 at 120 DPI")
    c.equal(rect(scaled["outer"])[:2], [127, 63], "position scaled and rounded up (126.25, 62.5)")


@scenario
def new_window_schemes(ctx, c):
    allowed = ["https://example.com/page", "http://example.com/", "mailto:someone@example.com"]
    refused = ["file:///C:/windows/system32/notepad.exe", "C:\\windows\\system32\\notepad.exe",
               "javascript:alert(1)", "ms-settings:privacy", "ftp://example.com/",
               "vbscript:msgbox", "\\\\server\\share\\tool.exe"]
    script = "".join(f"new-window {esc(uri)}\n" for uri in allowed + refused) + "close\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    c.equal(result.one("shell-execute-hook").get("status"), "installed",
            "ShellExecuteW is imported and intercepted")
    handled = {e["uri"]: e["handled"] for e in result.events("new-window")}
    for uri in allowed + refused:
        c.equal(handled.get(uri), "1", f"{uri} marked handled")
    launched = [(e["verb"], e["file"], e["show"], e["owner"]) for e in result.events("shell-execute")]
    c.equal(launched, [("open", uri, "10", "0") for uri in allowed],
            "only http, https and mailto reach the shell")
    c.equal(result.events("shell-execute-ex"), [], "no ShellExecuteExW")


@scenario
def permissions_in_bundle_mode(ctx, c):
    script = "\n".join([
        "permission 2 https://corvane.localhost/index.html",
        "permission 1 https://corvane.localhost/sub/frame.html",
        "permission 3 https://thirdparty.example/",
        "permission 2 https://corvane.localhost.evil.net/",
        "permission 4 http://corvane.localhost/",
        "close"]) + "\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    states = {e["uri"]: e["state"] for e in result.events("permission")}
    c.equal(states, {"https://corvane.localhost/index.html": "1",
                     "https://corvane.localhost/sub/frame.html": "1",
                     "https://thirdparty.example/": "unset",
                     "https://corvane.localhost.evil.net/": "unset",
                     "http://corvane.localhost/": "unset"},
            "granted only to the app's origin; others left at the default")


@scenario
def devtools_enabled(ctx, c):
    script = "key 123\nkey 123 up\nkey 65\nclose\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    c.equal(len(result.events("open-devtools")), 2, "F12 down and up each open the tools")
    c.expect(all(e["handled"] == "0" for e in result.events("accelerator-key")),
             "key events are not marked handled")


@scenario
def devtools_disabled(ctx, c):
    package = packaged(settings={"enable-devtools": False})
    result = ctx.run(App(package=package, loose={"index.html": INDEX}, script="key 123\nclose\n"))
    check_clean_close(c, result)
    c.equal(result.events("open-devtools"), [], "F12 does nothing")
    c.equal([e["value"] for e in result.events("setting", name="AreDevToolsEnabled")], ["0"],
            "developer tools disabled in the settings")


@scenario
def without_settings3(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX},
                         script="no-settings3\nkey 123\nclose\n"))
    check_clean_close(c, result)
    c.equal(result.events("setting", name="AreBrowserAcceleratorKeysEnabled"), [],
            "accelerator keys not touched")
    c.equal(result.events("register", event="AcceleratorKeyPressed"), [], "no key handler")
    c.equal(result.events("open-devtools"), [], "no F12 handling")


@scenario
def keyboard_window_menu_swallowed(ctx, c):
    # Alt or F10 (lParam 0), Alt+Space (' ') and Alt with a mnemonic start no menu loop. What the
    # rule lets through still reaches the default handling, which does start one: SC_KEYMENU
    # with one of its four low bits set (compared whole, not masked), and an lParam with bits
    # above its low word. (The mouse path, SC_MOUSEMENU, ends on its own without a pressed
    # button, so it makes no steady check here.)
    script = "\n".join(["syscommand 0xF100 0", "syscommand 0xF100 0x20", "syscommand 0xF100 0x66",
                        "syscommand 0xF101 0", "syscommand 0xF100 0x10000", "close"]) + "\n"
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script))
    check_clean_close(c, result)
    menus = {(e["wParam"], e["lParam"]): e["menu"] for e in result.events("syscommand")}
    c.equal(menus, {("0x0000F100", "0x00000000"): "0", ("0x0000F100", "0x00000020"): "0",
                    ("0x0000F100", "0x00000066"): "0", ("0x0000F101", "0x00000000"): "1",
                    ("0x0000F100", "0x00010000"): "1"},
            "keyboard activation swallowed; other system commands keep the default handling")


@scenario
def close_request_ends_with_zero(ctx, c):
    result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script="close\n"))
    check_clean_close(c, result)
    c.equal(len(result.events("close-requested-done")), 1,
            "the close request was handled synchronously (WM_CLOSE sent, not posted)")
    c.equal(result.window("after-close-request").get("exists"), "0",
            "the main window was destroyed inside the handler")


@scenario
def hosting_mode_and_browser_arguments(ctx, c):
    package = packaged(settings={"hosting-mode": "window-to-visual"})
    package["chromium-args"] = "--disable-features=Foo --lang=de"
    result = ctx.run(App(package=package, loose={"index.html": INDEX}, script="close\n"))
    check_clean_close(c, result)
    c.equal(result.one("environment-create").get("hostingModeEnv"),
            "COREWEBVIEW2_HOSTING_MODE_WINDOW_TO_VISUAL", "hosting mode forced for the runtime")
    c.equal(result.one("options").get("AdditionalBrowserArguments"),
            "--disable-features=Foo --lang=de", "browser arguments passed on")


@scenario
def web_view_start_failures(ctx, c):
    cases = {
        "environment-error": ("environment-error 0x80004005\n", "0x80004005"),
        "environment-result": ("environment-result 0x80070005\n", "0x80070005"),
        "controller-error": ("controller-error 0x8007139F\n", "0x8007139F"),
        "controller-result": ("controller-result 0x80070002\n", "0x80070002"),
    }
    for label, (script, code) in cases.items():
        result = ctx.run(App(package=packaged(), loose={"index.html": INDEX}, script=script),
                         label=label)
        before = len(c.failures)
        c.equal(result.boxes, [("Corvane Test App", f"Failed to start the web view (error {code}).")],
                "message boxes")
        c.equal(result.exit_code, 1, "exit code")
        c.expect(not result.timed_out, "the process ended by itself")
        c.equal(result.events("navigate"), [], "nothing navigated")
        for i in range(before, len(c.failures)):
            c.failures[i] = f"[{label}] {c.failures[i]}"


# ---- Driver -----------------------------------------------------------------------------------

def play_scenario(ctx, play, note=lambda: ""):
    """Runs play(checks), prints the verdict and returns the process exit code. A fault of the
    scenario itself is reported like a failed expectation."""
    checks = Checks()
    started = time.time()
    try:
        play(checks)
    except ScenarioFailure as e:
        checks.failures.append(str(e))
    except Exception:
        import traceback
        checks.failures.append(traceback.format_exc())
    elapsed = time.time() - started
    if checks.failures:
        print(f"FAILED {ctx.name} ({elapsed:.1f} s):")
        for failure in checks.failures:
            print("  - " + failure)
        print(f"logs kept in {ctx.base}")
        return 1
    print(f"passed {ctx.name} ({ctx.runs} run(s), {elapsed:.1f} s{note()})")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--run")
    parser.add_argument("--shell")
    parser.add_argument("--loader")
    parser.add_argument("--empty-loader")
    parser.add_argument("--runner")
    parser.add_argument("--pack")
    parser.add_argument("--work")
    args = parser.parse_args()
    if args.list:
        print(";".join(SCENARIOS))
        return 0
    if args.run not in SCENARIOS:
        print(f"unknown scenario {args.run!r}; known: {', '.join(SCENARIOS)}", file=sys.stderr)
        return 2
    for name in ("shell", "loader", "empty_loader", "runner", "work"):
        if not getattr(args, name):
            print(f"--{name.replace('_', '-')} is required", file=sys.stderr)
            return 2
    if not os.environ.get("DISPLAY"):
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable] + sys.argv
        return subprocess.run(command).returncode
    for path in (args.shell, args.loader, args.empty_loader, args.runner):
        if not os.path.exists(path):
            print(f"missing build output: {path}", file=sys.stderr)
            return 1

    ctx = Context(args, args.run)
    status = play_scenario(ctx, lambda checks: SCENARIOS[args.run](ctx, checks),
                           note=lambda: f", bundle packed with {ctx.packer}" if ctx.packer else "")
    if status == 0:
        # The copied binaries of a passed scenario are the build's own; only the logs are worth keeping.
        for folder, _, files in os.walk(ctx.base):
            for name in files:
                if name.lower() in ("corvane.exe", "webview2loader.dll"):
                    os.remove(os.path.join(folder, name))
    return status

if __name__ == "__main__":
    sys.exit(main())
