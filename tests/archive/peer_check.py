#!/usr/bin/env python3
"""Our archives against other zip tools, both ways.

Archives that our writer makes (on a file and through a pipe) must pass Info-ZIP's
`unzip -t`, open in Python's zipfile with every byte intact, and extract with unzip.
Archives that Info-ZIP's `zip` makes (plain, streamed through a pipe, with a comment,
with 1,000 bytes in front) and one from Python's zipfile must list and extract with our
reader. Our side runs as the Windows helper zipcli.exe in the Wine sandbox; all files
live in the sandbox's drive C, inside the build tree.
"""
import argparse
import filecmp
import os
import random
import shutil
import subprocess
import sys
import zipfile

FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)
        print("FAIL:", message)


def make_sources(src):
    """Text (one file large), noise, an empty file, a stored-by-name archive and folders."""
    rng = random.Random(11)
    words = [b"tide", b"wrack", b"shore", b"archive", b"entry", b"folder", b"cleaner"]
    files = {
        "text.txt": b" ".join(rng.choice(words) for _ in range(60000)),
        # Large enough to be deflated in pieces on several threads.
        "large.txt": b" ".join(rng.choice(words) for _ in range(500000)),
        "noise.bin": bytes(rng.getrandbits(8) for _ in range(200000)),
        "empty.dat": b"",
        "sub/packed.zip": bytes(rng.getrandbits(8) for _ in range(30000)),
        "sub/deeper/small.txt": b"small file\r\n",
        "emptydir/": None,
    }
    for name, data in files.items():
        path = os.path.join(src, name)
        if data is None:
            os.makedirs(path, exist_ok=True)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    folders = ["sub/", "sub/deeper/", "emptydir/"]
    return {k: v for k, v in files.items() if v is not None}, folders


def tree(root):
    """Relative file paths below root with their contents."""
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, root).replace(os.sep, "/")] = f.read()
    return found


def folders_of(root):
    return {os.path.relpath(folder, root).replace(os.sep, "/") + "/"
            for folder, _, _ in os.walk(root) if folder != root}


class Ours:
    def __init__(self, wine_run, cli, drive_c):
        self.wine_run, self.cli, self.drive_c = wine_run, cli, drive_c

    def windows_path(self, path):
        return "C:\\" + os.path.relpath(path, self.drive_c).replace("/", "\\")

    def run(self, args, cwd):
        result = subprocess.run([self.wine_run, self.cli] + args, cwd=cwd,
                                capture_output=True, text=True)
        if result.returncode != 0:
            print(result.stdout, result.stderr)
        return result


def check_our_archive(archive, files, folders, through_pipe, work):
    label = os.path.basename(archive)
    result = subprocess.run(["unzip", "-t", "-q", archive], capture_output=True, text=True)
    check(result.returncode == 0, f"unzip -t {label}: {result.stdout}{result.stderr}")

    with zipfile.ZipFile(archive) as z:
        check(z.testzip() is None, f"zipfile testzip {label}")
        infos = {i.filename: i for i in z.infolist()}
        check(set(infos) == set(files) | set(folders), f"names in {label}: {sorted(infos)}")
        for name, data in files.items():
            check(z.read(name) == data, f"zipfile content of {name} in {label}")
            stored = name.endswith(".zip")
            check(infos[name].compress_type == (zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED),
                  f"method of {name} in {label}")
            check(bool(infos[name].flag_bits & 8) == through_pipe, f"descriptor flag of {name} in {label}")

    out = os.path.join(work, "unzipped-" + label)
    result = subprocess.run(["unzip", "-q", "-o", archive, "-d", out], capture_output=True, text=True)
    check(result.returncode == 0, f"unzip {label}: {result.stderr}")
    check(tree(out) == files, f"unzip's extraction of {label} differs")


def check_peer_archive(ours, archive, files, folders, work):
    label = os.path.basename(archive)
    out = os.path.join(work, "ours-" + label)
    os.makedirs(out)
    win_archive = ours.windows_path(archive)
    result = ours.run(["extract", win_archive], cwd=out)
    check(result.returncode == 0, f"our extraction of {label}")
    check(tree(out) == files, f"our extraction of {label} differs: {sorted(tree(out))}")
    check(folders <= folders_of(out), f"folders of {label}: {sorted(folders_of(out))}")

    listing = ours.run(["list", win_archive], cwd=out)
    check(listing.returncode == 0, f"our listing of {label}")
    listed = {}
    for line in listing.stdout.splitlines():
        name, packed, unpacked, _ = line.split("\t")
        listed[name] = (int(packed), int(unpacked))
    with zipfile.ZipFile(archive) as z:
        expected = {i.filename: (i.compress_size, i.file_size) for i in z.infolist()}
    check(listed == expected, f"our listing of {label} differs from zipfile's")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--drive-c", required=True)
    args = parser.parse_args()

    ours = Ours(os.path.abspath(args.wine_run), os.path.abspath(args.cli), os.path.realpath(args.drive_c))
    work = os.path.join(ours.drive_c, "archive-peers")
    shutil.rmtree(work, ignore_errors=True)
    src = os.path.join(work, "src")
    os.makedirs(src)
    files, folders = make_sources(src)
    names = sorted(files) + folders

    # Ours, read by them.
    for through_pipe in (False, True):
        archive = os.path.join(work, "ours-pipe.zip" if through_pipe else "ours-file.zip")
        command = ["write", ours.windows_path(archive)] + (["--pipe"] if through_pipe else []) + names
        check(ours.run(command, cwd=src).returncode == 0, f"writing {archive}")
        check_our_archive(archive, files, folders, through_pipe, work)

    # Theirs, read by us.
    peer = os.path.join(work, "infozip.zip")
    subprocess.run(["zip", "-q", "-r", "-8", peer, "."], cwd=src, check=True)

    streamed = os.path.join(work, "infozip-streamed.zip")
    with open(streamed, "wb") as out:
        producer = subprocess.Popen(["zip", "-q", "-8", "-", *names], cwd=src, stdout=subprocess.PIPE)
        shutil.copyfileobj(producer.stdout, out)
        check(producer.wait() == 0, "zip - (streamed)")
    with zipfile.ZipFile(streamed) as z:
        check(any(i.flag_bits & 8 for i in z.infolist()), "the streamed archive has data descriptors")

    commented = os.path.join(work, "infozip-comment.zip")
    shutil.copy(peer, commented)
    subprocess.run(["zip", "-q", "-z", commented], input=b"backup comment " * 20, check=True)
    with zipfile.ZipFile(commented) as z:
        check(len(z.comment) >= 200, "the comment was written")

    leading = os.path.join(work, "infozip-leading.zip")
    with open(leading, "wb") as out, open(peer, "rb") as archive:
        out.write(b"\x4d\x5a" + bytes(998))
        out.write(archive.read())

    python_written = os.path.join(work, "python.zip")
    with zipfile.ZipFile(python_written, "w", zipfile.ZIP_DEFLATED) as z:
        for name in names:
            z.write(os.path.join(src, name), name)

    for archive in (peer, streamed, commented, leading, python_written):
        check_peer_archive(ours, archive, files, set(folders), work)

    if FAILURES:
        print(f"{len(FAILURES)} check(s) failed; files kept in {work}")
        return 1
    shutil.rmtree(work, ignore_errors=True)
    print("all peer checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
