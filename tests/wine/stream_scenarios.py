"""Response bodies as the browser reads them: on a worker thread in another apartment, partly at once
and the rest only after the shell has released its responder and web view (rig.py; --pack)."""

import random
import sys

import rig
from rig import APP_ORIGIN, INDEX, App

scenario = rig.Suite()


@scenario
def worker_thread_reads(ctx, c):
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
    c.equal(result.pluck("filter-add", "sources"), ["1"], "the plain filter, for documents' requests")
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


if __name__ == "__main__":
    sys.exit(rig.main(scenario, ["pack"]))
