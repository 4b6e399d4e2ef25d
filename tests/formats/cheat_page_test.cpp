// Cheating one page to hold lines more or fewer, its refusals, and taking
// a page's cheats back.
#include "formats/cheat_page.h"

#include <gtest/gtest.h>

#include <numeric>

#include "base/prompt_table.h"
#include "formats/cheat_dialogs.h"
#include "formats/drafts_fixture.h"
#include "formats/page_breaks.h"
#include "script/pagination/page_breaking.h"

namespace qm::testing {
namespace {

class CheatPageTest : public DraftsFixture {
 protected:
  void SetUp() override {
    DraftsFixture::SetUp();
    BuildPromptTable(false);
  }
  // Eight Actions of two lines and four of twenty, broken at any line: a
  // page ends exactly where its room does (52 lines and 30 dots of 50),
  // six lines into the second long Action.
  void LongActions() {
    std::vector<ElementSpec> script(8, ActionLines(2));
    for (int i = 0; i < 4; ++i) script.push_back(ActionLines(20));
    Start(script);
    Window().ActionBreakMode = bmMaximumLines;
    Repaginate();
  }
  // The printed text lines of each page.
  std::vector<int> PageLines() const {
    std::vector<int> pages(1, 0);
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next) {
      if (IsPageBreakKind(e->Kind())) pages.push_back(0);
      else pages.back() += e->lineCount;
    }
    return pages;
  }
  // The lines of the element that opens page `page` (from 0).
  int OpeningLines(int page) const {
    int p = 0;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next) {
      if (IsPageBreakKind(e->Kind())) ++p;
      else if (p == page) return e->lineCount;
    }
    return -1;
  }
  static int Sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }
  void AnswerCheat(bool increase, const std::string& lines, TModalResult result = mrOk) {
    Driver().Expect([=](TForm& form) {
      auto& dialog = dynamic_cast<TCheatPageDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Cheat the Page");
      (increase ? dialog.IncreaseBtn : dialog.DecreaseBtn)->SetChecked(true);
      dialog.LinesEdit->Text = lines;
      form.ModalResult = result;
    });
  }
};

TEST_F(CheatPageTest, ACheatedPageHoldsTheLinesAskedAndThePagesAfterItFollow) {
  const struct {
    const char* what;
    bool increase;
    int lines;
  } cases[] = {
      {"one more", true, 1},
      {"three more", true, 3},
      {"one fewer", false, 1},
      {"four fewer", false, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LongActions();
    const std::vector<int> before = PageLines();
    const int opening = OpeningLines(1);
    CaretAt(1, 0);
    AnswerCheat(c.increase, std::to_string(c.lines));
    ASSERT_TRUE(CheatThePage(Window()));
    const int change = c.increase ? c.lines : -c.lines;
    const std::vector<int> after = PageLines();
    EXPECT_EQ(after[0], before[0] + change);
    EXPECT_EQ(OpeningLines(1), opening - change) << "the next page starts where the cheated one now ends";
    EXPECT_EQ(Sum(after), Sum(before)) << "no text is lost";
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(CheatPageTest, PagesWithoutAnAutomaticEndAreRefused) {
  const struct {
    const char* what;
    int pageBreakKind;  // -1: the last page
    int prompt;
  } cases[] = {
      {"the last page", -1, 36},
      {"a forced page break", ekForcedPageBreak, 38},
      {"a locked page break", ekLockedPageBreak, 38},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LongActions();
    if (c.pageBreakKind < 0) {
      CaretAt(static_cast<int>(Elements().size()) - 1, 0);
    } else {
      for (TScriptElement* e = Window().FirstElement; e; e = e->next)
        if (IsPageBreakKind(e->Kind())) {
          e->format.Kind = static_cast<Byte>(c.pageBreakKind);
          break;
        }
      CaretAt(0, 0);
    }
    const std::vector<int> before = PageLines();
    std::string message;
    Press(mrOk, &message);
    EXPECT_FALSE(CheatThePage(Window()));
    EXPECT_EQ(message, PromptTable(c.prompt));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(PageLines(), before);
    EXPECT_EQ(Driver().Pending(), 0) << "no dialog after the refusal";
  }
}

TEST_F(CheatPageTest, ALowLineSpacingIsQuestionedFirst) {
  const struct {
    const char* what;
    int text, blank;
    bool asked;
    TModalResult answer;
    bool cheated;
  } cases[] = {
      {"ordinary spacing", 100, 100, false, mrNone, true},
      {"text below 95, going on", 94, 100, true, mrYes, true},
      {"blank below 90, stopping", 100, 89, true, mrNo, false},
      {"text at 95 and blank at 90", 95, 90, false, mrNone, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LongActions();
    Window().TextSpacing = static_cast<Byte>(c.text);
    Window().BlankSpacing = static_cast<Byte>(c.blank);
    Repaginate();
    CaretAt(1, 0);
    std::string question;
    if (c.asked) Press(c.answer, &question);
    if (c.cheated) AnswerCheat(true, "1");
    EXPECT_EQ(CheatThePage(Window()), c.cheated);
    EXPECT_EQ(question, c.asked ? PromptTable(35) : std::string());
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(CheatPageTest, BadCountsAndTooMuchAreExplainedAndCancelChangesNothing) {
  // One-line Actions with no blank lines between them: nothing to squeeze.
  Start(std::vector<ElementSpec>(60, ActionLines(1)));
  for (TScriptElement* e = Window().FirstElement; e; e = e->next) e->format.LinesBefore = 0;
  Repaginate();
  CaretAt(1, 0);
  const std::vector<int> before = PageLines();
  ASSERT_EQ(before.size(), 2u);
  std::string outside, tooMuch, tooFew;
  AnswerCheat(true, "11");
  Press(mrOk, &outside);
  AnswerCheat(true, "1");
  Press(mrOk, &tooMuch);
  AnswerCheat(false, "2");
  Press(mrOk, &tooFew);
  AnswerCheat(true, "1", mrCancel);
  EXPECT_FALSE(CheatThePage(Window()));
  EXPECT_EQ(outside, "The number of lines must be a number from 1 to 10.");
  EXPECT_EQ(tooMuch, "There is not enough room between the lines of this page to fit 1 line more on it.");
  EXPECT_EQ(tooFew, "There are not enough blank lines on this page to take 2 lines off it.");
  EXPECT_EQ(PageLines(), before);
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    if (e->Kind() == ekAction) {
      EXPECT_EQ(e->format.LinesBefore, 0) << "a refused cheat leaves every format alone";
      EXPECT_EQ(e->format.Spacing, Window().FormatSet[fsAction].Spacing);
    }
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(CheatPageTest, ResettingThePageTakesItsCheatBack) {
  LongActions();
  const std::vector<int> before = PageLines();
  CaretAt(1, 0);
  std::string error;
  ASSERT_TRUE(CheatPageLines(Window(), 2, error)) << error;
  ASSERT_EQ(PageLines()[0], before[0] + 2);
  CaretAt(1, 0);
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TResetWhatDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Reseting Cheated Elements");
    EXPECT_TRUE(dialog.SpacingBox->Checked());
    form.ModalResult = mrOk;
  });
  ASSERT_TRUE(ResetThePage(Window()));
  EXPECT_EQ(PageLines(), before);
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    if (e->Kind() == ekAction) {
      EXPECT_EQ(e->format.LinesBefore, Window().FormatSet[fsAction].LinesBefore);
      EXPECT_EQ(e->format.Spacing, Window().FormatSet[fsAction].Spacing);
    }
}

TEST_F(CheatPageTest, ResettingOnePageLeavesTheOthersAndTakesOnlyWhatIsChosen) {
  const struct {
    const char* what;
    bool margins, spacing, kept;
  } cases[] = {{"margins only", true, false, false}, {"spacing and kept together", false, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> script(6, ActionLines(20));
    script.push_back(ActionLines(2));
    Start(script);
    // The second element is on the first page, the short last one on the last.
    const auto cheat = [](TScriptElement* e) {
      e->format.LeftMargin = 30;
      e->format.LinesBefore = 5;
      e->state = esKeepGroup;
    };
    cheat(ElementNo(1));
    cheat(Window().LastElement);
    CaretAt(1, 0);
    TPageResetParts parts;
    parts.format.margins = c.margins;
    parts.format.spacing = c.spacing;
    parts.keptTogether = c.kept;
    ResetPage(Window(), parts);
    const TElementFormat& kind = Window().FormatSet[fsAction];
    const TScriptElement* reset = ElementNo(1);
    EXPECT_EQ(reset->format.LeftMargin, c.margins ? kind.LeftMargin : 30);
    EXPECT_EQ(reset->format.LinesBefore, c.spacing ? kind.LinesBefore : 5);
    EXPECT_EQ(reset->state, c.kept ? esNormal : esKeepGroup);
    const TScriptElement* other = Window().LastElement;
    EXPECT_EQ(other->format.LeftMargin, 30) << "another page keeps its cheats";
    EXPECT_EQ(other->format.LinesBefore, 5);
    EXPECT_EQ(other->state, esKeepGroup);
  }
}

}  // namespace
}  // namespace qm::testing
