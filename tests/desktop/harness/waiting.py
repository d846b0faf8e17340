"""Polling with deadlines: every wait in the test bed ends by a clock, never by
a fixed sleep that hopes the program was quick enough."""

import time


class TimedOut(Exception):
    pass


def wait_until(condition, timeout, what, interval=0.02):
    """Returns the first true value of condition(), or raises TimedOut naming what was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimedOut(f"waited {timeout:.1f} s for: {what}")
        time.sleep(interval)


def wait_stable(sample, timeout, what, settle=0.3, interval=0.05):
    """Returns sample() once it has kept one value for `settle` seconds."""
    deadline = time.monotonic() + timeout
    value, since = sample(), time.monotonic()
    while True:
        now = time.monotonic()
        if now - since >= settle:
            return value
        if now >= deadline:
            raise TimedOut(f"waited {timeout:.1f} s for a steady {what} (last: {value})")
        time.sleep(interval)
        current = sample()
        if current != value:
            value, since = current, time.monotonic()
