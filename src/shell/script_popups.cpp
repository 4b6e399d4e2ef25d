#include "shell/script_popups.h"

#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/program_options.h"
#include "breakdown/tagging.h"
#include "platform/menus.h"
#include "language/act_scene_commands.h"
#include "language/list_builders.h"
#include "platform/office_button.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_transitions.h"
#include "script/editing/popup_choice.h"
#include "script/editing/popup_hooks.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/power_panel.h"

namespace qm {

namespace {

constexpr int WithBlock = 1367;
constexpr int WithoutBlock = 1467;
constexpr int PasteWithoutBlock = 1867;

struct TPopupRow {
  int depth;  // 1 an item, 2 an item of the sub-menu above
  const char* name;
  const char* caption;
  int tag;
  TMainCommand command;  // null: the routine is not there yet (disabled)
  int subTag = 0;        // the tag the main window's handler reads
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
    {1, "SceneRange1", "Scene Range", WithoutBlock, &TMainForm::SceneRangeItemClick},
    {1, "ExtendBlock1", "Extend Selection...", 0, &TMainForm::ExtendBlockItemClick},
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
  BuildChildPopUp();
  ScriptPopupHooks.RightClick = [this](TMDIChild& script, int x, int y) { RightClick(script, x, y); };
  // In tagging mode a block marked with the mouse is offered the categories.
  ScriptPopupHooks.BlockMarked = [this](TMDIChild& script, int x, int y) {
    if (TaggingModeOn()) form_.PopupCategoryMenu(script, x, y);
  };
  ScriptPopupHooks.Pressed = [this] {
    if (ClosePowerPanel()) return true;
    // The element box's list offers types for the element the click leaves.
    if (TListBox* list = form_.ElementPopDownList; list && list->Visible()) list->Visible = false;
    return false;
  };
  ScriptPopupHooks.ChoiceMenu = [this](TMDIChild& script, const std::vector<std::string>& captions, TObject* sender,
                                       TPoint offset) { ShowChoiceMenu(script, captions, sender, offset); };
  ScriptPopupHooks.SceneHeadingButton = [this] { return form_.FindComponent("SceneHeadingBtn"); };
  form_.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == TMouseButton::mbRight) RightClickOnFrame(x, y);
  };
}

TScriptPopups::~TScriptPopups() {
  ScriptPopupHooks = {};
  form_.OnMouseDown = nullptr;
}

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
  const TMDIChild* script = ScriptForCommand();
  const bool block = script && script->BlockOn();
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

bool TScriptPopups::ClosePowerPanel() {
  if (!powerPanel_ || !powerPanel_->Visible) return false;
  powerPanel_->ClosePanel();
  return true;
}

void TScriptPopups::RightClick(TMDIChild& script, int x, int y) {
  if (TaggingModeOn()) {
    form_.PopupCategoryMenu(script, x, y);
    return;
  }
  // A read-only script offers no commands, and the option turns the menus
  // off altogether.
  if (!script.Editable || !MouseMenu) return;
  if (!form_.UsePowerPanel) {
    ShowBlockMenu(script, x, y);
    return;
  }
  // The panel's commands then work where the writer clicked.
  if (form_.MoveToRightClick && !script.BlockOn()) editor::MoveCaretToPoint(script, TPoint{x, y});
  PowerPanel().ShowAt(script.ClientToScreen(TPoint{x, y}));
}

void TScriptPopups::RightClickOnFrame(int x, int y) {
  // The bars and panels round the scripts' area keep their own clicks.
  if (!MouseMenu || !form_.MDIClientRect().Contains(TPoint{x, y})) return;
  PowerPanel().ShowAt(form_.ClientToScreen(TPoint{x, y}));
}

void TScriptPopups::ShowBlockMenu(TMDIChild& script, int x, int y) {
  // Below and right of the click, clear of the text clicked on.
  const TPoint at = script.ClientToScreen(TPoint{x + 10, y + 60});
  SelectPopUp->Popup(at.X, at.Y);
}

void TScriptPopups::BuildChildPopUp() {
  ChildPopUp = new TPopupMenu(&form_);
  ChildPopUp->Name = "ChildPopUp";
  ChildPopUp->OnPopup = [this](TObject*) { ChildPopUpPopup(); };
  TMenuItem* root = ChildPopUp->Items();
  const auto add = [&](const std::string& name, const std::string& caption, int tag, TNotifyEvent onClick) {
    auto* item = new TMenuItem(&form_);
    item->Name = name;
    item->Caption = caption;
    item->Tag = tag;
    item->OnClick = std::move(onClick);
    root->Add(item);
    return item;
  };
  // A user item, No Initial Text and Nevermind record their caption.
  const auto record = [](TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || NoActiveDocument()) return;
    const std::string caption = item->Name == "NevermindItem" ? "\r" + item->Caption() : item->Caption();
    PopupChoice(*ActiveScript()).Record(caption, static_cast<Byte>(item->Tag));
  };
  for (int i = 1; i <= 12; ++i) add("UserItem" + std::to_string(i), "", i, record);
  add("ChildSeparator", "-", 0, {});
  add("NoInitialTextItem", NoInitialTextCaption, 0, record);
  // The act commands are offered only for a new scene heading's opening.
  const auto act = [](TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item && !NoActiveDocument()) PopupChoice(*ActiveScript()).Record(item->Name, ActChoiceCode);
  };
  add("EndofActInfoItem", "<End of &Act Info>", 0, act);
  add("StartNewActItem", "<Start New A&ct>", 0, act);
  add("StartNewSceneItem", "<Start New &Scene/Same Act>", 0, act);
  add("AddLineItem", "-", 0, {});
  add("AddShotItem", "<Make this a S&hot>", 0, [](TObject*) {
    if (!NoActiveDocument()) PopupChoice(*ActiveScript()).Record("", MakeShotCode);
  });
  add("MakeaTransitionItem", "<Make this a &Transition>", 0, [](TObject*) {
    if (!NoActiveDocument()) PopupChoice(*ActiveScript()).Record("", MakeTransitionCode);
  });
  TMenuItem* nevermind = add("NevermindItem", NevermindCaption, 13, record);
  nevermind->ShortCut = TextToShortCut("Esc");
}

TMenuItem* TScriptPopups::ChildItem(const char* name) const {
  TMenuItem* root = ChildPopUp->Items();
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->Name == name) return root->Items(i);
  return nullptr;
}

void TScriptPopups::ChildPopUpPopup() {
  const bool opening = PopupContext == pcSceneOpening;
  const bool extension = PopupContext == pcExtension;
  ChildItem("ChildSeparator")->Visible = !extension;
  ChildItem("NoInitialTextItem")->Caption = extension ? AddAsTextCaption : NoInitialTextCaption;
  const TMDIChild* script = ScriptForCommand();
  for (const char* name : {"EndofActInfoItem", "StartNewActItem", "AddLineItem", "AddShotItem", "MakeaTransitionItem"})
    ChildItem(name)->Visible = opening;
  ChildItem("StartNewSceneItem")->Visible = opening && script && !script->ActGoesToScene;
  ChildItem("NoInitialTextItem")->Visible = opening || extension || PopupContext == pcShot;
  if (script) PopupChoice(*const_cast<TMDIChild*>(script)).Clear();
}

void TScriptPopups::FillUserItems(const std::string* texts, int count) {
  std::array<bool, 26> used{};
  for (int i = 1; i <= 12; ++i) {
    TMenuItem* item = ChildItem(("UserItem" + std::to_string(i)).c_str());
    const std::string text = i <= count ? ListItemText(texts[i - 1]) : std::string();
    item->Caption = text.empty() ? std::string() : AssignShortcutLetter(text, used);
    item->Visible = !text.empty();
  }
}

void TScriptPopups::ShowScriptPopup(int x, int y) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  // Neither Close nor Exit may take the script away while the menu shows.
  TNotifyEvent close = std::move(form_.CloseFileItem->OnClick);
  TNotifyEvent exit = std::move(form_.ExitQuillmasterItem->OnClick);
  form_.CloseFileItem->OnClick = nullptr;
  form_.ExitQuillmasterItem->OnClick = nullptr;
  ChildPopUp->Popup(x, y);
  form_.CloseFileItem->OnClick = std::move(close);
  form_.ExitQuillmasterItem->OnClick = std::move(exit);
  if (NoActiveDocument() || ActiveScript() != &script) return;
  TPopupChoice& choice = PopupChoice(script);
  if (choice.PendingPopupCommand && choice.PopupChoiceCode == ActChoiceCode) {
    const std::string command = choice.PopupChoiceText;
    choice.Clear();
    InsertActSceneInfo(script, command);
    PopupContext = pcNoMenu;
  } else if (choice.PendingPopupCommand && choice.PopupChoiceCode == MakeTransitionCode) {
    choice.Clear();
    ShowTransitionPopup(nullptr);
  } else if (choice.PendingPopupCommand && choice.PopupChoiceCode == MakeShotCode) {
    choice.Clear();
    ShowShotPopup(nullptr);
  } else {
    UserItemSelect(script);
  }
}

namespace {

// Where a menu opens: under the button that asked, or beside the caret.
TPoint MenuPoint(TObject* sender, TMDIChild& script, TPoint offset = {40, 40}) {
  if (auto* control = dynamic_cast<TControl*>(sender)) return control->ClientToScreen(TPoint{0, control->Height});
  const TPoint caret = editor::CaretScreenPoint(script);
  return TPoint{caret.X + offset.X + script.CaretX, caret.Y + offset.Y};
}

// A new element of the slot, whose line the menu then takes: inside the
// text of an element of the same kind the break's second piece would be
// that line, so the new element goes in between and the words stay.
void StartChoiceElement(TMDIChild& script, int slot) {
  const std::string& text = script.EditBuffer();
  std::size_t column = script.CaretColumn();
  while (column < text.size() && text[column] == ' ') ++column;
  const bool inside = column > 0 && column < text.size() &&
                      script.CurrentElement()->Kind() == script.FormatSet[static_cast<std::size_t>(slot)].Kind;
  StartElementOfSlot(script, slot, {.forceAfter = inside});
}

}  // namespace

void TScriptPopups::ShowChoiceMenu(TMDIChild& script, const std::vector<std::string>& captions, TObject* sender,
                                   TPoint offset) {
  for (int i = 1; i <= 12; ++i) {
    TMenuItem* item = ChildItem(("UserItem" + std::to_string(i)).c_str());
    const std::string caption = i <= static_cast<int>(captions.size()) ? captions[i - 1] : std::string();
    item->Caption = caption;
    item->Visible = !caption.empty();
  }
  script.SetFocus();
  const TPoint at = MenuPoint(sender, script, offset);
  ShowScriptPopup(at.X, at.Y);
}

void TScriptPopups::ShowShotPopup(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const bool wanted =
      form_.UseQuickType || sender || (script.CurrentElement()->Kind() == ekShot && script.EditBuffer().empty());
  // An empty element, such as a heading just started, becomes the new one.
  StartChoiceElement(script, fsShot);
  editor::SetEditText(script, "");
  if (form_.KeepRunningShots) {
    PopupContext = pcNoMenu;
    ShowElementPopup(true, ekShot, sender != nullptr);
  } else if (wanted && !script.UserLists.ShotText[0].empty()) {
    FillUserItems(script.UserLists.ShotText.data(), static_cast<int>(script.UserLists.ShotText.size()));
    PopupContext = pcShot;
    script.SetFocus();
    const TPoint at = MenuPoint(sender, script);
    ShowScriptPopup(at.X, at.Y);
    if (!NoActiveDocument() && ActiveScript() == &script && script.EditBuffer().empty() &&
        script.CurrentElement()->Kind() == ekShot && script.CurrentElement()->prev)
      TakeNewElementAway(script);
  } else {
    PopupContext = pcNoMenu;
  }
  UpdateCaret();
  script.StartPaginateTimer(script.LayoutDue | 1);
}

void TScriptPopups::ShowTransitionPopup(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const bool wanted =
      form_.UseQuickType || sender || (script.CurrentElement()->Kind() == ekTransition && script.EditBuffer().empty());
  // An empty element, such as a heading just started, becomes the new one.
  StartChoiceElement(script, fsTransition);
  ReplaceEditLine(script, std::string(1, PlaceholderChar));
  editor::SetCaretColumn(script, 0);
  if (form_.KeepRunningTransitions) {
    PopupContext = pcNoMenu;
    ShowElementPopup(true, ekTransition, sender != nullptr);
  } else if (wanted && !script.UserLists.Transition[0].empty()) {
    const auto& list = script.UserLists.Transition;
    FillUserItems(list.data(), static_cast<int>(list.size()));
    // After the transitions, one more for a transition of the writer's own.
    const int next =
        static_cast<int>(std::count_if(list.begin(), list.end(), [](const std::string& t) { return !t.empty(); })) + 1;
    if (next <= 12) {
      TMenuItem* item = ChildItem(("UserItem" + std::to_string(next)).c_str());
      item->Caption = NewTransitionCaption;
      item->Visible = true;
    }
    PopupContext = pcTransition;
    script.SetFocus();
    const TPoint at = MenuPoint(sender, script);
    ShowScriptPopup(at.X, at.Y);
  } else {
    PopupContext = pcNoMenu;
  }
  UpdateCaret();
  script.StartPaginateTimer(script.LayoutDue | 1);
}

}  // namespace qm
