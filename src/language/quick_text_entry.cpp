// The capitals marks of an alias text and the entry box's use of them.
#include "language/quick_text_entry.h"

namespace qm {

TMarkedText SplitCapitalsMarks(std::string_view text) {
  if (text.starts_with("||")) return {TCapitalsMode::AllCaps, std::string(text.substr(2))};
  if (text.starts_with("|")) return {TCapitalsMode::AsEntered, std::string(text.substr(1))};
  return {TCapitalsMode::Auto, std::string(text)};
}

std::string WithCapitalsMarks(TCapitalsMode mode, std::string_view text) {
  switch (mode) {
    case TCapitalsMode::AsEntered: return "|" + std::string(text);
    case TCapitalsMode::AllCaps: return "||" + std::string(text);
    case TCapitalsMode::Auto: break;
  }
  return std::string(text);
}

void TQuickTextEntryDlg::SetText(std::string_view text) {
  const TMarkedText marked = SplitCapitalsMarks(text);
  TextEdit->Text = marked.Text;
  TRadioButton* chosen = marked.Mode == TCapitalsMode::AllCaps     ? AllCapsBtn
                         : marked.Mode == TCapitalsMode::AsEntered ? AsEnteredBtn
                                                                   : AutoBtn;
  chosen->SetChecked(true);
}

std::string TQuickTextEntryDlg::MarkedText() const {
  const TCapitalsMode mode = AllCapsBtn->Checked()     ? TCapitalsMode::AllCaps
                             : AsEnteredBtn->Checked() ? TCapitalsMode::AsEntered
                                                       : TCapitalsMode::Auto;
  return WithCapitalsMarks(mode, TextEdit->Text());
}

}  // namespace qm
