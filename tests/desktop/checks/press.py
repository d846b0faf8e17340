"""A new word shows at once. The first word is on the screen as soon as the
guessing window is; after a press of "正确" the next word is named and drawn
within a blink; two presses in quick succession (a double click, a bouncing
key) credit one word only.

run_fullscreen times the projector's case: the guessing window full screen
(F4), the clicker's PageDown pressed at uneven moments, from the key to the
changed screen, read back from a strip through the middle of the word; then
the same for a phone's 正确, from the frame the phone sends over loopback.

Measured only (run.py --measure), the window as it opens is timed the same
way for the mouse, the clicker's key and the phone."""

import random
import statistics
import time

from harness import access, xwindows
from harness.game import IDLE_LINE
from harness.geometry import Rect
from harness.phone_socket import PhoneSocket, free_port, remote_address
from harness.screen import changed, decoded, grab, grab_raw
from harness.waiting import wait_stable, wait_until

from . import libraries
from .word_view import PRESS_GUARD

# A new word must be named and drawn this soon after the press, in the
# median of the presses and at worst (the worst allows for a busy machine).
MEDIAN_LIMIT = 0.150
WORST_LIMIT = 0.300
# Presses come at uneven moments, as a host's do: a fixed rhythm would lock
# onto the display's own timers and measure only one phase of them. The
# spread is fixed by a seed so that runs compare.
SPREAD = 0.6
SPREAD_SEED = 20240613
# Full screen, from the key or the phone's frame to the changed screen: a
# projector's word must change as fast as a phone's own screen does, over at
# least this many presses of each.
FULLSCREEN_MEDIAN_LIMIT = 0.035
FULLSCREEN_WORST_LIMIT = 0.050
FULLSCREEN_PRESSES = 20
# The strip read back: the middle of the display, a fortieth of its height,
# through the middle of every word. A thin strip is read back in about a
# millisecond even from a 4K screen, so the reading times the screen and not
# itself.
STRIP_HEIGHT_SHARE = 40
# At most this many bytes of it (4 a pixel), fewer rows where the display is
# wide: a picture larger than the X connection's socket buffer comes back in
# pieces, each waiting for the checks to read the last: at 4K a look at a
# fortieth took well over a millisecond of the processors the game draws
# with, against a tenth of one under this size.
STRIP_MOST_BYTES = 160 * 1024
# The second press of a double press follows the first this soon.
DOUBLE_PRESS_GAP = 0.1
GIVE_UP = 2.0
# How the guessing window stands while a run is timed, in the log and the
# figures' names.
FULL_SCREEN = "full_screen"
WINDOWED = "windowed"


def _central_part(rect):
    """The middle of the display, where every word of the library has glyphs."""
    return Rect(rect.x + rect.width // 4, rect.y + rect.height // 4, rect.width // 2, rect.height // 2)


def _first_word(check, game, words, judge):
    game.start_round()
    shown = time.monotonic()
    display = game.word_display()
    seen = []

    def word_named():
        seen.append(access.name(display))
        return seen[-1] if seen[-1] in words else None
    word = wait_until(word_named, 3.0, "the first word of the round")
    late = time.monotonic() - shown
    # The word is set before the window shows, in one turn of the game's
    # event loop, so the very first look must find it.
    idle = " (the idle line)" if seen[0] == IDLE_LINE else ""
    check.expect(not judge or seen[0] == word,
                 f"when the guessing window showed, its word display showed {seen[0]!r}{idle}; "
                 f"the first word came {late * 1000:.0f} ms later")
    return word, time.monotonic()


def _press_once(game, display, area, current, words):
    """Presses "正确"; returns (seconds until the new word was named, until it was drawn, the new word)."""
    before = grab(area)
    pressed = game.click(game.correct_button(), park=False)
    named = drawn = None
    word = current
    while (named is None or drawn is None) and time.monotonic() - pressed < GIVE_UP:
        if named is None:
            name = access.name(display)
            if name != current and name in words:
                named, word = time.monotonic() - pressed, name
        if drawn is None and changed(before, grab(area)):
            drawn = time.monotonic() - pressed
    return named, drawn, word


def _measure(check, game, words, presses, current, appeared):
    display = game.word_display()
    area = _central_part(access.extents(display).intersection(xwindows.screen_rect()))
    delays = []
    spread = random.Random(SPREAD_SEED)
    for number in range(1, presses + 1):
        time.sleep(max(0.0, PRESS_GUARD + spread.uniform(0.0, SPREAD) - (time.monotonic() - appeared)))
        named, drawn, current = _press_once(game, display, area, current, words)
        check.require(named is not None and drawn is not None,
                      f"press {number}: no new word was {'named' if named is None else 'drawn'} "
                      f"within {GIVE_UP:.0f} s")
        delays.append(max(named, drawn))
        appeared = time.monotonic()
    game.park_pointer()
    median, worst = statistics.median(delays), max(delays)
    check.figure("presses", presses)
    check.figure("median_ms", round(median * 1000))
    check.figure("max_ms", round(worst * 1000))
    check.log(f"press-to-new-word over {presses} presses: median {median * 1000:.0f} ms, "
              f"max {worst * 1000:.0f} ms")
    return median, worst, current, appeared


def _central_strip(rect):
    height = max(4, min(rect.height // STRIP_HEIGHT_SHARE, STRIP_MOST_BYTES // (4 * (rect.width // 2))))
    return Rect(rect.x + rect.width // 4, rect.y + (rect.height - height) // 2, rect.width // 2, height)


def _next_word_named(display, current, words, number):
    """The new word, once the display names it."""
    def named():
        name = access.name(display)
        return name if name != current and name in words else None
    return wait_until(named, GIVE_UP, f"the word after press {number}")


def _time_presses(check, game, words, presses, current, appeared, press):
    """Presses at uneven moments through press(number), which returns the
    time its input left; the seconds from each to the changed strip."""
    display = game.word_display()
    strip = _central_strip(access.extents(display).intersection(xwindows.screen_rect()))
    delays = []
    spread = random.Random(SPREAD_SEED)
    for number in range(1, presses + 1):
        time.sleep(max(0.0, PRESS_GUARD + spread.uniform(0.0, SPREAD) - (time.monotonic() - appeared)))
        before_raw = grab_raw(strip)
        before = decoded(strip, before_raw)
        pressed = press(number)
        drawn = None
        while drawn is None and time.monotonic() - pressed < GIVE_UP:
            raw = grab_raw(strip)
            seen = time.monotonic()
            if raw != before_raw and changed(before, decoded(strip, raw)):
                drawn = seen - pressed
        check.require(drawn is not None, f"press {number}: the word did not change within {GIVE_UP:.0f} s")
        delays.append(drawn)
        current = _next_word_named(display, current, words, number)
        appeared = time.monotonic()
    return delays, current, appeared


def _screen_size():
    screen = xwindows.screen_rect()
    return f"{screen.width}x{screen.height}"


def _measure_keys(check, game, words, presses, current, appeared, where):
    """PageDown at uneven moments; the seconds from each key to the changed
    strip. where: how the window stands, for the log and the figures' names
    (full screen keeps the names the figures have always had)."""
    delays, current, appeared = _time_presses(check, game, words, presses, current, appeared,
                                              lambda _: game.key("Page_Down"))
    median, worst = statistics.median(delays), max(delays)
    prefix = "" if where == FULL_SCREEN else f"key_{where}_"
    check.figure("presses", presses)
    check.figure(f"{prefix}median_ms", round(median * 1000))
    check.figure(f"{prefix}max_ms", round(worst * 1000))
    check.figure(f"{prefix}rss_kb", game.memory_kilobytes().get("VmRSS", 0))
    check.log(f"{where} {_screen_size()}, key to changed screen "
              f"over {presses} presses: median {median * 1000:.0f} ms, max {worst * 1000:.0f} ms; "
              f"delays {[round(d * 1000) for d in delays]}")
    return median, worst, current, appeared


def _measure_phone(check, game, phone, words, presses, current, appeared, where):
    """The page's 正确 frame at uneven moments; the seconds from each frame
    sent to the changed strip. where: how the window stands, for the log and
    the figures' names."""
    def heard():
        phone.read_pending()
        check.require(not phone.refusals, f"the game refused the phone's 正确: {phone.refusals}")

    def press(_):
        # What the game sent meanwhile is read first, so none of it waits
        # in the socket while the screen is timed.
        heard()
        return phone.send({"cmd": "correct"})
    delays, current, appeared = _time_presses(check, game, words, presses, current, appeared, press)
    heard()
    median, worst = statistics.median(delays), max(delays)
    check.figure(f"phone_{where}_median_ms", round(median * 1000))
    check.figure(f"phone_{where}_max_ms", round(worst * 1000))
    check.log(f"{where} {_screen_size()}, phone's frame to changed screen "
              f"over {presses} presses: median {median * 1000:.0f} ms, max {worst * 1000:.0f} ms; "
              f"delays {[round(d * 1000) for d in delays]}")
    return median, worst, current, appeared


def _connect_phone(game):
    """A phone on the game's remote, once it has the round's state."""
    phone = PhoneSocket(remote_address(game))
    phone.wait_state(lambda state: state.get("correct"), 5.0, "the phone's 正确 is on")
    return phone


def _expect_within(check, what, median, worst, presses):
    check.expect(median <= FULLSCREEN_MEDIAN_LIMIT,
                 f"full screen, a new word took {median * 1000:.0f} ms from {what} in the median of {presses} "
                 f"presses (at most {FULLSCREEN_MEDIAN_LIMIT * 1000:.0f} ms)")
    check.expect(worst <= FULLSCREEN_WORST_LIMIT,
                 f"full screen, a new word took up to {worst * 1000:.0f} ms from {what} "
                 f"(at most {FULLSCREEN_WORST_LIMIT * 1000:.0f} ms)")


def run_fullscreen(check):
    from .windows import covers, switch_mode
    presses = max(FULLSCREEN_PRESSES, int(check.options.get("presses", FULLSCREEN_PRESSES)))
    game = check.launch(libraries.EIGHTY_FOUR_CHARACTER_WORDS, arguments=[f"--remote={free_port()}"],
                        environment={"XDG_CONFIG_HOME": check.folder("config")})
    words = libraries.words_of(libraries.EIGHTY_FOUR_CHARACTER_WORDS)
    current, _ = _first_word(check, game, words, judge=False)
    phone = _connect_phone(game)
    try:
        screen = xwindows.screen_rect()
        place = switch_mode(game, lambda p: covers(p, screen))
        check.require(covers(place, screen), f"F4 did not make the guessing window cover the screen ({place})")
        game.park_pointer()
        # The word on display after the switch, fitted to the full screen.
        current = access.name(game.word_display())
        wait_stable(lambda: grab(_central_strip(access.extents(game.word_display()))).tobytes(),
                    3.0, "the word after F4", settle=0.3)
        appeared = time.monotonic()
        key_median, key_worst, current, appeared = _measure_keys(check, game, words, presses, current, appeared,
                                                                 FULL_SCREEN)
        phone_median, phone_worst, _, _ = _measure_phone(check, game, phone, words, presses, current, appeared,
                                                         FULL_SCREEN)
    finally:
        phone.close()
    if check.options.get("measure_only", False):
        return
    _expect_within(check, "the key", key_median, key_worst, presses)
    _expect_within(check, "the phone's frame", phone_median, phone_worst, presses)


def _score(game):
    return int(access.name(game.score_display()))


def _double_press(check, game, appeared):
    time.sleep(max(0.0, PRESS_GUARD - (time.monotonic() - appeared)))
    before = _score(game)
    button = game.correct_button()
    first = game.click(button, park=False)
    time.sleep(max(0.0, DOUBLE_PRESS_GAP - (time.monotonic() - first)))
    game.click(button)
    time.sleep(PRESS_GUARD)
    after = wait_stable(lambda: _score(game), 3.0, "score", settle=0.5)
    check.log(f"double press: score {before} -> {after}")
    check.expect(after - before == libraries.POINTS_PER_WORD,
                 f"two presses {DOUBLE_PRESS_GAP * 1000:.0f} ms apart added {after - before} points; "
                 f"one word is worth {libraries.POINTS_PER_WORD}")


def _measure_windowed(check, presses):
    """Measure only: the clicks, the clicker's key and the phone, each over
    the given number of presses, in the window as it opens."""
    library = libraries.EIGHTY_FOUR_CHARACTER_WORDS
    check.require(3 * presses < len(library),
                  f"{presses} presses of each kind need more than the {len(library)} words of the library")
    game = check.launch(library, arguments=[f"--remote={free_port()}"],
                        environment={"XDG_CONFIG_HOME": check.folder("config")})
    words = libraries.words_of(library)
    current, appeared = _first_word(check, game, words, judge=False)
    phone = _connect_phone(game)
    try:
        _, _, current, appeared = _measure(check, game, words, presses, current, appeared)
        _, _, current, appeared = _measure_keys(check, game, words, presses, current, appeared, WINDOWED)
        _measure_phone(check, game, phone, words, presses, current, appeared, WINDOWED)
    finally:
        phone.close()


def run(check):
    presses = int(check.options.get("presses", 10))
    if check.options.get("measure_only", False):
        _measure_windowed(check, presses)
        return
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    words = libraries.words_of(libraries.FOUR_CHARACTER_WORDS)
    current, appeared = _first_word(check, game, words, judge=True)
    median, worst, _, appeared = _measure(check, game, words, presses, current, appeared)
    check.expect(median <= MEDIAN_LIMIT,
                 f"a new word took {median * 1000:.0f} ms in the median of {presses} presses "
                 f"(at most {MEDIAN_LIMIT * 1000:.0f} ms)")
    check.expect(worst <= WORST_LIMIT,
                 f"a new word took up to {worst * 1000:.0f} ms after a press (at most {WORST_LIMIT * 1000:.0f} ms)")
    _double_press(check, game, appeared)
