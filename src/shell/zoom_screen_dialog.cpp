#include "shell/zoom_screen_dialog.h"

#include <algorithm>

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int MinZoom = 50;
constexpr int MaxZoom = 150;

TDialogTable ZoomTable() {
  return {
      {Label, "ZoomLabel", "", {12, 10, 200, 16}},
      {Memo, "SampleMemo", "", {12, 32, 380, 150}},
  };
}

}  // namespace

TZoomScreenDlg::TZoomScreenDlg(TComponent* owner, const std::string& fontName, int fontSize, int zoom)
    : TForm(owner), baseSize_(fontSize) {
  SetUpDialogForm(*this, "ZoomScreenDlg", "Zoom Screen Text", 410, 270);
  BuildDialog(*this, ZoomTable());
  ZoomLabel = DialogControl<TLabel>(*this, "ZoomLabel");
  SampleMemo = DialogControl<TMemo>(*this, "SampleMemo");
  ZoomBar = MakeControl<TScrollBar>(this, this, "ZoomBar", 12, 190, 380, 17);
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {110, 214, 80, 25}, 100));
  for (const char* line : {"FADE IN:", "", "INT. COMPUTER -- DAY", "",
                           "Where you're fiddling with the screen display rather than doing any real writing..."})
    SampleMemo->Lines.Add(line);
  SampleMemo->ReadOnly = true;
  SampleMemo->ParentFont = false;
  SampleMemo->Font.Name = fontName;
  // The sample only shows: the keyboard stays on the bar, which the arrow
  // keys move.
  SampleMemo->TabStop = false;
  SampleMemo->OnEnter = [this](TObject*) { ZoomBar->SetFocus(); };
  ZoomBar->TabStop = true;
  ActiveControl = ZoomBar;
  ZoomBar->SmallChange = 1;
  ZoomBar->LargeChange = 10;
  ZoomBar->OnChange = [this](TObject* sender) { ZoomBarChange(sender); };
  ZoomBar->SetParams(std::clamp(zoom, MinZoom, MaxZoom), MinZoom, MaxZoom);
  ZoomBarChange(ZoomBar);
}

void TZoomScreenDlg::ZoomBarChange(TObject*) {
  ZoomLabel->Caption = "Zoom Screen Text: " + std::to_string(Zoom()) + "%";
  SampleMemo->Font.Size = std::max(1, baseSize_ * Zoom() / 100);
}

}  // namespace qm
