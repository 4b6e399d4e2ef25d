// The breakdown graph on the recording printer: scene columns across
// landscape pages, a bar for each name of a scene, lettered pages for the
// names that do not fit, and the legend's lengths.
#include "breakdown/breakdown_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "base/message_boxes.h"
#include "language/language_fixture.h"
#include "printing/print_run.h"
#include "platform/headless/headless_backend.h"
#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"

namespace qm {
namespace {

using Rows = std::vector<std::string>;

TEST(GraphTextTest, LengthsAndGroupChanges) {
  EXPECT_EQ(GraphEighthsText({0, 0}), "    0/8");
  EXPECT_EQ(GraphEighthsText({0, 3}), "    3/8");
  EXPECT_EQ(GraphEighthsText({2, 3}), "  2 3/8");
  EXPECT_EQ(GraphEighthsText({12, 0}), " 12 0/8");
  TBreakdownRun run;
  for (const char* place : {"BARN", "BARN", "FIELD"}) {
    TRunScene s;
    s.Record.Location = place;
    s.Record.IntExt = "INT.";
    run.Scenes.push_back(s);
  }
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Location;
  EXPECT_EQ((std::vector<bool>{GraphGroupChanged(run, options, 0), GraphGroupChanged(run, options, 1),
                               GraphGroupChanged(run, options, 2)}),
            (std::vector<bool>{false, false, true}));
  options.Primary = TPrimaryOrder::IntExt;
  EXPECT_FALSE(GraphGroupChanged(run, options, 2));
  options.Primary = TPrimaryOrder::ScriptOrder;
  EXPECT_TRUE(GraphGroupChanged(run, options, 1));
}

class BreakdownGraphTest : public testing::LanguageFixture {
 protected:
  RecordingPrinter& Recorder() { return *Backend().PrinterList()[0]; }
  // A run of `scenes` scenes and `names` names; scene k holds name k.
  static TBreakdownRun Run(int scenes, int names) {
    TBreakdownRun run;
    run.FileName = "the big night.qmw";
    for (int n = 1; n <= names; ++n) run.Names.push_back("NAME" + std::to_string(n));
    run.NameTakesPart.assign(run.Names.size(), true);
    for (int k = 1; k <= scenes; ++k) {
      TRunScene s;
      s.Position = k;
      s.Record.SceneNumber = std::to_string(k);
      s.Record.IntExt = "INT.";
      s.Record.Location = "ROOM";
      s.Record.TimeOfDay = "DAY";
      s.Record.StartPage = "1";
      s.Record.EndPage = "1";
      s.Length = {0, 1};
      if (k <= names) s.Record.CharacterIndexes = std::string(1, static_cast<char>(k));
      run.Scenes.push_back(s);
    }
    return run;
  }
  // The page label, the legend's scene numbers and the bars of each page.
  struct Page {
    std::string label;
    int legendLines = 0;
    int bars = 0;
  };
  std::vector<Page> Pages() {
    std::vector<Page> pages;
    for (const auto& canvas : Recorder().Pages()) {
      Page page;
      for (const DrawOp* op : canvas->TextOps()) {
        if (op->text.starts_with("Pg ")) page.label = op->text;
        if (op->text == "  INT. ROOM -- DAY" || op->text == "INT. ROOM -- DAY") ++page.legendLines;
      }
      for (const DrawOp& op : canvas->Ops())
        if (op.kind == DrawOp::Kind::Line && op.pen.Width > 10) ++page.bars;
      pages.push_back(page);
    }
    return pages;
  }
};

TEST_F(BreakdownGraphTest, NineScenesFitALetterPageAcross) {
  ASSERT_TRUE(PrintBreakdownGraph(Run(10, 3), {}));
  const std::vector<Page> pages = Pages();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].label, "Pg 1");
  EXPECT_EQ(pages[0].legendLines, 9);
  EXPECT_EQ(pages[0].bars, 3) << "scenes 1 to 3 each hold one name";
  EXPECT_EQ(pages[1].label, "Pg 2");
  EXPECT_EQ(pages[1].legendLines, 1);
  EXPECT_EQ(pages[1].bars, 0);
  const RecordingCanvas& first = *Recorder().Pages()[0];
  ASSERT_NE(first.FindText("\x93The Big Night\x94"), nullptr) << first.Transcript();
  EXPECT_NE(first.FindText("Script Order"), nullptr);
  // The text runs up the sheet: the page is landscape.
  EXPECT_EQ(first.FindText("Pg 1")->font.Orientation, 900);
}

TEST_F(BreakdownGraphTest, NamesThatDoNotFitGoOnLetteredPages) {
  ASSERT_TRUE(PrintBreakdownGraph(Run(2, 60), {}));
  const std::vector<Page> pages = Pages();
  ASSERT_GE(pages.size(), 3u);
  Rows labels;
  for (const Page& p : pages) labels.push_back(p.label);
  EXPECT_EQ(labels[0], "Pg 1");
  EXPECT_EQ(labels[1], "Pg 1-A");
  EXPECT_EQ(labels[2], "Pg 1-B");
  int bars = 0;
  for (const Page& p : pages) {
    EXPECT_EQ(p.legendLines, 2) << "the same scenes on every page";
    bars += p.bars;
  }
  EXPECT_EQ(bars, 2);
  // Every name is printed once.
  int printed = 0;
  for (const auto& canvas : Recorder().Pages())
    for (const DrawOp* op : canvas->TextOps()) printed += op->text.starts_with("NAME") ? 1 : 0;
  EXPECT_EQ(printed, 60);
}

TEST_F(BreakdownGraphTest, WithSomeNamesOnlyTheirScenesAndBoldNames) {
  TBreakdownRun run = Run(4, 4);
  run.NameTakesPart = {false, true, false, false};
  run.Scenes[0].Wanted = run.Scenes[2].Wanted = run.Scenes[3].Wanted = false;
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Characters;
  options.SomeNames = true;
  ASSERT_TRUE(PrintBreakdownGraph(run, options));
  const std::vector<Page> pages = Pages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].legendLines, 1);
  EXPECT_EQ(pages[0].bars, 1);
  const RecordingCanvas& page = *Recorder().Pages()[0];
  ASSERT_NE(page.FindText("NAME2*"), nullptr);
  EXPECT_TRUE(page.FindText("NAME2*")->font.Style & fsBold);
  EXPECT_FALSE(page.FindText("NAME1")->font.Style & fsBold);
  EXPECT_NE(page.FindText("Script Order: Selected Names ONLY"), nullptr);
}

TEST_F(BreakdownGraphTest, EachGroupStartsItsOwnPage) {
  TBreakdownRun run = Run(3, 1);
  run.Scenes[2].Record.Location = "HALL";
  TBreakdownOptions options;
  options.Primary = TPrimaryOrder::Location;
  options.EachGroupOnPage = true;
  ASSERT_TRUE(PrintBreakdownGraph(run, options));
  ASSERT_EQ(Recorder().Pages().size(), 2u);
  EXPECT_NE(Recorder().Pages()[0]->FindText("Location: ROOM"), nullptr);
  EXPECT_NE(Recorder().Pages()[1]->FindText("Location: HALL"), nullptr);
}

// The progress box says "Ejecting Page" while a page goes out and
// "Please Wait" again once it has.
TEST_F(BreakdownGraphTest, TheProgressBoxFollowsEachPageFeed) {
  static std::vector<std::string>* seen = nullptr;
  std::vector<std::string> captions;
  seen = &captions;
  PrintRunHooks.Status = [](const std::string& status) {
    if (status != PageEjectedText) seen->push_back(status + ": " + MyNewMsgBox->MenuText->Caption());
  };
  ShowPleaseWait("Please Wait", true, true);
  ASSERT_TRUE(PrintBreakdownGraph(Run(2, 60), {}));
  PrintRunHooks.Status = nullptr;
  ClosePleaseWait();
  ASSERT_GE(Recorder().Pages().size(), 3u);
  const std::string feed = std::string(PageFeedText) + ": \r\rEjecting Page";
  std::vector<std::string> expected(Recorder().Pages().size() - 1, feed);
  expected.push_back(std::string(FinishingText) + ": \r\rPlease Wait");
  EXPECT_EQ(captions, expected);
}

// Cancel pressed while the first page goes out: no further page is drawn,
// the page already out stays printed and the print job is ended.
TEST_F(BreakdownGraphTest, CancelEndsThePrintJobKeepingThePagesOut) {
  PrintRunHooks.Status = [](const std::string& status) {
    if (status == PageFeedText) SetMsgBoxResult(mrCancel);
  };
  ShowPleaseWait("Please Wait", true, true);
  EXPECT_FALSE(PrintBreakdownGraph(Run(20, 3), {}));
  PrintRunHooks.Status = nullptr;
  ClosePleaseWait();
  SetMsgBoxResult(mrNone);
  EXPECT_FALSE(Printer()->Printing()) << "the job is over";
  EXPECT_EQ(Recorder().DocumentsPrinted(), 1);
  const std::vector<Page> pages = Pages();
  ASSERT_FALSE(pages.empty());
  EXPECT_EQ(pages[0].label, "Pg 1");
  EXPECT_EQ(pages[0].legendLines, 9);
  for (std::size_t i = 1; i < pages.size(); ++i) EXPECT_EQ(pages[i].legendLines, 0) << "page " << i + 1;
  // A graph printed afterwards starts a job of its own.
  ASSERT_TRUE(PrintBreakdownGraph(Run(1, 1), {}));
  EXPECT_EQ(Recorder().DocumentsPrinted(), 2);
}

TEST_F(BreakdownGraphTest, AGraphPrintedToPdfKeepsItsText) {
  auto pdf = std::make_unique<PdfPrinterDevice>();
  const std::string path = HomeFile("graph.pdf");
  pdf->NextOutputFile = path;
  Backend().OtherPrinters().push_back(std::move(pdf));
  Printer()->Refresh();
  Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
  ASSERT_TRUE(PrintBreakdownGraph(Run(3, 3), {}));
  std::string text;
  if (FILE* pipe = popen(("pdftotext '" + path + "' -").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  for (const char* expected : {"Pg 1", "NAME1", "NAME3", "Script Order", "INT. ROOM -- DAY"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in " << text;
}

}  // namespace
}  // namespace qm
