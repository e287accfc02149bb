"""What the end-to-end tests share: packing fixtures with setuppack, starting
Windows programs under Wine and talking to their windows through the UI
driver. ctest sets the environment (see CMakeLists.txt)."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts" / "lib"))
from wizard_driver import DriverSession, Wizard, WizardError, run_with  # noqa: E402

SETUPPACK = os.environ.get("SETUPPACK", "")
SETUP_STUB = os.environ.get("SETUP_STUB", "")
UIDRIVER = os.environ.get("UIDRIVER", "")
ENGINE_HOST = os.environ.get("ENGINE_HOST", "")
LAYOUT_DUMP = os.environ.get("LAYOUT_DUMP", "")
WINE_PREFIX = Path(os.environ.get("SETUP_WINEPREFIX") or os.environ.get("WINE_PREFIX", "/nonexistent"))
WINE_RUN = os.environ.get("WINE_RUN", "")
WINE_ARCH = os.environ.get("WINE_ARCH", "")
WORK = Path(os.environ.get("E2E_WORK", tempfile.gettempdir()))


# Wine keeps these up to date by itself while programs run.
VOLATILE = ("windows/temp/", "windows/logs/", "users/root/temp/", "users/root/appdata/local/temp/")
# Wine keeps window colours and metrics here while any window is open.
WINE_VOLATILE_KEY = "[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters"


def wine_command(*args):
    return [WINE_RUN, WINE_ARCH, *map(str, args)]


def windows_path(host_path):
    """A host path as Wine's drive Z: shows it."""
    return "Z:" + str(host_path).replace("/", "\\")


def file_tree(root):
    """Every file and folder below root with the size of the files."""
    tree = {}
    for folder, folders, files in os.walk(root):
        relative = os.path.relpath(folder, root).replace(os.sep, "/")
        relative = "" if relative == "." else relative + "/"
        if relative.lower().startswith(VOLATILE):
            continue
        for name in folders:
            tree[relative + name + "/"] = None
        for name in files:
            path = os.path.join(folder, name)
            tree[relative + name] = None if os.path.islink(path) else os.path.getsize(path)
    return tree


_layout_output = {}


class Control:
    """One control of a window as the driver prints it."""

    def __init__(self, line):
        self.cls, ident, self.text = line.split("|", 2)
        self.id = int(ident)
        self.text = self.text.replace("\\r", "\r").replace("\\n", "\n")

    def __repr__(self):
        return f"{self.cls}#{self.id}:{self.text!r}"


class E2ETestCase(unittest.TestCase):
    """A test with its own work folder and helpers for packing and driving."""

    def setUp(self):
        if not all((SETUPPACK, SETUP_STUB, UIDRIVER, WINE_RUN, WINE_ARCH)):
            self.skipTest("run through ctest in a Windows build")
        self.work = WORK / self.id().replace(".", "_")
        shutil.rmtree(self.work, ignore_errors=True)
        self.work.mkdir(parents=True)
        self.processes = []
        self.session = None

    def tearDown(self):
        self.end_driver_session()
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait()

    # -- fixtures ---------------------------------------------------------
    def staging(self, files, name="staging"):
        """A staging folder from {relative path: text or bytes}."""
        root = self.work / name
        for relative, content in files.items():
            path = root / relative
            if relative.endswith("/"):
                path.mkdir(parents=True, exist_ok=True)
                continue
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(content if isinstance(content, bytes) else content.encode("cp1252"))
        return root

    def pack(self, staging, output, *options, stub=None):
        stub = [] if "--data" in options else ["--stub", stub or SETUP_STUB]
        result = subprocess.run(
            [SETUPPACK, "build", str(staging), "-o", str(output), *stub,
             "--stamp", "2024-05-01T12:00:00", *map(str, options)],
            capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        return output

    def setuppack(self, *args):
        return subprocess.run([SETUPPACK, *map(str, args)], capture_output=True, text=True)

    # -- the UI driver --------------------------------------------------------
    def run_driver(self, *args):
        """Runs a UI driver command in the test's driver session."""
        if self.session is None:
            self.session = DriverSession([WINE_RUN, WINE_ARCH], UIDRIVER)
        return self.session.run(*args)

    def end_driver_session(self):
        if self.session is not None:
            self.session.close()
            self.session = None

    def wizard_run(self, program, *args):
        """The Wizard's run function: the UI driver through the session, the
        layout table once (it is the same for every wizard of one build)."""
        if str(program) == UIDRIVER:
            return self.run_driver(*args)
        if str(program) == LAYOUT_DUMP and not args:
            if LAYOUT_DUMP not in _layout_output:
                result = run_with([WINE_RUN, WINE_ARCH])(program)
                if result[0] != 0:
                    return result
                _layout_output[LAYOUT_DUMP] = result
            return _layout_output[LAYOUT_DUMP]
        return run_with([WINE_RUN, WINE_ARCH])(program, *args)

    # -- Wine -----------------------------------------------------------------
    def start(self, exe, env=None):
        """Starts a program in its own folder; env adds to the environment."""
        process = subprocess.Popen(wine_command(exe), cwd=str(Path(exe).parent),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   env=dict(os.environ, **env) if env else None)
        self.processes.append(process)
        return process

    def start_wizard(self, exe, env=None):
        """Starts a setup and answers its wizard once the window is up; the
        process is its attribute process."""
        if not LAYOUT_DUMP:
            self.skipTest("no layout_dump")
        process = self.start(exe, env)
        wizard = Wizard(self.wizard_run, UIDRIVER, LAYOUT_DUMP)
        try:
            wizard.wait()
        except WizardError:
            _, windows = self.driver("list")
            self.fail(f"no wizard; windows: {windows}")
        wizard.process = process
        return wizard

    def cancel_wizard(self, wizard):
        """Ends a wizard through its close box and Yes to the question, and
        answers the question's text; the setup must end with exit code 0."""
        wizard.close()
        question = wizard.answer("Confirm", "Yes").replace("\r\n", "\r")
        wizard.wait_gone()
        self.assertEqual(self.wait_exit(wizard.process), 0)
        return question

    def error_box(self, process):
        """The text of the error box that ends a setup before its wizard: a
        stop icon, the application's title "Setup", OK, then exit code 0."""
        code, _ = self.driver("wait", "Setup", 60)
        if code != 0:
            _, windows = self.driver("list")
            self.fail(f"no error box; windows: {windows}")
        self.assertEqual(self.driver("wait", "@TMainForm", 0)[0], 1, "the wizard is shown")
        self.assertEqual(self.run_driver("icon", "Setup")[1].split(), ["stop"])
        text = self.box_text(self.answer("Setup", "OK"))
        self.assertEqual(self.wait_exit(process), 0)
        self.assertEqual(self.driver("wait", "@TMainForm", 0)[0], 1, "the wizard is shown")
        return text

    def run_wine(self, *args, timeout=120, encoding="utf-8"):
        """Runs a Windows program to its end; answers (exit code, output)."""
        result = subprocess.run(wine_command(*args), capture_output=True, text=True, encoding=encoding,
                                errors="replace", timeout=timeout)
        return result.returncode, result.stdout + result.stderr

    def reg_query(self, key, value):
        """A registry value as `reg query` prints it, or None when absent."""
        # reg writes to a pipe in the console's code page.
        code, output = self.run_wine("reg", "query", key, "/v", value, encoding="cp437")
        if code != 0:
            return None
        for line in output.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0].lower() == value.lower():
                return parts[2] if len(parts) == 3 else ""
        return None

    def drive_c(self, windows_path):
        """The host path of a C:\\ path in the prefix."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        return WINE_PREFIX / "drive_c" / windows_path[3:].replace("\\", "/")

    def reg(self, *args):
        """Runs reg.exe with args and fails the test when it fails."""
        code, output = self.run_wine("reg", *args, encoding="cp437")
        self.assertEqual(code, 0, f"reg {args}: {output}")

    def registry(self, key):
        """The exported text of a key, as a set of lines, without the keys
        that Wine itself makes and drops while windows come and go."""
        target = self.work / "export.reg"
        code, output = self.run_wine("reg", "export", key, windows_path(target), "/y")
        self.assertEqual(code, 0, output)
        lines, volatile = set(), False
        for line in target.read_bytes().decode("utf-16").splitlines():
            if line.startswith("["):
                volatile = line.startswith(WINE_VOLATILE_KEY)
            if line.strip() and not volatile:
                lines.add(line)
        return lines

    def snapshot(self):
        """The prefix's files and software keys, to compare with later."""
        return (file_tree(WINE_PREFIX / "drive_c"), self.registry("HKLM\\Software"),
                self.registry("HKCU\\Software"))

    def assert_nothing_left(self, before, machine_keys, user_keys, emptied=()):
        """Nothing of the installation is left but the product's root keys,
        empty, where the run wrote below them: other versions of a product
        keep their records there, so the record holds the version's key only.
        emptied names C:\\ folders that were there before and received files:
        the uninstaller takes them away once they are empty again."""
        after = self.snapshot()
        for folder in emptied:
            del before[0][str(self.drive_c(folder + "\\").relative_to(WINE_PREFIX / "drive_c")) + "/"]
        self.assertEqual(after[0], before[0], "files left or lost: %s / %s" % (
            sorted(set(after[0]) - set(before[0])), sorted(set(before[0]) - set(after[0]))))
        left = {f"[HKEY_LOCAL_MACHINE\\{key}]" for key in machine_keys}
        self.assertEqual(after[1] ^ before[1], left, "HKLM\\Software changed")
        left = {f"[HKEY_CURRENT_USER\\{key}]" for key in user_keys}
        self.assertEqual(after[2] ^ before[2], left, "HKCU\\Software changed")
        # The shared prefix is tidied for the next run.
        for root, keys in (("HKLM", machine_keys), ("HKCU", user_keys)):
            if keys:
                self.run_wine("reg", "delete", f"{root}\\{keys[0]}", "/f")

    def start_uninstaller(self, path):
        """Starts an uninstaller by its Windows path, as the list of programs does."""
        process = subprocess.Popen(wine_command(path), cwd=str(self.work), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def wait_gone(self, windows_folder):
        """Waits until the uninstaller's batch file has taken the folder away."""
        folder = self.drive_c(windows_folder + "\\")
        deadline = time.time() + 60
        while time.time() < deadline and folder.exists():
            time.sleep(0.5)
        self.assertFalse(folder.exists(), sorted(file_tree(folder)))

    def start_menu(self, *parts):
        """The candidates for a path in the Start menu's Programs folder."""
        pattern = str(WINE_PREFIX / "drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
        return [Path(p).joinpath(*parts) for p in glob.glob(pattern)]

    def desktop(self, name):
        """The candidates for a file on the desktop."""
        return [Path(p) / name for p in glob.glob(str(WINE_PREFIX / "drive_c/users/*/Desktop"))]

    def driver(self, *args):
        """Runs a UI driver command; answers (exit code, the controls it printed)."""
        code, text = self.run_driver(*args)
        return code, [Control(line) for line in text.splitlines() if "|" in line]

    def answer(self, title, button, seconds=60):
        """Waits for a box or window titled title, returns its controls and presses button."""
        code, controls = self.driver("answer", title, button, seconds)
        if code != 0:
            _, windows = self.driver("list")
            self.fail(f"no window {title!r} with button {button!r}; windows: {windows}")
        return controls

    def box_text(self, controls):
        """The message of a message box: its static texts joined."""
        return "\n".join(c.text for c in controls if c.cls == "Static" and c.text)

    def wait_exit(self, process, seconds=60):
        return process.wait(timeout=seconds)
