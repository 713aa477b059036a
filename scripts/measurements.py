#!/usr/bin/env python3
"""Writes a table of measured figures into docs/measurements.md, between the two marker lines
of its name, so that the page shows what the last run measured and nothing stale:

    <!-- NAME: written by COMMAND -->
    ...the table...
    <!-- NAME: end -->

measurements.py core JSON   the rules' figures, from core_bench's JSON output
measurements.py put NAME    the table on standard input, as another benchmark made it
"""
import json
import re
import sys
from pathlib import Path

PAGE = Path(__file__).resolve().parent.parent / 'docs' / 'measurements.md'
MODES = ('Lines', 'Squares', 'Groups')


def write_section(name, text):
    """Puts the text between the markers of the name, which must stand on the page."""
    page = PAGE.read_text()
    pattern = re.compile(r'(<!-- %s: written by [^>]*-->\n).*?(<!-- %s: end -->)' % (name, name),
                         re.S)
    if not pattern.search(page):
        sys.exit('docs/measurements.md has no markers for %s' % name)
    PAGE.write_text(pattern.sub(lambda m: m.group(1) + text + m.group(2), page))


def core_table(results):
    runs = {run['name']: run for run in results['benchmarks'] if run.get('run_type') != 'aggregate'}

    def time(name):
        run = runs[name]
        return '%.0f ns' % run['cpu_time'] if run['time_unit'] == 'ns' else None

    def rate(name):
        return '%.2f million' % (runs[name]['turns/s'] / 1e6)

    rows = [('the path search, corner to corner, on an empty board and on one 40 % full',
             '%s and %s' % (time('BM_FindPath/density%:0'), time('BM_FindPath/density%:40')))]
    rows.append(('the shape check of a half-full random board, in %s' % ', '.join(MODES),
                 ', '.join(time('BM_CheckShapes/mode:%d' % m) for m in range(3))))
    rows.append(('random games, turns a second on one core, by the rules alone (`PlayMove`), '
                 'in %s' % ', '.join(MODES),
                 ', '.join(rate('BM_HeadlessGames/mode:%d' % m) for m in range(3))))
    rows.append(('the same games clicked through the turn, with nothing drawn or paused',
                 ', '.join(rate('BM_RandomGames/mode:%d' % m) for m in range(3))))
    lines = ['| what | measured |', '|---|---|'] + ['| %s | %s |' % row for row in rows]
    return '\n'.join(lines) + '\n'


def main():
    if len(sys.argv) == 3 and sys.argv[1] == 'put':
        write_section(sys.argv[2], sys.stdin.read())
    elif len(sys.argv) == 3 and sys.argv[1] == 'core':
        try:
            table = core_table(json.loads(Path(sys.argv[2]).read_text()))
        except KeyError as missing:
            print('docs/measurements.md left as it was: no run of %s' % missing)
            return
        write_section('core', table)
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main()
