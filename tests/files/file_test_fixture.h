// A fresh program for each file test: the headless platform, the program's
// globals at their start-up values, a folder for the test's files, and
// answers for the platform message boxes the file code shows.
#pragma once

#include <string>

#include "files/file_job.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "base/global_state.h"
#include "support/message_box_answers.h"
#include "support/platform_fixture.h"
#include "support/temp_folder.h"

namespace qm::testing {

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
