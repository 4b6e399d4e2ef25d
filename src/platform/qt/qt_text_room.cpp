#include "platform/qt/qt_text_room.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocumentFragment>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/qt/qt_peer.h"

namespace qm {

namespace {

// "&Save" shows as "Save", "&&" as "&".
QString ShownCaption(const QString& text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

QString Line(const QWidget& control, const QString& text, int needed, int room) {
  QString flat = text;
  for (const QChar end : {QChar('\n'), QChar('\r'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
    flat.replace(end, " / ");
  return QString("%1 \"%2\" is cut: needs %3 pixels, has %4")
      .arg(control.metaObject()->className(), flat.trimmed())
      .arg(needed)
      .arg(room);
}

// A label that wraps takes its room's width by breaking lines; one that
// does not takes its text's own width.
void CheckLabel(const QLabel& label, QStringList& cut) {
  if (label.text().isEmpty() || label.wordWrap()) return;
  const int needed = label.sizeHint().width();
  if (needed <= label.width()) return;
  const bool rich =
      label.textFormat() == Qt::RichText || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
  cut << Line(label, rich ? QTextDocumentFragment::fromHtml(label.text()).toPlainText() : label.text(), needed,
              label.width());
}

QStyle::SubElement ContentsOf(const QAbstractButton& button) {
  if (qobject_cast<const QCheckBox*>(&button)) return QStyle::SE_CheckBoxContents;
  if (qobject_cast<const QRadioButton*>(&button)) return QStyle::SE_RadioButtonContents;
  return QStyle::SE_PushButtonContents;
}

// The caption and its glyph side by side, inside the part of the button
// the desktop draws them in.
void CheckButton(const QAbstractButton& button, QStringList& cut) {
  const QString shown = ShownCaption(button.text());
  if (shown.trimmed().isEmpty()) return;
  int needed = button.fontMetrics().horizontalAdvance(shown);
  if (!button.icon().isNull()) needed += button.iconSize().width() + 4;
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  option.icon = button.icon();
  option.iconSize = button.iconSize();
  const int room = button.style()->subElementRect(ContentsOf(button), &option, &button).width();
  if (needed > room) cut << Line(button, button.text(), needed, room);
}

// The program's own controls: the widgets of its controls, and the
// buttons a radio group shows for its items.
bool IsControl(const QWidget& widget) {
  if (const auto* link = dynamic_cast<const PeerLink*>(&widget); link && link->LinkedPeer()) return true;
  const QWidget* parent = widget.parentWidget();
  return qobject_cast<const QRadioButton*>(&widget) && parent && dynamic_cast<const PeerLink*>(parent);
}

// Where a control draws: its place, or for a check box or radio button
// given less height than its glyph and caption, the height they take,
// centred on its place as the desktop centres them.
QRect DrawnRect(const QWidget& widget) {
  QRect drawn = widget.geometry();
  const bool radio = qobject_cast<const QRadioButton*>(&widget) != nullptr;
  if (!radio && !qobject_cast<const QCheckBox*>(&widget)) return drawn;
  const QStyle::PixelMetric glyph = radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight;
  const int needed = std::max(widget.style()->pixelMetric(glyph, nullptr, &widget), widget.fontMetrics().height());
  const int missing = needed - drawn.height();
  if (missing > 0) drawn.adjust(0, -missing / 2, 0, missing - missing / 2);
  return drawn;
}

QString Described(const QWidget& widget) {
  QString text;
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) text = button->text();
  else if (const auto* label = qobject_cast<const QLabel*>(&widget)) text = label->text();
  if (text.isEmpty())
    if (const auto* link = dynamic_cast<const PeerLink*>(&widget); link && link->LinkedPeer())
      text = QString::fromStdString(link->LinkedPeer()->Control().Name);
  return QString("%1 \"%2\"").arg(widget.metaObject()->className(), text);
}

// A frame drawn behind the controls it frames takes no part.
bool DrawnBehind(const QWidget& widget) { return widget.testAttribute(Qt::WA_TransparentForMouseEvents); }

class CutTextLog : public QObject {
 public:
  explicit CutTextLog(QString path) : QObject(qApp), path_(std::move(path)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) LookOver(static_cast<QWidget*>(watched)->window());
    return false;
  }

 private:
  // Once the window has taken its size and its controls their texts.
  void LookOver(QWidget* window) {
    if (pending_.contains(window)) return;
    pending_.insert(window);
    QTimer::singleShot(100, this, [this, window, alive = QPointer<QWidget>(window)] {
      pending_.remove(window);
      if (alive && alive->isVisible()) Write(*alive);
    });
  }
  void Write(const QWidget& window) {
    QFile file(path_);
    if (!file.open(QIODevice::Append | QIODevice::Text)) return;
    for (const QString& text : TextsWiderThanTheirRoom(window) + ControlsDrawnOverOthers(window)) {
      const QString line = window.windowTitle() + ": " + text;
      if (written_.contains(line)) continue;
      written_.insert(line);
      file.write((line + "\n").toUtf8());
    }
  }

  QString path_;
  QSet<QWidget*> pending_;
  QSet<QString> written_;
};

}  // namespace

QStringList TextsWiderThanTheirRoom(const QWidget& window) {
  QStringList cut;
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->isVisibleTo(&window)) CheckLabel(*label, cut);
  for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
    if (button->isVisibleTo(&window)) CheckButton(*button, cut);
  return cut;
}

QStringList ControlsDrawnOverOthers(const QWidget& window) {
  QStringList over;
  std::vector<const QWidget*> controls;
  for (const QWidget* widget : window.findChildren<QWidget*>())
    if (widget->isVisibleTo(&window) && !widget->isWindow() && IsControl(*widget) && !DrawnBehind(*widget))
      controls.push_back(widget);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const QWidget& a = *controls[i];
      const QWidget& b = *controls[j];
      if (a.parentWidget() != b.parentWidget()) continue;
      const QRect drawnA = DrawnRect(a), drawnB = DrawnRect(b);
      // Neighbours that share one pixel of border stand side by side.
      const QRect shared = drawnA.intersected(drawnB);
      if (shared.width() < 2 || shared.height() < 2) continue;
      if (a.geometry().contains(drawnB) || b.geometry().contains(drawnA)) continue;
      over << QString("%1 is drawn over %2, sharing %3x%4 pixels")
                  .arg(Described(a), Described(b))
                  .arg(shared.width())
                  .arg(shared.height());
    }
  }
  return over;
}

void LogCutTextsIfAsked() {
  const char* path = std::getenv("QUILLMASTER_CUT_TEXT_LOG");
  if (!path || !*path || !qApp) return;
  qApp->installEventFilter(new CutTextLog(QString::fromLocal8Bit(path)));
}

}  // namespace qm
