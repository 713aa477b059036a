#!/usr/bin/env python3
"""Writes the tables that the page's script shares with the game's C++ as one ES module:
web_tables.py <module to write> <header>...

Every enum and every integer constant of the headers becomes an object or a constant of the
same name, so that a value added or moved in C++ reaches the page with the next build, and a
name the page imports that C++ no longer has stops the page from loading at all. The keys
(enum Key of shell/keys.h) also get the browser's KeyboardEvent.code of each, in their order:
an arrow key is Arrow and its direction, a letter Key and the letter, any other key its own
name (Space, Enter, F1, Digit1)."""
import re
import sys
from pathlib import Path

ENUM = re.compile(r'enum class (\w+)[^{]*\{(.*?)\};', re.S)
CONSTANT = re.compile(r'^constexpr u?int32_t (\w+) = (\d+);', re.M)
COMMENT = re.compile(r'//[^\n]*')
ARROWS = {'Left', 'Right', 'Up', 'Down'}


def enum_values(body):
    values = {}
    number = 0
    for entry in COMMENT.sub('', body).split(','):
        entry = entry.strip()
        if not entry:
            continue
        name, _, value = (part.strip() for part in entry.partition('='))
        number = int(value) if value else number
        values[name] = number
        number += 1
    return values


def key_code(name):
    if name in ARROWS:
        return f'Arrow{name}'
    return f'Key{name}' if re.fullmatch(r'[A-Z]', name) else name


def module(headers):
    lines = ['// Made by scripts/web_tables.py from ' + ', '.join(headers) + ': not to be edited.']
    for header in headers:
        text = Path(header).read_text()
        for name, body in ENUM.findall(text):
            values = enum_values(body)
            pairs = ', '.join(f'{key}: {value}' for key, value in values.items())
            lines.append(f'export const {name} = Object.freeze({{{pairs}}});')
            if name == 'Key':
                codes = [key_code(key) for key, _ in sorted(values.items(), key=lambda kv: kv[1])]
                lines.append(f'export const KeyCodes = Object.freeze({codes!r});')
        for name, value in CONSTANT.findall(text):
            lines.append(f'export const {name} = {value};')
    return '\n'.join(lines) + '\n'


if __name__ == '__main__':
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    Path(sys.argv[1]).write_text(module(sys.argv[2:]))
