"""Screen rectangles in whole pixels, the unit every check compares in."""

from dataclasses import dataclass


@dataclass(frozen=True)
class Rect:
    x: int
    y: int
    width: int
    height: int

    @property
    def right(self):
        """One past the last column."""
        return self.x + self.width

    @property
    def bottom(self):
        """One past the last row."""
        return self.y + self.height

    @property
    def center(self):
        return (self.x + self.width // 2, self.y + self.height // 2)

    def contains(self, other):
        return (other.x >= self.x and other.y >= self.y
                and other.right <= self.right and other.bottom <= self.bottom)

    def intersects(self, other):
        return (other.x < self.right and self.x < other.right
                and other.y < self.bottom and self.y < other.bottom)

    def intersection(self, other):
        left, top = max(self.x, other.x), max(self.y, other.y)
        right, bottom = min(self.right, other.right), min(self.bottom, other.bottom)
        if right <= left or bottom <= top:
            return None
        return Rect(left, top, right - left, bottom - top)

    def grown(self, margin):
        return Rect(self.x - margin, self.y - margin,
                    self.width + 2 * margin, self.height + 2 * margin)

    def __str__(self):
        return f"{self.width}x{self.height}+{self.x}+{self.y}"


@dataclass(frozen=True)
class Size:
    width: int
    height: int

    @staticmethod
    def parse(text):
        width, _, height = text.lower().partition("x")
        return Size(int(width), int(height))

    def __str__(self):
        return f"{self.width}x{self.height}"
