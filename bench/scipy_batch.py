#!/usr/bin/env python3
"""What a user would write without quorvex-cli, with NumPy and SciPy's rotation class: one result
for each line of standard input.

    scipy_batch.py matrix < lines-of-angles-and-scales
    scipy_batch.py angles < parameter-lines
"""
import sys

import numpy as np
from scipy.spatial.transform import Rotation


def matrix(values):
    scales = values[:, 3:6] if values.shape[1] == 6 else np.ones((len(values), 3))
    # diag(kX, kY, kZ) · Rx · Ry · Rz, row by row.
    rotation = Rotation.from_euler("XYZ", values[:, :3], degrees=True).as_matrix()
    np.savetxt(sys.stdout, (rotation * scales[:, :, np.newaxis]).reshape(-1, 9), fmt="%.6g")


def angles(values):
    rotation = Rotation.from_matrix(values[:, :9].reshape(-1, 3, 3))
    np.savetxt(sys.stdout, rotation.as_euler("XYZ", degrees=True), fmt="%.2f")


{"matrix": matrix, "angles": angles}[sys.argv[1]](np.loadtxt(sys.stdin, ndmin=2))
