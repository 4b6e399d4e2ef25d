// A fresh program for every test: a new headless platform in its own
// QUILLMASTER_HOME, the program's globals back at their start-up values,
// and the program started as far as its message loop (main window, the
// settings read, the first empty script).
#pragma once

#include <string>
#include <vector>

#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/platform_fixture.h"

namespace qm::testing {

class ProgramFixture : public PlatformFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Settings written before start-up (section, key, value).
  struct Setting {
    std::string section, key, value;
  };
  std::vector<Setting> InitialSettings;
  std::vector<std::string> Arguments;

  // Runs once the platform is up, before the program starts: answers for
  // what start-up will ask.
  virtual void BeforeStart() {}

  // The active script window.
  TMDIChild& Script();
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};

}  // namespace qm::testing
