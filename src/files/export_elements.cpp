#include "files/export_elements.h"

#include "script/editing/position_texts.h"
#include "script/model/cue_codes.h"
#include "script/model/number_texts.h"
#include "script/model/script_model.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"

namespace qm {

bool IsExportedElement(const TScriptDocument& script, const TScriptElement& element) {
  const Byte kind = element.Kind();
  if (IsPageBreakKind(kind)) return false;
  return kind == ekScriptNote || !script.IsUnprintedElement(&element);
}

bool ExportsInCapitals(const TScriptElement& element) {
  return element.format.AllCaps && element.Kind() != ekCharacterName;
}

namespace {

// The header set-up's display styles.
enum TNumberStyle : Byte { nsDigits = 1, nsLetters = 2, nsWords = 3, nsUpperWords = 4, nsRoman = 5 };

std::string StyledNumber(int number, Byte style) {
  switch (style) {
    case nsLetters: return NumberAsLetters(number);
    case nsWords: return NumberToWords(number, false);
    case nsUpperWords: return NumberToWords(number, true);
    case nsRoman: return RomanNumeral(static_cast<Word>(number));
    default: return std::to_string(number);
  }
}

}  // namespace

std::string ExportNumberText(const TScriptDocument& script, const TScriptElement& element) {
  const Byte kind = element.Kind();
  const bool act = kind == ekActInformation || kind == ekActStart || kind == ekEndOfActText;
  const bool sceneInfo = kind == ekSceneInformation || kind == ekLockedSceneInformation;
  if ((!act && !sceneInfo) || !element.group) return {};
  const int number = script.DisplayNumber(element.group);
  if (number == 0) return {};
  std::string text = StyledNumber(number, act ? script.ActDisplayStyle : script.SceneInfoDisplayStyle);
  const Byte letter = script.DisplayNumberLetter(element.group);
  if (sceneInfo && letter > ' ') text += static_cast<char>(letter);
  if (kind == ekEndOfActText) text = "ACT " + text;
  const std::string own = LiveElementText(script, element);
  return own.empty() || own.back() == ' ' ? text : " " + text;
}

std::string CueExtensionEntryText(const TScriptDocument& script, const TScriptElement& cue) {
  const Byte code = NormalCueCode(cue.split);
  if (cue.Kind() != ekCharacterName || !CueHasExtension(code)) return {};
  std::string entry = UserListEntry(script.UserLists, TUserList::Extension, CueExtensionEntry(code));
  std::erase(entry, '&');
  return entry;
}

TExportWalk::TExportWalk(TMDIChild& script, bool joinSplits)
    : script_(script), joined_(joinSplits && script.CurrentElement()), assembled_(false) {
  // A walk of the printed pages meets them as the idle pass would have
  // laid them out by now.
  if (!joinSplits && script.CurrentElement() && script.LayoutDue)
    script_.RefreshKeepingCursor(TMDIChild::TLayoutRun::Background);
  if (joined_) script_.RejoinSplitElements();
  assembled_ = script_.CurrentElement() && !script_.CurrentElement()->text;
  if (assembled_) script_.Assemble();
}

TExportWalk::~TExportWalk() {
  if (joined_) script_.RefreshKeepingCursor();
  else if (assembled_) script_.DisAssemble();
}

}  // namespace qm
