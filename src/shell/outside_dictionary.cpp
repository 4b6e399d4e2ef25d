#include "shell/outside_dictionary.h"

#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace qm {

namespace {

constexpr const char* DesktopSettings = "WIN.INI";
constexpr const char* UsualFolder = "C:\\MEGALEX";
constexpr const char* UsualProgram = "C:\\Megalex\\megalex.exe";
constexpr const char* ProgramName = "MegaLex.EXE";

// The program's file in a folder of the old code's spelling, as it exists here.
std::string ProgramIn(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return MapPath(path + ProgramName);
}

}  // namespace

std::string CheckDictionaryProgram() {
  const std::string folder = ProfileReadString(DesktopSettings, "MegaLex Concise", "ProgDir", "");
  if (!folder.empty()) return folder;
  if (FileExists(MapPath(UsualProgram))) return UsualFolder;
  if (FileExists(ProgramIn(ProgramDirectory))) return ProgramDirectory;
  return "";
}

std::string DictionaryProgramFile() {
  const std::string folder = CheckDictionaryProgram();
  if (folder.empty()) return "";
  const std::string file = ProgramIn(folder);
  return FileExists(file) ? file : "";
}

}  // namespace qm
