// Writes the Format menu's five format families into a folder, each
// through the program's own format-file writer:
//   qm_format_sets_build <folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "files/format_files.h"
#include "format_families.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  for (const qm::TFormatFamily& family : qm::FormatFamilies()) {
    qm::TScriptRecord record;
    qm::ProgramDefaults(record);
    family.Shape(record);
    const std::vector<qm::Byte> image = qm::FormatsFileImage(record, qm::TFontNames{});
    const std::string path = std::string(argv[1]) + "/" + family.FileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
