#!/usr/bin/python3
"""Tests of the word workbook builder; run with /usr/bin/python3 -m unittest tools/test_make_words.py."""

import sys
import unittest
from pathlib import Path

import xlrd

sys.path.insert(0, str(Path(__file__).resolve().parent))
import make_words  # noqa: E402

HEADER = "分类\t名称\t分值\t禁词\n"


def table(*rows):
    """Rows of sheet, word, points and, when given, the 禁词 cell (empty otherwise)."""
    return HEADER + "".join("\t".join(row + ("",) * (4 - len(row))) + "\n" for row in rows)


def parse_small(text):
    return make_words.parse_table(text, min_sheets=1, min_words=1)


class TableCheckTest(unittest.TestCase):
    def test_rejects_each_unclean_row(self):
        # Every row the game could not show or score is refused, with its line number.
        cases = [
            ("empty word", ("动物", "", "1"), "empty word"),
            ("empty points", ("动物", "猫", ""), "empty points"),
            ("empty sheet", ("", "猫", "1"), "empty sheet"),
            ("blank around word", ("动物", " 猫", "1"), "blanks around"),
            ("points zero", ("动物", "猫", "0"), "points '0'"),
            ("points four", ("动物", "猫", "4"), "points '4'"),
            ("points as decimal", ("动物", "猫", "3.0"), "points '3.0'"),
            ("points not a number", ("动物", "猫", "abc"), "points 'abc'"),
            ("word too long", ("动物", "一二三四五六七", "1"), "longer than 6"),
            ("idiom of five", ("成语", "一二三四五", "2"), "must have 4"),
            ("idiom of three", ("成语", "一二三", "2"), "must have 4"),
            ("entry separator", ("动物", "猫|狗", "1"), "contains '|'"),
            ("outside GBK", ("动物", "猫😀", "1"), "GBK"),
            ("dollar in sheet", ("动物$", "猫", "1"), "not allowed"),
            ("quote in sheet", ("动'物", "猫", "1"), "not allowed"),
            ("sheet name too long", ("动" * 32, "猫", "1"), "not allowed"),
            ("two forbidden words", ("动物", "猫", "1", "老鼠、鱼"), "2 forbidden words, 3 to 5"),
            ("six forbidden words", ("动物", "猫", "1", "一、二、三、四、五、六"), "6 forbidden words"),
            ("empty forbidden word", ("动物", "猫", "1", "老鼠、、鱼、胡须"), "empty forbidden word"),
            ("forbidden word is the word", ("动物", "猫", "1", "猫、鱼、胡须"), "gives the word '猫' away"),
            ("forbidden word holds the word", ("动物", "猫", "1", "小猫、鱼、胡须"), "gives the word"),
            ("forbidden word inside the word", ("动物", "长颈鹿", "1", "鹿、高、斑点"), "gives the word"),
            ("forbidden word twice", ("动物", "猫", "1", "鱼、老鼠、鱼"), "'鱼' appears twice"),
            ("other separator", ("动物", "猫", "1", "老鼠，鱼、胡须"), "separate forbidden words with"),
            ("blank inside", ("动物", "猫", "1", "老鼠 鱼、胡须、喵"), "separate forbidden words with"),
            ("forbidden word too long", ("动物", "猫", "1", "一二三四五六七、鱼、喵"), "longer than 6"),
        ]
        for label, row, message in cases:
            with self.subTest(label):
                with self.assertRaises(make_words.TableError) as caught:
                    parse_small(table(("动物", "狗", "1"), row))
                self.assertIn("words.tsv:3:", str(caught.exception))
                self.assertIn(message, str(caught.exception))

    def test_rejects_wrong_field_count(self):
        for label, line in (("three fields", "动物\t猫\t1\n"), ("five fields", "动物\t猫\t1\t\t额外\n")):
            with self.subTest(label):
                with self.assertRaisesRegex(make_words.TableError, "words.tsv:2: expected 4"):
                    parse_small(HEADER + line)

    def test_rejects_wrong_header(self):
        with self.assertRaisesRegex(make_words.TableError, "words.tsv:1:"):
            parse_small("sheet\tword\tpoints\n动物\t猫\t1\n")

    def test_duplicate_across_sheets_names_first_line(self):
        # The same word twice would come up twice in one game.
        with self.assertRaisesRegex(make_words.TableError, "words.tsv:4: word '猫' already on line 2"):
            parse_small(table(("动物", "猫", "1"), ("动物", "狗", "1"), ("日常用品", "猫", "2")))

    def test_reports_every_problem_at_once(self):
        with self.assertRaises(make_words.TableError) as caught:
            parse_small(table(("动物", "", "1"), ("动物", "猫", "9"), ("动物", "狗", "1")))
        self.assertEqual(len(caught.exception.problems), 2)

    def test_enforces_library_size(self):
        text = table(("动物", "猫", "1"), ("食物", "饺子", "2"))
        with self.assertRaisesRegex(make_words.TableError, "2 sheets, at least 3"):
            make_words.parse_table(text, min_sheets=3, min_words=1)
        with self.assertRaisesRegex(make_words.TableError, "2 words, at least 5"):
            make_words.parse_table(text, min_sheets=1, min_words=5)

    def test_accepts_idiom_of_four_and_word_of_six(self):
        words = parse_small(table(("成语", "画蛇添足", "3"), ("地点", "埃菲尔铁塔", "2"), ("动物", "猫", "1")))
        self.assertEqual([(w.sheet, w.word, w.points) for w in words],
                         [("成语", "画蛇添足", 3), ("地点", "埃菲尔铁塔", 2), ("动物", "猫", 1)])


class WorkbookTest(unittest.TestCase):
    WORDS = parse_small(table(("动物", "猫", "1"), ("食物", "饺子", "2"),
                              ("动物", "长颈鹿", "3", "脖子、高、动物园、斑点")))

    def test_round_trip_gives_sheets_in_first_seen_order_with_numeric_points_and_forbidden_words(self):
        # The game reads a points cell holding 3 as "3": it must be a number cell, not text "3.0";
        # a word without forbidden words has an empty 禁词 cell.
        for label, build in (("xls", make_words.build_workbook), ("xlsx", make_words.build_xlsx)):
            with self.subTest(label):
                book = xlrd.open_workbook(file_contents=build(self.WORDS))
                self.assertEqual(book.sheet_names(), ["动物", "食物"])
                animals = book.sheet_by_name("动物")
                self.assertEqual(animals.row_values(0), ["名称", "分值", "禁词"])
                self.assertEqual(animals.row_values(1), ["猫", 1.0, ""])
                self.assertEqual(animals.cell(1, 2).ctype, xlrd.XL_CELL_EMPTY)
                self.assertEqual(animals.row_values(2), ["长颈鹿", 3.0, "脖子、高、动物园、斑点"])
                self.assertEqual(animals.cell(2, 1).ctype, xlrd.XL_CELL_NUMBER)
                self.assertEqual(book.sheet_by_name("食物").row_values(1), ["饺子", 2.0, ""])

    def test_same_words_give_same_bytes(self):
        self.assertEqual(make_words.build_workbook(self.WORDS), make_words.build_workbook(self.WORDS))

    def test_verify_notices_a_different_workbook(self):
        other = parse_small(table(("动物", "猫", "2"), ("食物", "饺子", "2"),
                                  ("动物", "长颈鹿", "3", "脖子、高、动物园、斑点")))
        problems = make_words.verify_workbook(make_words.build_workbook(other), self.WORDS)
        self.assertEqual(len(problems), 1)
        self.assertIn("row 2: points", problems[0])


class BundledLibraryTest(unittest.TestCase):
    def test_committed_workbook_is_clean_and_up_to_date(self):
        # A table edit without a rebuild would ship a stale library.
        self.assertEqual(make_words.main(["--check"]), 0)


if __name__ == "__main__":
    unittest.main()
