// The paste's "How should I Interpret This Text?" dialog: its texts, which
// options the two ways of reading leave enabled, and the choices it gives.
#include "files/paste_as.h"

#include <gtest/gtest.h>

#include "files/file_test_fixture.h"
#include "platform/graphics.h"
#include "support/script_text_writer.h"

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
  const std::string ownRtf = ScriptAsStyledRtf({{ekAction, "Rain."}});
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TPasteAsDlg&>(form);
    EXPECT_TRUE(dialog.UseStyleSheetsBox->Visible());
    EXPECT_TRUE(dialog.UseStyleSheetsBox->Checked()) << "the program's own style sheet";
    EXPECT_TRUE(dialog.DoubleSpacedBox->Checked());
    EXPECT_FALSE(dialog.TextOnlyBox->Checked());
    EXPECT_TRUE(dialog.TextOnlyBox->Enabled()) << "plain text is there too";
    dialog.NoCapInfo->SetChecked(true);
    dialog.TextOnlyBox->SetChecked(true);
    form.ModalResult = mrOk;
  });
  const std::optional<TPasteReading> reading = AskHowToRead(ownRtf, true, false);
  ASSERT_TRUE(reading.has_value());
  EXPECT_TRUE(reading->choices.NoCapitals);
  EXPECT_FALSE(reading->choices.UseStyleSheets) << "text only reads no style sheet";
  EXPECT_FALSE(reading->useRtf);
  EXPECT_TRUE(reading->choices.Aggressive);

  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TPasteAsDlg&>(form);
    EXPECT_TRUE(dialog.TextOnlyBox->Checked()) << "there is no RTF";
    EXPECT_FALSE(dialog.TextOnlyBox->Enabled());
    EXPECT_FALSE(dialog.UseStyleSheetsBox->Visible());
    EXPECT_TRUE(dialog.MatchPageBreaksBox->Checked()) << "the script's pages are locked";
    EXPECT_FALSE(dialog.MatchPageBreaksBox->Enabled());
    form.ModalResult = mrCancel;
  });
  EXPECT_FALSE(AskHowToRead("", true, true).has_value()) << "cancelled";
}

}  // namespace
}  // namespace qm::testing
