#!/usr/bin/env python3
"""Reads a Wine prefix's registry files (user.reg, system.reg) after wineserver has saved them.

  wine_reg.py PREFIX value 'HKEY_CURRENT_USER\\Software\\X' NAME   -> prints type:data, exit 1 if missing
  wine_reg.py PREFIX key 'HKEY_CURRENT_USER\\Software\\X'          -> exit 0 if the key exists
  wine_reg.py PREFIX values 'HKEY_CURRENT_USER\\Software\\X'       -> prints NAME=type:data per line
  wine_reg.py PREFIX subkeys 'HKEY_CURRENT_USER\\Software\\X'      -> prints direct subkey names
NAME "@" is the default value. Names compare case-insensitively, as Windows does.
"""
import sys

ROOTS = {
    "HKEY_CURRENT_USER": "user.reg", "HKCU": "user.reg",
    "HKEY_LOCAL_MACHINE": "system.reg", "HKLM": "system.reg",
}


def unescape(text):
    """Wine writes each UTF-16 unit outside ASCII as \\x and up to four hex digits."""
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            digits = 0
            while n == "x" and digits < 4 and i + 2 + digits < len(text) and \
                    text[i + 2 + digits] in "0123456789abcdefABCDEF":
                digits += 1
            if digits:
                out.append(chr(int(text[i + 2:i + 2 + digits], 16)))
                i += 2 + digits
                continue
            out.append({"n": "\n", "t": "\t", "r": "\r", "0": "\0"}.get(n, n))
            i += 2
        else:
            out.append(c)
            i += 1
    # Surrogate pairs become the characters they stand for.
    return "".join(out).encode("utf-16-le", "surrogatepass").decode("utf-16-le", "replace")


def parse_quoted(line, start):
    """Returns (text, index after the closing quote) for a quoted string at line[start] == '"'."""
    i, out = start + 1, []
    while i < len(line):
        if line[i] == "\\" and i + 1 < len(line):
            out.append(line[i:i + 2])
            i += 2
            continue
        if line[i] == '"':
            return unescape("".join(out)), i + 1
        out.append(line[i])
        i += 1
    return unescape("".join(out)), i


def load(path):
    keys = {}
    current = None
    pending = ""
    with open(path, encoding="utf-8", errors="replace") as f:
        for raw in f:
            # Long hex data continues on the next lines: "...,\\" then "  2c,...".
            line = pending + raw.strip() if pending else raw.rstrip("\n")
            if line.endswith("\\") and not line.startswith("["):
                pending = line[:-1]
                continue
            pending = ""
            if line.startswith("["):
                name, _ = parse_quoted('"' + line[1:line.rindex("]")] + '"', 0)
                current = {"name": name, "values": {}}
                keys[name.lower()] = current
            elif current is not None and (line.startswith('"') or line.startswith("@")):
                if line.startswith("@"):
                    name, rest = "@", line[1:]
                else:
                    name, end = parse_quoted(line, 0)
                    rest = line[end:]
                data = rest[1:].strip() if rest.startswith("=") else rest
                if data.startswith('"'):
                    data = "sz:" + parse_quoted(data, 0)[0]
                elif data.startswith("str(2):"):
                    data = "expand_sz:" + parse_quoted(data[7:], 0)[0]
                elif data.startswith("dword:"):
                    data = "dword:" + str(int(data[6:], 16))
                elif data.startswith("hex:"):
                    data = "binary:" + data[4:].replace(" ", "")
                elif data.startswith("hex("):
                    data = "hex" + data[3:].replace(" ", "")
                current["values"][name.lower()] = (name, data)
    return keys


def main():
    prefix, command, path = sys.argv[1], sys.argv[2], sys.argv[3]
    root, _, sub = path.partition("\\")
    keys = load(f"{prefix}/{ROOTS[root.upper()]}")
    key = keys.get(sub.lower())
    if command == "key":
        return 0 if key is not None else 1
    if command == "subkeys":
        lower = sub.lower() + "\\"
        for name, entry in keys.items():
            if name.startswith(lower) and "\\" not in name[len(lower):]:
                print(entry["name"][len(lower):])
        return 0
    if key is None:
        return 1
    if command == "values":
        for name, data in sorted(key["values"].values()):
            print(f"{name}={data}")
        return 0
    if command == "value":
        found = key["values"].get(sys.argv[4].lower())
        if found is None:
            return 1
        print(found[1])
        return 0
    return 2


if __name__ == "__main__":
    sys.exit(main())
