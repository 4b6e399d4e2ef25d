// Setup Draft Information: the print menu's watermark page shown alone,
// what it keeps, and the draft information printed across every page.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_menu.h"
#include "printing/print_preview.h"
#include "printing/print_run.h"
#include "script/fixtures/keys_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/layout/word_wrap.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"

namespace qm::testing {
namespace {

class DraftWatermarkTest : public KeysFixture {
 protected:
  RecordingPrinter& Recorder() { return *Backend().PrinterList()[0]; }
  void LoadTwoPages() {
    LoadWrapped({{ekSceneHeading, "INT. ONE - DAY"},
                 ActionLines(60),
                 {ekSceneHeading, "INT. TWO - DAY"},
                 {ekAction, "The end."}});
    W().RefreshLayout();
  }
  // Answers the Setup Script Information dialog: its look is checked, the
  // fields typed in, and OK or Cancel pressed.
  void AnswerSetup(const TDraftInformation& typed, TModalResult press) {
    Driver().Expect([typed, press](TForm& form) {
      auto& menu = dynamic_cast<TPrintMenuDlg&>(form);
      EXPECT_EQ(menu.Caption(), "Setup Script Information");
      EXPECT_EQ(menu.Notebook->ActivePage(), menu.WatermarkPage);
      EXPECT_FALSE(menu.PrintPage->TabVisible) << "the watermark page alone";
      EXPECT_FALSE(menu.OKBtn->Visible()) << "no Print button";
      EXPECT_FALSE(menu.PreviewBtn->Visible()) << "no Preview button";
      EXPECT_TRUE(menu.DoneBtn->Visible());
      menu.DraftDateEdit->Text = typed.Date;
      menu.RequestedByEdit->Text = typed.RequestedBy;
      menu.ApprovedByEdit->Text = typed.ApprovedBy;
      menu.FurtherInfoEdit->Text = typed.FurtherInformation;
      menu.PrintDraftInfoBox->SetChecked(typed.PrintAsWatermark);
      form.ModalResult = press;
    });
  }
  TDraftInformation Stored() {
    const TIniFile ini = OpenSettingsFile();
    TDraftInformation info;
    info.Date = ini.ReadString("Print Menu", "Draft Date", "?");
    info.RequestedBy = ini.ReadString("Print Menu", "Requested By", "?");
    info.ApprovedBy = ini.ReadString("Print Menu", "Approved By", "?");
    info.FurtherInformation = ini.ReadString("Print Menu", "Further Information", "?");
    info.PrintAsWatermark = ini.ReadBool("Print Menu", "Print Draft Information", false);
    return info;
  }
  // The middle of a line drawn rising at 45 degrees from its start.
  static TPoint Middle(const DrawOp& op) {
    const int half = (op.rect.Right - op.rect.Left) * 707 / 2000;
    return {op.rect.Left + half, op.rect.Top - half};
  }
  static TDraftInformation Pink() {
    return {"June 3, 2026", "Dana Wolfe", "R. Ortiz", "Pink revision - do not copy", true};
  }
};

TEST_F(DraftWatermarkTest, SetupKeepsTheInformationOnOkOnlyAndGivesThePrintMenuBack) {
  const struct {
    const char* what;
    TModalResult press;
    TDraftInformation typed;
    TDraftInformation stored;
  } cases[] = {
      {"OK keeps what was typed", mrOk, Pink(), Pink()},
      {"Cancel keeps what was there", mrCancel, {"Nov 1", "Nobody", "", "", false}, Pink()},
      {"OK with blanks keeps the blanks", mrOk, {"", "", "", "", false}, {"", "", "", "", false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AnswerSetup(c.typed, c.press);
    MainForm->MenuItem("DraftInformationItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    const TDraftInformation stored = Stored();
    EXPECT_EQ(stored.Date, c.stored.Date);
    EXPECT_EQ(stored.RequestedBy, c.stored.RequestedBy);
    EXPECT_EQ(stored.ApprovedBy, c.stored.ApprovedBy);
    EXPECT_EQ(stored.FurtherInformation, c.stored.FurtherInformation);
    EXPECT_EQ(stored.PrintAsWatermark, c.stored.PrintAsWatermark);
    TPrintMenuDlg& menu = PrintMenuDlg();
    EXPECT_EQ(menu.Caption(), "Print...");
    EXPECT_TRUE(menu.PrintPage->TabVisible);
    EXPECT_EQ(menu.Notebook->ActivePage(), menu.PrintPage);
    EXPECT_TRUE(menu.OKBtn->Visible());
    EXPECT_TRUE(menu.PreviewBtn->Visible());
    EXPECT_FALSE(menu.DoneBtn->Visible());
  }
  // The print menu opens on its print page, with the information kept.
  LoadTwoPages();
  Driver().Expect([](TForm& form) {
    auto& menu = dynamic_cast<TPrintMenuDlg&>(form);
    EXPECT_EQ(menu.Caption(), "Print...");
    EXPECT_EQ(menu.Notebook->ActivePage(), menu.PrintPage);
    EXPECT_TRUE(menu.PrintPage->TabVisible);
    EXPECT_EQ(menu.DraftDateEdit->Text(), "");
    form.ModalResult = mrCancel;
  });
  MainForm->MenuItem("PrintItem")->Click();
  EXPECT_EQ(Recorder().DocumentsPrinted(), 0);
}

TEST_F(DraftWatermarkTest, TheDraftInformationPrintsRisingAndGreyOnEveryPageWhenChosen) {
  LoadTwoPages();
  AnswerSetup(Pink(), mrOk);
  MainForm->MenuItem("DraftInformationItem")->Click();
  const std::vector<std::string> lines = {"June 3, 2026", "Requested by: Dana Wolfe", "Approved by: R. Ortiz",
                                          "Pink revision - do not copy"};
  const struct {
    const char* what;
    bool chosen;
    bool numbered;
  } cases[] = {
      {"chosen", true, false},
      {"chosen, with numbered copies", true, true},
      {"not chosen", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = Recorder().DocumentsPrinted();
    Driver().Expect([&c](TForm& form) {
      auto& menu = dynamic_cast<TPrintMenuDlg&>(form);
      EXPECT_TRUE(menu.PrintDraftInfoBox->Checked() || !c.chosen);
      menu.PrintDraftInfoBox->SetChecked(c.chosen);
      menu.NumberCopiesBox->SetChecked(c.numbered);
      menu.WatermarkEdit->Text = "Copy";
      form.ModalResult = mrOk;
    });
    MainForm->MenuItem("PrintItem")->Click();
    ASSERT_EQ(Recorder().DocumentsPrinted(), before + 1);
    const auto& pages = Recorder().Pages();
    ASSERT_EQ(pages.size(), 2u);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      SCOPED_TRACE(p);
      const RecordingCanvas& page = *pages[p];
      const DrawOp* copy = page.FindText("Copy 1");
      // Where the page's middle lies, printer units from the printable corner.
      const TPoint middle{PrintRun.PageWidth / 2 - PrintRun.OffsetX, PrintRun.PageHeight / 2 - PrintRun.OffsetY};
      std::vector<const DrawOp*> marks;
      for (const std::string& line : lines) marks.push_back(page.FindText(line));
      for (std::size_t i = 0; i < marks.size(); ++i) {
        if (!c.chosen) {
          EXPECT_EQ(marks[i], nullptr) << page.Transcript();
          continue;
        }
        ASSERT_NE(marks[i], nullptr) << lines[i] << "\n" << page.Transcript();
        EXPECT_EQ(marks[i]->font.Orientation, 450);
        EXPECT_EQ(marks[i]->font.Color, static_cast<TColor>(0xC0C0C0));
        // Centred on one line across the page, each below the one before
        // (and below the copy's number).
        const TPoint mid = Middle(*marks[i]);
        EXPECT_NEAR(mid.X - mid.Y, middle.X - middle.Y, 3);
        const TPoint above = i > 0 ? Middle(*marks[i - 1]) : copy ? Middle(*copy) : TPoint{-100000, -100000};
        EXPECT_GT(mid.X, above.X + 20);
        EXPECT_GT(mid.Y, above.Y + 20);
      }
      EXPECT_EQ(copy != nullptr, c.numbered) << page.Transcript();
      EXPECT_TRUE(page.FindText("The end.") || page.FindText("INT. ONE - DAY")) << "the page itself printed too";
    }
  }
}

TEST_F(DraftWatermarkTest, ThePreviewShowsTheDraftInformationWhenItWillPrint) {
  LoadTwoPages();
  AnswerSetup(Pink(), mrOk);
  MainForm->MenuItem("DraftInformationItem")->Click();
  for (const bool chosen : {true, false}) {
    SCOPED_TRACE(chosen ? "chosen" : "not chosen");
    Driver().Expect([chosen](TForm& form) {
      dynamic_cast<TPrintMenuDlg&>(form).PrintDraftInfoBox->SetChecked(chosen);
      form.ModalResult = mrPreview;
    });
    Driver().Expect([chosen](TForm& form) {
      auto& preview = dynamic_cast<TPreviewForm&>(form);
      for (int page = 1; page <= preview.PageCount; ++page) {
        const DrawOp* mark = preview.PageDrawing(page).FindText("Requested by: Dana Wolfe");
        EXPECT_EQ(mark != nullptr, chosen) << page;
        if (mark) {
          EXPECT_EQ(mark->font.Orientation, 450);
        }
      }
      preview.CloseBtn->Click();
    });
    MainForm->MenuItem("PrintItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  }
  EXPECT_EQ(Recorder().DocumentsPrinted(), 0);
}

TEST_F(DraftWatermarkTest, APrintFileCarriesEachLineAsAWatermarkRecord) {
  LoadTwoPages();
  TPrintChoice choice;
  choice.DraftLines = DraftWatermarkLines({"June 3", "  ", "R. Ortiz", "", true});
  EXPECT_EQ(choice.DraftLines, (std::vector<std::string>{"June 3", "Approved by: R. Ortiz"})) << "blank items left out";
  choice.PrintFile = HomeFile("draft.qpf");
  Driver().Expect([](TForm& form) { form.ModalResult = mrOk; });  // "was written successfully"
  ASSERT_TRUE(PrintScript(W(), choice));
  const std::string text = ReadFileText(choice.PrintFile);
  const auto count = [&text](const std::string& record) {
    int n = 0;
    for (std::size_t at = text.find(record); at != std::string::npos; at = text.find(record, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("\nWATERMARK June 3\n"), 2) << text;
  EXPECT_EQ(count("\nWATERMARK Approved by: R. Ortiz\n"), 2) << text;
  EXPECT_TRUE(PrintingVariables().DraftWatermark.empty()) << "the next run prints none";
}

}  // namespace
}  // namespace qm::testing
