#include "formats/note_colors.h"

#include <array>

#include "base/document_table.h"
#include "platform/color_dialog.h"
#include "script/script_window.h"

namespace qm {

void SetCustomColors(TColorDialog& dialog, TColor color) {
  dialog.CustomColors.clear();
  if (const TMDIChild* script = ActiveScript())
    for (TColor note : script->NoteColours)
      if (!IsUnsetNoteColor(note)) dialog.CustomColors.push_back(note);
  dialog.Color = color;
}

int TakeNoteColor(TMDIChild& script, const TScriptElement& note, TColor color) {
  auto& colors = script.NoteColours;
  for (int i = 0; i < NoteColourCount; ++i)
    if (!IsUnsetNoteColor(colors[static_cast<std::size_t>(i)]) && colors[static_cast<std::size_t>(i)] == color)
      return i;
  std::array<bool, NoteColourCount> used{};
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e != &note && e->Kind() == ekScriptNote && NoteColorIndexOf(*e) < NoteColourCount)
      used[NoteColorIndexOf(*e)] = true;
  // The first entry is the colour of every new note: it is never taken.
  for (int i = 1; i < NoteColourCount; ++i)
    if (!used[static_cast<std::size_t>(i)]) {
      colors[static_cast<std::size_t>(i)] = color;
      return i;
    }
  return -1;
}

}  // namespace qm
