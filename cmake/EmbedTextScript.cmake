# SPDX-License-Identifier: GPL-3.0-or-later
# Run by zodivane_embed_text: writes INPUT as a raw string literal into OUTPUT.
file(READ "${INPUT}" content)
string(FIND "${content}" ")zvtext\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} contains the raw-string delimiter )zvtext\"")
endif()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; edit that file, not this one.\n"
  "#include <string_view>\n"
  "namespace zodivane::embedded {\n"
  "extern const std::string_view ${SYMBOL};\n"
  "const std::string_view ${SYMBOL} = R\"zvtext(${content})zvtext\";\n"
  "}  // namespace zodivane::embedded\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
