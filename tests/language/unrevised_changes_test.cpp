// Changes that leave the text of every line as it was mark the script
// modified and no line revised, even while the script marks revisions:
// a revision mark belongs beside text that changed.
#include <gtest/gtest.h>

#include <functional>

#include "breakdown/tagging.h"
#include "files/native_file.h"
#include "files/user_list_loading.h"
#include "language/bookmarks_dialog.h"
#include "language/character_names.h"
#include "language/confused_words_dialog.h"
#include "language/duplicate_names.h"
#include "language/hide_names_dialog.h"
#include "language/language_fixture.h"
#include "language/pick_list.h"
#include "language/search_tools.h"
#include "language/spelling/spell_dictionaries.h"
#include "language/user_list_dialogs.h"
#include "platform/input.h"
#include "script/editing/revision_marks.h"
#include "script/model/script_record.h"
#include "support/exchange_data.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class UnrevisedChangesTest : public testing::LanguageFixture {
 protected:
  bool AnyLineRevised() {
    for (const TScriptElement* e = Script().FirstElement; e; e = e->next)
      if (HasRevisedLines(*e)) return true;
    return false;
  }
};

TEST_F(UnrevisedChangesTest, ChangesBesideTheTextMarkNoLineRevised) {
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"setting a bookmark",
       [] {
         ShowBookmarks();
         BookmarkDialog()->BookmarkText->Text = "Here";
         BookmarkDialog()->SetBtnClick(nullptr);
         delete BookmarkDialog();
       }},
      {"applying duplicate names",
       [this] {
         Driver().Expect([](TForm& form) {
           auto& dialog = dynamic_cast<TCheckWordsDlg&>(form);
           dialog.NamesBox->SetSelected(0, true);
           dialog.NamesBoxClick();
           dialog.NamesBox->SetSelected(1, true);
           dialog.NamesBoxClick();
           dialog.CombineBtn->Click();
           dialog.ApplyButton->Click();
         });
         ShowDuplicateNames(false);
       }},
      {"hiding names",
       [this] {
         Driver().Expect([](TForm& form) {
           auto& dialog = dynamic_cast<THideNamesDlg&>(form);
           dialog.ShowNameList->SetItemIndex(0);
           dialog.IncludeBtn->Click();
           dialog.OKBtn->Click();
         });
         HideCharacterNames();
       }},
      {"redlining a character's speeches",
       [this] {
         Driver().Expect([](TForm& form) {
           auto& menu = dynamic_cast<TListMenu&>(form);
           menu.List->SetItemIndex(menu.List->Items.IndexOf("BOB"));
           SendKey(VK_RETURN);
         });
         ExpectMessage("Redline has been applied to all of BOB's speeches!");
         RedlineSpeeches(Script());
       }},
      {"tagging a word",
       [this] {
         Settings().TaggingUsed = 1;
         Element(1).blockStart = 11;
         Element(1).blockEnd = 14;
         TagSelectionWithCategory(Script(), 14);
       }},
      {"the user lists editor's OK",
       [this] {
         Driver().Expect([](TForm& form) {
           auto& dialog = dynamic_cast<TEditUserListDlg&>(form);
           dialog.RowEdits[0]->Text = "ZED";
           dialog.OKBtn->Click();
         });
         ShowEditUserLists();
       }},
      {"loading a list from a text file",
       [this] {
         testing::WriteFileText(HomeFile("cast.txt"), "ZED\nYVES\n");
         Driver().Expect([](TForm& form) { dynamic_cast<TASCIIUserListDlg&>(form).OKBtn->Click(); });
         ExpectMessage("Your new User List has been loaded.");
         LoadUserListFromTextFile(HomeFile("cast.txt"));
       }},
      {"loading the lists of another script",
       [this] {
         const std::vector<Byte> image = BuildScriptImage(Script(), false, true);
         testing::WriteFileText(HomeFile("OTHER.QMW"), std::string(image.begin(), image.end()));
         ExpectMessage("have been loaded.");
         LoadUserListsFromScript(HomeFile("OTHER.QMW"));
       }},
      {"loading the names of a story exchange file",
       [this] {
         const std::vector<Byte> exchange = testing::ExchangeBytes({{"CNAM", "QUENTIN"}, {"LAST", ""}});
         testing::WriteFileText(HomeFile("STORY.DSW"), std::string(exchange.begin(), exchange.end()));
         ExpectMessage("Import of StoryDev file\rinto User Lists is complete.");
         LoadUserListsFromStoryDev(HomeFile("STORY.DSW"));
       }},
      {"choosing a supplementary dictionary", [this] { ChooseSupplementaryDictionary(Script(), "MOVIES.LXA"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Add({{ekCharacterName, "BOB"}, {ekDialogue, "He lifts a gun."}, {ekCharacterName, "ANN"}, {ekDialogue, "No."}});
    PlaceCaret(1);
    Script().PagesLocked = 1;
    Script().RevisionMarking = 1;
    Script().DocumentModified = 0;
    c.change();
    EXPECT_TRUE(Script().DocumentModified);
    EXPECT_FALSE(AnyLineRevised());
  }
}

}  // namespace
}  // namespace qm
