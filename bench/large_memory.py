#!/usr/bin/env python3
"""Peak memory and time of yoheki-batch on a very large project.

Usage: bench/large_memory.py BUILD_DIR [ITEMS]   (default 105502 items, about 50 MB)

Makes the project from the bundled sample's items under numbered names, runs
`yoheki-batch text` and `yoheki-batch summary` on it and prints each run's
wall time and peak memory beside the file's size. Not a test: run it by hand.
"""
import os, sys, tempfile

from large_commands import run, write_project

build = sys.argv[1]
items = int(sys.argv[2]) if len(sys.argv) > 2 else 105502

with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "large.Fa1")
    write_project(path, items, False)
    size = os.path.getsize(path) / 2**20
    print("project: %d items, %.1f MiB" % (items, size))
    program = os.path.join(build, "batch", "yoheki-batch")
    for command in (["text", path], ["summary", path]):
        _, wall, peak, status = run(program, command)
        print("%-8s %6.2f s  peak %7.1f MiB  (%.1f x the file)  exit %d"
              % (command[0], wall, peak, peak / size, status))
