// The Cheat commands beyond one element: a page made to hold lines more or
// fewer and its cheats taken back, the whole script cheated through the
// page layout, text marked as non-printing, and the government.
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "formats/cheat_page.h"
#include "script/editing/hidden_elements.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/cheat_government_dialog.h"
#include "shell/documents.h"
#include "shell/main_form.h"

namespace qm {

namespace {

const char* const CheatScriptQuestion =
    "To cheat the entire Script,\rwe'll go to the Page Layout Menu.\r\rHowever, any script cheating you do will "
    "be\rin ADDITION to any individual cheating, so I'd recommend we remove ALL individual line Spacing cheating "
    "before proceeding.\r\rShould I do it for you?";

}  // namespace

void TMainForm::Page2Click(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) CheatThePage(*script);
  FocusActiveScript();
}

void TMainForm::ResetPageItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) ResetThePage(*script);
  FocusActiveScript();
}

void TMainForm::CheatScriptItemClick(TObject*) {
  if (!EditableActiveScript()) return;
  if (AskYesNo(CheatScriptQuestion, PromptTable(20), true)) ResetScriptItemClick(nullptr);
  PageLayoutItemClick(nullptr);
}

void TMainForm::CheatTheGovernmentItemClick(TObject*) {
  TCheatGovernmentDlg dialog(nullptr);
  dialog.ShowModal();
  FocusActiveScript();
}

void TMainForm::MarkasNonPrintingItemClick(TObject* sender) {
  if (TMDIChild* script = EditableActiveScript())
    MarkElementsNonPrinting(*script, SenderName(sender) != "UnmarkNonPrintingItem");
  FocusActiveScript();
}

}  // namespace qm
