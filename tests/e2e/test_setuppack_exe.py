"""setuppack.exe, the packing tool as a vendor on Windows gets it, under Wine:
it packs the demo product into the very bytes that the native setuppack
writes, and reads packages and uninstall records as the native one does.

The outputs are compared after the normalisation that the two hosts force on
them, and no more: Windows text output ends its lines with CR LF, and a path
the test gives a tool is spelled as Wine's drive Z: shows it (a drive letter
and backslashes) for setuppack.exe and as the host path for the native one,
so each comes back as <NAME>. Paths inside packages and records are the same
bytes on both hosts and are not touched."""

import os
import shutil
import subprocess
import time
from pathlib import Path

from harness import ENGINE_HOST, SETUP_STUB, SETUPPACK, E2ETestCase, wine_command, windows_path

SETUPPACK_EXE = os.environ.get("SETUPPACK_EXE", "")
DEMO = Path(__file__).resolve().parents[2] / "examples" / "demo"

STAMP = "2024-05-01T12:00:00"
# Both tools run in Central European time, so that the extracted files'
# dates go through a zone with summer time. Wine hands the TZ variable on to
# the Windows program, whose C runtime reads only the POSIX form: a name such
# as Europe/Berlin would compare the runtimes' parsers, not the tools.
TIME_ZONE = "CET-1CEST"
# The stamp in that zone's summer time: 2024-05-01 10:00:00 UTC.
STAMP_IN_TIME_ZONE = 1714557600
# 2024-05-01 12:00:00 UTC.
EPOCH = "1714564800"
# Dates before the stamp, so that the entries keep them: one with an odd
# second (a DOS time holds even ones), one on the first day a DOS date holds.
OLD_DATES = {
    "Program/Readme.txt": 1583208307,    # 2020-03-03 04:05:07 UTC
    "Plugin/DemoSynth.dll": 315532800,   # 1980-01-01 00:00:00 UTC
    "Setup.ini": 1700000000,             # 2023-11-14 22:13:20 UTC
}

# An uninstall record with an accented folder, a shortcut and registry keys
# (the engine host's installation; see engine_host.cpp).
RUN = f"{os.getpid()}"
VENDOR = f"C:\\Program Files\\Packing Vendor Caf\u00e9 {RUN}"
FOLDER = VENDOR + "\\Record Test"
KEY_NAME = f"Record Test 1.0 {RUN}"
ENGINE_PRODUCT = {
    "Setup.ini": "[Setup]\r\nProductVersion=1.0\r\n",
    "Main/Main.txt": "main file\r\n",
    "Main/Docs/Guide.txt": "a guide\r\n",
    "Plugin/Plug.dll": bytes(range(256)),
}


def flipped(data, at):
    data = bytearray(data)
    data[at] ^= 0x55
    return bytes(data)


class SetuppackExeTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        # Run through ctest, both tools must be there: without either the
        # comparison would prove nothing.
        for name, path in (("SETUPPACK", SETUPPACK), ("SETUPPACK_EXE", SETUPPACK_EXE)):
            self.assertTrue(path and Path(path).is_file(), f"{name} is no file: {path!r}")
        beside = Path(SETUPPACK_EXE).with_name("Setup.exe")
        self.assertTrue(beside.is_file(), f"no Setup.exe beside {SETUPPACK_EXE}")
        self.assertEqual(beside.read_bytes(), Path(SETUP_STUB).read_bytes(),
                         "the Setup.exe beside setuppack.exe is not the build's stub")

    # -- the two tools ------------------------------------------------------
    def native(self, *args, paths=(), env=None):
        """Runs the native setuppack; answers (exit code, output, errors)
        with the paths given in paths shown as <NAME>."""
        result = subprocess.run([SETUPPACK, *map(str, args)], capture_output=True,
                                env=self.environment(env))
        replacements = [(str(path), f"<{name}>") for name, path in paths]
        return result.returncode, self.text(result.stdout, replacements), self.text(result.stderr, replacements)

    def wine(self, *args, paths=(), env=None):
        """Runs setuppack.exe as native() runs setuppack; arguments that are
        Paths are handed over as Windows paths."""
        args = [windows_path(arg) if isinstance(arg, Path) else str(arg) for arg in args]
        result = subprocess.run(wine_command(SETUPPACK_EXE, *args), capture_output=True,
                                env=self.environment(env), timeout=300)
        replacements = [(windows_path(path), f"<{name}>") for name, path in paths]
        return (result.returncode, self.text(result.stdout.replace(b"\r\n", b"\n"), replacements),
                self.text(result.stderr.replace(b"\r\n", b"\n"), replacements))

    @staticmethod
    def environment(extra):
        env = {k: v for k, v in os.environ.items() if k not in ("SOURCE_DATE_EPOCH", "SETUPPACK_STUB")}
        env.update(extra or {}, TZ=TIME_ZONE)
        return env

    @staticmethod
    def text(data, replacements):
        text = data.decode("utf-8")
        # The longest first, so that a folder never eats the start of its file.
        for path, name in sorted(replacements, key=lambda r: -len(r[0])):
            text = text.replace(path, name)
        return text

    def both(self, *args, paths=()):
        """Runs a command with both tools; asserts equal results and answers them."""
        native = self.native(*args, paths=paths)
        wine = self.wine(*args, paths=paths)
        self.assertEqual(wine, native, f"setuppack {' '.join(map(str, args))}")
        return native

    # -- building -----------------------------------------------------------
    def demo_with_old_dates(self):
        staging = self.work / "demo"
        shutil.copytree(DEMO, staging)
        for relative, seconds in OLD_DATES.items():
            os.utime(staging / relative, (seconds, seconds))
        return staging

    def build_both(self, staging, options, env, name):
        """Builds staging with both tools; asserts equal results and bytes and
        answers the setup setuppack.exe wrote."""
        outputs = {tool: self.work / f"{name}-{tool}.exe" for tool in ("native", "wine")}
        native = self.native("build", staging, "-o", outputs["native"], "--stub", SETUP_STUB, *options,
                             env=env, paths=[("STAGING", staging), ("OUT", outputs["native"])])
        # Without --stub: the tool takes the Setup.exe beside itself.
        wine = self.wine("build", staging, "-o", outputs["wine"], *options,
                         env=env, paths=[("STAGING", staging), ("OUT", outputs["wine"])])
        self.assertEqual(native[0], 0, native)
        self.assertEqual(wine, native)
        self.assertEqual(outputs["wine"].read_bytes(), outputs["native"].read_bytes(),
                         f"{name}: setuppack.exe wrote other bytes")
        return outputs["wine"]

    def test_both_tools_build_the_same_setup(self):
        cases = [
            ("demo", lambda: DEMO, ["--stamp", STAMP], None),
            ("old-dates", self.demo_with_old_dates, [], {"SOURCE_DATE_EPOCH": EPOCH}),
            ("old-dates-one-job", self.demo_with_old_dates, ["--stamp", STAMP, "--jobs", "1"], None),
        ]
        for name, staging, options, env in cases:
            with self.subTest(name):
                shutil.rmtree(self.work / "demo", ignore_errors=True)
                self.build_both(staging(), options, env, name)

    # -- reading packages ---------------------------------------------------
    def test_both_tools_list_verify_and_extract_alike(self):
        setup = self.build_both(self.demo_with_old_dates(), ["--stamp", STAMP], None, "demo")
        data = setup.read_bytes()
        stub_size = len(Path(SETUP_STUB).read_bytes())
        packages = {
            "intact": (data, 0),
            "a flipped byte in a file's body": (flipped(data, stub_size + (len(data) - stub_size) // 2), 1),
            "a flipped byte in the package header": (flipped(data, stub_size + 4), 1),
            "cut short": (data[:-100], 1),
        }
        for name, (content, expected_code) in packages.items():
            package = self.work / "Package.exe"
            package.write_bytes(content)
            for command in ("list", "verify"):
                with self.subTest(f"{command}, {name}"):
                    code, output, errors = self.both(command, package, paths=[("PACKAGE", package)])
                    self.assertEqual(code, expected_code, errors)
                    if expected_code == 0 and command == "list":
                        self.assertIn("F Program\\Help\\Manual.txt 66\n", output)

        trees = {}
        for tool, run, component in (("native", self.native, []), ("wine", self.wine, []),
                                     ("native-plugin", self.native, ["Plugin"]),
                                     ("wine-plugin", self.wine, ["Plugin"])):
            target = self.work / f"extracted-{tool}"
            result = run("extract", setup, "-C", target, *component, paths=[("DIR", target), ("SETUP", setup)])
            self.assertEqual(result[0], 0, result)
            trees[tool] = (result, self.tree(target))
        self.assertEqual(trees["wine"], trees["native"])
        self.assertEqual(trees["wine-plugin"], trees["native-plugin"])
        # Every file came out as it went in, dated with the stamp.
        expected = self.tree(DEMO)
        self.assertEqual({path: entry[0] for path, entry in trees["native"][1].items()},
                         {path: entry[0] for path, entry in expected.items()})
        self.assertEqual({entry[1] for entry in trees["native"][1].values() if entry[0] is not None},
                         {STAMP_IN_TIME_ZONE})

    @staticmethod
    def tree(root):
        """{relative path: (content, modification time)}, both None for a
        folder: folders are made, not dated."""
        tree = {}
        for path in sorted(Path(root).rglob("*")):
            entry = (None, None) if path.is_dir() else (path.read_bytes(), path.stat().st_mtime)
            tree[path.relative_to(root).as_posix()] = entry
        return tree

    # -- reading uninstall records ------------------------------------------
    def test_both_tools_read_an_uninstall_record_alike(self):
        self.assertTrue(ENGINE_HOST, "no engine host")
        setup = self.pack(self.staging(ENGINE_PRODUCT), self.work / "RecordSetup.exe", "--no-check",
                          stub=ENGINE_HOST)
        code, output = self.run_wine(setup, FOLDER, KEY_NAME)
        self.assertEqual(code, 0, output)
        uninstaller = self.work / "Uninst.exe"
        shutil.copyfile(self.drive_c(FOLDER + "\\Uninst.exe"), uninstaller)
        self.uninstall()

        data = uninstaller.read_bytes()
        record_start = data.rfind(b"QZ/UNS/3")
        self.assertGreater(record_start, 0, "no record appended to Uninst.exe")
        records = {
            "intact": (data, 0),
            "a wrong signature": (flipped(data, record_start + 3), 1),
            "cut short": (data[:-5], 1),
        }
        for name, (content, expected_code) in records.items():
            with self.subTest(name):
                record = self.work / "Record.exe"
                record.write_bytes(content)
                code, output, errors = self.both("record", record, paths=[("RECORD", record)])
                self.assertEqual(code, expected_code, errors)
                if expected_code == 0:
                    self.assertIn(f"D {FOLDER}\\\n", output)
                    self.assertIn(f"F {FOLDER}\\Docs\\Guide.txt\n", output)
                    self.assertIn("U \\Software\\Engine Test\n", output)

    def uninstall(self):
        """Takes the record test's installation away again, as test_engine does."""
        code, output = self.run_wine(FOLDER + "\\Uninst.exe")
        self.assertEqual(code, 0, output)
        vendor = self.drive_c(VENDOR + "\\")
        deadline = time.time() + 60
        while time.time() < deadline and vendor.exists():
            time.sleep(0.5)
        self.assertFalse(vendor.exists())
