// The desktop's file dialog answered as a writer answers it with the mouse.
// Under a busy window manager a new dialog does not always get the
// keyboard, so Return may be lost; a click reaches the button under it.
#pragma once

#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {

// Brings forward the file dialog whose title holds `title`; when `name` is
// given, chooses the file type `typesDown` entries below the one proposed
// (an Open button stays off for a name its file type hides) and replaces
// the name field's text with the name; then clicks its Open or Save button.
// False when no such dialog showed.
bool AnswerFileDialog(DesktopSession& session, const std::string& title, const std::string& name = {},
                      int typesDown = 0);

}  // namespace qm::desktop
