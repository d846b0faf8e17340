"""A private desktop: an X server of a given size on a free display, the
openbox window manager, a session bus and the accessibility bus, with their
own home and runtime folders so that runs never share state."""

import os
import select
import subprocess
import time

from .waiting import TimedOut, wait_until

# Variables of the caller's desktop that must not leak into the private one.
_FOREIGN = ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XAUTHORITY",
            "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER", "QT_QPA_PLATFORM",
            "QT_ACCESSIBILITY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP")


class SessionError(Exception):
    pass


def _read_line(pipe_fd, deadline, what):
    """Reads one line a starting daemon writes to the pipe it was handed."""
    data = b""
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([pipe_fd], [], [], left)[0]:
            raise SessionError(f"{what} did not start in time")
        chunk = os.read(pipe_fd, 256)
        if not chunk:
            raise SessionError(f"{what} ended before it was ready")
        data += chunk
    return data.decode().strip()


class DesktopSession:
    """second: the size of a second screen (a projector beside the laptop's),
    an X screen of its own with its own window manager; None for one screen."""

    def __init__(self, size, processes, folder, start_timeout=15.0, second=None):
        self.size = size
        self.second = second
        self._processes = processes
        self._folder = folder
        self._timeout = start_timeout
        self.display = None
        self.env = None

    def start(self):
        deadline = time.monotonic() + self._timeout
        self.env = self._private_environment()
        self._start_x_server(deadline)
        self._start_window_manager(deadline)
        self._start_session_bus(deadline)
        self._start_accessibility_bus(deadline)
        return self

    def _private_environment(self):
        env = {k: v for k, v in os.environ.items() if k not in _FOREIGN}
        home = os.path.join(self._folder, "home")
        runtime = os.path.join(self._folder, "runtime")
        for path in (home, runtime):
            os.makedirs(path, mode=0o700, exist_ok=True)
        env.update({
            "HOME": home,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "TMPDIR": runtime,
            # A host's locale does not decide the game's language: it speaks
            # Chinese everywhere, so the checks run in a neutral one.
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "SDL_AUDIODRIVER": "dummy",
        })
        return env

    def _start_x_server(self, deadline):
        read_fd, write_fd = os.pipe()
        try:
            # -displayfd: the server picks a free display and reports it.
            self._processes.start(
                ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{self.size}x24"]
                + (["-screen", "1", f"{self.second}x24"] if self.second else [])
                + ["-nolisten", "tcp", "-noreset"],
                pass_fds=(write_fd,), env=self.env,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_fd)
            self.display = ":" + _read_line(read_fd, deadline, "the X server")
        finally:
            os.close(read_fd)
        self.env["DISPLAY"] = self.display

    def _root_property(self, name, env):
        result = subprocess.run(["xprop", "-root", name], env=env, capture_output=True,
                                text=True, timeout=5)
        return result.stdout if result.returncode == 0 and "=" in result.stdout else None

    def _start_window_manager(self, deadline):
        # openbox manages one X screen: one for each.
        screens = [self.env] + ([dict(self.env, DISPLAY=self.display + ".1")] if self.second else [])
        for env in screens:
            self._processes.start(["openbox", "--sm-disable"], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            for env in screens:
                # The work area is the last thing openbox publishes at start-up.
                wait_until(lambda: self._root_property("_NET_WORKAREA", env), deadline - time.monotonic(),
                           "openbox manages the screen")
        except TimedOut as error:
            raise SessionError(str(error)) from None

    def _start_session_bus(self, deadline):
        read_fd, write_fd = os.pipe()
        try:
            self._processes.start(
                ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                 f"--print-address={write_fd}"],
                pass_fds=(write_fd,), env=self.env,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_fd)
            self.env["DBUS_SESSION_BUS_ADDRESS"] = _read_line(read_fd, deadline, "the session bus")
        finally:
            os.close(read_fd)

    def _bus_address_known(self):
        result = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True, text=True, timeout=5)
        return result.returncode == 0 and "unix:" in result.stdout

    def _start_accessibility_bus(self, deadline):
        # Started here rather than activated by the session bus, so that it is
        # this run's child and ends with it.
        self._processes.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1"],
                              env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_until(self._bus_address_known, deadline - time.monotonic(),
                       "the accessibility bus answers")
        except TimedOut as error:
            raise SessionError(str(error)) from None
