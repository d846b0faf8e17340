#!/usr/bin/python3
"""Writes the small word-library workbooks that the tests read.

Run with Debian's interpreter (it has python3-xlwt):
    /usr/bin/python3 tools/make_test_workbooks.py tests/workbook/data
Each file is named after the case it exercises. The output is deterministic,
so regenerating leaves the committed files unchanged unless this script moved.
"""

import datetime
import os
import struct
import sys
import zipfile

import xlwt

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sheet_packages import Raw, csv_text, ods_bytes, xlsx_bytes  # noqa: E402

HEADER = ["名称", "分值"]
# A cell with formatting and no value, as a host leaves below the words when
# colouring whole columns.
FORMATTED = object()
# The error value #DIV/0! in a cell, as a file keeps a formula that failed.
DIV_BY_ZERO = object()


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
                if value is DIV_BY_ZERO:
                    sheet.row(r).set_cell_error(c, 0x07)
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


def records(data):
    """The BIFF records of a workbook stream as (type, body) pairs."""
    at, out = 0, []
    while at + 4 <= len(data):
        kind, length = struct.unpack_from("<HH", data, at)
        out.append((kind, data[at + 4:at + 4 + length]))
        at += 4 + length
    return out


def joined(recs):
    return b"".join(struct.pack("<HH", kind, len(body)) + body for kind, body in recs)


class PatchedWorkbook(xlwt.Workbook):
    """An xlwt workbook whose stream is rewritten before it is saved.

    xlwt keeps no result with a formula (it writes the marker of an empty
    text), as files of programs that do not calculate have it; results maps
    (row, column) of the last sheet to the result Excel would keep: a float,
    a str (a STRING record follows), True/False, or ("error", code).
    encrypted puts a FILEPASS record into the global records."""

    def __init__(self, results=None, encrypted=False):
        super().__init__(encoding="utf-8")
        self.results = results or {}
        self.encrypted = encrypted

    def get_biff_data(self):
        recs = records(super().get_biff_data())
        out, last_sheet_bof = [], max(i for i, (kind, _) in enumerate(recs) if kind == 0x0809)
        for index, (kind, body) in enumerate(recs):
            if kind == 0x0006 and index > last_sheet_bof:
                row, col = struct.unpack_from("<HH", body)
                result = self.results.get((row, col))
                if result is not None:
                    if isinstance(result, bool):
                        value = struct.pack("<BBBBHH", 1, 0, int(result), 0, 0, 0xFFFF)
                    elif isinstance(result, tuple):
                        value = struct.pack("<BBBBHH", 2, 0, result[1], 0, 0, 0xFFFF)
                    elif isinstance(result, str):
                        value = struct.pack("<BBBBHH", 0, 0, 0, 0, 0, 0xFFFF)
                    else:
                        value = struct.pack("<d", result)
                    body = body[:6] + value + body[14:]
                    out.append((kind, body))
                    if isinstance(result, str):
                        text = result.encode("utf-16-le")
                        out.append((0x0207, struct.pack("<HB", len(result), 1) + text))
                    continue
            out.append((kind, body))
            if kind == 0x0809 and index == 0 and self.encrypted:
                out.append((0x002F, struct.pack("<H", 0) + b"\x00" * 4))
        return joined(out)


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

    save(folder, "words_draft_sheet.xls", [
        ("动物", [HEADER, ["猫", 1]]),
        ("_草稿", [HEADER, ["还没想好", 1]]),
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

    save(folder, "words_only_bad_points.xls", [("Sheet1", [HEADER, ["猫", "abc"], ["狗", 0]])])

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

    formats(folder)


def _zip_of(parts):
    out = __import__("io").BytesIO()
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in parts.items():
            info = zipfile.ZipInfo(name, (1980, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data)
    return out.getvalue()


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data.encode("utf-8") if isinstance(data, str) else data)


def formats(folder):
    """The word libraries of the other formats, and the files that attack the reader."""
    two_sheets = [
        ("Sheet1", [HEADER, ["苹果", 3], ["香蕉", "5"], [" 冰 淇 淋 ", 2]]),
        ("Sheet2", [HEADER, ["大象", 4.0], ["长颈鹿", 2.5]]),
    ]
    write(folder, "words_two_sheets.xlsx", xlsx_bytes(two_sheets))
    write(folder, "words_two_sheets.ods", ods_bytes(two_sheets))
    write(folder, "words_two_sheets.csv", csv_text(two_sheets[0][1]))
    write(folder, "words_two_sheets.tsv", csv_text(two_sheets[0][1], "\t"))

    # Forbidden words as hosts type them: every separator, and each thing the
    # checker reports, the same in every format; the spreadsheets end in a
    # 禁词 cell that holds an error value, which a text table cannot hold.
    def forbidden(error_cell):
        rows = [
            HEADER + ["禁词"],
            ["长颈鹿", 2, "脖子、高、动物园"],
            ["大象", 3, "鼻子，耳朵, 灰色"],
            ["熊猫", 2, " 黑白  竹子\u3000国宝 "],
            ["猫", 1, None],
            ["狗", 1, "骨头、、汪汪"],
            ["老虎", 2, "老虎、森林"],
            ["狮子", 2, "草原、鬃毛、鬃毛"],
            ["猴子", 1, "香蕉、树、爬、尾巴、聪明、山、毛"],
            [None, None, "尾巴"],
        ]
        return [("动物", rows + ([["河马", 1, error_cell]] if error_cell is not None else []))]

    save(folder, "words_forbidden.xls", forbidden(DIV_BY_ZERO))
    write(folder, "words_forbidden.xlsx", xlsx_bytes(forbidden(Raw('<c t="e"><f>1/0</f><v>#DIV/0!</v></c>'))))
    write(folder, "words_forbidden.ods", ods_bytes(forbidden(Raw(
        '<table:table-cell table:formula="of:=1/0" office:value-type="string" office:string-value="" '
        'calcext:value-type="error"><text:p>#DIV/0!</text:p></table:table-cell>'))))
    write(folder, "words_forbidden.csv", csv_text(forbidden(None)[0][1]))

    # Values as the spreadsheet shows them.
    write(folder, "words_values.xlsx", xlsx_bytes([("值", [
        HEADER,
        ["公式", Raw("<c><f>1+2</f><v>3</v></c>")],
        ["文字公式", Raw('<c t="str"><f>"A"&amp;"B"</f><v>AB</v></c>')],
        [Raw('<c t="inlineStr"><is><t>行内</t></is></c>'), 1],
        [Raw('<c t="inlineStr"><is><r><t>富</t></r><r><rPr><b/></rPr><t>文本</t></r>'
             '<rPh sb="0" eb="1"><t>フ</t></rPh></is></c>'), 2],
        ["没算的公式", Raw("<c><f>1+2</f></c>")],
        ["错误", Raw('<c t="e"><f>1/0</f><v>#DIV/0!</v></c>')],
        ["真假", Raw('<c t="b"><v>1</v></c>')],
        ["日期", Raw('<c s="1"><v>45360</v></c>')],
        ["日期时间", Raw('<c s="3"><v>45360.545138888889</v></c>')],
        ["时间", Raw('<c s="2"><v>0.999999999</v></c>')],
        ["经过时间", Raw('<c s="4"><v>1.5</v></c>')],
        ["最后一天", Raw('<c s="1"><v>2958465</v></c>')],
        ["换行_x000A_符", 1],
        ["大数", 1e20],
    ])]))
    results = {(1, 1): 3.0, (2, 1): "AB", (4, 1): ("error", 0x07), (5, 1): True}
    book = PatchedWorkbook(results)
    sheet = book.add_sheet("值")
    date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
    time_style = xlwt.easyxf(num_format_str="hh:mm:ss")
    for c, title in enumerate(HEADER):
        sheet.write(0, c, title)
    rows = [
        ("公式", xlwt.Formula("1+2")),
        ("文字公式", xlwt.Formula('"A"&"B"')),
        ("没算的公式", xlwt.Formula("1+2")),
        ("错误", xlwt.Formula("1/0")),
        ("真假", xlwt.Formula("1=1")),
        ("错误值", None),
        ("最后一天", datetime.date(9999, 12, 31)),
        ("二一零零年", datetime.date(2100, 3, 1)),
        ("闰日", 60.0),
        ("时间", 0.999999999),
        ("a\x00b", 1),
        ("长" * 8300, 2),
    ]
    for r, (word, points) in enumerate(rows, start=1):
        sheet.write(r, 0, word)
        if word == "错误值":
            sheet.row(r).set_cell_error(1, 0x2A)
        elif word == "闰日":
            sheet.write(r, 1, points, date_style)
        elif word == "时间":
            sheet.write(r, 1, points, time_style)
        elif points is not None:
            sheet.write(r, 1, points, date_style if isinstance(points, datetime.date) else xlwt.Style.default_style)
    book.save(os.path.join(folder, "words_values.xls"))

    write(folder, "words_values.ods", ods_bytes([("值", [
        HEADER,
        ["公式", Raw('<table:table-cell table:formula="of:=1+2" office:value-type="float" office:value="3">'
                   "<text:p>3</text:p></table:table-cell>")],
        ["没算的公式", Raw('<table:table-cell table:formula="of:=1+2"/>')],
        ["错误", Raw('<table:table-cell table:formula="of:=1/0" office:value-type="string" office:string-value="" '
                   'calcext:value-type="error"><text:p>#DIV/0!</text:p></table:table-cell>')],
        ["日期", Raw('<table:table-cell office:value-type="date" office:date-value="2024-03-09">'
                   "<text:p>03/09/24</text:p></table:table-cell>")],
        ["日期时间", Raw('<table:table-cell office:value-type="date" office:date-value="2024-03-09T13:05:00">'
                     "<text:p>03/09/24 13:05</text:p></table:table-cell>")],
        ["时间", Raw('<table:table-cell office:value-type="time" office:time-value="PT13H05M00S">'
                   "<text:p>13:05</text:p></table:table-cell>")],
        ["真假", Raw('<table:table-cell office:value-type="boolean" office:boolean-value="true">'
                   "<text:p>TRUE</text:p></table:table-cell>")],
        [Raw('<table:table-cell office:value-type="string"><office:annotation><text:p>批注</text:p>'
             '</office:annotation><text:p>多<text:s text:c="2"/>空格</text:p><text:p>第二段</text:p>'
             "</table:table-cell>"), 1],
        Raw('<table:table-row table:number-rows-repeated="2"><table:table-cell office:value-type="string">'
            '<text:p>重复</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="2">'
            '<text:p>2</text:p></table:table-cell><table:table-cell table:number-columns-repeated="16000"/>'
            "</table:table-row>"),
        Raw('<table:table-row table:number-rows-repeated="3"><table:table-cell table:number-columns-repeated="1024"/>'
            "</table:table-row>"),
        Raw('<table:table-row><table:table-cell table:number-columns-repeated="2" office:value-type="float" '
            'office:value="7"><text:p>7</text:p></table:table-cell></table:table-row>'),
    ])]))

    text_rows = [HEADER, ["苹果,红的", 3], ["两行\n的词", 2], ['说"你好"', 1], ["桃", ""]]
    write(folder, "words_quoted.csv", csv_text(text_rows))
    write(folder, "words_gbk.csv", csv_text(text_rows).encode("gbk"))
    write(folder, "words_utf8_bom.csv", b"\xef\xbb\xbf" + csv_text(text_rows).encode("utf-8"))
    write(folder, "words_utf16.tsv", b"\xff\xfe" + csv_text(text_rows, "\t").encode("utf-16-le"))

    # Files that attack or confuse the reader.
    bomb = zipfile.ZipFile(os.path.join(folder, "words_zip_bomb.xlsx"), "w", zipfile.ZIP_DEFLATED)
    plain = zipfile.ZipFile(__import__("io").BytesIO(xlsx_bytes(two_sheets)))
    for info in plain.infolist():
        data = plain.read(info)
        if info.filename == "xl/worksheets/sheet1.xml":
            packed = zipfile.ZipInfo(info.filename, (1980, 1, 1, 0, 0, 0))
            packed.compress_type = zipfile.ZIP_DEFLATED
            with bomb.open(packed, "w") as part:
                part.write(data[:-len("</sheetData></worksheet>")])
                chunk = b" " * (1 << 20)
                for _ in range(1024):
                    part.write(chunk)
            continue
        bomb.writestr(zipfile.ZipInfo(info.filename, (1980, 1, 1, 0, 0, 0)), data, zipfile.ZIP_DEFLATED)
    bomb.close()

    # The same bomb with headers that claim the sheet unpacks to 100 bytes.
    with open(os.path.join(folder, "words_zip_bomb.xlsx"), "rb") as honest:
        data = bytearray(honest.read())
    name = b"xl/worksheets/sheet1.xml"
    for signature, size_at in ((b"PK\x03\x04", 22), (b"PK\x01\x02", 24)):
        at = data.find(signature)
        while at >= 0:
            name_at = at + (30 if signature == b"PK\x03\x04" else 46)
            if data[name_at:name_at + len(name)] == name:
                struct.pack_into("<I", data, at + size_at, 100)
            at = data.find(signature, at + 4)
    write(folder, "words_zip_bomb_lying_sizes.xlsx", bytes(data))

    laughs = ('<!DOCTYPE sst [<!ENTITY a "哈哈哈哈哈哈哈哈哈哈"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">'
              '<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">'
              '<!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;"><!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;">'
              '<!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;"><!ENTITY h "&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;">]>')
    write(folder, "words_entity_expansion.xlsx",
          xlsx_bytes([("Sheet1", [HEADER, [Raw('<c t="inlineStr"><is><t>&h;</t></is></c>'), 1]])], doctype=laughs))
    write(folder, "words_external_entity.xlsx",
          xlsx_bytes([("Sheet1", [HEADER, [Raw('<c t="inlineStr"><is><t>&x;</t></is></c>'), 1]])],
                     doctype='<!DOCTYPE worksheet [<!ENTITY x SYSTEM "file:///etc/passwd">]>'))
    encrypted = PatchedWorkbook(encrypted=True)
    sheet = encrypted.add_sheet("Sheet1")
    sheet.write(0, 0, "名称")
    sheet.write(0, 1, "分值")
    encrypted.save(os.path.join(folder, "words_encrypted.xls"))
    write(folder, "words_encrypted.ods", ods_bytes(two_sheets, manifest_extra=(
        '<manifest:encryption-data manifest:checksum-type="SHA1/1K" manifest:checksum="AAAA">'
        '<manifest:algorithm manifest:algorithm-name="Blowfish CFB" manifest:initialisation-vector="AAAA"/>'
        "</manifest:encryption-data>")))
    write(folder, "words_xlsx_named.xls", xlsx_bytes(two_sheets))
    write(folder, "words_ods_named.xlsx", ods_bytes(two_sheets))
    with open(os.path.join(folder, "words_two_sheets.xls"), "rb") as xls:
        write(folder, "words_xls_named.xlsx", xls.read())
    write(folder, "words_binary_junk.csv", bytes(range(256)) * 16)

    # 4,097 sheets, all naming the one sheet part: more than the game takes.
    one = zipfile.ZipFile(__import__("io").BytesIO(xlsx_bytes([("Sheet1", [HEADER, ["苹果", 3]])])))
    parts = {info.filename: one.read(info) for info in one.infolist()}
    sheets = "".join(f'<sheet name="S{i}" sheetId="{i}" r:id="rId1"/>' for i in range(1, 4099))
    parts["xl/workbook.xml"] = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?><workbook '
        'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
        'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
        f"<sheets>{sheets}</sheets></workbook>").encode("utf-8")
    write(folder, "words_too_many_sheets.xlsx", _zip_of(parts))

    # Damaged files of the new formats, beside the .xls ones that crashed
    # the earlier reader: each must be refused as damaged.
    malformed = os.path.join(folder, "malformed")
    whole = xlsx_bytes(two_sheets)
    write(malformed, "truncated-package.xlsx", whole[: len(whole) // 2])
    write(malformed, "broken-sheet-xml.xlsx", xlsx_bytes([("Sheet1", [HEADER, [Raw("<c><v>1</c>")]])]))
    write(malformed, "missing-shared-string.xlsx",
          xlsx_bytes([("Sheet1", [HEADER, ["苹果", Raw('<c t="s"><v>99</v></c>')]])]))
    write(malformed, "bad-cell-reference.xlsx", xlsx_bytes([("Sheet1", [HEADER, [Raw('<c r="1A"><v>1</v></c>')]])]))
    write(malformed, "number-cell-without-number.xlsx", xlsx_bytes([("Sheet1", [HEADER, ["苹果", Raw("<c><v>三</v></c>")]])]))
    whole = ods_bytes(two_sheets)
    write(malformed, "truncated-package.ods", whole[: len(whole) // 2])
    write(malformed, "zero-repeat.ods", ods_bytes([("Sheet1", [HEADER, Raw(
        '<table:table-row table:number-rows-repeated="0"><table:table-cell office:value-type="string">'
        "<text:p>猫</text:p></table:table-cell></table:table-row>")])]))
    write(malformed, "not-a-spreadsheet.ods", _zip_of({"mimetype": "application/zip", "content.xml": "<a/>"}))
    write(folder, "words_quote_not_closed.csv", '名称,分值\r\n"苹果,3\r\n香蕉,2\r\n')


if __name__ == "__main__":
    main()
