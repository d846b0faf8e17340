"""A whole evening, as a host runs it, in about three minutes: the host's own
library chosen, a match of six teams (one with a twelve-character name)
over two passes with a ten-second countdown. The twelve rounds are played
with every device in turn: the mouse on the buttons and the boxes, a
presenter clicker's page keys and arrows while a button of the guessing
window has the focus, the keyboard's Space and Enter, and a phone (headless
Chromium on loopback) that presses, confirms, starts the next round and
reloads its page between rounds. Half-way, while a round runs, a damaged
library is opened from the menu: the game must say so without holding up
play; once the file is mended and opened again it deals the next rounds.
After every round the big screen, the review, the phone and the scoreboard
must agree with the presses, and nothing but what belongs is left open; at
the end the history database and the exported table must hold every round,
and the game must hold no more memory after round 12 than a tenth above
what it held after round 2. Last, a projector is set up as a second screen
and one more round is run from the operator's console."""

import os
import re
import socket
import time

from harness import access
from harness.clipboard import Clipboard
from harness.game import ROUND_TITLE, START_TITLE, write_library
from harness.phone import Phone, on_loopback
from harness.waiting import TimedOut, wait_until

from . import libraries
from .evening_hands import CONSOLE_TITLE, Hands
from .evening_records import Tally, csv_differences, history_differences, history_file
from .evening_review import finish
from .evening_round import BigScreen, Round, RoundPlan, end_box, review_table
from .evening_setup import console_on, export_results, open_library, set_up_match

COUNTDOWN = "10"
PASSES = 2
TEAMS = ["第1队", "第2队", "星光灿烂勇往直前无敌战队", "第4队", "第5队", "第6队"]
# The host's library for the evening, and the one opened half-way, which has none of its words.
FIRST = dict(libraries.bundled(("动作", "成语", "日常用品")))
MENDED = dict(libraries.bundled(("食物", "动物", "运动", "职业", "地点"), leaving_out=FIRST.items()))
# The damaged copy is opened during this round (the evening's interlude), and mended after it.
DAMAGED_IN = 7
# A press of 跳过 in a round's first second that the game neither takes nor
# refuses: once in an evening is put down to the desktop, more is the game's.
SKIPS_UNANSWERED = 1
MEMORY_ROUNDS = (2, 12)
MEMORY_GROWTH = 0.10
PRODUCT_TITLE = START_TITLE

# Round by round: how it is started, who presses 正确, what else happens,
# and how its end box is closed and its review confirmed.
PLANS = [
    RoundPlan(start="mouse", pressers=("mouse",), close="mouse", confirm="mouse"),
    RoundPlan(start="mouse", pressers=("page keys",)),
    RoundPlan(start="keyboard", pressers=("arrows",), late_skip="arrows", confirm="mouse"),
    RoundPlan(start="keyboard", pressers=("phone",), first="phone", close="phone", reload_phone=True),
    RoundPlan(start="phone", pressers=("keyboard",), first_skips=False, pause="keyboard"),
    RoundPlan(start="keyboard", pressers=("page keys", "arrows"), pause="page keys", close="mouse"),
    RoundPlan(start="keyboard", pressers=("mouse", "keyboard"), interlude_at=8),
    RoundPlan(start="keyboard", pressers=("phone",), first="phone", confirm="phone", reload_phone=True),
    RoundPlan(start="phone", pressers=("page keys",), close="mouse"),
    RoundPlan(start="mouse", pressers=("arrows",), first_skips=False, pause="keyboard", confirm="mouse"),
    RoundPlan(start="keyboard", pressers=("phone", "page keys"), first="phone", close="phone", reload_phone=True),
    RoundPlan(start="phone", pressers=("keyboard",)),
]
CONSOLE_PLAN = RoundPlan(start="console", pressers=("console", "console keys"), first="console", pause="console",
                         confirm="console")


class Evening:
    def __init__(self, check, game, phone):
        self.check = check
        self.game = game
        self.phone = phone
        self.hands = Hands(game, phone)
        self.tally = Tally(TEAMS)
        # The round on two screens, when it was the match's first tie-break.
        self.tie_break = None
        self.teams = TEAMS
        self.reloads = 0
        # First-second skips that changed nothing, neither taken nor refused.
        self.skips_unanswered = 0
        self.host_file = None
        self._screen = None

    def big_screen(self):
        if self._screen is None:
            self.game.wait_window(ROUND_TITLE, 30.0)
            self._screen = BigScreen(self.game)
        return self._screen

    def interlude(self):
        """While a round runs, the host opens the library a friend sent: a
        damaged copy. The game must say so, and the round go on."""
        self.host_file = _open_damaged(self)

    def reload_phone(self):
        self.phone.reload()
        self.reloads += 1
        connected(self.phone)


def connected(phone):
    phone.wait("document.getElementById('status').textContent === '已连接' && document.body.dataset.phase", 10.0,
               "the phone is connected to the game")


def _free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def boxes(game):
    """The game's shown windows other than its start window, its guessing window and the console."""
    own = {START_TITLE, ROUND_TITLE, CONSOLE_TITLE}
    return [node for node in game.app if node is not None and access.showing(node)
            and not (access.role(node) == "filler" and access.name(node) in own)]


def _described(nodes):
    return [f"{access.role(n)} {access.name(n)!r}: "
            + " ".join(access.name(label) or "" for label in access.find_all(n, "label")) for n in nodes]


def _names(box, about):
    return any(about in (access.name(label) or "") for label in access.find_all(box, "label"))


def error_box(game, about):
    """The error box that names the file `about`, if one shows."""
    return next((node for node in boxes(game) if access.role(node) == "alert"
                 and access.name(node) == PRODUCT_TITLE and _names(node, about)), None)


def run(check):
    started = time.monotonic()
    phone = Phone(check.folder("phone")).start()
    clipboard = Clipboard()
    try:
        data = check.folder("data")
        # The game's own folder holds a library of its own, which the host's replaces.
        game = check.launch(libraries.LONG_WORDS, arguments=[f"--remote={_free_port()}"],
                            environment={"XDG_DATA_HOME": data, "XDG_CONFIG_HOME": check.folder("config")})
        address = wait_until(lambda: re.search(r"遥控地址: (\S+)", game.output()), 10.0,
                             "the game prints the remote's address")
        phone.connect().open(on_loopback(address.group(1)))
        connected(phone)
        evening = Evening(check, game, phone)
        own = os.path.join(check.folder("host-library"), "party.xls")
        write_library(own, list(FIRST.items()))
        set_up_match(check, game, clipboard, own, COUNTDOWN, TEAMS, PASSES)
        turn = access.find(game.window(START_TITLE), "label", f"下一队：{TEAMS[0]}", only_showing=True)
        check.expect(turn is not None, "the start window does not name the first team")
        check.log(f"the match is set up after {time.monotonic() - started:.1f} s")
        memory = _play_match(evening)
        exported = os.path.join(check.folder("export"), "results.csv")
        export_results(check, game, exported)
        check.log(f"the results are exported after {time.monotonic() - started:.1f} s")
        _console_round(evening)
        _records(evening, data, exported)
        _figures(evening, memory, started)
    finally:
        clipboard.close()
        phone.close()


def _play_match(ev):
    check, game = ev.check, ev.game
    library = FIRST
    memory = {}
    for number, plan in enumerate(PLANS, start=1):
        rnd = Round(ev, number, plan, library)
        began = time.monotonic()
        box = rnd.play()
        ended = time.monotonic()
        finish(rnd, box)
        check.log(f"{rnd.what}: {rnd.played.score} points, {rnd.played.skips} skips, "
                  f"{len(rnd.played.shown)} words; {ended - began:.1f} s in play, "
                  f"{time.monotonic() - ended:.1f} s reviewed; memory {game.memory_kilobytes()} kB")
        if number in MEMORY_ROUNDS:
            memory[number] = game.memory_kilobytes()["VmRSS"]
        # The damaged library's error box stays until the host closes it.
        stray = [node for node in boxes(game) if not (number == DAMAGED_IN and access.role(node) == "alert"
                                                      and _names(node, os.path.basename(ev.host_file)))]
        check.expect(not stray, f"after {rnd.what} these stay open: {_described(stray)}")
        if number == DAMAGED_IN:
            _mend(ev, ev.host_file)
            library = MENDED
    return memory


def _open_damaged(ev):
    """The library a friend sent, cut short on its way (half of the file):
    opened from the menu, it must be refused with a word, and play goes on."""
    check, game = ev.check, ev.game
    path = os.path.join(check.folder("host-library"), "quiz-night.xls")
    write_library(path, list(MENDED.items()))
    with open(path, "rb") as whole:
        content = whole.read()
    with open(path, "wb") as damaged:
        damaged.write(content[:len(content) // 2])
    open_library(check, game, path)
    try:
        error = wait_until(lambda: error_box(game, os.path.basename(path)), 5.0, "the error box")
        # An error box does not take the keyboard: the clicker goes on working.
        check.expect(not access.active(error), "the error box about the damaged library took the keyboard")
    except TimedOut:
        check.expect(False, f"opening the damaged {os.path.basename(path)} with 打开词库… shows no error; "
                            f"open now: {_described(boxes(game))}")
    return path


def _mend(ev, path):
    """The error box read and closed, the file put right (the friend sends it
    again) and opened again, which must say nothing."""
    check, game = ev.check, ev.game
    name = os.path.basename(path)
    error = error_box(game, name)
    if error is not None:
        ev.hands.press("mouse", "close", error)
        wait_until(lambda: error_box(game, name) is None, 3.0, "the error box closes")
    write_library(path, list(MENDED.items()))
    open_library(check, game, path)
    time.sleep(1.0)
    said = boxes(game)
    check.expect(not said, f"opening the mended library shows {_described(said)}")


def _console_round(ev):
    """The projector plugged in for a last round, run from the operator's console."""
    check, game = ev.check, ev.game
    console = console_on(check, game)
    rnd = Round(ev, len(PLANS) + 1, CONSOLE_PLAN, MENDED, title="the round on two screens")
    # Passes that end in a tie for first go on with tie-break rounds: this
    # round is the first of them, the first tied team's.
    leaders = ev.tally.tied_leaders()
    if leaders:
        rnd.played.team = leaders[0]
        ev.tie_break = rnd.played
        check.log(f"the passes ended in a tie for first ({', '.join(ev.teams[t] for t in leaders)}): "
                  f"the round on two screens is the tie-break of {ev.teams[leaders[0]]}")
    box = rnd.play()
    played = rnd.played
    time.sleep(1.2)
    ev.hands.press("keyboard", "close", box)
    wait_until(lambda: end_box(game) is None, 3.0, "the end box on the projector closes")
    table = wait_until(lambda: access.find(console, "table", "本轮的词", only_showing=True), 3.0,
                       "the review on the console")
    rows = [row[0] for row in access.cells(table)]
    check.expect(rows == [word for word, _, _ in played.shown],
                 f"the console's review lists {rows}; the round showed {[w for w, _, _ in played.shown]}")
    total = access.find(console, "label", test=lambda n: (access.name(n) or "").startswith("总分"), only_showing=True)
    said = access.name(total) if total else None
    check.expect(said == f"总分 {played.score}    跳过 {played.skips}",
                 f"the console's review total reads {said!r}; the round made {played.score} points "
                 f"and {played.skips} skips")
    score = access.find(console, "label", test=lambda n: access.description(n) == "得分")
    check.expect(access.name(score) == f"{played.score:03d}",
                 f"the console's score reads {access.name(score)}; the round made {played.score} points")
    ev.hands.press("console", "confirm")
    wait_until(lambda: review_table(game) is None, 3.0, "the review leaves the projector")
    waiting = access.find(console, "label", "等待开始", only_showing=True)
    check.expect(waiting is not None, "the console does not wait for the next round after the review")
    stray = boxes(game)
    check.expect(not stray, f"after the round on two screens these stay open: {_described(stray)}")


def _records(ev, data, exported):
    check = ev.check
    path = history_file(data)
    check.require(path is not None, f"no history database in the game's data folder {data}")
    for wrong in history_differences(path, ev.tally, PASSES, ev.tie_break):
        check.expect(False, wrong)
    check.require(os.path.exists(exported), "the results were not exported")
    for wrong in csv_differences(exported, ev.tally):
        check.expect(False, wrong)


def _figures(ev, memory, started):
    check = ev.check
    check.figure("rounds", len(ev.tally.rounds) + 1)
    for device in ("mouse", "clicker", "keyboard", "phone", "console"):
        check.figure(f"presses_{device}", ev.hands.presses[device])
    check.figure("phone_reloads", ev.reloads)
    check.figure("keyboard_lost", ev.hands.keyboard_lost)
    check.figure("skips_unanswered", ev.skips_unanswered)
    check.expect(ev.skips_unanswered <= SKIPS_UNANSWERED,
                 f"{ev.skips_unanswered} skips in the first second of a round changed nothing")
    first, last = (memory.get(number) for number in MEMORY_ROUNDS)
    check.figure(f"rss_round{MEMORY_ROUNDS[0]}_kb", first)
    check.figure(f"rss_round{MEMORY_ROUNDS[1]}_kb", last)
    if first and last:
        check.figure("rss_growth_pct", round((last - first) * 100 / first, 1))
    check.figure("seconds", round(time.monotonic() - started))
    check.expect(first and last and last <= first * (1 + MEMORY_GROWTH),
                 f"the game holds {last} kB after round {MEMORY_ROUNDS[1]}, more than a tenth above the "
                 f"{first} kB after round {MEMORY_ROUNDS[0]}")
