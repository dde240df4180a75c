# SPDX-License-Identifier: GPL-3.0-or-later
# The aspect grid beside the results as a screen reader finds it on the
# accessibility bus (AT-SPI): a table named "Aspect grid" whose every cell
# below the diagonal reads as a sentence, the pair's aspect with its orb or
# "no aspect". The chart is the sample birth of New Delhi, 5 March 1980.
import re
import sys
import time

import pyatspi

NAMES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
         "Neptune", "Pluto", "Ascendant"]
# A few cells worked out from the chart's positions.
EXPECTED = {
    (2, 0): "Sun conjunction Mercury, orb 2 degrees 20 minutes, applying",
    (5, 4): "Mars conjunction Jupiter, orb 1 degree 43 minutes, separating",
    (4, 3): "Venus trine Mars, orb 4 degrees 18 minutes, applying, out of sign",
    (1, 0): "Sun and Moon: no aspect",
}
SENTENCE = re.compile(r"^(\w+) (\w+) (\w+), orb \d+ degrees? \d+ minutes?, "
                      r"(applying|separating)(, out of sign)?$")


def find_application(name, seconds=40):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name and name in app.name.lower():
                return app
        time.sleep(0.2)
    return None


def find(node, wanted, depth=0):
    if node is None or depth > 40:
        return None
    if wanted(node):
        return node
    for child in node:
        hit = find(child, wanted, depth + 1)
        if hit is not None:
            return hit
    return None


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
if (table.nRows, table.nColumns) != (11, 11):
    print("FAIL: the grid has %d rows and %d columns" % (table.nRows, table.nColumns))
    sys.exit(1)
for row in range(1, 11):
    for column in range(row):
        name = table.getAccessibleAt(row, column).name
        first, second = NAMES[column], NAMES[row]
        if (row, column) in EXPECTED and name != EXPECTED[(row, column)]:
            print("FAIL: cell %d,%d reads %r" % (row, column, name))
            failures += 1
        match = SENTENCE.match(name)
        if name != "%s and %s: no aspect" % (first, second) and not (
                match and (match.group(1), match.group(3)) == (first, second)):
            print("FAIL: cell %d,%d reads %r, not a sentence on %s and %s"
                  % (row, column, name, first, second))
            failures += 1
print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
