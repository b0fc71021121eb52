#!/usr/bin/env python3
"""The version library's guard must be a handler Windows will call.

  check-safeseh.py <Quarnel.exe> <linker map of that link>
  check-safeseh.py --fixtures <Quarnel.exe> <linker map>

The second form proves the check can fail: it gives copies of the image the
faults it looks for (NO_SEH set; a SafeSEH table without the handler) and
expects each refused, and a table that lists the handler accepted.

The guard is a frame on the i386 exception chain. Windows' dispatcher refuses
a handler in an image that carries IMAGE_DLLCHARACTERISTICS_NO_SEH, or whose
load configuration has a SafeSEH table that does not list it. Wine checks
neither, so no test run under Wine would notice: this reads the image itself.
The handler's address comes from the link map (the release is stripped).
"""
import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_image import (  # noqa: E402
    Image, LOAD_CONFIG_DIRECTORY, SE_HANDLER_FIELDS_END, SE_HANDLER_TABLE_OFFSET, report_fixtures)

NO_SEH = 0x0400


def verdict(data, handler_rva):
    """None when Windows would call the handler at `handler_rva`, else why not."""
    image = Image(data)
    if image.dll_characteristics() & NO_SEH:
        return "the image carries IMAGE_DLLCHARACTERISTICS_NO_SEH: no handler of it is ever called"
    table = image.safeseh_table()
    if table is not None and handler_rva not in table:
        return "the SafeSEH table (%d entries) does not list the guard's handler at 0x%x" % (
            len(table), handler_rva)
    return None


def handler_rva_from_map(map_text, image_base):
    match = re.search(r"^ \.text\$\S*GuardHandler\S*\s*\n?\s+0x([0-9a-f]+)", map_text, re.M)
    if not match:
        return None
    return int(match.group(1), 16) - image_base


def with_no_seh(data):
    image = Image(data)
    patched = bytearray(data)
    struct.pack_into("<H", patched, image.dll_characteristics_offset,
                     image.dll_characteristics() | NO_SEH)
    return bytes(patched)


def with_safeseh_table(data, listed_rva):
    """A copy whose load configuration lists one handler, `listed_rva`. The
    directory is written over the start of the resource data, which the
    verdict never reads."""
    image = Image(data)
    rva = image.directory(2)[0]
    offset = image.offset_of(rva)
    config = bytearray(SE_HANDLER_FIELDS_END)
    struct.pack_into("<I", config, 0, SE_HANDLER_FIELDS_END)
    struct.pack_into("<II", config, SE_HANDLER_TABLE_OFFSET,
                     image.image_base + rva + SE_HANDLER_FIELDS_END, 1)
    patched = bytearray(data)
    patched[offset:offset + SE_HANDLER_FIELDS_END + 4] = bytes(config) + struct.pack("<I", listed_rva)
    struct.pack_into("<II", patched, image.directories + 8 * LOAD_CONFIG_DIRECTORY,
                     rva, SE_HANDLER_FIELDS_END)
    return bytes(patched)


def fixture_cases(data, handler):
    return [
        ("NO_SEH set", False, with_no_seh(data)),
        ("a SafeSEH table without the handler", False, with_safeseh_table(data, handler + 0x10)),
        ("a SafeSEH table listing the handler", True, with_safeseh_table(data, handler)),
    ]


def main(argv):
    fixtures = len(argv) == 4 and argv[1] == "--fixtures"
    if len(argv) != 3 and not fixtures:
        print(__doc__)
        return 2
    exe_path, map_path = argv[-2:]
    with open(exe_path, "rb") as exe:
        data = exe.read()
    with open(map_path, encoding="utf-8", errors="replace") as link_map:
        handler = handler_rva_from_map(link_map.read(), Image(data).image_base)
    if handler is None:
        print("FAIL: the link map names no GuardHandler section")
        return 1
    if fixtures:
        return report_fixtures(fixture_cases(data, handler),
                               lambda image: verdict(image, handler) is None)
    why = verdict(data, handler)
    if why:
        print("FAIL: " + why)
        return 1
    print("PASS: guard handler at RVA 0x%x is one Windows will call" % handler)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
