// The main window's element type box: the list of the eleven element types
// that changes the type of the element at the caret, and the scene-type
// pop-up for act information and locked scene headings.
#include <array>

#include "base/document_table.h"
#include "platform/cp1252.h"
#include "platform/menus.h"
#include "platform/platform.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_type_change.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"

namespace qm {

namespace {

constexpr std::array<const char*, ElementBoxEntryCount> EntryCaptions{
    "Act &Information",   "&Action",      "&Character Name", "&Dialogue",         "&Parenthetical", "&Scene Heading",
    "Scene In&formation", "Script &Note", "S&hot",           "Tit&le (Centered)", "&Transition"};

// The entry a letter typed in the list picks; -1 for other letters.
int EntryOfLetter(char letter) {
  switch (AnsiUpper(static_cast<Byte>(letter))) {
    case 'A': return ebAction;
    case 'B':
    case 'S': return ebSceneHeading;
    case 'C': return ebCharacterName;
    case 'D': return ebDialogue;
    case 'F': return ebSceneInformation;
    case 'H':
    case 'U': return ebShot;
    case 'I': return ebActInformation;
    case 'L': return ebCenteredTitle;
    case 'N': return ebScriptNote;
    case 'P': return ebParenthetical;
    case 'R':
    case 'T': return ebTransition;
    default: return -1;
  }
}

// Closed without a choice: the list, the box and the status line show the
// caret's element again, and the script has the keyboard.
void CloseElementList(TMainForm& form) {
  form.ElementPopDownList->Visible = false;
  form.ElementPopDownList->SetItemIndex(-1);
  form.StatusLine().UpdateStatusLine();
  FocusActiveScript();
}

}  // namespace

void TMainForm::BuildElementBox() {
  ElementPopDownList = new TListBox(this);
  ElementPopDownList->Name = "ElementPopDownList";
  ElementPopDownList->SetParent(this);
  for (const char* caption : EntryCaptions) ElementPopDownList->Items.Add(StripHotkey(caption));
  ElementPopDownList->SetBounds(0, 0, 160, 11 * 16 + 4);
  ElementPopDownList->Visible = false;
  ElementPopDownList->OnKeyPress = [this](TObject* s, char& key) { ElementPopDownListKeyPress(s, key); };
  ElementPopDownList->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
    if (key != VK_ESCAPE) return;
    key = 0;
    CloseElementList(*this);
  };
  ElementPopDownList->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    ApplyElementBoxEntry(ElementPopDownList->ItemIndex());
  };
  SceneTypePopUp = new TPopupMenu(this);
  SceneTypePopUp->Name = "SceneTypePopUp";
  for (const char* name : {"NormalItem", "LockedItem", "DoubleLockedItem"}) {
    TMenuItem* item = SceneTypePopUp->Items()->AddItem("", {}, 0, name);
    item->Tag = SceneTypePopUp->Items()->Count();
  }
}

void TMainForm::ChangeElementToItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script || !ElementPopDownList) return;
  if (ElementPopDownList->Visible) {
    CloseElementList(*this);
    return;
  }
  ToolBar().PlaceElementList(*script);
  ElementPopDownList->Visible = true;
  ElementPopDownList->SetFocus();
}

void TMainForm::ElementPopDownListKeyPress(TObject*, char& key) {
  if (key == '\r') ApplyElementBoxEntry(ElementPopDownList->ItemIndex());
  else if (const int entry = EntryOfLetter(key); entry >= 0) ApplyElementBoxEntry(entry);
  key = 0;
}

bool TMainForm::ApplyElementLetterToBlock(char letter) {
  TMDIChild* script = EditableActiveScript();
  if (!script || !script->BlockOn() || !ElementPopDownList) return false;
  ElementPopDownListKeyPress(ElementPopDownList, letter);
  return true;
}

void TMainForm::ApplyElementBoxEntry(int entry) {
  ElementPopDownList->Visible = false;
  TMDIChild* script = EditableActiveScript();
  if (!script || entry < 0) return;
  ElementPopDownList->SetItemIndex(entry);
  const TTypePopup popup = [this, script](const std::vector<std::string>& captions) {
    for (int i = 0; i < SceneTypePopUp->Items()->Count(); ++i) {
      TMenuItem* item = SceneTypePopUp->Items()->Items(i);
      item->Visible = i < static_cast<int>(captions.size());
      if (item->Visible) item->Caption = captions[static_cast<std::size_t>(i)];
    }
    const TPoint caret = editor::CaretScreenPoint(*script);
    TMenuItem* chosen = Platform::Current().backend().TrackPopup(*SceneTypePopUp, caret);
    return chosen ? chosen->Tag : 0;
  };
  ChangeElementType(*script, entry, popup);
  FocusActiveScript();
  MenusDue = 1;
}

}  // namespace qm
