#include "shell/program_state.h"

#include "shell/global_state.h"

namespace qm {

bool ProgramBusy;

namespace {
const GlobalState reset([] { ProgramBusy = false; });
}

}  // namespace qm
