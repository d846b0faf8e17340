"""The countdown box takes whole seconds from 10 to 999 only: what a host
types that is no such number never stands in the box."""

from harness import access
from harness.game import RULES_TITLE
from harness.waiting import wait_stable

from . import libraries

COUNTDOWN_NAME = "倒计时设定"

# What is typed over the whole box, and what must then hold of its text.
CASES = [
    ("abc", lambda text: not any(c.isalpha() for c in text), "no letters"),
    ("-20", lambda text: "-" not in text, "no minus sign"),
    ("2.5", lambda text: "." not in text, "no fraction"),
    ("1234", lambda text: len(text) <= 3, "at most three digits"),
    ("60", lambda text: text == "60", "a whole number of seconds stands as typed"),
]


def type_into(game, box, typed):
    """Replaces the box's text by typing, as a host does; returns the text that stands."""
    game.click(box)
    game.key("ctrl+a")
    game.type_text(typed)
    return wait_stable(lambda: access.text(box), 2.0, "text of the countdown box", settle=0.2)


def countdown_box(game):
    return access.find(game.window(RULES_TITLE), name_is=COUNTDOWN_NAME)


def run(check):
    game = check.launch(libraries.FOUR_CHARACTER_WORDS)
    game.open_rules()
    box = countdown_box(game)
    check.require(box is not None, f"the rules dialog has no box named {COUNTDOWN_NAME!r}")
    for typed, holds, rule in CASES:
        text = type_into(game, box, typed)
        check.log(f"typed {typed!r}: the box shows {text!r}")
        check.expect(text is not None and holds(text),
                     f"typing {typed!r} into the countdown box leaves {text!r} ({rule})")
