"""The host's mouse and keyboard, through the X server's test extension.

Events are sent from this process rather than by starting a tool per press:
the time a press leaves is then known to the millisecond, which the timing
of a new word depends on."""

import time

from Xlib import X, XK
from Xlib.ext import xtest

from .xwindows import connection

_MODIFIERS = {"ctrl": "Control_L", "shift": "Shift_L", "alt": "Alt_L"}
_CHARACTER_KEYS = {"-": "minus", ".": "period", " ": "space", "+": "plus", "/": "slash", "_": "shift+minus"}
# Long enough for a toolkit to see a press and its release as two events.
_HOLD = 0.01


class XInput:
    def __init__(self):
        self._display = connection()

    def move(self, x, y):
        xtest.fake_input(self._display, X.MotionNotify, x=x, y=y)
        self._display.sync()

    def click(self, x, y, button=1):
        """Clicks at a screen point; returns the monotonic time the press was delivered."""
        self.move(x, y)
        xtest.fake_input(self._display, X.ButtonPress, button)
        self._display.sync()
        pressed = time.monotonic()
        time.sleep(_HOLD)
        xtest.fake_input(self._display, X.ButtonRelease, button)
        self._display.sync()
        return pressed

    def _keycode(self, name):
        keysym = XK.string_to_keysym(name)
        code = self._display.keysym_to_keycode(keysym) if keysym else 0
        if not code:
            raise ValueError(f"no key for {name!r}")
        return code

    def key(self, combination):
        """Presses a key with its modifiers, written as in "ctrl+a" or "F4"; returns the press time."""
        codes = [self._keycode(_MODIFIERS.get(n, n)) for n in combination.split("+")]
        for code in codes:
            xtest.fake_input(self._display, X.KeyPress, code)
        self._display.sync()
        pressed = time.monotonic()
        time.sleep(_HOLD)
        for code in reversed(codes):
            xtest.fake_input(self._display, X.KeyRelease, code)
        self._display.sync()
        return pressed

    def type_text(self, text):
        for character in text:
            self.key(_CHARACTER_KEYS.get(character, character))
