#include "script/editing/popup_choice.h"

#include <algorithm>

#include "base/global_state.h"
#include "platform/cp1252.h"
#include "script/editing/continued_cues.h"
#include "script/editing/document_modified.h"
#include "script/editing/element_transitions.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/editing/script_list_data.h"
#include "script/editing/scrolling.h"
#include "script/model/string_utils.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

Byte PopupContext = pcNoMenu;

namespace {

const GlobalState reset([] { PopupContext = pcNoMenu; });

constexpr const char* ComponentName = "PopupChoice";
constexpr std::size_t MaxChoiceText = 50;

bool IsNevermind(const std::string& text) { return text == "\rNe&vermind..." || text == "\r&Nevermind..."; }

// Choices that leave the placeholder for the writer to type over.
bool LeavesLineToType(const std::string& text) {
  return text == NoInitialTextCaption || text == AddAsTextCaption || text == NewTransitionCaption;
}

}  // namespace

TPopupChoice::TPopupChoice(TMDIChild& script) : TComponent(&script) { Name = ComponentName; }

void TPopupChoice::Record(const std::string& text, Byte code) {
  PendingPopupCommand = 1;
  PopupChoiceText = text.substr(0, MaxChoiceText);
  PopupChoiceCode = code;
}

void TPopupChoice::Clear() {
  PendingPopupCommand = 0;
  PopupChoiceText.clear();
  PopupChoiceCode = 0;
}

TPopupChoice& PopupChoice(TMDIChild& script) {
  if (auto* choice = dynamic_cast<TPopupChoice*>(script.FindComponent(ComponentName))) return *choice;
  return *new TPopupChoice(script);
}

std::string MenuCaptionOf(const std::string& text) {
  if (text.empty()) return {};
  if (text.find('&') != std::string::npos || text[0] == '-' || text[0] == '<') return text;
  return "&" + text;
}

std::string AssignShortcutLetter(const std::string& text, std::array<bool, 26>& used) {
  if (text.find('&') != std::string::npos) return text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Byte upper = AnsiUpper(static_cast<Byte>(text[i]));
    if (upper < 'A' || upper > 'Z' || used[upper - 'A']) continue;
    used[upper - 'A'] = true;
    return text.substr(0, i) + "&" + text.substr(i);
  }
  return text;
}

std::string ListItemText(const std::string& entry) {
  const std::size_t slash = entry.find('\\');
  std::string text = slash == std::string::npos ? entry : entry.substr(slash + 1);
  std::erase_if(text, [](char c) { return c == '&' || c == 0x15 || c == 0x02 || c == 0x19; });
  return text;
}

namespace {

// The opening of a new heading, and room to type on after it.
void ApplySceneOpening(TMDIChild& window, const std::string& text) {
  const int blanks = RecordOf(window).TimeOfDaySpaces / 10 + 1;
  ReplaceEditLine(window, text + std::string(static_cast<std::size_t>(blanks), ' '));
  PopupContext = pcOpeningChosen;
}

// The heading's time of day after the separator the script asks for.
void ApplyTimeOfDay(TMDIChild& window, const std::string& text) {
  std::string line = window.EditBuffer();
  while (!line.empty() && (line.back() == ' ' || line.back() == '-')) line.pop_back();
  const std::string spaces(static_cast<std::size_t>(GetTimeOfDaySpaces(window)), ' ');
  const int dashes = GetTimeOfDayDashes(window);
  line += spaces;
  if (dashes != 0) line += std::string(static_cast<std::size_t>(dashes), '-') + spaces;
  ReplaceEditLine(window, line + text);
}

// Which extension entry a cue code names: 1 to 6 and 7 to 10 sit either
// side of the codes that name none.
Byte CueCodeOfEntry(int entry) { return static_cast<Byte>(entry <= 6 ? (entry - 1) * 3 : entry * 3); }

constexpr Byte NewExtensionCode = 11;
constexpr Byte NoExtensionChoice = 12;
constexpr int ExtensionEntries = 10;

// A cue's extension: a text of its own after the name (code 0), one of the
// script's extensions, none, or a new entry at the list's first free slot.
void ApplyExtension(TMDIChild& window, const std::string& text, Byte code) {
  std::string line = window.EditBuffer();
  TrimTrailingBlanks(line);
  TScriptElement& cue = *window.CurrentElement();
  if (code == 0) {
    ReplaceEditLine(window, line.empty() ? text : line + " " + text);
    return;
  }
  ReplaceEditLine(window, line);
  int entry = code;
  if (code == NewExtensionCode) {
    entry = FirstEmptySlot(window.UserLists, TUserList::Extension);
    if (entry == 0 || entry > ExtensionEntries) return;
    SetUserListEntry(window.UserLists, TUserList::Extension, entry, text);
  }
  SetCueExtension(cue, code == NoExtensionChoice ? NoExtensionCode : CueCodeOfEntry(entry));
  window.DisplayElement();
}

}  // namespace

void ApplyPopupChoice(TMDIChild& window, std::string text, Byte code) {
  SetDocumentModified(true, true);
  std::erase(text, '&');
  switch (PopupContext) {
    case pcSceneOpening: ApplySceneOpening(window, text); break;
    case pcTransition:
    case pcShot: ReplaceEditLine(window, text); break;
    case pcTimeOfDay: ApplyTimeOfDay(window, text); break;
    case pcTimeOfDayAgain:
      ApplyTimeOfDay(window, text);
      PopupContext = pcTimeOfDay;
      OfferTimeOfDayAgain(window);
      break;
    case pcExtension: ApplyExtension(window, text, code); break;
    default: break;
  }
}

void ClearPlaceholderLine(TMDIChild& window) {
  if (window.EditBuffer() != std::string(1, PlaceholderChar)) return;
  EditFields(window).EditBuffer.clear();
  EditFields(window).CaretColumn = 0;
}

void TakeNewElementAway(TMDIChild& window) {
  const TScriptElement* gone = window.CurrentElement();
  if (!gone || (!gone->prev && !gone->next)) return;
  const bool backToPrevious = gone->prev != nullptr;
  // The edit line takes the element that is current now, so that its
  // text is not overwritten by the empty line of the one that went.
  window.Delete_Element();
  // Never onto a page break or a hidden element: the caret goes on to the
  // text before it, or else to the start of the text after it.
  TScriptElement* e = window.CurrentElement();
  bool back = backToPrevious;
  if (e && (IsPageBreakKind(e->Kind()) || window.IsHiddenElement(e))) {
    TScriptElement* before = NeighbourCaretElement(window, e, false);
    back = back && before;
    e = before ? before : NeighbourCaretElement(window, e, true);
    if (e) MakeElementCurrent(window, e);
  }
  EditFields(window).CaretColumn = back ? static_cast<Word>(window.EditBuffer().size()) : 0;
  RebuildScreen(&window);
}

void UserItemSelect(TMDIChild& window) {
  TPopupChoice& choice = PopupChoice(window);
  const std::string text = choice.PopupChoiceText;
  choice.NevermindChosen = choice.PendingPopupCommand && IsNevermind(text);
  if (!choice.PendingPopupCommand) {
    // The menu closed with nothing chosen: as Nevermind.
  } else if (!IsNevermind(text) && !LeavesLineToType(text)) {
    ApplyPopupChoice(window, text, choice.PopupChoiceCode);
    choice.Clear();
    UpdateCaret();
    return;
  }
  if (choice.PendingPopupCommand && LeavesLineToType(text) && PopupContext == pcExtension) {
    // The writer types the extension: the parenthesis goes after the name.
    ApplyPopupChoice(window, "(", 0);
  } else if (choice.PendingPopupCommand && LeavesLineToType(text)) {
    ReplaceEditLine(window, std::string(1, PlaceholderChar));
  } else if (PopupContext == pcExtension) {
    // The cue was not made for the menu: Nevermind leaves it as it is.
  } else if (window.EditBuffer().empty() && window.CurrentElement() &&
             (window.CurrentElement()->prev || window.CurrentElement()->next)) {
    if (PopupContext == pcSceneOpening) window.CurrentElement()->format = window.FormatSet[fsAction];
    TakeNewElementAway(window);
  }
  if (PopupContext == pcTimeOfDayAgain) PopupContext = pcTimeOfDay;
  choice.Clear();
  UpdateCaret();
}

}  // namespace qm
