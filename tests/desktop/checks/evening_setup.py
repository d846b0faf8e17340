"""How the host prepares the evening and changes things as it goes: the
library and the match set up in the rules dialog, a library opened through
the guessing window's menu, the results exported, and a second screen
switched on for the console."""

import os
import time

from harness import access, xwindows
from harness.game import ROUND_TITLE, RULES_TITLE
from harness.waiting import TimedOut, wait_stable, wait_until

from .countdown_box import countdown_box, type_into
from .evening_hands import CONSOLE_TITLE
from .match import MATCH_TITLE

OPEN_LIBRARY_TITLE = "打开词库"
EXPORT_TITLE = "导出比赛成绩"
CHOOSER_TIME = 15.0
# Entries of the guessing window's menu, reached with the arrow keys from the
# top (Down) or the foot (Up wraps round to the last entry), separators
# passed over: its popup is not among the windows the toolkit shows to
# assistive technology.
MENU = {"双屏操作台（猜词窗口在投影上）": ("Down", 7), "打开词库…": ("Up", 6),
        "导出比赛成绩（CSV 表格）…": ("Up", 8)}


def _match_dialog(game):
    rules = game.window(RULES_TITLE)
    game.click(access.find(rules, "push button", test=lambda n: (access.name(n) or "").startswith("比赛设置")))
    dialog = game.wait_window(MATCH_TITLE)
    xwindows.steady_place(MATCH_TITLE)
    return dialog


def set_up_match(check, game, clipboard, library, countdown, teams, passes):
    """The host's own library, countdown and match in the rules dialog, as a
    host chooses and types them. The match dialog lists two teams; the
    others are added, and a name other than the one the dialog gives is
    pasted over it and ended with Enter."""
    rules = game.open_rules()
    # Clicks land where the window manager finally put the dialog.
    xwindows.steady_place(RULES_TITLE)
    game.click(access.find(rules, "push button", "打开词库…"))
    choose_file(check, game, OPEN_LIBRARY_TITLE, library)
    name = os.path.basename(library)
    wait_until(lambda: access.find(rules, "label", test=lambda n: name in (access.name(n) or "")), 10.0,
               f"the rules dialog names the library {name}")
    check.require(type_into(game, countdown_box(game), countdown) == countdown,
                  f"the countdown box does not take {countdown}")
    dialog = _match_dialog(game)
    check.require(list(teams[:2]) == ["第1队", "第2队"], "the dialog's own first two teams come first")
    for place, name in enumerate(teams[2:], start=3):
        # A click elsewhere ends the editing of the team added before.
        game.click(access.find(dialog, "push button", "添加队"))
        if name == f"第{place}队":
            continue
        # The new team's name is open for editing, all of it selected.
        clipboard.hold(name)
        game.key("ctrl+v")
        game.key("Return")
        time.sleep(0.3)
        listed = [access.name(n) for n in access.find_all(access.find(dialog, "list", "参赛队"), "list item")]
        if not check.expect(game.window(MATCH_TITLE) is not None,
                            f"the Enter that ends the name of team {place} ({name}) also pressed 开始比赛: "
                            f"the match set-up closed with {place} of the {len(teams)} teams"):
            dialog = _match_dialog(game)
        check.expect(name in listed, f"the dialog lists {listed}, not the name typed for team {place}")
    passes_box = access.find(dialog, name_is="每队轮数")
    game.click(passes_box)
    game.key("ctrl+a")
    game.type_text(str(passes))
    game.click(access.find(dialog, "push button", "开始比赛"))
    try:
        wait_until(lambda: game.window(MATCH_TITLE) is None, 3.0, "the match set-up closes")
    except TimedOut:
        said = [access.name(n) for n in access.find_all(dialog, "label", only_showing=True)]
        check.require(False, f"the match set-up did not take the teams; it says {said}")
    game.focus(RULES_TITLE)
    game.key("Escape")
    wait_until(lambda: game.window(RULES_TITLE) is None, 3.0, "the rules dialog closes")


def menu_entry(game, entry):
    """Chooses an entry of the guessing window's right-click menu."""
    game.click(game.word_display(), button=3)
    time.sleep(0.3)
    key, times = MENU[entry]
    for _ in range(times):
        game.key(key)
    game.key("Return")


def choose_file(check, game, title, path):
    """Types a whole path into the file chooser's name field and takes it.
    What stands in the field must be what was typed; a field that lost keys
    to the game is put right (set whole) once that is recorded."""
    # The first chooser of a run reads the file types and icons it shows:
    # a busy machine takes seconds over it.
    chooser = game.wait_window(title, CHOOSER_TIME)
    # The chooser lists its folder before its name field takes keys.
    time.sleep(0.5)
    game.focus(title)
    game.key("ctrl+a")
    game.type_text(path)
    field = access.find(chooser, "text", test=lambda n: (access.name(n) or "").startswith("文件名称"))
    typed = wait_stable(lambda: access.text(field), 2.0, "the chooser's name field", settle=0.2)
    if not check.expect(typed == path, f"typing {path} into the chooser {title!r} left {typed!r} in its name field"):
        access.set_text(field, path)
    game.key("Return")
    wait_until(lambda: game.window(title) is None, 5.0, f"the chooser {title!r} closes")


def open_library(check, game, path):
    """"打开词库…" from the guessing window's menu, and the file."""
    menu_entry(game, "打开词库…")
    choose_file(check, game, OPEN_LIBRARY_TITLE, path)


def export_results(check, game, path):
    menu_entry(game, "导出比赛成绩（CSV 表格）…")
    choose_file(check, game, EXPORT_TITLE, path)


def console_on(check, game):
    """"双屏操作台" from the guessing window's menu, with the projector
    plugged in: the console opens on the laptop's screen, and the guessing
    window goes full screen on the projector. Returns the console."""
    menu_entry(game, "双屏操作台（猜词窗口在投影上）")
    wait_until(lambda: [number for number, _ in xwindows.on_screens(CONSOLE_TITLE)] == [0], 5.0,
               "the console on the laptop's screen")
    try:
        wait_until(lambda: [number for number, _ in xwindows.on_screens(ROUND_TITLE)] == [1], 5.0,
                   "the guessing window on the projector")
    except TimedOut:
        places = xwindows.on_screens(ROUND_TITLE)
        check.expect(False, f"with the console switched on between rounds the guessing window stands "
                            f"{'on ' + str(places) if places else 'on no screen'}, not on the projector")
    return game.wait_window(CONSOLE_TITLE)
