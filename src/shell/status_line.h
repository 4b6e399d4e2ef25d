// The main window's status line along its foot: the element type at the
// caret, the line and position, and the page, scene and act panels, kept
// up to date with the active script's caret.
#pragma once

#include <string>

namespace qm {

class TMainForm;
class TPanel;
class TLabel;
class TTimer;
struct TScriptElement;

class TStatusLine {
 public:
  explicit TStatusLine(TMainForm& form);

  TPanel* Bar() const { return bar_; }
  TLabel* CurrentElement = nullptr;
  TPanel* LinePanel = nullptr;
  // Insert or typeover; a click on it switches while typeover is allowed.
  TPanel* InsertPrompt = nullptr;
  TPanel* PagePanel = nullptr;
  TPanel* ScenePanel = nullptr;
  TPanel* ActPanel = nullptr;
  // The rest of the line: the hint of what the mouse is over, or the
  // active script's title; word-processor mode's notice while it is on.
  TPanel* HintLine = nullptr;
  TTimer* HintTimer = nullptr;

  // Everything the line shows, from the active script (the page panel
  // emptied and the others hidden while none is open).
  void UpdateStatusLine();
  // The line and position panel; unless forced, only when the caret moved.
  void UpdatePositionDisplay(bool force);
  // Both, only when the caret, its element or the script's lines changed
  // since the last time (or when forced); the typing mode always.
  void Refresh(bool force);
  // "Insert" or "TypeOver" as the editor types.
  void ShowInsertMode();
  // With typeover allowed the insert panel stands out as a button to
  // click, with a hint that says so; otherwise it is a plain sunken panel.
  void StyleInsertPrompt();

  // The application's hint (or the script's title) on the hint line,
  // turning round through the line when it is too wide and "Scroll Hints
  // When Needed" is checked; nothing while the notice shows.
  void ShowAppHint();
  // One step of the turning text.
  void HintTimerTimer();
  // Word-processor mode's notice on (maroon, bold aqua) or off.
  void ShowWPModeNotice(bool on);
  bool WPModeShown() const { return wpModeShown_; }

 private:
  void PlaceOptionalPanels();
  void MakeInsertPrompt(int left);
  void ShowElementType(const std::string& caption);
  // The element's type or column changed under the caret (or its type's
  // name changed) since the box last showed it.
  bool TypeBoxStale(const TScriptElement* e) const;
  void MakeHintLine();

  TMainForm& form_;
  TPanel* bar_ = nullptr;
  bool wpModeShown_ = false;
  // What the line was last brought up to date for.
  const void* lastElement_ = nullptr;
  int lastLine_ = -1;
  int lastColumn_ = -1;
  int lastLineCount_ = -1;
  int lastType_ = -1;
  int lastAvColumn_ = -1;
};

}  // namespace qm
