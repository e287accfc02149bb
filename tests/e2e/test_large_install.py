"""A 200 MB product through the real wizard: the window is never taken for
hung while the files are copied and its bar moves; and a setup ended in the
middle of the copying is repaired by running it again, after which the
uninstaller takes away everything both runs put there and nothing else."""

import os
import shutil
import subprocess
import time
from pathlib import Path

from harness import SETUP_STUB, WORK, E2ETestCase

BENCH_STAGING = os.environ.get("BENCH_STAGING", "")
STAGING_ROOT = os.environ.get("BENCH_STAGING_ROOT", "")

# What the benchmark product's Setup.ini makes of it.
TITLE = "Bench Product Setup"
FOLDER = "C:\\Program Files\\Setup Bench\\Bench Product 1"
ROOT = "Software\\Setup Bench"
ENTRY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bench Product 1.00"


class LargeInstallTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.assertTrue(BENCH_STAGING and STAGING_ROOT, "no benchmark product generator")
        self.setup_exe = self.packed()
        self.tidy()
        self.addCleanup(self.tidy)

    def packed(self):
        """The benchmark product, generated once and packed once for all tests."""
        setup = WORK / "large" / "BenchSetup.exe"
        if setup.exists() and setup.stat().st_mtime > Path(SETUP_STUB).stat().st_mtime:
            return setup
        setup.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run([BENCH_STAGING, STAGING_ROOT], check=True, capture_output=True)
        return self.pack(Path(STAGING_ROOT), setup)

    def tidy(self):
        """What an earlier run or a benchmark left of the product in the prefix."""
        shutil.rmtree(self.drive_c("C:\\Program Files\\Setup Bench\\"), ignore_errors=True)
        for key in (f"HKLM\\{ROOT}", f"HKCU\\{ROOT}", ENTRY):
            self.run_wine("reg", "delete", key, "/f")

    def installed_bytes(self):
        folder = self.drive_c(FOLDER + "\\")
        return sum(p.stat().st_size for p in folder.rglob("*") if p.is_file()) if folder.exists() else 0

    def to_copying(self):
        """Starts the setup and walks it to the start of the copying."""
        wizard = self.start_wizard(self.setup_exe)
        wizard.next("License")
        wizard.next("Dest")
        self.assertEqual(wizard.named()["DestFolderInput"].text, FOLDER)
        wizard.click("NextButton")
        return wizard

    def watch_copying(self, wizard, until, seconds=600):
        """Polls the window while it copies, every quarter second, until
        until() holds: whether Windows takes it for hung, and the bar."""
        hung, positions = [], []
        deadline = time.time() + seconds
        while not until():
            self.assertLess(time.time(), deadline, "the copying did not end")
            _, state = self.run_driver("hung", TITLE)
            hung.append(state.strip())
            code, bar = self.run_driver("progress", TITLE)
            if code == 0:
                positions.append(int(bar.strip().split("/")[0]))
            time.sleep(0.25)
        return hung, positions

    def uninstall(self):
        process = self.start_uninstaller(FOLDER + "\\Uninst.exe")
        self.answer("Confirm", "Yes")
        self.assertEqual(self.box_text(self.answer("Information", "OK")), "Uninstallation successfully completed.")
        self.assertEqual(self.wait_exit(process), 0)
        self.wait_gone(FOLDER)

    def test_the_window_is_never_taken_for_hung_and_its_bar_moves(self):
        before = self.snapshot()
        wizard = self.to_copying()
        hung, positions = self.watch_copying(wizard, lambda: wizard.page() == "Ready")
        self.assertNotIn("hung", hung)
        # Polled all through a copying of several seconds.
        self.assertGreater(len(hung), 8, "the window did not answer while it copied")
        self.assertEqual(positions, sorted(positions))
        # The bar counts hundredths of a percent; between the milestones 25
        # and 75 it moved, not only at whole percents.
        within = {p for p in positions if 2500 < p < 7500}
        self.assertGreater(len(within), 3, positions)
        self.assertTrue(any(p % 100 for p in within), positions)
        wizard.click("NextButton")
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)
        self.uninstall()
        self.assert_nothing_left(before, [ROOT, ROOT + "\\Bench Product"], [])

    def test_a_setup_ended_while_copying_is_repaired_by_running_it_again(self):
        before = self.snapshot()
        wizard = self.to_copying()
        self.watch_copying(wizard, lambda: self.installed_bytes() > 40 << 20)
        code, _ = self.run_driver("kill", TITLE)
        self.assertEqual(code, 0)
        wizard.process.wait(timeout=60)
        folder = self.drive_c(FOLDER + "\\")
        self.assertFalse((folder / "Uninst.exe").exists())
        interrupted = self.installed_bytes()
        self.assertGreater(interrupted, 40 << 20)

        # Again, through the wizard: it completes over what the first run left.
        wizard = self.to_copying()
        self.watch_copying(wizard, lambda: wizard.page() == "Ready")
        wizard.click("NextButton")
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)
        self.assertGreater(self.installed_bytes(), interrupted)
        self.assertTrue((folder / "Uninst.exe").is_file())

        self.uninstall()
        self.assert_nothing_left(before, [ROOT, ROOT + "\\Bench Product"], [])
