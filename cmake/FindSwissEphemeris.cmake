# SPDX-License-Identifier: GPL-3.0-or-later
# Finds Swiss Ephemeris (Debian: libswe-dev) and its data files (Debian:
# swe-basic-data): the precise engine of the program where found, and the
# reference of the station generator and the benchmark.
#
# Sets SwissEphemeris_FOUND and SwissEphemeris_EPHE_DIR (the folder holding
# sepl_18.se1) and defines the imported target SwissEphemeris::swe.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(SWE QUIET swe)
  if(SWE_FOUND)
    pkg_get_variable(SWE_PC_EPHEDIR swe ephedir)
  endif()
endif()
find_path(SWE_INCLUDE_DIR swephexp.h HINTS ${SWE_INCLUDE_DIRS})
find_library(SWE_LIBRARY swe HINTS ${SWE_LIBRARY_DIRS})
find_path(SWE_EPHE_DIR sepl_18.se1
          HINTS "${SWE_PC_EPHEDIR}" PATHS /usr/share/libswe/ephe /usr/local/share/libswe/ephe
          NO_DEFAULT_PATH)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(SwissEphemeris
  REQUIRED_VARS SWE_LIBRARY SWE_INCLUDE_DIR SWE_EPHE_DIR)

if(SwissEphemeris_FOUND)
  set(SwissEphemeris_EPHE_DIR "${SWE_EPHE_DIR}")
  if(NOT TARGET SwissEphemeris::swe)
    add_library(SwissEphemeris::swe UNKNOWN IMPORTED)
    set_target_properties(SwissEphemeris::swe PROPERTIES
      IMPORTED_LOCATION "${SWE_LIBRARY}"
      INTERFACE_INCLUDE_DIRECTORIES "${SWE_INCLUDE_DIR}"
      INTERFACE_LINK_LIBRARIES "m;${CMAKE_DL_LIBS}")
  endif()
endif()
