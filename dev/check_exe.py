#!/usr/bin/env python3
"""Checks what Windows reads from a built Quellbrook.exe before its first
instruction, from the file alone, so that it holds for the x86 build on a
machine that cannot run it:

  - every imported function is one that Windows 7 SP1 has
    (dev/windows7_imports.txt, each entry checked against Microsoft's
    documentation when it was added);
  - the load configuration's DependentLoadFlags is LOAD_LIBRARY_SEARCH_SYSTEM32;
  - the manifest (ID 1) is res/quellbrook.manifest byte for byte;
  - each icon group holds exactly the images of its .ico file in res/.

Usage: check_exe.py EXE. Prints each fault and exits 1 if there is any.
"""

import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
ICONS = {1: "quellbrook.ico", 2: "hosts.ico"}
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        self.wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
        self.directories = optional + (112 if self.wide else 96)
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for _, address, raw_size, raw in self.sections:
            if address <= rva < address + raw_size:
                return raw + rva - address
        raise ValueError("RVA %#x lies in no section" % rva)

    def directory(self, index):
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode()

    def imports(self):
        entry = self.offset(self.directory(1)[0])
        thunk_format, ordinal_bit = ("<Q", 1 << 63) if self.wide else ("<I", 1 << 31)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, entry)
            if not name:
                return
            thunk = self.offset(lookup or first)
            while value := struct.unpack_from(thunk_format, self.data, thunk)[0]:
                function = "#%d" % (value & 0xFFFF) if value & ordinal_bit else self.string(value + 2)
                yield "%s!%s" % (self.string(name).lower(), function)
                thunk += struct.calcsize(thunk_format)
            entry += 20

    def dependent_load_flags(self):
        rva, size = self.directory(10)
        field = 78 if self.wide else 54
        return struct.unpack_from("<H", self.data, self.offset(rva) + field)[0] if size >= field + 2 else None

    def resources(self, kind):
        """The resources of one type, by ID, in their first language."""
        base = self.offset(self.directory(2)[0])

        def entries(at):
            named, numbered = struct.unpack_from("<12xHH", self.data, base + at)
            for i in range(named + numbered):
                yield struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)

        found = {}
        for type_id, types in entries(0):
            if type_id == kind:
                for name_id, languages in entries(types & 0x7FFFFFFF):
                    _, leaf = next(entries(languages & 0x7FFFFFFF))
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    found[name_id] = self.data[self.offset(rva):self.offset(rva) + size]
        return found


def faults(image):
    allowed = {line.split()[0] for line in (ROOT / "dev" / "windows7_imports.txt").read_text().splitlines()
               if line and not line.startswith("#")}
    for function in sorted(set(image.imports()) - allowed):
        yield "imports %s, which dev/windows7_imports.txt does not list as present in Windows 7 SP1" % function
    flags = image.dependent_load_flags()
    if flags != LOAD_LIBRARY_SEARCH_SYSTEM32:
        yield "DependentLoadFlags is %s, not 0x800" % (hex(flags) if flags is not None else "missing")
    if image.resources(24).get(1) != (ROOT / "res" / "quellbrook.manifest").read_bytes():
        yield "manifest 1 is not res/quellbrook.manifest"
    images, groups = image.resources(3), image.resources(14)
    for group_id, name in ICONS.items():
        ico = (ROOT / "res" / name).read_bytes()
        group = groups.get(group_id, b"\0" * 6)
        count = struct.unpack_from("<4xH", ico)[0]
        expected = [(ico[6 + 16 * i:18 + 16 * i], ico[offset:offset + size]) for i in range(count)
                    for size, offset in [struct.unpack_from("<II", ico, 14 + 16 * i)]]
        held = [(group[6 + 14 * i:18 + 14 * i], images.get(struct.unpack_from("<H", group, 18 + 14 * i)[0]))
                for i in range(struct.unpack_from("<4xH", group)[0])]
        if held != expected:
            yield "icon group %d does not hold exactly the images of res/%s" % (group_id, name)


def main(path):
    found = list(faults(Image(Path(path).read_bytes())))
    for fault in found:
        print("%s: %s" % (path, fault))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
