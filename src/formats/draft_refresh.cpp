#include "formats/draft_refresh.h"

#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"

namespace qm {

void RefreshAfterDraftChange(TMDIChild& script) {
  SetDocumentModified(true, false);
  script.RenumberDue = 1;
  script.RefreshKeepingCursor();
  editor::RedisplayScreen(script);
}

}  // namespace qm
