#include "platform/dialogs.h"

#include "platform/files.h"
#include "platform/platform.h"

namespace qm {

TFileDialog::TFileDialog(TComponent* owner, bool saving) : TForm(owner), saving_(saving) {
  Name = saving ? "SaveDialog" : "OpenDialog";
  WindowClass = "TFileDialog";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetClientWidth(420);
  SetClientHeight(110);
  FileNameEdit = new TEdit(this);
  FileNameEdit->Name = "FileNameEdit";
  FileNameEdit->SetParent(this);
  FileNameEdit->SetBounds(10, 10, 400, 23);
  FilterCombo = new TComboBox(this);
  FilterCombo->Name = "FilterCombo";
  FilterCombo->SetParent(this);
  FilterCombo->Style = TComboBoxStyle::csDropDownList;
  FilterCombo->SetBounds(10, 42, 400, 23);
  OkBtn = new TButton(this);
  OkBtn->Name = "OkBtn";
  OkBtn->SetParent(this);
  OkBtn->Caption = saving ? "&Save" : "&Open";
  OkBtn->Default = true;
  OkBtn->ModalResult = mrOk;
  OkBtn->SetBounds(254, 76, 75, 25);
  CancelBtn = new TButton(this);
  CancelBtn->Name = "CancelBtn";
  CancelBtn->SetParent(this);
  CancelBtn->Caption = "Cancel";
  CancelBtn->Cancel = true;
  CancelBtn->ModalResult = mrCancel;
  CancelBtn->SetBounds(335, 76, 75, 25);
}

std::vector<std::pair<std::string, std::string>> TFileDialog::Filters() const {
  std::vector<std::pair<std::string, std::string>> result;
  size_t start = 0;
  std::vector<std::string> parts;
  while (start <= Filter.size() && !Filter.empty()) {
    const size_t bar = std::min(Filter.find('|', start), Filter.size());
    parts.push_back(Filter.substr(start, bar - start));
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) result.emplace_back(parts[i], parts[i + 1]);
  return result;
}

bool TFileDialog::Execute() {
  Caption = Title.empty() ? (saving_ ? "Save As" : "Open") : Title;
  if (const std::optional<bool> chosen = Platform::Current().backend().RunFileDialog(*this)) {
    if (!*chosen || FileName.empty()) return false;
    if (!DefaultExt.empty() && ExtractFileExt(FileName).empty()) FileName += "." + DefaultExt;
    return true;
  }
  FilterCombo->Items.Clear();
  for (const auto& [description, mask] : Filters()) FilterCombo->Items.Add(description);
  FilterCombo->SetItemIndex(FilterIndex - 1);
  FileNameEdit->Text = ExtractFileName(FileName);
  if (ShowModal() != mrOk || FileNameEdit->Text().empty()) return false;
  std::string chosen = FileNameEdit->Text();
  if (chosen.find('/') == std::string::npos && !InitialDir.empty()) chosen = JoinPath(InitialDir, chosen);
  if (!DefaultExt.empty() && ExtractFileExt(chosen).empty()) chosen += "." + DefaultExt;
  FileName = chosen;
  FilterIndex = FilterCombo->ItemIndex() + 1;
  return true;
}

}  // namespace qm
