#include "files/rtf_page.h"

#include <array>
#include <cctype>
#include <optional>

#include "base/message_boxes.h"
#include "platform/files.h"

namespace qm {

namespace {

constexpr std::array<std::string_view, 6> kPageWords{"paperw", "paperh", "margt", "margb", "margl", "margr"};

struct TControlWord {
  std::string_view word;
  std::size_t end;  // past its parameter and the blank that ends it
};

// The control word at `at` (a backslash followed by letters).
std::optional<TControlWord> ControlWordAt(std::string_view rtf, std::size_t at) {
  std::size_t end = at + 1;
  while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
  if (end == at + 1) return std::nullopt;
  const std::string_view word = rtf.substr(at + 1, end - at - 1);
  if (end < rtf.size() && rtf[end] == '-') ++end;
  while (end < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[end]))) ++end;
  if (end < rtf.size() && rtf[end] == ' ') ++end;
  return TControlWord{word, end};
}

bool IsPageWord(std::string_view word) {
  for (std::string_view page : kPageWords)
    if (word == page) return true;
  return false;
}

}  // namespace

std::string WithProgramPage(std::string_view rtf) {
  std::string out;
  out.reserve(rtf.size() + RtfPageControls.size());
  bool placed = false;
  for (std::size_t at = 0; at < rtf.size();) {
    if (rtf[at] != '\\') {
      out += rtf[at++];
      continue;
    }
    const std::optional<TControlWord> control = ControlWordAt(rtf, at);
    if (!control) {
      // A control symbol ("\\", "\{", "\'e9"...) is kept whole.
      out += rtf.substr(at, std::min<std::size_t>(2, rtf.size() - at));
      at += 2;
      continue;
    }
    if (!placed && (control->word == "pard" || control->word == "sectd")) {
      out += RtfPageControls;
      out += "\r\n";
      placed = true;
    }
    if (!IsPageWord(control->word)) out += rtf.substr(at, control->end - at);
    at = control->end;
  }
  // A document without paragraphs takes the page before its closing brace.
  if (const std::size_t close = out.rfind('}'); !placed && close != std::string::npos)
    out.insert(close, RtfPageControls);
  return out;
}

bool FinishRtfExport(const std::string& fileName) {
  const auto bytes = ReadFileBytes(fileName);
  const std::string rtf =
      bytes ? WithProgramPage(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())) : "";
  if (!bytes || !WriteFileAtomic(fileName, rtf.data(), rtf.size())) {
    ShowMessageBox("aborted...", "Attention");
    return false;
  }
  return true;
}

}  // namespace qm
