#include "script/editing/popup_choice.h"

#include <algorithm>

#include "base/global_state.h"
#include "platform/cp1252.h"
#include "script/editing/document_modified.h"
#include "script/editing/element_transitions.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"

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

void ApplyPopupChoice(TMDIChild& window, std::string text, Byte) {
  SetDocumentModified(true, true);
  std::erase(text, '&');
  switch (PopupContext) {
    case pcTransition:
    case pcShot: ReplaceEditLine(window, text); break;
    default: break;
  }
}

void UserItemSelect(TMDIChild& window) {
  TPopupChoice& choice = PopupChoice(window);
  const std::string text = choice.PopupChoiceText;
  if (!choice.PendingPopupCommand) {
    // The menu closed with nothing chosen: as Nevermind.
  } else if (!IsNevermind(text) && !LeavesLineToType(text)) {
    ApplyPopupChoice(window, text, choice.PopupChoiceCode);
    choice.Clear();
    UpdateCaret();
    return;
  }
  if (choice.PendingPopupCommand && LeavesLineToType(text)) {
    ReplaceEditLine(window, std::string(1, PlaceholderChar));
  } else if (window.EditBuffer.empty() && window.CurrentElement && (window.CurrentElement->prev || window.CurrentElement->next)) {
    if (PopupContext == pcSceneOpening) window.CurrentElement->format = window.FormatSet[fsAction];
    window.DisposeIndex(true);
  }
  if (PopupContext == pcTimeOfDayAgain) PopupContext = pcTimeOfDay;
  choice.Clear();
  UpdateCaret();
}

}  // namespace qm
