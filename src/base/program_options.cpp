#include "base/program_options.h"

#include "base/global_state.h"
#include "shell/main_form.h"

namespace qm {

namespace {

TProgramOptions fallback;

const GlobalState reset([] {
  fallback = TProgramOptions{};
  fallback.ZoomSize = 100;
});

}  // namespace

TProgramOptions& ProgramOptions() {
  if (MainForm) return *MainForm;
  return fallback;
}

}  // namespace qm
