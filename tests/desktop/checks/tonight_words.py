"""Tonight's words as a host adds them on the night: a word pasted into
添加词语 in the rules dialog is dealt in the next round with only 今晚
ticked; between rounds a phone adds a word of its own, which the panel
marks as a phone's and the round after deals, shown as typed (markup is
never read in it). The phone's form is gone while a round runs. With
--pictures the panel is photographed."""

import re
import socket
import time

from harness import access, xwindows
from harness.clipboard import Clipboard
from harness.game import ROUND_TITLE, RULES_TITLE
from harness.phone import Phone, on_loopback
from harness.screen import save_framed
from harness.waiting import wait_until

from . import libraries
from .evening import connected
from .library_choice import _box, _checked, _toggle
from .word_view import PRESS_GUARD, wait_word

TYPED = "年会抽奖"
FROM_PHONE = "<Title1>年终奖"
TONIGHT = "今晚"


def _free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def _tonight_list(dialog):
    return access.find(dialog, name_is="今晚的词", role_name="list")


def _listed(dialog, word):
    return any(word in (access.name(item) or "") for item in access.find_all(_tonight_list(dialog)))


def _only_tonight(check, game):
    """Unticks every category but 今晚, which a library with tonight's words ticks itself."""
    dialog = game.window(RULES_TITLE)
    tonight = wait_until(lambda: _box(game.window(RULES_TITLE), TONIGHT + " ("), 5.0, "the category 今晚")
    check.expect(_checked(tonight), "今晚 is not ticked once it has words")
    for box in access.find_all(dialog, "check box"):
        name = access.name(box) or ""
        category = re.fullmatch(r"(.+) \(\d+\)", name)
        if category and not re.fullmatch(r"\d+分", category.group(1)) and category.group(1) != TONIGHT \
                and _checked(box):
            _toggle(box)
    if not _checked(tonight):
        _toggle(tonight)


def _close_rules(game):
    game.focus(RULES_TITLE)
    game.key("Escape")
    wait_until(lambda: game.window(RULES_TITLE) is None, 3.0, "the rules dialog closes")


def _round_deals(check, game, words):
    """A round with only 今晚 ticked deals tonight's words; the round window is closed after."""
    game.start_round()
    xwindows.steady_place(ROUND_TITLE)
    word = wait_word(game, words, 5.0)
    check.log(f"the round deals {word!r}")
    return word


def _add_in_panel(check, game, clipboard):
    dialog = game.open_rules()
    xwindows.steady_place(RULES_TITLE)
    box = access.find(dialog, "text", "添加词语", only_showing=True)
    if box is None:
        # A small screen has no room for tonight's words beside the start window.
        game.click(access.find(dialog, "push button", test=lambda n: (access.name(n) or "").startswith("今晚的词")))
        box = wait_until(lambda: access.find(dialog, "text", "添加词语", only_showing=True), 3.0,
                         "tonight's words shown")
    check.require(box is not None, "the rules dialog has no box named 添加词语")
    game.click(box)
    clipboard.hold(TYPED)
    game.key("ctrl+v")
    game.click(access.find(dialog, "push button", "添加"))
    wait_until(lambda: _listed(dialog, TYPED) or None, 3.0, f"the panel lists {TYPED}")
    folder = check.options.get("pictures")
    if folder:
        time.sleep(0.3)
        save_framed(access.extents(dialog), folder, "tonight-panel.png")
    _only_tonight(check, game)
    _close_rules(game)


def _add_from_phone(check, phone):
    phone.wait("!document.getElementById('tonight').hidden", 5.0, "the phone offers its form between rounds")
    phone.evaluate(f"document.getElementById('tonight-word').value = {FROM_PHONE!r}")
    phone.tap("tonight-add")
    phone.wait("document.getElementById('tonight-answer').textContent", 5.0, "the game answers the phone")
    check.log(f"the phone hears: {phone.text('tonight-answer')!r}")


def run(check):
    phone = Phone(check.folder("phone")).start()
    clipboard = Clipboard()
    try:
        game = check.launch(libraries.FOUR_CHARACTER_WORDS, arguments=[f"--remote={_free_port()}"],
                            environment={"XDG_DATA_HOME": check.folder("data"),
                                         "XDG_CONFIG_HOME": check.folder("config")})
        address = wait_until(lambda: re.search(r"遥控地址: (\S+)", game.output()), 10.0,
                             "the game prints the remote's address")
        phone.connect().open(on_loopback(address.group(1)))
        connected(phone)

        _add_in_panel(check, game, clipboard)
        check.expect(_round_deals(check, game, {TYPED}) == TYPED, "the typed word is not dealt")
        check.expect(phone.evaluate("document.getElementById('tonight').hidden"),
                     "the phone shows its form while a round runs")
        game.focus(ROUND_TITLE)
        game.key("alt+F4")
        wait_until(lambda: game.window(ROUND_TITLE) is None, 5.0, "the round window closes")

        _add_from_phone(check, phone)
        dialog = game.open_rules()
        wait_until(lambda: _listed(dialog, FROM_PHONE + "　1分（手机）") or None, 3.0,
                   f"the panel lists {FROM_PHONE} as typed, marked as a phone's")
        _close_rules(game)
        game.start_round()
        xwindows.steady_place(ROUND_TITLE)
        both = {TYPED, FROM_PHONE}
        first = wait_word(game, both, 5.0)
        time.sleep(PRESS_GUARD)
        game.click(game.correct_button())
        second = wait_word(game, both, 3.0, other_than=first)
        check.log(f"the round after the phone's word deals {first!r}, then {second!r}")
    finally:
        clipboard.close()
        phone.close()
