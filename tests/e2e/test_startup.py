"""Start-up of the real setup program under Wine: a good package opens the
wizard, a damaged one shows the error box instead, and the run mode comes
from the file."""

import struct
import subprocess
from pathlib import Path

from harness import E2ETestCase

CORRUPTED = "The installer appears to be corrupted. Please download it again."


def product(version="2.10"):
    return {
        "Setup.ini": f"[Setup]\r\nProductName=Demo\r\nProductVersion={version}\r\n"
                     "RegistryRoot=Software\\Startup Test\\Demo\r\nDefaultFolder=Startup Test\\Demo %d\r\n",
        "Setup.lic": "Licence\r\n",
        "Main/Program.txt": "program\r\n" * 50,
        "Main/Docs/Readme.txt": "read me\r\n",
    }


def package_offset(exe):
    return struct.unpack_from("<i", Path(exe).read_bytes(), 48)[0]


class StartupTest(E2ETestCase):
    def test_a_good_package_opens_the_wizard_with_its_version(self):
        exe = self.pack(self.staging(product("2.10 beta 3")), self.work / "Setup.exe")
        wizard = self.start_wizard(exe)
        self.assertEqual(wizard.title(), "Demo Setup")
        self.assertEqual(wizard.named()["WelcomeDescriptionLabel"].text,
                         "This program will install Demo 2.10 beta 3 on your computer.")
        self.assertEqual(self.cancel_wizard(wizard), "Demo 2.10 beta 3 has not been fully installed yet.\r"
                                                     "Are you sure you want to cancel Demo Setup?")

    def test_settings_that_are_not_valid_show_their_message(self):
        files = product()
        files["Setup.ini"] = "[Setup]\r\nProductName=Demo\r\nProductVersion=2.10\r\n"
        exe = self.pack(self.staging(files), self.work / "Setup.exe", "--no-check")
        self.assertEqual(self.error_box(self.start(exe)), "Invalid configuration in Setup.ini.")

    def test_a_damaged_package_shows_the_corruption_message(self):
        exe = self.pack(self.staging(product()), self.work / "Setup.exe")
        data = bytearray(exe.read_bytes())
        data[package_offset(exe) + 200] ^= 0x40
        exe.write_bytes(data)
        self.assertEqual(self.error_box(self.start(exe)), CORRUPTED)

    def test_a_bare_stub_reads_setup_dat_beside_it(self):
        folder = self.work / "disk"
        folder.mkdir()
        self.pack(self.staging(product("3.00")), folder / "Setup.dat", "--data")
        exe = folder / "Install.exe"
        exe.write_bytes(Path(self.stub_path()).read_bytes())
        wizard = self.start_wizard(exe)
        self.assertEqual(wizard.named()["WelcomeDescriptionLabel"].text,
                         "This program will install Demo 3.00 on your computer.")
        self.cancel_wizard(wizard)

    def test_a_missing_setup_dat_names_the_file(self):
        exe = self.work / "Lonely.exe"
        exe.write_bytes(Path(self.stub_path()).read_bytes())
        self.assertRegex(self.error_box(self.start(exe)), r'^Cannot open file ".*\\Setup\.dat"\. .+\.$')

    def test_a_signed_setup_still_verifies_and_runs(self):
        exe = self.pack(self.staging(product("1.16")), self.work / "Setup.exe")
        signed = self.sign(exe)
        self.assertEqual(self.setuppack("verify", signed).returncode, 0)
        wizard = self.start_wizard(signed)
        self.assertEqual(wizard.named()["WelcomeDescriptionLabel"].text,
                         "This program will install Demo 1.16 on your computer.")
        self.cancel_wizard(wizard)

    def test_the_uninstaller_flag_is_read_from_the_file(self):
        exe = self.pack(self.staging(product()), self.work / "Setup.exe")
        data = bytearray(exe.read_bytes())
        for flag in (2, -1):
            struct.pack_into("<i", data, 52, flag)
            copy = self.work / f"Copy{flag}.exe"
            copy.write_bytes(data)
            self.cancel_wizard(self.start_wizard(copy))
        # The flag 1 makes the uninstaller, which finds a package where its
        # record should be: an unhandled error, exit code 1.
        struct.pack_into("<i", data, 52, 1)
        copy = self.work / "Uninst.exe"
        copy.write_bytes(data)
        process = self.start(copy)
        text = self.box_text(self.answer("Application Error", "OK"))
        self.assertIn("ESetupError", text)
        self.assertIn("Invalid uninstall data signature", text)
        self.assertEqual(self.wait_exit(process), 1)

    # -- helpers ----------------------------------------------------------
    def stub_path(self):
        from harness import SETUP_STUB
        return SETUP_STUB

    def sign(self, exe):
        key, cert = self.work / "key.pem", self.work / "cert.pem"
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=Setup Test Vendor", "-keyout", key, "-out", cert],
                       check=True, capture_output=True)
        signed = exe.with_name("Signed.exe")
        result = subprocess.run(["osslsigncode", "sign", "-certs", cert, "-key", key, "-n", "Demo",
                                 "-in", exe, "-out", signed], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertGreater(signed.stat().st_size, exe.stat().st_size)
        return signed
