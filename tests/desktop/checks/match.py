"""A match as a host runs it: three teams set up in the rules dialog, each
round reviewed on the big screen and confirmed with Enter, the scoreboard
after every round, and at the end a podium where two teams with equal
scores are told apart by their skips. With --pictures the review, the
scoreboard and the podium are photographed."""

import os
import time

from harness import access
from harness.game import MESSAGE_TITLE, ROUND_TITLE, RULES_TITLE, START_TITLE
from harness.screen import grab
from harness.waiting import wait_until

from . import libraries
from .countdown_box import countdown_box, type_into

COUNTDOWN = "10"
MATCH_TITLE = "比赛设置"
# What each team does in its round: skips first (a skip is refused once
# fewer than 10 seconds are left), then correct answers of 2 points each.
ROUNDS = [("第1队", 1, 2), ("第2队", 0, 2), ("第3队", 0, 1)]
# Equal scores, fewer skips first.
FINAL = [("第2队", "1", "004", "0"), ("第1队", "2", "004", "1"), ("第3队", "3", "002", "0")]
PRESS_GAP = 0.4


def _table(game, name):
    window = game.window(ROUND_TITLE)
    return window and access.find(window, "table", name, only_showing=True)


def _cells(table):
    content = table.queryTable()
    return [[access.name(content.getAccessibleAt(row, column)) for column in range(content.nColumns)]
            for row in range(content.nRows)]


def _picture(check, name):
    folder = check.options.get("pictures")
    if folder:
        os.makedirs(folder, exist_ok=True)
        grab().save(os.path.join(folder, name))


def _set_up(check, game):
    game.open_rules()
    check.require(type_into(game, countdown_box(game), COUNTDOWN) == COUNTDOWN, "the countdown box takes 10")
    rules = game.window(RULES_TITLE)
    game.click(access.find(rules, "push button", test=lambda n: (access.name(n) or "").startswith("比赛设置")))
    dialog = game.wait_window(MATCH_TITLE)
    game.click(access.find(dialog, "push button", "添加队"))
    game.key("Return")  # ends the editing of the new team's name
    game.click(access.find(dialog, "push button", "开始比赛"))
    wait_until(lambda: game.window(MATCH_TITLE) is None, 3.0, "the match set-up closes")
    game.focus(RULES_TITLE)
    game.key("Escape")
    wait_until(lambda: game.window(RULES_TITLE) is None, 3.0, "the rules dialog closes")
    start = game.window(START_TITLE)
    turn = wait_until(lambda: access.find(start, "label", "下一队：第1队", only_showing=True), 3.0,
                      "the start window names the first team")
    check.expect(turn is not None, "the start window does not say whose turn it is")


def card_over(game):
    """Waits out the rule card that opens every round of a match."""
    def card():
        window = game.window(ROUND_TITLE)
        return window and access.find(window, name_is="规则卡", only_showing=True)
    wait_until(card, 5.0, "the rule card shows")
    wait_until(lambda: not card(), 6.0, "the rule card ends")


def _play(game, skips, correct):
    card_over(game)
    for _ in range(skips):
        time.sleep(PRESS_GAP)
        game.click(game.skip_button())
    for _ in range(correct):
        time.sleep(PRESS_GAP)
        game.click(game.correct_button())


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    _set_up(check, game)
    game.start_round()
    for number, (team, skips, correct) in enumerate(ROUNDS, start=1):
        _play(game, skips, correct)
        box = wait_until(lambda: next((d for d in game.dialogs() if access.name(d) == MESSAGE_TITLE), None),
                         int(COUNTDOWN) + 5.0, "the end-of-round box")
        time.sleep(1.2)
        game.key("Return")
        wait_until(lambda: not access.showing(box) or game.window(MESSAGE_TITLE) is None, 3.0, "the end box closes")
        review = wait_until(lambda: _table(game, "本轮的词"), 3.0, "the review of the round")
        rows = _cells(review)
        check.log(f"round {number} ({team}): review {rows}")
        check.expect(sum(1 for row in rows if row[1].startswith("✓")) == correct,
                     f"round {number}: the review shows {rows}, with {correct} words correct")
        team_label = access.find(game.window(ROUND_TITLE), "label", team, only_showing=True)
        check.expect(team_label is not None, f"round {number}: the review does not name {team}")
        if number == 1:
            _picture(check, "review.png")
        game.key("Return")
        standings = wait_until(lambda: _table(game, "比赛排名"), 3.0, "the scoreboard")
        if number == 1:
            time.sleep(0.3)
            _picture(check, "scoreboard.png")
        if number < len(ROUNDS):
            game.key("Return")
            wait_until(lambda: _table(game, "比赛排名") is None, 3.0, "the next round starts")
    time.sleep(0.3)
    rows = _cells(standings)
    check.log(f"final standings {rows}")
    for place, (team, rank, score, skips) in enumerate(FINAL):
        check.expect(place < len(rows) and rows[place][:4] == [rank, team, score, skips],
                     f"place {place + 1} should be {team} (rank {rank}, {score} points, {skips} skips): {rows}")
    podium = access.find(game.window(ROUND_TITLE), name_is=None,
                         test=lambda n: (access.name(n) or "").startswith("领奖台"))
    check.expect(podium is not None and access.showing(podium), "no podium after the last round")
    _picture(check, "podium.png")
