#!/usr/bin/env python3
"""Drives tamarel-cli as a user or a script would: builds db.dat files byte by
byte, runs commands, and checks output, exit status and the bytes written.

usage: cli_test.py TAMAREL_CLI [EMULATOR [TEST NAMES | --except=CLASS]]
Runs with Debian's /usr/bin/python3, which has python3-icalendar."""
import csv
import datetime
import fcntl
import io
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

import icalendar  # Debian's python3-icalendar (scripts/install-deps.sh)

CLI = sys.argv[1]
EMULATOR = [a for a in sys.argv[2:3] if a]
INDEX = 28000


def slot(owner, offset, length, d, m, y):
    return struct.pack("<HIIBBH", owner, offset, length, d, m, y)


class DbFile:
    """A db.dat made by hand: slots in index order, records appended."""

    def __init__(self):
        self.index = bytearray(INDEX)
        self.body = bytearray(1)
        self.next_slot = 0

    def add(self, date, flags=0, temperature=0.0, note=None, owner=0, slot_no=None):
        d, m, y = date
        note_bytes = note.encode("utf-16-le") if note is not None else b""
        offset = INDEX + len(self.body)
        self.body += struct.pack("<BdI", flags, temperature, len(note_bytes)) + note_bytes
        n = self.next_slot if slot_no is None else slot_no
        self.index[n * 14:(n + 1) * 14] = slot(owner, offset, 13 + len(note_bytes), d, m, y)
        self.next_slot = max(self.next_slot, n + 1)

    def write(self, path):
        with open(path, "wb") as f:
            f.write(bytes(self.index) + bytes(self.body))


def read_slots(path):
    with open(path, "rb") as f:
        data = f.read()
    out = []
    for n in range(2000):
        owner, offset, length, d, m, y = struct.unpack_from("<HIIBBH", data, n * 14)
        if d or m or y:
            out.append((n, owner, offset, length, (d, m, y)))
    return data, out


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def whole_table(test):
    """The whole table runs natively; under an emulator (Wine), where every
    start of the program costs about a second, only the smoke test does."""
    return unittest.skipIf(EMULATOR, "whole table runs natively; Wine runs the smoke test")(test)


def fnv1a64(data):
    h = 0xcbf29ce484222325
    for b in data:
        h = ((h ^ b) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return h


def journal(old_length, regions):
    """db.dat-journal: the old bytes of the regions a save overwrites."""
    body = b"TMRLJRN1" + struct.pack("<QI", old_length, len(regions))
    for offset, data in regions:
        body += struct.pack("<QI", offset, len(data)) + data
    return body + struct.pack("<Q", fnv1a64(body))


class CliTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.db = os.path.join(self.tmp.name, "db.dat")

    def tearDown(self):
        self.tmp.cleanup()

    def run_cli(self, *args, db=True, today="31.12.2026"):
        cmd = EMULATOR + [CLI]
        if db:
            cmd += ["--db", self.db]
        if today:
            cmd += ["--today", today]
        cmd += list(args)
        p = subprocess.run(cmd, capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("utf-8"), p.stderr.decode("utf-8")

    @whole_table
    def test_usage_errors_exit_2_with_usage_text(self):
        for args in [(), ("frobnicate",), ("classify", "1.1.2026", "2.1.2026"),
                     ("classify", "02.01.2026", "01.01.2026"), ("tip",), ("tip", "31.02.2026"),
                     ("--owner", "70000", "days"), ("--manual", "9", "14", "stats"),
                     ("--manual", "28", "22", "stats"), ("--goal", "x", "days"), ("--bogus", "days"),
                     ("mood", "01.01.2026", "happy"), ("days", "extra")]:
            code, out, err = self.run_cli(*args)
            self.assertEqual(code, 2, args)
            self.assertIn("usage", err, args)
            self.assertEqual(out, "", args)

    @whole_table
    def test_days_lists_every_field_in_date_order(self):
        f = DbFile()
        f.add((3, 3, 2026), flags=0b000100, note="tab\there\r\nback\\slash ✓")
        f.add((1, 3, 2026), flags=0b000001, temperature=36.55)
        f.add((2, 3, 2026), flags=0b111110, temperature=98.1)
        f.add((1, 3, 2026), flags=0b001000, owner=5)
        f.write(self.db)
        code, out, err = self.run_cli("days")
        self.assertEqual((code, err), (0, ""))
        self.assertEqual(out.splitlines(), [
            "01.03.2026\tS------\t36.55\t",
            "02.03.2026\t-EXPGB-\t98.10\t",
            "03.03.2026\t--X----\t-\ttab\\there\\r\\nback\\\\slash ✓",
        ])
        code, out, _ = self.run_cli("--owner", "5", "days")
        self.assertEqual(out, "01.03.2026\t---P---\t-\t\n")

    @whole_table
    def test_classify_stats_and_tips_of_a_recorded_cycle(self):
        f = DbFile()
        for date in [(1, 3, 2026), (29, 3, 2026), (30, 4, 2026)]:
            f.add(date, flags=1)
        f.write(self.db)
        code, out, _ = self.run_cli("stats")
        self.assertEqual(out, "average 30\nshortest 28\nlongest 32\ncycles 2\n")

        code, out, _ = self.run_cli("--manual", "28", "14", "classify", "26.04.2026", "02.05.2026")
        self.assertEqual(code, 0)
        self.assertEqual(out, "26.04.2026\t8\n27.04.2026\t8\n28.04.2026\t8\n29.04.2026\t8\n"
                              "30.04.2026\t0\n01.05.2026\t1\n02.05.2026\t2\n")
        # 30 April + 14 days in manual 28/14: ovulation.
        expected = {"0": "We strongly recommend", "1": "Your chances of becoming pregnant are good",
                    "2": "You have a good chance of conceiving a girl on this day",
                    "3": "You have a good chance of conceiving a boy on this day"}
        for goal, text in expected.items():
            code, out, _ = self.run_cli("--manual", "28", "14", "--goal", goal, "tip", "14.05.2026")
            self.assertEqual(code, 0)
            self.assertTrue(out.startswith(text), (goal, out))

    @whole_table
    def test_today_and_cycles_say_what_the_windows_say(self):
        # Nothing marked: no claim of any kind.
        code, out, err = self.run_cli("today", today="10.12.2026")
        self.assertEqual((code, out, err), (0, "Today is 10.12.2026\nNo period marked yet\n", ""))
        code, out, _ = self.run_cli("cycles", today="10.12.2026")
        self.assertEqual((code, out), (0, "\naverage 28\nshortest 10\nlongest 40\ncycles 0\n"))

        f = DbFile()
        for date in [(1, 9, 2026), (27, 9, 2026), (28, 10, 2026), (3, 12, 2026)]:
            f.add(date, flags=1)
        f.write(self.db)
        not_fertile = "Your are not fertile today. Your chances of becoming pregnant are very low"
        range_line = "Next menstruation: 3.1.2027 (between 29.12.2026 and 8.1.2027)"
        code, out, _ = self.run_cli("today", today="10.12.2026")
        self.assertEqual(out.splitlines(), ["Today is 10.12.2026 (day 8 of period)", "Low fertiltity", range_line,
                                            not_fertile])
        # The wider window for irregular cycles, only under "avoid pregnancy".
        code, out, _ = self.run_cli("--goal", "0", "--cautious", "today", today="10.12.2026")
        self.assertEqual(out.splitlines(), [
            "Today is 10.12.2026 (day 8 of period)", "Good day to convince a child", range_line,
            "Please abstain from unprotected sexual intercourse to avoid an unwanted pregnancy."])
        code, out, _ = self.run_cli("--goal", "1", "--cautious", "today", today="10.12.2026")
        self.assertEqual(out.splitlines()[1], "Low fertiltity")

        code, out, _ = self.run_cli("cycles")
        self.assertEqual(code, 0)
        # No temperatures: the two fields of the temperature shift stay empty.
        self.assertEqual(out, "01.09.2026\t26\t18.09.2026\t\t\n27.09.2026\t31\t14.10.2026\t\t\n"
                              "28.10.2026\t36\t14.11.2026\t\t\n03.12.2026\t\t\t\t\n"
                              "\naverage 31\nshortest 26\nlongest 36\ncycles 3\n")
        # Each row's ovulation is the day classify paints as ovulation (11).
        code, out, _ = self.run_cli("classify", "27.09.2026", "27.10.2026")
        self.assertEqual([line.split("\t")[0] for line in out.splitlines() if line.endswith("\t11")],
                         ["14.10.2026"])

        # Late: expected 3.1.2027 with manual 31-day cycles.
        code, out, _ = self.run_cli("--manual", "31", "14", "today", today="12.01.2027")
        self.assertEqual(out.splitlines(), ["Today is 12.1.2027 (your period is 9 days late)",
                                            "Your period is 9 days late"])
        code, out, _ = self.run_cli("--manual", "31", "14", "today", today="13.01.2027")
        self.assertEqual(out.splitlines(), ["Today is 13.1.2027 (your period is 10 days late)",
                                            "Your period is 10 days late",
                                            "A pregnancy test can now tell whether you are pregnant."])
        code, out, _ = self.run_cli("--manual", "31", "14", "today", today="04.01.2027")
        self.assertEqual(out.splitlines()[:2], ["Today is 4.1.2027 (your period is 1 day late)",
                                                "Your period is 1 day late"])

    @whole_table
    def test_marking_a_start_follows_the_day_menu_rules(self):
        code, _, err = self.run_cli("set-start", "01.03.2026")
        self.assertEqual((code, err), (0, ""))
        data, slots = read_slots(self.db)
        self.assertEqual(len(data), 28001 + 13)
        self.assertEqual(slots, [(0, 0, 28001, 13, (1, 3, 2026))])
        self.assertEqual(data[28001:], struct.pack("<BdI", 1, 0.0, 0))

        refused = ("Can't save this day. The last menstruation must not be earlier than 10 days.\n"
                   "Please select the latter date.\n")
        for date in ["05.03.2026", "20.02.2026", "01.03.2026"]:
            code, out, err = self.run_cli("set-start", date)
            self.assertEqual((code, out, err), (1, "", refused), date)
        code, _, err = self.run_cli("set-start", "01.01.2027")  # after today
        self.assertEqual((code, err), (1, refused))
        code, _, err = self.run_cli("set-end", "08.03.2026")
        self.assertEqual((code, err), (1, refused))
        self.assertEqual(self.run_cli("set-end", "05.03.2026")[0], 0)
        self.assertEqual(self.run_cli("set-end", "04.03.2026")[0], 1)
        self.assertEqual(self.run_cli("days")[1], "01.03.2026\tS------\t-\t\n05.03.2026\t-E-----\t-\t\n")

        self.assertEqual(self.run_cli("unset-end", "05.03.2026")[0], 0)
        self.assertEqual(self.run_cli("unset-end", "05.03.2026")[0], 1)  # nothing to unset
        self.assertEqual(self.run_cli("unset-start", "01.03.2026")[0], 0)
        self.assertEqual(self.run_cli("days")[1], "")
        data, slots = read_slots(self.db)
        self.assertEqual(slots, [])
        self.assertEqual(len(data), 28001 + 26)  # removed records stay as dead space

    @whole_table
    def test_toggles_moods_temperature_and_notes(self):
        self.assertEqual(self.run_cli("sex", "02.03.2026")[0], 0)
        self.assertEqual(self.run_cli("pill", "02.03.2026")[0], 1)  # only offered when avoiding pregnancy
        self.assertEqual(self.run_cli("--goal", "0", "pill", "02.03.2026")[0], 0)
        self.assertEqual(self.run_cli("mood", "02.03.2026", "good")[0], 0)
        self.assertEqual(self.run_cli("mood", "02.03.2026", "good")[0], 1)
        self.assertEqual(self.run_cli("mood", "02.03.2026", "bad")[0], 0)
        code, _, err = self.run_cli("temperature", "02.03.2026", "29.9")
        self.assertEqual((code, err), (1, "Enter a number between 30 and 150.\n"))
        self.assertEqual(self.run_cli("temperature", "02.03.2026", "abc")[0], 1)
        self.assertEqual(self.run_cli("temperature", "02.03.2026", "36.6")[0], 0)
        self.assertEqual(self.run_cli("note", "02.03.2026", "Kopf\tweh – 头痛")[0], 0)
        self.assertEqual(self.run_cli("days")[1], "02.03.2026\t--XP-B-\t36.60\tKopf\\tweh – 头痛\n")
        self.assertEqual(self.run_cli("sex", "02.03.2026")[0], 0)
        self.assertEqual(self.run_cli("note", "02.03.2026", "")[0], 0)
        self.assertEqual(self.run_cli("days")[1], "02.03.2026\t---P-B-\t36.60\t\n")

    @whole_table
    def test_disturbed_toggles_bit_six_and_nothing_else(self):
        self.assertEqual(self.run_cli("temperature", "02.03.2026", "38.4")[0], 0)
        plain = read_bytes(self.db)
        self.assertEqual(plain[28001], 0)  # a day without the mark: flags as ever
        self.assertEqual(self.run_cli("disturbed", "02.03.2026"), (0, "", ""))
        marked = read_bytes(self.db)
        self.assertEqual(marked[28001], 0x40)
        self.assertEqual(marked[:28001] + marked[28002:], plain[:28001] + plain[28002:])
        self.assertEqual(self.run_cli("days")[1], "02.03.2026\t------D\t38.40\t\n")
        self.assertEqual(self.run_cli("disturbed", "02.03.2026")[0], 0)
        self.assertEqual(read_bytes(self.db), plain)
        # The mark alone on a day without a record makes one; twice removes it again.
        self.assertEqual(self.run_cli("disturbed", "03.03.2026")[0], 0)
        self.assertEqual(self.run_cli("days")[1], "02.03.2026\t-------\t38.40\t\n03.03.2026\t------D\t-\t\n")
        self.assertEqual(self.run_cli("disturbed", "03.03.2026")[0], 0)
        self.assertEqual(self.run_cli("days")[1], "02.03.2026\t-------\t38.40\t\n")
        # Bit 7, which no copy writes, is read past.
        f = DbFile()
        f.add((4, 3, 2026), flags=0x80 | 0x40 | 0x04, temperature=37.1)
        f.write(self.db)
        self.assertEqual(self.run_cli("days")[1], "04.03.2026\t--X---D\t37.10\t\n")

    @whole_table
    def test_shift_names_each_reading_of_a_cycle(self):
        f = DbFile()
        f.add((1, 3, 2026), flags=1)
        f.add((29, 3, 2026), flags=1)
        temps = {2: 36.7, 5: 36.30, 6: 36.35, 7: 38.5, 8: 36.40, 9: 36.45, 10: 36.35, 11: 36.30,
                 12: 97.88, 13: 36.62, 14: 36.70, 20: 36.8}
        for day, t in temps.items():
            f.add((day, 3, 2026), flags=0x40 if day == 7 else 0, temperature=t)
        f.add((27, 2, 2026), flags=0x40, temperature=37.5)  # before any cycle
        f.write(self.db)
        code, out, err = self.run_cli("shift", "27.02.2026", "31.03.2026")
        self.assertEqual((code, err), (0, ""))
        self.assertEqual(out.splitlines(), [
            "27.02.2026\t37.50\tdisturbed",
            "02.03.2026\t36.70\t",
            "05.03.2026\t36.30\tlow", "06.03.2026\t36.35\tlow", "07.03.2026\t38.50\tdisturbed",
            "08.03.2026\t36.40\tlow", "09.03.2026\t36.45\tlow", "10.03.2026\t36.35\tlow",
            "11.03.2026\t36.30\tlow", "12.03.2026\t36.60\thigh", "13.03.2026\t36.62\thigh",
            "14.03.2026\t36.70\thigh", "20.03.2026\t36.80\t",
        ])
        self.assertEqual(self.run_cli("shift", "13.03.2026", "13.03.2026")[1], "13.03.2026\t36.62\thigh\n")
        self.assertEqual(self.run_cli("shift", "15.03.2026", "19.03.2026")[1], "")
        # The cycles table gains the ovulation her temperatures confirmed (the
        # last low day) and her cover line (the highest of the six lows).
        code, out, err = self.run_cli("cycles", today="31.03.2026")
        self.assertEqual((code, err), (0, ""))
        self.assertEqual(out.splitlines()[:2], ["01.03.2026\t28\t15.03.2026\t11.03.2026\t36.45",
                                                "29.03.2026\t\t\t\t"])
        for args in [("shift", "02.03.2026"), ("shift", "05.03.2026", "01.03.2026"), ("disturbed",)]:
            code, out, err = self.run_cli(*args)
            self.assertEqual((code, out), (2, ""), args)

    @whole_table
    def test_a_full_file_refuses_new_days_and_keeps_every_byte(self):
        f = DbFile()
        for n in range(2000):
            y, rest = divmod(n, 28 * 12)
            f.add((rest % 28 + 1, rest // 28 + 1, 2000 + y), flags=4, owner=n % 3)
        f.write(self.db)
        with open(self.db, "rb") as fh:
            before = fh.read()
        code, out, err = self.run_cli("sex", "31.12.2026")
        self.assertEqual((code, out, err), (1, "", "The calendar file is full: no more days can be stored.\n"))
        code, _, err = self.run_cli("set-start", "31.12.2026")
        self.assertEqual((code, err), (1, "The calendar file is full: no more days can be stored.\n"))
        with open(self.db, "rb") as fh:
            self.assertEqual(fh.read(), before)

    def test_a_save_cut_off_by_a_crash_is_rolled_back(self):
        f = DbFile()
        f.add((1, 3, 2026), flags=0b000101)  # what the interrupted save wrote: start and sex
        f.write(self.db)
        with open(self.db, "rb") as fh:
            saved = fh.read()
        # The journal holds the record's old flags (start only) and the old length (the record appended after).
        old_record = struct.pack("<BdI", 1, 0.0, 0)
        with open(self.db + "-journal", "wb") as fh:
            fh.write(journal(len(saved), [(28001, old_record)]))
        # A reader sees the file as it was before the save, and changes nothing.
        self.assertEqual(self.run_cli("days")[1], "01.03.2026\tS------\t-\t\n")
        with open(self.db, "rb") as fh:
            self.assertEqual(fh.read(), saved)
        # A writer puts the old bytes back first, then saves; the journal is emptied.
        self.assertEqual(self.run_cli("pill", "--goal", "0", "02.03.2026")[0], 2)  # options come first
        self.assertEqual(self.run_cli("--goal", "0", "pill", "02.03.2026")[0], 0)
        self.assertEqual(self.run_cli("days")[1], "01.03.2026\tS------\t-\t\n02.03.2026\t---P---\t-\t\n")
        self.assertEqual(os.path.getsize(self.db + "-journal"), 0)
        # A torn journal (its last byte missing) was never complete: db.dat stands as it is.
        f.write(self.db)
        with open(self.db + "-journal", "wb") as fh:
            fh.write(journal(len(saved), [(28001, old_record)])[:-1])
        self.assertEqual(self.run_cli("days")[1], "01.03.2026\tS-X----\t-\t\n")

    @unittest.skipIf(EMULATOR, "the lock taken here is the POSIX one")
    def test_reading_while_another_program_writes(self):
        self.assertEqual(self.run_cli("set-start", "01.03.2026")[0], 0)
        with open(self.db, "r+b") as held:
            fcntl.flock(held, fcntl.LOCK_EX | fcntl.LOCK_NB)
            self.assertEqual(self.run_cli("days")[1], "01.03.2026\tS------\t-\t\n")
            self.assertEqual(self.run_cli("stats")[0], 0)
            code, out, err = self.run_cli("sex", "02.03.2026")
            self.assertEqual((code, out), (1, ""))
            self.assertIn("cannot be opened for writing", err)
        self.assertEqual(self.run_cli("sex", "02.03.2026")[0], 0)

    @whole_table
    def test_damaged_files_never_crash(self):
        for content in [b"", b"\x01" * 13, b"\xff" * 28001, b"\xff" * 40000]:
            with open(self.db, "wb") as fh:
                fh.write(content)
            for args in [("days",), ("stats",), ("classify", "01.01.2026", "31.01.2026")]:
                code, _, err = self.run_cli(*args)
                self.assertEqual(code, 0, (content[:4], args, err))


class BackupExportTest(unittest.TestCase):
    """Backup, restore and the two exports, checked from outside: the backup
    with Python's zipfile, the CSV with csv, the iCalendar file with icalendar,
    each against what `tamarel-cli days` says."""

    setUp = CliTest.setUp
    tearDown = CliTest.tearDown
    run_cli = CliTest.run_cli

    def path(self, name):
        return os.path.join(self.tmp.name, name)

    def cli(self, *args, **kw):
        return self.run_cli("--users", self.path("user.dat"), *args, **kw)

    def make_days(self):
        f = DbFile()
        f.add((1, 3, 2026), flags=0b000001, temperature=36.55)
        f.add((2, 3, 2026), flags=0b010100, note='Kopfweh, "stark"\r\nzweite Zeile; – 头痛')
        f.add((4, 3, 2026), flags=0b000010, temperature=98.1)
        f.add((29, 3, 2026), flags=0b100001)
        f.add((1, 3, 2026), flags=0b001000, owner=5, note="hers")
        f.write(self.db)
        with open(self.path("user.dat"), "wb") as u:
            u.write(b"5\tanna\t" + b"0" * 48 + b"\r\n")

    def snapshot(self):
        out = {}
        for name in sorted(os.listdir(self.tmp.name)):
            with open(self.path(name), "rb") as f:
                out[name] = f.read()
        return out

    @whole_table
    def test_backup_change_restore_gives_back_the_days(self):
        self.make_days()
        days_before = self.cli("days")[1]
        users_before = read_bytes(self.path("user.dat"))
        code, out, err = self.cli("backup", self.path("b.zip"))
        self.assertEqual((code, out, err), (0, "", ""))
        with zipfile.ZipFile(self.path("b.zip")) as z:
            self.assertIsNone(z.testzip())
            self.assertEqual(sorted(z.namelist()), ["db.dat", "tamarel-backup.txt", "user.dat"])
            self.assertEqual(z.read("db.dat"), read_bytes(self.db))
            manifest = z.read("tamarel-backup.txt").decode()
            self.assertTrue(manifest.startswith("Tamarel backup\r\nformat: 1\r\n"), manifest)

        self.assertEqual(self.cli("sex", "10.03.2026")[0], 0)
        self.assertEqual(self.cli("note", "29.03.2026", "after the backup")[0], 0)
        with open(self.path("user.dat"), "ab") as u:
            u.write(b"6\tbea\t" + b"1" * 48 + b"\r\n")
        changed_db = read_bytes(self.db)
        changed_users = read_bytes(self.path("user.dat"))
        self.assertNotEqual(self.cli("days")[1], days_before)

        code, out, err = self.cli("restore", self.path("b.zip"))
        self.assertEqual((code, out, err), (0, "", ""))
        self.assertEqual(self.cli("days")[1], days_before)
        self.assertEqual(self.cli("--owner", "5", "days")[1], "01.03.2026\t---P---\t-\thers\n")
        self.assertEqual(read_bytes(self.path("user.dat")), users_before)
        self.assertEqual(read_bytes(self.db + ".before-restore"), changed_db)
        self.assertEqual(read_bytes(self.path("user.dat.before-restore")), changed_users)
        leftovers = [n for n in os.listdir(self.tmp.name) if n.endswith((".restore", ".restore-pending", ".part"))]
        self.assertEqual(leftovers, [])

    @whole_table
    def test_a_damaged_or_foreign_backup_is_refused_with_nothing_changed(self):
        self.make_days()
        self.assertEqual(self.cli("backup", self.path("b.zip"))[0], 0)
        good = read_bytes(self.path("b.zip"))
        flipped = bytearray(good)
        flipped[len(good) // 2] ^= 0x40  # inside db.dat
        foreign = io.BytesIO()
        with zipfile.ZipFile(foreign, "w") as z:
            z.writestr("db.dat", read_bytes(self.db))
            z.writestr("notes.txt", "someone else's archive")
        cases = [
            ("not a zip", b"date,start\r\n2026-03-01,yes\r\n", "not a Tamarel backup"),
            ("bad CRC", bytes(flipped), "damaged"),
            ("cut short", good[: len(good) - 40], "damaged"),
            ("someone else's zip", foreign.getvalue(), "not a Tamarel backup"),
        ]
        self.assertEqual(self.cli("sex", "10.03.2026")[0], 0)
        before = self.snapshot()
        for what, data, message in cases:
            with self.subTest(what):
                with open(self.path("bad.zip"), "wb") as f:
                    f.write(data)
                before["bad.zip"] = data
                code, out, err = self.cli("restore", self.path("bad.zip"))
                self.assertEqual(code, 1)
                self.assertIn(message, err)
                self.assertIn("Nothing was changed.", err)
                self.assertEqual(self.snapshot(), before)

    @whole_table
    def test_csv_reads_back_as_the_days(self):
        self.make_days()
        code, out, err = self.cli("--unit", "C", "export-csv", self.path("days.csv"))
        self.assertEqual((code, out, err), (0, "", ""))
        raw = read_bytes(self.path("days.csv"))
        self.assertTrue(raw.startswith(b"\xef\xbb\xbf"))
        self.assertNotIn(b"\n", raw.replace(b"\r\n", b""))  # every line ends in CR LF (or sits quoted in a note)
        with open(self.path("days.csv"), newline="", encoding="utf-8-sig") as f:
            rows = list(csv.DictReader(f))
        listed = [line.split("\t") for line in self.cli("days")[1].splitlines()]
        self.assertEqual(len(rows), len(listed))
        for row, (date, flags, temperature, note) in zip(rows, listed):
            d, m, y = date.split(".")
            self.assertEqual(row["date"], f"{y}-{m}-{d}")
            marks = {"start": "S", "end": "E", "sex": "X", "pill": "P"}
            for column, letter in marks.items():
                self.assertEqual(row[column] == "yes", letter in flags, (date, column))
            self.assertEqual(row["mood"], "good" if "G" in flags else "bad" if "B" in flags else "")
            if temperature == "-":
                self.assertEqual((row["temperature"], row["unit"]), ("", ""))
            else:
                value = float(temperature)
                celsius = value if value < 50 else (value - 32) / 1.8
                self.assertAlmostEqual(float(row["temperature"]), celsius, places=2)
                self.assertEqual(row["unit"], "°C")
            self.assertEqual(row["note"].replace("\\", "\\\\").replace("\t", "\\t").replace("\r", "\\r")
                             .replace("\n", "\\n"), note)
        self.assertEqual(rows[1]["note"], 'Kopfweh, "stark"\r\nzweite Zeile; – 头痛')
        # The other user's days stay out; with her id they are hers alone.
        self.assertEqual(self.cli("--owner", "5", "export-csv", self.path("hers.csv"))[0], 0)
        with open(self.path("hers.csv"), newline="", encoding="utf-8-sig") as f:
            self.assertEqual([r["note"] for r in csv.DictReader(f)], ["hers"])

    @whole_table
    def test_icalendar_parses_and_matches_the_days_and_the_prediction(self):
        self.make_days()
        today = "10.04.2026"
        code, out, err = self.cli("--manual", "28", "14", "export-ics", self.path("a.ics"), today=today)
        self.assertEqual((code, out, err), (0, "", ""))
        raw = read_bytes(self.path("a.ics"))
        for line in raw.split(b"\r\n")[:-1]:
            self.assertLessEqual(len(line), 75)
            line.decode("utf-8")  # no line cut inside a character
        self.assertEqual(raw[-2:], b"\r\n")
        cal = icalendar.Calendar.from_ical(raw)
        self.assertEqual(str(cal["VERSION"]), "2.0")
        self.assertIn("PRODID", cal)
        events = [c for c in cal.walk("VEVENT")]
        by_category = {}
        for e in events:
            by_category.setdefault(str(e["CATEGORIES"].cats[0]) if hasattr(e["CATEGORIES"], "cats")
                                   else str(e["CATEGORIES"]), []).append(e)

        # Recorded periods: from each start to its end mark, or the start and four days after it.
        periods = sorted((e["DTSTART"].dt, e["DTEND"].dt) for e in by_category["Menstruation"])
        starts = [line.split("\t")[0] for line in self.cli("days")[1].splitlines() if "S" in line.split("\t")[1]]
        self.assertEqual([p[0] for p in periods],
                         [datetime.date(int(s[6:]), int(s[3:5]), int(s[:2])) for s in starts])
        self.assertEqual(periods[0], (datetime.date(2026, 3, 1), datetime.date(2026, 3, 5)))  # end mark on 4 March
        self.assertEqual(periods[1], (datetime.date(2026, 3, 29), datetime.date(2026, 4, 3)))
        # The notes of a period's days are its description, unescaped as written.
        first = [e for e in by_category["Menstruation"] if e["DTSTART"].dt == datetime.date(2026, 3, 1)][0]
        self.assertEqual(str(first["DESCRIPTION"]), '02.03.2026: Kopfweh, "stark"\nzweite Zeile; – 头痛')

        # Predictions agree with the calendar's classes day by day.
        end = datetime.date(2027, 4, 10)
        code, out, _ = self.cli("--manual", "28", "14", "classify", today, "09.04.2027", today=today)
        classes = {}
        for line in out.splitlines():
            date, c = line.split("\t")
            classes[datetime.date(int(date[6:]), int(date[3:5]), int(date[:2]))] = int(c)
        predicted = sorted((e["DTSTART"].dt, e["DTEND"].dt) for e in by_category["Predicted menstruation"])
        self.assertEqual([p[0] for p in predicted], sorted(d for d, c in classes.items() if c == 3))
        for first_day, after in predicted:
            self.assertEqual(after - first_day, datetime.timedelta(days=4))
            self.assertLess(first_day, end)
        ovulations = sorted(e["DTSTART"].dt for e in by_category["Ovulation"])
        self.assertEqual(ovulations, sorted(d for d, c in classes.items() if c == 11))
        for e in by_category["Ovulation"]:
            self.assertEqual(e["DTEND"].dt - e["DTSTART"].dt, datetime.timedelta(days=1))

        # Exported again, every event keeps its UID.
        self.assertEqual(self.cli("--manual", "28", "14", "export-ics", self.path("b.ics"), today=today)[0], 0)
        again = icalendar.Calendar.from_ical(read_bytes(self.path("b.ics")))
        self.assertEqual([str(e["UID"]) for e in events], [str(e["UID"]) for e in again.walk("VEVENT")])
        self.assertEqual(len(set(str(e["UID"]) for e in events)), len(events))


class UsersVaultTest(unittest.TestCase):
    """Users and encrypted calendars managed from a script: after `encrypt`,
    neither db.dat nor her vault holds her note or her dates in any form, and
    her days come back only with her password. Each command that opens a
    vault or makes a hash runs 600,000 PBKDF2 rounds, as the program does."""

    setUp = CliTest.setUp
    tearDown = CliTest.tearDown
    run_cli = CliTest.run_cli
    path = BackupExportTest.path
    cli = BackupExportTest.cli

    NOTE = "Ärztin – Blutung 头痛"
    DAYS = [(11, 3, 2026), (14, 3, 2026), (20, 3, 2026)]

    def secret_forms(self):
        forms = [self.NOTE.encode("utf-16-le"), self.NOTE.encode("utf-8"), "Blutung".encode("utf-16-le"),
                 b"Blutung"]
        for d, m, y in self.DAYS:
            forms.append(struct.pack("<BBH", d, m, y))
            for text in ("%02d.%02d.%04d" % (d, m, y), "%04d-%02d-%02d" % (y, m, d), "%04d%02d%02d" % (y, m, d)):
                forms += [text.encode("utf-8"), text.encode("utf-16-le")]
        return forms

    def test_users_encrypt_and_decrypt(self):
        self.assertEqual(self.cli("--password", "rose", "add-user", "anna")[0], 0)
        self.assertEqual(self.cli("--password", "tulip", "add-user", "bea")[0], 0)
        code, out, _ = self.cli("users")
        self.assertEqual((code, out), (0, "1\tanna\n2\tbea\n"))
        code, _, err = self.cli("--password", "x", "add-user", "anna")
        self.assertEqual(code, 1)
        self.assertIn("exists", err)
        with open(self.path("user.dat"), "rb") as f:
            self.assertTrue(f.read().startswith(b"1\tanna\tpbkdf2-sha256$600000$"))

        a = ["--owner", "1"]
        self.assertEqual(self.cli(*a, "set-start", "11.03.2026")[0], 0)
        self.assertEqual(self.cli(*a, "sex", "14.03.2026")[0], 0)
        self.assertEqual(self.cli(*a, "note", "20.03.2026", self.NOTE)[0], 0)
        self.assertEqual(self.cli("--owner", "2", "set-start", "03.02.2026")[0], 0)
        _, before, _ = self.cli(*a, "days")

        code, _, err = self.cli(*a, "--password", "tulip", "encrypt")
        self.assertEqual(code, 1, err)
        self.assertEqual(self.cli(*a, "--password", "rose", "encrypt")[0], 0)
        vault = self.path("vault-1.dat")
        for name in ("db.dat", "vault-1.dat"):
            data = read_bytes(self.path(name))
            for form in self.secret_forms():
                self.assertNotIn(form, data, (name, form))

        code, out, err = self.cli(*a, "days")
        self.assertEqual((code, out), (3, ""))
        self.assertIn("encrypted", err)
        code, out, _ = self.cli(*a, "--password", "tulip", "days")
        self.assertEqual((code, out), (1, ""))
        p = subprocess.run(EMULATOR + [CLI, "--db", self.db, "--users", self.path("user.dat"), "--owner", "1",
                                       "--password", "-", "days"], input=b"rose\n", capture_output=True, timeout=120)
        self.assertEqual((p.returncode, p.stdout.decode("utf-8")), (0, before))
        # Bea's calendar is hers as before.
        self.assertEqual(self.cli("--owner", "2", "days")[1], "03.02.2026\tS------\t-\t\n")

        # A changed byte: refused, nothing written.
        data = bytearray(read_bytes(vault))
        data[len(data) // 2] ^= 1
        with open(vault, "wb") as f:
            f.write(data)
        code, _, err = self.cli(*a, "--password", "rose", "days")
        self.assertEqual(code, 1)
        self.assertEqual(read_bytes(vault), bytes(data))
        data[len(data) // 2] ^= 1
        with open(vault, "wb") as f:
            f.write(data)

        self.assertEqual(self.cli(*a, "--password", "rose", "decrypt")[0], 0)
        self.assertFalse(os.path.exists(vault))
        self.assertEqual(self.cli(*a, "days")[1], before)

        # Deleting her takes her days with her; --keep-days leaves them.
        code, _, err = self.cli("--password", "tulip", "delete-user", "anna")
        self.assertEqual(code, 1)
        self.assertEqual(self.cli("--password", "rose", "delete-user", "anna")[0], 0)
        self.assertEqual(self.cli("users")[1], "2\tbea\n")
        self.assertEqual(self.cli(*a, "days")[1], "")
        self.assertEqual(self.cli("--keep-days", "--password", "tulip", "delete-user", "bea")[0], 0)
        self.assertEqual(self.cli("--owner", "2", "days")[1], "03.02.2026\tS------\t-\t\n")


class CliSmokeTest(unittest.TestCase):
    """What the Windows build has of its own: wide arguments and UTF-8
    output through the console, the exit codes, writing and reading db.dat."""

    setUp = CliTest.setUp
    tearDown = CliTest.tearDown
    run_cli = CliTest.run_cli

    def test_smoke(self):
        code, _, err = self.run_cli("frobnicate")
        self.assertEqual(code, 2)
        self.assertIn("usage", err.lower())
        self.assertEqual(self.run_cli("set-start", "01.03.2026")[0], 0)
        code, _, err = self.run_cli("set-start", "05.03.2026")
        self.assertEqual(code, 1)
        self.assertTrue(err.startswith("Can't save this day."), err)
        self.assertEqual(self.run_cli("note", "02.03.2026", "Kopf\tweh – 头痛")[0], 0)
        code, out, err = self.run_cli("days")
        self.assertEqual((code, err), (0, ""))
        self.assertEqual(out, "01.03.2026\tS------\t-\t\n02.03.2026\t-------\t-\tKopf\\tweh – 头痛\n")
        code, out, _ = self.run_cli("--manual", "28", "14", "classify", "01.03.2026", "02.03.2026")
        self.assertEqual((code, out), (0, "01.03.2026\t0\n02.03.2026\t1\n"))
        users = os.path.join(self.tmp.name, "user.dat")
        backup = os.path.join(self.tmp.name, "Sicherung – 1.zip")
        self.assertEqual(self.run_cli("--users", users, "backup", backup)[0], 0)
        self.assertEqual(self.run_cli("unset-start", "01.03.2026")[0], 0)
        self.assertEqual(self.run_cli("--users", users, "restore", backup)[0], 0)
        self.assertEqual(self.run_cli("days")[1], "01.03.2026\tS------\t-\t\n02.03.2026\t-------\t-\tKopf\\tweh – 头痛\n")
        exported = os.path.join(self.tmp.name, "days.csv")
        self.assertEqual(self.run_cli("export-csv", exported)[0], 0)
        with open(exported, "rb") as f:
            self.assertEqual(f.read().splitlines()[2], "2026-03-02,,,,,,,,Kopf\tweh – 头痛".encode())


if __name__ == "__main__":
    # Further arguments pick tests as unittest's own do; --except=CLASS runs
    # every class but that one (the Wine tests run the slow one on its own).
    names = sys.argv[3:]
    left_out = [a.split("=", 1)[1] for a in names if a.startswith("--except=")]
    if left_out:
        cases = [n for n, v in list(globals().items())
                 if isinstance(v, type) and issubclass(v, unittest.TestCase) and v is not unittest.TestCase]
        unknown = [n for n in left_out if n not in cases]
        if unknown:
            sys.exit("no test class named " + ", ".join(unknown))
        names = [a for a in names if not a.startswith("--except=")] + [n for n in cases if n not in left_out]
    unittest.main(argv=[sys.argv[0], "-v"] + names)
