// The print menu: which pages a choice prints, and File > Print carrying a
// choice out on the printer.
#include "printing/print_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "base/program_options.h"
#include "printing/no_printer.h"
#include "printing/page_header.h"
#include "printing/print_run.h"
#include "printing/printing_dialog.h"
#include "script/editing/editor_calls.h"
#include "support/message_box_answers.h"
#include "support/temp_folder.h"
#include "script/layout/word_wrap.h"
#include "script/fixtures/keys_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "shell/main_form.h"

namespace qm::testing {
namespace {

TPrintChoice Choice(TPrintRange range, std::string from = "", std::string to = "", std::string character = "") {
  TPrintChoice choice;
  choice.Range = range;
  choice.From = std::move(from);
  choice.To = std::move(to);
  choice.Character = std::move(character);
  return choice;
}

TPrintChoice ScenesOf(std::string list) {
  TPrintChoice choice = Choice(TPrintRange::CharacterDialogue);
  choice.CharacterPages = TCharacterPages::ScenesWithAny;
  choice.SceneList = std::move(list);
  return choice;
}

class PrintChoiceTest : public PaginationFixture {
 protected:
  // The page an element stands on, counted by the breaks before it.
  int PageOf(const TScriptElement* element) {
    int page = 1;
    for (const TScriptElement* e = Window().FirstElement; e && e != element; e = e->next)
      if (IsPageBreakKind(e->Kind())) ++page;
    return page;
  }
  std::vector<int> Chosen(const TPrintChoice& choice) {
    std::vector<int> pages;
    for (const TScriptPage& page : SelectPages(Window(), choice)) pages.push_back(page.index);
    return pages;
  }
};

TEST_F(PrintChoiceTest, EachChoiceSelectsItsPages) {
  Window().LeftNumber = 1;
  // clang-format off
  Load({{ekSceneHeading, "INT. ONE - DAY"}, ActionLines(40),                                       // 0, 1
        {ekSceneHeading, "INT. TWO - DAY"}, ActionLines(40),                                       // 2, 3
        {ekSceneHeading, "INT. THREE - DAY"}, {ekCharacterName, "JOHN"}, DialogueLines(2), ActionLines(40),  // 4..7
        {ekSceneHeading, "INT. FOUR - DAY"}, {ekCharacterName, "MARY"}, DialogueLines(2), ActionLines(30)});  // 8..11
  // clang-format on
  ElementNo(3)->revisedLines = std::string(1, '\x01');
  const TScriptElement* revised = ElementNo(3);
  const TScriptElement* heading[] = {ElementNo(0), ElementNo(2), ElementNo(4), ElementNo(8)};
  const TScriptElement* mary = ElementNo(9);
  Repaginate();
  // The last element of a scene: before the next heading, breaks passed over.
  const auto lastBefore = [](const TScriptElement* next) {
    const TScriptElement* e = next->prev;
    while (IsPageBreakKind(e->Kind())) e = e->prev;
    return e;
  };
  const int pages = static_cast<int>(ScriptPages(Window()).size());
  ASSERT_GE(pages, 4);
  const auto span = [](int first, int last) {
    std::vector<int> v;
    for (int p = first; p <= last; ++p) v.push_back(p);
    return v;
  };
  const auto both = [](std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const struct {
    const char* what;
    TPrintChoice choice;
    std::vector<int> pages;
  } cases[] = {
      {"all pages", Choice(TPrintRange::AllPages), span(1, pages)},
      {"a page range", Choice(TPrintRange::PageRange, "2", "3"), {2, 3}},
      {"a range to the end", Choice(TPrintRange::PageRange, " 3 ", ""), span(3, pages)},
      {"a page that is not there", Choice(TPrintRange::PageRange, "99", ""), {}},
      {"a range backwards", Choice(TPrintRange::PageRange, "3", "2"), {}},
      {"scenes two to three", Choice(TPrintRange::Scenes, "2", "3"),
       span(PageOf(heading[1]), PageOf(lastBefore(heading[3])))},
      {"one scene", Choice(TPrintRange::Scenes, "4", ""), span(PageOf(heading[3]), pages)},
      {"revised pages", Choice(TPrintRange::RevisedPages), {PageOf(revised)}},
      {"one character's dialogue", Choice(TPrintRange::CharacterDialogue, "", "", "mary"), {PageOf(mary)}},
      {"a character who never speaks", Choice(TPrintRange::CharacterDialogue, "", "", "NOBODY"), {}},
      {"the scenes of chosen names", ScenesOf("2,4"),
       both(span(PageOf(heading[1]), PageOf(lastBefore(heading[2]))), span(PageOf(heading[3]), pages))},
      {"neighbouring scenes share their page once", ScenesOf(" 1 , 2"), span(1, PageOf(lastBefore(heading[2])))},
      {"a listed scene that is not there", ScenesOf("9"), {}},
      {"no scene listed", ScenesOf(""), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Chosen(c.choice), c.pages);
  }
  EXPECT_EQ(SpeakingCharacters(Window()), (std::vector<std::string>{"JOHN", "MARY"}));
}

class PrintCommandTest : public KeysFixture {
 protected:
  RecordingPrinter& Recorder() { return *Backend().PrinterList()[0]; }
  void LoadThreePages() { LoadWrapped(ThreePageScript()); }
  // The PDF printer joins the printers; its place in the list.
  int AddPdfPrinter() {
    Backend().OtherPrinters().push_back(std::make_unique<PdfPrinterDevice>());
    Printer()->Refresh();
    return Printer()->Printers().IndexOf(PdfPrinterName);
  }
  // Answers the print menu by setting its controls and pressing a button.
  void AnswerPrintMenu(std::function<void(TPrintMenuDlg&)> set, TModalResult press = mrOk) {
    Driver().Expect([set, press](TForm& form) {
      auto& menu = dynamic_cast<TPrintMenuDlg&>(form);
      EXPECT_EQ(menu.Caption(), "Print...");
      set(menu);
      form.ModalResult = press;
    });
  }
};

TEST_F(PrintCommandTest, FilePrintPrintsTheChosenPagesInNumberedCopies) {
  LoadThreePages();
  AnswerPrintMenu([](TPrintMenuDlg& menu) {
    EXPECT_EQ(menu.PrinterBox->Text(), "Headless Printer");
    menu.RangeGroup->SetItemIndex(1);
    menu.FromEdit->Text = "2";
    menu.ToEdit->Text = "3";
    menu.CopiesEdit->Text = "2";
    menu.NumberCopiesBox->SetChecked(true);
    menu.WatermarkEdit->Text = "Draft";
  });
  MainForm->MenuItem("PrintItem")->Click();
  ASSERT_EQ(Recorder().Pages().size(), 4u) << "two copies of two pages";
  const char* numbers[] = {"2.", "3.", "2.", "3."};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const RecordingCanvas& page = *Recorder().Pages()[i];
    EXPECT_NE(page.FindText(numbers[i]), nullptr) << page.Transcript();
    const DrawOp* mark = page.FindText(i < 2 ? "Draft 1" : "Draft 2");
    ASSERT_NE(mark, nullptr) << page.Transcript();
    EXPECT_EQ(mark->font.Orientation, 450);
  }
  EXPECT_FALSE(PrintJobOpen());

  // The choice is remembered for the next time.
  AnswerPrintMenu(
      [](TPrintMenuDlg& menu) {
        EXPECT_EQ(menu.CopiesEdit->Text(), "2");
        EXPECT_TRUE(menu.NumberCopiesBox->Checked());
        EXPECT_EQ(menu.WatermarkEdit->Text(), "Draft");
      },
      mrCancel);
  MainForm->MenuItem("PrintItem")->Click();
  EXPECT_EQ(Recorder().DocumentsPrinted(), 1) << "Cancel prints nothing";
}

// Printing to PDF names the file in the save dialog, which proposes the
// script's name with ".pdf" in the script's folder, and the finished job
// says where the file went. Cancel there prints nothing.
TEST_F(PrintCommandTest, PrintingToPdfAsksForTheFileBesideTheScriptAndSaysWhere) {
  LoadThreePages();
  const int pdfIndex = AddPdfPrinter();
  ASSERT_GE(pdfIndex, 0);
  const std::string folder = HomeFile("scripts");
  ASSERT_TRUE(ForceDirectories(folder));
  W().ScriptFileName = JoinPath(folder, "THE LIGHT.QMW");
  const struct {
    const char* what;
    std::string typed;  // empty: the proposed name as it stands
    bool cancel;
    std::string written;
  } cases[] = {
      {"the proposed name", "", false, JoinPath(folder, "THE LIGHT.pdf")},
      {"another name typed", HomeFile("second draft"), false, HomeFile("second draft.pdf")},
      {"cancelled", "", true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AnswerPrintMenu([pdfIndex](TPrintMenuDlg& menu) { menu.PrinterBox->SetItemIndex(pdfIndex); });
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TFileDialog&>(form);
      EXPECT_TRUE(dialog.Saving());
      EXPECT_EQ(dialog.InitialDir, folder);
      EXPECT_EQ(dialog.FileName, "THE LIGHT.pdf");
      if (!c.typed.empty()) dialog.FileNameEdit->Text = c.typed;
      if (c.cancel) dialog.CancelBtn->Click();
      else dialog.OkBtn->Click();
    });
    if (!c.written.empty())
      AnswerMessageBox(Driver(), "The PDF file " + c.written + " was written.", mrOk, "Print to PDF");
    MainForm->MenuItem("PrintItem")->Click();
    EXPECT_FALSE(PrintJobOpen());
    if (c.written.empty()) continue;
    ASSERT_TRUE(FileExists(c.written));
    const std::string text = CommandOutput("pdftotext '" + c.written + "' -");
    EXPECT_NE(text.find("INT. ONE - DAY"), std::string::npos) << text;
  }
  EXPECT_FALSE(FileExists(HomeFile("THE LIGHT.pdf"))) << "nothing goes to the settings folder";
}

// The message that the file was written stands alone: the "Printing"
// window is gone before it shows, whether the pages went to a PDF file or
// to a print file.
TEST_F(PrintCommandTest, TheProgressWindowIsGoneBeforeTheWrittenMessage) {
  LoadThreePages();
  const int pdfIndex = AddPdfPrinter();
  ASSERT_GE(pdfIndex, 0);
  const std::string pdf = HomeFile("pages.pdf");
  const std::string printFile = HomeFile("pages.prn");
  const struct {
    const char* what;
    std::function<void(TPrintMenuDlg&)> set;
    std::string message;
  } cases[] = {
      {"to a PDF file", [pdfIndex](TPrintMenuDlg& m) { m.PrinterBox->SetItemIndex(pdfIndex); },
       "The PDF file " + pdf + " was written."},
      {"to a print file",
       [printFile](TPrintMenuDlg& m) {
         m.PrintFileBox->SetChecked(true);
         m.PrintFileEdit->Text = printFile;
       },
       "The Print File " + printFile + " was written successfully."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AnswerPrintMenu(c.set);
    if (c.what == cases[0].what) ChooseFile(Driver(), pdf);
    bool printingShown = true;
    Driver().Expect(
        [&](TForm& box) {
          EXPECT_EQ(MessageBoxText(box), c.message);
          printingShown = PrintingDlg().Visible;
          box.ModalResult = mrOk;
        },
        c.message);
    MainForm->MenuItem("PrintItem")->Click();
    EXPECT_FALSE(printingShown);
    EXPECT_FALSE(PrintingDlg().Visible);
  }
}

// A print file that fills the disk while the pages go to it says why it
// was not written, never that the job was cancelled; no part of it is
// left under its name.
TEST_F(PrintCommandTest, APrintFileThatFillsTheDiskSaysWhyItWasNotWritten) {
  LoadThreePages();
  const std::string printFile = HomeFile("pages.prn");
  // Enough copies that the file is written while the pages still go to it.
  AnswerPrintMenu([printFile](TPrintMenuDlg& m) {
    m.PrintFileBox->SetChecked(true);
    m.PrintFileEdit->Text = printFile;
    m.CopiesEdit->Text = "60";
  });
  SetFileFaultHook([](TFileStep step, const std::string& path) {
    return step == TFileStep::Write && path.find("pages.prn") != std::string::npos ? ENOSPC : 0;
  });
  std::string said;
  Driver().Expect(
      [&said](TForm& box) {
        said = MessageBoxText(box);
        box.ModalResult = mrOk;
      },
      "why the print file was not written");
  MainForm->MenuItem("PrintItem")->Click();
  SetFileFaultHook(nullptr);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_NE(said.find(printFile), std::string::npos) << said;
  EXPECT_NE(said.find(std::strerror(ENOSPC)), std::string::npos) << said;
  EXPECT_EQ(said.find("cancelled"), std::string::npos) << said;
  EXPECT_FALSE(FileExists(printFile));
  EXPECT_FALSE(PrintJobOpen());
}

TEST_F(PrintCommandTest, ChoicesThatCannotPrintAreSaidAndAskedAgain) {
  LoadThreePages();
  const struct {
    const char* what;
    std::function<void(TPrintMenuDlg&)> set;
    const char* message;
  } cases[] = {
      {"no copies", [](TPrintMenuDlg& m) { m.CopiesEdit->Text = "0"; },
       "The number of copies must be a whole number from 1 to 99."},
      {"copies that are not a number", [](TPrintMenuDlg& m) { m.CopiesEdit->Text = "two"; },
       "The number of copies must be a whole number from 1 to 99."},
      {"a page range without its first page",
       [](TPrintMenuDlg& m) {
         m.CopiesEdit->Text = "1";
         m.RangeGroup->SetItemIndex(1);
         m.FromEdit->Text = "";
       },
       "Enter the number of the first page to print."},
      {"a print file without a name",
       [](TPrintMenuDlg& m) {
         m.RangeGroup->SetItemIndex(0);
         m.PrintFileBox->SetChecked(true);
         m.PrintFileEdit->Text = " ";
       },
       "Enter the name of the Print File."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AnswerPrintMenu(c.set);
    ExpectBox(c.message, mrOk);
    AnswerPrintMenu([](TPrintMenuDlg& m) { m.PrintFileBox->SetChecked(false); }, mrCancel);
    MainForm->MenuItem("PrintItem")->Click();
  }
  EXPECT_EQ(Recorder().DocumentsPrinted(), 0);

  // A range that holds no page says so and prints nothing.
  AnswerPrintMenu([](TPrintMenuDlg& m) {
    m.RangeGroup->SetItemIndex(1);
    m.FromEdit->Text = "9";
  });
  ExpectBox("There are no pages to print in what you chose.", mrOk);
  MainForm->MenuItem("PrintItem")->Click();
  EXPECT_EQ(Recorder().DocumentsPrinted(), 0);
}

// File > Print checks the word last typed first, as typing a blank after
// it would; not while a block is marked.
TEST_F(PrintCommandTest, PrintingChecksTheWordLastTyped) {
  ScopedEnv program("QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data/");
  for (const bool block : {false, true}) {
    SCOPED_TRACE(block ? "a block marked" : "no block");
    Load({{ekAction, "Go ofthe"}}, 0, 8);
    if (block) editor::MarkBlock(W(), *W().FirstElement, 0, *W().FirstElement, 2);
    AnswerPrintMenu([](TPrintMenuDlg&) {}, mrCancel);
    MainForm->MenuItem("PrintItem")->Click();
    EXPECT_EQ(W().EditBuffer(), block ? "Go ofthe" : "Go of the");
  }
}

// "One Character's Dialogue" for the scenes of chosen names: the names are
// picked in the breakdowns' name list and only their scenes print.
TEST_F(PrintCommandTest, TheScenesOfChosenNamesPrintAlone) {
  // clang-format off
  Load({{ekSceneHeading, "INT. ONE - DAY"}, {ekCharacterName, "JOHN"}, {ekDialogue, "One."},
        {ekForcedPageBreak, ""},
        {ekSceneHeading, "INT. TWO - DAY"}, {ekCharacterName, "MARY"}, {ekDialogue, "Two."},
        {ekForcedPageBreak, ""},
        {ekSceneHeading, "INT. THREE - DAY"}, {ekAction, "JOHN and MARY wait."},
        {ekForcedPageBreak, ""},
        {ekSceneHeading, "INT. FOUR - DAY"}, {ekAction, "Nobody."}});
  // clang-format on
  W().RenumberScenes(true);
  const struct {
    const char* what;
    int choice;
    std::vector<std::string> names;
    std::vector<std::string> printed;
  } cases[] = {
      {"any of them", 1, {"JOHN"}, {"INT. ONE - DAY", "INT. THREE - DAY"}},
      {"every one of them", 2, {"JOHN", "MARY"}, {"INT. THREE - DAY"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AnswerPrintMenu([&c](TPrintMenuDlg& menu) {
      menu.RangeGroup->SetItemIndex(4);
      menu.CharacterPagesBox->SetItemIndex(c.choice);
    });
    Driver().Expect([&c](TForm& form) {
      EXPECT_EQ(form.Caption(), "Select Names - Double Click Here when Done");
      auto* list = dynamic_cast<TListBox*>(form.FindComponent("NameList"));
      ASSERT_NE(list, nullptr);
      for (int i = 0; i < list->Items.Count(); ++i)
        list->SetSelected(i, std::find(c.names.begin(), c.names.end(), list->Items[i]) != c.names.end());
      form.ModalResult = mrOk;
    });
    MainForm->MenuItem("PrintItem")->Click();
    // The printer keeps the pages of the last job.
    std::vector<std::string> printed;
    for (const auto& page : Recorder().Pages())
      for (const char* heading : {"INT. ONE - DAY", "INT. TWO - DAY", "INT. THREE - DAY", "INT. FOUR - DAY"})
        if (page->FindText(heading)) printed.push_back(heading);
    EXPECT_EQ(printed, c.printed);
  }
}

// A locked page whose material was cut whole is an omitted page: combined
// into the page before it, whose number then spans both, or printed on
// its own with the omitted-page text.
TEST_F(PrintCommandTest, OmittedPagesCombineOrPrintOnTheirOwn) {
  // clang-format off
  Load({{ekSceneHeading, "INT. ONE - DAY"}, {ekAction, "One."}, {ekLockedPageBreak, ""},
        {ekSceneHeading, "INT. TWO - DAY"}, {ekAction, "Two."}, {ekLockedPageBreak, ""}, {ekLockedPageBreak, ""},
        {ekLockedPageBreak, ""}, {ekSceneHeading, "INT. FIVE - DAY"}, {ekAction, "Five."}});
  // clang-format on
  W().RefreshLayout();
  const std::vector<TScriptPage> pages = ScriptPages(W());
  ASSERT_EQ(pages.size(), 5u);
  std::vector<std::string> labels;
  for (const TScriptPage& page : pages)
    labels.push_back(PageLabel(W(), page) + (IsOmittedPage(page) ? " omitted" : ""));
  ASSERT_EQ(labels, (std::vector<std::string>{"1", "2", "3 omitted", "4 omitted", "5"}));
  const struct {
    bool combine;
    std::vector<std::string> numbers;  // the header's page number of each printed page
  } cases[] = {
      {true, {"2-4.", "5."}},
      {false, {"2.", "3.", "4.", "5."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.combine ? "combined" : "each on its own");
    ProgramOptions().CombineOmittedPages = c.combine;
    AnswerPrintMenu([](TPrintMenuDlg& menu) { menu.RangeGroup->SetItemIndex(0); });
    MainForm->MenuItem("PrintItem")->Click();
    ASSERT_EQ(Recorder().Pages().size(), c.numbers.size() + 1) << "page 1 carries no number";
    for (std::size_t i = 0; i < c.numbers.size(); ++i) {
      const RecordingCanvas& page = *Recorder().Pages()[1 + i];
      SCOPED_TRACE(page.Transcript());
      EXPECT_NE(page.FindText(c.numbers[i]), nullptr);
      const bool omitted = c.numbers[i] == "3." || c.numbers[i] == "4.";
      EXPECT_EQ(page.FindText(OmittedPageText) != nullptr, omitted);
    }
  }
}

TEST_F(PrintCommandTest, WithoutAPrinterTheWarningComesOnce) {
  Backend().PrinterList().clear();
  Printer()->Refresh();
  ExpectBox(std::string(NoPrinterText) + "\r\r" + InstallPrinterText, mrOk);
  EXPECT_TRUE(NoPrinterAvailable());
  EXPECT_TRUE(NoPrinterAvailable()) << "no second message";
  MainForm->MenuItem("PrintItem")->Click();  // nothing asked: no printer
  InitializePtseldlg();
  ExpectBox(std::string(NoPrinterText) + "\r\r" + InstallPrinterText, mrOk);
  EXPECT_TRUE(NoPrinterAvailable());
}

}  // namespace
}  // namespace qm::testing
