# SPDX-License-Identifier: GPL-3.0-or-later
# The aspect grid's headings as a screen reader reads them on the
# accessibility bus (AT-SPI): each row and column heading names its point in
# full ("Moon", "Mercury"), not by the three letters the grid shows, in the
# points' order. The chart is the sample birth of New Delhi, 5 March 1980.
import sys

from atspi_bus import find_application, wait_for

NAMES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
         "Neptune", "Pluto", "Ascendant"]

app = find_application("zodivane")
if app is None:
    print("FAIL: the program is not on the accessibility bus")
    sys.exit(3)
grid = wait_for(app, lambda n: n.getRoleName() == "table" and n.name == "Aspect grid")
if grid is None:
    print("FAIL: no table named \"Aspect grid\"")
    sys.exit(1)
table = grid.queryTable()


def headings(count, header_at):
    """The names of the headings 0 to count - 1 (None where there is none)."""
    read = []
    for index in range(count):
        heading = header_at(index)
        read.append(heading.name if heading is not None else None)
    return read


failures = 0
for kind, read in (("column", headings(table.nColumns, table.getColumnHeader)),
                   ("row", headings(table.nRows, table.getRowHeader))):
    named = [name for name in read if name]
    # Every heading read is a point's whole name, in the points' order.
    if not named or any(name not in NAMES for name in named) or \
            [NAMES.index(name) for name in named] != sorted(NAMES.index(name) for name in named):
        print("FAIL: the %s headings read %r" % (kind, read))
        failures += 1
    for wanted in ("Moon", "Mercury"):
        if wanted not in named:
            print("FAIL: no %s heading reads %r: %r" % (kind, wanted, read))
            failures += 1
print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
