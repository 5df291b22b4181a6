#!/usr/bin/env python3
"""The driver error log report, black-box: real entries in the Wine registry, the real program
started with an argument under Windows 98's personality (where the driver lives), its
message box read and dismissed from another process."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support  # noqa: E402
from e2e_support import START_ALLOWANCE, Probe, Program, set_windows_version  # noqa: E402

LOG = r"HKLM\System\CurrentControlSet\Control\MediaResources\Qorin\VxdLog"
CAPTION = "Korvane - Driver Error"
TEXT_LIMIT = 255  # characters the report text holds
BOX_TIMEOUT = 20 + START_ALLOWANCE  # seconds for the box to come up, and for the program to end


def sz(text):
    """A REG_SZ value, terminated, as deskprobe data."""
    return "hex:1:" + (text.encode("ascii") + b"\0").hex()


def entry(name, data, value_name=None):
    """A log entry: the subkey `name` holding `data` in the value named like it."""
    return ("reg-set", LOG + "\\" + name, name if value_name is None else value_name, data)


def subkey_names(dump):
    """The log's direct subkeys, in enumeration order, from a reg-dump."""
    return [line[4:] for line in dump if line.startswith("key ") and line != "key ."
            and "\\" not in line]


class DriverErrorReport(unittest.TestCase):
    probe = Probe()

    @classmethod
    def setUpClass(cls):
        set_windows_version(cls.probe, "smptedesk.exe", "win98")

    def setUp(self):
        self.desk = None
        self.probe.run("reg-delete", LOG)

    def tearDown(self):
        if self.desk:
            self.desk.close(self.probe, [("#32770", CAPTION)])
        self.probe.run("reg-delete", LOG)

    def write_log(self, *commands):
        """Writes the log and returns its dump."""
        return self.probe.batch(*commands, ("reg-dump", LOG)).splitlines()

    def report_box(self):
        """Runs the report; returns the message text of its box, which must come up."""
        self.desk = Program("smptedesk", "report")
        box = self.probe.box_text(CAPTION, timeout=BOX_TIMEOUT)
        self.assertIsNotNone(box, "no box captioned %r within %s s\n%s"
                             % (CAPTION, BOX_TIMEOUT, self.desk.describe(self.probe)))
        caption, text = box
        self.assertEqual(caption, CAPTION.encode())
        self.assertEqual(self.desk.wait(BOX_TIMEOUT, self.probe), 0)
        return text

    def report_without_box(self):
        """Runs the report, which must end by itself (a box would hold it open)."""
        self.desk = Program("smptedesk", "report")
        self.assertEqual(self.desk.wait(BOX_TIMEOUT, self.probe), 0)

    def assertLogUnchanged(self, before):
        self.assertEqual(self.probe.reg_dump(LOG), before)

    def test_no_log_key_shows_nothing(self):
        self.assertEqual(self.write_log(), ["missing"])
        self.report_without_box()
        self.assertEqual(self.probe.reg_dump(LOG), ["missing"])

    def test_log_without_entries_shows_nothing(self):
        before = self.write_log(("reg-set", LOG, "VxdLog", sz("not an entry")))
        self.report_without_box()
        self.assertLogUnchanged(before)

    def test_one_entry_follows_two_line_feeds(self):
        before = self.write_log(entry("E1", sz("Interface not responding")))
        self.assertEqual(self.report_box(), b"\n\nInterface not responding")
        self.assertLogUnchanged(before)

    def test_two_entries_in_enumeration_order(self):
        # The longer name comes second in the enumeration: each call has the full capacity.
        before = self.write_log(entry("E2_0123456", sz("second entry")),
                                entry("E1", sz("first entry")))
        names = subkey_names(before)
        self.assertEqual(sorted(names), ["E1", "E2_0123456"])
        messages = {"E1": b"first entry", "E2_0123456": b"second entry"}
        self.assertEqual(self.report_box(), b"".join(b"\n\n" + messages[n] for n in names))
        self.assertLogUnchanged(before)

    def test_entries_without_their_own_value_still_show_a_box(self):
        before = self.write_log(entry("E1", sz("under another name"), value_name="Other"),
                                ("reg-create", LOG + "\\E2"))
        self.assertEqual(self.report_box(), b"")
        self.assertLogUnchanged(before)

    def test_values_that_are_not_plain_text(self):
        before = self.write_log(
            entry("E1", "dword:0x00434241"),                            # bytes "ABC\0"
            entry("E2", "hex:3:" + b"hi\0there".hex()),                 # binary, zero inside
            entry("E3", sz("L" * 300)),                                 # too long: skipped
            entry("E4", "hex:1:" + b"x".hex() * 256))                   # 256 bytes, no zero
        self.assertEqual(subkey_names(before), ["E1", "E2", "E3", "E4"])
        self.assertIn("value E4 E4 1 " + "78" * 256, before)  # stored without a terminator
        expected = (b"\n\nABC\n\nhi\n\n" + b"x" * 256)[:TEXT_LIMIT]
        self.assertEqual(self.report_box(), expected)
        self.assertLogUnchanged(before)

    def test_long_log_is_cut_and_every_entry_stays(self):
        entries = {"E%03d" % i: "driver message %03d" % i for i in range(300)}
        before = self.write_log(*(entry(n, sz(m)) for n, m in entries.items()))
        names = subkey_names(before)
        self.assertEqual(sorted(names), sorted(entries))
        full = "".join("\n\n" + entries[n] for n in names).encode()
        self.assertEqual(self.report_box(), full[:TEXT_LIMIT])
        self.assertLogUnchanged(before)


if __name__ == "__main__":
    e2e_support.main()
