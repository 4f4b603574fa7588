#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes a mission file of each hostile shape, each just under the 16 MiB a mission may
have, imports each with qavmake and prints the exit code, the wall time, the peak memory and
the first line qavmake printed. Nothing is kept: the files go to a temporary folder.

    hostile_missions.py QAVMAKE [SIZE_IN_BYTES]
"""
import os
import re
import subprocess
import sys
import tempfile

LIMIT = 16 * 1024 * 1024 - 64
STEP = b'<Step><Processor type="Profile"/></Step>'


def filled(head, unit, tail, size):
    """head, unit repeated as often as fits, tail."""
    count = max(0, (size - len(head) - len(tail)) // len(unit))
    return head + unit * count + tail


def nested(head, tail, size):
    count = max(0, (size - len(head) - len(tail)) // 7)
    return head + b'<a>' * count + b'</a>' * count + tail


def shapes(size):
    yield 'deep in a label', nested(b'<QAV><Step><Label>', b'</Label>' + STEP[6:] + b'</QAV>', size)
    yield 'deep in a value', nested(
        b'<QAV><Step><Processor type="Profile"><Var name="x">',
        b'</Var></Processor></Step></QAV>', size)
    yield 'deep at the top', nested(b'<QAV>', STEP + b'</QAV>', size)
    laughs = b'<!DOCTYPE QAV [<!ENTITY a0 "0123456789">' + b''.join(
        b'<!ENTITY a%d "%s">' % (i, b'&a%d;' % (i - 1) * 10) for i in range(1, 10)) + b']>'
    yield 'entity bomb', filled(laughs + b'<QAV><Step><Label>', b'&a9;',
                                b'</Label>' + STEP[6:] + b'</QAV>', size)
    wide = b'<!DOCTYPE QAV [<!ENTITY x "' + b'y' * 4000 + b'">]>'
    yield 'one entity used often', filled(wide + b'<QAV><Step><Label>', b'&x;',
                                          b'</Label>' + STEP[6:] + b'</QAV>', size)
    yield 'parameter entities', filled(b'<!DOCTYPE QAV [<!ENTITY % p "<!ENTITY q \'y\'>">',
                                       b'%p;', b']><QAV>' + STEP + b'</QAV>', size)
    yield 'entity declarations', filled(b'<!DOCTYPE QAV [', b'<!ENTITY e "y">',
                                        b']><QAV>' + STEP + b'</QAV>', size)
    yield 'attribute defaults', filled(b'<!DOCTYPE QAV [<!ATTLIST Step', b' a CDATA "y"',
                                       b'>]><QAV>' + STEP + b'</QAV>', size)
    yield 'outside entity', filled(
        b'<!DOCTYPE QAV [<!ENTITY x SYSTEM "file:///etc/passwd">]><QAV><Step><Label>',
        b'&x;', b'</Label>' + STEP[6:] + b'</QAV>', size)
    count = (size - 100) // 12
    yield 'many attributes', (b'<QAV><Step ' + b''.join(b'a%07d="" ' % i for i in range(count))
                              + b'><Processor type="Profile"/></Step></QAV>')
    yield 'many elements', filled(b'<QAV>' + STEP, b'<x/>', b'</QAV>', size)
    yield 'many elements in a step', filled(b'<QAV><Step><Processor type="Profile"/>', b'<x/>',
                                            b'</Step></QAV>', size)
    yield 'long text', filled(b'<QAV><Step><Label>', b'y', b'</Label>' + STEP[6:] + b'</QAV>',
                              size)
    yield 'long text of escapes', filled(b'<QAV><Step><Label>', b'&amp;',
                                         b'</Label>' + STEP[6:] + b'</QAV>', size)


def measure(qavmake, mission, folder):
    out = os.path.join(folder, 'out')
    os.makedirs(out, exist_ok=True)
    run = subprocess.run(['/usr/bin/time', '-v', qavmake, '--import', '--force', '--out', out,
                          mission], capture_output=True, text=True, errors='replace')
    report = run.stderr
    seconds = re.search(r'Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+):([\d.]+)', report)
    wall = (int(seconds.group(1) or 0) * 3600 + int(seconds.group(2)) * 60
            + float(seconds.group(3)))
    peak = int(re.search(r'Maximum resident set size \(kbytes\): (\d+)', report).group(1))
    code = int(re.search(r'Exit status: (\d+)', report).group(1))
    lines = [line for line in report.splitlines() if line.startswith('qavmake:')]
    written = sorted(os.listdir(out))
    for name in written:
        os.remove(os.path.join(out, name))
    return code, wall, peak, lines, written


def main():
    qavmake = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) > 2 else LIMIT
    with tempfile.TemporaryDirectory() as folder:
        for name, text in shapes(size):
            mission = os.path.join(folder, 'm.qav')
            with open(mission, 'wb') as file:
                file.write(text)
            code, wall, peak, lines, written = measure(qavmake, mission, folder)
            first = lines[0][:110] if lines else ''
            more = ' (+%d lines)' % (len(lines) - 1) if len(lines) > 1 else ''
            print('%-26s %5.1f MiB  exit %d  %5.2f s  %6.1f MB  %s  %s%s'
                  % (name, len(text) / 1048576, code, wall, peak / 1024,
                     'written' if written else 'nothing written', first, more))


if __name__ == '__main__':
    main()
