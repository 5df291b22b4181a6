#!/usr/bin/env python3
"""The running desk, black-box: smptedesk-sim.exe under Wine, its START and rate toggles
clicked with the real pointer (xdotool), its spinners and toggles read from another process.
Also the real smptedesk.exe, which without the interface's driver ends at once, silently."""
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402
from e2e_support import START_ALLOWANCE, Probe, Program  # noqa: E402

SBM_GETPOS = 0xE1
BM_GETCHECK = 0xF0
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


class RunningDesk(unittest.TestCase):
    probe = Probe()

    def setUp(self):
        self.desk = Program("smptedesk-sim")
        self.addCleanup(self.desk.close)  # also when setUp fails
        self.window = self.probe.find_window("QORINPAN", timeout=30 + START_ALLOWANCE)
        self.assertIsNotNone(self.window, "the desk window did not appear")
        # The window exists before all its controls do (seen under emulated 32-bit Wine).
        handles = self.probe.batch(*[("find-window", "QORINPAN", "--child", hex(i),
                                      "--timeout", CHILD_TIMEOUT)
                                     for i in SPINNERS + (START,) + RATES],
                                   timeout=CHILD_TIMEOUT + 30).split()
        ids = SPINNERS + (START,) + RATES
        self.child = {i: int(h, 16) for i, h in zip(ids, handles)}
        self.origin = self.probe.rect(self.window)["client"][:2]

    def click(self, at):
        x, y = self.origin[0] + at[0], self.origin[1] + at[1]
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True,
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
        self.assertEqual(self.desk.wait(20 + START_ALLOWANCE), 0)


class RealDeskWithoutDriver(unittest.TestCase):
    def test_ends_at_once_silently_with_code_0(self):
        started = time.monotonic()
        with Program("smptedesk") as desk:
            self.assertEqual(desk.wait(20 + START_ALLOWANCE), 0)
        self.assertLess(time.monotonic() - started, 10 + START_ALLOWANCE)
        self.assertIsNone(Probe().find_window("QORINPAN"))


class DeskWithAnArgument(unittest.TestCase):
    """The start-up hands WinMain what follows the program's name: any argument at all runs
    the error log report, which with no log shows nothing and ends."""

    def test_a_single_character_runs_the_report_instead_of_the_desk(self):
        probe = Probe()
        probe.run("reg-delete", r"HKLM\System\CurrentControlSet\Control\MediaResources\Qorin\VxdLog")
        with Program("smptedesk-sim", "x") as desk:
            self.assertEqual(desk.wait(20 + START_ALLOWANCE), 0)
        self.assertIsNone(probe.find_window("QORINPAN"))


if __name__ == "__main__":
    e2e_support.main()
