// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: arbitrary bytes as a chart file. Reading must never crash or
// throw; a file that reads must write back to bytes that read as the same
// entries (the place's own zone among them), place, engine and aspect
// settings.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "chartfile/chart_file.h"

using zodivane::chartfile::ChartFile;
using zodivane::chartfile::ReadChartFile;
using zodivane::chartfile::WriteChartFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto read = ReadChartFile(bytes);
  if (const auto* file = std::get_if<ChartFile>(&read)) {
    const std::string written = WriteChartFile(*file);
    const auto again = ReadChartFile(written);
    const auto* reread = std::get_if<ChartFile>(&again);
    // A file naming the built-in method or the default settings is written
    // without them, and reads back as naming none.
    const auto engine = [](const ChartFile& chart) {
      return chart.ephemeris.value_or(zodivane::Ephemeris::BuiltIn);
    };
    const auto settings = [](const ChartFile& chart) {
      return chart.aspectSettings.value_or(zodivane::DefaultAspectSettings());
    };
    if (reread == nullptr || !(reread->entries == file->entries) || reread->place != file->place ||
        engine(*reread) != engine(*file) || !(settings(*reread) == settings(*file))) {
      std::fprintf(stderr, "chart file: a file read and written again reads otherwise\n%s\n",
                   written.c_str());
      std::abort();
    }
  }
  return 0;
}
