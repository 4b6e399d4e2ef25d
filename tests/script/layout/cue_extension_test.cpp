// The text generated after a character name: its extension and the
// automatic continued marks.
#include "script/layout/cue_extension.h"

#include <gtest/gtest.h>

#include "script/model/cue_codes.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "support/layout_fixture.h"

namespace qm {
namespace {

class CueExtensionTest : public testing::LayoutFixture {
 protected:
  // A cue JOHN with the code, laid out alone, its generated text.
  std::string Generated(Byte code, const std::string& cueText = "JOHN") {
    Window().FreeElements();
    Build({{ekAction, "x"}, {ekCharacterName, cueText}});
    TScriptElement* cue = ElementAt(1);
    cue->split = code;
    return CharacterExtensionText(Window(), *cue);
  }
};

// Extension list entry 1 is "O.S.", entry 2 "V.O." in a new script.
TEST_F(CueExtensionTest, ExtensionsAndContinuedMarksFollowTheTexts) {
  const struct {
    const char* what;
    Byte code;
    bool join;
    Byte position;
    const char* text;
  } cases[] = {
      {"nothing", NoExtensionCode, false, 0, ""},
      {"continued, no extension", NoExtensionCode + 1, false, 0, " (CONT'D)"},
      {"an extension", 3, false, 0, " (V.O.)"},
      {"an extension, continued", 3 + 1, false, 0, " (V.O.) (CONT'D)"},
      {"an extension, continued, joined", 3 + 1, true, 0, " (V.O.; CONT'D)"},
      {"continued in the parenthetical", NoExtensionCode + 1, false, 1, ""},
      {"repeated after a page break", NoExtensionCode + 2, false, 0, " (CONT'D)"},
      {"an extension of the second block", 21, false, 0, ""},
      {"a code above 32 is no extension", 40, false, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Window().JoinSceneExtensions = c.join;
    Window().ContinuedPosition = c.position;
    EXPECT_EQ(Generated(c.code), c.text);
  }
}

TEST_F(CueExtensionTest, AnEmptiedEntryResetsTheNameToNone) {
  SetUserListEntry(Window().UserLists, TUserList::Extension, 2, "");
  Window().FreeElements();
  Build({{ekAction, "x"}, {ekCharacterName, "JOHN"}});
  TScriptElement* cue = ElementAt(1);
  cue->split = 3 + 1;
  EXPECT_EQ(CharacterExtensionText(Window(), *cue), " (CONT'D)");
  EXPECT_EQ(cue->split, NoExtensionCode + 1) << "the continued state stays";
}

// Joined, an extension that reads as the across-pages text is closed at
// once; the continued mark then takes a pair of its own instead of a
// separator after the closed one.
TEST_F(CueExtensionTest, AClosedExtensionIsNeverFollowedByTheSeparator) {
  Window().JoinSceneExtensions = 1;
  Window().MoreContinuedText = "LATER";
  SetUserListEntry(Window().UserLists, TUserList::Extension, 2, "LATER");
  EXPECT_EQ(Generated(3 + 1), " (LATER) (CONT'D)");
}

TEST_F(CueExtensionTest, JoinedMarksContinueTheWritersOwnParenthesis) {
  Window().JoinSceneExtensions = 1;
  EXPECT_EQ(Generated(NoExtensionCode + 1, "JOHN (ON TV)"), "; CONT'D)");
  SetUserListEntry(Window().UserLists, TUserList::Extension, 2, "&V.O.");
  EXPECT_EQ(Generated(3), " (V.O.)") << "the shortcut mark is dropped";
}

}  // namespace
}  // namespace qm
