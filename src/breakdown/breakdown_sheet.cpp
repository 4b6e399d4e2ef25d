#include "breakdown/breakdown_sheet.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace qm {

namespace {

constexpr int CastMembers = 2;

// The slots in the order the squares list them: Sound before Music.
constexpr std::array<int, 25> FillOrder{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 10, 12,
                                        13, 14, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25};

int CategoryOfSlot(int slot) {
  for (int i = 0; i < CategoryCount; ++i)
    if (RecordSlotOfTagCode(TagCodeOfCategory(i)) == slot) return i;
  return -1;
}

bool InSquare(const TBreakdownCategory& c, int square) { return c.HelpContext == square; }

struct TTitleRule {
  bool (*holds)(const std::string& title);
  Byte code;
};

bool Has(const std::string& title, const char* part) { return title.find(part) != std::string::npos; }
bool Starts(const std::string& title, const char* part) { return title.starts_with(part); }

constexpr TTitleRule TitleRules[] = {
    {[](const std::string& t) { return Has(t, "CAST"); }, 6},
    {[](const std::string& t) { return Has(t, "LABOR"); }, 142},
    {[](const std::string& t) { return Has(t, "WARDROBE") || Has(t, "COSTUME"); }, 12},
    {[](const std::string& t) { return Has(t, "STUNT"); }, 8},
    {[](const std::string& t) { return Has(t, "EXTRAS") || t == "EXTRA"; }, 7},
    {[](const std::string& t) { return Starts(t, "SET DRESS"); }, 134},
    {[](const std::string& t) { return Starts(t, "SFX") || Starts(t, "EFX") || Starts(t, "FX"); }, 11},
    {[](const std::string& t) { return Starts(t, "SPECIAL ") && !Has(t, "SPECIAL EQUIP"); }, 11},
    {[](const std::string& t) { return Starts(t, "MAKE") || Has(t, "HAIR"); }, 23},
    {[](const std::string& t) { return Starts(t, "SOUND") || Has(t, "MUSIC"); }, 129},
    {[](const std::string& t) { return Has(t, "PROPS"); }, 10},
    {[](const std::string& t) { return Has(t, "EQUIPMENT"); }, 137},
    {[](const std::string& t) { return Has(t, "VEHICLES"); }, 9},
    {[](const std::string& t) { return Has(t, "NOTES"); }, 170},
};

bool HasItem(const std::vector<std::string>& list, const std::string& item) {
  const std::string wanted = AnsiUpperCase(item);
  return std::any_of(list.begin(), list.end(), [&](const std::string& have) { return AnsiUpperCase(have) == wanted; });
}

}  // namespace

TSheetContent FillSquaresFromRecord(const BreakdownRecord& record, const std::vector<std::string>& characters,
                                    const TCategoryTable& table) {
  TSheetContent content;
  for (const std::string& name : characters) content.Squares[0].push_back({name, CastMembers});
  for (int slot : FillOrder) {
    const int category = CategoryOfSlot(slot);
    const int square = table[static_cast<std::size_t>(category)].HelpContext;
    if (square < 1 || square > SheetSquareCount) continue;
    for (const std::string& item : record.Items[static_cast<std::size_t>(slot)])
      content.Squares[static_cast<std::size_t>(square - 1)].push_back({item, category});
  }
  const auto& description = record.Items[rsSceneDescription];
  if (!description.empty()) content.Description = description.front();
  return content;
}

std::string SquareCodes(const TCategoryTable& table, int square) {
  std::string codes;
  for (int i = 0; i < CategoryCount; ++i)
    if (InSquare(table[static_cast<std::size_t>(i)], square)) codes += static_cast<char>(TagCodeOfCategory(i));
  return codes;
}

Byte SquareCategoryCode(const TCategoryTable& table, int square, int selectedCategory, const std::string& title,
                        const std::string& item, BreakdownRecord& allItems) {
  Byte code = 0;
  if (selectedCategory >= 0 && selectedCategory < CategoryCount) code = TagCodeOfCategory(selectedCategory);
  if (!code && square <= SheetSquareCount) {
    const std::string upper = AnsiUpperCase(title);
    for (const TTitleRule& rule : TitleRules)
      if (rule.holds(upper)) {
        code = rule.code;
        break;
      }
  }
  for (int i = CategoryCount - 1; !code && i >= 0; --i) {
    const TBreakdownCategory& c = table[static_cast<std::size_t>(i)];
    if (c.Visible && InSquare(c, square)) code = TagCodeOfCategory(i);
  }
  if (!code) return 0;
  auto& list = allItems.Items[static_cast<std::size_t>(RecordSlotOfTagCode(code))];
  if (!HasItem(list, item)) list.push_back(item);
  return code;
}

TItemMatch FindUntaggedText(const std::string& text, const std::string& item, bool skipCodes, const CharSet& codes,
                            std::size_t from) {
  if (item.empty()) return {};
  const std::string wanted = AnsiUpperCase(item);
  for (std::size_t start = from; start < text.size(); ++start) {
    if (skipCodes && codes.Contains(text[start])) continue;
    std::size_t at = start;
    std::size_t matched = 0;
    while (matched < wanted.size() && at < text.size()) {
      const Byte b = static_cast<Byte>(text[at]);
      if (skipCodes && codes.Contains(b)) {
        ++at;
        continue;
      }
      if (AnsiUpper(b) != static_cast<Byte>(wanted[matched])) break;
      ++matched;
      ++at;
    }
    if (matched == wanted.size()) return {start, at};
  }
  return {};
}

}  // namespace qm
