#!/usr/bin/env python3
"""scripts/check_layers.py run on tiny source trees: each case writes a few
files into a temporary folder and expects the check to pass or to name the
offending include."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parent.parent.parent / "scripts" / "check_layers.py"

# (name, files, None when the tree passes or a text the failure must name)
CASES = [
    ("a pane includes a day dialog: downwards",
     {"ui/panes/pane_win32.cpp": '#include "ui/days/entry_win32.h"\n', "ui/days/entry_win32.h": ""}, None),
    ("a file includes its own folder",
     {"ui/days/a.cpp": '#include "ui/days/b.h"\n', "ui/days/b.h": ""}, None),
    ("the frame includes the widgets, the reminders and the settings",
     {"ui/frame/f_win32.cpp": '#include "ui/widgets/w_win32.h"\n#include "ui/reminders/r.h"\n'
                              '#include "ui/settings/s_win32.h"\n#include "backup/b.h"\n'}, None),
    ("the day editing includes the reminders: sideways inside ui",
     {"ui/days/entry_win32.cpp": '#include "ui/reminders/remind_dlg_win32.h"\n'},
     "ui/days/entry_win32.cpp:1: ui/days includes its sibling ui/reminders sideways: ui/reminders/remind_dlg_win32.h"),
    ("the settings window includes a report: sideways inside ui",
     {"ui/settings/page_win32.cpp": '#include "ui/widgets/w_win32.h"\n#include "ui/reports/chart_win32.h"\n'},
     "ui/settings/page_win32.cpp:2: ui/settings includes its sibling ui/reports sideways"),
    ("the day editing includes a report: upwards inside ui",
     {"ui/days/entry_win32.cpp": '#include "ui/reports/chart_win32.h"\n'},
     "ui/days includes a higher layer: ui/reports/chart_win32.h"),
    ("a widget includes the frame: upwards inside ui",
     {"ui/widgets/w_win32.cpp": '#include "ui/frame/main_frame_win32.h"\n'},
     "ui/widgets includes a higher layer: ui/frame/main_frame_win32.h"),
    ("the update check includes the backup: sideways at the top",
     {"update/u.cpp": '#include "backup/b.h"\n'}, "update includes its sibling backup sideways"),
    ("the model includes the accounts: upwards at the top",
     {"model/m.cpp": '#include "accounts/a.h"\n'}, "model includes a higher layer: accounts/a.h"),
    ("a folder inside ui without a place",
     {"ui/attic/x.cpp": '#include "ui/widgets/w.h"\n'}, "ui/attic has no place in the order of the layers"),
    ("a portable file includes windows.h",
     {"env/clock.cpp": "#include <windows.h>\n"}, "env/clock.cpp:1: portable file includes a Windows header"),
    ("a portable file includes a Windows-layer header",
     {"model/m.cpp": '#include "env/handle_win32.h"\n'}, "portable file includes a Windows-layer header"),
    ("the resource headers serve the windows",
     {"ui/frame/f_win32.cpp": '#include "resources/resource.h"\n'}, None),
]


def run_check(files: dict) -> subprocess.CompletedProcess:
    with tempfile.TemporaryDirectory() as tmp:
        src = pathlib.Path(tmp) / "src"
        for rel, text in files.items():
            path = src / rel
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")
        return subprocess.run([sys.executable, str(SCRIPT), "--src", str(src)], capture_output=True, text=True,
                              check=False)


class CheckLayersTest(unittest.TestCase):
    def test_cases(self):
        for name, files, failure in CASES:
            with self.subTest(name):
                result = run_check(files)
                if failure is None:
                    self.assertEqual(result.returncode, 0, result.stdout)
                    self.assertIn("every include runs downwards", result.stdout)
                else:
                    self.assertEqual(result.returncode, 1, result.stdout)
                    self.assertIn(failure, result.stdout)
                    self.assertIn("1 layer violation(s)", result.stdout)

    def test_every_wrong_include_of_a_file_is_named(self):
        result = run_check({"ui/days/d_win32.cpp": '#include "ui/reports/r.h"\n#include "ui/frame/f.h"\n'
                                                   '#include "ui/widgets/w.h"\n'})
        self.assertEqual(result.returncode, 1)
        self.assertIn("d_win32.cpp:1:", result.stdout)
        self.assertIn("d_win32.cpp:2:", result.stdout)
        self.assertNotIn("d_win32.cpp:3:", result.stdout)
        self.assertIn("2 layer violation(s)", result.stdout)


if __name__ == "__main__":
    unittest.main()
