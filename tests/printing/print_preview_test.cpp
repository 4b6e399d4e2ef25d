// Print Preview: the pages as they print, page by page, and its Print
// button printing them.
#include "printing/print_preview.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/printer.h"
#include "script/fixtures/keys_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/layout/word_wrap.h"
#include "shell/main_form.h"

namespace qm::testing {
namespace {

class PrintPreviewTest : public KeysFixture {
 protected:
  void LoadThreePages() { LoadWrapped(ThreePageScript()); }
  // Paints the preview's page onto a recording of the window's size.
  static std::string Painted(TPreviewForm& preview, RecordingCanvas& surface) {
    surface.Clear();
    preview.PageBox->Canvas.SetSink(&surface);
    preview.PaintPage();
    preview.PageBox->Canvas.SetSink(nullptr);
    return surface.Transcript();
  }
};

TEST_F(PrintPreviewTest, ThePreviewShowsThePagesAsTheyPrintAndItsPrintButtonPrintsThem) {
  LoadThreePages();
  Driver().Expect([](TForm& form) {
    auto& preview = dynamic_cast<TPreviewForm&>(form);
    EXPECT_EQ(preview.Caption(), "Print Preview");
    EXPECT_EQ(preview.PageCount, 3);
    EXPECT_EQ(preview.PageLabel->Caption(), "Page 1 of 3");
    EXPECT_FALSE(preview.PrevBtn->Enabled());
    RecordingCanvas surface(96, preview.PageBox->Width(), preview.PageBox->Height());
    const std::string first = Painted(preview, surface);
    EXPECT_NE(first.find("INT. ONE - DAY"), std::string::npos) << first;
    EXPECT_NE(first.find("1."), std::string::npos);
    const DrawOp* heading = surface.FindText("INT. ONE - DAY");
    ASSERT_NE(heading, nullptr);
    // Letter paper fitted to the window's height: the heading 1.5 inches in.
    const double scale = (preview.PageBox->Height() - 20) / 3300.0;
    const int sheetLeft = (preview.PageBox->Width() - static_cast<int>(2550 * scale)) / 2;
    EXPECT_NEAR(heading->rect.Left, sheetLeft + 450 * scale, 2);
    EXPECT_EQ(heading->font.PixelHeight, static_cast<int>(std::lround(50 * scale)));

    preview.NextBtn->Click();
    EXPECT_EQ(preview.PageLabel->Caption(), "Page 2 of 3");
    const std::string second = Painted(preview, surface);
    EXPECT_EQ(second.find("INT. ONE - DAY"), std::string::npos);
    EXPECT_NE(second.find("2."), std::string::npos);
    preview.NextBtn->Click();
    EXPECT_FALSE(preview.NextBtn->Enabled());
    EXPECT_NE(Painted(preview, surface).find("INT. THREE - DAY"), std::string::npos);

    preview.ZoomInBtn->Click();
    EXPECT_EQ(preview.ZoomPercent, 150);
    preview.GridBox->SetChecked(true);
    Painted(preview, surface);
    int gridLines = 0;
    for (const DrawOp& op : surface.Ops())
      if (op.kind == DrawOp::Kind::Line) ++gridLines;
    EXPECT_EQ(gridLines, 8 + 10) << "a line at every inch of the letter sheet";
    preview.PrintBtn->Click();
  });
  // The Print button opens the job at once: the menu's choice is all pages.
  MainForm->MenuItem("PrintPreviewItem")->Click();
  EXPECT_EQ(Backend().PrinterList()[0]->Pages().size(), 3u);
}

TEST_F(PrintPreviewTest, ThePreviewShowsAParentheticalBetweenItsBrackets) {
  Load({{ekSceneHeading, "INT. ONE - DAY"},
        {ekCharacterName, "ANNA"},
        {ekParenthetical, "under her breath"},
        {ekDialogue, "Not now."}});
  Driver().Expect([](TForm& form) {
    auto& preview = dynamic_cast<TPreviewForm&>(form);
    RecordingCanvas surface(96, preview.PageBox->Width(), preview.PageBox->Height());
    const std::string page = Painted(preview, surface);
    EXPECT_NE(surface.FindText("(under her breath)"), nullptr) << page;
    preview.CloseBtn->Click();
  });
  MainForm->MenuItem("PrintPreviewItem")->Click();
}

TEST_F(PrintPreviewTest, ThePrintMenusPreviewShowsTheChosenPagesOnly) {
  LoadThreePages();
  Driver().Expect([](TForm& form) {
    auto& menu = dynamic_cast<TPrintMenuDlg&>(form);
    EXPECT_TRUE(menu.PreviewBtn->Visible());
    menu.RangeGroup->SetItemIndex(1);
    menu.FromEdit->Text = "3";
    menu.CopiesEdit->Text = "1";
    menu.NumberCopiesBox->SetChecked(false);
    form.ModalResult = mrPreview;
  });
  Driver().Expect([](TForm& form) {
    auto& preview = dynamic_cast<TPreviewForm&>(form);
    EXPECT_EQ(preview.PageCount, 1);
    RecordingCanvas surface(96, preview.PageBox->Width(), preview.PageBox->Height());
    EXPECT_NE(Painted(preview, surface).find("INT. THREE - DAY"), std::string::npos);
    preview.CloseBtn->Click();
  });
  MainForm->MenuItem("PrintItem")->Click();
  EXPECT_EQ(Backend().PrinterList()[0]->DocumentsPrinted(), 0) << "closing the preview prints nothing";
}

}  // namespace
}  // namespace qm::testing
