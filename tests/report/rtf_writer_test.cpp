// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/rtf_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "report/report_sinks.h"

namespace zodivane {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string RtfOf(std::string text, bool bold = false, Rgb colour = {}) {
  const std::vector<StyledRun> runs{{std::move(text), bold, colour}};
  return WriteRtf(runs);
}

/// The body text of a one-run document: what follows the run's control words.
std::string BodyOf(const std::string& rtf) {
  const std::size_t start = rtf.find("\\cf1 ");
  const std::size_t end = rtf.rfind("}\n}");
  if (start == std::string::npos || end == std::string::npos || end < start) {
    return "<no body>";
  }
  return rtf.substr(start + 5, end - start - 5);
}

/// Unescaped braces balance, never go below zero, and close only at the end.
bool GroupsBalance(const std::string& rtf) {
  int depth = 0;
  for (std::size_t index = 0; index < rtf.size(); ++index) {
    if (rtf[index] == '\\') {
      ++index;  // an escaped character, or the first letter of a control word
      continue;
    }
    if (rtf[index] == '{') {
      ++depth;
    } else if (rtf[index] == '}') {
      if (--depth < 0) {
        return false;
      }
      if (depth == 0 && rtf.find_first_not_of('\n', index + 1) != std::string::npos) {
        return false;
      }
    }
  }
  return depth == 0;
}

// Texts and their escaped body text, written out by hand from the RTF rules:
// \ { } escaped, non-ASCII as one group per character with a signed 16-bit
// \uN (Latin-1 letters with their \'xx fallback, others with ?), surrogate
// pairs above U+FFFF, CR LF / LF / CR as \par, invalid UTF-8 as U+FFFD.
struct EscapeCase {
  const char* name;
  std::string text;
  std::string body;
};

const std::vector<EscapeCase> kEscapeCases{
    {"plain ASCII and quotes", "Sun In \"Leo\" 'x'", "Sun In \"Leo\" 'x'"},
    {"specials", "a\\b{c}d", "a\\\\b\\{c\\}d"},
    {"control word attempt", "{\\rtf1\\b bold}", "\\{\\\\rtf1\\\\b bold\\}"},
    {"latin-1 letter", "Zo\xC3\xAB", "Zo{\\u235\\'eb}"},
    {"no-break space", "a\xC2\xA0z", "a{\\u160\\'a0}z"},
    {"euro sign", "\xE2\x82\xAC", "{\\u8364?}"},
    {"U+8000 is negative", "\xE8\x80\x80", "{\\u-32768?}"},
    {"U+FFFD", "\xEF\xBF\xBD", "{\\u-3?}"},
    {"emoji as surrogate pair", "\xF0\x9F\x98\x80", "{\\u-10179?\\u-8704?}"},
    {"highest character", "\xF4\x8F\xBF\xBF", "{\\u-9217?\\u-8193?}"},
    {"CR LF", "a\r\nb", "a\\par\nb"},
    {"CR LF twice", "a\r\n\r\n", "a\\par\n\\par\n"},
    {"lone LF and lone CR", "a\nb\rc", "a\\par\nb\\par\nc"},
    {"digit after a break", "\r\n5", "\\par\n5"},
    {"tab and other controls",
     "a\tb\x01\x7F"
     "c",
     "a\\tab b"
     "c"},
    {"leading blank", " x ", " x "},
    {"stray continuation byte", "a\x80z", "a{\\u-3?}z"},
    {"cut-off sequence", "a\xC3", "a{\\u-3?}"},
    {"cut-off before brace", "\xE2\x82{", "{\\u-3?}\\{"},
    {"overlong slash", "\xC0\xAF", "{\\u-3?}{\\u-3?}"},
    {"overlong three bytes", "\xE0\x80\xAF", "{\\u-3?}{\\u-3?}{\\u-3?}"},
    {"surrogate half", "\xED\xA0\x80", "{\\u-3?}{\\u-3?}{\\u-3?}"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", "{\\u-3?}{\\u-3?}{\\u-3?}{\\u-3?}"},
    {"byte FF then backslash", "\xFF\\", "{\\u-3?}\\\\"},
};

TEST(RtfWriter, EscapesEveryTextSafely) {
  for (const EscapeCase& c : kEscapeCases) {
    SCOPED_TRACE(c.name);
    const std::string rtf = RtfOf(c.text);
    EXPECT_EQ(BodyOf(rtf), c.body);
    EXPECT_TRUE(GroupsBalance(rtf)) << rtf;
    for (char byte : rtf) {
      ASSERT_GE(byte, 0) << "raw non-ASCII byte in the document";
    }
  }
}

TEST(RtfWriter, NoTwoBytesCanBreakTheDocument) {
  // Every pair of bytes, between text that would close the group if it leaked.
  for (int first = 0; first < 256; ++first) {
    for (int second = 0; second < 256; ++second) {
      std::string text = "}";
      text += static_cast<char>(first);
      text += static_cast<char>(second);
      text += "\\";
      const std::string rtf = RtfOf(text);
      const std::string body = BodyOf(rtf);
      ASSERT_TRUE(GroupsBalance(rtf)) << first << " " << second;
      ASSERT_TRUE(body.starts_with("\\}") && body.ends_with("\\\\")) << first << " " << second;
      ASSERT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char byte) { return byte >= 0; }))
          << first << " " << second;
    }
  }
}

TEST(RtfWriter, DocumentHeaderFontsColoursAndStyles) {
  const std::vector<StyledRun> runs{
      {"Sun In Leo\r\n", true, {0, 0, 255}},
      {"Text\r\n", false, {0, 0, 0}},
      {"Keywords :-\r\n", true, {128, 0, 0}},
      {"More", false, {0, 0, 0}, "Courier New", 10.0},
      {"Odd", false, {0, 0, 255}, "My;Font{x}", 12.2},
  };
  const std::string rtf = WriteRtf(runs);
  EXPECT_THAT(rtf, StartsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"));
  EXPECT_THAT(rtf, HasSubstr("{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}"
                             "{\\f1\\fnil\\fcharset0 Courier New;}"
                             "{\\f2\\fnil\\fcharset0 MyFont\\{x\\};}}"));
  EXPECT_THAT(rtf, HasSubstr("{\\colortbl;\\red0\\green0\\blue255;\\red0\\green0\\blue0;"
                             "\\red128\\green0\\blue0;}"));
  // 8.25 pt is 16.5 half-points, written as 17.
  EXPECT_THAT(rtf, HasSubstr("{\\f0\\fs17\\b\\cf1 Sun In Leo\\par\n}"));
  EXPECT_THAT(rtf, HasSubstr("{\\f0\\fs17\\b0\\cf2 Text\\par\n}"));
  EXPECT_THAT(rtf, HasSubstr("{\\f0\\fs17\\b\\cf3 Keywords :-\\par\n}"));
  EXPECT_THAT(rtf, HasSubstr("{\\f1\\fs20\\b0\\cf2 More}"));
  EXPECT_THAT(rtf, HasSubstr("{\\f2\\fs24\\b0\\cf1 Odd}"));
  EXPECT_TRUE(GroupsBalance(rtf));
  EXPECT_TRUE(GroupsBalance(WriteRtf({})));
}

TEST(RtfWriter, FontSizeInHalfPoints) {
  struct SizeCase {
    double points;
    std::string_view controls;  ///< size, then the bold control that follows it
  };
  // Nearest half-point, halves up; sizes that make no sense become the smallest.
  const std::vector<SizeCase> cases{
      {8.25, "\\fs17\\b0"},
      {8.0, "\\fs16\\b0"},
      {8.24, "\\fs16\\b0"},
      {9.75, "\\fs20\\b0"},
      {0.0, "\\fs1\\b0"},
      {-3.0, "\\fs1\\b0"},
      {std::numeric_limits<double>::quiet_NaN(), "\\fs1\\b0"},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.points);
    const std::vector<StyledRun> runs{{"x", false, {}, "Verdana", c.points}};
    EXPECT_THAT(WriteRtf(runs), HasSubstr(std::string(c.controls)));
  }
}

// ---------------------------------------------------------------------------
// Reading the documents back with unrtf

bool HaveUnrtf() {
  return std::system("command -v unrtf >/dev/null 2>&1") == 0;
}

/// unrtf's HTML for `rtf`, or nullopt when it could not run.
std::optional<std::string> UnrtfHtml(const std::string& rtf, const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / (name + ".rtf");
  {
    std::ofstream file(path, std::ios::binary);
    file << rtf;
  }
  const std::string command = "unrtf --html '" + path.string() + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return std::nullopt;
  }
  std::string html;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    html.append(buffer, got);
  }
  const int status = pclose(pipe);
  std::filesystem::remove(path);
  if (status != 0) {
    return std::nullopt;
  }
  return html;
}

void AppendUtf8(std::string& text, char32_t character) {
  if (character < 0x80) {
    text += static_cast<char>(character);
  } else if (character < 0x800) {
    text += static_cast<char>(0xC0 | (character >> 6));
    text += static_cast<char>(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    text += static_cast<char>(0xE0 | (character >> 12));
    text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (character >> 18));
    text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (character & 0x3F));
  }
}

/// The text of unrtf's HTML body: tags dropped, <br> as LF, entities decoded
/// (the named ones unrtf uses for the letters of these tests, and numeric
/// ones, joining surrogate pairs). An unknown entity is kept as written.
std::string HtmlBodyText(const std::string& html) {
  const std::size_t open = html.find("<body>");
  const std::size_t close = html.rfind("</body>");
  if (open == std::string::npos || close == std::string::npos) {
    return "<no body>";
  }
  const std::vector<std::pair<std::string, char32_t>> kNamed{
      {"amp", U'&'},    {"lt", U'<'},     {"gt", U'>'},     {"quot", U'"'},  {"nbsp", 0xA0},
      {"eacute", 0xE9}, {"euml", 0xEB},   {"uuml", 0xFC},   {"ouml", 0xF6},  {"auml", 0xE4},
      {"atilde", 0xE3}, {"ccedil", 0xE7}, {"oslash", 0xF8}, {"aring", 0xE5}, {"AElig", 0xC6},
      {"szlig", 0xDF},  {"Eacute", 0xC9}, {"ntilde", 0xF1}, {"pi", 0x3C0},   {"euro", 0x20AC},
  };
  std::string text;
  char32_t highSurrogate = 0;
  for (std::size_t index = open + 6; index < close;) {
    const char c = html[index];
    if (c == '\n' || c == '\r') {
      ++index;
    } else if (c == '<') {
      const std::size_t end = html.find('>', index);
      if (html.compare(index, 4, "<br>") == 0 || html.compare(index, 5, "<br/>") == 0) {
        text += '\n';
      }
      index = end == std::string::npos ? close : end + 1;
    } else if (c == '&') {
      const std::size_t end = html.find(';', index);
      const std::string entity = html.substr(index + 1, end - index - 1);
      index = end + 1;
      char32_t character = 0;
      if (entity.starts_with('#')) {
        character = static_cast<char32_t>(std::stoul(entity.substr(1)));
      } else {
        for (const auto& [name, value] : kNamed) {
          if (name == entity) {
            character = value;
          }
        }
      }
      if (character == 0) {
        text += "&" + entity + ";";
      } else if (character >= 0xD800 && character <= 0xDBFF) {
        highSurrogate = character;
      } else if (character >= 0xDC00 && character <= 0xDFFF && highSurrogate != 0) {
        AppendUtf8(text, 0x10000 + ((highSurrogate - 0xD800) << 10) + (character - 0xDC00));
        highSurrogate = 0;
      } else {
        AppendUtf8(text, character);
      }
    } else {
      text += c;
      ++index;
    }
  }
  return text;
}

/// `text` with every CR LF as LF, as a reader shows paragraph breaks.
std::string WithLfBreaks(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) {
    text.replace(at, 2, "\n");
  }
  return text;
}

TEST(RtfWriterReadBack, NamesAndTextsSurviveUnrtf) {
  if (!HaveUnrtf()) {
    GTEST_SKIP() << "unrtf is not installed";
  }
  const std::vector<StyledRun> runs{
      {"Zo\xC3\xAB \"Q\" O'Brien {admin}\r\n", true, {0, 0, 255}},
      {"C:\\path\\to\\file and \\b not bold \\par no break\r\n", false, {0, 0, 0}},
      {"M\xC3\xBCller of S\xC3\xA3o Paulo, \xC3\x86r\xC3\xB8sk\xC3\xB8\x62ing, Gra\xC3\x9F\r\n",
       false,
       {0, 0, 0}},
      {"{\\rtf1 injected} }}} {{{\r\n", true, {128, 0, 0}},
      {"\xCF\x80 costs \xE2\x82\xAC"
       "5, smile \xF0\x9F\x98\x80 end\r\n",
       false,
       {0, 0, 0}},
      {"Protective, Cautious, Intuitive \r\n\r\nlast line", false, {0, 0, 0}},
  };
  std::string expected;
  for (const StyledRun& run : runs) {
    expected += WithLfBreaks(run.text);
  }
  const std::optional<std::string> html = UnrtfHtml(WriteRtf(runs), "names");
  ASSERT_TRUE(html.has_value());
  EXPECT_EQ(HtmlBodyText(*html), expected);
}

TEST(RtfWriterReadBack, ReportKeepsTextAndStyles) {
  if (!HaveUnrtf()) {
    GTEST_SKIP() << "unrtf is not installed";
  }
  const PositionTable chart{"18 Leo 40", "03 Can 12", "29 Vir 01", "07 Lib 55",
                            "12 Ari 30", "00 Sag 00", "21 Cap 17", "14 Aqu 09",
                            "08 Pis 44", "26 Sco 03", "05 Gem 20"};
  PlanetPlacements records;
  StyledRunRecorder recorder;
  WritePlanetInSignReport(chart, records, recorder);
  PlanetPlacements again;
  PlainTextSink plain;
  WritePlanetInSignReport(chart, again, plain);

  const std::optional<std::string> html = UnrtfHtml(WriteRtf(recorder.Runs()), "report");
  ASSERT_TRUE(html.has_value());
  EXPECT_EQ(HtmlBodyText(*html), WithLfBreaks(plain.Text()));
  EXPECT_THAT(*html, HasSubstr("<font face=\"Verdana\">"));
  EXPECT_THAT(*html, HasSubstr("<b><font color=\"#0000ff\">Sun In Leo"));
  EXPECT_THAT(*html, HasSubstr("<b><font color=\"#800000\">Keywords :-"));
  EXPECT_THAT(*html, Not(HasSubstr("<b><font color=\"#000000\">")));
}

}  // namespace
}  // namespace zodivane
