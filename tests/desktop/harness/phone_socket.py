"""A phone's live connection without the browser: a plain WebSocket on
127.0.0.1 that shows the pairing key and names the game's own page as its
origin, as the page does, and sends the page's own command frames.

A browser adds its own delay between a tap and the frame it sends; this
connection sends the frame itself, so the time from the frame to the big
screen is the game's alone."""

import json
import re
import select
import socket
import time
from urllib.parse import urlsplit

import websocket

from .phone import LOOPBACK
from .waiting import wait_until

ANSWER_TIME = 10.0


class PhoneSocketError(Exception):
    pass


def free_port():
    """A port free on loopback now, for the game's remote."""
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind((LOOPBACK, 0))
        return probe.getsockname()[1]


class PhoneSocket:
    def __init__(self, address):
        """address: the remote's address as the game prints it; only its port
        and key are used, the host is always 127.0.0.1."""
        parts = urlsplit(address)
        key = parts.path.strip("/")
        if not key or parts.port is None:
            raise PhoneSocketError(f"no port and key in the remote's address {address!r}")
        authority = f"{LOOPBACK}:{parts.port}"
        # The page's own origin and host, as a browser on the game's machine names them.
        self._socket = websocket.create_connection(f"ws://{authority}/{key}/ws", timeout=ANSWER_TIME,
                                                   origin=f"http://{authority}", host=authority)
        self.state = None
        self.refusals = []

    def close(self):
        self._socket.close()

    def send(self, command):
        """Sends one command as the page writes it ({"cmd":"correct"}); returns the time it left."""
        frame = json.dumps(command, separators=(",", ":"), ensure_ascii=False)
        self._socket.send(frame)
        return time.monotonic()

    def read_pending(self):
        """Reads what the game has sent so far without waiting: the latest
        state is kept, refusals are collected. The game writes each frame
        whole, so a readable socket holds at least one whole frame."""
        while select.select([self._socket.sock], [], [], 0.0)[0]:
            self._take(self._socket.recv())

    def wait_state(self, condition, timeout, what):
        """The first state the game sends (or has sent) for which condition holds."""
        def seen():
            self.read_pending()
            return self.state if self.state is not None and condition(self.state) else None
        return wait_until(seen, timeout, what, interval=0.01)

    def _take(self, frame):
        try:
            message = json.loads(frame)
        except ValueError:
            raise PhoneSocketError(f"the game sent a frame that is not JSON: {frame[:80]!r}")
        if message.get("type") == "state":
            self.state = message
        elif message.get("type") == "error":
            self.refusals.append(message.get("text"))


def remote_address(game, timeout=10.0):
    """The remote's address, once the game has printed it."""
    return wait_until(lambda: re.search(r"遥控地址: (\S+)", game.output()), timeout,
                      "the game prints the remote's address").group(1)
