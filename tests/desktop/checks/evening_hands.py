"""The host's hands on an evening: every device turns a move into one of the
game's commands its own way. The mouse presses the guessing window's
buttons and the boxes' own; a presenter clicker's page keys, arrows and
"B"/"." go to whichever window has the focus; the keyboard gives Space and
Enter; the phone is tapped; the operator's console is clicked, or its window
takes the clicker's keys. Each press is counted for its device."""

from collections import Counter

from harness import access, xwindows
from harness.game import ROUND_TITLE
from harness.waiting import wait_until

CONSOLE_TITLE = "操作台"

# The keys each keyboard-like device sends for a command.
_KEYS = {
    "page keys": {"correct": "Next", "skip": "Prior", "pause": "b", "resume": "period"},
    "arrows": {"correct": "Right", "skip": "Left", "pause": "period", "resume": "b"},
    "keyboard": {"correct": "Return", "pause": "space", "resume": "space",
                 "close": "Return", "confirm": "Return", "start": "Return"},
    "console keys": {"correct": "Next", "skip": "Prior", "pause": "space", "resume": "space"},
}
# The phone page's buttons.
_PHONE = {"correct": "correct", "skip": "skip", "confirm": "confirm", "start": "start"}
# The console's buttons, by the start of their captions.
_CONSOLE = {"correct": "正确", "skip": "跳过", "pause": "暂停", "resume": "继续", "start": "开始下一轮"}
# Which figure a device's presses count for.
FIGURE = {"mouse": "mouse", "page keys": "clicker", "arrows": "clicker", "keyboard": "keyboard",
          "phone": "phone", "console": "console", "console keys": "clicker"}


def _starting(prefix):
    return lambda node: (access.name(node) or "").startswith(prefix)


class Hands:
    def __init__(self, game, phone):
        self._game = game
        self._phone = phone
        self.presses = Counter()
        # Times a window of play had lost the keyboard when a key was to go to it.
        self.keyboard_lost = 0

    def press(self, device, command, box=None):
        """Gives the command with the device; box: the box the command answers."""
        if device == "mouse":
            self._mouse(command, box)
        elif device in _KEYS:
            if command != "close":
                self._keyboard_to(CONSOLE_TITLE if device == "console keys" else ROUND_TITLE)
            self._game.key(_KEYS[device][command])
        elif device == "phone":
            self._tap(command)
        elif device == "console":
            self._console(command)
        else:
            raise ValueError(f"no device {device!r}")
        self.presses[FIGURE[device]] += 1

    def _keyboard_to(self, title):
        """A window of play that has lost the keyboard gets it back as a host
        gives it: by clicking on the window (its title, here, which presses
        nothing). Counted: a box that closes may leave no window the keyboard."""
        window = self._game.x_window(title)
        if xwindows.active() == window:
            return
        self.keyboard_lost += 1
        self._game.focus(title)

    def _mouse(self, command, box):
        game = self._game
        window = game.window(ROUND_TITLE)
        if command == "correct":
            target = game.correct_button()
        elif command == "skip":
            target = game.skip_button()
        elif command == "close":
            target = access.find(box, "push button", "确定")
        elif command == "confirm":
            target = access.find(window, "push button", "确认 (Enter)", only_showing=True)
        elif command == "start" and window is None:
            target = game.start_label()
        elif command == "start":
            board = access.find(window, name_is="计分板", only_showing=True)
            target = board and access.find(board, "push button", test=_starting("下一轮"), only_showing=True)
        else:
            raise ValueError(f"the mouse has no {command!r}")
        if target is None:
            raise RuntimeError(f"nothing on the screen to click for {command!r}")
        game.click(target)

    def _tap(self, command):
        element = _PHONE[command]
        # What the phone shows greyed out is not pressed: wait for the game's word.
        wait_until(lambda: self._phone.enabled(element), 3.0, f"the phone's {element!r} button is on")
        self._phone.tap(element)

    def _console(self, command):
        console = self._game.window(CONSOLE_TITLE)
        if command == "confirm":
            target = access.find(console, "push button", test=lambda n: (access.name(n) or "").endswith("(Enter)"),
                                 only_showing=True)
        else:
            target = access.find(console, "push button", test=_starting(_CONSOLE[command]), only_showing=True)
        if target is None:
            raise RuntimeError(f"the console shows no button for {command!r}")
        self._game.click(target)
