// A fresh platform on the headless backend for every test: its own
// temporary QUILLMASTER_HOME, the clock at zero, and a queue of scripted
// answers for modal forms. An unexpected form or an unused answer fails
// the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "support/temp_folder.h"

namespace qm::testing {

class PlatformFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HeadlessBackend& Backend() { return *backend_; }
  ModalDriver& Driver() { return backend_->Driver(); }
  const std::string& Home() const { return home_->Path(); }
  std::string HomeFile(const std::string& name) const { return home_->File(name); }
  // Starts the channel between program instances (off by default).
  bool WithChannel = false;

 private:
  std::unique_ptr<TempFolder> home_;
  std::unique_ptr<ScopedEnv> homeEnv_;
  HeadlessBackend* backend_ = nullptr;
  std::unique_ptr<Platform> platform_;
};

}  // namespace qm::testing
