// The main window's commands on the element at the caret: case conversion,
// the word commands, keep together, the revision colour, the character map.
#include <algorithm>
#include <vector>

#include "base/document_table.h"
#include "platform/menus.h"
#include "script/editing/case_conversion.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/hidden_elements.h"
#include "script/editing/inline_styles.h"
#include "script/layout/char_widths.h"
#include "script/editing/revision_colour.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/screen_colors.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

TCaseMode CaseModeOf(const TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  const std::string caption = item ? item->Caption() : std::string();
  const std::string name = SenderName(sender);
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
  // A user colour taken up on the way and the colour chosen are one change.
  const TSingleUndoStep oneStep;
  int colour = item->Tag;
  // "User Defined Color..." asks which of the seven, the active one first.
  if (item->Name == "RevUserColorItem") {
    const Byte active = script->AutoRevisionColor;
    const Byte code =
        active > BasicColorCount && std::size_t{active} <= ColorPairs.size() ? ColorPairs[active - 1u].on : 0;
    colour = ChooseUserColor(false, "", code);
  }
  if (colour != 0 || item->Name != "RevUserColorItem") {
    SaveUndoStep(ukInsert, false, true, usWithSettings);
    SelectRevisionColor(*script, static_cast<Byte>(colour));
    ShowRevisionColorChecks(script->AutoRevisionColor);
  }
  FocusActiveScript();
}

void TMainForm::ShowRevisionColorChecks(Byte active) {
  MenuItem("AutoRevColorsItem")->Checked = active != 0;
  MenuItem("RevBlueItem")->Checked = active == 1;
  MenuItem("RevRedItem")->Checked = active == 2;
  MenuItem("RevGreenItem")->Checked = active == 3;
  MenuItem("RevUserColorItem")->Checked = active > BasicColorCount;
  MenuItem("RevColorOffItem")->Checked = active == 0;
}

void TMainForm::CapitalizeWordItemClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  if (!script || script->BlockOn()) return;
  const std::string name = SenderName(sender);
  // Capitals and bold are one change to undo.
  const TSingleUndoStep oneStep;
  editor::SelectInActiveScript(slWord);
  const std::vector<editor::TBlockSpan> spans = editor::BlockSpans(*script);
  if (spans.size() != 1) return;  // no word at the caret
  editor::TBlockSpan word = spans.front();
  word.end = std::min(word.end, static_cast<int>(script->EditBuffer().size()));
  // The word's selection takes the blanks after it; the bold stops at the word.
  while (word.end > word.start && script->EditBuffer()[static_cast<std::size_t>(word.end - 1)] == ' ') --word.end;
  ConvertCaseOfSelection(*script, name == "LowercaseWordItem" ? TCaseMode::Lower : TCaseMode::Upper);
  if (name == "CapBoldWordItem") {
    editor::MarkBlock(*script, *word.element, word.start, *word.element, word.end);
    // Bold whatever it was before: the style command alone would toggle it.
    const TInlineStyle& bold = InlineStyles[1];
    RemoveCodePairFromBlock(*script, bold.open, bold.close, bold.styleBit);
    ApplyInlineStyle(bold);
  }
  editor::ClearBlock(*script, true);
  FocusActiveScript();
}

void TMainForm::KeepElementTogetherItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) KeepElementTogether(*script);
  ShowScriptChecks();
  FocusActiveScript();
}

void TMainForm::KeepGroupTogetherItemClick(TObject* sender) {
  if (TMDIChild* script = EditableActiveScript())
    script->KeepGroupTogether(SenderName(sender) == "KeepWithFollowingItem");
  ShowScriptChecks();
  FocusActiveScript();
}

void TMainForm::CharacterSetInformation1Click(TObject*) { ShowCharacterMap(); }

}  // namespace qm
