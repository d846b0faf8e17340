"""Every process a run starts, and the way they all end.

The run becomes a child subreaper, so that what its children start and leave
behind (the accessibility bus launcher double-forks its daemons) is reparented
to it rather than to init, and one walk of the process table finds it all.
Each direct child also gets a parent-death signal, so a run that is killed
outright (a test driver's timeout) still takes its X server and bus with it."""

import ctypes
import os
import signal
import subprocess
import time

_PR_SET_PDEATHSIG = 1
_PR_SET_CHILD_SUBREAPER = 36

_libc = ctypes.CDLL(None, use_errno=True)


def die_with_parent():
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM, 0, 0, 0)


def _parent_of(pid):
    try:
        with open(f"/proc/{pid}/stat", "rb") as stat:
            fields = stat.read().rsplit(b")", 1)[1].split()
    except OSError:
        return None
    # After the command name: state, then the parent's id.
    return int(fields[1])


def descendants(root):
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            parent = _parent_of(int(entry))
            if parent is not None:
                children.setdefault(parent, []).append(int(entry))
    found, queue = [], [root]
    while queue:
        for child in children.get(queue.pop(), []):
            found.append(child)
            queue.append(child)
    return found


def _reap():
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


class ProcessTree:
    """Starts processes and ends them, their children and orphans included."""

    def __init__(self):
        _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)

    def start(self, argv, **options):
        return subprocess.Popen(argv, preexec_fn=die_with_parent, **options)

    def end_all(self, grace=3.0):
        """Terminates every descendant, then kills what is left after the grace period."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            pids = descendants(os.getpid())
            for pid in pids:
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + grace
            while time.monotonic() < deadline:
                _reap()
                if not descendants(os.getpid()):
                    return
                time.sleep(0.05)
        _reap()
