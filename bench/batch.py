#!/usr/bin/env python3
"""Times quorvex-cli -l on a million lines of each kind against scipy_batch.py, which does the same
work as a user would script it, both on one core, and prints the rates in lines per second; then
the memory quorvex-cli angles -l holds for inputs short and long.

    batch.py PATH/TO/quorvex-cli [LINES]
"""
import os
import random
import subprocess
import sys
import tempfile
import time

cli = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scipy_batch.py")
os.sched_setaffinity(0, {min(os.sched_getaffinity(0))})  # the programs started here inherit it


def peak_mib(command, source):
    """GNU time reads it: a child of this script would count the script's own memory as well."""
    with open(source) as stdin:
        run = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdin=stdin,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
    return int(run.stderr.split()[-1]) / 1024


def lines_per_second(command, source, target=os.devnull, stderr=None):
    """The best of three runs, so that a disturbance of the machine does not count."""
    best = float("inf")
    for _ in range(3):
        with open(source) as stdin, open(target, "w") as stdout:
            start = time.perf_counter()
            subprocess.run(command, stdin=stdin, stdout=stdout, stderr=stderr, check=True)
            best = min(best, time.perf_counter() - start)
    return count / best


with tempfile.TemporaryDirectory() as folder:
    angles = os.path.join(folder, "angles")
    lines = os.path.join(folder, "lines")
    random.seed(20261206)
    with open(angles, "w") as out:
        for _ in range(count):
            x, y, z = (round(random.uniform(-180, 180), 2) for _ in range(3))
            out.write(f"{x} {round(y / 2, 2)} {z}\n")
    print(f"{count:,} lines, one core; lines per second:")
    print(f"{'':14} {'quorvex-cli':>12} {'SciPy script':>13} {'ratio':>7}", flush=True)
    for command, source, target in (("matrix", angles, lines), ("angles", lines, os.devnull)):
        ours = lines_per_second([cli, command, "-l"], source, target)
        theirs = lines_per_second([sys.executable, script, command], source, stderr=subprocess.DEVNULL)
        print(f"{command + ' -l':14} {ours:12,.0f} {theirs:13,.0f} {ours / theirs:7.1f}", flush=True)

    one, long = os.path.join(folder, "one"), os.path.join(folder, "long")
    with open(lines) as source, open(one, "w") as out:
        out.write(source.readline())
    with open(one) as source, open(long, "w") as out:
        out.write(source.readline().rstrip("\n") + " " * (16 << 20) + "\n")
    print("peak resident memory of angles -l:", ", ".join(
        f"{name} {peak_mib([cli, 'angles', '-l'], path):.1f} MiB"
        for name, path in (("one line", one), (f"{count:,} lines", lines), ("a line of 16 MiB", long))))
