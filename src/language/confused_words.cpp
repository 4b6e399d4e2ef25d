#include "language/confused_words.h"

#include <algorithm>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "platform/text_trim.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* DefaultGroups[] = {"their : they're : there", "it's : its"};
constexpr char CodeStandIn = 1;

std::string Key(std::size_t n) { return "Words " + std::to_string(n); }

std::vector<std::string> WordsOf(const std::string& group) {
  std::vector<std::string> words;
  std::size_t from = 0;
  for (std::size_t at = group.find(" : "); at != std::string::npos; at = group.find(" : ", from)) {
    words.push_back(group.substr(from, at - from));
    from = at + 3;
  }
  words.push_back(group.substr(from));
  return words;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " : ") + w;
  return out;
}

bool IsLetter(char ch) { return IsAnsiAlpha(static_cast<Byte>(ch)); }

// The script text as the check compares it: capitals, codes as byte 1.
std::string Comparable(const std::string& text, const CharSet& codes) {
  std::string out = text;
  for (char& ch : out) ch = codes.Contains(ch) ? CodeStandIn : static_cast<char>(AnsiUpper(static_cast<Byte>(ch)));
  return out;
}

// The chosen word typed over the found one in the edit line, as the writer
// would type it (in the revision colour, its line marked); the caret after
// it. False when the element cannot hold it.
bool TypeInstead(TMDIChild& script, const TConfusedHit& hit, const std::string& chosen) {
  const std::string typed = AlternativeLike(script.EditBuffer().substr(hit.start, hit.end - hit.start), chosen);
  if (!editor::RoomToType(script, hit.end - hit.start, typed)) return false;
  editor::ChangeEditText(script, [&](std::string& line) { line.erase(hit.start, hit.end - hit.start); });
  editor::SetCaretColumn(script, hit.start);
  editor::TypeAtCaret(script, typed);
  editor::RedisplayCurrent(script);
  editor::MarkCaretLineRevised(script);
  return true;
}

bool Examined(Byte kind) {
  return kind == ekAction || kind == ekDialogue || kind == ekParenthetical || kind == ekScriptNote;
}

}  // namespace

const char* const ConfusedWordsSection = "Confused Words";
const char* const NoColonMessage = "The words in the Words To Check field MUST each be separated by a colon!";

std::vector<std::string> ReadWordGroups(const TIniFile& ini) {
  std::vector<std::string> groups;
  for (std::size_t n = 1; n <= 2; ++n) {
    const std::string group = ini.ReadString(ConfusedWordsSection, Key(n), DefaultGroups[n - 1]);
    if (!group.empty()) groups.push_back(group);
  }
  for (std::size_t n = 3;; ++n) {
    const std::string group = ini.ReadString(ConfusedWordsSection, Key(n), "");
    if (group.empty()) break;
    groups.push_back(group);
  }
  return groups;
}

void SaveWordGroups(TIniFile& ini, const std::vector<std::string>& groups) {
  ini.EraseSection(ConfusedWordsSection);
  for (std::size_t n = 1; n <= groups.size(); ++n) ini.WriteString(ConfusedWordsSection, Key(n), groups[n - 1]);
  // Keys 1 and 2 written empty keep deleted defaults from coming back.
  for (std::size_t n = groups.size() + 1; n <= 2; ++n) ini.WriteString(ConfusedWordsSection, Key(n), "");
}

std::optional<std::string> NormaliseWordGroup(const std::string& typed) {
  std::string text = typed;
  text = TrimBlanks(text);
  if (text.find(':') == std::string::npos) return std::nullopt;
  std::vector<std::string> words;
  std::size_t from = 0;
  for (std::size_t at = text.find(':'); at != std::string::npos; at = text.find(':', from)) {
    words.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  words.push_back(text.substr(from));
  for (std::string& w : words) w = TrimBlanks(w);
  return Joined(words);
}

TConfusedTable BuildConfusedTable(const std::vector<std::string>& groups) {
  TConfusedTable table;
  for (const std::string& group : groups) {
    std::vector<std::string> words = WordsOf(AnsiUpperCase(group));
    for (std::size_t i = 0; i < words.size(); ++i) {
      table.push_back(words);
      std::rotate(words.begin(), words.begin() + 1, words.end());
    }
  }
  return table;
}

std::optional<TConfusedHit> FindConfusedWord(const std::string& text, std::size_t from, const TConfusedTable& table) {
  std::size_t at = from;
  while (at < text.size()) {
    if (!IsLetter(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    std::size_t wordEnd = end;
    while (wordEnd > at && !IsLetter(text[wordEnd - 1])) --wordEnd;
    const std::string word = text.substr(at, wordEnd - at);
    for (const auto& entry : table)
      if (!entry.empty() && entry.front() == word)
        return TConfusedHit{at, wordEnd, std::vector<std::string>(entry.begin() + 1, entry.end())};
    at = end;
  }
  return std::nullopt;
}

std::string AlternativeLike(const std::string& found, const std::string& chosen) {
  bool allCapitals = true;
  for (char ch : found)
    if (IsLetter(ch) && !IsAnsiUpper(static_cast<Byte>(ch))) allCapitals = false;
  if (allCapitals) return AnsiUpperCase(chosen);
  std::string out = AnsiLowerCase(chosen);
  if (!found.empty() && IsAnsiUpper(static_cast<Byte>(found[0])) && !out.empty())
    out[0] = static_cast<char>(AnsiUpper(static_cast<Byte>(out[0])));
  return out;
}

void CheckConfusedWords(TMDIChild& script, const std::vector<std::string>& groups, bool fromStart, TChooseWord choose) {
  editor::SaveUndoStep(script, ukWholeScript);
  if (groups.empty()) return;
  const TConfusedTable table = BuildConfusedTable(groups);
  editor::Assemble(script);
  TScriptElement* e = fromStart ? script.FirstElement : script.CurrentElement();
  const CharSet codes = CodeSetOf(script);
  bool cancelled = false;
  bool changed = false;
  for (; e && !cancelled; e = e->next) {
    if (!Examined(e->Kind()) || !e->text) continue;
    std::size_t from = 0;
    while (!cancelled) {
      const std::string text = ElementText(*e);
      const auto hit = FindConfusedWord(Comparable(text, codes), from, table);
      if (!hit) break;
      editor::MoveCaretTo(script, *e);
      editor::MarkBlock(script, *e, static_cast<int>(hit->start), *e, static_cast<int>(hit->end));
      editor::RedisplayScreen(script);
      const TModalResult answer = AskYesNoCancel("Is this the correct word?", "\tAttention", true);
      editor::ClearBlock(script, false);
      from = hit->end;
      if (answer == mrCancel) {
        cancelled = true;
      } else if (answer == mrNo) {
        const std::string chosen =
            hit->alternatives.size() == 1 ? hit->alternatives.front() : (choose ? choose(hit->alternatives) : "");
        if (!chosen.empty() && TypeInstead(script, *hit, chosen)) {
          from = script.CaretColumn();
          changed = true;
        }
      }
      editor::Assemble(script);
    }
  }
  editor::DisAssemble(script);
  // Each changed line was marked as it changed: the caret's is no other.
  if (changed) SetDocumentModified(true, false);
  editor::RedisplayScreen(script);
}

}  // namespace qm

#include "base/document_table.h"
#include "language/confused_words_dialog.h"

namespace qm {

namespace {

// The alternatives on the pop-up menu at the caret; "" when none is chosen.
std::string ChooseFromPopup(TCheckWordsDlg& dialog, TMDIChild& script, const std::vector<std::string>& alternatives) {
  std::string chosen;
  dialog.ChooseWordPopUp->Items()->Clear();
  for (const std::string& word : alternatives)
    dialog.ChooseWordPopUp->Items()->AddItem(
        word, [&chosen, word](TObject*) { chosen = word; }, 0, "");
  const TPoint at = script.ClientToScreen(editor::CaretScreenPoint(script));
  dialog.ChooseWordPopUp->Popup(at.X, at.Y);
  return chosen;
}

}  // namespace

void ShowConfusedWordsCheck() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  TCheckWordsDlg dialog(nullptr, false);
  dialog.SetGroups(ReadWordGroups(OpenSettingsFile()));
  bool fromStart = false;
  dialog.CheckForwardsButton->OnClick = [&](TObject*) {
    fromStart = false;
    dialog.ModalResult = mrYes;
  };
  dialog.CheckScriptButton->OnClick = [&](TObject*) {
    fromStart = true;
    dialog.ModalResult = mrYes;
  };
  const TModalResult result = dialog.ShowModal();
  TIniFile ini = OpenSettingsFile();
  SaveWordGroups(ini, dialog.Groups());
  if (result != mrYes) return;
  CheckConfusedWords(*script, dialog.Groups(), fromStart, [&](const std::vector<std::string>& alternatives) {
    return ChooseFromPopup(dialog, *script, alternatives);
  });
}

}  // namespace qm
