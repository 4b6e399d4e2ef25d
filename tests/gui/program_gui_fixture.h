// The program itself started in-process on the desktop backend, with its
// own home, its main window and one script window, for the tests that
// drive it with real key and mouse events as a writer does.
#pragma once

#include <QImage>
#include <QString>

#include <string>
#include <vector>

#include "gui/gui_fixture.h"
#include "gui/typist.h"
#include "support/script_builder.h"
#include "script/script_window.h"

namespace qm::testing {

class ProgramGuiFixture : public GuiFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Settings written before the program starts (section, key, value).
  struct Setting {
    std::string section, key, value;
  };
  std::vector<Setting> InitialSettings;

  TMDIChild& Script();
  QWidget* ScriptClient();
  QWidget* MainWindow();
  // Runs the keys and steps of the typist until they are done.
  void Play(Typist& typist, int timeoutMs = 120000);

  // What the desktop shows of the main window now (after the paints it has
  // been asked for), saved as screenshots/<name>.png in the build folder.
  QImage Shot(const std::string& name);
  // The whole screen: pop-up windows included.
  QImage ScreenShot(const std::string& name);
  // The lines of the active script that hold text and lie inside its
  // window but show no ink in the shot: empty when everything painted shows.
  std::vector<std::string> LinesWithoutInk(const QImage& shot);
  // The first screen line's text, and the element kinds and texts.
  std::string TopLine();
  // The script replaced by scenes of forty one-line actions (about a page
  // each), laid out and shown with the caret at the top.
  void LoadSceneScript(int scenes);
  // The script replaced by these elements, laid out and shown with the
  // caret on element `current`.
  void ShowScript(const std::vector<ElementSpec>& elements, int current = 0);
};

}  // namespace qm::testing
