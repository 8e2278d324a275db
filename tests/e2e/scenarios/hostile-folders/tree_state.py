#!/usr/bin/env python3
"""What a folder tree holds, for a before-and-after comparison that never follows links.

  tree_state.py snap ROOT OUT       one line per entry: path, kind (d f l), and for a file its
        size, modification time and the CRC-32 of its first 64 KiB (the program writes only
        a file's first bytes), for a link its target
  tree_state.py diff BEFORE AFTER [ALLOWED...]
        prints "gone|new|changed<TAB>path" for every difference outside the ALLOWED folders
        (paths relative to ROOT; a difference strictly inside one of them is expected).
        wininet makes its containers (Content.IE5, History.IE5, index.dat) in whatever folders
        the shell-folder values name when it loads; such new entries are its own, not the
        program's, and are passed over.
"""
import os
import sys
import zlib

WININET_CONTAINERS = {"Content.IE5", "History.IE5", "index.dat"}


def entry_line(root, path):
    rel = os.path.relpath(path, root)
    info = os.lstat(path)
    if os.path.islink(path):
        return f"{rel}\tl\t{os.readlink(path)}"
    if os.path.isdir(path):
        return f"{rel}\td\t"
    with open(path, "rb") as handle:
        crc = zlib.crc32(handle.read(1 << 16))
    return f"{rel}\tf\t{info.st_size}:{info.st_mtime_ns}:{crc:08x}"


def snap(root, out):
    lines = []
    for folder, dirs, files in os.walk(root):  # os.walk does not descend into links
        for name in dirs + files:
            lines.append(entry_line(root, os.path.join(folder, name)))
    with open(out, "w", encoding="utf-8", errors="surrogateescape") as handle:
        handle.write("".join(line + "\n" for line in sorted(lines)))


def read(path):
    entries = {}
    with open(path, encoding="utf-8", errors="surrogateescape") as handle:
        for line in handle:
            rel, kind, detail = line.rstrip("\n").split("\t")
            entries[rel] = (kind, detail)
    return entries


def diff(before_file, after_file, allowed):
    before, after = read(before_file), read(after_file)
    inside = tuple(folder.rstrip("/") + "/" for folder in allowed)
    for rel in sorted(before.keys() | after.keys()):
        if rel.startswith(inside):
            continue
        if rel not in after:
            print(f"gone\t{rel}")
        elif rel not in before:
            if not WININET_CONTAINERS & set(rel.split("/")):
                print(f"new\t{rel}")
        elif before[rel] != after[rel]:
            print(f"changed\t{rel}")


def main():
    if sys.argv[1] == "snap":
        snap(sys.argv[2], sys.argv[3])
    else:
        diff(sys.argv[2], sys.argv[3], sys.argv[4:])


if __name__ == "__main__":
    main()
