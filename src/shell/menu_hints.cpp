#include "shell/menu_hints.h"

#include <string_view>

namespace qm {

namespace {

struct TMenuHint {
  std::string_view item;
  const char* hint;
};

// clang-format off
constexpr TMenuHint Hints[] = {
    {"CopyToMainItem", "Copy Block to a File (or Append it to the End of an existing one)"},
    {"CopyToItem", "Copies Text to a New File"},
    {"CopyToExistingFileItem", "Copies Text to An Existing File"},
    {"CopyToScrapItem", "Copies Text to a Scrap File"},
    {"CutToItem", "Cuts Text to a New File"},
    {"CutToExistingFileItem", "Cuts Text to the bottom of an existing File"},
    {"CutToScrapItem", "Cuts Text to the bottom of an existing File"},
    {"RenumberBTargetsItem", "Renumbers all Branch Targets into Linear Numbering"},
    {"CharacterNameBankItem", "Shows List of over 30,000 Names"},
};
// clang-format on

}  // namespace

std::string MenuHintOf(const std::string& itemName) {
  for (const TMenuHint& h : Hints)
    if (h.item == itemName) return h.hint;
  return {};
}

}  // namespace qm
