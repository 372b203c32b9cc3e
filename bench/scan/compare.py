#!/usr/bin/env python3
"""Runs zorvex-cli, jdupes, fdupes and rdfind on one tree: checks that they
find the same sets of duplicate files, then measures each, runs alternating,
with a warm cache or (--cold) with the page cache dropped before every run,
and prints a table of medians: wall time, bytes read (rchar of
/proc/PID/io) and peak memory (maximum resident set), with the targets of
zorvex-cli against jdupes.

    compare.py --cli zorvex-cli --measure bench_scan_measure --tree DIR
               [--runs N] [--cold] [--tools zorvex-cli,jdupes,...]
               [--max-time-ratio R] [--memory-at-most-jdupes]
"""
import argparse
import os
import platform
import statistics
import subprocess
import sys
import tempfile


MEASURE = None  # the launcher that measures one run


def drop_page_cache():
    """Empties the page cache (and the dentry and inode caches): root only."""
    subprocess.run(["sync"], check=True)
    with open("/proc/sys/vm/drop_caches", "w") as f:
        f.write("3\n")


def measure(argv, stdout_path=os.devnull, cold=False):
    """Runs argv; returns (seconds, bytes read, peak KiB, exit status)."""
    if cold:
        drop_page_cache()
    result = subprocess.run([MEASURE, stdout_path] + argv, capture_output=True, text=True, check=True)
    seconds, rchar, peak, status = result.stdout.split()
    return float(seconds), int(rchar), int(peak), int(status)


def zorvex_sets(text):
    """The chains of pairs (first file, double) joined into duplicate sets."""
    parent = {}

    def find(x):
        parent.setdefault(x, x)
        while parent[x] != x:
            parent[x] = parent[parent[x]]
            x = parent[x]
        return x

    for line in text.splitlines()[1:]:
        fields = line.split("\t")
        if len(fields) >= 3:
            parent[find(fields[1])] = find(fields[2])
    groups = {}
    for name in list(parent):
        groups.setdefault(find(name), set()).add(name)
    return {frozenset(g) for g in groups.values()}


def blank_line_sets(text):
    """jdupes and fdupes: one name per line, a blank line after each set."""
    sets, current = set(), set()
    for line in text.splitlines() + [""]:
        if line.strip():
            current.add(line)
        elif current:
            sets.add(frozenset(current))
            current = set()
    return sets


def rdfind_sets(text):
    groups = {}
    for line in text.splitlines():
        if line.startswith("#") or not line.strip():
            continue
        fields = line.split(" ", 7)
        groups.setdefault(abs(int(fields[1])), set()).add(fields[7])
    return {frozenset(g) for g in groups.values() if len(g) > 1}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--measure", required=True, help="the bench_scan_measure launcher")
    parser.add_argument("--tree", required=True)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--cold", action="store_true", help="drop the page cache before every run")
    parser.add_argument("--tools", default="zorvex-cli,jdupes,fdupes,rdfind")
    parser.add_argument("--max-time-ratio", type=float, default=1.0,
                        help="zorvex-cli's target: at most this times jdupes's wall time")
    parser.add_argument("--memory-at-most-jdupes", action="store_true",
                        help="zorvex-cli's memory target is jdupes's peak instead of 64 MiB")
    parser.add_argument("--output", help="also write the table to this file")
    args = parser.parse_args()
    if args.cold:
        try:
            drop_page_cache()
        except OSError as error:
            sys.exit(f"cannot drop the page cache for cold runs ({error}): run as root")
    global MEASURE
    MEASURE = os.path.abspath(args.measure)
    tree = os.path.abspath(args.tree)
    work = tempfile.mkdtemp(prefix="zorvex-bench-")
    rdfind_out = os.path.join(work, "rdfind.txt")

    all_tools = {
        "zorvex-cli": ([args.cli, tree], zorvex_sets, None),
        "jdupes": (["jdupes", "-r", "-q", tree], blank_line_sets, None),
        "fdupes": (["fdupes", "-r", "-n", "-q", tree], blank_line_sets, None),
        "rdfind": (["rdfind", "-outputname", rdfind_out, tree], rdfind_sets, rdfind_out),
    }
    tools = {name: all_tools[name] for name in args.tools.split(",")}

    # First runs: warm the cache and collect each tool's sets.
    found = {}
    for name, (argv, parse, result_file) in tools.items():
        stdout_path = os.path.join(work, name + ".out")
        _, _, _, code = measure(argv, stdout_path)
        if code != 0:
            sys.exit(f"{name} failed with status {code}")
        with open(result_file or stdout_path, encoding="utf-8", errors="surrogateescape") as f:
            found[name] = parse(f.read())
    reference = found["jdupes"]
    agree = True
    for name, sets in found.items():
        same = sets == reference
        agree = agree and same
        print(f"{name}: {len(sets)} duplicate sets, {sum(len(s) for s in sets)} files"
              f" - {'same as jdupes' if same else 'DIFFERENT from jdupes'}", file=sys.stderr)
    if not agree:
        sys.exit("the tools do not agree")

    samples = {name: [] for name in tools}
    for _ in range(args.runs):
        for name, (argv, _, _) in tools.items():
            seconds, rchar, peak, code = measure(argv, cold=args.cold)
            if code != 0:
                sys.exit(f"{name} failed with status {code}")
            samples[name].append((seconds, rchar, peak))

    def median(name, i):
        return statistics.median(s[i] for s in samples[name])

    files = sum(len(f) for _, _, f in os.walk(tree))
    size = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(tree) for f in fs)
    cache = "page cache dropped before every run" if args.cold else "warm cache"
    lines = [
        f"Tree: {files} files, {size / 1e9:.2f} GB, {len(reference)} duplicate sets "
        f"({sum(len(s) for s in reference)} files), same sets found by every tool.",
        f"Machine: {os.cpu_count()} cores, Linux {platform.release()}, load average {os.getloadavg()[0]:.1f} "
        f"at the end; {cache}, {args.runs} alternating runs each, medians.",
        "",
        "| tool | wall time (s) | × jdupes | bytes read (MB) | × jdupes | peak memory (MiB) |",
        "|---|---:|---:|---:|---:|---:|",
    ]
    base_time, base_read = median("jdupes", 0), median("jdupes", 1)
    for name in tools:
        t, r, m = median(name, 0), median(name, 1), median(name, 2)
        lines.append(f"| {name} | {t:.3f} | {t / base_time:.2f} | {r / 1e6:.1f} | {r / base_read:.2f} "
                     f"| {m / 1024:.1f} |")
    t, r, m = median("zorvex-cli", 0), median("zorvex-cli", 1), median("zorvex-cli", 2) / 1024
    memory_limit = median("jdupes", 2) / 1024 if args.memory_at_most_jdupes else 64
    memory_target = "at most jdupes's" if args.memory_at_most_jdupes else "under 64 MiB"
    memory_met = m <= memory_limit if args.memory_at_most_jdupes else m < 64
    lines += [
        "",
        f"Targets for zorvex-cli: wall time at most {args.max_time_ratio:g} × jdupes's: "
        f"{'met' if t <= args.max_time_ratio * base_time else 'NOT met'} ({t / base_time:.2f}); "
        f"bytes read at most jdupes's: {'met' if r <= base_read else 'NOT met'}; "
        f"peak memory {memory_target}: {'met' if memory_met else 'NOT met'}.",
    ]
    table = "\n".join(lines)
    print(table)
    if args.output:
        with open(args.output, "w") as f:
            f.write(table + "\n")


if __name__ == "__main__":
    main()
