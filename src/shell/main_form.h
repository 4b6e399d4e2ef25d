// The main window: the MDI frame that holds the script windows, the menus
// and tool bars, and the program options as its fields.
#pragma once

#include "platform/forms.h"
#include "shell/program_options.h"

namespace qm {

class TMainForm : public TForm, public TProgramOptions {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // Set while the Exit command closes the program; read by the close query.
  Byte ExitConfirmed = 0;
};

extern TMainForm* MainForm;

}  // namespace qm
