"""The rules dialog tells the skip penalties as the round applies them (the
first two skips free, the third costs 2 seconds) and points to no file the
game does not read (Sound.txt)."""

import re

from harness import access
from harness.game import RULES_TITLE

from . import libraries

CLAUSE_END = r"[，。；,;！!]"
TWO_SECONDS = r"(2|二|两)\s*秒"
FIRST_TWO = r"前两次|前二次|前2次|头两次|第一次和第二次|第一、二次|第一二次|第1、2次|第一次、第二次"


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    game.open_rules()
    texts = [access.name(label) or "" for label in access.find_all(game.window(RULES_TITLE), "label")]
    check.require(texts, "the rules dialog shows no text")
    check.expect(not any("sound.txt" in text.lower() for text in texts),
                 "the rules dialog tells the host to edit Sound.txt, which the game never reads")
    rules = max(texts, key=len)
    clauses = re.split(CLAUSE_END, rules)
    second = [c for c in clauses if "第二次" in c and re.search(TWO_SECONDS, c)]
    check.expect(not second, f"the rules say the second skip costs 2 seconds: {second[:1]}")
    check.expect(any("第三次" in c and re.search(TWO_SECONDS, c) for c in clauses),
                 "the rules do not say that the third skip costs 2 seconds")
    check.expect(re.search(FIRST_TWO, rules), "the rules do not say that the first two skips are free")
