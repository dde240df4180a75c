# SPDX-License-Identifier: GPL-3.0-or-later
# zodivane_embed_text(<target> <symbol> <file>)
#
# Compiles the text file <file> into <target> as the constant
#   namespace zodivane::embedded { extern const std::string_view <symbol>; }
# so that the program carries its data and reads no files at run time.
# The file is re-embedded whenever it changes. Call it in the folder that
# declares <target>, so that the generated source is built as part of it.
function(zodivane_embed_text target symbol file)
  get_filename_component(source "${file}" ABSOLUTE)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -DSYMBOL=${symbol} "-DINPUT=${source}" "-DOUTPUT=${output}"
            -P "${ZODIVANE_EMBED_SCRIPT}"
    DEPENDS "${source}" "${ZODIVANE_EMBED_SCRIPT}"
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()

set(ZODIVANE_EMBED_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/EmbedTextScript.cmake" CACHE INTERNAL "")
