#!/usr/bin/env python3
"""The running desk and gallery as a screen reader sees them: every control's accessible
object read from another process (role, name, value, state), and the desk's generator
started, switched to another rate and stopped through default actions alone. Also the desk
with oleacc.dll hidden: its controls are plain client areas again and it runs as before."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desk_e2e  # noqa: E402  (a module, so that its cases are not run twice)
import e2e_support  # noqa: E402
from e2e_support import START_ALLOWANCE, Probe, Program  # noqa: E402

ROLE_CLIENT = 0x0A
ROLE_CHECKBUTTON = 0x2C
ROLE_SPINBUTTON = 0x34
STATE_CHECKED = 0x10
SPINNER_NAMES = ("Hours", "Minutes", "Seconds", "Frames")
RATE_NAMES = ("24 frames per second", "25 frames per second", "29.97 frames per second",
              "30 frames per second drop-frame", "30 frames per second")


class AccessibleDesk(desk_e2e.RunningDesk):
    """The desk through its accessible objects alone (no pointer, no control messages to
    drive it; SBM_GETPOS and BM_GETCHECK only to compare with what the objects say)."""

    def read(self):
        return {i: self.probe.acc(self.child[i]) for i in self.child}

    def assertSpinnersShowTheTime(self):
        objects = self.read()
        shown = [self.probe.send(self.child[i], desk_e2e.SBM_GETPOS) for i in desk_e2e.SPINNERS]
        self.assertEqual([objects[i]["value"] for i in desk_e2e.SPINNERS], ["%02d" % v for v in shown])

    def test_reads_every_control_and_drives_the_generator_by_default_actions(self):
        objects = self.read()
        for i, name in zip(desk_e2e.SPINNERS, SPINNER_NAMES):
            self.assertEqual((objects[i]["role"], objects[i]["name"], objects[i]["value"]),
                             (ROLE_SPINBUTTON, name, "00"))
        for i, name in zip((desk_e2e.START,) + desk_e2e.RATES, ("Start",) + RATE_NAMES):
            self.assertEqual((objects[i]["role"], objects[i]["name"]), (ROLE_CHECKBUTTON, name))
        self.assertEqual([bool(objects[i]["state"] & STATE_CHECKED) for i in desk_e2e.RATES],
                         [False, False, False, False, True])
        self.assertEqual(objects[desk_e2e.START]["action"], "Check")

        self.probe.acc_do(self.child[desk_e2e.START])
        self.assertChecked([desk_e2e.START], [1])
        self.assertTrue(self.probe.acc(self.child[desk_e2e.START])["state"] & STATE_CHECKED)
        self.assertRunsAt(30, 30, seconds=2.0)

        self.probe.acc_do(self.child[desk_e2e.RATES[1]])
        self.assertChecked(desk_e2e.RATES, [0, 1, 0, 0, 0])
        self.assertRunsAt(25, 25, seconds=2.0)

        self.probe.acc_do(self.child[desk_e2e.START])
        self.assertChecked([desk_e2e.START], [0])
        time.sleep(0.5)
        _, a = self.sample()
        self.assertNotEqual(a, (0, 0, 0, 0), "the generator ran")
        self.assertSpinnersShowTheTime()
        time.sleep(1.0)
        _, b = self.sample()
        self.assertEqual(a, b, "the generator stopped")

    # The parent's pointer-driven case is not repeated here.
    test_start_rate_change_and_stop = None


class DeskWithoutOleacc(desk_e2e.RunningDesk):
    """oleacc.dll hidden from the desk (not from the probe): the desk's case runs as before."""

    def setUp(self):
        before = os.environ.get("WINEDLLOVERRIDES")
        os.environ["WINEDLLOVERRIDES"] = (before + ";" if before else "") + "oleacc=d"
        try:
            super().setUp()
        finally:
            if before is None:
                del os.environ["WINEDLLOVERRIDES"]
            else:
                os.environ["WINEDLLOVERRIDES"] = before

    def test_controls_are_plain_client_areas(self):
        for i in self.child:
            self.assertEqual(self.probe.acc(self.child[i])["role"], ROLE_CLIENT)


GALLERY_IDS = range(0x101, 0x101 + 27)
# The gallery's controls that show a value, by id: the selector, the list, the sliders,
# the knobs, the displays, the spinners, the texts.
GALLERY_VALUES = {0x102, 0x103, 0x107, 0x108, 0x109, 0x10A, 0x10B, 0x10C, 0x10D, 0x10E, 0x10F,
                  0x110, 0x111, 0x112, 0x113, 0x11A}


class AccessibleGallery(unittest.TestCase):
    probe = Probe()

    def test_every_control_has_a_role_a_name_and_its_value(self):
        with Program("toolkit-gallery"):
            window = self.probe.find_window("ToolkitGalleryWindow", timeout=30 + START_ALLOWANCE)
            self.assertIsNotNone(window)
            handles = self.probe.batch(*[("find-window", "ToolkitGalleryWindow", "--child", hex(i),
                                          "--timeout", 30) for i in GALLERY_IDS]).split()
            for i, h in zip(GALLERY_IDS, handles):
                o = self.probe.acc(int(h, 16))
                with self.subTest(id=hex(i), read=o):
                    self.assertNotIn(o["role"], (-1, ROLE_CLIENT))
                    self.assertTrue(o["name"])
                    if i in GALLERY_VALUES:
                        self.assertTrue(o["value"])


if __name__ == "__main__":
    e2e_support.main()
