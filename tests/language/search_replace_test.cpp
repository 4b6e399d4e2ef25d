#include "language/search_replace.h"

#include <gtest/gtest.h>

#include "language/character_names.h"
#include "language/language_fixture.h"
#include "language/search_dialog.h"
#include "platform/stringlist.h"
#include "script/editing/editor_calls.h"
#include "script/editing/revision_marks.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;
using testing::LanguageFixture;

TEST(FormatWordsTest, WordsBecomeTheirCodes) {
  const struct {
    std::string typed, codes;
  } cases[] = {
      {"{B+}bold{B-}", "\x02"
                       "bold\x03"},
      {"{U+}{U-}{I+}{I-}{S+}{S-}", "\x15\x16\x19\x1A\x0E\x0F"},
      {"a{HS}b{HD}c{HR}", "a\x04"
                          "b\x05"
                          "c\xA7"},
      {"{b+} stays a word", "{b+} stays a word"},
      {"{B+}{B+}", "\x02\x02"},
      {"{B", "{B"},
  };
  for (const auto& c : cases) EXPECT_EQ(TranslateFormatCodes(c.typed), c.codes) << c.typed;
}

// One search of one element's text: where the match lies, or none.
struct FindCase {
  std::string text;
  std::string search;
  bool exactCase;
  bool wholeWords;
  std::size_t from;
  bool backwards;
  std::optional<TTextMatch> match;
};

TEST(FindInTextTest, FindsByTheTable) {
  const std::optional<TTextMatch> none;
  const FindCase cases[] = {
      // plain, from the caret on
      {"the cat sat", "cat", false, false, 0, false, TTextMatch{4, 7}},
      {"the cat sat", "cat", false, false, 5, false, none},
      {"the cat sat", "at", false, false, 6, false, TTextMatch{9, 11}},
      // capitals: ignored unless asked for
      {"The CAT sat", "cat", false, false, 0, false, TTextMatch{4, 7}},
      {"The CAT sat", "cat", true, false, 0, false, none},
      {"The cat sat", "cat", true, false, 0, false, TTextMatch{4, 7}},
      // whole words
      {"concat cats (cat)", "cat", false, true, 0, false, TTextMatch{13, 16}},
      {"concat cats", "cat", false, true, 0, false, none},
      {"cat", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"a cat.", "cat", false, true, 0, false, TTextMatch{2, 5}},
      {"cat's", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"bobcat", "cat", false, false, 0, false, TTextMatch{3, 6}},
      // a search text ending in a blank needs no word end
      {"cat sat", "cat ", false, true, 0, false, TTextMatch{0, 4}},
      // codes inside the text are stepped over, in the word and round it
      {"he\x02ll\x03o world", "hello", false, true, 0, false, TTextMatch{0, 7}},
      {"\x02hello\x03 there", "hello", false, true, 0, false, TTextMatch{1, 6}},
      {"wo~rd", "word", false, true, 0, false, TTextMatch{0, 5}},
      // codes in the search text are matched as themselves
      {"plain \x02"
       "bold\x03",
       "{B+}bold", false, false, 0, false, TTextMatch{6, 11}},
      {"plain bold", "{B+}bold", false, false, 0, false, none},
      {"a\x04"
       "b",
       "a{HS}b", false, true, 0, false, TTextMatch{0, 3}},
      // a one-character search for a code finds the code
      {"x\x02y", "{B+}", false, false, 0, false, TTextMatch{1, 2}},
      // backwards: the last match ending before the caret
      {"cat cat cat", "cat", false, true, 11, true, TTextMatch{8, 11}},
      {"cat cat cat", "cat", false, true, 8, true, TTextMatch{4, 7}},
      {"cat cat cat", "cat", false, true, 2, true, none},
      // at the element's ends
      {"cat", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"ca", "cat", false, false, 0, false, none},
      {"", "cat", false, false, 0, false, none},
      {"end", "d", false, false, 0, false, TTextMatch{2, 3}},
  };
  for (const auto& c : cases) {
    const TSearchPattern p = MakeSearchPattern(c.search, c.exactCase, c.wholeWords, CodeCharSet);
    EXPECT_EQ(FindInText(ComparableText(c.text, p), p, c.from, c.backwards), c.match)
        << c.text << " / " << c.search << " from " << c.from;
  }
}

// Whole words end where the tables of characters before and after a word
// say: a hyphen, a slash or a brace before a word joins it to what stands
// there, while most punctuation after it ends it.
TEST(FindInTextTest, WholeWordsEndWhereTheBoundaryTablesSay) {
  const std::optional<TTextMatch> none;
  const FindCase cases[] = {
      {"dog-cat", "cat", false, true, 0, false, none},
      {"cat-dog", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"/cat", "cat", false, true, 0, false, none},
      {"cat/", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"{cat}", "cat", false, true, 0, false, none},
      {"[cat]", "cat", false, true, 0, false, TTextMatch{1, 4}},
      {"\"cat\"", "cat", false, true, 0, false, TTextMatch{1, 4}},
      {"'cat'", "cat", false, true, 0, false, TTextMatch{1, 4}},
      {"\x91"
       "cat\x92",
       "cat", false, true, 0, false, TTextMatch{1, 4}},
      {"\x93"
       "cat\x94",
       "cat", false, true, 0, false, none},
      {"cat#", "cat", false, true, 0, false, none},
      {"cat%", "cat", false, true, 0, false, none},
      {"cat*", "cat", false, true, 0, false, none},
      {"cat$", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"cat?", "cat", false, true, 0, false, TTextMatch{0, 3}},
      {"cat\xBB", "cat", false, true, 0, false, TTextMatch{0, 3}},
      // a search text that starts or ends with such a character carries
      // its own boundary
      {"x(cat)", "(cat", false, true, 0, false, TTextMatch{1, 5}},
      {"cat,x", "cat,", false, true, 0, false, TTextMatch{0, 4}},
      {"cat-x", "cat-", false, true, 0, false, TTextMatch{0, 4}},
      {"cat", "ca", false, true, 0, false, none},
  };
  for (const auto& c : cases) {
    const TSearchPattern p = MakeSearchPattern(c.search, c.exactCase, c.wholeWords, CodeCharSet);
    EXPECT_EQ(FindInText(ComparableText(c.text, p), p, c.from, c.backwards), c.match) << c.text << " / " << c.search;
  }
}

// A user colour's open byte is also an accented letter: upper-casing the
// text must not turn one colour's code into another's.
TEST(FindInTextTest, CapitalsLeaveTheScriptsCodesAlone) {
  const CharSet codes = CodeCharSet + CharSet{253, 254, 221, 222};
  const TSearchPattern p = MakeSearchPattern("word", false, true, codes);
  EXPECT_EQ(ComparableText("\xFDword\xFE", p), "\xFDWORD\xFE");
  EXPECT_EQ(FindInText(ComparableText("\xFDword\xFE", p), p, 0, false), (TTextMatch{1, 5}));
  // Where the bytes are letters they take capitals like any other.
  const TSearchPattern letters = MakeSearchPattern("x", false, false, CodeCharSet);
  EXPECT_EQ(ComparableText("\xFD", letters), "\xDD");
}

TEST(CapitalsLikeTest, ReplacementTakesTheFoundCapitals) {
  const struct {
    std::string found, replacement;
    bool inCue;
    std::string result;
  } cases[] = {
      {"BOB", "robert", false, "ROBERT"},
      {"Bob", "robert", false, "Robert"},
      {"bob", "Robert", false, "robert"},
      {"bob", "robert", true, "ROBERT"},
      {"bob", "robert (v.o.)", true, "ROBERT (v.o.)"},
      {"New York", "los angeles", false, "Los Angeles"},
      {"New york", "los angeles", false, "Los angeles"},
      {"new York", "LOS ANGELES", false, "los angeles"},
      {"\x02"
       "Bob",
       "robert", false, "Robert"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CapitalsLike(c.found, c.replacement, c.inCue, CodeCharSet), c.result)
        << c.found << " -> " << c.replacement;
}

class SearchScriptTest : public LanguageFixture {
 protected:
  // Two "bob"s, on the first and last of three Actions, with revision
  // marking on and the caret at the top.
  void StartMarkedBobScript() {
    Script().FreeElements();
    Add({{ekAction, "a bob here"}, {ekAction, "nothing"}, {ekAction, "bob again"}});
    PlaceCaret(0);
    Script().RevisionMarking = 1;
  }
  void ReplaceAll(const std::string& text, const std::string& replacement, TReplaceOptions options,
                  const std::string& counts) {
    options.prompt = false;
    ExpectMessage(counts, "Search/Replace is done");
    ExpectMessage("Return to Starting Position of Search?", "Search/Replace Completed", mrNo);
    SearchReplaceOrTag(Script(), text, replacement, options);
  }
};

TEST_F(SearchScriptTest, ReplaceAllCountsAndTakesCapitals) {
  Add({{ekAction, "Bob waves. BOB runs."}, {ekCharacterName, "BOB"}, {ekDialogue, "bob? Bobby?"}});
  PlaceCaret(0);
  ReplaceAll("bob", "robert", {}, "Found: 4\rReplaced: 4");
  const std::vector<ElementSpec> expected{
      {ekAction, "Robert waves. ROBERT runs."}, {ekCharacterName, "ROBERT"}, {ekDialogue, "robert? Bobby?"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
  EXPECT_EQ(SearchMemory().found, 4);
  EXPECT_EQ(SearchMemory().replaced, 4);
}

TEST_F(SearchScriptTest, ReplaceKeepsCodesInsideTheWordAndDropsSoftHyphens) {
  Add({{ekAction, "say he\x02ll\x03o and hel~lo"}});
  PlaceCaret(0);
  TReplaceOptions options;
  options.matchCaps = false;
  ReplaceAll("hello", "bye", options, "Found: 2\rReplaced: 2");
  EXPECT_EQ(ElementsOf(Script()).front().text, "say \x02\x03"
                                               "bye and bye");
}

TEST_F(SearchScriptTest, ReplaceOnlyInTheChosenKindsAndFromTheCaret) {
  Add({{ekAction, "cat"}, {ekDialogue, "cat"}, {ekAction, "cat"}, {ekDialogue, "cat"}});
  PlaceCaret(1);
  TReplaceOptions options;
  options.kinds = 1u << ekDialogue;
  options.matchCaps = false;
  ReplaceAll("cat", "dog", options, "Found: 2\rReplaced: 2");
  const std::vector<ElementSpec> expected{
      {ekAction, "cat"}, {ekDialogue, "dog"}, {ekAction, "cat"}, {ekDialogue, "dog"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
}

TEST_F(SearchScriptTest, ReplaceBackwardsStopsAtTheScriptsStart) {
  Add({{ekAction, "one cat"}, {ekAction, "two cat"}, {ekAction, "three cat"}});
  PlaceCaret(1, 3);
  TReplaceOptions options;
  options.backwards = true;
  options.matchCaps = false;
  ReplaceAll("cat", "catcat", options, "Found: 1\rReplaced: 1");
  const std::vector<ElementSpec> expected{{ekAction, "one catcat"}, {ekAction, "two cat"}, {ekAction, "three cat"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
}

// An element never grows past what its edit line holds: a replacement
// that would take it there is left out, and the count says so.
TEST_F(SearchScriptTest, AReplacementThatWouldOverfillTheElementIsLeftOut) {
  std::string text(EditBufferSize - 30, 'x');
  text += " cat cat";
  Add({{ekAction, text}});
  PlaceCaret(0);
  TReplaceOptions options;
  options.matchCaps = false;
  ReplaceAll("cat", "a longer word here", options, "Found: 2\rReplaced: 1");
  const std::string after = ElementsOf(Script()).front().text;
  EXPECT_LT(after.size(), static_cast<std::size_t>(EditBufferSize));
  EXPECT_NE(after.find("a longer word here cat"), std::string::npos);
}

TEST_F(SearchScriptTest, PromptedReplaceSkipsAndCancels) {
  Add({{ekAction, "cat cat cat"}});
  PlaceCaret(0);
  TReplaceOptions options;
  options.matchCaps = false;
  ExpectMessage("Should I replace it?", "I Found \"cat\"", mrYes);
  ExpectMessage("Should I replace it?", "I Found \"cat\"", mrNo);
  ExpectMessage("Should I replace it?", "I Found \"cat\"", mrCancel);
  ExpectMessage("Found: 3\rReplaced: 1", "Search/Replace is done");
  ExpectMessage("Return to Starting Position of Search?", "Search Canceled", mrNo);
  SearchReplaceOrTag(Script(), "cat", "dog", options);
  EXPECT_EQ(ElementsOf(Script()).front().text, "dog cat cat");
}

TEST_F(SearchScriptTest, YesToAllReplacesTheRestWithoutAsking) {
  Add({{ekAction, "cat cat"}, {ekAction, "cat"}});
  PlaceCaret(0);
  TReplaceOptions options;
  options.matchCaps = false;
  ExpectMessage("Should I replace it?", "I Found \"cat\"", mrAll);
  ExpectMessage("Found: 3\rReplaced: 3", "Search/Replace is done");
  ExpectMessage("Return to Starting Position of Search?", "", mrYes);
  SearchReplaceOrTag(Script(), "cat", "dog", options);
  const std::vector<ElementSpec> expected{{ekAction, "dog dog"}, {ekAction, "dog"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
  EXPECT_EQ(Script().CurrentElement(), &Element(0));
  EXPECT_EQ(Script().CaretColumn(), 0);
}

TEST_F(SearchScriptTest, NothingFoundReturnsToWhereTheSearchBegan) {
  Add({{ekAction, "nothing here"}, {ekDialogue, "a needle."}});
  PlaceCaret(1, 4);
  ExpectMessage("No More Found!");
  TSearchOptions options;
  EXPECT_FALSE(SearchScript(Script(), "needle", options));
  EXPECT_EQ(Script().CurrentElement(), &Element(1));
  EXPECT_EQ(Script().CaretColumn(), 4);
}

// Each match the user goes on from becomes the place to come back to.
TEST_F(SearchScriptTest, SearchAgainFromEachMatchToTheEnd) {
  Add({{ekAction, "nothing here"}, {ekDialogue, "a needle."}, {ekAction, "needle again"}});
  PlaceCaret(0, 2);
  ExpectMessage("Search Again?", "I Found \"needle\"", mrYes);
  ExpectMessage("Search Again?", "I Found \"needle\"", mrYes);
  ExpectMessage("No More Found!");
  TSearchOptions options;
  EXPECT_FALSE(SearchScript(Script(), "needle", options));
  EXPECT_EQ(Script().CurrentElement(), &Element(2));
  EXPECT_EQ(Script().CaretColumn(), 6);
}

TEST_F(SearchScriptTest, BackwardsSearchFindsTheEarlierMatch) {
  Add({{ekAction, "needle one"}, {ekAction, "needle two"}});
  PlaceCaret(1, 3);
  ExpectMessage("Search Again?", "I Found \"needle\"", mrNo);
  TSearchOptions options;
  options.backwards = true;
  EXPECT_TRUE(SearchScript(Script(), "needle", options));
  EXPECT_EQ(Script().CurrentElement(), &Element(0));
  EXPECT_EQ(Script().CaretColumn(), 0);
}

TEST_F(SearchScriptTest, NoStopsAtTheMatch) {
  Add({{ekAction, "nothing here"}, {ekDialogue, "a needle."}});
  PlaceCaret(0);
  ExpectMessage("Search Again?", "I Found \"needle\"", mrNo);
  TSearchOptions options;
  EXPECT_TRUE(SearchScript(Script(), "needle", options));
  EXPECT_EQ(Script().CurrentElement(), &Element(1));
  EXPECT_EQ(Script().CaretColumn(), 8);
}

TEST_F(SearchScriptTest, LongSearchTextsAreCutInTheCaption) {
  Add({{ekAction, "abcdefghijklmnopqrstuvwxyz"}});
  PlaceCaret(0);
  ExpectMessage("Search Again?", "I Found \"abcdefghijklmnopqrst...\"", mrNo);
  TSearchOptions options;
  options.wholeWords = false;
  EXPECT_TRUE(SearchScript(Script(), "abcdefghijklmnopqrstuvwxyz", options));
}

TEST_F(SearchScriptTest, ColourAndStrikeOutFindsAreNamedButTypedLettersAreNot) {
  Script().UsesUserColours = 1;
  Add({{ekAction, "a \x0E"
                  "gone\x0F and \xFD"
                  "blue-ish\xFE"}});
  const struct {
    std::string text;
    bool colourCodes;
    std::string caption;
  } cases[] = {
      {"{S+}", false, "I Found the Next StrikedOut Text"},
      // a typed y with an acute accent is a letter, whatever byte it shares
      {"\xFD", false, "I Found \"\xFD\""},
      {"\xFD", true, "I Found the Next User Color 1 Text"},
  };
  TSearchOptions options;
  options.wholeWords = false;
  for (const auto& c : cases) {
    PlaceCaret(0);
    options.colourCodes = c.colourCodes;
    ExpectMessage("Search Again?", c.caption, mrNo);
    EXPECT_TRUE(SearchScript(Script(), c.text, options)) << c.caption;
  }
}

TEST(SearchBoxAccentTest, AnAccentKeyComposesTheNextLetter) {
  const struct {
    char accent, typed, result;
  } cases[] = {
      {'\'', 'y', '\xFD'}, {'\'', 'E', '\xC9'}, {'`', 'a', '\xE0'}, {'~', 'n', '\xF1'}, {'^', 'i', '\xEE'},
      {':', 'u', '\xFC'},  {',', 'c', '\xE7'},  {'0', 'r', '\xAE'}, {'\'', 'x', 'x'},
  };
  for (const auto& c : cases) {
    SearchBoxAccent() = c.accent;
    EXPECT_EQ(ComposeSearchBoxKey(c.typed), c.result) << c.accent << c.typed;
    EXPECT_EQ(SearchBoxAccent(), 0);
  }
  // A blank leaves the accent waiting for its letter.
  SearchBoxAccent() = '\'';
  EXPECT_EQ(ComposeSearchBoxKey(' '), ' ');
  EXPECT_EQ(ComposeSearchBoxKey('e'), '\xE9');
}

TEST_F(SearchScriptTest, TheReplaceBoxEnablesItsOptions) {
  const struct {
    std::string replacement;
    bool prompt, matchCaps;
  } cases[] = {
      {DontReplaceText, true, false},
      {"", false, true},
      {"dog", true, true},
  };
  TSearchingDlg dialog(Application, false);
  for (const auto& c : cases) {
    dialog.ReplaceText->Text = c.replacement;
    dialog.ReplaceTextChange(nullptr);
    EXPECT_EQ(dialog.PromptBox->Enabled(), c.prompt) << c.replacement;
    EXPECT_EQ(dialog.MatchCapsBox->Enabled(), c.matchCaps) << c.replacement;
    EXPECT_EQ(dialog.MatchCapsLabel->Font.Color(), c.matchCaps ? clBlack : TColor{0x808080}) << c.replacement;
  }
  ExpectMessage("Use the following Text to \rsearch for Format Codes:\r\rUnderline On/Off:  {U+} or {U-}");
  dialog.FormatCodesBtn->Click();
}

// The check boxes and radio buttons come back as the user left them.
TEST_F(SearchScriptTest, TheDialogRemembersItsOptions) {
  {
    TSearchingDlg first(Application, false);
    EXPECT_TRUE(first.WholeWordsBox->Checked());
    EXPECT_TRUE(first.FromCursorBtn->Checked());
    first.WholeWordsBox->SetChecked(false);
    first.BackwardsBox->SetChecked(true);
    first.EntireScriptBtn->SetChecked(true);
  }
  TSearchingDlg second(Application, false);
  EXPECT_FALSE(second.WholeWordsBox->Checked());
  EXPECT_TRUE(second.BackwardsBox->Checked());
  EXPECT_TRUE(second.EntireScriptBtn->Checked());
  EXPECT_FALSE(second.FromCursorBtn->Checked());
}

// Renaming is a replace over the whole script: the name changes wherever
// it stands as a whole word (cues with their extensions, headings, action
// and speech), with the capitals of the text it replaces, and the name
// table follows.
TEST_F(SearchScriptTest, ChangeCharacterNameRenamesTheNameEverywhere) {
  Add({{ekSceneHeading, "INT. BOB'S ROOM - DAY"},
       {ekAction, "Bob enters."},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Bob is here, bob."},
       {ekCharacterName, "BOB (V.O.)"},
       {ekDialogue, "Still Bob."},
       {ekCharacterName, "BOBBY"}});
  PlaceCaret(3);
  BuildCharacterNameTable();
  Driver().Expect(
      [](TForm& form) {
        auto& dialog = dynamic_cast<TSearchingDlg&>(form);
        EXPECT_EQ(dialog.Caption(), "Change Character Name");
        EXPECT_FALSE(dialog.FormatCodesBtn->Visible());
        EXPECT_FALSE(dialog.MatchCapsBox->Enabled());
        EXPECT_TRUE(dialog.EntireScriptBtn->Checked());
        dialog.SearchText->SetItemIndex(dialog.SearchText->Items.IndexOf("BOB"));
        dialog.SearchText->Text = "BOB";
        dialog.ReplaceText->Text = "ROBERT";
        dialog.OKBtn->Click();
      },
      "the rename dialog");
  ExpectMessage("Found: 7\rReplaced: 7", "Search/Replace is done");
  ExpectMessage("Return to Starting Position of Search?", "", mrYes);
  ChangeCharacterName();
  const std::vector<ElementSpec> expected{{ekSceneHeading, "INT. ROBERT'S ROOM - DAY"},
                                          {ekAction, "Robert enters."},
                                          {ekCharacterName, "ROBERT"},
                                          {ekDialogue, "Robert is here, robert."},
                                          {ekCharacterName, "ROBERT (V.O.)"},
                                          {ekDialogue, "Still Robert."},
                                          {ekCharacterName, "BOBBY"}};
  EXPECT_EQ(ElementsOf(Script()), expected);
  TStringList names;
  CollectCharacterNames(0, false, false, names, false);
  EXPECT_EQ(Texts(names), (std::vector<std::string>{"BOBBY", "ROBERT"}));
  EXPECT_EQ(Script().CurrentElement(), &Element(3));
}

// A rename starts without questions, yet the writer may ask for them once
// the new name is typed (a name that is also a word): only the capitals
// and whole names stay locked.
TEST_F(SearchScriptTest, ARenameMayAskAtEachPlace) {
  Add({{ekCharacterName, "WILL"}, {ekDialogue, "I will go."}, {ekCharacterName, "WILL"}, {ekDialogue, "Bye, Will."}});
  PlaceCaret(1);
  BuildCharacterNameTable();
  Driver().Expect(
      [](TForm& form) {
        auto& dialog = dynamic_cast<TSearchingDlg&>(form);
        EXPECT_FALSE(dialog.PromptBox->Checked());
        EXPECT_FALSE(dialog.WholeWordsBox->Enabled());
        EXPECT_FALSE(dialog.ExactCaseBox->Enabled());
        dialog.SearchText->Text = "WILL";
        dialog.ReplaceText->Text = "BILL";
        dialog.ReplaceTextChange(nullptr);
        EXPECT_TRUE(dialog.PromptBox->Enabled());
        EXPECT_FALSE(dialog.MatchCapsBox->Enabled());
        dialog.PromptBox->SetChecked(true);
        dialog.OKBtn->Click();
      },
      "the rename dialog");
  ExpectMessage("Should I replace it?", "I Found \"WILL\"", mrOk);
  ExpectMessage("Should I replace it?", "I Found \"WILL\"", mrNo);
  ExpectMessage("Should I replace it?", "I Found \"WILL\"", mrNo);
  ExpectMessage("Should I replace it?", "I Found \"WILL\"", mrOk);
  ExpectMessage("Found: 4\rReplaced: 2", "Search/Replace is done");
  ExpectMessage("Return to Starting Position of Search?", "", mrNo);
  ChangeCharacterName();
  const std::vector<ElementSpec> expected{
      {ekCharacterName, "BILL"}, {ekDialogue, "I will go."}, {ekCharacterName, "WILL"}, {ekDialogue, "Bye, Bill."}};
  EXPECT_EQ(ElementsOf(Script()), expected);
}

TEST_F(SearchScriptTest, RenameWithoutANewNameAsksFirst) {
  Add({{ekCharacterName, "BOB"}, {ekDialogue, "Hi."}});
  PlaceCaret(1);
  BuildCharacterNameTable();
  Driver().Expect(
      [](TForm& form) {
        auto& dialog = dynamic_cast<TSearchingDlg&>(form);
        dialog.SearchText->Text = "BOB";
        dialog.ReplaceText->Text = "  ";
        dialog.OKBtn->Click();
      },
      "the rename dialog");
  ExpectMessage("You have not specified a Name for me to replace BOB with...", "", mrYes);
  ChangeCharacterName();
  EXPECT_EQ(ElementsOf(Script()).front().text, "BOB");
}

// The dialog as the writer fills it in: the last search offered, the whole
// script searched backwards from its end, and the text moved to the end of
// the history whatever its capitals.
TEST_F(SearchScriptTest, TheDialogSearchesTheWholeScriptBackwardsAndKeepsItsHistory) {
  Add({{ekAction, "needle one"}, {ekAction, "needle two"}, {ekAction, "The end."}});
  PlaceCaret(0);
  SearchMemory().searchHistory = {"Needle", "thread"};
  Driver().Expect(
      [](TForm& form) {
        auto& dialog = dynamic_cast<TSearchingDlg&>(form);
        EXPECT_EQ(dialog.SearchText->Text(), "thread");
        EXPECT_EQ(dialog.ReplaceText->Text(), DontReplaceText);
        dialog.SearchText->Text = "needle";
        dialog.BackwardsBox->SetChecked(true);
        dialog.EntireScriptBtn->SetChecked(true);
        dialog.OKBtn->Click();
      },
      "the search dialog");
  ExpectMessage("Search Again?", "I Found \"needle\"", mrNo);
  ShowSearchDialog(false);
  EXPECT_EQ(Script().CurrentElement(), &Element(1));
  EXPECT_EQ(Script().CaretColumn(), 0);
  EXPECT_EQ(SearchMemory().searchHistory, (std::vector<std::string>{"thread", "needle"}));
  EXPECT_EQ(SearchMemory().lastKind, skSearch);
}

// An empty search text asks first: Yes goes back to the script, No back to
// the search box.
TEST_F(SearchScriptTest, AnEmptySearchTextAsksWhetherToGoBack) {
  Add({{ekAction, "needle"}});
  PlaceCaret(0);
  const struct {
    TModalResult answer;
    TModalResult closedAs;
  } cases[] = {{mrYes, mrCancel}, {mrNo, mrNone}};
  for (const auto& c : cases) {
    TSearchingDlg dialog(Application, false);
    dialog.SearchText->Text = "";
    ExpectMessage("You have not specified ANY text for me\rto search for...\r\rShould I simply return to your script?",
                  "", c.answer);
    dialog.ModalResult = mrOk;
    dialog.OKBtnClick(nullptr);
    EXPECT_EQ(dialog.ModalResult, c.closedAs);
  }
}

// A replacement shows the text an element hid behind its marker; a script
// note goes back to plain.
TEST_F(SearchScriptTest, AReplacementShowsHiddenText) {
  Add({{ekAction, "a bob here"}, {ekScriptNote, "bob note"}, {ekAction, "no match"}});
  Element(0).state = esHidden;
  Element(1).state = esHidden;
  Element(2).state = esHidden;
  PlaceCaret(0);
  ReplaceAll("bob", "ann", {}, "Found: 2\rReplaced: 2");
  EXPECT_EQ(Element(0).state, esShownHidden);
  EXPECT_EQ(Element(1).state, esNormal);
  EXPECT_EQ(Element(2).state, esHidden);
  EXPECT_EQ(ElementsOf(Script())[1].text, "ann note");
}

// A replacement is a revision: with revision marks on, the lines it
// changes are marked; with a revision colour chosen, it stands in that
// colour. Tagging revises nothing.
TEST_F(SearchScriptTest, AReplacementIsMarkedAndColouredAsARevision) {
  const std::string blueOn(1, '\x12'), blueOff(1, '\x13');
  const struct {
    const char* what;
    Byte colour;
    bool tagging;
    std::vector<std::string> texts;
    std::vector<bool> marked;
  } cases[] = {
      {"marked", 0, false, {"a ann here", "nothing", "ann again"}, {true, false, true}},
      {"in blue",
       1,
       false,
       {"a " + blueOn + "ann" + blueOff + " here", "nothing", blueOn + "ann" + blueOff + " again"},
       {true, false, true}},
      {"tagged", 0, true, {"a ann here", "nothing", "ann again"}, {false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StartMarkedBobScript();
    Script().AutoRevisionColor = c.colour;
    TReplaceOptions options;
    options.prompt = false;
    options.tagging = c.tagging;
    ExpectMessage(c.tagging ? "Found: 2\rTagged: 2" : "Found: 2\rReplaced: 2");
    ExpectMessage("Return to Starting Position of Search?", "", mrNo);
    SearchReplaceOrTag(Script(), "bob", "ann", options);
    const auto elements = ElementsOf(Script());
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
      EXPECT_EQ(elements[i].text, c.texts[i]) << i;
      EXPECT_EQ(HasRevisedLines(Element(static_cast<int>(i))), c.marked[i]) << i;
    }
  }
}

// Only a line whose text a replacement changed is marked: a last match
// skipped or left by Cancel leaves its line as it was, and unmarked.
TEST_F(SearchScriptTest, AMatchSkippedOrCancelledLeavesItsLineUnmarked) {
  const struct {
    const char* what;
    TModalResult last;
    const char* caption;
  } cases[] = {{"skipped", mrNo, "Search/Replace Completed"}, {"cancelled", mrCancel, "Search Canceled"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    StartMarkedBobScript();
    TReplaceOptions options;
    ExpectMessage("Should I replace it?", "I Found \"bob\"", mrOk);
    ExpectMessage("Should I replace it?", "I Found \"bob\"", c.last);
    ExpectMessage("Found: 2\rReplaced: 1", "Search/Replace is done");
    ExpectMessage("Return to Starting Position of Search?", c.caption, mrNo);
    SearchReplaceOrTag(Script(), "bob", "ann", options);
    EXPECT_EQ(ElementsOf(Script())[2].text, "bob again");
    EXPECT_EQ(Script().CurrentElement(), &Element(2)) << "the caret stays at the last match";
    EXPECT_TRUE(HasRevisedLines(Element(0)));
    EXPECT_FALSE(HasRevisedLines(Element(1)));
    EXPECT_FALSE(HasRevisedLines(Element(2)));
    EXPECT_TRUE(Script().DocumentModified);
  }
}

}  // namespace
}  // namespace qm
