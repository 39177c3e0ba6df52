#!/usr/bin/env python3
"""Turns the editable language table files into C++.

A table file is UTF-8 text. Blank lines and lines starting with "#" are ignored.

    @ TableName            starts a table (a C++ identifier)
    en: text               one column of the current row, in this fixed order:
    ru: ... de: ... fr: ... es: ... zh: ... it: ... cs: ... ja: ... ko: ...
    +                      starts the next row of the same table

A text is everything after "xx: ". When it has to begin or end with a blank, or
begins and ends with a double quote, write it between double quotes; the outer
pair is removed. Inside a text, "\\n" is the line break (LF in the program)
and "\\\\" a backslash.

Output: a header with one `TextTable` constant per table and a source file with
the flat array of strings (row x 10 + language).
"""
import sys

LANGS = ["en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"]


class TableError(Exception):
    pass


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            if i + 1 >= len(text):
                raise TableError(f"{where}: a lone backslash at the end")
            n = text[i + 1]
            if n == "n":
                out.append("\n")
            elif n == "\\":
                out.append("\\")
            else:
                raise TableError(f"{where}: unknown escape \\{n}")
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def parse(path):
    tables = []  # (name, [row: [10 texts]])
    row = None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, raw in enumerate(lines, 1):
        where = f"{path}:{number}"
        line = raw.rstrip("\r")
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("@"):
            name = line[1:].strip()
            if not name.isidentifier():
                raise TableError(f"{where}: bad table name {name!r}")
            row = []
            tables.append((name, [row]))
            continue
        if row is None:
            raise TableError(f"{where}: text before the first table")
        if line.strip() == "+":
            row = []
            tables[-1][1].append(row)
            continue
        if len(line) < 4 or line[2:4] != ": ":
            raise TableError(f"{where}: expected 'xx: text'")
        code, text = line[:2], line[4:]
        if len(row) >= len(LANGS) or LANGS[len(row)] != code:
            expected = LANGS[len(row)] if len(row) < len(LANGS) else "'+' or '@'"
            raise TableError(f"{where}: expected {expected}, found {code}")
        if len(text) >= 2 and text.startswith('"') and text.endswith('"'):
            text = text[1:-1]
        elif text != text.strip():
            raise TableError(f"{where}: blanks at an edge must be quoted")
        text = unescape(text, where)
        if not text:
            raise TableError(f"{where}: empty text")
        row.append(text)
    for name, rows in tables:
        for k, r in enumerate(rows):
            if len(r) != len(LANGS):
                raise TableError(f"{path}: table {name} row {k} has {len(r)} of 10 columns")
    return tables


def cpp_literal(text):
    out = ['"']
    for ch in text:
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\r":
            out.append("\\r")
        elif ch == "?":
            out.append("\\?")  # no trigraph surprises
        else:
            out.append(ch)
    out.append('"')
    return "".join(out)


def main(argv):
    if len(argv) < 4:
        print("usage: gen_langtables.py OUT.h OUT.cpp TABLE...", file=sys.stderr)
        return 2
    header, source, inputs = argv[1], argv[2], argv[3:]
    try:
        all_tables = []
        seen = set()
        for path in inputs:
            for name, rows in parse(path):
                if name in seen:
                    raise TableError(f"{path}: table {name} defined twice")
                seen.add(name)
                all_tables.append((name, rows))
    except (TableError, OSError) as e:
        print(f"gen_langtables: {e}", file=sys.stderr)
        return 1

    h = [
        "// Generated from settings/lang/*.txt by tools/langtables/gen_langtables.py. Do not edit.",
        "#pragma once",
        "",
        '#include "settings/TextTable.h"',
        "",
        "namespace tarvo::txt {",
        "",
    ]
    c = [
        "// Generated from settings/lang/*.txt by tools/langtables/gen_langtables.py. Do not edit.",
        '#include "settings/TextIds.h"',
        "",
        "namespace tarvo::detail {",
        "",
        "extern const char* const kTextData[];",
        "const char* const kTextData[] = {",
    ]
    first = 0
    names = []
    for name, rows in all_tables:
        h.append(f"inline constexpr TextTable {name}{{{first}, {len(rows)}}};")
        names.append((name, first, len(rows)))
        for r in rows:
            c.append("    " + ", ".join(cpp_literal(t) for t in r) + ",")
        first += len(rows)
    h += [
        "",
        f"inline constexpr int kTextRowCount = {first};",
        f"inline constexpr int kTextTableCount = {len(names)};",
        "",
        "}  // namespace tarvo::txt",
        "",
    ]
    c += [
        "};",
        "",
        "extern const NamedTextTable kTextTables[];",
        "const NamedTextTable kTextTables[] = {",
    ]
    c += [f'    {{"{n}", {{{f}, {k}}}}},' for n, f, k in names]
    c += ["};", "", "}  // namespace tarvo::detail", ""]

    with open(header, "w", encoding="utf-8") as f:
        f.write("\n".join(h))
    with open(source, "w", encoding="utf-8") as f:
        f.write("\n".join(c))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
