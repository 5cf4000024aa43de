#!/usr/bin/env python3
r"""End-to-end scenarios of the page bridge and the extension library under Wine.

They run the shipped shell through the rig of ../scenarios.py (a fresh prefix per run, the
scripted stand-in WebView2Loader.dll, the message-box runner). The page's side is played by the
runtime's "message-string" steps; what the shell posts back is the runtime's "post-json" and
"post-json-with-objects" log. On top of the rig, a run may place beside the shell:

- Vantor.dll: the sample extension (examples/extension) or a stand-in built from
  test_extension.cpp, with or without its "OnExtensionMessage" export;
- extension.txt: what the stand-in's Init returns and posts (format in test_extension.cpp).

The stand-in records every call into the library in app/extension-calls.log and, with the same
lines prefixed "extension-", in the runtime's log, so their order against the runtime's events
shows.

    bridge_scenarios.py --list
    bridge_scenarios.py --run NAME --shell corvane.exe --loader WebView2Loader.dll \
        --empty-loader WebView2Loader.dll --runner runner.exe --extension Vantor.dll \
        --partial-extension Vantor.dll --sample-extension Vantor.dll --work DIR
"""

import argparse
import json
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import scenarios as rig  # noqa: E402  the shared Wine rig

SCENARIOS = {}
APP_PAGE = rig.APP_ORIGIN + "index.html"
TITLE = "Corvane Test App"
REPLY_TYPE = "wrapper-init-response"
HANDLES_TEXT = '{"type":"directory-handles"}'
PLACEHOLDERS = ["<app>", "<web-resource>", "<current-app-data>", "<local-app-data>",
                "<roaming-app-data>", "<desktop>", "<documents>", "<downloads>", "<pictures>",
                "<profile>", "<saved-games>", "<screenshots>", "<videos>"]


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


def reply(*ids):
    return json.dumps({"registeredComponentIds": list(ids), "type": REPLY_TYPE},
                      ensure_ascii=False, separators=(",", ":"), sort_keys=True)


def page(message, source=APP_PAGE):
    """A string message from the page; `message` is JSON text or a value to serialise."""
    text = message if isinstance(message, str) else json.dumps(message, ensure_ascii=False)
    return f"message-string {source} {rig.esc(text)}"


def extension_message(source=APP_PAGE, **members):
    return page({"type": "extension-message", **members}, source)


WRAPPER_INIT = page({"type": "wrapper-init"})


def scale(length, dpi):
    """The shell's DPI rule: length * dpi / 96, rounded up."""
    return -(-length * dpi // 96)


class Run:
    """One shell run: the rig's result and the calls the stand-in library recorded."""

    def __init__(self, result, calls, app_dir):
        self.result = result
        self.calls = calls
        self.app_dir = app_dir

    @property
    def app_folder(self):
        return rig.windows_path(self.app_dir) + "\\"

    def call_names(self):
        return [e["_event"].removeprefix("extension-") for e in self.calls]

    def posts(self):
        """Texts posted with PostWebMessageAsJson, in order."""
        return [e["text"] for e in self.result.events("post-json")]

    def post_values(self):
        values = []
        for text in self.posts():
            try:
                values.append(json.loads(text))
            except ValueError:
                values.append(("not JSON", text))
        return values

    def user_data_folder(self):
        created = self.result.events("environment-create")
        return created[0].get("userDataFolder") if created else None

    def dump(self):
        lines = ["--- extension calls ---"]
        lines += ["  " + json.dumps(e, ensure_ascii=False) for e in self.calls]
        return "\n".join(lines) + "\n" + self.result.dump()


class Bridge:
    """Runs the shell with an extension library and its directives beside it."""

    def __init__(self, ctx, args):
        self.ctx = ctx
        self.libraries = {"stand-in": args.extension, "partial": args.partial_extension,
                          "sample": args.sample_extension}

    def run(self, script, label, library=None, directives=None, dpi=96, package_text=None):
        """`library`: None, "stand-in", "partial" or "sample". `directives`: bytes of
        extension.txt."""
        extra = {}
        if library is not None:
            extra["Vantor.dll"] = self.libraries[library]
        original_prefix = rig.prepare_prefix
        placed = []

        def prefix(env):
            # The rig lays out <run>/app before it prepares <run>/prefix: the library goes in
            # beside the shell there.
            original_prefix(env)
            app_dir = os.path.join(os.path.dirname(env["WINEPREFIX"]), "app")
            if not os.path.isfile(os.path.join(app_dir, "corvane.exe")):
                raise rig.ScenarioFailure(f"no app folder at {app_dir}")
            for name, source in extra.items():
                shutil.copy2(source, os.path.join(app_dir, name))
            if directives is not None:
                with open(os.path.join(app_dir, "extension.txt"), "wb") as f:
                    f.write(directives)
            placed.append(app_dir)

        app = rig.App(package=rig.packaged(), package_text=package_text,
                      loose={"index.html": rig.INDEX}, script="\n".join(script) + "\n", dpi=dpi)
        rig.prepare_prefix = prefix
        try:
            result = self.ctx.run(app, label=label)
        finally:
            rig.prepare_prefix = original_prefix
        app_dir = placed[0] if placed else os.path.join(result.folder, "app")
        calls = rig.parse_log(os.path.join(app_dir, "extension-calls.log"))
        return Run(result, calls, app_dir)


# ---- Shared expectations ----------------------------------------------------------------------

def check_clean_close(c, run):
    c.equal(run.result.boxes, [], "message boxes")
    c.equal(run.result.exit_code, 0, "exit code after the close request")
    c.expect(not run.result.timed_out, "the shell ended by itself")
    c.equal(run.result.events("scenario-error"), [], "scenario lines understood")
    c.equal(run.result.events("step-skipped"), [], "every step played")


def handled_during(run, step_text):
    """The runtime events raised while the shell handled the message of that step."""
    events = run.result.runtime
    for i, e in enumerate(events):
        if e["_event"] == "step" and e.get("text") == step_text:
            for j in range(i + 1, len(events)):
                if events[j]["_event"] == "web-message-done":
                    return events[i + 1:j]
            return events[i + 1:]
    return None


def label_failures(c, before, label):
    for i in range(before, len(c.failures)):
        c.failures[i] = f"[{label}] {c.failures[i]}"


def handle_slots(event):
    return event.get("slots", "").split("|")


def step_text(line):
    """The step's text as the runtime logs it (after the verb)."""
    return rig.unescape(line.split(" ", 1)[1])


def log_parent(run):
    created = run.result.events("controller-create")
    return created[0].get("parent") if created else None


# ---- Scenarios --------------------------------------------------------------------------------

@scenario
def no_library(ctx, c, bridge):
    # Two handshakes (the page reloaded): each gets the whole sequence.
    run = bridge.run([WRAPPER_INIT, WRAPPER_INIT, "close"], "no-library")
    check_clean_close(c, run)
    c.equal(run.posts(), [reply(), reply()], "each handshake answered with no component ids")
    handles = run.result.events("post-json-with-objects")
    c.equal([(h.get("text"), h.get("count")) for h in handles], [(HANDLES_TEXT, "13")] * 2,
            "directory handles at each handshake")
    order = [e["_event"] for e in run.result.runtime
             if e["_event"] in ("post-json", "post-json-with-objects")]
    c.equal(order, ["post-json-with-objects", "post-json"] * 2, "handles first, then the reply")
    during = handled_during(run, step_text(WRAPPER_INIT))
    c.expect(during and any(e["_event"] == "post-json" for e in during),
             "the reply is posted while the message is handled")
    c.equal(run.calls, [], "no library was called")


@scenario
def library_messages(ctx, c, bridge):
    package_text = ('{\n  "window": {"title": "Corvane Test App"},\n\t"name":   "CorvaneTest"\n}\n'
                    .encode("utf-8"))
    directives = b"\n".join([
        b"id alpha", b"id beta",
        b'post {"type":"init-post","n":1}',
        b'post {"n":2,"type":"init-post"}',
        b'post-at-window {"type":"window-post"}'])
    # Sent before the handshake: its echo waits in the queue. Members the shell does not know,
    # non-ASCII text and spaces reach the library as the page wrote them.
    first = ('{"type":"extension-message", "action":"echo", "n":1, '
             '"extra":{"caf\u00e9":[1, 2.50, "\u2603"]}}')
    second = '{"action":"echo","type":"extension-message","n":2}'
    script = [page(first), WRAPPER_INIT, page(second),
              extension_message(action="package"), extension_message(action="null-arguments"),
              "close"]
    run = bridge.run(script, "library", library="stand-in", directives=directives,
                     package_text=package_text)
    check_clean_close(c, run)

    values = run.post_values()
    expected = [json.loads(reply("alpha", "beta")),
                {"type": "init-post", "n": 1}, {"n": 2, "type": "init-post"},
                {"type": "window-post"},
                {"type": "echo", "text": first}, {"type": "echo", "text": second},
                {"type": "package", "text": package_text.decode("utf-8")},
                {"type": "null-arguments", "path": ""}]
    c.equal(values, expected, "reply, then the queued posts in order, then the later ones")
    c.equal(run.posts()[:3], [reply("alpha", "beta"), '{"type":"init-post","n":1}',
                              '{"n":2,"type":"init-post"}'],
            "the library's texts are posted as it gave them")
    during = handled_during(run, step_text(WRAPPER_INIT)) or []
    c.equal(len([e for e in during if e["_event"] == "post-json"]), 5,
            "the queue is flushed inside the handshake")
    during = handled_during(run, step_text(page(second))) or []
    c.equal([e.get("text") for e in during if e["_event"] == "post-json"],
            [json.dumps({"text": second, "type": "echo"}, ensure_ascii=False,
                        separators=(",", ":"))],
            "after the handshake a post goes out at once")

    c.equal(run.call_names(), ["init", "main-window", "message", "message", "message", "message",
                               "release", "unload"], "calls into the library over the run")
    c.equal(run.calls[-1].get("by") if run.calls else None, "FreeLibrary",
            "the library is unloaded after Release")
    texts = [e.get("text") for e in run.calls if e["_event"] == "extension-message"]
    c.equal(texts[:2], [first, second], "extension messages handed on byte for byte")
    if run.calls and run.calls[0]["_event"] == "extension-init":
        init = run.calls[0]
        c.equal(init.get("appFolder"), run.app_folder, "Init: the app folder")
        c.equal(init.get("contentFolder"), "www\\", "Init: the content folder")
        c.equal(init.get("userDataFolder"), run.user_data_folder(),
                "Init: the per-user data folder the web view uses")
        c.expect((init.get("userDataFolder") or "").endswith("\\CorvaneTest"),
                 f"the per-user folder ends in the app's name: {init.get('userDataFolder')}")
        c.equal(init.get("documents"), "", "no folder is known during Init")
        c.equal(init.get("packageJson"), package_text.decode("utf-8"), "package.json as read")
    window = [e for e in run.calls if e["_event"] == "extension-main-window"]
    if window:
        c.equal((window[0].get("isWindow"), window[0].get("visible")), ("1", "0"),
                "OnMainWindowCreated gets the hidden main window")
        c.equal(window[0].get("documents"), "", "no folder is known before the web view")
        parent = log_parent(run)
        c.equal(window[0].get("window"), parent, "the handle is the web view's parent window")

    log = run.result
    c.expect(0 <= log.index("extension-init") < log.index("extension-main-window")
             < log.index("environment-create"),
             "Init, then OnMainWindowCreated, both before the web view is created")
    c.expect(0 <= log.index("close-requested") < log.index("extension-release"),
             "Release after the window has closed")


@scenario
def reload_keeps_page_ready(ctx, c, bridge):
    # After the first handshake the queue stays open through a navigation: a post before the
    # new page's handshake goes out at once, and that handshake flushes nothing.
    script = [WRAPPER_INIT, f"navigation {APP_PAGE}", extension_message(action="echo", n=1),
              WRAPPER_INIT, "close"]
    run = bridge.run(script, "reload", library="stand-in",
                     directives=b'id alpha\npost {"type":"init-post"}')
    check_clean_close(c, run)
    echo = {"type": "echo", "text": json.dumps({"type": "extension-message", "action": "echo",
                                                "n": 1})}
    c.equal(run.post_values(), [json.loads(reply("alpha")), {"type": "init-post"}, echo,
                                json.loads(reply("alpha"))],
            "reply and flush, the echo at once after the reload, then only the second reply")
    c.equal(len(run.result.events("post-json-with-objects")), 2, "handles at each handshake")
    c.equal(len(run.result.events("navigation-starting", uri=APP_PAGE)), 2,
            "the page was navigated again")


@scenario
def sample_extension(ctx, c, bridge):
    before_handshake = extension_message(action="get-folder", name="<documents>")
    greeting = {"type": "extension-message", "greeting": "gr\u00fc\u00df dich", "list": [1, None]}
    script = [before_handshake, WRAPPER_INIT,
              extension_message(action="get-folder", name="<documents>"),
              extension_message(action="get-app-name"), page(greeting), "close"]
    run = bridge.run(script, "sample", library="sample")
    check_clean_close(c, run)
    handles = run.result.events("post-json-with-objects")
    documents = handle_slots(handles[0])[6] if handles else None
    c.expect(documents and documents.endswith("\\Documents"),
             f"a Documents folder among the handles: {documents!r}")
    c.equal(run.post_values(), [
        json.loads(reply("echo", "folders")),
        {"type": "extension-ready", "appFolder": run.app_folder},
        {"type": "folder", "name": "<documents>", "path": ""},
        {"type": "folder", "name": "<documents>", "path": documents},
        {"type": "app-name", "name": "CorvaneTest"},
        {"type": "extension-echo", "message": greeting},
    ], "the sample's ids, its Init message, folders before and after the handshake, echo")
    log = run.result
    c.expect(0 <= log.index("post-json-with-objects") < log.index("post-json"),
             "directory handles before the reply")


@scenario
def directory_handles(ctx, c, bridge):
    asks = ["<documents>", "<screenshots>", "<Documents>", "<app>", "<web-resource>",
            "<current-app-data>", "<no-such-folder>"]
    script = [extension_message(action="folder", name="<documents>"), WRAPPER_INIT]
    script += [extension_message(action="folder", name=name) for name in asks]
    script.append("close")
    run = bridge.run(script, "supported", library="stand-in", directives=b"id alpha")
    check_clean_close(c, run)
    log = run.result
    handles = log.events("post-json-with-objects")
    if not c.equal(len(handles), 1, "one directory-handles message\n" + run.dump()):
        return
    c.equal(handles[0].get("text"), HANDLES_TEXT, "message text")
    c.equal(handles[0].get("count"), "13", "13 slots")
    slots = handle_slots(handles[0])
    c.equal(len(slots), 13, "13 slots described")
    slots += [""] * (13 - len(slots))
    c.expect(0 <= log.index("post-json-with-objects") < log.index("post-json", text=reply("alpha")),
             "directory handles before the reply")
    app_folder, user_data = run.app_folder, run.user_data_folder()
    c.equal(slots[:3], [app_folder, app_folder + "www\\", user_data],
            "app, content and per-user folders first")
    c.expect(slots[6].endswith("\\Documents"), f"documents slot: {slots[6]!r}")
    c.expect(slots[9] and slots[3].startswith(slots[9] + "\\"),
             f"local app data lies in the profile: {slots[3]!r}, {slots[9]!r}")
    c.equal(slots[11], "", "a folder Wine cannot resolve (Screenshots) leaves its slot empty")
    c.equal(sum(1 for s in slots if s), 12, "the other twelve are filled")
    created = log.events("directory-handle")
    c.equal([d.get("path") for d in created], [s for s in slots if s],
            "one handle per resolved folder, in table order")
    c.expect(all(d.get("permission") == "1" for d in created), "every handle read-write")
    collections = log.events("object-collection")
    c.equal([e.get("length") for e in collections], ["13"], "one collection of 13")

    answers = {}
    for value in run.post_values()[1:]:
        if isinstance(value, dict) and value.get("type") == "folder":
            answers.setdefault(value["name"], []).append(value["path"])
    by_name = dict(zip(PLACEHOLDERS, slots))
    c.equal(answers.get("<documents>"), ["", by_name["<documents>"]],
            "GetDirectoryPath: empty before the handshake, the Documents folder after")
    for name in asks[1:]:
        c.equal(answers.get(name), [by_name.get(name, "")], f"GetDirectoryPath({name})")


@scenario
def without_directory_handle_support(ctx, c, bridge):
    for missing in ("no-environment14", "no-webview23"):
        before = len(c.failures)
        script = [missing, WRAPPER_INIT,
                  extension_message(action="folder", name="<documents>"),
                  extension_message(action="folder", name="<app>"), "close"]
        run = bridge.run(script, missing, library="stand-in", directives=b"id alpha")
        check_clean_close(c, run)
        c.equal(run.result.events("post-json-with-objects"), [], "no directory-handles message")
        c.equal(run.result.events("directory-handle"), [], "no handle created")
        c.equal(run.posts()[:1], [reply("alpha")], "the reply alone")
        c.equal(run.post_values()[1:], [{"type": "folder", "name": "<documents>", "path": ""},
                                        {"type": "folder", "name": "<app>", "path": ""}],
                "GetDirectoryPath stays empty")
        label_failures(c, before, missing)


@scenario
def library_without_message_export(ctx, c, bridge):
    directives = b'id alpha\npost {"type":"init-post"}\npost-at-window {"type":"window-post"}'
    script = [extension_message(action="echo"), WRAPPER_INIT, extension_message(action="echo"),
              "close"]
    run = bridge.run(script, "partial", library="partial", directives=directives)
    check_clean_close(c, run)
    c.equal(run.call_names(), ["main-window", "release", "unload"],
            "Init is not called; OnMainWindowCreated and Release still are")
    c.equal(run.calls[-1].get("by") if run.calls else None, "FreeLibrary",
            "the partial library is unloaded at shutdown too")
    c.equal(run.posts(), [reply()], "no component ids, nothing posted by the library")
    c.equal(len(run.result.events("web-message-done")), 3, "every message was handled")


@scenario
def init_returns_null_or_empty(ctx, c, bridge):
    cases = {
        "null": b'id alpha\nnull-ids\npost {"type":"init-post"}',
        "empty": b'post {"type":"init-post"}',
    }
    for label, directives in cases.items():
        before = len(c.failures)
        run = bridge.run([WRAPPER_INIT, extension_message(action="echo", n=1), "close"], label,
                         library="stand-in", directives=directives)
        check_clean_close(c, run)
        c.equal(run.call_names(), ["init", "main-window", "message", "release", "unload"],
                "every export is still called")
        echo = {"type": "echo", "text": json.dumps({"type": "extension-message", "action": "echo",
                                                    "n": 1})}
        c.equal(run.post_values(), [json.loads(reply()), {"type": "init-post"}, echo],
                "no component ids; the Init post follows the reply; the echo goes out at once")
        label_failures(c, before, label)


@scenario
def invalid_utf8_component_id(ctx, c, bridge):
    directives = b"\n".join([b"id ok", b"id bad\xff\xfeid", "id \u00e9t\u00e9".encode("utf-8"),
                             b'post {"type":"init-post"}'])
    script = [WRAPPER_INIT, extension_message(action="echo"), "close"]
    run = bridge.run(script, "invalid-utf8", library="stand-in", directives=directives)
    check_clean_close(c, run)
    values = run.post_values()
    first = values[0] if values else None
    ids = first.get("registeredComponentIds") if isinstance(first, dict) else None
    if c.expect(isinstance(ids, list) and len(ids) == 3,
                f"the reply went out with three ids: {first}\n{run.dump()}"):
        c.equal((ids[0], ids[2]), ("ok", "\u00e9t\u00e9"), "valid ids unchanged")
        middle = ids[1][3:-2] if ids[1].startswith("bad") and ids[1].endswith("id") else None
        c.expect(middle and set(middle) == {"\ufffd"},
                 f"invalid bytes replaced by U+FFFD: {ids[1]!r}")
        c.equal(first.get("type"), REPLY_TYPE, "reply type")
    c.equal(values[1:], [{"type": "init-post"},
                         {"type": "echo",
                          "text": json.dumps({"type": "extension-message", "action": "echo"})}],
            "the queue is flushed after the reply and later posts go out at once")


def window_commands(c, bridge, dpi):
    def size(width, height):
        return page({"type": "set-window-size", "windowWidth": width, "windowHeight": height})

    def position(x, y):
        return page({"type": "set-window-position", "windowX": x, "windowY": y})

    script = [
        "state start",
        size(800.9, 600), "state sized",
        size("1024", 700), size(-5, 300), size(640, 0), "state refused",
        position(-24, 41), "state moved",
        "fullscreen 1", "state full",
        size(640, 480), position(10, 10), "state full-ignored",
        "fullscreen 0", "state restored",
        position(200, 100), size(500, 400), "state after",
        "close"]
    run = bridge.run(script, f"dpi{dpi}", dpi=dpi)
    check_clean_close(c, run)
    c.equal(run.result.one("environment-create").get("dpi"), str(dpi), "system DPI")
    window = run.result.window
    sized = window("sized")
    c.equal(sized.get("client"), f"{scale(800, dpi)},{scale(600, dpi)}",
            "client size from 800.9 x 600 (the fraction dropped)")
    c.equal(window("refused").get("client"), sized.get("client"),
            "a width given as text, a negative width and a zero height are ignored")
    moved = rig.rect(window("moved")["outer"])
    c.equal(moved[:2], [scale(-24, dpi), scale(41, dpi)], "outer top-left moved, negative x kept")
    c.equal(window("moved").get("client"), sized.get("client"), "moving keeps the size")
    full, ignored = window("full"), window("full-ignored")
    c.equal(full.get("outer"), full.get("monitor"), "the page's fullscreen element fills the screen")
    c.equal((ignored.get("outer"), ignored.get("client")), (full.get("outer"), full.get("client")),
            "size and position ignored while fullscreen")
    restored = window("restored")
    c.equal((restored.get("outer"), restored.get("client")),
            (window("moved").get("outer"), sized.get("client")), "leaving restores the window")
    after = window("after")
    c.equal(rig.rect(after["outer"])[:2], [scale(200, dpi), scale(100, dpi)],
            "commands act again after fullscreen")
    c.equal(after.get("client"), f"{scale(500, dpi)},{scale(400, dpi)}", "resized after fullscreen")
    bounds = [b["rect"] for b in run.result.events("controller-bounds")]
    c.expect(f"0,0,{scale(500, dpi)},{scale(400, dpi)}" in bounds,
             f"the web view follows the client area: {bounds}")


@scenario
def window_commands_at_96_dpi(ctx, c, bridge):
    window_commands(c, bridge, 96)


@scenario
def window_commands_at_120_dpi(ctx, c, bridge):
    window_commands(c, bridge, 120)


@scenario
def foreign_origin(ctx, c, bridge):
    foreign = ["https://evil.example/index.html", "https://corvane.localhost.evil.net/",
               "http://corvane.localhost/index.html", "https://CORVANE.localhost/index.html",
               "https://corvane.localhos"]
    script = ["state start"]
    for source in foreign:
        script += [page({"type": "wrapper-init"}, source),
                   extension_message(source, action="echo", origin=source),
                   page({"type": "set-window-size", "windowWidth": 500, "windowHeight": 400},
                        source)]
    # The app's own page, but a value that is not a string: it never reaches the bridge either.
    script.append("message-json " + APP_PAGE + " " + json.dumps(
        {"type": "extension-message", "action": "echo", "origin": "not-a-string"}))
    script += ["state after-foreign", extension_message(action="echo", origin="app"),
               WRAPPER_INIT, "close"]
    run = bridge.run(script, "foreign", library="stand-in", directives=b"id alpha")
    check_clean_close(c, run)
    messages = [e.get("text") for e in run.calls if e["_event"] == "extension-message"]
    c.equal([json.loads(m).get("origin") for m in messages], ["app"],
            "only the app's own message reached the library")
    values = run.post_values()
    c.equal(values, [json.loads(reply("alpha")),
                     {"type": "echo", "text": json.dumps({"type": "extension-message",
                                                          "action": "echo", "origin": "app"})}],
            "no reply to a foreign handshake; the app's handshake answered once")
    c.equal(len(run.result.events("post-json-with-objects")), 1, "handles only for the app")
    c.equal(run.result.window("after-foreign").get("client"),
            run.result.window("start").get("client"), "the window was not resized")
    for source in foreign:
        during = handled_during(run, step_text(page({"type": "wrapper-init"}, source)))
        c.expect(during is not None, f"the message from {source} was raised")
        read = [e for e in during or [] if e["_event"] == "message-read" and e.get("what") != "source"]
        c.equal(read, [], f"the text of the message from {source} was not even read")


# ---- Driver -----------------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--run")
    names = ("shell", "loader", "empty-loader", "runner", "extension", "partial-extension",
             "sample-extension", "work")
    for name in names:
        parser.add_argument(f"--{name}")
    args = parser.parse_args()
    args.pack = None
    if args.list:
        print(";".join(SCENARIOS))
        return 0
    if args.run not in SCENARIOS:
        print(f"unknown scenario {args.run!r}; known: {', '.join(SCENARIOS)}", file=sys.stderr)
        return 2
    for name in names:
        if not getattr(args, name.replace("-", "_")):
            print(f"--{name} is required", file=sys.stderr)
            return 2
    if not os.environ.get("DISPLAY"):
        command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable] + sys.argv
        return rig.subprocess.run(command).returncode
    for name in names[:-1]:
        path = getattr(args, name.replace("-", "_"))
        if not os.path.exists(path):
            print(f"missing build output: {path}", file=sys.stderr)
            return 1

    ctx = rig.Context(args, args.run)
    return rig.play_scenario(ctx, lambda checks: SCENARIOS[args.run](ctx, checks, Bridge(ctx, args)))

if __name__ == "__main__":
    sys.exit(main())
