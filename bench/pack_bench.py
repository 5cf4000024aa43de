#!/usr/bin/env python3
"""Packer benchmark: `corvane-pack create` against `cp -r` of the same folder.

The folder holds about 2,000 small files (a few of them identical) in nested folders and three
64 MiB files; with --small-files, 50,000 files of 1 to 16 KiB instead (every 50th a copy of an
earlier one), where sizes collide so often that the packer reads nearly every file for its
duplicate search. Each run copies the folder with `cp -r` and packs it, alternately, with the
output removed and the disk synced between runs; both read from a warm page cache. --baseline
times another build of the packer (a former one, say) in the same runs. The medians and each
packer's throughput as a multiple of cp's are reported, by wall-clock time and by CPU time (the
steadier figure on a machine that others load too). Every bundle must have the same bytes.

Usage: bench/pack_bench.py [BUILD_DIR] [--runs N] [--work DIR] [--small-files] [--baseline PACKER]
BUILD_DIR (default build/linux-release) must hold tools/pack/corvane-pack.
"""

import argparse
import hashlib
import os
import random
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SMALL_FILES = 2000
LARGE_FILES = 3
LARGE_SIZE = 64 * 1024 * 1024
MANY_SMALL_FILES = 50000


def write_small_files(root, rng, count, parts, subs, sizes, name_width):
    """`count` files of random sizes in `sizes` (a range), every 50th a copy of an earlier one,
    spread over `parts` x `subs` folders. Returns their total size."""
    total = 0
    kept = []
    for i in range(count):
        folder = os.path.join(root, "app", f"part{i % parts:02d}", f"sub{i % subs}")
        os.makedirs(folder, exist_ok=True)
        if i % 50 == 49:
            data = kept[rng.randrange(len(kept))]  # a duplicate of an earlier file
        else:
            data = rng.randbytes(rng.randrange(*sizes))
            kept.append(data)
        with open(os.path.join(folder, f"file{i:0{name_width}d}.js"), "wb") as out:
            out.write(data)
        total += len(data)
    return total


def make_small_files(root):
    total = write_small_files(root, random.Random(13), MANY_SMALL_FILES, 100, 5,
                              (1024, 16 * 1024 + 1), 5)
    return MANY_SMALL_FILES, total


def make_folder(root):
    rng = random.Random(12)
    total = write_small_files(root, rng, SMALL_FILES, 40, 7, (200, 24 * 1024), 4)
    os.makedirs(os.path.join(root, "media"), exist_ok=True)
    for i in range(LARGE_FILES):
        with open(os.path.join(root, "media", f"video{i}.bin"), "wb") as out:
            for _ in range(LARGE_SIZE // (1 << 20)):
                out.write(rng.randbytes(1 << 20))
        total += LARGE_SIZE
    return SMALL_FILES + LARGE_FILES, total


def timed(command):
    """Wall-clock seconds and CPU seconds (user + system) of one run of `command`."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def digest(path):
    sha = hashlib.sha256()
    with open(path, "rb") as data:
        for block in iter(lambda: data.read(1 << 20), b""):
            sha.update(block)
    return sha.hexdigest()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default="build/linux-release")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--work", help="folder to work in (default: a new temporary folder)")
    parser.add_argument("--small-files", action="store_true", help="50,000 files of 1 to 16 KiB")
    parser.add_argument("--baseline", help="another corvane-pack to time in the same runs")
    args = parser.parse_args()

    packer = os.path.abspath(os.path.join(args.build_dir, "tools", "pack", "corvane-pack"))
    if not os.access(packer, os.X_OK):
        sys.exit(f"no packer at {packer}: build the linux-release preset first")
    if args.baseline and not os.access(args.baseline, os.X_OK):
        sys.exit(f"no packer at {args.baseline}")

    work = tempfile.mkdtemp(prefix="corvane-pack-bench-", dir=args.work)
    try:
        source = os.path.join(work, "source")
        count, total = (make_small_files if args.small_files else make_folder)(source)
        copy = os.path.join(work, "copy")
        bundle = os.path.join(work, "assets.dat")
        print(f"folder: {count} files, {total / 1e6:.1f} MB; {args.runs} runs")

        def copy_once():
            result = timed(["cp", "-r", source, copy])
            shutil.rmtree(copy)
            return result

        def pack_once(binary):
            result = timed([binary, "create", source, "-o", bundle])
            digests.add(digest(bundle))
            os.remove(bundle)
            return result

        sides = [("cp -r", copy_once), ("corvane-pack create", lambda: pack_once(packer))]
        if args.baseline:
            sides.append(("baseline packer", lambda: pack_once(os.path.abspath(args.baseline))))
        runs, digests = {name: [] for name, _ in sides}, set()
        for run in range(args.runs + 1):  # the first run of each only warms the caches
            for name, once in sides[run % len(sides):] + sides[:run % len(sides)]:
                subprocess.run(["sync"], check=True)
                result = once()
                if run > 0:
                    runs[name].append(result)
        if len(digests) != 1:
            sys.exit("the bundle's bytes differed between runs")

        wall = {name: statistics.median(w for w, _ in runs[name]) for name in runs}
        cpu = {name: statistics.median(c for _, c in runs[name]) for name in runs}
        for name in runs:
            print(f"{name:20} median {wall[name] * 1000:7.1f} ms  {total / wall[name] / 1e6:6.0f} MB/s"
                  f"  (CPU {cpu[name] * 1000:6.1f} ms)")
        for name in list(runs)[1:]:
            print(f"{name} throughput vs cp -r: {wall['cp -r'] / wall[name]:.2f}"
                  f" (CPU time: {cpu['cp -r'] / cpu[name]:.2f})")
        if args.baseline:
            print(f"packer time vs baseline: {wall['corvane-pack create'] / wall['baseline packer']:.2f}"
                  f" (CPU time: {cpu['corvane-pack create'] / cpu['baseline packer']:.2f})")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
