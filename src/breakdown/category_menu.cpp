#include "breakdown/category_menu.h"

#include <vector>

#include "breakdown/categories.h"
#include "platform/menus.h"

namespace qm {

namespace {

TMenuItem* AddItem(TComponent& owner, TPopupMenu& menu, const std::string& name, const std::string& caption,
                   TNotifyEvent onClick) {
  auto* item = new TMenuItem(&owner);
  item->Name = name;
  item->Caption = caption;
  item->OnClick = std::move(onClick);
  menu.Items()->Add(item);
  return item;
}

void Build(TComponent& owner, TPopupMenu& menu, const TCategoryMenuActions& actions) {
  for (int i = 0; i < CategoryCount; ++i) {
    TMenuItem* item = AddItem(owner, menu, "CategoryItem" + std::to_string(i), "", [tag = actions.Tag, i](TObject*) {
      if (tag) tag(i);
    });
    item->Tag = i + 1;
  }
  const auto call = [](const std::function<void()>& action) {
    return [action](TObject*) {
      if (action) action();
    };
  };
  AddItem(owner, menu, "CategoryLine1", "-", {});
  AddItem(owner, menu, "TagthisItemGlobally1", "Tag this Item Globally", call(actions.TagGlobally));
  // The menu clears the selection when it closes: nothing more to do.
  AddItem(owner, menu, "IgnoreSelection1", "Ignore Selection for Breakdowns", [](TObject*) {});
  AddItem(owner, menu, "CategoryLine2", "-", {});
  AddItem(owner, menu, "ExitTaggingMode1", "Exit Tagging Mode", call(actions.ExitTagging));
  AddItem(owner, menu, "EditCategories1", "Edit Categories", call(actions.EditCategories));
}

}  // namespace

TPopupMenu& CategoryMenu(TComponent& owner, const TCategoryMenuActions& actions) {
  auto* menu = dynamic_cast<TPopupMenu*>(owner.FindComponent("SelectMenu"));
  if (!menu) {
    menu = new TPopupMenu(&owner);
    menu->Name = "SelectMenu";
    Build(owner, *menu, actions);
    menu->OnPopup = [menu](TObject*) { SplitCategoryMenu(*menu); };
  }
  SyncCategoryMenu(*menu);
  return *menu;
}

void SyncCategoryMenu(TPopupMenu& menu) {
  const TCategoryTable& table = CategoryMenus();
  for (int i = 0; i < CategoryCount && i < menu.Items()->Count(); ++i) {
    const TBreakdownCategory& c = table[static_cast<std::size_t>(i)];
    TMenuItem* item = menu.Items()->Items(i);
    item->Caption = c.Caption;
    item->Hint = c.Hint;
    item->HelpContext = c.HelpContext;
    item->Visible = c.Visible;
  }
}

void SplitCategoryMenu(TPopupMenu& menu) {
  TMenuItem* root = menu.Items();
  std::vector<bool> visible;
  for (int i = 0; i < root->Count(); ++i) {
    root->Items(i)->Break = TMenuBreak::mbNone;
    visible.push_back(root->Items(i)->Visible());
  }
  const int second = SecondColumnItem(visible);
  if (second >= 0) root->Items(second)->Break = TMenuBreak::mbBarBreak;
}

}  // namespace qm
