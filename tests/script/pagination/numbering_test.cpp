#include "script/pagination/numbering.h"

#include <gtest/gtest.h>

#include "script/fixtures/pagination_fixture.h"
#include "base/global_state.h"

namespace qm::testing {
namespace {

class NumberingTest : public PaginationFixture {
 protected:
  void SetUp() override {
    PaginationFixture::SetUp();
    GlobalState::ResetAll();
  }
  void Reload(const std::vector<ElementSpec>& elements) {
    Window().FreeElements();
    static_cast<TScriptSettings&>(Window()) = TScriptSettings{};
    Load(elements);
  }
  // What is shown for each group whose first element is of one of the
  // kinds: its display number and letter ("12A").
  std::vector<std::string> Shown(std::initializer_list<Byte> kinds) const {
    std::vector<std::string> shown;
    for (const TElementGroup* g = Window().FirstElement->group; g; g = g->next) {
      if (std::find(kinds.begin(), kinds.end(), g->first->Kind()) == kinds.end()) continue;
      std::string text = std::to_string(Window().DisplayNumber(g));
      const char letter = static_cast<char>(Window().DisplayNumberLetter(g));
      if (letter != ' ') text += letter;
      shown.push_back(text);
    }
    return shown;
  }
};

TScriptElement* Nth(TMDIChild& w, int index) {
  TScriptElement* e = w.FirstElement;
  for (int i = 0; e && i < index; ++i) e = e->next;
  return e;
}
void SkipLetter(TMDIChild& w, char letter) {
  w.SkipLetters[static_cast<size_t>(letter) >> 3] |= Byte(1 << (letter & 7));
}

constexpr std::initializer_list<Byte> kHeadings{ekSceneHeading, ekASceneHeading, ekDashASceneHeading};

ElementSpec Scene(Byte kind = ekSceneHeading) { return {kind, "INT. ROOM"}; }

TEST_F(NumberingTest, ScenesAndTheirASceneLetters) {
  struct Case {
    const char* what;
    std::vector<ElementSpec> script;
    std::function<void(TMDIChild&)> setup;
    std::vector<std::string> shown;
  };
  const auto word = [](int index, int number, bool locked, char letter) {
    return [=](TMDIChild& w) { Nth(w, index)->format.NumberWord = number_word::Make(number, locked, letter); };
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"plain scenes count from the scene offset", {Scene(), Scene(), Scene()},
       [](TMDIChild& w) { w.SceneStart = 100; }, {"101", "102", "103"}},
      {"A-scenes after a scene",
       {Scene(), Scene(ekASceneHeading), Scene(ekASceneHeading), Scene(), Scene(ekDashASceneHeading),
        Scene(ekDashASceneHeading), Scene(ekASceneHeading)},
       [](TMDIChild&) {}, {"1", "1A", "1B", "2", "2-", "2-", "2A"}},
      {"A-letters pass the skipped letters", {Scene(), Scene(ekASceneHeading), Scene(ekASceneHeading)},
       [](TMDIChild& w) {
         SkipLetter(w, 'A');
         SkipLetter(w, 'C');
       },
       {"1", "1B", "1D"}},
      {"a locked number in the heading", {Scene(), Scene(), Scene()}, word(1, 12, true, '='), {"1", "12", "13"}},
      {"a locked A-scene keeps its own number; the count goes on",
       {Scene(), Scene(ekASceneHeading), Scene(ekASceneHeading)}, word(1, 12, true, 'C'), {"1", "12C", "1B"}},
      {"an A-scene number that is not locked moves the count",
       {Scene(), Scene(ekASceneHeading), Scene(ekASceneHeading)}, word(1, 7, false, 'B'), {"1", "7B", "7C"}},
      {"locked numbers above 500 go on above 500", {Scene(), Scene(), Scene(), Scene()},
       [](TMDIChild& w) {
         Nth(w, 0)->format.NumberWord = number_word::Make(501, true, '=');
         Nth(w, 2)->format.NumberWord = number_word::Make(3, true, '=');
       },
       {"501", "502", "503", "504"}},
      {"an omitted range ends where its heading says", {Scene(), {ekSceneHeading, "OMITTED: 15"}, Scene()},
       [](TMDIChild& w) { w.ScenesLocked = 1; }, {"1", "2", "16"}},
      {"an omitted A-scene goes on with the next letter",
       {Scene(), {ekSceneHeading, "OMITTED: 12B"}, Scene(ekASceneHeading)}, [](TMDIChild& w) { w.ScenesLocked = 1; },
       {"1", "2", "12C"}},
      {"hidden headings are not counted", {Scene(), {ekAction, "a"}, Scene(), Scene()},
       [](TMDIChild& w) { Nth(w, 2)->state = esHidden; }, {"1", "0", "2"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reload(c.script);
    c.setup(Window());
    Window().RebuildElementGroups();
    EXPECT_EQ(Shown(kHeadings), c.shown);
  }
}

TEST_F(NumberingTest, ActsAndSceneInformation) {
  // clang-format off
  Load({{ekActInformation, "ACT ONE"}, {ekSceneInformation, "a"}, {ekSceneInformation, "b"}, {ekActInformation, "END"},
        {ekActStart, "ACT TWO"}, {ekSceneInformation, "c"}, {ekLockedSceneInformation, "d"},
        {ekLockedSceneInformation, "e"}});
  // clang-format on
  Window().ActStart = 10;
  Window().RebuildElementGroups();
  EXPECT_EQ(ElementNo(0)->Kind(), ekActStart) << "the first act information starts an act";
  EXPECT_EQ(Shown({ekActStart, ekActInformation}), (std::vector<std::string>{"11", "11", "12"}));
  EXPECT_EQ(Shown({ekSceneInformation, ekLockedSceneInformation}),
            (std::vector<std::string>{"1", "2", "1", "1A", "1B"}));

  Window().NumberScenesContinuously = 1;
  Window().RenumberScenes(false);
  EXPECT_EQ(Shown({ekSceneInformation, ekLockedSceneInformation}),
            (std::vector<std::string>{"1", "2", "3", "3A", "3B"}));
}

TEST_F(NumberingTest, ActLettersPassTheSkippedLetters) {
  std::vector<ElementSpec> acts(14, {ekActStart, "ACT"});
  Load(acts);
  Window().ActDisplayStyle = 2;
  SkipLetter(Window(), 'I');
  SkipLetter(Window(), 'O');
  Window().RebuildElementGroups();
  EXPECT_EQ(Shown({ekActStart}),
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "10", "11", "12", "13", "14", "16"}));
}

TEST_F(NumberingTest, PagesShowTheirNumberFromThePageOffset) {
  Load({{ekAction, "a"}, {ekForcedPageBreak, " "}, {ekAction, "b"}});
  Window().RebuildElementGroups();
  TElementGroup* page = ElementNo(1)->group;
  page->number = 5;
  for (const auto& [offset, shown] : std::vector<std::pair<int, int>>{{1, 5}, {10, 14}, {0, 4}}) {
    Window().PageStart = static_cast<Word>(offset);
    EXPECT_EQ(Window().DisplayNumber(page), shown);
  }
  EXPECT_EQ(Window().DisplayNumber(nullptr), 0);
}

TEST_F(NumberingTest, TheNumberWordAndTheLettersShown) {
  TScriptElement element;
  element.format.NumberWord = number_word::Make(12, true, 'B');
  EXPECT_EQ(element.format.NumberWord, 12 | 0x200 | (6 << 10));
  EXPECT_EQ(NumberWordLetter(&element), 'B');
  EXPECT_TRUE(ElementHasLock(&element));
  element.format.NumberWord = number_word::Make(12, false, '=');
  EXPECT_EQ(NumberWordLetter(&element), ' ');
  EXPECT_FALSE(ElementHasLock(&element));
  element.format.NumberWord = number_word::Make(12, false, '>');
  EXPECT_EQ(NumberWordLetter(&element), '-');
  EXPECT_FALSE(ElementHasLock(nullptr));

  Load({Scene(), Scene(ekDashASceneHeading)});
  Window().RebuildElementGroups();
  const std::vector<std::tuple<TElementGroup*, Byte, Byte>> letters = {{ElementNo(0)->group, '=', ' '},
                                                                       {ElementNo(1)->group, '=', '-'},
                                                                       {ElementNo(0)->group, '>', '-'},
                                                                       {ElementNo(0)->group, 'C', 'C'},
                                                                       {ElementNo(0)->group, 0, ' '}};
  for (const auto& [group, stored, shown] : letters) {
    group->letter = stored;
    EXPECT_EQ(Window().DisplayNumberLetter(group), shown) << int(stored);
  }
}

TEST_F(NumberingTest, OmittedRangesAreWordedByTheirEnds) {
  Load({Scene(), Scene(ekASceneHeading)});
  Window().RebuildElementGroups();
  TElementGroup* twelve = ElementNo(0)->group;
  twelve->number = 12;
  TElementGroup* twelveA = ElementNo(1)->group;
  twelveA->number = 12;
  const struct {
    TElementGroup* first;
    const char* text;
    const char* word;
  } cases[] = {
      {twelve, "13", "AND"},        {twelve, "15", "THRU"}, {twelve, "12A", "AND"}, {twelveA, "12B", "AND"},
      {twelve, "13 PAGES", "THRU"}, {twelve, "*13", "AND"}, {twelve, "", "THRU"},   {twelve, "XX", "THRU"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(Window().OmittedRangeWord(text, c.first), c.word) << c.text;
  }
  std::string leading = "::15";
  EXPECT_EQ(Window().OmittedRangeWord(leading, twelve), "THRU");
  EXPECT_EQ(leading, "15");
  Window().SceneAndText = "&";
  std::string next = "13";
  EXPECT_EQ(Window().OmittedRangeWord(next, twelve), "&");
}

TEST_F(NumberingTest, SpeechNumbersShownBesideTheNames) {
  const Word added = dialogue_word::AddedUnderLock;
  Load({{ekCharacterName, "A"}, {ekCharacterName, "B"}, {ekCharacterName, "C"}, {ekCharacterName, "D"}});
  Window().RebuildElementGroups();
  ElementNo(0)->format.NumberWord = 5 << 2;
  ElementNo(2)->format.NumberWord = added;
  struct Case {
    Byte numbering, locked;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {0, 0, {"1", "2", "3", "4"}},
      {1, 0, {"5", "5A", "5B", "5C"}},
      {1, 1, {"5", "5-A", "5A", "5AA"}},
  };
  for (const Case& c : cases) {
    Window().DialogueNumbering = c.numbering;
    Window().DialogueNumberingLock = c.locked;
    std::vector<std::string> texts;
    for (int i = 0; i < 4; ++i) texts.push_back(Window().DialogueNumberText(ElementNo(i)));
    EXPECT_EQ(texts, c.texts) << int(c.numbering) << int(c.locked);
  }
}

TEST_F(NumberingTest, SceneNumberTextsTakeTheStartOffsetLockedOrNot) {
  // 0 a plain heading, 1 one locked at 12, 2 an A-scene after it, 3 an
  // A-scene locked at 12E, 4 the next A-scene (the count passed B); then
  // 5 a heading locked at 501 and 6 one locked at 3, which counts on
  // above 500.
  struct Case {
    Word offset;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {0, {"1", "12", "12A", "12E", "12C", "501", "503"}},
      {10, {"11", "22", "22A", "22E", "22C", "511", "513"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    Reload(
        {Scene(), Scene(), Scene(ekASceneHeading), Scene(ekASceneHeading), Scene(ekASceneHeading), Scene(), Scene()});
    ElementNo(1)->format.NumberWord = number_word::Make(12, true, '=');
    ElementNo(3)->format.NumberWord = number_word::Make(12, true, 'E');
    ElementNo(5)->format.NumberWord = number_word::Make(501, true, '=');
    ElementNo(6)->format.NumberWord = number_word::Make(3, true, '=');
    Window().SceneStart = c.offset;
    Window().RebuildElementGroups();
    std::vector<std::string> texts;
    for (int i = 0; i < 7; ++i) texts.push_back(Window().SceneNumberText(*ElementNo(i)));
    EXPECT_EQ(texts, c.texts);
  }
}

TEST_F(NumberingTest, InteractiveScriptsWriteNewSceneNumbersIntoTheHeadings) {
  // A locked target keeps its lock; the targets after it are new ones and
  // come unlocked, numbered on from its number.
  const struct {
    const char* what;
    Word kept;
    Word first, last;
  } cases[] = {
      {"an unlocked target", 7, 8, 9},
      {"a locked target", number_word::LockedBit | 7, 8, 9},
      {"a locked target numbered 511", number_word::LockedBit | 510, 511, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reload({Scene(), {ekCharacterName, "JOHN"}, Scene(), Scene()});
    Window().InteractiveScript = 1;
    ElementNo(2)->format.NumberWord = c.kept;
    Window().RebuildElementGroups();
    EXPECT_EQ(ElementNo(0)->format.NumberWord, c.first);
    EXPECT_EQ(ElementNo(2)->format.NumberWord, c.kept);
    EXPECT_EQ(ElementNo(3)->format.NumberWord, c.last) << "no number is left once 511 is taken";
    EXPECT_EQ(Shown(kHeadings),
              (std::vector<std::string>{std::to_string(c.first), std::to_string(number_word::Number(c.kept)),
                                        std::to_string(c.last)}));
    EXPECT_EQ(ElementNo(1)->group->number, 1);
  }
}

TEST_F(NumberingTest, LockingIsPausedOnlyWhenTheWriterTypesYes) {
  Load({{ekAction, "a"}});
  Window().PagesLocked = Window().ScenesLocked = 1;
  AnswerTypeYes("no");
  EXPECT_FALSE(Window().TogglePauseLocking(true, false));
  EXPECT_EQ(Window().PagesLocked, 1);

  AnswerTypeYes("YES");
  std::string said;
  AnswerMessage(&said);
  EXPECT_TRUE(Window().TogglePauseLocking(true, false));
  EXPECT_EQ(Window().PagesLocked, 0);
  EXPECT_EQ(Window().ScenesLocked, 1);
  EXPECT_EQ(said, "\rThe locking of Pages has been temporarily disabled.");

  EXPECT_FALSE(Window().TogglePauseLocking(true, true));
  EXPECT_EQ(Window().PagesLocked, 1);

  AnswerTypeYes("YES");
  AnswerMessage(&said);
  EXPECT_TRUE(Window().TogglePauseLocking(false, false));
  EXPECT_EQ(Window().ScenesLocked, 0);
  EXPECT_EQ(said, "\rThe locking of Scenes has been temporarily disabled.");
}

}  // namespace
}  // namespace qm::testing
