#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes reproducible random input for `zodivane-chart --json`.

Usage: json_lines.py COUNT [SEED] > lines.jsonl

Most lines are valid form entries over 1901-2050 and the whole zone list;
the rest are rejections (bad coordinates, a day the month lacks, bad names)
and bad lines (broken JSON, missing keys, wrong types, invalid UTF-8), so
that a comparison of two builds covers every kind of answer.
"""
import json
import random
import sys

MONTH_DAYS = [31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
KEYS = ["txtName", "txtLonD", "txtLonM", "txtLatD", "txtLatM", "txtMCity",
        "txtMState", "txtMCountry", "cboMonthIndex", "cboDateIndex",
        "cmbTimeZoneIndex", "cboDateText", "cboYearText", "cboHHText",
        "cboMMText", "optEast", "optSouth", "chkDST"]


def valid(rng):
    month = rng.randrange(12)
    day = rng.randrange(MONTH_DAYS[month])
    name = "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ ") for _ in range(rng.randrange(1, 25)))
    return {
        "txtName": name.strip() or "A",
        "txtLonD": str(rng.randrange(0, 180)), "txtLonM": str(rng.randrange(0, 60)),
        "txtLatD": str(rng.randrange(0, 67)), "txtLatM": str(rng.randrange(0, 60)),
        "txtMCity": rng.choice(["Delhi", "São Paulo", "Zürich", "", "New York", "Ōsaka"]),
        "txtMState": rng.choice(["", "NY", "Delhi"]),
        "txtMCountry": rng.choice(["India", "", "USA", "Brasil"]),
        "cboMonthIndex": month, "cboDateIndex": day,
        "cmbTimeZoneIndex": rng.randrange(71),
        "cboDateText": str(day + 1), "cboYearText": str(rng.randrange(1901, 2051)),
        "cboHHText": str(rng.randrange(24)), "cboMMText": str(rng.randrange(60)),
        "optEast": rng.random() < 0.5, "optSouth": rng.random() < 0.3,
        "chkDST": rng.random() < 0.3,
    }


def rejection(rng):
    entry = valid(rng)
    kind = rng.randrange(6)
    if kind == 0:
        entry["txtLatD"] = str(rng.choice([90, 99, 123]))
    elif kind == 1:
        entry["txtLonM"] = rng.choice(["60", "", "x", "-5"])
    elif kind == 2:
        entry["cboMonthIndex"], entry["cboDateIndex"], entry["cboDateText"] = 1, 29, "30"
    elif kind == 3:
        entry["txtName"] = rng.choice(["", "ANNA1", "O'BRIEN"])
    elif kind == 4:
        entry["txtLonD"] = str(rng.choice([180, 181, 999]))
    else:
        entry["txtLatM"] = ""
    return json.dumps(entry, ensure_ascii=rng.random() < 0.5)


def bad(rng):
    entry = valid(rng)
    kind = rng.randrange(8)
    if kind == 0:
        return json.dumps(entry)[:-3]
    if kind == 1:
        del entry[rng.choice(KEYS)]
    elif kind == 2:
        entry[rng.choice(KEYS)] = rng.choice([None, 3.5, "7", [], {}, True])
    elif kind == 3:
        entry["cmbTimeZoneIndex"] = rng.choice([-1, 71, 1000])
    elif kind == 4:
        entry["cboDateText"] = "7"
    elif kind == 5:
        return "[1, 2, 3]"
    elif kind == 6:
        return "   "
    else:
        # Bytes that are not UTF-8: an encoded surrogate, a byte never used,
        # a lead byte without its continuation.
        invalid = rng.choice([b"\xed\xb3\xbf", b"\xff", b"\xc3"])
        return (json.dumps(entry)[:-1] + ', "x": "').encode("ascii") + invalid + b'"}'
    return json.dumps(entry)


def main():
    count = int(sys.argv[1])
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    out = sys.stdout.buffer
    for _ in range(count):
        roll = rng.random()
        if roll < 0.8:
            line = json.dumps(valid(rng), ensure_ascii=rng.random() < 0.5)
        elif roll < 0.9:
            line = rejection(rng)
        else:
            line = bad(rng)
        out.write(line.encode("utf-8") if isinstance(line, str) else line)
        out.write(b"\n")


main()
