#include "platform/menus.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/user_action.h"

namespace qm {

std::string StripHotkey(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

std::size_t HotkeyIndex(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return i + 1;
    ++i;
  }
  return std::string::npos;
}

// ---------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  destroying_ = true;
  for (auto* child : items_) child->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item->parent_ == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (auto* m = Menu(); m && m->OnStructureChanged) m->OnStructureChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  if (destroying_) return;
  if (auto* m = Menu(); m && m->OnStructureChanged) m->OnStructureChanged();
}

void TMenuItem::Delete(int index) {
  if (auto* item = Items(index)) Remove(item);
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  const std::string wanted = StripHotkey(caption);
  for (auto* item : items_)
    if (SameText(StripHotkey(item->Caption()), wanted)) return item;
  return nullptr;
}

bool TMenuItem::EnabledInChain() const {
  for (const TMenuItem* item = this; item; item = item->parent_)
    if (!item->Enabled) return false;
  return true;
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::Click() {
  const TUserAction action;
  if (OnClick) OnClick(this);
}

void TMenuItem::PropertyChanged(PropId id) {
  if (destroying_) return;
  if (auto* m = Menu(); m && m->OnItemChanged) m->OnItemChanged(*this, id);
}

TMenuItem* TMenuItem::AddItem(const std::string& caption, TNotifyEvent onClick, TShortCut shortCut,
                              const std::string& name) {
  auto* item = new TMenuItem(this);
  item->Caption = caption;
  item->OnClick = std::move(onClick);
  item->ShortCut = shortCut;
  item->Name = name;
  Add(item);
  return item;
}

// ---------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), root_(new TMenuItem(this)) { root_->menu_ = this; }

TMenu::~TMenu() {
  destroying_ = true;
  OnItemChanged = nullptr;
  OnStructureChanged = nullptr;
}

namespace {

TMenuItem* FindShortCut(TMenuItem* item, TShortCut sc, bool enabledOnly) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (child->ShortCut == sc && sc != 0 && (!enabledOnly || child->EnabledInChain())) return child;
    if (auto* deeper = FindShortCut(child, sc, enabledOnly)) return deeper;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const { return FindShortCut(root_, shortCut, false); }

// Two items may share a key while only one of them can be used at a time
// (Alt+F11 graphs an interactive script's branches and otherwise selects
// the page): the first usable one takes it.
bool TMenu::IsShortCut(TShortCut shortCut) {
  TMenuItem* item = FindShortCut(root_, shortCut, true);
  if (!item) return false;
  item->Click();
  return true;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = Platform::Current().backend().TrackPopup(*this, TPoint{x, y});
  if (chosen && chosen->EnabledInChain()) chosen->Click();
}

}  // namespace qm
