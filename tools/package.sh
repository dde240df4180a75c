#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package exactly as the README describes (the
# distribution's hardening flags from dpkg-buildflags; no tests, benchmarks,
# station generator or update reminder) in its own build folder, then checks
# it: lintian with no error or warning, the menu entry, the AppStream
# metainfo, the manual pages, the hardening and no RUNPATH in the programs.
# Usage: bash tools/package.sh [BUILD_FOLDER]   (default build-pkg)
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
build="${1:-build-pkg}"

# The package recipe (README, "Install on the desktop").
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake --preset package -B "$build" \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/zodivane_*.deb
(cd "$build" && cpack -G DEB)
deb=$(find "$build" -maxdepth 1 -name 'zodivane_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "package.sh: no .deb was made" >&2; exit 1; }

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

# What the package must carry.
expected=(
  usr/bin/zodivane
  usr/bin/zodivane-chart
  usr/share/applications/zodivane.desktop
  usr/share/metainfo/org.example.zodivane.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/zodivane.svg
  usr/share/icons/hicolor/48x48/apps/zodivane.png
  usr/share/icons/hicolor/256x256/apps/zodivane.png
  usr/share/man/man1/zodivane.1.gz
  usr/share/man/man1/zodivane-chart.1.gz
  usr/share/doc/zodivane/copyright
  usr/share/doc/zodivane/changelog.gz
)
for path in "${expected[@]}"; do
  [ -e "$unpacked/$path" ] || fail "missing /$path"
done
for path in "$unpacked"/usr/bin/*; do
  case "$(basename "$path")" in
    zodivane | zodivane-chart) ;;
    *) fail "unexpected program /usr/bin/$(basename "$path")" ;;
  esac
done
for size in 48 256; do
  file -b "$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/zodivane.png" |
    grep -q "PNG image data, $size x $size" || fail "the ${size} px icon is not a $size x $size PNG"
done

# Hardening and RUNPATH of the installed programs.
for program in "$unpacked"/usr/bin/*; do
  name=$(basename "$program")
  dynamic=$(readelf -d "$program")
  grep -Eq '\((RUNPATH|RPATH)\)' <<<"$dynamic" && fail "$name has a RUNPATH or RPATH"
  grep -Eq 'BIND_NOW|Flags:.* NOW' <<<"$dynamic" || fail "$name is not linked with -z now"
  readelf -lW "$program" | grep -q GNU_RELRO || fail "$name has no RELRO segment"
  symbols=$(readelf --dyn-syms -W "$program")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$name has no stack protector"
  grep -Eq '__[a-z_]+_chk' <<<"$symbols" || fail "$name uses no fortified functions"
done
[ "$failures" -eq 0 ] && pass "programs hardened (stack protector, FORTIFY, RELRO, BIND_NOW), no RUNPATH"

if desktop-file-validate "$unpacked/usr/share/applications/zodivane.desktop"; then
  pass "desktop-file-validate"
else
  fail "desktop-file-validate"
fi
if appstreamcli validate --no-net --pedantic \
  "$unpacked/usr/share/metainfo/org.example.zodivane.metainfo.xml"; then
  pass "appstreamcli validate"
else
  fail "appstreamcli validate"
fi
for page in "$unpacked"/usr/share/man/man1/*.1.gz; do
  # As lintian does, lines too long to justify are not counted as faults.
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null |
    grep -Ev "cannot adjust line|can't break line" || true)
  if [ -n "$warnings" ]; then
    fail "man $(basename "$page"): $warnings"
  fi
done
pass "manual pages read"

# Library dependencies come from dpkg-shlibdeps: Qt and the C++ runtime.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6svg6 libqt6printsupport6 libstdc++6 libc6 fonts-dejavu-core fonts-dejavu-extra; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library"
done

if lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb"; then
  pass "lintian: no error or warning"
else
  fail "lintian"
fi

echo "package: $deb ($(du -k "$deb" | cut -f1) kB)"
if [ "$failures" -ne 0 ]; then
  echo "package.sh: $failures check(s) failed"
  exit 1
fi
echo "package.sh: all checks passed"
