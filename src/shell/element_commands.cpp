// The main window's commands on the element at the caret: case conversion
// and the automatic revision colour.
#include "base/document_table.h"
#include "platform/menus.h"
#include "script/editing/case_conversion.h"
#include "script/editing/revision_colour.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

TCaseMode CaseModeOf(const TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  const auto* component = dynamic_cast<const TComponent*>(sender);
  const std::string caption = item ? item->Caption() : std::string();
  const std::string name = component ? component->Name : std::string();
  if (caption == "&Uppercase" || name == "UppercaseBtn") return TCaseMode::Upper;
  if (caption == "&Lowercase" || name == "LowercaseBtn") return TCaseMode::Lower;
  return TCaseMode::InitialCaps;
}

}  // namespace

void TMainForm::UppercaseItemClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  ConvertCaseOfSelection(*script, CaseModeOf(sender));
  FocusActiveScript();
}

void TMainForm::RevColorClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  if (!script || !item) return;
  SelectRevisionColor(*script, static_cast<Byte>(item->Tag));
  const Byte active = script->AutoRevisionColor;
  MenuItem("AutoRevColorsItem")->Checked = active != 0;
  MenuItem("RevBlueItem")->Checked = active == 1;
  MenuItem("RevRedItem")->Checked = active == 2;
  MenuItem("RevGreenItem")->Checked = active == 3;
  MenuItem("RevColorOffItem")->Checked = active == 0;
  FocusActiveScript();
}

}  // namespace qm
