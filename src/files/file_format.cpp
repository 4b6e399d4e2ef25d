#include "files/file_format.h"

#include <algorithm>
#include <array>

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
  if (!in.IsOpen() || DirectoryExists(fileName)) return lfMissing;
  std::array<Byte, kProbeSize> head{};
  const std::size_t size = in.Read(head.data(), head.size());
  if (in.LastError() != 0) return lfMissing;
  if (Begins(head, size, WindowsScriptTag)) return HasPassword(head, size) ? lfPasswordNative : lfNativeWindows;
  if (Begins(head, size, DosScriptTag)) return lfNativeDos;
  return lfUnknown;
}

}  // namespace qm
