// Builds NAMEBANK.FIL from the census name lists:
//   qm_namebank_build <folder of male.txt, female.txt, family.txt> <NAMEBANK.FIL>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "name_bank_writer.h"

namespace {

bool ReadNames(const std::string& path, std::vector<std::string>& names) {
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) names.push_back(line);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <name list folder> <NAMEBANK.FIL>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::array<std::vector<std::string>, 3> lists;
  const char* files[] = {"male.txt", "female.txt", "family.txt"};
  for (std::size_t i = 0; i < lists.size(); ++i)
    if (!ReadNames(folder + "/" + files[i], lists[i])) {
      std::fprintf(stderr, "cannot read %s/%s\n", folder.c_str(), files[i]);
      return 1;
    }
  const std::vector<std::uint8_t> file = qm::BuildNameBank(lists);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
