// The desktop backend: forms and controls as Qt 6 widgets.
#pragma once

#include <memory>

#include "platform/backend.h"

namespace qm {

// Makes the Qt application when none runs yet (it keeps argc and argv).
std::unique_ptr<Backend> CreateQtBackend(int& argc, char** argv);

// Whether a desktop can show windows: a display (X11 or Wayland) for the
// desktop platforms, or another Qt platform asked for by name (offscreen).
bool DesktopAvailable();

}  // namespace qm
