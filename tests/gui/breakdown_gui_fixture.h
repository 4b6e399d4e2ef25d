// The program with breakdown tagging as a production office has it: the
// checked code usage on, so tags are shown and offered.
#pragma once

#include <string>

#include "breakdown/tagging.h"
#include "gui/program_gui_fixture.h"

namespace qm::testing {

// The Props category.
inline constexpr int Props = 14;

class BreakdownGuiFixture : public ProgramGuiFixture {
 protected:
  void SetUp() override {
    InitialSettings.push_back({"Breakdowns", "Checked Code Usage", "1"});
    ProgramGuiFixture::SetUp();
  }
  // An item tagged in a category, as the script text holds it.
  static std::string Tag(int category, const std::string& item) {
    return std::string(1, static_cast<char>(TagCodeOfCategory(category))) + item + std::string(1, '\x01');
  }
};

}  // namespace qm::testing
