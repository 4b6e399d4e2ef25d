#include "shell/splash_sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/byte_io.h"
#include "platform/files.h"

namespace qm {

namespace {

constexpr DWord SampleRate = 11025;
constexpr DWord SampleCount = SampleRate * 7 / 10;  // seven tenths of a second

// A tone sweeping up an octave and a half, fading in quickly and out
// slowly, so it ends well before the splash does.
Byte Sample(DWord i) {
  const double t = static_cast<double>(i) / SampleRate;
  const double length = static_cast<double>(SampleCount) / SampleRate;
  const double frequency = 330.0 + 660.0 * t / length;
  const double phase = 2 * std::numbers::pi * (330.0 * t + 330.0 * t * t / length);
  const double envelope = std::min(1.0, t / 0.05) * (1.0 - t / length);
  const double wobble = 0.75 + 0.25 * std::sin(2 * std::numbers::pi * frequency / 40 * t);
  return static_cast<Byte>(128 + std::lround(90 * envelope * wobble * std::sin(phase)));
}

}  // namespace

std::vector<Byte> SpinnerWave() {
  std::vector<Byte> wave;
  ByteWriter w(wave);
  w.Text("RIFF");
  w.U32(36 + SampleCount);
  w.Text("WAVE");
  w.Text("fmt ");
  w.U32(16);
  w.U16(1);  // PCM
  w.U16(1);  // mono
  w.U32(SampleRate);
  w.U32(SampleRate);  // bytes a second
  w.U16(1);           // bytes a sample
  w.U16(8);           // bits a sample
  w.Text("data");
  w.U32(SampleCount);
  for (DWord i = 0; i < SampleCount; ++i) w.U8(Sample(i));
  return wave;
}

std::string SpinnerWaveFile() {
  const std::string folder = RuntimeFolder();
  const std::string path = folder + "/SPINNER.WAV";
  if (FileExists(path)) return path;
  const std::vector<Byte> wave = SpinnerWave();
  if (!ForceDirectories(folder) || !WriteFileAtomic(path, wave.data(), wave.size())) return "";
  return path;
}

}  // namespace qm
