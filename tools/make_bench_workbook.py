#!/usr/bin/python3
"""Writes the benchmark's word library in every format the game reads: 4
sheets of 65,535 rows each (the header row and 65,534 words), the row limit
of an Excel 97-2003 sheet, as FOLDER/xls/words.xls, FOLDER/xlsx/words.xlsx and
FOLDER/ods/words.ods; and the same words as one table, FOLDER/csv/words.csv.

    /usr/bin/python3 tools/make_bench_workbook.py FOLDER
"""

import os
import sys

import xlwt

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sheet_packages import csv_text, ods_bytes, xlsx_bytes  # noqa: E402

SHEETS = 4
ROWS = 65535
HEADER = ["名称", "分值"]


def sheets():
    return [("词库%d" % (s + 1), [HEADER] + [["词语%d-%05d" % (s + 1, r), 1 + r % 5] for r in range(1, ROWS)])
            for s in range(SHEETS)]


def write(folder, kind, data):
    os.makedirs(os.path.join(folder, kind), exist_ok=True)
    with open(os.path.join(folder, kind, "words." + kind), "wb") as out:
        out.write(data.encode("utf-8") if isinstance(data, str) else data)


def main():
    folder = sys.argv[1]
    library = sheets()
    book = xlwt.Workbook(encoding="utf-8")
    for name, rows in library:
        sheet = book.add_sheet(name)
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                sheet.write(r, c, value)
    os.makedirs(os.path.join(folder, "xls"), exist_ok=True)
    book.save(os.path.join(folder, "xls", "words.xls"))
    write(folder, "xlsx", xlsx_bytes(library))
    write(folder, "ods", ods_bytes(library))
    write(folder, "csv", csv_text([HEADER] + [row for _, rows in library for row in rows[1:]]))


if __name__ == "__main__":
    main()
