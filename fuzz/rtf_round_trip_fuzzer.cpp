// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: styled runs of arbitrary bytes through WriteRtf and back
// through a small RTF reader. Every run must come back with its bold flag,
// its colour, its font and, for valid UTF-8, exactly its text (line breaks
// as \par, tabs kept, other control characters dropped); invalid UTF-8 must
// come back as valid characters with U+FFFD in place of the bad bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8.h"
#include "fuzz/rtf_reader.h"
#include "report/rtf_writer.h"

namespace {

using zodivane::StyledRun;

[[noreturn]] void Fault(const std::string& what, const std::string& rtf) {
  std::fprintf(stderr, "RTF round trip: %s\n--- document ---\n%s\n", what.c_str(), rtf.c_str());
  std::abort();
}

/// Strict UTF-8 decoding: nullopt for any invalid sequence.
std::optional<std::u32string> DecodeStrict(std::string_view bytes) {
  std::u32string text;
  for (std::size_t index = 0; index < bytes.size();) {
    const zodivane::Utf8Char read = zodivane::DecodeUtf8(bytes, index);
    if (!read.valid) {
      return std::nullopt;
    }
    text += read.code;
    index += read.length;
  }
  return text;
}

/// What a document shows of `text`: CR LF, CR and LF as one line break
/// (U+000A), tabs kept, other control characters gone.
std::u32string AsShown(const std::u32string& text) {
  std::u32string shown;
  for (std::size_t index = 0; index < text.size(); ++index) {
    const char32_t c = text[index];
    if (c == U'\r' || c == U'\n') {
      shown += U'\n';
      if (c == U'\r' && index + 1 < text.size() && text[index + 1] == U'\n') {
        ++index;
      }
    } else if (c == U'\t' || (c >= 0x20 && c != 0x7F)) {
      shown += c;
    }
  }
  return shown;
}

/// A font name as the writer puts it in the font table: without the bytes
/// ';', CR and LF, which would end the entry.
std::string FontTableBytes(const std::string& name) {
  std::string kept;
  for (const char c : name) {
    if (c != ';' && c != '\r' && c != '\n') {
      kept += c;
    }
  }
  return kept;
}

/// Checks that `read` shows `written` (UTF-8 bytes) as a document should.
void CheckText(const std::string& written, const std::u32string& read, const char* what,
               const std::string& rtf) {
  if (const std::optional<std::u32string> decoded = DecodeStrict(written)) {
    const std::u32string expected = AsShown(*decoded);
    if (read != expected) {
      Fault(std::string(what) + " does not come back as written", rtf);
    }
    return;
  }
  if (read.find(U'\uFFFD') == std::u32string::npos) {
    Fault(std::string(what) + ": invalid UTF-8 comes back without U+FFFD", rtf);
  }
  for (const char32_t c : read) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || (c < 0x20 && c != U'\t' && c != U'\n')) {
      Fault(std::string(what) + ": a character that is not valid text comes back", rtf);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<StyledRun> runs;
  while (input.remaining_bytes() > 0 && runs.size() < 8) {
    StyledRun run;
    run.bold = input.ConsumeBool();
    run.colour = {input.ConsumeIntegral<std::uint8_t>(), input.ConsumeIntegral<std::uint8_t>(),
                  input.ConsumeIntegral<std::uint8_t>()};
    if (input.ConsumeBool()) {
      run.fontName = input.ConsumeRandomLengthString(24);
      run.pointSize = input.ConsumeFloatingPoint<double>();
    }
    run.text = input.ConsumeRandomLengthString(512);
    runs.push_back(std::move(run));
  }

  const std::string rtf = zodivane::WriteRtf(runs);
  std::string why;
  const std::optional<zodivane::fuzz::ReadDocument> document = zodivane::fuzz::ReadRtf(rtf, why);
  if (!document) {
    Fault("the reader refuses the document: " + why, rtf);
  }
  if (document->runs.size() != runs.size()) {
    Fault("the number of runs changed", rtf);
  }
  for (std::size_t index = 0; index < runs.size(); ++index) {
    const StyledRun& written = runs[index];
    const zodivane::fuzz::ReadRun& read = document->runs[index];
    if (read.bold != written.bold) {
      Fault("a run's bold flag changed", rtf);
    }
    if (read.colour == 0 || read.colour >= document->colours.size() ||
        !(document->colours[read.colour] == written.colour)) {
      Fault("a run's colour changed", rtf);
    }
    if (read.halfPoints < 1 || read.halfPoints > 6552) {
      Fault("a font size outside 0.5 to 3276 points", rtf);
    }
    if (std::isfinite(written.pointSize) && written.pointSize >= 0.5 &&
        written.pointSize <= 3276.0 &&
        std::fabs(static_cast<double>(read.halfPoints) - written.pointSize * 2.0) > 0.5) {
      Fault("a run's size is not the nearest half-point", rtf);
    }
    if (read.font >= document->fonts.size()) {
      Fault("a run names a font the table lacks", rtf);
    }
    CheckText(FontTableBytes(written.fontName), document->fonts[read.font], "a font name", rtf);
    CheckText(written.text, read.text, "a run's text", rtf);
  }
  return 0;
}
