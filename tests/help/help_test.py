#!/usr/bin/python3
"""Reads the built help file with chmlib (Debian's python3-chm) and checks that
every help context the program opens resolves to a page of the file, that the
contents and every link inside the pages lead to pages that exist.

usage: help_test.py tamarel_help.chm src/resources/help_ids.h
"""
import re
import struct
import sys
import unittest

import chm.chm as chmfile
import chm.chmlib as chmlib

CHM_PATH = ""
IDS_PATH = ""


def read(f, name: str):
    ok, ui = f.ResolveObject(name.encode("utf-8"))
    if ok != 0:
        return None
    size, data = f.RetrieveObject(ui)
    return data if size == ui.length else None


class HelpFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.f = chmfile.CHMFile()
        if not cls.f.LoadCHM(CHM_PATH):
            raise AssertionError(f"{CHM_PATH} is not a readable help file")
        names = []

        def collect(_h, ui, _ctx):
            names.append(ui.path.decode("utf-8"))
            return chmlib.CHM_ENUMERATOR_CONTINUE

        chmlib.chm_enumerate(cls.f.file, chmlib.CHM_ENUMERATE_ALL, collect, None)
        cls.names = set(names)

    def contexts(self):
        ivb = read(self.f, "/#IVB")
        strings = read(self.f, "/#STRINGS")
        self.assertIsNotNone(ivb, "no context map")
        self.assertIsNotNone(strings, "no context strings")
        (size,) = struct.unpack_from("<I", ivb)
        self.assertEqual(size, len(ivb) - 4)
        mapping = {}
        for i in range(size // 8):
            number, offset = struct.unpack_from("<II", ivb, 4 + 8 * i)
            mapping[number] = strings[offset:strings.index(b"\0", offset)].decode("cp1252")
        return mapping

    def test_every_context_the_program_opens_resolves_to_a_page(self):
        used = {name: int(number) for name, number in
                re.findall(r"#define\s+(IDH_\w+)\s+(\d+)", open(IDS_PATH, encoding="utf-8").read())}
        self.assertIn("IDH_TEMPERATURE", used)
        self.assertIn("IDH_CHINESE_CHART", used)
        mapping = self.contexts()
        for name, number in used.items():
            with self.subTest(context=name):
                self.assertIn(number, mapping, f"{name} ({number}) is not in the help file's map")
                page = read(self.f, "/" + mapping[number])
                self.assertIsNotNone(page, f"{name} names {mapping[number]}, which is not in the file")
                self.assertIn(b"<h1>", page)

    def test_the_title_default_page_and_contents_lead_to_pages(self):
        self.assertEqual(self.f.title, b"Tamarel Help")
        self.assertIsNotNone(read(self.f, self.f.home.decode()))
        toc = read(self.f, "/tamarel.hhc").decode("cp1252")
        pages = re.findall(r'name="Local" value="([^"]+)"', toc)
        self.assertGreaterEqual(len(pages), 12)
        for page in pages:
            self.assertIn("/" + page, self.names)

    def test_links_inside_the_pages_lead_to_pages_of_the_file(self):
        for name in sorted(n for n in self.names if n.endswith(".htm")):
            text = read(self.f, name).decode("cp1252")
            for target in re.findall(r'(?:href|src)="([^"#:]+)"', text):
                with self.subTest(page=name, link=target):
                    self.assertIn("/" + target, self.names)


if __name__ == "__main__":
    CHM_PATH, IDS_PATH = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
