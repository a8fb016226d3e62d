#!/usr/bin/env python3
"""Start-up to first paint of the Windows program against the bare Win32
baseline, both under Wine: alternating runs, medians, and the ratio as the
median of the ratios of runs side by side, with their quartiles as its
spread. The goal is a ratio of at most 1.05; a missed goal is printed, never
an error.

usage: startup.py BENCH_DIR [--runs N] [--wine WRAPPER]"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import ratios  # noqa: E402  (bench/ratios.py)


def run_once(command):
    start = time.perf_counter()
    result = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            check=False)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit(f"bench: {command[-1]} ended with status {result.returncode}")
    return elapsed


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("bench_dir")
    parser.add_argument("--runs", type=int, default=61, help="runs of each program")
    parser.add_argument("--wine", default=os.path.join(os.path.dirname(__file__), "..", "..",
                                                       "scripts", "wine-run.sh"))
    args = parser.parse_args()
    probe = [args.wine, os.path.join(args.bench_dir, "quorvela_bench_startup.exe")]
    baseline = [args.wine, os.path.join(args.bench_dir, "quorvela_bench_baseline.exe")]
    for command in (probe, baseline):  # warm Wine's and the fonts' caches
        run_once(command)
    samples = {"probe": [], "baseline": []}
    for i in range(args.runs):
        order = (("probe", probe), ("baseline", baseline))
        for name, command in order if i % 2 == 0 else reversed(order):
            samples[name].append(run_once(command))
    mine = statistics.median(samples["probe"])
    base = statistics.median(samples["baseline"])
    ratio, q1, q3 = ratios.summary(ratios.paired(samples["probe"], samples["baseline"]))
    print(f"start-up to first paint under Wine, medians of {args.runs} alternating runs:")
    print(f"  quorvela    {mine * 1e3:8.1f} ms")
    print(f"  bare Win32  {base * 1e3:8.1f} ms")
    print(f"  ratio       {ratio:8.3f}   spread {ratios.spread(q1, q3)}   "
          f"goal <= 1.05: {'ok' if ratio <= 1.05 else 'MISSED'}")
    print(f"  (ratio of the medians {mine / base:.3f})")


if __name__ == "__main__":
    main()
