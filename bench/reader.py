#!/usr/bin/env python3
"""Times quorvex-cli angles on texts of 1 MB and 8 MB made to be hard for the matrix reader: every
opener its table knows, repeated and nested, words, bullets, tags, quotes and lone UTF-16
surrogates, each followed by a matrix. Prints, for each, the time a byte and the peak memory a
byte, as multiples of those of plain numbers of the same size: a reader whose time or memory grows
faster than the text shows a ratio that grows from 1 MB to 8 MB.

    reader.py PATH/TO/quorvex-cli
"""
import os
import subprocess
import sys
import tempfile
import time

cli = sys.argv[1]
MATRIX = "\n0.813798 -0.469846 0.34202\n0.543838 0.823173 -0.163176\n-0.204874 0.318796 0.925417\n"
OPENERS = ["stack(", "np.stack(", "matrix(c(", "array(c(", "structure(c(", "reshape(", "mat3(",
           "cbind(", "t(", "inv(", "Transpose[", "Map<", "Eigen::Map<Matrix3d>(", "R[0][1] = ",
           "data: [", "<data>", "DATA R / ", "[", "(", "{", "<", "-[", "^T ", "ᵀ "]
SHAPES = {"plain numbers": "0.5 "}
SHAPES.update({"repeated " + opener: opener for opener in OPENERS})
SHAPES.update({
    "nested calls": "f(g(h(",
    "words": "lorem ipsum dolor sit amet ",
    "words of a family": "column order transposed ",
    "bullets": "- ",
    "bullet lines": "- 0.5 0.5 0.5\n",
    "tags": "<matrix>",
    "tags with attributes": '<m a="1" b=\'2\'>',
    "double quotes": '"',
    "single quotes": "'",
    "names": "r11 = 0.5\n",
    "signs apart": "- ",
    "box drawing": "│",
    "grouped digits": "1'000 ",
})


def text_of(unit, size):
    data = (unit * (size // len(unit.encode()) + 1)).encode()[:size]
    return data.decode(errors="ignore").encode() + MATRIX.encode()


def measure(data):
    """The best of three runs' seconds, and the peak memory in bytes."""
    with tempfile.NamedTemporaryFile() as source:
        source.write(data)
        source.flush()
        best, peak = float("inf"), 0
        for _ in range(3):
            with open(source.name, "rb") as stdin:
                start = time.perf_counter()
                run = subprocess.run(["/usr/bin/time", "-f", "%M", cli, "angles"], stdin=stdin,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
                best = min(best, time.perf_counter() - start)
                peak = max(peak, int(run.stderr.split()[-1]) * 1024)
        return best, peak


print("The matrix reader on hostile texts: time a byte and memory a byte against plain numbers")
print("(best of three runs; the memory less that of a text of a line)")
_, base = measure(MATRIX.encode())
for size in (1 << 20, 8 << 20):
    print(f"\n{size >> 20} MB{'':30}  time  memory")
    plain_time, plain_memory = measure(text_of("0.5 ", size))
    for name, unit in SHAPES.items():
        seconds, memory = measure(text_of(unit, size))
        print(f"  {name:32}  {seconds / plain_time:4.1f}  {(memory - base) / max(plain_memory - base, 1):6.1f}")
    surrogates = b"\xff\xfe" + b"\x00\xd8" * (size // 2)
    seconds, memory = measure(surrogates)
    print(f"  {'lone UTF-16 surrogates':32}  {seconds / plain_time:4.1f}  "
          f"{(memory - base) / max(plain_memory - base, 1):6.1f}")
    print(f"  (plain numbers: {plain_time * 1e9 / size:.1f} ns and "
          f"{(plain_memory - base) / size:.2f} bytes a byte)")
