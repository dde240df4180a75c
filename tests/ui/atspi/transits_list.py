# SPDX-License-Identifier: GPL-3.0-or-later
# The transits window as a screen reader finds it on the accessibility bus
# (AT-SPI): Chart > Transits… opens a window whose date box, day buttons
# and bi-wheel say what they are, whose zone is read aloud, and whose list
# of transiting aspects reads every cell as a sentence on its row; a day
# forward changes the list.
import re
import sys
import time

from atspi_bus import find, find_application, wait_for

SENTENCE = re.compile(r"^Transiting (\w+) (\w+) natal (\w+), orb \d+ degrees? \d+ minutes?, "
                      r"(applying|separating)(, out of sign)?$")


def rows_of(table):
    cells = table.queryTable()
    return [cells.getAccessibleAt(row, 0).name for row in range(cells.nRows)], cells


app = find_application("zodivane")
if app is None:
    print("FAIL: the program is not on the accessibility bus")
    sys.exit(3)
item = wait_for(app, lambda n: n.getRoleName() == "menu item" and n.name.startswith("Transits"))
if item is None:
    print("FAIL: no menu item Transits")
    sys.exit(1)
item.queryAction().doAction(0)
table = wait_for(app, lambda n: n.getRoleName() == "table" and n.name == "Transiting aspects")
if table is None:
    print("FAIL: no table named \"Transiting aspects\"")
    sys.exit(1)
failures = 0
for wanted in ["Date and time of the transits", "A day back", "A day forward", "Now",
               "Transits around the natal wheel"]:
    if find(app, lambda n: n.name.replace("&", "") == wanted) is None:
        print("FAIL: nothing is named %r" % wanted)
        failures += 1
if find(app, lambda n: n.getRoleName() == "label"
        and n.name.startswith("Your time zone: ")) is None:
    print("FAIL: no label reads the time zone")
    failures += 1
before, cells = rows_of(table)
if not before:
    print("FAIL: the list of transits is empty")
    failures += 1
for row in range(cells.nRows):
    sentence = cells.getAccessibleAt(row, 0).name
    if not SENTENCE.match(sentence):
        print("FAIL: row %d reads %r" % (row, sentence))
        failures += 1
    for column in range(1, cells.nColumns):
        if cells.getAccessibleAt(row, column).name != sentence:
            print("FAIL: row %d, column %d does not read its row's sentence" % (row, column))
            failures += 1
forward = find(app, lambda n: n.getRoleName() == "push button" and n.name == "A day forward")
if forward is None:
    print("FAIL: no button named \"A day forward\"")
    failures += 1
else:
    forward.queryAction().doAction(0)
    after = before
    for _ in range(20):
        after, _cells = rows_of(table)
        if after != before:
            break
        time.sleep(0.2)
    if after == before:
        print("FAIL: a day forward left the list as it was")
        failures += 1
print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
