// The revision draft colour dialog: its list, the loop choices, the looped
// colours and what OK stores into the script and the settings file.
#include "shell/revision_colors_dialog.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/screen_colors_dialog.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class RevisionColorsDialogTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    TMDIChild& w = Script();
    w.RevisionColours.Clear();
    w.AddRevisionColour("WHITE", clWhite);
    w.AddRevisionColour("BLUE", clBlue);
    w.AddRevisionColour("PINK", clNone);
    w.CurrentRevision = 1;
    w.RevisionLoopStyle = 0;
  }
  void RunDialog(const std::function<void(TRevisionColorDlg&)>& answer) {
    Driver().Expect([answer](TForm& form) { answer(dynamic_cast<TRevisionColorDlg&>(form)); });
    MainForm->MenuItem("SetupRevisionColorsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  }
  void Answer(TModalResult result, const std::string& text) { testing::AnswerMessageBox(Driver(), text, result); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < Script().RevisionColours.Count(); ++i) names.push_back(Script().RevisionColours[i]);
    return names;
  }
};

TEST(RevisionLoopChoices, TheSecondRoundIsNamedAfterTheFirstColourInItsCase) {
  EXPECT_EQ(LoopChoices("WHITE"), (std::vector<std::string>{"Don't Loop Colors", "Loop to: \"DOUBLE WHITE\"",
                                                            "Loop to: \"SECOND WHITE\"", "Loop to: \"2ND WHITE\""}));
  EXPECT_EQ(LoopChoices("White"), (std::vector<std::string>{"Don't Loop Colors", "Loop to: \"Double White\"",
                                                            "Loop to: \"Second White\"", "Loop to: \"2nd White\""}));
  const struct {
    const char* name;
    int style;
    bool looped;
  } cases[] = {{"DOUBLE BLUE", 0, true}, {"Triple Pink", 0, true}, {"QUINTUPLE X", 0, true}, {"SECOND BLUE", 0, false},
               {"SECOND BLUE", 2, true}, {"2ND BLUE", 3, true},    {"BLUE", 1, false},       {"DOUBLEBLUE", 0, false}};
  for (const auto& c : cases) EXPECT_EQ(IsLoopedDraftName(c.name, c.style), c.looped) << c.name;
}

TEST_F(RevisionColorsDialogTest, OkStoresTheOrderNamesColoursDraftAndLoopButNotTheDefaults) {
  const std::string before = OpenSettingsFile().ReadString("Revision Draft Options", "Revision Color #1", "none");
  RunDialog([&](TRevisionColorDlg& d) {
    EXPECT_EQ(d.Caption(), "Setup Revision Draft Color Order");
    EXPECT_EQ(d.Current(), 1);
    EXPECT_EQ(d.TheColorList->Items.Count(), 3);
    d.Edit1->Text = "BLUE";
    EXPECT_FALSE(d.AddBtn->Enabled()) << "a name already listed";
    d.Edit1->Text = "GREEN";
    EXPECT_TRUE(d.AddBtn->Enabled());
    d.AddBtn->Click();
    d.MoveEntry(3, 0);  // GREEN dragged to the top
    EXPECT_EQ(d.LoopGroup->Items[1], "Loop to: \"DOUBLE GREEN\"");
    d.LoopGroup->SetItemIndex(2);
    d.DisplayBox->SetChecked(true);
    d.TheColorList->SetItemIndex(2);
    d.OKBtn->Click();
    EXPECT_EQ(d.ModalResult, mrOk);
  });
  EXPECT_EQ(Names(), (std::vector<std::string>{"GREEN", "WHITE", "BLUE", "PINK"}));
  EXPECT_EQ(Script().RevisionColourOf(2), clBlue);
  EXPECT_EQ(Script().RevisionColourOf(3), clNone);
  EXPECT_EQ(Script().CurrentRevision, 2);
  EXPECT_EQ(Script().RevisionLoopStyle, 2);
  EXPECT_TRUE(ProgramOptions().ShowColoredPages) << "pages show their colours";
  EXPECT_EQ(OpenSettingsFile().ReadString("Revision Draft Options", "Revision Color #1", "none"), before);
}

TEST_F(RevisionColorsDialogTest, SetAsDefaultsWritesTheListToTheSettingsFile) {
  RunDialog([&](TRevisionColorDlg& d) {
    d.LoopGroup->SetItemIndex(3);
    d.DefaultsBox->SetChecked(true);
    d.OKBtn->Click();
  });
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadInteger("Revision Draft Options", "Loop Colors Names", -1), 3);
  EXPECT_EQ(ini.ReadString("Revision Draft Options", "Revision Color #1", ""), "WHITE");
  EXPECT_EQ(ini.ReadString("Revision Draft Options", "Revision Color #3", ""), "PINK");
  EXPECT_EQ(ini.ReadString("Revision Draft Options", "Revision Color #4", "gone"), "gone");
}

TEST_F(RevisionColorsDialogTest, OkWithoutAChosenColourAsksAndNoKeepsTheDraft) {
  RunDialog([&](TRevisionColorDlg& d) {
    d.TheColorList->SetItemIndex(-1);
    Answer(mrNo, "You haven't selected a Revision Color!\r\n\r\nSet it to WHITE?");
    d.OKBtn->Click();
  });
  EXPECT_EQ(Script().CurrentRevision, 1);
  RunDialog([&](TRevisionColorDlg& d) {
    d.TheColorList->SetItemIndex(-1);
    Answer(mrYes, "You haven't selected a Revision Color!\r\n\r\nSet it to WHITE?");
    d.OKBtn->Click();
  });
  EXPECT_EQ(Script().CurrentRevision, 0);
}

TEST_F(RevisionColorsDialogTest, TheButtonsRefuseWhatTheyCannotDo) {
  RunDialog([&](TRevisionColorDlg& d) {
    d.TheColorList->SetItemIndex(-1);
    Answer(mrOk, "You have to select a color before you can edit it!");
    d.EditBtn->Click();
    Answer(mrOk, "You MUST select a Color First...");
    d.PageColorBtn->Click();
    Answer(mrOk, "There is no Color Selected to remove!");
    d.DeleteBtn->Click();
    d.Edit1->Text = "DOUBLE WHITE";
    d.AddBtn->Click();
    d.TheColorList->SetItemIndex(3);
    Answer(mrOk,
           "This is a LOOPED COLOR whose display color is set automatically based on its non-Looped Source Color.  "
           "To change this Looped color's display, change its source color.");
    d.PageColorBtn->Click();
    d.TheColorList->SetItemIndex(2);
    Answer(mrNo, "Remove PINK?");
    d.DeleteBtn->Click();
    EXPECT_EQ(d.Entries.size(), 4u);
    Answer(mrYes, "Remove PINK?");
    d.DeleteBtn->Click();
    EXPECT_EQ(d.Entries.size(), 3u);
    while (d.Entries.size() > 1) {
      d.TheColorList->SetItemIndex(0);
      Answer(mrYes, "Remove " + d.Entries[0].Name + "?");
      d.DeleteBtn->Click();
    }
    Answer(mrOk, "You cannot remove ALL Colors from the list!");
    d.DeleteBtn->Click();
    d.CancelBtn->Click();
  });
  EXPECT_EQ(Names(), (std::vector<std::string>{"WHITE", "BLUE", "PINK"})) << "Cancel keeps the list";
}

TEST_F(RevisionColorsDialogTest, ALoopedEntryShowsItsSourceColour) {
  RunDialog([&](TRevisionColorDlg& d) {
    d.TheColorList->SetItemIndex(1);
    d.DisplayBox->SetChecked(true);
    d.Refresh();
    Driver().Expect([](TForm& form) {
      auto& picker = dynamic_cast<TColorDialog&>(form);
      picker.RedEdit->Text = "1";
      picker.GreenEdit->Text = "2";
      picker.BlueEdit->Text = "3";
      picker.OKBtn->Click();
    });
    d.PageColorBtn->Click();
    d.Edit1->Text = "DOUBLE BLUE";
    d.AddBtn->Click();
    d.OKBtn->Click();
  });
  ASSERT_EQ(Script().RevisionColours.Count(), 4);
  EXPECT_EQ(Script().RevisionColourOf(1), RGB(1, 2, 3));
  EXPECT_EQ(Script().RevisionColourOf(3), RGB(1, 2, 3));
}

TEST_F(RevisionColorsDialogTest, CurrentRevisionMarksInALockedScriptWarnFirst) {
  TMDIChild& w = Script();
  w.Assemble();
  w.FirstElement->revisedLines = std::string("\x01");
  w.DisAssemble();
  w.PagesLocked = 1;
  Driver().Expect([](TForm& box) {
    EXPECT_EQ(box.Caption(), "WARNING!");
    testing::AnswerTypeYes(box, false);
  });
  MainForm->MenuItem("SetupRevisionColorsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0) << "no dialog after No";
  Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); });
  RunDialog([](TRevisionColorDlg& d) { d.CancelBtn->Click(); });
  w.PagesLocked = 0;
}

}  // namespace
}  // namespace qm
