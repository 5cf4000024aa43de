#!/usr/bin/env python3
"""corvane-pack end to end; hostile bundles come from an encoder of our own, a second writer for
the packer's reader.  usage: pack_round_trip_test.py --pack=PATH [--emulator=WRAPPER (Wine)]"""

import json
import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
from rig import Checks, read, write  # noqa: E402

OPTIONS = dict(arg.split("=", 1) for arg in sys.argv[1:])
PACK, EMULATOR = OPTIONS["--pack"], OPTIONS.get("--emulator", "")
WINDOWS = bool(EMULATOR)
FILES = {"index.html": b"<!doctype html><title>t</title>\n", "js/app.js": b"console.log('hi');\n" * 50,
         "js/vendor/lib.min.js": b"var x=1;", "copies/one.bin": bytes(range(256)) * 40,
         "copies/deep/two.bin": bytes(range(256)) * 40, "three.bin": bytes(range(256)) * 40, "empty.txt": b"",
         "copies/near.bin": bytes(range(256)) * 39 + bytes(range(255, -1, -1)),  # their size, not their bytes
         "nested/empty/also-empty": b"", "caf\u00e9/\u65e5\u672c\u8a9e \u00fcber.txt": b"non-ascii\0with zero",
         "with space/a b.css": b"body{}", "long/" + "n" * 245 + ".txt": b"a name near the 255-byte limit"}
checks = Checks()
check, equal = checks.expect, checks.equal


def encode_bundle(entries, blob):
    """entries: (path bytes, offset, size)."""
    directory = struct.pack(">I", len(entries)) + b"".join(
        struct.pack(">IIQQQBI", 0, 0, offset, size, 0, 0, len(path)) + path for path, offset, size in entries)
    return (b"z9ab" + struct.pack(">III", 0, 16, 0) + b"blob" + struct.pack(">Q", len(blob)) + blob
            + b"fdir" + struct.pack(">Q", len(directory)) + directory)


def pack(*args, cwd=None):
    args = ["Z:" + a.replace("/", "\\") if WINDOWS and a.startswith("/") else a for a in args]
    done = subprocess.run(([EMULATOR] if WINDOWS else []) + [PACK, *args], capture_output=True,
                          timeout=120, cwd=cwd)
    return done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode("utf-8", "replace")


def listed(bundle):
    return [e["path"] for e in json.loads(pack("list", bundle, "--json")[1] or "[]")]


def one_line_error(args, name, what):
    code, out, err = pack(*args)
    lines = [line for line in err.splitlines() if line.strip()]
    check(code not in (0, None) and code < 128, f"{what}: non-zero exit without a crash (got {code})")
    check(len(lines) == 1 and lines[0].startswith("corvane-pack: ") and name in lines[0],
          f"{what}: one line on stderr, starting with the tool's name, naming {name!r}: {lines!r}")
    return (lines or [""])[0], out


def run_all(work):
    def at(*parts):
        return os.path.join(work, *parts)

    src, bundle = at("src"), at("out", "assets.dat")
    for name, data in FILES.items():
        write(os.path.join(src, name), data)
    os.makedirs(os.path.dirname(bundle))
    code, out, err = pack("create", src, "-o", bundle)
    check(code == 0 and err == "", f"create succeeds, no progress when stderr is no terminal ({code}, {err!r})")
    equal(os.listdir(os.path.dirname(bundle)), ["assets.dat"], "what create leaves beside the bundle")
    code, out, err = pack("verify", bundle)
    check(code == 0 and "ok" in out, f"verify accepts the new bundle ({code}, {out!r}, {err!r})")

    code, out, err = pack("list", bundle, "--json")
    listing = json.loads(out) if code == 0 else []
    paths, by_path = [e["path"] for e in listing], {e["path"]: e for e in listing}
    equal(paths, sorted(FILES, key=lambda p: p.encode("utf-8")), "list --json: entries sorted by bytes")
    equal({p: e["size"] for p, e in by_path.items()}, {p: len(d) for p, d in FILES.items()}, "sizes")
    expected = 16 + 12 + sum(map(len, set(FILES.values()))) + 12 + 4 + sum(37 + len(p.encode()) for p in FILES)
    equal(os.path.getsize(bundle), expected, "bundle size with every content stored once")
    code, out, err = pack("list", bundle)
    rows = sorted([p, str(e["size"]), str(e["offset"])] for p, e in by_path.items())
    equal((code, sorted(line.split("\t") for line in out.splitlines())), (0, rows), "list rows")

    code, out, err = pack("extract", bundle, at("extracted"))
    diff = subprocess.run(["diff", "-r", src, at("extracted")], capture_output=True, text=True)
    check(code == 0 and diff.returncode == 0, f"extracted tree equals the source: {err}{diff.stdout}{diff.stderr}")

    # Names differing only in case: two files, or refused where the file system folds them (Windows).
    write(at("cased.dat"), encode_bundle([(b"Case.txt", 0, 5), (b"case.txt", 5, 5)], b"upperlower"))
    if WINDOWS:
        line, _ = one_line_error(["extract", at("cased.dat"), at("cased")], "case.txt", "case collision")
        check("refused" in line and read(at("cased", "Case.txt")) == b"upper", f"refused, first kept: {line}")
    else:
        code, out, err = pack("extract", at("cased.dat"), at("cased"))
        check(code == 0 and [read(at("cased", n)) for n in ("Case.txt", "case.txt")] == [b"upper", b"lower"],
              f"names that differ in case keep their own bytes ({err!r})")

    # A bundle written inside the folder it packs leaves out itself and a killed run's leftover.
    inside, leftover = os.path.join(src, "assets.dat"), os.path.join(src, ".assets.dat.partial-4242")
    pack("create", src, "-o", inside)
    write(leftover, b"half a bundle")
    for cwd, args in ((None, (src, "-o", inside)), (src, (".", "-o", "assets.dat"))):
        code, _, err = pack("create", *args, cwd=cwd)
        equal((code, listed(inside)), (0, paths), f"packing its own folder ({args}, {err!r})")
    os.remove(inside)
    os.remove(leftover)
    # An entry named like the bundle, extracted beside it, must not overwrite what is being read.
    write(at("own", "assets.dat"), before := encode_bundle([(b"assets.dat", 0, 3)], b"new"))
    one_line_error(["extract", at("own", "assets.dat"), at("own")], "assets.dat", "extract over its own bundle")
    check(read(at("own", "assets.dat")) == before, "the bundle being extracted is left as it was")


    before = read(bundle)
    one_line_error(["create", at("no-such-folder"), "-o", bundle], "no-such-folder", "missing folder")
    check(read(bundle) == before and os.listdir(os.path.dirname(bundle)) == ["assets.dat"],
          "a failed create leaves the old bundle as it was and no partial file")
    line, _ = one_line_error(["create", src, "-o", at("missing-dir", "x.dat")], "x.dat", "into a missing folder")
    check("missing-dir does not exist" in line and ".partial" not in line, f"the message says why ({line!r})")
    if not WINDOWS:
        write(os.path.join(work.encode(), b"odd", b"bad-\xff-name"), b"x")
        line, _ = one_line_error(["create", at("odd"), "-o", at("odd.dat")], "bad-", "a file name that is not UTF-8")
        check("UTF-8" in line, f"the message says why ({line!r})")
        # Nor is a name that extract would refuse (a backslash is a separator on Windows).
        write(at("slash", "back\\slash.txt"), b"x")
        line, _ = one_line_error(["create", at("slash"), "-o", at("slash.dat")], "slash.txt", "a name extract refuses")
        check("backslash" in line, f"the message says why ({line!r})")
        # Nor is a named pipe opened (that would wait for a writer for good).
        os.makedirs(at("piped"))
        os.mkfifo(at("piped", "index.html"))
        one_line_error(["extract", bundle, at("piped")], "index.html", "extract onto a named pipe")
        # An existing symbolic link inside the target folder is not followed.
        os.makedirs(at("linked"))
        os.makedirs(at("outside"))
        os.symlink(at("outside"), at("linked", "sub"))
        write(at("through-link.dat"), encode_bundle([(b"sub/x.txt", 0, 2)], b"ok"))
        one_line_error(["extract", at("through-link.dat"), at("linked")], "sub", "extract through a symbolic link")
        check(os.listdir(at("outside")) == [], "nothing written through the link")
        # Nor does create enter it.
        write(at("outside", "secret.txt"), b"s")
        write(at("linked", "own.txt"), b"o")
        pack("create", at("linked"), "-o", at("linked.dat"))
        equal(listed(at("linked.dat")), ["own.txt"], "what is packed beside a linked folder")
        # A linked file stops the run: it could bring any file of the machine into the bundle.
        os.symlink(at("outside", "secret.txt"), at("linked", "leak.txt"))
        line, _ = one_line_error(["create", at("linked"), "-o", at("leak.dat")], "leak.txt", "a linked file")
        check("symbolic link" in line and not os.path.exists(at("leak.dat")),
              f"a linked file is refused and no bundle made ({line!r})")
        # Writing failing half way (at a size limit, its signal ignored) leaves a folder as it was.
        write(at("big.dat"), encode_bundle([(b"big.bin", 0, 300000)], b"n" * 300000))
        write(at("kept", "big.bin"), b"old")
        os.makedirs(at("fresh"))
        limit = 'trap "" XFSZ; ulimit -f 100; exec "$0" "$@"'
        for folder, files in (("kept", {"big.bin": b"old"}), ("fresh", {})):
            code = subprocess.run(["sh", "-c", limit, PACK, "extract", at("big.dat"), at(folder)],
                                  capture_output=True).returncode
            found = {name: read(at(folder, name)) for name in os.listdir(at(folder))}
            equal((code, found), (1, files), f"extract into {folder}, past the limit")

    # Hostile entry paths are refused before anything is written.
    for index, path in enumerate([b"../evil.txt", b"a/../../evil.txt", b"/abs/evil.txt", b"C:/evil.txt", b"c:evil.txt",
                                  b"a\\..\\evil.txt", b"a//b.txt", b"a/", b"", b"./a.txt", b"a/./b.txt", b"a/.."]):
        target, dest = at(f"hostile{index}.dat"), at(f"dest{index}")
        write(target, encode_bundle([(b"fine.txt", 0, 2), (path, 0, 2)], b"ok"))
        line, _ = one_line_error(["extract", target, dest], f"hostile{index}.dat", f"extract refuses {path!r}")
        check("refused" in line and (not os.path.exists(dest) or os.listdir(dest) == []), f"{path!r}: {line!r}")
    check(not os.path.exists(at("evil.txt")), "nothing escaped the target folder")

    # Every command reports the reader's message (its cases are the reader's own tests).
    write(at("range.dat"), encode_bundle([(b"a.txt", 1, 2)], b"ok"))
    for args in (["verify"], ["list"], ["list", "--json"], ["extract", at("never")]):
        line, out = one_line_error([args[0], at("range.dat"), *args[1:]], "range.dat", f"{args[0]} of a bad bundle")
        check(line.endswith(": bad file entry") and out == "", f"{args}: 'bad file entry', not {line!r} {out!r}")
    one_line_error(["verify", at("missing.dat")], "missing.dat", "verify of a missing file")
    for args in ([], ["frobnicate"], ["create", src], ["list"], ["extract", bundle]):
        code, out, err = pack(*args)
        check(code == 2 and err.startswith("corvane-pack: ") and "usage:" in err, f"usage error for {args} ({err!r})")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="corvane-pack-test-") as folder:
        run_all(folder)
    for failure in checks.failures:
        print("FAIL:", failure)
    print(f"{len(checks.failures)} failed")
    sys.exit(1 if checks.failures else 0)
