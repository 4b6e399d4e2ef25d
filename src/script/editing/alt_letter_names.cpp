#include "script/editing/typing_aids.h"
#include "script/editing/alt_letter_names.h"

#include <string>

#include "script/model/character_name_table.h"
#include "platform/cp1252.h"
#include "platform/stringlist.h"
#include "script/editing/element_transitions.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/script_record.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// The table is indexed by a letter's code; anything else has no slot.
Byte LetterSlot(char letter) {
  const Byte upper = AnsiUpper(static_cast<Byte>(letter));
  return IsAnsiAlpha(upper) ? upper : Byte{0};
}

// The name for a letter without an assigned one: the script's first name
// with that initial, or the letter itself when the writer starts one.
bool NameForUnassignedLetter(Byte slot, std::string& name, bool& startingNew) {
  name = aids::FirstCharacterName(static_cast<char>(slot));
  if (!name.empty()) return true;
  const std::string question =
      PromptTable(1) + std::string(1, static_cast<char>(slot)) + "\".\r\rWould you like me to start one that does?";
  if (!AskYesNo(question, PromptTable(2), false)) return false;
  name = std::string(1, static_cast<char>(slot));
  startingNew = true;
  return true;
}

bool IsCue(const TScriptElement* e) { return e && e->Kind() == ekCharacterName; }

}  // namespace

void HandleAltLetter(char letter) {
  TMDIChild* window = ActiveScript();
  const Byte slot = LetterSlot(letter);
  if (!window || !window->CurrentElement() || slot == 0) return;
  window->LastAltLetter = slot;
  std::string name = window->AltLetterNames[slot];
  bool startingNew = false;
  if (name.empty() && !NameForUnassignedLetter(slot, name, startingNew)) return;
  StartElementOfSlot(*window, fsCharacterName);
  ReplaceEditLine(*window, name);
  EditFields(*window).CaretLine = 1;
  if (!startingNew) {
    // A speech already under the new cue is typed into; otherwise the cue
    // gets a dialogue of its own.
    TScriptElement* next = window->CurrentElement()->next;
    if (next && (next->Kind() == ekDialogue || next->Kind() == ekParenthetical)) GoToElement(*window, next, false);
    else StartElementOfSlot(*window, fsDialogue);
  }
  EditFields(*window).CaretLine = 1;
  RedrawScreen(*window);
  UpdateCaret();
}

void PickAltLetterName(char letter) {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement()) return;
  const TProgramOptions& options = ProgramOptions();
  TScriptElement* cue = window->CurrentElement()->prev;
  if (!IsCue(cue)) cue = nullptr;
  Byte slot = LetterSlot(letter);
  const std::string& lastName = window->AltLetterNames[window->LastAltLetter];
  if (options.UseUltimateAltKeys && cue && !lastName.empty() && SameText(SpeakerName(StoredText(*cue)), lastName))
    slot = window->LastAltLetter;
  if (slot == 0) return;
  const char initial = options.UseUltimateAltKeys ? '\0' : static_cast<char>(slot);
  const std::optional<std::string> chosen = aids::PickCharacterName(initial, false, true);
  if (!chosen) return;
  const std::string name = CutToCapacity(*chosen, AltLetterNameLength);
  window->AltLetterNames[slot] = name;
  if (cue) {
    TScriptElement* back = window->CurrentElement();
    GoToElement(*window, cue, false);
    ReplaceEditLine(*window, name);
    GoToElement(*window, back, false);
  }
  RedrawScreen(*window);
  UpdateCaret();
}

}  // namespace qm
