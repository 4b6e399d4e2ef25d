// The 26 breakdown categories: their built-in properties, what the user
// made of them in the settings file, the checks made when one is renamed,
// and the breakdown sheet's square titles.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

class TIniFile;

constexpr int CategoryCount = 26;
constexpr int SheetSquareCount = 12;
// Printed above the sheet's squares, never in one of its own.
constexpr int SceneDescriptionCategory = 15;

// What a category is called and shown as; its tag code byte and record
// slot are fixed by its index and never edited.
struct TBreakdownCategory {
  std::string Caption;  // with "&" before the accelerator letter
  std::string Hint;     // the display code, at most 6 characters
  int HelpContext = 0;  // the breakdown sheet square 1..12; 0 = none
  bool Visible = true;
  friend bool operator==(const TBreakdownCategory&, const TBreakdownCategory&) = default;
};
using TCategoryTable = std::array<TBreakdownCategory, CategoryCount>;

// The categories as the program ships them.
TCategoryTable DefaultCategories();
// The program's categories, as the category menu carries them.
TCategoryTable& CategoryMenus();

// The tag code byte of a category index; the record slot of a tag code
// byte (-1 for a byte that is no tag code).
Byte TagCodeOfCategory(int index);
int RecordSlotOfTagCode(Byte code);
// The category index of a tag code byte; -1 for a byte that is none.
int CategoryOfTagCode(Byte code);

// Cast Members and Scene Description may be hidden but not renamed.
bool IsFixedCategory(int index);
extern const char* const FixedCategoryMessage;

// The text with every "&" removed.
std::string WithoutAccelerator(std::string_view caption);
// Empty when the edited row may take the name and code; otherwise the
// message that refuses them.
std::string CategoryRenameConflict(const TCategoryTable& table, int editedIndex, const std::string& name,
                                   const std::string& code);
// The row takes the name and the code (cut to 6 characters) and shows.
void RenameCategory(TCategoryTable& table, int index, const std::string& name, const std::string& code);

// Section "Categories": a category whose caption key is missing or empty
// keeps what it had, and a square it may not have is refused.
void ReadCategoryMenus(const TIniFile& ini, TCategoryTable& table);
void SaveCategoryMenus(TIniFile& ini, const TCategoryTable& table);

// Squares 1..12; the Scene Description, printed above the squares, may
// also have none (0).
bool SquareAllowed(int index, int square);

// The category menu in two columns: given which items show, the item that
// starts the second column (-1 when none does).
int SecondColumnItem(const std::vector<bool>& visible);

// Section "Breakdown Sheets": the titles of squares 1..12.
using TSheetTitles = std::array<std::string, SheetSquareCount>;
TSheetTitles ReadSheetTitles(const TIniFile& ini);
void SaveSheetTitles(TIniFile& ini, const TSheetTitles& titles);
// Squares 1..12, each the captions ("&" removed) of the categories it
// prints; a category dropped from every square keeps its square.
using TSheetSquares = std::array<std::vector<std::string>, SheetSquareCount>;
TSheetSquares SquaresOf(const TCategoryTable& table);
void ApplySquares(TCategoryTable& table, const TSheetSquares& squares);

}  // namespace qm
