// The tagged items of one scene, category by category in the fixed order
// the reports and the scheduling file list them, each category under the
// caption its menu item carries now.
#pragma once

#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"

namespace qm {

class TReportPage;

// One category of the listing order.
struct TListedCategory {
  int Slot;          // the record slot
  int MenuCategory;  // the category index whose menu caption heads it
  int ExportNumber;  // its number in the scheduling file; -1 never exported
};
extern const std::vector<TListedCategory> ListingOrder;

// The non-empty categories of a record, in listing order; Scene
// Description only when not exporting.
struct TListedItems {
  const TListedCategory* Category;
  std::string Caption;  // the menu caption, "&" removed
  const std::vector<std::string>* Items;
};
std::vector<TListedItems> SceneItemLists(const BreakdownRecord& record, bool exporting);

// Prints one category under the scene's line: the caption in bold, then
// the items, wrapped at blanks before the right limit.
void PrintCategoryItems(TReportPage& page, const TListedItems& category);
// Every listed category of the scene; false when it has none.
bool PrintSceneItems(TReportPage& page, const BreakdownRecord& record);

// Where the last blank of a text stands, 1-based; 0 when there is none.
std::size_t LastBlankPos(const std::string& text);

}  // namespace qm
