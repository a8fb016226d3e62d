#!/usr/bin/env python3
"""Runs the benchmarks built in BIN_DIR and prints each figure next to its
baseline or bare counterpart, with the goal for the ratio. A missed goal is
reported, never an error: the exit status is 0 unless a run breaks.

With --callgrind it counts instructions under valgrind instead of timing:
steadier than timings on a shared machine, slower to take."""

import argparse
import fnmatch
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import ratios

# (label, figure, counterpart, goal or None)
IN_PROCESS = [
    # The program's calculate command against the same calculation written
    # with plain Qt (bench/plain_calcola.cpp), and a failing input against a
    # succeeding one.
    ("calculate, flow mode / plain Qt", "Calcola/flow", "PlainQtCalcola/flow", 1.0),
    ("calculate, volume mode / plain Qt", "Calcola/volume", "PlainQtCalcola/volume", 1.0),
    ("calculate, failing input / flow mode", "Calcola/failing", "Calcola/flow", 1.5),
    ("keystroke (digit + Backspace)", "Keystroke", "BareKeystroke", 1.2),
    # For reading: the bare widget calls no real command could match, and
    # what one run-time error costs.
    ("calculate, flow mode / bare calls", "Calcola/flow", "BareCalcola/flow", None),
    ("calculate, volume mode / bare calls", "Calcola/volume", "BareCalcola/volume", None),
    ("calculate, failing input / plain Qt", "Calcola/failing", "PlainQtCalcola/failing", None),
    ("calculate, failing input / bare calls", "Calcola/failing", "BareCalcola/failing", None),
    ("error raised and caught / conversion", "ConversionRaises", "ConversionSucceeds", None),
    ("error as a value / conversion", "TestedConversionDeclines", "ConversionSucceeds", None),
    ("conversion tested first / conversion", "TestedConversionSucceeds", "ConversionSucceeds",
     None),
    ("combo pick + recalc / arrow keys", "ComboPick", "BareComboKeys", None),
    ("combo pick + recalc / setCurrentIndex", "ComboPick", "BareComboPick", None),
]

# For --callgrind: the function each benchmark repeats, counted per call from
# the benchmark's own loop. Benchmarks not listed are left out.
REPEATED = {
    "Calcola": "quorvela::frmQuorvela::cmdCalcola_Click()",
    "PlainQtCalcola": "quorvela::bench::PlainCalcola(*)",
    "BareCalcola": "quorvela::bench::*::*ReadsWrites(*)",
    "Keystroke": "quorvela::bench::*::typeDigit(*)",
    "BareKeystroke": "quorvela::bench::*::typeDigit(*)",
    "ConversionSucceeds": "quorvela::bench::*::convertRaising(*)",
    "ConversionRaises": "quorvela::bench::*::convertRaising(*)",
    "TestedConversionSucceeds": "quorvela::bench::*::convertTestedFirst(*)",
    "TestedConversionDeclines": "quorvela::bench::*::convertTestedFirst(*)",
}


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
    """For wall time, CPU time and peak memory: the two programs' medians and
    the ratios of the runs taken side by side."""
    probe = os.path.join(bin_dir, "quorvela_bench_startup")
    baseline = os.path.join(bin_dir, "quorvela_bench_baseline")
    for path in (probe, baseline):  # warm the caches (fonts, libraries)
        run_once(path)
    samples = {probe: [], baseline: []}
    for i in range(runs):
        # Alternating, and each one first every other time.
        for path in ((probe, baseline) if i % 2 == 0 else (baseline, probe)):
            samples[path].append(run_once(path))

    figures = []
    for i in range(3):
        mine = [s[i] for s in samples[probe]]
        base = [s[i] for s in samples[baseline]]
        figures.append((statistics.median(mine), statistics.median(base),
                        ratios.paired(mine, base)))
    return figures


def in_process(bin_dir, repetitions, min_time):
    """Each benchmark's CPU time per repetition (ns), in the order of the
    repetitions: interleaved at random, the n-th repetitions of all
    benchmarks run in one round, side by side."""
    command = [os.path.join(bin_dir, "quorvela_bench_inprocess"),
               "--benchmark_format=json",
               f"--benchmark_repetitions={repetitions}",
               f"--benchmark_min_time={min_time}",
               "--benchmark_enable_random_interleaving=true"]
    result = subprocess.run(command, capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.stderr.write(result.stderr)
        sys.exit(f"bench: the in-process benchmarks ended with status {result.returncode}")
    report = json.loads(result.stdout)
    times = {}
    for entry in report["benchmarks"]:
        if entry.get("error_occurred"):
            sys.exit(f"bench: {entry['run_name']}: {entry.get('error_message')}")
        if entry.get("run_type") == "iteration":
            times.setdefault(entry["run_name"], {})[entry.get("repetition_index", 0)] = \
                entry["cpu_time"]
    return {name: [by_round[r] for r in sorted(by_round)] for name, by_round in times.items()}


def callgrind(command, out_file, toggle=None):
    """Runs `command` under callgrind, counting only inside `toggle` if given;
    its standard output and the instructions counted."""
    valgrind = ["valgrind", "--tool=callgrind", f"--callgrind-out-file={out_file}"]
    if toggle:
        valgrind += ["--collect-atstart=no", f"--toggle-collect={toggle}"]
    result = subprocess.run(valgrind + command, capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.stderr.write(result.stderr)
        sys.exit(f"bench: {command[0]} under callgrind ended with status {result.returncode}")
    with open(out_file, encoding="utf-8") as profile:
        summary = re.search(r"^summary: (\d+)", profile.read(), re.MULTILINE)
    return result.stdout, int(summary.group(1))


def instructions_per_call(out_file, function):
    """Instructions per call of `function` from its most frequent caller."""
    tree = subprocess.run(["callgrind_annotate", "--tree=caller", "--inclusive=yes", out_file],
                          capture_output=True, text=True, check=True).stdout
    best = None
    for block in tree.split("\n\n"):
        lines = block.strip().splitlines()
        star = [l for l in lines if re.match(r"^\s*[\d,]+ \(.*\)\s+\*\s", l)]
        if not star:
            continue
        name = re.sub(r"\s\[.*\]$", "", star[0].split("*", 1)[1].strip()).split(":", 1)[-1]
        if not fnmatch.fnmatchcase(name, function):
            continue
        for line in lines:
            caller = re.match(r"^\s*([\d,]+) \(.*\)\s+<.*\((\d[\d,]*)x\)", line)
            if caller:
                cost, calls = (int(g.replace(",", "")) for g in caller.groups())
                if best is None or calls > best[1]:
                    best = (cost, calls)
    if best is None:
        sys.exit(f"bench: no calls of {function} in {out_file}")
    return best[0] / best[1]


def counted_in_process(bin_dir, min_time):
    """Instructions per repetition of each benchmark that REPEATED names."""
    program = os.path.join(bin_dir, "quorvela_bench_inprocess")
    counts = {}
    names = {name for _, figure, counterpart, _ in IN_PROCESS for name in (figure, counterpart)}
    with tempfile.TemporaryDirectory() as scratch:
        for name in sorted(names):
            function = REPEATED.get(name.split("/")[0])
            if function is None:
                continue
            out_file = os.path.join(scratch, "callgrind.out")
            output, _ = callgrind([program, f"--benchmark_filter=^{name}$",
                                   f"--benchmark_min_time={min_time}", "--benchmark_format=json"],
                                  out_file, toggle=function)
            for entry in json.loads(output)["benchmarks"]:
                if entry.get("error_occurred"):
                    sys.exit(f"bench: {entry['run_name']}: {entry.get('error_message')}")
            counts[name] = instructions_per_call(out_file, function)
    return counts


def counted_start_up(bin_dir):
    with tempfile.TemporaryDirectory() as scratch:
        out_file = os.path.join(scratch, "callgrind.out")
        return tuple(callgrind([os.path.join(bin_dir, name)], out_file)[1]
                     for name in ("quorvela_bench_startup", "quorvela_bench_baseline"))


def verdict(ratio, goal):
    if goal is None:
        return "", "(no goal)"
    return f"<= {goal:.2f}", "ok" if ratio <= goal else "MISSED"


def duration(ns):
    return f"{ns / 1e3:.2f} us" if ns >= 1e3 else f"{ns:.1f} ns"


def instructions(count):
    return f"{count / 1e3:.1f} k" if count >= 1e4 else f"{count:.0f}"


def print_table(rows):
    """Rows of (label, figure, baseline's figure, ratios, goal): the ratio
    shown is the median of `ratios`, with their quartiles as its spread."""
    header = ("figure", "program", "baseline", "ratio", "spread", "goal", "")
    table = [header]
    for label, mine, base, paired, goal in rows:
        ratio, q1, q3 = ratios.summary(paired)
        table.append((label, mine, base, f"{ratio:.3f}", ratios.spread(q1, q3),
                      *verdict(ratio, goal)))
    widths = [max(len(row[i]) for row in table) for i in range(len(header))]
    for row in table:
        print("  ".join(cell.ljust(width) if i == 0 else cell.rjust(width)
                        for i, (cell, width) in enumerate(zip(row, widths))).rstrip())


def timed(args):
    wall, cpu, rss = start_up(args.bin_dir, args.runs)
    times = in_process(args.bin_dir, args.repetitions, args.min_time)

    rows = [
        ("start-up to first paint, wall", f"{wall[0] * 1e3:.1f} ms", f"{wall[1] * 1e3:.1f} ms",
         wall[2], 1.05),
        # Less disturbed by other load than the wall time; for reading it.
        ("start-up to first paint, CPU", f"{cpu[0] * 1e3:.1f} ms", f"{cpu[1] * 1e3:.1f} ms",
         cpu[2], None),
        ("peak memory (ru_maxrss)", f"{rss[0]:.0f} KiB", f"{rss[1]:.0f} KiB", rss[2], 1.05),
    ]
    for label, figure, counterpart, goal in IN_PROCESS:
        mine, bare = times[figure], times[counterpart]
        rows.append((label, duration(statistics.median(mine)), duration(statistics.median(bare)),
                     ratios.paired(mine, bare), goal))

    print(f"Medians: start-up over {args.runs} alternating runs of each program; "
          f"in-process CPU time over {args.repetitions} interleaved repetitions. "
          "Ratio: the median of the ratios of runs side by side; spread: their quartiles.")
    print_table(rows)


def counted(args):
    probe, baseline = counted_start_up(args.bin_dir)
    rows = [("start-up to first paint", f"{probe / 1e6:.1f} M", f"{baseline / 1e6:.1f} M",
             [probe / baseline], 1.05)]
    counts = counted_in_process(args.bin_dir, args.min_time)
    for label, figure, counterpart, goal in IN_PROCESS:
        if figure in counts and counterpart in counts:
            mine, base = counts[figure], counts[counterpart]
            rows.append((label, instructions(mine), instructions(base), [mine / base], goal))

    print("Instructions counted by callgrind: start-up, whole program; in-process, "
          "per repetition of the benchmark's loop.")
    print_table(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("bin_dir")
    parser.add_argument("--runs", type=int, default=61, help="start-up runs of each program")
    parser.add_argument("--repetitions", type=int, default=15)
    parser.add_argument("--min-time", type=float, default=None,
                        help="seconds per in-process repetition (default 0.1; 0.5 with --callgrind)")
    parser.add_argument("--callgrind", action="store_true",
                        help="count instructions under valgrind instead of timing")
    args = parser.parse_args()
    if args.callgrind and not (shutil.which("valgrind") and shutil.which("callgrind_annotate")):
        sys.exit("bench: --callgrind needs valgrind (apt-get install valgrind)")
    if args.min_time is None:
        args.min_time = 0.5 if args.callgrind else 0.1

    began = time.perf_counter()
    (counted if args.callgrind else timed)(args)
    print(f"({time.perf_counter() - began:.0f} s of measurement)")


if __name__ == "__main__":
    main()
