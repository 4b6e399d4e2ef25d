// The scene pilot: a small floating window beside the mouse listing six
// scenes of the active script round the caret's scene, each as a button
// with the scene number, the heading and the start of the scene's text.
// A click goes to that scene; the arrow buttons scroll, and scroll on by
// themselves while the mouse rests on them.
#pragma once

#include <array>
#include <string>

#include "platform/forms.h"
#include "platform/office_button.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

constexpr int PilotSlots = 6;
// While the mouse rests on a scroll button the list moves one scene this
// often.
constexpr int PilotScrollInterval = 250;
// The main window's pilot timer: how long the pointer rests on the pilot
// button (or the Goto command's menu takes to go) before the pilot opens,
// so that a pointer passing over the button opens nothing.
constexpr int PilotOpenDelay = 250;

// ---- The scenes ----
// The scene of the caret: the nearest heading at or before the current
// element, else the next one; null when the script has none.
TScriptElement* PilotStartHeading(const TMDIChild& script);
// The same around any element of the document.
TScriptElement* PilotHeadingAround(const TScriptDocument& script, TScriptElement* at);
// The next (previous) scene heading after (before) an element; null at the end.
TScriptElement* NextPilotHeading(const TScriptDocument& script, TScriptElement* from);
TScriptElement* PreviousPilotHeading(const TScriptDocument& script, TScriptElement* from);
// A button's caption: number, heading and the scene's text, at most 200
// characters of text.
std::string PilotCaption(const TScriptDocument& script, const TScriptElement& heading);

class TScenePilot : public TForm {
 public:
  explicit TScenePilot(TComponent* owner, TMDIChild& script);
  ~TScenePilot() override;

  // Puts `heading` on the button of `slot` (1..6), the scenes before it
  // above, as far as there are any.
  void ShowAround(TScriptElement* heading, int slot);
  void FillButtons();
  void ScrollDown();
  void ScrollUp();
  // The scroll buttons' clicks: six scenes, fewer at the ends.
  void ScrollBtnClick(bool down);
  // Goes to the scene of the button with this tag (1..6) and closes.
  void ScnBtnClick(int tag);
  TScriptElement* FirstShown() const { return firstShown_; }
  // The pointer left the window (not just for one of its buttons): it closes.
  void MouseLeave() override;

  // Flat buttons whose captions wrap from their tops, each in a bevel.
  std::array<TExplorerButton*, PilotSlots> Scn{};
  TButton* ExplorerButton1 = nullptr;
  TButton* ScrollDownBtn = nullptr;
  TTimer* ScrollTimer = nullptr;
  bool Slide = false;

 private:
  friend void UpdateScenePilot();
  bool ScriptOpen() const;
  void ScrollBtnEnter(bool down);
  void ScrollTimerTick();
  void OnMyMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void OnMyKeyPress(TObject* sender, char& key);
  // The script window's own mouse and typing handlers back.
  void GiveScriptHandlersBack();
  void SlideOut();
  TMDIChild& script_;
  TScriptElement* firstShown_ = nullptr;
  bool scrollingDown_ = true;
  TMouseEvent scriptMouseDown_;
  TKeyPressEvent scriptKeyPress_;
};

// The pilot while it is open; null when none is.
TScenePilot* ScenePilot();
// Opens the pilot over the active script (or gives the open one the focus).
void UpdateScenePilot();
// Starts the one-shot timer that opens the pilot once the menu has gone
// (or the pointer has rested on the pilot button); stopping it opens none.
void StartPilotTimer();
void StopPilotTimer();

}  // namespace qm
