// Quick entry: a line built from up to four pick lists and a template
// ("[#] / [1] / [2]"), typed into the script at the caret. Each script has
// its settings file beside it (its name with ".QTE") naming its four list
// files; items already used carry a bullet.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

constexpr int QuickEntryListCount = 4;
constexpr Byte UsedBullet = 149;

// ---- List items ----
// An item keeps a two-character mark before its text: two blanks while
// unused, the bullet and a blank once used.

// The item a line of a list file makes. A line already marked keeps its
// mark; any other line (one that starts with a single blank too) is the
// text of an unused item, whole.
std::string QuickEntryItemOf(std::string_view line);
// The lines of a list file's bytes as items (empty lines left out).
std::vector<std::string> ParseQuickEntryList(std::string_view bytes);
bool IsUsedItem(std::string_view item);
// The item's text, without its mark.
std::string ItemText(std::string_view item);
// The item marked as used.
std::string MarkUsed(std::string_view item);

// ---- Settings ----

// The element types a quick entry may start, in the drop-down's order.
inline constexpr std::array<const char*, 5> QuickEntryTypeNames{"Action", "Scene Heading", "Script Note", "Shot",
                                                                "Transition"};

struct TQuickEntrySettings {
  std::array<std::string, QuickEntryListCount> listFiles;
  bool startNewElement = true;
  int elementType = 2;
  std::string format;
};

// The script's settings file; empty for a script without a name.
std::string QuickEntrySettingsPath(const TScriptDocument& script);
// The template when the file names none: "[#]" and a token per list whose
// file exists.
std::string DefaultQuickEntryTemplate(const std::array<bool, QuickEntryListCount>& listsThere);
// Whether the settings file is there as the writer's own: another user's
// file, or a link another user made, counts as none.
bool HasQuickEntrySettings(const std::string& path);
// The defaults for a file that is not the writer's own.
TQuickEntrySettings ReadQuickEntrySettings(const std::string& path);
// Writes the keys into the writer's own file (a fresh one in place of
// anything else under the name), which takes the name whole with `mode`
// (its script's; without one, its writer's alone). Why it failed, or
// nothing when it was written.
std::optional<std::string> WriteQuickEntrySettings(const std::string& path, const TQuickEntrySettings& settings,
                                                   std::optional<unsigned> mode = std::nullopt);

// ---- The text ----

// The number of the scene the caret is in, as the template's "[#]" gives it.
std::string QuickEntrySceneNumber(const TMDIChild& script);
// The template with its first "[#]" as the scene number and its first
// "[1]".."[4]" as the selected item of each list (removed when none).
std::string ExpandQuickEntryTemplate(std::string text, const std::string& sceneNumber,
                                     const std::array<std::optional<std::string>, QuickEntryListCount>& selected);
// The text at the end of the current element's edit line, or in a new
// element of the type (an index of QuickEntryTypeNames; negative for none).
void InsertQuickEntry(TMDIChild& script, const std::string& text, int newElementType);

}  // namespace qm
