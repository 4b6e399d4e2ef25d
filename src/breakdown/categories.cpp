#include "breakdown/categories.h"

#include "base/global_state.h"
#include "base/ini_file.h"
#include "platform/cp1252.h"
#include "script/model/script_record.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

struct TBuiltInCategory {
  const char* caption;
  const char* hint;
  int square;
  bool visible;
  int slot;
};

// In category order; the tag code of each is BreakdownTagCodes at its index.
constexpr std::array<TBuiltInCategory, CategoryCount> BuiltIn{{
    {"&Additional Labor", "AL", 12, true, 16},
    {"Animal &Handler", "AH", 7, true, 9},
    {"&Cast Members", "C", 1, true, 0},
    {"C&ostumes", "CS", 8, true, 6},
    {"Cre&w", "CW", 12, false, 20},
    {"&Extras", "EX", 4, true, 1},
    {"&Greenery", "GR", 3, true, 13},
    {"&Livestock", "LV", 7, true, 8},
    {"&Makeup / Hair", "MU", 9, true, 7},
    {"Mechan&ical FX", "MX", 11, true, 18},
    {"Misc&.", "MC", 12, true, 19},
    {"M&usic", "MS", 10, true, 10},
    {"&Notes", "NT", 12, true, 21},
    {"Optical &FX", "OX", 5, true, 17},
    {"&Props", "PR", 6, true, 4},
    {"Scene Descrip&tion", "DS", 0, true, 22},
    {"Securit&y", "SY", 12, true, 15},
    {"Se&t Dressing", "SD", 3, true, 12},
    {"Soun&d", "SN", 10, true, 11},
    {"Special E&quipment", "EQ", 11, true, 14},
    {"Special F&X", "FX", 5, true, 5},
    {"&Stunts", "ST", 2, true, 2},
    {"&Vehicles", "VH", 7, true, 3},
    {"User Defined #&1", "U1", 12, false, 23},
    {"User Defined #&2", "U2", 12, false, 24},
    {"User Defined #&3", "U3", 12, false, 25},
}};

// clang-format off
constexpr std::array<const char*, SheetSquareCount> DefaultSheetTitles{
    "CAST",        "STUNTS", "SET DRESSING", "EXTRAS",      "SPECIAL EFFECTS",   "PROPS",
    "VEHICLES/ANIMALS", "WARDROBE", "MAKEUP/HAIR", "SOUND FX/MUSIC", "SPECIAL EQUIPMENT", "PRODUCTION NOTES",
};
// clang-format on

constexpr int CastMembersIndex = 2;
constexpr std::size_t HintCapacity = 6;

TCategoryTable Menus = DefaultCategories();
GlobalState MenusReset([] { Menus = DefaultCategories(); });

std::string MenuKey(int index, const char* what) { return "Menu " + std::to_string(index) + " " + what; }

std::string Comparable(std::string_view text) { return AnsiUpperCase(WithoutAccelerator(text)); }

}  // namespace

const char* const FixedCategoryMessage =
    "You CANNOT edit either the Cast Member or Scene Description Categories, though you CAN make them invisible, "
    "if desired.";

TCategoryTable DefaultCategories() {
  TCategoryTable table;
  for (int i = 0; i < CategoryCount; ++i) {
    const TBuiltInCategory& c = BuiltIn[static_cast<std::size_t>(i)];
    table[static_cast<std::size_t>(i)] = {c.caption, c.hint, c.square, c.visible};
  }
  return table;
}

TCategoryTable& CategoryMenus() { return Menus; }

Byte TagCodeOfCategory(int index) { return BreakdownTagCodes.at(static_cast<std::size_t>(index)); }

int CategoryOfTagCode(Byte code) {
  for (int i = 0; i < CategoryCount; ++i)
    if (BreakdownTagCodes[static_cast<std::size_t>(i)] == code) return i;
  return -1;
}

int RecordSlotOfTagCode(Byte code) {
  const int index = CategoryOfTagCode(code);
  return index < 0 ? -1 : BuiltIn[static_cast<std::size_t>(index)].slot;
}

bool IsFixedCategory(int index) { return index == CastMembersIndex || index == SceneDescriptionCategory; }

std::string WithoutAccelerator(std::string_view caption) {
  std::string out;
  for (char ch : caption)
    if (ch != '&') out += ch;
  return out;
}

std::string CategoryRenameConflict(const TCategoryTable& table, int editedIndex, const std::string& name,
                                   const std::string& code) {
  const std::string wantedName = Comparable(name);
  const std::string wantedCode = Comparable(code);
  for (int i = 0; i < CategoryCount; ++i) {
    if (i == editedIndex) continue;
    const TBreakdownCategory& other = table[static_cast<std::size_t>(i)];
    if (Comparable(other.Caption) == wantedName || Comparable(other.Hint) == wantedCode)
      return WithoutAccelerator(name) + " or " + WithoutAccelerator(code) +
             " is already in use by another Category!\r\rPlease choose another Name/Code.";
  }
  return {};
}

void RenameCategory(TCategoryTable& table, int index, const std::string& name, const std::string& code) {
  TBreakdownCategory& row = table.at(static_cast<std::size_t>(index));
  row.Caption = name;
  row.Hint = CutToCapacity(code, HintCapacity);
  row.Visible = true;
}

void ReadCategoryMenus(const TIniFile& ini, TCategoryTable& table) {
  for (int i = 0; i < CategoryCount; ++i) {
    const std::string caption = ini.ReadString("Categories", MenuKey(i, "Caption"), "");
    if (caption.empty()) continue;
    TBreakdownCategory& row = table[static_cast<std::size_t>(i)];
    row.Caption = caption;
    row.Hint = CutToCapacity(ini.ReadString("Categories", MenuKey(i, "Hint"), ""), HintCapacity);
    row.Visible = ini.ReadBool("Categories", MenuKey(i, "Visible"), true);
    const int square = ini.ReadInteger("Categories", MenuKey(i, "HelpContext"), 0);
    // A square the sheet has not would leave the category's items unprinted
    // for ever: such a square is refused and the earlier one kept.
    if (SquareAllowed(i, square)) row.HelpContext = square;
  }
}

bool SquareAllowed(int index, int square) {
  return (square >= 1 && square <= SheetSquareCount) || (square == 0 && index == SceneDescriptionCategory);
}

void SaveCategoryMenus(TIniFile& ini, const TCategoryTable& table) {
  for (int i = 0; i < CategoryCount; ++i) {
    const TBreakdownCategory& row = table[static_cast<std::size_t>(i)];
    ini.WriteString("Categories", MenuKey(i, "Caption"), row.Caption);
    ini.WriteString("Categories", MenuKey(i, "Hint"), row.Hint);
    ini.WriteBool("Categories", MenuKey(i, "Visible"), row.Visible);
    ini.WriteInteger("Categories", MenuKey(i, "HelpContext"), row.HelpContext);
  }
}

int SecondColumnItem(const std::vector<bool>& visible) {
  int shown = 0;
  for (bool v : visible) shown += v ? 1 : 0;
  if (shown % 2 != 0) --shown;
  const int half = shown / 2;
  int count = 0;
  for (std::size_t i = 0; i < visible.size(); ++i) {
    if (!visible[i]) continue;
    if (++count > half) return static_cast<int>(i);
  }
  return -1;
}

TSheetTitles ReadSheetTitles(const TIniFile& ini) {
  TSheetTitles titles;
  for (int k = 0; k < SheetSquareCount; ++k)
    titles[static_cast<std::size_t>(k)] = ini.ReadString("Breakdown Sheets", "Title " + std::to_string(k + 1),
                                                         DefaultSheetTitles[static_cast<std::size_t>(k)]);
  return titles;
}

void SaveSheetTitles(TIniFile& ini, const TSheetTitles& titles) {
  for (int k = 0; k < SheetSquareCount; ++k)
    ini.WriteString("Breakdown Sheets", "Title " + std::to_string(k + 1), titles[static_cast<std::size_t>(k)]);
}

TSheetSquares SquaresOf(const TCategoryTable& table) {
  TSheetSquares squares;
  for (const TBreakdownCategory& row : table)
    if (row.HelpContext >= 1 && row.HelpContext <= SheetSquareCount)
      squares[static_cast<std::size_t>(row.HelpContext - 1)].push_back(WithoutAccelerator(row.Caption));
  return squares;
}

void ApplySquares(TCategoryTable& table, const TSheetSquares& squares) {
  for (int k = 0; k < SheetSquareCount; ++k)
    for (const std::string& caption : squares[static_cast<std::size_t>(k)])
      for (TBreakdownCategory& row : table)
        if (WithoutAccelerator(row.Caption) == caption) row.HelpContext = k + 1;
}

}  // namespace qm
