#!/usr/bin/env python3
"""Writes the shipped language files from the tables in lang/.

Each table (lang/<base>.txt, UTF-8) holds one entry per line: a key, a TAB and
the text up to the end of the line. Lines starting with '#' and blank lines are
ignored. The output <base>.lan is what the program reads: UTF-16 little-endian
with a byte-order mark, one KEY=TEXT entry per line, CR LF line ends.

The program's name and version are taken from the built-in table, so a
language file can never pin an old version; the web and mail addresses come
from the built-in table unless a table gives its own (a distributor's). The
build stops when a table lacks a key of the built-in table, names a key the
program does not know, or breaks a text's placeholders.

usage: make_lan.py BUILTIN_TABLE.cpp OUT_DIR lang/en.txt lang/de.txt ...
"""
import pathlib
import re
import sys

PROGRAM_KEYS = ("APP_NAME", "APP_VER")
ADDRESS_KEYS = ("APP_SITE", "APP_UPDATE_URL", "APP_UPDATING_URL", "SUPPORT_EMAIL")
PLACEHOLDER = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?[a-zA-Z]")


def read_builtin(path: pathlib.Path) -> dict:
    text = path.read_text(encoding="utf-8")
    body = text[text.index("kBuiltIn[] = {"):]
    body = body[:body.index("\n};")]
    table = {}
    for key, literals in re.findall(r'\{u"([^"]+)",\s*((?:u"(?:[^"\\]|\\.)*"\s*)+)\}', body):
        table[key] = "".join(re.findall(r'u"((?:[^"\\]|\\.)*)"', literals))
    return table


def read_table(path: pathlib.Path) -> dict:
    entries = {}
    for n, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        if "\t" not in line:
            raise SystemExit(f"{path}:{n}: expected KEY<TAB>text")
        key, text = line.split("\t", 1)
        if key in entries:
            raise SystemExit(f"{path}:{n}: {key} given twice")
        if "\r" in text or "\n" in text:
            raise SystemExit(f"{path}:{n}: a text holds no line break")
        entries[key] = text
    return entries


def main() -> int:
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    builtin = read_builtin(pathlib.Path(sys.argv[1]))
    out_dir = pathlib.Path(sys.argv[2])
    out_dir.mkdir(parents=True, exist_ok=True)
    problems = []
    for table_path in map(pathlib.Path, sys.argv[3:]):
        table = read_table(table_path)
        for key in PROGRAM_KEYS:
            table[key] = builtin[key]
        for key in ADDRESS_KEYS:
            table.setdefault(key, builtin[key])
        for key in builtin:
            if key not in table:
                problems.append(f"{table_path}: missing {key}")
            elif PLACEHOLDER.findall(table[key]) != PLACEHOLDER.findall(builtin[key]):
                problems.append(f"{table_path}: {key} must keep the placeholders {PLACEHOLDER.findall(builtin[key])}")
        for key in table:
            if key not in builtin:
                problems.append(f"{table_path}: {key} is not a key of the program")
        ordered = [k for k in builtin if k in table]
        content = "".join(f"{k}={table[k]}\r\n" for k in ordered)
        (out_dir / (table_path.stem + ".lan")).write_bytes(b"\xff\xfe" + content.encode("utf-16-le"))
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
