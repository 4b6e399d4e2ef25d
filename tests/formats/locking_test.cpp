#include "formats/script_locking.h"

#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "formats/lock_script_dialog.h"
#include "formats/page_breaks.h"
#include "formats/page_type_dialog.h"
#include "script/model/packed_text.h"
#include "script/pagination/page_breaking.h"
#include "support/document_builder.h"

namespace qm::testing {
namespace {

class LockingTest : public DraftsFixture {
 protected:
  std::vector<ElementSpec> ThreeScenesOnTwoPages() {
    return {{ekSceneHeading, "INT. A"}, ActionLines(30), {ekSceneHeading, "INT. B"}, ActionLines(30),
            {ekSceneHeading, "INT. C"}, ActionLines(2)};
  }
  std::vector<Word> HeadingWords() const {
    std::vector<Word> words;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (IsSceneHeading(e->Kind())) words.push_back(e->format.NumberWord);
    return words;
  }
};

TEST_F(LockingTest, TheDialogLocksWhatIsChecked) {
  struct Case {
    const char* what;
    bool scenes, pages, headers;
  };
  const std::vector<Case> cases = {
      {"everything", true, true, true},
      {"scenes only", true, false, false},
      {"pages and headers", false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(ThreeScenesOnTwoPages());
    Window().CurrentRevision = 3;
    Driver().Expect([&c](TForm& form) {
      auto& dialog = dynamic_cast<TLockScriptDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Lock The Script");
      EXPECT_FALSE(dialog.UnlockGroup->Visible());
      dialog.ScenesBox->SetChecked(c.scenes);
      dialog.PagesBox->SetChecked(c.pages);
      dialog.HeadersBox->SetChecked(c.headers);
      form.ModalResult = mrOk;
    });
    LockTheScript(Window());
    EXPECT_EQ(Window().ScenesLocked, c.scenes);
    EXPECT_EQ(Window().PagesLocked, c.pages);
    EXPECT_EQ(Window().HeaderTextLocked, c.headers);
    const std::vector<Word> locked = {number_word::Make(1, true, 0), number_word::Make(2, true, 0),
                                      number_word::Make(3, true, 0)};
    EXPECT_EQ(HeadingWords(), c.scenes ? locked : std::vector<Word>(3, 0));
    EXPECT_EQ(BreakKinds(), std::vector<int>{c.pages ? ekLockedPageBreak : ekAutoPageBreak});
    if (c.pages) {
      EXPECT_EQ(PageStartBreak(Window().LastElement)->format.NumberWord, 3);
    }
    EXPECT_EQ(Window().FirstPageRevision, c.pages ? 3 : 0);
  }
}

TEST_F(LockingTest, CancellingTheDialogLocksNothing) {
  Start(ThreeScenesOnTwoPages());
  Driver().Expect([](TForm& form) { form.ModalResult = mrCancel; });
  LockTheScript(Window());
  EXPECT_EQ(Window().ScenesLocked, 0);
  EXPECT_EQ(Window().PagesLocked, 0);
  EXPECT_EQ(HeadingWords(), std::vector<Word>(3, 0));
}

TEST_F(LockingTest, UnlockingTurnsOffTheUncheckedLocksAndAGreyCheckKeepsTheMultiLock) {
  struct Case {
    const char* what;
    TCheckBoxState scenes, pages;
    Byte scenesLocked, scenesMulti, pagesLocked, pagesMulti;
    int breakKind;
  };
  const std::vector<Case> cases = {
      {"both off", TCheckBoxState::cbUnchecked, TCheckBoxState::cbUnchecked, 0, 0, 0, 0, ekAutoPageBreak},
      {"both kept", TCheckBoxState::cbChecked, TCheckBoxState::cbChecked, 1, 1, 1, 1, ekLockedPageBreak},
      {"grey: multi-locks only", TCheckBoxState::cbGrayed, TCheckBoxState::cbGrayed, 0, 1, 0, 1, ekLockedPageBreak},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(ThreeScenesOnTwoPages());
    LockScript(Window(), TLockChoices{});
    EXPECT_EQ(Window().ShowPageColours, 1) << "locked pages show their colours";
    Window().ScenesMultiLocked = Window().PagesMultiLocked = 1;
    Driver().Expect([&c](TForm& form) {
      auto& dialog = dynamic_cast<TLockScriptDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Unlock The Script");
      EXPECT_TRUE(dialog.ScenesBox->Checked()) << "the locks start checked";
      EXPECT_TRUE(dialog.ScenesBox->AllowGrayed);
      dialog.ScenesBox->SetState(c.scenes);
      dialog.PagesBox->SetState(c.pages);
      form.ModalResult = mrOk;
    });
    UnlockTheScript(Window());
    EXPECT_EQ(Window().ScenesLocked, c.scenesLocked);
    EXPECT_EQ(Window().ScenesMultiLocked, c.scenesMulti);
    EXPECT_EQ(Window().PagesLocked, c.pagesLocked);
    EXPECT_EQ(Window().PagesMultiLocked, c.pagesMulti);
    EXPECT_EQ(BreakKinds(), std::vector<int>{c.breakKind});
    EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Window().ShowPageColours, c.pagesLocked) << "the page colours follow the page lock";
  }
}

TEST_F(LockingTest, MultiLockingSwitchesOnAndAsksBeforeItSwitchesOff) {
  Start(ThreeScenesOnTwoPages());
  LockScript(Window(), TLockChoices{});
  std::string message;
  Press(mrOk, &message);
  MultiLockScenesOrPages(Window(), true);
  EXPECT_EQ(message, "Scenes are now Multi-Locked.");
  EXPECT_EQ(Window().ScenesMultiLocked, 1);

  Press(mrNo, &message);
  MultiLockScenesOrPages(Window(), true);
  EXPECT_EQ(message, "Should I turn off the Multi-Locking of Scenes?");
  EXPECT_EQ(Window().ScenesMultiLocked, 1) << "the writer said no";

  Press(mrOk, &message);
  MultiLockScenesOrPages(Window(), false);
  EXPECT_EQ(message, "Pages are now Multi-Locked.");
  Press(mrYes);
  Press(mrOk, &message);
  MultiLockScenesOrPages(Window(), false);
  EXPECT_EQ(message, "Pages are no longer Multi-Locked.");
  EXPECT_EQ(Window().PagesMultiLocked, 0);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(LockingTest, OmittedHeadingsAreRemovedAllAtOnceOrOneHeadingLeavesNone) {
  Start({{ekSceneHeading, "INT. A"},
         ActionLines(1),
         {ekSceneHeading, "OMITTED"},
         {ekSceneHeading, "INT. B"},
         {ekSceneHeading, "OMITTED"},
         ActionLines(1)});
  LockScript(Window(), TLockChoices{});
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));

  std::string report;
  Press(mrNo);
  EXPECT_EQ(RemoveAllOmittedSceneHeadings(Window(), true), 0) << "not confirmed";
  Press(mrYes);
  Press(mrOk, &report);
  EXPECT_EQ(RemoveAllOmittedSceneHeadings(Window(), true), 2);
  EXPECT_EQ(report, "2 OMITTED Scene Headings were removed.");
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1", "3"})) << "the locked numbers stay";

  // The heading of scene 3 becomes Action after the warning.
  CaretAt(2, 0);
  ASSERT_TRUE(IsSceneHeading(Window().CurrentElement()->Kind()));
  Press(mrYes);
  RemoveSceneHeadingNoOmit(Window());
  EXPECT_EQ(SceneNumbers(), (std::vector<std::string>{"1"}));
  EXPECT_EQ(Elements()[2], (ElementSpec{ekAction, "INT. B"}));

  std::string refusal;
  CaretAt(1, 0);
  Press(mrOk, &refusal);
  RemoveSceneHeadingNoOmit(Window());
  EXPECT_EQ(refusal, "The Cursor must be on a Scene Heading.");
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(LockingTest, AHeadingsNumberIsOverriddenByTheWritersChoice) {
  struct Case {
    const char* what;
    int choice;
    const char* typed;
    bool overridden;
    std::vector<std::string> numbers;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"locked where it stands", stLocked, "", true, {"1", "2", "3"}, nullptr},
      {"a number typed in", stManual, "7", true, {"1", "7", "8"}, nullptr},
      {"a number and letter typed in", stManual, "1b", true, {"1", "1B", "2"}, nullptr},
      {"numbered normally", stNormal, "", false, {"1", "2", "3"}, nullptr},
      {"not a number", stManual, "x9", false, {"1", "2", "3"}, "x9 is NOT a Valid Number!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start(ThreeScenesOnTwoPages());
    CaretAt(2, 0);
    ASSERT_TRUE(IsSceneHeading(Window().CurrentElement()->Kind()));
    Driver().Expect([&c](TForm& form) {
      auto& dialog = dynamic_cast<TWhichPageTypeDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Change Scene Type");
      EXPECT_EQ(dialog.SceneNumberEdit->Text(), "2") << "the number it shows";
      dialog.SceneTypeGroup->SetItemIndex(c.choice);
      if (*c.typed) dialog.SceneNumberEdit->Text = std::string(c.typed);
      form.ModalResult = mrOk;
    });
    std::string message;
    if (c.message) Press(mrOk, &message);
    EXPECT_EQ(ChangeSceneNumberingType(Window()), c.overridden);
    EXPECT_EQ(SceneNumbers(), c.numbers);
    EXPECT_EQ(message, c.message ? c.message : "");
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

TEST_F(LockingTest, PageLinesThatShortenThePagesBringTheOfferToCheatOrAdjust) {
  const struct {
    const char* what;
    std::string line2;
    bool continueds, pages;
    TModalResult answer;  // mrNone: no question
    bool cheated;
  } cases[] = {
      {"the same lines: no question", "", false, true, mrNone, false},
      {"a second header line, adjusted", "Blue Revision", false, true, mrNo, false},
      {"header and CONTINUEDs, cheated", "Blue Revision", true, true, mrYes, true},
      {"pages left unlocked: they simply flow", "Blue Revision", true, false, mrNone, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Start(std::vector<ElementSpec>(6, ActionLines(20)));
    Window().ActionBreakMode = bmMaximumLines;
    Window().HeaderLine1 = "SHOOTING SCRIPT";
    Repaginate();
    const int linesBefore = LinesPerPage(Window());
    const int firstPageBefore = ElementNo(2)->lineCount;
    Driver().Expect([&c](TForm& form) {
      auto& dialog = dynamic_cast<TLockScriptDlg&>(form);
      EXPECT_EQ(dialog.HeaderLine1Edit->Text(), "SHOOTING SCRIPT");
      EXPECT_EQ(dialog.HeaderLine2Edit->Text(), "");
      EXPECT_FALSE(dialog.ContinuedsBox->Checked());
      dialog.HeaderLine2Edit->Text = c.line2;
      dialog.ContinuedsBox->SetChecked(c.continueds);
      dialog.PagesBox->SetChecked(c.pages);
      form.ModalResult = mrOk;
    });
    std::string question;
    if (c.answer != mrNone) Press(c.answer, &question);
    LockTheScript(Window());
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(Window().HeaderLine2, c.line2);
    EXPECT_EQ(Window().TopSceneContinued, c.continueds);
    EXPECT_EQ(Window().PagesLocked, c.pages);
    if (c.answer != mrNone) {
      EXPECT_NE(question.find("instead of " + std::to_string(linesBefore) + "."), std::string::npos) << question;
    }
    if (c.cheated) {
      EXPECT_LT(Window().TextSpacing, 100);
      EXPECT_LT(Window().BlankSpacing, 100);
      EXPECT_GE(LinesPerPage(Window()), linesBefore) << "every page keeps its lines";
      EXPECT_GE(ElementNo(2)->lineCount, firstPageBefore) << "the first page still ends as far on";
    } else {
      EXPECT_EQ(Window().TextSpacing, 100);
      EXPECT_EQ(Window().BlankSpacing, 100);
    }
    if (c.answer == mrNo) {
      EXPECT_LT(LinesPerPage(Window()), linesBefore);
      EXPECT_LT(ElementNo(2)->lineCount, firstPageBefore) << "the first page break moved up";
    }
  }
}

// The word a lock stores reads a bare document: the number the heading's
// group holds in bits 0-8, the locked bit 9, and the A-letter it shows as
// its character code minus 60 in bits 10-15; no letter leaves those bits 0.
TEST(LockedNumberWordOfDocument, NumberLockAndShownLetter) {
  const struct {
    Word number;
    Byte letter;  // as typed; a blank is none
    char shown;
  } cases[] = {{7, ' ', '\0'}, {12, 'A', 'A'}, {3, 'B', 'B'}, {1, 'C', 'C'}};
  for (const auto& c : cases) {
    auto document = BuildDocument({{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "She waits."}});
    TElementGroup& group = *document->Element(0).group;
    group.number = c.number;
    document->StoreGroupLetter(&group, c.letter);
    const Word word = LockedNumberWord(*document, group);
    EXPECT_EQ(word & 0x01FF, c.number) << c.number << c.letter;
    EXPECT_NE(word & 0x0200, 0) << "locked";
    EXPECT_EQ(word >> 10, c.shown ? c.shown - 60 : 0) << c.number << c.letter;
  }
}

}  // namespace
}  // namespace qm::testing
