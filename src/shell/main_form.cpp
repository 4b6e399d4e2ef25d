#include "shell/main_form.h"

#include "shell/global_state.h"

namespace qm {

TMainForm* MainForm;

namespace {
const GlobalState reset([] { MainForm = nullptr; });
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  Name = "MainForm";
  WindowClass = "TMainForm";
  FormStyle = TFormStyle::fsMDIForm;
}

TMainForm::~TMainForm() {
  if (MainForm == this) MainForm = nullptr;
}

}  // namespace qm
