#!/usr/bin/env python3
"""End-to-end checks of corvane-pack: a real folder packed, listed, verified and extracted byte
for byte; duplicates stored once; hostile entry paths refused; bad bundles answered with one line.

Bundles with hostile contents are written here with an independent encoder of the format, so the
packer's reader is also checked against a second writer.

usage: pack_round_trip_test.py --pack PATH [--emulator WRAPPER]
With an emulator (Wine), paths handed to the packer are given as Z: drive paths.
"""

import argparse
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

failures = []
passed = 0


def check(condition, what):
    global passed
    passed += bool(condition)
    if not condition:
        failures.append(what)
        print("FAIL:", what)


class Packer:
    def __init__(self, exe, emulator):
        self.command = ([emulator] if emulator else []) + [exe]
        self.windows = bool(emulator)

    def arg(self, path):
        if self.windows and path.startswith("/"):
            return "Z:" + path.replace("/", "\\")
        return path

    def run(self, *args):
        mapped = [self.arg(a) if a.startswith("/") else a for a in args]
        result = subprocess.run(self.command + mapped, capture_output=True, timeout=120)
        return result.returncode, result.stdout.decode("utf-8", "replace"), result.stderr.decode("utf-8", "replace")


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def read(path):
    with open(path, "rb") as source:
        return source.read()


def encode_bundle(entries, blob, chunk_offset=16):
    """entries: list of (path bytes, offset, size)."""
    directory = struct.pack(">I", len(entries))
    for path, offset, size in entries:
        directory += struct.pack(">IIQQQBI", 0, 0, offset, size, 0, 0, len(path)) + path
    header = b"z9ab" + struct.pack(">III", 0, chunk_offset, 0)
    return (header + b"blob" + struct.pack(">Q", len(blob)) + blob +
            b"fdir" + struct.pack(">Q", len(directory)) + directory)


def make_source(root):
    files = {
        "index.html": b"<!doctype html><title>t</title>\n",
        "js/app.js": b"console.log('hi');\n" * 50,
        "js/vendor/lib.min.js": b"var x=1;",
        "copies/one.bin": bytes(range(256)) * 40,
        "copies/deep/two.bin": bytes(range(256)) * 40,
        "three.bin": bytes(range(256)) * 40,
        "empty.txt": b"",
        "nested/empty/also-empty": b"",
        "caf\u00e9/\u65e5\u672c\u8a9e \u00fcber.txt": b"non-ascii\0with zero",
        "with space/a b.css": b"body{}",
    }
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write(path, data)
    return files


def single_line_error(code, err, name, what):
    lines = [l for l in err.splitlines() if l.strip()]
    check(code not in (0, None) and code < 128, f"{what}: non-zero exit without a crash (got {code})")
    check(len(lines) == 1, f"{what}: exactly one line on stderr (got {lines!r})")
    if lines:
        check(lines[0].startswith("corvane-pack: "), f"{what}: message starts with the tool name ({lines[0]!r})")
        check(name in lines[0], f"{what}: message names {name!r} ({lines[0]!r})")
    return lines[0] if lines else ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pack", required=True)
    parser.add_argument("--emulator", default="")
    options = parser.parse_args()
    pack = Packer(options.pack, options.emulator)
    work = tempfile.mkdtemp(prefix="corvane-pack-test-")
    try:
        run_all(pack, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


def run_all(pack, work):
    src = os.path.join(work, "src")
    os.makedirs(src)
    files = make_source(src)
    bundle = os.path.join(work, "out", "assets.dat")
    os.makedirs(os.path.dirname(bundle))

    # create
    code, out, err = pack.run("create", src, "-o", bundle)
    check(code == 0, f"create succeeds ({code}, {err!r})")
    check(err == "", f"no progress output when stderr is not a terminal ({err!r})")
    check(os.listdir(os.path.dirname(bundle)) == ["assets.dat"], "only the bundle is left beside it")

    # verify
    code, out, err = pack.run("verify", bundle)
    check(code == 0 and "ok" in out, f"verify accepts the new bundle ({code}, {out!r}, {err!r})")

    # list --json: sorted, duplicates share bytes, sizes right
    code, out, err = pack.run("list", bundle, "--json")
    check(code == 0, f"list --json succeeds ({err!r})")
    listing = json.loads(out)
    paths = [e["path"] for e in listing]
    check(paths == sorted(files, key=lambda p: p.encode("utf-8")), f"entries sorted by bytes: {paths}")
    by_path = {e["path"]: e for e in listing}
    for name, data in files.items():
        check(by_path.get(name, {}).get("size") == len(data), f"size of {name}")
    dup = [by_path[p]["offset"] for p in ("copies/one.bin", "copies/deep/two.bin", "three.bin")]
    check(len(set(dup)) == 1, f"identical files share one offset: {dup}")
    unique = set(files.values())
    directory = 4 + sum(37 + len(p.encode("utf-8")) for p in files)
    expected = 16 + 12 + sum(len(d) for d in unique) + 12 + directory
    check(os.path.getsize(bundle) == expected,
          f"identical contents stored once: bundle is {os.path.getsize(bundle)} bytes, expected {expected}")

    # plain list: one line per entry, path, size, offset
    code, out, err = pack.run("list", bundle)
    rows = [line.split("\t") for line in out.splitlines()]
    check(code == 0 and len(rows) == len(files), "list prints one line per entry")
    check(all(len(r) == 3 and int(r[1]) == by_path[r[0]]["size"] and int(r[2]) == by_path[r[0]]["offset"]
              for r in rows), f"list rows are path, size, offset: {rows[:3]}")

    # extract and compare byte for byte
    extracted = os.path.join(work, "extracted")
    code, out, err = pack.run("extract", bundle, extracted)
    check(code == 0, f"extract succeeds ({code}, {err!r})")
    diff = subprocess.run(["diff", "-r", src, extracted], capture_output=True, text=True)
    check(diff.returncode == 0, f"extracted tree equals the source: {diff.stdout}{diff.stderr}")

    # the same folder gives the same bytes
    again = os.path.join(work, "again.dat")
    pack.run("create", src, "-o", again)
    check(read(bundle) == read(again), "packing the same folder twice gives identical bundles")

    # names that differ only in case: two files on Linux, a refusal where the file system folds
    # them together (Windows) instead of one silently replacing the other
    cased = os.path.join(work, "cased.dat")
    write(cased, encode_bundle([(b"Case.txt", 0, 5), (b"case.txt", 5, 5)], b"upperlower"))
    cased_dir = os.path.join(work, "cased")
    code, out, err = pack.run("extract", cased, cased_dir)
    if pack.windows:
        line = single_line_error(code, err, "case.txt", "extract of names that differ in case")
        check("refused" in line, f"the collision is refused ({line!r})")
        check(read(os.path.join(cased_dir, "Case.txt")) == b"upper", "the first file is kept")
    else:
        check(code == 0, f"extract of names that differ in case ({err!r})")
        for name, data in (("Case.txt", b"upper"), ("case.txt", b"lower")):
            check(read(os.path.join(cased_dir, name)) == data, f"{name} keeps its own bytes")

    # a bundle written inside the folder it packs leaves itself out
    inside = os.path.join(src, "assets.dat")
    pack.run("create", src, "-o", inside)
    code, out, err = pack.run("create", src, "-o", inside)
    code2, out2, _ = pack.run("list", inside, "--json")
    check(code == 0 and "assets.dat" not in [e["path"] for e in json.loads(out2 or "[]")],
          "the output file is not packed into itself")
    os.remove(inside)

    # a failed create leaves an existing bundle untouched and no partial file
    before = read(bundle)
    code, out, err = pack.run("create", os.path.join(work, "no-such-folder"), "-o", bundle)
    single_line_error(code, err, "no-such-folder", "create from a missing folder")
    check(read(bundle) == before, "a failed create leaves the old bundle as it was")
    check(os.listdir(os.path.dirname(bundle)) == ["assets.dat"], "a failed create leaves no partial file")
    code, out, err = pack.run("create", src, "-o", os.path.join(work, "missing-dir", "x.dat"))
    single_line_error(code, err, "x.dat", "create into a missing folder")

    if not pack.windows:
        odd = os.path.join(work, "odd")
        os.makedirs(odd)
        write(os.path.join(odd.encode(), b"bad-\xff-name"), b"x")
        code, out, err = pack.run("create", odd, "-o", os.path.join(work, "odd.dat"))
        line = single_line_error(code, err, "bad-", "create with a file name that is not UTF-8")
        check("UTF-8" in line, f"the message says why ({line!r})")

    # hostile entry paths are refused before anything is written
    hostile = [b"../evil.txt", b"a/../../evil.txt", b"/abs/evil.txt", b"C:/evil.txt", b"c:evil.txt",
               b"a\\..\\evil.txt", b"a//b.txt", b"a/", b"", b"./a.txt", b"a/./b.txt", b"a/.."]
    for index, path in enumerate(hostile):
        name = f"hostile{index}.dat"
        target = os.path.join(work, name)
        write(target, encode_bundle([(b"fine.txt", 0, 2), (path, 0, 2)], b"ok"))
        dest = os.path.join(work, f"dest{index}")
        code, out, err = pack.run("extract", target, dest)
        line = single_line_error(code, err, name, f"extract refuses {path!r}")
        check("refused" in line, f"the message says the entry was refused ({line!r})")
        check(not os.path.exists(dest) or os.listdir(dest) == [], f"nothing written for {path!r}")
    check(not os.path.exists(os.path.join(work, "evil.txt")), "nothing escaped the target folder")

    # an existing symbolic link inside the target folder is not followed
    if not pack.windows:
        linked = os.path.join(work, "linked")
        outside = os.path.join(work, "outside")
        os.makedirs(linked)
        os.makedirs(outside)
        os.symlink(outside, os.path.join(linked, "sub"))
        target = os.path.join(work, "through-link.dat")
        write(target, encode_bundle([(b"sub/x.txt", 0, 2)], b"ok"))
        code, out, err = pack.run("extract", target, linked)
        single_line_error(code, err, "sub", "extract through a symbolic link")
        check(os.listdir(outside) == [], "nothing written through the link")

    # bad bundles: one line naming the file and the reader's message, non-zero exit
    good = encode_bundle([(b"a.txt", 0, 2)], b"ok")
    bad = {
        "empty.dat": (b"", "bundle read error"),
        "magic.dat": (b"z9aB" + good[4:], "bad format"),
        "version.dat": (good[:4] + struct.pack(">I", 1) + good[8:], "unsupported version"),
        "short.dat": (good[:-3], "bad chunk"),
        "tail.dat": (good + b"xyz", "bundle read error"),
        "noblob.dat": (b"z9ab" + struct.pack(">III", 0, 16, 0), "missing blob chunk"),
        "range.dat": (encode_bundle([(b"a.txt", 1, 2)], b"ok"), "bad file entry"),
        "huge.dat": (b"z9ab" + struct.pack(">III", 0, 16, 0) + b"blob" + struct.pack(">Q", 2**64 - 1), "bad chunk"),
        "noise.dat": (bytes((i * 37 + 11) % 256 for i in range(4096)), "bad format"),
    }
    for name, (data, message) in bad.items():
        target = os.path.join(work, name)
        write(target, data)
        for command in (["verify", target], ["list", target], ["list", target, "--json"],
                        ["extract", target, os.path.join(work, "never")]):
            code, out, err = pack.run(*command)
            line = single_line_error(code, err, name, f"{command[0]} of {name}")
            check(line.endswith(": " + message), f"{command[0]} of {name} gives {message!r} ({line!r})")
            check(out == "", f"{command[0]} of {name} prints nothing on stdout")
    check(not os.path.exists(os.path.join(work, "never")), "extract of a bad bundle creates nothing")

    code, out, err = pack.run("verify", os.path.join(work, "missing.dat"))
    single_line_error(code, err, "missing.dat", "verify of a missing file")
    code, out, err = pack.run("verify", src)
    single_line_error(code, err, "src", "verify of a folder")

    # usage errors
    for args in ([], ["frobnicate"], ["create", src], ["list"], ["extract", bundle]):
        code, out, err = pack.run(*args)
        check(code == 2 and err.startswith("corvane-pack: ") and "usage:" in err,
              f"usage error for {args} ({code}, {err!r})")


if __name__ == "__main__":
    sys.exit(main())
