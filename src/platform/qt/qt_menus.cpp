#include "platform/qt/qt_menus.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "platform/cp1252.h"
#include "platform/forms.h"

namespace qm {

QString MenuText(const TMenuItem& item) {
  std::string text = item.Caption();
  if (item.ShortCut() != 0) text += "\t" + ShortCutToText(item.ShortCut);
  return QString::fromStdString(AnsiToUtf8(text));
}

bool ItemIsLive(const TMenuItem* root, const TMenuItem* item) {
  if (!root) return false;
  if (root == item) return true;
  for (int i = 0; i < root->Count(); ++i)
    if (ItemIsLive(root->Items(i), item)) return true;
  return false;
}

namespace {

void HighlightItem(const TMenuItem* item) {
  if (Application) Application->MenuItemHighlighted(item);
}

void ApplyState(const TMenuItem& item, QAction& action) {
  // A separator with a text is drawn as a section heading by some styles.
  if (!action.isSeparator()) action.setText(MenuText(item));
  action.setEnabled(item.Enabled);
  action.setVisible(item.Visible);
  action.setCheckable(item.Checked || item.RadioItem);
  action.setChecked(item.Checked);
  QFont font = action.font();
  font.setBold(item.Default);
  action.setFont(font);
}

// Builds the actions of one level; `onItem` sees every action made.
void BuildLevel(QWidget& target, TMenuItem& parent, const std::function<void(TMenuItem&, QAction&, QMenu*)>& onItem) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = *parent.Items(i);
    if (item.IsLine()) {
      auto* line = new QAction(&target);
      line->setSeparator(true);
      line->setVisible(item.Visible);
      target.addAction(line);
      onItem(item, *line, nullptr);
      continue;
    }
    if (item.Count() > 0) {
      auto* sub = new QMenu(&target);
      sub->setTitle(QString::fromStdString(AnsiToUtf8(item.Caption())));
      target.addAction(sub->menuAction());
      onItem(item, *sub->menuAction(), sub);
      BuildLevel(*sub, item, onItem);
      continue;
    }
    auto* action = new QAction(&target);
    target.addAction(action);
    onItem(item, *action, nullptr);
  }
}

}  // namespace

MenuMirror::MenuMirror(TMenu& menu, QMenuBar& bar) : menu_(&menu), bar_(&bar), context_(std::make_unique<QObject>()) {
  auto token = std::make_shared<int>(0);
  token_ = token;
  menu.OnItemChanged = [this, token](TMenuItem& item, PropId) { ItemChanged(item); };
  menu.OnStructureChanged = [this, token] { dirty_ = true; };
  Rebuild();
}

MenuMirror::~MenuMirror() {
  context_.reset();
  if (MenuAlive()) {
    menu_->OnItemChanged = nullptr;
    menu_->OnStructureChanged = nullptr;
  }
  if (bar_) bar_->clear();
}

QAction* MenuMirror::ActionOf(const TMenuItem* item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second.data();
}

void MenuMirror::RebuildIfNeeded() {
  if (dirty_ && MenuAlive() && !QApplication::activePopupWidget()) Rebuild();
}

void MenuMirror::Rebuild() {
  dirty_ = false;
  actions_.clear();
  if (!bar_) return;
  // Menus that may still be on their way out are let go of, not deleted.
  const auto old = bar_->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
  bar_->clear();
  for (QMenu* m : old) m->deleteLater();
  if (!MenuAlive()) return;
  BuildLevel(*bar_, *menu_->Items(), [this](TMenuItem& item, QAction& action, QMenu* sub) {
    actions_[&item] = &action;
    ApplyState(item, action);
    TMenuItem* target = &item;
    QObject::connect(&action, &QAction::hovered, context_.get(), [this, target] {
      if (MenuAlive() && ItemIsLive(menu_->Items(), target)) HighlightItem(target);
    });
    if (sub) {
      QObject::connect(sub, &QMenu::aboutToHide, context_.get(), [] { HighlightItem(nullptr); });
      // The old platform clicks an item whose sub-menu is about to open.
      QObject::connect(sub, &QMenu::aboutToShow, context_.get(), [this, target] {
        if (MenuAlive() && ItemIsLive(menu_->Items(), target) && target->EnabledInChain()) target->Click();
      });
      return;
    }
    QObject::connect(&action, &QAction::triggered, context_.get(), [this, target, &action] {
      if (MenuAlive() && ItemIsLive(menu_->Items(), target)) ApplyState(*target, action);
      // The command runs from the loop, as a posted command does, not
      // inside Qt's menu code.
      QMetaObject::invokeMethod(
          context_.get(),
          [this, target] {
            if (MenuAlive() && ItemIsLive(menu_->Items(), target) && target->EnabledInChain()) target->Click();
          },
          Qt::QueuedConnection);
    });
  });
}

void MenuMirror::ItemChanged(TMenuItem& item) {
  if (QAction* action = ActionOf(&item)) {
    ApplyState(item, *action);
    if (QMenu* sub = action->menu()) sub->setTitle(QString::fromStdString(AnsiToUtf8(item.Caption())));
  } else {
    dirty_ = true;
  }
}

TMenuItem* ExecPopup(TPopupMenu& menu, QPoint at) {
  QMenu popup;
  std::map<QAction*, TMenuItem*> items;
  BuildLevel(popup, *menu.Items(), [&](TMenuItem& item, QAction& action, QMenu*) {
    ApplyState(item, action);
    items[&action] = &item;
    QObject::connect(&action, &QAction::hovered, &popup, [&menu, target = &item] {
      if (ItemIsLive(menu.Items(), target)) HighlightItem(target);
    });
  });
  QAction* chosen = popup.exec(at);
  HighlightItem(nullptr);
  auto it = items.find(chosen);
  if (it == items.end() || !ItemIsLive(menu.Items(), it->second)) return nullptr;
  return it->second;
}

}  // namespace qm
