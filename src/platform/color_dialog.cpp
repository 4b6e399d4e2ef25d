#include "platform/color_dialog.h"

#include <cstdlib>

#include "platform/dialog_builder.h"
#include "platform/platform.h"

namespace qm {

namespace {

int Part(TColor color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

}  // namespace

TColorDialog::TColorDialog(TComponent* owner) : TForm(owner) {
  WindowClass = "TColorDialog";
  SetUpDialogFormClient(*this, "ColorDialog", "Color", 350, 120);
  using enum TDialogItemKind;
  TDialogTable table = {
      {Label, "RedLabel", "&Red:", {8, 12, 0, 0}},       {Edit, "RedEdit", "", {60, 8, 50, 22}},
      {Label, "GreenLabel", "&Green:", {120, 12, 0, 0}}, {Edit, "GreenEdit", "", {170, 8, 50, 22}},
      {Label, "BlueLabel", "Bl&ue:", {230, 12, 0, 0}},   {Edit, "BlueEdit", "", {280, 8, 50, 22}},
      {Panel, "Swatch", "", {8, 40, 322, 34}},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {170, 84, 80, 25}, 90)) table.push_back(row);
  BuildDialog(*this, table);
  RedEdit = DialogControl<TEdit>(*this, "RedEdit");
  GreenEdit = DialogControl<TEdit>(*this, "GreenEdit");
  BlueEdit = DialogControl<TEdit>(*this, "BlueEdit");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) {
    TColor chosen = clBlack;
    if (ReadParts(chosen)) {
      ModalResult = mrOk;
      return;
    }
    Application->MessageBox("A colour part must be a number from 0 to 255.", Caption(), MB_OK | MB_ICONEXCLAMATION);
  };
}

bool TColorDialog::ReadParts(TColor& color) const {
  int parts[3] = {};
  const TEdit* edits[3] = {RedEdit, GreenEdit, BlueEdit};
  for (int i = 0; i < 3; ++i) {
    const std::string text = edits[i]->Text();
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0 || n > 255) return false;
    parts[i] = static_cast<int>(n);
  }
  color = RGB(parts[0], parts[1], parts[2]);
  return true;
}

bool TColorDialog::Execute() {
  if (const std::optional<bool> chosen = Platform::Current().backend().RunColorDialog(*this)) return *chosen;
  const TColor shown = ColorToRGB(Color);
  RedEdit->Text = std::to_string(Part(shown, 0));
  GreenEdit->Text = std::to_string(Part(shown, 8));
  BlueEdit->Text = std::to_string(Part(shown, 16));
  DialogControl<TPanel>(*this, "Swatch")->Color = shown;
  TColor chosen = clBlack;
  if (ShowModal() != mrOk || !ReadParts(chosen)) return false;
  Color = chosen;
  return true;
}

}  // namespace qm
