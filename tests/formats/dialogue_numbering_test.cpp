#include "formats/dialogue_numbering.h"

#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "script/pagination/numbering.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

class DialogueNumberingTest : public DraftsFixture {
 protected:
  void ThreeSpeeches() {
    Start({{ekCharacterName, "ANN"}, {ekDialogue, "One."}, {ekCharacterName, "BOB"}, {ekDialogue, "Two."},
           {ekCharacterName, "CAL"}, {ekDialogue, "Three."}});
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

  // A speech put in after the first shows the first's number and letters.
  CaretAt(1, 4);
  editor::NewElement(Window(), Window().FormatSet[fsCharacterName], true);
  Window().EditBuffer = "DEE";
  Window().RefreshKeepingCursor();
  EXPECT_EQ(SpeechNumbers(), (std::vector<std::string>{"1", "1-A", "2", "3"}));

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
