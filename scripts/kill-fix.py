#!/usr/bin/env python3
"""Kills fixes of the demo at random instants and checks that nothing is lost.

kill-fix.py RUNS DEMO_FOLDER: DEMO_FOLDER is the demo product a release build lays out
(build/release/demo, with tamblix-cli and the demo prefix). Each run copies the demo
prefix afresh, starts `tamblix-cli fix --select all` on the copy and kills it with
SIGKILL at a random instant within the time a whole fix takes. Then the product must
start and scan the copy (its registry files parse and load), and every value of the
registry error scan that is no longer in the registry must be in an undo file of the
product's log folder. Prints each lost run and survived/total; exits 1 on any loss.
"""
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def cli(demo, prefix, *args, timeout=120):
    env = dict(os.environ, WINEPREFIX=prefix)
    return subprocess.run([os.path.join(demo, "tamblix-cli"), *args, "--json"], env=env, capture_output=True,
                          text=True, timeout=timeout)


def scanned_values(demo, prefix):
    """(key, value name) of the registry error scan's value removals, lower case; None if the scan failed."""
    run = cli(demo, prefix, "scan")
    if run.returncode not in (0, 1):
        return None
    report = json.loads(run.stdout)
    return {(r["key"].lower(), r["valueName"].lower())
            for r in report["registry"]
            if r["action"].lower() == "remove value" and not re.match(r"(domain|range)group", r["group"])}


def read_text(path):
    """A .reg file's text: regedit's files are UTF-16 with a byte order mark, older ones ANSI."""
    with open(path, "rb") as file:
        data = file.read()
    return data.decode("utf-16" if data.startswith(b"\xff\xfe") else "utf-8", errors="replace")


def values_of(text):
    """(key, value name) of each value a .reg text sets, lower case."""
    found, key = set(), None
    for line in text.replace("\r\n", "\n").split("\n"):
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1].lower()
        elif key and line.startswith("@="):
            found.add((key, ""))
        elif key and line.startswith('"'):
            value = re.match(r'"((?:[^"\\]|\\.)*)"=', line)
            if value:
                found.add((key, value.group(1).replace('\\"', '"').replace("\\\\", "\\").lower()))
    return found


def undo_values(prefix):
    """(key, value name) of every value the undo files on disk bring back, lower case."""
    found = set()
    for folder, _, files in os.walk(os.path.join(prefix, "drive_c", "users")):
        for name in files:
            if name.lower().endswith(".reg"):
                found |= values_of(read_text(os.path.join(folder, name)))
    return found


def fix_seconds(demo, template, scratch):
    prefix = os.path.join(scratch, "timing")
    shutil.copytree(template, prefix, symlinks=True)
    started = time.monotonic()
    cli(demo, prefix, "fix", "--select", "all")
    shutil.rmtree(prefix)
    return time.monotonic() - started


def one_run(demo, template, scratch, before, seconds, number):
    prefix = os.path.join(scratch, "run%d" % number)
    shutil.copytree(template, prefix, symlinks=True)
    env = dict(os.environ, WINEPREFIX=prefix)
    fix = subprocess.Popen([os.path.join(demo, "tamblix-cli"), "fix", "--select", "all", "--json"], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(random.uniform(0, seconds))
    fix.send_signal(signal.SIGKILL)
    fix.wait()
    try:
        after = scanned_values(demo, prefix)
        if after is None:
            return "the product does not start or scan after the kill"
        lost = (before - after) - undo_values(prefix)
        if lost:
            return "removed without an undo file: " + ", ".join("%s\\%s" % value for value in sorted(lost))
        return None
    finally:
        shutil.rmtree(prefix, ignore_errors=True)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    runs, demo = int(sys.argv[1]), os.path.abspath(sys.argv[2])
    template = os.path.join(demo, "prefix")
    with tempfile.TemporaryDirectory() as scratch:
        before = scanned_values(demo, template)
        if not before:
            sys.exit("the demo scan suggests no registry value removals")
        seconds = fix_seconds(demo, template, scratch) * 1.2
        print("%d registry values suggested; a whole fix takes %.0f ms" % (len(before), seconds / 1.2 * 1000))
        survived = 0
        for number in range(runs):
            problem = one_run(demo, template, scratch, before, seconds, number)
            if problem:
                print("run %d: %s" % (number + 1, problem))
            else:
                survived += 1
        print("survived: %d/%d" % (survived, runs))
    sys.exit(0 if survived == runs else 1)


if __name__ == "__main__":
    main()
