#!/usr/bin/env python3
"""Fails on an #include against the direction of the layers:
main -> cli -> app -> cleaners, browser -> primitives -> registry -> platform; the recorders
(recording) see only the platform's interfaces, and the command line (cli) sees them too.
The platform's back-ends (sim, win32) see only the platform's interfaces, and those see
neither back-end; win32 also takes the SQLite places store, which the host tests use too."""
import pathlib
import re
import sys

BELOW = {
    "main": {"cli", "recording", "app", "cleaners", "browser", "primitives", "registry", "platform",
             "platform/win32", "platform/sqlite"},
    "cli": {"recording", "app", "cleaners", "browser", "primitives", "registry", "platform"},
    "recording": {"platform"},
    "app": {"cleaners", "browser", "primitives", "registry", "platform"},
    "cleaners": {"primitives", "registry", "platform"},
    "browser": {"primitives", "registry", "platform"},
    "primitives": {"registry", "platform"},
    "registry": {"platform"},
    "platform": set(),
    "platform/sim": {"platform"},
    "platform/win32": {"platform", "platform/sqlite"},
    "platform/sqlite": {"platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(relative: str) -> str:
    parts = relative.split("/")
    if parts[0] == "platform" and len(parts) > 2:
        return "platform/" + parts[1]
    return parts[0]


def main() -> int:
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    wrong = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        mine = layer_of(path.relative_to(src).as_posix())
        allowed = BELOW[mine] | {mine}
        for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if "/" not in included:
                continue  # a file of the same folder
            theirs = layer_of(included)
            if theirs not in allowed:
                wrong.append(f"{path.relative_to(src.parent)}: includes {included} ({mine} -> {theirs})")
    for line in wrong:
        print(line)
    print(f"layers: {len(wrong)} include(s) against the direction")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
