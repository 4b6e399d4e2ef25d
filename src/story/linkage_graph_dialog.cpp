#include "story/linkage_graph_dialog.h"

#include "platform/dialog_builder.h"

namespace qm::story {

namespace {

using enum TDialogItemKind;

constexpr int GraphWidth = 620;
constexpr int GraphHeight = 330;

const TDialogTable& LinkagesTable() {
  static const TDialogTable table = {
      {Label, "JumpLabel", "Branch Target:", {8, 12, 90, 16}},
      {DropDownList, "JumpPositionBox", "", {100, 8, 260, 24}},
      {Button, "ExitBtn", "Return to Script", {370, 8, 120, 25}},
      {SpeedButton, "SpeedButton2", "Print", {498, 8, 60, 25}},
      {Label, "KeyLabel", "Branch Color Key:", {8, 40, 110, 16}},
      {Label, "UnconditionalLabel", "Unconditional", {124, 40, 100, 16}},
      {Label, "ConditionalLabel", "Conditional", {232, 40, 100, 16}},
      {Label, "StatusLine", "", {8, 40 + 24 + GraphHeight + 6, GraphWidth, 16}},
      {Panel, "PrintPanel", "Printing Jump Position", {200, 180, 240, 40}},
      {HelpButton, "HelpBtn", "", {566, 8, 60, 25}},
  };
  return table;
}

const TDialogTable& PrintLinksTable() {
  static const TDialogTable table = {
      {Label, "FromLabel", "Print From Jump Position:", {8, 12, 170, 16}},
      {DropDownList, "FromJump", "", {180, 8, 240, 24}},
      {Label, "ToLabel", "...To Jump Position:", {8, 44, 170, 16}},
      {DropDownList, "ToJump", "", {180, 40, 240, 24}},
  };
  return table;
}

}  // namespace

TLinkagesDlg::TLinkagesDlg(TComponent* owner, TMDIChild& script) : TForm(owner), script_(script) {
  SetUpDialogForm(*this, "LinkagesDlg", "Interactive Linkages", GraphWidth + 16, 40 + 24 + GraphHeight + 32);
  KeyPreview = true;
  BuildDialog(*this, LinkagesTable());
  JumpPositionBox = DialogControl<TComboBox>(*this, "JumpPositionBox");
  ExitBtn = DialogControl<TButton>(*this, "ExitBtn");
  SpeedButton2 = DialogControl<TSpeedButton>(*this, "SpeedButton2");
  PrintPanel = DialogControl<TPanel>(*this, "PrintPanel");
  StatusLine = DialogControl<TLabel>(*this, "StatusLine");
  DialogControl<TLabel>(*this, "UnconditionalLabel")->Font.Color = clBlue;
  DialogControl<TLabel>(*this, "ConditionalLabel")->Font.Color = clRed;
  // The dialog builder has no drawing surface: the graph's is made here.
  PaintBox1 = new TPaintBox(this);
  PaintBox1->Name = "PaintBox1";
  PaintBox1->SetParent(this);
  PaintBox1->SetBounds(8, 64, GraphWidth, GraphHeight);
  PaintBox1->Hint = "Double Click to add New Branch";
  PrintPanel->Visible = false;
  ExitBtn->Hint = "Return to Script|Closes the Graphing and Returns to Script";
  SpeedButton2->Hint = "Print|Prints any range of Branch Target Graphs";
  ExitBtn->ModalResult = mrOk;

  drawing_ = std::make_unique<TLinkageDrawing>(Graph, PaintBox1->Canvas);
  PaintBox1->OnPaint = [this](TObject*) { Paint(); };
  PaintBox1->OnMouseMove = [this](TObject*, TShiftState, int x, int y) { MouseMove(x, y); };
  PaintBox1->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
    MouseDown(button, shift.Contains(ssDouble), x, y);
  };
  JumpPositionBox->OnChange = [this](TObject*) { PaintBox1->Invalidate(); };
  SpeedButton2->OnClick = [this](TObject*) { AskAndPrint(); };
  // F11 pressed and released here closes; the release of the Alt+F11 that
  // opened the graph comes here too and must not close it at once.
  OnKeyDown = [this](TObject*, Word& key, TShiftState) {
    if (key == VK_F11) f11Pressed_ = true;
  };
  OnKeyUp = [this](TObject*, Word& key, TShiftState) {
    if (key == VK_F11 && f11Pressed_) ExitBtn->Click();
  };
  OnCloseQuery = [this](TObject*, bool& canClose) { canClose = !printing_; };
  OnShow = [this](TObject*) { TakeHints(); };
  OnHide = [this](TObject*) { RestoreHints(); };
}

TLinkagesDlg::~TLinkagesDlg() { RestoreHints(); }

void TLinkagesDlg::TakeHints() {
  if (hintsShown_ || !Application) return;
  hintsShown_ = true;
  previousHintHandler_ = Application->OnHint;
  Application->OnHint = [this](TObject*) { ShowGraphHint(); };
}

void TLinkagesDlg::ShowGraphHint() { StatusLine->Caption = "  " + Application->Hint(); }

void TLinkagesDlg::RestoreHints() {
  if (!hintsShown_) return;
  hintsShown_ = false;
  if (Application) Application->OnHint = std::move(previousHintHandler_);
  previousHintHandler_ = nullptr;
}

bool AskPrintRange(const std::vector<std::string>& labels, int& from, int& to) {
  TForm dialog(Application);
  SetUpDialogForm(dialog, "PrintLinksDlg", "Print Branch Target Graphs", 440, 140);
  BuildDialog(dialog, PrintLinksTable());
  BuildDialog(dialog, ButtonRow(sbOK | sbCancel, {120, 76, 80, 25}, 100));
  auto* fromJump = DialogControl<TComboBox>(dialog, "FromJump");
  auto* toJump = DialogControl<TComboBox>(dialog, "ToJump");
  for (const std::string& label : labels) {
    fromJump->Items.Add(label);
    toJump->Items.Add(label);
  }
  fromJump->SetItemIndex(from);
  toJump->SetItemIndex(to);
  if (dialog.ShowModal() != mrOk) return false;
  from = fromJump->ItemIndex();
  to = toJump->ItemIndex();
  return from >= 0 && to >= 0;
}

}  // namespace qm::story
