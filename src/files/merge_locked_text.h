// Merge Text into Script: bringing the changed text of one draft into a
// locked script. Both scripts must be open, and saved, before it starts.
#pragma once

#include <string>

namespace qm {

inline constexpr const char* MergeNeedsTwoScriptsMessage =
    "To use this function you must have already opened both the script from which you are getting the modified "
    "text, AND the script into which this text is going to be merged.";
inline constexpr const char* MergeNeedsSavedScriptsMessage =
    "To use this function, both \rscripts must be already saved.";
inline constexpr const char* MergeWizardMissingMessage =
    "Both scripts are open and saved, but the Merge Locked Text wizard is not part of this version of the "
    "program, so nothing has been merged.";

// The checks before the merge, each refusal told with its message
// (caption "Attention"); with two saved scripts the writer is told that
// the merge itself cannot be done here. Nothing in either script changes.
void ShowMergeLockedText();

// A script counts as saved when it has a name of its own, no changes since
// its last save, and its file is there.
bool ScriptIsSaved(int slot);

}  // namespace qm
