// Every open script is laid out at its own width: a script behind another
// of other formats (narrower Actions, a larger font) keeps the lines and
// the page breaks it has in front, and what writes, backs up or compares it
// while it is behind (Save All, the timed backup, Exit's saves, Compare)
// reads its own lines and pages. New formats loaded from the Format menu
// give every element its new lines at once, those off the screen too.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "files/native_file.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "script/editing/document_modified.h"
#include "platform/menus.h"
#include "script/layout/word_wrap.h"
#include "shell/documents.h"
#include "shell/idle_loop.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

// Each element's kind, line count and saved line starts, in order.
std::vector<std::string> Lines(const TMDIChild& w) {
  std::vector<std::string> lines;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    lines.push_back(std::to_string(e->Kind()) + "/" + std::to_string(e->lineCount) + "/" +
                    std::string(e->lineOffsets.begin(), e->lineOffsets.end()));
  return lines;
}

class ScriptBehindLayoutTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    Driver().OnProblem = [](const std::string&) {};
  }
  std::string Path(const char* name) const { return ScriptDirectory + "/" + name; }

  // A new script of its own formats, laid out and saved under a name.
  TMDIChild& Made(const char* name, std::uint64_t seed, Byte actionLeft, Byte actionRight, Byte fontSize) {
    if (DocumentCount > 0 && !IsDocumentEmpty(ActiveDocument)) MainForm->FileNewItem->Click();
    TMDIChild& w = Script();
    w.FormatSet[fsAction].LeftMargin = actionLeft;
    w.FormatSet[fsAction].RightMargin = actionRight;
    w.ScriptFontSize = fontSize;
    for (TElementFormat& f : w.FormatSet) f.FontSize = fontSize;
    testing::AddElements(w, testing::GenerateScreenplay(seed, 5));
    for (TScriptElement* e = w.FirstElement; e; e = e->next) e->format.FontSize = fontSize;
    TWrapPass pass(w);
    for (TScriptElement* e = w.FirstElement; e; e = e->next) pass.Wrap(*e, LiveElementText(w, *e));
    w.RefreshLayout();
    testing::ChooseFile(Driver(), Path(name));
    MainForm->FileSaveAsItem->Click();
    return w;
  }

  // The script's lines forgotten, as after a change of its formats: the
  // next layout wraps every element again.
  static void Unlaid(TMDIChild& w) {
    for (TScriptElement* e = w.FirstElement; e; e = e->next) {
      if (IsPageBreakKind(e->Kind())) continue;
      e->lineOffsets.clear();
      e->lineCount = 1;
    }
    TWrapPass pass(w);
    for (TScriptElement* e = w.FirstElement; e; e = e->next)
      if (!IsPageBreakKind(e->Kind())) pass.Wrap(*e, LiveElementText(w, *e));
    w.DocumentModified = 1;
    w.LayoutDue = 1;
  }

  void BringForward(TMDIChild& w) {
    MainForm->WindowMenu->Click();
    MainForm->DocItems[SlotOf(&w) - 1]->Click();
    ASSERT_EQ(ActiveScript(), &w);
  }
};

TEST_F(ScriptBehindLayoutTest, AScriptBehindIsLaidOutAndWrittenAtItsOwnWidth) {
  TMDIChild& behind = Made("NARROW.QMW", 31, 25, 25, 10);
  TMDIChild& front = Made("WIDE.QMW", 37, 15, 10, 12);
  ASSERT_NE(&behind, &front);
  ASSERT_EQ(ActiveScript(), &front);

  // What the script is, and what its save writes, in front.
  BringForward(behind);
  Unlaid(behind);
  MainForm->FileSaveItem->Click();
  const std::vector<std::string> own = Lines(behind);
  const std::string ownFile = testing::ReadFileText(Path("NARROW.QMW"));
  BringForward(front);

  struct Road {
    const char* what;
    std::function<void()> run;
  };
  const std::vector<Road> roads = {
      {"Save All", [] { MainForm->MenuItem("FileSaveAllItem")->Click(); }},
      {"the timed backup", [] { WriteTimedBackups(); }},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.what);
    Unlaid(behind);
    road.run();
    ASSERT_EQ(ActiveScript(), &front) << "the script in front stays in front";
    EXPECT_EQ(Lines(behind), own);
  }
  Unlaid(behind);
  MainForm->MenuItem("FileSaveAllItem")->Click();
  EXPECT_EQ(testing::ReadFileText(Path("NARROW.QMW")), ownFile) << "Save All writes the script's own layout";

  // Comparing the two drafts reads the one behind as it is laid out.
  Unlaid(behind);
  testing::RunConfirmed(Driver(), "ComparedScriptsItem");
  EXPECT_EQ(Lines(behind), own) << "Compare";
}

// Two scripts of other formats, one behind the other: a screenplay of
// Actions behind a stage play. The wrap breaks each line by the width its
// element's margins leave on the page and the pages are broken by those
// lines, so what is written, backed up or compared of the one behind is what
// it is laid out as in front.
class ScriptsOfOtherFormatsTest : public testing::ProgramFixture {
 protected:
  // The program folder is the build's data folder, where the families are.
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};

  void SetUp() override {
    ProgramFixture::SetUp();
    AutosaveInterval = 1;
  }
  std::string Path(const char* name) const { return ScriptDirectory + "/" + name; }
  void Type(const std::string& text) {
    Script().SetFocus();
    TypeText(text);
  }
  // The idle passes a writer's pause gives the script in front.
  void Pause() {
    for (int i = 0; i < 4; ++i) {
      Backend().SetTick(Backend().TickCount64() + 5000);
      bool done = false;
      MainForm->AppIdle(Application, done);
    }
  }
  // Format > Load Script Format > the family, on a script with text: the
  // lists stay, the margins are reset.
  void LoadFamily(const char* item) {
    testing::AnswerMessageBox(Driver(), "Load User Lists along with formats?", mrNo);
    testing::AnswerMessageBox(Driver(),
                              "Loading New formats will cause Quillmaster for Windows to reset all margins to the new "
                              "settings, including any cheated elements!\r\rDo you REALLY want to continue?",
                              mrYes);
    testing::AnswerMessageBox(Driver(), "New Formats have been Loaded.", mrOk);
    MainForm->MenuItem(item)->Click();
    ASSERT_EQ(Driver().Pending(), 0) << item;
  }
  void BringForward(int slot) {
    MainForm->WindowMenu->Click();
    MainForm->DocItems[slot - 1]->Click();
    ASSERT_EQ(ActiveScript(), Documents[slot]);
  }
  // The screenplay typed Action after Action, paginated in its pause and
  // saved as A.QMW.
  TMDIChild& TypedScreenplay(int actions);
  // A new script with the stage play's formats and an Action, saved as
  // B.QMW; it stays in front.
  void StagePlayInFront();

 public:
  // What the roads below work with.
  ModalDriver& Answers() { return Driver(); }
  void ClockTo(std::uint64_t ms) { Backend().SetTick(ms); }
};

// At ten characters to the inch an Action of a screenplay (margins 1.5 and
// 1 inch) holds 60 characters a line and one of a stage play (4 and 1 inch)
// 35: this text takes 2 lines in the one and 4 in the other.
constexpr const char* kAction =
    "Rain drums on the tin roof of the barn while the horses stamp and the farmer counts coins by the lamp.";
constexpr int kActions = 40;

TMDIChild& ScriptsOfOtherFormatsTest::TypedScreenplay(int actions) {
  for (int i = 0; i < actions; ++i) {
    Type(kAction);
    if (i + 1 < actions) SendKey(VK_RETURN);
  }
  Pause();
  TMDIChild& a = Script();
  testing::ChooseFile(Driver(), Path("A.QMW"));
  MainForm->FileSaveAsItem->Click();
  return a;
}

void ScriptsOfOtherFormatsTest::StagePlayInFront() {
  MainForm->FileNewItem->Click();
  testing::AnswerMessageBox(Driver(), "New Formats have been Loaded.", mrOk);
  MainForm->MenuItem("StagePlay1")->Click();
  Type(kAction);
  testing::ChooseFile(Driver(), Path("B.QMW"));
  MainForm->FileSaveAsItem->Click();
}

// Each element's kind and line count, page breaks among them.
std::vector<std::string> Shape(const TMDIChild& w) {
  std::vector<std::string> shape;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    shape.push_back(std::to_string(e->Kind()) + "/" + std::to_string(e->lineCount));
  return shape;
}

// A saved script's element records: kind, line count, saved line starts and text.
std::vector<std::string> Records(const std::string& path) {
  const std::string bytes = testing::ReadFileText(path);
  TParsedScript parsed;
  std::string error;
  if (!ParseScriptImage(std::span(reinterpret_cast<const Byte*>(bytes.data()), bytes.size()), parsed, error))
    return {path + ": " + error};
  std::vector<std::string> records;
  for (const auto& e : parsed.elements) {
    std::string record = std::to_string(e->Kind()) + "/" + std::to_string(e->lineCount) + "/";
    TLineOffsets starts;
    if (ReadLineOffsetBlock(*e, starts))
      for (int line = 1; line <= e->lineCount; ++line) record += std::to_string(starts[line]) + " ";
    else record += "no line starts ";
    records.push_back(record + "/" + ElementText(*e));
  }
  return records;
}

// Two lists of elements compared where they first differ, so that a long
// script's difference shows.
void ExpectSameElements(const std::vector<std::string>& actual, const std::vector<std::string>& expected,
                        const std::string& what) {
  const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  if (a == actual.end() && e == expected.end()) return;
  const auto at = a - actual.begin();
  ADD_FAILURE() << what << ": " << actual.size() << " elements, " << expected.size() << " expected; element " << at
                << " is " << (a == actual.end() ? "missing" : *a) << ", " << (e == expected.end() ? "none" : *e)
                << " expected";
}

// What reads the script behind: the command or the clock, and the file it
// writes of it.
struct BehindRoad {
  const char* name;
  void (*run)(ScriptsOfOtherFormatsTest& test);
  const char* written;  // the file the road writes of the script behind, or null
  bool staysOpen;
};

void PrintTo(const BehindRoad& road, std::ostream* out) { *out << road.name; }

const BehindRoad kSaveAll{"SaveAll", [](ScriptsOfOtherFormatsTest&) { MainForm->MenuItem("FileSaveAllItem")->Click(); },
                          "A.QMW", true};
const BehindRoad kTimedBackup{"TimedBackup",
                              [](ScriptsOfOtherFormatsTest& t) {
                                t.ClockTo(static_cast<std::uint64_t>(TimedBackupDue) * 100);
                                bool done = false;
                                MainForm->AppIdle(Application, done);
                              },
                              "SAVE1.TMB", true};
const BehindRoad kCompare{
    "Compare", [](ScriptsOfOtherFormatsTest& t) { testing::RunConfirmed(t.Answers(), "ComparedScriptsItem"); }, nullptr,
    true};
const BehindRoad kExit{"Exit",
                       [](ScriptsOfOtherFormatsTest& t) { testing::RunConfirmed(t.Answers(), "ExitQuillmasterItem"); },
                       "A.QMW", false};

std::string RoadName(const ::testing::TestParamInfo<BehindRoad>& info) { return info.param.name; }

class FormatsChangedRoadTest : public ScriptsOfOtherFormatsTest, public ::testing::WithParamInterface<BehindRoad> {};

// The screenplay takes the stage play's formats and then its own again, by
// the Format menu, from its end and from its start: every Action has the 2
// lines of a screenplay's Action again, where the screen shows it and
// where it does not, in front and behind the stage play, in memory and in
// what is written of it.
TEST_P(FormatsChangedRoadTest, AnActionHasItsOwnLinesAndPagesInFrontAndBehind) {
  const BehindRoad& road = GetParam();
  TMDIChild& a = TypedScreenplay(kActions);
  const std::vector<std::string> ownShape = Shape(a);
  const std::vector<std::string> ownRecords = Records(Path("A.QMW"));
  ASSERT_EQ(std::count(ownShape.begin(), ownShape.end(), "0/2"), kActions) << "every Action takes 2 lines";
  ASSERT_GT(std::count(ownShape.begin(), ownShape.end(), "8/1"), 0) << "the script runs over a page";

  LoadFamily("StagePlay1");
  Pause();
  const std::vector<std::string> stageShape = Shape(a);
  EXPECT_EQ(std::count(stageShape.begin(), stageShape.end(), "0/4"), kActions) << "every Action takes 4 lines";
  MainForm->MenuItem("GotoTopItem")->Click();
  ASSERT_EQ(a.CurrentElement(), a.FirstElement);
  LoadFamily("Screenplay1");
  const std::vector<std::string> loadedShape = Shape(a);
  EXPECT_EQ(std::count(loadedShape.begin(), loadedShape.end(), "0/2"), kActions) << "as the formats are loaded";
  Pause();
  ExpectSameElements(Shape(a), ownShape, "in front");

  StagePlayInFront();
  BringForward(1);
  Type("x");
  SendKey(VK_BACK);
  BringForward(2);
  ASSERT_TRUE(a.DocumentModified);

  road.run(*this);
  if (road.staysOpen) ExpectSameElements(Shape(a), ownShape, "in memory");
  if (road.written) ExpectSameElements(Records(Path(road.written)), ownRecords, road.written);
}

INSTANTIATE_TEST_SUITE_P(Roads, FormatsChangedRoadTest, ::testing::Values(kSaveAll, kTimedBackup, kCompare, kExit),
                         RoadName);

class DueLayoutRoadTest : public ScriptsOfOtherFormatsTest, public ::testing::WithParamInterface<BehindRoad> {};

// An Action typed at the top of the screenplay moves every page break; the
// writer goes to the stage play before the pause that would have broken
// the pages again. What reads the screenplay behind breaks its pages first,
// as Repaginate Now breaks them in front.
TEST_P(DueLayoutRoadTest, ThePagesOfAScriptLeftBeforeItsPauseAreBrokenBeforeItIsRead) {
  const BehindRoad& road = GetParam();
  TMDIChild& a = TypedScreenplay(kActions);
  StagePlayInFront();
  BringForward(1);
  MainForm->MenuItem("GotoTopItem")->Click();
  Type(kAction);
  SendKey(VK_RETURN);
  BringForward(2);

  road.run(*this);
  const std::vector<std::string> behindShape = Shape(a);
  const std::vector<std::string> behindRecords = road.written ? Records(Path(road.written)) : behindShape;

  BringForward(1);
  MainForm->MenuItem("RepaginateNowItem")->Click();
  MainForm->FileSaveItem->Click();
  ExpectSameElements(behindShape, Shape(a), "in memory");
  if (road.written) ExpectSameElements(behindRecords, Records(Path("A.QMW")), road.written);
}

INSTANTIATE_TEST_SUITE_P(Roads, DueLayoutRoadTest, ::testing::Values(kSaveAll, kTimedBackup, kCompare), RoadName);

}  // namespace
}  // namespace qm
