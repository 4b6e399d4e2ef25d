// The printed breakdown report of small tagged scripts: its lines on the
// recording printer, grouped and totalled, and the text of its PDF.
#include "breakdown/breakdown_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>

#include "base/message_boxes.h"
#include "breakdown/breakdown_report_page.h"
#include "breakdown/categories.h"
#include "breakdown/character_lists.h"
#include "breakdown/scene_listing.h"
#include "breakdown/tag_notation.h"
#include "language/language_fixture.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_run.h"
#include "script/model/script_record.h"
#include "support/message_box_answers.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::T;
using Lines = std::vector<std::string>;

class BreakdownReportTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Settings().TaggingUsed = 1;
    Script().ScriptFileName = HomeFile("barn.qmw");
  }
  void AddBarnScript() {
    Add({{ekSceneHeading, "INT. BARN - DAY"},
         {ekAction, T("BOB lifts a [ogun] and a [oshovel].")},
         {ekCharacterName, "ANN"},
         {ekDialogue, "Put it down."},
         {ekSceneHeading, "EXT. FIELD - NIGHT"},
         {ekAction, T("A [wtruck] waits.")},
         {ekCharacterName, "BOB"},
         {ekDialogue, "Come on."},
         {ekSceneHeading, "INT. BARN - NIGHT"},
         {ekAction, "Empty."}});
    Number(0, 1);
    Number(4, 2);
    Number(8, 3);
    PlaceCaret(0);
  }
  TBreakdownOptions Options(TPrimaryOrder primary) {
    TBreakdownOptions options;
    options.Primary = primary;
    options.LinesPerEighth = 6;
    options.PrintTagged = true;
    return options;
  }
  RecordingPrinter& Recorder() { return *Backend().PrinterList()[0]; }
  // The report printed to a PDF, as its text.
  std::string ReportPdfText(const TBreakdownOptions& options, const std::string& name) {
    if (!pdf_) {
      auto pdf = std::make_unique<PdfPrinterDevice>();
      pdf_ = pdf.get();
      Backend().OtherPrinters().push_back(std::move(pdf));
      Printer()->Refresh();
    }
    const std::string path = HomeFile(name + ".pdf");
    pdf_->NextOutputFile = path;
    const int before = Printer()->PrinterIndex();
    Printer()->SetPrinterIndex(Printer()->Printers().IndexOf(PdfPrinterName));
    EXPECT_TRUE(RunBreakdown(Script(), options));
    Printer()->SetPrinterIndex(before);
    return testing::CommandOutput("pdftotext -layout '" + path + "' -");
  }
  // The item records of the scheduling export file, each as
  // "number:text", in file order.
  Lines ExportedItems(TBreakdownOptions options, const std::string& name) {
    options.Output = TBreakdownOutput::Export;
    const std::string target = HomeFile(name + ".SEX");
    Driver().Expect([&](TForm& form) {
      dynamic_cast<TFileDialog&>(form).FileNameEdit->Text = target;
      form.ModalResult = mrOk;
    });
    ExpectMessage("Breakdown was written to ");
    EXPECT_TRUE(RunBreakdown(Script(), options));
    const auto bytes = ReadFileBytes(target);
    Lines items;
    if (!bytes) return items;
    const auto& b = *bytes;
    const auto u16 = [&](std::size_t at) { return (b[at] << 8) | b[at + 1]; };
    for (std::size_t at = 4; at + 10 <= b.size();) {
      const std::size_t length = (std::size_t(b[at + 2]) << 24) | (b[at + 3] << 16) | (b[at + 4] << 8) | b[at + 5];
      if (u16(at + 6) == 2)
        items.push_back(std::to_string(u16(at + 10)) + ":" +
                        std::string(b.begin() + long(at + 12), b.begin() + long(at + 6 + length)));
      at += 6 + length;
    }
    return items;
  }
  // The line of the text that holds `key`; empty when none does.
  static std::string LineWith(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      if (line.find(key) != std::string::npos) return line;
    return {};
  }
  // Each printed page as its lines: texts at one height joined by " | ".
  std::vector<Lines> PrintedPages() {
    std::vector<Lines> pages;
    for (const auto& page : Recorder().Pages()) {
      Lines lines;
      int y = -1;
      for (const DrawOp* op : page->TextOps()) {
        if (op->rect.Top != y || lines.empty()) lines.push_back(op->text);
        else lines.back() += " | " + op->text;
        y = op->rect.Top;
      }
      pages.push_back(lines);
    }
    return pages;
  }

 private:
  PdfPrinterDevice* pdf_ = nullptr;
};

TEST_F(BreakdownReportTest, ScriptOrderListsEachSceneWithItsCharactersAndItems) {
  AddBarnScript();
  ASSERT_TRUE(RunBreakdown(Script(), Options(TPrimaryOrder::ScriptOrder)));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  // BOB is met in Action, ANN speaks: the names sorted; the items under
  // their categories' captions; no groups, no totals.
  EXPECT_EQ(pages[0],
            (Lines{"barn.qmw - Breakdown in SCRIPT ORDER    6 lines per 1/8th  ", "1 | INT. BARN - DAY | 1-1 | 1/8",
                   "ANN, BOB", "Props:  | shovel, gun", "2 | EXT. FIELD - NIGHT | 1-1 | 1/8", "BOB",
                   "Vehicles:  | truck", "3 | INT. BARN - NIGHT | 1-1 | 1/8"}));
  const DrawOp* header = Recorder().Pages()[0]->FindText("Breakdown in");
  ASSERT_NE(header, nullptr);
  EXPECT_TRUE(header->font.Style & fsUnderline);
  EXPECT_TRUE(Recorder().Pages()[0]->FindText("Props: ")->font.Style & fsBold);
}

TEST_F(BreakdownReportTest, LocationGroupsCarryTheirTotalsAndTheNote) {
  AddBarnScript();
  TBreakdownOptions options = Options(TPrimaryOrder::Location);
  options.Secondary = TSecondaryOrder::TimeOfDay;
  ASSERT_TRUE(RunBreakdown(Script(), options));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  // The barn's two scenes of 6 and 3 lines are 1/8 each, and 9 lines in
  // all: 2/8. A scene's line no longer shows its location.
  // clang-format off
  EXPECT_EQ(pages[0], (Lines{"barn.qmw - Secondary Sorting by TIME-OF-DAY    6 lines per 1/8th  ", "BARN",
                             "1 | INT. DAY | 1-1 | 1/8", "ANN, BOB", "Props:  | shovel, gun",
                             "3 | INT. NIGHT | 1-1 | 1/8", "------------", "2/8", "FIELD",
                             "2 | EXT. NIGHT | 1-1 | 1/8", "BOB", "Vehicles:  | truck", "------------", "1/8",
                             "NOTE: The totals of EIGHTHS following each grouping MAY BE LESS than",
                             "           the sum of each of the preceding SCENES' eighths.  This is true",
                             "           as each Scene was INDIVIDUALLY rounded upwards to a full eighth,",
                             "           while the totals were generated by adding up the ACTUAL LINES in",
                             "           each scene WITHOUT rounding.  Because of this, the final totals",
                             "           are more accurate than manually adding up the eighths.  So there."}));
  // clang-format on
  EXPECT_TRUE(Recorder().Pages()[0]->FindText("2/8")->font.Style & fsBold);
}

TEST_F(BreakdownReportTest, RoundedTotalsLeaveTheNoteOut) {
  AddBarnScript();
  TBreakdownOptions options = Options(TPrimaryOrder::IntExt);
  options.TrueTotals = false;
  options.PrintTagged = false;
  options.ListCharacters = false;
  ASSERT_TRUE(RunBreakdown(Script(), options));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (Lines{"barn.qmw - Secondary Sorting by SCRIPT ORDER    6 lines per 1/8th  ",
                             "EXTERIORS:", "2 | FIELD - NIGHT | 1-1 | 1/8", "------------", "1/8", "INTERIORS:",
                             "1 | BARN - DAY | 1-1 | 1/8", "3 | BARN - NIGHT | 1-1 | 1/8", "------------", "2/8"}));
}

TEST_F(BreakdownReportTest, CharacterGroupsListTheScenesOfEachName) {
  AddBarnScript();
  TBreakdownOptions options = Options(TPrimaryOrder::Characters);
  options.PrintTagged = false;
  options.ListCharacters = false;
  options.TrueTotals = false;
  ASSERT_TRUE(RunBreakdown(Script(), options));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0],
            (Lines{"barn.qmw - Secondary Sorting by SCRIPT ORDER    6 lines per 1/8th  ", "ANN",
                   "1 | INT. BARN - DAY | 1-1 | 1/8", "------------", "1/8", "BOB", "1 | INT. BARN - DAY | 1-1 | 1/8",
                   "2 | EXT. FIELD - NIGHT | 1-1 | 1/8", "------------", "2/8"}));
}

// A name in the user list that no scene holds makes a group of no scenes:
// its heading but no total.
TEST_F(BreakdownReportTest, AGroupOfNoLengthPrintsNoTotal) {
  AddBarnScript();
  SetList(TUserList::CharNames, {"ZED"});
  TBreakdownOptions options = Options(TPrimaryOrder::Characters);
  options.PrintTagged = false;
  options.ListCharacters = false;
  const Lines groups = {"ANN",
                        "1 | INT. BARN - DAY | 1-1 | 1/8",
                        "------------",
                        "1/8",
                        "BOB",
                        "1 | INT. BARN - DAY | 1-1 | 1/8",
                        "2 | EXT. FIELD - NIGHT | 1-1 | 1/8",
                        "------------",
                        "2/8",
                        "ZED"};
  for (const bool trueTotals : {false, true}) {
    SCOPED_TRACE(trueTotals);
    options.TrueTotals = trueTotals;
    ASSERT_TRUE(RunBreakdown(Script(), options));
    const std::vector<Lines> pages = PrintedPages();
    ASSERT_EQ(pages.size(), 1u);
    const Lines& lines = pages[0];
    ASSERT_GE(lines.size(), groups.size() + 1);
    EXPECT_EQ(Lines(lines.begin() + 1, lines.begin() + 1 + long(groups.size())), groups);
    if (trueTotals) {
      ASSERT_GT(lines.size(), groups.size() + 1);
      EXPECT_TRUE(lines[groups.size() + 1].starts_with("NOTE:")) << lines[groups.size() + 1];
    } else {
      EXPECT_EQ(lines.size(), groups.size() + 1);
    }
  }
}

// The heading column ends two inches and two characters before the right
// edge: a longer heading loses its last characters, one at a time, and
// never runs onto a second line.
TEST_F(BreakdownReportTest, AHeadingWiderThanItsColumnIsShortenedNotWrapped) {
  const std::string location = "THE VERY LONG AND WINDING CORRIDOR OF THE OLD GRAND HOTEL ON THE HILL ABOVE THE RIVER";
  Add({{ekSceneHeading, "INT. " + location + " - DAY"}, {ekAction, "Empty."}});
  Number(0, 1);
  PlaceCaret(0);
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.PrintTagged = false;
  options.ListCharacters = false;
  ASSERT_TRUE(RunBreakdown(Script(), options));
  ASSERT_EQ(Recorder().Pages().size(), 1u);
  const RecordingCanvas& page = *Recorder().Pages()[0];
  const DrawOp* heading = page.FindText("INT. THE VERY");
  ASSERT_NE(heading, nullptr);
  const std::string full = "INT. " + location + " - DAY";
  ASSERT_LT(heading->text.size(), full.size());
  EXPECT_TRUE(full.starts_with(heading->text)) << heading->text;
  const DrawOp* pages = page.FindText("1-1");
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->rect.Top, heading->rect.Top);
  EXPECT_EQ(pages->rect.Left, Recorder().PrintableSize().X - 2 * page.Dpi());
  // One character more would reach the column's end.
  const int charWidth = (heading->rect.Right - heading->rect.Left) / static_cast<int>(heading->text.size());
  const int limit = pages->rect.Left - 2 * charWidth;
  EXPECT_LT(heading->rect.Right, limit);
  EXPECT_GE(heading->rect.Right + charWidth, limit);
  const std::string rest = full.substr(heading->text.size());
  for (const Lines& lines : PrintedPages())
    for (const std::string& line : lines) EXPECT_EQ(line.find(rest), std::string::npos) << line;
}

// Where a category prints on the breakdown sheet has no say in the report.
TEST_F(BreakdownReportTest, ACategoryInNoSheetSquareIsReportedAllTheSame) {
  AddBarnScript();
  struct Restore {
    ~Restore() { CategoryMenus() = DefaultCategories(); }
  } restore;
  for (TBreakdownCategory& c : CategoryMenus()) c.HelpContext = 0;
  ASSERT_TRUE(RunBreakdown(Script(), Options(TPrimaryOrder::ScriptOrder)));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(std::find(pages[0].begin(), pages[0].end(), "Props:  | shovel, gun"), pages[0].end());
  EXPECT_NE(std::find(pages[0].begin(), pages[0].end(), "Vehicles:  | truck"), pages[0].end());
}

TEST_F(BreakdownReportTest, OnlyTheSelectedScenesArePrinted) {
  AddBarnScript();
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.PrintTagged = false;
  options.ListCharacters = false;
  options.Scenes = TSceneChoice::Selected;
  options.Selected = {false, true, false};
  ASSERT_TRUE(RunBreakdown(Script(), options));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (Lines{"barn.qmw - Breakdown in SCRIPT ORDER    6 lines per 1/8th  ",
                             "2 | EXT. FIELD - NIGHT | 1-1 | 1/8"}));
}

TEST_F(BreakdownReportTest, TheSheetsOutputPrintsTheChosenScenesSheets) {
  AddBarnScript();
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.Output = TBreakdownOutput::Sheets;
  options.Scenes = TSceneChoice::Selected;
  options.Selected = {false, true, false};
  ASSERT_TRUE(RunBreakdown(Script(), options));
  ASSERT_EQ(Recorder().Pages().size(), 1u);
  const auto& sheet = *Recorder().Pages()[0];
  EXPECT_NE(sheet.FindText("FIELD"), nullptr) << "the chosen scene's heading";
  EXPECT_NE(sheet.FindText("truck"), nullptr) << "its tagged item";
  EXPECT_NE(sheet.FindText("BOB"), nullptr) << "its cast";
  EXPECT_EQ(sheet.FindText("gun"), nullptr) << "another scene's item";
}

TEST_F(BreakdownReportTest, ALongReportNumbersItsFollowingPages) {
  std::vector<testing::ElementSpec> elements;
  for (int i = 0; i < 40; ++i) {
    elements.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(i) + " - DAY"});
    elements.push_back({ekAction, T("A [ochair].")});
  }
  Add(elements);
  PlaceCaret(0);
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.ListCharacters = false;
  ASSERT_TRUE(RunBreakdown(Script(), options));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(pages[0][0], "barn.qmw - Breakdown in SCRIPT ORDER    6 lines per 1/8th  ");
  EXPECT_EQ(pages[1][0], "barn.qmw - Breakdown in SCRIPT ORDER    6 lines per 1/8th  2.");
}

// What the progress box says when each page goes out: the scene the
// report is printing, which is the last scene listed on that page.
TEST_F(BreakdownReportTest, TheProgressBoxNamesTheSceneBeingPrinted) {
  std::vector<testing::ElementSpec> elements;
  for (int i = 0; i < 40; ++i) {
    elements.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(i) + " - DAY"});
    elements.push_back({ekAction, T("A [ochair].")});
  }
  Add(elements);
  for (int i = 0; i < 40; ++i) Number(2 * i, 101 + i);
  PlaceCaret(0);
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.ListCharacters = false;
  static std::vector<std::string>* seen = nullptr;
  std::vector<std::string> captions;
  seen = &captions;
  PrintRunHooks.Status = [](const std::string& status) {
    if (status == PageFeedText && MyNewMsgBox) seen->push_back(MyNewMsgBox->MenuText->Caption());
  };
  ASSERT_TRUE(RunBreakdown(Script(), options));
  PrintRunHooks.Status = nullptr;
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_GE(pages.size(), 2u);
  ASSERT_EQ(captions.size(), pages.size() - 1);
  for (std::size_t p = 0; p + 1 < pages.size(); ++p) {
    std::string last;
    for (const std::string& line : pages[p])
      if (line.size() > 3 && line.starts_with("1") && line[3] == ' ') last = line.substr(0, 3);
    SCOPED_TRACE(p);
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(captions[p], "\r\rPrinting Scene #" + last);
  }
  EXPECT_EQ(MyNewMsgBox->MenuText->Caption(), "\r\rPrinting Scene #140") << "the last scene printed";
}

TEST_F(BreakdownReportTest, ThePdfOfTheReportHoldsItsText) {
  AddBarnScript();
  const std::string text = ReportPdfText(Options(TPrimaryOrder::ScriptOrder), "report");
  const std::string expected =
      testing::ReadFileText(std::string(QM_SOURCE_DIR) + "/tests/breakdown/fixtures/barn_report.txt");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(text, expected);
}

// An off entry cancels its item and itself, with or without associations,
// in the report and in the export file alike.
TEST_F(BreakdownReportTest, OffEntriesCancelTheirItemsWithoutAnyAssociations) {
  Add({{ekSceneHeading, "INT. BARN - DAY"},
       {ekScriptNote, T("[o~gun]")},
       {ekAction, T("ANN lifts a [ogun] and a [orope].")}});
  Number(0, 1);
  PlaceCaret(0);
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.ListCharacters = false;
  ASSERT_TRUE(RunBreakdown(Script(), options));
  const std::vector<Lines> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].back(), "Props:  | rope");
  const std::string text = ReportPdfText(options, "off");
  EXPECT_NE(LineWith(text, "Props:").find("rope"), std::string::npos) << text;
  EXPECT_EQ(text.find("gun"), std::string::npos) << text;
  EXPECT_EQ(ExportedItems(options, "off"), Lines{"4:rope"});
}

// A tagged cast member who also speaks is listed once: among the
// characters when they are listed, else among the cast.
TEST_F(BreakdownReportTest, TaggedCastShowsUnderTheCastUnlessTheCharactersListThem) {
  Add({{ekSceneHeading, "INT. BARN - DAY"},
       {ekAction, T("[cBOB] waits with a [orope].")},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Well."}});
  Number(0, 1);
  PlaceCaret(0);
  const struct {
    bool listCharacters;
    Lines printed;
    Lines exported;
  } cases[] = {
      {false, {"1 | INT. BARN - DAY | 1-1 | 1/8", "Cast Members:  | BOB", "Props:  | rope"}, {"0:BOB", "4:rope"}},
      {true, {"1 | INT. BARN - DAY | 1-1 | 1/8", "BOB", "Props:  | rope"}, {"0:BOB", "4:rope", "0:BOB"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.listCharacters);
    TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
    options.ListCharacters = c.listCharacters;
    ASSERT_TRUE(RunBreakdown(Script(), options));
    const std::vector<Lines> pages = PrintedPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Lines(pages[0].begin() + 1, pages[0].end()), c.printed);
    const std::string text = ReportPdfText(options, c.listCharacters ? "listed" : "tagged");
    const std::size_t bob = text.find("BOB");
    EXPECT_NE(bob, std::string::npos) << text;
    EXPECT_EQ(text.find("BOB", bob + 1), std::string::npos) << "listed once\n" << text;
    EXPECT_EQ(text.find("Cast Members:") != std::string::npos, !c.listCharacters) << text;
    EXPECT_EQ(ExportedItems(options, c.listCharacters ? "listed" : "tagged"), c.exported);
  }
}

// The writer's own Action right under a heading, with no blank line
// before it, is no list: generating and removing the lists keep it, and
// its tagged items still reach the report and the export file.
TEST_F(BreakdownReportTest, CharacterListsLeaveTheWritersActionUnderTheHeading) {
  Add({{ekSceneHeading, "INT. HALL - DAY"},
       {ekAction, T("The door [oknob] turns.")},
       {ekAction, "It creaks."},
       {ekCharacterName, "MARY"},
       {ekDialogue, "Hello?"}});
  Element(1).format.LinesBefore = 0;
  Element(2).format.LinesBefore = 0;
  Number(0, 1);
  PlaceCaret(3);
  TCharacterListRun run;
  run.Options.AfterFirst = false;
  run.Names = PrepareListNames(Script(), nsAlphabetical);
  RunCharacterListGeneration(Script(), run);
  EXPECT_EQ(ElementText(Element(1)), "(Mary)");
  EXPECT_EQ(ElementText(Element(2)), T("The door [oknob] turns."));
  TBreakdownOptions options = Options(TPrimaryOrder::ScriptOrder);
  options.ListCharacters = false;
  const std::string text = ReportPdfText(options, "lists");
  EXPECT_NE(LineWith(text, "Props:").find("knob"), std::string::npos) << text;
  EXPECT_EQ(ExportedItems(options, "lists"), Lines{"4:knob"});
}

}  // namespace
}  // namespace qm
