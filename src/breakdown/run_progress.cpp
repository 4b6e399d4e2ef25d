#include "breakdown/run_progress.h"

#include "base/message_boxes.h"

namespace qm {

void ShowRunProgress(const std::string& text) {
  if (!MyNewMsgBox || !MyNewMsgBox->IsNotice() || !MyNewMsgBox->Visible) return;
  // Two line breaks put the text where the notice's own ticks show theirs.
  MyNewMsgBox->PleaseWaitText = text;
  MyNewMsgBox->DotMarker.clear();
  MyNewMsgBox->MenuText->Caption = "\r\r" + text;
}

}  // namespace qm
