#include "files/file_format.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <span>
#include <string_view>

#include "files/converter_handoff.h"
#include "files/script_header.h"
#include "files/storydev_import.h"
#include "platform/files.h"

namespace qm {

namespace {

// Enough of the file to see a native tag and password, and the first lines
// of a text.
constexpr std::size_t kProbeSize = 4096;

// A WordStar 5 and later document opens with its own header.
constexpr std::string_view kNewWordStarHead = "\x1D\x7D";
// WordStar ends its word-wrapped lines with a soft return.
constexpr std::string_view kWordStarSoftReturn = "\x8D\x0A";

bool Begins(const std::array<Byte, kProbeSize>& head, std::size_t size, std::string_view tag) {
  return size >= tag.size() && std::equal(tag.begin(), tag.end(), head.begin());
}

bool HasPassword(const std::array<Byte, kProbeSize>& head, std::size_t size) {
  for (const auto& field : ScriptHeaderFields())
    if (field.Name == "Password") return size > field.Offset && head[field.Offset] != 0;
  return false;
}

std::string_view FirstLine(std::string_view text) {
  const std::size_t start = text.find_first_not_of("\r\n \t");
  if (start == std::string_view::npos) return {};
  const std::size_t end = text.find_first_of("\r\n", start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// A style line in brackets first, and text lines of "<" and a code letter.
bool IsTaggedText(std::string_view text) {
  const std::string_view first = FirstLine(text);
  if (!first.starts_with("[") || first.find(']') == std::string_view::npos) return false;
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1))
    if ((at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r') && at + 1 < text.size() &&
        std::isalpha(static_cast<unsigned char>(text[at + 1])))
      return true;
  return false;
}

Byte DetectForeignFormat(std::span<const Byte> head, Byte hint) {
  const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
  const std::string_view unmarked = text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
  if (unmarked.starts_with("{\\rtf")) return lfRtf;
  if (HasStoryDevMagic(head)) return lfStoryDev;
  // A word processor's file goes to the converter: its compressed bytes
  // may hold a WordStar line end by chance.
  if (HasConverterSignature(text)) return hint == lfPlainText ? hint : Byte{lfUnknown};
  // Detection only tells the format: a probe before the load must not
  // say the refusal a second time.
  if (text.starts_with(kNewWordStarHead)) return lfWordStarUnsupported;
  if (text.find(kWordStarSoftReturn) != std::string_view::npos) return lfWordStar;
  if (IsTaggedText(unmarked)) return lfTaggedText;
  if (head.empty()) return lfUnknown;
  // Text is read as text only when the writer chose it. Bytes that are not
  // of any other chosen format go the load job's way for a file it cannot
  // name, which asks before reading them as that format.
  return hint == lfPlainText ? hint : Byte{lfUnknown};
}

}  // namespace

Byte DetectFileFormat(const std::string& fileName, Byte hint) {
  TFileStream in(fileName, TFileMode::OpenRead);
  if (!in.IsOpen()) return lfMissing;
  std::array<Byte, kProbeSize> head{};
  const std::size_t size = in.Read(head.data(), head.size());
  if (in.LastError() != 0) return lfMissing;
  if (Begins(head, size, WindowsScriptTag)) return HasPassword(head, size) ? lfPasswordNative : lfNativeWindows;
  if (Begins(head, size, DosScriptTag)) return lfNativeDos;
  return DetectForeignFormat(std::span<const Byte>(head.data(), size), hint);
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
  return "it is not a script file, nor a file of another program that this version reads";
}

}  // namespace qm
