// The desktop's clipboard: plain text as UTF-8 text, "Rich Text Format"
// as text/rtf, and every other registered format as a MIME type of its
// own, so that two instances of the program and other programs meet on it.
#pragma once

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace qm {

inline constexpr const char* RichTextFormatName = "Rich Text Format";
inline constexpr const char* RichTextMime = "text/rtf";

// "application/x-quillmaster-" + the name, blanks as dashes (a dash or any
// byte outside letters and digits escaped as %XX so that the way back is
// exact).
std::string MimeOfFormatName(const std::string& name);
std::optional<std::string> FormatNameOfMime(const std::string& mime);

class QtClipboardStore : public ClipboardStore {
 public:
  void Publish(const std::vector<ClipItem>& items) override;
  std::vector<ClipItem> Contents() override;
  bool Holds(UINT format, const std::string& name) override;
};

}  // namespace qm
