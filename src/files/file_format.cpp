#include "files/file_format.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "files/script_header.h"
#include "platform/files.h"

namespace qm {

namespace {

// Enough of the header to see the tag and the password.
constexpr std::size_t kProbeSize = 96;

bool Begins(const std::array<Byte, kProbeSize>& head, std::size_t size, std::string_view tag) {
  return size >= tag.size() && std::equal(tag.begin(), tag.end(), head.begin());
}

bool HasPassword(const std::array<Byte, kProbeSize>& head, std::size_t size) {
  for (const auto& field : ScriptHeaderFields())
    if (field.Name == "Password") return size > field.Offset && head[field.Offset] != 0;
  return false;
}

}  // namespace

Byte DetectFileFormat(const std::string& fileName, Byte hint) {
  (void)hint;
  TFileStream in(fileName, TFileMode::OpenRead);
  if (!in.IsOpen()) return lfMissing;
  std::array<Byte, kProbeSize> head{};
  const std::size_t size = in.Read(head.data(), head.size());
  if (in.LastError() != 0) return lfMissing;
  if (Begins(head, size, WindowsScriptTag)) return HasPassword(head, size) ? lfPasswordNative : lfNativeWindows;
  if (Begins(head, size, DosScriptTag)) return lfNativeDos;
  return lfUnknown;
}

std::string WhyNotReadable(const std::string& fileName) {
  const TFileInfo info = FileAttributes(fileName);
  if (!info.exists) return "it does not exist";
  if (info.directory) return "it is a folder";
  if (!info.regular) return "it is not a plain file but a device, a pipe or a socket";
  TFileStream in(fileName, TFileMode::OpenRead);
  Byte first = 0;
  if (in.IsOpen()) in.Read(&first, 1);
  const int error = in.LastError();
  if (error == 0) return {};
  if (error == EACCES || error == EPERM) return "you are not allowed to read it";
  return std::string("it could not be read (") + std::strerror(error) + ")";
}

std::string WhyNotRecognised(const std::string& fileName) {
  if (FileSize(fileName) == 0) return "it is empty";
  return "it is not a script file, and this version reads no other kind of file";
}

}  // namespace qm
