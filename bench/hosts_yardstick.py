#!/usr/bin/env python3
# The HOSTS benchmark's yardstick: every line of a file classified with re.search
# of the plugin's expression (a backtracking engine, as Boost.Regex is).
# Prints the number of matching lines.
import re
import sys

EXPRESSION = re.compile(rb"\s*(([0-9]+)\.([0-9]+)\.([0-9]+)\.([0-9]+))\s+([^ \t#]+)\s*")

with open(sys.argv[1], "rb") as f:
    lines = f.read().split(b"\n")
count = 0
for line in lines:
    match = EXPRESSION.search(line)
    if match:
        count += 1
print(count)
