# SPDX-License-Identifier: GPL-3.0-or-later
# The input form's lists as a screen reader finds them on the accessibility
# bus (AT-SPI): each says what it is, through a label that names it or its
# description, not only by the entry it shows.
import sys

import pyatspi

from atspi_bus import find_application

EXPECTED = {
    # shown entry: how the list is named
    "January": ("label", "Date of Birth"),
    "1": ("description", "Birth day"),
    "1901": ("description", "Birth year"),
    "Greenwich Mean Time,GMT,0.0": ("description", "Time zone"),
}


def lists_of(node, found, depth=0):
    if node is None or depth > 40:
        return
    if node.getRoleName() == "combo box":
        found.append(node)
    for child in node:
        lists_of(child, found, depth + 1)


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return []


app = find_application("zodivane")
if app is None:
    print("FAIL: the program is not on the accessibility bus")
    sys.exit(3)
lists = []
lists_of(app, lists)
failures = 0
hours_and_minutes = []
for node in lists:
    label = labelled_by(node)
    named = bool(node.description) or bool(label)
    if not named:
        print("FAIL: list showing %r has neither a label nor a description" % node.name)
        failures += 1
    if node.name in EXPECTED:
        kind, text = EXPECTED[node.name]
        got = node.description if kind == "description" else " ".join(label)
        if got != text:
            print("FAIL: list showing %r: %s %r, expected %r" % (node.name, kind, got, text))
            failures += 1
    if node.name == "0":
        hours_and_minutes.append((node.description, label))
if len(lists) != 7:
    print("FAIL: %d lists on the bus, expected 7" % len(lists))
    failures += 1
for description in ("Birth minute", "Birth second"):
    if not any(d == description for d, _ in hours_and_minutes):
        print("FAIL: no list described as %r" % description)
        failures += 1
if not any("Time of Birth" in " ".join(label) for _, label in hours_and_minutes):
    print("FAIL: the hour list is not labelled by \"Time of Birth\"")
    failures += 1
print("%d list(s) checked, %d failure(s)" % (len(lists), failures))
sys.exit(1 if failures else 0)
