# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder. Library
# dependencies come from dpkg-shlibdeps (package dpkg-dev). Reads only the
# project's version and cache options set before it is included.
set(CPACK_PACKAGE_NAME "zodivane")
set(CPACK_PACKAGE_VENDOR "Zodivane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Western natal chart with a planet-in-sign report")
# The long description, in lines of at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Zodivane casts a Western natal chart from a birth date, time and place:\n"
    "the Sun, the Moon, Mercury to Pluto and the Ascendant in the tropical signs,\n"
    "retrograde marks, a whole-sign natal wheel turned to the Ascendant and a\n"
    "planet-in-sign report that can be saved as rich text and printed. All\n"
    "astronomy is computed by the program itself, for births from 1901 to 2050.\n"
    "\n"
    "The package also holds the command-line tool zodivane-chart, which casts\n"
    "the same charts for scripts (JSON lines) and for people (flags).")
set(CPACK_PACKAGE_CONTACT "Zodivane maintainers <zodivane@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${ZODIVANE_HOME_URL}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by dpkg-shlibdeps: the typeface the windows fall back on, and
# the zone database the place finder reads.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra, tzdata")
# The precise engine's data files, where the build links Swiss Ephemeris.
if(SwissEphemeris_FOUND)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", swe-basic-data")
endif()
# Registers the type of chart files installed in /usr/share/mime/packages;
# draws the minor aspects' symbols (without it they are written as text).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, fonts-symbola")
include(CPack)
