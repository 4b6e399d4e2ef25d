#include "script/model/act_labels.h"

#include "script/model/number_texts.h"
#include "script/model/script_document.h"
#include "script/model/string_utils.h"

namespace qm {

namespace {

// "END OF SHOW" closes the script: no act follows it, so none is named.
bool EndsTheShow(const TScriptElement& element, const std::string& text) {
  return element.Kind() == ekEndOfActText && PlainUpperText(text).find("SHOW") != std::string::npos;
}

// The number after an act or scene-information element, as the elements
// of kind `act` (act kinds) or not (scene information) show it.
std::string NumberText(const TScriptDocument& script, const TScriptElement& element, bool act) {
  const Byte kind = element.Kind();
  const bool sceneInfo = !act;
  const int number = script.DisplayNumber(element.group);
  if (number == 0) return {};
  const std::string own = LiveElementText(script, element);
  if (EndsTheShow(element, own)) return {};
  std::string text = NumberInDisplayStyle(number, act ? script.ActDisplayStyle : script.SceneInfoDisplayStyle);
  const Byte letter = script.DisplayNumberLetter(element.group);
  if (sceneInfo && letter > ' ') text += static_cast<char>(letter);
  if (kind == ekEndOfActText) text = "ACT " + text;
  return own.empty() || own.back() == ' ' ? text : " " + text;
}

}  // namespace

bool ShowsActLabel(Byte kind) { return kind == ekActInformation || kind == ekActStart || kind == ekEndOfActText; }

bool ShowsActLabelOnScreen(Byte kind) { return ShowsActLabel(kind) || kind == ekPrologueText; }

std::string NumberedElementText(const TScriptDocument& script, const TScriptElement& element) {
  const Byte kind = element.Kind();
  const bool act = ShowsActLabel(kind);
  const bool sceneInfo = kind == ekSceneInformation || kind == ekLockedSceneInformation;
  if ((!act && !sceneInfo) || !element.group) return {};
  return NumberText(script, element, act);
}

std::string ActLabelText(const TScriptDocument& script, const TScriptElement& element, bool onScreen) {
  const bool prologue = onScreen && element.Kind() == ekPrologueText;
  if (!ShowsActLabel(element.Kind()) && !prologue) return {};
  if (element.group && element.group->number != 0) return NumberText(script, element, true);
  if (!onScreen || EndsTheShow(element, LiveElementText(script, element))) return {};
  return std::string(MissingActNumberText);
}

}  // namespace qm
