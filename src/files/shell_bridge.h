// The few services of the shell that the file code calls: the program's
// message boxes, the settings file and two shared settings. They are kept
// in this one place so that the file code does not depend on how the
// shell builds them.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

void FileShowMessage(const std::string& text, const std::string& caption);
bool FileAskYesNo(const std::string& text, const std::string& caption, bool defaultYes);
// The type-YES question: true only when the user confirms.
bool FileAskTypeYes(const std::string& text, const std::string& caption);
// Abort or Retry, Retry the default: true for Retry.
bool FileAskRetry(const std::string& text, const std::string& caption);
// The file-error report: "Error " + description, then the reason of the
// old runtime's error number, captioned "Warning".
void FileShowError(const std::string& description, Byte code);

// QUILLPAD.INI, opened for one use, with the settings file's rules: a
// missing or unreadable value gives the default; Booleans are "0"/"1";
// numbers may be hexadecimal after "$" or "0x"; while [Override] "Freeze
// INI" is on, nothing is written.
class TSettingsStore {
 public:
  TSettingsStore();
  std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int value);
  bool WriteBool(const std::string& section, const std::string& key, bool value);
  bool EraseSection(const std::string& section);

 private:
  bool Frozen() const;
  std::string file_;
};

// The folder of new scripts and timed backups (no trailing '/') and the
// script extension without its dot.
extern std::string FilesScriptDirectory;
extern std::string FilesScriptExtension;

}  // namespace qm
