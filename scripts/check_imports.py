#!/usr/bin/env python3
"""Fails when the program loads at start a library it only needs for a rare
command. Those libraries are delay-loaded (cmake/delayload/); a plain import
of one of them would load it, and what it pulls in, at every start again.

Usage: check_imports.py OBJDUMP PROGRAM
"""
import re
import subprocess
import sys

DELAYED = {"bcrypt.dll", "comdlg32.dll", "oleaut32.dll", "winmm.dll", "wininet.dll"}


def main() -> int:
    objdump, program = sys.argv[1], sys.argv[2]
    headers = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    plain = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
    loaded_at_start = plain & DELAYED
    if loaded_at_start:
        print("loaded at every start, though only a rare command needs them: " + ", ".join(sorted(loaded_at_start)))
        return 1
    # The delay-import descriptors name their libraries in the image.
    with open(program, "rb") as f:
        image = f.read().lower()
    missing = {name for name in DELAYED if name.encode() not in image}
    if missing:
        print("not imported at all any more (drop them from the delay-load list?): " + ", ".join(sorted(missing)))
        return 1
    print("loaded at start: " + ", ".join(sorted(plain)))
    print("loaded on first call: " + ", ".join(sorted(DELAYED)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
