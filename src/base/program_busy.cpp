#include "base/program_busy.h"

#include "base/global_state.h"

namespace qm {

bool ProgramBusy;

namespace {
const GlobalState reset([] { ProgramBusy = false; });
}

}  // namespace qm
