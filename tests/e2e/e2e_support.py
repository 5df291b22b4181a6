"""Black-box test support: Windows programs run under Wine and probed from another process.

A script imports this module, defines unittest cases and ends with ``e2e_support.main()``.
CTest passes ``--exe NAME=PATH`` for deskprobe and each program the script runs (see
CMakeLists.txt here). Run inside scripts/wine-session, which exports WINEPREFIX, DISPLAY, the
loader to use (DESK_WINE) and how much longer than usual a Wine process takes to start
(DESK_WINE_START_ALLOWANCE, in seconds: 0 for 64-bit Wine, minutes for emulated 32-bit Wine).
Every step has a timeout, and ``Program.close`` ends whatever a test left running.
"""
import atexit
import os
import queue
import subprocess
import sys
import tempfile
import threading
import time
import unittest

EXES = {}
# The loader of the session: scripts/wine64 unless scripts/wine-session says otherwise (never
# /usr/bin/wine, which prefers 32-bit Wine when it is installed).
WINE = os.environ.get("DESK_WINE", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine64"))
STEP_TIMEOUT = 30  # seconds for any single probe command
# Seconds added to every wait that includes a Wine process start (a program's window coming
# up, a program ending, the probe starting). Only waits for a start grow: a step inside a
# running program keeps its own limit.
START_ALLOWANCE = float(os.environ.get("DESK_WINE_START_ALLOWANCE", "0"))


def unescape(text):
    """The bytes of a deskprobe-escaped text."""
    return text.encode("ascii").decode("unicode_escape").encode("latin-1")


class ProbeError(AssertionError):
    pass


class ProbeResult:
    def __init__(self, returncode, stdout):
        self.returncode, self.stdout = returncode, stdout


class _ProbeServer:
    """One "deskprobe serve" process, started at once and shared by every Probe of the script:
    its start overlaps whatever the script does first, and is paid once."""

    def __init__(self):
        self.process = subprocess.Popen([WINE, EXES["deskprobe"], "serve"],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, bufsize=1)
        self.lines = queue.Queue()
        self.ready = False
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\r\n"))
        self.lines.put(None)  # the probe ended

    def _line(self, deadline, what):
        try:
            line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
        except queue.Empty:
            self.stop()
            raise subprocess.TimeoutExpired(what, 0) from None
        if line is None:
            raise ProbeError("deskprobe ended (exit code %s) during %s" % (self.process.wait(), what))
        return line

    def commands(self, commands, timeout):
        """Sends the commands (each a list of arguments) at once, then reads their results:
        [(exit code, output)]."""
        if not self.ready:
            deadline = time.monotonic() + STEP_TIMEOUT + START_ALLOWANCE
            while self._line(deadline, "deskprobe start") != ".ready":
                pass
            self.ready = True
        self.process.stdin.write("".join("\t".join(c) + "\n" for c in commands))
        self.process.stdin.flush()
        deadline = time.monotonic() + timeout
        results = []
        for c in commands:
            out = []
            while True:
                line = self._line(deadline, "deskprobe " + " ".join(c))
                if line.startswith(".end "):
                    results.append((int(line[5:]), "".join(o + "\n" for o in out)))
                    break
                out.append(line)
        return results

    def stop(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.close()
                self.process.wait(timeout=STEP_TIMEOUT)
            except (OSError, subprocess.TimeoutExpired):
                self.process.kill()
                self.process.wait()


_server = None


def _probe_server():
    global _server
    if _server is None or _server.process.poll() is not None:
        _server = _ProbeServer()
    return _server


@atexit.register
def _stop_probe_server():
    if _server is not None:
        _server.stop()


class Probe:
    """deskprobe.exe: windows, messages, message boxes and the registry of the Wine session.
    All probes of a script share one probe process."""

    NOT_FOUND = 1

    def run(self, *args, timeout=STEP_TIMEOUT, ok=(0,)):
        args = [str(a) for a in args]
        [(returncode, stdout)] = _probe_server().commands([args], timeout)
        if returncode not in ok:
            raise ProbeError("deskprobe %s ended with %d" % (" ".join(args), returncode))
        return ProbeResult(returncode, stdout)

    def batch(self, *commands, timeout=STEP_TIMEOUT):
        """Runs several commands (each a sequence of arguments) in one exchange with the
        probe; any that fails fails the batch. Returns their output, joined."""
        commands = [[str(a) for a in c] for c in commands]
        results = _probe_server().commands(commands, timeout)
        for c, (returncode, _) in zip(commands, results):
            if returncode != 0:
                raise ProbeError("deskprobe %s ended with %d" % (" ".join(c), returncode))
        return "".join(stdout for _, stdout in results)

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

    def acc(self, hwnd):
        """The accessible object of a window's client area, as read from this process:
        {"role": int, "state": int, "name": str or None, "value": ..., "action": ...}."""
        out = {"name": None, "value": None, "action": None}
        for line in self.run("acc", hex(hwnd)).stdout.splitlines():
            key, _, text = line.partition(" ")
            if key in ("role", "state"):
                out[key] = int(text, 0)
            elif key in out:
                out[key] = unescape(text).decode("latin-1")
        return out

    def acc_do(self, hwnd):
        """Performs the object's default action (as a screen reader's user would)."""
        self.run("acc-do", hex(hwnd))

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


class TestDriver:
    """The test driver of the session (testdriver/, installed and started by
    scripts/wine-session): the requests it received, read from its log, and its service
    stopped and started through the probe."""

    def __init__(self, probe):
        self.probe = probe
        self.service = os.environ.get("DESK_TEST_DRIVER")
        self.log = os.environ.get("DESK_TEST_DRIVER_LOG")
        if not self.service or not self.log:
            raise AssertionError("no test driver in this session: build qorinvxd_test and run "
                                 "under scripts/wine-session")

    def lines(self):
        try:
            with open(self.log, encoding="ascii") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def loaded(self):
        marks = [line.split()[0] for line in self.lines() if line.split()[0] in ("load", "unload")]
        return bool(marks) and marks[-1] == "load"

    def wait_loaded(self, timeout, loaded=True):
        """Waits for the driver's start (it starts with the session's boot, a little after
        the session is up), or with loaded=False for its end."""
        deadline = time.monotonic() + timeout
        while self.loaded() != loaded:
            if time.monotonic() > deadline:
                raise AssertionError("the test driver did not %s within %s s; its log ends: %s"
                                     % ("load" if loaded else "unload", timeout, self.lines()[-5:]))
            time.sleep(0.2)

    def mark(self):
        """A place in the log: requests() counts from there."""
        return len(self.lines())

    def requests(self, mark):
        """The requests received since the mark: ("open",), ("close",) and
        ("control", code, in size, out size, input bytes, status)."""
        out = []
        for line in self.lines()[mark:]:
            words = line.split()
            if words[0] == "control":
                fields = dict(zip(words[2::2], words[3::2]))
                out.append(("control", int(words[1], 16), int(fields["in"]), int(fields["out"]),
                            bytes.fromhex(fields["data"]), int(fields["status"], 16)))
            elif words[0] in ("open", "close"):
                out.append((words[0],))
        return out

    def wait_requests(self, mark, count, timeout=STEP_TIMEOUT):
        """The requests since the mark, once there are at least count of them (or at the
        timeout, however many there are)."""
        deadline = time.monotonic() + timeout
        while len(self.requests(mark)) < count and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.requests(mark)

    def stop(self):
        self.probe.run("service", self.service, "stop", "--timeout", 30 + START_ALLOWANCE,
                       timeout=60 + START_ALLOWANCE)
        self.wait_loaded(STEP_TIMEOUT, loaded=False)

    def start(self):
        self.probe.run("service", self.service, "start", "--timeout", 30 + START_ALLOWANCE,
                       timeout=60 + START_ALLOWANCE)
        self.wait_loaded(STEP_TIMEOUT)


def set_windows_version(probe, exe, version):
    """The Windows version Wine shows one program (its file name) from its next start:
    "win98" for Windows 98's personality, None for the prefix's own (Windows NT's)."""
    key = "HKCU\\Software\\Wine\\AppDefaults\\" + exe
    if version is None:
        probe.run("reg-delete", key, ok=(0, Probe.NOT_FOUND))
    else:
        probe.run("reg-set", key, "Version", "sz:" + version)


_programs = []


class Program:
    """A Windows program started under Wine. Use as a context manager or call close(); any
    still running when the script ends is ended then (it would hold CTest's output pipe).

    Wine's messages for the program go to a file of its own, by default its errors only
    (WINEDEBUG "-all,err+all"; DESK_E2E_WINEDEBUG sets other channels for the programs under
    test alone), and a failing step shows them with what else it saw (describe)."""

    def __init__(self, exe, *args):
        self.name = os.path.basename(EXES[exe])
        self.output = tempfile.TemporaryFile()
        env = dict(os.environ, WINEDEBUG=os.environ.get("DESK_E2E_WINEDEBUG", "-all,err+all"))
        self.process = subprocess.Popen([WINE, EXES[exe], *args], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=self.output, env=env)
        _programs.append(self)

    def describe(self, probe=None, lines=20):
        """What a failing step saw of the program: its exit code or that it still runs, its
        top-level windows, and the last lines of its Wine output."""
        rc = self.process.poll()
        seen = ["%s: %s" % (self.name, "still running" if rc is None else "ended with exit code %d" % rc)]
        if probe is not None:
            try:
                r = probe.run("windows", self.name, ok=(0, Probe.NOT_FOUND))
                seen.append("its top-level windows: " + (r.stdout.strip().replace("\n", "; ")
                                                         if r.returncode == 0 else "none"))
            except (ProbeError, subprocess.TimeoutExpired) as e:
                seen.append("its windows could not be listed: %s" % e)
        self.output.seek(0)
        tail = self.output.read().decode("latin-1").splitlines()[-lines:]
        seen.append("its Wine output, last %d lines:%s" % (len(tail), "".join("\n  " + t for t in tail)
                                                           if tail else " none"))
        return "\n".join(seen)

    def wait(self, timeout, probe=None):
        """The exit code; fails the test if the program is still running after timeout."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("program still running after %s s\n%s"
                                 % (timeout, self.describe(probe))) from None

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


@atexit.register
def _close_programs():
    for program in _programs:
        try:
            program.close()
        except (OSError, subprocess.TimeoutExpired):
            pass


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
    _probe_server()  # starts now, beside the script's first steps; its first command waits
    unittest.main(argv=rest)
