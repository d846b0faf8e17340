"""The dialogs that come with the toolkit speak the game's language: the
colour chooser behind the time digits and the message boxes show a Chinese
title and the buttons "确定" and "取消", not "Select Color", "OK", "Cancel"."""

import re

from harness import access, xwindows
from harness.game import MESSAGE_TITLE, ROUND_TITLE
from harness.waiting import wait_until

from . import libraries

ENGLISH_BUTTONS = {"OK", "&OK", "Cancel", "&Cancel"}


def _chinese(text):
    return bool(text) and re.search(r"[\u4e00-\u9fff]", text) is not None


def _buttons(dialog):
    return sorted({access.name(b) for b in access.find_all(dialog, "push button", only_showing=True)} - {None})


def _new_dialog(game, what):
    return wait_until(lambda: next(iter(game.dialogs()), None), 5.0, what)


def _close(game):
    game.key("Escape")
    wait_until(lambda: not game.dialogs(), 3.0, "the dialog closes")


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    game.start_round()
    xwindows.steady_place(ROUND_TITLE)

    game.click(game.time_display())
    chooser = _new_dialog(game, "the colour chooser opens")
    title, buttons = access.name(chooser), _buttons(chooser)
    check.log(f"colour chooser: {title!r}, buttons {buttons}")
    check.expect(_chinese(title), f"the colour chooser's title is {title!r}")
    check.expect({"确定", "取消"} <= set(buttons) and not ENGLISH_BUTTONS & set(buttons),
                 f"the colour chooser's buttons read {buttons}, not 确定 and 取消")
    _close(game)

    # The about box is the menu's first entry. Pop-up menus are not among
    # the windows the toolkit shows to assistive technology, so it is
    # chosen with the keyboard, as a host may.
    game.click(game.word_display(), button=3)
    game.key("Down")
    game.key("Return")
    box = _new_dialog(game, "the about box opens")
    buttons = _buttons(box)
    check.log(f"message box {access.name(box)!r}: buttons {buttons}")
    check.expect(access.name(box) == MESSAGE_TITLE, f"the about box's title is {access.name(box)!r}")
    check.expect("确定" in buttons and not ENGLISH_BUTTONS & set(buttons),
                 f"the message box's button reads {buttons}, not 确定")
    game.key("Return")
