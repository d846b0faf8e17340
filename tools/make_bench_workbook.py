#!/usr/bin/python3
"""Writes the benchmark's word library: 4 sheets of 65,535 rows each (the
header row and 65,534 words), the row limit of an Excel 97-2003 sheet.

    /usr/bin/python3 tools/make_bench_workbook.py OUT.xls
"""

import sys

import xlwt

SHEETS = 4
ROWS = 65535


def main():
    out = sys.argv[1]
    book = xlwt.Workbook(encoding="utf-8")
    for s in range(SHEETS):
        sheet = book.add_sheet("词库%d" % (s + 1))
        sheet.write(0, 0, "名称")
        sheet.write(0, 1, "分值")
        for r in range(1, ROWS):
            sheet.write(r, 0, "词语%d-%05d" % (s + 1, r))
            sheet.write(r, 1, 1 + r % 5)
    book.save(out)


if __name__ == "__main__":
    main()
