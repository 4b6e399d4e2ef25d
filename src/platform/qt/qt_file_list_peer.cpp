// The file and folder lists as a QListWidget: it scrolls, wraps its items
// into the columns asked for, selects the item pressed and moves the
// selection with the arrow keys and the first letters typed; the core
// keeps the names and the choice and hears the clicks and other keys.
#include "platform/qt/qt_file_list_peer.h"

#include <QListWidget>
#include <QResizeEvent>

#include <algorithm>
#include <string>

#include "platform/cp1252.h"
#include "platform/file_controls.h"
#include "platform/qt/qt_rich_edit_peer.h"
#include "platform/qt/qt_keys.h"

namespace qm {

namespace {

class FileSystemListPeer;

// The widget selects first; then the press, release or double click goes
// to the core as its window message, with the item already chosen.
class ListWidget : public PeerWidget<QListWidget> {
 public:
  explicit ListWidget(FileSystemListPeer* peer);

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    QListWidget::mousePressEvent(e);
    Forward(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    QListWidget::mouseReleaseEvent(e);
    Forward(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    QListWidget::mouseDoubleClickEvent(e);
    Forward(e);
  }
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Forward(QMouseEvent* e) {
    if (QtPeer* p = LinkedPeer()) p->MouseEvent(e);
  }
};

class FileSystemListPeer : public QtPeer {
 public:
  FileSystemListPeer(QtBackend& backend, TFileSystemList& list) : QtPeer(backend, list), list_(list) {}
  void Init() override {
    auto* w = new ListWidget(this);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setUniformItemSizes(true);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(w, &QListWidget::currentRowChanged, w, FromUser([this] {
                       if (QListWidget* l = List()) list_.SetItemIndex(l->currentRow());
                     }));
    Attach(w, w);
    ToWidget();
  }
  // The columns share the width the widget has; the rest scrolls sideways.
  void LayOutColumns() {
    QListWidget* w = List();
    if (!w) return;
    const int columns = list_.Columns();
    w->setFlow(QListView::TopToBottom);
    w->setWrapping(columns > 0);
    w->setResizeMode(QListView::Adjust);
    if (columns > 0) {
      const int row = w->fontMetrics().height() + 4;
      w->setGridSize(QSize(std::max(40, w->viewport()->width() / columns), row));
      w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
      w->setGridSize(QSize());
      w->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
  }

 protected:
  QListWidget* List() const { return static_cast<QListWidget*>(Widget()); }
  void Sync(PropId id) override {
    QtPeer::Sync(id);
    if (id == PropId::Items || id == PropId::ItemIndex || id == PropId::Style || id == PropId::Font) ToWidget();
  }
  void SyncColor() override {
    if (QWidget* w = Widget()) SetTextColors(*w, list_, QPalette::Base);
  }
  bool NativeAfterCore(QKeyEvent* e, const std::string& typed) override {
    if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
    return IsNavigationKey(e->key()) || (!typed.empty() && static_cast<unsigned char>(typed[0]) >= 0x20);
  }

 private:
  void ToWidget() {
    QListWidget* w = List();
    if (!w) return;
    syncing_ = true;
    QStringList items;
    for (int i = 0; i < list_.Items.Count(); ++i) items << QString::fromStdString(AnsiToUtf8(list_.Items[i]));
    bool same = w->count() == items.size();
    for (int i = 0; same && i < w->count(); ++i) same = w->item(i)->text() == items[i];
    if (!same) {
      w->clear();
      w->addItems(items);
    }
    LayOutColumns();
    const int index = list_.ItemIndex();
    if (w->currentRow() != index) w->setCurrentRow(index);
    if (QListWidgetItem* current = w->currentItem()) w->scrollToItem(current);
    syncing_ = false;
  }
  TFileSystemList& list_;
};

ListWidget::ListWidget(FileSystemListPeer* peer) : PeerWidget<QListWidget>(peer) {}

void ListWidget::resizeEvent(QResizeEvent* e) {
  QListWidget::resizeEvent(e);
  if (auto* p = static_cast<FileSystemListPeer*>(LinkedPeer())) p->LayOutColumns();
}

}  // namespace

std::unique_ptr<QtPeer> MakeFileSystemListPeer(QtBackend& backend, TFileSystemList& list) {
  return std::make_unique<FileSystemListPeer>(backend, list);
}

}  // namespace qm
