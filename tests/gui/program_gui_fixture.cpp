#include "gui/program_gui_fixture.h"

#include <QApplication>
#include <QScreen>

#include "platform/files.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/editor_state.h"
#include "shell/documents.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "shell/status_line.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {

void ProgramGuiFixture::SetUp() {
  GlobalState::ResetAll();
  GuiFixture::SetUp();
  {
    TIniFile ini(SettingsFilePath());
    for (const Setting& s : InitialSettings) ini.WriteString(s.section, s.key, s.value);
  }
  ASSERT_TRUE(StartProgram());
  Application->ProcessMessages();
  ASSERT_NE(ActiveScript(), nullptr);
}

void ProgramGuiFixture::TearDown() {
  while (DocumentCount > 0) {
    TMDIChild* script = Documents[DocumentCount];
    RemoveDocument(script);
    delete script;
  }
  FinishProgram();
  GlobalState::ResetAll();
  GuiFixture::TearDown();
}

TMDIChild& ProgramGuiFixture::Script() { return *ActiveScript(); }
QWidget* ProgramGuiFixture::ScriptClient() { return ClientOf(Script()); }
QWidget* ProgramGuiFixture::MainWindow() { return WindowOf(*MainForm); }

void ProgramGuiFixture::Play(Typist& typist, int timeoutMs) {
  // A key waits while the program replays what was typed ahead.
  typist.Busy = [] { return PumpBusy || JobRunning; };
  typist.Start();
  EXPECT_TRUE(RunUntil([&] { return typist.Done(); }, timeoutMs)) << "the keys ran out of time";
  Application->ProcessMessages();
}

QImage ProgramGuiFixture::Shot(const std::string& name) {
  // Only the paints the desktop was asked for, as its loop would run them.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  QWidget* window = MainWindow();
  const QImage image =
      QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  image.save(ScreenshotPath(name));
  return image;
}

QImage ProgramGuiFixture::ScreenShot(const std::string& name) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  const QImage image = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
  image.save(ScreenshotPath(name));
  return image;
}

std::vector<std::string> ProgramGuiFixture::LinesWithoutInk(const QImage& shot) {
  std::vector<std::string> missing;
  TMDIChild& script = Script();
  QWidget* client = ScriptClient();
  const QPoint origin = client->mapTo(MainWindow(), QPoint(0, 0));
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const TScreenLine& row = script.ScreenLines[static_cast<size_t>(line)];
    const int bottom = row.y + script.ScreenDescent;
    if (bottom > client->height()) break;
    if (!row.element || row.text.find_first_not_of(' ') == std::string::npos) continue;
    const int textHeight = script.ScreenAscent + script.ScreenDescent;
    const QRect band(origin.x(), origin.y() + bottom - textHeight, client->width(), textHeight);
    if (DarkPixels(shot, band) < 10) missing.push_back(row.text);
  }
  return missing;
}

std::string ProgramGuiFixture::TopLine() { return Script().ScreenLines[1].text; }

void ProgramGuiFixture::LoadSceneScript(int scenes) {
  std::vector<ElementSpec> elements;
  for (int scene = 1; scene <= scenes; ++scene) {
    elements.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(scene) + " - DAY"});
    for (int i = 0; i < 40; ++i)
      elements.push_back({ekAction, "Scene " + std::to_string(scene) + ", action " + std::to_string(i) + "."});
  }
  ShowScript(elements);
}

void ProgramGuiFixture::ShowScript(const std::vector<ElementSpec>& elements, int current) {
  TMDIChild& w = Script();
  w.FreeElements();
  ResetScreenLines(w);
  AddElements(w, elements);
  editor::SetCurrentElement(w, w.FirstElement);
  for (int i = 0; i < current && w.CurrentElement()->next; ++i) editor::SetCurrentElement(w, w.CurrentElement()->next);
  w.CurrentGroup = w.CurrentElement()->group;
  w.DisAssemble();
  w.RefreshKeepingCursor();
  RebuildScreen(&w);
  w.RedisplayScreen(true);
  MainForm->StatusLine().Refresh(true);
  Application->ProcessMessages();
}

}  // namespace qm::testing
