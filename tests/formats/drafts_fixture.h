// A paginated script window for the tests of page breaks, locking and
// revisions: the page-break kinds in order, the caret put anywhere, and
// answers for the dialogs the commands open.
#pragma once

#include <string>
#include <vector>

#include "script/fixtures/pagination_fixture.h"

namespace qm::testing {

class DraftsFixture : public PaginationFixture {
 protected:
  void SetUp() override;
  // A fresh script of these elements with default settings, laid out.
  void Start(const std::vector<ElementSpec>& script);
  // The kinds of the page-break elements, in order.
  std::vector<int> BreakKinds() const;
  // The element becomes current with the caret at `column`.
  void CaretAt(int element, int column);
  // Answers the next page-break type question with the choice at `index`
  // (or Cancel for -1).
  void ChoosePageBreakType(int index);
  // Answers the next message box with this button, keeping its text.
  void Press(TModalResult button, std::string* text = nullptr);
  // The shown number of every scene heading ("12A").
  std::vector<std::string> SceneNumbers() const;
};

}  // namespace qm::testing
