// The "Script Formats" dialog: one page per element format, then the
// locked-script numbering and the page-breaking rules of the script.
#pragma once

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

class TEditScriptFormatsDlg : public TForm {
 public:
  explicit TEditScriptFormatsDlg(TComponent* owner);
  TPageControl* Notebook;
  TCheckBox* SaveDefaultsBox;
  TButton* OKBtn;
  TButton* CancelBtn;
  // A control of an element page, by its prefix and its own name.
  template <class T>
  T* PageControl(const std::string& prefix, const std::string& name) const {
    return DialogControl<T>(*this, prefix + name);
  }
};

}  // namespace qm
