#!/usr/bin/env python3
"""Writes a benchmark source tree: make_tree.py small|large|many FOLDER."""
import os
import random
import sys


def write(path, size):
    with open(path, "wb") as f:
        f.write(random.randbytes(size))


def small(root):
    # 5,000 files of 1-16 KB in 10 x 10 nested folders.
    for i in range(10):
        for j in range(10):
            folder = os.path.join(root, f"dir{i:02}", f"sub{j:02}")
            os.makedirs(folder)
            for k in range(50):
                write(os.path.join(folder, f"file{k:03}.dat"), random.randint(1024, 16384))


def large(root):
    # 40 files of 8 MB.
    os.makedirs(root)
    for k in range(40):
        write(os.path.join(root, f"big{k:02}.bin"), 8 << 20)


def many(root):
    # 100,000 empty files in 100 folders: a listing test.
    for i in range(100):
        folder = os.path.join(root, f"folder{i:03}")
        os.makedirs(folder)
        for k in range(1000):
            open(os.path.join(folder, f"entry{k:04}.txt"), "wb").close()


random.seed(351)
{"small": small, "large": large, "many": many}[sys.argv[1]](sys.argv[2])
