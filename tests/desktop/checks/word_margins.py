"""The word is never cut: the longest words of a library are drawn with
background to spare on both sides of the word display, in the window and
in full screen. With --pictures the round is photographed in the window and
in full screen at each screen size."""

import os
import time

from harness import xwindows
from harness.game import ROUND_TITLE

from . import libraries
from .windows import covers, switch_mode
from .word_view import PRESS_GUARD, drawn_picture, wait_word, word_extent

# Background columns that must separate the word from each edge of the display.
MARGIN = 2


def _judge(check, game, word, mode):
    place, visible, box = word_extent(game)
    what = f"{word!r} {mode}"
    check.require(visible is not None, f"{what}: the word display ({place}) is not on the screen")
    check.expect(visible == place, f"{what}: the word display ({place}) reaches off the screen")
    check.require(box is not None, f"{what}: no pixel of the word can be seen in the word display ({visible})")
    left, right = box.x, visible.width - box.right
    check.log(f"{what}: word pixels {box.x}..{box.right} of {visible.width}")
    check.expect(left >= MARGIN and right >= MARGIN,
                 f"{what}: the word touches the display's edge (background columns: {left} left, "
                 f"{right} right; at least {MARGIN} needed)")


def _picture(check, game, name):
    folder = check.options.get("pictures")
    if folder:
        os.makedirs(folder, exist_ok=True)
        drawn_picture(game, xwindows.screen_rect()).save(os.path.join(folder, f"{name}-{check.size}.png"))


def run(check):
    game = check.launch(libraries.LONG_WORDS)
    words = libraries.words_of(libraries.LONG_WORDS)
    screen = xwindows.screen_rect()
    game.start_round()
    xwindows.steady_place(ROUND_TITLE)
    first = wait_word(game, words)
    shown = time.monotonic()
    _judge(check, game, first, "in the window")
    _picture(check, game, "round")

    full = covers(switch_mode(game, lambda place: covers(place, screen)), screen)
    _judge(check, game, first, "in full screen" if full else "after F4")
    _picture(check, game, "round-full-screen")

    time.sleep(max(0.0, PRESS_GUARD - (time.monotonic() - shown)))
    game.click(game.correct_button())
    second = wait_word(game, words, other_than=first)
    _judge(check, game, second, "in full screen" if full else "after F4")

    back = not covers(switch_mode(game, lambda place: place is not None and not covers(place, screen)), screen)
    _judge(check, game, second, "back in the window" if back else "after the second F4")
