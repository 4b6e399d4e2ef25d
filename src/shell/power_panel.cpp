#include "shell/power_panel.h"

#include <algorithm>

#include "base/document_table.h"
#include "platform/menus.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

namespace {

constexpr int ButtonWidth = 64;
constexpr int ButtonHeight = 24;
constexpr int TitleHeight = 12;
constexpr const char* CloseHint = "Closes the PowerPanel";

// The menu item behind each command number.
const char* ItemOfCommand(int command) {
  switch (command) {
    case 1: return "SearchItem";
    case 2: return "GotoPageItem";
    case 3: return "SearchandReplaceItem";
    case 4: return "GotoTopItem";
    case 6: return "GotoBottomItem";
    case 7: return "LowercaseItem";
    case 8: return "PasteItem";
    case 9: return "UppercaseItem";
    case 11: return "BoldItem";
    case 12: return "ItalicsItem";
    case 13: return "UnderlineItem";
    case 14: return "CopyItem";
    case 15: return "CutItem";
    case 16: return "DeleteItem";
    case 17: return "CutToScrapItem";
    case 18: return "TurnoffBlockItem";
    case 19: return "CopyToItem";
    case 21: return "WordSelectItem";
    case 22: return "ElementSelectItem";
    case 23: return "SceneSelectItem";
    case 24: return "GroupSelectItem";
    case 25: return "PageSelectItem";
    case 26: return "SelectAllItem";
    case 28: return "LowercaseWordItem";
    case 29: return "CapitalizeWordItem";
    case 30: return "InitialCapsItem";
    case 31: return "FileOpenItem";
    case 32: return "CloseFileItem";
    case 41:
    case 44: return "ExitQuillmasterItem";
    case 42: return "FileSaveItem";
    case 43: return "FileNewItem";
    case 45: return "SelectSentenceItem";
    case 46: return "SpellWordItem";
    case 50: return "ExtendBlockItem";
    case 51: return "SceneRangeItem";
    default: return nullptr;
  }
}

bool IsSelection(int command) { return (command >= 21 && command <= 26) || command == 45; }

}  // namespace

TPowerPanel::TPowerPanel(TComponent* owner, TMainForm& form) : TForm(owner), form_(form) {
  Name = "PowerPanel";
  BorderStyle = TFormBorderStyle::bsNone;
  FormStyle = TFormStyle::fsStayOnTop;
  SetClientWidth(3 * ButtonWidth + 4);
  SetClientHeight(TitleHeight + 3 * ButtonHeight + 4);
  Panel2 = MakeControl<TPanel>(this, this, "Panel2", 0, 0, ClientWidth() - TitleHeight, TitleHeight);
  Panel2->Hint = "Move the PowerPanel by clicking and dragging here, or Double-Click to Close";
  Panel2->ShowHint = true;
  Panel2->OnDblClick = [this](TObject*) { closeOnRelease_ = true; };
  Panel2->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int x, int y) {
    if (b == TMouseButton::mbLeft) TitleMouseDown(x, y);
  };
  Panel2->OnMouseMove = [this](TObject*, TShiftState s, int x, int y) {
    if (s.Contains(ssLeft)) TitleMouseMove(x, y);
  };
  Panel2->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { TitleMouseUp(); };
  ExitBtn = MakeControl<TPanel>(this, this, "ExitBtn", ClientWidth() - TitleHeight, 0, TitleHeight, TitleHeight, "x");
  ExitBtn->Hint = CloseHint;
  ExitBtn->ShowHint = true;
  ExitBtn->OnClick = [this](TObject*) { ClosePanel(); };
  for (int i = 0; i < 9; ++i) {
    const std::string name = "B" + std::to_string(i + 1);
    B[static_cast<std::size_t>(i)] =
        MakeControl<TButton>(this, this, name.c_str(), 2 + (i % 3) * ButtonWidth,
                             TitleHeight + 2 + (i / 3) * ButtonHeight, ButtonWidth, ButtonHeight);
    B[static_cast<std::size_t>(i)]->ShowHint = true;
    B[static_cast<std::size_t>(i)]->OnClick = [this](TObject* s) { B1Click(s); };
    B[static_cast<std::size_t>(i)]->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
      if (key == VK_ESCAPE) ClosePanel();
    };
    B[static_cast<std::size_t>(i)]->OnMouseUp = [this, i](TObject*, TMouseButton b, TShiftState, int, int) {
      if (b == TMouseButton::mbRight) ButtonRightUp(*B[static_cast<std::size_t>(i)]);
    };
  }
  OnDeactivate = [this](TObject*) { ClosePanel(); };
  OnHide = [this](TObject*) { ClosePanel(); };
}

void TPowerPanel::SetButton(int index, const char* caption, int tag, const char* hint) {
  TButton* b = B[static_cast<std::size_t>(index - 1)];
  b->Caption = caption;
  b->Tag = tag;
  b->Hint = tag == 0 ? CloseHint : hint;
  const char* item = ItemOfCommand(tag);
  const TMenuItem* menuItem = item ? form_.MenuItem(item) : nullptr;
  // A command whose routine is not there yet is shown disabled.
  b->Enabled = tag == 0 || tag == 5 || tag == 27 || tag == 33 || (menuItem && menuItem->OnClick);
}

void TPowerPanel::ChooseFirstSet() {
  for (int i = 1; i <= 9; ++i) SetButton(i, "", 0, "");
  if (NoActiveDocument()) {
    SetButton(2, "Exit", 44, "Exits Quillmaster for Windows");
    SetButton(5, "Open", 31, "Opens a Script");
    SetButton(8, "New", 43, "Creates a New Script");
  } else if (IsDocumentEmpty(ActiveDocument)) {
    if (DocumentCount > 1) SetButton(2, "Next Doc", 33, "Switches to the Next Open Script");
    else SetButton(2, "Close", 32, "Closes the Open Script");
    SetButton(5, "Open", 31, "Opens a Script");
    SetButton(8, "Paste", 8, "Pastes Text");
  } else if (ActiveScript()->BlockOn()) {
    SetButton(1, "Bold", 11, "Bolds the Selected Text");
    SetButton(2, "Italics", 12, "Italicizes the Selected Text");
    SetButton(3, "Underline", 13, "Underlines the Selected Text");
    SetButton(4, "Copy", 14, "Copies the Selected Text");
    SetButton(5, "Cut", 15, "Cuts the Selected Text");
    SetButton(6, "Delete", 16, "Deletes the Selected Text");
    SetButton(7, "Cut To", 17, "Cuts the Selected Text to a \"Scrap\" File");
    SetButton(8, "Case Chng", 27, "Resets the PowerPanel Buttons to Change Case Options");
    SetButton(9, "Extend...", 50, "Extends the block as specified");
  } else {
    SetButton(1, "Top", 4, "Moves to the Top of the Script");
    SetButton(2, "Bottom", 6, "Moves to the Bottom of the Script");
    SetButton(3, "Spell", 46, "Checks Word the Cursor is On");
    SetButton(4, "Close", 32, "Closes the Script, prompting you to Save if needed");
    SetButton(5, "Select", 5, "Resets the PowerPanel Buttons to Select Text Options");
    SetButton(6, "Save", 42, "Saves the Script");
    SetButton(7, "Cap Word", 29, "Capitalizes the Word the Cursor is in");
    SetButton(8, "Paste", 8, "Pastes any cut text at the Cursor Position");
    SetButton(9, "Lwr Word", 28, "Makes the Word the Cursor is in Lower Case");
  }
}

void TPowerPanel::SelectSet() {
  SetButton(1, "Word", 21, "Selects the Word that the Cursor is in");
  SetButton(4, "Scene", 23, "Selects the Scene that the Cursor is in");
  SetButton(6, "Group", 24, "Selects the logical Group that the Cursor is in");
  SetButton(3, "Element", 22, "Selects the ELement that the Cursor is in");
  SetButton(7, "Scn Range", 51, "Selects a Range of Scenes");
  SetButton(9, "Extend...", 50, "Extends the block as specified");
  SetButton(2, "Sentence", 45, "Selects the Sentence that the Cursor is in");
  SetButton(5, "Page", 25, "Selects the Page that the Cursor is on");
  SetButton(8, "Script", 26, "Selects the Entire Script");
}

void TPowerPanel::CaseSet() {
  // B2 keeps what the set before showed.
  for (int i : {1, 3, 7, 9}) SetButton(i, "", 0, "");
  SetButton(4, "AB => ab", 7, "Converts Selected Text to Lowercase");
  SetButton(6, "ab => Ab", 30, "Converts Selected Text to Initial Capitals");
  SetButton(5, "ab => AB", 9, "Converts Selected Text to Uppercase");
  SetButton(8, "Turn Off", 18, "Turns off the Selected Text");
}

void TPowerPanel::ShowAt(TPoint at) {
  int left = at.X - Width / 2;
  int top = at.Y - Height / 2;
  const int screenWidth = Screen ? Screen->Width() : 800;
  const int screenHeight = Screen ? Screen->Height() : 600;
  left = std::clamp(left, 0, std::max(0, std::min(screenWidth, form_.Left + form_.Width) - Width));
  top = std::clamp(top, 0, std::max(0, std::min(screenHeight, form_.Top + form_.Height) - Height));
  SetBounds(left, top, Width, Height);
  FormShow();
  Show();
}

void TPowerPanel::FormShow() {
  // The panel does not hold the program busy: on the desktop it need not
  // take the keyboard, and a writer typing on with it open must not find
  // the keys dead.
  closing_ = false;
  closeOnRelease_ = false;
  rightReleaseSeen_ = false;
  ChooseFirstSet();
}

void TPowerPanel::TitleMouseDown(int x, int y) { dragOffset_ = TPoint{x, y}; }

void TPowerPanel::TitleMouseMove(int x, int y) {
  const int screenWidth = Screen ? Screen->Width() : 800;
  const int screenHeight = Screen ? Screen->Height() : 600;
  const int left = std::clamp(Left + x - dragOffset_.X, 0, std::max(0, screenWidth - Width));
  const int top = std::clamp(Top + y - dragOffset_.Y, 0, std::max(0, screenHeight - Height));
  SetBounds(left, top, Width, Height);
}

void TPowerPanel::TitleMouseUp() {
  if (!closeOnRelease_) return;
  closeOnRelease_ = false;
  ClosePanel();
}

void TPowerPanel::ButtonRightUp(TButton& button) {
  if (!rightReleaseSeen_) {
    rightReleaseSeen_ = true;
    return;
  }
  button.Click();
}

void TPowerPanel::ShowAgain() {
  FormShow();
  Show();
}

void TPowerPanel::ClosePanel() {
  if (closing_) return;
  closing_ = true;
  if (Visible) Hide();
  if (!NoActiveDocument()) FocusActiveScript();
}

void TPowerPanel::B1Click(TObject* sender) {
  const auto* button = dynamic_cast<const TComponent*>(sender);
  if (!button) return;
  const int command = button->Tag;
  if (command > 51) return;
  if (command == 5) {
    SelectSet();
    return;
  }
  if (command == 27) {
    CaseSet();
    return;
  }
  if (!IsSelection(command)) ClosePanel();
  RunCommand(command);
  if (IsSelection(command) && (command != 45 || form_.StayForBlock)) ShowAgain();
  else if (IsSelection(command)) ClosePanel();
}

bool TPowerPanel::RunCommand(int command) {
  if (command == 0) return true;
  if (command == 33) {
    form_.Next();
    return true;
  }
  const char* name = ItemOfCommand(command);
  TMenuItem* item = name ? form_.MenuItem(name) : nullptr;
  if (!item || !item->OnClick) return false;
  item->Click();
  return true;
}

}  // namespace qm
