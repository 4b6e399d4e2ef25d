#include "shell/script_popups.h"

#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/program_options.h"
#include "platform/menus.h"
#include "script/editing/popup_hooks.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/power_panel.h"

namespace qm {

namespace {

constexpr int WithBlock = 1367;
constexpr int WithoutBlock = 1467;
constexpr int PasteWithoutBlock = 1867;

struct TPopupRow {
  int depth;              // 1 an item, 2 an item of the sub-menu above
  const char* name;
  const char* caption;
  int tag;
  TMainCommand command;   // null: the routine is not there yet (disabled)
  int subTag = 0;         // the tag the main window's handler reads
};

const TPopupRow kSelectRows[] = {
    {1, "TurnoffBlockItem", "&Turn off Block", WithBlock, &TMainForm::TurnoffBlockItemClick},
    {1, "PasteItem", "&Paste", PasteWithoutBlock, &TMainForm::PasteBtnClick},
    {1, "PasteFromItem", "Paste &From...", PasteWithoutBlock, &TMainForm::PastefromItemClick},
    {1, "N1", "-", PasteWithoutBlock, nullptr},
    {1, "SelectWordItem", "Select &Word", WithoutBlock, &TMainForm::Word1Click},
    {1, "SelectSentenceItem", "Select &Sentence", WithoutBlock, &TMainForm::SelectSentenceItemClick},
    {1, "SelectElementItem", "Select &Element", WithoutBlock, &TMainForm::Element1Click},
    {1, "SelectGroupItem", "Select &Group", WithoutBlock, &TMainForm::Group1Click},
    {1, "SelectPageItem", "Select &Page", WithoutBlock, &TMainForm::Page1Click},
    {1, "SelectSceneItem", "Select S&cene", WithoutBlock, &TMainForm::Scene1Click},
    {1, "SelectAllItem", "Select &All", WithoutBlock, &TMainForm::SelectAllItemClick},
    {1, "SceneRange1", "Scene Range", WithoutBlock, nullptr},
    {1, "ExtendBlock1", "Extend Selection...", 0, nullptr},
    {1, "N2", "-", WithBlock, nullptr},
    {1, "CutItem", "&Cut", WithBlock, &TMainForm::CutBtnClick},
    {1, "CopyItem", "C&opy", WithBlock, &TMainForm::CopyBtnClick},
    {1, "DeleteItem", "&Delete", WithBlock, &TMainForm::DeleteBtnClick},
    {1, "CopytoItem", "Cop&y to...", WithBlock, nullptr},
    {2, "NewFile1", "&New File", 0, &TMainForm::CutCopyToClick, 8801},
    {2, "NewFile2", "&Existing File", 0, &TMainForm::CutCopyToClick, 8802},
    {2, "NewFile3", "&Scrap File", 0, &TMainForm::CutCopyToClick, 8803},
    {1, "CuttoItem", "Cu&t to...", WithBlock, nullptr},
    {2, "NewFile4", "&New File", 0, &TMainForm::CutCopyToClick, 9901},
    {2, "ExistingFile1", "&Existing File", 0, &TMainForm::CutCopyToClick, 9902},
    {2, "ScrapFile1", "&Scrap File", 0, &TMainForm::CutCopyToClick, 9903},
    {1, "N3", "-", 0, nullptr},
    {1, "ConvertCase1", "Con&vert Case", 0, nullptr},
    {2, "Uppercase1", "&Uppercase", 0, &TMainForm::UppercaseItemClick},
    {2, "Lowercase1", "&Lowercase", 0, &TMainForm::UppercaseItemClick},
    {2, "InitialCapitals1", "&Initial Capitals", 0, &TMainForm::UppercaseItemClick},
};

// Items whose command is not built and that open no sub-menu.
bool Awaiting(const TPopupRow& row, const TPopupRow* next) {
  const bool opensSubMenu = next && next->depth > row.depth;
  return !row.command && row.caption[0] != '-' && !opensSubMenu;
}

}  // namespace

TScriptPopups::TScriptPopups(TMainForm& form) : form_(form) {
  BuildSelectPopUp();
  ScriptPopupHooks.RightClick = [this](TMDIChild& script, int x, int y) { RightClick(script, x, y); };
}

TScriptPopups::~TScriptPopups() { ScriptPopupHooks.RightClick = nullptr; }

void TScriptPopups::BuildSelectPopUp() {
  SelectPopUp = new TPopupMenu(&form_);
  SelectPopUp->Name = "SelectPopUp";
  SelectPopUp->OnPopup = [this](TObject*) { SelectPopUpPopup(); };
  TMenuItem* parent = SelectPopUp->Items();
  const std::size_t count = std::size(kSelectRows);
  for (std::size_t i = 0; i < count; ++i) {
    const TPopupRow& row = kSelectRows[i];
    const TPopupRow* next = i + 1 < count ? &kSelectRows[i + 1] : nullptr;
    TMenuItem* holder = row.depth == 1 ? SelectPopUp->Items() : parent;
    auto* item = new TMenuItem(&form_);
    item->Name = row.name;
    item->Caption = row.caption;
    item->Tag = row.subTag ? row.subTag : row.tag;
    if (row.command) {
      item->OnClick = [this, command = row.command](TObject* sender) {
        (form_.*command)(sender);
        form_.MenusDue = 1;
      };
    }
    holder->Add(item);
    if (Awaiting(row, next)) item->Enabled = false;
    if (row.depth == 1) parent = item;
  }
}

void TScriptPopups::SelectPopUpPopup() {
  const TMDIChild* script = NoActiveDocument() ? nullptr : ActiveScript();
  const bool block = script && script->BlockOn;
  const TMenuItem* paste = form_.MenuItem("PasteItem");
  const bool pasteEnabled = paste && paste->Enabled();
  const std::size_t count = std::size(kSelectRows);
  TMenuItem* root = SelectPopUp->Items();
  for (int i = 0, row = 0; i < root->Count() && row < static_cast<int>(count); ++i, ++row) {
    while (row < static_cast<int>(count) && kSelectRows[row].depth != 1) ++row;
    const TPopupRow& r = kSelectRows[row];
    const TPopupRow* next = row + 1 < static_cast<int>(count) ? &kSelectRows[row + 1] : nullptr;
    if (Awaiting(r, next)) continue;
    TMenuItem* item = root->Items(i);
    switch (r.tag) {
      case WithBlock: item->Enabled = block; break;
      case WithoutBlock: item->Enabled = !block; break;
      case PasteWithoutBlock: item->Enabled = !block && pasteEnabled; break;
      default: break;
    }
  }
}

TMenuItem* TScriptPopups::PopupItem(const std::string& name) const {
  std::vector<TMenuItem*> pending{SelectPopUp->Items()};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item->Name == name) return item;
    for (int i = 0; i < item->Count(); ++i) pending.push_back(item->Items(i));
  }
  return nullptr;
}

TPowerPanel& TScriptPopups::PowerPanel() {
  if (!powerPanel_) powerPanel_ = new TPowerPanel(&form_, form_);
  return *powerPanel_;
}

void TScriptPopups::RightClick(TMDIChild& script, int x, int y) {
  if (MouseMenu && form_.UsePowerPanel) PowerPanel().ShowAt(script.ClientToScreen(TPoint{x, y}));
  else ShowBlockMenu(script, x, y);
}

void TScriptPopups::ShowBlockMenu(TMDIChild& script, int x, int y) {
  const TPoint at = script.ClientToScreen(TPoint{x, y});
  SelectPopUp->Popup(at.X, at.Y);
}

}  // namespace qm
