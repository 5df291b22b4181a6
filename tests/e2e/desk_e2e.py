#!/usr/bin/env python3
"""The running desk, black-box: smptedesk-sim.exe under Wine, its START and rate toggles
clicked with the real pointer (xdotool), its spinners and toggles read from another process.
Also the real smptedesk.exe under Windows 98's personality against the test driver behind
its device name (testdriver/), whose log shows every open, command record and close the desk
sent; and the real desk's silent end where it reaches no device."""
import os
import struct
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402
from e2e_support import START_ALLOWANCE, Probe, Program, TestDriver, set_windows_version  # noqa: E402

SBM_SETPOS = 0xE0
SBM_GETPOS = 0xE1
BM_GETCHECK = 0xF0
BM_SETCHECK = 0xF1
WM_CLOSE = 0x10
SPINNERS = (0x880, 0x881, 0x882, 0x883)  # hours, minutes, seconds, frames
START = 0x860
RATES = (0x870, 0x871, 0x872, 0x873, 0x874)
# Client-area centres of the controls (the panel stands at the background's coordinates).
START_AT = (269 + 22, 25 + 15)
RATE_AT = [(x + 20, 71 + 10) for x in (37, 82, 127, 172, 217)]
TOLERANCE = 8  # frames: probe round trips under Wine take a few tenths of a second
SETTLE = 5  # seconds a click may take to show in the desk's toggles
CHILD_TIMEOUT = 30  # seconds the desk's controls may take to appear after its window
IOCTL_GENERATOR_COMMAND = 0x222004
OPEN, CLOSE = ("open",), ("close",)


def command(*fields):
    """A control request as the test driver logs it: the generator command's code, the
    28-byte record in and out, the record's seven fields, accepted."""
    return ("control", IOCTL_GENERATOR_COMMAND, 28, 28, struct.pack("<iIIIIIi", *fields), 0)


class Desk(unittest.TestCase):
    """A desk started for each test, its controls found, and the pointer and the spinners to
    drive and read it."""
    probe = Probe()
    exe = None

    def setUp(self):
        self.desk = Program(self.exe)
        self.addCleanup(self.desk.close)  # also when setUp fails
        self.window = self.probe.find_window("QORINPAN", timeout=30 + START_ALLOWANCE)
        self.assertIsNotNone(self.window, "the desk window did not appear\n"
                             + self.desk.describe(self.probe))
        # The window exists before all its controls do (seen under emulated 32-bit Wine).
        handles = self.probe.batch(*[("find-window", "QORINPAN", "--child", hex(i),
                                      "--timeout", CHILD_TIMEOUT)
                                     for i in SPINNERS + (START,) + RATES],
                                   timeout=CHILD_TIMEOUT + 30).split()
        ids = SPINNERS + (START,) + RATES
        self.child = {i: int(h, 16) for i, h in zip(ids, handles)}
        self.origin = self.probe.rect(self.window)["client"][:2]

    def click(self, at, button=1):
        x, y = self.origin[0] + at[0], self.origin[1] + at[1]
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", str(button)], check=True,
                       timeout=10)
        time.sleep(0.3)

    def sample(self):
        """(wall time, the shown time as (h, m, s, f)) read in one probe run."""
        before = time.monotonic()
        out = self.probe.batch(*[("send", hex(self.child[i]), hex(SBM_GETPOS))
                                 for i in SPINNERS]).split()
        return (before + time.monotonic()) / 2, tuple(int(v) for v in out)

    def checked(self, control_id):
        return self.probe.send(self.child[control_id], BM_GETCHECK)

    def assertChecked(self, ids, expected):
        """The toggles' states become `expected` once the desk has taken the click in (at
        once on a fast machine, within SETTLE seconds on any)."""
        deadline = time.monotonic() + SETTLE
        while True:
            states = [self.checked(i) for i in ids]
            if states == expected or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        self.assertEqual(states, expected)

    @staticmethod
    def frames(t, fps):
        h, m, s, f = t
        return ((h * 60 + m) * 60 + s) * fps + f

    def assertRunsAt(self, fps, nominal, seconds=3.0):
        t0, a = self.sample()
        time.sleep(seconds)
        t1, b = self.sample()
        advanced = self.frames(b, fps) - self.frames(a, fps)
        expected = (t1 - t0) * nominal
        self.assertLess(abs(advanced - expected), TOLERANCE,
                        "shown %s then %s: %d frames in %.2f s, expected about %.0f"
                        % (a, b, advanced, t1 - t0, expected))
        return b


class RunningDesk(Desk):
    exe = "smptedesk-sim"

    def test_start_rate_change_and_stop(self):
        _, shown = self.sample()
        self.assertEqual(shown, (0, 0, 0, 0))
        self.assertEqual([self.checked(i) for i in RATES], [0, 0, 0, 0, 1])
        self.assertEqual(self.checked(START), 0)

        self.click(START_AT)
        self.assertChecked([START], [1])
        last = self.assertRunsAt(30, 30)

        # A rate change while running restarts from the shown time at the new rate.
        self.click(RATE_AT[1])
        self.assertChecked(RATES, [0, 1, 0, 0, 0])
        _, restarted = self.sample()
        self.assertGreaterEqual(self.frames(restarted, 30), self.frames(last, 30),
                                "the restart went back in time: %s after %s" % (restarted, last))
        self.assertLess(restarted[3], 25, "25 fps frames run 00..24")
        self.assertRunsAt(25, 25)

        # START again stops the code: the shown time stands still.
        self.click(START_AT)
        self.assertChecked([START], [0])
        time.sleep(0.3)
        _, a = self.sample()
        time.sleep(1.5)
        _, b = self.sample()
        self.assertEqual(a, b)
        self.assertEqual(self.checked(START), 0, "no time code arrives after the stop")

        self.probe.post(self.window, WM_CLOSE)
        self.assertEqual(self.desk.wait(20 + START_ALLOWANCE, self.probe), 0)


class RealDeskAndDriver(Desk):
    """smptedesk.exe under Windows 98's personality, against the test driver."""
    exe = "smptedesk"

    @classmethod
    def setUpClass(cls):
        cls.driver = TestDriver(cls.probe)
        cls.driver.wait_loaded(30 + START_ALLOWANCE)
        set_windows_version(cls.probe, "smptedesk.exe", "win98")
        cls.mark = cls.driver.mark()  # before the desk's start

    def setUp(self):
        super().setUp()
        self.window32 = self.window & 0xFFFFFFFF  # the record's window field

    def sent(self, mark, count, what):
        """The requests since the mark, which must be `count` of them; waits for them to
        arrive, then a little longer for any more."""
        got = self.driver.wait_requests(mark, count)
        time.sleep(0.5)
        got = self.driver.requests(mark)
        self.assertEqual(len(got), count, "%s: the driver received %s" % (what, got))
        return got

    def test_commands_reach_the_driver(self):
        self.assertEqual(self.sent(self.mark, 2, "the presence test"), [OPEN, CLOSE])

        mark = self.driver.mark()
        self.click(RATE_AT[1])
        self.assertChecked(RATES, [0, 1, 0, 0, 0])
        self.sent(mark, 0, "a rate key while stopped")

        for control_id, value in zip(SPINNERS, (1, 2, 3, 4)):
            self.probe.send(self.child[control_id], SBM_SETPOS, value)
        mark = self.driver.mark()
        started = time.monotonic()
        self.click(START_AT)
        self.assertEqual(self.sent(mark, 3, "START"),
                         [OPEN, command(1, self.window32, 1, 2, 3, 4, 1), CLOSE])
        at, shown = self.sample()
        ran = self.frames(shown, 25) - self.frames((1, 2, 3, 4), 25)
        self.assertLess(abs(ran - (at - started) * 25), TOLERANCE,
                        "%.2f s after START at 01:02:03:04 the desk shows %s" % (at - started, shown))
        before = self.assertRunsAt(25, 25)

        # A rate key while running restarts from the time the spinners show, at its rate.
        mark = self.driver.mark()
        self.click(RATE_AT[4])
        _, after = self.sample()
        [_, restart, _] = self.sent(mark, 3, "a rate key while running")
        fields = struct.unpack("<iIIIIIi", restart[4])
        self.assertEqual(fields[:2] + fields[6:], (1, self.window32, 4))
        self.assertLessEqual(self.frames(before, 30), self.frames(fields[2:6], 30))
        self.assertLessEqual(self.frames(fields[2:6], 30), self.frames(after, 30))
        self.assertRunsAt(30, 30)

        # STOP: a record of zeros, and the time stands still.
        mark = self.driver.mark()
        self.click(START_AT)
        self.assertEqual(self.sent(mark, 3, "STOP"), [OPEN, command(0, 0, 0, 0, 0, 0, 0), CLOSE])
        _, a = self.sample()
        time.sleep(1.5)
        _, b = self.sample()
        self.assertEqual(a, b)

        # A right-button release on START repeats the command of its state: another stop ...
        # (Quarter frames the desk had not yet taken in when it stopped the driver may still
        # check the toggle, as the decoder does when the code keeps coming: the state is made
        # plain first.)
        self.probe.send(self.child[START], BM_SETCHECK, 0)
        mark = self.driver.mark()
        self.click(START_AT, button=3)
        self.assertEqual(self.sent(mark, 3, "a right click while stopped"),
                         [OPEN, command(0, 0, 0, 0, 0, 0, 0), CLOSE])
        self.assertEqual(self.checked(START), 0)
        # ... or, while running, a restart from the time shown.
        self.click(START_AT)
        self.assertChecked([START], [1])
        mark = self.driver.mark()
        self.click(START_AT, button=3)
        [_, restart, _] = self.sent(mark, 3, "a right click while running")
        fields = struct.unpack("<iIIIIIi", restart[4])
        self.assertEqual(fields[:2] + fields[6:], (1, self.window32, 4))
        self.assertGreater(self.frames(fields[2:6], 30), self.frames(b, 30))
        self.assertEqual(self.checked(START), 1)

        # Closing the running desk sends nothing.
        mark = self.driver.mark()
        self.probe.post(self.window, WM_CLOSE)
        self.assertEqual(self.desk.wait(20 + START_ALLOWANCE, self.probe), 0)
        self.sent(mark, 0, "closing the running desk")
        # For the record: what the driver received, and the times the desk showed.
        sys.stderr.write("the test driver's log of this desk:\n%s\nshown %.2f s after START at "
                         "01:02:03:04, 25 fps: %s; before the 30 fps key: %s; after it: %s; at "
                         "STOP: %s\n" % ("\n".join(self.driver.lines()[self.mark:]),
                                          at - started, shown, before, after, a))


class RealDeskWithoutDevice(unittest.TestCase):
    """Where the desk's name reaches no device, smptedesk.exe ends at once, silently, with
    exit code 0."""
    probe = Probe()

    @classmethod
    def setUpClass(cls):
        cls.driver = TestDriver(cls.probe)
        cls.driver.wait_loaded(30 + START_ALLOWANCE)

    def assertEndsSilently(self, *args):
        mark = self.driver.mark()
        started = time.monotonic()
        with Program("smptedesk", *args) as desk:
            self.assertEqual(desk.wait(20 + START_ALLOWANCE, self.probe), 0)
        self.assertLess(time.monotonic() - started, 10 + START_ALLOWANCE)
        self.assertIsNone(self.probe.find_window("QORINPAN"))
        self.assertEqual(self.driver.requests(mark), [])

    def test_under_windows_nt_with_the_driver_running(self):
        set_windows_version(self.probe, "smptedesk.exe", None)
        self.addCleanup(set_windows_version, self.probe, "smptedesk.exe", "win98")
        self.assertEndsSilently()

    def test_with_an_argument_the_report_runs_instead(self):
        """The start-up hands WinMain what follows the program's name: any argument at all
        (one character here) runs the error log report, which with no log shows nothing."""
        set_windows_version(self.probe, "smptedesk.exe", "win98")
        self.probe.run("reg-delete", r"HKLM\System\CurrentControlSet\Control\MediaResources\Qorin\VxdLog")
        self.assertEndsSilently("x")

    def test_under_windows_98_with_the_driver_stopped(self):
        set_windows_version(self.probe, "smptedesk.exe", "win98")
        self.driver.stop()
        # Under emulation nothing after this case needs the driver, and its start would cost
        # minutes: it is started again only where that is cheap.
        if not START_ALLOWANCE:
            self.addCleanup(self.driver.start)
        self.assertEndsSilently()


if __name__ == "__main__":
    e2e_support.main()
