// The hint line at the end of the status line: the hint of what the mouse
// is over or the script's title, turned round through the line when it is
// too wide to read at once; and word-processor mode's notice.
#include <algorithm>
#include <string>

#include "base/document_table.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/graphics.h"
#include "platform/menus.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"

namespace qm {

namespace {

constexpr const char* WPModeNotice = ">>>WP MODE: Press <CTRL+W> to Exit<<<";
// What follows a turning text, so that its end and start stay apart.
constexpr const char* TurnGap = "   ...   ";
constexpr int FirstTurnDelay = 1000;
constexpr int TurnStep = 250;

bool ItemChecked(const TMainForm& form, const char* name) {
  const TMenuItem* item = form.MenuItem(name);
  return item && item->Checked();
}

}  // namespace

void TStatusLine::ShowAppHint() {
  if (wpModeShown_) return;
  std::string text;
  if (form_.ToolBar().Panel()->ShowHint) text = Application->Hint();
  else if (!NoActiveDocument()) text = ActiveScript()->ScriptFileName;
  HintTimer->SetEnabled(false);
  if (ItemChecked(form_, "ScrollHints") &&
      MeasureText(HintLine->Font.Desc(), Screen->PixelsPerInch(), text) > HintLine->Width) {
    HintTimer->SetInterval(FirstTurnDelay);
    HintTimer->SetEnabled(true);
    text += TurnGap;
  }
  HintLine->Caption = text;
}

void TStatusLine::HintTimerTimer() {
  std::string text = HintLine->Caption();
  if (text.empty()) {
    HintTimer->SetEnabled(false);
    return;
  }
  std::rotate(text.begin(), text.begin() + 1, text.end());
  HintLine->Caption = text;
  HintLine->Invalidate();
  HintTimer->SetInterval(TurnStep);
}

void TStatusLine::ShowWPModeNotice(bool on) {
  wpModeShown_ = on;
  HintTimer->SetEnabled(false);
  HintLine->ParentFont = false;
  HintLine->Color = on ? RGB(128, 0, 0) : clBtnFace;
  HintLine->Font.Color = on ? RGB(0, 255, 255) : clWindowText;
  HintLine->Font.Style = on ? unsigned{fsBold} : 0u;
  HintLine->Caption = on ? std::string(WPModeNotice) : std::string();
}

void TMainForm::ScrollHintsClick(TObject*) {
  TMenuItem* item = MenuItem("ScrollHints");
  item->Checked = !item->Checked();
  StatusLine().ShowAppHint();
}

void TMainForm::ToggleWPMode(bool forceOff) {
  if (!forceOff && !AllowTextMode) return;
  WordProcessorMode = forceOff ? false : !WordProcessorMode;
  StatusLine().ShowWPModeNotice(WordProcessorMode);
  if (TMenuItem* item = MenuItem("TextOnlyModeItem")) item->Checked = WordProcessorMode;
  if (!WordProcessorMode) StatusLine().ShowAppHint();
}

void TMainForm::TextOnlyModeItemClick(TObject*) {
  if (NoActiveDocument()) return;
  ToggleWPMode(false);
  FocusActiveScript();
}

}  // namespace qm
