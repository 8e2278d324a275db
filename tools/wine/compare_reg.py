#!/usr/bin/env python3
"""Compares a Wine prefix's HKEY_CURRENT_USER with what a scour must leave of a seeded .reg.

  compare_reg.py PREFIX BEFORE.reg AFTER.reg

BEFORE is what was imported, AFTER what must remain. Every key of AFTER must exist with exactly
its values; every key of BEFORE that AFTER lacks must be gone; below a key of AFTER, exactly the
seeded subkeys that AFTER keeps may remain (keys the prefix had of its own are not looked at).
Prints one line per difference; exit 1 if there is any.
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_reg  # noqa: E402

ROOT = "HKEY_CURRENT_USER\\"


def load_export(path):
    """Keys of a registry editor export, relative to HKEY_CURRENT_USER and lower-cased, read by
    the prefix reader. An export writes key names literally, where Wine's files escape their
    backslashes, so the headers are rewritten in Wine's form first."""
    with open(path, encoding="utf-8-sig") as f:
        lines = f.read().splitlines()
    for i, line in enumerate(lines):
        if line.startswith("["):
            name = line[1:line.rindex("]")]
            assert name.startswith(ROOT), name
            lines[i] = "[" + name[len(ROOT):].replace("\\", "\\\\") + "]"
    with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False, encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    try:
        keys = wine_reg.load(f.name)
    finally:
        os.unlink(f.name)
    # Importing a key creates its parents.
    for name in [entry["name"] for entry in keys.values()]:
        while "\\" in name:
            name = name.rsplit("\\", 1)[0]
            keys.setdefault(name.lower(), {"name": name, "values": {}, "implied": True})
    return keys


def children(keys, parent):
    prefix = parent + "\\"
    return {k for k in keys if k.startswith(prefix) and "\\" not in k[len(prefix):]}


def main():
    prefix, before_path, after_path = sys.argv[1:4]
    actual = wine_reg.load(os.path.join(prefix, "user.reg"))
    before = load_export(before_path)
    after = load_export(after_path)
    problems = []
    for key, entry in sorted(after.items()):
        if entry.get("implied"):
            continue
        got = actual.get(key)
        if got is None:
            problems.append(f"key missing: {entry['name']}")
            continue
        want_values = {n: v for n, v in entry["values"].values()}
        got_values = {n: v for n, v in got["values"].values()}
        if {k.lower(): v for k, v in want_values.items()} != {k.lower(): v for k, v in got_values.items()}:
            problems.append(f"values of {entry['name']}: expected {sorted(want_values.items())}, "
                            f"got {sorted(got_values.items())}")
        seeded = children(before, key) | children(after, key)
        for child in sorted(seeded & set(actual)):
            if child not in after:
                problems.append(f"subkey still there: {actual[child]['name']}")
    for key, entry in sorted(before.items()):
        if key not in after and key in actual:
            problems.append(f"key still there: {entry['name']}")
    for line in problems:
        print(line)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
