"""F4 makes the guessing window cover the screen, and F4 again gives back the
framed window at its windowed size, centred, with the buttons placed by their
rule, and nothing left behind on the screen; three times in a row."""

from harness import xwindows
from harness.game import ROUND_TITLE

from . import libraries
from .windows import (covers, expect_button_rule, expect_centred, expect_nothing_stale, expect_on_screen,
                      expect_windowed_size, switch_mode)

ROUND_TRIPS = 3


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    game.start_round()
    screen, area = xwindows.screen_rect(), xwindows.work_area()
    xwindows.steady_place(ROUND_TITLE)
    # Each F4 switches the game's own mode whatever the screen showed after
    # the one before, so a trip that went wrong does not stop the next.
    for trip in range(1, ROUND_TRIPS + 1):
        what = f"round trip {trip} of {ROUND_TRIPS}"
        place = switch_mode(game, lambda p: covers(p, screen))
        check.require(place is not None, f"{what}: the guessing window disappeared after F4")
        check.expect(covers(place, screen), f"{what}: F4 did not make the guessing window cover the "
                                            f"{screen.width}x{screen.height} screen (it is at {place.client})")

        place = switch_mode(game, lambda p: p is not None and not covers(p, screen))
        check.require(place is not None, f"{what}: the guessing window disappeared after F4 back")
        check.log(f"{what}: back at {place.client}, frame {place.extents}")
        what = f"after F4 back ({what})"
        if not check.expect(not covers(place, screen), f"{what}: the window still covers the screen"):
            continue
        check.expect(place.extents.framed, f"{what}: the window has no frame (title bar, close box)")
        expect_windowed_size(check, place, area, what)
        expect_on_screen(check, place, area, what)
        expect_centred(check, place, area, what)
        expect_button_rule(check, game, what)
        expect_nothing_stale(check, what)
