// A script window made the active document on a fresh headless platform,
// with its screen font set and its screen lines empty, for the tests of
// word wrap, the screen lines, painting and the caret. The headless fonts
// are fixed: Courier New at 12 points is 30 dots a character at 300 dpi
// and 10 pixels at the screen's 96.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "script/script_window.h"
#include "support/platform_fixture.h"
#include "support/script_builder.h"

namespace qm::testing {

class LayoutFixture : public PlatformFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  TMDIChild& Window() const { return *window_; }
  // Builds the script, makes the first element current with its text in
  // the edit buffer (as the edit protocol leaves it).
  TScriptElement* Build(const std::vector<ElementSpec>& elements);
  // Makes an element current and takes its text into the edit buffer.
  void Edit(TScriptElement* element);
  TScriptElement* ElementAt(int index) const;
  // Wraps the current element's edit buffer, as typing does.
  void WrapCurrent(bool screenOutput = true);
  // Wraps every element onto the screen from the first, one below the other.
  void LayOutAll();
  // The wrapped lines of the current element's edit buffer, cut at LineOffsets.
  std::vector<std::string> CurrentLines() const;
  // The shown text of screen lines 1..count.
  std::vector<std::string> ShownLines(int count) const;

 private:
  std::unique_ptr<TMDIChild> window_;
};

}  // namespace qm::testing
