#!/usr/bin/env python3
"""Builds tamarel_help.chm from the HTML pages in help/.

A compiled HTML help file is an ITSF container: a header, a directory of
named objects and the objects' bytes. Every object here is stored whole in the
uncompressed content section, which every HTML Help reader accepts, so the
help needs no compiler of another system and builds the same bytes each time.

The context map (the numbers the program passes to HTML Help) comes from
help/contexts.txt: one "NUMBER<TAB>page.htm" per line. The table of contents
comes from help/toc.txt: one "page.htm<TAB>Title" per line, in reading order.

usage: make_chm.py HELP_DIR OUT.chm
"""
import html
import pathlib
import struct
import sys
import uuid

CHUNK = 0x1000
QUICKREF_DENSITY = 2
LCID = 0x0409


def encint(value: int) -> bytes:
    """The directory's variable-length integers: 7 bits a byte, high bit = more."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def guid(text: str) -> bytes:
    return uuid.UUID(text).bytes_le


def system_file(title: str, default_topic: str, toc: str) -> bytes:
    def record(code: int, data: bytes) -> bytes:
        return struct.pack("<HH", code, len(data)) + data

    def sz(text: str) -> bytes:
        return text.encode("cp1252") + b"\0"

    body = struct.pack("<I", 3)
    body += record(0, sz(toc))
    body += record(2, sz(default_topic))
    body += record(3, sz(title))
    body += record(4, struct.pack("<IIIIIQ", LCID, 0, 0, 0, 0, 0))
    body += record(9, sz("Tamarel help builder"))
    return body


def name_list() -> bytes:
    name = "Uncompressed".encode("utf-16-le")
    data = struct.pack("<H", 1) + struct.pack("<H", len(name) // 2) + name + b"\0\0"
    return struct.pack("<H", (len(data) + 2) // 2) + data


def directory_chunk(entries: list) -> bytes:
    """One PMGL chunk listing (name, offset, length) of content section 0."""
    body = b""
    offsets = []
    for i, (name, offset, length) in enumerate(entries):
        offsets.append(len(body))
        raw = name.encode("utf-8")
        body += encint(len(raw)) + raw + encint(0) + encint(offset) + encint(length)
    every = 1 + (1 << QUICKREF_DENSITY)
    quickref = [offsets[i] for i in range(every, len(entries), every)]
    tail = b"".join(struct.pack("<H", 0x14 + o) for o in reversed(quickref)) + struct.pack("<H", len(entries))
    free = CHUNK - 0x14 - len(body)
    if free < len(tail):
        raise SystemExit("help: too many pages for one directory chunk")
    header = b"PMGL" + struct.pack("<IIii", free, 0, -1, -1)
    return header + body + b"\0" * (free - len(tail)) + tail


def build(help_dir: pathlib.Path, out: pathlib.Path) -> None:
    toc = [line.split("\t", 1) for line in (help_dir / "toc.txt").read_text(encoding="utf-8").splitlines()
           if line.strip() and not line.startswith("#")]
    contexts = [line.split("\t", 1) for line in (help_dir / "contexts.txt").read_text(encoding="utf-8").splitlines()
                if line.strip() and not line.startswith("#")]
    pages = sorted(p.name for p in help_dir.glob("*.htm")) + sorted(p.name for p in help_dir.glob("*.css"))
    for page, _ in toc:
        if page not in pages:
            raise SystemExit(f"help: contents name a missing page {page}")
    for number, page in contexts:
        if page not in pages:
            raise SystemExit(f"help: context {number} names a missing page {page}")

    hhc = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<html><body>", '<object type="text/site properties">',
           '<param name="ImageType" value="Folder"></object>', "<ul>"]
    for page, title in toc:
        hhc.append(f'<li><object type="text/sitemap"><param name="Name" value="{html.escape(title)}">'
                   f'<param name="Local" value="{page}"></object>')
    hhc += ["</ul>", "</body></html>", ""]

    strings = b"\0"
    ivb = b""
    for number, page in contexts:
        ivb += struct.pack("<II", int(number), len(strings))
        strings += page.encode("cp1252") + b"\0"
    objects = {
        "/#SYSTEM": system_file("Tamarel Help", toc[0][0], "tamarel.hhc"),
        "/#IVB": struct.pack("<I", len(ivb)) + ivb,
        "/#STRINGS": strings,
        "/tamarel.hhc": "\r\n".join(hhc).encode("cp1252"),
        "::DataSpace/NameList": name_list(),
    }
    for page in pages:
        objects["/" + page] = (help_dir / page).read_bytes()

    content = b""
    entries = [("/", 0, 0)]
    for name in sorted(objects, key=lambda n: n.lower()):
        entries.append((name, len(content), len(objects[name])))
        content += objects[name]
    entries.sort(key=lambda e: e[0].lower())

    chunk = directory_chunk(entries)
    itsp = (b"ITSP" + struct.pack("<iiiIiiiiiiiI", 1, 0x54, 0x0A, CHUNK, QUICKREF_DENSITY, 1, -1, 0, 0, -1, 1, LCID)
            + guid("5D02926A-212E-11D0-9DF9-00A0C922E6EC") + struct.pack("<Iiii", 0x54, -1, -1, -1))
    directory = itsp + chunk
    header_len = 0x60
    section0_len = 0x18
    dir_offset = header_len + section0_len
    content_offset = dir_offset + len(directory)
    total = content_offset + len(content)
    itsf = (b"ITSF" + struct.pack("<iiiII", 3, header_len, 1, 0x6D617254, LCID)
            + guid("7C01FD10-7BAA-11D0-9E0C-00A0C922E6EC") + guid("7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC")
            + struct.pack("<QQQQQ", header_len, section0_len, dir_offset, len(directory), content_offset))
    assert len(itsf) == header_len
    section0 = struct.pack("<IIQII", 0x01FE, 0, total, 0, 0)
    out.write_bytes(itsf + section0 + directory + content)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__)
        sys.exit(2)
    build(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
