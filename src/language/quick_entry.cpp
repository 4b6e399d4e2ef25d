#include "language/quick_entry.h"

#include <algorithm>

#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/new_file.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/model/script_model.h"
#include "script/model/script_record.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

const std::string UnusedMark = "  ";
const std::string UsedMark = std::string(1, static_cast<char>(UsedBullet)) + " ";

constexpr std::array<TFormatSlot, 5> TypeSlots{fsAction, fsSceneHeading, fsScriptNote, fsShot, fsTransition};
constexpr std::array<Byte, 5> TypeKinds{ekAction, ekSceneHeading, ekScriptNote, ekShot, ekTransition};

std::string ListKey(int list) { return "#" + std::to_string(list + 1); }

}  // namespace

std::string QuickEntryItemOf(std::string_view line) {
  if (line.starts_with(UnusedMark) || line.starts_with(UsedMark)) return std::string(line);
  if (!line.empty() && static_cast<Byte>(line.front()) == UsedBullet) return UsedMark + std::string(line.substr(1));
  return UnusedMark + std::string(line);
}

std::vector<std::string> ParseQuickEntryList(std::string_view bytes) {
  std::vector<std::string> items;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view line = bytes.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!line.empty()) items.push_back(QuickEntryItemOf(line));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  return items;
}

bool IsUsedItem(std::string_view item) { return !item.empty() && static_cast<Byte>(item.front()) == UsedBullet; }

std::string ItemText(std::string_view item) { return std::string(item.substr(std::min<std::size_t>(2, item.size()))); }

std::string MarkUsed(std::string_view item) { return UsedMark + ItemText(item); }

std::string QuickEntrySettingsPath(const TScriptDocument& script) {
  if (!HasDrive(script.ScriptFileName)) return {};
  return ChangeFileExt(script.ScriptFileName, ".QTE");
}

std::string DefaultQuickEntryTemplate(const std::array<bool, QuickEntryListCount>& listsThere) {
  std::string text = "[#]";
  for (int i = 0; i < QuickEntryListCount; ++i)
    if (listsThere[static_cast<std::size_t>(i)]) text += " / [" + std::to_string(i + 1) + "]";
  return text;
}

TQuickEntrySettings ReadQuickEntrySettings(const std::string& path) {
  TQuickEntrySettings s;
  const TIniFile ini(path);
  std::array<bool, QuickEntryListCount> there{};
  for (int i = 0; i < QuickEntryListCount; ++i) {
    s.listFiles[static_cast<std::size_t>(i)] = ini.ReadString("Lists", ListKey(i), "");
    there[static_cast<std::size_t>(i)] = FileExists(s.listFiles[static_cast<std::size_t>(i)]);
  }
  s.startNewElement = ini.ReadBool("Start New Box", "Checked", true);
  s.elementType = std::clamp(ini.ReadInteger("ElementType", "Which", 2), 0, static_cast<int>(TypeKinds.size()) - 1);
  s.format = ini.ReadString("Text", "Format", DefaultQuickEntryTemplate(there));
  return s;
}

void WriteQuickEntrySettings(const std::string& path, const TQuickEntrySettings& s, unsigned widest) {
  // Made owner-only first, never through a link; each write below then
  // keeps the mode the file has.
  if (!CreateNewFile(path, widest)) KeepPermissionsWithin(path, widest);
  TIniFile ini(path);
  for (int i = 0; i < QuickEntryListCount; ++i) {
    const std::string& file = s.listFiles[static_cast<std::size_t>(i)];
    if (file.empty()) ini.DeleteKey("Lists", ListKey(i));
    else ini.WriteString("Lists", ListKey(i), file);
  }
  ini.WriteBool("Start New Box", "Checked", s.startNewElement);
  ini.WriteInteger("ElementType", "Which", s.elementType);
  ini.WriteString("Text", "Format", s.format);
}

std::string QuickEntrySceneNumber(const TMDIChild& script) {
  const TScriptElement* e = script.CurrentElement();
  while (e && e->prev && !IsSceneHeading(e->Kind())) e = e->prev;
  if (!e) return "0";
  if (script.InteractiveScript) return std::to_string(e->format.NumberWord);
  std::string number = std::to_string(e->group ? script.DisplayNumber(e->group) : 0);
  // A blank stands for no letter.
  if (e->Kind() != ekSceneHeading) number += static_cast<char>(script.DisplayNumberLetter(e->group));
  return number;
}

std::string ExpandQuickEntryTemplate(std::string text, const std::string& sceneNumber,
                                     const std::array<std::optional<std::string>, QuickEntryListCount>& selected) {
  if (const auto at = text.find("[#]"); at != std::string::npos) text.replace(at, 3, sceneNumber);
  for (int i = 0; i < QuickEntryListCount; ++i) {
    const std::string token = "[" + std::to_string(i + 1) + "]";
    const auto at = text.find(token);
    if (at == std::string::npos) continue;
    const auto& item = selected[static_cast<std::size_t>(i)];
    text.replace(at, token.size(), item ? ItemText(*item) : std::string());
  }
  return text;
}

void InsertQuickEntry(TMDIChild& script, const std::string& text, int newElementType) {
  if (!script.CurrentElement()) return;
  editor::SaveUndoStep(script, ukInsert);
  if (newElementType >= 0 && newElementType < static_cast<int>(TypeKinds.size())) {
    const auto type = static_cast<std::size_t>(newElementType);
    TElementFormat format = script.FormatSet[static_cast<std::size_t>(TypeSlots[type])];
    format.Kind = TypeKinds[type];
    editor::NewElement(script, format, false);
    editor::SetEditText(script, "");
  } else {
    editor::DisAssemble(script);
  }
  // An element holds no more than its edit line can.
  const std::size_t room = static_cast<std::size_t>(EditBufferSize - 1) -
                           std::min<std::size_t>(script.EditBuffer().size(), EditBufferSize - 1);
  editor::SetEditText(script, script.EditBuffer() + text.substr(0, room));
  editor::SetCaretColumn(script, script.EditBuffer().size());
  editor::RedisplayCurrent(script);
  editor::SetActiveScriptModified();
}

}  // namespace qm
