"""scripts/package: refusals, and one run at a time.
CORVANE_PACK names the corvane-pack to validate with."""

import fcntl
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), "scripts", "package")
SHELL_MESSAGE = "Failed to parse package.json. Check the file has valid JSON"


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def package_json(text):
    return lambda app: write(os.path.join(app, "package.json"), text)


# name: change to the good app folder, extra options, dist as "file" / "missing" / "kept", text the
# one line must contain ("{app}" / "{dist}" stand for the paths)
CASES = {
    "no package.json": (lambda app: os.remove(os.path.join(app, "package.json")), [], "missing",
                        "{app}/package.json: not found"),
    "invalid JSON": (package_json('{"name": "x",}'), [], "kept", "{app}/package.json: " + SHELL_MESSAGE),
    "unusable version": (package_json('{"name": "a", "version": "1.x"}'), [], "missing",
                         '{app}/package.json: "version" must be'),
    "name of a shipped file": (package_json('{"name": "www"}'), [], "missing",
                               '{app}/package.json: "name" \'www\' is also a file'),
    "the browser's name": (package_json('{"name": "chromium"}'), [], "missing",
                           '{app}/package.json: "name" \'chromium\' is the browser\'s own command'),
    "no www": (lambda app: shutil.rmtree(os.path.join(app, "www")), [], "missing", "{app}/www: not found"),
    "a bundle in www": (lambda app: write(os.path.join(app, "www", "assets.dat"), "old"), [], "missing",
                        "{app}/www/assets.dat: a bundle already"),
    "missing icon": (lambda app: os.remove(os.path.join(app, "icon.png")), [], "kept", "{app}/icon.png: not found"),
    "icon not an image": (lambda app: write(os.path.join(app, "icon.png"), "not an image"), [], "missing",
                          "{app}/icon.png: not an image"),
    "unwritable dist": (lambda app: None, [], "file", "{dist}: cannot write archives there"),
    "no loader": (lambda app: None, ["--target", "windows"], "missing", "WebView2Loader.dll: not given"),
    "loader not found": (lambda app: None, ["--loader", "nowhere/WebView2Loader.dll"], "missing",
                         "nowhere/WebView2Loader.dll: not found"),
    # corvane-pack itself passes over a linked folder; the archive would lack what it holds.
    "a linked folder in www": (lambda app: (os.makedirs(os.path.join(app, "shared", "img")),
                                            os.symlink(os.path.join(app, "shared", "img"), os.path.join(app, "www", "img"))),
                               [], "missing", "{app}/www/img: refused, it is a symbolic link"),
}


class PackageRefusals(unittest.TestCase):
    def test_each_bad_input_is_refused_in_one_line_leaving_dist_as_it_was(self):
        for name, (spoil, options, dist_state, expected) in CASES.items():
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                app, dist = os.path.join(root, "app"), os.path.join(root, "dist")
                os.makedirs(os.path.join(app, "www"))
                write(os.path.join(app, "www", "index.html"), "<!doctype html><p>hi</p>\n")
                write(os.path.join(app, "package.json"), json.dumps({"name": "refused", "window": {"icon": "icon.png"}}))
                subprocess.run(["convert", "-size", "16x16", "xc:red", os.path.join(app, "icon.png")], check=True)
                spoil(app)
                if dist_state == "file":
                    write(os.path.join(root, "plain file"), "x")
                    dist = os.path.join(root, "plain file", "dist")
                elif dist_state == "kept":
                    os.makedirs(dist)
                    write(os.path.join(dist, "older.zip"), "older")
                listing = lambda: (sorted(os.listdir(root)), os.path.isdir(dist) and sorted(os.listdir(dist)))  # noqa
                before = listing()
                target = [] if "--target" in options or "--loader" in options else ["--target", "linux"]
                done = subprocess.run([sys.executable, SCRIPT, app, "-o", dist] + target + options,
                                      capture_output=True, text=True, timeout=120)
                self.assertEqual((done.returncode, len(done.stderr.splitlines())), (1, 1), done.stderr)
                self.assertIn(expected.format(app=app, dist=dist), done.stderr)
                self.assertEqual(listing(), before, "the output folder changed")


class OneRunAtATime(unittest.TestCase):
    def test_a_second_run_waits_before_touching_the_build(self):
        lock_path = os.path.join(os.path.dirname(os.path.dirname(SCRIPT)), "build", "package.lock")
        os.makedirs(os.path.dirname(lock_path), exist_ok=True)
        with tempfile.TemporaryDirectory() as root:
            app = os.path.join(root, "app")
            os.makedirs(os.path.join(app, "www"))
            write(os.path.join(app, "www", "index.html"), "<p>hi</p>\n")
            write(os.path.join(app, "package.json"), json.dumps({"name": "waiting"}))
            # The packer is the first thing a run uses once it holds the lock.
            used, pack = os.path.join(root, "pack-used"), os.path.join(root, "pack")
            write(pack, f'#!/bin/sh\ntouch "{used}"\nexit 1\n')
            os.chmod(pack, 0o755)
            with open(lock_path, "w") as held:
                fcntl.flock(held, fcntl.LOCK_EX)  # as a first run holds it
                second = subprocess.Popen([sys.executable, SCRIPT, app, "-o", os.path.join(root, "dist"), "--target",
                                           "linux"], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                          env=dict(os.environ, CORVANE_PACK=pack))
                self.addCleanup(second.kill)
                self.assertEqual(second.stdout.readline(),
                                 "package: waiting for another packaging run in this checkout to finish\n")
                time.sleep(2)
                self.assertFalse(os.path.exists(used), "the second run went on while the lock was held")
            second.communicate(timeout=60)
            self.assertTrue(os.path.exists(used), "the second run did not go on once the lock was free")


if __name__ == "__main__":
    unittest.main()
