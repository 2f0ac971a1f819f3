#!/usr/bin/env python3
"""Writes the busy-network scenario, a ten-year game on the map of seed 1:

    python3 scenarios/busy-network.py > scenarios/busy-network.txt

Trains on a loop never collide because the loop runs in lock step. All its stations share
one timetable in which a train waits for the next departure mark; the marks lie an hour
apart and no hop between two stations takes more than 50 minutes, so a train always
reaches the next station and makes its ten-minute stop before the next mark. Every train on
the loop then moves on by exactly one station at each mark, and two trains never meet as
long as they start at different stations and no hop is shorter than two cells (a train
leaves its cell one cell time after the mark). A bypass has as many stations as the
stretch of line beside it, so a train keeps its place in that order whichever way the
junction sends it. A branch line carries one train only.

The script checks these rules as it writes the scenario: the hop times, the bypass station
counts, and that every station stands beside exactly the one cell of straight track it is
meant to serve (a train turning in a bend or junction never stops).
"""

import datetime
import textwrap

STEP = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1)]
RIGHT, LEFT = 2, 6  # turn from a train's heading to the side a station stands on
EAST, WEST = 2, 6
STRAIGHT_MS, DIAGONAL_MS = 576000, 814587  # a cell takes this / (model + 3)

# Departure marks at the ends of the half-hours 06:30, 07:30, 08:30, 16:30, 17:30 and
# 18:30: the trains leave on the hour, three times each rush, and stand the rest of the day.
RUSH_MARKS = (13, 15, 17, 33, 35, 37)
HOP_MS = 50 * 60000  # the longest hop that still leaves a ten-minute stop before the mark
MIN_HOP_CELLS = 2
# Stations of a loop lie at most 20 minutes apart, so the loop can open with every other one.
STATION_GAP_MS = 20 * 60000


def day_of(year, month, day):
    """Days from the start of the game (April 1 of year 1) to the given date."""
    return (datetime.date(1969 + year, month, day) - datetime.date(1970, 4, 1)).days


def sign(a):
    return (a > 0) - (a < 0)


def heading(a, b):
    return STEP.index((sign(b[0] - a[0]), sign(b[1] - a[1])))


def step(c, d):
    return (c[0] + STEP[d][0], c[1] + STEP[d][1])


def beside(c, d, turn):
    return step(c, (d + turn) & 7)


def cell_ms(d):
    """Game time a model-0 train takes to cross a cell heading d."""
    return (DIAGONAL_MS if d & 1 else STRAIGHT_MS) // 3


def walk(verts):
    """The cells of a polyline of track in travel order, each with the heading a train
    keeps while it crosses the cell; the last corner is left out."""
    cells = []
    for a, b in zip(verts, verts[1:]):
        d = heading(a, b)
        c = a
        while c != b:
            cells.append((c, d))
            c = step(c, d)
    return cells


def ride_ms(route, i, j):
    """Time from route cell i to route cell j for a train starting in cell i."""
    return sum(cell_ms(d) for _, d in route[i:j])


def check_hop(route, i, j):
    assert j - i >= MIN_HOP_CELLS and ride_ms(route, i, j) <= HOP_MS, (route[i], route[j])


class Script:
    def __init__(self):
        self.lines = []
        self.hours = 0  # game hours run so far

    def say(self, text):
        """A comment, its paragraphs filled to the width of the script."""
        for k, para in enumerate(text.strip("\n").split("\n\n")):
            if k:
                self.lines.append("#")
            for line in textwrap.wrap(" ".join(para.split()), 90):
                self.lines.append("# " + line)

    def cmd(self, *words):
        self.lines.append(" ".join(str(w) for w in words))

    def gap(self):
        self.lines.append("")

    def run_until(self, day, hour, why):
        target = day * 24 + hour
        assert target > self.hours
        self.say(why)
        self.cmd("run", target - self.hours)
        self.hours = target

    def track(self, verts):
        for a, b in zip(verts, verts[1:]):
            self.cmd("track", a[0], a[1], b[0], b[1])

    def station(self, cell):
        self.cmd("station", *cell)
        for s in range(48):
            self.cmd("stop", cell[0], cell[1], s, 4 if s in RUSH_MARKS else 0)

    def place(self, n, cell):
        (y, x), d = cell
        self.cmd("placetrain", n, y, x, d)

    def text(self):
        return "\n".join(self.lines) + "\n"


class Network:
    """All the track, with the headings trains cross each cell in, and every station with
    the cell of track where trains stop for it."""

    def __init__(self):
        self.crossings = {}  # cell -> headings of trains going straight through it
        self.turns = set()  # bends, and junctions where trains may turn
        self.served = {}  # station -> the track cell beside it where trains stop

    def lay(self, cells, turns):
        for c, d in cells:
            if c in turns:
                self.turns.add(c)
            else:
                self.crossings.setdefault(c, set()).add(d)

    def free(self, cell):
        """True when no track and no station is planned on the cell."""
        return cell not in self.crossings and cell not in self.turns and cell not in self.served

    def check(self):
        for st, stop in self.served.items():
            assert st not in self.crossings and st not in self.turns, f"station {st} on track"
            found = {c for c, ds in self.crossings.items() for d in ds
                     if st in (beside(c, d, RIGHT), beside(c, d, LEFT))}
            assert found == {stop}, f"station {st} is beside {found}, meant for {stop}"
            assert stop not in self.turns, f"station {st} beside the junction {stop}"


class Loop:
    """A loop line in lock step: its corners in travel order and the side its stations
    stand on. Its stations lie at most STATION_GAP_MS apart, from the first usable cell on."""

    def __init__(self, net, verts, side):
        self.net = net
        self.verts = verts
        self.side = side
        self.route = walk(verts + [verts[0]])
        self.bypasses = []
        net.lay(self.route, set(verts))
        n = len(self.route)
        route = self.route * 2
        i = 0
        while not self.usable(i):
            i += 1
        start = i
        self.stops = []  # route indices of the stations, in travel order
        while True:
            self.stops.append(i % n)
            if ride_ms(route, i, start + n) <= STATION_GAP_MS:
                break
            i = max(j for j in range(i + MIN_HOP_CELLS, start + n - MIN_HOP_CELLS + 1)
                    if ride_ms(route, i, j) <= STATION_GAP_MS and self.usable(j % n))
        for a, b in zip(self.stops, self.stops[1:] + [self.stops[0] + n]):
            check_hop(route, a, b)
        for i in self.stops:
            net.served[self.station(i)] = self.route[i][0]

    def station(self, i):
        c, d = self.route[i]
        return beside(c, d, self.side)

    def usable(self, i):
        c, d = self.route[i]
        return c not in self.verts and self.net.free(beside(c, d, self.side))

    def stations(self):
        return [self.station(i) for i in self.stops]

    def before_station(self, k):
        """Where to put a train so that its first stop is the loop's station k."""
        return self.route[self.stops[k] - 1]

    def bypass(self, verts, side):
        """A bypass from the junction verts[0] on this line to the junction verts[-1]
        further on, with its stations on the given side, as many as the line has between
        the two junctions and spread evenly in time."""
        at = {c: i for i, (c, _) in enumerate(self.route)}
        j1, j2 = at[verts[0]], at[verts[-1]]
        inner = [i for i in self.stops if j1 < i < j2]
        before = max(i for i in self.stops if i < j1)
        after = min(i for i in self.stops if i > j2)
        cells = walk(verts)
        # Trains going straight through the junctions keep crossing them as before; at the
        # first one they may turn, at the second one a train off the bypass always does.
        self.net.lay(cells[1:], set(verts))
        self.net.turns.add(verts[0])
        # The way from the station before the bypass round it to the station after it.
        route = self.route[before:j1] + cells + self.route[j2:after + 1]
        first, last = j1 - before + 1, j1 - before + len(cells)
        total = ride_ms(route, 0, len(route) - 1)
        picks = []
        for k in range(1, len(inner) + 1):
            goal = total * k // (len(inner) + 1)
            options = [i for i in range(first, last) if route[i][0] not in verts and
                       self.net.free(beside(*route[i], side))]
            picks.append(min(options, key=lambda i: abs(ride_ms(route, 0, i) - goal)))
        for a, b in zip([0] + picks, picks + [len(route) - 1]):
            check_hop(route, a, b)
        stations = []
        for i in picks:
            st = beside(*route[i], side)
            self.net.served[st] = route[i][0]
            stations.append(st)
        self.bypasses.append(Bypass(verts, stations, ride_ms(route, 0, j1 - before)))


class Bypass:
    """Track from the junction verts[0] round to the junction verts[-1], its stations, and
    the time a train takes from the station before the first junction to that junction."""

    def __init__(self, verts, stations, to_junction_ms):
        self.verts = verts
        self.stations = stations
        self.to_junction_ms = to_junction_ms

    def slot_at_junction(self, departure_hour):
        """The half-hour in which a train leaving the station before the bypass at the
        given hour reaches the first junction."""
        return (departure_hour * 3600000 + self.to_junction_ms) // 1800000


class Branch:
    """A line with one train, along a row from its west end to a junction, where the track
    goes on straight to one east end or bends off three rows up (rise 1) or down (rise -1)
    to another. Four stations: the west end, the middle, and the two east ends. The train's
    day: it stands at the middle at night, goes to an east end and back in the morning rush,
    stands at the west end by day, and goes to an east end and back in the evening rush;
    the junction's timetable picks the east end each time."""

    def __init__(self, net, name, row, cols, rise, curve_hours):
        west, middle, junction, east = cols
        self.name = name
        self.junction = (row, junction)
        self.trunk = [(row, west), (row, junction), (row, east)]
        bend_row = row + 3 * rise
        self.bend = [(row, junction), (bend_row, junction + 3), (bend_row, east)]
        self.curve_slots = [2 * h for h in curve_hours]  # the half-hour from each hour
        main = walk(self.trunk)
        bent = walk(self.bend)
        net.lay(main, {self.junction})
        net.crossings.setdefault(self.junction, set()).add(EAST)
        net.lay(bent[1:], set(self.bend))
        # Trains turn back in the cell before a track end, so the end stations stand there.
        stops = [(row, west + 1), (row, middle), (row, east - 1), (bend_row, east - 1)]
        self.stations = [(c[0] + rise, c[1]) for c in stops]
        for st, c in zip(self.stations, stops):
            net.served[st] = c
        # Every hop of the day takes less than 50 minutes, whichever way the junction sends.
        check_hop(main, 1, middle - west)
        check_hop(main, middle - west, len(main) - 1)
        to_bend = main[middle - west:junction - west] + bent
        check_hop(to_bend, 0, len(to_bend) - 1)
        # The train starts east of the west end's station, heading for it.
        self.start = ((row, west + 2), WEST)
        # The train leaving the middle station on the hour reaches the junction within
        # that half-hour, whose switch bit then picks its way.
        to_junction = ride_ms(main, middle - west, junction - west)
        assert to_junction < 1800000


def cell_list(cs):
    names = [f"({c[0]},{c[1]})" for c in cs]
    return names[0] if len(names) == 1 else ", ".join(names[:-1]) + " and " + names[-1]


def put_bypass(s, by):
    j1, j2 = by.verts[0], by.verts[-1]
    slots = [by.slot_at_junction(h) for h in (8, 18)]
    s.say(f"""
A bypass from the junction at {cell_list([j1])} round to the one at {cell_list([j2])}, with stations at
{cell_list(by.stations)}. The trains that leave the station before it at 08:00 and 18:00 reach the
first junction in half-hours {slots[0]} and {slots[1]}, which are set to curve.
""")
    s.track(by.verts)
    for st in by.stations:
        s.station(st)
    for slot in slots:
        s.cmd("point", j1[0], j1[1], slot, 1)


def put_branch(s, n, line):
    j = line.junction
    hours = " and ".join(f"{slot // 2:02d}:00" for slot in line.curve_slots)
    s.say(f"""
{line.name}: one train from the west end {cell_list([line.trunk[0]])} to the junction at
{cell_list([j])}, then straight on to {cell_list([line.trunk[-1]])} or round the bend to
{cell_list([line.bend[-1]])}, with stations at {cell_list(line.stations)}. The train stands at the
middle station at night and at the west end by day, and goes to an east end and back in
each rush; the junction sends the train that leaves the middle station at {hours} round the
bend, the other one straight on.
""")
    s.track(line.trunk)
    s.track(line.bend)
    for slot in line.curve_slots:
        s.cmd("point", j[0], j[1], slot, 1)
    for st in line.stations:
        s.station(st)
    s.cmd("buytrain", n, 0)
    s.place(n, line.start)
    s.gap()


def replace_trains(s, loop, slots, removed):
    """Takes the loop's trains off and puts every train of slots back, each just before a
    station of its own, spread round the loop."""
    if removed:
        s.say("The trains are taken off and put back, each just before a station of its own.")
    else:
        s.say("Each train is put just before a station of its own.")
    for n in removed:
        s.cmd("removetrain", n)
    k = len(loop.stops)
    for i, n in enumerate(slots):
        s.place(n, loop.before_station(i * k // len(slots)))


def main():
    s = Script()
    net = Network()
    ring = Loop(net, [(20, 15), (20, 45), (25, 50), (35, 50), (40, 45), (40, 15), (35, 10),
                      (25, 10)], LEFT)
    ring.bypass([(20, 24), (17, 27), (17, 35), (20, 38)], RIGHT)
    ring.bypass([(40, 40), (43, 37), (43, 29), (40, 26)], RIGHT)
    outer = Loop(net, [(13, 10), (13, 50), (19, 56), (41, 56), (47, 50), (47, 10), (41, 4),
                       (19, 4)], LEFT)
    outer.bypass([(13, 20), (10, 23), (10, 41), (13, 44)], RIGHT)
    outer.bypass([(47, 45), (51, 41), (51, 25), (47, 21)], RIGHT)
    north = Branch(net, "The North branch line", 55, (5, 19, 27, 33), 1, [7])
    south = Branch(net, "The South branch line", 6, (5, 19, 27, 33), -1, [18])
    net.check()

    s.say("""
A busy network on the map of seed 1, written by busy-network.py: change that and run it
again rather than editing this file. Cells are row then column, row 0 at the bottom.

The Ring line circles the town in an octagon and the Outer line circles the Ring. Trains on
both run in lock step: every station holds them until a departure mark, the marks lie an
hour apart in the rush hours and no hop takes more than 50 minutes, so every train moves on
one station at each mark and none ever catches up with another. Bypasses beside both loops
have junctions whose timetable sends some trains round the outside; the two branch lines
have one train each, which its junction sends to one end or the other.

Every station has the same timetable: in each half-hour a train stops until the next
departure mark (rule 0), and the half-hours from 06:30, 07:30, 08:30, 16:30, 17:30 and 18:30
carry the mark (rule 4), so trains leave on the hour three times each rush and stand still,
at no running cost, the rest of the day.

The network grows from what it earns: the Ring first, complete in year 3, then the Outer
line and the branch lines in year 4, when 40 trains run.
""")
    s.gap()
    s.cmd("seed", 1)
    s.cmd("newgame")
    s.gap()

    s.say(f"""
Year 1, April 1, midnight: the Ring line. Trains run anticlockwise: east along row 20,
north up column 50, west along row 40 and south down column 10. Its {len(ring.stops)} stations
stand inside the octagon; it opens with every other one and three trains, each placed just
before a station of its own.
""")
    s.track(ring.verts + [ring.verts[0]])
    for n in range(3):
        s.cmd("buytrain", n, 0)
    opening = ring.stations()[::2]
    for st in opening:
        s.station(st)
    for n in range(3):
        s.place(n, ring.before_station(2 * (n * len(opening) // 3)))
    s.gap()
    s.run_until(day_of(2, 4, 1), 12, "A year to earn, up to noon, when every train stands at a station.")
    s.gap()

    s.say("""
Year 2, April 1, noon: the Ring gets the rest of its stations and two bypasses, and five
more trains.
""")
    for st in ring.stations()[1::2]:
        s.station(st)
    for by in ring.bypasses:
        put_bypass(s, by)
    for n in range(3, 8):
        s.cmd("buytrain", n, 0)
    replace_trains(s, ring, range(8), range(3))
    s.gap()
    s.run_until(day_of(3, 4, 1), 12, "Another year of earning.")
    s.gap()

    s.say("""
Year 3, April 1, noon: eight more trains on the Ring, 16 in all.
""")
    for n in range(8, 16):
        s.cmd("buytrain", n, 0)
    replace_trains(s, ring, range(16), range(8))
    s.gap()
    s.run_until(day_of(4, 4, 1), 12, "A year for the Ring to pay for what comes next.")
    s.gap()

    s.say(f"""
Year 4, April 1, noon: the Outer line round the Ring, anticlockwise too, with its
{len(outer.stops)} stations inside, two bypasses and 22 trains.
""")
    s.track(outer.verts + [outer.verts[0]])
    for n in range(16, 38):
        s.cmd("buytrain", n, 0)
    for st in outer.stations():
        s.station(st)
    for by in outer.bypasses:
        put_bypass(s, by)
    replace_trains(s, outer, range(16, 38), [])
    s.gap()
    put_branch(s, 38, north)
    put_branch(s, 39, south)
    s.say("On to the end of the game.")
    s.cmd("end")
    print(s.text(), end="")


if __name__ == "__main__":
    main()
