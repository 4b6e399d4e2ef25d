#include "story/index_card_view.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "platform/recording_canvas.h"
#include "printing/print_cards_dialog.h"
#include "script/script_window.h"
#include "story/cards_fixture.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementSpec;

class IndexCardViewTest : public testing::CardsFixture {
 protected:
  void LoadScenes(int scenes) {
    LoadRooms(scenes);
  }
  // A click in the middle of screen card k.
  void Click(TIndexCardView& view, int k) {
    TPanel& card = *view.ScreenCard(k).Card;
    card.MouseDown(TMouseButton::mbLeft, {}, card.Width / 2, 28);
  }
  std::vector<std::string> Titles(TIndexCardView& view) {
    std::vector<std::string> titles;
    for (int k = 1; k <= view.CardCount; ++k) titles.push_back(view.ScreenCard(k).Title->Text);
    return titles;
  }
};

TEST_F(IndexCardViewTest, TheViewOpensWithTheSavedLayoutAndKeepsTheChosenOne) {
  LoadScenes(8);
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteInteger("Index Cards", "Number of Cards", 4);
    ini.WriteBool("Index Cards", "Orientation", true);
  }
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  EXPECT_EQ(view.Caption(), "Index Card View - Vertical Layout");
  // vertical: card 2 is the lower-left one
  EXPECT_EQ(view.ScreenCard(2).Card->Left, 0);
  EXPECT_GT(view.ScreenCard(2).Card->Top, 0);
  EXPECT_EQ(Titles(view), (std::vector<std::string>{"INT. ROOM 1", "INT. ROOM 2", "INT. ROOM 3", "INT. ROOM 4"}));
  EXPECT_TRUE(view.Outline) << "headings and action only: the cards open in outline mode";
  view.ScrollCards(ScrollStep(4, true));
  EXPECT_EQ(view.ScreenCard(1).Title->Text, "INT. ROOM 3");
  view.SetCardCount(12);
  view.ModalResult = mrCancel;
  view.Close();
  TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadInteger("Index Cards", "Number of Cards", 0), 12);
}

TEST_F(IndexCardViewTest, AStyledCardIsEditedWithTheStyleKeysAndWrittenBackAsCodes) {
  const std::string bold = "\x02" "loud" "\x03", italic = "\x19" "soft" "\x1A";
  Load({{ekSceneHeading, "INT. A"},
        {ekAction, "A " + bold + " and " + italic + " line."},
        {ekCharacterName, "BOB"},
        {ekDialogue, "Hi " + bold + "."},
        {ekSceneHeading, "INT. B"},
        {ekAction, "b"}});
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  ASSERT_FALSE(view.Outline) << "a speech in the script: the cards open in shuffle mode";
  testing::AnswerMessageBox(Driver(),
                            "Editing a Script in Index Card View when it has elements other than Action and Scene "
                            "Headings can potentially cause formatting changes within the script, and will cause ALL "
                            "cheating within an edited scene to be lost.\r\n\r\nContinue Anyway?",
                            mrYes, "Warning");
  view.SwitchModes(true);
  ASSERT_TRUE(view.Outline);
  TRichEdit& text = *view.ScreenCard(1).Text;
  ASSERT_FALSE(text.ReadOnly()) << "a styled card can be typed in";
  ASSERT_EQ(text.Text(), "A loud and soft line.\n\nBOB:  Hi loud.");
  EXPECT_EQ(text.Attributes()[2].Style, unsigned{fsBold});
  EXPECT_EQ(text.Attributes()[11].Style, unsigned{fsItalic});
  // the first word made bold with Ctrl+B, a word typed at the end, and
  // the first line made grey (hidden) with Ctrl+Alt+X
  text.SetFocus();
  text.SetSelection(0, 1);
  Word key = 'B';
  text.DoKeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, 0) << "the style key is not passed on";
  text.SetSelection(static_cast<int>(text.Text().size()), 0);
  for (char c : std::string(" Bye")) text.DoKeyPress(c);
  key = 'U';
  text.SetSelection(static_cast<int>(text.Text().size()) - 3, 3);
  text.DoKeyDown(key, TShiftState{ssCtrl});
  view.WriteBackNow();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{
                                                {ekSceneHeading, "INT. A"},
                                                {ekAction, "\x02" "A\x03 " + bold + " and " + italic + " line."},
                                                {ekCharacterName, "BOB"},
                                                {ekDialogue, "Hi " + bold + ". \x15" "Bye\x16"},
                                                {ekSceneHeading, "INT. B"},
                                                {ekAction, "b"}}));
}

TEST_F(IndexCardViewTest, EveryCodeOfAnEditedCardComesBackByteForByte) {
  const std::string styled = "A \x02" "b\x19" "c\x1A\x03 d \x0E" "e\x0F \x15" "f\x16.";
  Load({{ekSceneHeading, "INT. A"}, {ekAction, styled}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}});
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  TRichEdit& text = *view.ScreenCard(1).Text;
  text.SetFocus();
  text.SetSelection(0, 0);
  char x = 'x';
  text.DoKeyPress(x);
  view.WriteBackNow();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekSceneHeading, "INT. A"},
                                                                       {ekAction, "x" + styled},
                                                                       {ekSceneHeading, "INT. B"},
                                                                       {ekAction, "b"}}));
}

TEST_F(IndexCardViewTest, ClicksPickAndDropAndExitAppliesTheOrder) {
  LoadScenes(5);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  view.SwitchModes(false);
  Click(view, 5);
  EXPECT_TRUE(view.IsShuffledCard(5));
  Click(view, 1);
  EXPECT_EQ(Titles(view).front(), "INT. ROOM 5");
  view.ExitBtn->Click();
  EXPECT_EQ(view.ModalResult, mrOk);
  view.Close();
  EXPECT_EQ(Script().FirstElement->next->next->Kind(), ekSceneHeading);
  EXPECT_EQ(ElementText(*Script().FirstElement->next->next), "INT. ROOM 1");
}

TEST_F(IndexCardViewTest, ARangePickedInEitherOrderPrintsThoseCards) {
  LoadScenes(6);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TPrintCardsDlg&>(form);
    dialog.CardsAcross->Text = std::string("1");
    dialog.CardsDown->Text = std::string("1");
    dialog.TopMarginEdit->Text = std::string("0.5");
    dialog.DefaultBox->SetChecked(false);
    dialog.Printbtn->Click();
  }, "the card print layout");
  view.PrintBtn->Click();
  ASSERT_TRUE(view.PrintPicking);
  Click(view, 4);
  Click(view, 2);
  EXPECT_FALSE(view.PrintPicking);
  const auto& sheets = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(sheets.size(), 3u) << "cards 2 to 4, one a sheet";
  EXPECT_NE(sheets[0]->FindText("2 INT. ROOM 2"), nullptr);
  EXPECT_NE(sheets[2]->FindText("4 INT. ROOM 4"), nullptr);
  // not saved as the default layout
  EXPECT_EQ(ReadCardPrintLayout().CardsAcross, TCardPrintLayout{}.CardsAcross);
}

}  // namespace
}  // namespace qm
