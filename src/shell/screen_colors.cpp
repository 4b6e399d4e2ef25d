#include "shell/screen_colors.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "script/editing/document_modified.h"
#include "script/editing/hidden_elements.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/program_settings.h"
#include "shell/screen_colors_dialog.h"
#include "shell/tool_bar.h"
#include "script/editing/undo_steps.h"

namespace qm {

TColor NoteColor(int& index) {
  TMDIChild* script = ActiveScript();
  if (!script) return 65535;
  if (index < 0 || index >= NoteColourCount || IsUnsetNoteColor(script->NoteColours[static_cast<std::size_t>(index)]))
    index = 0;
  return script->NoteColours[static_cast<std::size_t>(index)];
}

void MergeNoteColors(TMDIChild& window) {
  window.Assemble();
  std::array<bool, NoteColourCount> used{};
  for (const TScriptElement* e = window.FirstElement; e; e = e->next)
    if (e->Kind() == ekScriptNote && NoteColorIndexOf(*e) < NoteColourCount) used[NoteColorIndexOf(*e)] = true;
  for (int i = 0; i < NoteColourCount; ++i)
    if (!used[static_cast<std::size_t>(i)]) window.NoteColours[static_cast<std::size_t>(i)] = 0;
  // Each entry goes to the first entry holding the same colour.
  std::array<Byte, NoteColourCount> target{};
  for (int i = 0; i < NoteColourCount; ++i) {
    target[static_cast<std::size_t>(i)] = static_cast<Byte>(i);
    const TColor c = window.NoteColours[static_cast<std::size_t>(i)];
    if (IsUnsetNoteColor(c)) continue;
    for (int j = 0; j < i; ++j)
      if (window.NoteColours[static_cast<std::size_t>(j)] == c) {
        target[static_cast<std::size_t>(i)] = static_cast<Byte>(j);
        window.NoteColours[static_cast<std::size_t>(i)] = 0;
        break;
      }
  }
  for (TScriptElement* e = window.FirstElement; e; e = e->next)
    if (e->Kind() == ekScriptNote && NoteColorIndexOf(*e) < NoteColourCount)
      e->format.NumberWord = target[NoteColorIndexOf(*e)];
  window.DisAssemble();
}

void ApplyNoteSelection(TMDIChild& window, const std::array<bool, NoteColourCount>& marked, bool keepVisible) {
  // Notes hidden as a whole kind would hide the choice.
  window.HiddenKinds &= ~ScriptNoteKinds;
  SetNoteStates(window, [&](const TScriptElement& note) -> Byte {
    const Byte index = NoteColorIndexOf(note);
    const bool isMarked = index < NoteColourCount && marked[index];
    return isMarked == keepVisible ? esNormal : esHidden;
  });
}

Byte UserColorOpenCode(int color) {
  return ColorPairs[static_cast<std::size_t>(std::clamp(color, 1, 7) + BasicColorCount - 1)].on;
}

int UserColorOfCode(Byte code) {
  for (int c = 1; c <= 7; ++c)
    if (UserColorOpenCode(c) == code) return c;
  return 1;
}

std::string UserColorCodeList() {
  std::string list;
  for (std::size_t i = BasicColorCount; i < ColorPairs.size(); ++i) {
    for (Byte b : {ColorPairs[i].on, ColorPairs[i].off}) {
      if (!list.empty()) list += ' ';
      list += static_cast<char>(b);
    }
  }
  return list;
}

void ApplyUserColorCode(Byte code) {
  const TMDIChild* script = ActiveScript();
  if (!MainForm || !script) return;
  MainForm->ToolBar().ShowUserColor(script->UserColours[static_cast<std::size_t>(UserColorOfCode(code) - 1)]);
}

void UpdateColorCodeSets(TMDIChild& window) { window.WidthsStale = true; }

bool ConvertToUserColors(TMDIChild& window) {
  if (window.UsesUserColours) return true;
  if (!AskTypeYes("To use the Extra Colors, I must convert the letters displayed in the following line to codes -- "
                  "so all of the letters below will no longer be displayed/printed as text in this script if you "
                  "continue.\r\n\r\n" +
                      UserColorCodeList(),
                  "Attention"))
    return false;
  // The 14 bytes change meaning throughout the script.
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  window.UsesUserColours = 1;
  UpdateColorCodeSets(window);
  SetDocumentModified(true, false);
  return true;
}

int ChooseUserColor(bool setMenus, const std::string& caption, Byte currentCode) {
  TMDIChild* script = ActiveScript();
  if (!script || !ConvertToUserColors(*script)) return 0;
  TSelectUserColorDlg dialog(nullptr);
  if (!caption.empty()) dialog.Caption = caption;
  dialog.Colors = script->UserColours;
  int selected = 1;
  if (currentCode != 0) selected = UserColorOfCode(currentCode);
  else if (script->CurrentColor >= 5 && script->CurrentColor <= 10) selected = script->CurrentColor - 3;
  dialog.Select(selected);
  if (dialog.ShowModal() != mrOk) return 0;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script->UserColours = dialog.Colors;
  const int result = dialog.Selected() + 3;
  script->TypingColorCode = UserColorOpenCode(dialog.Selected());
  ApplyUserColorCode(script->TypingColorCode);
  if (setMenus) script->CurrentColor = static_cast<Byte>(result);
  RebuildScreen(script);
  script->RedisplayScreen(true);
  return result;
}

void ApplyScreenColors(const TScreenColors& colors, bool colorAsBackground) {
  ScreenColors = colors;
  UseWinColors = colors == TScreenColors{};
  ProgramOptions().ColorAsBackground = colorAsBackground;
  std::string error;
  if (!SaveProgramSettings(&error) && !error.empty()) ShowMessageBox(error, "Attention");
  if (TMDIChild* script = ActiveScript()) {
    script->BackgroundColor = ColorToRGB(ScreenColors.Window);
    RebuildScreen(script);
    script->RedisplayScreen(true);
  }
}

namespace {

// The dialog as both commands show it: the script's note colours merged.
void PrepareScreenColors(TSetScreenColorsdlg& dialog, TMDIChild* script) {
  dialog.Colors = ScreenColors;
  (ProgramOptions().ColorAsBackground ? dialog.BackgroundMode : dialog.TextMode)->SetChecked(true);
  if (script) {
    MergeNoteColors(*script);
    dialog.NoteColors = script->NoteColours;
  }
  dialog.ShowNoteColors();
  dialog.DrawSample();
}

}  // namespace

void ShowScreenColors() {
  TSetScreenColorsdlg dialog(nullptr);
  PrepareScreenColors(dialog, ActiveScript());
  dialog.Pages->SetActivePageIndex(0);
  if (dialog.ShowModal() != mrOk) return;
  ApplyScreenColors(dialog.Colors, dialog.BackgroundMode->Checked());
}

void SelectNotesToHide(bool keepVisible) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  TSetScreenColorsdlg dialog(nullptr);
  PrepareScreenColors(dialog, script);
  dialog.Pages->SetActivePageIndex(1);
  dialog.KeepGroup->Caption =
      keepVisible ? "Select Notes Colors to Keep Visible" : "Select Notes Colors to Keep Hidden";
  if (dialog.ShowModal() != mrOk) return;
  ApplyNoteSelection(*script, dialog.Marked, keepVisible);
}

}  // namespace qm
