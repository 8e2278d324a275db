#!/usr/bin/env python3
"""Counts, per target, the seeded traces that a prefix still holds.

  census.py count PREFIX PLANTED.tsv TRACES.reg SCOURED.reg CACHE.txt KEYS.tsv
                                              -> "caption<TAB>n" lines, in run order
  census.py table BEFORE.tsv AFTER.tsv        -> a before/after table

A trace is a registry value that TRACES.reg seeds and SCOURED.reg does not keep as it is (still
counted while it is present and not blank), a file that PLANTED.tsv lists as "trace<TAB>caption
<TAB>unix path", or a normal entry of the URL cache listing (cache_tool list). A registry trace
belongs to each target whose keys hold it: KEYS.tsv lists, in run order, each target's caption
and the keys below HKEY_CURRENT_USER that its steps act on, as the program itself prints them
(scourix_readme_targets --census-keys).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import compare_reg  # noqa: E402
import wine_reg  # noqa: E402

BLANK = ("sz:", "expand_sz:")


def load_targets(keys_tsv):
    """[(caption, [key, ...])] in run order, keys lower-cased as the registry readers give them."""
    with open(keys_tsv, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    return [(row[0], [key.lower() for key in row[1:]]) for row in rows]


def under(key, prefixes):
    return any(key == p or key.startswith(p + "\\") for p in prefixes)


def registry_traces(traces_reg, scoured_reg):
    """(key, value) pairs, lower-cased, that the seed plants and a scour must not keep as is."""
    before = compare_reg.load_export(traces_reg)
    after = compare_reg.load_export(scoured_reg)
    traces = []
    for key, entry in before.items():
        kept = after.get(key, {"values": {}})["values"]
        for name, (_, data) in entry["values"].items():
            if kept.get(name, (None, None))[1] != data:
                traces.append((key, name))
    return traces


def count(prefix, planted, traces_reg, scoured_reg, cache_listing, keys_tsv):
    targets = load_targets(keys_tsv)
    keys = wine_reg.load(os.path.join(prefix, "user.reg"))
    reg = registry_traces(traces_reg, scoured_reg)
    counts = {caption: 0 for caption, _ in targets}
    for caption, prefixes in targets:
        for key, name in reg:
            if under(key, prefixes):
                value = keys.get(key, {"values": {}})["values"].get(name)
                if value is not None and value[1] not in BLANK:
                    counts[caption] += 1
    with open(planted, encoding="utf-8") as f:
        for line in f:
            kind, caption, path = line.rstrip("\n").split("\t")
            if kind == "trace" and os.path.lexists(path):
                counts[caption] += 1
    if os.path.exists(cache_listing):
        with open(cache_listing, encoding="utf-8", errors="replace") as f:
            for line in f:
                entry_type, _, url = line.strip().partition(" ")
                if url.startswith("http") and int(entry_type, 16) & 1:
                    counts["Internet Explorer Cache"] += 1
    for caption, _ in targets:
        print(f"{caption}\t{counts[caption]}")


def read_counts(path):
    with open(path, encoding="utf-8") as f:
        return dict(line.rstrip("\n").split("\t") for line in f if "\t" in line)


def table(before_path, after_path):
    before, after = read_counts(before_path), read_counts(after_path)
    width = max(len(caption) for caption in before)
    print(f"{'Target':<{width}}  before  after")
    for caption in before:
        print(f"{caption:<{width}}  {before.get(caption, '?'):>6}  {after.get(caption, '?'):>5}")


if __name__ == "__main__":
    if sys.argv[1] == "count":
        count(*sys.argv[2:8])
    elif sys.argv[1] == "table":
        table(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
