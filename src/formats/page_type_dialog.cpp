#include "formats/page_type_dialog.h"

#include <algorithm>
#include <iterator>

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable WhichTypeTable() {
  // clang-format off
  TDialogTable table{
      {Panel, "PageBreakPanel", "", {8, 8, 304, 236}},
      {RadioGroup, "PageBreakGroup", "Page Break Type", {8, 8, 288, 134}, "PageBreakPanel",
       {"&Locked Page", "&Forced Page or Act Break", "Fi&xed A-Page", "&Multi-Locked Page"}},
      {Panel, "ScenePanel", "", {8, 8, 304, 236}},
      {RadioGroup, "SceneTypeGroup", "Scene Type", {8, 8, 288, 186}, "ScenePanel",
       {"N&o Numbering", "&Normal", "&Locked", "&Flipped Locked", "&Multi-Locked", "&Specify Manually",
        "Flip O&rder"}},
      {Label, "SceneNumberLabel", "Scene N&umber:", {8, 206, 100, 20}, "ScenePanel"},
      {Edit, "SceneNumberEdit", "", {112, 202, 80, 24}, "ScenePanel"},
  };
  // clang-format on
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {70, 254, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TWhichPageTypeDlg::TWhichPageTypeDlg(TComponent* owner, TTypeQuestion question) : TForm(owner) {
  SetUpDialogForm(*this, "WhichPageTypeDlg", "", 320, 316);
  BuildDialog(*this, WhichTypeTable());
  PageBreakPanel = DialogControl<TPanel>(*this, "PageBreakPanel");
  PageBreakGroup = DialogControl<TRadioGroup>(*this, "PageBreakGroup");
  ScenePanel = DialogControl<TPanel>(*this, "ScenePanel");
  SceneTypeGroup = DialogControl<TRadioGroup>(*this, "SceneTypeGroup");
  SceneNumberLabel = DialogControl<TLabel>(*this, "SceneNumberLabel");
  SceneNumberEdit = DialogControl<TEdit>(*this, "SceneNumberEdit");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  const bool pageBreak = question == TTypeQuestion::PageBreak;
  Caption = pageBreak ? "Put in Which Type of Page Break?" : "Change Scene Type";
  PageBreakPanel->Visible = pageBreak;
  ScenePanel->Visible = !pageBreak;
}

std::optional<Byte> AskPageBreakKind(Byte current) {
  TWhichPageTypeDlg dialog(nullptr, TTypeQuestion::PageBreak);
  const auto* found = std::find(std::begin(PageBreakChoiceKinds), std::end(PageBreakChoiceKinds), current);
  dialog.PageBreakGroup->SetItemIndex(
      found == std::end(PageBreakChoiceKinds) ? 0 : static_cast<int>(found - std::begin(PageBreakChoiceKinds)));
  if (dialog.ShowModal() != mrOk) return std::nullopt;
  const int index = dialog.PageBreakGroup->ItemIndex();
  if (index < 0 || index >= static_cast<int>(std::size(PageBreakChoiceKinds))) return std::nullopt;
  return PageBreakChoiceKinds[index];
}

}  // namespace qm
