#include "files/user_list_loading.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "files/script_header.h"
#include "files/storydev_import.h"
#include "platform/files.h"
#include "script/editing/editor_calls.h"
#include "script/editing/script_list_data.h"
#include "base/document_table.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

bool StartsWithTag(std::span<const Byte> bytes, std::string_view tag) {
  return bytes.size() >= tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin());
}

// The whole file, or nothing after the writer was told why.
std::optional<std::vector<Byte>> ReadListSource(const std::string& fileName, const std::string& missingText,
                                                const std::string& missingCaption) {
  if (!FileExists(fileName)) {
    ShowMessageBox(PathToText(fileName) + missingText, missingCaption);
    return std::nullopt;
  }
  std::string error;
  auto bytes = ReadFileBytes(fileName, &error);
  if (!bytes) ShowMessageBox("Unable to read " + PathToText(fileName) + ":\r" + error + ".", "Warning");
  return bytes;
}

void ListsChanged(TMDIChild& script) {
  UserListsChanged(script);
  editor::SetActiveScriptModifiedUnrevised();
}

}  // namespace

bool LoadUserListsFromScript(const std::string& fileName) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  const auto bytes = ReadListSource(fileName, " not found!", PromptTable(16));
  if (!bytes) return false;
  const std::string name = PathToText(fileName);
  if (StartsWithTag(*bytes, DosScriptTag)) {
    ShowMessageBox("The script " + name + " was saved in the DOS format, which keeps no User Lists.", "Attention");
    return false;
  }
  if (!StartsWithTag(*bytes, WindowsScriptTag)) {
    ShowMessageBox(name + " is not a Quillmaster script, so it has no User Lists to load.", "Attention");
    return false;
  }
  // Decoded into a scratch record so that nothing but the lists can change.
  TScriptRecord read;
  TFontNames fonts;
  THeaderInfo info;
  std::string error;
  if (!DecodeScriptHeader(*bytes, hgUserLists, read, fonts, info, nullptr, error)) {
    ShowMessageBox("Unable to load the User Lists of " + name + ":\r" + error + ".", "Warning");
    return false;
  }
  editor::SaveSettingsUndoStep(*script);
  RecordOf(*script).UserLists = read.UserLists;
  ListsChanged(*script);
  ShowMessageBox("The User Lists of " + name + " have been loaded.", PromptTable(23));
  return true;
}

bool LoadUserListsFromStoryDev(const std::string& fileName) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  const auto bytes = ReadListSource(fileName, " not Found!", "");
  if (!bytes) return false;
  TStoryDevData data;
  if (!ReadStoryDevExchange(*bytes, data)) return false;
  editor::SaveSettingsUndoStep(*script);
  if (AddStoryDevNames(*script, data.characterNames) > 0) editor::SetActiveScriptModifiedUnrevised();
  ShowMessageBox("Import of StoryDev file\rinto User Lists is complete.", "Attention");
  return true;
}

}  // namespace qm
