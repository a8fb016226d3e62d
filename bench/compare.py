#!/usr/bin/env python3
"""Runs the benchmarks built in BIN_DIR and prints each figure next to its
baseline or bare counterpart, with the goal for the ratio. A missed goal is
reported, never an error: the exit status is 0 unless a run breaks."""

import argparse
import json
import os
import statistics
import subprocess
import sys
import time

# (label, figure, counterpart, goal or None)
IN_PROCESS = [
    ("calculate, flow mode", "Calcola/flow", "BareCalcola/flow", 1.5),
    ("calculate, volume mode", "Calcola/volume", "BareCalcola/volume", 1.5),
    ("calculate, failing input", "Calcola/failing", "BareCalcola/failing", 1.5),
    ("keystroke (digit + Backspace)", "Keystroke", "BareKeystroke", 1.2),
    ("combo pick + recalc / arrow keys", "ComboPick", "BareComboKeys", None),
    ("combo pick + recalc / setCurrentIndex", "ComboPick", "BareComboPick", None),
]


def run_once(path):
    """Wall time (s), CPU time (s) and peak resident memory (KiB) of one run."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        pid = os.posix_spawn(path, [path], os.environ,
                             file_actions=[(os.POSIX_SPAWN_DUP2, null.fileno(), 1),
                                           (os.POSIX_SPAWN_DUP2, null.fileno(), 2)])
        _, status, usage = os.wait4(pid, 0)
        elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"bench: {path} ended with status {os.waitstatus_to_exitcode(status)}")
    return elapsed, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def start_up(bin_dir, runs):
    probe = os.path.join(bin_dir, "quorvela_bench_startup")
    baseline = os.path.join(bin_dir, "quorvela_bench_baseline")
    for path in (probe, baseline):  # warm the caches (fonts, libraries)
        run_once(path)
    samples = {probe: [], baseline: []}
    for i in range(runs):
        # Alternating, and each one first every other time.
        for path in ((probe, baseline) if i % 2 == 0 else (baseline, probe)):
            samples[path].append(run_once(path))

    def medians(path):
        return tuple(statistics.median(s[i] for s in samples[path]) for i in range(3))

    return medians(probe), medians(baseline)


def in_process(bin_dir, repetitions, min_time):
    command = [os.path.join(bin_dir, "quorvela_bench_inprocess"),
               "--benchmark_format=json",
               f"--benchmark_repetitions={repetitions}",
               f"--benchmark_min_time={min_time}",
               "--benchmark_enable_random_interleaving=true",
               "--benchmark_report_aggregates_only=true"]
    result = subprocess.run(command, capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.stderr.write(result.stderr)
        sys.exit(f"bench: the in-process benchmarks ended with status {result.returncode}")
    report = json.loads(result.stdout)
    medians = {}
    for entry in report["benchmarks"]:
        if entry.get("error_occurred"):
            sys.exit(f"bench: {entry['run_name']}: {entry.get('error_message')}")
        if entry.get("aggregate_name") == "median":
            medians[entry["run_name"]] = entry["cpu_time"]  # in ns
    return medians


def verdict(ratio, goal):
    if goal is None:
        return "", "(no goal)"
    return f"<= {goal:.2f}", "ok" if ratio <= goal else "MISSED"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("bin_dir")
    parser.add_argument("--runs", type=int, default=61, help="start-up runs of each program")
    parser.add_argument("--repetitions", type=int, default=15)
    parser.add_argument("--min-time", type=float, default=0.1,
                        help="seconds per in-process repetition")
    args = parser.parse_args()

    began = time.perf_counter()
    (probe_time, probe_cpu, probe_rss), (base_time, base_cpu, base_rss) = \
        start_up(args.bin_dir, args.runs)
    medians = in_process(args.bin_dir, args.repetitions, args.min_time)

    rows = [
        ("start-up to first paint, wall", f"{probe_time * 1e3:.1f} ms",
         f"{base_time * 1e3:.1f} ms", probe_time / base_time, 1.05),
        # Less disturbed by other load than the wall time; for reading it.
        ("start-up to first paint, CPU", f"{probe_cpu * 1e3:.1f} ms",
         f"{base_cpu * 1e3:.1f} ms", probe_cpu / base_cpu, None),
        ("peak memory (ru_maxrss)", f"{probe_rss} KiB", f"{base_rss} KiB",
         probe_rss / base_rss, 1.05),
    ]
    for label, figure, counterpart, goal in IN_PROCESS:
        mine, bare = medians[figure], medians[counterpart]
        rows.append((label, f"{mine / 1e3:.2f} us", f"{bare / 1e3:.2f} us", mine / bare, goal))

    print(f"Medians: start-up over {args.runs} alternating runs of each program; "
          f"in-process CPU time over {args.repetitions} repetitions.")
    header = ("figure", "program", "baseline", "ratio", "goal", "")
    table = [header] + [(label, mine, base, f"{ratio:.2f}", *verdict(ratio, goal))
                        for label, mine, base, ratio, goal in rows]
    widths = [max(len(row[i]) for row in table) for i in range(len(header))]
    for row in table:
        print("  ".join(cell.ljust(width) if i == 0 else cell.rjust(width)
                        for i, (cell, width) in enumerate(zip(row, widths))).rstrip())
    print(f"({time.perf_counter() - began:.0f} s of measurement)")


if __name__ == "__main__":
    main()
