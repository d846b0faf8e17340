"""A host's own word library: opened with "打开词库…" through the file
chooser, two categories and the 1-point words ticked in the rules dialog,
then a round in which only such words appear. With --pictures the dialog
is photographed."""

import csv
import os
import shutil
import tempfile
import time

import pyatspi

from harness import access
from harness.game import RULES_TITLE, _REPO
from harness.screen import save_framed
from harness.waiting import wait_until

from . import libraries
from .countdown_box import countdown_box, type_into
from .word_view import PRESS_GUARD, wait_word

OPEN_TITLE = "打开词库"
KEPT = ("动物", "食物")
PRESSES = 8


def _table():
    """(category, word, points) of every word of the bundled library, from its source table."""
    with open(os.path.join(_REPO, "tools", "words.tsv"), encoding="utf-8") as table:
        rows = list(csv.reader(table, delimiter="\t"))
    return [(row[0], row[1], int(row[2])) for row in rows[1:] if len(row) >= 3]


def _box(dialog, prefix):
    return access.find(dialog, "check box", test=lambda n: (access.name(n) or "").startswith(prefix))


def _checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def _toggle(node):
    """Ticks or unticks a box through its accessible action, as a screen
    reader's user does: the categories' list scrolls, so a box may be out of
    the mouse's sight."""
    wanted = not _checked(node)
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Toggle") if "Toggle" in names else 0)
    wait_until(lambda: _checked(node) == wanted or None, 2.0, f"{access.name(node)} changes")


def _open_library(check, game, path):
    rules = game.open_rules()
    game.click(access.find(rules, "push button", "打开词库…"))
    chooser = game.wait_window(OPEN_TITLE)
    check.require(chooser is not None, "the file chooser does not open")
    time.sleep(0.5)
    game.focus(OPEN_TITLE)
    # The chooser's name field has the focus: a whole path is taken as typed.
    game.type_text(path)
    game.key("Return")
    wait_until(lambda: game.window(OPEN_TITLE) is None, 5.0, "the file chooser closes")
    return wait_until(lambda: _box(game.window(RULES_TITLE), KEPT[0] + " ("), 10.0,
                      "the rules dialog lists the library's categories")


def run(check):
    game = check.launch(libraries.TWO_CHARACTER_WORDS)
    # A library of the host's own, somewhere else than the game's folder.
    own = tempfile.mkdtemp(prefix="host-library-")
    path = os.path.join(own, "class-words.xlsx")
    shutil.copyfile(os.path.join(_REPO, "game", "words.xlsx"), path)

    _open_library(check, game, path)
    # The desktop's earlier checks leave a short countdown behind: this one
    # needs time for all its presses.
    check.require(type_into(game, countdown_box(game), "60") == "60", "the countdown box takes 60")
    dialog = game.window(RULES_TITLE)
    categories = sorted({category for category, _, _ in _table()})
    for category in categories:
        box = _box(dialog, category + " (")
        check.require(box is not None, f"no check box for the category {category}")
        if category not in KEPT and _checked(box):
            _toggle(box)
    for points in ("2分", "3分"):
        box = _box(dialog, points)
        check.require(box is not None, f"no check box for {points}")
        if _checked(box):
            game.click(box)
    hint = access.find(dialog, "label", test=lambda n: (access.name(n) or "").startswith("下轮从"))
    check.expect(hint is not None, "the dialog does not say how many words the choice leaves")
    expected = {word for category, word, points in _table() if category in KEPT and points == 1}
    check.log(f"{len(expected)} words of {KEPT} are worth 1 point; the dialog says: "
              f"{access.name(hint) if hint else None}")
    folder = check.options.get("pictures")
    if folder:
        time.sleep(0.3)
        save_framed(access.extents(dialog), folder, "library-dialog.png")

    game.focus(RULES_TITLE)
    game.key("Escape")
    wait_until(lambda: game.window(RULES_TITLE) is None, 3.0, "the rules dialog closes")
    game.start_round()
    shown = []
    word = wait_word(game, expected, 5.0)
    shown.append(word)
    for _ in range(PRESSES):
        time.sleep(PRESS_GUARD)
        game.click(game.correct_button())
        word = wait_until(lambda: (lambda name: name if name and name != shown[-1] else None)(
            access.name(game.word_display())), 3.0, "the next word")
        shown.append(word)
    check.log(f"words shown: {shown}")
    strangers = [w for w in shown if w not in expected]
    check.expect(not strangers, f"words outside the choice were shown: {strangers}")
