// The zoom dialog: how large the script's text shows on the screen, as a
// percentage from 50 to 150, tried on a sample in the script's own font.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {

class TZoomScreenDlg : public TForm {
 public:
  // `fontName` and `fontSize` (points): the sample's font at 100 percent.
  TZoomScreenDlg(TComponent* owner, const std::string& fontName, int fontSize, int zoom);

  TLabel* ZoomLabel;
  TMemo* SampleMemo;
  TScrollBar* ZoomBar;

  int Zoom() const { return ZoomBar->Position; }

 private:
  void ZoomBarChange(TObject* sender);
  int baseSize_;
};

}  // namespace qm
