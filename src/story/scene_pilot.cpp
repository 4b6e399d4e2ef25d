#include "story/scene_pilot.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/platform.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "story/index_cards.h"

namespace qm {

namespace {

TScenePilot* Open = nullptr;
TTimer* PilotTimer = nullptr;
const GlobalState reset([] {
  Open = nullptr;
  PilotTimer = nullptr;
});

constexpr std::size_t CaptionLimit = 200;

// What does not print, hidden kinds included, rather than what the lists
// leave out.
bool SkippedInCaption(const TScriptDocument& script, const TScriptElement* e) {
  return IsPageBreakKind(e->Kind()) || script.IsUnprintedElement(e);
}

TPoint MousePoint() { return Platform::Current().backend().CursorPos(); }

bool Inside(const TControl& control, TPoint screen) {
  const TPoint at = control.ScreenToClient(screen);
  return at.X >= 0 && at.Y >= 0 && at.X < control.Width && at.Y < control.Height;
}

}  // namespace

TScriptElement* NextPilotHeading(const TScriptDocument& script, TScriptElement* from) {
  for (TScriptElement* e = from ? from->next : nullptr; e; e = e->next)
    if (IsCardHeading(script, e)) return e;
  return nullptr;
}

TScriptElement* PreviousPilotHeading(const TScriptDocument& script, TScriptElement* from) {
  for (TScriptElement* e = from ? from->prev : nullptr; e; e = e->prev)
    if (IsCardHeading(script, e)) return e;
  return nullptr;
}

TScriptElement* PilotStartHeading(const TMDIChild& script) {
  return PilotHeadingAround(script, script.CurrentElement());
}

TScriptElement* PilotHeadingAround(const TScriptDocument& script, TScriptElement* at) {
  if (!at) return nullptr;
  if (IsCardHeading(script, at)) return at;
  if (TScriptElement* before = PreviousPilotHeading(script, at)) return before;
  return NextPilotHeading(script, at);
}

std::string PilotCaption(const TScriptDocument& script, const TScriptElement& heading) {
  std::string caption = script.SceneNumberText(heading);
  std::string title = PlainScriptText(LiveElementText(script, heading), script.TaggingUsed != 0);
  title.erase(0, std::min(title.find_first_not_of(' '), title.size()));
  if (!caption.empty()) caption += "  ";
  caption += title;
  for (const TScriptElement* e = heading.next; e && !IsCardHeading(script, e) && caption.size() < CaptionLimit;
       e = e->next) {
    if (SkippedInCaption(script, e)) continue;
    const std::string text = PlainScriptText(LiveElementText(script, *e), script.TaggingUsed != 0);
    switch (e->Kind()) {
      case ekCharacterName: caption += " " + text + ":"; break;
      case ekParenthetical: caption += " (" + text + ")"; break;
      case ekDialogue:
      case ekAction: caption += " " + text; break;
      default: break;
    }
  }
  if (caption.size() > CaptionLimit) caption.resize(CaptionLimit);
  return caption;
}

TScenePilot* ScenePilot() { return Open; }

// The script may have been closed while the pilot was open.
bool TScenePilot::ScriptOpen() const { return SlotOf(&script_) != 0; }

TScenePilot::~TScenePilot() {
  if (ScriptOpen()) GiveScriptHandlersBack();
  if (Open == this) Open = nullptr;
}

void TScenePilot::ShowAround(TScriptElement* heading, int slot) {
  firstShown_ = heading;
  for (int i = 1; i < slot; ++i)
    if (TScriptElement* before = PreviousPilotHeading(script_, firstShown_)) firstShown_ = before;
  FillButtons();
}

void TScenePilot::FillButtons() {
  if (!ScriptOpen()) firstShown_ = nullptr;
  TScriptElement* fill = firstShown_;
  for (TExplorerButton* button : Scn) {
    button->Caption = fill ? PilotCaption(script_, *fill) : std::string();
    button->Enabled = fill != nullptr;
    fill = NextPilotHeading(script_, fill);
  }
}

void TScenePilot::ScrollDown() {
  ScrollTimer->SetInterval(PilotScrollInterval);
  if (!ScriptOpen()) return;
  // Seven scenes from the top one: the last button never goes empty.
  TScriptElement* seventh = firstShown_;
  for (int i = 0; i < PilotSlots && seventh; ++i) seventh = NextPilotHeading(script_, seventh);
  if (!seventh) return;
  firstShown_ = NextPilotHeading(script_, firstShown_);
  FillButtons();
}

void TScenePilot::ScrollUp() {
  ScrollTimer->SetInterval(PilotScrollInterval);
  if (!ScriptOpen()) return;
  if (TScriptElement* before = PreviousPilotHeading(script_, firstShown_)) {
    firstShown_ = before;
    FillButtons();
  }
}

void TScenePilot::ScrollBtnClick(bool down) {
  ScrollTimer->SetEnabled(false);
  for (int i = 0; i < PilotSlots; ++i) down ? ScrollDown() : ScrollUp();
}

void TScenePilot::ScrollBtnEnter(bool down) {
  if (ScrollTimer->Enabled() && scrollingDown_ == down) return;
  scrollingDown_ = down;
  ScrollTimer->SetInterval(PilotScrollInterval);
  ScrollTimer->SetEnabled(true);
}

void TScenePilot::ScrollTimerTick() {
  TButton* button = scrollingDown_ ? ScrollDownBtn : ExplorerButton1;
  // The mouse left the button: the scrolling stops, and the pilot goes
  // when the mouse has left it too.
  if (!Inside(*button, MousePoint())) {
    ScrollTimer->SetEnabled(false);
    if (!Inside(*this, MousePoint())) Close();
    return;
  }
  scrollingDown_ ? ScrollDown() : ScrollUp();
}

void TScenePilot::ScnBtnClick(int tag) {
  if (!ScriptOpen()) {
    Close();
    return;
  }
  TScriptElement* heading = firstShown_;
  for (int i = 1; i < tag && heading; ++i) heading = NextPilotHeading(script_, heading);
  if (!heading) return;
  editor::MoveCaretToLanding(script_, *heading);
  script_.RedisplayScreen(true);
  script_.SetFocus();
  Slide = false;
  Close();
}

void TScenePilot::GiveScriptHandlersBack() {
  script_.OnMouseDown = scriptMouseDown_;
  script_.OnKeyPress = scriptKeyPress_;
}

void TScenePilot::OnMyMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
  GiveScriptHandlersBack();
  if (scriptMouseDown_) scriptMouseDown_(sender, button, shift, x, y);
  Slide = false;
  Close();
}

// Typing into the script is turning to it, as a click in it is: the
// pilot, which takes no typing, gives way so that the letters are seen
// where they land.
void TScenePilot::OnMyKeyPress(TObject* sender, char& key) {
  GiveScriptHandlersBack();
  if (scriptKeyPress_) scriptKeyPress_(sender, key);
  Slide = false;
  Close();
}

void TScenePilot::MouseLeave() {
  if (!Inside(*this, MousePoint())) Close();
}

void TScenePilot::SlideOut() {
  if (!Slide) return;
  const int step = std::max(1, Width / 3);
  for (int i = 0; i < 3; ++i) {
    Left = Left + step;
    Repaint();
  }
  Left = Screen->Width();
}

void StartPilotTimer() {
  if (!PilotTimer) {
    // Owned by the main window: its timers go before the application does.
    PilotTimer = new TTimer(DocumentFrame ? static_cast<TComponent*>(DocumentFrame) : Application);
    PilotTimer->OnTimer = [](TObject*) {
      PilotTimer->SetEnabled(false);
      UpdateScenePilot();
    };
  }
  PilotTimer->SetInterval(PilotOpenDelay);
  PilotTimer->SetEnabled(true);
}

void StopPilotTimer() {
  if (PilotTimer) PilotTimer->SetEnabled(false);
}

void UpdateScenePilot() {
  if (Open) {
    Open->SetFocus();
    return;
  }
  TMDIChild* script = ActiveScript();
  if (NoActiveDocument() || !script) return;
  TScriptElement* heading = PilotStartHeading(*script);
  if (!heading) return;
  auto* pilot = new TScenePilot(DocumentFrame ? static_cast<TComponent*>(DocumentFrame) : Application, *script);
  Open = pilot;
  pilot->ExplorerButton1->OnClick = [pilot](TObject*) { pilot->ScrollBtnClick(false); };
  pilot->ScrollDownBtn->OnClick = [pilot](TObject*) { pilot->ScrollBtnClick(true); };
  pilot->ExplorerButton1->OnMouseMove = [pilot](TObject*, TShiftState, int, int) { pilot->ScrollBtnEnter(false); };
  pilot->ScrollDownBtn->OnMouseMove = [pilot](TObject*, TShiftState, int, int) { pilot->ScrollBtnEnter(true); };
  pilot->ScrollTimer->OnTimer = [pilot](TObject*) { pilot->ScrollTimerTick(); };
  for (TExplorerButton* button : pilot->Scn)
    button->OnClick = [pilot, tag = button->Tag](TObject*) { pilot->ScnBtnClick(tag); };
  pilot->scriptMouseDown_ = script->OnMouseDown;
  script->OnMouseDown = [pilot](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    pilot->OnMyMouseDown(s, b, sh, x, y);
  };
  pilot->scriptKeyPress_ = script->OnKeyPress;
  script->OnKeyPress = [pilot](TObject* s, char& key) { pilot->OnMyKeyPress(s, key); };
  pilot->OnClose = [pilot](TObject*, TCloseAction& action) {
    pilot->ScrollTimer->SetEnabled(false);
    pilot->SlideOut();
    action = TCloseAction::caFree;
    if (Open == pilot) Open = nullptr;
  };
  // At the right edge of the screen, at the mouse's height. It shows at
  // once where it stays: a window moved in from off the screen is squeezed
  // or kept off it by the window manager.
  const TPoint mouse = MousePoint();
  pilot->Top = std::clamp(mouse.Y - pilot->Height / 2, 0, std::max(0, Screen->Height() - pilot->Height));
  pilot->Left = std::max(0, Screen->Width() - pilot->Width);
  pilot->Show();
  pilot->Slide = true;
  int slot = 1;
  for (int i = 0; i < PilotSlots - 1; ++i)
    if (pilot->Scn[static_cast<std::size_t>(i)]->ClientToScreen(TPoint{0, pilot->Scn[0]->Height}).Y < mouse.Y) ++slot;
  pilot->ShowAround(heading, slot);
}

}  // namespace qm
