"""Driving a running setup wizard under Wine by the names of its controls, as a
user would: reading pages, clicking, typing, pressing keys, answering boxes
and taking screenshots. Shared by the end-to-end tests and the wizard walk.

The names and ids come from the program's own layout table (layout_dump.exe);
everything on the screen is read through the UI driver (uidriver.exe)."""

import os
import queue
import subprocess
import tempfile
import threading
import time

WIZARD = "@TMainForm"
PAGES = ["Welcome", "License", "BundleItems", "VstPlugins", "DigiPlugins", "PhotoshopPlugin", "Dest",
         "Personalize", "Icon", "Copy", "Ready"]


class Row:
    """One row of the layout table."""

    def __init__(self, line):
        self.name, ident, page, self.kind, rect = line.split("|")
        self.id, self.page = int(ident), int(page)
        self.rect = tuple(int(v) for v in rect.split(","))


class Control:
    """A control as the UI driver sees it now."""

    def __init__(self, line):
        ident, self.cls, state, rect, self.text = line.split("|", 4)
        self.id = int(ident)
        self.text = self.text.replace("\\r", "\r").replace("\\n", "\n")
        self.visible, self.enabled = "v" in state, "e" in state
        self.checked, self.focused, self.default = "c" in state, "f" in state, "d" in state
        self.rect = tuple(int(v) for v in rect.split(","))

    def __repr__(self):
        return f"{self.cls}#{self.id}:{self.text!r}"


class WizardError(AssertionError):
    pass


class Wizard:
    """The wizard window of one running setup.

    run(program, *args) runs a Windows program to its end and answers
    (exit code, output); uidriver and layout_dump are the programs' paths."""

    def __init__(self, run, uidriver, layout_dump):
        self._run, self._uidriver = run, uidriver
        code, output = run(layout_dump)
        if code != 0:
            raise WizardError(f"layout_dump failed: {output}")
        rows = [Row(line) for line in output.splitlines() if line.count("|") == 4]
        self.rows = {row.name: row for row in rows if row.name != "Form"}
        self.client = next(row.rect for row in rows if row.name == "Form")
        self.bundle_base = max(row.id for row in self.rows.values()) + 1
        self.headings = {}
        for row in rows:
            if 0 <= row.page < len(PAGES) and row.page not in self.headings:
                self.headings[row.page] = row.name
        self.names = {row.id: name for name, row in self.rows.items()}

    # -- the UI driver ------------------------------------------------------
    def driver(self, *args):
        code, output = self._run(self._uidriver, *args)
        return code, output

    def ids(self, name):
        return self.rows[name].id

    def bundle_check(self, index):
        return self.bundle_base + index

    def _id(self, control):
        return control if isinstance(control, int) else self.ids(control)

    # -- looking ------------------------------------------------------------
    def wait(self, seconds=60):
        code, _ = self.driver("wait", WIZARD, seconds)
        if code != 0:
            raise WizardError("the wizard did not appear")

    def controls(self):
        code, output = self.driver("controls", WIZARD)
        if code != 0:
            raise WizardError("the wizard is gone")
        return {c.id: c for c in (Control(line) for line in output.splitlines() if line.count("|") >= 4)}

    def control(self, control):
        return self.controls()[self._id(control)]

    def name_of(self, ident):
        """The layout name of a control id; BundleItemN for the bundle's boxes."""
        if ident in self.names:
            return self.names[ident]
        return f"BundleItem{ident - self.bundle_base}" if ident >= self.bundle_base else str(ident)

    def named(self, controls=None):
        """The controls by their names (see name_of)."""
        controls = controls or self.controls()
        return {self.name_of(ident): control for ident, control in controls.items()}

    def focused(self, controls=None):
        """The name of the control that has the focus; None when none has.
        controls by id or by name (see named) may be given."""
        controls = controls or self.controls()
        return next((self.name_of(c.id) for c in controls.values() if c.focused), None)

    def wait_for(self, condition, what, seconds=30):
        """Waits until condition(controls by name) holds and answers those
        controls; what names the awaited state in the error."""
        deadline = time.time() + seconds
        while True:
            try:
                named = self.named()
                if condition(named):
                    return named
            except WizardError:
                named = None
            if time.time() > deadline:
                raise WizardError(f"waited in vain for {what}; controls: {named}")
            time.sleep(0.2)

    def title(self):
        code, output = self.driver("list")
        for line in output.splitlines():
            cls, _, text = line.partition("|")
            if cls == "TMainForm":
                return text
        raise WizardError("the wizard is gone")

    def page(self, controls=None):
        """The page shown; controls by id or by name (see named) may be given."""
        controls = controls or self.controls()
        if controls and isinstance(next(iter(controls)), str):
            controls = {control.id: control for control in controls.values()}
        shown = [page for page, heading in self.headings.items() if controls[self.ids(heading)].visible]
        if len(shown) != 1:
            raise WizardError(f"no single page is shown: {shown}")
        return PAGES[shown[0]]

    def wait_page(self, name, seconds=60):
        deadline = time.time() + seconds
        while True:
            try:
                if self.page() == name:
                    return
            except WizardError:
                pass
            if time.time() > deadline:
                raise WizardError(f"the page {name} did not come")
            time.sleep(0.2)

    def exists(self):
        code, _ = self.driver("wait", WIZARD, 0)
        return code == 0

    def wait_gone(self, seconds=60):
        """Waits until the wizard window has gone."""
        if self.driver("wait-gone", WIZARD, seconds)[0] != 0:
            raise WizardError("the wizard is still there")

    def box_shown(self, title):
        """Whether a box or window of that title is on the screen now."""
        return self.driver("wait", title, 0)[0] == 0

    def wait_box(self, title, seconds=30):
        """Waits for a box or window of that title."""
        if self.driver("wait", title, seconds)[0] != 0:
            raise WizardError(f"no box {title!r}")

    def wait_box_gone(self, title, seconds=30):
        if self.driver("wait-gone", title, seconds)[0] != 0:
            raise WizardError(f"the box {title!r} is still there")

    def icon(self, title):
        """The kind of icon a box shows: stop, warning, question, information or none."""
        code, output = self.driver("icon", title)
        if code != 0:
            raise WizardError(f"no box {title!r}")
        return output.split()[0] if output.split() else "none"

    # -- acting -------------------------------------------------------------
    def click(self, control):
        if self.driver("click-id", WIZARD, self._id(control))[0] != 0:
            raise WizardError(f"cannot click {control}")

    def type(self, control, text):
        if self.driver("type-id", WIZARD, self._id(control), text)[0] != 0:
            raise WizardError(f"cannot type into {control}")

    def keys(self, *keys):
        if self.driver("keys", WIZARD, *keys)[0] != 0:
            raise WizardError(f"cannot press {keys}")

    def close(self):
        if self.driver("close", WIZARD)[0] != 0:
            raise WizardError("cannot close the wizard")

    def next(self, expect=None):
        """Next, and the page it leads to when one is expected."""
        self.click("NextButton")
        if expect:
            self.wait_page(expect)

    def answer(self, title, button, seconds=30):
        """Waits for a message box, presses button and answers its text."""
        code, output = self.driver("answer", title, button, seconds)
        if code != 0:
            raise WizardError(f"no box {title!r} with {button!r}")
        texts = [line.split("|", 2)[2] for line in output.splitlines() if line.startswith("Static|")]
        return "\n".join(t for t in texts if t).replace("\\r", "\r").replace("\\n", "\n")

    def screenshot(self, path, settle=0.5, window=WIZARD):
        """The window (the wizard, or another by its title) as it is on the
        screen, frame included, with whatever lies over it."""
        time.sleep(settle)
        code, output = self.driver("rect", window)
        if code != 0:
            raise WizardError(f"no window {window}")
        left, top, width, height = (int(v) for v in output.split()[0].split(","))
        subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "+repage",
                        str(path)], check=True)


class DriverSession:
    """One UI driver that runs on and takes command after command: starting
    a Windows program under Wine takes longer than most commands do."""

    def __init__(self, command_prefix, uidriver):
        # Started once a Wine server runs, which must not inherit our pipes.
        subprocess.run([*command_prefix, str(uidriver), "list"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)
        self.process = subprocess.Popen([*command_prefix, str(uidriver), "session"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        env=dict(os.environ, SETUP_WINE_STREAM="1"))
        self.lines = queue.Queue()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.decode("utf-8", errors="replace").rstrip("\r\n"))
        self.lines.put(None)

    def run(self, *args, timeout=180):
        """Runs one command; answers (exit code, output) as the program would."""
        words = [str(a) for a in args]
        assert not any("\t" in w or "\n" in w for w in words), words
        self.process.stdin.write(("\t".join(words) + "\n").encode("utf-8"))
        self.process.stdin.flush()
        output, deadline = [], time.time() + timeout
        while True:
            try:
                line = self.lines.get(timeout=max(0.1, deadline - time.time()))
            except queue.Empty:
                self.process.kill()
                self.close()
                raise WizardError(f"the UI driver did not answer {words}")
            if line is None:
                raise WizardError(f"the UI driver ended during {words}")
            if line.startswith("@@end "):
                return int(line.split()[1]), "\n".join(output) + ("\n" if output else "")
            output.append(line)

    def close(self):
        if self.process.poll() is None:
            self.process.stdin.close()
            try:
                self.process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        # A program that the session started (Wine's desktop, say) may hold
        # the pipe open after it: then the reader is left to end with it.
        self.reader.join(timeout=10)
        if not self.reader.is_alive():
            self.process.stdout.close()


def run_with(command_prefix, encoding="utf-8"):
    """A run function for Wizard over a command prefix such as
    [scripts/wine-run.sh, win64]. Output goes through a file: a Wine server
    started by the call would hold a pipe open for as long as it lives."""

    def run(program, *args):
        with tempfile.TemporaryFile() as output:
            result = subprocess.run([*command_prefix, str(program), *map(str, args)], stdout=output,
                                    stderr=subprocess.DEVNULL, timeout=180)
            output.seek(0)
            return result.returncode, output.read().decode(encoding, errors="replace")

    return run


def run_with_session(command_prefix, uidriver):
    """A run function for Wizard that sends the UI driver's commands to one
    DriverSession, made on first use, and runs any other program by itself.
    Its attribute close ends the session."""
    plain = run_with(command_prefix)
    session = []

    def run(program, *args):
        if str(program) != str(uidriver):
            return plain(program, *args)
        if not session:
            session.append(DriverSession(command_prefix, uidriver))
        return session[0].run(*args)

    def close():
        if session:
            session.pop().close()

    run.close = close
    return run
