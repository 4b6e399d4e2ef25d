#include "support/platform_fixture.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

namespace qm::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qm-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  const char* old = getenv(name);
  had_ = old != nullptr;
  if (had_) old_ = old;
  setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_) setenv(name_.c_str(), old_.c_str(), 1);
  else unsetenv(name_.c_str());
}

void PlatformFixture::SetUp() {
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
  platform_.reset();
  homeEnv_.reset();
  home_.reset();
}

}  // namespace qm::testing
