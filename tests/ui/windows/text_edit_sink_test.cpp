// SPDX-License-Identifier: GPL-3.0-or-later
// The report's runs written into a QTextEdit: bold and colour at the
// insertion point, CR LF as one paragraph break.
#include <gtest/gtest.h>
#include <array>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFragment>

#include <string>
#include <vector>

#include "ui/windows/text_edit_sink.h"

namespace zodivane::ui {
namespace {

/// One run of characters with one style, as the box holds it.
struct Fragment {
  std::string text;
  bool bold = false;
  QColor colour;
  friend bool operator==(const Fragment&, const Fragment&) = default;
};

void PrintTo(const Fragment& fragment, std::ostream* out) {
  *out << '"' << fragment.text << "\" bold=" << fragment.bold << ' '
       << fragment.colour.name().toStdString();
}

/// Every paragraph of the box as its list of fragments.
std::vector<std::vector<Fragment>> Paragraphs(const QTextEdit& box) {
  std::vector<std::vector<Fragment>> paragraphs;
  for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
    std::vector<Fragment>& fragments = paragraphs.emplace_back();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      fragments.push_back({fragment.text().toStdString(),
                           fragment.charFormat().fontWeight() == QFont::Bold,
                           fragment.charFormat().foreground().color()});
    }
  }
  return paragraphs;
}

TEST(TextEditSink, RunsBecomeFragmentsWithTheirBoldAndColour) {
  QTextEdit box;
  TextEditSink sink(box);
  sink.SetBold(true);
  sink.SetColour({128, 0, 0});
  sink.InsertText("Sun in Leo\r\n");
  sink.SetBold(false);
  sink.SetColour({0, 0, 0});
  sink.InsertText("Warm and generous.\r\n\r\n");
  sink.SetBold(true);
  sink.SetColour({0, 0, 128});
  sink.InsertText("Keywords:");
  sink.SetBold(false);
  sink.SetColour({10, 20, 30});
  sink.InsertText(" proud, loyal");

  const QColor maroon(128, 0, 0), black(0, 0, 0), navy(0, 0, 128), other(10, 20, 30);
  const std::vector<std::vector<Fragment>> expected{
      {{"Sun in Leo", true, maroon}},
      {{"Warm and generous.", false, black}},
      {},
      {{"Keywords:", true, navy}, {" proud, loyal", false, other}},
  };
  EXPECT_EQ(Paragraphs(box), expected);
  EXPECT_EQ(box.toPlainText(),
            QStringLiteral("Sun in Leo\nWarm and generous.\n\nKeywords: proud, loyal"));
}

TEST(TextEditSink, StartsRegularAndBlack) {
  QTextEdit box;
  TextEditSink sink(box);
  sink.InsertText("plain");
  const std::vector<std::vector<Fragment>> expected{{{"plain", false, QColor(0, 0, 0)}}};
  EXPECT_EQ(Paragraphs(box), expected);
}

TEST(TextEditSink, LineBreaksBecomeOneParagraphBreakEach) {
  // Plain texts as a rich-text box reads them: one "\n" between paragraphs.
  struct Case {
    const char* inserted;
    const char* plain;
    int paragraphs;
  };
  const auto cases = std::to_array<Case>({
      {"a\r\nb", "a\nb", 2},
      {"a\r\n\r\nb", "a\n\nb", 3},
      {"a\r\n\r\n\r\n", "a\n\n\n", 4},
      {"\r\nSun\r\nMercury (R) ", "\nSun\nMercury (R) ", 3},
      {"a\nb", "a\nb", 2},
      {"a\rb", "a\nb", 2},
      {"a\n\rb", "a\n\nb", 3},
      {"24\xC2\xB0 17' 52\" Ari", "24\u00B0 17' 52\" Ari", 1},
      {"", "", 1},
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inserted);
    QTextEdit box;
    TextEditSink sink(box);
    sink.InsertText(c.inserted);
    EXPECT_EQ(box.toPlainText(), QString::fromUtf8(c.plain));
    EXPECT_EQ(box.document()->blockCount(), c.paragraphs);
  }
}

TEST(TextEditSink, BoldAndColourCarryOnAfterAParagraphBreak) {
  QTextEdit box;
  TextEditSink sink(box);
  sink.SetBold(true);
  sink.SetColour({0, 128, 0});
  sink.InsertText("first\r\nsecond");
  const QColor green(0, 128, 0);
  const std::vector<std::vector<Fragment>> expected{{{"first", true, green}},
                                                    {{"second", true, green}}};
  EXPECT_EQ(Paragraphs(box), expected);
}

TEST(TextEditSink, InsertsAtTheInsertionPointAndMovesItOn) {
  QTextEdit box;
  box.setReadOnly(true);  // the report box: the user cannot type, the report still writes
  box.setPlainText(QStringLiteral("[]"));
  QTextCursor cursor = box.textCursor();
  cursor.setPosition(1);
  box.setTextCursor(cursor);

  TextEditSink sink(box);
  sink.InsertText("one\r\n");
  sink.InsertText("two");
  EXPECT_EQ(box.toPlainText(), QStringLiteral("[one\ntwo]"));
  EXPECT_EQ(box.textCursor().position(), 8);
}

}  // namespace
}  // namespace zodivane::ui
