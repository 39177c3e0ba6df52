#!/usr/bin/env python3
"""Turns the calendar's editable UTF-8 tables into C++.

usage: gen_calendar_data.py OUT.cpp HOLIDAYS.txt TEXTS.txt

HOLIDAYS.txt holds one holiday entry a line, exactly as the calendar reads it:
"rule#category#image#ru#en#de#fr#es#zh#it#cs#ja#ko[#countries]". The lines are
passed through unchanged (the library parses them); here they are only checked
for the shape that a typing slip would break: the field count, empty or padded
fields, an unknown category.

TEXTS.txt holds "KEY#en#ru#de#fr#es#zh#it#cs#ja#ko" lines (language-index
order) for the month names, zodiac signs, Eastern years, category labels and the
anniversary suffix; every expected key must appear exactly once.

In both files blank lines and lines starting with "//" are skipped.
"""
import sys

CATEGORIES = {"ALL", "RUS", "RU-", "USA", "FRA", "DEU", "ENG", "ISP", "PRA", "KAT"}
LABELS = ["ENG", "RUS", "DEU", "FRA", "ISP", "USA", "PRA", "KAT"]
TEXT_KEYS = (
    [f"MONTH{m:02d}" for m in range(1, 13)]
    + [f"ZODIAC{s:02d}" for s in range(1, 13)]
    + [f"YEAR{a:02d}" for a in range(1, 13)]
    + [f"LABEL_{c}" for c in LABELS]
    + ["ANNIVERSARY"]
)


class DataError(Exception):
    pass


def data_lines(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    for number, raw in enumerate(text.split("\n"), 1):
        line = raw.rstrip("\r")
        if not line.strip() or line.startswith("//"):
            continue
        yield f"{path}:{number}", line


def check_fields(where, fields):
    for k, field in enumerate(fields, 1):
        if not field:
            raise DataError(f"{where}: field {k} is empty")
        if field != field.strip():
            raise DataError(f"{where}: field {k} has blanks at an edge")


def read_holidays(path):
    entries = []
    for where, line in data_lines(path):
        fields = line.split("#")
        if len(fields) not in (13, 14):
            raise DataError(f"{where}: {len(fields)} fields, expected 13 or 14")
        check_fields(where, fields[:13])
        if fields[1] not in CATEGORIES:
            raise DataError(f"{where}: unknown category {fields[1]!r}")
        entries.append(line)
    if not entries:
        raise DataError(f"{path}: no entries")
    return entries


def read_texts(path):
    rows = {}
    for where, line in data_lines(path):
        fields = line.split("#")
        if len(fields) != 11:
            raise DataError(f"{where}: {len(fields)} fields, expected a key and 10 texts")
        check_fields(where, fields)
        key = fields[0]
        if key not in TEXT_KEYS:
            raise DataError(f"{where}: unknown key {key!r}")
        if key in rows:
            raise DataError(f"{where}: key {key} given twice")
        rows[key] = fields[1:]
    missing = [k for k in TEXT_KEYS if k not in rows]
    if missing:
        raise DataError(f"{path}: missing {', '.join(missing)}")
    return rows


def cpp_literal(text):
    out = ['"']
    for ch in text:
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif ch == "?":
            out.append("\\?")  # no trigraph surprises
        elif ord(ch) < 0x20:
            raise DataError(f"control character in {text!r}")
        else:
            out.append(ch)
    out.append('"')
    return "".join(out)


def text_rows(name, rows, keys):
    out = [f"const char* const {name}[{len(keys)}][kCalendarLanguageCount] = {{"]
    for key in keys:
        out.append("    {" + ", ".join(cpp_literal(t) for t in rows[key]) + "},")
    out.append("};")
    return out


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().split("\n")[2], file=sys.stderr)
        return 2
    out_path, holidays_path, texts_path = argv[1:]
    try:
        entries = read_holidays(holidays_path)
        texts = read_texts(texts_path)
        c = [
            "// Generated from calendar/Holidays.txt and calendar/CalendarTexts.txt by",
            "// tools/calendar_data/gen_calendar_data.py. Do not edit.",
            '#include "calendar/CalendarData.h"',
            "",
            "namespace tarvo::calendar_data {",
            "",
            f"const int kHolidayEntryCount = {len(entries)};",
            f"const char* const kHolidayEntries[{len(entries)}] = {{",
        ]
        c += [f"    {cpp_literal(e)}," for e in entries]
        c += ["};", ""]
        c += text_rows("kMonthNames", texts, [f"MONTH{m:02d}" for m in range(1, 13)]) + [""]
        c += text_rows("kZodiacNames", texts, [f"ZODIAC{s:02d}" for s in range(1, 13)]) + [""]
        c += text_rows("kEasternYearNames", texts, [f"YEAR{a:02d}" for a in range(1, 13)]) + [""]
        c += text_rows("kCategoryLabels", texts, [f"LABEL_{x}" for x in LABELS]) + [""]
        c += [
            "const char* const kAnniversarySuffix[kCalendarLanguageCount] = {",
            "    " + ", ".join(cpp_literal(t) for t in texts["ANNIVERSARY"]),
            "};",
            "",
            "}  // namespace tarvo::calendar_data",
            "",
        ]
    except (DataError, OSError) as e:
        print(f"gen_calendar_data: {e}", file=sys.stderr)
        return 1
    with open(out_path, "w", encoding="utf-8") as f:
        f.write("\n".join(c))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
