#!/usr/bin/env python3
"""Packer benchmark: `corvane-pack create` against `cp -r` of the same folder.

The folder holds about 2,000 small files (a few of them identical) in nested folders and three
64 MiB files. Each run copies the folder with `cp -r` and packs it, alternately, with the output
removed and the disk synced between runs; both read from a warm page cache. The medians and the
packer's throughput as a multiple of cp's are reported, by wall-clock time and by CPU time (the
steadier figure on a machine that others load too). Every bundle must have the same bytes.

Usage: bench/pack_bench.py [BUILD_DIR] [--runs N] [--work DIR]
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


def make_folder(root):
    rng = random.Random(12)
    total = 0
    small = []
    for i in range(SMALL_FILES):
        folder = os.path.join(root, "app", f"part{i % 40:02d}", f"sub{i % 7}")
        os.makedirs(folder, exist_ok=True)
        if i % 50 == 49:
            data = small[rng.randrange(len(small))]  # a duplicate of an earlier file
        else:
            data = rng.randbytes(rng.randrange(200, 24 * 1024))
            small.append(data)
        with open(os.path.join(folder, f"file{i:04d}.js"), "wb") as out:
            out.write(data)
        total += len(data)
    os.makedirs(os.path.join(root, "media"), exist_ok=True)
    for i in range(LARGE_FILES):
        with open(os.path.join(root, "media", f"video{i}.bin"), "wb") as out:
            for _ in range(LARGE_SIZE // (1 << 20)):
                out.write(rng.randbytes(1 << 20))
        total += LARGE_SIZE
    return total


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
    args = parser.parse_args()

    packer = os.path.abspath(os.path.join(args.build_dir, "tools", "pack", "corvane-pack"))
    if not os.access(packer, os.X_OK):
        sys.exit(f"no packer at {packer}: build the linux-release preset first")

    work = tempfile.mkdtemp(prefix="corvane-pack-bench-", dir=args.work)
    try:
        source = os.path.join(work, "source")
        total = make_folder(source)
        copy = os.path.join(work, "copy")
        bundle = os.path.join(work, "assets.dat")
        print(f"folder: {SMALL_FILES + LARGE_FILES} files, {total / 1e6:.1f} MB; {args.runs} runs")

        cp_runs, pack_runs, digests = [], [], set()
        for run in range(args.runs + 1):  # the first run of each only warms the caches
            subprocess.run(["sync"], check=True)
            cp_run = timed(["cp", "-r", source, copy])
            shutil.rmtree(copy)
            subprocess.run(["sync"], check=True)
            pack_run = timed([packer, "create", source, "-o", bundle])
            digests.add(digest(bundle))
            os.remove(bundle)
            if run > 0:
                cp_runs.append(cp_run)
                pack_runs.append(pack_run)
        if len(digests) != 1:
            sys.exit("the bundle's bytes differed between runs")

        cp_wall = statistics.median(wall for wall, _ in cp_runs)
        pack_wall = statistics.median(wall for wall, _ in pack_runs)
        cp_cpu = statistics.median(cpu for _, cpu in cp_runs)
        pack_cpu = statistics.median(cpu for _, cpu in pack_runs)
        for name, wall, cpu in (("cp -r", cp_wall, cp_cpu), ("corvane-pack create", pack_wall, pack_cpu)):
            print(f"{name:20} median {wall * 1000:7.1f} ms  {total / wall / 1e6:6.0f} MB/s"
                  f"  (CPU {cpu * 1000:6.1f} ms)")
        print(f"packer throughput vs cp -r: {cp_wall / pack_wall:.2f} (CPU time: {cp_cpu / pack_cpu:.2f})")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
