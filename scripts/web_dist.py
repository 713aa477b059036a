#!/usr/bin/env python3
"""Makes the browser version's folder from the build's files, kept under their plain names in
a folder of their own: web_dist.py <that folder> <the folder to publish>.

Every file but those opened by their name (the page, the help page, the app manifest and the
service worker) is named by its content, brimzo.0123abcd.js, so that no cache can pair one
build's script with another's WebAssembly. The pages, the style sheet and the manifest name
the files so; the page's script, which names the game's files in its own folder by their
plain names, gets the list of where each lies; the service worker gets every file of the build
with the SHA-256 of its bytes, the set it keeps."""
import hashlib
import json
import os
import re
import shutil
import sys

OPENED_BY_NAME = {"index.html", "help.html", "brimzo.webmanifest", "service-worker.js"}
NAMING = {".css", ".html", ".webmanifest"}  # name other files in quotes or url()
LOCATIONS = "const LOCATIONS = {};"
FILES = "const FILES = [];"
BUILD = "const BUILD = '';"


# A file comes after every file it names.
def order(name):
    if name == "service-worker.js":
        return 3
    extension = os.path.splitext(name)[1]
    return 2 if extension in NAMING else 1 if extension == ".js" else 0


def fill(text, placeholder, value):
    if text.count(placeholder) != 1:
        sys.exit(f"web_dist.py: no single '{placeholder}' to fill")
    return text.replace(placeholder, value)


def main(staged, dist):
    renamed = {}
    built = {}  # final name -> bytes
    for name in sorted(os.listdir(staged), key=lambda name: (order(name), name)):
        with open(os.path.join(staged, name), "rb") as file:
            data = file.read()
        if os.path.splitext(name)[1] in NAMING:
            text = data.decode("utf-8")
            for old, new in renamed.items():
                text = re.sub(r"(?<=[\"'(])" + re.escape(old) + r"(?=[\"')])", new, text)
            data = text.encode("utf-8")
        elif name == "brimzo.js":
            locations = json.dumps(renamed, sort_keys=True)
            text = fill(data.decode("utf-8"), LOCATIONS, f"const LOCATIONS = {locations};")
            data = text.encode("utf-8")
        elif name == "service-worker.js":
            listed = json.dumps(sorted([other, hashlib.sha256(content).hexdigest()]
                                       for other, content in built.items()))
            text = fill(data.decode("utf-8"), FILES, f"const FILES = {listed};")
            build = hashlib.sha256(listed.encode("utf-8")).hexdigest()[:16]
            data = fill(text, BUILD, f"const BUILD = '{build}';").encode("utf-8")
        if name not in OPENED_BY_NAME:
            stem, extension = os.path.splitext(name)
            renamed[name] = f"{stem}.{hashlib.sha256(data).hexdigest()[:8]}{extension}"
        built[renamed.get(name, name)] = data
    shutil.rmtree(dist, ignore_errors=True)
    os.makedirs(dist)
    for name, data in built.items():
        with open(os.path.join(dist, name), "wb") as file:
            file.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
