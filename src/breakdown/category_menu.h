// The category menu of tagging mode: the 26 categories (as the user named
// and showed them), then tagging the item everywhere, ignoring the
// selection, leaving tagging mode and editing the categories; shown in two
// columns.
#pragma once

#include <functional>

namespace qm {

class TComponent;
class TPopupMenu;

struct TCategoryMenuActions {
  std::function<void(int category)> Tag;
  std::function<void()> TagGlobally;
  std::function<void()> ExitTagging;
  std::function<void()> EditCategories;
};

// The owner's category menu ("SelectMenu"), made on first use; its
// category items follow the category table.
TPopupMenu& CategoryMenu(TComponent& owner, const TCategoryMenuActions& actions);
// The category items take the table's captions, codes, squares and
// visibility.
void SyncCategoryMenu(TPopupMenu& menu);
// The visible items in two columns: the first past half of them starts
// the second.
void SplitCategoryMenu(TPopupMenu& menu);

}  // namespace qm
