"""The end of a round: the box that says the round is over leaves the final
score in the word display in sight, and an Enter that was meant for the last
word (pressed within the box's first second) does not close it unread."""

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
# An Enter this soon after the box appeared belongs to the round, not to the box.
EARLY = 1.0
EARLY_ENTER_AT = 0.5


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
    # Where the box first stands (asked of the game: quicker than of the X
    # server), since an early Enter may close it before it is measured again.
    covering = access.extents(end_box)
    time.sleep(max(0.0, EARLY_ENTER_AT - (time.monotonic() - appeared)))
    entered = game.key("Return") - appeared
    check.require(entered < EARLY, f"the early Enter came {entered:.2f} s after the box: the check was too slow")
    time.sleep(0.3)
    still_open = access.showing(end_box) and _end_box(game) is not None
    check.expect(still_open, f"an Enter {entered * 1000:.0f} ms after the end box appeared closed it unread")
    if still_open:
        place = xwindows.steady_place(MESSAGE_TITLE)
        covering = place.frame if place is not None else covering
    check.require(covering is not None, "the end box's place could not be read")

    score = _final_score_box(check, game, covering if still_open else None)
    check.expect(score is not None, "the final score cannot be seen in the word display")
    if score is not None:
        check.expect(not score.grown(2).intersects(covering),
                     f"the end box ({covering}) covers the final score ({score})")
    if still_open:
        time.sleep(max(0.0, EARLY + 0.2 - (time.monotonic() - appeared)))
        game.key("Return")
        try:
            wait_until(lambda: _end_box(game) is None, 2.0, "the end box closes")
        except TimedOut:
            check.expect(False, "an Enter after the box's first second does not close it")
