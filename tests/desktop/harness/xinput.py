"""The host's mouse and keyboard, through the X server's test extension.

Events are sent from this process rather than by starting a tool per press:
the time a press leaves is then known to the millisecond, which the timing
of a new word depends on."""

import ctypes
import os
import time

_x11 = ctypes.CDLL("libX11.so.6")
_xtst = ctypes.CDLL("libXtst.so.6")

_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XStringToKeysym.restype = ctypes.c_ulong
_x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
_x11.XKeysymToKeycode.restype = ctypes.c_ubyte
_x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]
_xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

_MODIFIERS = {"ctrl": "Control_L", "shift": "Shift_L", "alt": "Alt_L"}
_CHARACTER_KEYS = {"-": "minus", ".": "period", " ": "space", "+": "plus"}
# Long enough for a toolkit to see a press and its release as two events.
_HOLD = 0.01


class XInput:
    def __init__(self, display=None):
        name = (display or os.environ["DISPLAY"]).encode()
        self._display = _x11.XOpenDisplay(name)
        if not self._display:
            raise RuntimeError(f"cannot open X display {name.decode()}")

    def close(self):
        if self._display:
            _x11.XCloseDisplay(self._display)
            self._display = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _sync(self):
        _x11.XSync(self._display, 0)

    def move(self, x, y):
        _xtst.XTestFakeMotionEvent(self._display, -1, x, y, 0)
        self._sync()

    def click(self, x, y, button=1):
        """Clicks at a screen point; returns the monotonic time the press was delivered."""
        self.move(x, y)
        _xtst.XTestFakeButtonEvent(self._display, button, 1, 0)
        self._sync()
        pressed = time.monotonic()
        time.sleep(_HOLD)
        _xtst.XTestFakeButtonEvent(self._display, button, 0, 0)
        self._sync()
        return pressed

    def _keycode(self, keysym_name):
        keysym = _x11.XStringToKeysym(keysym_name.encode())
        code = _x11.XKeysymToKeycode(self._display, keysym) if keysym else 0
        if not code:
            raise ValueError(f"no key for {keysym_name!r}")
        return code

    def key(self, combination):
        """Presses a key with its modifiers, written as in "ctrl+a" or "F4"; returns the press time."""
        names = combination.split("+")
        codes = [self._keycode(_MODIFIERS.get(n, n)) for n in names]
        for code in codes:
            _xtst.XTestFakeKeyEvent(self._display, code, 1, 0)
        self._sync()
        pressed = time.monotonic()
        time.sleep(_HOLD)
        for code in reversed(codes):
            _xtst.XTestFakeKeyEvent(self._display, code, 0, 0)
        self._sync()
        return pressed

    def type_text(self, text):
        for character in text:
            self.key(_CHARACTER_KEYS.get(character, character))
