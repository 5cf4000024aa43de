"""The Windows shell end to end under Wine (rig.py); bundles are packed with corvane-pack (--pack)."""

import os
import random
import subprocess
import struct
import sys

import rig
from rig import APP_ORIGIN, APP_PAGE, INDEX, TITLE, App, check_script_played, packaged
from rig import page_message as page

scenario = rig.Suite()
BOX = "Windows Corvane"
LOAD_FAILED = "Failed to load package.json. Check the file is in the same folder as the app."
PARSE_FAILED = "Failed to parse package.json. Check the file has valid JSON and that all parameters are correct."
FIXED_MISSING = ("This app is set to \"fixed\" distribution mode, but the WebView2 control failed to initialize. "
                 "Check there is a valid fixed distribution of Microsoft Edge WebView2 runtime in the "
                 "\"webview2\" subfolder.")
NO_DATA_FOLDER = "No folder for the app's data: Local AppData could not be found."
START_FAILED = "Failed to start the web view (error {})."
LOADER_MISSING = "WebView2Loader.dll is missing or damaged. Check the file is in the same folder as the app."
INSTALL = "This app requires the Microsoft Edge WebView2 runtime. It will be downloaded and installed for you now."
INSTALL_FAILED = ("Failed to install the Microsoft Edge WebView2 runtime. Check that you have permission to "
                  "install it, and that your Internet connection is working. Run the app again to try again.")
WS_CAPTION, WS_THICKFRAME, WS_MAXIMIZEBOX, WS_VISIBLE = 0xC00000, 0x40000, 0x10000, 0x10000000
OVERLAPPEDWINDOW, FIXED_STYLE, EXSTYLE_EDGES, WS_EX_TOPMOST = 0xCF0000, 0xCA0000, 0x20301, 0x8
HTML, TEXT, MP4, WEBM = "text/html; charset=utf-8", "text/plain; charset=utf-8", "video/mp4", "video/webm"
REASONS = {200: "OK", 206: "Partial Content", 416: "Range Not Satisfiable"}


def headers(mime, *more):
    return ["Cache-Control: no-store", f"Content-Type: {mime}", "Accept-Ranges: bytes", *more]


def ok(mime, body):
    return 200, headers(mime, f"Content-Length: {len(body)}"), body


def part(mime, first, last, size, body):
    return 206, headers(mime, f"Content-Range: bytes {first}-{last}/{size}",
                        f"Content-Length: {last - first + 1}"), body


def check_answer(c, events, what, status, headers, body):
    """The one response among `events` is the whole answer expected; `body` None: no body."""
    found = [tuple(e.get(k) for k in ("status", "reason", "result", "headers", "body", "bodyHex"))
             for e in events if e["_event"] == "response"]
    c.equal(found, [(str(status), REASONS[status], "0x00000000", "\n".join(headers),
                     *(("none", None) if body is None else ("read", body.hex())))],
            f"{what}: the one response, its status line, headers and body")


def no_local_app_data(prefix):
    env = {**os.environ, "WINEPREFIX": prefix, "WINEDEBUG": "-all"}
    for key in ("User Shell Folders", "Shell Folders"):
        subprocess.run(["wine", "reg", "add", f"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\{key}",
                        "/v", "Local AppData", "/t", "REG_SZ", "/d", "Q:\\nowhere", "/f"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


@scenario
def startup_messages(ctx, c):
    # Failures exit 1 (download texts: installer suite; parse failures: app_config_test.cpp). An
    # empty (unmappable) or damaged assets.dat is reported; loose files serve.
    loose, request = {"index.html": INDEX, "loose.txt": b"on disk"}, f"request {APP_ORIGIN}loose.txt"
    start_errors = {"environment-error": "0x80004005", "environment-result": "0x80070005",
                    "controller-error": "0x8007139F", "controller-result": "0x80070002"}
    unreadable = [(BOX, "Error reading asset bundle")]
    cases = [  # label, app, message boxes
        ("package-missing", App(package=rig.NO_PACKAGE), [(BOX, LOAD_FAILED)]),
        ("invalid-json", App(package=b"{\"name\": \"x\",}"), [(BOX, PARSE_FAILED)]),
        ("loader-missing", App(loader=None), [(BOX, LOADER_MISSING)]),
        ("loader-damaged", App(loader="empty"), [(BOX, LOADER_MISSING)]),
        ("fixed-runtime-missing", App(package=packaged(settings={"distribution-mode": "fixed"}),
                                      script=["runtime -"]), [(TITLE, FIXED_MISSING)]),
        ("evergreen-missing", App(script=["no-runtime"]),
         [(TITLE, INSTALL), (TITLE, INSTALL_FAILED)]),
        *[(verb, App(script=[f"{verb} {code}"]), [(TITLE, START_FAILED.format(code))])
          for verb, code in start_errors.items()],
        ("no-local-app-data", App(on_prefix=no_local_app_data), [(BOX, NO_DATA_FOLDER)]),
        *[(label, App(loose=loose, bundle=bundle, script=[request, "close"]), unreadable)
          for label, bundle in [("bundle-empty", b""), ("bundle-damaged", b"not a bundle at all")]],
        ("name-unusable", App(package=b'{"name":"a/b"}'),
         [(BOX, PARSE_FAILED + "\n\"name\" must be usable as a folder name.")]),
    ]
    for label, app, boxes in cases:
        with c.case(label):
            result, started = ctx.run(app, label), label.startswith("bundle-")
            c.equal((result.boxes, result.exit_code), (boxes, 0 if started else 1), "message boxes, exit code")
            if started:
                check_answer(c, result.startup(), "start page", *ok(HTML, INDEX))
                check_answer(c, result.during(request), "loose.txt", *ok(TEXT, b"on disk"))


CLIP = bytes((i * 7 + 3) % 256 for i in range(10))
MEDIA = bytes((i * 13) % 251 for i in range(70000))
BUNDLE = {"index.html": INDEX, "clip.mp4": CLIP}
BIG, BIG_AT, BIG_TAIL, BIN = 5 * 2**30, 5_000_000_000, bytes(range(7, 107)), "application/octet-stream"
LOOSE = {"café.txt": b"accented", "media/big.webm": MEDIA, "page2.html": b"<title>2</title>"}
# Path after the origin, Range value, answer: one row per way an answer is made and handed over (what
# the responder decides: resource_responder_test.cpp, also run under Wine).
REQUESTS = [
    ("caf%C3%A9.txt", None, ok(TEXT, b"accented")),  # a loose file, its name through UTF-16
    ("clip.mp4", "bytes=10-", (416, headers(MP4), None)),  # no body
    ("media/big.webm", "bytes=69990-", part(WEBM, 69990, 69999, len(MEDIA), MEDIA[69990:])),  # a loose file mapped
    # A sparse loose file: a 64-bit position past 4 GiB, in its range and its size.
    ("big.bin", f"bytes={BIG_AT}-{BIG_AT + 99}", part(BIN, BIG_AT, BIG_AT + 99, BIG, BIG_TAIL)),
]


def size(w, h):
    return page({"type": "set-window-size", "windowWidth": w, "windowHeight": h})


def position(x, y):
    return page({"type": "set-window-position", "windowX": x, "windowY": y})


# Window commands from the page at 96 DPI (configured_apps scales them at 120), then their check.
COMMANDS = [size(800.9, 600), "state cmd-sized", size("1024", 700), size(0, 600), size(640, 0),
            "state cmd-refused", position(-24, 41), "state cmd-moved", "fullscreen 1", "state cmd-full",
            size(640, 480), position(10, 10), "fullscreen 1", "state cmd-full-ignored",
            "fullscreen 0", "state cmd-restored",
            position(200, 100), size(500, 400), "state cmd-after",
            page({"type": "set-fullscreen", "fullscreen": True}), page({"type": "set-fullscreen"}),
            "state cmd-asked-restored", size(1e12, 1e12), "state cmd-huge",
            "syscommand 0xF020 0", page({"type": "set-fullscreen", "fullscreen": True}), "state cmd-min-full",
            "syscommand 0xF020 0", page({"type": "set-fullscreen", "fullscreen": False}), "state cmd-min-left",
            "syscommand 0xF030 0", size(640, 480), "state cmd-max-sized",
            "syscommand 0xF020 0", size(700, 500), "state cmd-min-sized",
            "syscommand 0xF020 0", "syscommand 0xF120 0"]
# Played last: Wine leaves a window that was off-screen without the keyboard menus.
OFF_SCREEN = [position(5000, 5000), "fullscreen 1", "fullscreen 0", "state cmd-offscreen-left"]


def check_commands(c, result):
    w = lambda label: result.window("cmd-" + label)  # noqa: E731
    box = lambda label: (w(label)["outer"], w(label)["client"], w(label)["style"])  # noqa: E731
    place = lambda label: ([int(v) for v in w(label)["outer"].split(",")][:2], w(label)["client"])  # noqa: E731
    c.equal(w("sized")["client"], "800,600", "client size from 800.9 x 600")
    c.equal(w("refused")["client"], "800,600", "a width as text, a zero width, a zero height ignored")
    c.equal(place("moved"), ([-24, 41], "800,600"), "moved (a negative x kept), same size")
    c.equal(w("full")["outer"], w("full")["monitor"], "the page's fullscreen element fills the screen")
    c.equal(box("full-ignored"), box("full"), "size, position and entering again ignored in fullscreen")
    windowed, full, frame = w("moved"), w("full"), WS_CAPTION | WS_THICKFRAME
    style, full_style = int(windowed["style"], 16), int(full["style"], 16)
    full_exstyle = int(full["exstyle"], 16) & (EXSTYLE_EDGES | WS_EX_TOPMOST)
    c.equal((full_style & frame, full_exstyle, full_style | frame), (0, 0, style | frame),
            "no caption, sizing border or edge extended styles in fullscreen, not above other "
            "windows, other style bits kept")
    keys = ("style", "exstyle", "outer", "client")
    c.equal([w("restored")[k] for k in keys], [windowed[k] for k in keys],
            "leaving the page's fullscreen restores it all")
    c.equal(place("after"), ([200, 100], "500,400"), "commands act again after fullscreen")
    c.equal(box("asked-restored"), box("after"), "a set-fullscreen without a boolean leaves fullscreen")
    # Asked while minimised (a saved preference applied at load, say), both ways.
    minimised = lambda label: int(w(label)["style"], 16) & 0x20000000 != 0  # WS_MINIMIZE  # noqa: E731
    c.equal((w("min-full")["outer"], minimised("min-full")), (w("min-full")["monitor"], False),
            "a minimised window asked into fullscreen is restored and fills the screen")
    c.equal(box("min-left"), box("huge"), "a minimised fullscreen window asked out of it comes back as it was")
    for label, client in (("max-sized", "640,480"), ("min-sized", "700,500")):
        c.equal((w(label)["client"], int(w(label)["style"], 16) & 0x21000000), (client, 0),
                f"sized from {label[:3]}imised: restored to a normal window first")
    outer, monitor = ([int(v) for v in w("offscreen-left")[k].split(",")] for k in ("outer", "monitor"))
    c.expect(monitor[0] <= outer[0] < outer[2] <= monitor[2] and monitor[1] <= outer[1] < outer[3] <= monitor[3]
             and w("offscreen-left")["client"] == "700,500",
             f"leaving fullscreen onto no monitor: moved onto the screen, same size: {outer} on {monitor}")
    bounds = result.pluck("controller-bounds", "rect")
    c.expect("0,0,500,400" in bounds and "0,0,0,0" not in bounds, f"the web view follows the client: {bounds}")
    restored = result.during("syscommand 0xF120 0")
    c.equal([e["reason"] for e in restored if e["_event"] == "controller-focus"], ["0"],
            "the web view focused when the window is restored")


@scenario
def normal_run(ctx, c):
    # The default app in bundle mode (addresses: url_policy_test.cpp; handshake: bridge suite).
    requests = [f"request {APP_ORIGIN}{path} {value or ''}".rstrip() for path, value, _ in REQUESTS]
    titles = ["title First title", "state title-1", "title Zweiter Titel ✓", "state title-2", "title", "state title-3"]
    navigations = ["navigation https://example.com/elsewhere", f"navigation {APP_ORIGIN}page2.html"]
    allowed, refused = ["https://example.com/page"], ["file:///C:/windows/system32/notepad.exe"]
    unasked = ["https://example.com/popunder"]  # a script's window, without the user's click
    permissions = {("2", APP_PAGE): "1", ("3", "https://thirdparty.example/"): "unset"}
    # Alt or F10 (lParam 0) and Alt+Space (a character in the low word) start no menu loop; SC_KEYMENU
    # with a low bit set (compared whole, not masked) or an lParam above the low word keeps the default.
    menus = {("0x0000F100", "0x00000000"): "0", ("0x0000F100", "0x00000020"): "0",
             ("0x0000F101", "0x00000000"): "1", ("0x0000F100", "0x00010000"): "1"}
    script = (requests + titles + COMMANDS + navigations
              + ["new-window " + rig.esc(uri) for uri in allowed + refused]
              + ["script-window " + rig.esc(uri) for uri in unasked]
              + [f"permission {kind} {uri}" for kind, uri in permissions] + ["key 123", "key 123 up", "key 65"]
              + [f"syscommand {w} {l}" for w, l in menus] + OFF_SCREEN)
    big = os.path.join(ctx.folder("normal"), "app", "www", "big.bin")

    def sparse(prefix):
        with open(big, "wb") as f:
            f.truncate(BIG)
            f.seek(BIG_AT)
            f.write(BIG_TAIL)
    app = App(loose=LOOSE, bundle=BUNDLE, script=script, on_prefix=sparse)
    result = ctx.run_closed(c, app, "normal")
    os.remove(big)  # sparse, but 5 GiB to anything that copies the folder

    env, options, start = result.one("environment-create"), result.one("options"), result.startup()
    c.equal([env.get(k) for k in ("browserFolder", "hostingModeEnv", "apartment")], ["<null>", "<unset>", "mainsta"],
            "evergreen; windowed, the hosting mode variable untouched; the UI thread a main STA")
    c.equal([options.get(k) for k in ("AdditionalBrowserArguments", "TargetCompatibleBrowserVersion", "unknown")],
            ["", "137.0.3296.44", "1"], "browser arguments always set, the target version, options are IUnknown")
    c.equal(result.pluck("setting", "name", "value"),
            [("IsScriptEnabled", "1"), ("AreHostObjectsAllowed", "0"), ("AreDefaultScriptDialogsEnabled", "1"),
             ("IsWebMessageEnabled", "1"), ("IsZoomControlEnabled", "0"), ("AreDefaultContextMenusEnabled", "1"),
             ("AreDevToolsEnabled", "1"), ("AreBrowserAcceleratorKeysEnabled", "0")], "settings, in order")
    c.equal(result.pluck("filter-add", "uri", "context", "sources"), [(APP_ORIGIN + "*", "0", "4294967295")],
            "one resource filter, for documents' and workers' requests")
    check_answer(c, start, "start page", *ok(HTML, INDEX))
    created, loaded = result.window("controller-create"), result.window("after-dom-content-loaded")
    c.equal([created["visible"], result.window("before-dom-content-loaded")["visible"], loaded["visible"]],
            ["0", "0", "1"], "hidden until DOMContentLoaded shows it")
    c.equal((created["caption"], int(created["style"], 16) & 0xFFFF0000 & ~0x04000000 & ~WS_VISIBLE),
            (TITLE, OVERLAPPEDWINDOW), "configured title, resizable window style")
    c.equal((loaded["client"], result.pluck("controller-bounds", "rect", within=start)[:1],
             result.pluck("controller-visible", "value", within=start),
             result.pluck("controller-focus", "reason", within=start)), ("1024,768", ["0,0,1024,768"], ["1"], ["0"]),
            "client size at 96 DPI, the web view's first bounds, shown once, focused programmatically")

    answers = [events for line, events in result.steps() if line.startswith("request ")]
    for (path, value, expected), events in zip(REQUESTS, answers):
        check_answer(c, events, f"{path} {value or ''}", *expected)
    c.equal(set(result.pluck("response", "refs")), {"1,2,1,1,1", "1,2,1,1,-"},
            "references of arguments, request, headers, response and body: the shell kept none")

    c.equal([result.window(f"title-{i}")["caption"] for i in (1, 2, 3)], ["First title", "Zweiter Titel ✓", ""],
            "the caption follows the document title as it is")
    check_commands(c, result)

    c.equal(dict(result.pluck("navigation-starting", "uri", "cancel")),
            {APP_PAGE: "0", "https://example.com/elsewhere": "1", APP_ORIGIN + "page2.html": "0"},
            "another site is cancelled; the app's own pages are not")
    check_answer(c, result.during(navigations[1]), "page2.html", *ok(HTML, LOOSE["page2.html"]))
    c.equal(dict(result.pluck("new-window", "uri", "handled")), {uri: "1" for uri in allowed + refused + unasked},
            "every new window is handled")
    c.equal(result.pluck("shell-execute", "verb", "file", "show", "owner"), [("open", uri, "10", "0") for uri in allowed],
            "only http, https and mailto the user asked for reach the shell")
    c.equal({(kind, uri): state for kind, uri, state in result.pluck("permission", "kind", "uri", "state")},
            permissions, "granted only to the app's origin; others left at the default")
    c.equal((len(result.events("open-devtools")), set(result.pluck("accelerator-key", "handled"))), (2, {"0"}),
            "F12 down and up each open the tools; keys are not marked handled")
    c.equal({(w, l): menu for w, l, menu in result.pluck("syscommand", "wParam", "lParam", "menu")
             if w in ("0x0000F100", "0x0000F101")}, menus,
            "keyboard activation of the window menu swallowed; other system commands as by default")


def bmp_bytes(width, height, bgr):  # width * 3 a multiple of 4: rows need no padding
    row = bytes(bgr) * width
    return struct.pack("<2sI4xIIiiHH24x", b"BM", 54 + len(row) * height, 54, 40, width, height, 1, 24) + row * height


@scenario
def configured_apps(ctx, c):
    with c.case("settings"):
        package = packaged(settings={"enable-devtools": False, "hosting-mode": "window-to-visual"},
                           chromium_args="--disable-features=Foo --lang=de")
        package["window"]["icon"] = "./sub/../app icon.bmp"  # dot segments resolved as in a plain path
        package["window"].update(width=0, height=1e12, resizable=False)
        files = {"app icon.bmp": bmp_bytes(32, 32, (40, 40, 200))}
        result = ctx.run_closed(c, App(package, files=files, script=["key 123"]), "settings")
        c.equal((result.events("open-devtools"), result.pluck("setting", "value", name="AreDevToolsEnabled")),
                ([], ["0"]), "developer tools disabled in the settings, F12 does nothing")
        c.equal((result.one("environment-create").get("hostingModeEnv"),
                 result.one("options").get("AdditionalBrowserArguments")),
                ("COREWEBVIEW2_HOSTING_MODE_WINDOW_TO_VISUAL", "--disable-features=Foo --lang=de"),
                "hosting mode forced for the runtime, browser arguments passed on")
        window = result.window("after-dom-content-loaded")
        c.equal((window["class"], window["icon"], window["smallIcon"], window["iconColour"]),
                ("WindowsCorvane", "1", "1", "C82828"), "window class, the configured image its icon and small icon")
        client = [int(v) for v in window["client"].split(",")]
        c.expect(client[0] == 1024 and client[1] > 768,
                 f"no width: the default one; a height past every screen: the largest window ({client})")

    with c.case("remote"):
        package = packaged(main="https://example.com", settings={"content-mode": "remote"})
        reads = {page('{"type":"wrapper-init"}', "https://example.com.evil.net/"): False,
                 page('{"type":"noop"}', "https://example.com/page"): True}
        permissions = {"https://example.com.evil.net/": "unset", "https://example.com/page": "1"}
        script = [*reads, *(f"permission 2 {uri}" for uri in permissions)]
        result = ctx.run_closed(c, App(package=package, script=script), "remote")
        c.equal((result.pluck("navigate", "uri"), result.events("filter-add")), (["https://example.com"], []),
                "start URL is main as written, no resource filter: no request intercepted")
        bundle_only = {"WebResourceRequested", "NavigationStarting"}
        c.equal(bundle_only & set(result.pluck("register", "event")), set(),
                "no resource or navigation handler: nothing intercepted or cancelled")
        c.equal({line: any(e["_event"] == "message-read" and e.get("what") == "string" for e in result.during(line))
                 for line in reads}, reads, "only the app origin's messages read")
        c.equal(dict(result.pluck("permission", "uri", "state")), permissions,
                "granted to the app's origin; a look-alike gets nothing")

    with c.case("fixed-120-dpi"):
        # A fixed runtime in "webview2", a window of fixed size, an icon that is no image, a runtime
        # without ICoreWebView2Settings3 (the shell must still start and close cleanly).
        package = packaged(settings={"distribution-mode": "fixed"})
        package["window"].update({"width": 800, "height": 600, "resizable": False, "icon": "index.html"})
        runtime = rig.windows_path(os.path.join(ctx.folder("fixed"), "app", "webview2"))
        script = [f"runtime {rig.esc(runtime)}", "no-settings3", size(640, 480),
                  position(-24, 41), "state moved"]
        files = {"webview2": None, "index.html": b"not an image"}
        result = ctx.run_closed(c, App(package, dpi=120, script=script, files=files), "fixed")
        env = result.one("environment-create")
        c.equal((result.pluck("version-query", "folder"), env.get("browserFolder")), ([runtime], runtime),
                "the folder beside the executable, not one the working directory names")
        window = result.window("after-dom-content-loaded")
        style = int(window["style"], 16)
        c.equal((env.get("dpi"), window["client"], result.pluck("controller-bounds", "rect")[:1], window["icon"],
                 style & (WS_THICKFRAME | WS_MAXIMIZEBOX), style & FIXED_STYLE),
                ("120", "1000,750", ["0,0,1000,750"], "0", 0, FIXED_STYLE), "800x600 scaled by 1.25, and so the "
                "web view; no icon from a file that is no image; caption, system menu and minimize box only")
        moved = result.window("moved")
        c.equal(([int(v) for v in moved["outer"].split(",")][:2], moved["client"]), ([-30, 52], "800,600"),
                "the page's size and position scaled too")


@scenario
def worker_thread_reads(ctx, c):
    # Bodies read as the browser reads them: on a worker thread in another apartment, partly at
    # once and the rest only after the shell has released its responder and web view.
    noise = random.Random(12)
    clip, media = noise.randbytes(300_000), noise.randbytes(200_000)
    held = [("media/clip.bin", "bytes=1000-150999", 206, clip[1000:151000]),  # the bundle
            ("loose.webm", "bytes=5-100004", 206, media[5:100005]),  # a mapped loose file
            ("missing.js", None, 404, b"File not found")]
    script = [f"request-held {APP_ORIGIN}{path} {value or ''}".rstrip() for path, value, _, _ in held]
    # A runtime without the filter that names request sources: the plain one serves documents.
    result = ctx.run_closed(c, App(loose={"index.html": INDEX, "loose.webm": media},
                                   bundle={"index.html": INDEX, "media/clip.bin": clip},
                                   script=["no-source-kinds"] + script))
    c.equal([(r.get("status"), r.get("body")) for r in result.events("response")][1:],
            [(str(status), "held") for _, _, status, _ in held], "every answer handed over with a body")
    bodies = result.events("held-body")
    c.equal(len(bodies), len(held), "bodies read on worker threads")
    c.expect(0 <= result.index("close-requested-done") < result.index("held-body"),
             "the bodies are finished only after the shell has let go of the web view")
    for (path, value, _, body), read in zip(held, bodies):
        got = [read.get(k) for k in ("uri", "result", "direct", "early")]
        c.equal(got + [read.get("bodyHex") == body.hex()],
                [APP_ORIGIN + path, "read", "1", str(min(len(body), 4096)), True],
                f"{path} {value or ''}: read to the end through the stream itself (no proxy to the UI thread), "
                "the first piece at once, every byte")


# How the shell opens its start page and lives through its runtime's failures.
RESTART_FAILED = (TITLE, "The app's web view stopped unexpectedly and could not be restarted.")
HELLO = page('{"type":"wrapper-init"}')
REPLY = '{"registeredComponentIds":[],"type":"wrapper-init-response"}'
BROWSER, RENDERER, UNRESPONSIVE, SUBFRAME = 0, 1, 2, 3  # ProcessFailed kinds
SETTLE = "wait 400"  # lets a deferred recreation or dialog run before the next step


def counts(result, *events):
    return [len(result.events(e, text=REPLY) if e == "post-json" else result.events(e)) for e in events]


@scenario
def start_page(ctx, c):
    with c.case("navigate-refused"):
        result = ctx.run(App(script=["navigate-result 0x80070057"]), "navigate-refused")
        c.equal((result.boxes, result.exit_code), ([(TITLE, "Failed to open the app's start page (error "
                                                     "0x80070057).")], 1), "message boxes, exit code")
        check_script_played(c, result)
    with c.case("navigation-failed"):
        # No DOMContentLoaded ever comes: the failed NavigationCompleted alone shows the window.
        result = ctx.run_closed(c, App(script=["navigation-fails 12", "state shown"]), "failed")
        c.equal((result.pluck("navigation-completed", "success", "handlers"), result.window("shown").get("visible"),
                 result.pluck("controller-visible", "value"), counts(result, "dom-content-loaded", "controller-focus")),
                ([("0", "1")], "1", ["1"], [0, 1]), "NavigationCompleted shows the window, the web view, its focus")
    with c.case("navigation-succeeded"):
        # DOMContentLoaded showed the page; NavigationCompleted adds nothing. A normal exit is no failure.
        script = ["dom-content-loaded", "browser-exited normal", SETTLE]
        result = ctx.run_closed(c, App(script=script), "succeeded")
        c.equal((result.pluck("navigation-completed", "success"), counts(result, "controller-focus",
                                                                         "controller-visible", "environment-create")),
                (["1"], [2, 2, 1]), "NavigationCompleted, shown and focused at each DOMContentLoaded, environments")


@scenario
def browser_exit(ctx, c):
    # An exit, reported by environment and web view in either order, is one recreation: the new page's
    # wrapper-init is answered and finds the window out of fullscreen. The third exit gives up.
    with c.case("recreated-twice-then-gives-up"):
        result = ctx.run(App(script=[HELLO, "state windowed", "fullscreen 1", "browser-exited",
                                     f"process-failed {BROWSER}", SETTLE, "state recreated", HELLO,
                                     f"process-failed {BROWSER}", "browser-exited", SETTLE, HELLO,
                                     "browser-exited", SETTLE]), "recreated-twice")
        c.equal((result.boxes, result.exit_code), ([RESTART_FAILED], 1), "message boxes, exit code")
        check_script_played(c, result)
        c.equal(counts(result, "environment-create", "controller-create", "controller-close", "post-json"),
                [3, 3, 2, 3], "environments, controllers created, dead controllers closed, wrapper-init answers")
        c.equal((result.pluck("navigate", "uri"), result.window("recreated").get("visible")), ([APP_PAGE] * 3, "1"),
                "start page opened each time, the window stays shown")
        windowed, recreated = result.window("windowed"), result.window("recreated")
        c.equal([recreated.get(k) for k in ("style", "exstyle", "outer")],
                [windowed.get(k) for k in ("style", "exstyle", "outer")], "out of fullscreen after the restart")
    with c.case("exit-while-minimised"):
        # The new web view waits hidden at the page's size until the window is restored.
        minimised = [HELLO, "syscommand 0xF020 0", "browser-exited", SETTLE, HELLO]
        result = ctx.run_closed(c, App(script=minimised + ["syscommand 0xF120 0"]), "minimised")
        c.equal((set(result.pluck("controller-bounds", "rect")), result.pluck("controller-visible", "value")),
                ({"0,0,1024,768"}, ["1", "0", "0", "0", "1"]), "bounds; shown, minimised, made, loaded, restored")
    with c.case("exit-while-creating-controller"):
        # A creation failing after its browser's exit belongs to the engine given up, not the restart.
        result = ctx.run_closed(c, App(script=["browser-exits-creating-controller", HELLO]),
                                "exit-creating")
        c.equal((counts(result, "environment-create", "controller-create", "post-json"), result.pluck("navigate", "uri")),
                ([2, 2, 1], [APP_PAGE]), "environments, controllers, wrapper-init answers, start page")


@scenario
def renderer_exit(ctx, c):
    # Subframe renderers, utility, sandbox helper, GPU, plugin, unknown processes and a renderer hung
    # under 30 s: the runtime copes alone. Renderer exits reload three times in five minutes (the
    # page's wrapper-init answered after them); the fourth gives up.
    others, crash = [SUBFRAME, 4, 5, 6, 7, 8, 9, UNRESPONSIVE, UNRESPONSIVE], [f"process-failed {RENDERER}", SETTLE]
    result = ctx.run(App(script=[HELLO] + [f"process-failed {kind}" for kind in others] + [SETTLE]
                         + crash * 3 + [HELLO] + crash))
    c.equal((result.pluck("reload", "uri"), counts(result, "environment-create", "post-json")),
            ([APP_PAGE] * 3, [1, 2]), "reloads, environments, wrapper-init answers")
    c.equal((result.boxes, result.exit_code), ([RESTART_FAILED], 1), "message boxes, exit code")
    check_script_played(c, result)


@scenario
def unresponsive_renderer(ctx, c):
    # Time runs a hundredfold (30 s waits take 0.3 s, the 15 s quiet spell 0.15 s). Reports every 5 s
    # for 200 s are one episode: "No" waits a full delay again, "Yes" reloads and the new page's
    # wrapper-init is answered (later reports open another episode, its questions get OK). A lone
    # report later is a new hang that ends without a question once its reports stop.
    hung = f"process-failed {UNRESPONSIVE}"
    script = ["timer-scale 100", HELLO] + [hung, "wait 50"] * 40 + ["wait 2000", hung, "wait 1000", HELLO, "close"]
    result = ctx.run(App(script=script, answers=[7, 6]), "unresponsive")  # IDNO, then IDYES
    question = (TITLE, "The app is not responding. Reload it?")
    c.expect(result.boxes[:2] == [question] * 2 and set(result.boxes) == {question},
             f"asked while the reports went on: {result.boxes}")
    lone = result.index("step", line=str(len(script) - 3))  # the lone report; script lines count from 1
    waits = [e for e in result.runtime[lone:] if e["_event"] == "set-timer" and int(e.get("ms", "0")) >= 1000]
    c.equal((lone >= 0, len(waits)), (True, 1),
            "the lone report's question scheduled once, and not asked once its reports stopped")
    c.equal((result.pluck("reload", "uri"), counts(result, "post-json"), result.exit_code), ([APP_PAGE], [2], 0),
            "reloaded once, after Yes; wrapper-init answers; exit code after the close request")
    check_script_played(c, result)


if __name__ == "__main__":
    sys.exit(rig.main(scenario, ["pack"]))
