// "Title Page P&ublisher..." and its tool button: the active script's
// title page edited in the publisher.
#include "formats/title_page.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::TitlePagePublishItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) ShowTitlePagePublisher(*script);
  FocusActiveScript();
}

}  // namespace qm
