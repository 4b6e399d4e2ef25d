#include "base/ini_file.h"

#include <algorithm>
#include <cerrno>

#include "platform/files.h"
#include "platform/profile.h"
#include "base/global_state.h"

namespace qm {

namespace {

// The old profile calls read into a buffer of 1,024 bytes with its zero.
constexpr std::size_t MaxValueLength = 1023;

int DigitValue(char ch, int base) {
  int value = -1;
  if (ch >= '0' && ch <= '9') value = ch - '0';
  else if (ch >= 'A' && ch <= 'F') value = ch - 'A' + 10;
  else if (ch >= 'a' && ch <= 'f') value = ch - 'a' + 10;
  return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const bool hex = i < text.size() && text[i] == '$';
  if (hex) ++i;
  if (i == text.size()) return std::nullopt;
  const int base = hex ? 16 : 10;
  const std::uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 2147483648u : 2147483647u);
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  std::uint32_t bits = static_cast<std::uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

namespace {

std::string WhyNotWritten(const TProfileWriteFailure& failure) {
  const bool refused = failure.error == EACCES || failure.error == EPERM;
  if (refused && DirectoryExists(failure.path)) return PathToText(failure.path) + " is a folder you may not write to";
  if (refused && IsReadOnly(failure.file)) return "the file is marked read-only";
  return FileFailureText(failure.error, failure.path);
}

// The file with its folder, and why it could not be written when the
// system said.
std::string NotWrittenText(const std::string& fileName) {
  const std::string file = ProfileFilePath(fileName);
  const TProfileWriteFailure failure = LastProfileWriteFailure();
  std::string text = "Unable to write to " + PathToText(file);
  if (failure.file == file && failure.error != 0) text += ": " + WhyNotWritten(failure);
  return text;
}

}  // namespace

EIniFileError::EIniFileError(const std::string& fileName) : std::runtime_error(NotWrittenText(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
  std::string value = ProfileReadString(fileName_, section, ident, defaultValue);
  if (value.size() > MaxValueLength) value.resize(MaxValueLength);
  return value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
  std::string text = ReadString(section, ident, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
  return ParseNumber(text).value_or(defaultValue);
}

int TIniFile::ReadIntegerWithin(const std::string& section, const std::string& ident, int defaultValue, int lowest,
                                int highest) const {
  return std::clamp(ReadInteger(section, ident, defaultValue), lowest, highest);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

bool TIniFile::Frozen() const { return ReadBool("Override", "Freeze INI", false); }

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (Frozen()) return;
  if (!ProfileWriteString(fileName_, section, ident, value)) throw EIniFileError(fileName_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
  if (Frozen()) return;
  if (!ProfileEraseSection(fileName_, section)) throw EIniFileError(fileName_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  if (Frozen()) return;
  if (!ProfileEraseKey(fileName_, section, ident)) throw EIniFileError(fileName_);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  return ProfileReadSection(fileName_, section);
}

std::vector<std::string> TIniFile::ReadSections() const { return ProfileReadSections(fileName_); }

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(const std::string& section) const {
  return ProfileReadSectionValues(fileName_, section);
}

bool TIniFile::SectionExists(const std::string& section) const { return ProfileSectionExists(fileName_, section); }

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const {
  // A key can hold an empty value, so a default alone cannot tell.
  return ProfileReadString(fileName_, section, ident, "\n") != "\n";
}

TIniFile OpenSettingsFile() { return TIniFile(SettingsFilePath()); }

// ---- Shared globals --------------------------------------------------------

std::string ScriptDirectory;
std::string ProgramDirectory;
std::array<TLastScript, LastScriptCount> LastScriptsBuffer;

std::string TLastScript::FullName() const {
  if (Folder.empty()) return Name;
  return IncludeTrailingPathDelimiter(Folder) + Name;
}

namespace {
// This desktop has no task-bar window to find, so its rectangle stays empty.
const GlobalState reset([] {
  ScriptDirectory.clear();
  ProgramDirectory.clear();
  for (TLastScript& entry : LastScriptsBuffer) entry.Clear();
});
}  // namespace

}  // namespace qm
