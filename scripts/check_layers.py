#!/usr/bin/env python3
"""Fails when an include crosses the program's layers the wrong way.

Folders stand in one order and include only downwards or within themselves:
  env < settings < model < accounts < backup, update < ui < app, cli.
Inside ui:
  widgets < calendar, days, login, reminders < desktop, panes, reports, settings < frame.
Folders of the same rank are siblings and do not include each other: a sideways
include fails like an upward one. The resource headers serve ui and app.
Portable files (every file not named *_win32.*) include no <windows.h>, no
other Windows header and no *_win32.h header, so they build natively.

Usage: check_layers.py [--src DIR] [--core-tests DIR]
"""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

TOP = {"env": 0, "settings": 1, "model": 2, "accounts": 3, "backup": 4, "update": 4, "ui": 5, "resources": 5,
       "app": 6, "cli": 6}
UI = {"widgets": 0, "calendar": 1, "days": 1, "login": 1, "reminders": 1, "desktop": 2, "panes": 2, "reports": 2,
      "settings": 2, "frame": 3}
# Folders any of these may include, whatever their rank.
SHARED_WITH = {"resources": ("ui", "app", "resources")}
WINDOWS_HEADERS = re.compile(
    r"#\s*include\s*<(windows|winuser|wingdi|commctrl|commdlg|shlobj|shellapi|shlwapi|wininet|mmsystem|"
    r"richedit|olectl|ole2|objbase|uxtheme|htmlhelp|winspool|winreg|tlhelp32)\.h>",
    re.IGNORECASE)
LOCAL_INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')
# Program entries built for both systems keep their Windows includes behind #ifdef _WIN32.
ENTRY_POINTS = {"cli/cli_main.cpp"}


def place(relpath: str):
    """The folder a file stands in and its rank: ("ui/days", (5, 1)), or None outside the layers."""
    parts = relpath.split("/")
    top = parts[0]
    if top not in TOP or len(parts) < 2:
        return None
    if top == "ui" and len(parts) > 2:
        if parts[1] not in UI:
            return ("ui/" + parts[1], None)
        return ("ui/" + parts[1], (TOP["ui"], UI[parts[1]]))
    return (top, (TOP[top], 0))


def is_portable(path: pathlib.Path) -> bool:
    return "_win32" not in path.name and path.suffix in (".h", ".cpp")


def include_problem(rel: str, target: str):
    """What is wrong with rel including target, or None."""
    mine, theirs = place(rel), place(target)
    if mine is None or theirs is None:
        return None
    (my_folder, my_rank), (their_folder, their_rank) = mine, theirs
    if my_folder == their_folder:
        return None
    if rel.split("/")[0] in SHARED_WITH.get(target.split("/")[0], ()):
        return None
    if my_rank is None or their_rank is None:
        unknown = my_folder if my_rank is None else their_folder
        return f"{unknown} has no place in the order of the layers"
    if their_rank > my_rank:
        return f"{my_folder} includes a higher layer: {target}"
    if their_rank == my_rank:
        return f"{my_folder} includes its sibling {their_folder} sideways: {target}"
    return None


def check_file(path: pathlib.Path, rel: str, problems: list, portable_only=False) -> None:
    text = path.read_text(encoding="utf-8", errors="replace")
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
        if portable_only:
            continue
        problem = include_problem(rel, target)
        if problem:
            problems.append(f"{rel}:{n}: {problem}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--src", type=pathlib.Path, default=ROOT / "src", help="the source tree")
    parser.add_argument("--core-tests", type=pathlib.Path, default=None,
                        help="portable tests (default: tests/core beside the default source tree)")
    args = parser.parse_args()
    core_tests = args.core_tests
    if core_tests is None and args.src == ROOT / "src":
        core_tests = ROOT / "tests" / "core"

    problems: list = []
    for path in sorted(args.src.rglob("*")):
        if path.suffix in (".h", ".cpp"):
            check_file(path, path.relative_to(args.src).as_posix(), problems)
    if core_tests is not None:
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
