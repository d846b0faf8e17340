"""F4 makes the guessing window cover the screen, and F4 again gives back the
framed window at its windowed size, centred, with the buttons placed by their
rule, and nothing left behind on the screen; three times in a row."""

from harness import xwindows
from harness.game import ROUND_TITLE

from . import libraries
from .windows import (covers, expect_button_rule, expect_centred, expect_nothing_stale, expect_on_screen,
                      expect_windowed_size, press_f4, steady_place)

ROUND_TRIPS = 3


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    game.start_round()
    screen, area = xwindows.screen_rect(), xwindows.work_area()
    steady_place(ROUND_TITLE)
    # Each F4 switches the game's own mode whatever the screen showed after
    # the one before, so a trip that went wrong does not stop the next.
    for trip in range(1, ROUND_TRIPS + 1):
        what = f"round trip {trip} of {ROUND_TRIPS}"
        full = press_f4(game, lambda place: covers(place, screen))
        check.expect(full, f"{what}: F4 did not make the guessing window cover the {screen.width}x{screen.height} "
                           f"screen (it is at {steady_place(ROUND_TITLE).client})")

        back = press_f4(game, lambda place: not covers(place, screen))
        place = steady_place(ROUND_TITLE)
        check.log(f"{what}: back at {place.client}, frame {place.extents}")
        what = f"after F4 back ({what})"
        if not check.expect(back, f"{what}: the window still covers the screen"):
            continue
        check.expect(place.extents.framed, f"{what}: the window has no frame (title bar, close box)")
        expect_windowed_size(check, place, area, what)
        expect_on_screen(check, place, area, what)
        expect_centred(check, place, area, what)
        expect_button_rule(check, game, what)
        expect_nothing_stale(check, what)
