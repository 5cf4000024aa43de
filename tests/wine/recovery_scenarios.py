#!/usr/bin/env python3
"""End-to-end scenarios of how the Windows shell opens its start page and lives through failures
of the runtime's processes, played with the rig of rig.py.

    recovery_scenarios.py --list
    recovery_scenarios.py --run NAME --shell corvane.exe --loader WebView2Loader.dll \
        --empty-loader WebView2Loader.dll --runner runner.exe --work DIR
"""

import sys

import rig
from rig import APP_PAGE, TITLE, App, check_clean_close
from rig import page_message as page

scenario = rig.Suite()

RESTART_FAILED = "The app's web view stopped unexpectedly and could not be restarted."
HELLO = page('{"type":"wrapper-init"}')
REPLY = '{"registeredComponentIds":[],"type":"wrapper-init-response"}'
# ProcessFailed kinds
BROWSER, RENDERER, UNRESPONSIVE, SUBFRAME = 0, 1, 2, 3
SETTLE = "wait 400"  # lets a deferred recreation or dialog run before the next step
IDYES, IDNO = 6, 7


def replies(result):
    return len(result.events("post-json", text=REPLY))


@scenario
def start_page(ctx, c):
    with c.case("navigate-refused"):
        result = ctx.run(App(script=["navigate-result 0x80070057"]), "navigate-refused")
        c.equal(result.boxes, [(TITLE, "Failed to open the app's start page (error 0x80070057).")],
                "message boxes")
        c.equal(result.exit_code, 1, "exit code")
        c.equal(len(result.events("navigate")), 1, "Navigate calls")
        c.equal(result.events("navigation-starting"), [], "navigations started")
    with c.case("navigation-failed"):
        # No DOMContentLoaded ever comes: the failed NavigationCompleted alone shows the window.
        result = ctx.run(App(script=["navigation-fails 12", "state shown", "close"]),
                         "navigation-failed")
        c.equal(result.pluck("navigation-completed", "success", "handlers"), [("0", "1")],
                "NavigationCompleted")
        c.equal(result.events("dom-content-loaded"), [], "DOMContentLoaded events")
        c.equal(result.window("shown").get("visible"), "1", "window visible")
        c.equal(result.pluck("controller-visible", "value"), ["1"], "controller shown")
        c.equal(len(result.events("controller-focus")), 1, "focus handed to the page")
        check_clean_close(c, result)
    with c.case("navigation-succeeded"):
        # DOMContentLoaded already showed the page; NavigationCompleted adds nothing.
        result = ctx.run(App(script=["dom-content-loaded", "close"]), "navigation-succeeded")
        c.equal(result.pluck("navigation-completed", "success"), ["1"], "NavigationCompleted")
        c.equal(len(result.events("controller-focus")), 2, "focus at each DOMContentLoaded")
        check_clean_close(c, result)


@scenario
def browser_exit(ctx, c):
    # Each exit is reported twice, by the environment and by the web view, in either order; one
    # exit is one recreation. The bridge answers the new page's wrapper-init as the first one.
    once = [HELLO, "browser-exited", f"process-failed {BROWSER} 0", SETTLE, "state recreated", HELLO]
    with c.case("recreated-twice"):
        twice = once + [f"process-failed {BROWSER} 3", "browser-exited", SETTLE, HELLO, "close"]
        result = ctx.run(App(script=twice), "recreated-twice")
        c.equal(len(result.events("environment-create")), 3, "environments created")
        c.equal(len(result.events("controller-create")), 3, "controllers created")
        c.equal(result.pluck("navigate", "uri"), [APP_PAGE] * 3, "start page opened each time")
        c.equal(len(result.events("controller-close")), 2, "dead controllers closed")
        c.equal(result.window("recreated").get("visible"), "1", "window stays shown")
        c.equal(replies(result), 3, "wrapper-init answers")
        check_clean_close(c, result)
    with c.case("third-exit-gives-up"):
        thrice = once + ["browser-exited", SETTLE, "browser-exited", SETTLE]
        result = ctx.run(App(script=thrice), "third-exit-gives-up")
        c.equal(len(result.events("environment-create")), 3, "environments created")
        c.equal(result.boxes, [(TITLE, RESTART_FAILED)], "message boxes")
        c.equal(result.exit_code, 1, "exit code")
    with c.case("normal-exit-ignored"):
        result = ctx.run(App(script=["browser-exited normal", SETTLE, "close"]), "normal-exit")
        c.equal(len(result.events("environment-create")), 1, "environments created")
        check_clean_close(c, result)


@scenario
def renderer_exit(ctx, c):
    crash = [f"process-failed {RENDERER} 3", SETTLE]
    with c.case("reloaded-three-times"):
        result = ctx.run(App(script=[HELLO] + crash * 3 + [HELLO, "close"]), "reloaded")
        c.equal(result.pluck("reload", "uri"), [APP_PAGE] * 3, "reloads")
        c.equal(len(result.events("environment-create")), 1, "environments created")
        c.equal(replies(result), 2, "wrapper-init answers")
        check_clean_close(c, result)
    with c.case("fourth-exit-gives-up"):
        result = ctx.run(App(script=crash * 4), "gives-up")
        c.equal(len(result.events("reload")), 3, "reloads")
        c.equal(result.boxes, [(TITLE, RESTART_FAILED)], "message boxes")
        c.equal(result.exit_code, 1, "exit code")


@scenario
def unresponsive_renderer(ctx, c):
    # Timers shortened a hundredfold: the 30 s waits take 0.3 s. The repeated report belongs to the
    # same episode; "No" waits a full delay again, "Yes" reloads, and the reloaded page's
    # wrapper-init is answered.
    hung = f"process-failed {UNRESPONSIVE} 0"
    script = ["timer-scale 100", HELLO, hung, "wait 100", hung, "wait 3000", HELLO, "close"]
    result = ctx.run(App(script=script, answers=[IDNO, IDYES]), "unresponsive")
    question = (TITLE, "The app is not responding. Reload it?")
    c.equal(result.boxes, [question, question], "questions asked")
    c.equal(result.pluck("set-timer", "ms"), ["30000", "30000"],
            "waits before each question: one full delay from the episode, again after No")
    c.equal(result.pluck("reload", "uri"), [APP_PAGE], "reloaded once, after Yes")
    c.equal(replies(result), 2, "wrapper-init answers")
    c.equal(result.exit_code, 0, "exit code after the close request")
    c.equal(result.events("scenario-error") + result.events("step-skipped"), [], "script errors")


@scenario
def other_processes(ctx, c):
    # Subframe renderers, utility, sandbox helper, GPU, plugin and unknown processes: the runtime
    # copes alone. So does a hung renderer within its first 30 seconds: no reload, no question.
    kinds = [SUBFRAME, 4, 5, 6, 7, 8, 9, UNRESPONSIVE, UNRESPONSIVE]
    script = [f"process-failed {kind} 2" for kind in kinds] + [SETTLE, "close"]
    result = ctx.run(App(script=script), "others")
    c.equal(result.pluck("process-failed-done", "handlers"), ["1"] * len(kinds), "handlers")
    c.equal(result.events("reload"), [], "reloads")
    c.equal(len(result.events("environment-create")), 1, "environments created")
    check_clean_close(c, result)


if __name__ == "__main__":
    sys.exit(rig.main(scenario, __doc__))
