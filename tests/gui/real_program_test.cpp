// The real program on the desktop (Qt's offscreen platform), started as a
// user starts it, in a home of its own: another program finds its main
// window through the window messages and hands it a script; the keys and
// the close it sends the same way are dropped.
#include <QDir>

#include <chrono>
#include <fstream>
#include <thread>

#include "files/native_file.h"
#include "gui/gui_fixture.h"
#include "platform/files.h"
#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"
#include "base/global_state.h"
#include "support/child_process.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

const std::vector<ElementSpec> kScene = {{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                                         {ekAction, "A kettle whistles."},
                                         {ekCharacterName, "MARY"},
                                         {ekDialogue, "Not tonight."}};

class RealProgramTest : public testing::GuiFixture {
 protected:
  void SetUp() override {
    GlobalState::ResetAll();
    GuiFixture::SetUp();
  }
  void TearDown() override {
    GuiFixture::TearDown();
    GlobalState::ResetAll();
  }
  // A script file as the program writes it.
  static void WriteScript(const std::string& path, const std::vector<ElementSpec>& elements) {
    std::unique_ptr<TMDIChild> script = testing::OpenOnlyDocument();
    testing::AddElements(*script, elements);
    const std::vector<Byte> image = BuildScriptImage(*script, false, true);
    testing::CloseOnlyDocument(script);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  }
  static std::vector<ElementSpec> ReadScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<Byte> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TParsedScript parsed;
    std::string error;
    std::vector<ElementSpec> elements;
    if (!ParseScriptImage(bytes, parsed, error)) return elements;
    for (const auto& e : parsed.elements) elements.push_back({e->Kind(), ElementText(*e)});
    return elements;
  }
  // Waits for something another process does.
  static bool WaitFor(const std::function<bool()>& done, int seconds = 30) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done() && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return done();
  }
  static WireMessage Message(HWND target, UINT message, WPARAM wParam, LPARAM lParam, std::string name = {}) {
    WireMessage m;
    m.target = target;
    m.message = message;
    m.registeredName = std::move(name);
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
  }
};

// Another program of the user may hand the running program a script, but
// never type into it or close it: keys and closing come from the desktop.
TEST_F(RealProgramTest, AnotherProgramHandsItAScriptButCannotTypeIntoItOrCloseIt) {
  const std::string folder = Home() + "/scripts";
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
  const std::string script = folder + "/KITCHEN.QMW";
  WriteScript(script, kScene);
  // An expert is not asked whether to exit.
  std::ofstream(Home() + "/QUILLPAD.INI") << "[Program Settings]\nExpert Prompting=1\n";

  testing::ChildProcess program(QM_PROGRAM_PATH, {}, {"QUILLMASTER_HOME=" + Home(), "QT_QPA_PLATFORM=offscreen"});
  ASSERT_TRUE(program.Started());
  const std::string runtime = Home() + "/run";
  IpcChannel channel(runtime);
  std::optional<HWND> main;
  ASSERT_TRUE(WaitFor([&] { return (main = channel.FindWindow("TMainForm", "")).has_value(); }))
      << "the program's main window is published";

  // What a second start does: the script's name in a global atom, then
  // "LoadName" to the window.
  SharedAtomTable atoms(runtime);
  const ATOM atom = atoms.Add(script + " ");
  ASSERT_NE(atom, 0);
  ASSERT_TRUE(channel.Post(Message(*main, FirstRegisteredMessage, 0, atom, "LoadName")));
  EXPECT_TRUE(WaitFor([&] { return atoms.GetName(atom).empty(); })) << "the program released the atom";
  ASSERT_TRUE(WaitFor([&] {
    return channel.FindWindow("TMainForm", "Quillmaster for Windows - [" + script + "]") == main;
  })) << "the main window's title names the opened script";
  // F7 would save the opened script and keep its previous version as the
  // backup; from another process it is dropped, and so is the close.
  ASSERT_TRUE(channel.Post(Message(*main, WM_KEYDOWN, VK_F7, 0)));
  ASSERT_TRUE(channel.Post(Message(*main, WM_CLOSE, 0, 0)));
  EXPECT_FALSE(WaitFor([&] { return FileExists(folder + "/KITCHEN.BK"); }, 3)) << "nothing was saved";
  EXPECT_EQ(program.ExitCode(1000), std::nullopt) << "the program still runs";
  EXPECT_TRUE(channel.FindWindow("TMainForm", "Quillmaster for Windows - [" + script + "]").has_value());
  EXPECT_EQ(ReadScript(script), kScene);
  program.Kill();
}

}  // namespace
}  // namespace qm
