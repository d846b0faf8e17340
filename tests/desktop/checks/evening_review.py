"""After the time is up: the end box closed, the round's review read (on the
big screen, or on the phone that confirms it at once), confirmed, and the
scoreboard that follows. Each must tell what the presses made."""

import time

from harness import access
from harness.game import ROUND_TITLE
from harness.waiting import TimedOut, wait_until

from .evening_round import end_box, review_table, verdict_text

# An Enter in the end box's first second belongs to the round; the host reads the box first.
READ_BOX = 1.1
# How the phone's review writes a word of each verdict.
_PHONE_VERDICT = {"correct": "✓ {word}  +{points}", "skipped": "✗ {word}（跳过）",
                  "missed": "✗ {word}（没猜出）"}


def finish(rnd, box):
    """Closes the end box with the round's device, checks the review, confirms it
    and checks the scoreboard."""
    ev, plan, check = rnd.ev, rnd.plan, rnd.check
    time.sleep(READ_BOX)
    if plan.close == "phone":
        _phone_review(rnd)
        ev.hands.press("phone", "confirm")
        try:
            wait_until(lambda: end_box(ev.game) is None, 3.0, "the end box closes")
        except TimedOut:
            check.expect(False, f"{rnd.what}: the review confirmed on the phone leaves the end box open")
    else:
        ev.hands.press(plan.close, "close", box)
        wait_until(lambda: end_box(ev.game) is None, 3.0, f"{rnd.what}: the end box closes ({plan.close})")
        table = wait_until(lambda: review_table(ev.game), 3.0, f"{rnd.what}: the review on the big screen")
        _big_review(rnd, table)
        if plan.confirm == "phone":
            _phone_review(rnd)
        ev.hands.press(plan.confirm, "confirm")
    ev.tally.add(rnd.played)
    _scoreboard(rnd)


def _big_review(rnd, table):
    played, check = rnd.played, rnd.check
    rows = access.cells(table)
    expected = [[word, verdict_text(verdict, points)] for word, verdict, points in played.shown]
    check.expect(rows == expected, f"{rnd.what}: the review lists {rows}; the round showed {expected}")
    panel = access.find(rnd.ev.game.window(ROUND_TITLE), name_is="本轮成绩", only_showing=True)
    total = access.find(panel, "label", test=lambda n: (access.name(n) or "").startswith("总分"))
    said = access.name(total) if total else None
    check.expect(said == f"总分 {played.score:03d}    跳过 {played.skips}",
                 f"{rnd.what}: the review's total reads {said!r}; the round made {played.score} points "
                 f"and {played.skips} skips")
    team = rnd.ev.teams[played.team]
    check.expect(access.find(panel, "label", team, only_showing=True) is not None,
                 f"{rnd.what}: the review does not name the team {team}")


def _phone_review(rnd):
    played, check, phone = rnd.played, rnd.check, rnd.ev.phone
    count = len(played.shown)
    try:
        phone.wait(f"!document.getElementById('review').hidden && "
                   f"document.querySelectorAll('#review-lines button').length === {count}", 3.0,
                   "the review on the phone")
    except TimedOut:
        check.expect(False, f"{rnd.what}: the phone does not show the review of {count} words")
        return
    lines = phone.evaluate("[...document.querySelectorAll('#review-lines button')].map(b => b.textContent)")
    expected = [_PHONE_VERDICT[verdict].format(word=word, points=points) for word, verdict, points in played.shown]
    check.expect(lines == expected, f"{rnd.what}: the phone's review lists {lines}; the round showed {expected}")
    total = phone.text("review-total")
    check.expect(total == f"合计 {played.score} 分，跳过 {played.skips} 次",
                 f"{rnd.what}: the phone's review total reads {total!r}; the round made {played.score} "
                 f"points and {played.skips} skips")
    team = phone.text("team")
    check.expect(team == "本轮：" + rnd.ev.teams[played.team], f"{rnd.what}: the phone names the team {team!r}")


def scoreboard_table(game):
    window = game.window(ROUND_TITLE)
    return window and access.find(window, "table", "比赛排名", only_showing=True)


def _scoreboard(rnd):
    ev, check = rnd.ev, rnd.check
    how = "the phone" if "phone" in (rnd.plan.close, rnd.plan.confirm) else rnd.plan.confirm
    try:
        board = wait_until(lambda: scoreboard_table(ev.game), 2.0, "the scoreboard")
    except TimedOut:
        check.expect(False, f"{rnd.what}: no scoreboard on the big screen after the review was confirmed "
                            f"by {how}")
        return
    expected = ev.tally.standings()
    try:
        wait_until(lambda: access.cells(board) == expected, 2.0, "the scoreboard's rows")
    except TimedOut:
        check.expect(False, f"{rnd.what}: the scoreboard reads {access.cells(board)}; "
                            f"the rounds so far make {expected}")
