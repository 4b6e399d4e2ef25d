// The program options: fields of the main window, loaded from and saved
// to the settings file.
#pragma once

#include "platform/types.h"

namespace qm {

struct TProgramOptions {
  Byte StartupChoice = 0;
  Byte ExpertPrompting = 0;
};

}  // namespace qm
