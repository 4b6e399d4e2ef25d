// A fresh platform on the Qt backend for every test, with its own
// temporary QUILLMASTER_HOME, driven through real Qt events on the
// offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QListWidget>
#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_form_peer.h"
#include "support/temp_folder.h"

namespace qm::testing {

class GuiFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QtBackend& Backend() { return QtDesktop(); }
  const std::string& Home() const { return home_->Path(); }
  // Starts the channel between program instances (off by default).
  bool WithChannel = false;

  // Runs the core's loop until `done` or until the time is up.
  bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000);
  // Runs a step from inside whatever loop runs after `ms` (a modal loop,
  // a pop-up menu's loop); a step still waiting when the test ends is
  // dropped.
  void Later(int ms, std::function<void()> step);

  // A form made and shown the way the program makes its forms.
  TForm* NewForm(TFormStyle style, const std::string& caption, int w, int h);
  static QWidget* ClientOf(const TControl& control);
  static QWidget* WindowOf(const TForm& form);
  // What the form's window shows now.
  static QImage Grab(QWidget& widget);
  // The same, saved as screenshots/<name>.png in the build folder.
  static QImage SaveShot(QWidget& widget, const std::string& name);
  static QString ScreenshotPath(const std::string& name);
  // How many pixels in the rectangle are darker than mid grey.
  static int DarkPixels(const QImage& image, const QRect& rect);
  // A double click on a list's row as the desktop delivers it: a click,
  // then the second press as a double click, then its release.
  static void DoubleClickRow(QListWidget& list, int row);
  // Clicks the item captioned `caption` on the pop-up menu that is up,
  // whether drawn as one column or, split, as several; false when no
  // pop-up or no such item is there.
  static bool ClickPopupItem(const QString& caption);

 private:
  // Owns the steps of Later(): a step still waiting when its test ends
  // goes with it instead of running in the next test.
  std::unique_ptr<QObject> laterOwner_;
  std::unique_ptr<TempFolder> home_;
  std::unique_ptr<ScopedEnv> homeEnv_;
  std::unique_ptr<Platform> platform_;
};

}  // namespace qm::testing
