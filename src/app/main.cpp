// The program: picks the desktop (or the headless backend) and runs the
// program block on it.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "shell/program_start.h"
#if defined(QM_HAVE_QT)
#include "platform/qt/qt_backend.h"
#endif

namespace {

// "--headless" chooses the backend without a desktop; it is ours, not
// part of the program's own command line.
bool TakeHeadlessFlag(std::vector<std::string>& args) {
  bool headless = false;
  std::erase_if(args, [&](const std::string& a) { return a == "--headless" && (headless = true); });
  return headless;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  bool headless = TakeHeadlessFlag(args);
#if !defined(QM_HAVE_QT)
  headless = true;
#endif
  std::unique_ptr<qm::Backend> backend;
#if defined(QM_HAVE_QT)
  if (!headless) backend = qm::CreateQtBackend(argc, argv);
#endif
  if (!backend) backend = std::make_unique<qm::HeadlessBackend>();
  return qm::RunProgram(std::move(backend), args, headless);
}
