#!/usr/bin/env python3
"""CPU time and peak memory of yoheki-batch's commands on large projects.

Usage: bench/large_commands.py BUILD_DIR [ITEMS ...]   (default 10000 20000)

Makes each project from the bundled sample's items under numbered names, and a
second revision of it with every seventh item 100 mm longer, then runs
`summary`, `check`, `xlsx`, `compare` and `text` on them, each three times, and
prints the best run's CPU seconds (user + system), wall seconds and peak memory.
Not a test: run it by hand, on a quiet machine, before and after a change.
"""
import os, re, sys, tempfile, time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sample = open(os.path.join(root, "data", "見本工事.Fa1"), "rb").read().decode("cp932")
sections = re.findall(r"\[([^\]\r\n]+)\]\r?\n(.*?)(?=\r?\n\[|\Z)", sample, re.S)


def write_project(path, items, revised):
    with open(path, "wb") as out:
        for i in range(items):
            name, body = sections[i % len(sections)]
            lines = [l for l in body.replace("\r", "").split("\n") if l.strip()]
            if revised and i % 7 == 0:
                lines = [re.sub(r"^(延長さ=)(\d+)", lambda m: m.group(1) + str(int(m.group(2)) + 100), l)
                         for l in lines]
            text = "[%s-%d]\r\n" % (name, i + 1) + "".join(l + "\r\n" for l in lines) + "\r\n"
            out.write(text.encode("cp932"))


def run(program, args):
    """CPU seconds, wall seconds, peak MiB and exit status of one run."""
    start = time.monotonic()
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execv(program, [program] + args)
    _, status, usage = os.wait4(pid, 0)
    return (usage.ru_utime + usage.ru_stime, time.monotonic() - start, usage.ru_maxrss / 1024,
            os.waitstatus_to_exitcode(status))


def main():
    build = sys.argv[1]
    sizes = [int(a) for a in sys.argv[2:]] or [10000, 20000]
    program = os.path.join(build, "batch", "yoheki-batch")
    with tempfile.TemporaryDirectory() as folder:
        measure(program, folder, sizes)


def measure(program, folder, sizes):
    for items in sizes:
        project = os.path.join(folder, "p%d.Fa1" % items)
        revision = os.path.join(folder, "r%d.Fa1" % items)
        write_project(project, items, False)
        write_project(revision, items, True)
        commands = {
            "summary": ["summary", project],
            "check": ["check", project],
            "xlsx": ["xlsx", project, "-o", os.path.join(folder, "out.xlsx")],
            "compare": ["compare", project, revision],
            "text": ["text", project],
        }
        for name, args in commands.items():
            cpu, wall, peak, _ = min(run(program, args) for _ in range(3))
            print("%6d items  %-8s cpu %6.2f s  wall %6.2f s  peak %7.1f MiB" % (items, name, cpu, wall, peak))


if __name__ == "__main__":
    main()
