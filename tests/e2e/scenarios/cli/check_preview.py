#!/usr/bin/env python3
"""Holds a preview's JSON to the machine it was taken on and to what the run then did.

  check_preview.py PREVIEW.json PLANTED.tsv DRIVE_C TRACES.reg USER_BEFORE.reg USER_AFTER.reg

Prints one line per fault: a planted file trace the preview does not name, a keep it would
delete (itself or a folder holding it), a target with traces that previews as nothing, and any
difference between the registry values and keys the preview names and those that the run
removed below the keys of TRACES.reg. Prints nothing when all is well.
"""
import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../../../tools/wine"))
import wine_reg  # noqa: E402

ROOT = "HKEY_CURRENT_USER\\"


def unix(path, drive_c):
    if path.lower().startswith("c:\\"):
        path = drive_c + "/" + path[3:]
    return os.path.normpath(path.replace("\\", "/")).lower()


def user_keys(path, below):
    """The keys of a user.reg below the given lower-case key names: name -> {value names}."""
    found = {}
    for name, key in wine_reg.load(path).items():
        if any(name == b or name.startswith(b + "\\") for b in below):
            found[name] = {v for v in key["values"]}
    return found


def main():
    preview_path, planted, drive_c, traces, before_reg, after_reg = sys.argv[1:]
    preview = json.load(open(preview_path, encoding="utf-8"))
    changes = [c for t in preview["targets"] for c in t["changes"]]
    files = {unix(c["what"], drive_c) for c in changes if c["kind"] == "file"}
    folders = {unix(c["what"], drive_c) for c in changes if c["kind"] == "folder"}
    named = {t["caption"] for t in preview["targets"] if t["changes"]}

    for line in open(planted, encoding="utf-8"):
        kind, caption, path = line.rstrip("\n").split("\t")
        path = os.path.normpath(path).lower()
        if kind == "trace":
            if caption != "Recent Documents" and path not in files:
                print(f"preview: {caption}: trace not listed: {path}")
            if caption not in named:
                print(f"preview: {caption}: nothing listed")
        elif path in files or any(path.startswith(f + "/") for f in folders):
            print(f"preview: a keep would go: {path}")

    # The registry: what the preview names, against what the run removed.
    # The fixture's keys, as regedit writes them: single backslashes.
    below = {line.strip()[1:-1].lower()[len(ROOT):] for line in open(traces, encoding="utf-8-sig")
             if line.upper().startswith("[" + ROOT)}
    before, after = user_keys(before_reg, below), user_keys(after_reg, below)
    removed_values = {f"{k}\\{v}" for k, vs in before.items() for v in vs
                      if k in after and v not in after[k]}
    removed_keys = {k for k in before if k not in after}
    named_values = {c["what"].lower()[len(ROOT):] for c in changes if c["kind"] == "value"}
    named_keys = {c["what"].lower()[len(ROOT):] for c in changes if c["kind"] == "key"}
    # A value that went with its key shows as the key.
    named_values = {v for v in named_values if v.rsplit("\\", 1)[0] not in removed_keys}
    for text, a, b in (("value", named_values, removed_values), ("key", named_keys, removed_keys)):
        for item in sorted(a - b):
            print(f"preview: registry {text} named but not removed: {item}")
        for item in sorted(b - a):
            print(f"preview: registry {text} removed but not named: {item}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
