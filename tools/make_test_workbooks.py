#!/usr/bin/python3
"""Writes the small word-library workbooks that the tests read.

Run with Debian's interpreter (it has python3-xlwt):
    /usr/bin/python3 tools/make_test_workbooks.py tests/workbook/data
Each file is named after the case it exercises. The output is deterministic,
so regenerating leaves the committed files unchanged unless this script moved.
"""

import datetime
import os
import sys

import xlwt

HEADER = ["名称", "分值"]
# A cell with formatting and no value, as a host leaves below the words when
# colouring whole columns.
FORMATTED = object()


def workbook(sheets):
    """sheets: list of (name, rows); a row is a list of cell values, None leaves a cell empty.

    Names that Excel refuses ("]", more than 31 characters) are set after the
    sheet is added: crafted files carry them, and the tests must meet them."""
    book = xlwt.Workbook(encoding="utf-8")
    date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
    datetime_style = xlwt.easyxf(num_format_str="YYYY-MM-DD HH:MM:SS")
    formatted_style = xlwt.easyxf("pattern: pattern solid, fore_colour light_yellow")
    for index, (name, rows) in enumerate(sheets):
        sheet = book.add_sheet("Sheet%d" % (index + 1))
        sheet.name = name
        for r, row in enumerate(rows):
            for c, value in enumerate(row):
                if value is None:
                    continue
                if value is FORMATTED:
                    sheet.write(r, c, None, formatted_style)
                    continue
                if isinstance(value, datetime.datetime):
                    sheet.write(r, c, value, datetime_style)
                elif isinstance(value, datetime.date):
                    sheet.write(r, c, value, date_style)
                else:
                    sheet.write(r, c, value)
    return book


def save(folder, name, sheets):
    workbook(sheets).save(os.path.join(folder, name))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "tests/workbook/data"
    os.makedirs(folder, exist_ok=True)

    two_sheets = [
        ("Sheet1", [HEADER, ["苹果", 3], ["香蕉", "5"], [" 冰 淇 淋 ", 2]]),
        ("Sheet2", [HEADER, ["大象", 4.0], ["长颈鹿", 2.5]]),
    ]
    save(folder, "words_two_sheets.xls", two_sheets)

    save(folder, "words_sheet_name_with_blank.xls", [
        ("动物 词库", [HEADER, ["猫", 1]]),
        ("Sheet2", [HEADER, ["狗", 2]]),
    ])

    save(folder, "words_empty_cells.xls", [
        ("Sheet1", [HEADER, ["苹果", 3], [], [None, 4], ["梨", None], ["桃", 1]]),
    ])

    save(folder, "words_header_only.xls", [
        ("Sheet1", [HEADER]),
        ("Sheet2", [HEADER]),
    ])

    save(folder, "words_duplicates.xls", [
        ("Sheet1", [HEADER, ["苹果", 3], ["苹果", 3]]),
        ("Sheet2", [HEADER, ["苹果", 3]]),
    ])

    save(folder, "words_mismatched_columns.xls", [
        ("水果", [HEADER + ["备注"], ["苹果", 3, "红的"]]),
        ("动物", [HEADER, ["猫", 1]]),
    ])

    save(folder, "words_empty_sheet.xls", [
        ("Sheet1", [HEADER, ["苹果", 3]]),
        ("Sheet2", []),
    ])

    save(folder, "words_missing_points_column.xls", [
        ("Sheet1", [["名称", "分数"], ["苹果", 3]]),
    ])

    save(folder, "words_missing_word_column.xls", [
        ("Sheet1", [["词语", "分值"], ["苹果", 3]]),
    ])

    save(folder, "words_extra_columns.xls", [
        ("Sheet1", [["序号", "名称", "分值"], [1, "苹果", 3]]),
        ("Sheet2", [["编号", "名称", "分值"], [2, "香蕉", 4]]),
    ])

    save(folder, "words_header_quirks.xls", [
        ("Sheet1", [["名称", None, "分值", "名称", 7], ["苹果", "x", 3, "重复", "y"]]),
    ])

    save(folder, "words_number_forms.xls", [
        ("Sheet1", [
            HEADER,
            ["整数", 3],
            ["负数", -7],
            ["小数", 2.5],
            ["十五位", 0.1 + 0.2],
            ["大数", 1e20],
            ["小数点后很多位", 1e-7],
            ["十八位", 123456789012345678.0],
            ["十万", 100000.0],
            ["文本数字", "007"],
            ["日期", datetime.date(2024, 3, 9)],
            ["日期时间", datetime.datetime(2024, 3, 9, 13, 5, 0)],
        ]),
    ])

    save(folder, "words_many_sheets.xls", [
        ("S%03d" % i, [HEADER, ["词%d" % i, i]]) for i in range(1, 121)
    ])

    save(folder, "words_formatting_below_words.xls", [
        ("Sheet1", [HEADER, ["苹果", 3], ["香蕉", 5]] + [[FORMATTED, FORMATTED]] * 300),
    ])

    save(folder, "words_blank_rows_only.xls", [
        ("Sheet1", [HEADER] + [[FORMATTED, FORMATTED]] * 20),
    ])

    save(folder, "words_long_entry.xls", [
        ("Sheet1", [HEADER, ["苹果", 3], ["一二三四五六七八九十" * 100, 5], ["四十个字" * 10, 2], ["四十一个字" + "长" * 36, 1]]),
        ("Sheet2", [HEADER, ["大象", 4], ["六十" * 30, 2]]),
    ])

    save(folder, "words_only_long_words.xls", [
        ("Sheet1", [HEADER, ["五十个字的词语" + "长" * 43, 1]]),
    ])

    # Sheet names written as SQL: the load must read them as names and
    # nothing else. None holds "'" or "$", which the sheet-name filter drops.
    save(folder, "words_sheet_name_adds_words.xls", [
        ('main].[sqlite_master] join (select "骗子词" 名称, 99 分值)--', [HEADER, ["苹果", 3]]),
    ])
    save(folder, "words_sheet_name_shows_address.xls", [
        ('main].[sqlite_master] join (select hex(fts3_tokenizer("simple")) 名称, 1 分值)--', [HEADER, ["苹果", 3]]),
    ])
    save(folder, "words_sheet_name_runs_endless_query.xls", [
        ("main].[sqlite_master],(with recursive c(x)as(select 1 union all select x+1 from c)"
         "select count(*)名称,1 分值 from c)--", [HEADER, ["苹果", 3]]),
    ])

    with open(os.path.join(folder, "words_two_sheets.xls"), "rb") as whole:
        data = whole.read()
    with open(os.path.join(folder, "words_truncated.xls"), "wb") as cut:
        cut.write(data[: len(data) // 2])

    with open(os.path.join(folder, "words_not_a_workbook.xls"), "wb") as text:
        text.write("名称,分值\n苹果,3\n".encode("utf-8"))


if __name__ == "__main__":
    main()
