#include "script/pagination/element_groups.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"
#include "script/model/edit_line_writer.h"

namespace qm::testing {
namespace {

class ElementGroupsTest : public PaginationFixture {
 protected:
  void Reload(const std::vector<ElementSpec>& elements) {
    Window().FreeElements();
    Load(elements);
  }
  void SetState(int index, Byte state) { ElementNo(index)->state = state; }
  void SkipLetter(char letter) {
    Window().SkipLetters[static_cast<size_t>(letter) >> 3] |= static_cast<Byte>(1 << (letter & 7));
  }
  // Every element belongs to a group of the chain, each group holds the
  // run of elements that points back at it, and the links agree.
  void ExpectWholeChain() const {
    const TMDIChild& w = Window();
    std::set<const TElementGroup*> chain;
    const TElementGroup* last = nullptr;
    for (const TElementGroup* g = w.FirstElement->group; g; g = g->next) {
      EXPECT_EQ(g->prev, last);
      ASSERT_NE(g->first, nullptr);
      EXPECT_EQ(g->first->group, g);
      int run = 0;
      for (const TScriptElement* e = g->first; e && e->group == g; e = e->next) ++run;
      EXPECT_EQ(run, g->count);
      chain.insert(g);
      last = g;
    }
    EXPECT_EQ(w.LastGroup, last);
    for (const TScriptElement* e = w.FirstElement; e; e = e->next) EXPECT_TRUE(chain.count(e->group));
  }
};

TEST_F(ElementGroupsTest, GroupsFollowTheRunsOfTheScript) {
  struct Case {
    const char* what;
    std::vector<ElementSpec> script;
    std::vector<std::pair<int, Byte>> states;
    std::vector<int> sizes;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"one element", {{ekAction, "x"}}, {}, {1}},
      {"a heading holds hidden elements and the first visible Action",
       {{ekSceneHeading, "INT. ROOM"}, {ekScriptNote, "n"}, {ekAction, "a"}, {ekAction, "b"}, {ekAction, "c"}},
       {{1, esHidden}, {2, esShownHidden}}, {4, 1}},
      {"a heading followed by a name stands alone",
       {{ekSceneHeading, "INT. ROOM"}, {ekCharacterName, "JOHN"}, {ekDialogue, "d"}}, {}, {1, 2}},
      {"a speech holds its Dialogue and Parentheticals",
       {{ekCharacterName, "JOHN"}, {ekDialogue, "d"}, {ekParenthetical, "p"}, {ekDialogue, "d"}, {ekAction, "a"}}, {},
       {4, 1}},
      {"a speech holds hidden elements of any kind",
       {{ekCharacterName, "JOHN"}, {ekDialogue, "d"}, {ekAction, "a"}, {ekDialogue, "d"}}, {{2, esHidden}}, {4}},
      {"a shot holds an Action", {{ekShot, "ANGLE"}, {ekAction, "a"}, {ekTransition, "CUT TO:"}}, {}, {2, 1}},
      {"other kinds stand alone",
       {{ekTransition, "CUT TO:"}, {ekCenteredTitle, "THE END"}, {ekActInformation, "ACT ONE"}, {ekScriptNote, "n"},
        {ekForcedPageBreak, " "}, {ekAction, "a"}, {ekDialogue, "d"}},
       {}, {1, 1, 1, 1, 1, 1, 1}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reload(c.script);
    for (const auto& [index, state] : c.states) SetState(index, state);
    Window().RebuildElementGroups();
    EXPECT_EQ(GroupSizes(), c.sizes);
    ExpectWholeChain();
  }
}

TEST_F(ElementGroupsTest, AScriptNeverBeginsWithAPageBreak) {
  Load({{ekForcedPageBreak, " "}, {ekAction, "a"}});
  Window().RebuildElementGroups();
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, " "}, {ekForcedPageBreak, " "}, {ekAction, "a"}}));
  EXPECT_EQ(Window().FirstElement->format, Window().FormatSet[fsAction]);
  ExpectWholeChain();
}

TEST_F(ElementGroupsTest, SpeechesAreNumberedInOrderWhateverLiesBetween) {
  std::vector<ElementSpec> script;
  for (int i = 0; i < 10; ++i) {
    script.push_back({ekCharacterName, "JOHN"});
    if (i % 3 == 0) script.push_back({ekAction, "a"});
  }
  Load(script);
  Window().RebuildElementGroups();
  std::vector<int> numbers;
  for (const TElementGroup* g = Window().FirstElement->group; g; g = g->next)
    if (g->first->Kind() == ekCharacterName) numbers.push_back(g->number);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(ElementGroupsTest, PagesAreNumberedByTheirBreaks) {
  struct Case {
    const char* what;
    Byte locked, multiLocked;
    std::vector<Byte> breaks;
    std::vector<std::string> numbers;
  };
  std::vector<Byte> eleven(11, ekForcedPageBreak);
  std::vector<Byte> lockedRun = eleven;
  lockedRun.insert(lockedRun.end(), {ekAutoPageBreak, ekAutoPageBreak, ekAutoPageBreak, ekForcedPageBreak});
  // clang-format off
  const std::vector<Case> cases = {
      {"unlocked breaks count on", 0, 0, {ekAutoPageBreak, ekForcedPageBreak, ekAutoPageBreak}, {"2", "3", "4"}},
      {"locked pages give A-pages", 1, 0, lockedRun,
       {"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "12A", "12B", "12C", "13"}},
      {"locked A-pages of their own", 0, 0,
       {ekLockedPageBreak, ekFixedAPageBreak, ekMultiLockedPageBreak, ekLockedPageBreak}, {"2", "2A", "2B", "3"}},
      {"multi-locked: an automatic break before an A-page keeps the letter", 1, 1,
       {ekForcedPageBreak, ekAutoPageBreak, ekMultiLockedPageBreak, ekAutoPageBreak, ekLockedPageBreak},
       {"2", "2", "2A", "2B", "3"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> script{{ekAction, "a"}};
    for (Byte kind : c.breaks) script.insert(script.end(), {{kind, " "}, {ekAction, "a"}});
    Reload(script);
    Window().PagesLocked = c.locked;
    Window().PagesMultiLocked = c.multiLocked;
    Window().RebuildElementGroups();
    EXPECT_EQ(PageNumbers(), c.numbers);
  }
}

TEST_F(ElementGroupsTest, ARebuildFreesTheGroupsBeyondTheLastElement) {
  std::vector<ElementSpec> script;
  for (int i = 0; i < 20; ++i) script.push_back({i % 2 ? ekCharacterName : ekAction, "x"});
  Load(script);
  Window().RebuildElementGroups();
  TScriptElement* keep = ElementNo(9);
  while (keep->next) {
    Window().DeleteNextElement(keep);
  }
  Window().RebuildElementGroups();
  EXPECT_EQ(GroupSizes().size(), 10u);
  EXPECT_EQ(Window().LastGroup->next, nullptr);
  ExpectWholeChain();
}

TEST_F(ElementGroupsTest, RemovingAnElementLeavesNoGroupPointingAtIt) {
  Load({{ekAction, "a"}, {ekCharacterName, "JOHN"}, {ekDialogue, "one"}, {ekDialogue, "two"}});
  Window().RebuildElementGroups();
  TElementGroup* speech = ElementNo(1)->group;
  EditFields(Window()).CurrentElement = ElementNo(1);
  Window().DeleteNextElement(ElementNo(0));
  EXPECT_EQ(speech->first, ElementNo(1));
  EXPECT_EQ(speech->count, 2);
  EXPECT_EQ(Window().CurrentElement(), ElementNo(0));
  Window().DeleteNextElement(ElementNo(2));
  EXPECT_EQ(speech->count, 2);
  EXPECT_EQ(Window().LastElement, ElementNo(2));
}

TEST_F(ElementGroupsTest, GroupHeightsInPrinterDots) {
  Backend().PrinterList().clear();
  struct Case {
    const char* what;
    std::vector<ElementSpec> script;
    std::function<void(TMDIChild&)> setup;
    int height;
  };
  const auto none = [](TMDIChild&) {};
  const std::vector<Case> cases = {
      {"an Action of three lines and its blank line", {{ekAction, Words(36)}}, none, 50 + 150},
      {"a scene heading: two blank lines", {{ekSceneHeading, "INT. ROOM"}}, none, 100 + 50},
      {"double-spaced Dialogue of three lines",
       {{ekDialogue, Words(21)}},
       [](TMDIChild& w) { w.FirstElement->format.Spacing = 20; },
       50 + 2 * 100},
      {"a Script Note takes no room", {{ekScriptNote, "note"}}, none, 0},
      {"... unless notes are printed", {{ekScriptNote, "note"}}, [](TMDIChild& w) { w.PrintScriptNotes = 1; }, 100},
      {"hidden text takes no room", {{ekAction, "a"}}, [](TMDIChild& w) { w.FirstElement->state = esHidden; }, 0},
      {"nor does shown hidden text", {{ekAction, "a"}}, [](TMDIChild& w) { w.FirstElement->state = esShownHidden; }, 0},
      {"nor a hidden kind", {{ekAction, "a"}}, [](TMDIChild& w) { w.HiddenKinds = 1u << ekAction; }, 0},
      {"text lines at 80 percent", {{ekAction, Words(24)}}, [](TMDIChild& w) { w.TextSpacing = 80; }, 50 + 80},
      {"the font percentage scales text lines",
       {{ekAction, Words(24)}},
       [](TMDIChild& w) { w.FontPercent = 50; },
       50 + 50},
      {"blank lines at 50 percent", {{ekAction, "a"}}, [](TMDIChild& w) { w.BlankSpacing = 50; }, 25 + 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reload(c.script);
    Window().TextSpacing = Window().BlankSpacing = Window().FontPercent = 100;
    Window().PrintScriptNotes = 0;
    Window().HiddenKinds = 0;
    c.setup(Window());
    Window().RebuildElementGroups();
    EXPECT_EQ(Window().MeasureLineRun(Window().FirstElement->group), c.height);
  }
}

TEST_F(ElementGroupsTest, ALongSpeechAtAHighResolutionKeepsItsHeight) {
  auto& printers = Backend().PrinterList();
  printers.insert(printers.begin(),
                  std::make_unique<RecordingPrinter>("Fine", 1200, TPoint{10200, 13200}, TPoint{300, 300}));
  Printer()->Refresh();
  Printer()->SetPrinterIndex(0);
  // Three Dialogues of 75 lines of 200 dots each, far past 32,767 dots.
  const std::string full = Words(7 * 75);
  Load({{ekCharacterName, "JOHN"}, {ekDialogue, full}, {ekDialogue, full}, {ekDialogue, full}});
  Window().RebuildElementGroups();
  EXPECT_EQ(ElementNo(1)->lineCount, 75);
  EXPECT_EQ(Window().MeasureLineRun(Window().FirstElement->group), 200 + 200 + 3 * 75 * 200);
}

TEST_F(ElementGroupsTest, AContinuedNameTakesNoLineExceptAtTheTopOfAPage) {
  // clang-format off
  Load({{ekCharacterName, "JOHN"}, {ekDialogue, "one"}, {ekCharacterName, "JOHN"}, {ekDialogue, "two"},
        {ekAutoPageBreak, " "}, {ekCharacterName, "JOHN"}, {ekDialogue, "three"}});
  // clang-format on
  ElementNo(2)->split = 19;  // no extension, automatic CONT'D
  ElementNo(5)->split = 19;
  const TMDIChild& w = Window();
  EXPECT_FALSE(w.IsSuppressedCue(ElementNo(2)));
  Window().ContinuedNamesOnlyFirst = 1;
  EXPECT_FALSE(w.IsSuppressedCue(ElementNo(0)));
  EXPECT_TRUE(w.IsSuppressedCue(ElementNo(2)));
  EXPECT_FALSE(w.IsSuppressedCue(ElementNo(5)));
  ElementNo(0)->state = esHidden;
  EXPECT_TRUE(w.IsSuppressedCue(ElementNo(0)));
  Window().RebuildElementGroups();
  EXPECT_EQ(Window().MeasureLineRun(ElementNo(2)->group), 50 + 50);
}

TEST_F(ElementGroupsTest, GroupLettersAreStoredPastTheSkippedLetters) {
  Load({{ekAction, "a"}});
  SkipLetter('I');
  SkipLetter('J');
  TElementGroup* g = Window().FirstElement->group;
  const std::vector<std::pair<Byte, Byte>> cases = {{' ', '='}, {'-', '>'}, {'H', 'H'}, {'I', 'K'},
                                                    {'}', '}'}, {126, '}'}, {200, '}'}, {0, 0}};
  for (const auto& [given, stored] : cases) {
    Window().StoreGroupLetter(g, given);
    EXPECT_EQ(g->letter, stored) << int(given);
  }
}

TEST_F(ElementGroupsTest, NextLockedBreakDecidesAPages) {
  // clang-format off
  Load({{ekAction, "a"}, {ekAutoPageBreak, " "}, {ekAction, "b"}, {ekMultiLockedPageBreak, " "},
        {ekAutoPageBreak, " "}, {ekForcedPageBreak, " "}, {ekAutoPageBreak, " "}, {ekAction, "c"}});
  // clang-format on
  Window().RebuildElementGroups();
  const TMDIChild& w = Window();
  EXPECT_TRUE(w.NextLockedBreakIsAPage(ElementNo(1)->group));
  EXPECT_FALSE(w.NextLockedBreakIsAPage(ElementNo(4)->group));
  EXPECT_FALSE(w.NextLockedBreakIsAPage(ElementNo(6)->group));
  EXPECT_FALSE(w.NextLockedBreakIsAPage(nullptr));
}

TEST_F(ElementGroupsTest, KeepTogetherTogglesTheFirstElementOfTheGroup) {
  Load({{ekSceneHeading, "INT. ROOM"}, {ekAction, "a"}, {ekAction, "b"}});
  Window().RebuildElementGroups();
  EditFields(Window()).CurrentElement = ElementNo(1);
  const std::vector<std::pair<bool, Byte>> steps = {
      {false, esKeepGroup}, {false, esNormal}, {true, esKeepFollowing}, {false, esNormal}, {true, esKeepFollowing}};
  for (const auto& [following, state] : steps) {
    EXPECT_EQ(Window().KeepGroupTogether(following), state);
    EXPECT_EQ(ElementNo(0)->state, state);
    EXPECT_EQ(ElementNo(1)->state, esNormal);
  }
  EXPECT_TRUE(Window().DocumentModified);
}

TEST_F(ElementGroupsTest, NewElementsKeepTheChainWhole) {
  struct Case {
    const char* what;
    std::vector<ElementSpec> script;
    int after;
    Byte kind;
    std::vector<int> sizes;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"a Dialogue joins the speech", {{ekCharacterName, "JOHN"}, {ekDialogue, "d"}, {ekAction, "a"}}, 1, ekDialogue,
       {3, 1}},
      {"a heading inside a speech divides it", {{ekCharacterName, "JOHN"}, {ekDialogue, "d"}, {ekDialogue, "e"}}, 1,
       ekSceneHeading, {2, 1, 1}},
      {"an Action after the last element stands alone", {{ekAction, "a"}}, 0, ekAction, {1, 1}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reload(c.script);
    Window().RebuildElementGroups();
    TScriptElement* added = NewElementRecord(Window());
    added->format.Kind = c.kind;
    added->text = PackText("new");
    Window().InsertElementAfter(ElementNo(c.after), added);
    EditFields(Window()).CurrentElement = added;
    Window().RegroupAfterNewElement();
    EXPECT_EQ(GroupSizes(), c.sizes);
    EXPECT_EQ(Window().CurrentGroup, added->group);
    ExpectWholeChain();
  }
}

}  // namespace
}  // namespace qm::testing
