# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the station generator GENERATOR into OUTPUT and compares each file it
# writes with the committed file in COMMITTED, byte for byte.
file(REMOVE_RECURSE "${OUTPUT}")
file(MAKE_DIRECTORY "${OUTPUT}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
set(planets mercury venus mars jupiter saturn)
foreach(planet IN LISTS planets)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${OUTPUT}/${planet}.txt" "${COMMITTED}/${planet}.txt"
                  RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "${COMMITTED}/${planet}.txt differs from what the generator writes")
  endif()
endforeach()
file(GLOB written RELATIVE "${OUTPUT}" "${OUTPUT}/*")
file(GLOB committed RELATIVE "${COMMITTED}" "${COMMITTED}/*")
list(SORT written)
list(SORT committed)
if(NOT written STREQUAL committed)
  message(FATAL_ERROR "files differ: generated ${written}, committed ${committed}")
endif()
message(STATUS "station tables match the generator")
