#include "breakdown/set_lists.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "breakdown/character_lists_dialog.h"
#include "breakdown/sitcom_script.h"
#include "files/rtf_reader.h"
#include "files/rtf_writer.h"
#include "platform/clipboard.h"
#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_run.h"

namespace qm {
namespace {

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::string(QM_SOURCE_DIR) + "/tests/breakdown/fixtures/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const TProductionDetails kDetails{"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", ""};

class SetListsTest : public testing::SitcomFixture {
 protected:
  TRundownRows Rows() {
    TRundownRows rows = GatherRundownRows(Script());
    MergeTwinRows(rows, Script());
    return rows;
  }
  static TRundownOptions Options() {
    TRundownOptions o;
    o.PrintPageNumbers = true;
    o.StartAndEndingPage = true;
    o.ListChars = true;
    return o;
  }
  TRichText Collected() {
    TRichText text;
    CurrentPrintCanvas = &Printer()->Canvas();
    WriteSetList(Rows(), Options(), kDetails, Script(), LastPageText(Script()), &text);
    CurrentPrintCanvas = nullptr;
    return text;
  }
};

TEST_F(SetListsTest, TheClipboardTextMatchesTheFixtureRunByRun) {
  BuildSitcom();
  const TRichText text = Collected();
  EXPECT_EQ(text.Text, ReadFixture("set_list.txt"));
  // The runs cover the text end to end; the title lines are centred.
  std::size_t at = 0;
  for (const TRichTextRun& run : text.Runs) {
    EXPECT_EQ(run.Start, at);
    at += run.Length;
  }
  EXPECT_EQ(at, text.Text.size());
  EXPECT_EQ(text.Runs.front().Alignment, 2);
  const auto sets = std::find_if(text.Runs.begin(), text.Runs.end(),
                                 [&](const TRichTextRun& r) { return text.Text.substr(r.Start, 4) == "SETS"; });
  ASSERT_NE(sets, text.Runs.end());
  EXPECT_EQ(sets->Style, 1 | 4);
  EXPECT_EQ(sets->FontName, "Times New Roman");
  EXPECT_EQ(sets->FontSize, 10);
}

TEST_F(SetListsTest, ALongListGrowsPastAByteOfRunsAnd16BitPositions) {
  BuildSitcom();
  TRundownRows rows = Rows();
  const TRundownEntry last = rows.back();
  for (int i = 0; i < 400; ++i) {
    TRundownEntry more = last;
    more.Row.Scene = "S" + std::to_string(i);
    more.Key = "ACT TWO, SCENE " + more.Row.Scene;
    more.Row.Characters = std::string(200, 'x');
    rows.push_back(more);
  }
  TRichText text;
  CurrentPrintCanvas = &Printer()->Canvas();
  WriteSetList(rows, Options(), kDetails, Script(), "9", &text);
  CurrentPrintCanvas = nullptr;
  ASSERT_GT(text.Runs.size(), 255u);
  ASSERT_GT(text.Text.size(), 65535u);
  const TRichTextRun& end = text.Runs.back();
  EXPECT_EQ(end.Start + end.Length, text.Text.size());
  EXPECT_EQ(text.Text.substr(text.Text.size() - 13), "END OF SHOW\r\n");
}

TEST_F(SetListsTest, TheRtfOnTheClipboardReadsBackAsTheSameLines) {
  BuildSitcom();
  const TRichText text = Collected();
  SetListHooks.RichTextAsRtf = &SetListAsRtf;
  ASSERT_TRUE(CopySetListToClipboard(text));
  const auto rtf = Clipboard()->GetData(RegisterClipboardFormat("Rich Text Format"));
  ASSERT_TRUE(rtf.has_value());
  const std::string rtfText(rtf->begin(), rtf->end());
  EXPECT_TRUE(rtfText.starts_with("{\\rtf1"));
  EXPECT_NE(rtfText.find("\\qc"), std::string::npos);
  EXPECT_NE(rtfText.find("\\b\\ul SETS"), std::string::npos);
  // Read back by the paste's reader (which breaks lines at tabs): the
  // same lines, codes aside.
  std::string read = CleanRtfCodes(rtfText, {}).text;
  std::erase_if(read, [](char ch) { return static_cast<Byte>(ch) < 32 && ch != '\r'; });
  std::string expected = text.Text;
  std::erase(expected, '\n');
  std::replace(expected.begin(), expected.end(), '\t', '\r');
  EXPECT_EQ(read, expected);
  EXPECT_EQ(Clipboard()->AsText(), text.Text);
}

// A prologue's act heading is its own text, not the "Act" text before it.
TEST_F(SetListsTest, AProloguePrintsItsTextAsTheActHeading) {
  Settings().SceneInformationOff = 0;
  SetList(TUserList::ActText, {"ACT", "", "SCENE"});
  Add({{ekPrologueText, "Cold Opening"},
       {ekSceneHeading, "INT. BAR (NIGHT ONE)"},
       {ekActStart, "ACT ONE"},
       {ekSceneInformation, "SCENE A"},
       {ekSceneHeading, "INT. HALL (DAY ONE)"}});
  Element(0).format.AllCaps = 1;
  Number(2, 1);
  Number(3, 1);
  PlaceCaret(1);
  const TRundownRows rows = GatherRundownRows(Script());
  ASSERT_EQ(rows.size(), 2u);
  ASSERT_EQ(rows[0].Row.Kind, ekPrologueText);

  TRichText text;
  CurrentPrintCanvas = &Printer()->Canvas();
  WriteSetList(rows, Options(), kDetails, Script(), "1", &text);
  CurrentPrintCanvas = nullptr;
  const auto heading = std::find_if(text.Runs.begin(), text.Runs.end(), [&](const TRichTextRun& r) {
    return text.Text.substr(r.Start, r.Length).starts_with("COLD OPENING");
  });
  ASSERT_NE(heading, text.Runs.end()) << text.Text;
  EXPECT_EQ(heading->Style, 1 | 4) << "bold and underlined";
  EXPECT_EQ(text.Text.find("ACT COLD OPENING"), std::string::npos) << text.Text;
  EXPECT_NE(text.Text.find("ACT 1"), std::string::npos) << "an act keeps its Act text\n" << text.Text;

  ASSERT_TRUE(StartPrintJob(false));
  WriteSetList(rows, Options(), kDetails, Script(), "1", nullptr);
  ASSERT_TRUE(FinishPrintJob());
  const auto& page = *Backend().PrinterList()[0]->Pages().at(0);
  const DrawOp* printed = page.FindText("COLD OPENING");
  ASSERT_NE(printed, nullptr) << page.Transcript();
  EXPECT_EQ(printed->text, "COLD OPENING");
  EXPECT_TRUE(printed->font.Style & fsBold);
  EXPECT_TRUE(printed->font.Style & fsUnderline);
}

TEST_F(SetListsTest, PrintedWithStartingPagesOnly) {
  BuildSitcom();
  TRundownOptions o = Options();
  o.StartAndEndingPage = false;
  o.ListChars = false;
  ASSERT_TRUE(StartPrintJob(false));
  WriteSetList(Rows(), o, kDetails, Script(), LastPageText(Script()), nullptr);
  ASSERT_TRUE(FinishPrintJob());
  const auto& page = *Backend().PrinterList()[0]->Pages().at(0);
  for (const char* text : {"SETS", "ACT ONE", "SCENE A", "Pg. 1", "INT. HALL - DAY  (DAY ONE)", "Pg. 2", "END OF SHOW"})
    EXPECT_NE(page.FindText(text), nullptr) << text << "\n" << page.Transcript();
  EXPECT_EQ(page.FindText("1-1"), nullptr);
  EXPECT_EQ(page.FindText("(Ann, Ben)"), nullptr);
  // The location stands half an inch right of where the page part ends.
  const DrawOp* location = page.FindText("INT. KITCHEN");
  const DrawOp* scene = page.FindText("SCENE A");
  EXPECT_EQ(location->rect.Top, scene->rect.Top);
}

// A list longer than a page goes on to the next pages: every entry is
// printed once, on a sheet, and the final line closes the last page.
TEST_F(SetListsTest, AListLongerThanAPageGoesOnToTheNextPages) {
  BuildSitcom();
  TRundownRows rows = Rows();
  const TRundownEntry last = rows.back();
  constexpr int More = 120;
  for (int i = 0; i < More; ++i) {
    TRundownEntry more = last;
    more.Row.Scene = "S" + std::to_string(i);
    more.Key = "ACT TWO, SCENE " + more.Row.Scene;
    more.Row.Heading = "INT. ROOM " + std::to_string(i) + " - DAY";
    more.Row.DayNight.clear();
    more.Row.Characters = "Ann, Ben";
    rows.push_back(more);
  }
  ASSERT_TRUE(StartPrintJob(false));
  WriteSetList(rows, Options(), kDetails, Script(), "9", nullptr);
  ASSERT_TRUE(FinishPrintJob());
  const auto& pages = Backend().PrinterList()[0]->Pages();
  ASSERT_GT(pages.size(), 2u) << "120 entries of two lines each fill more than two pages";
  std::vector<int> seen(More, 0);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const RecordingCanvas& sheet = *pages[p];
    SCOPED_TRACE("page " + std::to_string(p + 1));
    EXPECT_FALSE(sheet.TextOps().empty()) << "no empty page";
    for (const DrawOp* op : sheet.TextOps()) {
      EXPECT_GE(op->rect.Top, 0) << op->text;
      EXPECT_LE(op->rect.Bottom, sheet.Height()) << op->text << ": drawn past the bottom of the sheet";
      for (int i = 0; i < More; ++i)
        if (op->text == "INT. ROOM " + std::to_string(i) + " - DAY") ++seen[static_cast<std::size_t>(i)];
    }
  }
  for (int i = 0; i < More; ++i) EXPECT_EQ(seen[static_cast<std::size_t>(i)], 1) << "entry " << i;
  EXPECT_NE(pages.back()->FindText("END OF SHOW"), nullptr) << pages.back()->Transcript();
  EXPECT_NE(pages.front()->FindText("SETS"), nullptr);
  // A scene's key, pages, set and characters stay together on one page.
  for (const auto& page : pages) {
    const DrawOp* key = page->FindText("SCENE S");
    if (!key) continue;
    const std::string scene = key->text.substr(key->text.find('S', 6));
    std::string number = scene.substr(1);
    EXPECT_NE(page->FindText("INT. ROOM " + number + " - DAY"), nullptr) << key->text;
  }
}

TEST_F(SetListsTest, TurningTheClipboardOnAndAnsweringNoLeavesItOff) {
  BuildSitcom();
  ExpectMessage("Regenerate Character Lists first?", "", mrNo);
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCharNameListDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Setup Set List");
    EXPECT_FALSE(dialog.ReturnBtn->Visible);
    ExpectMessage("the set list will be put into the Windows Clipboard", "Attention?", mrNo);
    dialog.PutInClipBox->SetChecked(true);
    EXPECT_FALSE(dialog.PutInClipBox->Checked());
    ExpectMessage("the set list will be put into the Windows Clipboard", "Attention?", mrYes);
    dialog.PutInClipBox->SetChecked(true);
    EXPECT_TRUE(dialog.PutInClipBox->Checked());
    EXPECT_EQ(dialog.OKBtn->Caption(), "Generate Now");
    ExpectMessage("Set List Text is in Clipboard!", "Attention");
    dialog.OKBtn->Click();
  });
  GenerateRundownSheets(true);
  EXPECT_TRUE(Backend().PrinterList()[0]->Pages().empty());
  EXPECT_NE(Clipboard()->AsText().find("INT. HALL - DAY  (DAY ONE)"), std::string::npos);
}

}  // namespace
}  // namespace qm
