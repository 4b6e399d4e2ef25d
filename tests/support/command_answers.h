// Running a main-window command as a writer who says yes to everything:
// YES typed where it is asked for, the default button pressed when it
// accepts, else the first that accepts; file dialogs cancelled, no file
// being meant; after a long run of forms everything is cancelled, so that
// a command that asks again and again comes to an end.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/menus.h"

namespace qm::testing {

// Answers one form so; `asked` counts the forms of one command.
void ConfirmForm(TForm& form, int& asked);
// Runs a command; the answers queued are used first, then whatever the
// command asks is confirmed, and nothing it shows fails the test.
void RunAnswered(ModalDriver& driver, const std::function<void()>& command);
// The same for a menu command by its name.
void RunConfirmed(ModalDriver& driver, const std::string& name);

// Presses the default button as Enter does, up to three times: a dialog
// of pages may turn to the next page first.
void PressDefault(TForm& form);
// Runs a command as the event loop hands it over, so that a failure it
// lets escape is caught where a writer's would be.
void RunFromEventLoop(TMenuItem& command);

// Commands a walk over the menus leaves out: the program, its files and
// its windows, Undo and Redo themselves, blocks sent to other scripts, and
// the ways of showing or working in a script that change nothing of it.
const std::set<std::string>& CommandsNotWalked();

}  // namespace qm::testing
