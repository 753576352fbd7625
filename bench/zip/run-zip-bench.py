#!/usr/bin/env python3
"""Compares the zip writer and reader with Info-ZIP's zip -8 and unzip.

Makes a corpus of about 200 MB in the Wine sandbox's drive C (text, data that is
compressed already, binary tables and some thousands of small files), packs it with our
writer (zip_bench.exe under Wine) and with `zip -r -8`, extracts our archive with our
reader and with `unzip`, three runs each in turns, and prints the medians as MB/s of corpus data,
the speed ratios and the archive sizes. Our times are measured inside the program, so
they leave out Wine's process start; the wall times that include it are shown as well.
    run-zip-bench.py [BUILD_DIR] [MEGABYTES]
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import time
from array import array

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def make_text(rng, size, vocabulary, weights):
    words = rng.choices(vocabulary, weights, k=size // 5 + 16)
    out, line = [], 0
    for word in words:
        out.append(word)
        line += len(word) + 1
        if line > 70:
            out.append(b".\r\n" if rng.random() < 0.5 else b",\r\n")
            line = 0
    return b" ".join(out)[:size]


def make_binary(rng, size):
    parts, total = [], 0
    while total < size:
        kind = rng.random()
        if kind < 0.4:  # a table of counters and small values
            start = rng.randrange(1 << 20)
            part = array("I", range(start, start + rng.randrange(500, 8000))).tobytes()
        elif kind < 0.8:  # low-entropy bytes, as in code and resources
            part = bytes(rng.choices(range(16), k=rng.randrange(2000, 30000)))
        else:  # noise
            part = rng.randbytes(rng.randrange(500, 10000))
        parts.append(part)
        total += len(part)
    return b"".join(parts)[:size]


def make_corpus(root, megabytes):
    rng = random.Random(1)
    syllables = [a + b for a in (b"ka", b"to", b"ri", b"ne", b"mu", b"sa", b"lo", b"be", b"di")
                 for b in (b"n", b"r", b"", b"s", b"th", b"m")]
    vocabulary = sorted({b"".join(rng.choices(syllables, k=rng.randrange(1, 4))) for _ in range(6000)})
    weights = [1.0 / (rank + 1) for rank in range(len(vocabulary))]
    scale = megabytes / 200.0
    mb = 1 << 20

    def put(name, data):
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    for i in range(int(30 * scale) or 1):
        put(f"text/document{i:02}.txt", make_text(rng, 2 * mb, vocabulary, weights))
    for i in range(int(25 * scale) or 1):
        ending = ("jpg", "mp3", "png", "gz", "zip")[i % 5]
        put(f"media/file{i:02}.{ending}", rng.randbytes(2 * mb))
    for i in range(int(25 * scale) or 1):
        put(f"programs/module{i:02}.dll", make_binary(rng, 2 * mb))
    for i in range(int(4000 * scale) or 1):
        size = rng.randrange(1000, 19000)
        data = make_text(rng, size, vocabulary, weights) if i % 3 else make_binary(rng, size)
        put(f"small/folder{i % 40:02}/item{i:04}.{'txt' if i % 3 else 'dat'}", data)


def tree_bytes(root):
    return sum(os.path.getsize(os.path.join(folder, name))
               for folder, _, names in os.walk(root) for name in names)


def timed(command, cwd):
    start = time.perf_counter()
    result = subprocess.run(command, cwd=cwd, capture_output=True, text=True)
    wall = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit(f"{command[:2]} failed:\n{result.stdout}{result.stderr}")
    inner = [float(line.split()[1]) for line in result.stdout.splitlines() if line.startswith("SECONDS")]
    return (inner[0] if inner else wall), wall


def compare(ours, theirs, cwd_ours, cwd_theirs, runs=3):
    """Median times of both, run in turns so that both meet the same machine load. Each
    run writes to fresh names: deleting thousands of files between runs would slow the
    file system's next creations, which would favour whoever runs first."""
    ours_times, theirs_times = [], []
    for run in range(runs):
        ours_times.append(timed(ours(run), cwd_ours))
        theirs_times.append(timed(theirs(run), cwd_theirs))
    median = lambda times, i: statistics.median(t[i] for t in times)
    return (median(ours_times, 0), median(ours_times, 1)), (median(theirs_times, 0), median(theirs_times, 1))


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(TOP, "build", "i686"))
    megabytes = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    wine_run = os.path.join(build, "wine-run")
    bench = os.path.join(build, "bin", "zip_bench.exe")
    work = os.path.join(build, "sandbox", "prefix", "drive_c", "zipbench")
    windows = "C:\\zipbench"
    shutil.rmtree(work, ignore_errors=True)
    corpus = os.path.join(work, "corpus")
    print(f"making a corpus of about {megabytes} MB ...")
    make_corpus(corpus, megabytes)
    size = tree_bytes(corpus)
    files = sum(len(names) for _, _, names in os.walk(corpus))
    subprocess.run(["cat"] + [os.path.join(f, n) for f, _, ns in os.walk(corpus) for n in ns],
                   stdout=subprocess.DEVNULL)  # into the page cache for everyone alike
    try:
        write_ours, write_theirs = compare(
            lambda run: [wine_run, bench, "write", f"{windows}\\ours{run}.zip", windows + "\\corpus"],
            lambda run: ["zip", "-q", "-r", "-8", os.path.join(work, f"theirs{run}.zip"), "."], work, corpus)
        read_ours, read_theirs = compare(
            lambda run: [wine_run, bench, "extract", windows + "\\ours0.zip", f"{windows}\\out-ours{run}"],
            lambda run: ["unzip", "-q", "ours0.zip", "-d", f"out-unzip{run}"], work, work)
        ours_size = os.path.getsize(os.path.join(work, "ours0.zip"))
        theirs_size = os.path.getsize(os.path.join(work, "theirs0.zip"))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    mb = size / 1048576
    print(f"corpus: {mb:.1f} MB in {files} files")
    for label, ours, theirs, peer in (("write", write_ours, write_theirs, "zip -8"),
                                      ("extract", read_ours, read_theirs, "unzip")):
        print(f"{label:8} ours   {mb / ours[0]:7.1f} MB/s  ({ours[0]:.2f} s; {ours[1]:.2f} s with Wine's start)")
        print(f"{label:8} {peer:6} {mb / theirs[0]:7.1f} MB/s  ({theirs[0]:.2f} s)")
        print(f"{label:8} ours / {peer}: {theirs[0] / ours[0]:.2f}x the speed")
    print(f"archive  ours {ours_size} bytes, zip -8 {theirs_size} bytes: "
          f"ours is {100.0 * (ours_size - theirs_size) / theirs_size:+.2f} %")


if __name__ == "__main__":
    main()
