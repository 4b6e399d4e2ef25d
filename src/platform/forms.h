// Forms (top-level windows, dialogs, the MDI frame and its children),
// the screen and the application object.
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/menus.h"

namespace qm {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  Prop<TFormBorderStyle> BorderStyle{this, PropId::Style, TFormBorderStyle::bsSizeable};
  Prop<TFormStyle> FormStyle{this, PropId::Style, TFormStyle::fsNormal};
  Prop<TWindowState> WindowState{this, PropId::WindowState, TWindowState::wsNormal};
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = TPosition::poDesigned;
  bool KeyPreview = false;
  TModalResult ModalResult = mrNone;
  TWinControl* ActiveControl = nullptr;
  TMainMenu* Menu = nullptr;
  // What the title bar shows when it differs from the window text (the
  // old platform's caption painters): empty shows the Caption.
  Prop<std::string> TitleBarText{this, PropId::Caption};
  int HelpContext = 0;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int w) override;
  void SetClientHeight(int h) override;
  TPoint ClientOrigin() const override;
  // Width and height the frame (borders and caption) takes.
  int FrameWidth() const;
  int FrameHeight() const;

  void Show();
  void Hide();
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  // Asks the form to close: close-query, then the close action.
  void Close();
  bool CloseQuery();
  // Frees the form once the current message has been handled.
  void Release();
  bool Active() const;
  // The state a minimised form comes back to: the one it had before.
  TWindowState RestoredState() const { return restoredState_; }
  void SetFocus() override;
  bool CanFocus() const override { return Visible; }
  void FocusControl(TWinControl* control);
  // The control that keeps the keyboard within this form.
  TWinControl* FocusedControl() const { return focused_; }
  void SelectNext(TWinControl* current, bool forward);

  // The MDI frame's children, the active one first.
  int MDIChildCount() const;
  TForm* MDIChildren(int index) const;
  TForm* ActiveMDIChild() const;
  // The part of an MDI frame's client area that its aligned children (tool
  // bars, the status line, side panels) leave to the children.
  TRect MDIClientRect() const;
  void Cascade();
  void Tile();
  void ArrangeIcons();
  void Next();
  void Previous();

  // WM_CLOSE asks the form to close, as the old platform's forms do.
  void WndProc(TMessage& m) override;

  // Called by the platform when activation moves.
  void Activate();
  void Deactivate();
  // Ends a modal loop once ModalResult has been set, as the loop does.
  void CloseModal();

 protected:
  void VisibleChanged() override;
  void PropertyChanged(PropId id) override;

 private:
  friend class TWinControl;
  void ShowInternal();
  void FitDialogToContents();
  void PlaceNewMDIChild();
  void BringMDIChildToFront();
  static void ActivateNextAfter(TForm* leaving);
  bool modal_ = false;
  bool active_ = false;
  TWindowState restoredState_ = TWindowState::wsNormal;
  TWinControl* focused_ = nullptr;
  // The order the forms were made in: the desktop's MDI frame passes the
  // keyboard on by it.
  unsigned long madeAs_ = 0;
};

class TScreen : public TComponent {
 public:
  TScreen();
  int Width() const;
  int Height() const;
  int PixelsPerInch() const;
  TRect WorkAreaRect() const;
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor);
  // The form that has the keyboard: the active top-level form, or the
  // active child of an MDI frame.
  TForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int index) const;
  // Installed font families.
  std::vector<std::string> Fonts() const;

 private:
  friend class TForm;
  friend class TApplication;
  std::vector<TForm*> forms_;  // in z-order, the front one first
  TForm* activeForm_ = nullptr;
  int cursor_ = crDefault;
};

using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  Prop<std::string> Title{this, PropId::Caption};
  TForm* MainForm = nullptr;
  int HintPause = 500;
  TColor HintColor = clInfoBk;
  bool ShowHint = true;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  // Heard each time the hint changes.
  TNotifyEvent OnHint;

  // The long part of the hint of what the pointer rests on or of the menu
  // item highlighted (after "|"; the whole hint when it has none).
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // The pointer rests on a control (none: it left the program's windows);
  // a control without a hint shows its parent's.
  void PointerOver(const TControl* control);
  // A menu item is highlighted (none: the menu closed).
  void MenuItemHighlighted(const TMenuItem* item);
  // A control hidden or gone is no longer under the pointer: the hint it
  // (or a control inside it) gave goes with it.
  void ControlHidden(const TControl* control);

  // The hidden application window other programs find by its class and title.
  HWND Handle();
  std::string ExeName() const;

  void ProcessMessages();
  // Handles one message, or idles and waits when there is none.
  void HandleMessage();
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  bool Active() const { return active_; }
  void Minimize();
  void Restore();
  void BringToFront();
  bool Minimized() const { return minimized_; }

  // The platform's own message box (not the program's); returns IDOK etc.
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
  // The net under every command: a failure that escaped what a message, a
  // timer or the idle time started is said in a box captioned with the
  // program's title (or handed to OnException when set), and the program
  // goes on with everything it holds.
  void ShowException(const std::exception_ptr& error);
  std::function<void(const std::string& text)> OnException;

  // The message queue.
  void Post(const TMsg& msg);
  bool Peek(TMsg& msg, HWND window, UINT first, UINT last, bool remove);
  // Input from the desktop: the message hook sees it first, then the menu
  // short cuts and dialog keys, then the window it is for. Returns true
  // when the hook, a short cut or a dialog key took it, so that the
  // desktop makes no character of the key.
  bool DeliverInput(TMsg msg);
  void PropertyChanged(PropId id) override;
  void Dispatch(TMsg& msg);
  bool QueueEmpty() const { return queue_.empty(); }

  // Timers on the tick clock.
  void AddTimer(TTimer* timer);
  void RemoveTimer(TTimer* timer);
  // Whether any timer fell due.
  bool FireDueTimers();
  // Milliseconds until the next timer falls due (-1 when none).
  int MillisecondsToNextTimer() const;

  void ReleaseLater(TForm* form);
  void CancelRelease(TForm* form);
  // While one stands the released forms wait: a handler of theirs may be
  // on the stack (input being delivered, a modal form up).
  class TReleasesHeld {
   public:
    TReleasesHeld();
    ~TReleasesHeld();
    TReleasesHeld(const TReleasesHeld&) = delete;
    TReleasesHeld& operator=(const TReleasesHeld&) = delete;
  };
  // Paints every window that asked to be painted (headless: onto its recording).
  void PaintPending();
  void RequestPaint(TCustomControl* control);
  void ForgetControl(TControl* control);

  // Set by a backend that has no events of its own to wait for: Run
  // ends once the program is idle.
  bool ExitWhenIdle = false;

 private:
  bool ProcessOne();
  void Idle();
  void FreeReleased();
  bool DeliverToTarget(TMsg& msg);
  void DispatchToWindow(TMsg& msg);
  bool IsMenuKey(TWinControl* target, Word key, TShiftState shift);
  bool IsDialogKey(TWinControl* target, Word key, TShiftState shift);
  // Escape that the focused control left alone.
  bool AnswerDialogKey(TWinControl* target, Word key, TShiftState shift);
  bool IsButtonHotkey(TWinControl* target, char letter);

  std::deque<TMsg> queue_;
  std::vector<TTimer*> timers_;
  std::vector<TForm*> released_;
  int releasesHeld_ = 0;
  std::vector<TCustomControl*> needPaint_;
  HWND handle_ = NullWindow;
  class TApplicationWindow* window_ = nullptr;
  std::string hint_;
  // The control whose hint shows; none for a menu item's or no hint.
  const TControl* hintSource_ = nullptr;
  bool terminated_ = false;
  bool active_ = true;
  bool minimized_ = false;
};

// The application, the screen, the printer and the clipboard of the
// running platform.
extern TApplication* Application;
extern TScreen* Screen;

// Message box flags and results of the platform's own box.
enum : unsigned {
  MB_OK = 0,
  MB_OKCANCEL = 1,
  MB_ABORTRETRYIGNORE = 2,
  MB_YESNOCANCEL = 3,
  MB_YESNO = 4,
  MB_RETRYCANCEL = 5,
  MB_ICONHAND = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONASTERISK = 0x40,
  MB_ICONWARNING = MB_ICONEXCLAMATION,
  MB_ICONERROR = MB_ICONHAND,
  MB_ICONINFORMATION = MB_ICONASTERISK,
  MB_DEFBUTTON2 = 0x100,
  MB_SYSTEMMODAL = 0x1000,
  MB_TASKMODAL = 0x2000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

}  // namespace qm
