"""What the checks expect of where windows stand and how the guessing
window is laid out, shared by the full-screen and the fitting checks."""

from harness import access, xwindows
from harness.game import ROUND_TITLE
from harness.screen import differences_outside, grab
from harness.waiting import TimedOut, wait_until

# The guessing window's client area as designed, and its button rule: "跳过"
# stands this far right of "正确", which stands at the footer's left edge.
DESIGN_WIDTH, DESIGN_HEIGHT = 1184, 722
BUTTON_SPACING = 200
# A window counts as fitted to a small screen when it uses at least this
# share of the available width or height.
FITTED_SHARE = 0.75

# How long the window manager and the game may take to carry out one F4.
SWITCH_TIME = 3.0


def design_fits(area, extents):
    return (DESIGN_WIDTH + extents.left + extents.right <= area.width
            and DESIGN_HEIGHT + extents.top + extents.bottom <= area.height)


def expect_on_screen(check, place, area, what):
    check.expect(area.contains(place.frame),
                 f"{what}: the window with its frame ({place.frame}) lies outside the available area ({area})")


def expect_windowed_size(check, place, area, what):
    client = place.client
    if design_fits(area, place.extents):
        check.expect((client.width, client.height) == (DESIGN_WIDTH, DESIGN_HEIGHT),
                     f"{what}: client area {client.width}x{client.height}, designed {DESIGN_WIDTH}x{DESIGN_HEIGHT}")
    else:
        used = max(place.frame.width / area.width, place.frame.height / area.height)
        check.expect(client.width <= DESIGN_WIDTH and client.height <= DESIGN_HEIGHT and used >= FITTED_SHARE,
                     f"{what}: client area {client.width}x{client.height} is not fitted to the "
                     f"available {area.width}x{area.height}")


def expect_centred(check, place, area, what):
    frame, e = place.frame, place.extents
    # Centring the frame or the client area are both fine: they differ by
    # the difference of the frame's opposite sides.
    slack_x = abs(e.left - e.right) + 2
    slack_y = abs(e.top - e.bottom) + 2
    off_x = (frame.x - area.x) - (area.right - frame.right)
    off_y = (frame.y - area.y) - (area.bottom - frame.bottom)
    check.expect(abs(off_x) <= slack_x and abs(off_y) <= slack_y,
                 f"{what}: the window ({frame}) is not centred in the available area ({area})")


def expect_button_rule(check, game, what):
    correct, skip, footer = (access.extents(game.correct_button()), access.extents(game.skip_button()),
                             access.extents(game.footer()))
    check.expect(correct.x == footer.x,
                 f"{what}: \"正确\" starts at x={correct.x}, the footer at x={footer.x}")
    check.expect(skip.x - correct.x == BUTTON_SPACING,
                 f"{what}: \"跳过\" stands {skip.x - correct.x} px right of \"正确\", not {BUTTON_SPACING}")


def expect_inside(check, outer, parts, what, where):
    for label, rect in parts:
        check.expect(rect is not None and outer.contains(rect),
                     f"{what}: {label} ({rect}) reaches outside {where} ({outer})")


def expect_nothing_stale(check, what):
    """Outside every shown window the screen is the bare background."""
    covered = [place.frame for place in xwindows.managed_windows()]
    stray = differences_outside(grab(), check.options["background"], covered)
    check.expect(stray is None,
                 f"{what}: outside the windows the screen shows a leftover picture ({stray})")


def covers(place, screen):
    return place is not None and place.client == screen


def switch_mode(game, arrived):
    """Presses F4 in the guessing window and gives the window manager and the
    game time to carry it out: until arrived(place) holds or SWITCH_TIME has
    passed. Returns the window's place once it stands still."""
    game.focus(ROUND_TITLE)
    game.key("F4")
    try:
        wait_until(lambda: arrived(xwindows.current_place(ROUND_TITLE)), SWITCH_TIME, "the window's place after F4")
    except TimedOut:
        pass
    return xwindows.steady_place(ROUND_TITLE)
