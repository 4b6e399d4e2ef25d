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

#include <cstdlib>

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
  return QString("%1 \"%2\" needs %3 pixels, has %4")
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
    for (const QString& text : TextsWiderThanTheirRoom(window)) {
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

void LogCutTextsIfAsked() {
  const char* path = std::getenv("QUILLMASTER_CUT_TEXT_LOG");
  if (!path || !*path || !qApp) return;
  qApp->installEventFilter(new CutTextLog(QString::fromLocal8Bit(path)));
}

}  // namespace qm
