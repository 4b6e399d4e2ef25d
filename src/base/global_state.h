// Program-wide state lives in plain globals, as the program's routines
// expect to find it. Each module registers how to put its globals back to
// their start-up values, so that every run of the program (and every
// test) starts from a clean state.
#pragma once

namespace qm {

class GlobalState {
 public:
  using ResetFunction = void (*)();
  explicit GlobalState(ResetFunction reset);
  // Puts every registered global back to its start-up value.
  static void ResetAll();
};

}  // namespace qm
