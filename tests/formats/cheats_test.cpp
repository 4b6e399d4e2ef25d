// Cheating one element through the "Cheat Element" dialog.
#include <gtest/gtest.h>

#include "formats/cheat_dialogs.h"
#include "formats/cheats.h"
#include "formats/drafts_fixture.h"
#include "platform/dialog_builder.h"

namespace qm::testing {
namespace {

class CheatsTest : public DraftsFixture {
 protected:
  void Answer(std::function<void(TCheatElementDlg&)> change, TModalResult result = mrOk) {
    Driver().Expect([change, result](TForm& form) {
      change(dynamic_cast<TCheatElementDlg&>(form));
      form.ModalResult = result;
    });
  }
  static void Type(TForm& d, const std::string& name, const std::string& text) {
    DialogControl<TEdit>(d, name)->Text = text;
  }
};

TEST_F(CheatsTest, TheElementAtTheCaretTakesItsOwnFormat) {
  Start({{ekCharacterName, "JOHN"}, DialogueLines(3), {ekCharacterName, "MARY"}, DialogueLines(3)});
  CaretAt(1, 0);
  const int linesBefore = ElementNo(1)->lineCount;
  Answer([](TCheatElementDlg& d) {
    EXPECT_EQ(d.Caption(), "Cheat Element");
    EXPECT_EQ(DialogControl<TEdit>(d, "Left")->Text(), "2.5");
    EXPECT_EQ(DialogControl<TEdit>(d, "Spacing")->Text(), "1.0");
    Type(d, "Left", "3.5");
    Type(d, "Spacing", "2");
    DialogControl<TCheckBox>(d, "Italic")->SetChecked(true);
  });
  ASSERT_TRUE(CheatElement(Window()));
  const TScriptElement* cheated = ElementNo(1);
  EXPECT_EQ(cheated->format.LeftMargin, 35);
  EXPECT_EQ(cheated->format.Spacing, 20);
  EXPECT_EQ(cheated->format.Style, stItalic);
  EXPECT_EQ(cheated->format.Kind, ekDialogue);
  EXPECT_GT(cheated->lineCount, linesBefore) << "a narrower element wraps into more lines";
  EXPECT_EQ(ElementNo(3)->format.LeftMargin, 25) << "the other speech keeps its kind's format";
  EXPECT_EQ(Window().FormatSet[fsDialogue].LeftMargin, 25);
}

TEST_F(CheatsTest, BadValuesAndCancelLeaveTheElementAlone) {
  Start({{ekCharacterName, "JOHN"}, DialogueLines(3)});
  CaretAt(1, 0);
  const TElementFormat before = ElementNo(1)->format;
  Answer([](TCheatElementDlg& d) { Type(d, "Size", "0"); });
  std::string message;
  Press(mrOk, &message);
  Answer([](TCheatElementDlg& d) { EXPECT_EQ(DialogControl<TEdit>(d, "Size")->Text(), "0"); }, mrCancel);
  EXPECT_FALSE(CheatElement(Window()));
  EXPECT_EQ(message, "The font size must be a number from 4 to 72.");
  EXPECT_TRUE(ElementNo(1)->format == before);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(CheatsTest, ASceneHeadingTakesTheNumberTypedForIt) {
  Start({{ekSceneHeading, "INT. ONE - DAY"}, ActionLines(1), {ekSceneHeading, "INT. TWO - DAY"}, ActionLines(1)});
  CaretAt(2, 0);
  Answer([](TCheatElementDlg& d) {
    EXPECT_TRUE(d.OverrideEdit->Enabled());
    EXPECT_EQ(d.OverrideEdit->Text(), "2");
    Type(d, "OverrideEdit", "x1");
  });
  std::string message;
  Press(mrOk, &message);
  Answer([](TCheatElementDlg& d) { Type(d, "OverrideEdit", "12b"); });
  ASSERT_TRUE(CheatElement(Window()));
  EXPECT_EQ(message, "x1 is NOT a Valid Number!");
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "12B"}));
  EXPECT_EQ(ElementNo(2)->Kind(), ekASceneHeading);

  CaretAt(2, 0);
  Answer([](TCheatElementDlg& d) { Type(d, "OverrideEdit", ""); });
  ASSERT_TRUE(CheatElement(Window()));
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "2"})) << "an emptied number is numbered as usual";

  CaretAt(1, 0);
  Answer([](TCheatElementDlg& d) { EXPECT_FALSE(d.OverrideEdit->Enabled()); });
  ASSERT_TRUE(CheatElement(Window()));
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing
