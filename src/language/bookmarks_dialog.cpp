#include "language/bookmarks_dialog.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "language/bookmarks.h"
#include "platform/dialog_builder.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

TBookmarkDlg* Instance = nullptr;
const GlobalState reset([] { Instance = nullptr; });

constexpr std::size_t OfferedTextLength = 25;
constexpr std::size_t DefaultNameLength = 19;

using enum TDialogItemKind;

TDialogTable BookmarkTable() {
  return {
      {Edit, "BookmarkText", "", {8, 8, 190, 24}},         {ListBox, "BookmarkList", "", {8, 38, 190, 170}},
      {Button, "SetBtn", "&Set", {206, 8, 75, 25}},        {Button, "GotoBtn", "&Goto", {206, 38, 75, 25}},
      {Button, "DeleteBtn", "&Delete", {206, 68, 75, 25}}, {Button, "MinimizeBtn", "&Minimize", {206, 150, 75, 25}},
      {Button, "CloseBtn", "&Close", {206, 182, 75, 25}},
  };
}

// The current element's text without codes, from the edit line while it
// is there.
std::string CurrentPlainText(const TMDIChild& script) {
  const TScriptElement* e = script.CurrentElement();
  if (!e) return {};
  return PlainText(e->text ? ElementText(*e) : script.EditBuffer());
}

}  // namespace

TBookmarkDlg* BookmarkDialog() { return Instance; }

TBookmarkDlg::TBookmarkDlg(TComponent* owner) : TForm(owner) {
  Name = "BookmarkDlg";
  Caption = "Bookmarks";
  BorderStyle = TFormBorderStyle::bsToolWindow;
  FormStyle = TFormStyle::fsStayOnTop;
  SetBounds(0, 0, 296, 244);
  BuildDialog(*this, BookmarkTable());
  BookmarkText = DialogControl<TEdit>(*this, "BookmarkText");
  BookmarkList = DialogControl<TListBox>(*this, "BookmarkList");
  SetBtn = DialogControl<TButton>(*this, "SetBtn");
  GotoBtn = DialogControl<TButton>(*this, "GotoBtn");
  DeleteBtn = DialogControl<TButton>(*this, "DeleteBtn");
  MinimizeBtn = DialogControl<TButton>(*this, "MinimizeBtn");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
  // Escape closes the window, as it closes a dialog.
  CloseBtn->Cancel = true;

  SetBtn->OnClick = [this](TObject* s) { SetBtnClick(s); };
  GotoBtn->OnClick = [this](TObject* s) { GotoBtnClick(s); };
  DeleteBtn->OnClick = [this](TObject* s) { DeleteBtnClick(s); };
  MinimizeBtn->OnClick = [this](TObject*) { WindowState = TWindowState::wsMinimized; };
  CloseBtn->OnClick = [this](TObject*) { Close(); };
  BookmarkList->OnDblClick = GotoBtn->OnClick;
  BookmarkList->OnKeyDown = [this](TObject* s, Word& key, TShiftState) {
    if (key == VK_RETURN) GotoBtnClick(s);
  };
  BookmarkText->OnKeyDown = [this](TObject* s, Word& key, TShiftState) {
    if (key == VK_RETURN) SetBtnClick(s);
  };
  BookmarkText->OnEnter = [this](TObject*) { BookmarkText->SelectAll(); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnDeactivate = [this](TObject*) { BookmarkText->Text = ""; };
  OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
}

TBookmarkDlg::~TBookmarkDlg() {
  if (Instance == this) Instance = nullptr;
}

void TBookmarkDlg::UpdateData() {
  // The entry chosen stays chosen while the list still reaches it.
  const int selected = BookmarkList->ItemIndex();
  BookmarkList->Items.Clear();
  TMDIChild* script = ActiveScript();
  if (!script) return;
  const TScriptBookmarks& marks = Bookmarks(*script);
  for (int i = 0; i < marks.Count(); ++i) BookmarkList->Items.Add(marks[i].Text);
  if (selected < BookmarkList->Items.Count()) BookmarkList->SetItemIndex(selected);
  if (Visible) BookmarkText->Text = CurrentPlainText(*script).substr(0, OfferedTextLength);
}

void TBookmarkDlg::FormShow(TObject*) {
  if (WindowState() == TWindowState::wsMinimized) {
    WindowState = TWindowState::wsNormal;
    return;
  }
  if (TMDIChild* script = ActiveScript()) {
    const TPoint corner = script->ClientToScreen(TPoint{script->ClientWidth(), 0});
    SetBounds(corner.X - Width(), corner.Y, Width(), Height());
  }
}

void TBookmarkDlg::FormActivate(TObject*) {
  TMDIChild* script = ActiveScript();
  if (!script) {
    Close();
    return;
  }
  UpdateData();
  BookmarkText->Text = CurrentPlainText(*script).substr(0, OfferedTextLength);
  if (BookmarkList->Items.Count() > 0 && BookmarkList->ItemIndex() < 0) BookmarkList->SetItemIndex(0);
  // The list has the keyboard, so Enter goes to the chosen bookmark.
  FocusControl(BookmarkList);
}

void TBookmarkDlg::SetBtnClick(TObject*) {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return;
  TScriptBookmarks& marks = Bookmarks(*script);
  if (marks.Count() >= MaxBookmarks) {
    ShowMessageBox("You can only have a maximum of Twenty bookmarks per script", "Bookmarks");
    return;
  }
  std::string text = BookmarkText->Text();
  TrimTrailingBlanks(text);
  text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
  text = text.substr(0, capacity::BookmarkText);
  if (text.empty()) text = CurrentPlainText(*script).substr(0, DefaultNameLength);
  marks.Add(text, BookmarkedElement(script->CurrentElement()));
  editor::SetActiveScriptModifiedUnrevised();
  UpdateData();
  BookmarkList->SetItemIndex(BookmarkList->Items.Count() - 1);
}

void TBookmarkDlg::GotoBtnClick(TObject*) {
  const int index = BookmarkList->ItemIndex();
  if (index < 0) {
    ShowMessageBox("You MUST select a bookmark before you go to it!", "Bookmarks");
    return;
  }
  TMDIChild* script = ActiveScript();
  if (!script) return;
  TScriptBookmarks& marks = Bookmarks(*script);
  if (index >= marks.Count()) return;
  TScriptElement* target = marks[index].Element();
  if (target && ElementInScript(*script, target)) {
    editor::SaveUndoStep(*script, ukNavigation);
    editor::Assemble(*script);
    target->screenLine = target == script->FirstElement ? 1 : 5;
    editor::MoveCaretTo(*script, *target);
  } else {
    ShowMessageBox("Unable to find the bookmark \"\r\r" + marks[index].Text + "\r\r\" which most likely " +
                       "means that the element to which this was pointing has been " + "deleted.",
                   "Bookmarks");
    marks.Delete(index);
    UpdateData();
  }
  editor::RedisplayScreen(*script);
}

void TBookmarkDlg::DeleteBtnClick(TObject*) {
  const int index = BookmarkList->ItemIndex();
  if (index < 0) {
    ShowMessageBox("You MUST select a bookmark before you can delete it!", "Bookmarks");
    FocusControl(BookmarkList);
    return;
  }
  TMDIChild* script = ActiveScript();
  if (!script) return;
  Bookmarks(*script).Delete(index);
  UpdateData();
  const int count = BookmarkList->Items.Count();
  BookmarkList->SetItemIndex(count == 0 ? -1 : std::min(index, count - 1));
}

void ShowBookmarks() {
  if (NoActiveDocument()) return;
  if (!Instance) Instance = new TBookmarkDlg(Application);
  if (Instance->WindowState() == TWindowState::wsMinimized) Instance->WindowState = TWindowState::wsNormal;
  Instance->Show();
  Instance->UpdateData();
}

}  // namespace qm
