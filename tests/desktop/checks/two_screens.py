"""A laptop and a projector: the host ticks "双屏" in the rules dialog and
sets up a match; the operator's console opens on the laptop's screen, and the
round, started from the console, goes full screen on the projector. The
console shows the word on the projector and the next three, its "正确"
counts, and the round's review is confirmed on the console. With --pictures
both screens are photographed."""

import os
import time

from PIL import ImageGrab

from harness import access, xwindows
from harness.game import MESSAGE_TITLE, ROUND_TITLE, RULES_TITLE
from harness.waiting import TimedOut, wait_until

from . import libraries
from .countdown_box import countdown_box, type_into
from .match import MATCH_TITLE
from .word_view import PRESS_GUARD

CONSOLE_TITLE = "操作台"
COUNTDOWN = "10"


def _only_on(title, screen):
    places = xwindows.on_screens(title)
    return places[0][1] if len(places) == 1 and places[0][0] == screen else None


def _close_rules(game):
    """Escape on the rules dialog. The console has just opened, and the
    desktop may hand it the keyboard after the dialog was given it: the
    host then gives the dialog the keyboard and presses Escape again."""
    for attempt in range(3):
        if game.window(RULES_TITLE) is None:
            return
        game.focus(RULES_TITLE)
        game.key("Escape")
        try:
            wait_until(lambda: game.window(RULES_TITLE) is None, 2.0, "the rules dialog closes")
            return
        except TimedOut:
            if attempt == 2:
                raise


def _label(window, name):
    return access.find(window, "label", test=lambda n: access.name(n) is not None
                       and (access.description(n) or "") == name)


def run(check):
    count = xwindows.connection().screen_count()
    check.require(count == 2, f"the desktop has {count} screen(s); this check needs a second one")
    projector = xwindows.connection().screen(1)
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    rules = game.open_rules()
    check.require(type_into(game, countdown_box(game), COUNTDOWN) == COUNTDOWN, "the countdown box takes 10")
    game.click(access.find(rules, "push button", test=lambda n: (access.name(n) or "").startswith("比赛设置")))
    setup = game.wait_window(MATCH_TITLE)
    game.click(access.find(setup, "push button", "开始比赛"))
    wait_until(lambda: game.window(MATCH_TITLE) is None, 3.0, "the match set-up closes")
    switch = access.find(rules, "check box", "双屏")
    check.require(switch is not None, "the rules dialog has no 双屏 switch")
    game.click(switch)
    console = wait_until(lambda: _only_on(CONSOLE_TITLE, 0), 5.0, "the console on the laptop's screen")
    check.log(f"console at {console}")
    _close_rules(game)

    window = game.wait_window(CONSOLE_TITLE)
    game.click(access.find(window, "push button", "开始下一轮"))
    shown = wait_until(lambda: _only_on(ROUND_TITLE, 1), 30.0, "the guessing window on the projector")
    full = (shown.x, shown.y, shown.width, shown.height) == (0, 0, projector.width_in_pixels,
                                                             projector.height_in_pixels)
    check.expect(full, f"the guessing window covers {shown} of the projector's "
                       f"{projector.width_in_pixels}x{projector.height_in_pixels}")
    check.expect(_only_on(CONSOLE_TITLE, 0) is not None, "the console left the laptop's screen")

    words = libraries.words_of(libraries.FOUR_CHARACTER_WORDS)
    word = wait_until(lambda: (lambda n: n if n in words else None)(access.name(game.word_display())), 5.0,
                      "a word on the projector")
    on_console = wait_until(lambda: access.name(_label(window, "当前的词")) == word or None, 3.0,
                            "the console shows the projector's word")
    upcoming = access.name(_label(window, "接下来的词")) or ""
    check.log(f"projector shows {word}; console {on_console}, {upcoming}")
    check.expect(upcoming.startswith("接下来：") and upcoming.count("分") == 3,
                 f"the console does not name the next three words: {upcoming!r}")

    time.sleep(PRESS_GUARD)
    game.click(access.find(window, "push button", "正确  →"))
    score = wait_until(lambda: (lambda n: n if n and n != "000" else None)(access.name(game.score_display())),
                       3.0, "the score after 正确 on the console")
    check.expect(score == "%03d" % libraries.POINTS_PER_WORD, f"the projector's score reads {score}")

    _pictures(check, "")

    # The end box comes up on the projector; the review then waits on both
    # screens, and the operator confirms it on the console.
    box = wait_until(lambda: next((d for d in game.dialogs() if access.name(d) == MESSAGE_TITLE), None),
                     int(COUNTDOWN) + 5.0, "the end-of-round box")
    time.sleep(1.2)
    game.key("Return")
    wait_until(lambda: not access.showing(box) or None, 3.0, "the end box closes")
    confirm = wait_until(lambda: access.find(window, "push button", "确认 (Enter)", only_showing=True), 3.0,
                         "the review on the console")
    rows = access.find(window, "table", "本轮的词", only_showing=True).queryTable().nRows
    check.expect(rows >= 2, f"the console's review lists {rows} word(s); at least 2 were shown")
    _pictures(check, "-review")
    game.click(confirm)
    turn = wait_until(lambda: access.find(window, "label", "下一队：第2队", only_showing=True), 3.0,
                      "the console names the next team")
    check.expect(turn is not None, "the console does not say whose turn it is after the review")


def _pictures(check, suffix):
    folder = check.options.get("pictures")
    if not folder:
        return
    os.makedirs(folder, exist_ok=True)
    time.sleep(0.8)
    display = os.environ["DISPLAY"]
    ImageGrab.grab(xdisplay=display + ".0").save(os.path.join(folder, f"two-screens-console{suffix}.png"))
    ImageGrab.grab(xdisplay=display + ".1").save(os.path.join(folder, f"two-screens-projector{suffix}.png"))
