#include "formats/cheats.h"

#include "base/message_boxes.h"
#include "formats/cheat_dialogs.h"
#include "formats/draft_refresh.h"
#include "formats/element_format_controls.h"
#include "formats/note_colors.h"
#include "platform/color_dialog.h"
#include "formats/script_locking.h"
#include "script/editing/document_modified.h"
#include "script/layout/margin_marks.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* NotCheatable = "Page Breaks cannot be cheated.";
constexpr const char* NoteColorsFull =
    "Every one of the script's 26 note colors is used by other notes: this note keeps its color.";

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

// The note's colour as the screen shows it.
TColor NoteColorOf(const TMDIChild& script, const TScriptElement& note) {
  int index = NoteColorIndexOf(note);
  return NoteColor(script, index);
}

// The colour dialog at the note's colour; true with `color` chosen.
bool ChooseNoteColor(TColor& color) {
  TColorDialog picker(nullptr);
  SetCustomColors(picker, color);
  if (!picker.Execute()) return false;
  color = picker.Color;
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
  const bool note = e->Kind() == ekScriptNote;
  dialog.NoteColorBtn->Enabled = note;
  TColor noteColor = note ? NoteColorOf(script, *e) : 0;
  bool noteColorChosen = false;
  dialog.NoteColorBtn->OnClick = [&](TObject*) { noteColorChosen |= ChooseNoteColor(noteColor); };
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
  int noteColorEntry = -1;
  if (noteColorChosen && (noteColorEntry = TakeNoteColor(script, *e, noteColor)) < 0)
    ShowMessageBox(NoteColorsFull, "Cheat Element");
  SaveUndoStep(ukInsert, false, true, 0);
  if (noteColorEntry >= 0) format.NumberWord = static_cast<Word>(noteColorEntry);
  e->format = format;
  script.FontNameTable = fonts;
  script.WrapScreenText(e, script.EditBuffer());
  RefreshAfterDraftChange(script);
  return true;
}

}  // namespace qm
