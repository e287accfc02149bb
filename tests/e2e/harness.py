"""What the end-to-end tests share: packing fixtures with setuppack, starting
Windows programs under Wine and talking to their windows through the UI
driver. ctest sets the environment (see CMakeLists.txt)."""

import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

SETUPPACK = os.environ.get("SETUPPACK", "")
SETUP_STUB = os.environ.get("SETUP_STUB", "")
UIDRIVER = os.environ.get("UIDRIVER", "")
ENGINE_HOST = os.environ.get("ENGINE_HOST", "")
WINE_PREFIX = Path(os.environ.get("SETUP_WINEPREFIX") or os.environ.get("WINE_PREFIX", "/nonexistent"))
WINE_RUN = os.environ.get("WINE_RUN", "")
WINE_ARCH = os.environ.get("WINE_ARCH", "")
WORK = Path(os.environ.get("E2E_WORK", tempfile.gettempdir()))


def wine_command(*args):
    return [WINE_RUN, WINE_ARCH, *map(str, args)]


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

    def tearDown(self):
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

    # -- Wine -----------------------------------------------------------------
    def start(self, exe):
        process = subprocess.Popen(wine_command(exe), cwd=str(Path(exe).parent),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

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

    def driver(self, *args, timeout=120):
        # Its output comes through a file, not a pipe: a Wine server that this
        # call happens to start inherits the pipe and would hold it open as
        # long as the program under test runs, which waits for this very call.
        with tempfile.TemporaryFile() as output:
            result = subprocess.run(wine_command(UIDRIVER, *args), stdout=output, stderr=subprocess.DEVNULL,
                                    timeout=timeout)
            output.seek(0)
            text = output.read().decode("utf-8", errors="replace")
        return result.returncode, [Control(line) for line in text.splitlines() if "|" in line]

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
