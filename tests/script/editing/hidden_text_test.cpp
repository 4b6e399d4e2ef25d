// Showing and hiding text at a hidden-text marker.
#include "script/editing/hidden_text.h"

#include <gtest/gtest.h>

#include "base/prompt_table.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

using HiddenTextTest = testing::KeysFixture;

const std::vector<ElementSpec> Speech{{ekAction, "Rain."},
                                      {ekCharacterName, "MARY"},
                                      {ekParenthetical, "beat"},
                                      {ekDialogue, "Go."},
                                      {ekAction, "She goes."}};

TEST_F(HiddenTextTest, ASpeechIsShownAndHiddenWhole) {
  // Hidden speech before the action that carries the marker: shown whole.
  Load(Speech, 4, 0);
  SetStates({0, 4, 4, 4, 0});
  ToggleHiddenText(W(), THiddenMarker::Show);
  EXPECT_EQ(States(), (std::vector<int>{0, 3, 3, 3, 0}));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekCharacterName);
  EXPECT_TRUE(W().DocumentModified);

  // The marker of its dialogue hides all three again.
  Load(Speech, 3, 0);
  SetStates({0, 3, 3, 3, 0});
  ToggleHiddenText(W(), THiddenMarker::Hide);
  EXPECT_EQ(States(), (std::vector<int>{0, 4, 4, 4, 0}));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekAction) << "the next visible element takes the marker's place";
}

TEST_F(HiddenTextTest, AShownNoteIsPlainTextAgain) {
  Load({{ekScriptNote, "Fix this."}, {ekAction, "Rain."}}, 1, 0);
  SetStates({4, 0});
  ToggleHiddenText(W(), THiddenMarker::Show);
  EXPECT_EQ(States(), (std::vector<int>{0, 0}));
}

TEST_F(HiddenTextTest, TheLastVisibleTextIsNeverHidden) {
  Load({{ekAction, "One."}}, 0, 0);
  ExpectBox("You CANNOT hide the last Element in the script...", mrOk);
  ToggleHiddenText(W(), THiddenMarker::Hide);
  EXPECT_EQ(States(), (std::vector<int>{0}));

  Load({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}}, 1, 0);
  SetStates({4, 3, 4});
  ExpectBox("You cannot have only hidden elements in the script!", mrOk);
  ToggleHiddenText(W(), THiddenMarker::Hide);
  EXPECT_EQ(States(), (std::vector<int>{4, 3, 4})) << "the text hidden stays shown, with a beep";
  EXPECT_EQ(W().CurrentElement(), ElementAt(1));
}

TEST_F(HiddenTextTest, ShowingAtTheTopChangesNothingButStillMarksTheScript) {
  Load({{ekAction, "One."}, {ekAction, "Two."}}, 0, 0);
  W().DocumentModified = 0;
  ToggleHiddenText(W(), THiddenMarker::Show);
  EXPECT_EQ(States(), (std::vector<int>{0, 0}));
  EXPECT_TRUE(W().DocumentModified);
}

}  // namespace
}  // namespace qm
