#!/usr/bin/python3
"""Builds the game's word library game/words.xls, and the same words as
game/words.xlsx, from the table tools/words.tsv.

The table has a header line "分类<TAB>名称<TAB>分值<TAB>禁词" and one word per
line: its sheet, the word, its points (1 easy to act out, 3 hard) and the
words its describer may not say, 3 to 5 of them joined by "、", or nothing
when the word has none. Sheets appear in the workbook in the order in which
the table first names them. Every sheet gets the header row "名称", "分值",
"禁词"; points are written as numbers so that the game reads "3" and not
"3.0"; a word without forbidden words gets an empty 禁词 cell.

The table is checked before anything is written, and both written workbooks
are read back and compared with the table. Run with Debian's python3, which
has python3-xlwt and python3-xlrd:

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

TABLE_HEADER = ("分类", "名称", "分值", "禁词")
SHEET_HEADER = ("名称", "分值", "禁词")
POINTS = ("1", "2", "3")
# Shown a few characters to a projector screen, a longer word no longer fits in large type.
MAX_WORD_LENGTH = 6
IDIOM_SHEET = "成语"
IDIOM_LENGTH = 4
MIN_SHEETS = 6
MIN_WORDS = 600
# The game cuts each entry at "|"; the loader drops "'" and "$" from sheet names;
# the others are refused in sheet names by the workbook format itself.
REFUSED_IN_WORD = "|"
REFUSED_IN_SHEET = "'$[]:*?/\\"
MAX_SHEET_NAME = 31
# The game also splits a 禁词 cell at "，", "," and blanks: the table keeps to
# one separator, so a forbidden word holding another would reach the screen
# as two.
FORBIDDEN_SEPARATOR = "、"
OTHER_SEPARATORS = "，,"
# Fewer than three leave the describer too easy a way round; the game takes
# at most five; each stands under the word on the projector in smaller type.
MIN_FORBIDDEN = 3
MAX_FORBIDDEN = 5
MAX_FORBIDDEN_LENGTH = 6


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
    forbidden: tuple = ()


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
    if sheet and (len(sheet) > MAX_SHEET_NAME or any(c in REFUSED_IN_SHEET for c in sheet)):
        problems.append(f"sheet name {sheet!r} is not allowed "
                        f"(at most {MAX_SHEET_NAME} characters, none of {REFUSED_IN_SHEET})")
    if word:
        if REFUSED_IN_WORD in word:
            problems.append(f"word {word!r} contains {REFUSED_IN_WORD!r}")
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


def _forbidden_problems(word, cell):
    if cell == "":
        return []
    if cell != cell.strip():
        return [f"禁词 {cell!r} has blanks around it"]
    items = cell.split(FORBIDDEN_SEPARATOR)
    problems = []
    if not MIN_FORBIDDEN <= len(items) <= MAX_FORBIDDEN:
        problems.append(f"禁词 {cell!r} has {len(items)} forbidden words, "
                        f"{MIN_FORBIDDEN} to {MAX_FORBIDDEN} wanted")
    seen = set()
    for item in items:
        if item == "":
            problems.append(f"禁词 {cell!r} has an empty forbidden word "
                            f"(a {FORBIDDEN_SEPARATOR!r} too many)")
            continue
        if any(c.isspace() or c in OTHER_SEPARATORS or c in REFUSED_IN_WORD for c in item):
            problems.append(f"forbidden word {item!r} holds a blank, {OTHER_SEPARATORS!r} or "
                            f"{REFUSED_IN_WORD!r}: separate forbidden words with {FORBIDDEN_SEPARATOR!r}")
        if len(item) > MAX_FORBIDDEN_LENGTH:
            problems.append(f"forbidden word {item!r} is longer than {MAX_FORBIDDEN_LENGTH} characters")
        if not _fits_code_page(item):
            problems.append(f"forbidden word {item!r} has characters outside the GBK code page")
        if word and (item in word or word in item):
            problems.append(f"forbidden word {item!r} gives the word {word!r} away")
        if item in seen:
            problems.append(f"forbidden word {item!r} appears twice")
        seen.add(item)
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
        sheet, word, points, forbidden = fields
        row_problems = _row_problems(sheet, word, points) + _forbidden_problems(word, forbidden)
        problems.extend(f"{name}:{number}: {p}" for p in row_problems)
        if word in first_seen:
            problems.append(f"{name}:{number}: word {word!r} already on line {first_seen[word]}")
        elif word:
            first_seen[word] = number
        if not row_problems:
            words.append(Word(sheet, word, int(points), number,
                              tuple(forbidden.split(FORBIDDEN_SEPARATOR)) if forbidden else ()))

    sheets = {w.sheet for w in words}
    if len(sheets) < min_sheets:
        problems.append(f"{name}: {len(sheets)} sheets, at least {min_sheets} wanted")
    if len(words) < min_words:
        problems.append(f"{name}: {len(words)} words, at least {min_words} wanted")
    if problems:
        raise TableError(problems)
    return words


def forbidden_cell(word):
    """The 禁词 cell's text: the forbidden words as the table joins them, empty for none."""
    return FORBIDDEN_SEPARATOR.join(word.forbidden)


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
        sheet.col(2).width = 256 * 40
        for column, title in enumerate(SHEET_HEADER):
            sheet.write(0, column, title)
        for row, w in enumerate(rows, start=1):
            sheet.write(row, 0, w.word)
            sheet.write(row, 1, w.points)
            if w.forbidden:
                sheet.write(row, 2, forbidden_cell(w))
    out = io.BytesIO()
    book.save(out)
    return out.getvalue()


def build_xlsx(words):
    """The same sheets and rows as an .xlsx workbook; the same words always give the same bytes."""
    return xlsx_bytes([(name, [list(SHEET_HEADER)] + [[w.word, w.points, forbidden_cell(w) or None]
                                                      for w in rows])
                       for name, rows in sheets_in_order(words).items()])


def verify_workbook(data, words):
    """Reads the workbook (.xls or .xlsx) back and returns every difference from the words."""
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
            continue
        if sheet.nrows != len(rows) + 1:
            problems.append(f"sheet {sheet_name}: {sheet.nrows - 1} rows instead of {len(rows)}")
            continue
        for row, w in enumerate(rows, start=1):
            word_cell, points_cell, forbidden = sheet.cell(row, 0), sheet.cell(row, 1), sheet.cell(row, 2)
            if word_cell.ctype != xlrd.XL_CELL_TEXT or word_cell.value != w.word:
                problems.append(f"sheet {sheet_name} row {row + 1}: word {word_cell!r}, wanted {w.word!r}")
            if points_cell.ctype != xlrd.XL_CELL_NUMBER or points_cell.value != w.points:
                problems.append(f"sheet {sheet_name} row {row + 1}: points {points_cell!r}, "
                                f"wanted the number {w.points}")
            wanted_type = xlrd.XL_CELL_TEXT if w.forbidden else xlrd.XL_CELL_EMPTY
            if forbidden.ctype != wanted_type or forbidden.value != forbidden_cell(w):
                problems.append(f"sheet {sheet_name} row {row + 1}: 禁词 {forbidden!r}, "
                                f"wanted {forbidden_cell(w)!r}")
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
    outputs = ((args.out, build_workbook(words)), (args.out_xlsx, build_xlsx(words)))
    for out, built in outputs:
        problems = verify_workbook(built, words)
        if problems:
            print("\n".join(f"{out.name}: {p}" for p in problems), file=sys.stderr)
            return 1

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
