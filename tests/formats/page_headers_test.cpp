#include "formats/page_headers.h"

#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "formats/cheat_header_dialog.h"
#include "formats/page_breaks.h"
#include "formats/script_locking.h"
#include "script/model/packed_text.h"

namespace qm::testing {
namespace {

class PageHeadersTest : public DraftsFixture {
 protected:
  // Three locked pages under the header "DRAFT" of revision 1, each with
  // room for a second header line.
  void LockedThreePages() {
    Start({ActionLines(40), ActionLines(40), ActionLines(40)});
    Window().ActionBreakMode = 0;
    Repaginate();
    Window().HeaderLine1 = "DRAFT";
    Window().CurrentRevision = 1;
    LockScript(Window(), TLockChoices{});
  }
  std::vector<std::string> Headers() const {
    std::vector<std::string> headers;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (IsPageBreakKind(e->Kind())) headers.push_back(PageHeaderText(Window(), e));
    return headers;
  }
  std::vector<int> Revisions() const {
    std::vector<int> revisions;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (IsPageBreakKind(e->Kind())) revisions.push_back(e->format.NumberWord & 0xFF);
    return revisions;
  }
};

TEST_F(PageHeadersTest, LockingFixesEveryPagesHeaderAndFlexingGivesThemTheCurrentOne) {
  LockedThreePages();
  const std::vector<std::string> draft(2, "DRAFT\x8D");
  EXPECT_EQ(Headers(), draft);
  EXPECT_EQ(Window().RevisionSetLocked, 1);

  // A new header and revision: the fixed pages keep theirs.
  Window().HeaderLine1 = "BLUE DRAFT";
  Window().HeaderLine2 = "Page two";
  Window().CurrentRevision = 2;
  EXPECT_EQ(Headers(), draft);
  EXPECT_EQ(Revisions(), (std::vector<int>{1, 1}));

  // One page brought up to date, then all of them.
  UpdatePageHeader(Window(), PageStartBreak(Window().LastElement));
  EXPECT_EQ(Headers(), (std::vector<std::string>{"DRAFT\x8D", "BLUE DRAFT\rPage two"}));
  EXPECT_EQ(Revisions(), (std::vector<int>{1, 2}));
  UnfixAllHeaders(Window(), true);
  EXPECT_EQ(Headers(), std::vector<std::string>(2, "BLUE DRAFT\rPage two"));
  EXPECT_EQ(Revisions(), (std::vector<int>{2, 2}));
  EXPECT_EQ(Window().FirstPageRevision, 2);
}

TEST_F(PageHeadersTest, UnlockingWithUnfixedHeadersKeepsThePagesLockedUnderTheCurrentHeader) {
  LockedThreePages();
  Window().HeaderLine1 = "GREEN";
  TLockChoices keep;
  keep.unfixHeaders = true;
  UnlockScript(Window(), keep);
  EXPECT_EQ(Window().PagesLocked, 1);
  EXPECT_EQ(Headers(), std::vector<std::string>(2, "GREEN\x8D"));
}

TEST_F(PageHeadersTest, UnlockingTheHeaderTextLetsEveryPageShowTheCurrentHeader) {
  LockedThreePages();
  Window().HeaderLine1 = "PINK";
  UnlockHeaderText(Window());
  EXPECT_EQ(Window().HeaderTextLocked, 0);
  EXPECT_EQ(Window().HeadersLocked, 0);
  EXPECT_EQ(Headers(), std::vector<std::string>(2, "PINK\x8D"));
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    if (IsPageBreakKind(e->Kind())) {
      EXPECT_EQ(UnpackText(*e->text), " ");
    }
}

TEST_F(PageHeadersTest, FixingTheHeadersTakesTheMarksAwayWithoutAQuestion) {
  Start({ActionLines(44), ActionLines(44)});
  LockScript(Window(), TLockChoices{.headers = false});
  ElementNo(0)->revisedLines = std::string(1, '\x01');
  FixAllHeaders(Window());
  EXPECT_FALSE(ElementNo(0)->revisedLines);
  EXPECT_EQ(Window().HeaderTextLocked, 1);
  EXPECT_EQ(Driver().Pending(), 0);

  std::string message;
  Press(mrOk, &message);
  FixAllHeaders(Window());
  EXPECT_EQ(message, "The Header Text was already Locked.");
}

TEST_F(PageHeadersTest, OnePagesHeaderAndDraftColourAreCheated) {
  LockedThreePages();
  Window().AddRevisionColour("BLUE", clNone);
  Window().AddRevisionColour("PINK", clNone);
  Window().HeaderLine1 = "BLUE DRAFT";
  UnfixAllHeaders(Window(), true);
  Window().Assemble();
  Edit(Window().LastElement);
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TCheatHeaderDlg&>(form);
    EXPECT_EQ(dialog.Line1Edit->Text(), "BLUE DRAFT");
    EXPECT_EQ(dialog.Line2Edit->Text(), "");
    EXPECT_EQ(dialog.RevisionBox->ItemIndex(), 1) << "the page's revision";
    dialog.Line2Edit->Text = std::string("Sc. 3");
    dialog.RevisionBox->SetItemIndex(2);
    form.ModalResult = mrOk;
  });
  std::string question;
  Press(mrYes, &question);
  EXPECT_TRUE(CheatPageHeader(Window()));
  EXPECT_EQ(question, "Should I replace BLUE with PINK in Header Lines 1 and 2?");
  EXPECT_EQ(Headers(), (std::vector<std::string>{"BLUE DRAFT\x8D", "PINK DRAFT\rSc. 3"}));
  EXPECT_EQ(Revisions(), (std::vector<int>{1, 2}));

  std::string refusal;
  Window().Assemble();
  Edit(Window().FirstElement);
  Press(mrOk, &refusal);
  EXPECT_FALSE(CheatPageHeader(Window()));
  EXPECT_EQ(refusal, "Only the Header of a Page that starts with a Forced, Fixed or Locked Page Break can be changed.");
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing
