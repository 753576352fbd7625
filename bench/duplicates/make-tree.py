#!/usr/bin/env python3
"""Writes the duplicate benchmark's tree into the folder given."""
import os
import random
import sys

root = sys.argv[1]
rng = random.Random(13)
folders = [os.path.join(root, "f%02d" % i, "s%02d" % j) for i in range(20) for j in range(10)]
for folder in folders:
    os.makedirs(folder, exist_ok=True)
count = 0

def put(data):
    global count
    path = os.path.join(rng.choice(folders), "file%05d.bin" % count)
    count += 1
    with open(path, "wb") as out:
        out.write(data)

for g in range(600):                       # groups of 2 to 4 equal files
    data = rng.randbytes(rng.randint(1, 40000))
    for _ in range(rng.randint(2, 4)):
        put(data)
for p in range(600):                       # pairs of one size, other bytes
    size = rng.randint(1, 40000)
    put(rng.randbytes(size))
    put(rng.randbytes(size))
for l in range(10):                        # large files that differ only in the last byte
    data = bytearray(rng.randbytes(8 * 1024 * 1024))
    put(bytes(data))
    data[-1] ^= 1
    put(bytes(data))
for u in range(2000):                      # unique files
    put(rng.randbytes(rng.randint(40001, 60000)))
