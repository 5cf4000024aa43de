#!/usr/bin/env python3
"""Large answers of the Linux shell under load, in every kind of client, and past 4 GiB.

One run of tests/linux/page/load.html from a bundle: 32 pieces of 5 MiB fetched at once while an
<audio> element seeks, the 20 MiB asset from an iframe, dedicated, shared and service workers
(the service worker precaches it and answers from its cache), POST to large and small assets, and
ranges of a 5 GiB sparse loose file.
"""

import hashlib
import json
import os
import shutil
import tempfile
import unittest

from e2e_test import (App, EXTENSION, HERE, PACK, SHELL, pattern_bytes, write_pattern_file,
                      write_tone)

PIECES = 32
PIECE_SIZE = 5 * 1024 * 1024
LARGE_SIZE = 20 * 1024 * 1024
SPARSE_SIZE = 5 * 1024 ** 3
# Written stretches of the sparse file; the rest reads as zeros.
SPARSE_DATA = ((4294967000, 12 * 1024 * 1024), (5000000000, 5 * 1024 * 1024))


def sparse_bytes(first, last):
    """The sparse file's bytes first..last, from what was written and the zeros around it."""
    out = bytearray(last + 1 - first)
    for offset, size in SPARSE_DATA:
        data = pattern_bytes(size, offset % 251)
        lo, hi = max(first, offset), min(last + 1, offset + size)
        if lo < hi:
            out[lo - first:hi - first] = data[lo - offset:hi - offset]
    return bytes(out)


@unittest.skipUnless(SHELL and PACK and EXTENSION and shutil.which("chromium"),
                     "needs the shell, corvane-pack, the test extension and chromium")
class LargeAnswersUnderLoad(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="corvane-load-")
        app = cls.app = App(cls.tmp, bundle=True, package={"main": "load.html"})
        for page in ("load.html", "load.js", "load_worker.js"):
            with open(os.path.join(HERE, "page", page), "rb") as source:
                app.add(page, source.read())
        app.add("parallel.json", json.dumps({"count": PIECES}).encode())
        os.makedirs(os.path.join(app.loose, "p"))
        cls.pieces = [write_pattern_file(os.path.join(app.loose, "p", "%d.bin" % i), PIECE_SIZE, i)
                      for i in range(PIECES)]
        write_tone(os.path.join(app.loose, "tone.wav"), seconds=30)
        cls.large_sha = write_pattern_file(os.path.join(app.loose, "large.bin"), LARGE_SIZE, 5)
        app.pack()
        with open(os.path.join(app.www, "sparse.bin"), "wb") as out:
            out.truncate(SPARSE_SIZE)
            for offset, size in SPARSE_DATA:
                out.seek(offset)
                out.write(pattern_bytes(size, offset % 251))
        app.run(timeout=300)
        cls.results = app.report()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def setUp(self):
        self.assertIsNotNone(self.results, "no report; shell stderr:\n" + self.app.stderr)
        self.assertNotIn("exception", self.results)

    def large(self, status=200):
        return {"status": status, "contentRange": None, "length": LARGE_SIZE, "sha256": self.large_sha}

    def test_pieces_fetched_at_once_all_arrive_while_media_seeks(self):
        self.assertEqual(self.results["parallel"],
                         [{"status": 200, "contentRange": None, "length": PIECE_SIZE, "sha256": sha}
                          for sha in self.pieces])
        self.assertEqual(self.results["seeks"], [25, 5, 15])

    def test_every_kind_of_client_gets_large_answers(self):
        self.assertEqual(self.results["frame"], self.large())
        for client in ("dedicatedWorker", "sharedWorker"):
            self.assertEqual(self.results[client], {k: v for k, v in self.large().items()
                                                    if k != "contentRange"}, client)
        service = self.results["serviceWorker"]
        self.assertEqual(service["state"], "activated")
        self.assertEqual(service["cached"], self.large())
        self.assertEqual(service["fetched"], {k: v for k, v in self.large().items() if k != "contentRange"})

    def test_post_is_answered_as_get_for_every_size(self):
        self.assertEqual(self.results["postLarge"], self.large())
        self.assertEqual(self.results["postSmall"]["status"], 200)

    def test_ranges_past_4_gib_of_a_sparse_loose_file(self):
        for name, first, last in (("farOpen", 5000000000, None), ("farClosed", 4294967000, 4306967295)):
            answer = self.results[name]
            self.assertEqual(answer["status"], 206, name)
            got_first, rest = answer["contentRange"].split(" ")[1].split("-")
            got_last, total = rest.split("/")
            self.assertEqual((int(got_first), int(total)), (first, SPARSE_SIZE), name)
            if last is not None:
                self.assertEqual(int(got_last), last)
            self.assertEqual(answer["length"], int(got_last) + 1 - first, name)
            expected = hashlib.sha256(sparse_bytes(first, int(got_last))).hexdigest()
            self.assertEqual(answer["sha256"], expected, name)
        self.assertEqual(self.app.returncode, 0, self.app.stderr)


if __name__ == "__main__":
    unittest.main()
