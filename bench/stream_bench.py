#!/usr/bin/env python3
"""Constant-memory serving on Windows, under Wine: drives streambench.exe (bench/stream_bench_win.cpp)
and reports, as medians of several runs,

- the increase of the process's private memory while a 1 GiB bundle entry is answered whole and
  read to its end (the body still held), for the mapped view the shell hands over and for the
  former copy into a memory stream;
- the time to answer a 64 KiB and a 1 GiB entry (answer and body stream), and their ratio.

Private memory is the process's RssAnon (heap and every copy it makes), read from
/proc/<pid>/status: Wine reports none from inside the program. Pages of the mapped bundle count
as RssFile, shared with the page cache.

Usage: bench/stream_bench.py [BUILD_DIR] [--runs N] [--bundle PATH]
BUILD_DIR (default build/windows-release) must hold bench/streambench.exe; the 1 GiB bundle is
written once (default BUILD_DIR/bench/stream-bench.dat) and reused.
"""

import argparse
import collections
import os
import statistics
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXE = "streambench.exe"
MIB = 1 << 20


def private_bytes(name):
    """RssAnon of the newest process whose command name is `name`, in bytes."""
    pids = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/comm") as f:
                if f.read().strip() == name[:15]:
                    pids.append(int(pid))
        except OSError:
            pass
    if not pids:
        sys.exit(f"no process named {name}")
    with open(f"/proc/{max(pids)}/status") as f:
        fields = dict(line.split(":", 1) for line in f)
    return int(fields["RssAnon"].split()[0]) * 1024


def run_once(exe, bundle):
    """One run: its timings and its memory at each point, by label."""
    figures = {}
    process = subprocess.Popen([os.path.join(REPO, "scripts", "wine-run"), exe, bundle],
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    for line in process.stdout:
        words = line.split()
        if words[:1] == ["measure"]:
            figures["rss " + words[1]] = private_bytes(EXE)
            process.stdin.write("\n")
            process.stdin.flush()
        elif words:
            figures[" ".join(words[:-1])] = float(words[-1])
    if process.wait() != 0:
        sys.exit(f"{EXE} failed with exit code {process.returncode}")
    for way in ("view", "copy"):
        figures[f"private {way}"] = figures[f"rss {way}-read"] - figures[f"rss {way}-before"]
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", nargs="?", default=os.path.join(REPO, "build", "windows-release"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--bundle")
    args = parser.parse_args()
    exe = os.path.join(args.build, "bench", EXE)
    bundle = args.bundle or os.path.join(args.build, "bench", "stream-bench.dat")
    runs = collections.defaultdict(list)
    for _ in range(args.runs):
        for key, value in run_once(exe, "Z:" + os.path.abspath(bundle).replace("/", "\\")).items():
            runs[key].append(value)
    m = {key: statistics.median(values) for key, values in runs.items()}
    print(f"medians of {args.runs} runs")
    for way, before in (("view", "mapped view (now)"), ("copy", "memory stream copy (before)")):
        print(f"1 GiB answered and read, {before}: private memory +{m['private ' + way] / MIB:.1f} MiB, "
              f"read at {m['read-mbps ' + way]:.0f} MB/s")
        small, large = m[f"answer-ns small {way}"], m[f"answer-ns large {way}"]
        print(f"  answer time: 64 KiB {small / 1e3:.1f} us, 1 GiB {large / 1e3:.1f} us "
              f"({large / small:.2f} times)")
    within = m["private view"] <= 16 * MIB and m["answer-ns large view"] <= 2 * m["answer-ns small view"]
    print("within the goals (at most 16 MiB, within 2 times)" if within else "OUTSIDE the goals")
    return 0 if within else 1


if __name__ == "__main__":
    sys.exit(main())
