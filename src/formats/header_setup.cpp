#include "formats/header_setup.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "formats/draft_refresh.h"
#include "formats/header_setup_dialog.h"
#include "script/layout/revision_colors.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr int MostBlankLines = 9;

int StyleIndex(Byte style) { return std::clamp<int>(style, 1, 5) - 1; }

void Load(THeaderSetupDlg& d, const TScriptSettings& s) {
  d.Line1Edit->Text = s.HeaderLine1;
  d.Line2Edit->Text = s.HeaderLine2;
  d.BlankLinesEdit->Text = std::to_string(s.HeaderBlankLines);
  d.ActStyleGroup->SetItemIndex(StyleIndex(s.ActDisplayStyle));
  d.SceneStyleGroup->SetItemIndex(StyleIndex(s.SceneInfoDisplayStyle));
  d.DateFormGroup->SetItemIndex(s.HeaderDateForm & 3);
  d.HeaderPagesGroup->SetItemIndex(std::min<int>(s.HeaderPages, 2));
}

// The blank line count typed, or -1.
int BlankLines(const std::string& text) {
  if (text.empty() || text.size() > 1 || text[0] < '0' || text[0] > '0' + MostBlankLines) return -1;
  return text[0] - '0';
}

void Store(const THeaderSetupDlg& d, TScriptSettings& s, int blankLines) {
  s.HeaderLine1 = CutToCapacity(d.Line1Edit->Text(), capacity::HeaderLine);
  s.HeaderLine2 = CutToCapacity(d.Line2Edit->Text(), capacity::HeaderLine);
  s.HeaderBlankLines = static_cast<Byte>(blankLines);
  s.ActDisplayStyle = static_cast<Byte>(std::max(d.ActStyleGroup->ItemIndex(), 0) + 1);
  s.SceneInfoDisplayStyle = static_cast<Byte>(std::max(d.SceneStyleGroup->ItemIndex(), 0) + 1);
  s.HeaderDateForm = static_cast<Byte>(std::max(d.DateFormGroup->ItemIndex(), 0));
  s.HeaderPages = static_cast<Byte>(std::max(d.HeaderPagesGroup->ItemIndex(), 0));
}

}  // namespace

bool HeaderSetup(TMDIChild& script) {
  THeaderSetupDlg dialog(nullptr);
  Load(dialog, script);
  int blankLines = -1;
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    blankLines = BlankLines(dialog.BlankLinesEdit->Text());
    if (blankLines >= 0) break;
    ShowMessageBox("The Blank Lines Following Header must be a number from 0 to 9.", "Header Setup");
  }
  Store(dialog, script, blankLines);
  SetupRevisionColorDisplay(script);
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm
