// Print Preview on the desktop: the window shows page 1 as it prints.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include "gui/program_gui_fixture.h"
#include "printing/print_preview.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::ProgramGuiFixture;

class PrintPreviewGuiTest : public ProgramGuiFixture {};

// Pixels darker than mid-grey inside a rectangle of the image.
int DarkPixelsIn(const QImage& image, const QRect& area) {
  int dark = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(image.pixel(x, y)) < 100) ++dark;
  return dark;
}

TEST_F(PrintPreviewGuiTest, ThePreviewWindowShowsPageOne) {
  testing::Typist t;
  t.Type("INT. LIGHTHOUSE - NIGHT");
  t.Key(Qt::Key_Return);
  t.Type("Rain hammers the glass. Mara climbs the last steps with a lantern.");
  QImage shot;
  QString title;
  t.Then([] { MainForm->MenuItem("PrintPreviewItem")->Click(); });
  t.When([] { return QApplication::activeModalWidget() && QApplication::activeModalWidget()->isVisible(); },
         [&] {
           QWidget* preview = QApplication::activeModalWidget();
           QApplication::processEvents();
           title = preview->windowTitle();
           shot = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
           const QString folder = QString(QM_BINARY_DIR) + "/screenshots";
           QDir().mkpath(folder);
           shot.save(folder + "/preview.png");
           preview->close();
         });
  t.When([] { return QApplication::activeModalWidget() == nullptr; }, [] {});
  Play(t, 30000);
  EXPECT_EQ(title.toStdString(), "Print Preview");
  ASSERT_FALSE(shot.isNull());
  // The sheet is white, and the heading and the action put ink on its upper third.
  const QRect upper(0, shot.height() / 10, shot.width(), shot.height() / 4);
  int white = 0;
  for (int x = 0; x < shot.width(); ++x)
    if (qGray(shot.pixel(x, shot.height() / 2)) > 240) ++white;
  EXPECT_GT(white, shot.width() / 3) << "a white sheet across the middle";
  EXPECT_GT(DarkPixelsIn(shot, upper), 100) << "the page's text shows";
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "closing the window ends the preview";
}

}  // namespace
}  // namespace qm
