"""A setup started from a downloads folder, where anything may lie beside it:
libraries planted there are not loaded in place of those the setup asks for
by name, while the libraries of [CallLibraries] still load from where the
setup installed them."""

import os
import shutil
from pathlib import Path

from harness import windows_path
from test_wizard import RUN, ROOT, UNINSTALL, VENDOR, WizardTestCase, ini

PLANTED_LIBRARY = os.environ.get("PLANTED_LIBRARY", "")

PRODUCT = f"Wizard Search {RUN}"

# Beside the setup under the name of a library that the setup asks for by
# name during the installation: a [CallLibraries] entry without a folder
# symbol, which setuppack warns about. (A planted system library, such as
# the msimg32.dll that the common controls load once the wizard draws, is
# no test under Wine: its loader takes its own builtin library whatever
# lies beside the program.)
PLANTED_NAME = "Register.dll"


class LibrarySearchTest(WizardTestCase):
    def test_libraries_beside_the_setup_are_not_loaded_and_installed_ones_are(self):
        if not PLANTED_LIBRARY:
            self.skipTest("no planted library")
        folder = f"{VENDOR}\\Search Place"
        files = {
            "Setup.ini": ini(f"""
                [Setup]
                ProductName={PRODUCT}
                ProductVersion=1.00
                RegistryRoot={ROOT}\\Search
                DefaultFolder=Wizard E2E {RUN}\\Search
                [Components]
                Main=$ProgramFolder
                [CallLibraries]
                Install=$ProgramFolder\\Installed.dll
                Register={PLANTED_NAME}
                """),
            "Setup.lic": "Licence\r\n",
            "Main/Installed.dll": Path(PLANTED_LIBRARY).read_bytes(),
        }
        downloads = self.work / "Downloads"
        downloads.mkdir()
        setup = self.pack(self.staging(files), downloads / "SearchSetup.exe")
        shutil.copyfile(PLANTED_LIBRARY, downloads / PLANTED_NAME)
        self.forget(f"HKLM\\{ROOT}", f"HKCU\\{ROOT}", UNINSTALL + f"{PRODUCT} 1.00", folders=[VENDOR])
        # Each library that runs there writes its path into this file.
        loaded = self.work / "loaded.txt"

        wizard = self.start_wizard(setup, env={"SETUP_E2E_PLANTED": windows_path(loaded)})
        wizard.next("License")
        wizard.next("Dest")
        wizard.type("DestFolderInput", folder)
        wizard.next()
        wizard.wait_page("Ready")
        wizard.next()
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)

        self.assertEqual([line.lower() for line in self.wait_file(loaded).splitlines()],
                         [f"{folder}\\Installed.dll".lower()])
