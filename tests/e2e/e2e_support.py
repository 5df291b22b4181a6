"""Black-box test support: Windows programs run under Wine and probed from another process.

A script imports this module, defines unittest cases and ends with ``e2e_support.main()``.
CTest passes ``--exe NAME=PATH`` for deskprobe and each program the script runs (see
CMakeLists.txt here). Run inside scripts/wine-session, which exports WINEPREFIX and DISPLAY.
Every step has a timeout, and ``Program.close`` ends whatever a test left running.
"""
import os
import subprocess
import sys
import unittest

EXES = {}
# The 64-bit loader (scripts/wine-session exports it), never /usr/bin/wine.
WINE = os.environ.get("DESK_WINE", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine64"))
STEP_TIMEOUT = 30  # seconds for any single probe run


def unescape(text):
    """The bytes of a deskprobe-escaped text."""
    return text.encode("ascii").decode("unicode_escape").encode("latin-1")


class ProbeError(AssertionError):
    pass


class Probe:
    """deskprobe.exe: windows, messages, message boxes and the registry of the Wine session."""

    NOT_FOUND = 1

    def run(self, *args, stdin=None, timeout=STEP_TIMEOUT, ok=(0,)):
        result = subprocess.run([WINE, EXES["deskprobe"], *args], input=stdin,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                timeout=timeout, text=True)
        if result.returncode not in ok:
            raise ProbeError("deskprobe %s ended with %d: %s" % (
                " ".join(args), result.returncode, result.stderr.strip()))
        return result

    def batch(self, *commands, timeout=STEP_TIMEOUT):
        """Runs several commands (each a sequence of arguments) in one probe process."""
        lines = "".join("\t".join(str(a) for a in c) + "\n" for c in commands)
        return self.run("batch", stdin=lines, timeout=timeout).stdout

    def find_window(self, cls, title=None, child=None, timeout=0):
        """Handle of a top-level window (or of its descendant with control id child), or None."""
        args = ["find-window", cls or "-", "--timeout", str(timeout)]
        if title is not None:
            args += ["--title", title]
        if child is not None:
            args += ["--child", str(child)]
        r = self.run(*args, timeout=timeout + STEP_TIMEOUT, ok=(0, self.NOT_FOUND))
        return int(r.stdout, 16) if r.returncode == 0 else None

    def send(self, hwnd, msg, wparam=0, lparam=0):
        return int(self.run("send", hex(hwnd), hex(msg), str(wparam), str(lparam)).stdout)

    def post(self, hwnd, msg, wparam=0, lparam=0):
        self.run("send", hex(hwnd), hex(msg), str(wparam), str(lparam), "--post")

    def rect(self, hwnd):
        """{"window": (left, top, right, bottom), "client": (x, y, width, height)} in screen
        coordinates."""
        out = {}
        for line in self.run("rect", hex(hwnd)).stdout.splitlines():
            name, *values = line.split()
            out[name] = tuple(int(v) for v in values)
        return out

    def box_text(self, caption, timeout=20, keep=False):
        """(caption, text) as bytes of the message box with that caption, which is then
        dismissed with OK unless keep; None when no such box came up within the timeout."""
        args = ["box-text", caption, "--timeout", str(timeout)] + (["--keep"] if keep else [])
        r = self.run(*args, timeout=timeout + STEP_TIMEOUT, ok=(0, self.NOT_FOUND))
        if r.returncode != 0:
            return None
        fields = dict(line.split(" ", 1) for line in r.stdout.splitlines())
        return unescape(fields["caption"]), unescape(fields["text"])

    def kill_owner(self, cls, title=None):
        """Ends the process owning the window, if there is one."""
        args = ["kill-owner", cls or "-"] + (["--title", title] if title is not None else [])
        self.run(*args, ok=(0, self.NOT_FOUND))

    def reg_dump(self, key):
        """The key's tree as lines, in enumeration order; ["missing"] when there is none."""
        return self.run("reg-dump", key).stdout.splitlines()


class Program:
    """A Windows program started under Wine. Use as a context manager or call close()."""

    def __init__(self, exe, *args):
        self.process = subprocess.Popen([WINE, EXES[exe], *args], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL)

    def wait(self, timeout):
        """The exit code; fails the test if the program is still running after timeout."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("program still running after %s s" % timeout) from None

    def close(self, probe=None, windows=()):
        """Ends the program if it still runs: first the owners of the given (class, title)
        windows (a message box, say), then the process itself."""
        if self.process.poll() is not None:
            return
        for cls, title in windows:
            try:
                probe.kill_owner(cls, title)
            except (ProbeError, subprocess.TimeoutExpired):
                pass
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=STEP_TIMEOUT)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def main():
    """Takes the --exe NAME=PATH arguments, then runs the script's unittest cases."""
    rest = [sys.argv[0]]
    args = iter(sys.argv[1:])
    for a in args:
        if a == "--exe":
            name, path = next(args).split("=", 1)
            EXES[name] = path
        else:
            rest.append(a)
    if "deskprobe" not in EXES:
        sys.exit("e2e: no --exe deskprobe=PATH given")
    if not os.environ.get("WINEPREFIX"):
        sys.exit("e2e: no WINEPREFIX: run under scripts/wine-session")
    unittest.main(argv=rest)
