"""What the game tells assistive technology: its windows, controls, their
names, texts and places on the screen, read over the accessibility bus."""

import pyatspi
from gi.repository import Atspi, GLib

from .geometry import Rect

_desktop = pyatspi.Registry.getDesktop(0)
# Names change while a round runs (the word, the time): ask the program every
# time instead of trusting a copy that only events would refresh.
_desktop.set_cache_mask(Atspi.Cache.NONE)

# Errors of a call into an object that went away while it was being read.
_GONE = (GLib.GError, RuntimeError, LookupError)


def applications():
    return [app for app in _desktop if app is not None]


def application(pid):
    for app in applications():
        try:
            if app.get_process_id() == pid:
                return app
        except _GONE:
            continue
    return None


def walk(root):
    """Every object below root, breadth first; objects that vanish are skipped."""
    queue = [root]
    while queue:
        node = queue.pop(0)
        yield node
        try:
            queue.extend(child for child in node if child is not None)
        except _GONE:
            continue


def role(node):
    try:
        return node.getRoleName()
    except _GONE:
        return None


def name(node):
    try:
        return node.name
    except _GONE:
        return None


def description(node):
    try:
        return node.description
    except _GONE:
        return None


def extents(node):
    try:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    except _GONE + (NotImplementedError,):
        return None
    return Rect(box.x, box.y, box.width, box.height)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except _GONE:
        return False


def _has(node, state):
    try:
        return node.getState().contains(state)
    except _GONE:
        return False


def enabled(node):
    return _has(node, pyatspi.STATE_SENSITIVE)


def focused(node):
    return _has(node, pyatspi.STATE_FOCUSED)


def active(node):
    """Whether the window has the keyboard."""
    return _has(node, pyatspi.STATE_ACTIVE)


def set_text(node, content):
    """Puts text into an editable field whole, as a paste or an input method
    commits it."""
    node.queryEditableText().setTextContents(content)


def cells(table):
    """A table's texts, row by row."""
    content = table.queryTable()
    return [[name(content.getAccessibleAt(row, column)) for column in range(content.nColumns)]
            for row in range(content.nRows)]


def text(node):
    """The full text of an editable or static text, or None when it has none."""
    try:
        content = node.queryText()
        return content.getText(0, content.characterCount)
    except _GONE + (NotImplementedError,):
        return None


def find(root, role_name=None, name_is=None, description_is=None, only_showing=False, test=None):
    for node in walk(root):
        if role_name is not None and role(node) != role_name:
            continue
        if name_is is not None and name(node) != name_is:
            continue
        if description_is is not None and description(node) != description_is:
            continue
        if only_showing and not showing(node):
            continue
        if test is not None and not test(node):
            continue
        return node
    return None


def find_all(root, role_name=None, only_showing=False):
    return [node for node in walk(root)
            if (role_name is None or role(node) == role_name) and (not only_showing or showing(node))]


def top_level(app, title, only_showing=True):
    """A window of the application by its title."""
    for node in app:
        if node is not None and name(node) == title and (showing(node) or not only_showing):
            return node
    return None
