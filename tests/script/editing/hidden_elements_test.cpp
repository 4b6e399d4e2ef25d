// Whole kinds of elements hidden and shown, non-printing text hidden and
// shown, and one element kept together; hidden elements take no room on
// screen and the caret steps over them.
#include "script/editing/hidden_elements.h"

#include <gtest/gtest.h>

#include "script/editing/position_texts.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

using HiddenElementsTest = testing::KeysFixture;

const std::vector<ElementSpec> Scene{{ekSceneHeading, "INT. HALL - DAY"},
                                     {ekAction, "Rain."},
                                     {ekCharacterName, "MARY"},
                                     {ekDialogue, "Go."},
                                     {ekScriptNote, "Fix this."}};

TEST_F(HiddenElementsTest, HidingKindsMovesTheCaretToTheNearestShownElement) {
  const struct {
    const char* what;
    std::uint32_t kinds;
    int current;
    int currentAfter;
  } cases[] = {
      {"the action under the caret: on to the cue", ActionKinds, 1, 2},
      {"the speech under the caret: on to the note", SpeechKinds, 3, 4},
      {"the last element hidden: back to the dialogue", ScriptNoteKinds, 4, 3},
      {"a kind away from the caret: the caret stays", SceneHeadingKinds, 3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(Scene, c.current, 0);
    W().HiddenKinds = 0;
    ASSERT_TRUE(SetKindsHidden(W(), c.kinds, true));
    EXPECT_EQ(W().HiddenKinds, c.kinds);
    EXPECT_EQ(CurrentIndex(), c.currentAfter);
    EXPECT_FALSE(W().IsHiddenElement(W().CurrentElement()));
    ASSERT_TRUE(SetKindsHidden(W(), c.kinds, false));
    EXPECT_EQ(W().HiddenKinds, 0u);
  }
}

TEST_F(HiddenElementsTest, NothingIsHiddenWhenNoElementWouldBeLeft) {
  Load({{ekAction, "Rain."}, {ekCharacterName, "MARY"}, {ekDialogue, "Go."}}, 0, 0);
  W().HiddenKinds = SpeechKinds;
  EXPECT_FALSE(SetKindsHidden(W(), ActionKinds, true));
  EXPECT_EQ(W().HiddenKinds, SpeechKinds);
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_EQ(W().EditBuffer(), "Rain.") << "the edit line is the current element's again";
}

TEST_F(HiddenElementsTest, NonPrintingTextIsHiddenAndShownAgainWithItsMarker) {
  Load({{ekAction, "One."}, {ekAction, "Two."}, {ekScriptNote, "Note."}, {ekAction, "Three."}}, 0, 0);
  SetStates({0, 3, 4, 0});
  W().DocumentModified = 0;
  ASSERT_TRUE(SetNonPrintingHidden(W(), true));
  EXPECT_EQ(States(), (std::vector<int>{0, 4, 4, 0}));
  EXPECT_TRUE(W().DocumentModified);
  ASSERT_TRUE(SetNonPrintingHidden(W(), false));
  EXPECT_EQ(States(), (std::vector<int>{0, 3, 0, 0})) << "a note comes back as plain text";

  Load({{ekAction, "One."}, {ekAction, "Two."}}, 1, 0);
  SetStates({4, 3});
  EXPECT_FALSE(SetNonPrintingHidden(W(), true));
  EXPECT_EQ(States(), (std::vector<int>{4, 3})) << "the last shown text stays shown";
}

TEST_F(HiddenElementsTest, KeepElementTogetherTogglesButLeavesHiddenText) {
  Load({{ekAction, "One."}, {ekAction, "Two."}}, 0, 0);
  EXPECT_EQ(KeepElementTogether(W()), esKeepGroup);
  EXPECT_TRUE(W().DocumentModified);
  EXPECT_EQ(KeepElementTogether(W()), esNormal);
  W().CurrentElement()->state = esShownHidden;
  EXPECT_EQ(KeepElementTogether(W()), esShownHidden);
}

TEST_F(HiddenElementsTest, MarkingAsNonPrintingTakesTheElementTheBlockOrAWholeSpeech) {
  const std::vector<ElementSpec> script{
      {ekAction, "One."},   {ekCharacterName, "MARY"}, {ekDialogue, "Go."}, {ekParenthetical, "(beat)"},
      {ekDialogue, "Now."}, {ekForcedPageBreak, " "},  {ekAction, "Two."}};
  const struct {
    const char* what;
    int current;
    std::vector<int> block;  // elements in the block
    bool on;
    std::vector<Byte> start;
    std::vector<int> states;
  } cases[] = {
      {"an action alone", 0, {}, true, {0, 0, 0, 0, 0, 0, 0}, {3, 0, 0, 0, 0, 0, 0}},
      {"a name takes its speech", 1, {}, true, {0, 0, 0, 0, 0, 0, 0}, {0, 3, 3, 3, 3, 0, 0}},
      {"a dialogue goes alone", 2, {}, true, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 3, 0, 0, 0, 0}},
      {"a block, its page break left out", 0, {4, 5, 6}, true, {1, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 3, 0, 3}},
      {"unmarked: a speech printed again", 1, {}, false, {3, 3, 3, 3, 3, 0, 3}, {3, 0, 0, 0, 0, 0, 3}},
      {"unmarked: a block, hidden text shown",
       6,
       {0, 1, 2, 3, 4, 5},
       false,
       {4, 3, 3, 3, 3, 0, 0},
       {0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(script, c.current, 0);
    SetStates(c.start);
    W().Assemble();
    for (int i : c.block) {
      ElementAt(i)->blockStart = 0;
      ElementAt(i)->blockEnd = 1;
    }
    EditFields(W()).BlockOn = c.block.empty() ? 0 : 1;
    W().DisAssemble();
    W().DocumentModified = 0;
    MarkElementsNonPrinting(W(), c.on);
    EXPECT_EQ(States(), c.states);
    EXPECT_EQ(W().BlockOn(), 0) << "the block goes";
    for (int i = 0; i < static_cast<int>(script.size()); ++i) EXPECT_FALSE(ElementAt(i)->InBlock());
    EXPECT_TRUE(W().DocumentModified);
  }
}

const std::vector<ElementSpec> Speech{{ekSceneHeading, "INT. HALL - DAY"},
                                      {ekAction, "Rain."},
                                      {ekCharacterName, "MARY"},
                                      {ekDialogue, "Go."},
                                      {ekAction, "Wind."}};

class HiddenOnScreenTest : public testing::KeysFixture {
 protected:
  // The elements the screen lines show, top down, each once; a line
  // without an element above a used one is reported as -1.
  std::vector<int> Shown() {
    std::vector<int> shown;
    int emptyRun = 0;
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScriptElement* e = W().ScreenLines[static_cast<std::size_t>(line)].element;
      if (!e) {
        ++emptyRun;
        continue;
      }
      for (; emptyRun > 0; --emptyRun) shown.push_back(-1);
      int index = 0;
      while (ElementAt(index) != e) ++index;
      if (shown.empty() || shown.back() != index) shown.push_back(index);
    }
    return shown;
  }
  void Show(std::uint32_t hiddenKinds, const std::vector<Byte>& states, int current) {
    Load(Speech, current, 0);
    W().HiddenKinds = hiddenKinds;
    SetStates(states);
    RebuildScreen(&W());
  }
};

TEST_F(HiddenOnScreenTest, HiddenElementsTakeNoScreenLines) {
  const struct {
    const char* what;
    std::uint32_t kinds;
    std::vector<Byte> states;
    std::vector<int> shown;
  } cases[] = {
      {"nothing hidden", 0, {}, {0, 1, 2, 3, 4}},
      {"Action hidden", ActionKinds, {}, {0, 2, 3}},
      {"the speech hidden", SpeechKinds, {}, {0, 1, 4}},
      {"a Dialogue hidden by its state", 0, {0, 0, 0, esHidden, 0}, {0, 1, 2, 4}},
      {"shown hidden text keeps its lines", 0, {0, 0, 0, esShownHidden, 0}, {0, 1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Show(c.kinds, c.states, 0);
    EXPECT_EQ(Shown(), c.shown);
    // Each shown element starts on the line after the one shown above it.
    int next = 1;
    for (int index : c.shown) {
      EXPECT_EQ(ElementAt(index)->screenLine, next) << index;
      next = ElementAt(index)->screenLine + ElementAt(index)->lineCount;
    }
  }
}

TEST_F(HiddenOnScreenTest, HidingClosesTheLinesUpUnderTheTopOfTheView) {
  Show(0, {}, 0);
  for (int i = 0; i < 3; ++i) Press(VK_DOWN);
  ASSERT_EQ(CurrentIndex(), 3);
  ASSERT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3, 4}));
  ASSERT_TRUE(SetKindsHidden(W(), ActionKinds, true));
  EXPECT_EQ(Shown(), (std::vector<int>{0, 2, 3})) << "no empty line opens above the heading";
  EXPECT_EQ(CurrentIndex(), 3);
  ASSERT_TRUE(SetKindsHidden(W(), ActionKinds, false));
  EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(CurrentIndex(), 3);
}

TEST_F(HiddenOnScreenTest, TheCaretStepsOverHiddenElements) {
  Show(ActionKinds, {}, 0);
  Press(VK_DOWN);
  EXPECT_EQ(CurrentIndex(), 2) << "down from the heading passes the hidden Action";
  Press(VK_UP);
  EXPECT_EQ(CurrentIndex(), 0);
  EXPECT_TRUE(MoveToNextElement());
  EXPECT_EQ(CurrentIndex(), 2);
  EXPECT_TRUE(MoveToNextElement());
  EXPECT_EQ(CurrentIndex(), 3);
  EXPECT_FALSE(MoveToNextElement()) << "only a hidden element follows";
  EXPECT_EQ(CurrentIndex(), 3);
  EXPECT_EQ(W().EditBuffer(), "Go.");

  Show(0, {0, esHidden, 0, 0, 0}, 2);
  EXPECT_TRUE(MoveToPreviousElement());
  EXPECT_EQ(CurrentIndex(), 0) << "back over the Action hidden by its state";
}

// The scroll bar spans what the screen shows: hidden elements take no
// part of it, also when the status walk is kept from the last move.
TEST_F(HiddenOnScreenTest, TheScrollRangeLeavesHiddenElementsOut) {
  const auto height = [this](int index) {
    const TScriptElement* e = ElementAt(index);
    return e->format.LinesBefore / 10 + e->lineCount;
  };
  const auto range = [this] {
    TStatusTexts texts;
    EXPECT_TRUE(ComputeStatusTexts(W(), TStatusOptions{}, texts));
    return std::pair{texts.scrollPosition, texts.scrollMaximum};
  };
  Show(0, {}, 0);
  Press(VK_DOWN);
  Press(VK_DOWN);
  ASSERT_EQ(CurrentIndex(), 2);
  const auto [position, maximum] = range();
  ASSERT_EQ(position, height(0) + height(1));
  ASSERT_TRUE(SetKindsHidden(W(), ActionKinds, true));
  ASSERT_EQ(CurrentIndex(), 2);
  EXPECT_EQ(range(), std::pair(position - height(1), maximum - height(1) - height(4)));
  Press(VK_DOWN);
  Press(VK_UP);
  EXPECT_EQ(range(), std::pair(position - height(1), maximum - height(1) - height(4))) << "after moves";
  ASSERT_TRUE(SetKindsHidden(W(), ActionKinds, false));
  EXPECT_EQ(range(), std::pair(position, maximum));
}

}  // namespace
}  // namespace qm
