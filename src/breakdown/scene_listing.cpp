#include "breakdown/scene_listing.h"

#include <algorithm>

#include "breakdown/breakdown_report_page.h"
#include "breakdown/categories.h"
#include "platform/graphics.h"

namespace qm {

// clang-format off
const std::vector<TListedCategory> ListingOrder = {
    {rsSceneDescription, 15, -1}, {rsCastMembers, 2, 0},      {rsProps, 14, 4},
    {rsExtras, 5, 1},             {rsStunts, 21, 2},          {rsVehicles, 22, 3},
    {rsSpecialFX, 20, 5},         {rsCostumes, 3, 6},         {rsMakeupHair, 8, 7},
    {rsLivestock, 7, 8},          {rsAnimalHandler, 1, 9},    {rsMusic, 11, 10},
    {rsSound, 18, 11},            {rsSetDressing, 17, 12},    {rsGreenery, 6, 13},
    {rsSpecialEquipment, 19, 14}, {rsSecurity, 16, 15},       {rsAdditionalLabor, 0, 16},
    {rsOpticalFX, 13, 17},        {rsMechanicalFX, 9, 18},    {rsMisc, 10, 19},
    {rsCrew, 4, 21},              {rsNotes, 12, 20},          {rsUserDefined1, 23, 22},
    {rsUserDefined2, 24, 23},     {rsUserDefined3, 25, 24},
};
// clang-format on

std::vector<TListedItems> SceneItemLists(const BreakdownRecord& record, bool exporting) {
  std::vector<TListedItems> lists;
  for (const TListedCategory& category : ListingOrder) {
    const std::vector<std::string>& items = record.Items[static_cast<std::size_t>(category.Slot)];
    if (items.empty() || (exporting && category.ExportNumber < 0)) continue;
    lists.push_back({&category,
                     WithoutAccelerator(CategoryMenus()[static_cast<std::size_t>(category.MenuCategory)].Caption),
                     &items});
  }
  return lists;
}

std::size_t LastBlankPos(const std::string& text) {
  const std::size_t at = text.rfind(' ');
  return at == std::string::npos ? 0 : at + 1;
}

namespace {

// Prints the item from the pen, going on at the item column on the next
// lines while it does not fit before the right limit.
void PrintWrapped(TReportPage& page, std::string text, int column) {
  const int limit = page.Width - page.InchX / 2;
  for (;;) {
    std::string piece = text;
    while (page.X + page.TextWidth(piece) > limit && LastBlankPos(piece) > 0) piece.erase(LastBlankPos(piece) - 1);
    page.PrintAt(piece, true);
    if (piece.size() >= text.size()) return;
    text.erase(0, piece.size());
    text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
    if (text.empty()) return;
    page.Y += page.TextHeight();
    page.X = column;
    if (page.PastBottom()) page.NewPage(), page.X = column;
  }
}

}  // namespace

void PrintCategoryItems(TReportPage& page, const TListedItems& category) {
  if (category.Items->empty()) return;
  page.Y += page.TextHeight() / 2 + page.InchY / 10;
  page.X = page.InchX / 4;
  if (page.PastBottom()) page.NewPage();
  const unsigned style = page.Style();
  page.SetStyle(style | fsBold);
  page.PrintAt(category.Caption + ": ", true);
  const int column = std::max(page.X, page.TextWidth("Special Equipment: "));
  page.SetStyle(style);
  page.X = column;
  const std::vector<std::string>& items = *category.Items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    PrintWrapped(page, items[i], column);
    if (i + 1 < items.size()) page.PrintAt(", ", true);
  }
}

bool PrintSceneItems(TReportPage& page, const BreakdownRecord& record) {
  const std::vector<TListedItems> lists = SceneItemLists(record, false);
  for (const TListedItems& category : lists) PrintCategoryItems(page, category);
  return !lists.empty();
}

}  // namespace qm
