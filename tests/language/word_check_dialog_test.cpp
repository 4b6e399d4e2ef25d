// The word-check dialog as the writer uses it: groups typed in and kept,
// names combined and applied as aliases.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "language/confused_words.h"
#include "language/confused_words_dialog.h"
#include "language/duplicate_names.h"
#include "language/language_fixture.h"
#include "platform/stringlist.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using Groups = std::vector<std::string>;

class WordCheckDialogTest : public testing::LanguageFixture {};

TEST_F(WordCheckDialogTest, GroupsTypedInAreKeptWhenTheDialogCloses) {
  Add({{ekAction, "Its late."}});
  PlaceCaret(0);
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCheckWordsDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Easily confused word check");
    dialog.AddWords->Text = "lose loose";
    EXPECT_FALSE(dialog.AddBtnClick());
    dialog.AddWords->Text = " lose: loose ";
    EXPECT_TRUE(dialog.AddBtnClick());
    EXPECT_EQ(dialog.AddWords->Text(), "");
    dialog.CompareList->SetItemIndex(0);
    dialog.DeleteWordsClick();
    dialog.CloseBtn->Click();
  });
  ExpectMessage(NoColonMessage, "\tAttention");
  ShowConfusedWordsCheck();
  EXPECT_EQ(ReadWordGroups(OpenSettingsFile()), (Groups{"it's : its", "lose : loose"}));
}

TEST_F(WordCheckDialogTest, CheckScriptRunsFromTheFirstElement) {
  Add({{ekAction, "Its late."}, {ekAction, "Go."}});
  PlaceCaret(1);
  Driver().Expect([&](TForm& form) { dynamic_cast<TCheckWordsDlg&>(form).CheckScriptButton->Click(); });
  ExpectMessage("Is this the correct word?", "", mrNo);
  ShowConfusedWordsCheck();
  EXPECT_EQ(testing::ElementsOf(Script())[0].text, "It's late.");
}

TEST_F(WordCheckDialogTest, CombinedNamesBecomeAliasesOnApply) {
  Add({{ekCharacterName, "ROBERT"}, {ekDialogue, "Hi."}, {ekCharacterName, "BOB"}, {ekDialogue, "Hi."},
       {ekCharacterName, "SAM"}, {ekDialogue, "Hi."}});
  PlaceCaret(1);
  TScriptRecord& r = Settings();
  r.AddAlias(r.CharacterAliasList, "JANIE", "JANE");
  ExpectMessage("JANE", "Attention");
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCheckWordsDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Setup Duplicate Names");
    EXPECT_EQ(dialog.Entries(), (Groups{"BOB", "JANE : JANIE", "ROBERT", "SAM"}));
    dialog.NamesBox->SetSelected(2, true);  // ROBERT first: he reports
    dialog.NamesBoxClick();
    dialog.NamesBox->SetSelected(0, true);
    dialog.NamesBoxClick();
    dialog.CombineBtn->Click();
    EXPECT_EQ(dialog.Entries(), (Groups{"JANE : JANIE", "ROBERT : BOB", "SAM"}));
    dialog.UndoBtn->Click();
    EXPECT_EQ(dialog.Entries(), (Groups{"BOB", "JANE : JANIE", "ROBERT", "SAM"}));
    dialog.NamesBox->SetSelected(2, true);
    dialog.NamesBoxClick();
    dialog.NamesBox->SetSelected(0, true);
    dialog.NamesBoxClick();
    dialog.CombineBtn->Click();
    dialog.ApplyButton->Click();
  });
  ShowDuplicateNames(false);
  EXPECT_EQ(SubstitutedName(r.CharacterAliasList, "bob", 45), "ROBERT");
  EXPECT_EQ(SubstitutedName(r.CharacterAliasList, "JANIE", 45), "JANE");
  EXPECT_EQ(SubstitutedName(r.CharacterAliasList, "SAM", 45), "SAM");
}

}  // namespace
}  // namespace qm
