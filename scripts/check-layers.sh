#!/usr/bin/env bash
# Checks the include order of the layers: every #include "..." of the sources
# names a file of a layer below its own, or of its own layer (a layer's
# subfolders, such as prefix/, memory/ or tree/, belong to it). Two layers of one
# rank may include each other's files in one direction only. Bottom to top:
#
#   platform/failure
#   platform/util, platform/thread
#   platform/file
#   platform/xml, platform/zip
#   platform/registry, update
#   engine/plugins
#   engine, tools
#   app/pages
#   app, bench, fuzz
#
# Also: a memory/ folder (a layer held in memory) is included only by tests,
# benchmarks, fuzz targets and other memory/ folders; no source but a benchmark (which builds
# its engines over the tests' peers) includes a test file; the
# tests (tests/) include any layer, but the shared test support (tests/support)
# only the platform layers. Prints every offending line and exits 1 when there is
# one; exits 0 and says what it checked otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - <<'CHECK'
import os
import re
import sys

RANKS = [
    ["platform/failure"],
    ["platform/util", "platform/thread"],
    ["platform/file"],
    ["platform/xml", "platform/zip"],
    ["platform/registry", "update"],
    ["engine/plugins"],
    ["engine", "tools"],
    ["app/pages"],
    ["app", "bench", "fuzz"],
]
RANK = {layer: rank for rank, layers in enumerate(RANKS) for layer in layers}
FOLDERS = ["app", "bench", "engine", "fuzz", "platform", "tests", "tools", "update"]
SOURCE_ENDINGS = (".h", ".hpp", ".c", ".cc", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(path):
    """The layer a file belongs to: the longest layer folder above it."""
    found = None
    for layer in RANK:
        if path.startswith(layer + "/") and (found is None or len(layer) > len(found)):
            found = layer
    return found


def in_memory_folder(path):
    return "/memory/" in "/" + path


def sources():
    for top in FOLDERS:
        for folder, subfolders, files in os.walk(top):
            subfolders.sort()
            for name in sorted(files):
                if name.endswith(SOURCE_ENDINGS):
                    yield os.path.join(folder, name)


def includes(path):
    with open(path, encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, line.rstrip("\n"), match.group(1)


def test_fault(path, target):
    """Why a test's include is wrong, or None."""
    if not path.startswith("tests/support/"):
        return None
    if target.startswith("platform/") or target.startswith("tests/support/"):
        return None
    return "the test support includes only platform layers"


def layer_fault(path, layer, target):
    """Why a source's include is wrong, or None."""
    if target.startswith("tests/") and layer != "bench":
        return "a source includes a test file"
    if target.startswith("tests/"):
        return None
    if in_memory_folder(target) and not in_memory_folder(path) and layer not in ("bench", "fuzz"):
        return "only tests, benchmarks and fuzz targets include a memory peer"
    included = layer_of(target)
    if included is None:
        return "names no file of a layer"
    if RANK[included] > RANK[layer]:
        return "%s includes %s, a layer above it" % (layer, included)
    return None


problems = []  # the lines to print
faults = 0
same_rank = {}  # (from layer, to layer) -> its include lines
files = count = 0
for path in sources():
    files += 1
    layer = None if path.startswith("tests/") else layer_of(path)
    if layer is None and not path.startswith("tests/"):
        problems.append("%s: belongs to no layer" % path)
        faults += 1
        continue
    for number, line, target in includes(path):
        count += 1
        where = "%s:%d: %s" % (path, number, line.strip())
        why = test_fault(path, target) if layer is None else layer_fault(path, layer, target)
        if why:
            problems.append("%s  (%s)" % (where, why))
            faults += 1
            continue
        included = layer_of(target)
        if layer is not None and included not in (None, layer) and RANK[included] == RANK[layer]:
            same_rank.setdefault((layer, included), []).append(where)

for (first, second), lines in sorted(same_rank.items()):
    if first < second and (second, first) in same_rank:
        problems.append("%s and %s include each other:" % (first, second))
        problems.extend("  " + line for line in lines + same_rank[(second, first)])
        faults += len(lines) + len(same_rank[(second, first)])

if problems:
    print("check-layers: %d include(s) break the order of the layers:" % faults)
    print("\n".join(problems))
    sys.exit(1)
print("check-layers: %d includes in %d files, each one within its layer or to a layer below." % (count, files))
CHECK
