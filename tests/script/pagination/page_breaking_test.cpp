#include "script/pagination/page_breaking.h"

#include <gtest/gtest.h>

#include <functional>

#include "script/pagination/element_groups.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"
#include "script/layout/screen_lines.h"
#include "base/global_state.h"

namespace qm::testing {
namespace {

// With a bottom margin of two inches each page holds 2,330 dots: 46 lines
// of 50 dots and 30 over. A filler Action of F lines opening the page takes
// 50 + 50 F dots (its blank line and its lines), so after it an Action
// (one blank line before it) has room for 44 - F lines of text.
struct Case {
  const char* what;
  std::vector<ElementSpec> script;
  std::function<void(TMDIChild&)> setup;
  std::vector<std::string> pages;
};

const auto none = [](TMDIChild&) {};

ElementSpec Heading() { return {ekSceneHeading, "INT. ROOM"}; }
ElementSpec Name() { return {ekCharacterName, "JOHN"}; }

class PageBreakingTest : public PaginationFixture {
 protected:
  void SetUp() override {
    PaginationFixture::SetUp();
    GlobalState::ResetAll();
  }
  // A fresh script on pages of 2,330 dots, set up and paginated.
  void Paginate(const std::vector<ElementSpec>& script, const std::function<void(TMDIChild&)>& setup) {
    Window().FreeElements();
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    Window().BottomMargin = 20;
    Load(script);
    setup(Window());
    Repaginate();
  }
  void Run(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      Paginate(c.script, c.setup);
      EXPECT_EQ(Shape(), c.pages);
    }
  }
};

TEST_F(PageBreakingTest, ActionsBreakByTheirModeAndMinimumLines) {
  const auto mode = [](Byte m, Byte min) {
    return [m, min](TMDIChild& w) {
      w.ActionBreakMode = m;
      w.MinActionLines = min;
    };
  };
  // One sentence to the end of the fifth line, one to the end of the 14th.
  const std::string twoSentences = SentenceLines(5) + "  " + SentenceLines(9);
  // Sentences of three lines end on lines 3, 6, 9, 12 and 15.
  const std::string threeLineSentences = SentenceLines(3) + "  " + SentenceLines(3) + "  " + SentenceLines(3) + "  " +
                                         SentenceLines(3) + "  " + SentenceLines(3);
  // A one-line sentence, then one sentence to the end of the Action.
  const std::vector<ElementSpec> singleFirst{ActionLines(34), {ekAction, SentenceLines(1) + "  " + SentenceLines(13)}};
  const auto single = [](Byte on) {
    return [on](TMDIChild& w) {
      w.ActionBreakMode = 1;
      w.BreakAfterSingleSentence = on;
    };
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"maximum lines: ten lines fit", {ActionLines(34), ActionLines(14)}, mode(3, 2), {"A408 A120", "A48"}},
      {"maximum lines: the minimum stays for the next page", {ActionLines(34), ActionLines(11)}, mode(3, 2),
       {"A408 A108", "A24"}},
      {"maximum lines: a larger minimum", {ActionLines(34), ActionLines(11)}, mode(3, 5), {"A408 A72", "A60"}},
      {"maximum lines: too short to leave the minimum on both pages", {ActionLines(34), ActionLines(11)}, mode(3, 6),
       {"A408", "A132"}},
      {"never broken", {ActionLines(34), ActionLines(14)}, mode(0, 2), {"A408", "A168"}},
      {"no more lines than the minimum", {ActionLines(43), ActionLines(2)}, mode(3, 2), {"A516", "A24"}},
      {"sentence ends only: the last sentence that fits", {ActionLines(34), {ekAction, twoSentences}}, mode(1, 2),
       {"A408 A59", "A107"}},
      {"sentence ends preferred: none near the end of the room, so a line", {ActionLines(34), {ekAction, twoSentences}},
       mode(2, 2), {"A408 A119", "A47"}},
      {"sentence ends preferred: one near the end of the room", {ActionLines(34), {ekAction, threeLineSentences}},
       mode(2, 2), {"A408 A105", "A70"}},
      {"maximum lines ignores sentences", {ActionLines(34), {ekAction, threeLineSentences}}, mode(3, 2),
       {"A408 A117", "A58"}},
      {"sentence ends preferred with two lines of room", {ActionLines(42), {ekAction, Sentences(14, 11)}}, mode(2, 2),
       {"A504 A22", "A132"}},
      {"a single sentence at the top of the piece, allowed", singleFirst, single(1), {"A408 A11", "A155"}},
      {"a single sentence not allowed: the Action moves", singleFirst, single(0), {"A408", "A166"}},
  };
  // clang-format on
  Run(cases);
}

TEST_F(PageBreakingTest, HeadingsStayWithTheirAction) {
  // clang-format off
  Run({
      {"not one line of the Action fits under the heading", {ActionLines(42), Heading(), ActionLines(5)}, none,
       {"A504", "H2 A60"}},
      {"the Action under a heading is split", {ActionLines(24), Heading(), ActionLines(30)}, none,
       {"A288 H2 A204", "A156"}},
      {"a heading alone before a speech goes with it", {ActionLines(42), Heading(), Name(), DialogueLines(3)}, none,
       {"A504", "H2 C:JOHN D21"}},
  });
  // clang-format on
}

TEST_F(PageBreakingTest, TransitionsAndScenesAtTheTopOfAPage) {
  const std::vector<ElementSpec> transition{
      ActionLines(43), ActionLines(1), {ekTransition, "CUT TO:"}, Heading(), ActionLines(1)};
  // With top continueds the page holds two lines less, given back to a
  // page that a scene opens when scenes may stand on that line.
  const std::vector<ElementSpec> topOfPage{ActionLines(43), Heading(), ActionLines(41), ActionLines(1)};
  // clang-format off
  Run({
      {"a Transition that does not fit takes the group before it along", transition, none, {"A516", "A12 T2 H2 A12"}},
      {"... unless it may open a page", transition, [](TMDIChild& w) { w.TransitionOnFirstLine = 1; },
       {"A516 A12", "T2 H2 A12"}},
      {"... or stand on the CONTINUED line before a new scene", transition,
       [](TMDIChild& w) {
         w.BottomSceneContinued = 1;
         w.TransitionOnContinuedLine = 1;
       },
       {"A516 A12 T2", "H2 A12"}},
      {"a scene on the top CONTINUED line", topOfPage,
       [](TMDIChild& w) {
         w.TopSceneContinued = 1;
         w.ScenesOnTopContinuedLine = 1;
       },
       {"A516", "H2 A492 A12"}},
      {"the top CONTINUED line kept free", topOfPage, [](TMDIChild& w) { w.TopSceneContinued = 1; },
       {"A516", "H2 A492", "A12"}},
      {"the first page starts lower", {ActionLines(40), ActionLines(1)},
       [](TMDIChild& w) { w.FirstPageLine = 4; }, {"A480", "A12"}},
      {"... and so does a forced page", {ActionLines(10), {ekForcedPageBreak, " "}, ActionLines(40), ActionLines(1)},
       [](TMDIChild& w) { w.FirstPageLine = 4; }, {"A120", "A480", "A12"}},
  });
  // clang-format on
}

TEST_F(PageBreakingTest, SpeechesBreakWithTheNameRepeated) {
  const auto dialogue = [](Byte mode, Byte min) {
    return [mode, min](TMDIChild& w) {
      w.DialogueBreakMode = mode;
      w.MinDialogueLines = min;
    };
  };
  // A speech that ends the script moves whole; these are followed by an
  // Action of one line.
  const std::vector<ElementSpec> long14{ActionLines(34), Name(), DialogueLines(14), ActionLines(1)};
  // Two sentences of one line each, room for one of them (a MORE line
  // would take the room of the other).
  const std::vector<ElementSpec> twoOneLiners{ActionLines(42), Name(), {ekDialogue, Sentences(2, 6)}, ActionLines(1)};
  const auto oneLiners = [](Byte single, Byte two) {
    return [single, two](TMDIChild& w) {
      w.DialogueBreakMode = 1;
      w.MinDialogueLines = 1;
      w.CountMoreLine = 0;
      w.BreakAfterSingleSentence = single;
      w.BreakTwoOneLiners = two;
    };
  };
  // clang-format off
  Run({
      {"inside the Dialogue, room kept for the MORE line", long14, none, {"A408 C:JOHN D56", "C:JOHN D42 A12"}},
      {"the MORE line not counted", long14, [](TMDIChild& w) { w.CountMoreLine = 0; },
       {"A408 C:JOHN D63", "C:JOHN D35 A12"}},
      {"no MORE text, no MORE line", long14, [](TMDIChild& w) { w.MoreText.clear(); },
       {"A408 C:JOHN D63", "C:JOHN D35 A12"}},
      {"maximum lines", long14, dialogue(3, 2), {"A408 C:JOHN D56", "C:JOHN D42 A12"}},
      {"never broken", long14, dialogue(0, 2), {"A408", "C:JOHN D98 A12"}},
      {"before a Parenthetical",
       {ActionLines(34), Name(), DialogueLines(8), {ekParenthetical, "beat"}, DialogueLines(5), ActionLines(1)}, none,
       {"A408 C:JOHN D56", "C:JOHN P1 D35 A12"}},
      {"too little room for the minimum after a Parenthetical: the whole speech",
       {ActionLines(42), Name(), {ekParenthetical, "beat"}, DialogueLines(3), ActionLines(1)}, none,
       {"A504", "C:JOHN P1 D21 A12"}},
      {"two one-line sentences", twoOneLiners, oneLiners(1, 1), {"A504 C:JOHN D6", "C:JOHN D6 A12"}},
      {"... not after a single sentence", twoOneLiners, oneLiners(0, 1), {"A504", "C:JOHN D12 A12"}},
      {"... not when two one-liners stay together", twoOneLiners, oneLiners(1, 0), {"A504", "C:JOHN D12 A12"}},
      {"a kept Dialogue moves after the Dialogue before it",
       {ActionLines(34), Name(), DialogueLines(3), DialogueLines(14), ActionLines(1)},
       [](TMDIChild& w) { w.FirstElement->next->next->next->state = esKeepGroup; },
       {"A408 C:JOHN D21", "C:JOHN D98 A12"}},
  });
  // clang-format on
}

// The screen shows "(MORE)" above every break that splits a speech, as
// the printed page will, whichever way the pass broke the speech.
TEST_F(PageBreakingTest, EveryBreakInsideASpeechShowsMoreOnScreen) {
  struct MoreCase {
    const char* what;
    Byte mode;
    std::vector<ElementSpec> script;
    std::vector<bool> more;  // for each page break, in order
  };
  const std::vector<ElementSpec> long14{ActionLines(34), Name(), DialogueLines(14), ActionLines(1)};
  const std::vector<MoreCase> cases = {
      {"inside the Dialogue, sentence ends preferred", 2, long14, {true}},
      {"inside the Dialogue, maximum lines", 3, long14, {true}},
      {"inside the Dialogue, sentence ends only",
       1,
       {ActionLines(34), Name(), {ekDialogue, Sentences(14, 6)}, ActionLines(1)},
       {true}},
      {"before a Parenthetical",
       2,
       {ActionLines(34), Name(), DialogueLines(8), {ekParenthetical, "beat"}, DialogueLines(5), ActionLines(1)},
       {true}},
      {"a speech moved whole", 0, long14, {false}},
      {"two pages of one speech", 3, {ActionLines(10), Name(), DialogueLines(100), ActionLines(1)}, {true, true}},
  };
  for (const MoreCase& c : cases) {
    SCOPED_TRACE(c.what);
    Paginate(c.script, [&c](TMDIChild& w) { w.DialogueBreakMode = c.mode; });
    std::vector<bool> more;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next) {
      if (!IsPageBreakKind(e->Kind())) continue;
      const auto lines = PageBreakLines(Window(), *e);
      more.push_back(!lines.empty() && lines.front().text == "(MORE)");
    }
    EXPECT_EQ(more, c.more) << ::testing::PrintToString(Shape());
  }
}

TEST_F(PageBreakingTest, PageEndsMoveBackOverWhatBelongsToTheNextPage) {
  // clang-format off
  Run({
      {"over a Script Note", {ActionLines(42), {ekScriptNote, "note"}, Heading(), ActionLines(5)}, none,
       {"A504", "N1 H2 A60"}},
      {"over a shot before the heading", {ActionLines(41), {ekShot, "ANGLE"}, Heading(), ActionLines(5)}, none,
       {"A492", "S1 H2 A60"}},
      {"over act information", {ActionLines(41), {ekActInformation, "ACT TWO"}, Heading(), ActionLines(5)}, none,
       {"A492", "I2 H2 A60"}},
      {"over a group kept with the next one", {ActionLines(34), ActionLines(2), ActionLines(14)},
       [](TMDIChild& w) {
         w.ActionBreakMode = 0;
         w.FirstElement->next->state = esKeepFollowing;
       },
       {"A408", "A24 A168"}},
      {"but not back to the top of the page",
       {ActionLines(10), {ekForcedPageBreak, " "}, Heading(), Name(), DialogueLines(44)},
       [](TMDIChild& w) { w.DialogueBreakMode = 0; }, {"A120", "H2", "C:JOHN D308"}},
  });
  // clang-format on
}

TEST_F(PageBreakingTest, NotesAndHiddenElementsTakeNoRoom) {
  const std::vector<ElementSpec> script{ActionLines(43), {ekScriptNote, Words(60)}, ActionLines(1)};
  Run({
      {"a note that is not printed", script, none, {"A516 N60 A12"}},
      {"a printed note", script, [](TMDIChild& w) { w.PrintScriptNotes = 1; }, {"A516", "N60 A12"}},
      {"a hidden printed note",
       script,
       [](TMDIChild& w) {
         w.PrintScriptNotes = 1;
         w.FirstElement->next->state = esHidden;
       },
       {"A516 N60 A12"}},
      {"shown hidden text",
       {ActionLines(43), ActionLines(5), ActionLines(1)},
       [](TMDIChild& w) { w.FirstElement->next->state = esShownHidden; },
       {"A516 A60 A12"}},
  });
}

TEST_F(PageBreakingTest, ColumnsOfAnAVScriptStandSideBySide) {
  const auto columns = [](TMDIChild& w) {
    w.ActionBreakMode = 0;
    w.FirstElement->next->avColumn = 1;
    w.FirstElement->next->next->avColumn = 2;
  };
  Run({
      {"the taller column counts",
       {ActionLines(34), ActionLines(5), ActionLines(8), ActionLines(3)},
       columns,
       {"A408 A60 A96", "A36"}},
      {"a run that does not fit moves whole",
       {ActionLines(38), ActionLines(5), ActionLines(8), ActionLines(1)},
       columns,
       {"A456", "A60 A96 A12"}},
  });
}

TEST_F(PageBreakingTest, LockedPagesGetAPagesPastTheSkippedLetters) {
  const std::vector<ElementSpec> script{ActionLines(44), {ekLockedPageBreak, " "}, ActionLines(44),
                                        ActionLines(44), ActionLines(44),          ActionLines(44)};
  struct Numbers {
    const char* what;
    std::function<void(TMDIChild&)> setup;
    std::vector<std::string> numbers;
  };
  const std::vector<Numbers> cases = {
      {"unlocked", none, {"2", "3", "4", "5"}},
      {"locked", [](TMDIChild& w) { w.PagesLocked = 1; }, {"2", "2A", "2B", "2C"}},
      {"locked, B skipped",
       [](TMDIChild& w) {
         w.PagesLocked = 1;
         w.SkipLetters['B' >> 3] |= 1 << ('B' & 7);
       },
       {"2", "2A", "2C", "2D"}},
      {"page numbers start at 10", [](TMDIChild& w) { w.PageStart = 10; }, {"11", "12", "13", "14"}},
  };
  for (const Numbers& c : cases) {
    SCOPED_TRACE(c.what);
    Window().FreeElements();
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    Load(script);
    c.setup(Window());
    Repaginate();
    EXPECT_EQ(PageNumbers(), c.numbers);
  }
}

TEST_F(PageBreakingTest, FixedAPagesAfterANewBreakTakeTheCurrentRevision) {
  Load({ActionLines(44),
        {ekLockedPageBreak, " "},
        ActionLines(44),
        ActionLines(10),
        {ekFixedAPageBreak, " "},
        ActionLines(5)});
  Window().PagesLocked = 1;
  Window().CurrentRevision = 3;
  TScriptElement* fixed = ElementNo(4);
  fixed->format.NumberWord = 0x0105;
  fixed->text = PackText("REVISED HEADER");
  Repaginate();
  EXPECT_EQ(PageNumbers(), (std::vector<std::string>{"2", "2A", "2B"}));
  // The revision goes to the low byte, where the page colours read it; the
  // high byte (the page holds lines revised now) is kept.
  EXPECT_EQ(fixed->format.NumberWord, 0x0103);
  EXPECT_EQ(UnpackText(*fixed->text), " ");
}

TEST_F(PageBreakingTest, ASpeechLongerThanAPageStopsThePass) {
  Load({ActionLines(10), Name(), DialogueLines(60), ActionLines(40), ActionLines(40)});
  Window().BottomMargin = 20;
  Window().DialogueBreakMode = 0;
  std::string text;
  AnswerMessage(&text);
  Repaginate();
  EXPECT_NE(text.find("You have a Single Speech that would extend over two page breaks!"), std::string::npos);
  EXPECT_EQ(Shape(), (std::vector<std::string>{"A120", "C:JOHN D420 A480 A480"}));
}

// A forced break kept with what follows it, and a heading whose Action
// (not to be broken) does not fit on a page: backing up from the heading
// reaches the break that opened the page, which must not open it again,
// also when a note the page start passes over lies between them.
TEST_F(PageBreakingTest, APageNeverEndsAtTheBreakThatOpenedIt) {
  const struct {
    const char* what;
    std::vector<ElementSpec> between;
    std::vector<std::string> pages;
  } cases[] = {
      {"the break right before the heading", {}, {"A120", "H2 A480 A24"}},
      {"a note that is not printed between them", {{ekScriptNote, "note"}}, {"A120", "N1 H2 A480 A24"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> script{ActionLines(10), {ekForcedPageBreak, " "}};
    script.insert(script.end(), c.between.begin(), c.between.end());
    script.insert(script.end(), {Heading(), ActionLines(40), ActionLines(2)});
    std::string text;
    AnswerMessage(&text);
    Paginate(script, [](TMDIChild& w) {
      w.BottomMargin = 30;  // 2,030 dots: the heading and its Action take 2,150
      w.ActionBreakMode = 0;
      w.FirstElement->next->state = esKeepFollowing;
    });
    EXPECT_NE(text.find("You have a Single Speech that would extend over two page breaks!"), std::string::npos);
    EXPECT_EQ(Shape(), c.pages);
    EXPECT_EQ(PageNumbers().size(), 1u) << "one page break: the forced one";
  }
}

// John's speech is split inside its bold Dialogue, Mary's before her
// Parenthetical; each goes on under the repeated name.
TEST_F(PageBreakingTest, SplitSpeechesGoOnUnderTheRepeatedName) {
  Window().BottomMargin = 20;
  // clang-format off
  Load({ActionLines(34), Name(), {ekDialogue, "\x02" + Words(98) + "\x03"}, ActionLines(26),
        {ekCharacterName, "MARY"}, DialogueLines(8), {ekParenthetical, "beat"}, DialogueLines(5), ActionLines(1)});
  // clang-format on
  const auto original = Elements();
  Repaginate();
  EXPECT_EQ(Shape(), (std::vector<std::string>{"A408 C:JOHN D56", "C:JOHN D42 A312 C:MARY D56", "C:MARY P1 D35 A12"}));
  EXPECT_EQ(BreakStates(), (std::vector<int>{spFirstPiece, spSecondPiece}));
  const TScriptElement* repeated = ElementNo(4);
  ASSERT_EQ(repeated->Kind(), ekCharacterName);
  EXPECT_EQ(CueContinuedState(repeated->split), 2);
  EXPECT_EQ(repeated->group, ElementNo(5)->group);
  // The bold run open at the split goes on in the second piece.
  EXPECT_TRUE(ElementNo(5)->format.Style & stBold);
  EXPECT_FALSE(ElementNo(2)->format.Style & stBold);

  const auto once = Elements();
  Repaginate();
  EXPECT_EQ(Elements(), once);
  Window().RejoinSplitElements();
  EXPECT_EQ(Elements(), original);
  EXPECT_EQ(ElementNo(2)->format, Window().FormatSet[fsDialogue]);
}

}  // namespace
}  // namespace qm::testing
