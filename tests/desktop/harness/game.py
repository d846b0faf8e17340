"""The real game, started in a game folder of the test's own making and
reached through its windows the way a host reaches it."""

import os
import shutil
import signal
import subprocess

import xlwt

from . import access, xwindows
from .processes import die_with_parent
from .waiting import wait_until

START_TITLE = "猜词大挑战"
RULES_TITLE = "游戏规则和设置"
ROUND_TITLE = "猜词窗口"
MESSAGE_TITLE = "提示"
IDLE_LINE = "Velmarin出品"

_REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))


def make_game_folder(folder, words):
    """A game folder like the shipped one, with a library of the given (word, points) pairs."""
    os.makedirs(folder, exist_ok=True)
    for part in ("sound", "fonts"):
        shutil.copytree(os.path.join(_REPO, "game", part), os.path.join(folder, part),
                        dirs_exist_ok=True)
    write_library(os.path.join(folder, "words.xls"), words)
    return folder


def write_library(path, words):
    """An Excel 97-2003 workbook of (word, points) pairs, laid out as the game
    reads a library; entries of three, (word, points, forbidden words), give
    the workbook a 禁词 column."""
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("词库")
    header = ["名称", "分值"] + (["禁词"] if any(len(entry) > 2 for entry in words) else [])
    for column, title in enumerate(header):
        sheet.write(0, column, title)
    for row, entry in enumerate(words, start=1):
        for column, value in enumerate(entry):
            sheet.write(row, column, value)
    book.save(path)


class Game:
    """arguments: the command line after the program's name; environment:
    variables set for the game alone (a data folder of its own)."""

    def __init__(self, binary, folder, devices, arguments=(), environment=None):
        self._devices = devices
        env = dict(os.environ)
        env.update({"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                    "SDL_AUDIODRIVER": "dummy"})
        env.update(environment or {})
        self.log_path = os.path.join(folder, "game.log")
        with open(self.log_path, "wb") as log:
            self._process = subprocess.Popen([binary, *arguments], cwd=folder, env=env, stdout=log,
                                             stderr=subprocess.STDOUT, preexec_fn=die_with_parent)
        self.app = None

    # --- life

    def wait_ready(self, timeout=20.0):
        def ready():
            if self._process.poll() is not None:
                raise RuntimeError(f"the game ended at start-up with status {self._process.returncode}")
            app = access.application(self._process.pid)
            window = app and access.top_level(app, START_TITLE)
            return window is not None and access.find(window, "push button", "开始游戏") is not None and app
        self.app = wait_until(ready, timeout, "the start window with its start label")
        return self

    def running(self):
        return self._process.poll() is None

    def end(self):
        if self._process.poll() is None:
            self._process.send_signal(signal.SIGTERM)
            try:
                self._process.wait(timeout=3)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()

    def output(self):
        """What the game has written to its standard output and error so far."""
        with open(self.log_path, encoding="utf-8", errors="replace") as log:
            return log.read()

    def memory_kilobytes(self):
        """What the kernel counts of the game's memory now: VmRSS (all it
        holds in RAM), RssAnon (its own data) and RssFile (files it maps,
        fonts among them), in kB."""
        counted = {}
        with open(f"/proc/{self._process.pid}/status", encoding="ascii") as status:
            for line in status:
                key, _, value = line.partition(":")
                if key in ("VmRSS", "RssAnon", "RssFile"):
                    counted[key] = int(value.split()[0])
        return counted

    # --- windows

    def window(self, title, only_showing=True):
        return access.top_level(self.app, title, only_showing)

    def wait_window(self, title, timeout=5.0):
        return wait_until(lambda: self.window(title), timeout, f"the window {title!r} shows")

    def x_window(self, title, timeout=5.0):
        """The X window id of a shown window of the game."""
        return wait_until(lambda: next(iter(xwindows.find(title)), None), timeout,
                          f"the X window {title!r}")

    def dialogs(self):
        """The game's shown top-level windows other than its three own."""
        return [node for node in self.app if node is not None and access.showing(node)
                and access.name(node) not in (START_TITLE, RULES_TITLE, ROUND_TITLE)]

    # --- the start window

    def start_label(self):
        return access.find(self.window(START_TITLE), "push button", "开始游戏")

    def rules_button(self):
        return access.find(self.window(START_TITLE), "push button", RULES_TITLE)

    def start_round(self, timeout=30.0):
        """Clicks the start label and waits for the guessing window. The first
        start of a run reads the workbook, which a busy machine may take
        seconds over."""
        self.click(self.start_label())
        self.wait_window(ROUND_TITLE, timeout)

    def open_rules(self):
        self.click(self.rules_button())
        return self.wait_window(RULES_TITLE)

    # --- the guessing window

    def round_window(self):
        return self.window(ROUND_TITLE)

    def word_display(self):
        """The static text that shows the word: the largest one of the guessing window."""
        labels = [node for node in self.round_window() if node is not None and access.role(node) == "label"]
        sized = [(rect.width * rect.height, node) for node, rect in
                 ((node, access.extents(node)) for node in labels) if rect is not None]
        return max(sized, key=lambda pair: pair[0])[1]

    def part(self, name=None, description=None, role_name=None, prefix=None):
        window = self.round_window()
        if prefix is not None:
            return access.find(window, role_name, test=lambda n: (access.name(n) or "").startswith(prefix))
        return access.find(window, role_name, name, description)

    def time_display(self):
        return self.part(description="剩余时间")

    def score_display(self):
        return self.part(description="得分")

    def correct_button(self):
        return self.part("正确", role_name="push button")

    def skip_button(self):
        return self.part(role_name="push button", prefix="跳过")

    def footer(self):
        return self.part(role_name="label", prefix="更多功能")

    # --- input

    def park_pointer(self):
        """Moves the pointer to the screen's bottom-right corner, away from tooltips."""
        screen = xwindows.screen_rect()
        self._devices.move(screen.right - 1, screen.bottom - 1)

    def click(self, node, button=1, park=True):
        rect = access.extents(node)
        if rect is None:
            raise RuntimeError(f"{access.name(node)!r} has no place on the screen")
        pressed = self._devices.click(*rect.center, button=button)
        if park:
            self.park_pointer()
        return pressed

    def focus(self, title):
        window = self.x_window(title)
        if not xwindows.activate(window):
            raise RuntimeError(f"the window {title!r} does not take the keyboard focus")
        return window

    def key(self, combination):
        return self._devices.key(combination)

    def type_text(self, text):
        self._devices.type_text(text)
