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
import re
import struct
import sys

NO_SEH = 0x0400
LOAD_CONFIG_DIRECTORY = 10
# IMAGE_LOAD_CONFIG_DIRECTORY32: SEHandlerTable and SEHandlerCount.
SE_HANDLER_TABLE_OFFSET = 0x40
SE_HANDLER_FIELDS_END = 0x48


class Image:
    """The few PE32 header fields the verdict needs."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections = struct.unpack_from("<H", data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x10B:
            raise ValueError("not a PE32 image")
        self.dll_characteristics_offset = optional + 70
        self.image_base = struct.unpack_from("<I", data, optional + 28)[0]
        self.directories = optional + 96
        self.sections = []
        for index in range(sections):
            header = optional + optional_size + 40 * index
            virtual_size, rva, raw_size, raw_offset = struct.unpack_from("<IIII", data, header + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset, raw_size))

    def dll_characteristics(self):
        return struct.unpack_from("<H", self.data, self.dll_characteristics_offset)[0]

    def directory(self, index):
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def offset_of(self, rva):
        for start, size, raw_offset, raw_size in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw_offset + rva - start
        raise ValueError("RVA 0x%x lies in no section's file data" % rva)

    def safeseh_table(self):
        """The handler RVAs the load configuration lists, or None without a table."""
        rva, size = self.directory(LOAD_CONFIG_DIRECTORY)
        if rva == 0:
            return None
        config = self.offset_of(rva)
        declared = struct.unpack_from("<I", self.data, config)[0]
        if min(size or declared, declared) < SE_HANDLER_FIELDS_END:
            return None
        table_va, count = struct.unpack_from("<II", self.data, config + SE_HANDLER_TABLE_OFFSET)
        if table_va == 0:
            return None
        table = self.offset_of(table_va - self.image_base)
        return list(struct.unpack_from("<%dI" % count, self.data, table))


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


def fixture_failures(data, handler):
    cases = [
        ("NO_SEH set", with_no_seh(data), False),
        ("a SafeSEH table without the handler", with_safeseh_table(data, handler + 0x10), False),
        ("a SafeSEH table listing the handler", with_safeseh_table(data, handler), True),
    ]
    failures = []
    for name, image, accepted in cases:
        if (verdict(image, handler) is None) != accepted:
            failures.append("%s was %s" % (name, "refused" if accepted else "accepted"))
    return failures


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
        failures = fixture_failures(data, handler)
        for failure in failures:
            print("FAIL: " + failure)
        if failures:
            return 1
        print("PASS: every faulty copy refused, the listed handler accepted")
        return 0
    why = verdict(data, handler)
    if why:
        print("FAIL: " + why)
        return 1
    print("PASS: guard handler at RVA 0x%x is one Windows will call" % handler)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
