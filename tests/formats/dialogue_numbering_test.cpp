#include "formats/dialogue_numbering.h"

#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "script/pagination/numbering.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_type_change.h"

namespace qm::testing {
namespace {

class DialogueNumberingTest : public DraftsFixture {
 protected:
  void ThreeSpeeches() {
    Start({{ekCharacterName, "ANN"},
           {ekDialogue, "One."},
           {ekCharacterName, "BOB"},
           {ekDialogue, "Two."},
           {ekCharacterName, "CAL"},
           {ekDialogue, "Three."}});
  }
  std::vector<std::string> SpeechNumbers() const {
    std::vector<std::string> numbers;
    for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName) numbers.push_back(Window().DialogueNumberText(e));
    return numbers;
  }
  // Confirms the dialog (or cancels it) and takes the report.
  void Confirm(bool ok, const char* expectedQuestion) {
    Driver().Expect([ok, expectedQuestion](TForm& form) {
      auto& dialog = dynamic_cast<TDialogueNumberingDlg&>(form);
      EXPECT_EQ(dialog.WhatLabel->Caption(), expectedQuestion);
      form.ModalResult = ok ? mrOk : mrCancel;
    });
    if (ok) Press(mrOk, &report);
  }
  std::string report;
};

TEST_F(DialogueNumberingTest, LockedSpeechesKeepTheirNumbersAndAddedOnesTakeLetters) {
  ThreeSpeeches();
  EXPECT_EQ(LockModeOf(Window()), TDialogueNumbering::Lock);
  Confirm(true, "Lock the Dialogue Numbers as they are now?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Lock));
  EXPECT_EQ(report, "Dialogue Numbering has been updated!");
  EXPECT_EQ(dialogue_word::Number(ElementNo(2)->format.NumberWord), 2);
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "2", "3"}));

  EXPECT_EQ(Window().DialogueNumberingLock, 1);

  // A speech put in after the first is marked as added under the lock and
  // shows the first's number and a letter.
  CaretAt(1, 4);
  editor::NewElement(Window(), Window().FormatSet[fsCharacterName], true);
  editor::SetEditText(Window(), "DEE");
  Window().RefreshKeepingCursor();
  EXPECT_NE(ElementNo(2)->format.NumberWord & dialogue_word::AddedUnderLock, 0);
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "1A", "2", "3"}));

  // With an added speech the lock comes off to numbered, the numbers kept.
  EXPECT_EQ(UnlockModeOf(Window()), TDialogueNumbering::UnlockMultiLocked);
  Confirm(true, "Unlock the Multi-Locked Dialogue Numbers?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::UnlockMultiLocked));
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "1A", "2", "3"}));
  EXPECT_EQ(UnlockModeOf(Window()), TDialogueNumbering::Unlock);

  // Locked again over the added speech: a multi-lock.
  EXPECT_EQ(LockModeOf(Window()), TDialogueNumbering::MultiLock);
  Confirm(true, "Multi-Lock the Dialogue Numbers, keeping the letters of added speeches?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::MultiLock));
  EXPECT_EQ(Window().DialogueNumberingLock, 1);
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "1-A", "2", "3"}));

  // Unlocked, the speeches count from 1 again.
  Confirm(true, "Unlock the Dialogue Numbers so that every speech is numbered again?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Unlock));
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    EXPECT_EQ(e->format.NumberWord & 0x7FFC, 0) << "no locked number left";
  EXPECT_EQ(LockModeOf(Window()), TDialogueNumbering::Lock);
}

TEST_F(DialogueNumberingTest, OnlySpeechesBegunUnderTheLockAreMarkedAdded) {
  struct Case {
    const char* what;
    bool locked;
    bool emptyElementRetyped;  // an empty element made a cue, not a new one
    Byte kind;
    bool marked;
  };
  const Case cases[] = {
      {"a new cue under the lock", true, false, ekCharacterName, true},
      {"an empty element made a cue under the lock", true, true, ekCharacterName, true},
      {"a new cue without the lock", false, false, ekCharacterName, false},
      {"new dialogue under the lock", true, false, ekDialogue, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ThreeSpeeches();
    if (c.locked) {
      Confirm(true, "Lock the Dialogue Numbers as they are now?");
      ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Lock));
    }
    CaretAt(1, 4);
    if (c.emptyElementRetyped) {
      editor::NewElement(Window(), Window().FormatSet[fsAction], true);
      ASSERT_EQ(Window().CurrentElement()->Kind(), ekAction);
    }
    TElementFormat format = Window().FormatSet[c.kind == ekCharacterName ? fsCharacterName : fsDialogue];
    editor::NewElement(Window(), format, !c.emptyElementRetyped);
    ASSERT_EQ(Window().CurrentElement(), ElementNo(2)) << "in place, after the first speech";
    EXPECT_EQ(ElementNo(2)->Kind(), c.kind);
    EXPECT_EQ((ElementNo(2)->format.NumberWord & dialogue_word::AddedUnderLock) != 0, c.marked);
    EXPECT_EQ(dialogue_word::Number(ElementNo(0)->format.NumberWord), c.locked ? 1 : 0) << "the locked one untouched";
  }
}

TEST_F(DialogueNumberingTest, AnElementMadeACueUnderTheLockIsMarkedAdded) {
  for (const bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "locked" : "not locked");
    ThreeSpeeches();
    if (locked) {
      Confirm(true, "Lock the Dialogue Numbers as they are now?");
      ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Lock));
    }
    CaretAt(1, 4);
    editor::NewElement(Window(), Window().FormatSet[fsAction], true);
    editor::SetEditText(Window(), "DEE");
    ASSERT_TRUE(ChangeElementType(Window(), ebCharacterName, nullptr));
    ASSERT_EQ(ElementNo(2)->Kind(), ekCharacterName);
    EXPECT_EQ((ElementNo(2)->format.NumberWord & dialogue_word::AddedUnderLock) != 0, locked);
    if (locked) {
      EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "1A", "2", "3"}));
    }
  }
}

TEST_F(DialogueNumberingTest, AdjustingNumbersEverySpeechAfresh) {
  ThreeSpeeches();
  Confirm(true, "Lock the Dialogue Numbers as they are now?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Lock));
  CaretAt(1, 4);
  editor::NewElement(Window(), Window().FormatSet[fsCharacterName], true);
  editor::SetEditText(Window(), "DEE");
  Window().RefreshKeepingCursor();
  ASSERT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "1A", "2", "3"}));

  // Locked: the added speech takes a number of its own, and all are locked.
  Confirm(true, "Renumber every Speech from 1, so that added speeches lose their letters?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Adjust));
  EXPECT_EQ(report, "Dialogue Numbering has been updated!");
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(Window().DialogueNumberingLock, 1);
  std::vector<int> locked;
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName) {
      locked.push_back(dialogue_word::Number(e->format.NumberWord));
      EXPECT_EQ(e->format.NumberWord & dialogue_word::AddedUnderLock, 0);
    }
  EXPECT_EQ(locked, (std::vector<int>{1, 2, 3, 4}));

  // Numbered but unlocked with kept numbers: the kept numbers go.
  Confirm(true, "Unlock the Dialogue Numbers so that every speech is numbered again?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Unlock));
  Window().DialogueNumbering = 1;
  ElementNo(3)->format.NumberWord = static_cast<Word>(9 << 2);
  ASSERT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "2", "9", "9A"}));
  Confirm(true, "Renumber every Speech from 1, so that added speeches lose their letters?");
  ASSERT_TRUE(LockDialogueNumbering(Window(), TDialogueNumbering::Adjust));
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(Window().DialogueNumberingLock, 0);
  EXPECT_EQ(dialogue_word::Number(ElementNo(3)->format.NumberWord), 0);
}

TEST_F(DialogueNumberingTest, PrintNumberingInScriptTurnsTheShownNumbersOnAndOff) {
  ThreeSpeeches();
  EXPECT_TRUE(TogglePrintedDialogueNumbers(Window()));
  EXPECT_EQ(Window().DialogueNumbering, 1);
  // Numbered without a lock or a kept number: each speech its own count.
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_FALSE(TogglePrintedDialogueNumbers(Window()));
  EXPECT_EQ(Window().DialogueNumbering, 0);
}

TEST_F(DialogueNumberingTest, CancellingLocksNothing) {
  ThreeSpeeches();
  Confirm(false, "Lock the Dialogue Numbers as they are now?");
  EXPECT_FALSE(LockDialogueNumbering(Window(), TDialogueNumbering::Lock));
  EXPECT_EQ(Window().DialogueNumbering, 0);
  EXPECT_EQ(ElementNo(0)->format.NumberWord, 0);
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing
