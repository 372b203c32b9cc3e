#!/usr/bin/env python3
"""Runs zorvex-cli, jdupes, fdupes and rdfind on one tree: checks that they
find the same sets of duplicate files, then measures each with a warm cache,
runs alternating, and prints a table of medians: wall time, bytes read (rchar
of /proc/PID/io) and peak memory (maximum resident set).

    compare.py --cli zorvex-cli --measure bench_scan_measure --tree DIR
"""
import argparse
import os
import platform
import statistics
import subprocess
import sys
import tempfile


MEASURE = None  # the launcher that measures one run


def measure(argv, stdout_path=os.devnull):
    """Runs argv; returns (seconds, bytes read, peak KiB, exit status)."""
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
    parser.add_argument("--output", help="also write the table to this file")
    args = parser.parse_args()
    global MEASURE
    MEASURE = os.path.abspath(args.measure)
    tree = os.path.abspath(args.tree)
    work = tempfile.mkdtemp(prefix="zorvex-bench-")
    rdfind_out = os.path.join(work, "rdfind.txt")

    tools = {
        "zorvex-cli": ([args.cli, tree], zorvex_sets, None),
        "jdupes": (["jdupes", "-r", "-q", tree], blank_line_sets, None),
        "fdupes": (["fdupes", "-r", "-n", "-q", tree], blank_line_sets, None),
        "rdfind": (["rdfind", "-outputname", rdfind_out, tree], rdfind_sets, rdfind_out),
    }

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
            seconds, rchar, peak, code = measure(argv)
            if code != 0:
                sys.exit(f"{name} failed with status {code}")
            samples[name].append((seconds, rchar, peak))

    def median(name, i):
        return statistics.median(s[i] for s in samples[name])

    files = sum(len(f) for _, _, f in os.walk(tree))
    size = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(tree) for f in fs)
    lines = [
        f"Tree: {files} files, {size / 1e9:.2f} GB, {len(reference)} duplicate sets "
        f"({sum(len(s) for s in reference)} files), same sets found by every tool.",
        f"Machine: {os.cpu_count()} cores, Linux {platform.release()}; warm cache, "
        f"{args.runs} alternating runs each, medians.",
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
    lines += [
        "",
        f"Targets for zorvex-cli: wall time at most jdupes's: {'met' if t <= base_time else 'NOT met'}; "
        f"bytes read at most jdupes's: {'met' if r <= base_read else 'NOT met'}; "
        f"peak memory at most 64 MiB: {'met' if m <= 64 else 'NOT met'}.",
    ]
    table = "\n".join(lines)
    print(table)
    if args.output:
        with open(args.output, "w") as f:
            f.write(table + "\n")


if __name__ == "__main__":
    main()
