// The program: picks the desktop (or the headless backend) and runs the
// program block on it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "shell/program_start.h"
#if defined(QM_HAVE_QT)
#include "platform/qt/qt_backend.h"
#endif

namespace {

// "--headless" chooses the backend without a desktop; it is ours, not
// part of the program's own command line. After "--" every parameter is
// the script's name, so a file called "--headless" can be opened too.
bool TakeHeadlessFlag(std::vector<std::string>& args) {
  const auto names = std::find(args.begin(), args.end(), "--");
  const auto taken = std::remove(args.begin(), names, "--headless");
  const bool headless = taken != names;
  args.erase(taken, names);
  return headless;
}

// Without a desktop the program's boxes cannot be seen: what they say goes
// to standard error, and each takes its default answer (cancelled when it
// has none), so that the work goes on rather than asking again for ever.
std::unique_ptr<qm::Backend> HeadlessBackendReportingBoxes() {
  auto backend = std::make_unique<qm::HeadlessBackend>();
  backend->Driver().OnUnanswered = [](qm::TForm& form) {
    std::fprintf(stderr, "%s\n", qm::AnsiToUtf8(qm::FormMessage(form)).c_str());
    // Enter gives the default answer, pressed only where it reaches the box.
    if (qm::Screen->ActiveForm() == &form) qm::SendKey(qm::VK_RETURN);
  };
  return backend;
}

constexpr int kNoDesktop = 2;

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool headless = TakeHeadlessFlag(args);
#if !defined(QM_HAVE_QT)
  headless = true;
#endif
  std::unique_ptr<qm::Backend> backend;
#if defined(QM_HAVE_QT)
  if (!headless && !qm::DesktopAvailable()) {
    std::fprintf(stderr,
                 "Quillmaster needs a desktop to show its windows, and none was found (DISPLAY and WAYLAND_DISPLAY "
                 "are not set).\nStart it on a desktop, or with --headless to run it without windows.\n");
    return kNoDesktop;
  }
  if (!headless) backend = qm::CreateQtBackend(argc, argv);
#endif
  if (!backend) backend = HeadlessBackendReportingBoxes();
  return qm::RunProgram(std::move(backend), args, headless);
}
