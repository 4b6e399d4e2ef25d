#include "shell/splash_sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/byte_io.h"
#include "platform/files.h"

namespace qm {

namespace {

constexpr DWord SampleRate = WaveSampleRate;
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

std::vector<Byte> WaveBytes(const std::vector<Byte>& samples) {
  const DWord count = static_cast<DWord>(samples.size());
  std::vector<Byte> wave;
  ByteWriter w(wave);
  w.Text("RIFF");
  w.U32(36 + count);
  w.Text("WAVE");
  w.Text("fmt ");
  w.U32(16);
  w.U16(1);  // PCM
  w.U16(1);  // mono
  w.U32(WaveSampleRate);
  w.U32(WaveSampleRate);  // bytes a second
  w.U16(1);               // bytes a sample
  w.U16(8);               // bits a sample
  w.Text("data");
  w.U32(count);
  for (Byte b : samples) w.U8(b);
  return wave;
}

std::string SessionWaveFile(const std::string& name, const std::function<std::vector<Byte>()>& wave) {
  const std::string folder = RuntimeFolder();
  const std::string path = folder + "/" + name;
  if (FileExists(path)) return path;
  const std::vector<Byte> bytes = wave();
  if (!ForceDirectories(folder) || !WriteFileAtomic(path, bytes.data(), bytes.size())) return "";
  return path;
}

std::vector<Byte> SpinnerWave() {
  std::vector<Byte> samples(SampleCount);
  for (DWord i = 0; i < SampleCount; ++i) samples[i] = Sample(i);
  return WaveBytes(samples);
}

std::string SpinnerWaveFile() { return SessionWaveFile("SPINNER.WAV", SpinnerWave); }

}  // namespace qm
