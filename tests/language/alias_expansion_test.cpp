#include "language/alias_expansion.h"

#include <gtest/gtest.h>

#include <functional>

#include "language/language_fixture.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::LanguageFixture;

class AliasExpansionTest : public LanguageFixture {
 protected:
  // The element being typed: its kind, lines and edit line, the caret at
  // `caret` (its end when negative).
  void Typing(Byte kind, const std::string& line, int caret = -1, Byte lines = 1) {
    Script().FreeElements();
    Add({{kind, ""}});
    PlaceCaret(0);
    Element(0).lineCount = lines;
    editor::SetEditText(Script(), line);
    editor::SetCaretColumn(Script(), caret < 0 ? line.size() : static_cast<size_t>(caret));
  }
};

struct ExpansionCase {
  const char* what;
  std::function<bool()> check;
  Byte kind;
  std::string line;
  bool matches;
  std::string after;
  Byte lines = 1;
};

TEST_F(AliasExpansionTest, EachListExpandsAsItsRulesSay) {
  SetList(TUserList::SceneText, {"INT\\INT.", "EXT.", "FULL &SHOT"});
  SetList(TUserList::Transition, {"CT\\CUT TO:", "DT\\DISSOLVE TO:"});
  SetList(TUserList::ShotText, {"AO\\ANGLE ON"});
  SetList(TUserList::PrologueText, {"TZ\\TEASER", "PROLOGUE"});
  SetList(TUserList::TagText, {"TG\\T&AG"});
  const auto scene = [] { return ExpandSceneTextAlias(false, false); };
  const auto sceneWhole = [] { return ExpandSceneTextAlias(true, false); };
  const auto sceneTest = [] { return ExpandSceneTextAlias(false, true); };
  const auto shot = [] { return ExpandShotTextAlias(false); };
  const auto transition = [] { return ExpandTransitionAlias(false); };
  const auto prologue = [] { return ExpandPrologueOrTagAlias(false); };
  const std::string bold(1, '\x02');
  const std::vector<ExpansionCase> cases = {
      {"an alias and a blank", scene, ekSceneHeading, "INT ", true, "INT. "},
      {"a longer word is left alone", scene, ekSceneHeading, "INTERIOR", false, "INTERIOR"},
      {"an alias still being typed", scene, ekSceneHeading, "INT", false, "INT"},
      {"lower case is matched", scene, ekSceneHeading, "int kitchen", true, "INT. kitchen"},
      {"a text ending in a stop needs no blank", scene, ekSceneHeading, "EXT.GARDEN", true, "EXT.GARDEN"},
      {"codes before it are kept", scene, ekSceneHeading, bold + "INT HALL", true, bold + "INT. HALL"},
      {"the shortcut mark is not typed", scene, ekSceneHeading, "FULL SHOT OF IT", true, "FULL SHOT OF IT"},
      {"testing changes nothing", sceneTest, ekSceneHeading, "INT ", true, "INT "},
      {"a whole line of text", sceneWhole, ekSceneHeading, "EXT.", true, "EXT."},
      {"a whole line takes no alias", sceneWhole, ekSceneHeading, "INT", false, "INT"},
      {"a whole line must be whole", sceneWhole, ekSceneHeading, "EXT. GARDEN", false, "EXT. GARDEN"},
      {"a transition's alias", transition, ekTransition, "DT ", true, "DISSOLVE TO: "},
      {"any one-line TO:", transition, ekAction, "SMASH CUT TO:", true, "SMASH CUT TO:"},
      {"not a TO: of two lines", transition, ekAction, "AND HE WALKS TO:", false, "AND HE WALKS TO:", 2},
      {"no transitions in dialogue", transition, ekDialogue, "CT ", false, "CT "},
      {"a shot's alias", shot, ekAction, "AO BOB", true, "ANGLE ON BOB"},
      {"no shots in parentheticals", shot, ekParenthetical, "AO BOB", false, "AO BOB"},
      {"no shots in long lines", shot, ekAction, "AO " + std::string(28, 'X'), false, "AO " + std::string(28, 'X')},
      {"a prologue by its alias", prologue, ekActInformation, "tz", true, "TEASER"},
      {"a prologue by its text", prologue, ekActInformation, "Prologue", true, "PROLOGUE"},
      {"the tag text", prologue, ekActInformation, "T" + bold + "G", true, "TAG"},
      {"no prologue in dialogue", prologue, ekDialogue, "TEASER", false, "TEASER"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Typing(c.kind, c.line, -1, c.lines);
    EXPECT_EQ(c.check(), c.matches);
    EXPECT_EQ(Script().EditBuffer(), c.after);
    if (c.matches && c.after != c.line) {
      EXPECT_EQ(Script().CaretColumn(), c.after.size());
    }
  }
}

TEST_F(AliasExpansionTest, ShotsInAnInteractiveScriptNeedNoWordEnd) {
  SetList(TUserList::ShotText, {"GO\\GOTO"});
  Settings().InteractiveScript = true;
  Typing(ekAction, "GOX");
  EXPECT_TRUE(ExpandShotTextAlias(false));
  EXPECT_EQ(Script().EditBuffer(), "GOTOX");
  Typing(ekCharacterName, "GO ");
  EXPECT_FALSE(ExpandShotTextAlias(false));
}

TEST_F(AliasExpansionTest, ActTextsExpandByTheirOwnSlots) {
  const struct {
    const char* what;
    std::function<bool()> check;
    std::string line;
    bool withinActs;
    bool matches;
    std::string after;
  } cases[] = {
      {"a new act", ExpandActTextAlias, "newact", false, true, "ACT"},
      {"the same act", ExpandSameActAlias, "SAMEACT", false, true, "ACT"},
      {"a new act is not the same act", ExpandSameActAlias, "NEWACT", false, false, "NEWACT"},
      {"a new scene only within acts", ExpandNewSceneAlias, "NEWSCENE", false, false, "NEWSCENE"},
      {"a new scene within acts", ExpandNewSceneAlias, "NEWSCENE", true, true, "SCENE"},
      {"the end of an act", ExpandEndOfActAlias, "end of", false, true, "END OF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings().ScenesWithinActs = c.withinActs;
    Typing(ekActInformation, c.line);
    EXPECT_EQ(c.check(), c.matches);
    EXPECT_EQ(Script().EditBuffer(), c.after);
  }
}

TEST_F(AliasExpansionTest, KnownExtensionsAreCutFromCues) {
  SetList(TUserList::Extension, {"O.S.", "V.&O.", "", "WHISPERING"});
  const struct {
    std::string cue;
    bool cut;
    std::string after;
  } cases[] = {
      {"BOB (O.S.)", true, "BOB"},
      {"BOB (V.O.)", true, "BOB"},
      {"bob (o.s.)", true, "bob"},
      {"BOB (CONT'D)", true, "BOB"},
      {"BOB (WHISPERING)", false, "BOB (WHISPERING)"},
      {"BOB(O.S.)", false, "BOB(O.S.)"},
      {"BOB", false, "BOB"},
  };
  for (const auto& c : cases) {
    std::string cue = c.cue;
    EXPECT_EQ(StripCharacterExtension(cue), c.cut) << c.cue;
    EXPECT_EQ(cue, c.after);
  }
}

}  // namespace
}  // namespace qm
