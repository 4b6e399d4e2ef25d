#include "language/pick_list.h"

#include <algorithm>

#include "language/character_names.h"
#include "script/editing/editor_calls.h"
#include "script/model/element_kinds.h"
#include "script/editing/script_list_data.h"
#include "language/user_lists.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/program_options.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"

namespace qm {

TListMenu* ListMenu;

namespace {

const GlobalState reset([] {
  delete ListMenu;
  ListMenu = nullptr;
});

constexpr int MaxVisibleRows = 6;
constexpr int PromptHeight = 20;
constexpr Word CancelKey = 3;
constexpr char Placeholder = '\xA0';

// Keys that type a character (letters, digits, the blank and punctuation):
// they type into a list that takes typing.
bool IsTypingKey(Word key) {
  return key == VK_SPACE || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
         (key >= VK_NUMPAD0 && key <= VK_DIVIDE) || (key >= VK_OEM_1 && key <= VK_OEM_3) ||
         (key >= VK_OEM_4 && key <= VK_OEM_7);
}

bool IsPlaceholder(const std::string& entry) { return entry.size() == 1 && entry[0] == Placeholder; }

// The name of the nearest cue of the current scene, before the caret,
// that begins with the letter.
std::string LastSpeakerInScene(TMDIChild& script, char letter) {
  for (const TScriptElement* e = script.CurrentElement(); e; e = e->prev) {
    if (e != script.CurrentElement() && StartsScene(e->Kind())) break;
    if (e->Kind() != ekCharacterName || !e->text || e->text->empty()) continue;
    if (AnsiUpper(static_cast<Byte>((*e->text)[0])) == static_cast<Byte>(letter)) return SpeakerName(*e->text);
  }
  return {};
}

std::string FinishOutHint(const std::string& entry) { return "Press ENTER to finish out " + entry; }

// The room a prompt takes: its width as the desktop draws the panel's
// caption and 5 more, and, since the caption stands centred, the close
// box's room on either side of it.
int PromptRoom(const TPanel& panel, const std::string& prompt) {
  TCanvas measure;
  measure.Font.Assign(panel.Font);
  measure.ControlText = true;
  const int closeBox = std::max(0, PromptHeight - 6) + 3 + 2;
  return measure.TextWidth(prompt) + 5 + 2 * closeBox;
}

void SetScriptHint(const std::string& hint) {
  if (TMDIChild* script = ActiveScript()) editor::SetHint(*script, hint);
}

// What an extension candidate offers: the part after its "(", without
// its ")", "&" and trailing blanks.
std::string ExtensionOf(std::string text) {
  if (const size_t paren = text.find('('); paren != std::string::npos) text.erase(0, paren + 1);
  if (const size_t close = text.find(')'); close != std::string::npos) text.erase(close, 1);
  std::erase(text, '&');
  TrimTrailingBlanks(text);
  return text;
}

// The edit line without trailing blanks, nor, while the writer types in a
// colour, that colour's close code.
void TrimEditLineEnd(TMDIChild& script) {
  const TScriptRecord& record = RecordOf(script);
  const int colour = record.CurrentColor != 0 ? ColorIndexOfOnCode(record.TypingColorCode) : 0;
  editor::ChangeEditText(script, [&](std::string& line) {
    if (colour > 0 && !line.empty() &&
        static_cast<Byte>(line.back()) == ColorPairs[static_cast<size_t>(colour - 1)].off)
      line.pop_back();
    TrimTrailingBlanks(line);
  });
}

}  // namespace

TListMenu& ListMenuInstance() {
  if (!ListMenu) ListMenu = new TListMenu(Application);
  return *ListMenu;
}

TListMenu::TListMenu(TComponent* owner) : TForm(owner) {
  Name = "ListMenu";
  BorderStyle = TFormBorderStyle::bsNone;
  Panel1 = new TPanel(this);
  Panel1->Name = "Panel1";
  Panel1->SetParent(this);
  Panel1->BevelOuter = TPanelBevel::bvNone;
  // The panel's colour shows as the list's frame, a pixel round it.
  Panel1->Color = clBlack;
  List = new TListBox(this);
  List->Name = "List";
  List->SetParent(Panel1);
  List->Style = TListBoxStyle::lbOwnerDrawFixed;
  List->Items.OwnsObjects = true;
  PromptPanel = new TPanel(this);
  PromptPanel->Name = "PromptPanel";
  PromptPanel->SetParent(this);
  PromptPanel->Height = PromptHeight;
  PromptPanel->Color = clNavy;
  PromptPanel->Visible = false;
  FakeX = new TPanel(this);
  FakeX->Name = "FakeX";
  FakeX->SetParent(PromptPanel);
  FakeX->Caption = "X";

  List->OnDrawItem = [this](TWinControl* c, int i, TRect r, unsigned s) { ListDrawItem(c, i, r, s); };
  List->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { ListKeyDown(s, k, sh); };
  List->OnKeyPress = [this](TObject* s, char& k) { ListKeyPress(s, k); };
  List->OnClick = [this](TObject* s) { ListClick(s); };
  List->OnDblClick = [this](TObject* s) { ListDblClick(s); };
  OnDblClick = List->OnDblClick;
  PromptPanel->OnDblClick = List->OnDblClick;
  List->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    ListMouseDown(s, b, sh, x, y);
  };
  List->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { ListMouseUp(s, b, sh, x, y); };
  PromptPanel->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    PromptPanelMouseDown(s, b, sh, x, y);
  };
  PromptPanel->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { PromptPanelMouseMove(s, sh, x, y); };
  PromptPanel->OnResize = [this](TObject* s) { PromptPanelResize(s); };
  FakeX->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    FakeXMouseDown(s, b, sh, x, y);
  };
  FakeX->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FakeXMouseUp(s, b, sh, x, y); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  SetBounds(0, 0, 2 * Screen->PixelsPerInch(), MaxVisibleRows * List->ItemHeight + 2);
}

TListMenu::~TListMenu() {
  if (ListMenu == this) ListMenu = nullptr;
}

// ---- Showing -------------------------------------------------------------

int TListMenu::ShowPicker(const std::string& prompt, bool sorted, bool multiSelect) {
  SavedHeight = static_cast<Word>(Height());
  ApplyListFont();
  SetUse(false, false, false);
  PromptPanel->Caption = prompt;
  PromptPanel->Font.Color = clWhite;
  PromptPanel->Visible = !prompt.empty();
  List->Items.SetSorted(sorted);
  List->MultiSelect = multiSelect;
  SizeRows();
  Width = FitWidth(PromptRoom(*PromptPanel, prompt), 5);
  Position = TPosition::poScreenCenter;
  FocusControl(List);
  ShowModal();
  Position = TPosition::poDesigned;
  return PickedIndex;
}

TModalResult TListMenu::ShowAtCaret(bool modal) {
  SavedHeight = static_cast<Word>(Height());
  TMDIChild* script = ActiveScript();
  if (script && !modal && script->EditBuffer().find('(') != std::string::npos) {
    ShowExtensionList();
    return mrNone;
  }
  ApplyListFont();
  SetUse(false, modal, false);
  PromptPanel->Visible = false;
  List->Items.SetSorted(false);
  List->MultiSelect = false;
  SizeRows();
  Width = FitWidth(2 * Screen->PixelsPerInch(), 15);
  if (script) PlaceAtCaret(*script, false);
  if (!modal) {
    // Out of sight, it still follows the typing and Enter still takes it.
    if (!ProgramOptions().DisplayCharNameList) Left = Screen->Width() + 2;
    Visible = true;
    return mrNone;
  }
  List->SetItemIndex(0);
  FocusControl(List);
  return ShowModal();
}

TModalResult TListMenu::ShowElementList(bool quiet) {
  SavedHeight = static_cast<Word>(Height());
  RemoveLeadingPlaceholdersAndRepeats();
  if (List->Items.Count() == 1 && (List->Items[0].empty() || IsPlaceholder(List->Items[0]))) {
    ModalResult = mrCancel;
    return mrCancel;
  }
  SetUse(true, false, false);
  PromptPanel->Caption = std::string();
  PromptPanel->Visible = true;
  TMDIChild* script = ActiveScript();
  if (List->Items.Count() == 0) {
    if (!quiet) ShowMessageBox(PromptTable(28), PromptTable(29));
    if (script) TrimEditLineEnd(*script);
    ModalResult = mrCancel;
    List->Items.SetSorted(false);
    Height = SavedHeight;
    return mrCancel;
  }
  ApplyListFont();
  SizeRows();
  Width = FitWidth(2 * Screen->PixelsPerInch(), 15);
  if (!script) return mrCancel;
  // At the caret, where the writer is typing the element.
  PlaceAtCaret(*script, false);
  List->SetItemIndex(0);
  FocusControl(List);
  editor::DisAssemble(*script);
  const bool interactive = RecordOf(*script).InteractiveScript;
  const Word caretBefore = script->CaretColumn();
  editor::ChangeEditText(*script, [&](std::string& text) {
    TrimTrailingBlanks(text);
    if (!interactive) text.append(static_cast<size_t>(GetTimeOfDaySpaces(*script)), ' ');
  });
  editor::SetCaretColumn(*script, script->EditBuffer().size());
  PassedKey = 0;
  const TModalResult result = ShowModal();
  // The key that ended the list reaches the script once the list is gone.
  if (PassedKey != 0) PostMessage(script->Handle(), WM_KEYDOWN, PassedKey, PassedShift.Bits);
  if (interactive && !TypedText.empty()) {
    editor::SetCaretColumn(*script, std::min<Word>(caretBefore, static_cast<Word>(script->EditBuffer().size())));
    for (char ch : TypedText) {
      if (!editor::TypeIntoActiveScript(ch)) break;
      editor::SetCaretColumn(*script, script->CaretColumn() + 1);
    }
    editor::RedisplayCurrent(*script);
  }
  return result;
}

TModalResult TListMenu::ShowGotoList(int currentIndex) {
  SavedHeight = static_cast<Word>(Height());
  TMDIChild* script = ActiveScript();
  SetUse(true, true, false);
  KeepOnNoMatch = true;
  const bool interactive = script && RecordOf(*script).InteractiveScript;
  PromptPanel->Caption = interactive ? "Goto Branch Target" : "Goto Scene Heading";
  PromptPanel->Visible = true;
  TModalResult result = mrCancel;
  if (List->Items.Count() == 0 || !script) {
    ShowMessageBox(PromptTable(30), PromptTable(29));
    Height = SavedHeight;
  } else {
    ApplyListFont();
    SizeRows();
    Width = FitWidth(2 * Screen->PixelsPerInch(), 15);
    PlaceOverScript(*script);
    List->SetItemIndex(currentIndex);
    FocusControl(List);
    result = ShowModal();
  }
  KeepOnNoMatch = false;
  if (script) FocusActiveScript();
  return result;
}

void TListMenu::ShowExtensionList() {
  TMDIChild* script = ActiveScript();
  if (!script || (Visible && PromptPanel->Visible)) return;
  SetUse(false, false, true);
  const std::string& line = script->EditBuffer();
  const size_t paren = line.find('(');
  const Byte filter =
      paren != std::string::npos && paren + 1 < line.size() ? AnsiUpper(static_cast<Byte>(line[paren + 1])) : 0;
  std::vector<std::string> candidates = LeadingEntries(RecordOf(*script).UserLists, TUserList::Extension);
  for (const TScriptElement* e = script->FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName && e->text && e->text->find('(') != std::string::npos)
      candidates.push_back(*e->text);
  ClearList();
  for (const std::string& candidate : candidates) {
    const std::string extension = ExtensionOf(candidate);
    if (extension.empty()) continue;
    if (filter != 0 && AnsiUpper(static_cast<Byte>(extension[0])) != filter) continue;
    if (List->Items.IndexOf(extension) < 0) List->Items.Add(extension);
  }
  if (List->Items.Count() == 0) return;
  ApplyListFont();
  PromptPanel->Visible = false;
  SizeRows();
  Width = FitWidth(2 * Screen->PixelsPerInch(), 15);
  PlaceAtCaret(*script, true);
  Visible = true;
}

void TListMenu::ClearList() { List->Clear(); }

void TListMenu::DoneWithList() {
  if (!Visible) return;
  ModalResult = mrCancel;
  Hide();
  ProcessMessagesGuarded();
}

// ---- Type-ahead ----------------------------------------------------------

std::string TListMenu::InitialLetterName(TMDIChild& script, char letter) const {
  if (ProgramOptions().UseSmartTabPlus)
    if (std::string name = LastSpeakerInScene(script, letter); !name.empty()) return name;
  if (ProgramOptions().UseSmartTab) {
    if (static_cast<Byte>(letter) < 'A') return {};
    const std::string& name = ListData(script).RememberedNames[static_cast<Byte>(letter)];
    return !name.empty() && List->Items.IndexOf(name) > 0 ? name : std::string();
  }
  const TUserListTables& lists = RecordOf(script).UserLists;
  for (int slot = 1; slot <= UserListSpec(TUserList::CharNames).Slots; ++slot) {
    const std::string name = AnsiUpperCase(DisplayText(UserListEntry(lists, TUserList::CharNames, slot)));
    if (!name.empty() && name[0] == letter) return name;
  }
  return {};
}

void TListMenu::MatchTypedText(const std::string& typed) {
  if (List->Items.Count() == 0) return;
  std::string text = AnsiUpperCase(typed);
  TMDIChild* script = ActiveScript();
  if (text.size() == 1 && CharacterNameCase() && script)
    if (std::string name = InitialLetterName(*script, text[0]); !name.empty()) text = AnsiUpperCase(name);
  int found = -1;
  for (int i = 0; i < List->Items.Count() && found < 0; ++i)
    if (AnsiUpperCase(List->Items[i].substr(0, text.size())) == text) found = i;
  if (found >= 0) {
    List->SetItemIndex(found);
    if (ListTyping) PromptPanel->Caption = TypedText;
  } else if (ListTyping && !KeepOnNoMatch) {
    List->Clear();
    List->Items.Add(text);
    List->SetItemIndex(0);
    Finish(mrNoMatch);
  } else {
    List->SetItemIndex(-1);
  }
  if (FontPending) {
    ApplyListFont();
    List->Repaint();
    FontPending = false;
  }
  // The hint follows the match at once, not only at the list's next paint:
  // an edit in between would leave "Modified" standing there.
  if (CharacterNameCase() && script) {
    const int selected = List->ItemIndex();
    editor::SetHint(*script, selected >= 0 ? FinishOutHint(List->Items[selected])
                                           : "Press ENTER to add " + AnsiUpperCase(script->EditBuffer()));
  }
}

// ---- Keys and mouse ------------------------------------------------------

// Keys an element list has no use for end it and go on to the script, so
// that none of the writer's keys is lost.
bool TListMenu::PassesKeyOn(Word key) const {
  if (!ListTyping || ListHasFocus || !Modal()) return false;
  switch (key) {
    case VK_ESCAPE:
    case CancelKey:
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL: return false;
    case VK_BACK:
    case VK_DELETE: return TypedText.empty();
    default: return !IsTypingKey(key);
  }
}

void TListMenu::ListKeyDown(TObject*, Word& key, TShiftState shift) {
  MouseWentDown = false;
  const bool typing = ListTyping || ListHasFocus;
  if (PassesKeyOn(key) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    PassedKey = key;
    PassedShift = shift;
    Finish(mrCancel);
    key = 0;
    return;
  }
  switch (key) {
    case VK_ESCAPE:
    case CancelKey:
      PickedIndex = 0;
      Finish(mrCancel);
      key = 0;
      break;
    case VK_RETURN: {
      const int selected = List->ItemIndex();
      TMDIChild* script = ActiveScript();
      if (script && selected >= 0 && RecordOf(*script).InteractiveScript) TypedText = List->Items[selected] + "> ";
      if (!typing) PickedIndex = selected + 1;
      Finish(mrOk);
      key = 0;
      break;
    }
    case VK_UP:
    case VK_DOWN:
      if (!typing) break;
      TypedText.clear();
      MoveSelection(key == VK_UP ? -1 : 1);
      key = 0;
      break;
    case VK_BACK:
    case VK_DELETE:
      if (!typing || TypedText.empty()) break;
      TypedText.pop_back();
      MatchTypedText(TypedText);
      key = 0;
      break;
    default: break;
  }
}

void TListMenu::MoveSelection(int step) {
  const int last = List->Items.Count() - 1;
  if (last < 0) return;
  List->SetItemIndex(std::clamp(List->ItemIndex() + step, 0, last));
}

void TListMenu::ListKeyPress(TObject*, char& key) {
  if (static_cast<Byte>(key) < 32 || !(ListTyping || ListHasFocus)) return;
  TypeIntoList(key);
  key = 0;
  List->Repaint();
}

void TListMenu::TypeIntoList(char ch) {
  // The line already ends with the blank before a location: the blank the
  // writer types there out of habit is that one.
  if (ch == ' ' && TypedText.empty() && ListTyping && !ListHasFocus) return;
  TypedText += UpCaseChar(ch);
  MatchTypedText(TypedText);
  if (List->ItemIndex() < 0) MatchTypedText(" " + TypedText);
  if (List->ItemIndex() < 0 && ListHasFocus) {
    TypedText.pop_back();
    MatchTypedText(TypedText);
    MessageBeep(0);
  }
}

void TListMenu::ListMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  MouseWentDown = true;
  const int index = List->ItemAtPos(TPoint{x, y});
  if (index < 0 || button != TMouseButton::mbLeft) return;
  if (List->MultiSelect) List->SetSelected(index, !List->Selected(index));
  List->SetItemIndex(index);
}

void TListMenu::ListClick(TObject*) {
  if (!MouseWentDown || PromptPanel->Visible) return;
  if (ListHasFocus) {
    Finish(mrOk);
    return;
  }
  if (TMDIChild* script = ActiveScript()) {
    FocusActiveScript();
    editor::PassEnterKey(*script);
  }
}

// A double click picks, wherever the list is used.
void TListMenu::ListDblClick(TObject*) {
  PickedIndex = List->ItemIndex() + 1;
  Finish(mrOk);
}

void TListMenu::ListMouseUp(TObject*, TMouseButton button, TShiftState, int, int) {
  if (ListTyping) Finish(button == TMouseButton::mbLeft ? mrOk : mrCancel);
}

void TListMenu::PromptPanelMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  if (button == TMouseButton::mbLeft) DragOrigin = TPoint{x, y};
}

void TListMenu::PromptPanelMouseMove(TObject*, TShiftState shift, int x, int y) {
  if (!shift.Contains(ssLeft)) return;
  Left = std::clamp(Left + x - DragOrigin.X, 0, std::max(0, Screen->Width() - Width));
  Top = std::clamp(Top + y - DragOrigin.Y, 0, std::max(0, Screen->Height() - Height));
}

void TListMenu::PromptPanelResize(TObject*) {
  const int side = std::max(0, PromptPanel->Height - 6);
  FakeX->SetBounds(PromptPanel->Width - side - 3, 3, side, side);
}

void TListMenu::FakeXMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  FakeX->BevelOuter = TPanelBevel::bvLowered;
}

void TListMenu::FakeXMouseUp(TObject*, TMouseButton, TShiftState, int x, int y) {
  FakeX->BevelOuter = TPanelBevel::bvRaised;
  FakeX->Invalidate();
  if (FakeX->ClientRect().Contains(TPoint{x, y})) Finish(mrCancel);
}

// ---- Drawing, showing and closing ----------------------------------------

void TListMenu::ListDrawItem(TWinControl*, int index, TRect rect, unsigned state) {
  const std::string& entry = List->Items[index];
  List->Canvas.Brush.Color = (state & odSelected) ? clHighlight : static_cast<TColor>(List->Color);
  List->Canvas.Font.Color = (state & odSelected) ? clHighlightText : clWindowText;
  List->Canvas.TextRect(rect, rect.Left + 2, rect.Top, entry);
  if (state & odSelected) SetScriptHint(FinishOutHint(entry));
}

void TListMenu::FormShow(TObject*) {
  List->Color = clWindow;
  if (PromptPanel->Visible) Height = Height + PromptPanel->Height;
  LayOutChildren();
  // Selecting the first entry once makes the list scroll to the top.
  const int previous = List->ItemIndex();
  List->SetItemIndex(0);
  ProcessMessagesGuarded();
  List->SetItemIndex(previous);
}

void TListMenu::FormClose(TObject*, TCloseAction&) {
  ExtensionMode = false;
  Hide();
  while (PumpDialogMessage(Handle())) {
  }
  List->Items.SetSorted(false);
  if (SavedHeight > 0) Height = SavedHeight;
  if (TMDIChild* script = ActiveScript()) editor::RedisplayScreen(*script);
}

void TListMenu::Finish(TModalResult result) {
  ModalResult = result;
  if (!Modal()) Close();
}

void TListMenu::SetUse(bool listTyping, bool hasFocus, bool extension) {
  PickedIndex = 0;
  FontPending = true;
  ListTyping = listTyping;
  ListHasFocus = hasFocus;
  ExtensionMode = extension;
  TypedText.clear();
}

// No script: Courier New 12; else the script's font, or the font of the
// current element when it names one of the script's fonts. Always bold.
void TListMenu::ApplyListFont() {
  std::string name = "Courier New";
  int size = 12;
  if (TMDIChild* script = ActiveScript()) {
    name = script->ScriptFontName;
    size = script->ScriptFontSize;
    if (const TScriptElement* e = script->CurrentElement()) {
      const size_t index = e->format.FontIndex();
      if (index < 30 && !script->FontNameTable[index].empty()) name = script->FontNameTable[index];
    }
  }
  List->Font.Name = name;
  List->Font.Size = size;
  List->Font.Style = fsBold;
  List->Canvas.Font.Assign(List->Font);
  List->ItemHeight = List->Canvas.TextHeight("Wg");
}

void TListMenu::SizeRows() {
  const int rows = std::min(List->Items.Count(), MaxVisibleRows);
  Height = rows * List->ItemHeight + 2;
}

int TListMenu::FitWidth(int start, int margin) {
  int width = start;
  for (int i = 0; i < List->Items.Count(); ++i)
    width = std::max(width, List->Canvas.TextWidth(List->Items[i]) + margin);
  return width;
}

void TListMenu::LayOutChildren() {
  const int top = PromptPanel->Visible ? PromptPanel->Height : 0;
  if (PromptPanel->Visible) PromptPanel->SetBounds(0, 0, Width, PromptPanel->Height);
  Panel1->SetBounds(0, top, Width, std::max(0, Height - top));
  List->SetBounds(1, 1, std::max(0, Panel1->Width - 2), std::max(0, Panel1->Height - 2));
}

// Three fifths across the screen (four fifths for the extension list on a
// narrow screen), on the caret's line, lifted above it near the bottom.
void TListMenu::PlaceAtCaret(TMDIChild& script, bool extensionList) {
  const int screenWidth = Screen->Width();
  Left = (screenWidth / 5) * ((extensionList && screenWidth < 800) ? 4 : 3);
  const int caretTop = editor::CaretScreenPoint(script).Y;
  Top = caretTop;
  if (Top + Height > Screen->Height() - (10 + List->ItemHeight)) Top = caretTop - Height - 5;
  Width = Left + Width + 20 > screenWidth ? screenWidth - (Left + 15) : Width + 15;
}

void TListMenu::PlaceOverScript(TMDIChild& script) {
  const int screenWidth = Screen->Width();
  const int screenHeight = Screen->Height();
  TPoint origin{0, 0};
  if (script.WindowState != TWindowState::wsMaximized) origin = script.ClientToScreen(origin);
  Top = origin.Y + script.ClientHeight() / 2 - Height / 2;
  Left = origin.X + script.ClientWidth() / 2 - Width / 2;
  if (Top + Height > screenHeight - 10) Top = screenHeight - (Height + 32);
  if (Left + Width + 40 > screenWidth) Width = screenWidth - (Left + 15);
  if (Left < 0) {
    Left = 5;
    Width = screenWidth - 10;
  }
}

void TListMenu::RemoveLeadingPlaceholdersAndRepeats() {
  TStringList& items = List->Items;
  // A placeholder alone stays, so that the list is dropped without a word.
  while (items.Count() > 1 && IsPlaceholder(items[0])) items.Delete(0);
  for (int i = 0; i + 1 < items.Count();) {
    if (items[i] == items[i + 1]) items.Delete(i + 1);
    else ++i;
  }
}

// ---- The cue being typed -------------------------------------------------

void OfferCharacterNames(TMDIChild& script) {
  const std::string& line = script.EditBuffer();
  if (line.empty() || line.find('(') != std::string::npos) return;
  TListMenu& menu = ListMenuInstance();
  if (!menu.Visible || menu.ExtensionMode || line.size() == 1) {
    menu.DoneWithList();
    menu.List->Items.SetSorted(false);
    const char first = static_cast<char>(AnsiUpper(static_cast<Byte>(line[0])));
    // The cue being typed is what the list completes, not one of its entries.
    if (!CollectCharacterNames(first, false, true, menu.List->Items, ProgramOptions().SkipNameHide, false)) return;
    menu.ShowAtCaret(false);
  }
  menu.MatchTypedText(line);
}

void PickIntoScript(TMDIChild& script, const std::vector<std::string>& entries) {
  if (entries.empty()) return;
  TListMenu& menu = ListMenuInstance();
  menu.DoneWithList();
  menu.ClearList();
  menu.List->Items.SetSorted(false);
  for (const std::string& entry : entries) menu.List->Items.Add(entry);
  if (menu.ShowAtCaret(true) != mrOk) return;
  const int selected = menu.List->ItemIndex();
  if (selected < 0) return;
  const std::string chosen = menu.List->Items[selected];
  if (!editor::RoomToType(script, 0, chosen)) return;
  editor::TypeAtCaret(script, chosen);
  editor::SetActiveScriptModified();
  editor::RedisplayCurrent(script);
}

}  // namespace qm
