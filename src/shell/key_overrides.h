// The Alt+Ctrl key overrides: each of Alt+A to Alt+Z and Ctrl+A to Ctrl+Z
// may be given one action of a fixed list, which either sends a key to the
// script or clicks a button or menu item of the main window. The hidden
// "UserKeys" menu carries one item per key; the options dialog chooses
// the actions and the items are set up from the table.
#pragma once

#include <vector>

#include "platform/types.h"

namespace qm {

class TMenuItem;

// One choice of the override list: a key code with its modifier ("C" with
// Ctrl, "S" with Shift, "" plain), or the name of a main-window component
// to click; neither for "<No Override>" and the separators.
struct TKeyOverrideAction {
  const char* Caption;
  Word Key;
  const char* Modifier;
  const char* Component;
};
const std::vector<TKeyOverrideAction>& KeyOverrideActions();

// The tags of the user key items: the letter of the caption with Alt, or
// with Ctrl.
constexpr int AltUserKeyTag = 9991;
constexpr int CtrlUserKeyTag = 9992;

// Gives every user key item of the main window its short cut and its
// action by the key override table; an item without an action has no
// short cut, so the key does what it does without overrides.
void ApplyKeyOverrides();

// Carries out a user key item's action; false when it has none or its
// target could not take it (no script, a disabled button).
bool RunUserDefinedKey(const TMenuItem& item);

}  // namespace qm
