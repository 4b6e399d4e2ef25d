#include "platform/dialogs.h"

#include "platform/dialog_builder.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace qm {

TFileDialog::TFileDialog(TComponent* owner, bool saving) : TForm(owner), saving_(saving) {
  WindowClass = "TFileDialog";
  SetUpDialogFormClient(*this, saving ? "SaveDialog" : "OpenDialog", "", 420, 110);
  using enum TDialogItemKind;
  BuildDialog(*this, TDialogTable{
                         {Edit, "FileNameEdit", "", {10, 10, 400, 23}},
                         {DropDownList, "FilterCombo", "", {10, 42, 400, 23}},
                         {OkButton, "OkBtn", saving ? "&Save" : "&Open", {254, 76, 75, 25}},
                         {CancelButton, "CancelBtn", "", {335, 76, 75, 25}},
                     });
  FileNameEdit = DialogControl<TEdit>(*this, "FileNameEdit");
  FilterCombo = DialogControl<TComboBox>(*this, "FilterCombo");
  OkBtn = DialogControl<TButton>(*this, "OkBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
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
  // The edit shows the program's text; a name left as shown keeps the
  // system's spelling, even of characters the text cannot hold.
  const std::string given = ExtractFileName(FileName);
  FileNameEdit->Text = PathToText(given);
  if (ShowModal() != mrOk || FileNameEdit->Text().empty()) return false;
  const std::string typed = FileNameEdit->Text();
  std::string chosen = typed == PathToText(given) ? given : TextToPath(typed);
  if (chosen.find('/') == std::string::npos && !InitialDir.empty()) chosen = JoinPath(InitialDir, chosen);
  if (!DefaultExt.empty() && ExtractFileExt(chosen).empty()) chosen += "." + DefaultExt;
  FileName = chosen;
  FilterIndex = FilterCombo->ItemIndex() + 1;
  return true;
}

}  // namespace qm
