// The box in which the writer types an alias text and, where the caller
// shows the choice, how its capitals are kept when it is expanded.
#pragma once

#include <string>
#include <string_view>

#include "platform/enter_controls.h"
#include "platform/forms.h"

namespace qm {

// Stored as leading marks on the text: none, "|" or "||".
enum class TCapitalsMode { Auto, AsEntered, AllCaps };

struct TMarkedText {
  TCapitalsMode Mode = TCapitalsMode::Auto;
  std::string Text;
  friend bool operator==(const TMarkedText&, const TMarkedText&) = default;
};

TMarkedText SplitCapitalsMarks(std::string_view text);
std::string WithCapitalsMarks(TCapitalsMode mode, std::string_view text);

class TQuickTextEntryDlg : public TForm {
 public:
  explicit TQuickTextEntryDlg(TComponent* owner);
  TEnterEdit* TextEdit = nullptr;
  TPanel* CapitalsPanel = nullptr;
  TRadioButton* AutoBtn = nullptr;
  TRadioButton* AsEnteredBtn = nullptr;
  TRadioButton* AllCapsBtn = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

  // The buttons move below the choice when it is shown.
  void ShowCapitals(bool shown);
  // Puts `text` in the field without its marks, its mode chosen.
  void SetText(std::string_view text);
  // The field's text behind the marks of the mode chosen.
  std::string MarkedText() const;
};

}  // namespace qm
