#!/usr/bin/env python3
"""Unpacks the release archive into a fresh folder (its path may hold spaces) and checks what
it holds: the three exes and a README.TXT with CRLF line ends, nothing else.
    unpack_release.py ARCHIVE FOLDER"""
import os
import shutil
import sys
import zipfile

EXPECTED = ["smptedesk.exe", "smptedesk-sim.exe", "toolkit-gallery.exe", "README.TXT"]


def main(archive, folder):
    if not os.path.isfile(archive):
        sys.exit(f"unpack_release: no {archive}: run scripts/package first")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
        if names != EXPECTED:
            sys.exit(f"unpack_release: the archive holds {names}, not {EXPECTED}")
        z.extractall(folder)
    with open(os.path.join(folder, "README.TXT"), "rb") as f:
        text = f.read()
    if b"\n" in text.replace(b"\r\n", b"") or b"\r" in text.replace(b"\r\n", b""):
        sys.exit("unpack_release: README.TXT has line ends other than CRLF")
    print(f"unpack_release: {len(names)} files in {folder}")


if __name__ == "__main__":
    main(*sys.argv[1:])
