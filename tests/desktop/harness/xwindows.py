"""What the X server and the window manager say about top-level windows:
where a window's client area is, the frame the window manager drew around
it, and the part of the screen that windows may use."""

import re
import subprocess
from dataclasses import dataclass

from .geometry import Rect


def _run(argv, timeout=5):
    result = subprocess.run(argv, capture_output=True, text=True, timeout=timeout)
    return result.stdout if result.returncode == 0 else ""


def _numbers(text):
    return [int(n) for n in re.findall(r"-?\d+", text)]


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


def find(title):
    """Ids of the viewable windows whose title is exactly `title`."""
    output = _run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"])
    return [int(line) for line in output.split()]


def place(window):
    info = _run(["xwininfo", "-id", str(window)])
    fields = dict(re.findall(r"^\s*([A-Za-z -]+):\s*(.+)$", info, re.MULTILINE))
    try:
        client = Rect(int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                      int(fields["Width"]), int(fields["Height"]))
    except KeyError:
        return None
    extents = _numbers(_run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"]).partition("=")[2])
    frame = FrameExtents(*extents[:4]) if len(extents) >= 4 else FrameExtents(0, 0, 0, 0)
    return WindowPlace(window, client, frame, fields.get("Map State", "").strip() == "IsViewable")


def work_area():
    """The part of the screen the window manager lets windows use."""
    values = _numbers(_run(["xprop", "-root", "_NET_WORKAREA"]).partition("=")[2])
    return Rect(*values[:4]) if len(values) >= 4 else None


def screen_rect():
    match = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", _run(["xdpyinfo"]))
    return Rect(0, 0, int(match.group(1)), int(match.group(2)))


def managed_windows():
    """Places of the windows the window manager manages and shows, bottom to top."""
    listing = _run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"]).partition("#")[2]
    ids = [int(window, 16) for window in re.findall(r"0x[0-9a-fA-F]+", listing)]
    places = [place(window) for window in ids]
    return [p for p in places if p is not None and p.viewable]


def activate(window):
    """Gives the window the keyboard focus, as a host's click on its title would."""
    try:
        subprocess.run(["xdotool", "windowactivate", "--sync", str(window)], capture_output=True,
                       timeout=3)
    except subprocess.TimeoutExpired:
        pass
    return active() == window


def active():
    output = _run(["xdotool", "getactivewindow"]).strip()
    return int(output) if output.isdigit() else None
