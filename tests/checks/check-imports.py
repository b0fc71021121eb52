#!/usr/bin/env python3
"""Every loader that must accept the launcher finds every function it imports.

  check-imports.py <Quarnel.exe> <import-minimums.tsv>
  check-imports.py --fixtures <Quarnel.exe> <import-minimums.tsv>

The launcher refuses Windows below 6.1 with a message of its own, which it
can only show where the loader starts it: the image's subsystem version must
be 6.0 at most, and no imported function may be newer than that version, or
the loader refuses the file before any code runs. Wine ignores both, so this
reads the image. The table gives each import the oldest Windows its own
documentation names; a function newer than the subsystem version is to be
looked up at run time (GetProcAddress), where it stays out of the import
table. The second form proves the check can fail.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_image import Image, report_fixtures  # noqa: E402

# Windows 6.0's loader must still start the image.
NEWEST_SUBSYSTEM = (6, 0)


def read_table(path):
    """{(dll, function): (major, minor)} from the tab-separated table."""
    table = {}
    with open(path, encoding="utf-8") as rows:
        for number, row in enumerate(rows):
            fields = row.rstrip("\n").split("\t")
            if number == 0 or not row.strip():
                continue
            if len(fields) < 3:
                raise ValueError("%s:%d: want dll, function, oldest, source" % (path, number + 1))
            major, minor = fields[2].split(".")
            table[(fields[0].lower(), fields[1])] = (int(major), int(minor))
    return table


def version_text(version):
    return "%d.%d" % version


def verdicts(data, table):
    """The problems found, and the listing of every import with its version."""
    image = Image(data)
    subsystem = image.subsystem_version()
    problems = []
    if subsystem > NEWEST_SUBSYSTEM:
        problems.append("subsystem version %s: the loaders before it refuse the image, so they "
                        "never show the unsupported-Windows message" % version_text(subsystem))
    listing = []
    for dll, function in image.imports():
        oldest = table.get((dll.lower(), function))
        if oldest is None:
            problems.append("%s!%s is not in the table: add it with the oldest Windows its "
                            "documentation names" % (dll, function))
            continue
        listing.append("%-13s %-32s %s" % (dll.lower(), function, version_text(oldest)))
        if oldest > subsystem:
            problems.append("%s!%s needs Windows %s, but the image claims %s: look it up at run "
                            "time" % (dll, function, version_text(oldest), version_text(subsystem)))
    return subsystem, problems, listing


def with_subsystem(data, version):
    patched = bytearray(data)
    struct.pack_into("<HH", patched, Image(data).subsystem_version_offset, *version)
    return bytes(patched)


def fixture_cases(data, table):
    first = next(iter(Image(data).imports()))
    key = (first[0].lower(), first[1])
    newer = dict(table)
    newer[key] = (6, 1)
    missing = dict(table)
    missing.pop(key, None)
    return [
        ("the image as built", True, data, table),
        ("subsystem 6.1", False, with_subsystem(data, (6, 1)), table),
        ("an import newer than the subsystem", False, data, newer),
        ("an import the table lacks", False, data, missing),
    ]


def main(argv):
    fixtures = len(argv) == 4 and argv[1] == "--fixtures"
    if len(argv) != 3 and not fixtures:
        print(__doc__)
        return 2
    exe_path, table_path = argv[-2:]
    with open(exe_path, "rb") as exe:
        data = exe.read()
    table = read_table(table_path)
    if fixtures:
        return report_fixtures(fixture_cases(data, table),
                               lambda image, rows: not verdicts(image, rows)[1])
    subsystem, problems, listing = verdicts(data, table)
    print("subsystem %s; imports and the oldest Windows that has each:" % version_text(subsystem))
    for line in listing:
        print("  " + line)
    for problem in problems:
        print("FAIL: " + problem)
    if problems:
        return 1
    print("PASS: %d imports, none newer than subsystem %s" % (len(listing), version_text(subsystem)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
