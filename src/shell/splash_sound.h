// The splash screen's sound: a short rising whirr the program makes
// itself, kept as a wave file in the session folder so that the
// desktop's player can play it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

// Sounds the program makes itself: 8-bit mono samples at this rate.
constexpr DWord WaveSampleRate = 11025;
// The samples as the bytes of a wave file.
std::vector<Byte> WaveBytes(const std::vector<Byte>& samples);
// Writes the wave file of that name once per session in the session
// folder; its path, or "" when it could not be written.
std::string SessionWaveFile(const std::string& name, const std::function<std::vector<Byte>()>& wave);

// The sound as the bytes of a wave file: 8-bit mono PCM.
std::vector<Byte> SpinnerWave();
// Writes the wave file once per session; its path, or "" when it could
// not be written.
std::string SpinnerWaveFile();

}  // namespace qm
