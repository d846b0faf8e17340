"""The part of a run that lives on the private desktop: it runs the checks
one after another and writes their results for the run that started it."""

import json
import os
from dataclasses import asdict

from checks.plan import CHECKS
from harness.check import CheckRun
from harness.geometry import Size
from harness.screen import grab


def run_checks(args):
    options = json.loads(args.options)
    # The bare screen, before any window: what must show wherever no window is.
    options["background"] = grab()
    size = Size.parse(args.size)
    results = []
    for name in args.only.split(","):
        print(f"{size} {name}: {CHECKS[name].summary}", flush=True)
        work = os.path.join(args.work, name)
        run = CheckRun(name, size, args.game, work, args.shots, options)
        results.append(asdict(run.execute(CHECKS[name].body())))
        # Written after every check, so that a run stopped by its deadline
        # still reports the checks that finished.
        with open(args.results, "w", encoding="utf-8") as out:
            json.dump(results, out, ensure_ascii=False)
    return 0
