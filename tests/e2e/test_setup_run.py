"""The installation run and the uninstaller on the real Windows layer: a test
host packed as the stub of a setup installs a product the way the wizard
would, the prefix is checked, and the Uninst.exe it leaves is started as a
user starts it, answered through the UI driver, and takes everything away."""

import os
import struct
import subprocess
import time
from pathlib import Path

from harness import E2ETestCase, wine_command, windows_path

INSTALLATION_HOST = os.environ.get("INSTALLATION_HOST", "")
TEST_PLUGIN = os.environ.get("TEST_PLUGIN", "")
TEST_PLUGIN_RUNTIME = os.environ.get("TEST_PLUGIN_RUNTIME", "")
HOLD_FILE = os.environ.get("HOLD_FILE", "")

# Names of their own for every run, so that what a failed run left behind in
# the shared prefix cannot hide or fake anything.
RUN = f"{os.getpid()}"
VENDOR = f"C:\\Program Files\\Setup Host {RUN}"
FOLDER = VENDOR + "\\Tool"
VST_FOLDER = VENDOR + "\\VstPlugins"
VST3_FOLDER = "C:\\Program Files\\Common Files\\VST3"
DIGI_FOLDER = "C:\\Program Files\\Common Files\\Digidesign\\DAE\\Plug-Ins"
ROOT = f"Software\\Setup Host Test {RUN}"
SUITE_ROOT = f"Software\\Setup Host Suite {RUN}"
PRODUCT_KEY = ROOT + "\\Tool\\2.0"
ENTRY = f"Host Tool 2.10 {RUN}"
UNINSTALL_KEY = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + ENTRY

SETUP_INI = f"""[Setup]
ProductVersion=2.10
ProductName=Host Tool
ProductSuffix={RUN}
Publisher=Setup Host Makers
RegistryRoot={ROOT}\\Tool
DefaultFolder=Setup Host {RUN}\\Default %d
PersonalizeOwner=Owner
[Folders]
Presets=$ProgramFolder\\Presets
[FoldersRegistry]
Presets=Paths\\Presets
[Components]
Main=$ProgramFolder
Presets=%Presets
Vst=$VstPluginFolder
Vst3=$Vst3PluginFolder
Digi=$DigiPluginFolder
Plugin=$ProgramFolder\\Plugin
[CallLibraries]
InitCdecl=$ProgramFolder\\Plugin\\setup_test_plugin.dll
[RegistrySettings]
Paths\\Program=$ProgramFolder
Count=#5
Mask=#$1F
Letter=#x5
[GlobalRegistrySettings]
HelpFile=$ProgramFolder\\Help.txt
[Shortcuts]
StartMenu=$ProgramFolder\\Tool.exe, Setup Host {RUN}\\$ProductName
Desktop=$ProgramFolder\\Help.txt, Host Help {RUN}
""".replace("\n", "\r\n")

LIST_DETAILS = ("DisplayVersion", "InstallLocation", "DisplayIcon", "Publisher", "EstimatedSize", "NoModify",
                "NoRepair")

EXPECTED_OUTPUT = [
    "progress 0", "status Preparing installation...", "progress 25", "status Copying files...",
    "progress 50", "status Initializing components...", "progress 75", "status Creating settings...",
    "progress 100",
]


def local_time(path):
    t = time.localtime(path.stat().st_mtime)
    return (t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min)


class SetupRunTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        if not INSTALLATION_HOST:
            self.skipTest("no installation host")

    # -- helpers ----------------------------------------------------------
    def product(self):
        files = {
            "Setup.ini": SETUP_INI,
            "Setup.lic": "Licence\r\n",
            "Main/Tool.exe": "the program\r\n" * 20,
            "Main/Help.txt": "help\r\n",
            "Main/Docs/Readme.txt": "read me\r\n",
            "Presets/Factory.fxp": "preset",
            "Vst/Host Tool.dll": bytes(range(256)) * 4,
            f"Vst3/Host Tool {RUN}.dll": b"vst 3 plug-in",
            f"Digi/Host Tool {RUN}.dpm": b"declined",
            "Plugin/setup_test_plugin.dll": Path(TEST_PLUGIN).read_bytes(),
            "Plugin/setup_test_plugin_runtime.dll": Path(TEST_PLUGIN_RUNTIME).read_bytes(),
        }
        return self.pack(self.staging(files), self.work / "HostSetup.exe", stub=INSTALLATION_HOST)

    def install(self, setup, *choices):
        marker = self.work / "marker.txt"
        env = dict(os.environ, SETUP_TEST_MARKER=windows_path(marker))
        result = subprocess.run(wine_command(setup, *choices), capture_output=True, text=True, timeout=180, env=env)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        return result.stdout.splitlines(), marker

    def uninstall(self, answer):
        """Runs Uninst.exe, answers its question, and returns (question, result text)."""
        process = self.start_uninstaller(FOLDER + "\\Uninst.exe")
        question = self.box_text(self.answer("Confirm", answer))
        result = self.box_text(self.answer("Information", "OK")) if answer == "Yes" else None
        self.assertEqual(self.wait_exit(process), 0)
        return question, result

    # -- tests --------------------------------------------------------------
    def test_install_check_and_uninstall_as_a_user_would(self):
        setup = self.product()
        before = self.snapshot()
        output, marker = self.install(setup, f"folder={FOLDER}", "shortcuts=3", f"vstfolder={VST_FOLDER}",
                                      "digi=0", "owner=Ann Owner")
        self.assertEqual(output[:-1], EXPECTED_OUTPUT)
        # The library function ran, from its installed copy beside its runtime.
        self.assertEqual(marker.read_text(), "cdecl")

        folder = self.drive_c(FOLDER + "\\")
        self.assertEqual((folder / "Tool.exe").read_bytes(), b"the program\r\n" * 20)
        self.assertTrue((folder / "Docs" / "Readme.txt").is_file())
        self.assertTrue((folder / "Presets" / "Factory.fxp").is_file())
        self.assertTrue((folder / "Uninst.exe").is_file())
        self.assertEqual(local_time(folder / "Docs" / "Readme.txt"), (2024, 5, 1, 12, 0))
        self.assertTrue(self.drive_c(VST_FOLDER + "\\Host Tool.dll").is_file())
        vst3 = self.drive_c(VST3_FOLDER + "\\")
        self.assertEqual((vst3 / f"Host Tool {RUN}.vst3").read_bytes(), b"vst 3 plug-in")
        self.assertFalse((vst3 / f"Host Tool {RUN}.dll").exists())
        self.assertFalse(self.drive_c(DIGI_FOLDER + f"\\Host Tool {RUN}.dpm").exists())

        user, machine = "HKCU\\" + PRODUCT_KEY, "HKLM\\" + PRODUCT_KEY
        self.assertEqual(self.reg_query(user, "Count"), "0x5")
        self.assertEqual(self.reg_query(user, "Mask"), "0x1f")
        self.assertEqual(self.reg_query(user, "Letter"), "#x5")
        self.assertEqual(self.reg_query(user, "Owner"), "Ann Owner")
        self.assertEqual(self.reg_query(user + "\\Paths", "Program"), FOLDER)
        self.assertEqual(self.reg_query(user + "\\Paths", "Presets"), FOLDER + "\\Presets\\")
        self.assertIsNone(self.reg_query(machine, "Count"))
        self.assertEqual(self.reg_query(machine, "HelpFile"), FOLDER + "\\Help.txt")
        self.assertEqual(self.reg_query(machine, "Location"), FOLDER + "\\")
        self.assertEqual(self.reg_query(machine, "VersionString"), "2.10")
        self.assertIsNone(self.reg_query(user, "Location"))
        self.assertEqual(self.reg_query(UNINSTALL_KEY, "DisplayName"), ENTRY)
        self.assertEqual(self.reg_query(UNINSTALL_KEY, "UninstallString"), f'"{FOLDER}\\Uninst.exe"')
        # What Windows' list of programs shows beside the name.
        details = {name: self.reg_query(UNINSTALL_KEY, name) for name in LIST_DETAILS}
        # Every file written: the program folder's, Uninst.exe among them, and
        # the VST 2 and VST 3 plug-ins that lie elsewhere.
        installed = sum(p.stat().st_size for p in folder.rglob("*") if p.is_file()) + 1024 + len(b"vst 3 plug-in")
        self.assertEqual(details, {
            "DisplayVersion": "2.10", "InstallLocation": FOLDER + "\\", "DisplayIcon": FOLDER + "\\Uninst.exe",
            "Publisher": "Setup Host Makers", "NoModify": "0x1", "NoRepair": "0x1",
            "EstimatedSize": hex((installed + 1023) // 1024)})

        # The title with "\" put its link into a subfolder of the Start menu.
        self.assertTrue(any(p.is_file() for p in self.start_menu(f"Setup Host {RUN}", "Host Tool.lnk")))
        self.assertTrue(any(p.is_file() for p in self.desktop(f"Host Help {RUN}.lnk")))

        # A copy whose record is damaged reports it as an unhandled error.
        broken = bytearray((folder / "Uninst.exe").read_bytes())
        broken[struct.unpack_from("<i", broken, 48)[0]] ^= 0xFF
        (self.work / "Broken.exe").write_bytes(broken)
        process = self.start_uninstaller(windows_path(self.work / "Broken.exe"))
        text = self.box_text(self.answer("Application Error", "OK"))
        self.assertIn("ESetupError", text)
        self.assertIn("Invalid uninstall data signature", text)
        self.assertEqual(self.wait_exit(process), 1)

        # No keeps everything.
        question, _ = self.uninstall("No")
        self.assertEqual(question.replace("\r\n", "\r"),
                         "Are you sure you want to completely remove Host Tool 2.10\rand all of its components?")
        self.assertTrue((folder / "Uninst.exe").is_file())
        self.assertTrue((folder / "Tool.exe").is_file())
        self.assertEqual(self.reg_query(user, "Count"), "0x5")
        self.assertEqual(self.reg_query(UNINSTALL_KEY, "DisplayName"), ENTRY)

        # Yes takes everything away; the batch file removes the uninstaller
        # and its folders once it has ended.
        _, result = self.uninstall("Yes")
        self.assertEqual(result, "Uninstallation successfully completed.")
        self.wait_gone(VENDOR)
        self.assert_nothing_left(before, [ROOT, ROOT + "\\Tool"], [ROOT, ROOT + "\\Tool"])
        for name in ("DisplayName", "UninstallString") + LIST_DETAILS:
            self.assertIsNone(self.reg_query(UNINSTALL_KEY, name), name)

    def test_a_file_in_use_is_tried_again_or_ends_the_setup(self):
        """A plug-in held open by a running host, as a user meets it: the
        setup asks, the user closes the host and says Retry; another time the
        user says Cancel and the setup ends as a failure does."""
        self.assertTrue(HOLD_FILE, "no hold_file program")
        folder_name = f"Setup Host Held {RUN}"
        windows_folder = "C:\\Program Files\\" + folder_name
        ini = f"""[Setup]
ProductVersion=2.10
ProductName=Held Tool {RUN}
RegistryRoot={ROOT}\\Held
DefaultFolder={folder_name}
[Components]
Main=$ProgramFolder
""".replace("\n", "\r\n")
        files = {"Setup.ini": ini, "Setup.lic": "Licence\r\n", "Main/Plugin.dll": "the new plug-in"}
        setup = self.pack(self.staging(files), self.work / "HeldSetup.exe", stub=INSTALLATION_HOST)
        before = self.snapshot()
        plugin = self.drive_c(windows_folder + "\\Plugin.dll")
        plugin.parent.mkdir(parents=True, exist_ok=True)
        question = (f"The file {windows_folder}\\Plugin.dll is being used by another program and cannot be "
                    "replaced.\r\rPlease close the program that uses it and click Retry, or click Cancel to stop "
                    "the installation.")

        for answer in ("Retry", "Cancel"):
            with self.subTest(answer=answer):
                plugin.write_bytes(b"the old plug-in")
                # Streamed: the test reads its line while it runs.
                holder = subprocess.Popen(wine_command(HOLD_FILE, windows_folder + "\\Plugin.dll"),
                                          stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                          env=dict(os.environ, SETUP_WINE_STREAM="1"))
                self.processes.append(holder)
                self.assertEqual(holder.stdout.readline().strip(), "holding")
                run = subprocess.Popen(wine_command(setup, "folder=" + windows_folder), stdout=subprocess.PIPE,
                                       text=True)
                self.processes.append(run)
                code, _ = self.driver("wait", "Confirm", 60)
                self.assertEqual(code, 0, "the setup did not ask")
                _, controls = self.driver("texts", "Confirm")
                self.assertEqual(self.box_text(controls).replace("\r\n", "\r").replace("\n", "\r"), question)
                _, icon = self.run_driver("icon", "Confirm")
                self.assertEqual(icon.strip(), "warning")
                if answer == "Retry":
                    holder.stdin.close()
                    self.assertEqual(holder.wait(timeout=60), 0)
                code, _ = self.driver("click", "Confirm", answer)
                self.assertEqual(code, 0)
                output, _ = run.communicate(timeout=120)
                if answer == "Retry":
                    self.assertEqual(run.returncode, 0, output)
                    self.assertEqual(plugin.read_bytes(), b"the new plug-in")
                else:
                    self.assertEqual(run.returncode, 1, output)
                    self.assertIn("error EFCreateError: Cannot create file", output)
                    self.assertEqual(plugin.read_bytes(), b"the old plug-in")
                    holder.stdin.close()
                    self.assertEqual(holder.wait(timeout=60), 0)
                holder.stdout.close()

        # The completed run's uninstaller takes away what both runs made.
        process = self.start_uninstaller(windows_folder + "\\Uninst.exe")
        self.answer("Confirm", "Yes")
        self.answer("Information", "OK")
        self.assertEqual(self.wait_exit(process), 0)
        self.wait_gone(windows_folder)
        self.assert_nothing_left(before, [ROOT, ROOT + "\\Held"], [])

    def test_bundle_items_carry_their_version_in_the_file_time(self):
        folder_name = f"Setup Host Bundle {RUN}"
        ini = f"""[Setup]
IsBundle=1
ProductVersion=2.10
ProductName=Host Suite {RUN}
RegistryRoot={SUITE_ROOT}\\Suite
BundleRegistryRoot={SUITE_ROOT}\\Items
DefaultFolder={folder_name}
[Components]
$BundleItem=$ProgramFolder\\$BundleItem
Shared=$ProgramFolder
""".replace("\n", "\r\n")
        files = {
            "Setup.ini": ini,
            "Setup.lic": "Licence\r\n",
            "BundleInfo.ini": "One=1.23\r\nTwo=2.05,Two Pro\r\nThree=3.0\r\n",
            "One/one.txt": "one", "Two/two.txt": "two", "Three/three.txt": "three",
            "Shared/shared.txt": "shared",
        }
        setup = self.pack(self.staging(files), self.work / "SuiteSetup.exe", stub=INSTALLATION_HOST)
        before = self.snapshot()
        windows_folder = "C:\\Program Files\\" + folder_name
        output, _ = self.install(setup, "folder=" + windows_folder, "unselect=2")
        # Two selected items share 25 to 75; no libraries are called.
        self.assertEqual([line for line in output if line.startswith("progress")],
                         ["progress 0", "progress 25", "progress 25", "progress 50", "progress 75",
                          "progress 100"])

        folder = self.drive_c(windows_folder + "\\")
        self.assertEqual(local_time(folder / "One" / "one.txt"), (2024, 5, 1, 13, 23))
        self.assertEqual(local_time(folder / "Two" / "two.txt"), (2024, 5, 1, 14, 5))
        self.assertFalse((folder / "Three").exists())
        # Written for each item and last by the final pass, with the package's date.
        self.assertEqual(local_time(folder / "shared.txt"), (2024, 5, 1, 12, 0))

        process = self.start_uninstaller(windows_folder + "\\Uninst.exe")
        question = self.box_text(self.answer("Confirm", "Yes")).replace("\r\n", "\r")
        self.assertIn(f"remove Host Suite {RUN} 2.10\r", question)
        self.assertEqual(self.box_text(self.answer("Information", "OK")), "Uninstallation successfully completed.")
        self.assertEqual(self.wait_exit(process), 0)
        self.wait_gone(windows_folder)
        self.assert_nothing_left(before, [SUITE_ROOT, SUITE_ROOT + "\\Suite"], [])
