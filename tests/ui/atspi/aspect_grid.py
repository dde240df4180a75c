# SPDX-License-Identifier: GPL-3.0-or-later
# The aspect grid beside the results as a screen reader finds it on the
# accessibility bus (AT-SPI): a table named "Aspect grid", a staircase of
# rows Moon to Ascendant under columns Sun to Pluto, whose every cell on the
# stairs reads as a sentence, the pair's aspect with its orb or "no aspect"; beside it the engine's name and the further points, each cell
# a sentence. The chart is the sample birth of New Delhi, 5 March 1980.
import re
import sys
import time

from atspi_bus import find, find_application

NAMES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
         "Neptune", "Pluto", "Ascendant"]
# A few cells worked out from the chart's positions: row r holds the pairs
# of point r + 1 (Moon first), column c point c.
EXPECTED = {
    (1, 0): "Sun conjunction Mercury, orb 2 degrees 20 minutes, applying",
    (4, 4): "Mars conjunction Jupiter, orb 1 degree 43 minutes, separating",
    (3, 3): "Venus trine Mars, orb 4 degrees 18 minutes, applying, out of sign",
    (0, 0): "Sun and Moon: no aspect",
}
POINTS = ["Midheaven: 24 Sag 24", "Imum Coeli: 24 Gem 24", "Descendant: 21 Vir 19",
          "Mean Node: 28 Leo 30", "True Node: not available", "Chiron: not available"]
SENTENCE = re.compile(r"^(\w+) (\w+) (\w+), orb \d+ degrees? \d+ minutes?, "
                      r"(applying|separating)(, out of sign)?$")

app = find_application("zodivane")
if app is None:
    print("FAIL: the program is not on the accessibility bus")
    sys.exit(3)
grid = None
deadline = time.time() + 30
while grid is None and time.time() < deadline:
    grid = find(app, lambda n: n.getRoleName() == "table" and n.name == "Aspect grid")
    time.sleep(0.3)
if grid is None:
    print("FAIL: no table named \"Aspect grid\"")
    sys.exit(1)
table = grid.queryTable()
failures = 0
if (table.nRows, table.nColumns) != (10, 10):
    print("FAIL: the grid has %d rows and %d columns" % (table.nRows, table.nColumns))
    sys.exit(1)
for row in range(10):
    for column in range(row + 1):
        name = table.getAccessibleAt(row, column).name
        first, second = NAMES[column], NAMES[row + 1]
        if (row, column) in EXPECTED and name != EXPECTED[(row, column)]:
            print("FAIL: cell %d,%d reads %r" % (row, column, name))
            failures += 1
        match = SENTENCE.match(name)
        if name != "%s and %s: no aspect" % (first, second) and not (
                match and (match.group(1), match.group(3)) == (first, second)):
            print("FAIL: cell %d,%d reads %r, not a sentence on %s and %s"
                  % (row, column, name, first, second))
            failures += 1

# The engine that cast the chart and the further points beside the grid.
# A label is read by its name: the engine must be in it.
engine = find(app, lambda n: n.getRoleName() == "label" and n.name.startswith("Positions"))
if engine is None or engine.name != "Positions: Built-in method":
    print("FAIL: the engine label reads %r" % (engine.name if engine else None))
    failures += 1
# The sample chart's patterns, in words.
patterns = find(app, lambda n: n.getRoleName() == "label" and
                (n.name.startswith("Patterns: ") or n.name == "No patterns."))
if patterns is None:
    print("FAIL: no label reads the patterns")
    failures += 1
points = find(app, lambda n: n.getRoleName() == "table" and n.name == "Further points")
if points is None:
    print("FAIL: no table named \"Further points\"")
    failures += 1
else:
    cells = points.queryTable()
    read = [cells.getAccessibleAt(row, 0).name for row in range(cells.nRows)]
    if read != POINTS:
        print("FAIL: the further points read %r" % read)
        failures += 1
print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
