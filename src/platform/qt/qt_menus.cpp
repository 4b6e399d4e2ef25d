#include "platform/qt/qt_menus.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <vector>

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

bool HasColumnBreak(const TMenuItem& root) {
  for (int i = 1; i < root.Count(); ++i)
    if (root.Items(i)->Visible && root.Items(i)->Break != TMenuBreak::mbNone) return true;
  return false;
}

// A pop-up menu that a column break splits: the desktop's menus keep one
// column, so the columns are laid out here, each item a flat button. The
// keys are a menu's: the arrows move, Return picks, a letter picks the
// item it underlines, Escape closes.
class ColumnPopup : public QFrame {
 public:
  explicit ColumnPopup(TMenuItem& root) : QFrame(nullptr, Qt::Popup) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(2, 2, 2, 2);
    columns->setSpacing(0);
    QVBoxLayout* column = nullptr;
    for (int i = 0; i < root.Count(); ++i) {
      TMenuItem& item = *root.Items(i);
      if (!item.Visible) continue;
      if (!column || (item.Break != TMenuBreak::mbNone && column->count() > 0)) {
        if (column && item.Break == TMenuBreak::mbBarBreak) columns->addWidget(Line(QFrame::VLine));
        column = new QVBoxLayout;
        column->setSpacing(0);
        columns->addLayout(column);
      }
      if (item.IsLine()) {
        column->addWidget(Line(QFrame::HLine));
        continue;
      }
      auto* button = new QPushButton(QString::fromStdString(AnsiToUtf8(item.Caption())), this);
      button->setFlat(true);
      button->setStyleSheet("text-align: left; padding: 3px 18px;");
      button->setEnabled(item.Enabled);
      button->installEventFilter(this);
      QObject::connect(button, &QPushButton::clicked, this, [this, &item] { Pick(&item); });
      column->addWidget(button);
      items_.push_back({button, &item});
    }
    for (int i = 0; i < columns->count(); ++i)
      if (auto* box = qobject_cast<QVBoxLayout*>(columns->itemAt(i)->layout())) box->addStretch();
  }

  TMenuItem* Exec(QPoint at) {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
      const QRect area = screen->availableGeometry();
      at.setX(std::max(area.left(), std::min(at.x(), area.right() - width())));
      at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - height())));
    }
    move(at);
    show();
    activateWindow();
    for (const auto& [button, item] : items_)
      if (button->isEnabled()) {
        button->setFocus(Qt::PopupFocusReason);
        break;
      }
    loop_.exec();
    return chosen_;
  }

 protected:
  void hideEvent(QHideEvent* e) override {
    QFrame::hideEvent(e);
    loop_.quit();
  }
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, e);
    return KeyPressed(*static_cast<QKeyEvent*>(e));
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (!KeyPressed(*e)) QFrame::keyPressEvent(e);
  }

 private:
  QFrame* Line(QFrame::Shape shape) {
    auto* line = new QFrame(this);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
  }
  void Pick(TMenuItem* item) {
    chosen_ = item;
    close();
  }
  bool KeyPressed(const QKeyEvent& e) {
    switch (e.key()) {
      case Qt::Key_Escape: close(); return true;
      case Qt::Key_Up:
      case Qt::Key_Left: Step(-1); return true;
      case Qt::Key_Down:
      case Qt::Key_Right: Step(1); return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        for (const auto& [button, item] : items_)
          if (button->hasFocus() && button->isEnabled()) Pick(item);
        return true;
      default: break;
    }
    const QString text = e.text().toUpper();
    if (text.size() != 1) return false;
    for (const auto& [button, item] : items_) {
      const std::size_t at = HotkeyIndex(item->Caption());
      if (button->isEnabled() && at != std::string::npos &&
          QChar::fromLatin1(item->Caption()[at]).toUpper() == text.front()) {
        Pick(item);
        return true;
      }
    }
    return false;
  }
  // The focus goes on to the next item that can be picked, round the end.
  void Step(int by) {
    const int count = static_cast<int>(items_.size());
    int at = 0;
    for (int i = 0; i < count; ++i)
      if (items_[static_cast<std::size_t>(i)].first->hasFocus()) at = i;
    for (int n = 1; n <= count; ++n) {
      QPushButton* next = items_[static_cast<std::size_t>(((at + by * n) % count + count) % count)].first;
      if (next->isEnabled()) {
        next->setFocus(Qt::TabFocusReason);
        return;
      }
    }
  }

  std::vector<std::pair<QPushButton*, TMenuItem*>> items_;
  TMenuItem* chosen_ = nullptr;
  QEventLoop loop_;
};

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
  if (HasColumnBreak(*menu.Items())) {
    ColumnPopup popup(*menu.Items());
    TMenuItem* chosen = popup.Exec(at);
    return chosen && ItemIsLive(menu.Items(), chosen) ? chosen : nullptr;
  }
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
