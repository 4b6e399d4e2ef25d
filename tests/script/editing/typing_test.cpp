#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/dead_keys.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/editing/message_pump.h"
#include "script/editing/popup_choice.h"
#include "script/script_window.h"
#include "base/document_table.h"
#include "base/program_options.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using TypingTest = testing::ProgramFixture;

TEST_F(TypingTest, TypedKeysGoIntoTheEditLineAndMarkTheScript) {
  TMDIChild& w = Script();
  w.SetFocus();
  TypeText("INT. HOUSE");
  EXPECT_EQ(w.EditBuffer(), "INT. HOUSE");
  EXPECT_EQ(w.CaretColumn(), 10);
  EXPECT_TRUE(w.DocumentModified);
  EXPECT_EQ(w.Hint(), "Modified");
  EXPECT_GT(w.RepaginateDue, 0);
  EXPECT_NE(TimedBackupDue, 0) << "a change to a script with text arms the timed backup";
}

// The page of the word-processor mode shows no "Modified" hint over it;
// the script is marked modified all the same.
TEST_F(TypingTest, TheWordProcessorModeShowsNoModifiedHint) {
  TMDIChild& w = Script();
  w.SetFocus();
  ProgramOptions().WordProcessorMode = true;
  TypeText("Hello");
  EXPECT_TRUE(w.DocumentModified);
  EXPECT_EQ(w.Hint(), "");
}

TEST_F(TypingTest, InsertAndTypeoverFollowTheModeButCodesAreAlwaysInserted) {
  TMDIChild& w = Script();
  // clang-format off
  const struct {
    const char* text;
    Word caret;
    Byte insertMode;
    char typed;
    const char* result;
  } cases[] = {
      {"abc", 1, 1, 'X', "aXbc"},
      {"abc", 1, 0, 'X', "aXc"},
      {"abc", 3, 0, 'X', "abcX"},
      {"a\x02" "bc", 1, 0, 'X', "aX\x02" "bc"},  // typing over a bold-on inserts
      {"abc", 1, 0, '\x02', "a\x02" "bc"},
      {"abc", 1, 0, '~', "a~bc"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EditFields(w).EditBuffer = c.text;
    EditFields(w).CaretColumn = c.caret;
    InsertMode = c.insertMode;
    ASSERT_TRUE(TypeCharacter(c.typed));
    EXPECT_EQ(w.EditBuffer(), c.result) << c.text << " + " << c.typed;
  }
}

// Deleting at the caret marks the script changed even at the end of the
// text, where nothing is there to delete.
TEST_F(TypingTest, DeletingAtTheCaretMarksTheScriptEvenWithNothingToDelete) {
  const struct {
    int column;
    const char* after;
  } cases[] = {{0, "ain."}, {2, "Ran."}, {5, "Rain."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    MainForm->FileNewItem->Click();
    TMDIChild& w = Script();
    w.SetFocus();
    TypeText("Rain.");
    SetDocumentModified(false, false);
    ASSERT_FALSE(w.DocumentModified);
    editor::SetCaretColumn(w, c.column);
    DeleteCharAtCaret();
    EXPECT_EQ(w.EditBuffer(), c.after);
    EXPECT_TRUE(w.DocumentModified);
  }
}

TEST_F(TypingTest, AnElementOverTheLimitRefusesMoreText) {
  TMDIChild& w = Script();
  EditFields(w).EditBuffer = std::string(2500, 'a');
  EditFields(w).CaretColumn = 2500;
  EXPECT_TRUE(TypeCharacter('b')) << "2,500 characters still take one more";
  std::string text;
  Driver().Expect([&](TForm& box) {
    auto* label = dynamic_cast<TLabel*>(box.FindComponent("Message"));
    text = label ? label->Caption() : "";
    EXPECT_EQ(box.Caption(), "Attention");
    box.ModalResult = mrOk;
  });
  EXPECT_FALSE(TypeCharacter('c'));
  EXPECT_EQ(w.EditBuffer().size(), 2501u);
  EXPECT_EQ(text, "You cannot have a SINGLE element with more\rthan 2500 letters in it!");
}

TEST_F(TypingTest, TagsAndColourCodesChangeTheScriptWithoutRevisingIt) {
  TMDIChild& w = Script();
  EditFields(w).EditBuffer = "x";
  for (char code : {'\x18', '\x12', '\x01'}) {
    EditFields(w).CaretColumn = 0;
    w.DocumentModified = 0;
    ASSERT_TRUE(TypeCharacter(code));
    EXPECT_TRUE(w.DocumentModified);
  }
}

TEST_F(TypingTest, DeadKeysComposeAccentedLetters) {
  const struct {
    char deadKey, typed;
    Byte result;
  } cases[] = {
      {'\'', 'e', 233}, {'\'', 'x', 'x'}, {'~', 'n', 241}, {'0', 'r', 174},  {':', 'y', 255},
      {'^', 'O', 212},  {'`', 'a', 224},  {',', 'C', 199}, {'\'', '?', 191},
  };
  for (const auto& c : cases) {
    PendingDeadKey = c.deadKey;
    EXPECT_EQ(static_cast<Byte>(ComposeDeadKey(c.typed)), c.result) << c.deadKey << c.typed;
    EXPECT_EQ(PendingDeadKey, 0) << "the dead key is used up";
  }
  PendingDeadKey = '\'';
  EXPECT_EQ(ComposeDeadKey('\r'), '\r') << "a control character leaves the dead key waiting";
  EXPECT_EQ(PendingDeadKey, '\'');
}

TEST_F(TypingTest, NamesAreCapitalsUntilTheExtension) {
  TMDIChild& w = Script();
  w.CurrentElement()->format = w.FormatSet[fsCharacterName];
  w.SetFocus();
  // The parenthesis offers the extensions; the writer types one instead.
  Driver().ExpectPopup([](TPopupMenu& menu) -> TMenuItem* {
    for (int i = 0; i < menu.Items()->Count(); ++i)
      if (menu.Items()->Items(i)->Caption() == AddAsTextCaption) return menu.Items()->Items(i);
    return nullptr;
  });
  TypeText("john (v.o.)");
  EXPECT_EQ(w.EditBuffer(), "JOHN (v.o.)");
}

// With "AutoSentence Spacing" on (the default, two blanks) a blank typed
// after a sentence end in prose becomes two: the page breaker only takes a
// period followed by two blanks for a sentence end.
TEST_F(TypingTest, ABlankAfterASentenceBecomesTheSentenceSpacing) {
  TMDIChild& w = Script();
  w.SetFocus();
  const struct {
    const char* what;
    int slot;
    const char* typed;
    const char* line;
  } cases[] = {
      {"a period", fsAction, "She waits. He comes.", "She waits.  He comes."},
      {"a question and an exclamation", fsDialogue, "Why? Go! Now", "Why?  Go!  Now"},
      {"a quote after the period", fsAction, "He said \"no.\" Then left", "He said \"no.\"  Then left"},
      {"an abbreviation", fsAction, "Mr. Smith waits", "Mr. Smith waits"},
      {"an ellipsis", fsDialogue, "Wait... what", "Wait... what"},
      {"a blank typed into the spacing", fsAction, "One.  Two", "One.   Two"},
      {"not in a heading", fsSceneHeading, "INT. HALL", "INT. HALL"},
      {"not in a cue", fsCharacterName, "dr. no", "DR. NO"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EditFields(w).EditBuffer.clear();
    EditFields(w).CaretColumn = 0;
    w.CurrentElement()->format = w.FormatSet[static_cast<size_t>(c.slot)];
    TypeText(c.typed);
    EXPECT_EQ(w.EditBuffer(), c.line);
  }
  MainForm->AutoSentenceSpacing = false;
  EditFields(w).EditBuffer.clear();
  EditFields(w).CaretColumn = 0;
  w.CurrentElement()->format = w.FormatSet[fsAction];
  TypeText("She waits. He comes.");
  EXPECT_EQ(w.EditBuffer(), "She waits. He comes.") << "the option off";
}

// Typing into a read-only script changes nothing, and each key says why.
TEST_F(TypingTest, AReadOnlyScriptIgnoresTyping) {
  TMDIChild& w = Script();
  w.Editable = 0;
  w.SetFocus();
  for (int i = 0; i < 3; ++i) testing::AnswerMessageBox(Driver(), ReadOnlyWarning, mrOk);
  TypeText("abc");
  EXPECT_EQ(w.EditBuffer(), "");
  EXPECT_EQ(Driver().Pending(), 0);
}

// A writer cannot see the structure the letters go into while element kinds
// are hidden: each typed letter first asks to show them.
TEST_F(TypingTest, TypingWhileElementsAreHiddenAsksToShowThemFirst) {
  const std::string question = "You cannot EDIT your script when Elements other than Script Notes and Non-Printing "
                               "Text are Hidden!\r\rShould I unhide them for you at this time?";
  TMDIChild& w = Script();
  w.SetFocus();
  const unsigned hidden = (1u << ekAction) | (1u << ekScriptNote);
  const struct {
    TModalResult answer;
    const char* text;
    unsigned kindsAfter;
  } cases[] = {{mrNo, "", hidden}, {mrYes, "a", 1u << ekScriptNote}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer == mrYes ? "Yes" : "No");
    EditFields(w).EditBuffer.clear();
    EditFields(w).CaretColumn = 0;
    w.HiddenKinds = hidden;
    testing::AnswerMessageBox(Driver(), question, c.answer);
    TypeText("a");
    EXPECT_EQ(w.EditBuffer(), c.text) << "No consumes the key; Yes types it";
    EXPECT_EQ(w.HiddenKinds, c.kindsAfter);
    EXPECT_EQ(Driver().Pending(), 0);
  }
  w.HiddenKinds = 1u << ekScriptNote;
  TypeText("b");
  EXPECT_EQ(w.EditBuffer(), "ab") << "hidden script notes alone stop nothing";
}

TEST_F(TypingTest, KeysTypedDuringAJobAppearInOrderWhenItEnds) {
  TMDIChild& w = Script();
  w.SetFocus();
  TypeText("A");
  {
    LongJob job;
    // The user types while the job lets messages through.
    JobRunning = 1;
    TypeText("bc");
    JobRunning = 0;
    EXPECT_EQ(w.EditBuffer(), "A") << "nothing is typed inside the job";
  }
  EXPECT_EQ(w.EditBuffer(), "Abc");
}

TEST_F(TypingTest, ACommandTypesHardSpacesAndHardDashes) {
  TMDIChild& w = Script();
  char key = ' ';
  w.FormKeyPress(nullptr, key);
  key = '-';
  w.FormKeyPress(nullptr, key);
  EXPECT_EQ(w.EditBuffer(), "\x04\x05");
}

TEST_F(TypingTest, TheTimedBackupIsPostponedWhileTheUserTypesButAtMostTwoMinutes) {
  TMDIChild& w = Script();
  w.SetFocus();
  AutosaveInterval = 5;
  TypeText("a");
  const std::int64_t armed = TimedBackupDue;
  EXPECT_EQ(armed, TickNow() + 3000);
  // Typing far from the due time changes nothing.
  TypeText("b");
  EXPECT_EQ(TimedBackupDue, armed);
  // Inside the last two seconds every keystroke pushes it back two seconds.
  Backend().SetTick(static_cast<std::uint64_t>(armed - 19) * 100);
  TypeText("c");
  EXPECT_EQ(TimedBackupDue, armed + 20);
  for (int i = 0; i < 100; ++i) {
    Backend().SetTick(static_cast<std::uint64_t>(TimedBackupDue - 1) * 100);
    TypeText("d");
  }
  EXPECT_EQ(BackupPostponed, 1200);
  EXPECT_EQ(TimedBackupDue, armed + 1200);
}

// A script marked unmodified while a change still waits for its backup
// arms the backup when none is pending, and only then forgets the change.
TEST_F(TypingTest, MarkingUnmodifiedStillArmsTheBackupOfAnUnbackedChange) {
  const struct {
    const char* what;
    bool changed;
    std::int64_t due;  // -1: armed now, from the interval
    std::int64_t dueAfter;
  } cases[] = {{"a change and no backup pending", true, 0, -1},
               {"a change and a backup pending", true, 77, 77},
               {"no change", false, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TMDIChild& w = Script();
    w.SetFocus();
    AutosaveInterval = 5;
    TypeText("a");
    w.ModifiedSinceBackup = c.changed ? 1 : 0;
    TimedBackupDue = c.due;
    SetDocumentModified(false, false);
    EXPECT_EQ(TimedBackupDue, c.dueAfter < 0 ? static_cast<std::int64_t>(TickNow()) + 3000 : c.dueAfter);
    EXPECT_EQ(w.ModifiedSinceBackup, 0);
    EXPECT_FALSE(w.DocumentModified);
  }
}

TEST_F(TypingTest, AnEmptyScriptArmsNoTimedBackup) {
  TMDIChild& w = Script();
  EditFields(w).EditBuffer = " ";
  SetDocumentModified(true, true);
  EXPECT_EQ(TimedBackupDue, 0);
  EXPECT_TRUE(IsDocumentEmpty(ActiveDocument));
  EditFields(w).EditBuffer = "x";
  EXPECT_FALSE(IsDocumentEmpty(ActiveDocument));
}

}  // namespace
}  // namespace qm
