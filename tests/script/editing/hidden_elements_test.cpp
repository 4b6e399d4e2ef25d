// Whole kinds of elements hidden and shown, non-printing text hidden and
// shown, and one element kept together.
#include "script/editing/hidden_elements.h"

#include <gtest/gtest.h>

#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

using HiddenElementsTest = testing::KeysFixture;

const std::vector<ElementSpec> Scene{{ekSceneHeading, "INT. HALL - DAY"}, {ekAction, "Rain."},
                                     {ekCharacterName, "MARY"},           {ekDialogue, "Go."},
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
    EXPECT_FALSE(W().IsHiddenElement(W().CurrentElement));
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
  EXPECT_EQ(W().EditBuffer, "Rain.") << "the edit line is the current element's again";
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
  W().CurrentElement->state = esShownHidden;
  EXPECT_EQ(KeepElementTogether(W()), esShownHidden);
}

TEST_F(HiddenElementsTest, MarkingAsNonPrintingTakesTheElementTheBlockOrAWholeSpeech) {
  const std::vector<ElementSpec> script{{ekAction, "One."},        {ekCharacterName, "MARY"}, {ekDialogue, "Go."},
                                        {ekParenthetical, "(beat)"}, {ekDialogue, "Now."},      {ekForcedPageBreak, " "},
                                        {ekAction, "Two."}};
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
      {"unmarked: a block, hidden text shown", 6, {0, 1, 2, 3, 4, 5}, false, {4, 3, 3, 3, 3, 0, 0},
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
    W().BlockOn = c.block.empty() ? 0 : 1;
    W().DisAssemble();
    W().DocumentModified = 0;
    MarkElementsNonPrinting(W(), c.on);
    EXPECT_EQ(States(), c.states);
    EXPECT_EQ(W().BlockOn, 0) << "the block goes";
    for (int i = 0; i < static_cast<int>(script.size()); ++i) EXPECT_FALSE(ElementAt(i)->InBlock());
    EXPECT_TRUE(W().DocumentModified);
  }
}

}  // namespace
}  // namespace qm
