# SPDX-License-Identifier: GPL-3.0-or-later
# The synastry window's grid as a screen reader finds it on the
# accessibility bus (AT-SPI): Chart > Compare With > the recent chart (the
# chart opened at the start, compared with itself) opens a table named
# "Synastry aspect grid" of 11 by 11 cells, every one a sentence naming
# both persons' points: the aspect with its orb, or "no aspect".
import re
import sys

from atspi_bus import find, find_application, wait_for

NAMES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
         "Neptune", "Pluto", "Ascendant"]
ASPECT = re.compile(r"^(.+)'s (\w+) (\w+) (.+)'s (\w+), orb \d+ degrees? \d+ minutes?, "
                    r"(applying|separating)(, out of sign)?$")
NONE = re.compile(r"^(.+)'s (\w+) and (.+)'s (\w+): no aspect$")


app = find_application("zodivane")
if app is None:
    print("FAIL: the program is not on the accessibility bus")
    sys.exit(3)
compare = wait_for(app, lambda n: n.getRoleName() == "menu item" and n.name == "Compare With")
# The recent chart names the person whose chart it holds beside the file.
recent = find(compare, lambda n: n.getRoleName() == "menu item"
              and n.name.endswith("asha.zchart \u2013 Asha Mehra"))
if recent is None:
    print("FAIL: no recent chart under Compare With")
    sys.exit(1)
recent.queryAction().doAction(0)
grid = wait_for(app, lambda n: n.getRoleName() == "table" and n.name == "Synastry aspect grid")
if grid is None:
    print("FAIL: no table named \"Synastry aspect grid\"")
    sys.exit(1)
table = grid.queryTable()
if (table.nRows, table.nColumns) != (11, 11):
    print("FAIL: the grid has %d rows and %d columns" % (table.nRows, table.nColumns))
    sys.exit(1)
failures = 0
aspects = 0
for row in range(11):
    for column in range(11):
        name = table.getAccessibleAt(row, column).name
        match = ASPECT.match(name)
        points = (match.group(2), match.group(5)) if match else None
        if match:
            aspects += 1
        else:
            match = NONE.match(name)
            points = (match.group(2), match.group(4)) if match else None
        if points != (NAMES[row], NAMES[column]):
            print("FAIL: cell %d,%d reads %r, not a sentence on %s and %s"
                  % (row, column, name, NAMES[row], NAMES[column]))
            failures += 1
# The same chart twice: each point conjunct itself, exact.
sun = table.getAccessibleAt(0, 0).name
if "Sun conjunction" not in sun or "orb 0 degrees 0 minutes" not in sun:
    print("FAIL: the Sun with itself reads %r" % sun)
    failures += 1
if aspects < 11:
    print("FAIL: only %d cells name an aspect" % aspects)
    failures += 1
print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
