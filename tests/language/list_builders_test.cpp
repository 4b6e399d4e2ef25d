#include "language/list_builders.h"

#include <gtest/gtest.h>

#include "script/editing/typing_aids.h"

#include <optional>

#include "language/language_fixture.h"
#include "language/pick_list.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/stringlist.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::LanguageFixture;
using Entries = std::vector<std::string>;

class ListBuilderTest : public LanguageFixture {
 protected:
  // Scenes 1 to 4, a hidden heading between 3 and the last transition.
  void AddLocationScript() {
    Add({{ekAction, "FADE IN:"},
         {ekSceneHeading, "INT. KITCHEN - NIGHT"},
         {ekAction, "Dark."},
         {ekShot, "ANGLE ON BOB"},
         {ekTransition, "CUT TO:"},
         {ekSceneHeading, "EXT. GARDEN - DAY"},
         {ekSceneHeading, "INT. KITCHEN - DAY"},
         {ekSceneHeading, "INT. CELLAR - NIGHT"},
         {ekTransition, "SMASH CUT TO:"},
         {ekSceneHeading, "INT. ATTIC\x04ROOM - NIGHT"}});
    Element(7).state = esHidden;
    Number(1, 1);
    Number(5, 2);
    Number(6, 3);
    Number(9, 4);
  }
  Entries Built(TPopupListKind kind) {
    TStringList items;
    BuildPopupList(kind, items);
    return Texts(items);
  }
};

TEST_F(ListBuilderTest, LocationsLoseTheirOpeningsAndTimesAndComeOnceEach) {
  AddLocationScript();
  SetList(TUserList::SceneBodyText, {"BASEMENT"});
  Settings().HiddenLocations.Add("GARDEN");
  Settings().HiddenLocations.Add("MOON BASE");
  EXPECT_EQ(Built(plLocations), (Entries{"ATTIC ROOM", "GARDEN", "KITCHEN"}));
  EXPECT_EQ(Built(plLocationsAndUserList), (Entries{"ATTIC ROOM", "BASEMENT", "KITCHEN"}));
  // A hidden location the script no longer has is forgotten.
  ASSERT_EQ(Settings().HiddenLocations.Count(), 1);
  EXPECT_EQ(Settings().HiddenLocations[0], "GARDEN");
}

TEST_F(ListBuilderTest, ScenesShotsAndTransitions) {
  AddLocationScript();
  EXPECT_EQ(Built(plScenes), (Entries{"1   INT. KITCHEN - NIGHT", "2   EXT. GARDEN - DAY", "3   INT. KITCHEN - DAY",
                                      "4   INT. ATTIC ROOM - NIGHT"}));
  EXPECT_EQ(Built(plShots), (Entries{"ANGLE ON", "ANGLE ON BOB", "BACK TO SCENE"}));
  EXPECT_EQ(Built(plTransitions), (Entries{"CUT TO:", "DISSOLVE TO:", "FADE OUT:", "SMASH CUT TO:"}));
}

TEST_F(ListBuilderTest, SceneNumbersArePaddedSoTheHeadingsLineUp) {
  const int numbers[] = {1, 12, 123, 1234, 12345};
  for (size_t i = 0; i < std::size(numbers); ++i) Add({{ekSceneHeading, "INT. A"}});
  for (int i = 0; i < 5; ++i) Number(i, numbers[i]);
  EXPECT_EQ(Built(plScenes), (Entries{"1   INT. A", "12  INT. A", "123 INT. A", "1234 INT. A", "12345 INT. A"}));
  Script().ScenesLocked = 1;
  Element(0).format.NumberWord = number_word::Make(5, true, 'A');
  EXPECT_EQ(Built(plScenes), (Entries{"5A    INT. A", "12    INT. A", "123   INT. A", "1234  INT. A", "12345 INT. A"}));
}

TEST_F(ListBuilderTest, ActAndSceneLabelsNameTheScenesAndTheBranchTargets) {
  Add({{ekSceneHeading, "INT. PRE - DAY"},
       {ekActStart, "ACT"},
       {ekSceneHeading, "INT. A - DAY"},
       {ekSceneInformation, "SCENE"},
       {ekSceneHeading, "INT. B - DAY"},
       {ekSceneHeading, "INT. C - DAY"},
       {ekActStart, "ACT"},
       {ekActInformation, "HIDDEN ACT"},
       {ekSceneHeading, "INT. D - DAY"},
       {ekPrologueText, "COLD  OPENING"},
       {ekSceneHeading, "INT. E - DAY"}});
  const int numbers[][2] = {{0, 1}, {1, 1}, {2, 2}, {3, 1}, {4, 3}, {5, 4}, {6, 2}, {8, 5}, {10, 6}};
  for (const auto& n : numbers) Number(n[0], n[1]);
  Element(7).state = esShownHidden;
  EXPECT_EQ(Built(plScenesWithLabels),
            (Entries{"1   INT. PRE - DAY", "2   (Act 1) INT. A - DAY", "Act 1/Scene 1: INT. B - DAY",
                     "Act 1/Scene 1: INT. C - DAY", "5   (Act 2) INT. D - DAY", "6   (Cold Opening) INT. E - DAY"}));

  Settings().ActDisplayStyle = 2;  // letters
  Settings().SceneInfoDisplayStyle = 2;
  TStringList targets;
  targets.OwnsObjects = true;
  BuildPopupList(plBranchTargets, targets);
  EXPECT_EQ(Texts(targets), (Entries{"2   (Act A) INT. A - DAY", "Act A/Scene A: INT. B - DAY",
                                     "5   (Act B) INT. D - DAY", "6   (Cold Opening) INT. E - DAY"}));
  const int elements[] = {2, 4, 8, 10};
  for (int i = 0; i < targets.Count(); ++i) {
    auto* ptr = dynamic_cast<TScenePtrObject*>(targets.Objects(i));
    ASSERT_NE(ptr, nullptr);
    EXPECT_EQ(ptr->Element, &Element(elements[i]));
  }
}

TEST_F(ListBuilderTest, TheLocationEndsBeforeTheTimeOfDay) {
  const struct {
    std::string heading;
    int dashes;
    bool knownTimesOnly;
    std::string location;
  } cases[] = {
      {"KITCHEN - NIGHT", 1, false, "KITCHEN"},
      {"KITCHEN - DAY - LATER", 1, false, "KITCHEN - DAY"},
      {"KITCHEN - DAY - LATER", 1, true, "KITCHEN"},
      {"JOE'S BAR - SUNSET", 1, true, "JOE'S BAR - SUNSET"},
      {"JOE'S BAR - SUNSET", 1, false, "JOE'S BAR"},
      {"KITCHEN -- NIGHT", 2, false, "KITCHEN"},
      {"KITCHEN -- MOMENTS LATER", 2, true, "KITCHEN"},
      {" - NIGHT", 1, false, " - NIGHT"},
      {"KITCHEN", 1, false, "KITCHEN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    Settings().TimeOfDayDashes = static_cast<Byte>(c.dashes);
    Main().StripKnownTimesOnly = c.knownTimesOnly;
    EXPECT_EQ(BuildTimeOfDaySeparator(), " " + std::string(static_cast<size_t>(c.dashes), '-'));
    EXPECT_EQ(SplitLocationTimeOfDay(BuildTimeOfDaySeparator(), c.heading), c.location);
  }
}

// ---- The drop-down of the element being typed ---------------------------------

TEST_F(ListBuilderTest, APickedEntryFinishesTheElement) {
  // clang-format off
  const struct {
    const char* what;
    Byte kind;
    std::string line;
    std::vector<Word> keys;  // typed into the list; 0 ends the list
    std::string typed;
    bool accepted;
    std::string result;
    int enterKeys;
    Byte next = ekAction;  // the element after it
  } cases[] = {
      {"a location after the opening", ekSceneHeading, "INT.", {VK_RETURN}, "k", true, "INT. KITCHEN", 0},
      // Letters no entry begins with close the list: they are the new entry,
      // written as a picked one is (a shot with its blank).
      {"a location the list lacks", ekSceneHeading, "INT.", {}, "q", true, "INT. Q", 0},
      {"a shot the list lacks", ekShot, "", {}, "x", true, "X ", 0},
      // The shot being typed is in its own list.
      {"a shot", ekShot, "ANG", {VK_DOWN, VK_DOWN, VK_RETURN}, "", true, "ANGLE ON BOB ", 0},
      {"a transition", ekTransition, "", {VK_RETURN}, "", true, "CUT TO:", 1},
      {"a transition before a heading does not go on", ekTransition, "", {VK_RETURN}, "", true, "CUT TO:", 0,
       ekSceneHeading},
      {"nor before a shot", ekTransition, "", {VK_RETURN}, "", true, "CUT TO:", 0, ekShot},
      {"a cancelled shot", ekShot, "AN", {VK_ESCAPE}, "", false, "AN ", 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    AddLocationScript();
    Add({{c.kind, c.line}, {c.next, "AFTER"}});
    PlaceCaret(10, static_cast<Word>(c.line.size()));
    const int enterBefore = EnterKeysPassed();
    Driver().Expect([&](TForm&) {
      TypeText(c.typed);
      for (Word key : c.keys) SendKey(key);
    });
    EXPECT_EQ(ShowElementPopup(false, c.kind, false), c.accepted);
    EXPECT_EQ(Script().EditBuffer(), c.result);
    EXPECT_EQ(Script().CaretColumn(), c.accepted ? c.result.size() : 0u);
    EXPECT_EQ(EnterKeysPassed() - enterBefore, c.enterKeys);
  }
}

// A heading's location list reports a pick only when an entry was chosen:
// letters it lacks are written into the heading, which is no pick.
TEST_F(ListBuilderTest, TheLocationListReportsOnlyAChosenEntry) {
  const struct {
    const char* what;
    std::string typed;
    std::vector<Word> keys;
    bool picked;
    std::string result;
  } cases[] = {
      {"a location chosen", "k", {VK_RETURN}, true, "INT. KITCHEN"},
      {"a location the list lacks", "q", {}, false, "INT. Q"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    AddLocationScript();
    Add({{ekSceneHeading, "INT."}, {ekAction, "AFTER"}});
    PlaceCaret(10, 4);
    Driver().Expect([&](TForm&) {
      TypeText(c.typed);
      for (Word key : c.keys) SendKey(key);
    });
    EXPECT_EQ(aids::OfferLocations(false), c.picked);
    EXPECT_EQ(Script().EditBuffer(), c.result);
  }
}

TEST_F(ListBuilderTest, TheDropDownNeedsQuickTypeOrAToolButton) {
  AddLocationScript();
  Add({{ekShot, ""}});
  PlaceCaret(10);
  Main().UseQuickType = false;
  EXPECT_FALSE(ShowElementPopup(false, ekShot, false));
  Driver().Expect([](TForm&) { SendKey(VK_RETURN); });
  EXPECT_TRUE(ShowElementPopup(false, ekShot, true));
  EXPECT_EQ(Script().EditBuffer(), "ANGLE ON ");
}

// ---- Going to a scene ---------------------------------------------------------

TEST_F(ListBuilderTest, TheGotoListOpensOnTheCurrentSceneAndMovesTheCaret) {
  const struct {
    const char* what;
    int caret;
    int selected;
    Word key;
    int target;
  } cases[] = {
      {"inside scene 2", 5, 1, VK_DOWN, 6},
      {"on the first heading", 1, 0, VK_RETURN, 1},
      {"before any scene", 0, -1, VK_DOWN, 1},
      {"on a hidden heading after scene 3", 7, 2, VK_DOWN, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    AddLocationScript();
    PlaceCaret(c.caret);
    Driver().Expect([&](TForm& form) {
      auto& menu = dynamic_cast<TListMenu&>(form);
      EXPECT_EQ(menu.PromptPanel->Caption(), "Goto Scene Heading");
      EXPECT_EQ(menu.List->ItemIndex(), c.selected);
      SendKey(c.key);
      if (c.key != VK_RETURN) SendKey(VK_RETURN);
    });
    GotoSceneFromList(false);
    EXPECT_EQ(Script().CurrentElement(), &Element(c.target));
  }
}

// With Shift held the goto selects: a block starts at the caret and
// reaches the chosen heading, up the script or down it.
TEST_F(ListBuilderTest, AGotoWithShiftSelectsFromTheCaretToTheHeading) {
  const struct {
    const char* what;
    bool shift;
    int caret;
    Word column;
    int keyDowns;
    int target;
    std::optional<editor::TBlockSpan> first, last;
  } cases[] = {
      {"no Shift", false, 2, 2, 1, 5, std::nullopt, std::nullopt},
      {"down", true, 2, 2, 1, 5, editor::TBlockSpan{nullptr, 2, 5}, editor::TBlockSpan{nullptr, 0, 0}},
      {"up", true, 9, 3, 0, 1, editor::TBlockSpan{nullptr, 0, 20}, editor::TBlockSpan{nullptr, 0, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    editor::ClearBlock(Script(), false);
    Script().FreeElements();
    AddLocationScript();
    PlaceCaret(c.caret, c.column);
    Platform::Current().SetKeyDown(VK_SHIFT, c.shift);
    Driver().Expect([&](TForm&) {
      SendKey(VK_HOME);
      for (int i = 0; i < c.keyDowns; ++i) SendKey(VK_DOWN);
      SendKey(VK_RETURN);
    });
    GotoSceneFromList(false);
    Platform::Current().SetKeyDown(VK_SHIFT, false);
    EXPECT_EQ(Script().CurrentElement(), &Element(c.target));
    const std::vector<editor::TBlockSpan> spans = editor::BlockSpans(Script());
    EXPECT_EQ(spans.empty(), !c.first.has_value());
    if (spans.empty() || !c.first) continue;
    const int from = std::min(c.caret, c.target), to = std::max(c.caret, c.target);
    EXPECT_EQ(spans.front().element, &Element(from));
    EXPECT_EQ(spans.front().start, c.first->start);
    EXPECT_EQ(spans.front().end, c.first->end);
    EXPECT_EQ(spans.back().element, &Element(to));
    EXPECT_EQ(spans.back().start, c.last->start);
    EXPECT_EQ(spans.back().end, c.last->end);
  }
}

TEST_F(ListBuilderTest, BranchTargetsAreGoneToByTheirElements) {
  Settings().InteractiveScript = true;
  Add({{ekActStart, "ACT"},
       {ekSceneHeading, "INT. A"},
       {ekAction, "Here."},
       {ekActStart, "ACT"},
       {ekSceneHeading, "INT. B"}});
  Number(0, 1);
  Number(3, 2);
  PlaceCaret(2);
  Driver().Expect([](TForm& form) {
    auto& menu = dynamic_cast<TListMenu&>(form);
    EXPECT_EQ(menu.PromptPanel->Caption(), "Goto Branch Target");
    EXPECT_EQ(Texts(menu.List->Items), (Entries{"Act 1 INT. A", "Act 2 INT. B"}));
    EXPECT_EQ(menu.List->ItemIndex(), 0);
    SendKey(VK_DOWN);
    SendKey(VK_RETURN);
  });
  GotoSceneFromList(true);
  EXPECT_EQ(Script().CurrentElement(), &Element(4));
}

TEST_F(ListBuilderTest, AnEmptyGotoListOnlySaysSo) {
  Add({{ekAction, "No scenes at all."}});
  ExpectMessage("There are currently no Act or Scene locations available for going to...", "Attention");
  GotoSceneFromList(false);
  EXPECT_EQ(Script().CurrentElement(), &Element(0));
}

}  // namespace
}  // namespace qm
