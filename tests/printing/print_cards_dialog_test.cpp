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
      {"1.5", 150, 150}, {"0.125", 30, 12},  // digits past two decimals are cut
      {"0.3", 30, 30},   {"0", 30, 0},       // never under the printer's smallest margin
      {"9", 500, 500},   {"", 30, 0},       {"abc", 30, 0}, {" 2.25 ", 225, 225}, {"-1", 30, 0}, {"0.30", 30, 30},
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

TEST_F(PrintCardsDialogTest, ALayoutShownIsTheLayoutGivenBack) {
  ReadPrinterMetrics(nullptr);
  TPrintCardsDlg dialog(nullptr);
  EXPECT_EQ(dialog.Printbtn->ModalResult, TPrintCardsDlg::mrPickRange);
  EXPECT_FALSE(dialog.OkBtn->Visible());
  EXPECT_EQ(dialog.DefaultBox->Caption(), "&Save as the default Layout ");
  TCardPrintLayout shown;
  shown.CardsAcross = 3;
  shown.CardsDown = 4;
  shown.Landscape = true;
  shown.DrawBoxes = false;
  shown.TopMargin = 75;
  shown.LeftMargin = 40;
  shown.InterCardMargin = 5;
  shown.FontName = "Arial";
  shown.FontSize = 9;
  shown.FontStyle = 2;
  dialog.ShowLayout(shown);
  const TCardPrintLayout given = dialog.Layout();
  EXPECT_EQ(given.CardsAcross, 3);
  EXPECT_EQ(given.CardsDown, 4);
  EXPECT_TRUE(given.Landscape);
  EXPECT_FALSE(given.DrawBoxes);
  EXPECT_TRUE(given.BoldHeadlines);
  EXPECT_EQ(given.TopMargin, 75);
  EXPECT_EQ(given.LeftMargin, 40);
  EXPECT_EQ(given.InterCardMargin, 5);
  EXPECT_EQ(given.FontName, "Arial");
  EXPECT_EQ(given.FontSize, 9);
  EXPECT_EQ(given.FontStyle, 2);
  EXPECT_TRUE(dialog.FontItalicBox->Checked());
}

TEST_F(PrintCardsDialogTest, CardCountsAreKeptInRange) {
  TPrintCardsDlg dialog(nullptr);
  TCardPrintLayout shown;
  shown.CardsAcross = 3;
  dialog.ShowLayout(shown);
  const struct {
    const char* text;
    int across;
  } cases[] = {{"4", 4}, {"0", 1}, {"-2", 1}, {"99", MaxCardsPerSide}, {"abc", 3}, {"", 3}, {" 5", 5}};
  for (const auto& c : cases) {
    dialog.CardsAcross->Text = c.text;
    EXPECT_EQ(dialog.Layout().CardsAcross, c.across) << c.text;
  }
}

TEST_F(PrintCardsDialogTest, ASavedLayoutOutOfRangeReadsBackInRange) {
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteInteger(CardPrintingSection, "Cards Across", 40);
    ini.WriteInteger(CardPrintingSection, "Cards Down", 0);
    ini.WriteInteger(CardPrintingSection, "Top Margin", 9000);
    ini.WriteInteger(CardPrintingSection, "Inter-Card Margin", -7);
    ini.WriteInteger(CardPrintingSection, "Font Size", 200);
    ini.WriteInteger(CardPrintingSection, "Card Font Style", 255);
  }
  const TCardPrintLayout layout = ReadCardPrintLayout();
  EXPECT_EQ(layout.CardsAcross, MaxCardsPerSide);
  EXPECT_EQ(layout.CardsDown, 1);
  EXPECT_EQ(layout.TopMargin, MaxCardMargin);
  EXPECT_EQ(layout.InterCardMargin, 0);
  EXPECT_EQ(layout.FontSize, 72);
  EXPECT_EQ(layout.FontStyle, 15);
}

}  // namespace
}  // namespace qm::testing
