#include "support/platform_fixture.h"

#include "base/global_state.h"
#include "platform/files.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

namespace qm::testing {

void PlatformFixture::SetUp() {
  GlobalState::ResetAll();
  SetFileFaultHook(nullptr);
  home_ = std::make_unique<TempFolder>();
  homeEnv_ = std::make_unique<ScopedEnv>("QUILLMASTER_HOME", home_->Path());
  auto backend = std::make_unique<HeadlessBackend>();
  backend_ = backend.get();
  backend_->Driver().OnProblem = [](const std::string& problem) { ADD_FAILURE() << problem; };
  PlatformOptions options;
  if (WithChannel) options.runtimeFolder = home_->Path() + "/run";
  platform_ = std::make_unique<Platform>(std::move(backend), options);
}

void PlatformFixture::TearDown() {
  for (const auto& unused : Driver().PendingDescriptions()) ADD_FAILURE() << "an answer was never used: " << unused;
  Driver().Clear();
  SetFileFaultHook(nullptr);
  GlobalState::ResetAll();
  platform_.reset();
  homeEnv_.reset();
  home_.reset();
}

}  // namespace qm::testing
