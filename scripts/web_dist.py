#!/usr/bin/env python3
"""Makes the browser version's folder from the build's files, kept under their plain names in
a folder of their own: web_dist.py <that folder> <the folder to publish>.

Every file but those opened by their name (the page, the help page, the app manifest and the
service worker) is named by its content, brimzo.0123abcd.js, so that no cache can pair one
build's script with another's WebAssembly. The pages, the style sheets, the manifest and the
page's script modules name the files so, each made after every file it names; the page
preloads every module of its script, so that none waits for the one that imports it. The
module that names the game's own files (the skins, the sounds, the WebAssembly) by their plain
names gets the list of where each lies; the service worker gets every file of the build with
the SHA-256 of its bytes, the set it keeps. Each text and WebAssembly file gets a copy
compressed with Brotli (.br) and one with gzip (.gz) beside it, for hosts that serve such
files in its place to a browser that accepts them (scripts/web_serve.py does)."""
import gzip
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys

OPENED_BY_NAME = {"index.html", "help.html", "brimzo.webmanifest", "service-worker.js"}
NAMING = {".css", ".html", ".webmanifest", ".js"}  # name other files in quotes or url()
MADE_ELSEWHERE = {"brimzo-core.js", "service-worker.js"}  # named nothing by the page's rules
START = "brimzo.js"  # the page's script, which imports the rest
MODULES = "<!-- the page's modules -->"
COMPRESSED = {".html", ".css", ".js", ".webmanifest", ".wasm"}  # a .br and a .gz beside each
LOCATIONS = "const LOCATIONS = {};"
FILES = "const FILES = [];"
BUILD = "const BUILD = '';"


def naming(name):
    return os.path.splitext(name)[1] in NAMING and name not in MADE_ELSEWHERE


# A script names a module as ./name, in quotes; the game's own files it names by their plain
# names (LOCATIONS). Other files name a file in quotes or url().
def reference(name, script):
    before = r"(?<=[\"'])(\./)" if script else r"(?<=[\"'(])(\./)?"
    return re.compile(before + re.escape(name) + r"(?=[\"')])")


def names_in(name, text, staged):
    return sorted(other for other in staged if reference(other, name.endswith(".js")).search(text))


def fill(text, placeholder, value):
    if text.count(placeholder) != 1:
        sys.exit(f"web_dist.py: no single '{placeholder}' to fill")
    return text.replace(placeholder, value)


def read(staged, name):
    with open(os.path.join(staged, name), "rb") as file:
        return file.read()


def dependencies(staged, names):
    """What each file must come after: the files it names; the list of the game's files comes
    after them; the service worker after every other file."""
    texts = {name: read(staged, name).decode("utf-8") for name in names if naming(name)}
    after = {name: names_in(name, text, names) for name, text in texts.items()}
    game_files = [name for name in names if not naming(name) and name != "service-worker.js"]
    for name, text in texts.items():
        if LOCATIONS in text:
            after[name] += game_files
    after["service-worker.js"] = [name for name in names if name != "service-worker.js"]
    return texts, after


def in_order(names, after):
    done = []

    def visit(name, trail):
        if name in done:
            return
        if name in trail:
            sys.exit(f"web_dist.py: files that name each other: {' -> '.join(trail + [name])}")
        for other in after.get(name, []):
            visit(other, trail + [name])
        done.append(name)

    for name in sorted(names):
        visit(name, [])
    return done


def modules(start, after):
    found = []
    for name in after.get(start, []):
        if name.endswith(".js") and name not in found:
            found += [name] + [other for other in modules(name, after) if other not in found]
    return found


def made(name, text, renamed, after, built):
    for old in after.get(name, []):
        if old in renamed:
            text = reference(old, name.endswith(".js")).sub(
                lambda match, new=renamed[old]: (match.group(1) or "") + new, text)
    if MODULES in text:
        links = "\n".join(f'<link rel="modulepreload" href="{renamed[module]}">'
                          for module in modules(START, after))
        text = fill(text, MODULES, links)
    if LOCATIONS in text:
        game = {old: new for old, new in renamed.items() if not naming(old)}
        text = fill(text, LOCATIONS, f"const LOCATIONS = {json.dumps(game, sort_keys=True)};")
    if name == "service-worker.js":
        listed = json.dumps(sorted([other, hashlib.sha256(content).hexdigest()]
                                   for other, content in built.items()))
        text = fill(text, FILES, f"const FILES = {listed};")
        build = hashlib.sha256(listed.encode("utf-8")).hexdigest()[:16]
        text = fill(text, BUILD, f"const BUILD = '{build}';")
    return text.encode("utf-8")


def main(staged, dist):
    names = sorted(os.listdir(staged))
    texts, after = dependencies(staged, names)
    renamed = {}
    built = {}  # final name -> bytes
    for name in in_order(names, after):
        data = read(staged, name)
        if name in texts or name == "service-worker.js":
            data = made(name, data.decode("utf-8"), renamed, after, built)
        if name not in OPENED_BY_NAME:
            stem, extension = os.path.splitext(name)
            renamed[name] = f"{stem}.{hashlib.sha256(data).hexdigest()[:8]}{extension}"
        built[renamed.get(name, name)] = data
    shutil.rmtree(dist, ignore_errors=True)
    os.makedirs(dist)
    for name, data in built.items():
        copies = {name: data}
        if os.path.splitext(name)[1] in COMPRESSED:
            copies[name + ".br"] = subprocess.run(["brotli", "--best", "--stdout"], input=data,
                                                  capture_output=True, check=True).stdout
            copies[name + ".gz"] = gzip.compress(data, compresslevel=9, mtime=0)
        for copy, content in copies.items():
            with open(os.path.join(dist, copy), "wb") as file:
                file.write(content)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
