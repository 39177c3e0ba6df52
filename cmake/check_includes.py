#!/usr/bin/env python3
"""Holds the sources to the layer order: a file includes headers of its own layer and of the
layers below it only, and a file of a pure layer includes no Qt and nothing that uses Qt.

    check_includes.py ROOT --layers LOWEST ... HIGHEST --pure ENTRY ...

A pure entry is a layer ("core") or a part of one ("netplay/Codec": every file whose path starts
so). Includes are written from the repository root ("core/Card.h"); other quoted includes (a file
of the same folder, a generated header) and system headers other than Qt's are not layers."""
import argparse
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT = re.compile(r'^(Q[A-Z]|Qt|q[a-z0-9_]+\.h$)')
SOURCES = {'.h', '.hpp', '.cpp', '.cc'}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('root', type=pathlib.Path)
    parser.add_argument('--layers', nargs='+', required=True)
    parser.add_argument('--pure', nargs='*', default=[])
    args = parser.parse_args()
    rank = {layer: i for i, layer in enumerate(args.layers)}

    def pure(path):
        return any(path.startswith(p if '/' in p else p + '/') for p in args.pure)

    faults = []
    for layer in args.layers:
        folder = args.root / layer
        if not folder.is_dir():
            continue
        for file in sorted(folder.rglob('*')):
            if file.suffix not in SOURCES or not file.is_file():
                continue
            name = file.relative_to(args.root).as_posix()
            for number, line in enumerate(file.read_text(encoding='utf-8', errors='replace').splitlines(), 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, target = m.groups()
                where = f'{name}:{number}: includes '
                if kind == '<':
                    if pure(name) and QT.match(target):
                        faults.append(f'{where}<{target}> in a pure layer')
                    continue
                top = target.split('/', 1)[0]
                if '/' not in target or top not in rank:
                    continue
                if rank[top] > rank[layer]:
                    faults.append(f'{where}{target}, a layer above')
                elif pure(name) and not pure(target):
                    faults.append(f'{where}{target}, not pure, in a pure layer')
    for fault in faults:
        print(fault)
    print(f'{len(faults)} faults' if faults else 'The include graph follows the layers.')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
