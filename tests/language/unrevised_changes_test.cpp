// Changes that leave the text of every line as it was mark the script
// modified and no line revised, even while the script marks revisions:
// a revision mark belongs beside text that changed.
#include <gtest/gtest.h>

#include <functional>

#include "breakdown/tagging.h"
#include "language/bookmarks_dialog.h"
#include "language/character_names.h"
#include "language/confused_words_dialog.h"
#include "language/duplicate_names.h"
#include "language/hide_names_dialog.h"
#include "language/language_fixture.h"
#include "language/pick_list.h"
#include "language/search_tools.h"
#include "platform/input.h"
#include "script/editing/revision_marks.h"
#include "script/model/script_record.h"

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
