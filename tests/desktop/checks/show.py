"""A match run as a show, as a host sets it up on a 1024×768 laptop: the
event's name, a skip cap of one, and three teams racing to 6 points, pass 1
描述 and pass 2 比划. Before every round the rule card names the team and
the kind; the first counts down by itself, the others are cut short with
正确. After the one skip a round allows, 跳过 is greyed out while time is
left. Two teams reach the target together, so they play a tie-break round
(加赛) each, in which the first scores; the podium then shows the event's
name and the best actor: the first team's players 小王 and 小李 take turns
to act, as the cards say. With --pictures the rule card and the podium are
photographed."""

import os
import time

from harness import access, xwindows
from harness.clipboard import Clipboard
from harness.game import MESSAGE_TITLE, ROUND_TITLE, RULES_TITLE, START_TITLE
from harness.screen import grab
from harness.waiting import TimedOut, wait_stable, wait_until

from . import libraries
from .countdown_box import countdown_box, type_into
from .match import MATCH_TITLE, _cells, _table
from .word_view import PRESS_GUARD, wait_word

EVENT = "星光年会之夜"
COUNTDOWN = "12"
TARGET = "6"
CARD = "规则卡"
PLAYERS = "小王、小李"
# Round by round: the team, its kind, who acts, skips, words correct (2
# points each). After pass 2 the first two teams stand at 6 points and 1
# skip each.
ROUNDS = [("第1队", "描述", "小王", 1, 2), ("第2队", "描述", None, 1, 2), ("第3队", "描述", None, 0, 1),
          ("第1队", "比划", "小李", 0, 1), ("第2队", "比划", None, 0, 1), ("第3队", "比划", None, 0, 0),
          ("第1队", "比划", "小王", 0, 1), ("第2队", "比划", None, 0, 0)]
# Tie-break rounds earn no points: 小王 acted the 4 points of round 1.
BEST_ACTOR = "最佳表演：小王（第1队）4 分"
TIE_BREAK_FROM = 7
FINAL = ["第1队", "第2队", "第3队"]
WORDS = dict(libraries.FOUR_CHARACTER_WORDS)


def _picture(check, name):
    folder = check.options.get("pictures")
    if folder:
        os.makedirs(folder, exist_ok=True)
        grab().save(os.path.join(folder, name))


def _names(root):
    return [access.name(node) or "" for node in access.find_all(root, only_showing=True)]


def _paste_event(game, clipboard):
    """Pastes the event's name into its field, again if the paste went
    elsewhere, as a host would: a click just after the panel shows may land
    before the field is in place. Returns the text that stands."""
    clipboard.hold(EVENT)
    text = None
    for _ in range(3):
        name = wait_until(lambda: access.find(game.window(RULES_TITLE), name_is="活动名称", only_showing=True), 3.0,
                          "the event's name field")
        xwindows.steady_place(RULES_TITLE)
        game.click(name)
        game.key("ctrl+a")
        game.key("ctrl+v")
        text = wait_stable(lambda: access.text(name), 2.0, "text of the event's name field", settle=0.2)
        if text == EVENT:
            break
    return text


def _set_up(check, game, clipboard):
    rules = game.open_rules()
    xwindows.steady_place(RULES_TITLE)
    check.require(type_into(game, countdown_box(game), COUNTDOWN) == COUNTDOWN, f"the countdown box takes {COUNTDOWN}")
    # On a small screen the show's settings stand behind a button.
    more = access.find(rules, "push button", "活动和玩法", only_showing=True)
    if more is not None:
        game.click(more)
    check.require(_paste_event(game, clipboard) == EVENT, f"the event's name field takes {EVENT}")
    cap = access.find(game.window(RULES_TITLE), name_is="跳过上限", only_showing=True)
    check.require(cap is not None, "the rules dialog has no 跳过上限")
    game.click(cap)
    game.key("ctrl+a")
    game.type_text("1")
    game.key("Tab")
    _picture(check, "show-settings.png")

    game.click(access.find(game.window(RULES_TITLE), "push button",
                           test=lambda n: (access.name(n) or "").startswith("比赛设置")))
    dialog = game.wait_window(MATCH_TITLE)
    xwindows.steady_place(MATCH_TITLE)
    game.click(access.find(dialog, "push button", "添加队"))
    game.key("Return")
    game.click(access.find(dialog, "list item", "第1队"))
    game.click(access.find(dialog, name_is="队员"))
    clipboard.hold(PLAYERS)
    game.key("ctrl+v")
    game.click(access.find(dialog, "radio button", "先到目标分："))
    target = access.find(dialog, name_is="目标分")
    game.click(target)
    game.key("ctrl+a")
    game.type_text(TARGET)
    game.click(access.find(dialog, "push button", "添加一轮"))
    # The new pass has the focus and takes the kind before it; the next in
    # the list is 比划. The cards of pass 2 tell whether it took.
    time.sleep(0.3)
    game.key("Down")
    time.sleep(0.3)
    game.click(access.find(dialog, "push button", "开始比赛"))
    try:
        wait_until(lambda: game.window(MATCH_TITLE) is None, 3.0, "the match set-up closes")
    except TimedOut:
        said = [n for n in _names(dialog) if n]
        check.require(False, f"the match set-up did not start; it says {said}")
    game.focus(RULES_TITLE)
    game.key("Escape")
    wait_until(lambda: game.window(RULES_TITLE) is None, 3.0, "the rules dialog closes")
    shown = wait_until(lambda: access.find(game.window(START_TITLE), name_is=EVENT, only_showing=True), 3.0,
                       "the event's name on the start window")
    check.expect(shown is not None, f"the start window does not show {EVENT}")


def _card(check, game, number, team, kind, actor):
    """The rule card before the round names its team and kind; the first
    counts down by itself, the others are cut short with 正确."""
    window = game.round_window
    card = wait_until(lambda: access.find(window(), name_is=CARD, only_showing=True), 5.0,
                      f"round {number}: the rule card")
    said = " ".join(_names(card))
    check.expect(team in said and kind in said, f"round {number}: the rule card says {said!r}, not {team} {kind}")
    if actor:
        check.expect(f"表演：{actor}" in said, f"round {number}: the rule card says {said!r}, not that {actor} acts")
    if number == 1:
        time.sleep(0.5)
        _picture(check, "rule-card.png")
    else:
        game.click(game.correct_button())
    wait_until(lambda: access.find(window(), name_is=CARD, only_showing=True) is None, 6.0,
               f"round {number}: the rule card ends")


def _play(check, game, number, skips, correct):
    word = wait_word(game, WORDS, 5.0)
    for _ in range(skips):
        time.sleep(PRESS_GUARD)
        game.click(game.skip_button())
        word = wait_word(game, WORDS, 3.0, other_than=word)
    if skips:
        greyed = wait_until(lambda: not access.enabled(game.skip_button()) or None, 2.0, "跳过 greyed at the cap")
        left = access.name(game.time_display()) or ""
        check.expect(greyed, f"round {number}: 跳过 still taken after the skip cap")
        check.log(f"round {number}: 跳过 greyed with {left!r} on the clock")
    for _ in range(correct):
        time.sleep(PRESS_GUARD)
        game.click(game.correct_button())
        word = wait_word(game, WORDS, 3.0, other_than=word)


def _review(check, game, number, correct):
    wait_until(lambda: next((d for d in game.dialogs() if access.name(d) == MESSAGE_TITLE), None),
               int(COUNTDOWN) + 8.0, f"round {number}: the end-of-round box")
    time.sleep(1.0)
    game.key("Return")
    review = wait_until(lambda: _table(game, "本轮的词"), 5.0, f"round {number}: the review")
    rows = _cells(review)
    check.expect(sum(1 for row in rows if row[1].startswith("✓")) == correct,
                 f"round {number}: the review shows {rows}, not {correct} words correct")
    game.key("Return")
    return wait_until(lambda: _table(game, "比赛排名"), 5.0, f"round {number}: the scoreboard")


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS,
                        environment={"XDG_DATA_HOME": check.folder("data"), "XDG_CONFIG_HOME": check.folder("config")})
    clipboard = Clipboard()
    try:
        _set_up(check, game, clipboard)
    finally:
        clipboard.close()
    game.start_round()
    standings = None
    for number, (team, kind, actor, skips, correct) in enumerate(ROUNDS, start=1):
        _card(check, game, number, team, kind, actor)
        _play(check, game, number, skips, correct)
        standings = _review(check, game, number, correct)
        said = " ".join(_names(game.round_window()))
        if number == TIE_BREAK_FROM - 1:
            check.expect("加赛" in said, f"after pass 2 the scoreboard does not announce the tie-break: {said!r}")
        if number < len(ROUNDS):
            game.key("Return")
            wait_until(lambda: _table(game, "比赛排名") is None, 5.0, f"round {number + 1} starts")
    time.sleep(0.3)
    rows = _cells(standings)
    check.log(f"final standings {rows}")
    check.expect([row[1] for row in rows] == FINAL, f"the standings are {rows}, not {FINAL} in that order")
    podium = wait_until(lambda: access.find(game.round_window(),
                                            test=lambda n: (access.name(n) or "").startswith("领奖台")), 3.0,
                        "the podium")
    check.expect(podium is not None and access.showing(podium), "no podium after the tie-break")
    shown = _names(game.round_window())
    check.expect(EVENT in shown, f"the podium's screen does not show {EVENT}")
    check.expect(any(BEST_ACTOR in name for name in shown), f"the podium's screen does not say {BEST_ACTOR}: {shown}")
    _picture(check, "podium.png")
