"""The page bridge with an extension library under Wine (../rig.py): Vantor.dll, built from
test_extension.cpp with or without "OnExtensionMessage", logs its calls as "extension-..." events and
takes what Init returns and posts from extension.txt. What the bridge decides: extension_manager_test.cpp."""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import rig  # noqa: E402
from rig import APP_PAGE, App, page_message as page  # noqa: E402

scenario = rig.Suite()
HELLO = page({"type": "wrapper-init"})
BROWSER_GONE = ["process-failed 0", "browser-exited failed", "wait 300"]
PLACEHOLDERS = ["<app>", "<web-resource>", "<current-app-data>", "<local-app-data>", "<roaming-app-data>",
                "<desktop>", "<documents>", "<downloads>", "<pictures>", "<profile>", "<saved-games>",
                "<screenshots>", "<videos>"]


def reply(*ids):
    return {"registeredComponentIds": list(ids), "type": "wrapper-init-response"}


def ext(action, source=APP_PAGE, **members):
    return page({"type": "extension-message", "action": action, **members}, source)


def folder(name, path=""):
    return {"type": "folder", "name": name, "path": path}


def run(ctx, c, label, script, library="extension", directives=None, package=None, unc=False):
    files = {"Vantor.dll": rig.read(getattr(ctx.args, library))}
    if directives is not None:
        files["extension.txt"] = directives
    return ctx.run_closed(c, App(package=package, script=script, files=files, unc=unc), label)


def values(result):
    return [json.loads(text) for text in result.pluck("post-json", "text")]


def check_calls(c, result, names):
    calls = [e for e in result.runtime if e["_event"].startswith("extension-")]
    c.equal(([e["_event"].removeprefix("extension-") for e in calls], calls[-1].get("by") if calls else None),
            (names, "FreeLibrary"), "calls into the library; unloaded with FreeLibrary after Release")


@scenario
def library_messages(ctx, c):
    package = '{\n  "window": {"title": "Corvane Test App"},\n\t"name":   "CorvaneTest"\n}\n'
    init_posts = ['{"type":"init-post","n":1}', '{"n":2,"type":"init-post"}']
    directives = "\n".join(["id alpha", "id beta", *("post " + p for p in init_posts)]).encode()
    # Sent before the handshake, its echo waits in the queue. Members the shell does not know,
    # non-ASCII text and spaces reach the library as the page wrote them.
    first = '{"type":"extension-message", "action":"echo", "n":1, "extra":{"caf\u00e9":[1, 2.50, "\u2603"]}}'
    second = '{"action":"echo","type":"extension-message","n":2}'
    # Other sites' messages and a non-string one from the app's page reach nothing (url_policy_test.cpp).
    foreign = ["https://evil.example/index.html", "https://corvane.localhost.evil.net/"]
    not_string = {"type": "extension-message", "action": "echo", "origin": "not-a-string"}
    script = ["state start"] + [line for source in foreign for line in (
        page({"type": "wrapper-init"}, source), ext("echo", source),
        page({"type": "set-window-size", "windowWidth": 500, "windowHeight": 400}, source))]
    script += [f"message-json {APP_PAGE} {json.dumps(not_string)}", "state after-foreign", page(first), HELLO,
               page(second)]
    result = run(ctx, c, "library", script, directives=directives, package=package.encode())
    c.equal(values(result), [reply("alpha", "beta"), *map(json.loads, init_posts),
                             {"type": "echo", "text": first}, {"type": "echo", "text": second}],
            "reply, then the queued posts in order, then the later one; nothing for the foreign messages")
    c.equal((len(result.events("post-json-with-objects")), result.window("after-foreign")["client"]),
            (1, result.window("start")["client"]), "directory handles only for the app's handshake, not resized")
    check_calls(c, result, ["init", "main-window", "message", "message", "release", "unload"])
    init, window = result.one("extension-init"), result.one("extension-main-window")
    user_data = result.one("environment-create").get("userDataFolder")
    c.equal([init.get(k) for k in ("appFolder", "contentFolder", "userDataFolder", "packageJson")],
            [rig.windows_path(os.path.join(result.folder, "app")) + "\\", "www\\", user_data, package],
            "Init: app, content and per-user folders (the web view's), package.json")
    c.equal([window.get(k) for k in ("isWindow", "visible", "window")],
            ["1", "0", result.one("controller-create").get("parent")],
            "OnMainWindowCreated gets the hidden main window, the web view's parent")
    c.equal(result.pluck("extension-message", "text"), [first, second],
            "the app's messages alone handed on, byte for byte")
    c.expect(0 <= result.index("close-requested") < result.index("extension-release"), "Release after the close")


@scenario
def library_variants(ctx, c):
    asks, calls = [HELLO, ext("folder", name="<documents>"), ext("folder", name="<app>")], ["init", "main-window"]
    # What Init's id array means is the extension manager's (extension_manager_test.cpp).
    cases = [  # label, library, extension.txt, script, calls, what is posted, directory handles
        # A runtime without directory handles: no handles, GetDirectoryPath stays empty.
        *[(missing, "extension", b"id alpha", [missing, *asks], calls + ["message", "message", "release", "unload"],
           [reply("alpha"), folder("<documents>"), folder("<app>")], 0)
          for missing in ("no-environment14", "no-webview23")],
        # Without OnExtensionMessage Init is not called either; OnMainWindowCreated and Release are.
        ("partial", "partial_extension", b'id alpha\npost {"type":"init-post"}',
         [ext("echo"), HELLO, ext("echo")], ["main-window", "release", "unload"], [reply()], 1),
        # Windows may end the process once WM_ENDSESSION returns: Release comes first, nothing after
        # it. A browser gone with the session is started again only if the logoff is cancelled.
        # Restart Manager closing this app alone: it closes as at the user's click, at once.
        *[(label, "extension", b"id alpha", [HELLO, *script], calls + ["release", "unload"], [reply("alpha")], 1)
          for label, script in [
              ("session-end", ["end-session asked", *BROWSER_GONE, "end-session", ext("echo"), "wait 300"]),
              ("session-kept", ["end-session asked", *BROWSER_GONE, "end-session cancelled", "wait 3000"]),
              ("session-closeapp", ["end-session closeapp", "wait 3000"])]],
    ]
    for label, library, directives, script, calls, posted, handles in cases:
        with c.case(label):
            result = run(ctx, c, label, script, library, directives)
            check_calls(c, result, calls)
            engines = len(result.events("environment-create"))
            c.equal((values(result), len(result.events("post-json-with-objects")),
                     bool(result.events("directory-handle")), engines),
                    (posted, handles, handles > 0, 2 if label == "session-kept" else 1),
                    "posted to the page, directory-handles messages, handles created, engines "
                    "(a new one only once the session goes on)")
            if label == "session-end":
                c.expect(0 <= result.index("extension-release") < result.index("end-session", how="ended", query="1"),
                         "Release before WM_ENDSESSION returned; the logoff was not refused")
            if label == "session-closeapp":
                c.equal(result.events("close-requested"), [], "closed before the script's own close")

    with c.case("remote-elsewhere"):
        # The library posts while the remote app's page is on another site: the echo, and the answer
        # to a handshake sent just before it left, wait for the app's next document; no folders there.
        site, init = "https://example.com/", page({"type": "wrapper-init"}, "https://example.com/")
        later = page({"type": "extension-message", "action": "echo-later", "ms": 300}, site)
        result = run(ctx, c, "remote-elsewhere", [init, later, "navigation https://other.example/", init,
                                                  "wait 900", f"navigation {site}back"], directives=b"id alpha",
                     package=rig.packaged(main=site, settings={"content-mode": "remote"}))
        c.equal(values(result)[-1].get("type"), "echo", "the echo was posted")
        c.equal(len(result.events("post-json-with-objects")), 1, "no folder handles for the other site")
        c.expect(result.index("post-json", text=result.pluck("post-json", "text")[-1])
                 > result.index("navigation-starting", uri=site + "back"), "only once the app's page was back")


@scenario
def directory_handles(ctx, c):
    # Started as \\localhost\corvane\app\corvane.exe, no drive letter behind it: package.json, library,
    # start page and folder handles all come from the share. The runtime refuses the Videos handle.
    asks = ["<documents>", "<screenshots>", "<Documents>", "<app>", "<web-resource>", "<current-app-data>",
            "<videos>", "<no-such-folder>"]
    result = run(ctx, c, "share", ["handle-refused Videos", ext("folder", name="<documents>"), HELLO]
                 + [ext("folder", name=n) for n in asks], directives=b"id alpha", unc=True)
    c.equal([(e.get("uri"), e.get("status")) for e in result.startup() if e["_event"] == "response"],
            [(APP_PAGE, "200")], "the start page served from the share")
    handles, app = result.one("post-json-with-objects"), rig.SHARE + "\\app\\"
    user_data = result.one("environment-create").get("userDataFolder", "")
    slots = handles.get("slots", "").split("|")
    c.equal((handles.get("text"), handles.get("count"), len(slots)), ('{"type":"directory-handles"}', "13", 13),
            "one message of 13 slots")
    c.expect(result.index("post-json-with-objects") < result.index("post-json"), "directory handles before the reply")
    c.equal(slots[:3], [app, app + "www\\", user_data], "app and content folders on the share, then the per-user one")
    c.expect(user_data.endswith("\\AppData\\Local\\CorvaneTest"), f"user data stays in Local AppData: {user_data}")
    c.expect(slots[6].endswith("\\Documents"), f"documents slot: {slots[6]!r}")
    c.expect(slots[9] and slots[3].startswith(slots[9] + "\\"),
             f"local app data lies in the profile: {slots[3]!r}, {slots[9]!r}")
    c.equal([bool(s) for s in slots], [True] * 11 + [False, False],
            "a folder Wine cannot resolve (Screenshots) and a refused handle leave their slots empty")
    videos = next((v.get("path", "") for v in values(result) if v.get("name") == "<videos>"), "")
    c.expect(videos.endswith("\\Videos"), f"a refused folder is still known by its path: {videos!r}")
    c.equal((result.pluck("directory-handle", "path", "permission"), result.pluck("object-collection", "length")),
            ([(s, "1") for s in slots if s] + [(videos, "1")], ["13"]),
            "one read-write handle asked for per resolved folder, in table order")
    c.equal(result.one("close-requested").get("liveHandles"), "0", "the shell kept no handle or collection")
    refs = result.pluck("web-message-done", "refs")
    c.expect(len(refs) == len(asks) + 2 and len(set(refs)) == 1, f"nor a reference to environment or web view: {refs}")
    by_name = dict(zip(PLACEHOLDERS, slots[:12] + [videos]))
    c.equal(values(result), [reply("alpha"), folder("<documents>")] + [folder(n, by_name.get(n, "")) for n in asks],
            "GetDirectoryPath: empty before the handshake, then each folder's path (unknown names empty)")


if __name__ == "__main__":
    sys.exit(rig.main(scenario, ["extension", "partial-extension"]))
