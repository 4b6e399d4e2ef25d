// The "Script Formats" dialog: one page per element format, then the
// locked-script numbering and the page-breaking rules of the script.
#pragma once

#include <array>
#include <string>

#include "platform/dialog_builder.h"
#include "platform/forms.h"

namespace qm {

// The element pages in the order of their tabs: the page's caption and
// the prefix of its controls' names ("Dialogue" gives "DialogueLeft").
struct TFormatPage {
  const char* Caption;
  const char* Prefix;
  int Slot;  // TFormatSlot
};
extern const TFormatPage FormatPages[11];

// The letters that A-letters step over, typed as "IO".
class TLetterSkipDlg : public TForm {
 public:
  explicit TLetterSkipDlg(TComponent* owner);
  TEdit* SkipLetters;
};

class TEditScriptFormatsDlg : public TForm {
 public:
  explicit TEditScriptFormatsDlg(TComponent* owner);
  TPageControl* Notebook;
  TCheckBox* SaveDefaultsBox;
  TButton* SkipListBtn;
  // The skipped letters as the "Letter Skip List" dialog left them.
  std::array<Byte, 32> SkipLetters{};
  TButton* OKBtn;
  TButton* CancelBtn;
  // A control of an element page, by its prefix and its own name.
  template <class T>
  T* PageControl(const std::string& prefix, const std::string& name) const {
    return DialogControl<T>(*this, prefix + name);
  }
};

}  // namespace qm
