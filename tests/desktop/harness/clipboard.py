"""Text on the X clipboard, as a host pastes a team's name copied from a
message: Chinese reaches a field whole, the way no key of the test
extension can type it. The clipboard is owned from a connection of its own
and answered from a thread while it holds the text."""

import select
import threading

from Xlib import X, Xatom
from Xlib import display as xdisplay
from Xlib.protocol import event as xevent

# How long one wait for a request lasts before the thread looks whether it is to stop.
_POLL = 0.05


class Clipboard:
    def __init__(self):
        self._display = xdisplay.Display()
        self._window = self._display.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self._atoms = {name: self._display.intern_atom(name) for name in ("CLIPBOARD", "TARGETS", "UTF8_STRING")}
        self._text = b""
        self._lock = threading.Lock()
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def hold(self, text):
        """Puts text on the clipboard: a paste now gives it."""
        with self._lock:
            self._text = text.encode("utf-8")
            self._window.set_selection_owner(self._atoms["CLIPBOARD"], X.CurrentTime)
            owner = self._display.get_selection_owner(self._atoms["CLIPBOARD"])
        if owner != self._window:
            raise RuntimeError("the clipboard could not be had")

    def close(self):
        self._stop.set()
        self._thread.join()
        self._display.close()

    def _serve(self):
        while not self._stop.is_set():
            with self._lock:
                while self._display.pending_events():
                    request = self._display.next_event()
                    if request.type == X.SelectionRequest:
                        self._answer(request)
            select.select([self._display.fileno()], [], [], _POLL)

    def _answer(self, request):
        targets, utf8 = self._atoms["TARGETS"], self._atoms["UTF8_STRING"]
        # Old programs name no property: the target is then the property.
        prop = request.property or request.target
        if request.target == targets:
            request.requestor.change_property(prop, Xatom.ATOM, 32, [targets, utf8])
        elif request.target == utf8:
            request.requestor.change_property(prop, utf8, 8, self._text)
        else:
            prop = X.NONE
        request.requestor.send_event(xevent.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=prop))
        self._display.flush()
