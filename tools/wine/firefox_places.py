#!/usr/bin/env python3
"""A Firefox places database for the end-to-end checks, with SQLite on the host.

  firefox_places.py make PATH    a database with Firefox's tables, history and two bookmarks
  firefox_places.py check PATH   prints one line per history row left or bookmark lost
"""
import pathlib
import sqlite3
import sys

# Firefox's tables, as the SQLite store's own tests make them.
SCHEMA = (pathlib.Path(__file__).resolve().parents[2] / "tests" / "fixtures" / "firefox" /
          "places_schema.sql").read_text(encoding="utf-8")

BOOKMARKS = [("https://kept.example/", "Kept page", "A bookmark"),
             ("https://kept.example/docs", "Docs", "Another bookmark")]
VISITED = ["https://visited.example/secret", "https://visited.example/other"]


def make(path):
    db = sqlite3.connect(path)
    db.execute("PRAGMA journal_mode = WAL")
    db.executescript(SCHEMA)
    db.execute("INSERT INTO moz_origins VALUES (1, 'https://', 'kept.example', 10), "
               "(2, 'https://', 'visited.example', 5)")
    for url, title, _ in BOOKMARKS:
        db.execute("INSERT INTO moz_places (url, title, visit_count, last_visit_date, "
                   "foreign_count, origin_id) VALUES (?, ?, 2, 1700000000000000, 1, 1)", (url, title))
    for url in VISITED:
        db.execute("INSERT INTO moz_places (url, title, visit_count, last_visit_date, origin_id) "
                   "VALUES (?, 'visited', 1, 1700000000000000, 2)", (url,))
    db.execute("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) "
               "SELECT id, 1700000000000000, 1 FROM moz_places")
    db.execute("INSERT INTO moz_inputhistory VALUES (3, 'vis', 1)")
    db.execute("INSERT INTO moz_bookmarks (id, type, parent, title, guid) "
               "VALUES (1, 2, 0, '', 'root________')")
    for place, (_, _, title) in enumerate(BOOKMARKS, start=1):
        db.execute("INSERT INTO moz_bookmarks (type, fk, parent, title) VALUES (1, ?, 1, ?)",
                   (place, title))
    db.commit()
    db.close()


def check(path):
    db = sqlite3.connect(pathlib.Path(path).resolve().as_uri() + "?mode=ro", uri=True)
    problems = []
    for table in ("moz_historyvisits", "moz_inputhistory"):
        count = db.execute(f"SELECT count(*) FROM {table}").fetchone()[0]
        if count:
            problems.append(f"{table}: {count} rows left")
    for url, visits in db.execute("SELECT url, visit_count FROM moz_places"):
        if url in VISITED:
            problems.append(f"history left: {url}")
        elif visits:
            problems.append(f"visit count left: {url} {visits}")
    kept = set(db.execute("SELECT p.url, p.title, b.title FROM moz_bookmarks b "
                          "JOIN moz_places p ON p.id = b.fk"))
    for bookmark in BOOKMARKS:
        if bookmark not in kept:
            problems.append(f"bookmark lost: {bookmark}")
    hosts = [row[0] for row in db.execute("SELECT host FROM moz_origins")]
    if hosts != ["kept.example"]:
        problems.append(f"sites left: {hosts}")
    db.close()
    print("\n".join(problems))


if __name__ == "__main__":
    {"make": make, "check": check}[sys.argv[1]](sys.argv[2])
