// The open and save dialogs: a file name chosen in a folder under a list
// of filters. They are forms of their own, so a test answers them like any
// other modal form and a desktop can show them its own way.
#pragma once

#include <string>
#include <vector>

#include "platform/forms.h"

namespace qm {

class TFileDialog : public TForm {
 public:
  TFileDialog(TComponent* owner, bool saving);
  // The chosen file, with its folder, as the system spells it.
  std::string FileName;
  // "Description|mask|Description|mask..."
  std::string Filter;
  // 1-based index of the chosen filter.
  int FilterIndex = 1;
  std::string InitialDir;
  // Added, with its dot, to a chosen name without an extension.
  std::string DefaultExt;
  std::string Title;
  bool Saving() const { return saving_; }

  // True when the user chose a file.
  bool Execute();

  TEdit* FileNameEdit;
  TComboBox* FilterCombo;
  TButton* OkBtn;
  TButton* CancelBtn;

  // The filters as (description, mask) pairs.
  std::vector<std::pair<std::string, std::string>> Filters() const;

 private:
  bool saving_;
};

class TOpenDialog : public TFileDialog {
 public:
  explicit TOpenDialog(TComponent* owner) : TFileDialog(owner, false) {}
};

class TSaveDialog : public TFileDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TFileDialog(owner, true) {}
};

}  // namespace qm
