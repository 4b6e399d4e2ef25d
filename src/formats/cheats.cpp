#include "formats/cheats.h"

#include "base/message_boxes.h"
#include "formats/cheat_dialogs.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "formats/script_locking.h"
#include "script/editing/document_modified.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* NotCheatable = "Page Breaks cannot be cheated.";

// A changed scene number: emptied, the heading is numbered as usual
// again; typed, it keeps that number (and letter).
bool ReadOverride(const std::string& typed, const std::string& shown, int sceneStart, TElementFormat& format,
                  std::string& error) {
  if (typed == shown) return true;
  if (typed.find_first_not_of(' ') == std::string::npos) {
    format.NumberWord = 0;
    format.Kind = ekSceneHeading;
    return true;
  }
  const std::optional<Word> word = TypedSceneNumber(typed, sceneStart);
  if (!word) {
    error = typed + " is NOT a Valid Number!";
    return false;
  }
  format.NumberWord = *word;
  format.Kind = number_word::Letter(*word) != '\0' ? ekASceneHeading : ekSceneHeading;
  return true;
}

}  // namespace

bool CheatElement(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e) return false;
  if (FormatSlotOfKind(e->Kind()) < 0) {
    ShowMessageBox(NotCheatable, "");
    return false;
  }
  TCheatElementDlg dialog(nullptr);
  LoadElementFormat(dialog, "", e->format, script.FontNameTable, script.ScriptFontName);
  const bool heading = IsSceneHeading(e->Kind());
  const std::string shownNumber = heading ? script.SceneNumberText(*e) : std::string();
  dialog.OverrideEdit->Text = shownNumber;
  dialog.OverrideEdit->Enabled = heading;
  TElementFormat format = e->format;
  TFontNames fonts = script.FontNameTable;
  for (;;) {
    if (dialog.ShowModal() != mrOk) return false;
    std::string error;
    if (StoreElementFormat(dialog, "", format, fonts, script.ScriptFontName, error) &&
        (!heading || ReadOverride(dialog.OverrideEdit->Text(), shownNumber, script.SceneStart, format, error)))
      break;
    ShowMessageBox(error, "Cheat Element");
  }
  SaveUndoStep(ukInsert, false, true, 0);
  e->format = format;
  script.FontNameTable = fonts;
  script.WrapScreenText(e, script.EditBuffer());
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm
