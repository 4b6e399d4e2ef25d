// A writer types a short scene into a new script through the key handlers.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/recording_canvas.h"
#include "script/layout/screen_lines.h"
#include "script/script_window.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class TypeASceneTest : public testing::ProgramFixture {
 protected:
  // Choosing the next element's type and pressing Enter at the end of the
  // element makes a new element of that type.
  void NextElement(Byte kind) {
    TMDIChild& w = Script();
    w.CurrentFormat = w.FormatSet[static_cast<size_t>(FormatSlotOfKind(kind))];
    w.NewElement(true, false, false);
  }
};

TEST_F(TypeASceneTest, AScenePlacesItsElementsLinesAndPaint) {
  TMDIChild& w = Script();
  w.SetFocus();
  w.CurrentFormat = w.FormatSet[fsSceneHeading];
  w.NewElement(true, false, false);  // the empty first element takes the heading's type
  TypeText("int. kitchen - night");
  NextElement(ekAction);
  const std::string action =
      "Rain hammers the window; MARY, forties, stirs a pot that has long since boiled dry and does not notice.";
  TypeText(action);
  NextElement(ekCharacterName);
  TypeText("mary");
  NextElement(ekDialogue);
  TypeText("Not tonight.");
  w.Assemble();

  EXPECT_EQ(testing::ElementsOf(w), (std::vector<ElementSpec>{{ekSceneHeading, "int. kitchen - night"},
                                                              {ekAction, action},
                                                              {ekCharacterName, "MARY"},
                                                              {ekDialogue, "Not tonight."}}));
  // The action is 104 characters in a 60-character Courier line: "has"
  // ends on the margin, and a word that reaches the margin goes on to the
  // next line.
  const TScriptElement* actionElement = w.FirstElement->next;
  EXPECT_EQ(actionElement->lineCount, 2);
  std::vector<std::string> shown;
  for (int line = 1; line <= ScreenLineCount; ++line)
    if (w.ScreenLines[static_cast<size_t>(line)].element)
      shown.push_back(w.ScreenLines[static_cast<size_t>(line)].text);
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(shown[0], "INT. KITCHEN - NIGHT") << "a heading shows in capitals";
  EXPECT_EQ(shown[1], "Rain hammers the window; MARY, forties, stirs a pot that");
  EXPECT_EQ(shown[2], "has long since boiled dry and does not notice.");
  EXPECT_EQ(shown[3], "MARY");
  EXPECT_EQ(shown[4], "Not tonight.");

  w.RedisplayScreen(true);
  const RecordingCanvas& painted = *w.Recording();
  auto drawn = [&](const std::string& text) -> const DrawOp* {
    for (const DrawOp* op : painted.TextOps())
      if (op->text == text) return op;
    return nullptr;
  };
  const DrawOp* cue = drawn("MARY");
  ASSERT_NE(cue, nullptr);
  const DrawOp* speech = drawn("Not tonight.");
  ASSERT_NE(speech, nullptr);
  EXPECT_GT(cue->rect.Left, speech->rect.Left) << "the cue stands further right than its dialogue";
  EXPECT_LT(cue->rect.Top, speech->rect.Top);
  EXPECT_TRUE(w.DocumentModified);
}

}  // namespace
}  // namespace qm
