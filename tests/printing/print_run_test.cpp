// The print run: text runs joined end to end, the print file's records,
// the PDF printer, and runs that fail saying so.
#include "printing/print_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "files/imported_script.h"
#include "files/text_classifier.h"
#include "platform/files.h"
#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "printing/print_run_pdf.h"
#include "printing/script_page.h"
#include "script/fixtures/pagination_fixture.h"
#include "support/temp_folder.h"

namespace qm::testing {
namespace {

class PrintRunTest : public PaginationFixture {
 protected:
  // The main window hands the layout the print engine's measuring; here
  // there is none, so the test does.
  void SetUp() override {
    PaginationFixture::SetUp();
    CharWidthHooks.MeasurePrinterWidths = &MeasurePrinterCharWidthsInto;
  }
  void UseFont(const std::string& name, int size, unsigned style = 0) {
    CurrentPrintCanvas->Font.Name = name;
    CurrentPrintCanvas->Font.Size = size;
    CurrentPrintCanvas->Font.Style = style;
  }
  PdfPrinterDevice& UsePdfPrinter() {
    auto pdf = std::make_unique<PdfPrinterDevice>();
    PdfPrinterDevice& device = *pdf;
    Backend().OtherPrinters().push_back(std::move(pdf));
    Printer()->Refresh();
    Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
    return device;
  }
  const RecordingCanvas& Sheet(std::size_t page) { return *Backend().PrinterList()[0]->Pages()[page]; }
};

TEST_F(PrintRunTest, RunsPlacedEndToEndJoinAndOthersDoNot) {
  ASSERT_TRUE(StartPrintJob(false, "Runs"));
  UseFont("Courier New", 12);
  PrintTextAt(300, 600, "FADE");
  PrintTextAt(300 + 4 * 30, 600, " IN:");  // right where the last ended: joined
  PrintTextAt(300 + 9 * 30, 600, "gap");   // a column further: a run of its own
  UseFont("Courier New", 12, fsBold);
  PrintTextAt(300 + 12 * 30, 600, "BOLD");  // another font: a run of its own
  PrintTextAt(300, 650, "next line");
  EjectPage();
  PrintTextAt(300, 600, "page two");
  ASSERT_TRUE(FinishPrintJob());
  std::vector<std::string> texts;
  for (const DrawOp* op : Sheet(0).TextOps()) texts.push_back(op->text);
  EXPECT_EQ(texts, (std::vector<std::string>{"FADE IN:", "gap", "BOLD", "next line"}));
  EXPECT_TRUE(Sheet(0).FindText("BOLD")->font.Style & fsBold);
  EXPECT_EQ(Sheet(1).Transcript(), "page two\n");
  EXPECT_FALSE(PrintJobOpen());
}

// A width table not measured yet (no width for "A") is measured from the
// print canvas's font first; an empty text measures nothing.
TEST_F(PrintRunTest, TextWidthsOfAnUnmeasuredTableMeasureThePrinterFirst) {
  ASSERT_TRUE(StartPrintJob(false, "Widths"));
  UseFont("Courier New", 12);  // 30 printer units a character at 300 dots an inch
  TPrinterWidths widths{};
  EXPECT_EQ(PrinterTextWidth("", widths), 0);
  EXPECT_EQ(widths['A' - 32], 0) << "an empty text measures nothing";
  EXPECT_EQ(PrinterTextWidth("FADE IN:", widths), 8 * 30);
  EXPECT_EQ(widths['A' - 32], 30) << "the table keeps what was measured";
  EXPECT_EQ(PrinterTextWidth("\x02"
                             "AB\x03",
                             widths),
            2 * 30);
  AbortPrintJob();
}

TEST_F(PrintRunTest, APrintFileHoldsItsRecords) {
  const std::string path = HomeFile("job.qpf");
  SetPrintFile(path);
  EXPECT_TRUE(PrintsToFile());
  ASSERT_TRUE(StartPrintJob(false, "File"));
  UseFont("Courier New", 12);
  PrintTextAt(300, 600, "FADE ");
  PrintTextAt(300 + 5 * 30, 600, "IN:");
  UseFont("Courier New", 12, fsBold);
  PrintTextAt(300, 700, "INT. HOUSE\\");
  EjectPage();
  PrintTextAt(300, 600, std::string("caf\xE9\x01"));
  std::string message;
  AnswerMessage(&message);
  ASSERT_TRUE(FinishPrintJob());
  EXPECT_NE(message.find("was written successfully"), std::string::npos) << message;
  EXPECT_EQ(ReadFileText(path),
            "QUILLPRESS 1\nFONT Courier New\nSIZE 12\nSTYLE 0\nAT 300 600\nTEXT FADE IN:\nSTYLE 1\nAT 300 700\n"
            "TEXT INT. HOUSE\\x5C\nPAGE\nFONT Courier New\nSIZE 12\nSTYLE 1\nAT 300 600\nTEXT caf\xE9\\x01\nEND\n");
  EXPECT_FALSE(PrintsToFile()) << "the next job goes to the printer again";
}

TEST_F(PrintRunTest, OutputThatCannotBeWrittenIsReportedAndNeverSucceeds) {
  const struct {
    const char* what;
    bool pdf;
  } cases[] = {{"a print file in a folder that is not there", false}, {"a PDF file there", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = HomeFile("missing/folder/out") + (c.pdf ? ".pdf" : ".qpf");
    if (c.pdf) UsePdfPrinter().NextOutputFile = path;
    else SetPrintFile(path);
    std::string message;
    AnswerMessage(&message);
    EXPECT_FALSE(StartPrintJob(false, "Job"));
    EXPECT_NE(message.find("cannot be written"), std::string::npos) << message;
    EXPECT_FALSE(PrintJobOpen());
    EXPECT_FALSE(FileExists(path));
  }
}

// A disk that fills while the PDF is written: the system's reason is
// said rather than the PDF library's, and no half file takes the name.
TEST_F(PrintRunTest, APdfWriteThatFailsSaysTheSystemsReason) {
  const std::string path = HomeFile("full.pdf");
  PdfPrinterDevice pdf;
  pdf.NextOutputFile = path;
  SetFileFaultHook([](TFileStep step, const std::string&) { return step == TFileStep::Write ? ENOSPC : 0; });
  if (pdf.BeginDoc("Job")) {
    pdf.BeginPage();
    pdf.EndPage();
    pdf.EndDoc();
  }
  SetFileFaultHook(nullptr);
  EXPECT_NE(pdf.LastError().find(std::strerror(ENOSPC)), std::string::npos) << pdf.LastError();
  EXPECT_FALSE(FileExists(path));
}

TEST_F(PrintRunTest, APrinterThatRefusesTheJobIsReported) {
  Backend().PrinterList()[0]->FailNextDoc = true;
  std::string message;
  AnswerMessage(&message);
  EXPECT_FALSE(StartPrintJob(false, "Job"));
  EXPECT_NE(message.find("could not be started"), std::string::npos) << message;
  EXPECT_NE(message.find("Headless Printer"), std::string::npos) << message;
}

TEST_F(PrintRunTest, ThePdfFontsMeasureAsTheLayoutTables) {
  EXPECT_EQ(PdfPrinterDevice::ResolvedFamily("Courier New"), "Liberation Mono");
  for (unsigned style : {0u, unsigned(fsBold), unsigned(fsItalic)}) {
    TFontDesc font;
    font.Name = "Courier New";
    font.Size = 12;
    font.Style = style;
    for (int ch = 32; ch <= 255; ++ch) {
      if (ch >= 127 && ch < 160) continue;
      ASSERT_EQ(PdfPrinterDevice::MeasureCharWidth(font, 300, static_cast<unsigned char>(ch)),
                MeasureText(font, 300, std::string(1, static_cast<char>(ch))))
          << "character " << ch << " style " << style;
    }
  }
}

// A parenthetical holds its words without brackets, whether typed or
// imported (the importer takes them off); the page reads "(to herself)".
TEST_F(PrintRunTest, AShortScriptPrintsToAPdfWhoseTextStaysText) {
  const std::string heading = "INT. LIGHTHOUSE - NIGHT";
  const std::string action = "Rain hammers the glass. MARA climbs the last steps, a lantern in her hand.";
  const std::string speech = "Somebody has to keep the light.";
  const struct {
    const char* what;
    bool imported;
  } cases[] = {{"typed", false}, {"imported from plain text", true}};
  PdfPrinterDevice& pdf = UsePdfPrinter();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.imported) {
      const std::string text = heading + "\r\n\r\n" + action + "\r\n\r\n          MARA\r\n     (to herself)\r\n" +
                               speech + "\r\n\r\n                                   CUT TO:\r\n";
      ReplaceScriptElements(Window(), ImportPlainText(text, ClassifierContextOf(Window()), TPasteChoices{}));
      ASSERT_NE(Window().FirstElement, nullptr);
      const TScriptElement* e = Window().FirstElement;
      while (e && e->Kind() != ekParenthetical) e = e->next;
      ASSERT_NE(e, nullptr) << "the import finds the parenthetical";
    } else {
      Load({{ekSceneHeading, heading},
            {ekAction, action},
            {ekCharacterName, "MARA"},
            {ekParenthetical, "to herself"},
            {ekDialogue, speech},
            {ekTransition, "CUT TO:"}});
    }
    const std::string path = HomeFile(c.imported ? "imported.pdf" : "short.pdf");
    pdf.NextOutputFile = path;
    Repaginate();
    const std::vector<TScriptPage> pages = ScriptPages(Window());
    ASSERT_TRUE(StartPrintJob(false, "Short"));
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) EjectPage();
      PrintScriptPage(Window(), pages[i], {});
    }
    ASSERT_TRUE(FinishPrintJob());
    const std::string bytes = ReadFileText(path);
    ASSERT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/FontFile2"), std::string::npos) << "the font is embedded";
    const std::string info = CommandOutput("pdfinfo '" + path + "'");
    const std::size_t pagesAt = info.find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos) << info;
    EXPECT_EQ(std::stoi(info.substr(pagesAt + 6)), 1);
    const std::string text = CommandOutput("pdftotext -layout '" + path + "' -");
    const std::string expected = ReadFileText(std::string(QM_SOURCE_DIR) + "/tests/printing/fixtures/short_script.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(text, expected);
  }
}

// The PDF proposed for a print of a script is a name the folder takes,
// whatever the length of the script's own: the proposal can be written.
TEST(ProposedPdfFileTest, EveryScriptNameGivesAPdfNameThatCanBeWritten) {
  const TempFolder folder;
  const std::string longest(251, 'S');
  // 255 bytes, "é" where a cut to fit ".pdf" would fall.
  const std::string accented = std::string(250, 'E') + "\xC3\xA9" + "EEE";
  const struct {
    std::string script;
    std::string title;
    std::string proposed;  // empty: only that it can be written
  } cases[] = {
      {"PILOT.QMW", "PILOT", "PILOT.pdf"},           {"PILOT.QMW", "Scene Breakdown", "PILOT Scene Breakdown.pdf"},
      {longest + ".QMW", longest, longest + ".pdf"}, {longest + ".QMW", "Scene Breakdown", ""},
      {longest + "SSSS", longest + "SSSS", ""},      {accented, "Scene Breakdown", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script.substr(0, 20) + " " + c.title.substr(0, 20));
    const std::string proposed = ProposedPdfFile(folder.File(c.script), c.title);
    if (!c.proposed.empty()) {
      EXPECT_EQ(proposed, folder.File(c.proposed));
    }
    EXPECT_EQ(ExtractFileDir(proposed), folder.Path());
    EXPECT_EQ(ExtractFileExt(proposed), ".pdf");
    EXPECT_EQ(TextToPath(PathToText(proposed)), proposed) << "cut inside a character";
    EXPECT_TRUE(WriteFileAtomic(proposed, "%PDF", 4)) << proposed.size();
  }
}

}  // namespace
}  // namespace qm::testing
