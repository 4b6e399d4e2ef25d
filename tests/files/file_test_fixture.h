// A fresh program for each file test: the headless platform, the program's
// globals at their start-up values, a folder for the test's files, and
// answers for the platform message boxes the file code shows.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "files/file_job.h"
#include "platform/files.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "base/global_state.h"
#include "support/message_box_answers.h"
#include "support/platform_fixture.h"
#include "support/temp_folder.h"

namespace qm::testing {

// A file system whose time stamps count whole seconds: the files get the
// first one's second (the first that exists), without its fraction.
inline void WithinOneSecond(const std::vector<std::string>& paths) {
  struct stat st {};
  bool found = false;
  for (const std::string& path : paths)
    if (!found && stat(path.c_str(), &st) == 0) found = true;
  if (!found) return;
  const struct timespec times[2] = {{0, UTIME_OMIT}, {st.st_mtim.tv_sec, 0}};
  for (const std::string& path : paths) utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Runs `save` in a copy of this process that is killed just before the
// file step `step` on `path`, as a crash there would stop it; true when it
// was stopped there.
inline bool KilledAt(TFileStep step, const std::string& path, const std::function<void()>& save) {
  const pid_t child = fork();
  if (child == 0) {
    SetFileFaultHook([step, path](TFileStep taken, const std::string& changed) {
      if (taken == step && changed == path) raise(SIGKILL);
      return 0;
    });
    save();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  // A crash of its own elsewhere is no stop at the step.
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

struct SeenBox {
  std::string text;
  std::string caption;
};

class FileTest : public PlatformFixture {
 protected:
  std::string Path(const std::string& name) const { return folder_.File(name); }

  // Answers the next message box with `result` and keeps what it said.
  void AnswerBox(int result, SeenBox* seen = nullptr, const std::string& what = "a message box") {
    Driver().Expect(
        [result, seen](TForm& form) {
          if (seen) {
            seen->text = MessageBoxText(form);
            seen->caption = form.Caption();
          }
          form.ModalResult = result;
        },
        what);
  }

  TempFolder folder_;
};

}  // namespace qm::testing
