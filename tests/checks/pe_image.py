"""The few PE32 header fields the image checks read: sections, data
directories, the load configuration's SafeSEH table, the subsystem version
and the import table."""
import struct

IMPORT_DIRECTORY = 1
LOAD_CONFIG_DIRECTORY = 10
# IMAGE_LOAD_CONFIG_DIRECTORY32: SEHandlerTable and SEHandlerCount.
SE_HANDLER_TABLE_OFFSET = 0x40
SE_HANDLER_FIELDS_END = 0x48
# IMAGE_OPTIONAL_HEADER32: MajorSubsystemVersion, MinorSubsystemVersion.
SUBSYSTEM_VERSION_OFFSET = 48
ORDINAL_FLAG = 0x80000000


class Image:
    """A PE32 image read from its bytes."""

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
        self.subsystem_version_offset = optional + SUBSYSTEM_VERSION_OFFSET
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

    def subsystem_version(self):
        """(major, minor): the oldest Windows whose loader will run the image."""
        return struct.unpack_from("<HH", self.data, self.subsystem_version_offset)

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

    def _string(self, rva):
        offset = self.offset_of(rva)
        return self.data[offset:self.data.index(b"\0", offset)].decode("ascii")

    def imports(self):
        """(dll, function) for every import by name, and (dll, "#n") by ordinal."""
        rva = self.directory(IMPORT_DIRECTORY)[0]
        found = []
        if rva == 0:
            return found
        descriptor = self.offset_of(rva)
        while True:
            lookup, _, _, name, address = struct.unpack_from("<IIIII", self.data, descriptor)
            if name == 0:
                return found
            dll = self._string(name)
            thunk = self.offset_of(lookup or address)
            while True:
                entry = struct.unpack_from("<I", self.data, thunk)[0]
                if entry == 0:
                    break
                if entry & ORDINAL_FLAG:
                    found.append((dll, "#%d" % (entry & 0xFFFF)))
                else:
                    found.append((dll, self._string(entry + 2)))
                thunk += 4
            descriptor += 20


def report_fixtures(cases, accepts):
    """Runs each (name, accepted, *inputs) case through `accepts(*inputs)`,
    prints a FAIL line for each wrong verdict or one PASS line; the exit code."""
    failures = []
    for name, accepted, *inputs in cases:
        if accepts(*inputs) != accepted:
            failures.append("%s was %s" % (name, "refused" if accepted else "accepted"))
    for failure in failures:
        print("FAIL: " + failure)
    if failures:
        return 1
    print("PASS: every faulty case refused, every sound one accepted")
    return 0
