#include "language/quick_entry.h"

#include <algorithm>

#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/ipc.h"
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

bool HasQuickEntrySettings(const std::string& path) {
  const std::string real = FollowLinks(path);
  return FileExists(real) && !IsLink(real) && !OtherUserOwning(real);
}

TQuickEntrySettings ReadQuickEntrySettings(const std::string& path) {
  TQuickEntrySettings s;
  std::optional<TIniFile> own;
  if (HasQuickEntrySettings(path)) own.emplace(path);
  std::array<bool, QuickEntryListCount> there{};
  for (int i = 0; i < QuickEntryListCount && own; ++i) {
    s.listFiles[static_cast<std::size_t>(i)] = own->ReadString("Lists", ListKey(i), "");
    there[static_cast<std::size_t>(i)] = FileExists(s.listFiles[static_cast<std::size_t>(i)]);
  }
  s.format = DefaultQuickEntryTemplate(there);
  if (!own) return s;
  s.startNewElement = own->ReadBool("Start New Box", "Checked", true);
  s.elementType = std::clamp(own->ReadInteger("ElementType", "Which", 2), 0, static_cast<int>(TypeKinds.size()) - 1);
  s.format = own->ReadString("Text", "Format", s.format);
  return s;
}

namespace {

void WriteKeys(TIniFile& ini, const TQuickEntrySettings& s) {
  for (int i = 0; i < QuickEntryListCount; ++i) {
    const std::string& file = s.listFiles[static_cast<std::size_t>(i)];
    if (file.empty()) ini.DeleteKey("Lists", ListKey(i));
    else ini.WriteString("Lists", ListKey(i), file);
  }
  ini.WriteBool("Start New Box", "Checked", s.startNewElement);
  ini.WriteInteger("ElementType", "Which", s.elementType);
  ini.WriteString("Text", "Format", s.format);
}

// The settings as the writer's own file holds them once the keys are
// written, put together in the writer's private folder; nullopt when that
// could not be done.
std::optional<std::vector<std::uint8_t>> ComposedSettings(const std::string& path, const TQuickEntrySettings& s) {
  const std::string aside = JoinPath(RuntimeFolder(), ProcessFileName(CurrentProcess(), "QTE"));
  const std::vector<std::uint8_t> start = HasQuickEntrySettings(path)
                                              ? ReadFileBytes(path).value_or(std::vector<std::uint8_t>{})
                                              : std::vector<std::uint8_t>{};
  std::optional<std::vector<std::uint8_t>> composed;
  if (WriteFileAtomic(aside, start.data(), start.size())) {
    try {
      TIniFile ini(aside);
      WriteKeys(ini, s);
      composed = ReadFileBytes(aside);
    } catch (const EIniFileError&) {
    }
  }
  DeleteFile(aside);
  return composed;
}

}  // namespace

std::optional<std::string> WriteQuickEntrySettings(const std::string& path, const TQuickEntrySettings& s,
                                                   std::optional<unsigned> mode) {
  const auto bytes = ComposedSettings(path, s);
  if (!bytes) return "there was no room to put the settings together in " + PathToText(RuntimeFolder());
  // Never written through another user's link or file: a new file of the
  // writer's takes the name, with its script's mode before it has it.
  TFileReplacement file(path);
  file.TakeMode(mode.value_or(0600));
  if (file.Create() && file.Write(bytes->data(), bytes->size()) && file.Commit()) return std::nullopt;
  return FileFailureText(file.LastError(), file.FailedPath());
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
    editor::StartElementAtCaret(script, format, false);
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
