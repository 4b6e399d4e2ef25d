// The categories' layout on the breakdown sheet comes from the settings
// file, which anyone may edit: whatever it holds, every category ends up
// in a square the sheet has (or, for the description, none), and filling
// the squares leaves no category's items behind, so that printing sheets
// always comes to an end.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/ini_file.h"
#include "breakdown/breakdown_record.h"
#include "breakdown/categories.h"
#include "breakdown/sheet_form.h"
#include "fuzz_check.h"

namespace {

const std::string& LayoutPath() {
  static const std::string path = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "qm-fuzz-layout-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) abort();
    return folder + "/QUILLPAD.INI";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qm::fuzz::Check;
  const std::string& path = LayoutPath();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  const qm::TIniFile ini(path);
  qm::TCategoryTable table = qm::DefaultCategories();
  qm::ReadCategoryMenus(ini, table);
  const qm::TSheetTitles titles = qm::ReadSheetTitles(ini);
  (void)titles;
  qm::BreakdownRecord record;
  for (auto& list : record.Items) list = {"one item", "another"};
  qm::FillSheetSquares(record, table);
  for (int i = 0; i < qm::CategoryCount; ++i) {
    const qm::TBreakdownCategory& c = table[static_cast<std::size_t>(i)];
    Check(qm::SquareAllowed(i, c.HelpContext));
    Check(c.Hint.size() <= 6);
  }
  for (int slot = 0; slot < qm::CategoryCount; ++slot)
    if (slot != qm::rsSceneDescription) Check(record.Items[static_cast<std::size_t>(slot)].empty());
  // The file gone, a read forgets what was parsed of it.
  std::filesystem::remove(path);
  (void)ini.ReadString("Categories", "Menu 0 Caption", "");
  return 0;
}
