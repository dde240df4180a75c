#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# zodivane-chart --export-chart on a machine without a display: the chart
# sheet as PDF, PNG and SVG, each read back by a real reader; the chart text
# unchanged by the flag; a failed write that says why and keeps the old file.
#   bash export_chart.sh PATH_TO_ZODIVANE_CHART
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
delhi=(--name "Asha Mehra" --date 1980-03-05 --time 7:05 --zone 34 --lat 28N38 --lon 77E12
  --city "New Delhi")
# No display of any kind, and no platform chosen.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR=)

"$tool" "${delhi[@]}" >"$work/plain.txt" || fail "the chart without the flag"
for format in pdf png svg PDF; do
  "${headless[@]}" "$tool" "${delhi[@]}" --export-chart "$work/sheet.$format" \
    >"$work/out.txt" 2>"$work/err.txt"
  status=$?
  [ "$status" -eq 0 ] || fail "$format: exit $status: $(cat "$work/err.txt")"
  [ -s "$work/err.txt" ] && fail "$format: said: $(cat "$work/err.txt")"
  cmp -s "$work/plain.txt" "$work/out.txt" || fail "$format: the chart text changed"
  [ -s "$work/sheet.$format" ] || fail "$format: no file"
done

# PDF: the name, the signs, every position and the retrograde marks as text.
text=$(pdftotext "$work/sheet.pdf" - 2>/dev/null) || fail "pdftotext cannot read the PDF"
positions=$(sed -n '/^Positions$/,/^$/p' "$work/plain.txt" | awk 'NF == 4 { print $2, $3, $4 }')
[ "$(wc -l <<<"$positions")" -eq 11 ] || fail "eleven positions expected in the chart text"
while IFS= read -r part; do
  grep -qF -- "$part" <<<"$text" || fail "the PDF lacks \"$part\""
done < <(printf '%s\n' "ASHA MEHRA" "Ascendant" "Sun Sign" "Moon Sign" "Pisces" "Libra" \
  "New Delhi" "5 March 1980" "07:05" "(R)" "$positions")
pages=$(pdfinfo "$work/sheet.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
# The chart, then its aspects: grid, patterns and list.
[ "$pages" = "2" ] || fail "the PDF has ${pages:-no} pages, not two"
aspects=$(pdftotext -f 2 "$work/sheet.pdf" - 2>/dev/null)
for part in "Aspect Grid" "Patterns" "Aspect List" "T-square"; do
  grep -qF -- "$part" <<<"$aspects" || fail "the aspect page lacks \"$part\""
done

# PNG: twice the sheet's 794 x 1123 pixels, the two pages one under the other.
size=$(python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
print("%dx%d" % struct.unpack(">II", data[16:24]))' "$work/sheet.png") || fail "not a PNG"
[ "$size" = "1588x4492" ] || fail "the PNG is $size, not 1588x4492"

# SVG: well-formed XML whose text holds the name and the Ascendant.
python3 - "$work/sheet.svg" <<'PY' || fail "the SVG does not parse or lacks its text"
import sys
import xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
assert root.tag.endswith("svg"), root.tag
texts = " ".join("".join(element.itertext()) for element in root.iter() if element.tag.endswith("text"))
assert "ASHA MEHRA" in texts and "Ascendant" in texts, texts[:200]
PY

# Every SVG the tool writes is read by xmllint as librsvg reads it; a birth
# at a clock time New York's clocks showed twice: the sheet carries its
# warning as the text does.
ny=(--name "Nina York" --date 2021-11-07 --time 01:30 --place "New York")
for format in svg pdf; do
  "${headless[@]}" "$tool" "${ny[@]}" --export-chart "$work/ny.$format" >"$work/ny.txt" \
    2>"$work/err.txt" || fail "ny.$format: exit $?: $(cat "$work/err.txt")"
done
grep -qF "Warning:        New York on 7 November 2021 at 1:30: this clock time happened twice" \
  "$work/ny.txt" || fail "the text lacks the warning of the repeated clock time"
if command -v xmllint >/dev/null; then
  for svg in "$work/sheet.svg" "$work/ny.svg"; do
    xmllint --noout "$svg" 2>"$work/err.txt" || fail "xmllint refuses $svg: $(cat "$work/err.txt")"
  done
  [ "$(xmllint --xpath 'string(//*[local-name()="title"])' "$work/ny.svg")" = \
    "NINA YORK" ] || fail "the SVG's title is not the name"
fi
# (pdftotext gives the "fi" of "first" as its ligature.)
pdftotext "$work/ny.pdf" - 2>/dev/null | tr -s ' \n' '  ' | sed 's/\xef\xac\x81/fi/g' |
  grep -qF "this clock time happened twice, first EDT, UT-4:00, then EST, UT-5:00" ||
  fail "the sheet lacks the warning of the repeated clock time"

# A name that is no format is refused before anything is written: exit 2,
# nothing on standard output.
"${headless[@]}" "$tool" "${delhi[@]}" --export-chart "$work/sheet.jpg" >"$work/out.txt" \
  2>"$work/err.txt"
status=$?
[ "$status" -eq 2 ] || fail "sheet.jpg: exit $status, not 2"
[ -s "$work/out.txt" ] && fail "sheet.jpg: the chart was written before the name was refused"
grep -qF -- "--export-chart: the file name must end in .pdf, .png or .svg" "$work/err.txt" ||
  fail "sheet.jpg: said: $(cat "$work/err.txt")"

# The sheet as a PDF on standard output, instead of the text.
"${headless[@]}" "$tool" "${delhi[@]}" --export-chart - >"$work/out.pdf" 2>"$work/err.txt" ||
  fail "--export-chart -: exit $?: $(cat "$work/err.txt")"
[ "$(head -c 5 "$work/out.pdf")" = "%PDF-" ] || fail "--export-chart - wrote no PDF"

# A folder that is a file, and a link to a device: exit 1, the reason on
# standard error, the earlier file kept and nothing left beside it.
echo "the earlier sheet" >"$work/old.png"
: >"$work/plain-file"
ln -s /dev/null "$work/device.pdf"
for target in "$work/plain-file/sheet.pdf" "$work/device.pdf"; do
  "${headless[@]}" "$tool" "${delhi[@]}" --export-chart "$target" >/dev/null 2>"$work/err.txt"
  status=$?
  [ "$status" -eq 1 ] || fail "$target: exit $status, not 1"
  grep -qF -- "--export-chart: cannot write $target" "$work/err.txt" ||
    fail "$target: said: $(cat "$work/err.txt")"
done
"${headless[@]}" sh -c "ulimit -f 1; '$tool' \"\$@\" --export-chart '$work/old.png'" _ "${delhi[@]}" \
  >/dev/null 2>"$work/err.txt"
[ $? -eq 1 ] || fail "a file beyond the size limit was not refused"
[ "$(cat "$work/old.png")" = "the earlier sheet" ] || fail "the earlier file was changed"
ls -A "$work" | grep -q '^old.png.' && fail "a temporary file was left: $(ls -A "$work")"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all passed"
