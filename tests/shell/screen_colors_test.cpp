// Screen colours, note colours chosen for hiding, user colours and the
// text colour commands, driven through their dialogs.
#include "shell/screen_colors.h"

#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "platform/recording_canvas.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/screen_colors_dialog.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class ScreenColorsTest : public testing::ProgramFixture {
 protected:
  void ExpectScreenColors(const std::function<void(TSetScreenColorsdlg&)>& answer) {
    Driver().Expect([answer](TForm& form) { answer(dynamic_cast<TSetScreenColorsdlg&>(form)); });
  }
  void ExpectPicker(TColor color) {
    Driver().Expect([color](TForm& form) {
      auto& picker = dynamic_cast<TColorDialog&>(form);
      picker.RedEdit->Text = std::to_string(color & 0xFF);
      picker.GreenEdit->Text = std::to_string((color >> 8) & 0xFF);
      picker.BlueEdit->Text = std::to_string((color >> 16) & 0xFF);
      picker.OKBtn->Click();
    });
  }
  // Notes of the given colour indexes after one action.
  void LoadNotes(const std::vector<Byte>& indexes) {
    TMDIChild& w = Script();
    w.Assemble();
    for (Byte index : indexes) testing::AppendElement(w, ekScriptNote, "Note.")->format.NumberWord = index;
    w.DisAssemble();
  }
  std::vector<int> NoteStates() {
    std::vector<int> states;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next)
      if (e->Kind() == ekScriptNote) states.push_back(e->state);
    return states;
  }
  std::vector<int> NoteIndexes() {
    std::vector<int> indexes;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next)
      if (e->Kind() == ekScriptNote) indexes.push_back(NoteColorIndexOf(*e));
    return indexes;
  }
};

TEST_F(ScreenColorsTest, SetColorChangesTheChosenColourAndOkStoresIt) {
  ExpectScreenColors([&](TSetScreenColorsdlg& d) {
    d.Which[2]->SetChecked(true);
    ExpectPicker(RGB(10, 20, 30));
    d.SetColorBtn->Click();
    d.BackgroundMode->SetChecked(true);
    d.OKBtn->Click();
  });
  MainForm->MenuItem("ScreenColorsItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(ScreenColors.Highlight, RGB(10, 20, 30));
  EXPECT_EQ(ScreenColors.Window, clWindow);
  EXPECT_FALSE(UseWinColors);
  EXPECT_TRUE(ProgramOptions().ColorAsBackground);
  const TIniFile ini = OpenSettingsFile();
  EXPECT_FALSE(ini.ReadBool("Program Options", "Use Win Colors", true));
  EXPECT_TRUE(ini.ReadBool("Program Settings", "Color As Background", false));
  EXPECT_NE(ini.ReadString("Screen Colors", "Highlight", ""), "");

  ExpectScreenColors([](TSetScreenColorsdlg& d) { d.WinColorsBtn->Click(); });
  MainForm->MenuItem("ScreenColorsItem")->Click();
  EXPECT_TRUE(UseWinColors);
  EXPECT_EQ(ScreenColors, TScreenColors{});
  EXPECT_TRUE(OpenSettingsFile().ReadBool("Program Options", "Use Win Colors", false));
}

TEST_F(ScreenColorsTest, CancelAndABadColourPartChangeNothing) {
  const TScreenColors before = ScreenColors;
  ExpectScreenColors([&](TSetScreenColorsdlg& d) {
    Driver().Expect([this](TForm& form) {
      auto& picker = dynamic_cast<TColorDialog&>(form);
      picker.RedEdit->Text = "256";
      Driver().Expect([](TForm& box) { box.ModalResult = mrOk; });  // the refusal
      picker.OKBtn->Click();
      EXPECT_NE(picker.ModalResult, mrOk);
      picker.ModalResult = mrCancel;
    });
    d.SetColorBtn->Click();
    EXPECT_EQ(d.Colors, before);
    d.Which[0]->SetChecked(true);
    ExpectPicker(clRed);
    d.SetColorBtn->Click();
    d.CancelBtn->Click();
  });
  MainForm->MenuItem("ScreenColorsItem")->Click();
  EXPECT_EQ(ScreenColors, before);
}

TEST_F(ScreenColorsTest, NoteColoursOfOneColourMergeIntoTheLowestEntry) {
  LoadNotes({0, 3, 5, 3, 7});
  auto& colors = Script().NoteColours;
  colors = {};
  colors[0] = clRed;
  colors[3] = clBlue;
  colors[5] = clRed;
  colors[7] = clInactiveCaption;  // unset
  colors[9] = clLime;             // no note uses it
  MergeNoteColors(Script());
  EXPECT_EQ(NoteIndexes(), (std::vector<int>{0, 3, 0, 3, 7}));
  EXPECT_EQ(colors[0], clRed);
  EXPECT_EQ(colors[3], clBlue);
  EXPECT_EQ(colors[5], 0);
  EXPECT_EQ(colors[9], 0);
  int index = 7;
  EXPECT_EQ(NoteColor(index), clRed);
  EXPECT_EQ(index, 0);
  index = 30;
  NoteColor(index);
  EXPECT_EQ(index, 0);
}

TEST_F(ScreenColorsTest, HideNotesExceptKeepsTheMarkedColours) {
  const struct {
    const char* item;
    const char* caption;
    std::vector<int> states;
  } cases[] = {
      {"HideNotesExceptItem", "Select Notes Colors to Keep Visible", {4, 0, 4, 0}},
      {"UnhideNotesExceptItem", "Select Notes Colors to Keep Hidden", {0, 4, 0, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    LoadNotes({0, 1, 0, 1});
    Script().NoteColours = {};
    Script().NoteColours[0] = clRed;
    Script().NoteColours[1] = clBlue;
    ExpectScreenColors([&](TSetScreenColorsdlg& d) {
      EXPECT_EQ(d.Pages->ActivePageIndex(), 1);
      EXPECT_EQ(d.KeepGroup->Caption(), c.caption);
      d.NotePanel(1)->OnClick(nullptr);
      d.NotePanel(5)->OnClick(nullptr);  // an unset colour takes no mark
      EXPECT_FALSE(d.Marked[5]);
      d.OKBtn->Click();
    });
    MainForm->MenuItem(c.item)->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    std::vector<int> states = NoteStates();
    ASSERT_GE(states.size(), 4u);
    states.erase(states.begin(), states.end() - 4);
    EXPECT_EQ(states, c.states);
    EXPECT_FALSE(Script().IsHiddenElement(Script().CurrentElement()));
  }
}

TEST_F(ScreenColorsTest, CancellingTheNotePageHidesNothing) {
  LoadNotes({0, 1});
  Script().NoteColours[0] = clRed;
  ExpectScreenColors([](TSetScreenColorsdlg& d) { d.CancelBtn->Click(); });
  MainForm->MenuItem("HideNotesExceptItem")->Click();
  EXPECT_EQ(NoteStates(), (std::vector<int>{0, 0}));
}

TEST_F(ScreenColorsTest, UserColoursAskToConvertTheCodeLettersFirst) {
  Script().SetFocus();
  TypeText("Old.");
  Driver().Expect([](TForm& box) {
    EXPECT_NE(testing::MessageBoxText(box).find(UserColorCodeList()), std::string::npos);
    testing::AnswerTypeYes(box, false);
  });
  MainForm->MenuItem("UserTextColorItem")->Click();
  EXPECT_EQ(Script().UsesUserColours, 0);
  EXPECT_EQ(Script().EditBuffer(), "Old.");

  Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); });
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TSelectUserColorDlg&>(form);
    EXPECT_EQ(d.Selected(), 1);
    d.Button(3)->OnClick(nullptr);
    d.Colors[2] = clLime;
    d.OKBtn->Click();
  });
  MainForm->MenuItem("UserTextColorItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(Script().UsesUserColours, 1);
  EXPECT_EQ(Script().UserColours[2], clLime);
  EXPECT_EQ(Script().CurrentColor, 6);
  EXPECT_EQ(Script().TypingColorCode, 238);
  EXPECT_EQ(Script().EditBuffer(), std::string("Old.") + static_cast<char>(238));
}

// The colour the "A" of the User Defined Color button is drawn in, with
// the pointer over it or away from it; clNone when the two differ.
TColor UserColorButtonInk() {
  auto* button = dynamic_cast<TOfficeButton*>(MainForm->FindComponent("UserColorBtn"));
  if (!button) return clNone;
  const auto ink = [button] {
    RecordingCanvas canvas;
    button->PaintTo(canvas);
    const DrawOp* letter = canvas.FindText("A");
    return letter ? letter->font.Color : clNone;
  };
  const TColor atRest = ink();
  button->MouseEntered();
  const TColor pointedAt = ink();
  button->MouseLeft();
  EXPECT_EQ(atRest, pointedAt) << "the button shows its colour at rest too";
  return atRest == pointedAt ? atRest : clNone;
}

// The User Defined Color button shows the user colour being typed in: the
// one just chosen, and the active script's own when a script that uses
// user colours becomes active again.
TEST_F(ScreenColorsTest, TheUserColourButtonShowsTheActiveScriptsChosenColour) {
  const struct {
    const char* script;
    int button;
    TColor color;
  } choices[] = {{"first", 3, clLime}, {"second", 5, clAqua}};
  for (const auto& c : choices) {
    SCOPED_TRACE(c.script);
    if (c.button != choices[0].button) MainForm->FileNewItem->Click();
    Driver().Expect([](TForm& box) { testing::AnswerTypeYes(box, true); });
    Driver().Expect([&c](TForm& form) {
      auto& d = dynamic_cast<TSelectUserColorDlg&>(form);
      d.Button(c.button)->OnClick(nullptr);
      d.Colors[static_cast<std::size_t>(c.button - 1)] = c.color;
      d.OKBtn->Click();
    });
    MainForm->MenuItem("UserTextColorItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(UserColorButtonInk(), c.color) << "the colour just chosen";
  }
  MainForm->DocItems[0]->Click();
  ASSERT_EQ(ActiveDocument, 1);
  EXPECT_EQ(UserColorButtonInk(), clLime) << "the first script's colour once it is active again";
  MainForm->DocItems[1]->Click();
  EXPECT_EQ(UserColorButtonInk(), clAqua);

  // Saved and opened again, the script brings its colour back.
  MainForm->DocItems[0]->Click();
  testing::ChooseFile(Driver(), "LIME");
  MainForm->FileSaveAsItem->Click();
  const std::string saved = Script().ScriptFileName;
  MainForm->CloseFileItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(UserColorButtonInk(), clAqua);
  ASSERT_TRUE(OpenScriptByName(saved));
  EXPECT_EQ(UserColorButtonInk(), clLime) << "the opened script's colour";
}

TEST_F(ScreenColorsTest, EditingAUserColourTakesTheColourDialogsAnswerAndCancelKeepsIt) {
  Script().UsesUserColours = 1;
  Script().NoteColours = {};
  Script().NoteColours[0] = clRed;
  Script().NoteColours[4] = clTeal;
  const TColor before = Script().UserColours[1];
  const struct {
    const char* what;
    bool ok;
    TColor stored;
  } cases[] = {{"Cancel", false, before}, {"OK", true, RGB(9, 8, 7)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<TColor> offered;
    Driver().Expect([&](TForm& form) {
      auto& d = dynamic_cast<TSelectUserColorDlg&>(form);
      d.Select(2);
      Driver().Expect([&](TForm& picker) {
        auto& dialog = dynamic_cast<TColorDialog&>(picker);
        offered = dialog.CustomColors;
        dialog.RedEdit->Text = std::string("9");
        dialog.GreenEdit->Text = std::string("8");
        dialog.BlueEdit->Text = std::string("7");
        (c.ok ? dialog.OKBtn : dialog.CancelBtn)->Click();
      });
      d.EditBtn->Click();
      d.OKBtn->Click();
    });
    MainForm->MenuItem("UserTextColorItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(offered, (std::vector<TColor>{clRed, clTeal})) << "the note colours set in the script";
    EXPECT_EQ(Script().UserColours[1], c.stored);
  }
}

TEST_F(ScreenColorsTest, TextColourItemsPutTheirOpenCodeAtTheCaretAndBlackClosesIt) {
  const struct {
    const char* item;
    Byte open;
    Byte close;
  } cases[] = {{"BlueTextItem", 18, 19}, {"RedTextItem", 16, 17}, {"GreenTextItem", 20, 13}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Script().SetFocus();
    TypeText("A");
    MainForm->MenuItem(c.item)->Click();
    TypeText("b");
    MainForm->MenuItem("BlackTextItem")->Click();
    TypeText("c");
    const std::string& text = Script().EditBuffer();
    ASSERT_GE(text.size(), 5u);
    EXPECT_EQ(text.substr(text.size() - 5),
              std::string("A") + static_cast<char>(c.open) + "b" + static_cast<char>(c.close) + "c");
  }
}

}  // namespace
}  // namespace qm
