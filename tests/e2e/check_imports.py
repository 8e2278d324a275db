#!/usr/bin/env python3
"""Checks that a Windows program starts on the oldest Windows it is built for.

    check_imports.py PROGRAM.exe [FLOOR_LIST]

Reads the PE file itself: the machine (x86 or x86_64), the subsystem version the loader
compares with the system's (at most 5.01 for x86, Windows XP; at most 5.02 for x86_64,
Windows XP x64 and Server 2003), and every function imported by name or ordinal, eagerly or
delay-loaded. Each import must be listed for the program's machine in the floor list
(import_floor.txt beside this script by default). Prints one line per finding and exits 1
on any.
"""
import os
import struct
import sys

MACHINES = {0x14C: "x86", 0x8664: "x86_64"}
# The newest subsystem version each machine's oldest system accepts.
SUBSYSTEM_CEILING = {"x86": (5, 1), "x86_64": (5, 2)}
# Per import table: its data directory, the size of one descriptor, and which of the
# descriptor's first five words name the DLL, its name table, and the table to read when a
# linker left the name table out.
IMPORT_TABLES = ((1, 20, 3, 0, 4), (13, 32, 1, 4, 4))


def read_floor(path):
    """{(dll, function): set of machines} from the list's lines: DLL FUNCTION MACHINES NOTE."""
    floor = {}
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            fields = line.split("#", 1)[0].split()
            if not fields:
                continue
            if len(fields) < 3:
                sys.exit(f"{path}:{number}: expected DLL, function and machines")
            machines = set(fields[2].split(","))
            if not machines <= set(MACHINES.values()):
                sys.exit(f"{path}:{number}: unknown machine in {fields[2]}")
            floor[(fields[0].lower(), fields[1])] = machines
    return floor


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        machine, sections, _, _, _, optional_size = struct.unpack_from("<HHIIIH", data, pe + 4)
        self.machine = MACHINES.get(machine)
        if self.machine is None:
            raise ValueError(f"unknown machine {machine:#x}")
        optional = pe + 24
        self.pe32_plus = struct.unpack_from("<H", data, optional)[0] == 0x20B
        self.subsystem_version = struct.unpack_from("<HH", data, optional + 48)
        self.directories = optional + (112 if self.pe32_plus else 96)
        table = optional + optional_size
        # Per section: virtual size and address, raw size and file offset.
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8)
                         for i in range(sections)]

    def directory(self, index):
        """The address of one of the optional header's data directories (0: none)."""
        return struct.unpack_from("<I", self.data, self.directories + 8 * index)[0]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"address {rva:#x} is in no section")

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def thunks(self, rva):
        """The names (or '#ordinal') of one DLL's import name table."""
        size, ordinal_flag = (8, 1 << 63) if self.pe32_plus else (4, 1 << 31)
        position = self.offset(rva)
        while True:
            value = int.from_bytes(self.data[position:position + size], "little")
            if value == 0:
                return
            if value & ordinal_flag:
                yield f"#{value & 0xFFFF}"
            else:  # past the two-byte hint
                yield self.string((value & 0x7FFFFFFF) + 2)
            position += size

    def imports(self):
        """(dll, function) for every import, eager and delay-loaded."""
        for directory, size, name, table, fallback in IMPORT_TABLES:
            rva = self.directory(directory)
            position = self.offset(rva) if rva else 0
            while rva:
                fields = struct.unpack_from("<IIIII", self.data, position)
                if fields[name] == 0:
                    break
                dll = self.string(fields[name]).lower()
                for function in self.thunks(fields[table] or fields[fallback]):
                    yield dll, function
                position += size


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    program = sys.argv[1]
    floor_path = sys.argv[2] if len(sys.argv) == 3 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "import_floor.txt")
    floor = read_floor(floor_path)
    known_dlls = {dll for dll, _ in floor}
    try:
        image = Image(open(program, "rb").read())
        imports = sorted(set(image.imports()))
    except (ValueError, struct.error) as error:
        print(f"imports: {program}: {error}")
        return 1

    findings = []
    ceiling = SUBSYSTEM_CEILING[image.machine]
    if tuple(image.subsystem_version) > ceiling:
        findings.append("subsystem version {}.{:02d}, above {}.{:02d}: the oldest system refuses "
                        "to start it".format(*image.subsystem_version, *ceiling))
    for dll, function in imports:
        machines = floor.get((dll, function))
        if dll not in known_dlls:
            findings.append(f"{dll}!{function}: {dll} is not on the list of system DLLs")
        elif machines is None:
            findings.append(f"{dll}!{function} is not on the floor list")
        elif image.machine not in machines:
            only = ", ".join(sorted(machines))
            findings.append(f"{dll}!{function} is on the floor list for {only} only")
    for finding in findings:
        print(f"imports: {program}: {finding}")
    if findings:
        return 1
    dlls = len({dll for dll, _ in imports})
    print(f"imports: {image.machine}, subsystem {image.subsystem_version[0]}."
          f"{image.subsystem_version[1]:02d}, {len(imports)} functions from {dlls} DLLs, "
          "all on the floor list")
    return 0


if __name__ == "__main__":
    sys.exit(main())
