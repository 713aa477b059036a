#!/usr/bin/env python3
"""Puts the skins into the browser version: web_skins.py <stage folder> <skin.png>...

Each skin sheet becomes a lossless WebP picture beside the page (the smallest lossless form
that Chromium, Firefox and WebKit all decode: a quarter smaller than the PNG file, pixel for
pixel the same), which the browser decodes and the page hands to the game. The page lists them
in skins.js under the names the game knows, with the text of each sheet's "AboutSkinner"
chunk, which a WebP picture cannot carry: the last such chunk, as the game's PNG loader takes
it, its bytes one a character."""
import json
import struct
import subprocess
import sys
import zlib
from pathlib import Path

DESCRIPTION_KEY = b"AboutSkinner"


def chunks(data):
    at = 8  # past the signature
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def description(data):
    found = None
    for kind, body in chunks(data):
        key, _, text = body.partition(b"\0")
        if key != DESCRIPTION_KEY:
            continue
        if kind == b"tEXt":
            found = text
        elif kind == b"zTXt":
            found = zlib.decompress(text[1:])
    return None if found is None else found.decode("latin-1")


def main(stage, sheets):
    listed = []
    for sheet in map(Path, sheets):
        picture = sheet.with_suffix(".webp").name
        subprocess.run(["cwebp", "-quiet", "-lossless", "-z", "9", "-exact", "-metadata", "none",
                        str(sheet), "-o", str(Path(stage) / picture)], check=True)
        listed.append({"name": sheet.name, "picture": picture,
                       "description": description(sheet.read_bytes())})
    (Path(stage) / "skins.js").write_text(
        "// Made by scripts/web_skins.py from the skin sheets: not to be edited.\n"
        f"export const SKINS = Object.freeze({json.dumps(listed, indent=2)});\n")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
