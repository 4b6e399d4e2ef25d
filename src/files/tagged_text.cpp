#include "files/tagged_text.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "files/style_picker.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

constexpr int kFormatOffset = 31;
constexpr int kCarriedOffset = 43;
constexpr int kSkipOffset = 44;
constexpr Byte kNoExtension = 0;

std::string_view StoredForm(std::string_view line) { return line.substr(0, StyleNameCapacity); }

// The lines of the text, whole, without their line ends.
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

bool LooksTagged(const std::vector<std::string_view>& lines) {
  return std::any_of(lines.begin(), lines.end(), [](std::string_view l) {
    return (l.starts_with("[") && l.find(']') != std::string_view::npos) || (l.starts_with("<") && l.size() >= 3);
  });
}

Byte ExtensionKindOf(std::string_view line) {
  std::string rest(line.size() > 3 ? line.substr(3) : std::string_view{});
  if (rest.starts_with("(")) rest.erase(0, 1);
  if (rest.ends_with(")")) rest.pop_back();
  std::erase(rest, '.');
  rest = AnsiUpperCase(rest);
  if (rest == "OS") return 1;
  if (rest == "VO") return 2;
  return kNoExtension;
}

// The on-codes and off-codes of a character attribute value.
std::pair<std::string, std::string> AttributeCodes(char value) {
  const int v = static_cast<Byte>(value);
  const int bits = v >= 33 && v <= 39 ? v - 32 : v >= 41 && v <= 47 ? v - 40 : 0;
  std::string on, off;
  if (bits & 1) on += static_cast<char>(BoldOn), off += static_cast<char>(BoldOff);
  if (bits & 4) on += static_cast<char>(ItalicsOn), off += static_cast<char>(ItalicsOff);
  if (bits & 2) on += static_cast<char>(UnderlineOn), off += static_cast<char>(UnderlineOff);
  std::reverse(off.begin(), off.end());
  return {on, off};
}

class TTaggedReader {
 public:
  TTaggedReader(TStyleTable& table, const TFormatSet& formats, const TStyleQuestion& ask)
      : table_(table), formats_(formats), ask_(ask) {}

  TTaggedTextResult Read(const std::vector<std::string_view>& lines) {
    for (std::size_t i = 0; i < lines.size() && !result_.cancelled; ++i) {
      std::string_view line = lines[i];
      if (skipping_) {
        if (!(line.empty() || line.starts_with(";") || line.starts_with("["))) continue;
        skipping_ = false;
      }
      if (line.starts_with("[c")) continue;
      if (line.starts_with("[")) {
        TagLine(line);
        continue;
      }
      if (line.size() >= 2 && line[1] == 'E') {
        extension_ = ExtensionKindOf(line);
        if (++i >= lines.size()) break;
        line = lines[i];
      }
      TextLine(line);
    }
    return std::move(result_);
  }

 private:
  Byte StyleKind() const { return current_ < 0 ? Byte{ekAction} : table_[current_].format.Kind; }

  void TagLine(std::string_view line) {
    const int previous = current_;
    int index = table_.Find(line);
    if (index < 0) {
      index = table_.Add(line);
      if (index < 0) return;  // a full table: the line is left unused
      if (!Define(table_[index], line)) return;
    }
    const TTaggedStyle& entry = table_[index];
    const std::string_view name = entry.name;
    if (entry.skip) {
      current_ = previous;
      skipping_ = true;
    } else if (entry.format.Kind == ekForcedPageBreak) {
      TImportedElement pageBreak;
      pageBreak.kind = ekForcedPageBreak;
      pageBreak.text = " ";
      Push(std::move(pageBreak));
    } else if (name == "[Act]" || name == "[Sub Act]" || (name == "[Scene Number]" && afterAct_)) {
      // Only closes the element being built: each text line is its own.
    } else {
      current_ = index;
    }
    afterAct_ = name == "[Act]" || name == "[Sub Act]";
  }

  bool Define(TTaggedStyle& entry, std::string_view line) {
    const std::optional<int> choice = ask_("What is: " + std::string(line) + "?");
    if (!choice) {
      result_.cancelled = true;
      return false;
    }
    ApplyStyleChoice(entry, *choice, formats_);
    return true;
  }

  void TextLine(std::string_view line) {
    const char letter = line.size() >= 2 ? line[1] : '\0';
    const char previousLetter = previousLetter_;
    previousLetter_ = letter;
    if (line.empty()) return;
    if (letter == 'a') {
      if (line.size() > 3) pendingCodes_ = AttributeCodes(line[3]);
      return;
    }
    if (letter == 'S' || line.ends_with(">")) return;
    std::string text(line.size() > 3 ? line.substr(3) : std::string_view{});
    Byte kind = StyleKind();
    if (kind == ekSceneInformation || kind == ekLockedSceneInformation) text = "SCENE";
    else if (kind == ekEndOfActText) text = "END OF ";
    else if (kind == ekActInformation) {
      if (actText_.empty() || actText_ != text) kind = ekActStart;
      actText_ = text;
      text = "ACT ";
    }
    if (letter == 'C') kind = ekCharacterName;
    else if (letter == 'P') kind = ekParenthetical;
    else if (letter == 'D' && !(previousLetter == 'T' && IsSceneHeading(StyleKind()))) kind = ekDialogue;
    else if (letter == 'D') text = "-- " + text;
    if (current_ >= 0 && table_[current_].name == "[Cast List]") {
      const std::size_t open = text.find('('), close = text.rfind(')');
      if (open != std::string::npos && close != std::string::npos && close > open)
        text = text.substr(open + 1, close - open - 1);
    }
    if (kind == ekCharacterName) TrimTrailingBlanks(text);
    while (!text.empty() && CodeCharSet.Contains(text.back())) text.pop_back();
    const auto [on, off] = std::exchange(pendingCodes_, {});
    Byte extension = kind == ekCharacterName ? std::exchange(extension_, kNoExtension) : kNoExtension;
    for (std::string& piece : PiecesOf(text, MaxElementChars - on.size() - off.size())) {
      TImportedElement element;
      element.kind = kind;
      element.text = on + piece + off;
      element.extensionKind = std::exchange(extension, kNoExtension);
      Push(std::move(element));
    }
  }

  // A paragraph longer than an element holds goes on in the next, cut at
  // the last blank that leaves a fair piece, else where the room ends.
  static std::vector<std::string> PiecesOf(std::string_view text, std::size_t room) {
    std::vector<std::string> pieces;
    while (text.size() > room) {
      std::size_t cut = text.rfind(' ', room);
      const bool atBlank = cut != std::string_view::npos && cut >= room / 2;
      if (!atBlank) cut = room;
      pieces.emplace_back(text.substr(0, cut));
      text.remove_prefix(atBlank ? cut + 1 : cut);
    }
    pieces.emplace_back(text);
    return pieces;
  }

  // A cue that repeats the one of the speech before it goes.
  bool RepeatsCue(const TImportedElement& cue) const {
    for (auto it = result_.elements.rbegin(); it != result_.elements.rend(); ++it) {
      if (it->kind == ekDialogue || it->kind == ekParenthetical) continue;
      return it->kind == ekCharacterName && SameText(TrimBlanks(it->text), TrimBlanks(cue.text));
    }
    return false;
  }

  void Push(TImportedElement element) {
    if (element.kind == ekCharacterName && RepeatsCue(element)) return;
    result_.elements.push_back(std::move(element));
  }

  TStyleTable& table_;
  const TFormatSet& formats_;
  const TStyleQuestion& ask_;
  TTaggedTextResult result_;
  int current_ = -1;
  bool skipping_ = false;
  bool afterAct_ = false;
  char previousLetter_ = '\0';
  Byte extension_ = kNoExtension;
  std::string actText_;
  std::pair<std::string, std::string> pendingCodes_;
};

}  // namespace

int TStyleTable::Find(std::string_view tagLine) const {
  const std::string_view stored = StoredForm(tagLine);
  for (int i = 0; i < Count(); ++i)
    if (entries_[static_cast<std::size_t>(i)].name == stored) return i;
  return -1;
}

int TStyleTable::Add(std::string_view tagLine) {
  if (Count() >= MaxStyleEntries) return -1;
  TTaggedStyle entry;
  entry.name.assign(StoredForm(tagLine));
  entries_.push_back(std::move(entry));
  return Count() - 1;
}

TStyleTable TStyleTable::FromBytes(std::span<const Byte> bytes) {
  TStyleTable table;
  for (std::size_t at = 0; at + StyleRecordSize <= bytes.size() && table.Count() < MaxStyleEntries;
       at += StyleRecordSize) {
    const std::size_t length = std::min<std::size_t>(bytes[at], StyleNameCapacity);
    if (length == 0) break;
    TTaggedStyle entry;
    entry.name.assign(reinterpret_cast<const char*>(bytes.data() + at + 1), length);
    entry.format = TElementFormat::FromBytes(bytes.data() + at + kFormatOffset);
    entry.carried = bytes[at + kCarriedOffset];
    entry.skip = bytes[at + kSkipOffset] == 1;
    table.entries_.push_back(std::move(entry));
  }
  return table;
}

std::vector<Byte> TStyleTable::ToBytes() const {
  std::vector<Byte> bytes(StyleRecordSize * entries_.size(), 0);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Byte* record = bytes.data() + i * StyleRecordSize;
    const TTaggedStyle& entry = entries_[i];
    const std::size_t length = std::min(entry.name.size(), StyleNameCapacity);
    record[0] = static_cast<Byte>(length);
    std::copy_n(entry.name.begin(), length, record + 1);
    const auto format = entry.format.ToBytes();
    std::copy(format.begin(), format.end(), record + kFormatOffset);
    record[kCarriedOffset] = entry.carried;
    record[kSkipOffset] = entry.skip ? 1 : 0;
  }
  return bytes;
}

std::string StyleTablePath() { return JoinPath(ConfigFolder(), StyleTableFileName); }

TStyleTable ReadStyleTable() {
  const auto bytes = ReadFileBytes(StyleTablePath());
  return bytes ? TStyleTable::FromBytes(*bytes) : TStyleTable{};
}

bool WriteStyleTable(const TStyleTable& table) {
  const std::vector<Byte> bytes = table.ToBytes();
  return EnsureConfigFolder() && WriteFileAtomic(StyleTablePath(), bytes.data(), bytes.size());
}

void ApplyStyleChoice(TTaggedStyle& entry, int choice, const TFormatSet& formats) {
  entry.skip = false;
  entry.format = formats[fsAction];
  if (choice < 0 || choice >= StyleChoiceCount) return;
  const TStyleChoice& row = StyleChoices()[static_cast<std::size_t>(choice)];
  if (row.Ignore) {
    entry.skip = true;
    return;
  }
  if (row.FormatSlot == -1) entry.format = ForcedPageBreakFormat;
  else entry.format = formats[static_cast<std::size_t>(row.FormatSlot)];
  entry.format.Kind = row.Kind;
}

TTaggedTextResult ReadTaggedText(std::string_view text, TStyleTable& table, const TFormatSet& formats,
                                 const TStyleQuestion& ask) {
  const std::vector<std::string_view> lines = LinesOf(text);
  if (!LooksTagged(lines)) {
    TTaggedTextResult result;
    result.isTagged = false;
    return result;
  }
  return TTaggedReader(table, formats, ask).Read(lines);
}

std::optional<int> AskStyleOrCancel(const std::string& question) {
  while (true) {
    const int choice = AskStyleChoice(question);
    if (choice >= 0) return choice;
    if (AskYesNo("Are you sure?", "Cancel Import?", false)) return std::nullopt;
  }
}

}  // namespace qm
