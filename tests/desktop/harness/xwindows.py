"""What the X server and the window manager say about top-level windows:
where a window's client area is, the frame the window manager drew around
it, and the part of the screen that windows may use. Asked over one X
connection of this process: a tool started per question costs more time
than a window manager takes to move a window."""

from dataclasses import dataclass

from Xlib import X, Xatom
from Xlib import display as xdisplay
from Xlib import error as xerror
from Xlib.protocol import event as xevent

from .geometry import Rect
from .waiting import TimedOut, wait_stable, wait_until

_connection = None


def connection():
    """The process's X connection, to the display named by DISPLAY."""
    global _connection
    if _connection is None:
        _connection = xdisplay.Display()
    return _connection


def _atom(name):
    return connection().intern_atom(name)


def _root():
    return connection().screen().root


def _window(window_id):
    return connection().create_resource_object("window", window_id)


def _cardinals(window, name):
    try:
        prop = window.get_full_property(_atom(name), X.AnyPropertyType)
    except xerror.XError:
        return []
    return list(prop.value) if prop is not None else []


def _title(window):
    try:
        prop = window.get_full_property(_atom("_NET_WM_NAME"), _atom("UTF8_STRING"))
        if prop is None:
            prop = window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
    except xerror.XError:
        return None
    if prop is None:
        return None
    value = prop.value
    return value.decode("utf-8", "replace") if isinstance(value, bytes) else value


@dataclass(frozen=True)
class FrameExtents:
    left: int
    right: int
    top: int
    bottom: int

    @property
    def framed(self):
        return self.top > 0 or self.left > 0 or self.right > 0 or self.bottom > 0


@dataclass(frozen=True)
class WindowPlace:
    """A window's client area and frame as the server saw them at one moment."""
    window: int
    client: Rect
    extents: FrameExtents
    viewable: bool

    @property
    def frame(self):
        e = self.extents
        return Rect(self.client.x - e.left, self.client.y - e.top,
                    self.client.width + e.left + e.right, self.client.height + e.top + e.bottom)


def managed():
    """Ids of the windows the window manager manages, bottom to top."""
    return _cardinals(_root(), "_NET_CLIENT_LIST_STACKING")


def place(window_id):
    window = _window(window_id)
    try:
        geometry = window.get_geometry()
        origin = _root().translate_coords(window, 0, 0)
        viewable = window.get_attributes().map_state == X.IsViewable
    except xerror.XError:
        return None
    extents = _cardinals(window, "_NET_FRAME_EXTENTS")
    frame = FrameExtents(*extents[:4]) if len(extents) >= 4 else FrameExtents(0, 0, 0, 0)
    return WindowPlace(window_id, Rect(origin.x, origin.y, geometry.width, geometry.height), frame, viewable)


def find(title):
    """Ids of the viewable managed windows whose title is exactly `title`."""
    found = []
    for window_id in managed():
        if _title(_window(window_id)) == title:
            where = place(window_id)
            if where is not None and where.viewable:
                found.append(window_id)
    return found


def on_screens(title):
    """(X screen number, client area) of every viewable managed window titled
    `title`, on each screen of the display (a window manager per screen)."""
    found = []
    conn = connection()
    for number in range(conn.screen_count()):
        root = conn.screen(number).root
        for window_id in _cardinals(root, "_NET_CLIENT_LIST_STACKING"):
            window = _window(window_id)
            if _title(window) != title:
                continue
            try:
                geometry = window.get_geometry()
                origin = root.translate_coords(window, 0, 0)
                viewable = window.get_attributes().map_state == X.IsViewable
            except xerror.XError:
                continue
            if viewable:
                found.append((number, Rect(origin.x, origin.y, geometry.width, geometry.height)))
    return found


def current_place(title):
    ids = find(title)
    return place(ids[-1]) if ids else None


def steady_place(title, timeout=5.0):
    """The window's place once it has stopped moving (window managers move in steps)."""
    return wait_stable(lambda: current_place(title), timeout, f"place of the window {title!r}", settle=0.4)


def managed_windows():
    """Places of the windows the window manager manages and shows, bottom to top."""
    places = [place(window_id) for window_id in managed()]
    return [p for p in places if p is not None and p.viewable]


def work_area():
    """The part of the screen the window manager lets windows use."""
    values = _cardinals(_root(), "_NET_WORKAREA")
    return Rect(*values[:4]) if len(values) >= 4 else None


def screen_rect():
    screen = connection().screen()
    return Rect(0, 0, screen.width_in_pixels, screen.height_in_pixels)


def active():
    values = _cardinals(_root(), "_NET_ACTIVE_WINDOW")
    return values[0] if values else None


def activate(window_id, timeout=3.0):
    """Asks the window manager to give the window the keyboard focus, as a
    click on its title would; returns whether it did within the timeout."""
    message = xevent.ClientMessage(window=_window(window_id), client_type=_atom("_NET_ACTIVE_WINDOW"),
                                   data=(32, [2, X.CurrentTime, 0, 0, 0]))
    _root().send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    connection().flush()
    try:
        wait_until(lambda: active() == window_id, timeout, "the window takes the focus")
    except TimedOut:
        return False
    return True
