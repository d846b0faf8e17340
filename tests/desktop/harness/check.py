"""One check's run: the games it starts, what it expects, what it measured."""

import os
import time
import traceback
from dataclasses import dataclass, field

from . import xwindows
from .game import START_TITLE, Game, make_game_folder
from .screen import Shots
from .waiting import TimedOut
from .xinput import XInput


class CheckStopped(Exception):
    """A check cannot go on: what it needs next did not happen."""


@dataclass
class CheckResult:
    name: str
    size: str
    failures: list = field(default_factory=list)
    figures: dict = field(default_factory=dict)
    seconds: float = 0.0


class CheckRun:
    def __init__(self, name, size, game_binary, work_folder, shots_folder, options):
        self.name = name
        self.size = size
        self.options = options
        self.result = CheckResult(name, str(size))
        self._binary = game_binary
        self._work = work_folder
        self.shots = Shots(shots_folder, f"{size}-{name}")
        self.input = XInput()
        self._games = []

    def folder(self, name):
        """A fresh folder of this check's own, removed with the run."""
        path = os.path.join(self._work, name)
        os.makedirs(path, exist_ok=True)
        return path

    def log(self, text):
        print(f"  [{self.size} {self.name}] {text}", flush=True)

    def launch(self, words, arguments=(), environment=None):
        """Starts the game in a fresh folder holding the given library; waits for its start window."""
        folder = make_game_folder(os.path.join(self._work, f"game-{len(self._games)}"), words)
        game = Game(self._binary, folder, self.input, arguments, environment)
        self._games.append(game)
        game.wait_ready()
        # Clicks land where the window manager finally put the window.
        xwindows.steady_place(START_TITLE)
        game.park_pointer()
        return game

    def expect(self, condition, message):
        """Records a failure without stopping the check; the screen is kept for a person to see."""
        if not condition:
            path = self.shots.save("failure")
            self.result.failures.append(message + (f" (screen: {path})" if path else ""))
            self.log("FAIL: " + message)
        return bool(condition)

    def require(self, condition, message):
        """As expect, and the check stops here when the condition does not hold."""
        if not self.expect(condition, message):
            raise CheckStopped(message)

    def figure(self, key, value):
        self.result.figures[key] = value

    def execute(self, body):
        started = time.monotonic()
        try:
            body(self)
        except CheckStopped:
            pass
        except TimedOut as error:
            self.expect(False, str(error))
        except Exception:
            self.expect(False, "the check broke: " + traceback.format_exc().strip().replace("\n", "\n    "))
        finally:
            for game in self._games:
                if not game.running():
                    kept = self.shots.keep(game.log_path, "game-log.txt")
                    self.result.failures.append(f"the game ended by itself (its output: {kept})")
                game.end()
            self.result.seconds = round(time.monotonic() - started, 1)
        return self.result
