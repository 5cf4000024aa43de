#!/usr/bin/env python3
"""How the Windows shell opens its start page and lives through its runtime's failures (rig.py)."""

import sys

import rig
from rig import APP_PAGE, TITLE, App, check_script_played
from rig import page_message as page

scenario = rig.Suite()
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
    sys.exit(rig.main(scenario))
