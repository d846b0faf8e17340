"""Which checks exist, at which screen sizes each one runs by default, and
how a request (names, sizes) becomes one run per screen size (and second
screen)."""

from dataclasses import dataclass

from harness.geometry import Size

SMALL = Size(1024, 768)
WIDE = Size(1280, 720)
LARGE = Size(1920, 1080)
UHD = Size(3840, 2160)
DEFAULT_MEASURE_SIZE = LARGE


@dataclass(frozen=True)
class CheckSpec:
    module: str
    sizes: tuple
    summary: str
    # A second screen beside the first (a projector), for the checks that need one.
    second: Size = None

    def body(self):
        """The check's function; imported late, since it needs the private desktop."""
        import importlib
        return importlib.import_module(f"checks.{self.module}").run


CHECKS = {
    "fullscreen": CheckSpec("fullscreen", (SMALL, WIDE, LARGE),
                            "F4 covers the screen; F4 again gives back the framed, centred window, 3 times"),
    "fit": CheckSpec("fit", (SMALL, WIDE, LARGE),
                     "the windows and the round's numbers and buttons are on the screen"),
    "word_margins": CheckSpec("word_margins", (SMALL, LARGE),
                              "a long word is never cut at the word display's edges"),
    "word_height": CheckSpec("word_height", (LARGE,),
                             "in full screen a two-character word is at least half the screen high"),
    "press": CheckSpec("press", (LARGE,),
                       "a new word shows at once; a double press credits one word"),
    "press_fullscreen": CheckSpec("press_fullscreen", (UHD,),
                                  "full screen on a 4K projector, a new word shows within 35 ms of PageDown "
                                  "or a phone's 正确 in the median and 50 ms at worst"),
    "countdown_box": CheckSpec("countdown_box", (WIDE,),
                               "the countdown box takes whole seconds only"),
    "rules_text": CheckSpec("rules_text", (WIDE,),
                            "the rules tell the skip penalties as played and name no Sound.txt"),
    "chinese_dialogs": CheckSpec("chinese_dialogs", (LARGE,),
                                 "the colour chooser and message boxes speak Chinese"),
    "round_end_box": CheckSpec("round_end_box", (SMALL, LARGE),
                               "the end box leaves the final score visible, takes a click at once, and the review follows"),
    "library_choice": CheckSpec("library_choice", (SMALL,),
                                "a library opened with 打开词库… deals only the ticked categories and points"),
    "two_screens": CheckSpec("two_screens", (LARGE,),
                             "with two screens the round goes full screen on the projector, the console on the other",
                             second=Size(1600, 900)),
    "match": CheckSpec("match", (LARGE,),
                       "a match of three teams, reviewed round by round, ends with a tie broken by skips"),
    "tonight_words": CheckSpec("tonight_words", (SMALL,),
                               "a word typed into 添加词语 is dealt in the next round with only 今晚 ticked; "
                               "a phone adds one between rounds, shown as typed"),
    "forbidden_words": CheckSpec("forbidden_words", (SMALL, UHD),
                                 "a library's forbidden words stand under the word, neither cut; F scores a foul"),
    "show": CheckSpec("show", (SMALL,),
                      "a match as a show: the event's name, rule cards, a skip cap, a target score of 6 over "
                      "描述 then 比划, and a tie-break before the podium"),
    # The projector of the evening's last round is the same small size.
    "evening": CheckSpec("evening", (SMALL,),
                         "twelve rounds of six teams with every device, a damaged library mended, "
                         "scores, history and memory kept; a last round from the console",
                         second=SMALL),
}


def plan(names=None, sizes=None, skip=()):
    """[(size, [check names])] in a stable order; raises KeyError for an unknown name."""
    for name in list(names or []) + list(skip):
        if name not in CHECKS:
            raise KeyError(name)
    chosen = [n for n in (names or CHECKS) if n not in skip]
    all_sizes = sizes or sorted({s for n in chosen for s in CHECKS[n].sizes},
                                key=lambda s: (s.width, s.height))
    work = []
    for size in all_sizes:
        # Named checks at named sizes run there; otherwise each runs at its own sizes.
        at_size = [n for n in chosen if (names and sizes) or size in CHECKS[n].sizes]
        # A desktop with a second screen only for the checks that need one.
        for second in sorted({CHECKS[n].second for n in at_size}, key=lambda s: (s is not None, str(s))):
            group = [n for n in at_size if CHECKS[n].second == second]
            work.append((size, second, group))
    return work
