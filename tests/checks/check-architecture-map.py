#!/usr/bin/python3
"""Fails when docs/ARCHITECTURE.md's run table names a function in a file
that does not define it, or a file that does not exist, so that the page a
newcomer reads first fails the build the day it drifts from the code.

In the table's "Where" column, a function is written `Name`, `folder/file`
(or `Name` in `folder/file`); a file alone is `folder/file`. A definition is
a line of that file that starts at its first column, is no comment, names the
function (a method as `Class::Method`) right before its parameter list and
does not end in a semicolon.

Usage: check-architecture-map.py SOURCE_ROOT
"""
import os
import re
import sys

PAIR = re.compile(r"`([A-Za-z_][A-Za-z0-9_:]*)`(?:,| in) `([\w./-]+\.(?:cpp|h))`")
FILE = re.compile(r"`([\w./-]+\.(?:cpp|h))`")


def run_table_rows(page):
    """The "Where" cell of each row of the table under "## The run"."""
    section = page.split("\n## The run\n", 1)
    if len(section) < 2:
        return []
    rows = []
    for line in section[1].split("\n## ", 1)[0].splitlines():
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        if line.startswith("|") and len(cells) >= 3 and not set(cells[1]) <= set("-: "):
            rows.append((cells[0], cells[1]))
    return rows[1:]  # the first is the heading


def defines(source, name):
    pattern = re.compile(r"^(?![\s/]).*(?<![\w:])" + re.escape(name) + r"\s*\(.*$", re.M)
    return any(not line.rstrip().endswith(";") for line in pattern.findall(source))


def main():
    root = sys.argv[1]
    with open(os.path.join(root, "docs", "ARCHITECTURE.md"), encoding="utf-8") as page:
        rows = run_table_rows(page.read())
    failures, checked = 0, 0
    for step, where in rows:
        for path in FILE.findall(where):
            if not os.path.isfile(os.path.join(root, path)):
                print("FAIL: row %r names %s, which does not exist" % (step, path))
                failures += 1
        for name, path in PAIR.findall(where):
            full = os.path.join(root, path)
            if not os.path.isfile(full):
                continue
            checked += 1
            with open(full, encoding="utf-8") as source:
                if not defines(source.read(), name):
                    print("FAIL: row %r names %s in %s, which does not define it" % (step, name, path))
                    failures += 1
    if checked == 0:
        print("FAIL: the run table names no function in a file")
        return 1
    if failures:
        return 1
    print("PASS: %d functions of %d rows defined where the run table says" % (checked, len(rows)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
