// The settings-file class every routine uses for QUILLPAD.INI, and the
// shared globals set up with it at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

// A write or erase the system refused; the text names the file.
class EIniFileError : public std::runtime_error {
 public:
  explicit EIniFileError(const std::string& fileName);
};

// One settings file, opened for one use. Nothing is cached here: every
// call goes to the profile service (which keeps its own parse cache).
// While [Override] "Freeze INI" is true in the file, every write and erase
// does nothing, so that an administrator can fix the settings.
class TIniFile {
 public:
  // A bare name names a file in the settings folder.
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& FileName() const { return fileName_; }

  // At most 1,023 characters of the value, or Default when the key is missing.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
  // Decimal, or hexadecimal after "0x" or "$"; Default when the value is
  // missing or not a number that fits 32 bits.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  // ReadInteger stopped at the limits: a number that sizes or places
  // something on screen or paper must not take the arithmetic past int.
  int ReadIntegerWithin(const std::string& section, const std::string& ident, int defaultValue, int lowest,
                        int highest) const;
  // True when the number is not 0.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

  // Each throws EIniFileError when the system refuses the write.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);

  // Key names of a section and the section names, in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;
  std::vector<std::string> ReadSections() const;
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(const std::string& section) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;

  bool Frozen() const;

 private:
  std::string fileName_;
};

// The program's own settings file.
TIniFile OpenSettingsFile();

// The widest a screen place or size read from the settings may be, in
// pixels either way: far beyond any screen, and small enough that sums and
// products of a few of them stay within int.
constexpr int ScreenMeasureLimit = 16384;

// The class library's number parser as the settings use it: blanks, a
// sign, "$" for hexadecimal, then digits and nothing else. Hexadecimal
// numbers fill all 32 bits ("$FFFFFFFF" is -1); decimal ones must fit a
// signed 32-bit number.
std::optional<std::int32_t> ParseNumber(std::string_view text);

// ---- Shared globals --------------------------------------------------------

// Folder of new scripts, timed backups and the start-up file list, without
// a trailing '/'.
extern std::string ScriptDirectory;
// The program's own folder with a trailing '/', noted at start-up. (The
// platform's ProgramFolder() works it out; this is the program's copy.)
extern std::string ProgramDirectory;

// One of the three most recent scripts: its file name and its folder, each
// kept whole. An entry without a file name is free.
struct TLastScript {
  std::string Name;
  std::string Folder;
  bool Empty() const { return Name.empty(); }
  void Clear() { *this = {}; }
  // The folder and the name joined by one '/'.
  std::string FullName() const;
  friend bool operator==(const TLastScript&, const TLastScript&) = default;
};
constexpr int LastScriptCount = 3;
// Entry 1, the most recent, is LastScriptsBuffer[0].
extern std::array<TLastScript, LastScriptCount> LastScriptsBuffer;

}  // namespace qm
