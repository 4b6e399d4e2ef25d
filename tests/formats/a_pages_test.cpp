// Fix All A-Pages and Flex All A-Pages: the automatic breaks of a locked
// script become fixed A-page breaks (or multi-locked ones before a fixed
// A-page of a multi-locked script) holding the header and revision of the
// day, and back; each is one step the writer can undo, and so is the
// start of a new revision that fixes them.
#include <gtest/gtest.h>

#include <algorithm>

#include "formats/drafts_fixture.h"
#include "formats/page_breaks.h"
#include "formats/page_headers.h"
#include "platform/input.h"
#include "script/editing/revision_marks.h"
#include "script/layout/screen_rebuild.h"
#include "shell/documents.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"

namespace qm::testing {
namespace {

class APagesTest : public DraftsFixture {};

TEST_F(APagesTest, APagesAreFixedAndFlexed) {
  struct Case {
    const char* what;
    Byte multiLocked;
    std::vector<Byte> before, after;
  };
  const std::vector<Case> cases = {
      {"fixed",
       0,
       {ekAutoPageBreak, ekAutoPageBreak, ekLockedPageBreak},
       {ekFixedAPageBreak, ekFixedAPageBreak, ekLockedPageBreak}},
      {"fixed before a fixed A-page in a multi-locked script",
       1,
       {ekAutoPageBreak, ekFixedAPageBreak, ekAutoPageBreak, ekLockedPageBreak},
       {ekMultiLockedPageBreak, ekFixedAPageBreak, ekFixedAPageBreak, ekLockedPageBreak}},
  };
  const auto kinds = [this] {
    std::vector<Byte> found;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (IsPageBreakKind(e->Kind())) found.push_back(e->Kind());
    return found;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> script{{ekAction, "a"}};
    for (Byte kind : c.before) script.insert(script.end(), {{kind, " "}, {ekAction, "a"}});
    Window().FreeElements();
    ResetScreenLines(Window());
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    Load(script);
    Window().PagesMultiLocked = c.multiLocked;
    std::string said;
    AnswerMessage(&said);
    FlexOrFixAPages(Window(), false);
    EXPECT_EQ(kinds(), c.after);
    EXPECT_EQ(said, "\rAll the A-Pages are now Fixed");
  }

  // Flexing asks first; what is flexible again is repaginated away.
  Window().FreeElements();
  ResetScreenLines(Window());
  Load({{ekAction, "a"}, {ekFixedAPageBreak, " "}, {ekAction, "b"}});
  AnswerTypeYes("NO");
  FlexOrFixAPages(Window(), true);
  EXPECT_EQ(kinds(), std::vector<Byte>{ekFixedAPageBreak});
  AnswerTypeYes("YES");
  std::string said;
  AnswerMessage(&said);
  FlexOrFixAPages(Window(), true);
  EXPECT_EQ(kinds(), std::vector<Byte>{});
  EXPECT_EQ(said, "\r All the A-Pages are now Flexible");
}

// A page fixed now belongs to the revision of the day and keeps the header
// it shows, whatever header the script takes later.
TEST_F(APagesTest, AFixedPageKeepsTheRevisionAndHeaderItWasFixedWith) {
  Start(ThreePageScript());
  TMDIChild& w = Window();
  w.PagesLocked = 1;
  w.CurrentRevision = 3;
  w.HeaderTextLocked = 1;
  w.HeaderLine1 = "BLUE REVISION";
  const std::string fixedHeader = CurrentHeaderText(w);
  const std::size_t pages = BreakKinds().size();
  ASSERT_EQ(BreakKinds(), std::vector<int>(pages, ekAutoPageBreak));
  ASSERT_GE(pages, 2u);
  AnswerMessage();
  FlexOrFixAPages(w, false);
  w.HeaderLine1 = "PINK REVISION";
  int fixed = 0;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (e->Kind() != ekFixedAPageBreak) continue;
    ++fixed;
    EXPECT_EQ(e->format.NumberWord & 0xFF, 3);
    EXPECT_EQ(PageHeaderText(w, e), fixedHeader);
  }
  EXPECT_EQ(fixed, static_cast<int>(pages));
}

class APageCommandsTest : public ProgramFixture {
 protected:
  // A locked script of three pages, read and paginated.
  void Start(const std::vector<ElementSpec>& script = ThreePageScript()) {
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    AddElements(w, script);
    w.DisAssemble();
    LayOutLoadedScript(w);
    w.RefreshLayout();
    w.PagesLocked = 1;
  }
  std::vector<int> BreakKinds() {
    std::vector<int> kinds;
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next)
      if (IsPageBreakKind(e->Kind())) kinds.push_back(e->Kind());
    return kinds;
  }
  void Fix() {
    AnswerMessageBox(Driver(), "All the A-Pages are now Fixed", mrOk);
    MainForm->MenuItem("FixFlexAPagesItem")->Click();
  }
  void Flex() {
    Driver().Expect([](TForm& box) { AnswerTypeYes(box, true); }, "type YES");
    AnswerMessageBox(Driver(), " All the A-Pages are now Flexible", mrOk);
    MainForm->MenuItem("FlexAPagesItem")->Click();
  }
  void Undo() { MainForm->UndoItem->Click(); }
};

TEST_F(APageCommandsTest, FixingOrFlexingIsUndoneAsOneStep) {
  Start();
  const std::vector<int> flexible = BreakKinds();
  ASSERT_GE(flexible.size(), 2u);
  ASSERT_EQ(flexible, std::vector<int>(flexible.size(), ekAutoPageBreak));
  const std::vector<int> fixed(flexible.size(), ekFixedAPageBreak);
  Fix();
  ASSERT_EQ(BreakKinds(), fixed);
  Undo();
  EXPECT_EQ(BreakKinds(), flexible) << "Undo gives the automatic breaks back";

  Fix();
  Flex();
  ASSERT_EQ(BreakKinds(), flexible);
  Undo();
  EXPECT_EQ(BreakKinds(), fixed) << "Undo gives the fixed A-pages back";
  EXPECT_EQ(Driver().Pending(), 0);
}

// The screen shows the breaks as the command left them at once: fixed
// after Fix, flexible after Flex, with nothing to redraw first.
TEST_F(APageCommandsTest, TheScreenShowsTheBreaksAsTheCommandLeftThem) {
  std::vector<ElementSpec> script;
  for (int i = 0; i < 80; ++i) script.push_back({ekAction, "He waits by the door, then he waits some more."});
  Start(script);
  DisplayPageBreakType = true;
  TMDIChild& w = Script();
  const auto shown = [&w] {
    std::vector<std::string> lines;
    for (int i = 1; i <= ScreenLineCount; ++i)
      if (const TScriptElement* e = w.ScreenLines[static_cast<std::size_t>(i)].element; e && IsPageBreakKind(e->Kind()))
        lines.push_back(w.ScreenLines[static_cast<std::size_t>(i)].text);
    return lines;
  };
  const auto banners = [&shown](const std::string& banner) {
    const std::vector<std::string> lines = shown();
    return !lines.empty() && std::all_of(lines.begin(), lines.end(), [&banner](const std::string& line) {
      return line.find(banner) != std::string::npos;
    });
  };
  // Down the script until the screen shows a break.
  w.SetFocus();
  for (int i = 0; i < 10 && shown().empty(); ++i) SendKey(VK_NEXT);
  ASSERT_TRUE(banners("FLEXIBLE A-PAGE")) << ::testing::PrintToString(shown());
  Fix();
  EXPECT_TRUE(banners("FIXED A-PAGE")) << ::testing::PrintToString(shown());
  Flex();
  EXPECT_TRUE(banners("FLEXIBLE A-PAGE")) << ::testing::PrintToString(shown());
  EXPECT_EQ(Driver().Pending(), 0);
}

// Starting a new revision takes the marks away and fixes the A-pages in
// one step: a single Undo gives back both.
TEST_F(APageCommandsTest, ANewRevisionIsUndoneAsOneStep) {
  Start();
  TMDIChild& w = Script();
  w.FirstElement->revisedLines = std::string(1, '\x01');
  w.DocumentModified = 0;  // as saved
  const std::vector<int> flexible = BreakKinds();
  ASSERT_GE(flexible.size(), 2u);
  ASSERT_EQ(flexible, std::vector<int>(flexible.size(), ekAutoPageBreak));
  const auto press = [this](TModalResult result, const char* what) {
    Driver().Expect([result](TForm& form) { form.ModalResult = result; }, what);
  };
  press(mrYes, "the five steps");
  AnswerMessageBox(Driver(), "All the A-Pages are now Fixed", mrOk);
  press(mrNo, "the next colour");
  press(mrCancel, "title page publisher");
  MainForm->MenuItem("StartNextRevisionItem")->Click();
  ASSERT_EQ(Driver().Pending(), 0);
  ASSERT_EQ(BreakKinds(), std::vector<int>(flexible.size(), ekFixedAPageBreak));
  ASSERT_FALSE(HasRevisedLines(*w.FirstElement));
  Undo();
  EXPECT_EQ(BreakKinds(), flexible) << "the automatic breaks are back";
  EXPECT_TRUE(HasRevisedLines(*w.FirstElement)) << "and so are the marks, in the same step";
}

}  // namespace
}  // namespace qm::testing
