// A script taken through production: locked, a scene put in, one taken
// out, a page pushed over, a new revision started, lines changed, and
// unlocked; the scene and page numbers checked after every step.
//
// The script is 120 pages of one scene each: a heading and an Action of
// 40 lines. A page holds 52 lines; each page fills 43 (the heading's line
// with its blank line before, the Action's 40 with its own), so 9 stay
// free; Actions are never broken.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/drafts_fixture.h"
#include "formats/revisions.h"
#include "formats/script_locking.h"
#include "formats/title_page_dialog.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/editing/revision_marks.h"
#include "script/model/packed_text.h"

namespace qm::testing {
namespace {

constexpr int Scenes = 120;

std::vector<ElementSpec> HundredTwentyPages() {
  std::vector<ElementSpec> script;
  for (int scene = 1; scene <= Scenes; ++scene) {
    script.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(scene) + " - DAY"});
    script.push_back(ActionLines(40));
  }
  return script;
}

// "1" to "count", as the numbers run before anything changes.
std::vector<std::string> Counting(int from, int to) {
  std::vector<std::string> numbers;
  for (int n = from; n <= to; ++n) numbers.push_back(std::to_string(n));
  return numbers;
}

std::vector<std::string> InsertedAfter(std::vector<std::string> numbers, const std::string& after,
                                       const std::string& inserted) {
  const auto at = std::find(numbers.begin(), numbers.end(), after);
  numbers.insert(at == numbers.end() ? at : at + 1, inserted);
  return numbers;
}

class ProductionScenarioTest : public DraftsFixture {
 protected:
  // The element index of scene `n`'s heading (two elements a scene, plus
  // the page breaks before it).
  TScriptElement* Heading(int n) const {
    int seen = 0;
    for (TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (IsSceneHeading(e->Kind()) && ++seen == n) return e;
    return nullptr;
  }
  int IndexOf(const TScriptElement* target) const {
    int i = 0;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next, ++i)
      if (e == target) return i;
    return -1;
  }
  void TypeText(const std::string& text) {
    for (char c : text) {
      char key = c;
      Window().FormKeyPress(&Window(), key);
    }
  }
  int CountKinds(Byte kind) const {
    int n = 0;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next) n += e->Kind() == kind;
    return n;
  }
};

TEST_F(ProductionScenarioTest, ALockedScriptKeepsItsNumbersThroughARevision) {
  Start(HundredTwentyPages());
  Window().ActionBreakMode = 0;  // an Action that does not fit goes on whole
  Repaginate();
  ASSERT_EQ(SceneNumbers(), Counting(1, Scenes));
  ASSERT_EQ(PageNumbers(), Counting(2, Scenes)) << "one page a scene";

  // Locked: every number written down, every break a locked page of the
  // first revision.
  LockScript(Window(), TLockChoices{});
  EXPECT_EQ(Window().ScenesLocked, 1);
  EXPECT_EQ(Window().PagesLocked, 1);
  EXPECT_EQ(Window().HeaderTextLocked, 1);
  EXPECT_EQ(CountKinds(ekLockedPageBreak), Scenes - 1);
  EXPECT_EQ(CountKinds(ekAutoPageBreak), 0);
  EXPECT_EQ(number_word::Number(Heading(77)->format.NumberWord), 77);
  EXPECT_TRUE(number_word::Locked(Heading(77)->format.NumberWord));
  std::vector<std::string> scenes = Counting(1, Scenes);
  std::vector<std::string> pages = Counting(2, Scenes);
  EXPECT_EQ(SceneNumbers(), scenes);
  EXPECT_EQ(PageNumbers(), pages);

  // A scene put in after scene 60 takes its number and the letter A, and
  // fits on page 60: the pages stay.
  CaretAt(IndexOf(Heading(61)), 0);
  editor::NewElement(Window(), Window().FormatSet[fsSceneHeading], false);
  TypeText("EXT. YARD - NIGHT");
  Window().RefreshKeepingCursor();
  scenes = InsertedAfter(scenes, "60", "60A");
  EXPECT_EQ(SceneNumbers(), scenes);
  EXPECT_EQ(PageNumbers(), pages);

  // Scene 90's heading erased: it stays as OMITTED with its number.
  CaretAt(IndexOf(Heading(91)), 0);  // the 91st heading is scene 90 now
  editor::SetEditText(Window(), "");
  editor::SetCaretColumn(Window(), 0);
  InteractiveEdit = 1;
  Window().Assemble();
  Window().RefreshKeepingCursor();
  EXPECT_EQ(UnpackText(*Heading(91)->text), "OMITTED");
  EXPECT_EQ(SceneNumbers(), scenes);
  EXPECT_EQ(PageNumbers(), pages);

  // Ten more lines on page 30 do not fit: page 30 goes on to page 30A, and
  // page 31 is still page 31.
  CaretAt(IndexOf(Heading(30)) + 1, 0);  // scene 30's Action
  editor::NewElement(Window(), Window().FormatSet[fsAction], true);
  TypeText(ActionLines(10).text);
  Window().RefreshKeepingCursor();
  pages = InsertedAfter(pages, "30", "30A");
  EXPECT_EQ(PageNumbers(), pages);
  EXPECT_EQ(CountKinds(ekAutoPageBreak), 1) << "an A-page flows until it is fixed";
  EXPECT_EQ(SceneNumbers(), scenes);

  // The next revision: marks gone, the A-page fixed, the header text
  // locked, the revision colour one on.
  ASSERT_FALSE(Heading(31)->revisedLines) << "nothing typed on scene 31";
  Window().DocumentModified = 0;  // as saved
  Window().AddRevisionColour("BLUE", clNone);
  Press(mrYes);  // the five steps
  Press(mrOk);   // the A-pages are fixed
  std::string increment;
  Press(mrYes, &increment);
  bool publisherOpened = false;
  Driver().Expect([&publisherOpened](TForm& form) {
    publisherOpened = dynamic_cast<TTitlePageDlg*>(&form) != nullptr;
    form.ModalResult = mrCancel;
  });
  StartNewRevision(Window());
  EXPECT_TRUE(publisherOpened) << "the last step";
  EXPECT_EQ(increment, "Increment Revision Draft Color from WHITE to BLUE?");
  EXPECT_EQ(Window().CurrentRevision, 1);
  EXPECT_EQ(CountKinds(ekAutoPageBreak), 0);
  EXPECT_EQ(CountKinds(ekFixedAPageBreak), 1);
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    EXPECT_FALSE(HasRevisedLines(*e)) << "every mark went";
  EXPECT_EQ(PageNumbers(), pages);
  EXPECT_EQ(SceneNumbers(), scenes);

  // A line changed on page 70 is marked, and page 70 is revised now.
  TScriptElement* action70 = Heading(71)->next;  // scene 70's Action
  CaretAt(IndexOf(action70), 0);
  TypeText("New ");
  ASSERT_TRUE(action70->revisedLines);
  EXPECT_EQ(*action70->revisedLines, std::string(1, '\x01'));
  const TScriptElement* page70 = Heading(71)->prev;
  ASSERT_EQ(page70->Kind(), ekLockedPageBreak);
  EXPECT_EQ(page70->format.NumberWord >> 8, 1) << "revised in revision 1";
  EXPECT_EQ(PageNumbers(), pages);

  // Unlocked with the OMITTED headings taken out: the scenes count from 1
  // again, the pages flow.
  TLockChoices open;
  open.scenes = open.pages = TCheckBoxState::cbUnchecked;
  open.headers = false;
  open.removeOmitted = true;
  UnlockScript(Window(), open);
  EXPECT_EQ(Window().ScenesLocked, 0);
  EXPECT_EQ(Window().PagesLocked, 0);
  EXPECT_EQ(SceneNumbers(), Counting(1, Scenes)) << "one scene in, one out";
  for (int kind : BreakKinds()) EXPECT_EQ(kind, ekAutoPageBreak);
  const std::vector<std::string> flowing = PageNumbers();
  EXPECT_EQ(flowing, Counting(2, static_cast<int>(flowing.size()) + 1));
}

}  // namespace
}  // namespace qm::testing
