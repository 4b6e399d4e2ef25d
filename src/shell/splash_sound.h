// The splash screen's sound: a short rising whirr the program makes
// itself, kept as a wave file in the session folder so that the
// desktop's player can play it.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

// The sound as the bytes of a wave file: 8-bit mono PCM.
std::vector<Byte> SpinnerWave();
// Writes the wave file once per session; its path, or "" when it could
// not be written.
std::string SpinnerWaveFile();

}  // namespace qm
