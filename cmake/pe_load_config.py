#!/usr/bin/env python3
"""Points an exe's PE load configuration directory at its _load_config_used.

GNU ld 2.40 links the structure in but leaves the directory empty, so Windows
would never read it. Usage: pe_load_config.py EXE (after linking, in place).
The directory's size is the structure's own first field, as linkers set it.
"""

import struct
import sys

LOAD_CONFIG_ENTRY = 10
SYMBOL_SIZE = 18


def main(path):
    with open(path, "r+b") as exe:
        image = exe.read()
        pe = struct.unpack_from("<I", image, 0x3C)[0]
        if image[pe:pe + 4] != b"PE\0\0":
            raise SystemExit("%s: not a PE image" % path)
        _, _, _, symbols_at, symbols, optional_size, _ = struct.unpack_from("<HHIIIHH", image, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", image, optional)[0]
        # x86 C names carry a leading underscore.
        wanted = b"_load_config_used" if magic == 0x20B else b"__load_config_used"
        directories = optional + (112 if magic == 0x20B else 96)
        section_table = optional + optional_size
        strings_at = symbols_at + symbols * SYMBOL_SIZE

        index = 0
        while index < symbols:
            entry = symbols_at + index * SYMBOL_SIZE
            short_name, value, section, _, _, aux = struct.unpack_from("<8sIhHBB", image, entry)
            if short_name[:4] == b"\0\0\0\0":
                start = strings_at + struct.unpack_from("<I", short_name, 4)[0]
                name = bytes(image[start:image.index(b"\0", start)])
            else:
                name = short_name.rstrip(b"\0")
            if name == wanted and section > 0:
                header = section_table + (section - 1) * 40
                _, virtual_address, _, raw_pointer = struct.unpack_from("<IIII", image, header + 8)
                size = struct.unpack_from("<I", image, raw_pointer + value)[0]
                exe.seek(directories + LOAD_CONFIG_ENTRY * 8)
                exe.write(struct.pack("<II", virtual_address + value, size))
                return 0
            index += 1 + aux
        raise SystemExit("%s: no %s symbol" % (path, wanted.decode()))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
