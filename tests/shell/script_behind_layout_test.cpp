// Every open script is laid out at its own width: a script behind another
// of other formats (narrower Actions, a larger font) keeps the lines and
// the page breaks it has in front, and what writes it while it is behind
// (Save All, the timed backup) writes what a save in front writes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "platform/files.h"
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

}  // namespace
}  // namespace qm
