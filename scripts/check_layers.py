#!/usr/bin/env python3
"""Fails when an include crosses the program's layers the wrong way.

Folders stand in one order and include only downwards (or sideways within a
folder):  env < settings < model < accounts < ui < app, with cli beside app.
Inside ui:  widgets < calendar, days, login, reports < panes, settings, desktop < frame.
Portable files (every file not named *_win32.*) include no <windows.h>, no
other Windows header and no *_win32.h header, so they build natively.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SRC = ROOT / "src"

TOP = {"env": 0, "settings": 1, "model": 2, "accounts": 3, "resources": 4, "ui": 4, "app": 5, "cli": 5}
UI = {"widgets": 0, "calendar": 1, "days": 1, "login": 1, "reports": 1, "panes": 2, "settings": 2, "desktop": 2,
      "frame": 3}
WINDOWS_HEADERS = re.compile(
    r"#\s*include\s*<(windows|winuser|wingdi|commctrl|commdlg|shlobj|shellapi|shlwapi|wininet|mmsystem|"
    r"richedit|olectl|ole2|objbase|uxtheme|htmlhelp|winspool|winreg|tlhelp32)\.h>",
    re.IGNORECASE)
LOCAL_INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')
# Program entries built for both systems keep their Windows includes behind #ifdef _WIN32.
ENTRY_POINTS = {"cli/cli_main.cpp"}


def rank(relpath: str):
    parts = relpath.split("/")
    top = parts[0]
    if top not in TOP:
        return None
    sub = UI.get(parts[1], 0) if top == "ui" and len(parts) > 2 else 0
    return (TOP[top], sub if top == "ui" else 0)


def is_portable(path: pathlib.Path) -> bool:
    return "_win32" not in path.name and path.suffix in (".h", ".cpp")


def check_file(path: pathlib.Path, rel: str, problems: list, portable_only=False) -> None:
    text = path.read_text(encoding="utf-8", errors="replace")
    mine = rank(rel) if not portable_only else None
    portable = is_portable(path) and rel not in ENTRY_POINTS
    for n, line in enumerate(text.splitlines(), 1):
        if portable and WINDOWS_HEADERS.search(line):
            problems.append(f"{rel}:{n}: portable file includes a Windows header: {line.strip()}")
        m = LOCAL_INCLUDE.search(line)
        if not m:
            continue
        target = m.group(1)
        if portable and "_win32" in pathlib.Path(target).name:
            problems.append(f"{rel}:{n}: portable file includes a Windows-layer header: {target}")
        if mine is None:
            continue
        theirs = rank(target)
        if theirs is None:
            continue
        if target.split("/")[0] == "resources" and rel.split("/")[0] in ("ui", "app", "resources"):
            continue
        if theirs > mine:
            problems.append(f"{rel}:{n}: {rel.split('/')[0]} layer includes a higher layer: {target}")


def main() -> int:
    problems: list = []
    for path in sorted(SRC.rglob("*")):
        if path.suffix in (".h", ".cpp"):
            check_file(path, path.relative_to(SRC).as_posix(), problems)
    core_tests = ROOT / "tests" / "core"
    for path in sorted(core_tests.rglob("*")):
        if path.suffix in (".h", ".cpp"):
            check_file(path, "tests/" + path.relative_to(core_tests).as_posix(), problems, portable_only=True)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} layer violation(s)")
        return 1
    print("layers: every include runs downwards")
    return 0


if __name__ == "__main__":
    sys.exit(main())
