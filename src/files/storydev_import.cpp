#include "files/storydev_import.h"

#include <algorithm>
#include <bit>
#include <string_view>

#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "script/model/packed_text.h"
#include "script/editing/script_list_data.h"
#include "script/model/user_list_entries.h"

namespace qm {

namespace {

constexpr std::string_view kMagic = "DrSwFVER";
constexpr std::size_t kStateSize = 4;
constexpr std::size_t MaxNameChars = 20;
constexpr std::size_t MaxNames = 15;

DWord ReadState(std::span<const Byte> bytes) {
  return static_cast<DWord>(bytes[0]) | static_cast<DWord>(bytes[1]) << 8 | static_cast<DWord>(bytes[2]) << 16 |
         static_cast<DWord>(bytes[3]) << 24;
}

DWord BigEndian(std::span<const Byte> bytes, std::size_t at) {
  return static_cast<DWord>(bytes[at]) << 24 | static_cast<DWord>(bytes[at + 1]) << 16 |
         static_cast<DWord>(bytes[at + 2]) << 8 | static_cast<DWord>(bytes[at + 3]);
}

bool HasMagic(std::span<const Byte> head, DWord state) {
  std::array<Byte, kMagic.size()> copy{};
  std::copy_n(head.begin(), copy.size(), copy.begin());
  DescrambleBlock(copy, state, false);
  return std::equal(copy.begin(), copy.end(), kMagic.begin());
}

std::optional<Byte> KindOfTag(std::string_view tag) {
  if (tag == "TITL") return ekCenteredTitle;
  if (tag == "CNOT" || tag == "SDES") return ekAction;
  if (tag == "SNAM") return ekSceneHeading;
  if (tag == "SNOT") return ekScriptNote;
  return std::nullopt;
}

void TakeRecord(std::string_view tag, std::string_view text, TStoryDevData& data) {
  if (tag == "CNAM") {
    data.characterNames.push_back(AnsiUpperCase(text.substr(0, MaxNameChars)));
    return;
  }
  if (const auto kind = KindOfTag(tag)) {
    TImportedElement element;
    element.kind = *kind;
    element.text.assign(text.substr(0, MaxElementChars));
    data.elements.push_back(std::move(element));
  }
}

}  // namespace

DWord DescrambleBlock(std::span<Byte> data, DWord state, bool scrambling) {
  for (Byte& b : data) {
    const Byte before = b;
    b = static_cast<Byte>(b ^ (state & 0xFF));
    const Byte plain = scrambling ? before : b;
    state = std::rotl(state, 19) + plain + 7;
  }
  return state;
}

DWord SwapLongBytes(DWord value) {
  return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

bool HasStoryDevMagic(std::span<const Byte> bytes) {
  if (bytes.size() < kStateSize + kMagic.size()) return false;
  const DWord state = ReadState(bytes);
  return HasMagic(bytes.subspan(kStateSize), state) || HasMagic(bytes.subspan(kStateSize), SwapLongBytes(state));
}

bool ReadStoryDevData(std::span<const Byte> bytes, TStoryDevData& data) {
  data = TStoryDevData{};
  // The magic is checked after unscrambling: data that is not exchange
  // data is refused, never read as records.
  if (!HasStoryDevMagic(bytes)) return false;
  DWord state = ReadState(bytes);
  const std::span<const Byte> scrambled = bytes.subspan(kStateSize);
  if (!HasMagic(scrambled, state)) state = SwapLongBytes(state);
  std::vector<Byte> body(scrambled.begin(), scrambled.end());
  DescrambleBlock(body, state, false);
  // The first record's tag is the magic's second half.
  for (std::size_t at = 4; body.size() - at >= 8;) {
    const std::string_view tag(reinterpret_cast<const char*>(body.data() + at), 4);
    if (tag == "LAST") break;
    const DWord length = BigEndian(body, at + 4);
    at += 8;
    if (length < 1 || length > body.size() - at) break;
    TakeRecord(tag, std::string_view(reinterpret_cast<const char*>(body.data() + at), length), data);
    at += length;
  }
  return true;
}

int AddStoryDevNames(TMDIChild& script, const std::vector<std::string>& names) {
  TUserListTables& lists = RecordOf(script).UserLists;
  int added = 0;
  for (const std::string& name : names) {
    const auto existing = LeadingEntries(lists, TUserList::CharNames);
    const bool known = std::any_of(existing.begin(), existing.end(), [&name](const std::string& entry) {
      return AnsiUpperCase(DisplayText(entry)) == name;
    });
    const int slot = FirstEmptySlot(lists, TUserList::CharNames);
    if (known || slot == 0 || static_cast<std::size_t>(slot) > MaxNames) continue;
    SetUserListEntry(lists, TUserList::CharNames, slot, name);
    ++added;
  }
  if (added > 0) UserListsChanged(script);
  return added;
}

bool ReadStoryDevExchange(std::span<const Byte> bytes, TStoryDevData& data) {
  if (ReadStoryDevData(bytes, data)) return true;
  ShowMessageBox(StoryDevDamagedMessage, "");
  return false;
}

}  // namespace qm
