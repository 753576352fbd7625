#!/usr/bin/env python3
"""A backup made after a real scan, checked by Info-ZIP's unzip.

Runs the end-to-end backup test in the Wine sandbox with its backup folder set to a
known folder on the sandbox's drive C. The test leaves the archive there with a list of
what it must hold (the archive's Windows path, then one "size<TAB>path" line per file).
The archive must pass `unzip -t` and `unzip -l` must list exactly those files.
"""
import argparse
import os
import shutil
import subprocess
import sys

PEER_FOLDER = "TidewrackBackupPeer"
TEST = "DeleteAndBackupTest.ScannedFilesAreBackedUpDeletedAndRestored"


def host_path(drive_c, windows_path):
    drive, _, rest = windows_path.partition(":\\")
    if drive.upper() != "C":
        raise ValueError(f"not on drive C: {windows_path}")
    return os.path.join(drive_c, *rest.split("\\"))


def unzip_listing(archive):
    """(size, name) of every entry, from `unzip -l`; None when it fails."""
    result = subprocess.run(["unzip", "-l", archive], capture_output=True, text=True)
    if result.returncode != 0:
        print(result.stdout, result.stderr)
        return None
    lines = result.stdout.splitlines()
    dashes = [i for i, line in enumerate(lines) if line.startswith("---------")]
    entries = set()
    for line in lines[dashes[0] + 1:dashes[1]]:
        size, _date, _time, name = line.split(None, 3)
        entries.add((int(size), name))
    return entries


def check(drive_c, wine_run, test):
    peer = os.path.join(drive_c, PEER_FOLDER)
    env = dict(os.environ, TIDEWRACK_BACKUP_PEER="C:\\" + PEER_FOLDER)
    result = subprocess.run([wine_run, test, "--gtest_filter=" + TEST], env=env,
                            capture_output=True, text=True, timeout=300)
    print(result.stdout)
    if result.returncode != 0 or "[  PASSED  ] 1 test" not in result.stdout:
        print("FAIL: the backup test did not pass")
        return False

    with open(os.path.join(peer, "expected.txt"), encoding="cp1252") as f:
        lines = f.read().splitlines()
    archive = host_path(drive_c, lines[0])
    # Entry names are the full Windows paths with forward slashes.
    expected = set()
    for line in lines[1:]:
        size, path = line.split("\t")
        expected.add((int(size), path.replace("\\", "/")))

    tested = subprocess.run(["unzip", "-t", archive], capture_output=True, text=True)
    print(tested.stdout, tested.stderr)
    if tested.returncode != 0:
        print("FAIL: unzip -t")
        return False
    listed = unzip_listing(archive)
    if listed != expected:
        print(f"FAIL: unzip -l lists {sorted(listed or [])}, expected {sorted(expected)}")
        return False
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--test", required=True)
    parser.add_argument("--drive-c", required=True)
    args = parser.parse_args()

    drive_c = os.path.realpath(args.drive_c)
    peer = os.path.join(drive_c, PEER_FOLDER)
    shutil.rmtree(peer, ignore_errors=True)
    os.makedirs(peer)
    try:
        passed = check(drive_c, os.path.abspath(args.wine_run), os.path.abspath(args.test))
    finally:
        shutil.rmtree(peer, ignore_errors=True)
    print("backup peer check passed" if passed else "backup peer check failed")
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
