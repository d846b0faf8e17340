"""Pictures of the virtual screen and what the checks read from them."""

import glob
import os
import shutil

from PIL import Image, ImageChops, ImageDraw, ImageGrab
from Xlib import X

from .geometry import Rect
from .xwindows import connection

# The word is drawn with a yellow-to-orange gradient (red high, blue low) over
# a grey background and a black shadow, whose pixels have red and blue about
# equal: a pixel whose red exceeds its blue by this much belongs to the word's
# body, its anti-aliased edge included.
WORD_RED_OVER_BLUE = 60
WORD_MIN_RED = 120


def grab(rect=None):
    """The screen, or the part of it in rect, as an RGB picture.

    A part is fetched alone, which keeps repeated pictures of the word
    display quick enough to time a new word by; the imaging library's own
    grab always fetches the whole screen, but decodes it faster."""
    if rect is None:
        return ImageGrab.grab(xdisplay=os.environ["DISPLAY"]).convert("RGB")
    return decoded(rect, grab_raw(rect))


def grab_raw(rect):
    """The pixels in rect as the X server sends them, not decoded. Pictures
    that differ give different bytes; the bytes of equal pictures may still
    differ in the fourth byte of a pixel, which shows nothing, so a change
    they show is confirmed with decoded(). Comparing bytes takes a small
    part of the time of decoding and comparing pictures, which a loop that
    times a change on a 4K screen by polling would otherwise spend, on the
    processor the game draws with."""
    return connection().screen().root.get_image(rect.x, rect.y, rect.width, rect.height, X.ZPixmap,
                                                0xFFFFFFFF).data


def decoded(rect, raw):
    """The picture of grab_raw(rect)."""
    return Image.frombytes("RGB", (rect.width, rect.height), raw, "raw", "BGRX")


def save_framed(rect, folder, name):
    """Saves the picture of a window whose client area is rect, with the
    window manager's title bar above it, as folder/name."""
    os.makedirs(folder, exist_ok=True)
    grab().crop((rect.x - 2, max(0, rect.y - 30), rect.right + 2, rect.bottom + 2)).save(
        os.path.join(folder, name))


def changed(before, after):
    return ImageChops.difference(before, after).getbbox() is not None


def word_pixels(picture):
    """A mask of the pixels that show the word's body."""
    red, _, blue = picture.split()
    warm = ImageChops.subtract(red, blue).point(lambda v: 255 if v >= WORD_RED_OVER_BLUE else 0)
    bright = red.point(lambda v: 255 if v >= WORD_MIN_RED else 0)
    return ImageChops.multiply(warm, bright)


def word_box(picture):
    """The bounding box of the word's body in the picture's coordinates, or None."""
    box = word_pixels(picture).getbbox()
    return Rect(box[0], box[1], box[2] - box[0], box[3] - box[1]) if box else None


def differences_outside(shot, reference, covered):
    """Where shot differs from reference outside the covered rectangles, or None."""
    difference = ImageChops.difference(shot, reference).convert("L").point(lambda v: 255 if v else 0)
    painter = ImageDraw.Draw(difference)
    for rect in covered:
        painter.rectangle([rect.x, rect.y, rect.right - 1, rect.bottom - 1], fill=0)
    box = difference.getbbox()
    return Rect(box[0], box[1], box[2] - box[0], box[3] - box[1]) if box else None


def blank_out(picture, rect, origin=(0, 0)):
    """A copy of picture with rect (in screen coordinates) painted over in black."""
    copy = picture.copy()
    ImageDraw.Draw(copy).rectangle([rect.x - origin[0], rect.y - origin[1],
                                    rect.right - 1 - origin[0], rect.bottom - 1 - origin[1]],
                                   fill=(0, 0, 0))
    return copy


class Shots:
    """Keeps pictures of failures in the build folder for a person to look at."""

    def __init__(self, folder, prefix):
        self._folder = folder
        self._prefix = prefix
        self._count = 0
        # Only this run's pictures of the check stay, so none is mistaken for a new one.
        for old in glob.glob(os.path.join(glob.escape(folder), glob.escape(prefix) + "-*")):
            os.remove(old)

    def _path(self, label):
        os.makedirs(self._folder, exist_ok=True)
        self._count += 1
        return os.path.join(self._folder, f"{self._prefix}-{self._count:02d}-{label}")

    def save(self, label, picture=None):
        path = self._path(label + ".png")
        # Fast compression: a failing check may keep several of these.
        (picture or grab()).save(path, compress_level=1)
        return path

    def keep(self, source, label):
        """Copies a file the run would delete (the game's output) beside the pictures."""
        path = self._path(label)
        shutil.copyfile(source, path)
        return path
