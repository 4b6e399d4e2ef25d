#include "script/layout/cue_extension.h"

#include "platform/cp1252.h"
#include "script/model/cue_codes.h"
#include "script/model/script_document.h"
#include "script/model/user_list_entries.h"

namespace qm {

namespace {

bool SameUpper(const std::string& a, const std::string& b) { return AnsiUpperCase(a) == AnsiUpperCase(b); }

// The name's own text, from the edit line while it is being typed.
const std::string& OwnText(const TScriptDocument& script, const TScriptElement& cue) {
  static const std::string none;
  if (const std::string* edited = script.EditedText(cue)) return *edited;
  return cue.text ? *cue.text : none;
}

}  // namespace

std::string CharacterExtensionText(TScriptDocument& script, TScriptElement& cue) {
  if (cue.Kind() != ekCharacterName) return {};
  const Byte code = NormalCueCode(cue.split);
  const int state = CueContinuedState(code);
  const std::string& continued = script.CharacterContinuedText;
  const std::string& acrossPages = script.MoreContinuedText;
  const std::string& separator = script.ContinuedSeparator;
  const bool join = script.JoinSceneExtensions != 0;
  const bool afterName = script.ContinuedPosition == 0;
  std::string entry;
  bool extension = CueHasExtension(code);
  if (extension) entry = UserListEntry(script.UserLists, TUserList::Extension, CueExtensionEntry(code));
  std::string s;
  if (extension && entry.empty()) {
    SetCueExtension(cue, NoExtensionCode);
    extension = false;
  } else if (extension) {
    s = " (" + entry;
    const bool staysOpen = !SameUpper(entry, acrossPages) && afterName && state == 1 && join;
    if (!staysOpen) s += ")";
  }
  if (!continued.empty() && afterName && state == 1) {
    if (extension && SameUpper(entry, continued)) {
      if (s.empty() || s.back() != ')') s += ")";
    } else {
      // The separator joins only a parenthesis still open; a closed one is
      // followed by a pair of its own.
      const bool open = extension && join && !s.empty() && s.back() != ')';
      s += open ? separator : std::string(" (");
      s += continued + ")";
    }
  }
  if (!(extension && SameUpper(entry, acrossPages)) && !acrossPages.empty() && state == 2)
    s += " (" + acrossPages + ")";
  std::erase(s, '&');
  if (join && OwnText(script, cue).find(')') != std::string::npos)
    if (const std::size_t at = s.find(" ("); at != std::string::npos) s.replace(at, 2, separator);
  return s;
}

std::size_t ContinuedMarkEnd(const TScriptDocument& script, std::string_view text) {
  const std::string& continued = script.CharacterContinuedText;
  const std::string& separator = script.ContinuedSeparator;
  const std::size_t at = !text.empty() && text[0] == '(' ? 1 : 0;
  if (continued.empty() || text.compare(at, continued.size(), continued) != 0) return 0;
  std::size_t end = at + continued.size();
  for (std::size_t taken = 0; taken < separator.size() && end < text.size() && text[end] == separator[taken]; ++taken)
    ++end;
  return end;
}

bool FollowsContinuedName(const TScriptDocument& script, const TScriptElement& element) {
  const TScriptElement* cue = element.prev;
  return element.Kind() == ekParenthetical && script.ContinuedPosition == 1 && cue && cue->Kind() == ekCharacterName &&
         CueContinuedState(NormalCueCode(cue->split)) == 1;
}

}  // namespace qm
