"""Packs the Windows program: make_package.py DIST README OUT.zip. The zip holds one folder,
"Brimzo", with the program, its skins and sounds, its help page and a README for players, its entries in a
fixed order with a fixed time and no extra fields, so that the same sources give the same
bytes wherever and whenever they are packed."""

import os
import sys
import zipfile

PROGRAM = ["brimzo.exe", "brimzo.png", "cantmove.wav", "destroy.wav", "help.html", "jump.wav",
           "meadow.png", "move.wav"]
PACKED_AT = (2026, 1, 1, 0, 0, 0)


def entry(name, data):
    info = zipfile.ZipInfo("Brimzo/" + name, date_time=PACKED_AT)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 3  # the same made on Windows or elsewhere
    info.external_attr = (0o755 if name.endswith(".exe") else 0o644) << 16
    return info, data


def main(dist, readme, out):
    with open(readme, "rb") as text:
        entries = [entry("README.txt", text.read().replace(b"\n", b"\r\n"))]  # for Notepad
    for name in PROGRAM:
        with open(os.path.join(dist, name), "rb") as part:
            entries.append(entry(name, part.read()))
    with zipfile.ZipFile(out + ".part", "w") as package:
        for info, data in entries:
            package.writestr(info, data, compresslevel=9)
    os.replace(out + ".part", out)


if __name__ == "__main__":
    main(*sys.argv[1:])
