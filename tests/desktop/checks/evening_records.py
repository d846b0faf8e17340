"""What the evening's rounds add up to, worked out by the check from the
presses it made: the standings by the game's rule (more points first, then
fewer skips; equal teams share a rank), and how the history database and
the exported table must record every round."""

import csv
import glob
import os
import sqlite3

_CSV_VERDICT = {"correct": "正确", "skipped": "跳过", "missed": "未猜出"}


class Tally:
    def __init__(self, teams):
        self.teams = teams
        self.rounds = []

    def add(self, played):
        self.rounds.append(played)

    def _totals(self):
        totals = [[name, 0, 0, 0] for name in self.teams]
        for played in self.rounds:
            team = totals[played.team]
            team[1] += played.score
            team[2] += played.skips
            team[3] += 1
        # A stable sort keeps equal teams in the order they play.
        return sorted(totals, key=lambda team: (-team[1], team[2]))

    def ranked(self):
        """[(rank, tied, name, score, skips, rounds)] best first."""
        totals = self._totals()
        ranks = []
        for place, team in enumerate(totals):
            same = place > 0 and team[1:3] == totals[place - 1][1:3]
            ranks.append(ranks[-1] if same else place + 1)
        tied = [ranks.count(rank) > 1 for rank in ranks]
        return [(rank, tie, *team) for rank, tie, team in zip(ranks, tied, totals)]

    def tied_leaders(self):
        """The teams tied for first place (points and skips), in the order
        they play; empty when one team leads. A match does not end on such a
        tie: each of them plays a tie-break round (加赛)."""
        leaders = [self.teams.index(name) for rank, _, name, *_ in self.ranked() if rank == 1]
        return leaders if len(leaders) > 1 else []

    def standings(self):
        """The scoreboard's rows as it reads them out."""
        return [[f"{rank} 并列" if tie else str(rank), name, f"{score:03d}", str(skips), str(rounds)]
                for rank, tie, name, score, skips, rounds in self.ranked()]


def history_file(data_home):
    found = glob.glob(os.path.join(glob.escape(data_home), "**", "history.db"), recursive=True)
    return found[0] if found else None


def history_differences(path, tally, passes, tie_break=None):
    """What the history database says otherwise than the rounds played: a
    list of sentences. tie_break: the round played after the match's passes
    when they ended in a tie for first, as the match's first tie-break."""
    with sqlite3.connect(f"file:{path}?mode=ro", uri=True) as db:
        match = db.execute("SELECT id, passes, closed FROM matches ORDER BY id DESC LIMIT 1").fetchone()
        if match is None:
            return ["the history holds no match"]
        number, kept_passes, closed = match
        wrong = []
        teams = [name for (name,) in db.execute("SELECT name FROM teams WHERE match = ? ORDER BY place", (number,))]
        if teams != list(tally.teams) or kept_passes != passes:
            wrong.append(f"the history's last match has the teams {teams} over {kept_passes} passes")
        rounds = db.execute("SELECT id, team, score, skips, counted FROM rounds WHERE match = ? ORDER BY id",
                            (number,)).fetchall()
        played_rounds = len(tally.rounds) + (tie_break is not None)
        if len(rounds) != played_rounds:
            wrong.append(f"the history keeps {len(rounds)} rounds of the match, {played_rounds} were played")
        elif tie_break is not None and tuple(rounds[-1][1:4]) != (tie_break.team, tie_break.score, tie_break.skips):
            wrong.append(f"the tie-break round is kept as team {rounds[-1][1]}, {rounds[-1][2]} points, "
                         f"{rounds[-1][3]} skips; played: team {tie_break.team}, {tie_break.score} points, "
                         f"{tie_break.skips} skips")
        for (kept, team, score, skips, counted), played in zip(rounds, tally.rounds):
            if (team, score, skips, counted) != (played.team, played.score, played.skips, 1):
                wrong.append(f"round {played.number}: the history keeps team {team}, {score} points, {skips} "
                             f"skips (counted {counted}); played: team {played.team}, {played.score} points, "
                             f"{played.skips} skips")
            entries = [list(row) for row in db.execute(
                "SELECT word, verdict, points FROM entries WHERE round = ? ORDER BY place", (kept,))]
            if entries != played.shown:
                wrong.append(f"round {played.number}: the history keeps the words {entries}; shown: {played.shown}")
        if tie_break is None and not closed:
            wrong.append("the match is not closed in the history after a new round began")
        elif tie_break is not None and closed:
            wrong.append("the match is closed in the history before every team tied for first played its tie-break")
    return wrong


def csv_differences(path, tally):
    """What the exported table says otherwise than the rounds played."""
    with open(path, encoding="utf-8-sig", newline="") as exported:
        rows = list(csv.reader(exported))
    blank = rows.index([]) if [] in rows else len(rows)
    standings, played = rows[1:blank], rows[blank + 2:]
    wrong = []
    expected = [[f"{rank}（并列）" if tie else str(rank), name, str(score), str(skips), str(rounds)]
                for rank, tie, name, score, skips, rounds in tally.ranked()]
    if standings != expected:
        wrong.append(f"the exported standings are {standings}, not {expected}")
    words = [[str(number), tally.teams[p.team], word, str(points), _CSV_VERDICT[verdict]]
             for number, p in enumerate(tally.rounds, start=1) for word, verdict, points in p.shown]
    if played != words:
        wrong.append(f"the exported rounds list {len(played)} words, {len(words)} were shown; "
                     f"first difference: {next(((a, b) for a, b in zip(played, words) if a != b), None)}")
    return wrong
