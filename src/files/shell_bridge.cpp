#include "files/shell_bridge.h"

#include <cstdlib>

#include "platform/files.h"
#include "platform/forms.h"
#include "platform/profile.h"
#include "shell/global_state.h"

namespace qm {

std::string FilesScriptDirectory;
std::string FilesScriptExtension;

namespace {

const GlobalState reset([] {
  FilesScriptDirectory = ConfigFolder();
  FilesScriptExtension = "QMW";
});

std::string CaptionOrDefault(const std::string& caption) { return caption.empty() ? "ATTENTION..." : caption; }

int Box(const std::string& text, const std::string& caption, unsigned flags) {
  return Application ? Application->MessageBox(text, CaptionOrDefault(caption), flags) : IDCANCEL;
}

std::string ErrorReason(Byte code) {
  switch (code) {
    case 2: return "File Not Found";
    case 3: return "Path Not Found";
    case 4: return "Too Many Open Files";
    case 5: return "File Access Denied";
    case 8: return "Not Enough Memory";
    case 100: return "Disk Read Error";
    case 101: return "Disk is Full";
    case 150: return "Disk is Write Protected.";
    default: return "Error #" + std::to_string(code);
  }
}

}  // namespace

void FileShowMessage(const std::string& text, const std::string& caption) { Box(text, caption, MB_OK); }

bool FileAskYesNo(const std::string& text, const std::string& caption, bool defaultYes) {
  return Box(text, caption, MB_YESNO | MB_ICONQUESTION | (defaultYes ? 0u : MB_DEFBUTTON2)) == IDYES;
}

bool FileAskTypeYes(const std::string& text, const std::string& caption) {
  return Box(text, caption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool FileAskRetry(const std::string& text, const std::string& caption) {
  return Box(text, caption, MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY;
}

void FileShowError(const std::string& description, Byte code) {
  Box("Error " + description + "\r" + ErrorReason(code), "Warning", MB_OK | MB_ICONINFORMATION);
}

TSettingsStore::TSettingsStore() : file_(SettingsFilePath()) {}

std::string TSettingsStore::ReadString(const std::string& section, const std::string& key,
                                       const std::string& fallback) const {
  return ProfileReadString(file_, section, key, fallback);
}

int TSettingsStore::ReadInteger(const std::string& section, const std::string& key, int fallback) const {
  std::string text = ReadString(section, key, "");
  int base = 10;
  if (text.starts_with("$")) {
    text.erase(0, 1);
    base = 16;
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    text.erase(0, 2);
    base = 16;
  }
  if (text.empty()) return fallback;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, base);
  if (*end != '\0' || value < -2147483648LL || value > 4294967295LL) return fallback;
  return static_cast<int>(static_cast<std::uint32_t>(value));
}

bool TSettingsStore::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TSettingsStore::Frozen() const { return ReadBool("Override", "Freeze INI", false); }

bool TSettingsStore::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  return Frozen() || ProfileWriteString(file_, section, key, value);
}

bool TSettingsStore::WriteInteger(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool TSettingsStore::WriteBool(const std::string& section, const std::string& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool TSettingsStore::EraseSection(const std::string& section) {
  return Frozen() || ProfileEraseSection(file_, section);
}

}  // namespace qm
