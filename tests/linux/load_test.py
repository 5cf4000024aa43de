#!/usr/bin/env python3
"""Large answers of the Linux shell under load, in every kind of client, and past 4 GiB: one run of
page/load.html from a bundle (32 pieces of 5 MiB fetched at once while an <audio> element seeks,
the 20 MiB asset from an iframe and from dedicated, shared and service workers, POST to large and
small assets) with ranges of a 5 GiB sparse loose file."""

import hashlib
import json
import os
import unittest

from e2e_test import LARGE_SIZE, App, needs_all, pattern_bytes, write_pattern_file, write_tone

PIECES, PIECE_SIZE, SPARSE_SIZE = 32, 5 * 1024 * 1024, 5 * 1024 ** 3
SPARSE_DATA = ((4294967000, 12 * 1024 * 1024), (5000000000, 5 * 1024 * 1024))  # written; the rest reads as zeros


def sparse_bytes(first, last):
    out = bytearray(last + 1 - first)
    for offset, size in SPARSE_DATA:
        lo, hi = max(first, offset), min(last + 1, offset + size)
        if lo < hi:
            out[lo - first:hi - first] = pattern_bytes(size, offset % 251)[lo - offset:hi - offset]
    return bytes(out)


@needs_all
class LargeAnswersUnderLoad(unittest.TestCase):
    def test_large_answers_under_load_in_every_client_and_past_4_gib(self):
        app = App(self, bundle=True, package={"main": "load.html"}, pages=("load.html", "load.js", "load_worker.js"))
        app.add("parallel.json", json.dumps({"count": PIECES}).encode())
        pieces = [write_pattern_file(os.path.join(app.loose, "p", "%d.bin" % i), PIECE_SIZE, i) for i in range(PIECES)]
        write_tone(os.path.join(app.loose, "tone.wav"), seconds=30)
        sha = write_pattern_file(os.path.join(app.loose, "large.bin"), LARGE_SIZE, 5)
        with open(os.path.join(app.www, "sparse.bin"), "wb") as out:
            out.truncate(SPARSE_SIZE)
            for offset, size in SPARSE_DATA:
                out.seek(offset)
                out.write(pattern_bytes(size, offset % 251))
        r = app.run(timeout=300)
        self.assertIsNotNone(r, "no report; shell stderr:\n" + app.stderr)
        self.assertNotIn("exception", r)
        self.assertEqual(app.returncode, 0, app.stderr)
        self.assertEqual(r["parallel"], [{"status": 200, "contentRange": None, "length": PIECE_SIZE, "sha256": s}
                                         for s in pieces])
        self.assertEqual(r["seeks"], [25, 5, 15])
        large = {"status": 200, "contentRange": None, "length": LARGE_SIZE, "sha256": sha}
        whole = {k: v for k, v in large.items() if k != "contentRange"}
        self.assertEqual((r["frame"], r["dedicatedWorker"], r["sharedWorker"], r["postLarge"]),
                         (large, whole, whole, large))
        self.assertEqual(r["serviceWorker"], {"state": "activated", "cached": large, "fetched": whole})
        self.assertEqual(r["postSmall"]["status"], 200)
        for name, first, last in (("farOpen", 5000000000, None), ("farClosed", 4294967000, 4306967295)):
            answer = r[name]
            got_first, got_last, total = map(int, answer["contentRange"].replace("bytes ", "").replace("/", "-").split("-"))
            self.assertEqual((answer["status"], got_first, total, answer["length"]),
                             (206, first, SPARSE_SIZE, got_last + 1 - first), name)
            self.assertEqual(got_last, last or got_last)
            self.assertEqual(answer["sha256"], hashlib.sha256(sparse_bytes(first, got_last)).hexdigest(), name)


if __name__ == "__main__":
    unittest.main()
