// The Thesaurus and Word Web commands of the main window.
#include "language/thesaurus/thesaurus_dialog.h"
#include "script/layout/screen_rebuild.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::ThesaurusItemClick(TObject* sender) {
  if (!EditableActiveScript()) return;
  const auto* item = dynamic_cast<TComponent*>(sender);
  const bool windowMode = item && (item->Name == "WordWebItem" || item->Name == "WordWebBtn");
  {
    thesaurus::TThesaurusDlg dialog(Application);
    thesaurus::Thesaurus(dialog, windowMode);
  }
  FocusActiveScript();
}

}  // namespace qm
