#include "gui/gui_fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/qt/qt_backend.h"
#include "script/script_window.h"
#include "shell/program_start.h"

namespace qm::testing {

void GuiFixture::SetUp() {
  home_ = std::make_unique<TempFolder>();
  homeEnv_ = std::make_unique<ScopedEnv>("QUILLMASTER_HOME", home_->Path());
  PlatformOptions options;
  if (WithChannel) options.runtimeFolder = home_->Path() + "/run";
  static int argc = 1;
  static char name[] = "quillmaster_gui_tests";
  static char* argv[] = {name, nullptr};
  platform_ = std::make_unique<Platform>(CreateQtBackend(argc, argv), options);
}

void GuiFixture::TearDown() {
  laterOwner_.reset();
  platform_.reset();
  homeEnv_.reset();
  home_.reset();
}

bool GuiFixture::RunUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  // A timer of our own wakes the loop at the deadline.
  bool late = false;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [&late] { late = true; });
  deadline.start(timeoutMs);
  while (!done() && !late && clock.elapsed() < timeoutMs) Application->HandleMessage();
  return done();
}

void GuiFixture::Later(int ms, std::function<void()> step) {
  if (!laterOwner_) laterOwner_ = std::make_unique<QObject>();
  QTimer::singleShot(ms, laterOwner_.get(), std::move(step));
}

TForm* GuiFixture::NewForm(TFormStyle style, const std::string& caption, int w, int h) {
  auto* form = new TForm(nullptr);
  form->FormStyle = style;
  form->Caption = caption;
  form->SetBounds(10, 10, w, h);
  return form;
}

QWidget* GuiFixture::ClientOf(const TControl& control) { return WidgetOf(control); }

QWidget* GuiFixture::WindowOf(const TForm& form) {
  FormPeer* peer = FormPeerOf(&form);
  return peer ? peer->Window() : nullptr;
}

QImage GuiFixture::Grab(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QString GuiFixture::ScreenshotPath(const std::string& name) {
  const QString folder = QString(QM_BINARY_DIR) + "/screenshots";
  QDir().mkpath(folder);
  return folder + "/" + QString::fromStdString(name) + ".png";
}

QImage GuiFixture::SaveShot(QWidget& widget, const std::string& name) {
  const QImage image = Grab(widget);
  image.save(ScreenshotPath(name));
  return image;
}

int GuiFixture::DarkPixels(const QImage& image, const QRect& rect) {
  int dark = 0;
  const QRect r = rect.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ++dark;
  return dark;
}

void GuiFixture::DoubleClickRow(QListWidget& list, int row) {
  const QPoint at = list.visualItemRect(list.item(row)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
}

bool GuiFixture::ClickPopupItem(const QString& caption) {
  QWidget* popup = QApplication::activePopupWidget();
  if (auto* menu = qobject_cast<QMenu*>(popup)) {
    for (QAction* a : menu->actions())
      if (a->text() == caption) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        return true;
      }
    return false;
  }
  if (!popup) return false;
  for (QPushButton* button : popup->findChildren<QPushButton*>())
    if (button->text() == caption) {
      QTest::mouseClick(button, Qt::LeftButton);
      return true;
    }
  return false;
}

}  // namespace qm::testing
