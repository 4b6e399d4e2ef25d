#include "script/editing/click_hooks.h"

#include "base/global_state.h"

namespace qm {

TScriptClickHooks ScriptClickHooks;

namespace {
const GlobalState reset([] { ScriptClickHooks = {}; });
}

}  // namespace qm
