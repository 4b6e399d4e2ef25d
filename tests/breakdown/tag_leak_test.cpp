// Tags are the breakdown's own: nothing a script gives other programs
// (exports, the clipboard's plain text and RTF) carries a tag byte.
#include <gtest/gtest.h>

#include "breakdown/categories.h"
#include "files/clipboard_copy.h"
#include "files/export_script.h"
#include "files/formatted_text_export.h"
#include "files/rtf_writer.h"
#include "files/tagged_text_writer.h"
#include "language/language_fixture.h"
#include "script/model/script_record.h"
#include "script/model/text_codes.h"

namespace qm {
namespace {

std::string Tag(int category, const std::string& item) {
  return std::string(1, static_cast<char>(TagCodeOfCategory(category))) + item +
         std::string(1, static_cast<char>(TagEnd));
}

// The bytes of a tag that leaked: every tag code, and TagEnd. The Props
// code is also the line feed, which ends lines: it leaks only before the
// item it opened.
std::string LeakedTagBytes(const std::string& text) {
  std::string leaked;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Byte b = static_cast<Byte>(text[i]);
    if (!TagCodeSet.Contains(b)) continue;
    if (b == '\n' && text.compare(i + 1, 6, "item14") != 0 && text.compare(i + 1, 3, "gun") != 0) continue;
    leaked += std::to_string(b) + " ";
  }
  return leaked;
}

class TagLeakTest : public testing::LanguageFixture {};

TEST_F(TagLeakTest, NoWriterLetsATagByteOut) {
  Settings().TaggingUsed = 1;
  std::string action = "He lifts ";
  for (int c = 0; c < CategoryCount; ++c) action += Tag(c, "item" + std::to_string(c)) + " ";
  Add({{ekSceneHeading, "INT. " + Tag(17, "BARN") + " - DAY"}, {ekAction, action}, {ekScriptNote, Tag(14, "gun")}});
  PlaceCaret(0);
  struct Case {
    const char* writer;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"rtf", ScriptAsRtf(Script())},
      {"tagged text", ScriptAsTaggedText(Script())},
      {"formatted text", ScriptAsFormattedText(Script())},
      {"outside text", OutsideText(Script(), action, false)},
      {"clipboard rtf", RtfText(Script(), action, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.writer);
    EXPECT_EQ(LeakedTagBytes(c.text), "");
    EXPECT_NE(c.text.find("item25"), std::string::npos);
  }
}

}  // namespace
}  // namespace qm
