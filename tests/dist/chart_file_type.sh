#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop integration of chart files: the type file installs into a mime
# database that then maps *.zchart to the type, and the menu entry, valid,
# names that type and takes the file.
# Usage: chart_file_type.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
for tool in update-mime-database desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "$tool not found: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$source_dir/dist/zodivane-chart.xml" "$work/mime/packages/zodivane.xml"
update-mime-database "$work/mime"
grep -qx 'application/x-zodivane-chart:\*\.zchart' "$work/mime/globs" ||
  { echo "*.zchart is not mapped to application/x-zodivane-chart" >&2; exit 1; }
desktop=$source_dir/dist/zodivane.desktop
desktop-file-validate "$desktop"
grep -qx 'MimeType=application/x-zodivane-chart;' "$desktop" ||
  { echo "the menu entry does not name the chart file type" >&2; exit 1; }
grep -qx 'Exec=zodivane %f' "$desktop" ||
  { echo "the menu entry does not pass the file on" >&2; exit 1; }
echo ok
