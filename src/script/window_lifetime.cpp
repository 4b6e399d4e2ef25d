// The life of one script window: construction, initialisation into a
// one-element script, activation, painting, resizing, closing and
// destruction, and key-down routing with the read-only filter and the
// key-up of tagging mode.
#include <algorithm>

#include "platform/files.h"
#include "platform/platform.h"
#include "script/layout/char_widths.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/mouse_editing.h"
#include "script/editing/message_pump.h"
#include "script/editing/popup_hooks.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_hooks.h"
#include "script/editing/scrolling.h"
#include "script/editing/typing_aids.h"
#include "script/script_window.h"
#include "script/editing/window_activation.h"
#include "script/layout/word_wrap.h"
#include "base/document_table.h"
#include "base/program_options.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// Virtual keys that type text and go to FormKeyPress when no modifier
// other than Shift is held.
bool IsTypingKey(Word key) {
  return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= 186 && key <= 188) ||
         (key >= 190 && key <= 192) || key == 222;
}

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

// Maximised or restored, every script window follows; minimised, only
// this one.
void FollowWindowCommand(TMDIChild& window, unsigned command) {
  if (command == SC_MINIMIZE) {
    window.WindowState = TWindowState::wsMinimized;
    return;
  }
  if (command != SC_MAXIMIZE && command != SC_RESTORE) return;
  const TWindowState state = command == SC_MAXIMIZE ? TWindowState::wsMaximized : TWindowState::wsNormal;
  for (int slot = 1; slot <= DocumentCount; ++slot)
    if (TMDIChild* script = Documents[static_cast<std::size_t>(slot)]) script->WindowState = state;
}

bool IsNavigationKey(Word key) { return (key >= VK_SHIFT && key <= VK_MENU) || (key >= VK_PRIOR && key <= VK_DOWN); }

}  // namespace

TMDIChild::TMDIChild(TComponent* owner) : TForm(owner) {
  WindowClass = "TMDIChild";
  FormStyle = TFormStyle::fsMDIChild;
  SetBounds(0, 0, 720, 540);
  // The frame places each new script window where the others still show.
  Position = TPosition::poDefaultPosOnly;
  Enabled = false;
  BackgroundColor = ColorToRGB(ScreenColors.Window);
  InsertMode = 0;
  Call(ScriptWindowHooks.ClearUndoData);
  Cursor = crIBeam;
  ClickTimer = new TTimer(this);
  ClickTimer->Name = "ClickTimer";
  ClickTimer->SetEnabled(false);
  ClickTimer->SetInterval(Platform::Current().backend().DoubleClickTime());
  BorderIcons = biSystemMenu | biMinimize | biMaximize;
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
  OnPaint = [this](TObject* s) { FormPaint(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
  OnKeyUp = [this](TObject* s, Word& k, TShiftState sh) { FormKeyUp(s, k, sh); };
  OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
  OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseDown(s, b, sh, x, y); };
  OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
  OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { FormMouseUp(s, b, sh, x, y); };
  OnClick = [this](TObject* s) { FormClick(s); };
  OnDblClick = [this](TObject* s) { FormDblClick(s); };
  ClickTimer->OnTimer = [this](TObject* s) { TurnoffBlockItemClick(s); };
}

TMDIChild::~TMDIChild() {
  FormDestroy(this);
  FreeElements();
}

void TMDIChild::Created() {
  SetChildNumber();
  SkipNextPaint = 0;
  InteractiveEdit = 1;
  SetDocumentModified(false, false);
  Call(ScriptWindowHooks.ReadFormatDefaults);
  InsertMode = 1;
  // A new script is checked in the language chosen for new scripts.
  SpellLanguage = ProgramOptions().DefaultLanguage;
  EditFields(*this).CurrentElement = NewElementRecord(*this);
  CurrentElement()->format = FormatSet[fsAction];
  auto* group = NewGroupRecord();
  group->first = CurrentElement();
  group->count = 1;
  group->stale = 1;
  CurrentGroup = LastGroup = group;
  CurrentElement()->group = group;
  CurrentElement()->text.reset();
  FirstElement = LastElement = CurrentElement();
  AvailableWidth = FormatMarginToDots(CurrentElement()->format);
  EditFields(*this).EditBuffer.clear();
  EditFields(*this).LineOffsets.fill(0);
  EditFields(*this).LineOffsets[1] = 1;
  ResetScreenLines(*this);
  const std::string defaultFormats = ProgramFolder() + "DEFAULT.FMT";
  if (FileExists(defaultFormats) && ScriptWindowHooks.LoadDefaultFormats &&
      ScriptWindowHooks.LoadDefaultFormats(defaultFormats)) {
    DocumentModified = ModifiedSinceBackup = ModifiedThisSession = 0;
    ChangedSinceBackup = SavedSinceBackup = 0;
  }
  SetupScreenFont(*this);
  MeasureScreenFont(*this, CurrentElement());
  EditFields(*this).CaretLine = 1;
  EditFields(*this).CaretColumn = 0;
  // The tables measured above stay valid; they are remeasured when stale.
  UpdateCaret();
  Enabled = true;
  LastUndoKind = 2;
}

void TMDIChild::SetChildNumber() {
  if (DocumentCount == 0) return;
  SetActiveSlotOf(this);
}

void TMDIChild::StartPaginateTimer(Byte reasons) {
  RepaginateDue = TickNow() + ProgramOptions().PaginationDelay;
  LayoutDue |= reasons;
}

void TMDIChild::FormActivate(TObject*) {
  ActivateScriptWindow(*this);
  aids::ScriptActivated(*this);
}

void TMDIChild::FormDeactivate(TObject*) {
  ClickTimer->SetEnabled(false);
  FlushMouseMessages();
  if (Platform::Current().Caret().owner == Handle()) DestroyCaret();
  MouseSelecting = 0;
  EndMouseDrag(*this);
  Screen->SetCursor(crDefault);
  if (ActivationHooks.ScriptDeactivated) ActivationHooks.ScriptDeactivated(*this);
}

// The focus went to another window: no caret, no selecting with the mouse.
void TMDIChild::LoseFocus() {
  if (Platform::Current().Caret().owner == Handle()) DestroyCaret();
  if (Screen) Screen->SetCursor(crDefault);
  MouseSelecting = 0;
}

void TMDIChild::FormPaint(TObject*) {
  if (!SkipNextPaint && !Closing) RedisplayScreen(true);
  SkipNextPaint = 0;
}

void TMDIChild::FormResize(TObject*) {
  PaintTitle();
  if (NoActiveDocument() || !CurrentElement() || Closing || JobRunning || ActiveScript() != this || !ResizeAttached)
    return;
  ResizeAttached = false;
  Screen->SetCursor(crHourGlass);
  HideCaret(Handle());
  RebuildScreen(this);
  RedisplayScreen(true);
  SkipNextPaint = 0;
  Screen->SetCursor(crDefault);
  if (Active()) UpdateCaret();
  ResizeAttached = true;
}

void TMDIChild::FormClose(TObject*, TCloseAction& action) {
  Closing = 1;
  action = TCloseAction::caFree;
  // Left open, a list or tool window would stand inert over the next script.
  if (aids::ListShowing()) aids::CloseList();
  Call(ScriptWindowHooks.ScriptClosing);
}

// Frees the script and takes the window's own slot out of the table.
void TMDIChild::FormDestroy(TObject*) {
  Closing = 1;
  EditFields(*this).CurrentElement = FirstElement;
  InteractiveEdit = 0;
  FreeElements();
  RemoveDocument(this);
  // Only this script's steps go: a window freed after its close must not
  // take the steps other scripts recorded since.
  if (ScriptWindowHooks.ForgetUndoSteps) ScriptWindowHooks.ForgetUndoSteps(*this);
  InteractiveEdit = 1;
}

void TMDIChild::FormKeyDown(TObject*, Word& key, TShiftState shift) {
  if (JobRunning || key == 0) return;
  // A window shown only as its icon edits nothing: every key is dropped
  // here (a typed character beeps when it comes); the writer restores it.
  if (WindowState == TWindowState::wsMinimized) {
    key = 0;
    return;
  }
  // A command that read the script stored the element being edited and
  // left it so: the next key finds it unpacked again, or it would go into
  // a line that the element no longer reads and be lost.
  if (const TScriptElement* e = CurrentElement(); e && e->text && !IsPageBreakKind(e->Kind())) DisAssemble();
  const bool modified = shift.Contains(ssCtrl) || shift.Contains(ssAlt);
  if (!Editable && !IsNavigationKey(key)) {
    // A character typed goes on to be refused with the read-only warning.
    if (modified || !(IsTypingKey(key) || key == VK_SPACE)) key = 0;
    return;
  }
  const Word pressed = key;
  if (!IsTypingKey(key) || modified) HandleCommandKey(key, shift, this);
  // The pointer stays out of the writer's way until the mouse moves.
  const bool modifierKey = pressed >= VK_SHIFT && pressed <= VK_MENU;
  if (Editable && ProgramOptions().HideMouse && !modifierKey && !Closing) Cursor = crNone;
}

void TMDIChild::FormKeyUp(TObject*, Word& key, TShiftState) {
  // The hook offers the categories only in tagging mode.
  if (key != VK_SHIFT || !BlockOn() || !ScriptPopupHooks.BlockMarked || WindowState == TWindowState::wsMinimized)
    return;
  ScriptPopupHooks.BlockMarked(*this, CaretX + LeftTextOffset, CaretY);
}

void TMDIChild::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = 6; return;
    case WM_CLOSE:
      m.Result = 0;
      if (ScriptWindowHooks.CloseScript && !Closing) ScriptWindowHooks.CloseScript(*this);
      return;
    case WM_SYSCOMMAND:
      TForm::WndProc(m);
      FollowWindowCommand(*this, static_cast<unsigned>(m.WParam) & 0xFFF0);
      return;
    case WM_KILLFOCUS:
      TForm::WndProc(m);
      if (static_cast<HWND>(m.WParam) != Handle()) LoseFocus();
      return;
    case WM_MOUSEWHEEL:
      m.Result = 0;
      if (ActiveScript() != this || !CurrentElement()) return;
      WheelScroll(*this, static_cast<std::int16_t>(m.WParam >> 16));
      UpdateCaret();
      return;
    default: TForm::WndProc(m);
  }
}

}  // namespace qm
