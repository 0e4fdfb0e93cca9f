#!/usr/bin/env python3
"""Installs Tamarel under Wine as a user would (silently), starts the installed
program in German, and uninstalls it again.

Checks: the program files, the Start-menu shortcut and the uninstall entry
exist after installing; the installed program opens its window and, on a
German system, chooses German; after uninstalling, the program files, the
shortcut, the entry and the start-with-Windows entry are gone and the user's
db.dat is still there. Start with Windows follows the installer's choice
(ticked by default, "/NOAUTOSTART" unticks it), also after the program's
first exit.

usage: installer_test.py SETUP.exe BUILD_DIR
Runs only in the build's own Wine prefix (WINEPREFIX inside BUILD_DIR).
"""
import os
import pathlib
import subprocess
import sys
import time
import unittest

SETUP = pathlib.Path()
BUILD = pathlib.Path()
PREFIX = pathlib.Path()
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamarel"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
SETTINGS_KEY = r"HKCU\Software\Quillow\Tamarel"


def wine(*args, env_extra=None, timeout=180, check=True):
    env = dict(os.environ)
    env.update(env_extra or {})
    result = subprocess.run(["wine", *args], env=env, capture_output=True, text=True, timeout=timeout)
    if check and result.returncode != 0:
        raise AssertionError(f"wine {' '.join(args)} failed ({result.returncode}): {result.stderr[-2000:]}")
    return result


def wait_server():
    subprocess.run(["wineserver", "-w"], timeout=120)


def reg_value(key, name):
    r = wine("reg", "query", key, "/v", name, check=False)
    if r.returncode != 0:
        return None
    for line in r.stdout.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 3 and parts[0] == name:
            return parts[2]
    return None


def user_folder():
    users = PREFIX / "drive_c" / "users"
    for candidate in [users / os.environ.get("USER", "root"), *sorted(users.iterdir())]:
        if (candidate / "AppData").is_dir():
            return candidate
    raise AssertionError("no user profile in the Wine prefix")


def windows_titled(title):
    r = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True, timeout=30)
    return [line for line in r.stdout.splitlines() if f'"{title}"' in line]


def windows_path(path):
    return "C:\\" + str(path.relative_to(PREFIX / "drive_c")).replace("/", "\\")


def run_and_close(exe, env_extra=None):
    """Starts the installed program, waits for its window and closes it as
    Windows does at logoff (taskkill without /f), so it saves its settings."""
    env = dict(os.environ, **(env_extra or {}))
    program = subprocess.Popen(["wine", exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.time() + 60
        while time.time() < deadline and not windows_titled("Tamarel"):
            time.sleep(0.5)
        shown = bool(windows_titled("Tamarel"))
        wine("taskkill", "/im", "tamarel.exe", env_extra=env_extra, check=False)
        program.wait(timeout=60)
    finally:
        if program.poll() is None:
            program.kill()
    wait_server()
    return shown


class InstallerTest(unittest.TestCase):
    def setUp(self):
        self.profile = user_folder()
        self.install_dir = self.profile / "AppData" / "Local" / "Programs" / "Tamarel"
        self.exe = windows_path(self.install_dir / "tamarel.exe")
        # A new user: no earlier choice of starting with Windows.
        wine("reg", "delete", SETTINGS_KEY, "/v", "autoLoad", "/f", check=False)
        wine("reg", "delete", RUN_KEY, "/v", "Tamarel", "/f", check=False)

    def install(self, *options):
        wine("Z:" + str(SETUP).replace("/", "\\"), "/S", *options)
        wait_server()

    def uninstall(self):
        # As Settings > Apps runs it: the uninstaller copies itself to the
        # temporary folder and runs from there, so it can delete its own file;
        # waiting for the Wine server waits for that copy too.
        wine(windows_path(self.install_dir / "uninstall.exe"), "/S")
        wait_server()

    def test_install_start_in_german_and_uninstall_keeping_the_data(self):
        profile = self.profile
        install_dir = self.install_dir
        shortcut = profile / "AppData" / "Roaming" / "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Tamarel" / "Tamarel.lnk"
        db = profile / "AppData" / "Roaming" / "Zenthal" / "Tamarel" / "db.dat"
        wine("reg", "delete", SETTINGS_KEY, "/v", "Locale", "/f", check=False)

        self.install()
        for name in ["tamarel.exe", "tamarel-cli.exe", "tamarel_help.chm", "en.lan", "de.lan", "fr.lan", "ru.lan",
                     "uninstall.exe"]:
            self.assertTrue((install_dir / name).is_file(), name)
        self.assertTrue(shortcut.is_file())
        self.assertEqual(reg_value(UNINSTALL_KEY, "DisplayName"), "Tamarel")
        uninstall_string = reg_value(UNINSTALL_KEY, "UninstallString")
        self.assertIsNotNone(uninstall_string)
        self.assertIn("uninstall.exe", uninstall_string)
        # "Start Tamarel with Windows" is ticked unless she unticks it.
        self.assertEqual(reg_value(SETTINGS_KEY, "autoLoad"), "0x1")
        self.assertEqual(reg_value(RUN_KEY, "Tamarel"), f'"{self.exe}" -m')

        # The installed program, started on a German system, opens its window in German.
        german = {"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8"}
        self.assertTrue(run_and_close(self.exe, german), "the installed program showed no window")
        self.assertEqual(reg_value(SETTINGS_KEY, "Locale"), "Deutsch")
        self.assertTrue(db.is_file(), "the program made no db.dat")
        self.assertTrue((reg_value(RUN_KEY, "Tamarel") or "").lower().endswith('tamarel.exe" -m'))

        self.uninstall()
        for name in ["tamarel.exe", "tamarel-cli.exe", "tamarel_help.chm", "de.lan", "uninstall.exe"]:
            self.assertFalse((install_dir / name).exists(), name)
        self.assertFalse(shortcut.exists())
        self.assertIsNone(reg_value(UNINSTALL_KEY, "DisplayName"))
        self.assertIsNone(reg_value(RUN_KEY, "Tamarel"), "Windows would start a program that is gone")
        self.assertTrue(db.is_file(), "uninstalling removed her calendar")

    def test_unticked_start_with_windows_survives_the_first_exit(self):
        self.install("/NOAUTOSTART")
        self.assertEqual(reg_value(SETTINGS_KEY, "autoLoad"), "0x0")
        self.assertIsNone(reg_value(RUN_KEY, "Tamarel"))
        self.assertTrue(run_and_close(self.exe), "the installed program showed no window")
        self.assertEqual(reg_value(SETTINGS_KEY, "autoLoad"), "0x0")
        self.assertIsNone(reg_value(RUN_KEY, "Tamarel"), "the first exit added Tamarel to start with Windows")
        self.uninstall()
        self.assertIsNone(reg_value(RUN_KEY, "Tamarel"))


if __name__ == "__main__":
    SETUP = pathlib.Path(sys.argv[1]).resolve()
    BUILD = pathlib.Path(sys.argv[2]).resolve()
    PREFIX = pathlib.Path(os.environ.get("WINEPREFIX", "")).resolve()
    if not os.environ.get("WINEPREFIX") or BUILD not in PREFIX.parents:
        sys.exit("installer_test: refusing to run outside the build's own Wine prefix")
    unittest.main(argv=sys.argv[:1], verbosity=2)
