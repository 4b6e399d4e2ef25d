// The word-check dialog as the writer uses it: groups typed in and kept,
// names combined and applied as aliases.
#include <gtest/gtest.h>

#include <functional>

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

TEST_F(WordCheckDialogTest, EnterInTheEntryFieldAddsAndADoubleClickTakesAGroupBackForEditing) {
  Add({{ekAction, "Go."}});
  PlaceCaret(0);
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCheckWordsDlg&>(form);
    dialog.AddWords->Text = "lose:loose";
    char enter = '\r';
    dialog.AddWords->DoKeyPress(enter);
    EXPECT_EQ(dialog.Groups(), (Groups{"their : they're : there", "it's : its", "lose : loose"}));
    EXPECT_EQ(dialog.AddWords->Text(), "");
    // Text waiting in the field goes in first; the clicked group moves out.
    dialog.AddWords->Text = " to: too ";
    dialog.CompareList->SetItemIndex(1);
    dialog.CompareListDblClick();
    EXPECT_EQ(dialog.Groups(), (Groups{"their : they're : there", "lose : loose", "to : too"}));
    EXPECT_EQ(dialog.AddWords->Text(), "it's : its");
    dialog.CloseBtn->Click();
  });
  ShowConfusedWordsCheck();
  EXPECT_EQ(ReadWordGroups(OpenSettingsFile()), (Groups{"their : they're : there", "lose : loose", "to : too"}));
}

TEST_F(WordCheckDialogTest, CheckForwardsStartsAtTheCurrentElementAndOffersAlternativesOnAMenu) {
  Add({{ekAction, "Its late."},
       {ekTransition, "THERE:"},
       {ekAction, "THEIR car. There's a dog over there, by Their house."},
       {ekScriptNote, "its"}});
  PlaceCaret(1);
  Driver().Expect([&](TForm& form) { dynamic_cast<TCheckWordsDlg&>(form).CheckForwardsButton->Click(); });
  std::vector<Groups> offered;
  const auto choose = [&](const std::string& word) {
    Driver().ExpectPopup([&offered, word](TPopupMenu& menu) -> TMenuItem* {
      Groups captions;
      for (int i = 0; i < menu.Items()->Count(); ++i) captions.push_back(menu.Items()->Items(i)->Caption());
      offered.push_back(captions);
      return menu.Items()->Find(word);
    });
  };
  ExpectMessage("Is this the correct word?", "\tAttention", mrNo);  // THEIR
  choose("THERE");
  ExpectMessage("Is this the correct word?", "\tAttention", mrYes);  // there
  ExpectMessage("Is this the correct word?", "\tAttention", mrNo);   // Their
  choose("THEY'RE");
  ExpectMessage("Is this the correct word?", "\tAttention", mrNo);  // its: one alternative, no menu
  ShowConfusedWordsCheck();
  EXPECT_EQ(offered, (std::vector<Groups>{{"THEY'RE", "THERE"}, {"THEY'RE", "THERE"}}));
  const auto elements = testing::ElementsOf(Script());
  EXPECT_EQ(elements[0].text, "Its late.");
  EXPECT_EQ(elements[1].text, "THERE:");
  EXPECT_EQ(elements[2].text, "THERE car. There's a dog over there, by They're house.");
  EXPECT_EQ(elements[3].text, "it's");
}

TEST_F(WordCheckDialogTest, CombinedNamesBecomeAliasesOnApply) {
  Add({{ekCharacterName, "ROBERT"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Hi."},
       {ekCharacterName, "SAM"},
       {ekDialogue, "Hi."}});
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

TEST_F(WordCheckDialogTest, LocationDuplicatesAreCombinedBrokenApartAndCancelled) {
  Add({{ekSceneHeading, "INT. BARN - DAY"},
       {ekAction, "Hay."},
       {ekSceneHeading, "EXT. OLD BARN - NIGHT"},
       {ekAction, "Rain."},
       {ekSceneHeading, "INT. KITCHEN - DAY"},
       {ekAction, "Soup."}});
  PlaceCaret(1);
  TScriptRecord& r = Settings();
  const auto select = [](TCheckWordsDlg& dialog, std::initializer_list<int> rows) {
    for (int row : rows) {
      dialog.NamesBox->SetSelected(row, true);
      dialog.NamesBoxClick();
    }
  };
  // clang-format off
  const struct {
    const char* what;
    std::function<void(TCheckWordsDlg&)> work;
    Groups shownFirst;
    Groups aliases;
    bool modified;
  } steps[] = {
      {"combined and applied",
       [&](TCheckWordsDlg& d) {
         EXPECT_FALSE(d.CombineBtn->Enabled());
         select(d, {0, 2});
         EXPECT_TRUE(d.CombineBtn->Enabled());
         d.CombineBtn->Click();
         d.ApplyButton->Click();
       },
       {"BARN", "KITCHEN", "OLD BARN"}, {"OLD BARN"}, true},
      {"a combination cancelled",
       [&](TCheckWordsDlg& d) {
         select(d, {1, 0});
         d.CombineBtn->Click();
         EXPECT_EQ(d.Entries(), Groups{"KITCHEN : BARN : OLD BARN"});
         d.CancelBtn->Click();
       },
       {"BARN : OLD BARN", "KITCHEN"}, {"OLD BARN"}, false},
      {"broken apart and applied",
       [&](TCheckWordsDlg& d) {
         select(d, {0});
         EXPECT_TRUE(d.BreakApartBtn->Enabled());
         d.BreakApartBtn->Click();
         EXPECT_EQ(d.Entries(), (Groups{"BARN", "KITCHEN", "OLD BARN"}));
         d.ApplyButton->Click();
       },
       {"BARN : OLD BARN", "KITCHEN"}, {}, true},
  };
  // clang-format on
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    Script().DocumentModified = false;
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TCheckWordsDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Setup Location Duplicates");
      EXPECT_EQ(dialog.InfoLabel->Caption(),
                "Highlight ALL the Locations which are really the same Location but with different names,\r"
                "STARTING WITH THE ONE YOU WANT TO BE THE REPORTED LOCATION and\rthen click the COMBINE button.");
      EXPECT_EQ(dialog.Entries(), step.shownFirst);
      step.work(dialog);
    });
    ShowDuplicateNames(true);
    EXPECT_EQ(Texts(r.LocationAliasList), step.aliases);
    EXPECT_EQ(Script().DocumentModified, step.modified);
    EXPECT_EQ(SubstitutedName(r.LocationAliasList, "old barn", 45), step.aliases.empty() ? "OLD BARN" : "BARN");
  }
}

}  // namespace
}  // namespace qm
