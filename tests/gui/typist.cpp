#include "gui/typist.h"

#include <QApplication>
#include <QWidget>
#include <QtTest/QTest>

namespace qm::testing {

namespace {

// The key a character is typed with on a plain keyboard, and whether
// Shift is held for it.
int KeyOfCharacter(char ch, bool& shifted) {
  shifted = ch >= 'A' && ch <= 'Z';
  if (ch >= 'a' && ch <= 'z') return Qt::Key_A + (ch - 'a');
  return static_cast<unsigned char>(ch);
}

void Send(QTest::KeyAction action, int key, const QString& text, Qt::KeyboardModifiers modifiers) {
  if (QWidget* target = Typist::KeyboardWidget())
    QTest::sendKeyEvent(action, target, static_cast<Qt::Key>(key), text, modifiers);
}

}  // namespace

QWidget* Typist::KeyboardWidget() {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup->focusWidget() ? popup->focusWidget() : popup;
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  return QApplication::activeWindow();
}

void Typist::Key(int key, Qt::KeyboardModifiers modifiers) {
  Then([key, modifiers] {
    Send(QTest::Press, key, QString(), modifiers);
    Send(QTest::Release, key, QString(), modifiers);
  });
}

void Typist::Type(const std::string& text) {
  for (char ch : text) {
    Then([ch] {
      bool shifted = false;
      const int key = KeyOfCharacter(ch, shifted);
      const Qt::KeyboardModifiers modifiers = shifted ? Qt::ShiftModifier : Qt::NoModifier;
      Send(QTest::Press, key, QString(QChar(ch)), modifiers);
      Send(QTest::Release, key, QString(QChar(ch)), modifiers);
    });
  }
}

void Typist::Then(std::function<void()> step) { steps_.push_back(Step{{}, std::move(step)}); }

void Typist::When(std::function<bool()> ready, std::function<void()> step) {
  steps_.push_back(Step{std::move(ready), std::move(step)});
}

void Typist::Start() {
  if (!running_)
    QMetaObject::invokeMethod(
        qApp, [this] { Next(); }, Qt::QueuedConnection);
  running_ = true;
}

// The next turn is booked before this one runs: a key that opens a modal
// loop does not return until the loop ends, and the keys after it must
// reach the loop's window.
void Typist::Next() {
  if (steps_.empty()) {
    running_ = false;
    return;
  }
  if ((Busy && Busy()) || (steps_.front().ready && !steps_.front().ready())) {
    QMetaObject::invokeMethod(
        qApp, [this] { Next(); }, Qt::QueuedConnection);
    return;
  }
  std::function<void()> step = std::move(steps_.front().run);
  steps_.pop_front();
  QMetaObject::invokeMethod(
      qApp, [this] { Next(); }, Qt::QueuedConnection);
  step();
}

}  // namespace qm::testing
