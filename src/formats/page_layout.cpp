#include "formats/page_layout.h"

#include "base/message_boxes.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "formats/page_layout_dialog.h"
#include "script/script_window.h"

namespace qm {

namespace {

void Load(TPageLayoutDlg& d, const TScriptSettings& s) {
  d.TopEdit->Text = TenthsText(s.TopMargin);
  d.BottomEdit->Text = TenthsText(s.BottomMargin);
  d.BindingEdit->Text = TenthsText(s.BindingMargin);
  d.TextSpacingEdit->Text = std::to_string(s.TextSpacing);
  d.BlankSpacingEdit->Text = std::to_string(s.BlankSpacing);
  d.FontPercentEdit->Text = std::to_string(s.FontPercent);
  d.StretchBox->SetChecked(s.StretchShortPages != 0);
  d.StretchMinEdit->Text = std::to_string(s.StretchMinLines);
  d.StretchMaxEdit->Text = std::to_string(s.StretchMaxLines);
}

// The page keeps at least half its height for text: the two margins of
// an 11-inch page are 3 inches each at most.
bool Store(const TPageLayoutDlg& d, TScriptSettings& s, std::string& error) {
  TScriptSettings edited = s;
  TNumberReader read(d, error);
  if (!read.Tenths("TopEdit", "The top margin", 0, 3, edited.TopMargin) ||
      !read.Tenths("BottomEdit", "The bottom margin", 0, 3, edited.BottomMargin) ||
      !read.Tenths("BindingEdit", "The binding adjustment", 0, 2, edited.BindingMargin) ||
      !read.Whole("TextSpacingEdit", "The text line spacing", 50, 200, edited.TextSpacing) ||
      !read.Whole("BlankSpacingEdit", "The blank line spacing", 50, 200, edited.BlankSpacing) ||
      !read.Whole("FontPercentEdit", "The script font size", 50, 200, edited.FontPercent) ||
      !read.Whole("StretchMinEdit", "The minimum lines on a page", 0, 99, edited.StretchMinLines) ||
      !read.Whole("StretchMaxEdit", "The maximum lines on a page", 0, 99, edited.StretchMaxLines))
    return false;
  edited.StretchShortPages = d.StretchBox->Checked() ? 1 : 0;
  if (edited.StretchShortPages && edited.StretchMinLines > edited.StretchMaxLines) {
    error = "The minimum lines on a page must not be more than the maximum.";
    return false;
  }
  s = edited;
  return true;
}

}  // namespace

bool PageLayout(TMDIChild& script, bool& saveAsDefaults) {
  saveAsDefaults = false;
  TPageLayoutDlg dialog(nullptr);
  Load(dialog, script);
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    if (Store(dialog, script, error)) break;
    ShowMessageBox(error, "Setup Page Layout");
  }
  saveAsDefaults = dialog.SaveDefaultsBox->Checked();
  script.ComputePageHeight();
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm
