// Main menus, pop-up menus and their items.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace qm {

class TMenu;

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  Prop<std::string> Caption{this, PropId::Caption};
  Prop<TShortCut> ShortCut{this, PropId::Caption, 0};
  Prop<bool> Checked{this, PropId::Checked};
  Prop<bool> Enabled{this, PropId::Enabled, true};
  Prop<bool> Visible{this, PropId::Visible, true};
  Prop<TMenuBreak> Break{this, PropId::Style, TMenuBreak::mbNone};
  bool RadioItem = false;
  int GroupIndex = 0;
  bool Default = false;
  std::string Hint;
  int HelpContext = 0;
  TNotifyEvent OnClick;

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // The item whose caption, with its "&" markers removed, matches.
  TMenuItem* Find(const std::string& caption) const;
  bool IsLine() const { return Caption() == "-"; }
  // Enabled here and in every parent item.
  bool EnabledInChain() const;
  TMenu* Menu() const;

  virtual void Click();
  void PropertyChanged(PropId id) override;

  // Convenience for building menus in code.
  TMenuItem* AddItem(const std::string& caption, TNotifyEvent onClick = {}, TShortCut shortCut = 0,
                     const std::string& name = {});

 private:
  friend class TMenu;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  TMenuItem* Items() const { return root_; }
  // Finds an enabled item with this short cut and clicks it.
  bool IsShortCut(TShortCut shortCut);
  TMenuItem* FindItemByShortCut(TShortCut shortCut) const;
  // Heard by a desktop peer that mirrors the menu.
  std::function<void(TMenuItem& item, PropId id)> OnItemChanged;
  std::function<void()> OnStructureChanged;

 private:
  friend class TMenuItem;
  TMenuItem* root_;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner);
};

enum class TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  bool AutoPopup = true;
  TPopupAlignment Alignment = TPopupAlignment::paLeft;
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  // Shows the menu at a screen point and runs the chosen item.
  void Popup(int x, int y);
};

// Removes the "&" accelerator markers from a caption ("&&" stays one "&").
std::string StripHotkey(const std::string& caption);
// Where the letter after a caption's first single "&" stands (the one Alt
// reaches); npos for none.
std::size_t HotkeyIndex(const std::string& caption);

}  // namespace qm
