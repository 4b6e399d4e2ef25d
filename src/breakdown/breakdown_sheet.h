// A scene's breakdown sheet on screen: its twelve squares, each the items
// of the categories that print there, and the rules that decide which
// category an item put into a square belongs to.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"

namespace qm {

// One item of a square with the category it came from.
struct TSquareItem {
  std::string Text;
  int Category = -1;
  friend bool operator==(const TSquareItem&, const TSquareItem&) = default;
};

struct TSheetContent {
  std::array<std::vector<TSquareItem>, SheetSquareCount> Squares;
  std::string Description;
};

// The scene's characters in the first square, then each slot's items in
// the square of its category; the scene description apart.
TSheetContent FillSquaresFromRecord(const BreakdownRecord& record, const std::vector<std::string>& characters,
                                    const TCategoryTable& table);

// The tag codes of the categories printed in a square (1..12), in
// category order.
std::string SquareCodes(const TCategoryTable& table, int square);

// The tag code of an item put into a square (1..12): the category of the
// square's selected item (-1 for none), else the square's title, else the
// last visible category of the square; 0 when none decides. The item is
// added to that category's list of `allItems`.
Byte SquareCategoryCode(const TCategoryTable& table, int square, int selectedCategory, const std::string& title,
                        const std::string& item, BreakdownRecord& allItems);

// Where the item stands in the text, letter case ignored; with skipCodes
// the code bytes of the text are passed over while matching. `end` is
// just after its last character. Nothing found: start is npos.
struct TItemMatch {
  std::size_t start = std::string::npos;
  std::size_t end = std::string::npos;
};
TItemMatch FindUntaggedText(const std::string& text, const std::string& item, bool skipCodes, const CharSet& codes,
                            std::size_t from = 0);

}  // namespace qm
