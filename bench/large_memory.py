#!/usr/bin/env python3
"""Peak memory and time of yoheki-batch on a very large project.

Usage: bench/large_memory.py BUILD_DIR [ITEMS]   (default 105502 items, about 50 MB)

Makes the project from the bundled sample's items under numbered names, runs
`yoheki-batch text` and `yoheki-batch summary` on it and prints each run's
wall time and peak memory beside the file's size. Not a test: run it by hand.
"""
import os, re, resource, subprocess, sys, tempfile, time

build = sys.argv[1]
items = int(sys.argv[2]) if len(sys.argv) > 2 else 105502
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sample = open(os.path.join(root, "data", "見本工事.Fa1"), "rb").read().decode("cp932")
sections = re.findall(r"\[([^\]\r\n]+)\]\r?\n(.*?)(?=\r?\n\[|\Z)", sample, re.S)

with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "large.Fa1")
    with open(path, "wb") as out:
        for i in range(items):
            name, body = sections[i % len(sections)]
            lines = [l for l in body.replace("\r", "").split("\n") if l.strip()]
            text = "[%s-%d]\r\n" % (name, i + 1) + "".join(l + "\r\n" for l in lines) + "\r\n"
            out.write(text.encode("cp932"))
    size = os.path.getsize(path) / 2**20
    print("project: %d items, %.1f MiB" % (items, size))
    program = os.path.join(build, "batch", "yoheki-batch")
    for command in (["text", path], ["summary", path]):
        start = time.monotonic()
        pid = os.fork()
        if pid == 0:
            devnull = os.open(os.devnull, os.O_WRONLY)
            os.dup2(devnull, 1)
            os.dup2(devnull, 2)
            os.execv(program, [program] + command)
        _, status, usage = os.wait4(pid, 0)
        wall = time.monotonic() - start
        peak = usage.ru_maxrss / 1024
        print("%-8s %6.2f s  peak %7.1f MiB  (%.1f x the file)  exit %d"
              % (command[0], wall, peak, peak / size, os.waitstatus_to_exitcode(status)))
