"""Looking at the word display: waiting for a word to be shown and drawn,
and finding the word's pixels in a picture of the display."""

import hashlib

from harness import access, xwindows
from harness.screen import grab, word_box
from harness.waiting import wait_stable, wait_until


# Presses are spaced at least this long after a word appeared: a press
# sooner than 300 ms may rightly be taken for a double press and ignored.
PRESS_GUARD = 0.4


def wait_word(game, words, timeout=3.0, other_than=None):
    """Waits until the word display names one of `words` (and not `other_than`); returns the word."""
    display = game.word_display()

    def shown():
        name = access.name(display)
        return name if name in words and name != other_than else None
    return wait_until(shown, timeout, f"the word display shows one of {sorted(words)}")


def visible_display(game):
    """The word display's place, and the part of it that is on the screen (or None)."""
    place = access.extents(game.word_display())
    visible = place.intersection(xwindows.screen_rect()) if place is not None else None
    return place, visible


def drawn_picture(game, rect, timeout=3.0):
    """A picture of rect once the display has finished drawing (a cross-fade has run out)."""
    def sample():
        return hashlib.sha1(grab(rect).tobytes()).hexdigest()
    wait_stable(sample, timeout, "picture of the word display", settle=0.25)
    return grab(rect)


def word_extent(game, timeout=3.0):
    """(display place, its visible part, the word's pixel box within that part), once drawn."""
    place, visible = visible_display(game)
    if visible is None:
        return place, None, None
    return place, visible, word_box(drawn_picture(game, visible, timeout))
