// The paste's "How should I Interpret This Text?" dialog: its texts, which
// options the two ways of reading leave enabled, and the choices it gives.
#include "files/paste_as.h"

#include <gtest/gtest.h>

#include "files/file_test_fixture.h"
#include "platform/graphics.h"

namespace qm::testing {
namespace {

class PasteAsTest : public FileTest {};

TEST_F(PasteAsTest, TheDialogShowsItsTexts) {
  TPasteAsDlg dialog(nullptr);
  EXPECT_EQ(dialog.Caption(), "How should I Interpret This Text?");
  const std::vector<std::pair<TControl*, std::string>> captions{
      {dialog.OKBtn, "O&K"},
      {dialog.CancelBtn, "&Cancel"},
      {dialog.ScriptFormatBtn, "Import Text in &Script Format"},
      {dialog.ActionOnlyBtn, "Import Text as &Action Only"},
      {dialog.TextOnlyBox, "&Text Only (Non-RTF)"},
      {dialog.UseStyleSheetsBox, "Interpret St&yle Sheets"},
      {dialog.DoubleSpacedBox, "&Use most aggressive interpretation of the source "},
      {dialog.NoCapInfo, "&Don't use Capitalization Information for Element"},
      {dialog.IgnoreMargins, "I&gnore Margins for Element identification"},
      {dialog.ActionInPs, "&Action is in Parenthenticals \"(\" + \")\""},
      {dialog.MatchPageBreaksBox, "&Import this text with LOCKED Page breaks -- use"},
  };
  for (const auto& [control, caption] : captions) EXPECT_EQ(control->Caption(), caption) << control->Name;
  EXPECT_EQ(dialog.HelpContext, 1062);
}

TEST_F(PasteAsTest, ActionOnlyDisablesEveryOptionButTextOnly) {
  TPasteAsDlg dialog(nullptr);
  const std::vector<TControl*> options{dialog.UseStyleSheetsBox, dialog.DoubleSpacedBox, dialog.NoCapInfo,
                                       dialog.IgnoreMargins,     dialog.ActionInPs,      dialog.MatchPageBreaksBox,
                                       dialog.BtrLabel1,         dialog.Label1,          dialog.BtrLabel2};
  for (TRadioButton* sender : {dialog.ActionOnlyBtn, dialog.ScriptFormatBtn}) {
    dialog.ActionOnlyBtnClick(sender);
    const bool enabled = sender == dialog.ScriptFormatBtn;
    for (TControl* control : options) EXPECT_EQ(control->Enabled(), enabled) << control->Name;
    EXPECT_TRUE(dialog.TextOnlyBox->Enabled());
  }
}

TEST_F(PasteAsTest, StyleSheetsNeedTheRtfAndAVisibleBox) {
  struct Case {
    bool visible, textOnly, enabled;
  };
  for (const Case c : {Case{true, false, true}, Case{true, true, false}, Case{false, false, false}}) {
    TPasteAsDlg dialog(nullptr);
    dialog.UseStyleSheetsBox->Visible = c.visible;
    dialog.TextOnlyBox->SetChecked(c.textOnly);
    dialog.TextOnlyBoxClick(dialog.TextOnlyBox);
    EXPECT_EQ(dialog.UseStyleSheetsBox->Enabled(), c.enabled) << c.visible << c.textOnly;
  }
}

TEST_F(PasteAsTest, TheRadioButtonsAreBoldUnlessTheFontIs) {
  for (const unsigned style : {0u, unsigned{fsBold}}) {
    TPasteAsDlg dialog(nullptr);
    dialog.Font.Style = style;
    dialog.FormShow(&dialog);
    for (TRadioButton* button : {dialog.ScriptFormatBtn, dialog.ActionOnlyBtn}) {
      // A bold dialog font is the buttons' own through their parent.
      EXPECT_EQ(button->ParentFont, style != 0);
      if (style == 0) {
        EXPECT_TRUE(button->Font.Style & fsBold);
      }
    }
  }
}

TEST_F(PasteAsTest, TheChoicesComeBackAsTheWriterLeftThem) {
  TPasteChoices choices;
  choices.UseStyleSheets = true;
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TPasteAsDlg&>(form);
    EXPECT_TRUE(dialog.UseStyleSheetsBox->Checked());
    EXPECT_TRUE(dialog.DoubleSpacedBox->Checked());
    dialog.NoCapInfo->SetChecked(true);
    dialog.TextOnlyBox->SetChecked(true);
    form.ModalResult = mrOk;
  });
  ASSERT_TRUE(AskPasteChoices(choices, true));
  EXPECT_TRUE(choices.NoCapitals);
  EXPECT_FALSE(choices.UseStyleSheets) << "text only reads no style sheet";
  EXPECT_TRUE(choices.Aggressive);

  Driver().Expect([](TForm& form) {
    dynamic_cast<TPasteAsDlg&>(form).ActionOnlyBtn->SetChecked(true);
    form.ModalResult = mrCancel;
  });
  const TPasteChoices before = choices;
  EXPECT_FALSE(AskPasteChoices(choices, false));
  EXPECT_FALSE(choices.ActionOnly) << "a cancelled dialog changes nothing";
  EXPECT_EQ(choices.NoCapitals, before.NoCapitals);
}

}  // namespace
}  // namespace qm::testing
