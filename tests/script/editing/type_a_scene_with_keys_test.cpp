// A writer types a scene into a new script with nothing but the keys: the
// element types come from Enter, Tab and what the lines say.
#include <gtest/gtest.h>

#include "script/editing/popup_choice.h"

#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class TypeASceneWithKeysTest : public testing::KeysFixture {
 protected:
  // What the idle loop does once the repagination time falls due.
  void Repaginate() {
    W().RefreshKeepingCursor(TMDIChild::TLayoutRun::Background);
    RebuildScreen(&W());
  }
  // The text of every screen line that shows an element, from the top.
  std::vector<std::string> ShownLines() {
    std::vector<std::string> shown;
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScreenLine& row = W().ScreenLines[static_cast<size_t>(line)];
      if (row.element) shown.push_back(row.text);
    }
    return shown;
  }
  int LeftOf(const std::string& text) {
    for (int line = 1; line <= ScreenLineCount; ++line) {
      const TScreenLine& row = W().ScreenLines[static_cast<size_t>(line)];
      if (row.element && row.text == text) return row.left;
    }
    return -1;
  }
};

TEST_F(TypeASceneWithKeysTest, AHeadingActionSpeechAndTransitionFromTheKeysAlone) {
  Options().TabToParenth = true;  // Tab from a cue opens its parenthetical
  // A blank typed after a sentence becomes the sentence spacing.
  const std::string action =
      "Rain hammers the window.  MARY, forties, stirs a pot that has long since boiled dry and does not notice.";
  TypeText("INT. KITCHEN - NIGHT");
  Press(VK_RETURN);
  TypeText("Rain hammers the window. MARY, forties, stirs a pot that has long since boiled dry and does not notice.");
  Press(VK_RETURN);
  Press(VK_TAB);
  TypeText("mary");
  Press(VK_RETURN);
  Press(VK_TAB);
  TypeText("(quietly)");
  Press(VK_RETURN);
  TypeText("Not tonight.");
  Press(VK_RETURN);
  ExpectChoice(NoInitialTextCaption);  // the next scene's heading, its opening left to type
  TypeText("cut to:");
  Repaginate();

  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                                                  {ekAction, action},
                                                  {ekCharacterName, "MARY"},
                                                  {ekParenthetical, "(quietly)"},
                                                  {ekDialogue, "Not tonight."},
                                                  {ekTransition, "cut to:"},
                                                  {ekSceneHeading, ""}}))
      << "the new heading's edit line stays empty through the repagination";
  EXPECT_EQ(W().CurrentElement(), W().LastElement) << "the transition started the next scene";
  EXPECT_EQ(W().CaretColumn(), 0);
  EXPECT_EQ(ShownLines(),
            (std::vector<std::string>{
                "INT. KITCHEN - NIGHT", "Rain hammers the window.  MARY, forties, stirs a pot that",
                "has long since boiled dry and does not notice.", "MARY", "(quietly)", "Not tonight.", "CUT TO:", ""}));
  EXPECT_LT(LeftOf("Not tonight."), LeftOf("(quietly)"));
  EXPECT_LT(LeftOf("(quietly)"), LeftOf("MARY"));
  EXPECT_GT(LeftOf("CUT TO:"), LeftOf("MARY"));
  // One page: no page break, the scenes numbered 1 and 2.
  for (const TScriptElement* e = W().FirstElement; e; e = e->next) EXPECT_FALSE(IsPageBreakKind(e->Kind()));
  EXPECT_EQ(W().DisplayNumber(W().FirstElement->group), 1);
  EXPECT_EQ(W().DisplayNumber(W().LastElement->group), 2);
  EXPECT_TRUE(W().DocumentModified);
}

TEST_F(TypeASceneWithKeysTest, ALongExchangeRunsOntoASecondPage) {
  TypeText("INT. KITCHEN - NIGHT");
  Press(VK_RETURN);
  const int speeches = 20;
  for (int i = 1; i <= speeches; ++i) {
    Press(VK_TAB);
    TypeText(i % 2 ? "mary" : "bob");
    Press(VK_RETURN);
    TypeText("Line " + std::to_string(i) + ".");
    Press(VK_RETURN);
  }
  Repaginate();

  int cues = 0;
  std::vector<int> breaksAfterCue;
  for (const TScriptElement* e = W().FirstElement; e; e = e->next) {
    if (e->Kind() == ekCharacterName) ++cues;
    if (e->Kind() == ekAutoPageBreak) breaksAfterCue.push_back(cues);
  }
  EXPECT_EQ(cues, speeches) << "a speech moves whole, never with its name repeated";
  // The page holds 52 lines: the heading takes three (two blank lines
  // before it), each speech three (a blank, the name, one line of
  // dialogue), so 3 + 16 x 3 = 51 and the 17th speech opens page two.
  EXPECT_EQ(breaksAfterCue, (std::vector<int>{16}));
  const TScriptElement* secondPage = W().FirstElement;
  while (secondPage && secondPage->Kind() != ekAutoPageBreak) secondPage = secondPage->next;
  ASSERT_NE(secondPage, nullptr);
  EXPECT_EQ(W().DisplayNumber(secondPage->group), 2);
  EXPECT_EQ(secondPage->next->Kind(), ekCharacterName);
}

// The page-break rules on the default settings ("Sentence Ends Preferred"
// for Dialogue): a speech that runs over the page end breaks after a
// sentence when one ends on the last lines that fit, wherever the page end
// falls in it.
TEST_F(TypeASceneWithKeysTest, ASpeechOverThePageEndBreaksAfterASentence) {
  const std::string speech =
      "I kept the kettle on for you. The rain came in at six. Nobody called after that. I waited by the "
      "door. The dog would not settle. I read the same page twice. Then the lights went out. I found the "
      "candles in the drawer. You know the one. The clock stopped at nine. I thought of you the whole time.";
  for (int actions = 13; actions <= 20; ++actions) {
    SCOPED_TRACE(std::to_string(actions) + " actions before the speech");
    Load({{ekAction, ""}}, 0);
    TypeText("INT. KITCHEN - NIGHT");
    Press(VK_RETURN);
    for (int i = 0; i < actions; ++i) {
      TypeText("The rain goes on and on against the window, and the kettle sings on the stove.");
      Press(VK_RETURN);
    }
    Press(VK_TAB);
    TypeText("mary");
    Press(VK_RETURN);
    TypeText(speech);
    Press(VK_RETURN);
    TypeText("The kettle stops.");
    Repaginate();

    const TScriptElement* pageBreak = W().FirstElement;
    while (pageBreak && pageBreak->Kind() != ekAutoPageBreak) pageBreak = pageBreak->next;
    ASSERT_NE(pageBreak, nullptr) << "the scene runs onto a second page";
    const TScriptElement* before = pageBreak->prev;
    if (before->Kind() != ekDialogue) continue;  // the page ended between elements
    std::string first = ElementText(*before);
    while (!first.empty() && first.back() == ' ') first.pop_back();
    ASSERT_FALSE(first.empty());
    EXPECT_NE(std::string(".!?").find(first.back()), std::string::npos)
        << "the speech broke inside a sentence: \"..." << first.substr(first.size() > 40 ? first.size() - 40 : 0)
        << "\"";
  }
}

// A writer who stops to think on an empty element, the caret brought there
// by a key: the repagination falls due during the pause, then the words go
// in. Nothing of what was typed changes, and no blank appears after the
// first word.
TEST_F(TypeASceneWithKeysTest, APauseOnAnEmptyElementAddsNoBlank) {
  struct PauseCase {
    const char* what;
    std::vector<ElementSpec> before;
    int current;
    std::vector<Word> keys;
    std::string typed;
    int typedInto;
    ElementSpec after;
    const char* menuChoice = nullptr;  // the opening menu a new heading offers
  };
  // clang-format off
  const std::vector<PauseCase> cases = {
      {"an Action after a heading", {{ekSceneHeading, "INT. KITCHEN - NIGHT"}}, 0, {VK_RETURN},
       "A single bulb hangs over the table.", 1, {ekAction, "A single bulb hangs over the table."}},
      {"an Action after an Action", {{ekAction, "A single bulb hangs over the table."}}, 0, {VK_RETURN},
       "She turns away.", 1, {ekAction, "She turns away."}},
      {"the speech after a name", {{ekCharacterName, "RUTH"}}, 0, {VK_RETURN}, "You said you'd be home by nine.",
       1, {ekDialogue, "You said you'd be home by nine."}},
      {"a name of two words", {{ekAction, "She turns away."}}, 0, {VK_RETURN, VK_TAB}, "MARY ANN", 1,
       {ekCharacterName, "MARY ANN"}},
      {"an empty parenthetical", {{ekCharacterName, "RUTH"}, {ekParenthetical, ""}}, 1, {}, "(not looking up)", 1,
       {ekParenthetical, "(not looking up)"}},
      {"a transition", {{ekDialogue, "Not tonight."}}, 0, {VK_RETURN}, "CUT TO:", 1, {ekTransition, "CUT TO:"},
       NoInitialTextCaption},
      {"an empty element reached with Up", {{ekAction, ""}, {ekAction, "She turns away."}}, 1, {VK_UP},
       "He waits by the door.", 0, {ekAction, "He waits by the door."}},
  };
  // clang-format on
  for (const PauseCase& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.before, c.current, -1);
    if (c.menuChoice) ExpectChoice(c.menuChoice);
    for (Word key : c.keys) Press(key);
    Repaginate();
    TypeText(c.typed);
    Repaginate();
    W().Assemble();
    const std::vector<ElementSpec> elements = Elements();
    ASSERT_GT(elements.size(), static_cast<size_t>(c.typedInto));
    EXPECT_EQ(elements[static_cast<size_t>(c.typedInto)], c.after);
  }
}

}  // namespace
}  // namespace qm
