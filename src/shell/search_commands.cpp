// The Search menu's commands of the main window: Search, Search & Replace,
// Search Again, Change Character Name, the Bookmarks window and quick
// entry; and the tools beside them in the Goto, Format and Production menus.
#include "base/document_table.h"
#include "language/bookmarks_dialog.h"
#include "language/quick_entry_dialog.h"
#include "language/search_dialog.h"
#include "language/search_replace.h"
#include "language/search_tools.h"
#include "platform/menus.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

// Search Again names what it will repeat.
void CaptionSearchAgain(TMainForm& form) {
  TMenuItem* item = form.MenuItem("SearchAgainItem");
  if (!item) return;
  if (SearchMemory().lastKind != skNone) item->Enabled = true;
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
  TMDIChild* script = ScriptForCommand();
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
  TMDIChild* script = ScriptForCommand();
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

void TMainForm::NextSpeechItemClick(TObject*) {
  if (TMDIChild* script = ScriptForCommand(); script && NextSpeechBy(*script, false)) CaptionSearchAgain(*this);
  FocusActiveScript();
}

void TMainForm::NextColoredText1Click(TObject*) {
  if (TMDIChild* script = ScriptForCommand()) FindNextMarkedText(*script);
  FocusActiveScript();
}

void TMainForm::RemoveItemClick(TObject* sender) {
  static const std::pair<const char*, TMarkColour> kColours[] = {{"RemoveStrikeoutItem", TMarkColour::Strikeout},
                                                                 {"RemoveRedItem", TMarkColour::Red},
                                                                 {"RemoveBlueItem", TMarkColour::Blue},
                                                                 {"RemoveGreenItem", TMarkColour::Green}};
  TMDIChild* script = EditableActiveScript();
  const std::string name = SenderName(sender);
  for (const auto& [item, colour] : kColours)
    if (script && name == item) RemoveColorCodes(*script, colour);
  FocusActiveScript();
}

void TMainForm::MarkallofOneCharactersDialogue1Click(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) RedlineSpeeches(*script);
  FocusActiveScript();
}

}  // namespace qm
