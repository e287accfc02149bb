"""Walks a setup's wizard from its first page to Finish under Wine, as a user
who accepts what each page proposes, saves a screenshot of every page (and of
every question or warning on the way) and then uninstalls the product again.

    walk_wizard.py SETUP.EXE OUTPUT_FOLDER [--keep] [--with-hosts]

Run it through scripts/walk-wizard.sh, which builds what it needs, packs a
staging folder and gives it a Wine prefix and a display."""

import argparse
import os
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from wizard_driver import PAGES, Wizard, WizardError, run_with_session  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]

# Plug-in hosts as a musician's and a designer's computer has them: the
# registry values and folders the setup looks for.
HOST_FOLDERS = [
    "C:\\Program Files\\Steinberg\\VstPlugins",
    "C:\\Program Files\\Common Files\\Digidesign\\DAE\\Plug-Ins",
    "C:\\Program Files\\Adobe\\Photoshop 13\\Plug-ins",
]
HOST_KEYS = [
    ("HKLM\\Software\\Vst", "VstPluginsPath", HOST_FOLDERS[0]),
    ("HKLM\\Software\\Adobe\\Photoshop\\13.0\\PluginPath", "", HOST_FOLDERS[2]),
]


class Walk:
    def __init__(self, setup, output, arch):
        self.setup, self.output = Path(setup), Path(output)
        self.wine_run = [str(ROOT / "scripts/wine-run.sh"), arch]
        build = ROOT / "build" / arch / "tests/e2e"
        uidriver = build / "uidriver/uidriver.exe"
        self.run = run_with_session(self.wine_run, uidriver)
        self.wizard = Wizard(self.run, uidriver, build / "layout_dump/layout_dump.exe")
        self.count = 0
        self.shots = []

    def shot(self, what, window=None, settle=0.5):
        self.count += 1
        path = self.output / f"{self.count:02d}-{what}.png"
        if window is None or self.wizard.exists():
            self.wizard.screenshot(path, settle=settle)
        else:
            self.wizard.screenshot(path, settle=settle, window=window)
        self.shots.append(path)
        print(f"  {path.name}")

    def box(self, title, button, what, seconds=0):
        """A box on the way, if there is one now: its picture, its text, and
        the answer."""
        code, _ = self.wizard.driver("wait", title, seconds)
        if code != 0:
            return None
        self.shot(what, window=title)
        text = self.wizard.answer(title, button)
        print(f"    {title}: {text!r} -> {button}")
        return text

    def next_or_box(self, page):
        """Next; answers what the page asks on the way. The page that follows,
        or None when the page refused to be left."""
        self.wizard.click("NextButton")
        deadline = time.time() + 30
        while time.time() < deadline:
            shown = self.wizard.page()
            if shown != page:
                return shown
            if self.box("Warning", "OK", f"{page}-warning") is not None:
                return None
            self.box("Confirm", "Yes", f"{page}-question")
            self.box("Information", "OK", f"{page}-notice")
        raise WizardError(f"the page {page} was not left")

    def walk(self):
        wizard = self.wizard
        wizard.wait()
        program_folder = None
        while True:
            page = wizard.page()
            self.shot(page)
            if page == "Ready":
                break
            if page == "Dest":
                program_folder = wizard.control("DestFolderInput").text
            if page == "Personalize" and not wizard.control("NameInput").text:
                wizard.type("NameInput", "Walk User")
            if page == "Copy":
                wizard.wait_page("Ready", seconds=600)
                continue
            following = self.next_or_box(page)
            if following == "Copy":
                # The Copy page while the files are copied: each status text
                # stays half a second, so there is time for one picture. The
                # window answers while it works, so the status can be waited
                # for; a run too quick to be caught is shown as it stands.
                try:
                    self.wizard.wait_for(lambda c: c["CopyStatusLabel"].text == "Copying files...",
                                         "the copying", seconds=5)
                except WizardError:
                    pass
                self.shot("Copy", settle=0)
                wizard.wait_page("Ready", seconds=600)
            if following:
                continue
            # A plug-in folder that this computer lacks: the plug-in is left
            # out, as a user without that host would do.
            for check in ("Vst2InstallCheck", "DigiInstallCheck", "PhotoshopInstallCheck"):
                control = wizard.control(check)
                if wizard.rows[check].page == PAGES.index(page) and control.visible and control.checked:
                    wizard.click(check)
            if not self.next_or_box(page):
                raise WizardError(f"the page {page} cannot be left")
        # Nothing is opened or started at Finish: the walk ends here.
        for check in ("ReadyReadmeCheck", "ReadyStartCheck"):
            control = wizard.control(check)
            if control.visible and control.checked:
                wizard.click(check)
        wizard.click("NextButton")
        code, _ = wizard.driver("wait-gone", "@TMainForm", 30)
        if code != 0:
            raise WizardError("the wizard did not close at Finish")
        return program_folder

    def uninstall(self, program_folder):
        uninstaller = program_folder.rstrip("\\") + "\\Uninst.exe"
        print(f"uninstalling with {uninstaller}")
        process = subprocess.Popen([*self.wine_run, uninstaller], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        if self.box_wait("Confirm", "Yes", "Uninstall-question") is None:
            process.kill()
            raise WizardError("the uninstaller asked nothing")
        self.box_wait("Information", "OK", "Uninstall-result")
        process.wait(timeout=120)

    def box_wait(self, title, button, what, seconds=60):
        return self.box(title, button, what, seconds)


def set_up_hosts(run_wine):
    for folder in HOST_FOLDERS:
        run_wine("cmd", "/c", "mkdir", folder)
    for key, value, data in HOST_KEYS:
        run_wine("reg", "add", key, *(["/v", value] if value else ["/ve"]), "/d", data, "/f")


def take_down_hosts(run_wine):
    for folder in HOST_FOLDERS:
        run_wine("cmd", "/c", "rmdir", folder)
    run_wine("reg", "delete", "HKLM\\Software\\Vst", "/f")
    run_wine("reg", "delete", "HKLM\\Software\\Adobe\\Photoshop\\13.0", "/f")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("setup", help="the setup executable")
    parser.add_argument("output", help="the folder for the screenshots")
    parser.add_argument("--keep", action="store_true", help="leave the product installed")
    parser.add_argument("--with-hosts", action="store_true",
                        help="give the computer VST, Pro Tools and Photoshop plug-in folders for the walk")
    parser.add_argument("--arch", default=os.environ.get("WINE_ARCH", "win64"))
    args = parser.parse_args()
    output = Path(args.output)
    output.mkdir(parents=True, exist_ok=True)
    for old in output.glob("[0-9][0-9]-*.png"):
        old.unlink()

    walk = Walk(args.setup, output, args.arch)
    if args.with_hosts:
        set_up_hosts(walk.run)
    try:
        print(f"walking {args.setup}")
        process = subprocess.Popen([*walk.wine_run, str(Path(args.setup).resolve())], cwd=Path(args.setup).parent,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        program_folder = walk.walk()
        process.wait(timeout=60)
        if program_folder and not args.keep:
            walk.uninstall(program_folder)
    finally:
        if args.with_hosts:
            take_down_hosts(walk.run)
        walk.run.close()
    print(f"{len(walk.shots)} screenshots in {output}")


if __name__ == "__main__":
    try:
        main()
    except WizardError as error:
        sys.exit(f"walk failed: {error}")
