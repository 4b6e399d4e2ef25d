// The spell-check pass over a script made to hold misspellings, duplicate
// words, learned words, an auto-correct entry, words in capitals and with
// apostrophes, cues and scene headings; the dialog answered as a writer
// would.
#include "language/spelling/spell_pass.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "base/program_options.h"
#include "language/language_fixture.h"
#include "language/spelling/spell_check_dialog.h"
#include "language/spelling/spell_engine.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "script/editing/goto_commands.h"
#include "script/editing/script_hooks.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/editor_calls.h"
#include "script/model/script_model.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

const std::string DataFolder = std::string(QM_BINARY_DIR) + "/data/";

class SpellPassTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Settings().SpellLanguage = 1;
  }
  // Answers the unknown-word dialog: it must show `word`; then `act`.
  void AnswerDialog(const std::string& word, std::function<void(TSpellCheckingDlg&)> act) {
    Driver().Expect(
        [word, act](TForm& form) {
          auto* dialog = dynamic_cast<TSpellCheckingDlg*>(&form);
          if (!dialog) {
            ADD_FAILURE() << "expected the spelling dialog, got \"" << form.Caption() << "\"";
            form.ModalResult = mrCancel;
            return;
          }
          EXPECT_EQ(dialog->BadWord->Text(), word);
          act(*dialog);
        },
        "spelling dialog for " + word);
  }
  void Press(TSpellCheckingDlg& d, TButton* button) { button->Click(); }
  std::string TextOf(int index) {
    if (&Element(index) == Script().CurrentElement()) return Script().EditBuffer();
    return ElementText(Element(index));
  }
  // Appends an element and checks it alone.
  void CheckNewElement(const std::string& text) {
    Add({{ekAction, text}});
    editor::MoveCaretTo(Script(), *Script().LastElement);
    RunSpellCommand(smElement);
    EXPECT_EQ(Driver().Pending(), 0);
  }
  void Run(char mode, int caretElement = 0, Word column = 0) {
    PlaceCaret(caretElement, column);
    RunSpellCommand(mode);
    EXPECT_EQ(Driver().Pending(), 0);
  }

  testing::ScopedEnv program_{"QUILLMASTER_PROGRAM_FOLDER", DataFolder};
};

TEST_F(SpellPassTest, CountWordsCountsEveryWordAndAsksNothing) {
  Add({{ekSceneHeading, "INT. HOUSE - NIGHT"},
       {ekAction, "The the dog recieve it."},
       {ekCharacterName, "JOHN"},
       {ekDialogue, "Hello there, don't go."}});
  ExpectMessage("Counted 13 words");
  Run(smCount);
  EXPECT_EQ(TextOf(1), "The the dog recieve it.");
}

// Counting never reports one word as checked: the count is what was asked for.
TEST_F(SpellPassTest, CountingASingleWordStillReportsACount) {
  Add({{ekAction, "HELLO"}});
  ExpectMessage("Counted 1 words");
  Run(smCount);
}

TEST_F(SpellPassTest, OneCheckedWordIsNamedInTheEndMessage) {
  Add({{ekAction, "HELLO"}});
  ExpectMessage("Checked \"HELLO\"");
  Run(smScript);
}

TEST_F(SpellPassTest, AnUnknownWordIsReplacedByTheChosenSuggestion) {
  Add({{ekAction, "They recieve the letter."}});
  AnswerDialog("recieve", [this](TSpellCheckingDlg& d) {
    const auto items = Texts(d.SuggestList->Items);
    EXPECT_NE(std::find(items.begin(), items.end(), "receive"), items.end());
    EXPECT_FALSE(d.ReplaceBtn->Enabled);
    d.BadWord->Text = "receive";
    EXPECT_TRUE(d.ReplaceBtn->Enabled);
    Press(d, d.ReplaceBtn);
  });
  ExpectMessage("Checked 4 words");
  Run(smScript);
  EXPECT_EQ(TextOf(0), "They receive the letter.");
  EXPECT_TRUE(Script().DocumentModified);
}

// The question stands centred across the screen, its foot one and a half
// status lines above the foot of the main window.
TEST_F(SpellPassTest, TheDialogStandsAboveTheStatusLine) {
  Main().SetBounds(40, 30, 900, 700);
  const auto* status = dynamic_cast<const TControl*>(Main().FindComponent("StatusPanel"));
  ASSERT_NE(status, nullptr);
  const int statusHeight = status->Height();
  Add({{ekAction, "They recieve it."}});
  AnswerDialog("recieve", [&](TSpellCheckingDlg& d) {
    EXPECT_LE(std::abs(2 * d.Left + d.Width - Screen->Width()), 1);
    EXPECT_EQ(d.Top + d.Height, 30 + 700 - statusHeight * 3 / 2);
    d.SkipBtn->Click();
  });
  ExpectMessage("Checked 3 words");
  Run(smScript);
}

// The word asked about stands framed by the found-text markers, the view
// scrolled down to it; once it is answered the frame goes.
TEST_F(SpellPassTest, TheWordAskedAboutIsFramedInView) {
  std::vector<ElementSpec> elements(40, {ekAction, "It is here."});
  elements.push_back({ekAction, "Then Keane came."});
  Add(elements);
  TScriptElement& asked = Element(40);
  AnswerDialog("Keane", [&](TSpellCheckingDlg& d) {
    ASSERT_EQ(Script().CurrentElement(), &asked);
    EXPECT_EQ(std::min(asked.blockStart, asked.blockEnd), 5);
    EXPECT_EQ(std::max(asked.blockStart, asked.blockEnd), 10);
    EXPECT_TRUE(Script().FoundMarkerLeft && Script().FoundMarkerRight);
    ASSERT_GE(asked.screenLine, 1) << "scrolled down to the word";
    EXPECT_LT(ScreenLineTop(Script(), asked.screenLine), Script().ClientHeight());
    RecordingCanvas& painted = *Script().Recording();
    painted.Clear();
    Script().RedisplayScreen(true);
    const DrawOp* word = painted.FindText("Keane");
    ASSERT_NE(word, nullptr) << painted.Transcript();
    EXPECT_EQ(word->text, "Keane") << "the word drawn marked";
    // A red bracket stands up against each end of the word.
    bool left = false, right = false;
    for (const DrawOp& op : painted.Ops()) {
      if (op.kind != DrawOp::Kind::Line || op.pen.Color != clRed || op.from.X != op.to.X) continue;
      left = left || (op.from.X >= word->rect.Left - 3 && op.from.X < word->rect.Left);
      right = right || (op.from.X >= word->rect.Right && op.from.X <= word->rect.Right + 3);
    }
    EXPECT_TRUE(left) << "a marker before the word";
    EXPECT_TRUE(right) << "a marker after the word";
    d.SkipBtn->Click();
  });
  ExpectMessage("Checked ");
  Run(smScript);
  EXPECT_FALSE(Script().FoundMarkerLeft || Script().FoundMarkerRight);
  EXPECT_FALSE(Script().BlockOn()) << "the frame is gone";
}

TEST_F(SpellPassTest, TheDialogsAnswersActOnTheWord) {
  struct Case {
    const char* name;
    std::function<void(TSpellCheckingDlg&)> act;
    int asked;  // how often the word is asked about
  };
  const Case cases[] = {
      {"skip once", [](TSpellCheckingDlg& d) { d.SkipBtn->Click(); }, 2},
      {"ignore all", [](TSpellCheckingDlg& d) { d.IgnoreBtn->Click(); }, 1},
      {"learn", [](TSpellCheckingDlg& d) { d.LearnBtn->Click(); }, 1},
      {"learned before", [](TSpellCheckingDlg& d) { d.SkipBtn->Click(); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearIgnoreList();
    for (int i = 0; i < c.asked; ++i) AnswerDialog("zorblax", c.act);
    ExpectMessage("Checked 5 words");
    CheckNewElement("A zorblax and a zorblax.");
    EXPECT_EQ(Script().EditBuffer(), "A zorblax and a zorblax.");
  }
  EXPECT_EQ(testing::ReadFileText(UserDictionaryFolder() + "USER_US.LXA"), "QUILLMASTER WORD LIST 1\nzorblax\n");
}

TEST_F(SpellPassTest, CancelEndsThePassWithItsMessage) {
  Add({{ekAction, "One zorblax two frimbly."}});
  AnswerDialog("zorblax", [](TSpellCheckingDlg& d) { d.CancelBtn->Click(); });
  ExpectMessage("Checked 2 words");
  Run(smScript);
}

TEST_F(SpellPassTest, AutoCorrectLearnsTheReplacementAndAppliesItNextTime) {
  Add({{ekAction, "He said wrold twice, wrold."}});
  AnswerDialog("wrold", [](TSpellCheckingDlg& d) {
    d.BadWord->Text = "world";
    d.AutoCorrectBtn->Click();
  });
  ExpectMessage("Checked 5 words");
  Run(smScript);
  // The second one took the learned replacement without a question.
  EXPECT_EQ(TextOf(0), "He said world twice, world.");
  EXPECT_EQ(GetAutoCorrection("wrold"), "world");
}

TEST_F(SpellPassTest, DuplicateWordsAreOfferedForDeletion) {
  struct Case {
    const char* text;
    TModalResult answer;  // mrNone: no question
    const char* after;
  };
  const Case cases[] = {
      // The first word of each also begins a sentence.
      {"the the dog", mrYes, "The dog"},
      {"The the dog", mrYes, "The dog"},
      {"the the dog", mrNo, "The the dog"},
      {"the, the dog", mrNone, "The, the dog"},
      // A word that ends its sentence or clause goes with the blank before
      // it: no blank is left before the stop.
      {"He ran to to. Then left.", mrYes, "He ran to.  Then left."},
      {"Say it it, now.", mrYes, "Say it, now."},
      {"We wait here here", mrYes, "We wait here"},
      {"it was the end of the day", mrNone, "It was the end of the day"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.answer != mrNone) ExpectMessage("I found a duplicate word!\r\rShould I delete One?", "", c.answer);
    ExpectMessage("Checked");
    CheckNewElement(c.text);
    EXPECT_EQ(Script().EditBuffer(), c.after);
  }
}

TEST_F(SpellPassTest, NamesCapitalsApostrophesAndScreenplayTermsAreKnown) {
  Add({{ekSceneHeading, "INT. ZORBLAXIA STATION - NIGHT"},
       {ekCharacterName, "KRANDOR"},
       {ekDialogue, "Krandor's ship don't fly. 'Em boys was nothin' but trouble."},
       {ekAction, "KRANDOR walks in. RECEIVE THE GOODS. Costs $5.00 at 25 past 1st."},
       {ekCharacterName, "WOMAN"},
       {ekDialogue, "Hello."}});
  // The scene heading's place is unknown; everything else is accepted.
  AnswerDialog("ZORBLAXIA", [](TSpellCheckingDlg& d) { d.SkipBtn->Click(); });
  ExpectMessage("Checked");
  Run(smScript);
}

TEST_F(SpellPassTest, DoubleCapitalsAreOfferedForCorrection) {
  Add({{ekAction, "THe dog barked."}});
  ExpectMessage("Should I make the second letter lowercase?", "", mrYes);
  ExpectMessage("Checked 3 words");
  Run(smScript);
  EXPECT_EQ(TextOf(0), "The dog barked.");
}

TEST_F(SpellPassTest, SentencesBeginWithACapitalAndTheirSpacing) {
  struct Case {
    const char* text;
    const char* after;
  };
  const Case cases[] = {
      {"the dog ran. it fell.", "The dog ran.  It fell."},    {"Stop! go now.", "Stop!  Go now."},
      {"He met Mr. Smith today.", "He met Mr. Smith today."}, {"Wait... then go.", "Wait... then go."},
      {"It cost 10.25 dollars.", "It cost 10.25 dollars."},   {"He ran.     She sat.", "He ran.  She sat."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ExpectMessage("Checked");
    CheckNewElement(c.text);
    EXPECT_EQ(Script().EditBuffer(), c.after);
  }
}

// The blanks before a sentence's first word become "Sentence Spacing"
// blanks, more or fewer, in the prose elements only; nothing else of the
// spacing changes, and a sentence already spaced stays as it is.
TEST_F(SpellPassTest, OnlyTheBlanksBeforeASentenceInProseAreSet) {
  struct Case {
    Byte kind;
    const char* spacing;
    bool autoSpacing;
    const char* text;
    const char* after;
  };
  // clang-format off
  const Case cases[] = {
      {ekAction, "  ", true, "He ran. She sat.", "He ran.  She sat."},
      {ekAction, "  ", true, "He ran.  She sat.", "He ran.  She sat."},
      {ekAction, "  ", true, "He ran.    She sat.", "He ran.  She sat."},
      {ekAction, "  ", true, "He ran, she sat.  Then  they left.", "He ran, she sat.  Then  they left."},
      {ekAction, " ", true, "He ran.  She sat.", "He ran. She sat."},
      {ekAction, "  ", false, "He ran. she sat.", "He ran. She sat."},
      {ekAction, "  ", true, "He said \"stop.\" Then left.", "He said \"stop.\" Then left."},
      {ekDialogue, "  ", true, "Go now. Then come back? Fine.", "Go now.  Then come back?  Fine."},
      {ekScriptNote, "  ", true, "Check this. Then that.", "Check this.  Then that."},
      {ekCenteredTitle, "  ", true, "THE END. THE REST.", "THE END.  THE REST."},
      {ekParenthetical, "  ", true, "beat. then", "beat. then"},
      {ekTransition, "  ", true, "CUT. TO:", "CUT. TO:"},
      {ekShot, "  ", true, "ANGLE. ON DOOR", "ANGLE. ON DOOR"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ProgramOptions().SentenceSpacing = c.spacing;
    ProgramOptions().AutoSentenceSpacing = c.autoSpacing;
    Add({{c.kind, c.text}});
    ExpectMessage("Checked");
    editor::MoveCaretTo(Script(), *Script().LastElement);
    RunSpellCommand(smElement);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(Script().EditBuffer(), c.after);
  }
}

TEST_F(SpellPassTest, EveryElementOfTheScriptIsCorrectedAndStored) {
  Add({{ekAction, "the dog ran. it fell."}, {ekCharacterName, "JOE"}, {ekDialogue, "a cat sat."}});
  ExpectMessage("Checked 9 words");
  Run(smScript);
  EXPECT_EQ(ElementText(Element(0)), "The dog ran.  It fell.");
  EXPECT_TRUE(Element(0).LineOffsetsValid());
  EXPECT_EQ(TextOf(2), "A cat sat.");
}

TEST_F(SpellPassTest, WithoutCorrectionsOutsideTypingTheTextStaysAsItIs) {
  ProgramOptions().NonRealTimeCorrection = false;
  ExpectMessage("Checked");
  CheckNewElement("the dog ran. it fell. i did.");
  EXPECT_EQ(Script().EditBuffer(), "the dog ran. it fell. i did.");
}

TEST_F(SpellPassTest, ALoneIBecomesCapitalInEnglish) {
  Add({{ekAction, "Then i left."}});
  ExpectMessage("Checked 3 words");
  Run(smScript);
  EXPECT_EQ(TextOf(0), "Then I left.");
}

TEST_F(SpellPassTest, WordModeChecksTheWordAtTheCaretOnly) {
  Add({{ekAction, "good zorblax frimbly"}});
  AnswerDialog("zorblax", [](TSpellCheckingDlg& d) { d.SkipBtn->Click(); });
  ExpectMessage("Checked \"zorblax\"");
  Run(smWord, 0, 7);
}

TEST_F(SpellPassTest, PageModeStopsAtThePageBreak) {
  Add({{ekAction, "First page zorblax."}, {ekAutoPageBreak, ""}, {ekAction, "Second page frimbly."}});
  AnswerDialog("zorblax", [](TSpellCheckingDlg& d) { d.SkipBtn->Click(); });
  ExpectMessage("Checked 3 words");
  Run(smPage);
}

TEST_F(SpellPassTest, EachScriptIsCheckedInItsOwnLanguage) {
  struct Case {
    SpellLanguage language;
    const char* text;
    const char* unknown;
  };
  const Case cases[] = {
      {1, "The color of the sky zzqx.", "zzqx"}, {2, "The colour of the sky zzqx.", "zzqx"},
      {3, "La couleur du ciel zzqx.", "zzqx"},   {4, "Die Farbe des Himmels zzqx.", "zzqx"},
      {5, "El color del cielo zzqx.", "zzqx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    Settings().SpellLanguage = static_cast<Word>(c.language);
    UnloadSpellEngine();
    AnswerDialog(c.unknown, [](TSpellCheckingDlg& d) { d.SkipBtn->Click(); });
    ExpectMessage("Checked");
    CheckNewElement(c.text);
    EXPECT_EQ(SpellEngineLanguage(), c.language);
  }
}

TEST_F(SpellPassTest, TheWordJustTypedIsMendedWhileTyping) {
  struct Case {
    const char* typed;
    const char* after;
    bool accepted;
  };
  // clang-format off
  const Case cases[] = {
      {"ofthe", "of the", true},       {"withhim", "with him", true}, {"andthen", "and then", true},
      {"recieve", "receive", true},    {"THe", "The", true},          {"i", "I", true},
      {"kitchen", "kitchen", true},    {"zzqxwv", "zzqxwv", false},   {"~zzqxwv", "~zzqxwv", true},
      // A swap never moves the capital: "hTs" is no mend of "Ths".
      {"Ths", "Hts", true},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Add({{ekAction, std::string("Go ") + c.typed}});
    editor::MoveCaretTo(Script(), *Script().LastElement);
    editor::SetCaretColumn(Script(), Script().EditBuffer().size());
    EXPECT_EQ(SpellCheckScript(smAsTyped), c.accepted);
    EXPECT_EQ(Script().EditBuffer(), std::string("Go ") + c.after);
    EXPECT_EQ(Script().CaretColumn(), Script().EditBuffer().size());
  }
}

TEST_F(SpellPassTest, ATypedNameTakesTheNamesCapitals) {
  struct Case {
    bool nameCaps, allCaps;
    Byte kind;
    const char* typed;
    const char* after;
  };
  const Case cases[] = {
      {true, false, ekAction, "krandor", "Krandor"},
      {true, false, ekAction, "o'hara", "O'Hara"},
      // The name's hyphen is not written over a typed hard dash.
      {true, false, ekAction, "mary\x05lou", "Mary\x05Lou"},
      {true, true, ekAction, "mary\x05lou", "MARY\x05LOU"},
      {true, false, ekDialogue, "krandor's", "Krandor's"},
      {true, true, ekAction, "krandor", "KRANDOR"},
      {true, true, ekAction, "kRandor's", "KRANDOR's"},
      {true, true, ekDialogue, "krandor", "Krandor"},
      {true, false, ekAction,
       "k\x02ran\x03"
       "dor",
       "K\x02ran\x03"
       "dor"},
      {true, false, ekAction, "~krandor", "~krandor"},
      {false, true, ekAction, "krandor", "krandor"},
  };
  // The first check opens the engine and reads the names of the cues.
  Add({{ekCharacterName, "KRANDOR"}, {ekCharacterName, "O'HARA"}, {ekCharacterName, "MARY-LOU"}});
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.allCaps ? " all caps" : ""));
    ProgramOptions().NameCapitalization = c.nameCaps;
    AllCapNames = c.allCaps;
    Add({{c.kind, std::string("Then ") + c.typed}});
    editor::MoveCaretTo(Script(), *Script().LastElement);
    editor::SetCaretColumn(Script(), Script().EditBuffer().size());
    EXPECT_TRUE(SpellCheckScript(smAsTyped));
    EXPECT_EQ(Script().EditBuffer(), std::string("Then ") + c.after);
  }
}

TEST_F(SpellPassTest, APausedCheckLeavesTypedWordsAlone) {
  Add({{ekAction, "ofthe"}});
  PlaceCaret(0, 5);
  SetAutoCorrectionPaused(true);
  EXPECT_TRUE(SpellCheckScript(smAsTyped));
  EXPECT_EQ(Script().EditBuffer(), "ofthe");
}

TEST_F(SpellPassTest, TypingWithoutTheLibraryGoesOnUndisturbed) {
  testing::TempFolder empty;
  testing::ScopedEnv program("QUILLMASTER_PROGRAM_FOLDER", empty.Path() + "/");
  Add({{ekAction, ""}});
  PlaceCaret(0, 0);
  for (char c : std::string("Go ofthe now")) {
    char key = c;
    Script().FormKeyPress(&Script(), key);
  }
  EXPECT_EQ(Script().EditBuffer(), "Go ofthe now");
  // The Spell menu says why it cannot check.
  ExpectMessage("The WRS32.DLL is missing!", "Unable to Run Spell Check");
  RunSpellCommand(smScript);
}

TEST_F(SpellPassTest, ABlankTypedAfterAWordChecksIt) {
  Add({{ekAction, ""}});
  PlaceCaret(0, 0);
  for (char c : std::string("Go ofthe now")) {
    char key = c;
    Script().FormKeyPress(&Script(), key);
  }
  EXPECT_EQ(Script().EditBuffer(), "Go of the now");
}

// A word typed last in an element is checked when the caret leaves the
// element, as a blank typed after it would have it checked.
TEST_F(SpellPassTest, LeavingAnElementChecksTheWordJustTyped) {
  ScriptWindowHooks.UndoRecording = [] { return true; };
  ScriptWindowHooks.SaveUndoData = [](bool, bool) {};
  const struct {
    const char* how;
    std::function<void(TMDIChild&)> leave;
  } ways[] = {
      {"a click into the next element",
       [](TMDIChild& w) {
         RebuildScreen(&w);
         int line = 1;
         while (line < ScreenLineCount && w.ScreenLines[static_cast<std::size_t>(line)].element != w.LastElement)
           ++line;
         ASSERT_LT(line, ScreenLineCount) << "the heading shows";
         w.FormMouseDown(&w, TMouseButton::mbLeft, {}, w.LeftTextOffset + 20, ScreenLineTop(w, line) + 2);
         w.FormMouseUp(&w, TMouseButton::mbLeft, {}, w.LeftTextOffset + 20, ScreenLineTop(w, line) + 2);
       }},
      {"Goto Next Scene Heading", [](TMDIChild& w) { SearchNextMarked(w, TGotoTarget::NextScene); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    Add({{ekAction, ""}, {ekSceneHeading, "INT. HALL - DAY"}});
    PlaceCaret(Script().ElementCount() - 2, 0);
    TScriptElement* typed = Script().CurrentElement();
    for (char c : std::string("Then i")) {
      char key = c;
      Script().FormKeyPress(&Script(), key);
    }
    way.leave(Script());
    EXPECT_NE(Script().CurrentElement(), typed) << "the caret left the element";
    EXPECT_EQ(ElementText(*typed), "Then I");
  }
}

// Keys typed on while the question comes up go into the word to put in
// its place, never into the dictionary box, even when the writer went to
// that box at the question before: Return then puts them into the script,
// and no dictionary is named after them.
TEST_F(SpellPassTest, KeysTypedAtTheQuestionGoIntoTheWord) {
  Add({{ekAction, "We frimbly zorblax now."}});
  AnswerDialog("frimbly", [](TSpellCheckingDlg& d) {
    d.FocusControl(d.AddWordsToBox);
    d.SkipBtn->Click();
  });
  AnswerDialog("zorblax", [](TSpellCheckingDlg& d) {
    ASSERT_EQ(d.FocusedControl(), d.BadWord) << "the keyboard is on the unknown word";
    const std::string dictionary = d.AddWordsToBox->Text();
    for (char c : std::string("stairs are")) {
      Application->DeliverInput(TMsg{d.FocusedControl()->Handle(), WM_CHAR, static_cast<Byte>(c), 0, 0, {}});
    }
    EXPECT_EQ(d.BadWord->Text(), "stairs are");
    EXPECT_EQ(d.AddWordsToBox->Text(), dictionary);
    // Return as the desktop brings it: the key, then its character unless
    // the key was taken.
    TWinControl* focused = d.FocusedControl();
    if (!Application->DeliverInput(TMsg{focused->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}}))
      Application->DeliverInput(TMsg{focused->Handle(), WM_CHAR, '\r', 0, 0, {}});
    EXPECT_EQ(d.ModalResult, saReplace);
  });
  ExpectMessage("Checked");
  Run(smScript);
  EXPECT_EQ(TextOf(0), "We frimbly stairs are now.");
}

// A name typed into "Add Words to:" that is no dictionary of the list is
// tidied as a dictionary name is (capitals, cut at its dot) before a word
// is learnt into it: what stood there by mistake names no new file.
TEST_F(SpellPassTest, LearningGoesIntoADictionaryNeverAStrayName) {
  Add({{ekAction, "We zorblax now."}});
  AnswerDialog("zorblax", [](TSpellCheckingDlg& d) {
    d.AddWordsToBox->Text = "USER_US.LXASTAIRSAREWIERD";
    d.LearnBtn->Click();
  });
  ExpectMessage("Checked");
  Run(smScript);
  UnloadSpellEngine();
  EXPECT_FALSE(FileExists(UserDictionaryFolder() + "USER_US.LXASTAIRSAREWIERD"));
  const std::string stored = testing::ReadFileText(UserDictionaryFolder() + "USER_US.LXA");
  EXPECT_NE(stored.find("\nzorblax\n"), std::string::npos) << stored;
  std::remove((UserDictionaryFolder() + "USER_US.LXA").c_str());
}

TEST_F(SpellPassTest, AnActivatedScriptBringsItsLanguageAndDictionary) {
  ASSERT_TRUE(OpenSpellEngine(1, ""));
  Settings().SpellLanguage = 3;
  Settings().UserDictionaryName = "MINE";
  Script().FormActivate(&Script());
  EXPECT_EQ(SpellEngineLanguage(), 3);
  EXPECT_EQ(OpenUserDictionaryName(2), "MINE.LXC");
  // Without the library loaded nothing is loaded for it.
  UnloadSpellEngine();
  Settings().SpellLanguage = 4;
  Script().FormActivate(&Script());
  EXPECT_FALSE(SpellEngineLoaded());
}

TEST_F(SpellPassTest, LearningAWordWithCapitalsAsksHowWhenCapitalsCount) {
  ProgramOptions().IgnoreCaps = false;
  struct Case {
    int choice;
    const char* stored;
  };
  const Case cases[] = {{0, "blorvik"}, {1, "BlorVik"}, {2, "Blorvik"}, {3, "BLORVIK"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    AnswerDialog("BlorVik", [&c](TSpellCheckingDlg& d) {
      d.LearnBtn->Click();
      EXPECT_EQ(d.Notebook->ActivePage(), d.AddPage);
      EXPECT_EQ(d.LearnLabel->Caption(), "How should I learn \"BlorVik\"?");
      EXPECT_EQ(d.RadioGroup1->ItemIndex(), 2);
      d.RadioGroup1->SetItemIndex(c.choice);
      d.AddOkBtn->Click();
    });
    ExpectMessage("Checked");
    CheckNewElement("A BlorVik.");
    const std::string stored = testing::ReadFileText(UserDictionaryFolder() + "USER_US.LXA");
    EXPECT_NE(stored.find(std::string("\n") + c.stored + "\n"), std::string::npos) << stored;
    UnloadSpellEngine();
    std::remove((UserDictionaryFolder() + "USER_US.LXA").c_str());
  }
}

TEST_F(SpellPassTest, ClickingASuggestionTwiceReplacesWithIt) {
  Add({{ekAction, "They recieve it."}});
  AnswerDialog("recieve", [](TSpellCheckingDlg& d) {
    const auto items = Texts(d.SuggestList->Items);
    const auto at = std::find(items.begin(), items.end(), "receive");
    ASSERT_NE(at, items.end());
    d.SuggestList->SetItemIndex(static_cast<int>(at - items.begin()));
    d.SuggestList->OnClick(d.SuggestList);
    EXPECT_EQ(d.BadWord->Text(), "receive");
    EXPECT_EQ(d.ModalResult, mrNone);
    d.SuggestList->OnClick(d.SuggestList);
    EXPECT_EQ(d.ModalResult, saReplace);
  });
  ExpectMessage("Checked 3 words");
  Run(smScript);
  EXPECT_EQ(TextOf(0), "They receive it.");
}

TEST_F(SpellPassTest, ATypedAliasBecomesItsText) {
  SetList(TUserList::SubstitutionText, {"b\\because", "sf\\|San Francisco", "fbi\\||federal bureau"});
  SetList(TUserList::CharNames, {"j\\john smith-jones"});
  struct Case {
    const char* typed;
    const char* after;
  };
  // clang-format off
  const Case cases[] = {
      {"b", "because"},          {"B", "Because"},         {"sf", "San Francisco"}, {"SF", "San Francisco"},
      {"fbi", "FEDERAL BUREAU"}, {"j", "John Smith-Jones"}, {"JJ", "JJ"},            {"a", "a"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Add({{ekAction, std::string("Go ") + c.typed}});
    editor::MoveCaretTo(Script(), *Script().LastElement);
    editor::SetCaretColumn(Script(), Script().EditBuffer().size());
    SpellCheckScript(smAsTyped);
    EXPECT_EQ(Script().EditBuffer(), std::string("Go ") + c.after);
  }
}

}  // namespace
}  // namespace qm
