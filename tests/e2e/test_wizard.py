"""The setup wizard as a user works through it: real setups packed from small
staging folders, started under Wine, walked page by page with the mouse and
the keyboard through the UI driver, and what they installed checked in the
prefix."""

import os
import shutil
import textwrap
import time
from pathlib import Path

from harness import E2ETestCase, windows_path

PROBE_PROGRAM = os.environ.get("PROBE_PROGRAM", "")
GATE_LIBRARY = os.environ.get("GATE_LIBRARY", "")

# Names of their own for every run, so that what a failed run left behind in
# the prefix cannot hide or fake anything.
RUN = f"{os.getpid()}"
VENDOR = f"C:\\Program Files\\Wizard E2E {RUN}"
ROOT = f"Software\\Wizard E2E {RUN}"
UNINSTALL = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
VST3_FOLDER = "C:\\Program Files\\Common Files\\VST3"
PHOTOSHOP_KEY = "HKLM\\SOFTWARE\\Adobe\\Photoshop"
# The read-me documents of the fixtures have a file type of their own, opened
# by a copy of the probe program, so that the test sees what Finish opened.
README_TYPE = ".wizarde2e"
README_CLASS = "WizardE2E.Document"

# The messages, as the user reads them ("\r" breaks the line).
CONFIRM_CANCEL = "{full} has not been fully installed yet.\rAre you sure you want to cancel {name} Setup?"
NO_ITEM = "You need to install at least one item."
FOLDER_MISSING = "The folder '{}' does not exist.\rPlease specify an existing folder."
CANNOT_CREATE = "Could not create the folder '{}'.\rPlease specify a valid name."
ENTER_NAME = "Please enter your name first."
OTHER_FOLDER = ("It is recommended to install this new version of {name}\rinto the same folder as your existing "
                "copy. This will ensure\rthat your currently installed version is upgraded properly.\r\rAre you sure "
                "you want to install it to a different folder?")
OVERWRITE = ("It is recommended to install this new version of {name}\rinto a new folder to preserve your "
             "currently installed copy.\r\rAre you sure you want to overwrite your existing copy?")

FRAME = ["Panel", "Image", "Notebook", "BackButton", "NextButton", "CancelButton"]
NOTEBOOK_ORIGIN = (176, 8)


def ini(text):
    return textwrap.dedent(text).lstrip().replace("\n", "\r\n")


def minimal_product():
    """One product, no optional page: Welcome, License, Dest, Copy, Ready."""
    return {
        "Setup.ini": ini(f"""
            [Setup]
            ProductName=Wizard Minimal {RUN}
            ProductVersion=1.20
            RegistryRoot={ROOT}\\Minimal
            DefaultFolder=Wizard E2E {RUN}\\Minimal %d
            [Components]
            Main=$ProgramFolder
            [Complete]
            Readme=$ProgramFolder\\Read Me{README_TYPE}
            Product=$ProgramFolder\\Probe.exe
            """),
        "Setup.lic": "The licence of the minimal product.\r\n",
        "Main/Probe.exe": Path(PROBE_PROGRAM).read_bytes() if PROBE_PROGRAM else b"",
        f"Main/Read Me{README_TYPE}": "read me\r\n",
        "Main/Docs/Guide.txt": "a guide\r\n" * 30,
    }


SUITE = f"Wizard Suite {RUN}"
SUITE_ROOT = f"{ROOT}\\Suite"
ITEMS_ROOT = f"{ROOT}\\Items"


def suite_product():
    """A bundle of three products with every optional page: the VST page with
    a VST 3 part for two of the items, Pro Tools, Photoshop, Personalization
    and both shortcuts."""
    files = {
        "Setup.ini": ini(f"""
            [Setup]
            IsBundle=1
            ProductName={SUITE}
            ProductVersion=3.10
            RegistryRoot={SUITE_ROOT}
            BundleRegistryRoot={ITEMS_ROOT}
            DefaultFolder=Wizard E2E {RUN}\\Suite
            BundleItemName=Suite $BundleItem
            BundleSelectHeading=Choose the products
            BundleSelectDescription=Tick what to install.
            PersonalizeOwner=Registration\\Owner
            [Pages]
            VstPluginFolder=1
            DigiPluginFolder=1
            PhotoshopPluginFolder=1
            Personalization=1
            [Components]
            $BundleItem=$ProgramFolder\\$BundleItem
            Vst2$BundleItem=$VstPluginFolder
            Vst3$BundleItem=$Vst3PluginFolder
            Digi=$DigiPluginFolder
            Photoshop=$PhotoshopPluginFolder
            Shared=$ProgramFolder
            [RegistrySettings]
            Paths\\Program=$ProgramFolder
            $BundleItem\\Settings\\Count=#7
            [GlobalRegistrySettings]
            Plugins\\Vst=$VstPluginFolder
            Plugins\\Photoshop=$PhotoshopPluginFolder
            [Shortcuts]
            StartMenu=$ProgramFolder\\Readme.txt,{SUITE}\\Read Me
            Desktop=$ProgramFolder\\Readme.txt,{SUITE} Read Me
            [Complete]
            Product=$ProgramFolder\\Probe.exe
            """),
        "Setup.lic": "The licence of the suite.\r\n",
        "BundleInfo.ini": "Alpha=1.10\r\nBeta=1.20\r\nGamma=1.30\r\n",
        "Digi/Suite.dpm": "rtas",
        "Photoshop/Suite.8bf": "photoshop",
        "Shared/Readme.txt": "read me\r\n",
        "Shared/Probe.exe": Path(PROBE_PROGRAM).read_bytes() if PROBE_PROGRAM else b"",
    }
    for item in ("Alpha", "Beta", "Gamma"):
        files[f"{item}/{item.lower()}.txt"] = item
        files[f"Vst2{item}/Suite {item} {RUN}.dll"] = f"vst 2 {item}"
    for item in ("Alpha", "Gamma"):
        files[f"Vst3{item}/Suite {item} {RUN}.dll"] = f"vst 3 {item}"
    return files


class WizardTestCase(E2ETestCase):
    """Helpers for walking a wizard."""

    def setUp(self):
        super().setUp()
        if not PROBE_PROGRAM:
            self.skipTest("no probe program")

    def forget(self, *keys, folders=()):
        """Takes away, after the test, registry keys and folders of the prefix
        that the test makes or that an installation of it leaves."""
        for key in keys:
            self.addCleanup(self.run_wine, "reg", "delete", key, "/f")
        for folder in folders:
            self.addCleanup(shutil.rmtree, self.drive_c(folder + "\\"), True)

    def make_folder(self, windows_folder):
        self.drive_c(windows_folder + "\\").mkdir(parents=True, exist_ok=True)
        return windows_folder

    def readme_viewer(self):
        """Registers the probe program, copied into the work folder, as the
        program that opens the fixtures' read-me type; answers the file it
        writes when it is started."""
        viewer = self.work / "viewer" / "Viewer.exe"
        viewer.parent.mkdir()
        shutil.copyfile(PROBE_PROGRAM, viewer)
        classes = "HKLM\\Software\\Classes\\"
        self.reg("add", classes + README_TYPE, "/ve", "/d", README_CLASS, "/f")
        self.reg("add", classes + README_CLASS + "\\shell\\open\\command", "/ve", "/d",
                 f'"{windows_path(viewer)}" "%1"', "/f")
        self.forget(classes + README_TYPE, classes + README_CLASS)
        return viewer.parent / "Started.txt"

    def wait_file(self, path, seconds=30):
        """The text of a file that a program is about to write."""
        deadline = time.time() + seconds
        while not path.exists():
            if time.time() > deadline:
                self.fail(f"{path} did not appear")
            time.sleep(0.2)
        return path.read_text()

    def assert_page(self, wizard, page, back=None, next_text=None, cancel=None, focus=None):
        """The page shown and its buttons: back is "enabled", "disabled" or
        None for hidden; next_text and cancel are the captions, None for
        hidden; cancel "(disabled)" appended when it cannot be pressed."""
        named = wizard.named()
        self.assertEqual(wizard.page(named), page)
        buttons = {
            "back": None if not named["BackButton"].visible else
            ("enabled" if named["BackButton"].enabled else "disabled"),
            "next": named["NextButton"].text if named["NextButton"].visible else None,
            "cancel": None if not named["CancelButton"].visible else
            named["CancelButton"].text + ("" if named["CancelButton"].enabled else " (disabled)"),
        }
        self.assertEqual(buttons, {"back": back, "next": next_text, "cancel": cancel}, page)
        if focus:
            self.assertEqual(wizard.focused(named), focus, page)
        return named

    def refusal(self, wizard, title, text, page, focus=None):
        """Answers the box that refuses to leave the page, checks its text,
        and that the page stays with the focus where it belongs."""
        wizard.wait_box(title)
        self.assertEqual(wizard.icon(title), {"Warning": "warning", "Confirm": "question"}[title])
        shown = wizard.answer(title, "No" if title == "Confirm" else "OK")
        self.assertEqual(shown.replace("\r\n", "\r"), text)
        wizard.wait_box_gone(title)
        if focus:
            named = wizard.wait_for(lambda c: c[focus].focused, f"the focus in {focus}")
        else:
            named = wizard.named()
        self.assertEqual(wizard.page(named), page)
        return named

    def cancel(self, wizard, full, name):
        """Cancels the setup through its close box: the question, Yes, the end."""
        self.assertEqual(self.cancel_wizard(wizard), CONFIRM_CANCEL.format(full=full, name=name))

    def assert_layout(self, wizard, names, scale=1.0, named=None):
        """The controls' rectangles in the client area against the layout
        table at the given scale: the frame's as they stand, the pages'
        relative to Notebook."""
        named = named or wizard.named()

        def scaled(value):
            return int(value * scale + 0.5) if scale != 1.0 else value

        expected, shown = {}, {}
        for name in names:
            row = wizard.rows[name]
            left, top, width, height = (scaled(v) for v in row.rect)
            if row.page >= 0:
                left += scaled(NOTEBOOK_ORIGIN[0])
                top += scaled(NOTEBOOK_ORIGIN[1])
            expected[name] = (left, top, width, height)
            shown[name] = named[name].rect
        if "Image" in names:
            # The picture lies on Panel, inside Panel's border: a frame of
            # the window system, as wide at every resolution as at 96 dots
            # per inch, where the picture fills the panel.
            border = (wizard.rows["Panel"].rect[2] - wizard.rows["Image"].rect[2]) // 2
            left, top, width, height = expected["Image"]
            expected["Image"] = (expected["Panel"][0] + border + left, expected["Panel"][1] + border + top,
                                 width, height)
        self.assertEqual(shown, expected)


class MinimalSetupTest(WizardTestCase):
    def test_five_pages_install_where_typed_and_the_uninstaller_takes_it_all_away(self):
        name, full = f"Wizard Minimal {RUN}", f"Wizard Minimal {RUN} 1.20"
        folder = f"{VENDOR}\\Typed Place"
        setup = self.pack(self.staging(minimal_product()), self.work / "MinimalSetup.exe")
        started = self.readme_viewer()
        self.forget(f"HKLM\\{ROOT}", f"HKCU\\{ROOT}", UNINSTALL + full, folders=[VENDOR])
        before = self.snapshot()

        wizard = self.start_wizard(setup)
        self.assertEqual(wizard.title(), f"{name} Setup")
        named = self.assert_page(wizard, "Welcome", "disabled", "&Next >", "Cancel", focus="NextButton")
        self.assertEqual(named["WelcomeHeadingLabel"].text, f"Welcome to {name} Setup")
        self.assertEqual(named["WelcomeDescriptionLabel"].text, f"This program will install {full} on your computer.")
        self.assertTrue(named["NextButton"].default)
        wizard.next("License")
        named = self.assert_page(wizard, "License", "enabled", "&Yes", "&No", focus="NextButton")
        self.assertEqual(named["LicenseMemo"].text, "The licence of the minimal product.\r\n")
        wizard.next("Dest")
        named = self.assert_page(wizard, "Dest", "enabled", "&Install", "Cancel", focus="DestFolderInput")
        self.assertEqual(named["DestFolderInput"].text, f"{VENDOR}\\Minimal 1")
        # Without a page after it, the install hint is on the destination page.
        self.assertTrue(named["InstallLabel"].visible)
        self.assertEqual(named["InstallLabel"].text, "Click Install to start copying files.")
        self.assert_layout(wizard, FRAME + ["DestHeadingLabel", "DestDescriptionLabel", "DestStepLabel",
                                            "DestFolderLabel", "DestFolderInput", "DestBrowseButton"], named=named)
        self.assertEqual(named["InstallLabel"].rect[1], NOTEBOOK_ORIGIN[1] + 220)
        wizard.click("BackButton")
        wizard.wait_page("License")
        wizard.next("Dest")

        wizard.type("DestFolderInput", folder)
        wizard.next("Ready")
        named = self.assert_page(wizard, "Ready", None, "&Finish", None, focus="NextButton")
        for check in ("ReadyReadmeCheck", "ReadyStartCheck"):
            self.assertTrue(named[check].visible and named[check].checked, check)
        self.assertEqual(named["ReadyStartCheck"].text, f"&Start {name}")
        # Escape has no Cancel button to press here; the Tab pressed after it
        # shows that it has been handled.
        wizard.keys("ESC", "TAB")
        wizard.wait_for(lambda c: c["ReadyStartCheck"].focused, "the focus moved on by Tab")
        self.assertFalse(wizard.box_shown("Confirm"))
        # The close box on the last page ends the setup and opens nothing.
        wizard.close()
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)

        installed = self.drive_c(folder + "\\")
        self.assertEqual((installed / "Docs" / "Guide.txt").read_bytes(), b"a guide\r\n" * 30)
        self.assertTrue((installed / "Uninst.exe").is_file())
        self.assertFalse((installed / "Started.txt").exists())
        self.assertFalse(started.exists())
        self.assertEqual(self.reg_query(f"HKLM\\{ROOT}\\Minimal\\1.0", "Location"), folder + "\\")
        self.assertEqual(self.reg_query(UNINSTALL + full, "DisplayName"), full)
        uninstaller = self.reg_query(UNINSTALL + full, "UninstallString")
        self.assertEqual(uninstaller, f'"{folder}\\Uninst.exe"')

        process = self.start_uninstaller(uninstaller.strip('"'))
        self.assertIn(f"remove {full}", self.box_text(self.answer("Confirm", "Yes")))
        self.assertEqual(self.box_text(self.answer("Information", "OK")), "Uninstallation successfully completed.")
        self.assertEqual(self.wait_exit(process), 0)
        self.wait_gone(VENDOR)
        # Nothing was written below HKEY_CURRENT_USER.
        self.assert_nothing_left(before, [ROOT, f"{ROOT}\\Minimal"], [])


class SuiteSetupTest(WizardTestCase):
    def test_the_choices_made_on_every_page_reach_the_installation(self):
        vst2 = self.make_folder(f"{VENDOR}\\Host VST2")
        rtas = self.make_folder(f"{VENDOR}\\Host RTAS")
        photoshop = self.make_folder(f"{VENDOR}\\Host Photoshop")
        folder = f"{VENDOR}\\Suite Typed"
        owner = "Ann  Owner-Smith"
        self.reg("add", PHOTOSHOP_KEY + "\\13.0\\PluginPath", "/ve", "/d", photoshop, "/f")
        self.forget(PHOTOSHOP_KEY + "\\13.0", f"HKLM\\{ROOT}", f"HKCU\\{ROOT}", UNINSTALL + SUITE, folders=[VENDOR])
        setup = self.pack(self.staging(suite_product()), self.work / "SuiteSetup.exe")
        before = self.snapshot()

        wizard = self.start_wizard(setup)
        wizard.next("License")
        wizard.next("BundleItems")
        named = self.assert_page(wizard, "BundleItems", "enabled", "&Next >", "Cancel", focus="NextButton")
        self.assertEqual((named["BundleHeadingLabel"].text, named["BundleDescriptionLabel"].text),
                         ("Choose the products", "Tick what to install."))
        boxes = [named[f"BundleItem{i}"] for i in range(3)]
        self.assertEqual([(box.text, box.checked) for box in boxes],
                         [("Suite Alpha 1.10", True), ("Suite Beta 1.20", True), ("Suite Gamma 1.30", True)])
        self.assertEqual([box.rect for box in boxes], [(184, 8 + 60 + 28 * i, 305, 24) for i in range(3)])
        wizard.click(wizard.bundle_check(1))
        wizard.wait_for(lambda c: not c["BundleItem1"].checked, "Beta unticked")

        wizard.next("VstPlugins")
        named = self.assert_page(wizard, "VstPlugins", "enabled", "&Next >", "Cancel", focus="Vst2FolderInput")
        self.assertEqual(named["Vst2InstallCheck"].text, f"&Install the VST 2 plug-ins for {SUITE}")
        self.assertEqual(named["Vst2FolderInput"].text, "")
        self.assertTrue(named["Vst3InstallCheck"].visible and named["Vst3InstallCheck"].checked)
        self.assertEqual(named["Vst3ListLabel"].text, "(Only for Alpha, Gamma)")
        wizard.type("Vst2FolderInput", vst2)
        wizard.next("DigiPlugins")
        named = self.assert_page(wizard, "DigiPlugins", "enabled", "&Next >", "Cancel", focus="DigiFolderInput")
        self.assertEqual(named["DigiFolderInput"].text, "C:\\Program Files\\Common Files\\Digidesign\\DAE\\Plug-Ins")
        wizard.type("DigiFolderInput", rtas)
        wizard.next("PhotoshopPlugin")
        named = self.assert_page(wizard, "PhotoshopPlugin", "enabled", "&Next >", "Cancel",
                                 focus="PhotoshopFolderInput")
        self.assertEqual(named["PhotoshopFolderInput"].text, photoshop)
        wizard.click("PhotoshopInstallCheck")
        named = wizard.wait_for(lambda c: not c["PhotoshopInstallCheck"].checked, "Photoshop unticked")
        self.assertEqual([named[n].enabled for n in ("PhotoshopFolderLabel", "PhotoshopFolderInput",
                                                      "PhotoshopBrowseButton")], [False] * 3)

        wizard.next("Dest")
        wizard.type("DestFolderInput", folder)
        wizard.next("Personalize")
        named = self.assert_page(wizard, "Personalize", "enabled", "&Next >", "Cancel", focus="NameInput")
        self.assertNotEqual(named["NameInput"].text, "", "the Windows user's name is proposed")
        wizard.type("NameInput", owner)
        wizard.next("Icon")
        named = self.assert_page(wizard, "Icon", "enabled", "&Install", "Cancel", focus="NextButton")
        self.assertEqual([(named[n].visible, named[n].checked) for n in ("IconStartMenuCheck", "IconDesktopCheck")],
                         [(True, True), (True, True)])
        self.assertTrue(named["InstallLabel"].visible)
        wizard.click("IconDesktopCheck")
        wizard.wait_for(lambda c: not c["IconDesktopCheck"].checked, "the desktop shortcut declined")

        wizard.next("Ready")
        named = self.assert_page(wizard, "Ready", None, "&Finish", None, focus="NextButton")
        # No read-me is configured: its question is left out and the start
        # question takes its place.
        self.assertFalse(named["ReadyReadmeLabel"].visible or named["ReadyReadmeCheck"].visible)
        self.assertEqual((named["ReadyStartLabel"].rect[1], named["ReadyStartCheck"].rect[1]), (8 + 108, 8 + 128))
        wizard.click("ReadyStartCheck")
        wizard.wait_for(lambda c: not c["ReadyStartCheck"].checked, "the start declined")
        wizard.next()
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)

        installed = self.drive_c(folder + "\\")
        self.assertEqual(sorted(p.name for p in installed.iterdir()),
                         ["Alpha", "Gamma", "Probe.exe", "Readme.txt", "Uninst.exe"])
        self.assertEqual((installed / "Gamma" / "gamma.txt").read_text(), "Gamma")
        self.assertEqual(sorted(p.name for p in self.drive_c(vst2 + "\\").iterdir()),
                         [f"Suite Alpha {RUN}.dll", f"Suite Gamma {RUN}.dll"])
        vst3 = self.drive_c(VST3_FOLDER + "\\")
        self.assertEqual(sorted(p.name for p in vst3.iterdir() if RUN in p.name),
                         [f"Suite Alpha {RUN}.vst3", f"Suite Gamma {RUN}.vst3"])
        self.assertEqual((vst3 / f"Suite Alpha {RUN}.vst3").read_text(), "vst 3 Alpha")
        self.assertEqual([p.name for p in self.drive_c(rtas + "\\").iterdir()], ["Suite.dpm"])
        self.assertEqual(list(self.drive_c(photoshop + "\\").iterdir()), [])

        user, machine = f"HKCU\\{SUITE_ROOT}\\3.0", f"HKLM\\{SUITE_ROOT}\\3.0"
        self.assertEqual(self.reg_query(user + "\\Registration", "Owner"), owner)
        self.assertEqual(self.reg_query(user + "\\Paths", "Program"), folder)
        self.assertEqual([self.reg_query(f"HKCU\\{ITEMS_ROOT}\\{item}\\Settings\\1.0", "Count")
                          for item in ("Alpha", "Beta", "Gamma")], ["0x7", None, "0x7"])
        self.assertEqual(self.reg_query(machine + "\\Plugins", "Vst"), vst2)
        self.assertEqual(self.reg_query(machine + "\\Plugins", "Photoshop"), "")
        self.assertEqual(self.reg_query(machine, "Location"), folder + "\\")
        self.assertEqual(self.reg_query(machine, "VersionString"), "3.10")
        self.assertEqual(self.reg_query(UNINSTALL + SUITE, "DisplayName"), SUITE)
        self.assertEqual(self.reg_query(UNINSTALL + SUITE, "UninstallString"), f'"{folder}\\Uninst.exe"')
        self.assertTrue(any(p.is_file() for p in self.start_menu(SUITE, "Read Me.lnk")))
        self.assertFalse(any(p.exists() for p in self.desktop(f"{SUITE} Read Me.lnk")))
        self.assertFalse((installed / "Started.txt").exists())

        # The uninstaller takes all of it away again; what the items wrote
        # below the bundle's own root is not its to remove.
        process = self.start_uninstaller(folder + "\\Uninst.exe")
        self.answer("Confirm", "Yes")
        self.assertEqual(self.box_text(self.answer("Information", "OK")), "Uninstallation successfully completed.")
        self.assertEqual(self.wait_exit(process), 0)
        self.wait_gone(folder)
        for hive in ("HKCU", "HKLM"):
            self.run_wine("reg", "delete", f"{hive}\\{ITEMS_ROOT}", "/f")
        self.assert_nothing_left(before, [ROOT, SUITE_ROOT], [ROOT, SUITE_ROOT], emptied=[vst2, rtas])


class RefusalTest(WizardTestCase):
    def test_every_refusal_names_the_fault_and_keeps_the_page(self):
        vst2 = self.make_folder(f"{VENDOR}\\Host VST2")
        missing = f"{VENDOR}\\No Such Folder"
        self.forget(folders=[VENDOR])
        setup = self.pack(self.staging(suite_product()), self.work / "SuiteSetup.exe")
        # A folder of that name beside the setup, which is the current folder:
        # a relative name is refused all the same, since it names no place.
        (self.work / "Programs").mkdir()
        confirm = CONFIRM_CANCEL.format(full=SUITE, name=SUITE)

        wizard = self.start_wizard(setup)
        # Escape and the close box ask before they end anything; No goes on.
        wizard.keys("ESC")
        self.refusal(wizard, "Confirm", confirm, "Welcome")
        wizard.close()
        self.refusal(wizard, "Confirm", confirm, "Welcome")
        wizard.next("License")
        wizard.click("CancelButton")
        self.refusal(wizard, "Confirm", confirm, "License")

        wizard.next("BundleItems")
        for i in range(3):
            wizard.click(wizard.bundle_check(i))
        wizard.wait_for(lambda c: not any(c[f"BundleItem{i}"].checked for i in range(3)), "every item unticked")
        wizard.next()
        self.refusal(wizard, "Warning", NO_ITEM, "BundleItems")
        wizard.click(wizard.bundle_check(2))
        wizard.next("VstPlugins")

        # A plug-in folder must exist and be named in full; the text stands
        # as typed, in the message and in the box.
        for page, field in (("VstPlugins", "Vst2FolderInput"), ("DigiPlugins", "DigiFolderInput"),
                            ("PhotoshopPlugin", "PhotoshopFolderInput")):
            for text in (missing, "Programs"):
                wizard.type(field, text)
                wizard.next()
                named = self.refusal(wizard, "Warning", FOLDER_MISSING.format(text), page, focus=field)
                self.assertEqual(named[field].text, text)
            if page == "VstPlugins":
                wizard.type(field, vst2)
                wizard.next("DigiPlugins")
            elif page == "DigiPlugins":
                # An empty folder declines the plug-in without a word.
                wizard.type(field, "")
                wizard.next("PhotoshopPlugin")
                self.assertFalse(wizard.box_shown("Warning"))
            else:
                # Unticked, the plug-in's folder is not looked at.
                wizard.click("PhotoshopInstallCheck")
                wizard.wait_for(lambda c: not c["PhotoshopFolderInput"].enabled, "the folder box disabled")
                wizard.next("Dest")

        # A destination needs a folder to make below a drive's root; the
        # message names it with the backslash the check appended.
        for text, shown in (("", "\\"), ("C:\\", "C:\\"), ("Programs", "Programs\\")):
            wizard.type("DestFolderInput", text)
            wizard.next()
            named = self.refusal(wizard, "Warning", CANNOT_CREATE.format(shown), "Dest", focus="DestFolderInput")
            self.assertEqual(named["DestFolderInput"].text, text)
        wizard.type("DestFolderInput", f"{VENDOR}\\Not Made")
        wizard.next("Personalize")

        wizard.type("NameInput", "")
        wizard.next()
        self.refusal(wizard, "Warning", ENTER_NAME, "Personalize", focus="NameInput")
        # Blanks are a name.
        wizard.type("NameInput", "   ")
        wizard.next("Icon")
        wizard.keys("ESC")
        self.refusal(wizard, "Confirm", confirm, "Icon")
        self.cancel(wizard, SUITE, SUITE)
        # The checks made no folder, and cancelling installed nothing.
        self.assertFalse(self.drive_c(f"{VENDOR}\\Not Made\\").exists())
        self.assertIsNone(self.reg_query(UNINSTALL + SUITE, "DisplayName"))


class KeyboardTest(WizardTestCase):
    def test_the_keyboard_works_as_in_any_dialog_box(self):
        vst2 = self.make_folder(f"{VENDOR}\\Host VST2")
        self.forget(folders=[VENDOR])
        setup = self.pack(self.staging(suite_product()), self.work / "SuiteSetup.exe")
        wizard = self.start_wizard(setup)

        def press(key, focus):
            """Presses a key and waits for the focus that it should give."""
            wizard.keys(key)
            wizard.wait_for(lambda c: c[focus].focused, f"{key} giving the focus to {focus}")

        # Enter presses the default button, Next (Yes on the licence).
        wizard.keys("ENTER")
        wizard.wait_page("License")
        wizard.keys("ENTER")
        wizard.wait_page("BundleItems")

        # The space bar ticks the focused box.
        press("TAB", "CancelButton")
        press("TAB", "BundleItem0")
        wizard.keys("SPACE")
        wizard.wait_for(lambda c: not c["BundleItem0"].checked, "Alpha unticked by the space bar")
        wizard.keys("SPACE")
        wizard.wait_for(lambda c: c["BundleItem0"].checked, "Alpha ticked again")
        press("SHIFT+TAB", "CancelButton")
        press("SHIFT+TAB", "NextButton")
        wizard.keys("ENTER")
        wizard.wait_page("VstPlugins")

        # Tab walks the page's controls by their tab positions, then the
        # frame's buttons, and comes round again; Shift+Tab walks back.
        self.assertEqual(wizard.focused(), "Vst2FolderInput")
        for focus in ("Vst2BrowseButton", "Vst2InstallCheck", "Vst3InstallCheck", "BackButton", "NextButton",
                      "CancelButton", "Vst2FolderInput"):
            press("TAB", focus)
        for focus in ("CancelButton", "NextButton", "BackButton", "Vst3InstallCheck", "Vst2InstallCheck"):
            press("SHIFT+TAB", focus)
        wizard.keys("SPACE")
        named = wizard.wait_for(lambda c: not c["Vst2InstallCheck"].checked, "VST 2 unticked by the space bar")
        self.assertEqual([named[n].enabled for n in ("Vst2FolderLabel", "Vst2FolderInput", "Vst2BrowseButton")],
                         [False] * 3)
        wizard.keys("SPACE")
        wizard.wait_for(lambda c: c["Vst2FolderInput"].enabled, "VST 2 ticked again")
        # The label's accelerator leads to its box.
        press("ALT+F", "Vst2FolderInput")
        wizard.type("Vst2FolderInput", vst2)
        wizard.keys("ENTER")
        wizard.wait_page("DigiPlugins")
        wizard.type("DigiFolderInput", "")
        wizard.keys("ENTER")
        wizard.wait_page("PhotoshopPlugin")
        wizard.keys("ENTER")
        wizard.wait_page("Dest")
        press("TAB", "DestBrowseButton")
        press("ALT+F", "DestFolderInput")

        # Escape is the Cancel button.
        wizard.keys("ESC")
        shown = wizard.answer("Confirm", "Yes")
        self.assertEqual(shown.replace("\r\n", "\r"), CONFIRM_CANCEL.format(full=SUITE, name=SUITE))
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)


UPGRADE = f"Wizard Upgrade {RUN}"
UPGRADE_KEY = f"HKLM\\{ROOT}\\Upgrade"


def upgrade_product():
    """Version 2.30 with a desktop shortcut only, so that the Icon page, the
    install page, follows Dest."""
    return {
        "Setup.ini": ini(f"""
            [Setup]
            ProductName={UPGRADE}
            ProductVersion=2.30
            RegistryRoot={ROOT}\\Upgrade
            DefaultFolder=Wizard E2E {RUN}\\Upgrade %d
            [Components]
            Main=$ProgramFolder
            [Shortcuts]
            Desktop=$ProgramFolder\\Readme.txt,{UPGRADE}
            """),
        "Setup.lic": "Licence\r\n",
        "Main/Readme.txt": "read me\r\n",
    }


class UpgradeTest(WizardTestCase):
    def walk_to_dest(self, setup):
        wizard = self.start_wizard(setup)
        wizard.next("License")
        wizard.next("Dest")
        return wizard

    def leave_dest(self, wizard, folder, question=None, answers=()):
        """Types the folder and presses Install's predecessor, Next; answers
        the question that comes, if any, first with each of answers."""
        wizard.type("DestFolderInput", folder)
        for answer in answers:
            wizard.next()
            wizard.wait_box("Confirm")
            self.assertEqual(wizard.answer("Confirm", answer).replace("\r\n", "\r"), question)
            if answer == "No":
                wizard.wait_box_gone("Confirm")
                named = wizard.wait_for(lambda c: c["DestFolderInput"].focused, "the focus in the folder box")
                self.assertEqual(wizard.page(named), "Dest")
        if not answers:
            wizard.next()
        wizard.wait_page("Icon")
        self.assertFalse(wizard.box_shown("Confirm"))
        wizard.click("BackButton")
        wizard.wait_page("Dest")

    def test_an_earlier_installation_decides_the_folder_and_the_questions(self):
        setup = self.pack(self.staging(upgrade_product()), self.work / "UpgradeSetup.exe")
        self.forget(f"HKLM\\{ROOT}", folders=[VENDOR])
        same_major = self.make_folder(f"{VENDOR}\\Earlier 2")
        other_major = self.make_folder(f"{VENDOR}\\Earlier 1")
        elsewhere = f"{VENDOR}\\Elsewhere"

        # 2.10 is installed: its folder is proposed and kept without a word;
        # another folder asks first. Letter case makes no other folder.
        self.reg("add", UPGRADE_KEY + "\\2.0", "/v", "Location", "/d", same_major, "/f")
        self.reg("add", UPGRADE_KEY + "\\2.0", "/v", "VersionString", "/d", "2.10", "/f")
        wizard = self.walk_to_dest(setup)
        self.assertEqual(wizard.named()["DestFolderInput"].text, same_major + "\\")
        wizard.next("Icon")
        self.assertFalse(wizard.box_shown("Confirm"))
        # Only the desktop is asked about: its row takes the first place, and
        # the install hint the second.
        named = wizard.named()
        self.assertFalse(named["IconStartMenuLabel"].visible or named["IconStartMenuCheck"].visible)
        self.assertEqual([named[n].rect[1] for n in ("IconDesktopLabel", "IconDesktopCheck", "InstallLabel")],
                         [8 + 32, 8 + 68, 8 + 108])
        self.assertEqual(named["NextButton"].text, "&Install")
        wizard.click("BackButton")
        wizard.wait_page("Dest")
        question = OTHER_FOLDER.format(name=UPGRADE)
        self.leave_dest(wizard, elsewhere, question, ["No", "Yes"])
        self.leave_dest(wizard, same_major.upper())
        self.cancel(wizard, f"{UPGRADE} 2.30", UPGRADE)

        # 1.50 is installed: the new major version proposes its own folder
        # and asks before it goes into the old one.
        self.reg("delete", UPGRADE_KEY + "\\2.0", "/f")
        self.reg("add", UPGRADE_KEY + "\\1.0", "/v", "Location", "/d", other_major + "\\", "/f")
        self.reg("add", UPGRADE_KEY + "\\1.0", "/v", "VersionString", "/d", "1.50", "/f")
        wizard = self.walk_to_dest(setup)
        self.assertEqual(wizard.named()["DestFolderInput"].text, f"{VENDOR}\\Upgrade 2")
        question = OVERWRITE.format(name=UPGRADE)
        self.leave_dest(wizard, other_major.lower(), question, ["No", "Yes"])
        self.leave_dest(wizard, elsewhere)
        self.cancel(wizard, f"{UPGRADE} 2.30", UPGRADE)
        # Asking made nothing.
        self.assertFalse(self.drive_c(elsewhere + "\\").exists())


FINISH = f"Wizard Finish {RUN}"


class FinishTest(WizardTestCase):
    def test_the_copy_page_refuses_to_close_and_finish_opens_the_read_me_and_starts_the_product(self):
        if not GATE_LIBRARY:
            self.skipTest("no gate library")
        folder = f"{VENDOR}\\Finish Place"
        files = {
            "Setup.ini": ini(f"""
                [Setup]
                ProductName={FINISH}
                ProductVersion=1.00
                RegistryRoot={ROOT}\\Finish
                DefaultFolder=Wizard E2E {RUN}\\Finish
                [Components]
                Main=$ProgramFolder
                [CallLibraries]
                Hold=$ProgramFolder\\gate_library.dll
                [Complete]
                Readme=$ProgramFolder\\Read Me{README_TYPE}
                Product=$ProgramFolder\\Probe.exe
                """),
            "Setup.lic": "Licence\r\n",
            "Main/Probe.exe": Path(PROBE_PROGRAM).read_bytes(),
            "Main/gate_library.dll": Path(GATE_LIBRARY).read_bytes(),
            f"Main/Read Me{README_TYPE}": "read me\r\n",
        }
        setup = self.pack(self.staging(files), self.work / "FinishSetup.exe")
        viewer_report = self.readme_viewer()
        self.forget(f"HKLM\\{ROOT}", f"HKCU\\{ROOT}", UNINSTALL + f"{FINISH} 1.00", folders=[VENDOR])
        gate = self.work / "gate"

        wizard = self.start_wizard(setup, env={"SETUP_E2E_GATE": windows_path(gate)})
        wizard.next("License")
        wizard.next("Dest")
        wizard.type("DestFolderInput", folder)
        wizard.next()
        # The run waits in the library's call until the gate opens.
        self.wait_file(self.work / "gate.held")
        named = self.assert_page(wizard, "Copy", None, None, "Cancel (disabled)")
        self.assertEqual(named["CopyStatusLabel"].text, "Initializing components...")
        # The close box, Escape and Enter, pressed by a user who waits.
        wizard.close()
        wizard.keys("ESC", "ENTER")
        self.assertFalse(wizard.box_shown("Confirm"))
        self.assertEqual(wizard.page(), "Copy")
        gate.write_text("")

        wizard.wait_page("Ready")
        self.assert_page(wizard, "Ready", None, "&Finish", None, focus="NextButton")
        # What was pressed on the Copy page does not act on this one either
        # (Enter would press Finish): a key pressed now comes after it, and
        # when it has moved the focus the window is still there.
        wizard.keys("TAB")
        named = wizard.wait_for(lambda c: c["ReadyStartCheck"].focused, "the focus moved on by Tab")
        self.assertFalse(viewer_report.exists())
        self.assertTrue(named["ReadyReadmeCheck"].checked and named["ReadyStartCheck"].checked)
        wizard.next()
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)

        # The read-me was opened by the program of its type, and the product
        # started in the program folder.
        readme = f"{folder}\\Read Me{README_TYPE}"
        viewer = self.wait_file(viewer_report).splitlines()
        self.assertEqual(viewer[1].lower(), f'command="{readme}"'.lower())
        product = self.wait_file(self.drive_c(folder + "\\Started.txt")).splitlines()
        self.assertEqual(product, [f"folder={folder}", "command="])


class HighResolutionTest(WizardTestCase):
    """The wizard at 144 dots per inch: Wine takes the resolution from
    LogPixels of the user's desktop settings when a program starts."""

    KEY = "HKCU\\Control Panel\\Desktop"

    def set_resolution(self, dots):
        if dots is None:
            self.run_wine("reg", "delete", self.KEY, "/v", "LogPixels", "/f")
        else:
            self.reg("add", self.KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dots), "/f")

    def test_at_144_dots_per_inch_the_controls_are_scaled(self):
        setup = self.pack(self.staging(minimal_product()), self.work / "MinimalSetup.exe")
        earlier = self.reg_query(self.KEY, "LogPixels")
        self.set_resolution(144)
        self.addCleanup(self.set_resolution, None if earlier is None else int(earlier, 0))

        wizard = self.start_wizard(setup)
        wizard.next("License")
        wizard.next("Dest")
        named = wizard.named()
        cancel = named["CancelButton"].rect
        if cancel == wizard.rows["CancelButton"].rect:
            self.cancel(wizard, f"Wizard Minimal {RUN} 1.20", f"Wizard Minimal {RUN}")
            self.skipTest(f"Wine did not apply LogPixels 144: the Cancel button is still at {cancel}")
        self.assert_layout(wizard, FRAME + ["DestHeadingLabel", "DestDescriptionLabel", "DestStepLabel",
                                            "DestFolderLabel", "DestFolderInput", "DestBrowseButton"],
                           scale=1.5, named=named)
        self.cancel(wizard, f"Wizard Minimal {RUN} 1.20", f"Wizard Minimal {RUN}")
