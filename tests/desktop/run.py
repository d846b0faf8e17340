#!/usr/bin/python3
"""Desktop checks of the real game: each screen size gets a private X server
with openbox, a session bus and the accessibility bus; every check starts the
built game in a game folder of its own and plays it as a host does, through
the accessibility bus and the X server, and looks at the screen.

    tests/desktop/run.py --game build/dev/bin/caici                  # every check, each at its sizes
    tests/desktop/run.py --game build/dev/bin/caici --size 1024x768  # every check meant for that size
    tests/desktop/run.py --game build/dev/bin/caici --only fullscreen --size 1024x768
    tests/desktop/run.py --game build/dev/bin/caici --measure 24     # press-to-new-word figures: mouse, key, phone
    tests/desktop/run.py --list

Pictures of failures go to --shots (default: desktop-shots beside the game).
Exit status: 0 when every check passed, 1 when one failed, 2 when the desktop
could not be set up."""

import argparse
import json
import os
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from checks.plan import CHECKS, DEFAULT_MEASURE_SIZE, plan  # noqa: E402
from harness.geometry import Size  # noqa: E402

# The checks talk to the accessibility bus through Debian's pyatspi, which
# only Debian's interpreter has.
DEBIAN_PYTHON = "/usr/bin/python3"


class Interrupted(Exception):
    pass


def _interrupt(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def parse(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--game", help="the built game (build/dev/bin/caici)")
    parser.add_argument("--only", help="comma-separated check names")
    parser.add_argument("--skip", help="comma-separated check names to leave out")
    parser.add_argument("--size", help="comma-separated screen sizes, as 1024x768")
    parser.add_argument("--shots", help="folder for pictures of failures")
    parser.add_argument("--pictures", help="folder where checks that photograph the game leave their pictures")
    parser.add_argument("--measure", type=int, nargs="?", const=24, metavar="PRESSES",
                        help="only measure press-to-new-word, for the mouse, the clicker's key and a "
                        "phone, over this many presses of each (at most 26)")
    parser.add_argument("--deadline", type=float, default=110.0,
                        help="seconds one screen size may take before its checks are stopped")
    parser.add_argument("--list", action="store_true", help="list the checks and their sizes")
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("--work", help=argparse.SUPPRESS)
    parser.add_argument("--results", help=argparse.SUPPRESS)
    parser.add_argument("--options", default="{}", help=argparse.SUPPRESS)
    return parser.parse_args(argv)


def run_size(size, second, names, args, processes, options):
    """Runs the named checks on a private desktop of the given size (and second
    screen); returns their results."""
    from harness.session import DesktopSession
    with tempfile.TemporaryDirectory(prefix=f"caici-desktop-{size}-") as folder:
        results_path = os.path.join(folder, "results.json")
        try:
            session = DesktopSession(size, processes, folder, second=second).start()
            print(f"{size}: display {session.display}", flush=True)
            inside = processes.start(
                [DEBIAN_PYTHON, os.path.join(HERE, "run.py"), "--inside", "--size", str(size),
                 "--only", ",".join(names), "--game", os.path.abspath(args.game), "--shots", args.shots,
                 "--work", folder, "--results", results_path, "--options", json.dumps(options)],
                env=session.env)
            try:
                inside.wait(timeout=args.deadline)
                why = f"the checks ended early (status {inside.returncode})"
            except subprocess.TimeoutExpired:
                inside.kill()
                inside.wait()
                why = f"did not finish within {args.deadline:.0f} s"
            results = _read_results(results_path)
            done = {r["name"] for r in results}
            results += [{"name": name, "size": str(size), "seconds": 0, "figures": {}, "failures": [why]}
                        for name in names if name not in done]
            return results
        finally:
            processes.end_all()


def _read_results(path):
    try:
        with open(path, encoding="utf-8") as results:
            return json.load(results)
    except (OSError, ValueError):
        return []


def report(results, started):
    print()
    for result in results:
        status = "ok  " if not result["failures"] else "FAIL"
        figures = "".join(f"  {k}={v}" for k, v in result["figures"].items())
        print(f"{status} {result['size']:>9} {result['name']:<16} {result['seconds']:5.1f} s{figures}")
        for failure in result["failures"]:
            print(f"       - {failure}")
    failed = sum(1 for r in results if r["failures"])
    print(f"\ndesktop checks in {time.monotonic() - started:.0f} s")
    print(f"{len(results) - failed} passed, {failed} failed")
    return 0 if failed == 0 else 1


def outside(args):
    from harness.processes import ProcessTree
    if args.list:
        for name, entry in CHECKS.items():
            print(f"{name:<16} {' '.join(str(s) for s in entry.sizes):<30} {entry.summary}")
        return 0
    if not args.game:
        print("--game is needed: the built game, e.g. build/dev/bin/caici", file=sys.stderr)
        return 2
    args.shots = os.path.abspath(args.shots or os.path.join(os.path.dirname(args.game), "desktop-shots"))
    try:
        sizes = [Size.parse(s) for s in args.size.split(",")] if args.size else None
    except ValueError:
        print(f"sizes are written as 1024x768, not {args.size!r}", file=sys.stderr)
        return 2
    options = {"pictures": os.path.abspath(args.pictures)} if args.pictures else {}
    if args.measure is not None:
        names = ["press"]
        options.update({"presses": args.measure, "measure_only": True})
        sizes = sizes or [DEFAULT_MEASURE_SIZE]
    else:
        names = args.only.split(",") if args.only else None
    try:
        work = plan(names, sizes, args.skip.split(",") if args.skip else ())
    except KeyError as unknown:
        print(f"no such check: {unknown}; see --list", file=sys.stderr)
        return 2
    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, _interrupt)
    processes = ProcessTree()
    started = time.monotonic()
    results = []
    try:
        for size, second, size_names in work:
            results += run_size(size, second, size_names, args, processes, options)
    except Interrupted as why:
        print(f"stopped by {why}", file=sys.stderr)
        return 2
    except Exception as error:  # the desktop itself could not be set up
        print(f"desktop set-up failed: {error}", file=sys.stderr)
        return 2
    finally:
        processes.end_all()
    return report(results, started)


def main(argv):
    args = parse(argv)
    if args.inside:
        from harness.inside import run_checks
        return run_checks(args)
    return outside(args)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
