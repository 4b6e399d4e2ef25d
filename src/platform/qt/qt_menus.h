// Menus: a main menu mirrored into a QMenuBar and kept in step with the
// core's items, and pop-up menus shown with QMenu::exec.
#pragma once

#include <QMenuBar>
#include <QPointer>

#include <map>
#include <memory>

#include "platform/menus.h"

class QAction;
class QMenu;

namespace qm {

// The text Qt shows for an item: its caption with the "&" accelerator,
// then its short cut after a tab (shown, not registered: short cuts go
// through the core's own key road).
QString MenuText(const TMenuItem& item);

class MenuMirror {
 public:
  MenuMirror(TMenu& menu, QMenuBar& bar);
  ~MenuMirror();
  MenuMirror(const MenuMirror&) = delete;
  MenuMirror& operator=(const MenuMirror&) = delete;

  const TMenu* Menu() const { return menu_; }
  // False once the menu has gone (its hooks went with it).
  bool MenuAlive() const { return !token_.expired(); }
  // Rebuilds after the core changed the structure (not while a menu is open).
  void RebuildIfNeeded();
  QAction* ActionOf(const TMenuItem* item) const;

 private:
  void Rebuild();
  void Fill(QWidget& target, TMenuItem& parent);
  void Apply(TMenuItem& item, QAction& action);
  void ItemChanged(TMenuItem& item);

  TMenu* menu_;
  QPointer<QMenuBar> bar_;
  // Receives the mirror's connections, so that none outlives it.
  std::unique_ptr<QObject> context_;
  std::weak_ptr<int> token_;
  std::map<const TMenuItem*, QPointer<QAction>> actions_;
  bool dirty_ = false;
};

// Whether an item is still in the live tree under a root (the core may
// have deleted it while Qt held on to it).
bool ItemIsLive(const TMenuItem* root, const TMenuItem* item);

TMenuItem* ExecPopup(TPopupMenu& menu, QPoint at);

}  // namespace qm
