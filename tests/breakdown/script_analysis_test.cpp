#include "breakdown/script_analysis.h"

#include <gtest/gtest.h>

#include "base/document_table.h"
#include "breakdown/script_analysis_dialog.h"
#include "language/language_fixture.h"
#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ScriptAnalysisTest : public testing::LanguageFixture {
 protected:
  // Two scenes over four pages: ANN speaks three times (once jointly with
  // BOB), BOB three times (once jointly, once as a voice), CAL once without dialogue, DAN 301
  // times (once under his alias DANNY), EVE once; three parentheticals
  // and a continued mark that does not count.
  void BuildScript() {
    // clang-format off
    std::vector<ElementSpec> e = {
        {ekSceneHeading, "INT. HOUSE - DAY"},
        {ekAction, "Ann waits."},
        {ekCharacterName, "ANN"},       {ekDialogue, "Hi."},
        {ekCharacterName, "ANN AND BOB"}, {ekDialogue, "Yes."},
        {ekCharacterName, "BOB'S VOICE"}, {ekDialogue, "Hm."},
        {ekCharacterName, "BOB"},       {ekDialogue, "Sure."},
        {ekCharacterName, "ANN"},       {ekParenthetical, "(CONT'D)"}, {ekParenthetical, "(softly)"},
        {ekDialogue, "Go."},
        {ekCharacterName, "CAL"},
        {ekAutoPageBreak, ""},
        {ekSceneHeading, "EXT. YARD - NIGHT"},
        {ekAction, "Rain."},
        {ekCharacterName, "DANNY"},     {ekParenthetical, "(loud)"},   {ekDialogue, "Now."},
    };
    // clang-format on
    for (int i = 0; i < 300; ++i) {
      if (i == 100 || i == 200) e.push_back({ekAutoPageBreak, ""});
      e.push_back({ekCharacterName, "DAN"});
      e.push_back({ekDialogue, "Ok."});
    }
    e.push_back({ekCharacterName, "EVE"});
    e.push_back({ekParenthetical, "(sad)"});
    e.push_back({ekDialogue, "Bye."});
    Add(e);
    int page = 1, scene = 0;
    for (std::size_t i = 0; i < e.size(); ++i) {
      if (e[i].kind == ekAutoPageBreak) Number(static_cast<int>(i), ++page);
      if (e[i].kind == ekSceneHeading) Number(static_cast<int>(i), ++scene);
    }
    Settings().AddAlias(Settings().CharacterAliasList, "DANNY", "DAN");
    PlaceCaret(1);
  }

  const TAnalysisEntry& Entry(const TScriptAnalysis& a, const std::string& name) {
    for (const TAnalysisEntry& entry : a.Names)
      if (entry.Name == name) return entry;
    throw std::runtime_error("no entry " + name);
  }
};

TEST_F(ScriptAnalysisTest, CountsAHandMadeScript) {
  BuildScript();
  const TScriptAnalysis a = AnalyzeScript(Script());
  EXPECT_EQ(a.Labels[0], "5 characters, of whom 1 spoke 11 or more times\r0 spoke 5-10 times, and 4 spoke 1-4 times");
  EXPECT_EQ(a.Labels[1], "2 Scenes with 2 unique locations");
  EXPECT_EQ(a.Labels[2], "2 Action Elements\r2 were 1 or 2 lines long\rThe longest Action line was 1 lines on Page 1");
  EXPECT_EQ(a.Labels[3], "309 Speeches\r308 were 1 or 2 lines long\r1 were 5 or more lines long\r"
                         "The longest Speech was 1 lines on Page 1 by ANN");
  EXPECT_EQ(a.Labels[4],
            "3 Parentheticals in the script which roughly averages out to 0.75 per page or approximately 1 every "
            "103 speeches");
  // Most speeches first; equal counts by their lines.
  std::vector<std::string> order;
  for (const TAnalysisEntry& entry : a.Names) order.push_back(entry.Name);
  EXPECT_EQ(order, (std::vector<std::string>{"DAN", "ANN", "BOB", "EVE", "CAL"}));

  // 301 speeches: more than a byte could hold.
  const TWorkData& dan = Entry(a, "DAN").Data;
  EXPECT_EQ(dan.Speeches, 301);
  EXPECT_EQ(dan.SpeechLines, 301);
  EXPECT_EQ(DetailLines(dan), (std::array<std::string, 8>{
                                  "Spoke in a total of 1 Scenes", "First spoke in Scene 2, Page 2",
                                  "Last spoke in Scene 2, Page 4", "Longest speech was 1 Lines on Pg 2",
                                  "Had 301 speeches for a total of 301 lines", "Had 301 speeches of only 1 or 2 lines",
                                  "Had 0 speeches of 3 or 4 lines", "Had 0 speeches of 5 or more lines"}));
  const TWorkData& ann = Entry(a, "ANN").Data;
  EXPECT_EQ(ann.Speeches, 3);
  EXPECT_EQ(Entry(a, "BOB").Data.Speeches, 3);  // jointly, as a voice, alone
  const TWorkData& cal = Entry(a, "CAL").Data;
  EXPECT_EQ(cal.LongSpeeches, 1);  // no dialogue: 0 lines
  EXPECT_EQ(cal.SpeechLines, 0);
}

TEST_F(ScriptAnalysisTest, AJointCueFirstInTheListIsDroppedToo) {
  // "AL/BO" sorts first of the names; AL never speaks alone.
  Add({{ekSceneHeading, "INT. ROOM - DAY"},
       {ekCharacterName, "AL/BO"},
       {ekDialogue, "Both."},
       {ekCharacterName, "BO"},
       {ekDialogue, "Me."},
       {ekCharacterName, "CY"},
       {ekDialogue, "Hm."},
       {ekCharacterName, "BO\\AL"},
       {ekDialogue, "Us."}});
  PlaceCaret(0);
  const TScriptAnalysis a = AnalyzeScript(Script());
  ASSERT_EQ(a.Names.size(), 2u);
  EXPECT_EQ(a.Names[0].Name, "BO");
  EXPECT_EQ(a.Names[0].Data.Speeches, 3);
  EXPECT_EQ(a.Names[1].Name, "CY");
  EXPECT_EQ(a.Labels[4],
            "There are NO Parentheticals in the script... I'm impressed with your extraordinary self-control");
}

TEST_F(ScriptAnalysisTest, HundredthsHaveTwoDecimals) {
  const struct {
    int value;
    const char* text;
  } cases[] = {{75, "0.75"}, {5, "0.05"}, {1250, "12.50"}, {0, "0.00"}, {100, "1.00"}};
  for (const auto& c : cases) EXPECT_EQ(HundredthsText(c.value), c.text);
}

TEST_F(ScriptAnalysisTest, TheGeneralPagePrintsItsParagraphsTheLastOnTwoLines) {
  BuildScript();
  Script().ScriptFileName = "/tmp/my big SCRIPT.qmw";
  const TScriptAnalysis a = AnalyzeScript(Script());
  ASSERT_TRUE(PrintGeneralAnalysis(a, Script().ScriptFileName));
  const auto& pages = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> texts;
  for (const DrawOp* op : pages[0]->TextOps()) texts.push_back(op->text);
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0], "General Script Analysis of \x93My Big Script\x94");
  EXPECT_EQ(texts[1], "5 characters, of whom 1 spoke 11 or more times");
  EXPECT_EQ(texts[2], "0 spoke 5-10 times, and 4 spoke 1-4 times");
  EXPECT_EQ(texts[texts.size() - 2], "3 Parentheticals in the script which roughly averages out to 0.75 per page");
  EXPECT_EQ(texts.back(), "or approximately 1 every 103 speeches");
}

TEST_F(ScriptAnalysisTest, CharacterDetailPrintsEightLinesEachAndContinuesOnNewPages) {
  BuildScript();
  const TScriptAnalysis a = AnalyzeScript(Script());
  std::vector<int> all;
  for (int i = 0; i < 12; ++i) all.push_back(i % 5);
  ASSERT_TRUE(PrintCharacterDetail(a, all, "dan.qmw"));
  const auto& pages = Backend().PrinterList()[0]->Pages();
  ASSERT_GE(pages.size(), 2u);
  std::vector<const DrawOp*> first = pages[0]->TextOps();
  ASSERT_GE(first.size(), 10u);
  EXPECT_EQ(first[2]->text, "DAN spoke in a total of 1 Scenes");
  // Eight lines one under the other, then two blank lines.
  const int line = first[3]->rect.Top - first[2]->rect.Top;
  ASSERT_GT(line, 0);
  for (int i = 3; i < 10; ++i)
    EXPECT_EQ(first[static_cast<std::size_t>(i)]->rect.Top - first[static_cast<std::size_t>(i) - 1]->rect.Top, line)
        << i;
  EXPECT_EQ(first[10]->rect.Top - first[9]->rect.Top, 3 * line);
  EXPECT_EQ(first[10]->text, "ANN spoke in a total of 1 Scenes");
  EXPECT_NE(pages[1]->FindText("Character Detail Analysis Continued - Page 2"), nullptr) << pages[1]->Transcript();
}

TEST_F(ScriptAnalysisTest, TheDialogShowsTheParagraphsAndTheChosenCharacter) {
  BuildScript();
  TScriptAnalysisDlg dialog(nullptr, Script());
  dialog.AnalyzeTheScript();
  EXPECT_EQ(dialog.BtrLabels[1]->Caption(), "2 Scenes with 2 unique locations");
  ASSERT_EQ(dialog.NameListBox->Items.Count(), 5);
  dialog.NameListBox->SetItemIndex(1);
  dialog.NameListBoxChange();
  EXPECT_EQ(dialog.DetailLabels[4]->Caption(), "Had 3 speeches for a total of 3 lines");
}

// Every cue credits its speech to its speaker: the cue the caret is in,
// and a cue with an extension, which counts for the name before it.
TEST_F(ScriptAnalysisTest, TheCueBeingEditedAndACueWithAnExtensionCountForTheirSpeakers) {
  const struct {
    const char* where;
    int caret;
  } cases[] = {{"caret in a heading", 0}, {"caret in the cue with the extension", 1}, {"caret in BOB's cue", 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    Script().FreeElements();
    Add({{ekSceneHeading, "INT. ROOM - DAY"},
         {ekCharacterName, "ZELDA (V.O.)"},
         {ekDialogue, "Over here."},
         {ekCharacterName, "BOB"},
         {ekDialogue, "Where?"},
         {ekCharacterName, "ZELDA"},
         {ekDialogue, "Here."}});
    PlaceCaret(c.caret);
    std::string general;
    std::vector<std::string> detail;
    Driver().Expect(
        [&](TForm& form) {
          auto& dialog = dynamic_cast<TScriptAnalysisDlg&>(form);
          general = dialog.BtrLabels[0]->Caption();
          for (int i = 0; i < dialog.NameListBox->Items.Count(); ++i) {
            dialog.NameListBox->SetItemIndex(i);
            dialog.NameListBoxChange();
            detail.push_back(dialog.NameListBox->Items[i] + ": " + dialog.DetailLabels[4]->Caption());
          }
          dialog.ModalResult = mrOk;
        },
        "the analysis");
    ShowScriptAnalysis();
    EXPECT_EQ(general, "2 characters, of whom 0 spoke 11 or more times\n0 spoke 5-10 times, and 2 spoke 1-4 times");
    EXPECT_EQ(detail, (std::vector<std::string>{"ZELDA: Had 2 speeches for a total of 2 lines",
                                                "BOB: Had 1 speeches for a total of 1 lines"}));
    EXPECT_EQ(Script().CurrentElement(), &Element(c.caret)) << "the caret stays where it was";
  }
}

TEST_F(ScriptAnalysisTest, WithoutNamesTheDetailPageIsRefused) {
  Add({{ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Empty."}});
  PlaceCaret(0);
  TScriptAnalysisDlg dialog(nullptr, Script());
  dialog.AnalyzeTheScript();
  ExpectMessage("No Names Found!", "Attention");
  dialog.TabbedNotebook1->SetActivePage(dialog.DetailPage);
  dialog.TabbedNotebook1Change();
  EXPECT_EQ(dialog.TabbedNotebook1->ActivePage(), dialog.GeneralPage);
}

TEST_F(ScriptAnalysisTest, NoScriptNoAnalysis) {
  Documents[1] = nullptr;
  DocumentCount = 0;
  ActiveDocument = 0;
  ExpectMessage("You must have a script open before any useful analysis can take place!");
  ShowScriptAnalysis();
}

}  // namespace
}  // namespace qm
