"""The press check on a full screen: see press.run_fullscreen."""

from .press import run_fullscreen as run  # noqa: F401
