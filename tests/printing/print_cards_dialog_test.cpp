#include "printing/print_cards_dialog.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/pagination/repagination.h"

namespace qm::testing {
namespace {

class PrintCardsDialogTest : public PaginationFixture {};

TEST_F(PrintCardsDialogTest, MarginsReadAsHundredthsWithinTheirLimits) {
  ReadPrinterMetrics(nullptr);  // smallest margins 3 tenths without a printer
  TPrintCardsDlg dialog(nullptr);
  const struct {
    const char* text;
    int top, inter;
  } cases[] = {
      {"1.5", 150, 150},   {"0.125", 30, 12},  // digits past two decimals are cut
      {"0.3", 30, 30},     {"0", 30, 0},       // never under the printer's smallest margin
      {"9", 500, 500},     {"", 30, 0},
      {"abc", 30, 0},      {" 2.25 ", 225, 225},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    dialog.TopMarginEdit->Text = c.text;
    dialog.LeftMarginEdit->Text = c.text;
    dialog.InterCardMarginEdit->Text = c.text;
    EXPECT_EQ(dialog.TopMarginValue(), c.top);
    EXPECT_EQ(dialog.LeftMarginValue(), c.top);
    EXPECT_EQ(dialog.InterCardMarginValue(), c.inter);
  }
}

TEST_F(PrintCardsDialogTest, InSetUpModeOkSavesTheLayoutThatTheNextDialogReads) {
  {
    TPrintCardsDlg dialog(nullptr);
    EXPECT_EQ(dialog.Caption(), "Setup Index Card Printing");
    EXPECT_EQ(dialog.PrintAllBtn->Caption(), "&Print All Cards");
    EXPECT_EQ(dialog.PrintAllBtn->ModalResult, 1);
    EXPECT_EQ(dialog.Printbtn->Caption(), "Select &Range of Cards to Print");
    EXPECT_NE(dialog.Printbtn->ModalResult, mrCancel);
    dialog.SetSetupMode();
    EXPECT_FALSE(dialog.Printbtn->Visible());
    EXPECT_FALSE(dialog.PrintAllBtn->Visible());
    EXPECT_FALSE(dialog.DefaultBox->Visible());
    EXPECT_TRUE(dialog.DefaultBox->Checked());
    dialog.CardsAcross->Text = "3";
    dialog.Landscape->SetChecked(true);
    dialog.DrawBoxes->SetChecked(false);
    dialog.TopMarginEdit->Text = "0.75";
    dialog.FontNameBox->Text = "Arial";
    dialog.FontSizeEdit->Text = "12";
    dialog.FontBoldBox->SetChecked(true);
    dialog.OkBtn->Click();
    EXPECT_EQ(dialog.ModalResult, mrOk);
  }
  TPrintCardsDlg again(nullptr);
  EXPECT_EQ(again.CardsAcross->Text(), "3");
  EXPECT_TRUE(again.Landscape->Checked());
  EXPECT_FALSE(again.DrawBoxes->Checked());
  EXPECT_EQ(again.TopMarginValue(), 75);
  EXPECT_EQ(again.FontName, "Arial");
  EXPECT_EQ(again.FontSize, 12);
  EXPECT_EQ(again.CardFontStyle, 1);
  EXPECT_EQ(OpenSettingsFile().ReadInteger(CardPrintingSection, "Card Font Style", -1), 1);
}

TEST_F(PrintCardsDialogTest, ACardFontSizeOutOfRangeIsRefused) {
  TPrintCardsDlg dialog(nullptr);
  dialog.SetSetupMode();
  dialog.FontSizeEdit->Text = "300";
  AnswerMessage();
  dialog.OkBtn->Click();
  EXPECT_NE(dialog.ModalResult, mrOk);
}

}  // namespace
}  // namespace qm::testing
