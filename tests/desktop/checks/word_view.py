"""Looking at the word display: waiting for a word to be shown and drawn,
and finding the word's pixels in a picture of the display."""

import hashlib
import time

from harness import access, xwindows
from harness.screen import grab, word_box
from harness.waiting import wait_stable, wait_until


def wait_word(game, words, timeout=3.0, other_than=None):
    """Waits until the word display names one of `words` (and not `other_than`); returns the word."""
    display = game.word_display()
    return wait_until(lambda: (lambda n: n in words and n != other_than and n)(access.name(display)),
                      timeout, f"the word display shows one of {sorted(words)}")


def visible_display(game):
    """The word display's place, and the part of it that is on the screen (or None)."""
    place = access.extents(game.word_display())
    return place, place.intersection(xwindows.screen_rect()) if place else None


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


def since(moment):
    return time.monotonic() - moment
