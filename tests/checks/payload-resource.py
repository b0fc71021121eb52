#!/usr/bin/env python3
"""Writes the installer payload a launcher carries (RT_RCDATA 9300) to a file.

  payload-resource.py <Quarnel.exe> <output file>

Exits 1, with one line, when the image has no such resource.
"""
import struct
import sys

RT_RCDATA = 10
IDR_SETUP_PAYLOAD = 9300
RESOURCE_DIRECTORY = 2


def file_offset(sections, rva):
    for start, size, raw in sections:
        if start <= rva < start + size:
            return raw + rva - start
    raise ValueError("RVA 0x%x lies in no section" % rva)


def entry(data, directory, wanted_id):
    """The offset (within .rsrc) an id entry of a resource directory points to."""
    named, ids = struct.unpack_from("<HH", data, directory + 12)
    for index in range(named, named + ids):
        name, target = struct.unpack_from("<II", data, directory + 16 + 8 * index)
        if wanted_id is None or name == wanted_id:
            return target & 0x7FFFFFFF
    raise ValueError("no resource entry %s" % wanted_id)


def payload(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    rva = struct.unpack_from("<I", data, pe + 24 + 96 + 8 * RESOURCE_DIRECTORY)[0]
    table = pe + 24 + optional_size
    sections = []
    for index in range(count):
        size, start, _, raw = struct.unpack_from("<IIII", data, table + 40 * index + 8)
        sections.append((start, size, raw))
    root = file_offset(sections, rva)
    names = root + entry(data, root, RT_RCDATA)
    languages = root + entry(data, names, IDR_SETUP_PAYLOAD)
    leaf = root + entry(data, languages, None)  # the one language it is stored under
    data_rva, size = struct.unpack_from("<II", data, leaf)
    start = file_offset(sections, data_rva)
    return data[start:start + size]


def main(argv):
    with open(argv[1], "rb") as image:
        data = image.read()
    try:
        carried = payload(data)
    except (ValueError, struct.error) as problem:
        print("FAIL: %s carries no payload: %s" % (argv[1], problem))
        return 1
    with open(argv[2], "wb") as out:
        out.write(carried)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
