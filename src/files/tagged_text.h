// Tagged text (*.TAG) as another screenplay program saves it: a line in
// square brackets names the style of the paragraphs that follow, and lines
// that begin with "<" and a code letter carry the text (C cue, D dialogue,
// P parenthetical, E a cue's extension, S dropped, a character
// attributes). Style names met for the first time are put to the writer,
// and the answers kept in IMPORTSW.DAT so each is asked once.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/imported_text.h"
#include "script/model/script_model.h"

namespace qm {

inline constexpr const char* StyleTableFileName = "IMPORTSW.DAT";
constexpr int MaxStyleEntries = 30;
constexpr std::size_t StyleNameCapacity = 30;
constexpr std::size_t StyleRecordSize = 45;

struct TTaggedStyle {
  // As it stands in the tag line, brackets included, cut to 30.
  std::string name;
  TElementFormat format;
  Byte carried = 0;
  bool skip = false;
};

class TStyleTable {
 public:
  // The entry whose stored name is the line's stored form; -1 when none.
  int Find(std::string_view tagLine) const;
  // A new entry for the line; -1 when the table is full.
  int Add(std::string_view tagLine);
  TTaggedStyle& operator[](int index) { return entries_[static_cast<std::size_t>(index)]; }
  const TTaggedStyle& operator[](int index) const { return entries_[static_cast<std::size_t>(index)]; }
  int Count() const { return static_cast<int>(entries_.size()); }

  // The stored records: 45 bytes each, the first one of an empty name ends them.
  static TStyleTable FromBytes(std::span<const Byte> bytes);
  std::vector<Byte> ToBytes() const;

 private:
  std::vector<TTaggedStyle> entries_;
};

// Where the answers are kept: the settings folder.
std::string StyleTablePath();
TStyleTable ReadStyleTable();
bool WriteStyleTable(const TStyleTable& table);

// Gives an entry the writer's choice for it (a row of the style picker).
void ApplyStyleChoice(TTaggedStyle& entry, int choice, const TFormatSet& formats);

struct TTaggedTextResult {
  TImportedElements elements;
  bool isTagged = true;
  bool cancelled = false;
};

// Asks what a new style is: the chosen row of the "Define Element Type"
// dialog, or no answer when the writer cancels the import.
using TStyleQuestion = std::function<std::optional<int>(const std::string& question)>;

// Reads the lines of a tagged file into elements, asking about new styles.
TTaggedTextResult ReadTaggedText(std::string_view text, TStyleTable& table, const TFormatSet& formats,
                                 const TStyleQuestion& ask);

// The question the import puts with the program's dialog: Cancel there asks
// "Are you sure?" ("Cancel Import?"); No asks the style again.
std::optional<int> AskStyleOrCancel(const std::string& question);

inline constexpr const char* NotTaggedMessage = "This is NOT a Scriptware Tagged File!";

}  // namespace qm
