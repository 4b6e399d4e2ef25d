// The settings file is edited by hand and by outside programs: reading any
// bytes through the settings class must be safe, and a write must change
// only the key it writes (or nothing while the file is frozen).
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "base/ini_file.h"
#include "fuzz_check.h"

namespace {

using qm::fuzz::Check;

const std::string& SettingsPath() {
  static const std::string path = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "qm-fuzz-profile-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) abort();
    return folder + "/QUILLPAD.INI";
  }();
  return path;
}

// Each input gets a time stamp of its own, so that the parse cache never
// takes it for the input before it.
void PutInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  static long long stamp = 1'000'000'000;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const timespec times[2] = {{0, UTIME_OMIT}, {++stamp, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Value {
  std::string section;
  std::string key;
  std::string text;
};

const char* const WrittenSection = "Fuzz Section";
const char* const WrittenKey = "Fuzz Key";

std::vector<Value> ReadEverything(const qm::TIniFile& ini) {
  std::vector<Value> values;
  for (const std::string& section : ini.ReadSections()) {
    Check(ini.SectionExists(section));
    (void)ini.ReadSectionValues(section);
    for (const std::string& key : ini.ReadSection(section)) {
      const std::string text = ini.ReadString(section, key, "");
      Check(text.size() <= 1023);
      (void)ini.ReadInteger(section, key, 0);
      (void)ini.ReadBool(section, key, false);
      values.push_back({section, key, text});
    }
  }
  return values;
}

// A value as a settings line can hold it: up to its first line break.
std::string LineOf(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 200));
  return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = SettingsPath();
  PutInput(path, data, size);
  qm::TIniFile ini(path);
  const std::vector<Value> before = ReadEverything(ini);
  const bool frozen = ini.Frozen();
  const std::string bytesBefore = FileText(path);

  const std::string written = LineOf(data, size);
  try {
    ini.WriteString(WrittenSection, WrittenKey, written);
  } catch (const qm::EIniFileError&) {
    Check(false);
  }
  if (frozen) {
    Check(FileText(path) == bytesBefore);
    return 0;
  }
  Check(ini.ReadString(WrittenSection, WrittenKey, "<none>") == written);
  for (const Value& v : before) {
    if (qm::SameText(v.section, WrittenSection)) continue;
    Check(ini.ReadString(v.section, v.key, "<gone>") == v.text);
  }

  ini.DeleteKey(WrittenSection, WrittenKey);
  Check(!ini.ValueExists(WrittenSection, WrittenKey));
  ini.EraseSection(WrittenSection);
  Check(!ini.SectionExists(WrittenSection));
  return 0;
}
