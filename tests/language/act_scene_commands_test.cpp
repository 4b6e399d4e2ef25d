#include "language/act_scene_commands.h"

#include <gtest/gtest.h>

#include "language/language_fixture.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;
using testing::LanguageFixture;
using Specs = std::vector<ElementSpec>;

class ActSceneTest : public LanguageFixture {
 protected:
  // A script ending in a scene; the caret at the end of its last element.
  void EndOfScene() {
    Add({{ekActStart, "ACT"}, {ekSceneHeading, "INT. HALL"}, {ekAction, "They leave."}});
    PlaceCaret(2, 11);
  }
  Specs Elements() { return ElementsOf(Script()); }
};

TEST_F(ActSceneTest, TheEndOfAnActIsFollowedByANewActUnlessItEndsTheShow) {
  const struct {
    const char* what;
    std::string endText;
    Word lastAct;
    Specs added;
  } cases[] = {
      {"no last act set", "END OF SHOW", 0, {{ekEndOfActText, "END OF SHOW"}, {ekActStart, "ACT"}}},
      {"the end of the show", "END OF SHOW", 2, {{ekEndOfActText, "END OF SHOW"}}},
      {"the end of an act", "END OF ACT", 2, {{ekEndOfActText, "END OF ACT"}, {ekActStart, "ACT"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    EndOfScene();
    SetList(TUserList::EndofActText, {c.endText});
    Settings().LastActNumber = c.lastAct;
    InsertActSceneInfo(Script(), EndOfActCommand);
    Specs expected = {{ekActStart, "ACT"}, {ekSceneHeading, "INT. HALL"}, {ekAction, "They leave."}};
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(Elements(), expected);
    EXPECT_EQ(Script().CurrentElement(), Script().LastElement);
    EXPECT_EQ(Script().CaretColumn(), Script().EditBuffer().size());
  }
}

TEST_F(ActSceneTest, AnEmptyHeadingBeforeTheEndOfAnActIsNoHeading) {
  Add({{ekAction, "They leave."}, {ekSceneHeading, ""}});
  PlaceCaret(1);
  Settings().LastActNumber = 1;
  SetList(TUserList::EndofActText, {"END OF SHOW"});
  InsertActSceneInfo(Script(), EndOfActCommand);
  EXPECT_EQ(Elements(), (Specs{{ekAction, "They leave."}, {ekEndOfActText, "END OF SHOW"}}));
}

TEST_F(ActSceneTest, ANewSceneIsSceneInformationOnlyWithinActs) {
  const struct {
    const char* what;
    bool withinActs, useSceneInformation;
    ElementSpec added;
  } cases[] = {
      {"scenes within acts", true, false, {ekSceneInformation, "~"}},
      {"with the scene text", true, true, {ekSceneInformation, "SCENE"}},
      {"acts only", false, true, {ekActInformation, "ACT"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Add({{ekSceneHeading, "INT. HALL"}});
    PlaceCaret(0);
    Settings().ScenesWithinActs = c.withinActs;
    Settings().ActSceneInfoText = c.useSceneInformation;
    InsertActSceneInfo(Script(), NewSceneCommand);
    // At column 0 the information goes before the heading.
    EXPECT_EQ(Elements(), (Specs{c.added, {ekSceneHeading, "INT. HALL"}}));
  }
}

TEST_F(ActSceneTest, TheLastActOfAShowCanBeItsTag) {
  const struct {
    const char* what;
    bool tagLastAct;
    Word lastAct;
    std::string tag;
    ElementSpec added;
  } cases[] = {
      {"the last act", true, 2, "TAG", {ekPrologueText, "TAG"}},
      {"not the last act", true, 3, "TAG", {ekActStart, "ACT"}},
      {"no tag text", true, 2, "", {ekActStart, "ACT"}},
      {"no tag wanted", false, 2, "TAG", {ekActStart, "ACT"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    EndOfScene();
    Add({{ekAction, ""}});
    PlaceCaret(3);
    Settings().ActTagSetting = c.tagLastAct;
    Settings().LastActNumber = c.lastAct;
    SetList(TUserList::TagText, {c.tag});
    InsertActSceneInfo(Script(), NewActCommand);
    EXPECT_EQ(Elements().size(), 4u);
    EXPECT_EQ(Elements().back(), c.added);
  }
}

TEST_F(ActSceneTest, TheSceneHeadingButton) {
  const struct {
    const char* what;
    ElementSpec current;
    bool quickType, interactive;
    size_t elements;
    int enterKeys;
  } cases[] = {
      {"after an action, QuickType on", {ekAction, "Done."}, true, false, 2, 1},
      {"after an action, QuickType off", {ekAction, "Done."}, false, false, 2, 0},
      {"on a heading", {ekSceneHeading, "INT. HALL"}, false, false, 1, 1},
      {"in an interactive script", {ekAction, "Done."}, true, true, 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Add({c.current});
    PlaceCaret(0, static_cast<Word>(c.current.text.size()));
    Main().UseQuickType = c.quickType;
    Settings().InteractiveScript = c.interactive;
    const int before = EnterKeysPassed();
    InsertSceneHeading(nullptr);
    EXPECT_EQ(Elements().size(), c.elements);
    EXPECT_EQ(Script().CurrentElement()->Kind(), ekSceneHeading);
    EXPECT_EQ(EnterKeysPassed() - before, c.enterKeys);
  }
}

TEST_F(ActSceneTest, ADialogueParagraphFollowsOnlyASpeech) {
  Add({{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}, {ekAction, "He waves."}});
  PlaceCaret(1, 0);
  InsertDialogueParagraph();
  EXPECT_EQ(Elements(),
            (Specs{{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}, {ekDialogue, ""}, {ekAction, "He waves."}}));
  EXPECT_EQ(Element(2).format.LinesBefore, 10);

  PlaceCaret(0, 3);
  InsertDialogueParagraph();
  EXPECT_EQ(Element(1).format.LinesBefore, Script().FormatSet[fsDialogue].LinesBefore);

  const size_t beeps = Backend().Sounds().size();
  PlaceCaret(4);
  InsertDialogueParagraph();
  EXPECT_EQ(Elements().size(), 5u);
  EXPECT_EQ(Backend().Sounds().size(), beeps + 1);
}

}  // namespace
}  // namespace qm
