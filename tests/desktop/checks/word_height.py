"""On a projector the word fills the screen: in full screen a two-character
word's glyphs are at least half as high as the screen."""

from harness import xwindows
from harness.game import ROUND_TITLE

from . import libraries
from .windows import covers, switch_mode
from .word_view import wait_word, word_extent

SHARE_OF_SCREEN = 0.5


def run(check):
    game = check.launch(libraries.TWO_CHARACTER_WORDS)
    words = libraries.words_of(libraries.TWO_CHARACTER_WORDS)
    screen = xwindows.screen_rect()
    game.start_round()
    xwindows.steady_place(ROUND_TITLE)
    word = wait_word(game, words)
    check.require(covers(switch_mode(game, lambda place: covers(place, screen)), screen),
                  "F4 did not make the guessing window cover the screen")
    place, visible, box = word_extent(game)
    check.require(box is not None, f"no pixel of {word!r} can be seen in the word display ({place})")
    needed = int(screen.height * SHARE_OF_SCREEN)
    check.figure("glyph_height", box.height)
    check.log(f"{word!r} in full screen: glyphs {box.height} px high in a display of {place}")
    check.expect(box.height >= needed,
                 f"in full screen {word!r} is {box.height} px high; a {screen.height} px screen needs "
                 f"at least {needed} px")
