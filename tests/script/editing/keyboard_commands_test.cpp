// The script window's key commands: what each key does to the elements
// and where it leaves the caret.
#include "script/editing/keyboard_commands.h"

#include <gtest/gtest.h>

#include "script/editing/popup_choice.h"

#include "language/pick_list.h"
#include "platform/headless/headless_backend.h"
#include "script/editing/dead_keys.h"
#include "script/layout/char_widths.h"
#include "script/layout/editor_state.h"
#include "script/editing/element_transitions.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "script/layout/word_wrap.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::KeyCase;

constexpr int End = -1;
const ElementSpec Mary{ekCharacterName, "MARY"};
const ElementSpec AutoBreak{ekAutoPageBreak, " "};

class KeyboardCommandsTest : public testing::KeysFixture {
 protected:
  int Beeps() { return static_cast<int>(Backend().Sounds().size()); }
};

TEST_F(KeyboardCommandsTest, EditingKeysChangeTheElementsAndPlaceTheCaret) {
  Options().AutoAddSceneBody = false;  // no location list after a new heading
  const std::string b(1, '\x02');
  const std::string unbold(1, '\x03');
  // clang-format off
  const std::vector<KeyCase> cases = {
      {"Backspace deletes before the caret", {{ekAction, "Hello"}}, 0, 3, VK_BACK, 0, {{ekAction, "Helo"}}, 0, 2},
      {"Backspace on an open code takes its close code", {{ekAction, "a" + b + "b" + unbold + "c"}}, 0, 2, VK_BACK, 0,
       {{ekAction, "abc"}}, 0, 1},
      {"Backspace on a close code takes its open code", {{ekAction, "a" + b + "b" + unbold + "c"}}, 0, 4, VK_BACK, 0,
       {{ekAction, "abc"}}, 0, 2},
      {"a nested pair is passed over", {{ekAction, b + "a" + b + "b" + unbold + "c" + unbold}}, 0, 1, VK_BACK, 0,
       {{ekAction, "a" + b + "b" + unbold + "c"}}, 0, 0},
      {"the third colour opens with 20 and closes with 13", {{ekAction, "a\x14" "b\x0D" "c"}}, 0, 2, VK_BACK, 0,
       {{ekAction, "abc"}}, 0, 1},
      {"the third colour's close code takes its open code", {{ekAction, "a\x14" "b\x0D" "c"}}, 0, 4, VK_BACK, 0,
       {{ekAction, "abc"}}, 0, 2},
      {"a breakdown tag loses its end byte", {{ekAction, "a\x18" "prop\x01" "b"}}, 0, 2, VK_BACK, 0,
       {{ekAction, "apropb"}}, 0, 1},
      {"Backspace joins a sentence with the sentence spacing", {{ekAction, "He left."}, {ekAction, "She came."}}, 1,
       0, VK_BACK, 0, {{ekAction, "He left.  She came."}}, 0, 8},
      {"Backspace joins words with a blank", {{ekAction, "He left"}, {ekAction, "at once."}}, 1, 0, VK_BACK, 0,
       {{ekAction, "He left at once."}}, 0, 7},
      {"INT. takes no sentence spacing", {{ekSceneHeading, "INT."}, {ekSceneHeading, "HOUSE"}}, 1, 0, VK_BACK, 0,
       {{ekSceneHeading, "INT. HOUSE"}}, 0, 4},
      {"a join passes an automatic page break", {{ekAction, "One."}, AutoBreak, {ekAction, "Two."}}, 2, 0, VK_BACK,
       0, {{ekAction, "One.  Two."}}, 0, 4},
      {"Backspace before another type only moves back", {{ekAction, "Hi."}, Mary}, 1, 0, VK_BACK, 0,
       {{ekAction, "Hi."}, Mary}, 0, 3},
      {"Backspace deletes an empty element", {{ekAction, "Hi."}, {ekAction, ""}}, 1, 0, VK_BACK, 0,
       {{ekAction, "Hi."}}, 0, 3},
      {"dialogues that meet are joined", {Mary, {ekDialogue, "One."}, {ekDialogue, ""}, {ekDialogue, "Two."}}, 2, 0,
       VK_BACK, 0, {Mary, {ekDialogue, "One.  Two."}}, 1, 4},
      {"an empty cue over its speech stays", {{ekAction, "Hi."}, {ekCharacterName, ""}, {ekDialogue, "Yes."}}, 1, 0,
       VK_BACK, 0, {{ekAction, "Hi."}, {ekCharacterName, ""}, {ekDialogue, "Yes."}}, 1, 0},
      {"a deletion that leaves an opening is recognised", {{ekAction, "INT.X"}}, 0, End, VK_BACK, 0,
       {{ekSceneHeading, "INT."}}, 0, 4},
      {"Delete deletes at the caret", {{ekAction, "Hello"}}, 0, 1, VK_DELETE, 0, {{ekAction, "Hllo"}}, 0, 1},
      {"Delete at the end joins the next element", {{ekAction, "He left."}, {ekAction, "She came."}}, 0, End,
       VK_DELETE, 0, {{ekAction, "He left.  She came."}}, 0, 8},
      {"Delete before another type moves on", {{ekAction, "Hi."}, Mary}, 0, End, VK_DELETE, 0,
       {{ekAction, "Hi."}, Mary}, 1, 0},
      {"Delete removes an empty element", {{ekAction, "Hi."}, {ekAction, ""}, {ekAction, "Yo."}}, 1, 0, VK_DELETE, 0,
       {{ekAction, "Hi."}, {ekAction, "Yo."}}, 1, 0},
      {"the last element before the last break stays", {{ekAction, "Hi."}, {ekAction, ""}, AutoBreak}, 1, 0,
       VK_DELETE, 0, {{ekAction, "Hi."}, {ekAction, ""}, AutoBreak}, 1, 0},
      {"Ctrl+I starts an INT. heading", {{ekAction, "He waits."}}, 0, End, 'I', ssCtrl,
       {{ekAction, "He waits."}, {ekSceneHeading, "INT. "}}, 1, 5},
      {"Ctrl+E starts an EXT. heading", {{ekAction, "He waits."}}, 0, End, 'E', ssCtrl,
       {{ekAction, "He waits."}, {ekSceneHeading, "EXT. "}}, 1, 5},
      {"Ctrl+I inside a heading keeps the text it splits off", {{ekSceneHeading, "INT. HOUSE"}}, 0, 4, 'I', ssCtrl,
       {{ekSceneHeading, "INT. "}, {ekSceneHeading, "HOUSE"}}, 1, 0},
      {"Ctrl+S starts a heading", {{ekAction, "He waits."}}, 0, End, 'S', ssCtrl,
       {{ekAction, "He waits."}, {ekSceneHeading, ""}}, 1, 0, false, NoInitialTextCaption},
      {"Ctrl+F1 puts a note before a cue", {Mary, {ekDialogue, "Hi."}}, 0, End, VK_F1, ssCtrl,
       {{ekScriptNote, ""}, Mary, {ekDialogue, "Hi."}}, 0, 0},
      {"Ctrl+F1 after an action", {{ekAction, "Hi."}}, 0, End, VK_F1, ssCtrl, {{ekAction, "Hi."}, {ekScriptNote, ""}},
       1, 0},
      {"Ctrl+8 types an asterisk", {{ekAction, "ab"}}, 0, 1, '8', ssCtrl, {{ekAction, "a*b"}}, 0, 2},
      {"Ctrl+Shift+9 types a parenthesis", {{ekAction, "ab"}}, 0, 1, '9', ssCtrl | ssShift, {{ekAction, "a(b"}}, 0, 2},
      {"Ctrl+/ types an inverted question mark", {{ekAction, "ab"}}, 0, 1, VK_OEM_2, ssCtrl,
       {{ekAction, "a\xBF" "b"}}, 0, 2},
      {"Ctrl+Minus types a soft hyphen", {{ekAction, "ab"}}, 0, 1, VK_OEM_MINUS, ssCtrl, {{ekAction, "a~b"}}, 0, 2},
      {"never beside a soft hyphen", {{ekAction, "a~b"}}, 0, 2, VK_OEM_MINUS, ssCtrl, {{ekAction, "a~b"}}, 0, 2},
      {"Ctrl+Shift+Minus types a dash", {{ekAction, "ab"}}, 0, 1, VK_OEM_MINUS, ssCtrl | ssShift,
       {{ekAction, "a-b"}}, 0, 2},
  };
  // clang-format on
  RunKeyCases(cases);
}

// A breakdown tag's code byte is a code the caret steps over only while the
// script is tagged; untagged it is a letter like any other.
TEST_F(KeyboardCommandsTest, TheCaretStepsOverTagBytesWhileTheScriptIsTagged) {
  const std::string text = "a\x8E"
                           "b\x01"
                           "c";
  for (const bool tagged : {false, true}) {
    SCOPED_TRACE(tagged ? "tagged" : "untagged");
    Load({{ekAction, text}}, 0, 1);
    W().TaggingUsed = tagged;
    Press(VK_RIGHT);
    EXPECT_EQ(W().CaretColumn(), tagged ? 3 : 2);
    Press(VK_RIGHT);
    EXPECT_EQ(W().CaretColumn(), tagged ? 5 : 3);
  }
}

// Filling out breakdowns, Right stops after each tag and colour code, so
// the writer can reach the start of every tagged or coloured item.
TEST_F(KeyboardCommandsTest, RightStopsAtTagsAndColoursWhileBreakdownsAreFilledOut) {
  const struct {
    const char* what;
    std::string text;
    bool fillOut;
    std::vector<int> stops;
  } cases[] = {
      {"a tag, filling out",
       "a\x8E"
       "b\x01"
       "c",
       true,
       {2, 3, 4, 5}},
      {"a tag",
       "a\x8E"
       "b\x01"
       "c",
       false,
       {3, 5}},
      {"a colour, filling out",
       "a\x12"
       "b\x13"
       "c",
       true,
       {2, 3, 4, 5}},
      {"a colour",
       "a\x12"
       "b\x13"
       "c",
       false,
       {3, 5}},
  };
  const bool before = LayoutProgramOptions.FillOutBreakdowns;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LayoutProgramOptions.FillOutBreakdowns = c.fillOut;
    Load({{ekAction, c.text}}, 0, 1);
    W().TaggingUsed = true;
    for (const int stop : c.stops) {
      Press(VK_RIGHT);
      EXPECT_EQ(W().CaretColumn(), stop);
    }
  }
  LayoutProgramOptions.FillOutBreakdowns = before;
}

// The Ctrl+S, Insert and Delete keys that stand for a main window button
// press it; with Alt they do nothing.
TEST_F(KeyboardCommandsTest, SaveAndClipboardKeysPressTheMainWindowsButtons) {
  std::vector<std::string> pressed;
  const auto saved = KeyCommandHooks.ClickButton;
  KeyCommandHooks.ClickButton = [&](const std::string& name) { pressed.push_back(name); };
  const struct {
    const char* what;
    Word key;
    TShiftState shift;
    bool ctrlSIsSave;
    std::vector<std::string> buttons;
  } cases[] = {
      {"Ctrl+S saving", 'S', ssCtrl, true, {"SaveBtn"}},
      {"Ctrl+Insert", VK_INSERT, ssCtrl, false, {"CopyBtn"}},
      {"Shift+Insert", VK_INSERT, ssShift, false, {"PasteBtn"}},
      {"Shift+Delete", VK_DELETE, ssShift, false, {"CutBtn"}},
      {"Alt+Insert", VK_INSERT, ssAlt, false, {}},
      {"Alt+Delete", VK_DELETE, ssAlt, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "One."}}, 0, 2);
    Options().ControlSIsSave = c.ctrlSIsSave;
    pressed.clear();
    Press(c.key, c.shift);
    EXPECT_EQ(pressed, c.buttons);
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "One."}})) << "the script is left as it was";
  }
  Options().ControlSIsSave = false;
  KeyCommandHooks.ClickButton = saved;
}

TEST_F(KeyboardCommandsTest, MovementKeysPlaceTheCaret) {
  const std::string b(1, '\x02');
  const std::string longAction =
      "Rain hammers the window. MARY, forties, stirs a pot that has long since boiled dry and does not notice.";
  // clang-format off
  const std::vector<KeyCase> cases = {
      {"Home steps over the opening codes", {{ekAction, b + "Hello"}}, 0, 4, VK_HOME, 0, {{ekAction, b + "Hello"}}, 0,
       1},
      {"End stops before a trailing blank", {{ekAction, "Hello "}}, 0, 0, VK_END, 0, {{ekAction, "Hello "}}, 0, 5},
      // "has" ends on the margin (column 60): the first line ends with "that ".
      {"End on a wrapped line stops before its blank", {{ekAction, longAction}}, 0, 3, VK_END, 0,
       {{ekAction, longAction}}, 0, 56},
      {"Home on the second line", {{ekAction, longAction}}, 0, 70, VK_HOME, 0, {{ekAction, longAction}}, 0, 57},
      {"Left steps over a code", {{ekAction, "a" + b + "b"}}, 0, 2, VK_LEFT, 0, {{ekAction, "a" + b + "b"}}, 0, 0},
      {"Right steps over a code", {{ekAction, "a" + b + "b"}}, 0, 1, VK_RIGHT, 0, {{ekAction, "a" + b + "b"}}, 0, 3},
      {"Ctrl+Left goes to the word before", {{ekAction, "one two three"}}, 0, 8, VK_LEFT, ssCtrl,
       {{ekAction, "one two three"}}, 0, 4},
      {"Ctrl+Right goes to the next word", {{ekAction, "one two three"}}, 0, 0, VK_RIGHT, ssCtrl,
       {{ekAction, "one two three"}}, 0, 4},
      {"Left at column 0 passes page breaks back", {{ekAction, "One."}, AutoBreak, {ekAction, "Two."}}, 2, 0, VK_LEFT,
       0, {{ekAction, "One."}, AutoBreak, {ekAction, "Two."}}, 0, 4},
      {"Right at the end passes page breaks on", {{ekAction, "One."}, AutoBreak, {ekAction, "Two."}}, 0, End,
       VK_RIGHT, 0, {{ekAction, "One."}, AutoBreak, {ekAction, "Two."}}, 2, 0},
      {"Left after a parenthetical's opening goes back", {Mary, {ekParenthetical, "(softly)"}}, 1, 1, VK_LEFT, 0,
       {Mary, {ekParenthetical, "(softly)"}}, 0, 4},
      {"Ctrl+Up goes to the end of the element before", {{ekAction, "One."}, {ekAction, "Two."}}, 1, 2, VK_UP, ssCtrl,
       {{ekAction, "One."}, {ekAction, "Two."}}, 0, 4},
      {"Alt+Up is Ctrl+Up", {{ekAction, "One."}, {ekAction, "Two."}}, 1, 2, VK_UP, ssAlt,
       {{ekAction, "One."}, {ekAction, "Two."}}, 0, 4},
      {"Ctrl+Up in the first element goes to its start", {{ekAction, "One."}}, 0, 2, VK_UP, ssCtrl,
       {{ekAction, "One."}}, 0, 0},
      {"Ctrl+Down goes to the start of the next", {{ekAction, "One."}, {ekAction, "Two."}}, 0, 2, VK_DOWN, ssCtrl,
       {{ekAction, "One."}, {ekAction, "Two."}}, 1, 0},
      {"Ctrl+Down in the last element goes to its end", {{ekAction, "One."}}, 0, 1, VK_DOWN, ssCtrl,
       {{ekAction, "One."}}, 0, 4},
  };
  // clang-format on
  RunKeyCases(cases);
}

TEST_F(KeyboardCommandsTest, LeftAtTheStartOfTheScriptBeeps) {
  Load({{ekAction, "One."}});
  const int before = Beeps();
  Press(VK_LEFT);
  EXPECT_EQ(Beeps(), before + 1);
  EXPECT_EQ(W().CaretColumn(), 0);
}

TEST_F(KeyboardCommandsTest, ForcedAndLockedPageBreaksGoOnlyWhenTheWriterAgrees) {
  const struct {
    const char* what;
    Byte breakKind;
    bool expert;
    bool pagesLocked;
    const char* question;  // null when none is asked
    TModalResult answer;
    bool deleted;
  } cases[] = {
      {"forced, asked, Yes", ekForcedPageBreak, false, false, "Delete this Forced Page Break?", mrYes, true},
      {"forced, asked, No", ekForcedPageBreak, false, false, "Delete this Forced Page Break?", mrNo, false},
      {"forced, expert", ekForcedPageBreak, true, false, nullptr, mrNone, true},
      {"forced, expert, pages locked", ekForcedPageBreak, true, true, "Delete this Forced Page Break?", mrYes, true},
      {"locked, expert", ekLockedPageBreak, true, false, "Delete this Locked Page Break?", mrNo, false},
  };
  for (const auto& c : cases) {
    for (const Word key : {VK_BACK, VK_DELETE}) {
      SCOPED_TRACE(std::string(c.what) + (key == VK_BACK ? ", Backspace" : ", Delete"));
      Options().ExpertPrompting = c.expert;
      if (key == VK_BACK) Load({{ekAction, "One."}, {c.breakKind, " "}, {ekAction, "Two."}}, 2, 0);
      else Load({{ekAction, "One."}, {c.breakKind, " "}, {ekAction, "Two."}}, 0, End);
      W().PagesLocked = c.pagesLocked;
      if (c.question) ExpectBox(c.question, c.answer);
      Press(key);
      W().PagesLocked = 0;
      const bool breakLeft = W().FirstElement->next->Kind() == c.breakKind;
      EXPECT_EQ(!breakLeft, c.deleted);
      if (c.deleted) {
        EXPECT_EQ(W().CurrentElement(), W().LastElement) << "the caret is at the start of the text after the break";
        EXPECT_EQ(W().CaretColumn(), 0);
      } else {
        // The caret passes the break: to the end of the text before it, or
        // to the start of the text after it.
        EXPECT_EQ(CurrentIndex(), key == VK_BACK ? 0 : 2);
        EXPECT_EQ(W().CaretColumn(), key == VK_BACK ? 4 : 0);
      }
    }
  }
}

TEST_F(KeyboardCommandsTest, AJoinOverTwoThousandFiveHundredCharactersIsRefused) {
  const struct {
    int first;
    int second;
    bool joined;
  } cases[] = {{1300, 1250, false}, {1250, 1250, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first + c.second);
    const std::string first(static_cast<size_t>(c.first), 'a');
    const std::string second(static_cast<size_t>(c.second), 'b');
    Load({{ekAction, first}, {ekAction, second}}, 0, End);
    if (!c.joined) ExpectBox(JoinTooLongText, mrOk);
    Press(VK_DELETE);
    if (c.joined) EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, first + " " + second}}));
    else EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, first}, {ekAction, second}}));
  }
}

TEST_F(KeyboardCommandsTest, UserColourPairsOpenAndCloseAsTheirTableSays) {
  // The sixth colour opens with 238 and closes with 248.
  const std::string text = "a\xEE"
                           "b\xF8"
                           "c";
  for (const bool userColours : {true, false}) {
    SCOPED_TRACE(userColours ? "with user colours" : "without");
    Load({{ekAction, text}}, 0, 2);
    W().UsesUserColours = userColours;
    Press(VK_BACK);
    EXPECT_EQ(W().EditBuffer(), userColours ? "abc"
                                            : "ab\xF8"
                                              "c");
  }
}

TEST_F(KeyboardCommandsTest, KeysWhileElementsAreHiddenAskToShowThemFirst) {
  for (const TModalResult answer : {mrNo, mrYes}) {
    SCOPED_TRACE(answer == mrYes ? "Yes" : "No");
    Load({{ekAction, "Hello"}}, 0, End);
    W().HiddenKinds = (1u << ekCharacterName) | (1u << ekScriptNote);
    ExpectBox("You cannot EDIT your script when Elements other than Script Notes and Non-Printing Text are "
              "Hidden!\r\rShould I unhide them for you at this time?",
              answer);
    Press(VK_BACK);
    EXPECT_EQ(W().EditBuffer(), answer == mrYes ? "Hell" : "Hello");
    EXPECT_EQ(W().HiddenKinds, answer == mrYes ? 1u << ekScriptNote : (1u << ekCharacterName) | (1u << ekScriptNote));
    Press(VK_LEFT);  // moving needs no question
  }
  W().HiddenKinds = 1u << ekAction;
  Press(VK_TAB);
  EXPECT_EQ(W().ElementCount(), 1) << "Tab does nothing, and asks nothing";
  W().HiddenKinds = 1u << ekScriptNote;
  Press(VK_BACK);
  EXPECT_EQ(W().EditBuffer(), "Hel") << "hidden script notes alone stop nothing";
}

TEST_F(KeyboardCommandsTest, AnEmptySceneGoesWhileScenesAreLockedOnlyWhenConfirmed) {
  for (const TModalResult answer : {mrNo, mrYes}) {
    SCOPED_TRACE(answer == mrYes ? "Yes" : "No");
    Load({{ekAction, "Hi."}, {ekSceneHeading, ""}, {ekAction, "Bye."}}, 1, 0);
    W().ScenesLocked = 1;
    ExpectBox("Should I REALLY delete this Scene?\r\rIf you select YES then all following scenes will be "
              "re-numbered accordingly.",
              answer);
    Press(VK_BACK);
    W().ScenesLocked = 0;
    EXPECT_EQ(W().ElementCount(), answer == mrYes ? 2 : 3);
  }
}

TEST_F(KeyboardCommandsTest, CtrlAltMinusAndEqualsMoveTheRightMargin) {
  const struct {
    Byte left;
    Byte right;
    Word key;
    Byte rightAfter;
  } cases[] = {
      {15, 59, VK_OEM_MINUS, 60},  // 15 + 59 + 10 = 84: once more
      {15, 60, VK_OEM_MINUS, 60},  // 85: no further
      {15, 6, VK_OEM_PLUS, 5},
      {15, 5, VK_OEM_PLUS, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.right));
    Load({{ekAction, "Some text that wraps when the margin moves in far enough."}}, 0, 0);
    W().CurrentElement()->format.LeftMargin = c.left;
    W().CurrentElement()->format.RightMargin = c.right;
    Press(c.key, TShiftState(ssCtrl | ssAlt));
    EXPECT_EQ(W().CurrentElement()->format.RightMargin, c.rightAfter);
  }
  // 45 characters fit in a line of 46 and no longer in one of 43.
  Load({{ekAction, std::string(40, 'x') + " abcd"}}, 0, 0);
  W().CurrentElement()->format.LeftMargin = 15;
  W().CurrentElement()->format.RightMargin = 24;
  W().WordWrapText(W().CurrentElement(), W().EditBuffer(), true, true);
  ASSERT_EQ(W().CurrentElement()->lineCount, 1);
  for (int i = 0; i < 3; ++i) Press(VK_OEM_MINUS, TShiftState(ssCtrl | ssAlt));
  EXPECT_EQ(W().CurrentElement()->lineCount, 2) << "the element is wrapped in its new margins";
}

TEST_F(KeyboardCommandsTest, InsertSwitchesTypeoverWhenItIsAllowed) {
  Load({{ekAction, "abc"}}, 0, 1);
  Press(VK_INSERT);
  EXPECT_EQ(InsertMode, 0);
  TypeText("X");
  EXPECT_EQ(W().EditBuffer(), "aXc");
  Press(VK_INSERT);
  EXPECT_EQ(InsertMode, 1);
  Options().AllowTypeover = false;
  Press(VK_INSERT);
  EXPECT_EQ(InsertMode, 1);
}

TEST_F(KeyboardCommandsTest, AccentKeysComposeTheNextLetter) {
  const struct {
    Word key;
    unsigned shift;
    char letter;
    Byte result;
  } cases[] = {
      {VK_OEM_7, ssCtrl, 'e', 233}, {VK_OEM_3, ssCtrl | ssShift, 'n', 241},
      {'2', ssCtrl, 'r', 174},      {VK_OEM_1, ssCtrl, 'u', 252},
      {'6', ssCtrl, 'o', 244},      {VK_OEM_COMMA, ssCtrl, 'c', 231},
      {VK_OEM_3, ssCtrl, 'a', 224},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    Load({{ekAction, ""}});
    // Ctrl+2 is also the Right Column item's key, and a menu key is taken
    // first; the key routine itself still makes it an accent.
    if (c.key == '2') {
      Word key = c.key;
      HandleCommandKey(key, TShiftState(c.shift), &W());
    } else {
      Press(c.key, TShiftState(c.shift));
    }
    TypeText(std::string(1, c.letter));
    EXPECT_EQ(W().EditBuffer(), std::string(1, static_cast<char>(c.result)));
  }
  Load({{ekAction, "ab"}}, 0, 1);
  Press(VK_OEM_7, TShiftState(ssCtrl));
  Press(VK_RIGHT);
  EXPECT_EQ(PendingDeadKey, 0) << "a movement key drops the accent";
}

TEST_F(KeyboardCommandsTest, PageAndArrowKeysMoveTheNameListWhileItIsUp) {
  std::vector<ElementSpec> script;
  for (const char* name : {"MAB", "MAC", "MAD", "MAE", "MAF", "MAG", "MAH", "MAI"}) {
    script.push_back({ekCharacterName, name});
    script.push_back({ekDialogue, "Hi."});
  }
  script.push_back({ekAction, ""});
  Load(script, static_cast<int>(script.size()) - 1);
  Press(VK_TAB);
  TypeText("m");
  ASSERT_TRUE(PickListShowing());
  TListBox& list = *ListMenu->List;
  const struct {
    Word key;
    int index;
  } steps[] = {{VK_NEXT, 6}, {VK_NEXT, 7}, {VK_UP, 6}, {VK_PRIOR, 0}, {VK_DOWN, 1}, {VK_UP, 0}, {VK_UP, 0}};
  for (const auto& s : steps) {
    Press(s.key);
    EXPECT_EQ(list.ItemIndex(), s.index) << s.key;
  }
  EXPECT_EQ(W().EditBuffer(), "M") << "moving in the list leaves the cue alone";
}

TEST_F(KeyboardCommandsTest, DeleteAtTheEndOfACueTakesItsContinuedMark) {
  Load({Mary, {ekDialogue, "Hi."}}, 0, End);
  W().CurrentElement()->split = 1;  // the automatic continued mark
  Press(VK_DELETE);
  EXPECT_EQ(W().CurrentElement()->split, spWhole);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Mary, {ekDialogue, "Hi."}}));
}

TEST_F(KeyboardCommandsTest, CtrlCInsertsAPickedNameInWordsCapitals) {
  const struct {
    const char* what;
    std::string line;
    std::string after;
  } cases[] = {
      {"after a word and a blank", "Then ", "Then Mary Jo"},
      {"after a sentence", "He left. ", "He left.  Mary Jo"},
      {"at the start", "", "Mary Jo"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekCharacterName, "MARY JO"}, {ekDialogue, "Hi."}, {ekAction, c.line}}, 2, End);
    ExpectPick("MARY JO");
    Press('C', TShiftState(ssCtrl));
    EXPECT_EQ(W().EditBuffer(), c.after);
    EXPECT_EQ(W().CaretColumn(), c.after.size());
  }
}

}  // namespace
}  // namespace qm
