#!/usr/bin/env python3
"""Times quorvex-cli -l on a million lines of each kind against scipy_batch.py, which does the same
work as a user would script it, on one core and on every core this process may use, and prints
the rates in lines per second; counts the instructions a line takes on one thread (callgrind), which
do not depend on the machine's load; checks that -j 1 and -j N give the same bytes on a million
lines of good and bad ones; then the memory quorvex-cli -l holds for inputs short, long and many.

    batch.py PATH/TO/quorvex-cli [LINES]
"""
import filecmp
import os
import random
import subprocess
import sys
import tempfile
import time

cli = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scipy_batch.py")
cores = sorted(os.sched_getaffinity(0))


def on(cpus):
    """Runs a child on those cores only; the child starts as many threads as it may use."""
    return lambda: os.sched_setaffinity(0, cpus)


def peak_mib(command, source):
    """GNU time reads it: a child of this script would count the script's own memory as well."""
    with open(source) as stdin:
        run = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdin=stdin,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=True)
    return int(run.stderr.split()[-1]) / 1024


def lines_per_second(command, source, cpus, target=os.devnull, stderr=None):
    """The best of three runs, so that a disturbance of the machine does not count."""
    best = float("inf")
    for _ in range(3):
        with open(source) as stdin, open(target, "w") as stdout:
            start = time.perf_counter()
            subprocess.run(command, stdin=stdin, stdout=stdout, stderr=stderr, check=True,
                           preexec_fn=on(cpus))
            best = min(best, time.perf_counter() - start)
    return count / best


def instructions(command, source):
    """What callgrind counts for a run, less what a run on no input counts: the start and the end."""
    def counted(path):
        run = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                              cli, command, "-l", "-j", "1", path], stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, text=True, check=True)
        return int(run.stderr.split("Collected :")[1].split()[0])
    return counted(source) - counted(os.devnull)


def write_angles(path, lines, bad=0.0):
    """Lines of three angles, and with `bad` of them something that cannot be read instead."""
    with open(path, "w") as out:
        for i in range(lines):
            r = random.random()
            if r < bad / 2:
                out.write(random.choice(["", "abc 1 2", "1 2", "1e999 0 0", "  \t"]) + "\n")
            elif r < bad:
                out.write(f"{random.uniform(-9, 9):.3f} x {i}\n")
            else:
                x, y, z = (round(random.uniform(-180, 180), 2) for _ in range(3))
                out.write(f"{x} {round(y / 2, 2)} {z}\n")


with tempfile.TemporaryDirectory() as folder:
    angles, lines = os.path.join(folder, "angles"), os.path.join(folder, "lines")
    random.seed(20261206)
    write_angles(angles, count)
    subprocess.run([cli, "matrix", "-l", angles], stdout=open(lines, "w"), check=True)

    print(f"{count:,} lines; lines per second, on one core and on all {len(cores)}:")
    print(f"{'':22} {'quorvex-cli':>12} {'SciPy script':>13} {'ratio':>7}", flush=True)
    for command, source, target in (("matrix", angles, lines + ".again"), ("angles", lines, os.devnull)):
        theirs = lines_per_second([sys.executable, script, command], source, set(cores),
                                  stderr=subprocess.DEVNULL)
        for cpus, name in (({cores[0]}, "one core"), (set(cores), f"{len(cores)} cores")):
            ours = lines_per_second([cli, command, "-l"], source, cpus, target)
            print(f"{command + ' -l, ' + name:22} {ours:12,.0f} {theirs:13,.0f} {ours / theirs:7.1f}",
                  flush=True)

    print("instructions a line on one thread (callgrind): " + ", ".join(
        f"{command} -l {instructions(command, source) / count:,.0f}"
        for command, source in (("matrix", angles), ("angles", lines))), flush=True)

    # The same bytes, messages included, on one thread and on several.
    mixed = os.path.join(folder, "mixed")
    write_angles(mixed, count, bad=0.1)
    subprocess.run([cli, "matrix", "-l", mixed], stdout=open(lines + ".mixed", "w"),
                   stderr=subprocess.DEVNULL)
    with open(lines + ".mixed", "a") as out:
        out.write("1 2 3\n[[ 0.81 -0.47 ]]\n")
    same = True
    for command, source in (("matrix", mixed), ("angles", lines + ".mixed")):
        outputs = []
        for jobs in ("1", str(max(len(cores), 4))):
            out, err = (os.path.join(folder, f"{command}.{jobs}.{kind}") for kind in ("out", "err"))
            subprocess.run([cli, command, "-l", "-j", jobs, source], stdout=open(out, "w"),
                           stderr=open(err, "w"))
            outputs.append((out, err))
        same &= all(filecmp.cmp(a, b, shallow=False) for a, b in zip(*outputs))
    print(f"-j 1 and -j {max(len(cores), 4)} on {count:,} lines, a tenth of them bad: "
          f"{'the same output and messages' if same else 'DIFFERENT'}")

    one, long, many = (os.path.join(folder, name) for name in ("one", "long", "many"))
    with open(lines) as source, open(one, "w") as out:
        out.write(source.readline())
    with open(one) as source, open(long, "w") as out:
        out.write(source.readline().rstrip("\n") + " " * (16 << 20) + "\n")
    write_angles(many, 10 * count)
    print("peak resident memory:", ", ".join(
        f"{name} {peak_mib([cli, command, '-l'], path):.1f} MiB"
        for name, command, path in (("angles -l of one line", "angles", one),
                                    (f"of {count:,} lines", "angles", lines),
                                    ("of a line of 16 MiB", "angles", long),
                                    (f"matrix -l of {10 * count:,} lines", "matrix", many))))
