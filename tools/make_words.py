#!/usr/bin/python3
"""Builds the game's word library game/words.xls, and the same words as
game/words.xlsx, from the table tools/words.tsv.

The table has a header line "分类<TAB>名称<TAB>分值" and one word per line:
its sheet, the word, and its points (1 easy to act out, 3 hard). Sheets appear
in the workbook in the order in which the table first names them. Every sheet
gets the header row "名称", "分值"; points are written as numbers so that the
game reads "3" and not "3.0".

The table is checked before anything is written, and the written workbook is
read back and compared with the table. Run with Debian's python3, which has
python3-xlwt and python3-xlrd:

    /usr/bin/python3 tools/make_words.py            # write game/words.xls and game/words.xlsx
    /usr/bin/python3 tools/make_words.py --check    # fail if either is out of date
"""

import argparse
import io
import sys
from dataclasses import dataclass
from pathlib import Path

import xlrd
import xlwt

sys.path.insert(0, str(Path(__file__).resolve().parent))
from sheet_packages import xlsx_bytes  # noqa: E402

REPO = Path(__file__).resolve().parent.parent
DEFAULT_TABLE = REPO / "tools" / "words.tsv"
DEFAULT_WORKBOOK = REPO / "game" / "words.xls"
DEFAULT_XLSX = REPO / "game" / "words.xlsx"

TABLE_HEADER = ("分类", "名称", "分值")
SHEET_HEADER = ("名称", "分值")
POINTS = ("1", "2", "3")
# Shown a few characters to a projector screen, a longer word no longer fits in large type.
MAX_WORD_LENGTH = 6
IDIOM_SHEET = "成语"
IDIOM_LENGTH = 4
MIN_SHEETS = 6
MIN_WORDS = 600
# The game cuts each entry at "|"; the loader drops "'" and "$" from sheet names;
# the others are refused in sheet names by the workbook format itself.
FORBIDDEN_IN_WORD = "|"
FORBIDDEN_IN_SHEET = "'$[]:*?/\\"
MAX_SHEET_NAME = 31


class TableError(Exception):
    """The table cannot become a clean workbook; carries every problem found."""

    def __init__(self, problems):
        super().__init__("\n".join(problems))
        self.problems = problems


@dataclass(frozen=True)
class Word:
    sheet: str
    word: str
    points: int
    line: int


def _fits_code_page(text):
    # The game shows its texts in the GBK code page; a word outside it would show as "?".
    try:
        text.encode("gbk")
    except UnicodeEncodeError:
        return False
    return True


def _row_problems(sheet, word, points):
    problems = []
    for what, text in (("sheet", sheet), ("word", word), ("points", points)):
        if text == "":
            problems.append(f"empty {what}")
        elif text != text.strip():
            problems.append(f"{what} {text!r} has blanks around it")
    if sheet and (len(sheet) > MAX_SHEET_NAME or any(c in FORBIDDEN_IN_SHEET for c in sheet)):
        problems.append(f"sheet name {sheet!r} is not allowed "
                        f"(at most {MAX_SHEET_NAME} characters, none of {FORBIDDEN_IN_SHEET})")
    if word:
        if FORBIDDEN_IN_WORD in word:
            problems.append(f"word {word!r} contains {FORBIDDEN_IN_WORD!r}")
        if sheet == IDIOM_SHEET and len(word) != IDIOM_LENGTH:
            problems.append(f"idiom {word!r} must have {IDIOM_LENGTH} characters")
        elif len(word) > MAX_WORD_LENGTH:
            problems.append(f"word {word!r} is longer than {MAX_WORD_LENGTH} characters")
        if not _fits_code_page(word):
            problems.append(f"word {word!r} has characters outside the GBK code page")
    if sheet and not _fits_code_page(sheet):
        problems.append(f"sheet name {sheet!r} has characters outside the GBK code page")
    if points and points not in POINTS:
        problems.append(f"points {points!r} must be one of {', '.join(POINTS)}")
    return problems


def parse_table(text, name="words.tsv", min_sheets=MIN_SHEETS, min_words=MIN_WORDS):
    """Returns the words of the table in order, or raises TableError listing every problem."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or tuple(lines[0].split("\t")) != TABLE_HEADER:
        raise TableError([f"{name}:1: the first line must be {chr(9).join(TABLE_HEADER)!r}"])

    words, problems, first_seen = [], [], {}
    for number, line in enumerate(lines[1:], start=2):
        fields = line.split("\t")
        if len(fields) != len(TABLE_HEADER):
            problems.append(f"{name}:{number}: expected {len(TABLE_HEADER)} tab-separated fields, "
                            f"found {len(fields)}")
            continue
        sheet, word, points = fields
        row_problems = _row_problems(sheet, word, points)
        problems.extend(f"{name}:{number}: {p}" for p in row_problems)
        if word in first_seen:
            problems.append(f"{name}:{number}: word {word!r} already on line {first_seen[word]}")
        elif word:
            first_seen[word] = number
        if not row_problems:
            words.append(Word(sheet, word, int(points), number))

    sheets = {w.sheet for w in words}
    if len(sheets) < min_sheets:
        problems.append(f"{name}: {len(sheets)} sheets, at least {min_sheets} wanted")
    if len(words) < min_words:
        problems.append(f"{name}: {len(words)} words, at least {min_words} wanted")
    if problems:
        raise TableError(problems)
    return words


def sheets_in_order(words):
    """Groups the words by sheet, sheets in order of first appearance."""
    grouped = {}
    for w in words:
        grouped.setdefault(w.sheet, []).append(w)
    return grouped


def build_workbook(words):
    """Returns the bytes of the workbook; the same words always give the same bytes."""
    book = xlwt.Workbook(encoding="utf-8")
    for sheet_name, rows in sheets_in_order(words).items():
        sheet = book.add_sheet(sheet_name)
        sheet.col(0).width = 256 * 16
        for column, title in enumerate(SHEET_HEADER):
            sheet.write(0, column, title)
        for row, w in enumerate(rows, start=1):
            sheet.write(row, 0, w.word)
            sheet.write(row, 1, w.points)
    out = io.BytesIO()
    book.save(out)
    return out.getvalue()


def build_xlsx(words):
    """The same sheets and rows as an .xlsx workbook; the same words always give the same bytes."""
    return xlsx_bytes([(name, [list(SHEET_HEADER)] + [[w.word, w.points] for w in rows])
                       for name, rows in sheets_in_order(words).items()])


def verify_workbook(data, words):
    """Reads the workbook back and returns every difference from the words."""
    book = xlrd.open_workbook(file_contents=data)
    expected = sheets_in_order(words)
    problems = []
    if book.sheet_names() != list(expected):
        return [f"sheets {book.sheet_names()} instead of {list(expected)}"]
    for sheet_name, rows in expected.items():
        sheet = book.sheet_by_name(sheet_name)
        header = tuple(sheet.cell_value(0, c) for c in range(sheet.ncols))
        if header != SHEET_HEADER:
            problems.append(f"sheet {sheet_name}: header {header} instead of {SHEET_HEADER}")
        if sheet.nrows != len(rows) + 1:
            problems.append(f"sheet {sheet_name}: {sheet.nrows - 1} rows instead of {len(rows)}")
            continue
        for row, w in enumerate(rows, start=1):
            word_cell, points_cell = sheet.cell(row, 0), sheet.cell(row, 1)
            if word_cell.ctype != xlrd.XL_CELL_TEXT or word_cell.value != w.word:
                problems.append(f"sheet {sheet_name} row {row + 1}: word {word_cell!r}, wanted {w.word!r}")
            if points_cell.ctype != xlrd.XL_CELL_NUMBER or points_cell.value != w.points:
                problems.append(f"sheet {sheet_name} row {row + 1}: points {points_cell!r}, "
                                f"wanted the number {w.points}")
    return problems


def main(argv=None):
    parser = argparse.ArgumentParser(description="Build the game's word workbook from its table.")
    parser.add_argument("--table", type=Path, default=DEFAULT_TABLE)
    parser.add_argument("--out", type=Path, default=DEFAULT_WORKBOOK)
    parser.add_argument("--out-xlsx", type=Path, default=DEFAULT_XLSX)
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail when the workbook differs from a fresh build")
    args = parser.parse_args(argv)

    try:
        words = parse_table(args.table.read_text(encoding="utf-8"), name=args.table.name)
    except TableError as error:
        print(error, file=sys.stderr)
        return 1
    data = build_workbook(words)
    problems = verify_workbook(data, words)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1

    outputs = ((args.out, data), (args.out_xlsx, build_xlsx(words)))
    if args.check:
        for out, built in outputs:
            if not out.exists() or out.read_bytes() != built:
                print(f"{out} is out of date: run {Path(__file__).name} to rebuild it", file=sys.stderr)
                return 1
    else:
        for out, built in outputs:
            out.parent.mkdir(parents=True, exist_ok=True)
            out.write_bytes(built)

    counts = ", ".join(f"{name} {len(rows)}" for name, rows in sheets_in_order(words).items())
    print(f"{args.out.name}: {len(words)} words in {len(sheets_in_order(words))} sheets ({counts})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
