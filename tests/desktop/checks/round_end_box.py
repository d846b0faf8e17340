"""The end of a round: the box that says the round is over leaves the final
score in the word display in sight, and a click on its OK button the moment
it appears is taken (only presses already under way when it appeared are
not); the round's review follows."""

import time

from harness import access, xwindows
from harness.game import MESSAGE_TITLE, RULES_TITLE
from harness.geometry import Rect
from harness.screen import blank_out, word_box
from harness.waiting import TimedOut, wait_until

from . import libraries
from .countdown_box import countdown_box, type_into
from .word_view import drawn_picture

# The shortest countdown the rules dialog takes.
COUNTDOWN = "10"
# A deliberate click this soon after the box appeared.
EARLY_CLICK_AT = 0.3


def _end_box(game):
    for dialog in game.dialogs():
        if access.name(dialog) == MESSAGE_TITLE:
            return dialog
    return None


def _final_score_box(check, game, covered):
    """The final score's glyphs on the screen (blanking what the end box covers), or None."""
    display = game.word_display()

    def score_line():
        line = access.name(display) or ""
        return line if "分" in line else None
    try:
        line = wait_until(score_line, 2.0, "the final score in the word display")
    except TimedOut:
        check.expect(False, f"the word display shows {access.name(display)!r} at the end, not the final score")
        return None
    visible = access.extents(display).intersection(xwindows.screen_rect())
    picture = drawn_picture(game, visible)
    if covered is not None:
        picture = blank_out(picture, covered, origin=(visible.x, visible.y))
    box = word_box(picture)
    check.log(f"final score {line!r}: glyphs at {box} in the display at {visible}")
    if box is None:
        return None
    return Rect(box.x + visible.x, box.y + visible.y, box.width, box.height)


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    game.open_rules()
    check.require(type_into(game, countdown_box(game), COUNTDOWN) == COUNTDOWN,
                  f"the countdown box does not take {COUNTDOWN}")
    game.key("Escape")
    wait_until(lambda: game.window(RULES_TITLE) is None, 3.0, "the rules dialog closes")
    game.start_round()
    end_box = wait_until(lambda: _end_box(game), int(COUNTDOWN) + 5.0, "the end-of-round box")
    appeared = time.monotonic()
    place = xwindows.steady_place(MESSAGE_TITLE)
    covering = place.frame if place is not None else access.extents(end_box)
    check.require(covering is not None, "the end box's place could not be read")

    score = _final_score_box(check, game, covering)
    check.expect(score is not None, "the final score cannot be seen in the word display")
    if score is not None:
        check.expect(not score.grown(2).intersects(covering),
                     f"the end box ({covering}) covers the final score ({score})")

    ok = access.find(end_box, "push button", "确定")
    check.require(ok is not None, "the end box has no 确定 button")
    time.sleep(max(0.0, EARLY_CLICK_AT - (time.monotonic() - appeared)))
    clicked = game.click(ok) - appeared
    try:
        wait_until(lambda: _end_box(game) is None, 2.0, "the end box closes")
    except TimedOut:
        check.expect(False, f"a click on 确定 {clicked * 1000:.0f} ms after the end box appeared was ignored")
    review = wait_until(lambda: access.find(game.round_window(), "table", "本轮的词", only_showing=True), 3.0,
                        "the round's review after the end box")
    check.expect(review is not None, "no review follows the end box")
