"""Forbidden words on the big screen: a library with a 禁词 column shows
each word's forbidden words under it, neither the word nor its forbidden
words cut, in the window and in full screen; F scores a foul, which ends
the word as a skip does. With --pictures the round is photographed in full
screen."""

import os
import time

from harness import access, xwindows
from harness.game import ROUND_TITLE
from harness.screen import grab, word_box
from harness.waiting import wait_until

from .windows import covers, switch_mode
from .word_view import PRESS_GUARD, drawn_picture, wait_word

# The longest word a host is likely to type, with five long forbidden words,
# and shorter ones, so that both lines are fitted at their widest.
LIBRARY = [
    ("哈利·波特与魔法石", 1, "魔法、眼镜、霍格沃茨、巫师、小说"),
    ("长颈鹿", 1, "脖子、高、动物园、斑点、树叶"),
    ("一寸光阴一寸金", 2, "时间、宝贵、珍惜、黄金、成语"),
    ("埃菲尔铁塔", 2, "巴黎、法国、铁、高塔、地标"),
]
FORBIDDEN = {word: forbidden.split("、") for word, _, forbidden in LIBRARY}
# Background that must separate what is drawn from each edge of its display.
MARGIN = 2


def forbidden_display(game):
    """The display under the word, which names what it shows: "禁：脖子 · 高 · …"."""
    return game.part(role_name="label", prefix="禁：")


def _uncut(check, game, display, what):
    """Whether what the display draws has background to spare on every side."""
    place = access.extents(display)
    visible = place.intersection(xwindows.screen_rect()) if place is not None else None
    check.require(visible is not None, f"{what}: the display is not on the screen")
    check.expect(visible == place, f"{what}: the display ({place}) reaches off the screen")
    box = word_box(drawn_picture(game, visible))
    check.require(box is not None, f"{what}: nothing of it can be seen in its display ({visible})")
    sides = (box.x, box.y, visible.width - box.right, visible.height - box.bottom)
    check.log(f"{what}: drawn at {box} in {visible.width}x{visible.height}")
    check.expect(min(sides) >= MARGIN, f"{what}: touches its display's edge (background left, top, right, "
                                       f"bottom: {sides}; at least {MARGIN} needed)")
    return box


def _judge(check, game, word, mode):
    shown = access.name(forbidden_display(game)) or ""
    check.expect(all(item in shown for item in FORBIDDEN[word]),
                 f"{word!r} {mode}: the forbidden words read {shown!r}, not {FORBIDDEN[word]}")
    word_ink = _uncut(check, game, game.word_display(), f"{word!r} {mode}")
    _uncut(check, game, forbidden_display(game), f"the forbidden words of {word!r} {mode}")
    return word_ink


def _picture(check, name):
    folder = check.options.get("pictures")
    if folder:
        os.makedirs(folder, exist_ok=True)
        time.sleep(0.3)
        grab().save(os.path.join(folder, f"{name}-{check.size}.png"))


def run(check):
    # Settings of its own: a library another check chose with 打开词库… is
    # remembered, and would be played instead of this one.
    game = check.launch(LIBRARY, environment={"XDG_DATA_HOME": check.folder("data"),
                                              "XDG_CONFIG_HOME": check.folder("config")})
    screen = xwindows.screen_rect()
    game.start_round()
    xwindows.steady_place(ROUND_TITLE)
    first = wait_word(game, FORBIDDEN)
    shown = time.monotonic()
    _judge(check, game, first, "in the window")
    full = covers(switch_mode(game, lambda place: covers(place, screen)), screen)
    _judge(check, game, first, "in full screen" if full else "after F4")
    _picture(check, "round-forbidden")

    skip_before = access.name(game.skip_button())
    time.sleep(max(0.0, PRESS_GUARD - (time.monotonic() - shown)))
    game.focus(ROUND_TITLE)
    game.key("f")
    second = wait_word(game, FORBIDDEN, other_than=first)
    check.log(f"F: {first!r} gave way to {second!r}")
    wait_until(lambda: access.name(game.skip_button()) != skip_before or None, 2.0,
               "the skip count follows the foul")
    _judge(check, game, second, "after a foul")
