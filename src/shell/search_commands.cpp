// The Search menu's commands of the main window: Search, Search & Replace,
// Search Again, Change Character Name, the Bookmarks window and quick
// entry.
#include "base/document_table.h"
#include "language/bookmarks_dialog.h"
#include "language/quick_entry_dialog.h"
#include "language/search_dialog.h"
#include "language/search_replace.h"
#include "platform/menus.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

namespace {

// Search Again names what it will repeat.
void CaptionSearchAgain(TMainForm& form) {
  TMenuItem* item = form.MenuItem("SearchAgainItem");
  if (!item) return;
  switch (SearchMemory().lastKind) {
    case skReplace: item->Caption = "Search && Replace &Again"; break;
    case skNextSpeech: item->Caption = "Next Speech by " + SearchMemory().speechName; break;
    default: item->Caption = "Search &Again"; break;
  }
}

}  // namespace

void TMainForm::SearchItemClick(TObject*) {
  ShowSearchDialog(false);
  CaptionSearchAgain(*this);
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::SearchandReplaceItemClick(TObject*) {
  TMDIChild* script = NoActiveDocument() ? nullptr : ActiveScript();
  if (!script || !script->Editable) return;
  ShowSearchDialog(true);
  CaptionSearchAgain(*this);
  FocusActiveScript();
  MenusDue = 1;
}

// With nothing to repeat yet it asks what to search for.
void TMainForm::SearchAgainItemClick(TObject* sender) {
  if (NoActiveDocument()) return;
  if (!RepeatLastSearch(*ActiveScript())) {
    SearchItemClick(sender);
    return;
  }
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::ChangeCharacterName1Click(TObject*) {
  TMDIChild* script = NoActiveDocument() ? nullptr : ActiveScript();
  if (!script || !script->Editable) return;
  ChangeCharacterName();
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::BookmarkItemClick(TObject*) { ShowBookmarks(); }

void TMainForm::QuickEntryItemClick(TObject*) {
  ShowQuickEntry(false);
  FocusActiveScript();
}

void TMainForm::QuickEntrySetupItemClick(TObject*) {
  ShowQuickEntry(true);
  FocusActiveScript();
}

}  // namespace qm
