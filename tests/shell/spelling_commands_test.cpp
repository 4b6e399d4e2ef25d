// The Spell menu's commands as the writer chooses them.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/message_box_form.h"
#include "base/program_options.h"
#include "platform/files.h"
#include "language/spelling/language_dialog.h"
#include "language/spelling/spell_check_dialog.h"
#include "language/spelling/spell_engine.h"
#include "language/spelling/spell_pass.h"
#include "language/spelling/user_dictionary.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "script/editing/revision_marks.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "shell/tool_bar.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class SpellingCommandsTest : public testing::ProgramFixture {
 protected:
  void Type(const std::string& text) {
    Script().SetFocus();
    TypeText(text);
    MainForm->UpdateMenusAndButtons();
  }
  void Choose(const char* item) {
    ASSERT_TRUE(MainForm->MenuItem(item)->Enabled()) << item;
    MainForm->MenuItem(item)->Click();
    EXPECT_EQ(Driver().Pending(), 0) << item;
  }
  // A message box whose text begins with `start`.
  void ExpectMessageStarting(const std::string& start, const std::string& caption) {
    Driver().Expect(
        [start, caption](TForm& box) {
          EXPECT_EQ(testing::MessageBoxText(box).rfind(start, 0), 0u) << testing::MessageBoxText(box);
          EXPECT_EQ(box.Caption(), caption);
          box.ModalResult = mrOk;
        },
        start);
  }
  testing::ScopedEnv program_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data/"};
};

TEST_F(SpellingCommandsTest, EachPassCommandChecksItsPartOfTheScript) {
  Type("The cat sat on the mat.");
  struct Case {
    const char* item;
    const char* message;
  };
  // The word at the caret first: the other passes leave the caret where they began.
  const Case cases[] = {{"SpellWordItem", "Checked \"mat\""},
                        {"CountWordsItem", "Counted 6 words"},
                        {"SpellScriptItem", "Checked 6 words"},
                        {"SpellElementItem", "Checked 6 words"}};
  for (const auto& c : cases) {
    testing::AnswerMessageBox(Driver(), c.message, mrOk);
    Choose(c.item);
  }
  EXPECT_EQ(Script().EditBuffer(), "The cat sat on the mat.");
}

// Counting changes nothing: a script open for reading is counted too, while
// the passes that may correct words stay off.
TEST_F(SpellingCommandsTest, CountWordsNeedsOnlyAnOpenScript) {
  Type("The cat sat on the mat.");
  Script().Editable = 0;
  MainForm->UpdateMenusAndButtons();
  EXPECT_FALSE(MainForm->MenuItem("SpellScriptItem")->Enabled()) << "the checking passes need an editable script";
  testing::AnswerMessageBox(Driver(), "Counted 6 words", mrOk);
  Choose("CountWordsItem");
}

TEST_F(SpellingCommandsTest, PauseStopsTheCorrectionsWhileTypingUntilChosenAgain) {
  Choose("PauseAutocorrectionItem");
  EXPECT_TRUE(MainForm->MenuItem("PauseAutocorrectionItem")->Checked());
  Type("ofthe ");
  EXPECT_EQ(Script().EditBuffer(), "ofthe ");
  Choose("PauseAutocorrectionItem");
  EXPECT_FALSE(AutoCorrectionPaused());
  Type("ofthe ");
  EXPECT_EQ(Script().EditBuffer(), "ofthe of the ");
}

// The tool button shows pressed exactly while the corrections rest, whether
// the menu item or the button itself was used, and its hint offers the
// other way.
TEST_F(SpellingCommandsTest, ThePauseButtonShowsPressedWhilePaused) {
  TOfficeButton* button = MainForm->ToolBar().Button("PauseSpellBtn");
  ASSERT_NE(button, nullptr);
  const struct {
    const char* how;
    bool paused;
  } steps[] = {{"menu", true}, {"menu", false}, {"button", true}, {"button", false}, {"button", true}, {"menu", false}};
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string(step.how) + (step.paused ? " pauses" : " resumes"));
    if (std::string(step.how) == "menu") Choose("PauseAutocorrectionItem");
    else ClickAt(*button, 4, 4);
    EXPECT_EQ(AutoCorrectionPaused(), step.paused);
    EXPECT_EQ(MainForm->MenuItem("PauseAutocorrectionItem")->Checked(), step.paused);
    EXPECT_EQ(button->Down(), step.paused);
    EXPECT_EQ(button->Hint().substr(0, 6), step.paused ? "Resume" : "Pause ");
  }
}

TEST_F(SpellingCommandsTest, ClearingTheIgnoreListSaysSo) {
  ASSERT_TRUE(OpenSpellEngine(1, ""));
  AddToIgnoreList("zorblax");
  testing::AnswerMessageBox(Driver(), "Ignore List has been Cleared.", mrOk);
  Choose("ClearIgnoreListitem");
  EXPECT_NE(IsWordUnknown("zorblax"), wrs::Ok);
}

// The words written are the ones the engine then knows; Cancel writes nothing.
TEST_F(SpellingCommandsTest, TheUserDictionaryEditorWritesWhatTheEngineReadsAndReopensIt) {
  const struct {
    const char* what;
    bool ok;
    std::vector<std::string> shownAfter;
  } cases[] = {
      {"OK", true, {"grumbleton", "teh = the", "zorblax"}},
      {"Cancel", false, {"grumbleton", "oldword", "teh = the"}},
  };
  const std::string path = UserDictionaryPath(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UnloadSpellEngine();
    testing::WriteFileText(path, "QUILLMASTER WORD LIST 1\ngrumbleton\noldword\nteh\tthe\n");
    ASSERT_TRUE(OpenSpellEngine(1, ""));
    ASSERT_NE(IsWordUnknown("zorblax"), wrs::Ok);
    Driver().Expect([&c](TForm& form) {
      auto* dialog = dynamic_cast<TUserDictionaryDlg*>(&form);
      ASSERT_NE(dialog, nullptr);
      EXPECT_FALSE(SpellEngineLoaded()) << "the engine lets go of its files meanwhile";
      std::vector<std::string> shown;
      for (int i = 0; i < dialog->WordList->Items.Count(); ++i) shown.push_back(dialog->WordList->Items[i]);
      EXPECT_EQ(shown, (std::vector<std::string>{"grumbleton", "oldword", "teh = the"}));
      dialog->WordEdit->SetFocus();
      TypeText("zorblax");
      dialog->AddBtn->Click();
      dialog->WordList->SetItemIndex(1);
      dialog->DeleteBtn->Click();
      if (c.ok) dialog->OKBtn->Click();
      else dialog->CancelBtn->Click();
    });
    Choose("EditUserDictionary1");
    EXPECT_TRUE(SpellEngineOpen());
    EXPECT_EQ(IsWordUnknown("zorblax") == wrs::Ok, c.ok);
    EXPECT_EQ(IsWordUnknown("oldword") == wrs::Ok, !c.ok);
    std::vector<std::string> stored;
    for (const auto& e : ReadUserDictionary(path).entries) stored.push_back(UserDictionaryLine(e));
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, c.shownAfter);
    EXPECT_EQ(GetAutoCorrection("teh"), "the") << "automatic replacements survive the edit";
  }
}

TEST_F(SpellingCommandsTest, TheUserDictionaryEditorAddsEachWordOnceAndRefusesNone) {
  TUserDictionaryDlg dialog(nullptr);
  dialog.Words.entries = {{"alpha", ""}};
  dialog.ShowWords();
  const struct {
    const char* typed;
    int count;
    int selected;
    bool beeped;
  } cases[] = {
      {"  beta  ", 2, 1, false},
      {"alpha", 2, 0, false},
      {"   ", 2, 0, true},
      {"bad\x01word", 2, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Backend().ClearSounds();
    dialog.WordEdit->Text = c.typed;
    dialog.AddClick();
    EXPECT_EQ(dialog.WordList->Items.Count(), c.count);
    EXPECT_EQ(static_cast<int>(dialog.Words.entries.size()), c.count);
    EXPECT_EQ(dialog.WordList->ItemIndex(), c.selected);
    EXPECT_EQ(!Backend().Sounds().empty(), c.beeped);
  }
  EXPECT_EQ(dialog.Words.entries[1].word, "beta");
  dialog.WordList->SetItemIndex(1);
  dialog.DeleteClick();
  EXPECT_EQ(dialog.WordList->ItemIndex(), 0) << "the selection stays on the last entry";
  dialog.DeleteClick();
  EXPECT_EQ(dialog.WordList->ItemIndex(), -1);
  EXPECT_FALSE(dialog.DeleteBtn->Enabled);
  EXPECT_TRUE(dialog.Words.entries.empty());
}

TEST_F(SpellingCommandsTest, SelectLanguageSetsTheScriptsLanguage) {
  Driver().Expect([](TForm& form) {
    auto* dialog = dynamic_cast<TSelectLanguageDlg*>(&form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->LanguageGroup->ItemIndex(), 0);
    dialog->LanguageGroup->SetItemIndex(3);
    dialog->OKBtn->Click();
  });
  Choose("SelectLanguage1");
  EXPECT_EQ(RecordOf(Script()).SpellLanguage, 4);
  EXPECT_EQ(SpellEngineLanguage(), 4);
  EXPECT_EQ(IsWordUnknown("Himmel"), wrs::Ok);
}

TEST_F(SpellingCommandsTest, TheDefaultLanguageGoesToNewScripts) {
  Driver().Expect([](TForm& form) {
    auto* dialog = dynamic_cast<TSelectLanguageDlg*>(&form);
    ASSERT_NE(dialog, nullptr);
    dialog->LanguageGroup->SetItemIndex(2);
    dialog->DefaultBox->SetChecked(true);
    dialog->OKBtn->Click();
  });
  Choose("SelectLanguage1");
  EXPECT_EQ(ProgramOptions().DefaultLanguage, 3);
  Choose("FileNewItem");
  EXPECT_EQ(RecordOf(Script()).SpellLanguage, 3);
}

TEST_F(SpellingCommandsTest, ALanguageWhoseDictionaryIsMissingCannotBeChosen) {
  // A program folder whose Italian file names a dictionary that is not installed.
  testing::TempFolder folder;
  const std::string data = std::string(QM_BINARY_DIR) + "/data/";
  for (const char* f : {"libwrs32.so", "171.LEX"})
    testing::WriteFileText(folder.File(f), testing::ReadFileText(data + f));
  testing::WriteFileText(folder.File("671.LEX"), "QUILLMASTER WORD LIST 1\nHUNSPELL xx_NONE\n");
  testing::ScopedEnv program("QUILLMASTER_PROGRAM_FOLDER", folder.Path() + "/");
  Driver().Expect([this, &folder](TForm& form) {
    auto* dialog = dynamic_cast<TSelectLanguageDlg*>(&form);
    ASSERT_NE(dialog, nullptr);
    dialog->LanguageGroup->SetItemIndex(5);
    testing::AnswerMessageBox(Driver(), "Cannot Open Dictionary\r\rError Opening " + folder.Path() + "/671.LEX", mrOk,
                              "Spell Check Error");
    testing::AnswerMessageBox(Driver(), "Sorry, the Italian dictionary is not installed.", mrOk);
    dialog->OKBtn->Click();
    EXPECT_EQ(dialog->ModalResult, mrNone);
    dialog->CancelBtn->Click();
  });
  Choose("SelectLanguage1");
  EXPECT_EQ(RecordOf(Script()).SpellLanguage, 1);
}

// The questions of a whole-script check answered from the keyboard, Alt
// and the button's underlined letter; typing reaches the script after.
TEST_F(SpellingCommandsTest, EachQuestionIsAnsweredWithAltAndItsLetter) {
  Type("The zorblax quindle froop.");
  const struct {
    const char* word;
    Word letter;
  } answers[] = {{"zorblax", 'I'}, {"quindle", 'K'}, {"froop", 'I'}};
  for (const auto& a : answers)
    Driver().Expect(
        [a](TForm& form) {
          auto* dialog = dynamic_cast<TSpellCheckingDlg*>(&form);
          ASSERT_NE(dialog, nullptr);
          EXPECT_EQ(dialog->FoundWord(), a.word);
          SendKey(a.letter, TShiftState(ssAlt));
          EXPECT_NE(dialog->ModalResult, mrNone) << "Alt+" << static_cast<char>(a.letter) << " answers " << a.word;
          if (dialog->ModalResult == mrNone) dialog->CancelBtn->Click();
        },
        a.word);
  testing::AnswerMessageBox(Driver(), "Checked 4 words", mrOk);
  MainForm->MenuItem("SpellScriptItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  Script().SetFocus();
  SendKey(VK_END);
  TypeText("x");
  EXPECT_EQ(Script().EditBuffer(), "The zorblax quindle froop.x");
}

TEST_F(SpellingCommandsTest, SetupOptionsShowsTheSpellingPageAndComesBackToTheWord) {
  Type("The cat zorblax.");
  const bool beepBefore = ProgramOptions().BeepOnUnknown;
  Driver().Expect([this, beepBefore](TForm& form) {
    auto* dialog = dynamic_cast<TSpellCheckingDlg*>(&form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->FoundWord(), "zorblax");
    ASSERT_TRUE(dialog->SetupOptionsBtn->Enabled);
    Driver().Expect([dialog, beepBefore](TForm& options) {
      auto* settings = dynamic_cast<TSettingsDlg*>(&options);
      ASSERT_NE(settings, nullptr);
      EXPECT_EQ(settings->Caption(), "Set Spell Check Options");
      ASSERT_NE(settings->Notebook->ActivePage(), nullptr);
      EXPECT_EQ(settings->Notebook->ActivePage()->Name, "SpellCheckPage");
      EXPECT_FALSE(dialog->Visible()) << "the question waits out of sight";
      settings->Box("BeepUnknownBox")->SetChecked(!beepBefore);
      settings->OKBtn->Click();
    });
    dialog->SetupOptionsBtn->Click();
    Driver().Expect([](TForm& box) { box.ModalResult = mrOk; }, "the pass's closing message");
    EXPECT_TRUE(dialog->Visible());
    EXPECT_EQ(dialog->ModalResult, mrNone) << "the word is still asked about";
    dialog->SkipBtn->Click();
  });
  MainForm->MenuItem("SpellScriptItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(ProgramOptions().BeepOnUnknown, !beepBefore);
}

// The dictionary is a setting of the script beside its text: no line is
// marked revised for it.
TEST_F(SpellingCommandsTest, ChangeDictionaryStoresATidiedName) {
  Type("Hello.");
  Script().RevisionMarking = 1;
  Driver().Expect([](TForm& form) {
    auto* dialog = dynamic_cast<TSpellCheckingDlg*>(&form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->ReplaceBtn->Enabled);
    dialog->AddWordsToBox->Text = "my long words.lxa";
    dialog->HelpBtn->Click();
  });
  testing::AnswerMessageBox(
      Driver(), "User Dictionary Names are limited to 8 letters, so I'm truncating this name to \"MYLONGWO\"", mrOk,
      "Attention");
  Choose("ChangeSupplementaryDictionary1");
  EXPECT_EQ(RecordOf(Script()).UserDictionaryName, "MYLONGWO");
  EXPECT_EQ(OpenUserDictionaryName(2), "MYLONGWO.LXA");
  EXPECT_TRUE(Script().DocumentModified);
  EXPECT_FALSE(HasRevisedLines(*Script().CurrentElement()));
}

}  // namespace
}  // namespace qm
