"""The installer and uninstaller engines on the real Windows layer: a package
is installed into a prefix without any user interface, and the uninstaller
copy it writes takes everything away again, itself included."""

import os
import time

from harness import ENGINE_HOST, E2ETestCase, file_tree

# An accented vendor name: the batch file must still find the folder. Names
# of their own for every run, so that what a failed run left behind in
# the shared prefix cannot hide or fake anything.
RUN = f"{os.getpid()}"
VENDOR = f"C:\\Program Files\\Engine Vendor Caf\u00e9 {RUN}"
FOLDER = VENDOR + "\\Engine Test"
KEY_NAME = f"Engine Test 2.10 {RUN}"
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + KEY_NAME

PRODUCT = {
    "Setup.ini": "[Setup]\r\nProductVersion=2.10\r\n",
    "Main/Main.txt": "main file\r\n" * 100,
    "Main/Docs/Deep/Guide.txt": "a guide\r\n",
    "Main/Empty/": "",
    "Plugin/Plug.dll": bytes(range(256)) * 40,
    "Plugin/Presets/Factory.fxp": "preset",
}

class EngineTest(E2ETestCase):
    def test_install_and_uninstall_leave_the_prefix_as_they_found_it(self):
        if not ENGINE_HOST:
            self.skipTest("no engine host")
        # The engine host reads no settings, and the fixture carries none.
        setup = self.pack(self.staging(PRODUCT), self.work / "EngineSetup.exe", "--no-check", stub=ENGINE_HOST)
        before = self.snapshot()

        code, output = self.run_wine(setup, FOLDER, KEY_NAME)
        self.assertEqual(code, 0, output)
        folder = self.drive_c(FOLDER + "\\")
        self.assertEqual((folder / "Main.txt").read_bytes(), PRODUCT["Main/Main.txt"].encode())
        self.assertEqual((folder / "Plugins" / "Plug.dll").read_bytes(), PRODUCT["Plugin/Plug.dll"])
        self.assertTrue((folder / "Docs" / "Deep" / "Guide.txt").is_file())
        self.assertTrue((folder / "Empty").is_dir())
        self.assertTrue((folder / "Uninst.exe").is_file())
        # Every extracted file carries the package's date (2024-05-01 12:00 local).
        modified = time.localtime((folder / "Plugins" / "Presets" / "Factory.fxp").stat().st_mtime)
        self.assertEqual((modified.tm_year, modified.tm_mon, modified.tm_mday, modified.tm_hour),
                         (2024, 5, 1, 12))
        self.assertEqual(self.reg_query(UNINSTALL_KEY, "UninstallString"), f'"{FOLDER}\\Uninst.exe"')
        self.assertEqual(self.reg_query(UNINSTALL_KEY, "DisplayName"), KEY_NAME + " display")
        self.assertEqual(self.reg_query("HKCU\\Software\\Engine Test\\" + KEY_NAME, "Count"), "0x3")
        installed = self.snapshot()
        new_files = set(installed[0]) - set(before[0])
        self.assertTrue(any(p.endswith(f"/{KEY_NAME}.lnk") for p in new_files), new_files)

        # The uninstaller, started as Windows would start it.
        code, output = self.run_wine(FOLDER + "\\Uninst.exe")
        self.assertEqual(code, 0, output)
        self.assertIn("removed: all, Engine Test", output)

        # The batch file removes the uninstaller and its folders once it has ended.
        deadline = time.time() + 60
        vendor = self.drive_c(VENDOR + "\\")
        while time.time() < deadline and vendor.exists():
            time.sleep(0.5)
        self.assertFalse(vendor.exists(), sorted(file_tree(vendor)))

        after = self.snapshot()
        self.assertEqual(after[0], before[0], "files left or lost: %s / %s" % (
            sorted(set(after[0]) - set(before[0])), sorted(set(before[0]) - set(after[0]))))
        self.assertEqual(after[1] ^ before[1], set(), "HKLM\\Software changed")
        self.assertEqual(after[2] ^ before[2], set(), "HKCU\\Software changed")
