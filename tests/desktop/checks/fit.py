"""Every window fits the screen: the guessing window with its frame stands in
the available area, its numbers and buttons can be seen and pressed, and the
rules dialog opens beside the start window without covering it. Where the
screen has room, the guessing window keeps its designed size."""

from harness import access, xwindows
from harness.game import RULES_TITLE, ROUND_TITLE, START_TITLE

from . import libraries
from .windows import expect_inside, expect_on_screen, expect_windowed_size


# Client sizes of the two small windows (the rules dialog with its row for
# the match set-up); every screen the game is meant for has room for them.
START_SIZE = (453, 463)
# The rules and settings, the match set-up row and the word library section;
# with tonight's words beside them where the screen has room for that too.
RULES_SIZE = (455, 567)
RULES_WITH_TONIGHT_SIZE = (769, 567)


def _expect_size(check, place, size, what):
    check.expect((place.client.width, place.client.height) == size,
                 f"{what}: client area {place.client.width}x{place.client.height}, designed {size[0]}x{size[1]}")


def _round_parts(game):
    """The things a host must see during a round, with their places."""
    window = game.round_window()
    return [
        ('"Time:"', access.extents(access.find(window, "label", "Time:"))),
        ("the time digits", access.extents(game.time_display())),
        ('"Score:"', access.extents(access.find(window, "label", "Score:"))),
        ("the score digits", access.extents(game.score_display())),
        ('"正确"', access.extents(game.correct_button())),
        ('"跳过"', access.extents(game.skip_button())),
    ]


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    screen, area = xwindows.screen_rect(), xwindows.work_area()

    start = xwindows.steady_place(START_TITLE)
    expect_on_screen(check, start, area, "the start window")
    game.open_rules()
    rules = xwindows.steady_place(RULES_TITLE)
    start = xwindows.steady_place(START_TITLE)
    check.log(f"start window {start.frame}, rules dialog {rules.frame}")
    expect_on_screen(check, rules, area, "the rules dialog")
    expect_on_screen(check, start, area, "the start window beside the rules dialog")
    _expect_size(check, start, START_SIZE, "the start window")
    room = start.frame.width + 10 + RULES_WITH_TONIGHT_SIZE[0] + rules.extents.left + rules.extents.right \
        <= area.width
    _expect_size(check, rules, RULES_WITH_TONIGHT_SIZE if room else RULES_SIZE, "the rules dialog")
    check.expect(not rules.frame.intersects(start.frame),
                 f"the rules dialog ({rules.frame}) covers part of the start window ({start.frame})")

    game.start_round()
    place = xwindows.steady_place(ROUND_TITLE)
    check.log(f"guessing window {place.client}, frame {place.extents}")
    what = "the guessing window"
    check.expect(place.extents.framed, f"{what} has no frame (title bar, close box)")
    expect_on_screen(check, place, area, what)
    expect_windowed_size(check, place, area, what)
    parts = _round_parts(game)
    expect_inside(check, place.client, parts, what, "the guessing window")
    expect_inside(check, screen, parts, what, "the screen")
