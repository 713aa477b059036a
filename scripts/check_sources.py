#!/usr/bin/env python3
"""Checks of the sources that no compiler makes.

layers          every #include of the product against the table of layers in
                docs/architecture.md, and no circle between modules (a header and its source
                are one module)
page-controls   the page's copies of the dialogs (web/index.html) against the resource script:
                every control with an id has the same id, place and size in both
"""
import fnmatch
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PRODUCT_FOLDERS = ('game', 'store', 'render', 'shell', 'dialogs', 'web')
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_table(page):
    """The rows of the layers table: (name, file patterns, may include layers below)."""
    section = page.split('## Layers, from the bottom up', 1)[1]
    rows = []
    for line in section.splitlines():
        if not line.startswith('|'):
            if rows:
                break
            continue
        cells = [cell.strip() for cell in line.strip().strip('|').split('|')]
        if cells[0] == 'layer' or set(cells[0]) <= set('-'):
            continue
        rows.append((cells[0], re.findall(r'`([^`]+)`', cells[1]), cells[2] != 'nothing'))
    return rows


def product_files():
    for folder in PRODUCT_FOLDERS:
        for path in sorted((ROOT / folder).iterdir()):
            if path.suffix in ('.h', '.cpp', '.rc'):
                yield path.relative_to(ROOT).as_posix()


def layer_of(path, table):
    for index, (_, patterns, _) in enumerate(table):
        if any(fnmatch.fnmatch(path, pattern) for pattern in patterns):
            return index
    return None


def module(path):
    return path.rsplit('.', 1)[0]


def find_circle(edges):
    """One circle of the module graph as a list of modules, or None."""
    state = {}

    def visit(node, trail):
        state[node] = 'open'
        trail.append(node)
        for other in sorted(edges.get(node, ())):
            if state.get(other) == 'open':
                return trail[trail.index(other):] + [other]
            if other not in state:
                found = visit(other, trail)
                if found:
                    return found
        trail.pop()
        state[node] = 'done'
        return None

    for node in sorted(edges):
        if node not in state:
            found = visit(node, [])
            if found:
                return found
    return None


def check_layers():
    table = layer_table((ROOT / 'docs' / 'architecture.md').read_text())
    faults = []
    edges = {}
    count = 0
    for path in product_files():
        layer = layer_of(path, table)
        if layer is None:
            faults.append(f'{path}: in no layer of the table')
            continue
        for included in INCLUDE.findall((ROOT / path).read_text()):
            if not (ROOT / included).is_file():
                continue  # made by the build (version.h)
            count += 1
            other = layer_of(included, table)
            below = other is not None and (other < layer and table[layer][2])
            if other != layer and not below:
                name = table[layer][0]
                faults.append(f'{path} ({name}) includes {included} '
                              f'({table[other][0] if other is not None else "no layer"})')
            if module(included) != module(path):
                edges.setdefault(module(path), set()).add(module(included))
    circle = find_circle(edges)
    if circle:
        faults.append('modules in a circle: ' + ' -> '.join(circle))
    for fault in faults:
        print(fault)
    print(f'{count} includes of {len(table)} layers checked, {len(faults)} faults')
    return not faults


def defines(header):
    """The macros of a header that stand for numbers."""
    values = {}
    for name, value in re.findall(r'^#define (\w+) (\d+)', header, re.M):
        values[name] = int(value)
    return values


def resolve(expression, values):
    expression = expression.strip()
    match = re.fullmatch(r'(\w+)\s*\+\s*(\d+)', expression)
    if match:
        return resolve(match.group(1), values) + int(match.group(2))
    if re.fullmatch(r'-?\d+', expression):
        return int(expression)
    return values[expression]


def script_controls(script, values):
    """{template: {(id, x, y, width, height)}} of the controls with an id."""
    dialogs = {}
    template = None
    for line in script.splitlines():
        line = line.strip()
        header = re.match(r'(\w+) DIALOG\b', line)
        if header:
            template = resolve(header.group(1), values)
            dialogs[template] = set()
        elif line.startswith('CONTROL ') and template is not None:
            fields = re.findall(r'"[^"]*"|[^,]+', line[len('CONTROL '):])
            control = resolve(fields[1], values)
            if control != -1:
                place = tuple(int(field) for field in fields[-4:])
                dialogs[template].add((control,) + place)
    return dialogs


def page_controls(page):
    dialogs = {}
    for template, body in re.findall(r'<dialog [^>]*data-template="(\d+)"[^>]*>(.*?)</dialog>',
                                     page, re.S):
        controls = set()
        for tag in re.findall(r'<[^>]*\bdata-id="[^"]*"[^>]*>', body):
            control = int(re.search(r'data-id="(-?\d+)"', tag).group(1))
            place = re.search(r'data-place="(\d+) (\d+) (\d+) (\d+)"', tag)
            controls.add((control,) + (tuple(map(int, place.groups())) if place else ()))
        dialogs[int(template)] = controls
    return dialogs


def enclosing_places(page):
    """A check box sits in a label that carries the place: the page writes it there."""
    return re.sub(r'<label (data-place="[^"]*")><input ([^>]*)>', r'<label><input \2 \1>', page)


def check_page_controls():
    ids = defines((ROOT / 'dialogs/resources.h').read_text())
    ids['IDOK'] = 1
    script = script_controls((ROOT / 'dialogs/brimzo.rc').read_text(), ids)
    page = page_controls(enclosing_places((ROOT / 'web/index.html').read_text()))
    faults = []
    for template, controls in sorted(script.items()):
        shown = page.get(template)
        if shown is None:
            faults.append(f'dialog {template}: not on the page')
            continue
        for control in sorted(controls - shown):
            faults.append(f'dialog {template}: control {control} missing from the page')
        for control in sorted(shown - controls):
            faults.append(f'dialog {template}: the page has {control}, the script does not')
    for fault in faults:
        print(fault)
    print(f'{sum(map(len, script.values()))} controls of {len(script)} dialogs checked, '
          f'{len(faults)} faults')
    return not faults


CHECKS = {'layers': check_layers, 'page-controls': check_page_controls}

if __name__ == '__main__':
    if len(sys.argv) != 2 or sys.argv[1] not in CHECKS:
        sys.exit(__doc__)
    sys.exit(0 if CHECKS[sys.argv[1]]() else 1)
