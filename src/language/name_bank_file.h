// NAMEBANK.FIL, the name bank's data file: a table of 78 offsets (three
// lists, male, female and family, of 26 letters each), then each letter's
// names front-coded one after another. An entry is a byte whose high
// nibble h keeps h - 1 characters of the name before (0: all of it) and
// whose low nibble counts the fragment codes that follow, then the
// fragment codes (1-based slots of the list's fragment table), then the
// rest in letters, then 0xFF. A null ends a letter's names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

enum TNameList : int { nlMale = 1, nlFemale = 2, nlFamily = 3 };

constexpr std::size_t NameBankLetterTableSize = 312;
constexpr std::size_t NameBankLetterLimit = 16384;
constexpr unsigned char NameEntryEnd = 0xFF;
constexpr std::size_t MaxFragmentLength = 10;

using TLetterTable = std::array<std::uint32_t, 78>;

// The fragments of a list; code c is entry c - 1.
const std::vector<std::string>& NameFragments(TNameList list);

// The first character upper case, and each one after a blank or an
// apostrophe; for family names also the third when the first two are
// "Mc". Nothing is made lower case.
std::string CapitalizeBankName(bool family, std::string name);

// The slot of a list's letter in the letter table.
std::size_t LetterSlot(TNameList list, char letter);

// One entry (without its 0xFF) decoded against the name before it.
std::string DecodeNameEntry(std::string_view entry, const std::string& previous, TNameList list);

// The names of one letter from the bytes at its offset (at most 16,384 are
// read): entries are decoded while their names begin with the letter. An
// entry cut off before its end mark is not a name.
std::vector<std::string> DecodeNameLetter(std::string_view data, TNameList list, char letter);

// The file once read: its letter table and bytes.
class TNameBankFile {
 public:
  enum class TOpen { Opened, Missing, Unreadable };
  TOpen Open(const std::string& path);
  // From bytes in memory: false when they are too short for the table.
  bool Assign(std::vector<std::uint8_t> bytes);
  const TLetterTable& Letters() const { return letters_; }
  // The names of a letter ("A".."Z") of a list; none for anything else.
  std::vector<std::string> ReadLetter(TNameList list, char letter) const;

 private:
  TLetterTable letters_{};
  std::vector<std::uint8_t> bytes_;
};

}  // namespace qm
