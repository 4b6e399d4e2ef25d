#include "breakdown/breakdown_record.h"

#include "breakdown/associations.h"
#include "breakdown/tags.h"
#include "language/character_names.h"
#include "platform/stringlist.h"
#include "platform/cp1252.h"
#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/model/element_kinds.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

constexpr Byte ExtrasCode = 7;
constexpr Byte ExtrasStandIn = 24;  // an Extras code already read, till the text is done

bool HasItem(const std::vector<std::string>& list, const std::string& item) {
  const std::string wanted = AnsiUpperCase(item);
  for (const std::string& have : list)
    if (AnsiUpperCase(have) == wanted) return true;
  return false;
}

// The item without the codes, and (unless kept) without "~" past a leading one.
std::string CleanItem(const std::string& item, const CharSet& codes, bool keepTildes = false) {
  std::string out;
  for (std::size_t i = 0; i < item.size(); ++i) {
    const char ch = item[i];
    if (codes.Contains(ch)) continue;
    if (ch == OffEntryMark && i != 0 && !keepTildes) continue;
    out += ch;
  }
  return out;
}

bool ExtractedItemKind(Byte kind) { return kind == ekAction || kind == ekScriptNote; }

}  // namespace

void AddItem(BreakdownRecord& record, Byte code, std::string item, const CharSet& codes) {
  item = CleanItem(item, codes + TagCodeSet);
  const int slot = RecordSlotOfTagCode(code);
  if (slot < 0) return;
  if (slot == rsCastMembers) item = AnsiUpperCase(item);
  std::vector<std::string>& list = record.Items[static_cast<std::size_t>(slot)];
  if (!HasItem(list, item)) list.push_back(item);
}

void ExtractTaggedItems(BreakdownRecord& record, std::string& text, const CharSet& codes) {
  const CharSet itemCodes = codes + TagCodeSet;
  for (std::size_t end = text.rfind(static_cast<char>(TagEnd)); end != std::string::npos;
       end = text.rfind(static_cast<char>(TagEnd))) {
    const std::size_t open = OpeningCodeOf(text, end);
    const std::size_t from = open == std::string::npos ? 0 : open + 1;
    std::string item = ShortString(text.substr(from, end - from));
    item = CleanItem(item, itemCodes, true);
    item = TrimBlanks(item);
    if (open != std::string::npos) AddItem(record, static_cast<Byte>(text[open]), item, codes);
    text.erase(end, 1);
    if (open == std::string::npos) continue;
    if (static_cast<Byte>(text[open]) == ExtrasCode) text[open] = static_cast<char>(ExtrasStandIn);
    else text.erase(open, 1);
  }
  for (char& ch : text)
    if (static_cast<Byte>(ch) == ExtrasStandIn) ch = static_cast<char>(ExtrasCode);
}

BreakdownRecord ScriptTaggedItems(const TScriptDocument& script) {
  BreakdownRecord record;
  const CharSet codes = CodeSetOf(script);
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (IsHiddenFromLists(*e) || !ExtractedItemKind(e->Kind())) continue;
    std::string text = LiveElementText(script, *e);
    ExtractTaggedItems(record, text, codes);
  }
  return record;
}

BreakdownRecord GatherAllSceneBreakdowns(TMDIChild& script) {
  BreakdownRecord record = editor::WithEditLineStored(script, [&] { return ScriptTaggedItems(script); });
  const TAssociationLists associations = ScriptAssociations(script);
  std::vector<std::string> characters;
  if (!associations.Empty()) {
    TStringList names;
    CollectCharacterNames(0, false, false, names, false);
    for (int i = 0; i < names.Count(); ++i) characters.push_back(names[i]);
  }
  // Also without associations: the off entries cancel their items.
  ApplyAssociations(record, associations, characters, TRecordNames::WholeScript);
  return record;
}

}  // namespace qm
