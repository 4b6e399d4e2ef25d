#include "platform/forms.h"

#include <cctype>

#include <algorithm>
#include <optional>
#include <initializer_list>
#include <vector>

#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/user_action.h"
#include "platform/recording_canvas.h"

namespace qm {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

constexpr int kCaptionHeight = 19;
constexpr int kMenuBarHeight = 20;
// How far each window of a cascade lies down and right of the one before.
constexpr int kCascadeStep = kCaptionHeight + 3;
// What a dialog's title bar puts beside the title: the window's icon and
// its buttons, and the desktop's title letters run wider than the
// program's own bold font by about this part.
constexpr int kTitleBarExtras = 22 + 62 + 16;
constexpr int kTitleFontPercent = 150;
// The margin a dialog keeps around a control that reached its edge.
constexpr int kDialogMargin = 8;

unsigned long FormsMade = 0;

}  // namespace

// When the active form goes, the next one of its kind becomes active: of
// the MDI children, as the desktop's frame picks it, the one made next
// after it (the first made when it was the last), whichever the writer
// used last; of the top-level forms, the one used last.
void TForm::ActivateNextAfter(TForm* leaving) {
  const bool mdiChild = leaving->FormStyle == TFormStyle::fsMDIChild;
  TForm* lastUsed = nullptr;
  TForm* firstMade = nullptr;
  TForm* madeNext = nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* f = Screen->Forms(i);
    if (f == leaving || !f->Visible || f->Destroying()) continue;
    if ((f->FormStyle == TFormStyle::fsMDIChild) != mdiChild) continue;
    if (!lastUsed) lastUsed = f;
    if (!firstMade || f->madeAs_ < firstMade->madeAs_) firstMade = f;
    if (f->madeAs_ > leaving->madeAs_ && (!madeNext || f->madeAs_ < madeNext->madeAs_)) madeNext = f;
  }
  TForm* next = !mdiChild ? lastUsed : madeNext ? madeNext : firstMade;
  if (next) next->Activate();
}

namespace {

void MoveToFront(std::vector<TForm*>& forms, TForm* form) {
  auto it = std::find(forms.begin(), forms.end(), form);
  if (it == forms.end()) return;
  forms.erase(it);
  forms.insert(forms.begin(), form);
}

}  // namespace

// ---------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* owner) : TCustomControl(owner), madeAs_(++FormsMade) {
  Visible.SetQuietly(false);
  WindowClass = "TForm";
  Font.Name.SetQuietly("MS Sans Serif");
  if (Screen) Screen->forms_.push_back(this);
}

TForm::~TForm() {
  if (OnDestroy) OnDestroy(this);
  destroying_ = true;
  // Children go first, while the form they live on is still whole.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  if (!Screen) return;
  auto& forms = Screen->forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
  if (Application && Application->MainForm == this) Application->MainForm = nullptr;
  if (active_) ActivateNextAfter(this);
  if (Platform::Exists()) Platform::Current().PublishWindows();
}

int TForm::FrameWidth() const {
  switch (BorderStyle()) {
    case TFormBorderStyle::bsNone: return 0;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin: return 8;
    default: return 6;
  }
}

int TForm::FrameHeight() const {
  if (BorderStyle == TFormBorderStyle::bsNone) return 0;
  const bool tool = BorderStyle == TFormBorderStyle::bsToolWindow || BorderStyle == TFormBorderStyle::bsSizeToolWin;
  return FrameWidth() + (tool ? 16 : kCaptionHeight) + (Menu ? kMenuBarHeight : 0);
}

int TForm::ClientWidth() const { return std::max(0, Width - FrameWidth()); }
int TForm::ClientHeight() const { return std::max(0, Height - FrameHeight()); }
void TForm::SetClientWidth(int w) { Width = w + FrameWidth(); }
void TForm::SetClientHeight(int h) { Height = h + FrameHeight(); }

TPoint TForm::ClientOrigin() const {
  if (Peer())
    if (const std::optional<TPoint> shown = Peer()->ScreenOrigin()) return *shown;
  TPoint origin{Left + FrameWidth() / 2, Top + FrameHeight() - FrameWidth() / 2};
  if (Parent()) {
    const TPoint p = Parent()->ClientOrigin();
    origin.X += p.X;
    origin.Y += p.Y;
  }
  return origin;
}

void TForm::WndProc(TMessage& m) {
  if (m.Msg == WM_QUERYENDSESSION) {
    m.Result = CloseQuery() ? 1 : 0;
    return;
  }
  if (m.Msg == WM_ENDSESSION) {
    if (m.WParam && Application && Application->MainForm == this) Application->Terminate();
    return;
  }
  if (m.Msg != WM_CLOSE) return TCustomControl::WndProc(m);
  m.Result = 0;
  Close();
}

void TForm::Show() {
  // Shown again before its release was carried out: it stays, or the next
  // message loop would free a form in use.
  if (Application) Application->CancelRelease(this);
  Visible = true;
  BringMDIChildToFront();
  if (!active_) Activate();
}

void TForm::Hide() { Visible = false; }

void TForm::PropertyChanged(PropId id) {
  TCustomControl::PropertyChanged(id);
  if (id == PropId::WindowState && WindowState != TWindowState::wsMinimized) restoredState_ = WindowState;
  if ((id == PropId::Caption || id == PropId::Visible) && Platform::Exists() && !Destroying())
    Platform::Current().PublishWindows();
}

// A dialog shows what it holds: a control laid out partly past the edge
// widens or lengthens the window to take it in (one wholly outside is put
// away on purpose and stays there), and the title bar has room for the
// title.
void TForm::FitDialogToContents() {
  const bool fixedFrame = BorderStyle == TFormBorderStyle::bsDialog || BorderStyle == TFormBorderStyle::bsSingle ||
                          BorderStyle == TFormBorderStyle::bsToolWindow;
  if (!fixedFrame || FormStyle == TFormStyle::fsMDIChild || FormStyle == TFormStyle::fsMDIForm) return;
  const int shownWidth = ClientWidth(), shownHeight = ClientHeight();
  int width = shownWidth, height = shownHeight;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl& c = *Controls(i);
    if (!c.Visible || c.Align != TAlign::alNone || c.Left >= shownWidth || c.Top >= shownHeight) continue;
    if (c.Left + c.Width > shownWidth) width = std::max(width, c.Left + c.Width + kDialogMargin);
    if (c.Top + c.Height > shownHeight) height = std::max(height, c.Top + c.Height + kDialogMargin);
  }
  if (Platform::Exists() && !Caption().empty()) {
    TCanvas measure;
    measure.Font.Assign(Font);
    measure.Font.Style = fsBold;
    width = std::max(width, measure.TextWidth(Caption()) * kTitleFontPercent / 100 + kTitleBarExtras);
  }
  if (width != shownWidth) SetClientWidth(width);
  if (height != shownHeight) SetClientHeight(height);
}

void TForm::ShowInternal() {
  FitDialogToContents();
  if (Position == TPosition::poScreenCenter && Screen) {
    Left = (Screen->Width() - Width) / 2;
    Top = (Screen->Height() - Height) / 2;
  }
  const bool desktopPlaces = Position == TPosition::poDefault || Position == TPosition::poDefaultPosOnly;
  if (FormStyle == TFormStyle::fsMDIChild && desktopPlaces) {
    PlaceNewMDIChild();
    // Placed once, as the desktop places a new window; from then on it
    // stays where it is put.
    Position = TPosition::poDesigned;
  }
  Handle();
  EnsurePeer();
  if (!OnShow) return;
  OnShow(this);
  // What the form's own show handler laid out or named fits too.
  const int width = Width, height = Height;
  FitDialogToContents();
  if (Position == TPosition::poScreenCenter && (Width != width || Height != height))
    SetBounds(Left - (Width - width) / 2, Top - (Height - height) / 2, Width, Height);
}

void TForm::VisibleChanged() {
  // The hide handler runs first: what it put in place (a hint handler)
  // is gone before the hint of a control on the form is taken away.
  const bool hiding = !Visible && !Destroying();
  if (hiding && OnHide) OnHide(this);
  TCustomControl::VisibleChanged();
  if (Destroying()) return;
  if (Visible) {
    ShowInternal();
    return;
  }
  if (active_) {
    Deactivate();
    if (Screen) ActivateNextAfter(this);
  }
}

void TForm::BringMDIChildToFront() {
  if (Screen) MoveToFront(Screen->forms_, this);
}

bool TForm::Active() const { return active_; }

// MDI children take turns among themselves while the frame stays active;
// top-level forms (the frame, dialogs) take turns among themselves.
void TForm::Activate() {
  if (!Screen) return;
  const bool mdiChild = FormStyle == TFormStyle::fsMDIChild;
  if (!mdiChild) Screen->activeForm_ = this;
  if (active_) return;
  for (auto* f : Screen->forms_)
    if (f != this && f->active_ && (f->FormStyle == TFormStyle::fsMDIChild) == mdiChild) f->Deactivate();
  active_ = true;
  MoveToFront(Screen->forms_, this);
  if (!focused_ && ActiveControl && ActiveControl->CanFocus()) FocusControl(ActiveControl);
  if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
  if (!active_) return;
  active_ = false;
  if (Screen && Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
  if (OnDeactivate) OnDeactivate(this);
}

void TForm::SetFocus() {
  Activate();
  focused_ = nullptr;
  if (Peer()) Peer()->SetFocus();
}

void TForm::FocusControl(TWinControl* control) {
  if (control == focused_) return;
  TWinControl* old = focused_;
  focused_ = control;
  if (control) ActiveControl = control;
  if (old && old->OnExit) old->OnExit(old);
  if (control && control->OnEnter) control->OnEnter(control);
  // A control that hands the focus on as it enters does not take it back:
  // the two would pass it to each other for ever.
  if (focused_ != control) return;
  if (control && control->Peer()) control->Peer()->SetFocus();
}

void TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) children.push_back(w);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (auto* w : children) {
      if (w->TabStop && w->CanFocus()) stops.push_back(w);
      collect(w);
    }
  };
  collect(this);
  if (stops.empty()) return;
  auto it = std::find(stops.begin(), stops.end(), current);
  size_t index = 0;
  if (it != stops.end()) {
    const size_t at = static_cast<size_t>(it - stops.begin());
    index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
  }
  FocusControl(stops[index]);
}

TModalResult TForm::ShowModal() {
  if (modal_) return mrCancel;
  TForm* previous = Screen ? Screen->ActiveForm() : nullptr;
  ModalResult = mrNone;
  modal_ = true;
  Show();
  // A failure inside leaves no form modal and shown for ever.
  struct EndModal {
    TForm& form;
    ~EndModal() {
      form.modal_ = false;
      form.Hide();
    }
  };
  TModalResult result = mrNone;
  {
    // Answered inside whatever showed it.
    const TProgramWork work;
    const TApplication::TReleasesHeld held;
    EndModal end{*this};
    result = Platform::Current().backend().RunModal(*this);
  }
  // The form that had the keyboard may have gone while this one was up.
  const bool previousLives =
      previous && Screen && std::find(Screen->forms_.begin(), Screen->forms_.end(), previous) != Screen->forms_.end();
  if (previousLives && previous != this && previous->Visible && !previous->Destroying()) previous->Activate();
  return result;
}

void TForm::CloseModal() {
  if (!CloseQuery()) {
    ModalResult = mrNone;
    return;
  }
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) ModalResult = mrNone;
}

bool TForm::CloseQuery() {
  if (FormStyle == TFormStyle::fsMDIForm)
    for (int i = 0; i < MDIChildCount(); ++i)
      if (!MDIChildren(i)->CloseQuery()) return false;
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  if (FormStyle == TFormStyle::fsMDIChild)
    action = (BorderIcons & biMinimize) ? TCloseAction::caMinimize : TCloseAction::caNone;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: WindowState = TWindowState::wsMinimized; break;
    case TCloseAction::caFree: Release(); break;
    case TCloseAction::caNone: break;
  }
}

void TForm::Release() {
  if (Application) Application->ReleaseLater(this);
}

int TForm::MDIChildCount() const {
  if (!Screen || FormStyle != TFormStyle::fsMDIForm) return 0;
  return static_cast<int>(std::count_if(Screen->forms_.begin(), Screen->forms_.end(), [](TForm* f) {
    return f->FormStyle == TFormStyle::fsMDIChild && !f->Destroying();
  }));
}

TForm* TForm::MDIChildren(int index) const {
  if (!Screen || FormStyle != TFormStyle::fsMDIForm) return nullptr;
  for (auto* f : Screen->forms_)
    if (f->FormStyle == TFormStyle::fsMDIChild && !f->Destroying() && index-- == 0) return f;
  return nullptr;
}

TForm* TForm::ActiveMDIChild() const {
  TForm* front = MDIChildren(0);
  return front && front->Visible ? front : nullptr;
}

namespace {

std::vector<TForm*> ShownChildren(const TForm& frame) {
  std::vector<TForm*> children;
  for (int i = 0; i < frame.MDIChildCount(); ++i)
    if (TForm* f = frame.MDIChildren(i); f->Visible && f->WindowState != TWindowState::wsMinimized)
      children.push_back(f);
  return children;
}

}  // namespace

TRect TForm::MDIClientRect() const {
  TRect area{0, 0, ClientWidth(), ClientHeight()};
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible) continue;
    switch (c->Align) {
      case TAlign::alTop: area.Top = std::max(area.Top, c->Top + c->Height); break;
      case TAlign::alBottom: area.Bottom = std::min(area.Bottom, static_cast<int>(c->Top)); break;
      case TAlign::alLeft: area.Left = std::max(area.Left, c->Left + c->Width); break;
      case TAlign::alRight: area.Right = std::min(area.Right, static_cast<int>(c->Left)); break;
      default: break;
    }
  }
  area.Right = std::max(area.Left, area.Right);
  area.Bottom = std::max(area.Top, area.Bottom);
  return area;
}

// The children are placed inside the area the frame leaves them, so that
// every title bar with its buttons shows.
void TForm::Cascade() {
  auto children = ShownChildren(*this);
  const TRect area = MDIClientRect();
  int offset = 0;
  for (auto it = children.rbegin(); it != children.rend(); ++it, offset += kCascadeStep) {
    (*it)->WindowState = TWindowState::wsNormal;
    (*it)->SetBounds(offset, offset, area.Width() * 3 / 4, area.Height() * 3 / 4);
  }
}

// As an MDI frame places a window it is not told where to put: down and
// right of the child in front, and back at the corner when it would reach
// out of the frame's client area.
void TForm::PlaceNewMDIChild() {
  TForm* frame = Application ? Application->MainForm : nullptr;
  if (!frame || frame->FormStyle != TFormStyle::fsMDIForm) return;
  const TRect area = frame->MDIClientRect();
  const TForm* front = nullptr;
  for (int i = 0; i < frame->MDIChildCount() && !front; ++i)
    if (TForm* f = frame->MDIChildren(i); f != this && f->Visible && f->WindowState == TWindowState::wsNormal)
      front = f;
  int x = front ? front->Left + kCascadeStep : 0;
  int y = front ? front->Top + kCascadeStep : 0;
  if (x < 0 || y < 0 || x + Width > area.Width() || y + Height > area.Height()) x = y = 0;
  SetBounds(x, y, Width, Height);
}

void TForm::Tile() {
  auto children = ShownChildren(*this);
  if (children.empty()) return;
  const TRect area = MDIClientRect();
  const int n = static_cast<int>(children.size());
  const int h = area.Height() / n;
  for (int i = 0; i < n; ++i) {
    children[static_cast<size_t>(i)]->WindowState = TWindowState::wsNormal;
    children[static_cast<size_t>(i)]->SetBounds(0, i * h, area.Width(), h);
  }
}

void TForm::ArrangeIcons() {
  int x = 0;
  for (int i = 0; i < MDIChildCount(); ++i)
    if (TForm* f = MDIChildren(i); f->WindowState == TWindowState::wsMinimized) {
      f->SetBounds(x, ClientHeight() - 24, 160, 24);
      x += 160;
    }
}

void TForm::Next() {
  const int count = MDIChildCount();
  if (count < 2) return;
  // The current child goes behind the others; the next one comes forward.
  TForm* current = MDIChildren(0);
  auto& forms = Screen->forms_;
  forms.erase(std::find(forms.begin(), forms.end(), current));
  forms.push_back(current);
  MDIChildren(0)->Activate();
}

void TForm::Previous() {
  const int count = MDIChildCount();
  if (count < 2) return;
  MDIChildren(count - 1)->Activate();
}

// ---------------------------------------------------------------------------
// TScreen

TScreen::TScreen() : TComponent(nullptr) {}

int TScreen::Width() const { return Platform::Current().backend().Screen().Width; }
int TScreen::Height() const { return Platform::Current().backend().Screen().Height; }
int TScreen::PixelsPerInch() const { return Platform::Current().backend().Screen().PixelsPerInch; }
TRect TScreen::WorkAreaRect() const { return Platform::Current().backend().Screen().WorkArea; }

void TScreen::SetCursor(int cursor) {
  cursor_ = cursor;
  Platform::Current().backend().SetCursor(cursor);
}

TForm* TScreen::ActiveForm() const {
  if (activeForm_ && activeForm_->FormStyle == TFormStyle::fsMDIForm)
    if (TForm* child = activeForm_->ActiveMDIChild()) return child;
  return activeForm_;
}

TWinControl* TScreen::ActiveControl() const {
  TForm* form = ActiveForm();
  return form ? form->FocusedControl() : nullptr;
}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) return nullptr;
  return forms_[static_cast<size_t>(index)];
}

std::vector<std::string> TScreen::Fonts() const { return Platform::Current().backend().Metrics().Families(); }

// ---------------------------------------------------------------------------
// TApplication

// The hidden window another instance finds the running program by.
class TApplicationWindow : public TWinControl {
 public:
  explicit TApplicationWindow(TApplication* app) : TWinControl(nullptr), app_(app) { WindowClass = "TApplication"; }
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_CLOSE:
        if (app_->MainForm) app_->MainForm->Close();
        else app_->Terminate();
        break;
      // The session ends: asked first (the main window's close query
      // answers), or told (the main window keeps what it can and ends
      // the program).
      case WM_QUERYENDSESSION:
        m.Result = app_->MainForm ? app_->MainForm->Perform(m.Msg, m.WParam, m.LParam) : 1;
        break;
      case WM_ENDSESSION:
        if (!m.WParam) break;
        if (app_->MainForm) app_->MainForm->Perform(m.Msg, m.WParam, m.LParam);
        else app_->Terminate();
        break;
      case WM_GETTEXT: m.Result = static_cast<LRESULT>(app_->Title().size()); break;
      default:
        if (m.Msg == Platform::Current().FindRegisteredName(ShowWindowRequestName)) {
          ShowOnRequest(static_cast<int>(m.WParam), m.LParam != 0);
          return;
        }
        TWinControl::WndProc(m);
    }
  }

 private:
  void ShowOnRequest(int command, bool raise) {
    // The asking process cannot see that this one is minimised: asked to
    // come to the front, it comes back first.
    const bool minimised =
        app_->Minimized() || (app_->MainForm && app_->MainForm->WindowState == TWindowState::wsMinimized);
    if (command == SW_RESTORE || command == SW_SHOWNORMAL || (raise && minimised)) app_->Restore();
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) app_->Minimize();
    if (raise) app_->BringToFront();
  }
  TApplication* app_;
};

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
  destroying_ = true;
  FreeReleased();
  delete window_;
}

HWND TApplication::Handle() {
  if (!window_) {
    window_ = new TApplicationWindow(this);
    window_->Caption = Title();
    handle_ = window_->Handle();
    Platform::Current().PublishWindows();
  }
  return handle_;
}

// The application window exists, as on the old platform, once the program
// has a title another instance could look for.
void TApplication::PropertyChanged(PropId id) {
  if (id != PropId::Caption) return;
  Handle();
  window_->Caption = Title();
  Platform::Current().PublishWindows();
}

std::string TApplication::ExeName() const { return ExecutablePath(); }

namespace {

std::string LongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

}  // namespace

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (OnHint) OnHint(this);
}

void TApplication::PointerOver(const TControl* control) {
  while (control && control->Hint().empty()) control = control->Parent();
  hintSource_ = control;
  SetHint(control ? LongHint(control->Hint()) : std::string());
}

void TApplication::MenuItemHighlighted(const TMenuItem* item) {
  hintSource_ = nullptr;
  SetHint(item ? LongHint(item->Hint) : std::string());
}

void TApplication::ControlHidden(const TControl* control) {
  for (const TControl* c = hintSource_; c; c = c->Parent())
    if (c == control) {
      hintSource_ = nullptr;
      SetHint(std::string());
      return;
    }
}

void TApplication::Post(const TMsg& msg) { queue_.push_back(msg); }

bool TApplication::Peek(TMsg& msg, HWND window, UINT first, UINT last, bool remove) {
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (window != NullWindow && it->hwnd != window) continue;
    if ((first != 0 || last != 0) && (it->message < first || it->message > last)) continue;
    msg = *it;
    if (remove) queue_.erase(it);
    return true;
  }
  return false;
}

namespace {

TWinControl* TargetOf(const TMsg& msg) {
  if (msg.hwnd != NullWindow) return Platform::Current().WindowFromHandle(msg.hwnd);
  TForm* form = Screen ? Screen->ActiveForm() : nullptr;
  if (!form) return nullptr;
  return form->FocusedControl() ? form->FocusedControl() : form;
}

bool IsKeyMessage(UINT m) { return m >= WM_KEYDOWN && m <= WM_SYSCHAR; }

TForm* ShowingModalForm() {
  for (int i = 0; Screen && i < Screen->FormCount(); ++i)
    if (TForm* form = Screen->Forms(i); form->Modal() && form->Visible) return form;
  return nullptr;
}

TButton* FindButton(TWinControl* parent, bool wantDefault) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && (wantDefault ? b->Default : b->Cancel) && b->CanFocus()) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (auto* found = FindButton(w, wantDefault)) return found;
  }
  return nullptr;
}

// The buttons of a window that a key may press now.
void CollectPressableButtons(TWinControl* parent, std::vector<TButton*>& found) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && b->CanFocus()) found.push_back(b);
    if (auto* w = dynamic_cast<TWinControl*>(c)) CollectPressableButtons(w, found);
  }
}

bool CaptionIsOneOf(const TButton& button, std::initializer_list<const char*> names) {
  std::string caption = StripHotkey(button.Caption());
  std::erase(caption, ' ');
  for (char& c : caption) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return std::any_of(names.begin(), names.end(), [&](const char* name) { return caption == name; });
}

// A window of its own over the program's windows: a dialog, a message
// box, a floating tool window.
bool IsDialogWindow(const TForm& form) {
  return Application && &form != Application->MainForm && form.FormStyle != TFormStyle::fsMDIChild &&
         form.FormStyle != TFormStyle::fsMDIForm && !form.Menu && form.Visible;
}

// Escape that no control and no Cancel button took: a Cancel or Close
// button not marked as such is pressed; a window that asks nothing (one
// button or none that closes it) closes. A question whose answers are all
// buttons keeps waiting for one, as the desktop's message boxes do.
bool CloseOnEscape(TForm& form) {
  std::vector<TButton*> buttons;
  CollectPressableButtons(&form, buttons);
  for (TButton* b : buttons)
    if (CaptionIsOneOf(*b, {"CANCEL", "CLOSE"})) {
      b->Click();
      return true;
    }
  const auto answers =
      std::count_if(buttons.begin(), buttons.end(), [](const TButton* b) { return b->ModalResult != mrNone; });
  if (answers > 1) return false;
  form.Close();
  return true;
}

// The letter after the single "&" of a caption, in capitals; 0 for none.
char HotkeyOf(const std::string& caption) {
  const std::size_t at = HotkeyIndex(caption);
  return at == std::string::npos ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at])));
}

// A button, check box or radio button: pressed, never typed into.
bool IsPressable(const TWinControl& control) {
  return dynamic_cast<const TButton*>(&control) || dynamic_cast<const TCheckBox*>(&control) ||
         dynamic_cast<const TRadioButton*>(&control);
}

TWinControl& FocusTarget(TControl& control) {
  if (auto* label = dynamic_cast<TLabel*>(&control)) return *label->FocusControl;
  return static_cast<TWinControl&>(control);
}

// Each control is reached once: a label naming a control that carries the
// letter as well yields to that control, which the letter presses as its
// own; listed twice, the focus would never move on past it.
void AddHotkeyControl(std::vector<TControl*>& found, TControl* control) {
  for (TControl*& known : found)
    if (&FocusTarget(*known) == &FocusTarget(*control)) {
      if (!dynamic_cast<TLabel*>(control)) known = control;
      return;
    }
  found.push_back(control);
}

// The controls a dialog's Alt+letter reaches, in tab order of their
// parents: buttons, check boxes and radio buttons with that underlined
// letter, and labels with it that name a control.
void FindHotkeyControls(TWinControl* parent, char letter, std::vector<TControl*>& found) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (auto* label = dynamic_cast<TLabel*>(c)) {
      if (label->ShowAccelChar && label->FocusControl && label->FocusControl->CanFocus() &&
          HotkeyOf(label->Caption()) == letter)
        AddHotkeyControl(found, label);
      continue;
    }
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) continue;
    if (IsPressable(*w) && w->CanFocus() && HotkeyOf(w->Caption()) == letter) AddHotkeyControl(found, w);
    FindHotkeyControls(w, letter, found);
  }
}

// A button is pressed; a check box or radio button takes the focus and is
// clicked; a label hands the focus to its control.
void PressHotkeyControl(TControl& control) {
  if (auto* label = dynamic_cast<TLabel*>(&control)) {
    label->FocusControl->SetFocus();
    return;
  }
  if (!dynamic_cast<TButton*>(&control)) static_cast<TWinControl&>(control).SetFocus();
  control.Click();
}

// A letter written on several controls presses none of them: each press
// takes the focus on to the next of them, as the desktop's dialogs do.
void FocusNextHotkeyControl(const std::vector<TControl*>& controls, const TWinControl* focused) {
  std::size_t next = 0;
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (&FocusTarget(*controls[i]) == focused) next = (i + 1) % controls.size();
  FocusTarget(*controls[next]).SetFocus();
}

}  // namespace

// Alt and a control's underlined letter reach the control in a dialog, as
// the desktop's own dialogs do; the frame and the script windows leave the
// letter to their menus.
bool TApplication::IsButtonHotkey(TWinControl* target, char letter) {
  TForm* form = target ? target->ParentForm() : nullptr;
  if (!form || form == MainForm || form->FormStyle == TFormStyle::fsMDIChild ||
      form->FormStyle == TFormStyle::fsMDIForm)
    return false;
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  std::vector<TControl*> controls;
  if (wanted >= 'A' && wanted <= 'Z') FindHotkeyControls(form, wanted, controls);
  if (controls.empty()) return false;
  if (controls.size() == 1) PressHotkeyControl(*controls.front());
  else FocusNextHotkeyControl(controls, form->ActiveControl);
  return true;
}

bool TApplication::IsMenuKey(TWinControl* target, Word key, TShiftState shift) {
  const TShortCut sc = ShortCut(key, shift);
  TForm* form = target ? target->ParentForm() : nullptr;
  // While a modal form is up the other windows are disabled: their menus
  // take no keys (a save must not start in the middle of a load).
  if (TForm* modal = ShowingModalForm(); modal && form != modal) return false;
  if (form && form->Menu && form->Menu->IsShortCut(sc)) return true;
  // A child shown only as its icon takes no key, the frame's command keys
  // neither: they would act on a window the writer cannot see.
  const bool frameMenuApplies =
      !form || (form->FormStyle == TFormStyle::fsMDIChild && form->WindowState != TWindowState::wsMinimized);
  return frameMenuApplies && MainForm && MainForm != form && MainForm->Menu && MainForm->Menu->IsShortCut(sc);
}

bool TApplication::IsDialogKey(TWinControl* target, Word key, TShiftState shift) {
  if (!target || shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
  TForm* form = target->ParentForm();
  if (!form) return false;
  const auto code = static_cast<unsigned>(target->Perform(WM_GETDLGCODE, 0, 0));
  switch (key) {
    case VK_TAB:
      if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
      form->SelectNext(target, !shift.Contains(ssShift));
      return true;
    case VK_RETURN:
    case VK_ESCAPE: {
      if (code & DLGC_WANTALLKEYS) return false;
      TButton* button = nullptr;
      if (key == VK_RETURN) button = dynamic_cast<TButton*>(target);
      if (!button) button = FindButton(form, key == VK_RETURN);
      if (!button) return false;
      button->Click();
      return true;
    }
    default: return false;
  }
}

bool TApplication::AnswerDialogKey(TWinControl* target, Word key, TShiftState shift) {
  if (key != VK_ESCAPE || shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
  TForm* form = target->ParentForm();
  if (!form || !IsDialogWindow(*form)) return false;
  const auto code = static_cast<unsigned>(target->Perform(WM_GETDLGCODE, 0, 0));
  if (code & DLGC_WANTALLKEYS) return false;
  return CloseOnEscape(*form);
}

bool TApplication::DeliverInput(TMsg msg) {
  // A form closed to be freed takes no more input; one whose handler may
  // still be running (input delivered inside it, a modal form it put up)
  // goes once that has returned.
  FreeReleased();
  bool picked = false;
  {
    const TReleasesHeld held;
    picked = DeliverToTarget(msg);
  }
  FreeReleased();
  return picked;
}

bool TApplication::DeliverToTarget(TMsg& msg) {
  const TUserAction action;
  auto& platform = Platform::Current();
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
    platform.SetKeyDown(static_cast<Word>(msg.wParam), true);
  if (msg.message == WM_KEYUP) platform.SetKeyDown(static_cast<Word>(msg.wParam), false);
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (handled) return true;
  TWinControl* target = TargetOf(msg);
  if (!target) return false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    const Word key = static_cast<Word>(msg.wParam);
    const TShiftState shift(static_cast<unsigned>(msg.lParam));
    if (IsMenuKey(target, key, shift) || IsDialogKey(target, key, shift)) return true;
  }
  if (msg.message == WM_SYSCHAR) return IsButtonHotkey(target, static_cast<char>(msg.wParam));
  // A letter typed on a dialog's button, check box or radio button, which
  // take no typing, picks the control it underlines, as Alt and the letter
  // do (and as the desktop's own message boxes answer "N" with No).
  const bool letterForDialog = msg.message == WM_CHAR && IsPressable(*target);
  TMessage m{msg.message, msg.wParam, msg.lParam, 0};
  target->WndProc(m);
  bool picked = false;
  if (letterForDialog && m.Result == 0 && TargetOf(msg) == target)
    picked = IsButtonHotkey(target, static_cast<char>(msg.wParam));
  if (msg.message == WM_KEYDOWN && m.Result == 0 && TargetOf(msg) == target)
    picked = AnswerDialogKey(target, static_cast<Word>(msg.wParam), TShiftState(static_cast<unsigned>(msg.lParam)));
  PaintPending();
  return picked;
}

void TApplication::Dispatch(TMsg& msg) {
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (!handled) DispatchToWindow(msg);
}

void TApplication::DispatchToWindow(TMsg& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return;
  }
  // The program as a whole became active (wParam set) or lost activation.
  if (msg.message == WM_ACTIVATEAPP && msg.hwnd == NullWindow) {
    active_ = msg.wParam != 0;
    const TNotifyEvent& event = msg.wParam ? OnActivate : OnDeactivate;
    if (event) event(this);
    return;
  }
  if (IsKeyMessage(msg.message) || (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)) {
    DeliverInput(msg);
    return;
  }
  if (TWinControl* window = Platform::Current().WindowFromHandle(msg.hwnd)) {
    TMessage m{msg.message, msg.wParam, msg.lParam, 0};
    window->WndProc(m);
  }
}

bool TApplication::ProcessOne() {
  if (queue_.empty()) return false;
  TMsg msg = queue_.front();
  queue_.pop_front();
  Dispatch(msg);
  FreeReleased();
  return true;
}

void TApplication::ProcessMessages() {
  auto& platform = Platform::Current();
  platform.backend().PumpEvents(false, 0);
  platform.ReceiveFromOtherInstances();
  FireDueTimers();
  while (ProcessOne() && !terminated_) {
  }
  PaintPending();
  FreeReleased();
}

void TApplication::HandleMessage() {
  try {
    auto& platform = Platform::Current();
    // Desktop input and due timers count as messages handled: a loop that
    // waits for what they change (a modal result) must see it before idling.
    const bool delivered = platform.backend().PumpEvents(false, 0);
    platform.ReceiveFromOtherInstances();
    const bool fired = FireDueTimers();
    if (ProcessOne() || delivered || fired) return;
    PaintPending();
    Idle();
  } catch (...) {
    ShowException(std::current_exception());
  }
}

void TApplication::ShowException(const std::exception_ptr& error) {
  std::string text = "An error stopped the command.";
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    if (*e.what()) text = e.what();
  } catch (...) {
  }
  if (OnException) OnException(text);
  else MessageBox(text, Title(), MB_OK | MB_ICONERROR);
}

void TApplication::Idle() {
  bool done = true;
  if (OnIdle) OnIdle(this, done);
  // What the idle time changed (a new layout) is finished off before the
  // loop waits for the next event.
  TUserAction::Settle();
  FreeReleased();
  if (!done || terminated_ || !queue_.empty()) return;
  // A program that ends when idle only takes what is already waiting.
  const bool ending = ExitWhenIdle && MillisecondsToNextTimer() < 0;
  const bool delivered = Platform::Current().backend().PumpEvents(true, ending ? 0 : MillisecondsToNextTimer());
  if (!delivered && ending && queue_.empty()) terminated_ = true;
}

void TApplication::Run() {
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  terminated_ = true;
  Post(TMsg{NullWindow, WM_QUIT, 0, 0, 0, {}});
}

void TApplication::Minimize() {
  minimized_ = true;
  if (MainForm) MainForm->WindowState = TWindowState::wsMinimized;
}

void TApplication::Restore() {
  minimized_ = false;
  if (MainForm && MainForm->WindowState == TWindowState::wsMinimized) MainForm->WindowState = MainForm->RestoredState();
}

void TApplication::BringToFront() {
  if (MainForm) {
    MainForm->BringToFront();
    MainForm->Activate();
  }
}

void TApplication::AddTimer(TTimer* timer) { timers_.push_back(timer); }

void TApplication::RemoveTimer(TTimer* timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

bool TApplication::FireDueTimers() {
  const std::uint64_t now = Platform::Current().backend().TickCount64();
  const auto snapshot = timers_;
  bool fired = false;
  for (TTimer* timer : snapshot) {
    if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) continue;
    if (timer->DueTick == 0 || timer->DueTick > now) continue;
    timer->DueTick = now + static_cast<std::uint64_t>(timer->Interval());
    fired = true;
    if (timer->OnTimer) timer->OnTimer(timer);
  }
  return fired;
}

int TApplication::MillisecondsToNextTimer() const {
  const std::uint64_t now = Platform::Current().backend().TickCount64();
  std::int64_t best = -1;
  for (const TTimer* timer : timers_) {
    if (timer->DueTick == 0) continue;
    const std::int64_t wait = timer->DueTick > now ? static_cast<std::int64_t>(timer->DueTick - now) : 0;
    if (best < 0 || wait < best) best = wait;
  }
  return static_cast<int>(std::min<std::int64_t>(best, 1 << 30));
}

void TApplication::ReleaseLater(TForm* form) {
  if (std::find(released_.begin(), released_.end(), form) == released_.end()) released_.push_back(form);
}

void TApplication::CancelRelease(TForm* form) { std::erase(released_, form); }

TApplication::TReleasesHeld::TReleasesHeld() {
  if (Application) ++Application->releasesHeld_;
}

TApplication::TReleasesHeld::~TReleasesHeld() {
  if (Application) --Application->releasesHeld_;
}

void TApplication::FreeReleased() {
  if (releasesHeld_ > 0) return;
  while (!released_.empty()) {
    TForm* form = released_.back();
    released_.pop_back();
    delete form;
  }
}

void TApplication::RequestPaint(TCustomControl* control) {
  if (std::find(needPaint_.begin(), needPaint_.end(), control) == needPaint_.end()) needPaint_.push_back(control);
}

void TApplication::ForgetControl(TControl* control) {
  ControlHidden(control);
  needPaint_.erase(std::remove(needPaint_.begin(), needPaint_.end(), control), needPaint_.end());
  released_.erase(std::remove(released_.begin(), released_.end(), control), released_.end());
}

void TApplication::PaintPending() {
  auto pending = std::move(needPaint_);
  needPaint_.clear();
  for (TCustomControl* control : pending) {
    if (!control->Showing()) continue;
    control->Recording()->Clear();
    control->PaintTo(*control->Recording());
  }
}

// The platform's own message box: a plain form with a text and buttons.
int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  TForm box(nullptr);
  box.Name = "SystemMessageBox";
  box.Caption = caption;
  box.BorderStyle = TFormBorderStyle::bsDialog;
  box.Position = TPosition::poScreenCenter;
  using enum TDialogItemKind;
  BuildDialog(box, TDialogTable{{Label, "Message", text, {16, 16, 0, 0}}});
  const TLabel& label = *DialogControl<TLabel>(box, "Message");
  struct ButtonSpec {
    const char* caption;
    int id;
  };
  std::vector<ButtonSpec> specs;
  switch (flags & 0x0F) {
    case MB_OKCANCEL: specs = {{"OK", IDOK}, {"Cancel", IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE: specs = {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}}; break;
    case MB_YESNOCANCEL: specs = {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}}; break;
    case MB_YESNO: specs = {{"&Yes", IDYES}, {"&No", IDNO}}; break;
    case MB_RETRYCANCEL: specs = {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}}; break;
    default: specs = {{"OK", IDOK}}; break;
  }
  const int defaultIndex = (flags & MB_DEFBUTTON2) ? 1 : 0;
  const int y = label.Top + label.Height + 16;
  TDialogTable row;
  for (size_t i = 0; i < specs.size(); ++i)
    row.push_back(
        {Button, "Button" + std::to_string(i + 1), specs[i].caption, {16 + 81 * static_cast<int>(i), y, 75, 25}});
  BuildDialog(box, row);
  for (size_t i = 0; i < specs.size(); ++i) {
    auto* button = DialogControl<TButton>(box, row[i].Name);
    button->ModalResult = specs[i].id;
    button->Default = static_cast<int>(i) == defaultIndex;
    button->Cancel = specs[i].id == IDCANCEL || specs.size() == 1;
  }
  const int x = 16 + 81 * static_cast<int>(specs.size());
  box.SetClientWidth(std::max(x + 8, label.Left + label.Width + 16));
  box.SetClientHeight(y + 25 + 16);
  return box.ShowModal();
}

}  // namespace qm
