"""A phone in the operator's hand: Debian's headless Chromium, driven over its
DevTools protocol, opens the page the game serves and taps its buttons with
a finger (touch events), as a phone on the party's Wi-Fi does.

Everything stays on loopback: the DevTools socket listens on 127.0.0.1, the
browser resolves no other name and uses no proxy, and a page anywhere but
127.0.0.1 is refused before the browser is asked to open it."""

import json
import os
import subprocess
import time
from urllib.parse import urlsplit, urlunsplit

import websocket

from .processes import die_with_parent
from .waiting import wait_until

CHROMIUM = "/usr/bin/chromium"
LOOPBACK = "127.0.0.1"
# A phone's screen, in CSS pixels.
VIEWPORT = (390, 844)
# The browser starts in a second or two; a busy machine may take longer.
START_TIME = 30.0
ANSWER_TIME = 10.0
# Its own features that call home are off; the rules keep every other name
# from resolving, so nothing can leave the machine.
_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
          "--disable-background-networking", "--disable-component-update", "--disable-sync",
          "--disable-default-apps", "--disable-extensions", "--no-proxy-server",
          f"--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE {LOOPBACK}",
          f"--remote-debugging-address={LOOPBACK}", "--remote-debugging-port=0"]


class PhoneError(Exception):
    pass


def on_loopback(address):
    """The game's address with its host replaced by 127.0.0.1: the game
    names the machine's address on the local network, and listens on every
    interface, loopback included."""
    parts = urlsplit(address)
    return urlunsplit(parts._replace(netloc=f"{LOOPBACK}:{parts.port}"))


class Phone:
    def __init__(self, profile):
        """profile: an empty folder, the browser's own for this run."""
        self._profile = profile
        self._process = None
        self._socket = None
        self._session = None
        self._next_id = 1

    # --- life

    def start(self):
        """Starts the browser; returns at once. connect() waits for it."""
        self._process = subprocess.Popen([CHROMIUM, *_FLAGS, f"--user-data-dir={self._profile}", "about:blank"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                         preexec_fn=die_with_parent)
        return self

    def connect(self):
        """Attaches to the browser's page once its DevTools socket is open."""
        port_file = os.path.join(self._profile, "DevToolsActivePort")

        def written():
            if self._process.poll() is not None:
                raise PhoneError(f"the browser ended at start-up with status {self._process.returncode}")
            try:
                with open(port_file, encoding="ascii") as active:
                    lines = active.read().split()
            except OSError:
                return None
            return lines if len(lines) >= 2 else None
        port, path = wait_until(written, START_TIME, "the browser's DevTools socket", interval=0.05)[:2]
        self._socket = websocket.create_connection(f"ws://{LOOPBACK}:{port}{path}", timeout=ANSWER_TIME,
                                                   suppress_origin=True)
        targets = self._call("Target.getTargets", to_browser=True)["targetInfos"]
        page = next(t["targetId"] for t in targets if t["type"] == "page")
        self._session = self._call("Target.attachToTarget", {"targetId": page, "flatten": True},
                                   to_browser=True)["sessionId"]
        width, height = VIEWPORT
        self._call("Emulation.setDeviceMetricsOverride",
                   {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": True})
        self._call("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
        return self

    def close(self):
        if self._socket is not None:
            try:
                self._call("Browser.close", to_browser=True)
            except (PhoneError, OSError, websocket.WebSocketException):
                pass
            self._socket.close()
            self._socket = None
        if self._process is not None and self._process.poll() is None:
            try:
                self._process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()

    # --- the protocol

    def _call(self, method, params=None, to_browser=False):
        number = self._next_id
        self._next_id += 1
        message = {"id": number, "method": method, "params": params or {}}
        if not to_browser:
            message["sessionId"] = self._session
        self._socket.send(json.dumps(message))
        deadline = time.monotonic() + ANSWER_TIME
        # Events of the page come in between; only the answer counts.
        while time.monotonic() < deadline:
            answer = json.loads(self._socket.recv())
            if answer.get("id") != number:
                continue
            if "error" in answer:
                raise PhoneError(f"{method}: {answer['error'].get('message')}")
            return answer.get("result", {})
        raise PhoneError(f"the browser did not answer {method}")

    def evaluate(self, expression):
        result = self._call("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        return result.get("result", {}).get("value")

    def wait(self, expression, timeout, what):
        return wait_until(lambda: self.evaluate(f"!!({expression})"), timeout, what, interval=0.05)

    # --- what a phone's user does

    def open(self, url):
        if urlsplit(url).hostname != LOOPBACK:
            raise PhoneError(f"the phone opens pages on {LOOPBACK} only, not {url}")
        self._call("Page.navigate", {"url": url})
        self.wait("document.readyState === 'complete' && document.getElementById('status')", 10.0,
                  "the phone's page loads")

    def reload(self):
        # A mark on the page that is left: the new page does not carry it.
        self.evaluate("window.leftBehind = true")
        self._call("Page.reload", {"ignoreCache": True})
        self.wait("!window.leftBehind && document.readyState === 'complete' && document.getElementById('status')",
                  10.0, "the phone's page loads again")

    def text(self, element_id):
        return self.evaluate(f"(document.getElementById({json.dumps(element_id)}) || {{}}).textContent")

    def enabled(self, element_id):
        return self.evaluate(f"(e => !!e && !e.disabled && !e.hidden && !e.closest('[hidden]'))"
                             f"(document.getElementById({json.dumps(element_id)}))")

    def tap(self, element_id):
        """A finger on the element's centre, scrolled into view first; returns the time it touched."""
        centre = self.evaluate(
            f"(() => {{ const e = document.getElementById({json.dumps(element_id)});"
            " e.scrollIntoView({block: 'center'}); const r = e.getBoundingClientRect();"
            " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
        if not centre:
            raise PhoneError(f"the phone's page has no {element_id!r} to tap")
        finger = {"x": centre[0], "y": centre[1]}
        touched = time.monotonic()
        self._call("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [finger]})
        self._call("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
        return touched
