#include "base/global_state.h"

#include <vector>

namespace qm {

namespace {

std::vector<GlobalState::ResetFunction>& Resets() {
  static std::vector<GlobalState::ResetFunction> resets;
  return resets;
}

}  // namespace

GlobalState::GlobalState(ResetFunction reset) {
  Resets().push_back(reset);
  reset();
}

void GlobalState::ResetAll() {
  for (auto reset : Resets()) reset();
}

}  // namespace qm
