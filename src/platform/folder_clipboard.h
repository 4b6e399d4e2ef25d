// A clipboard that every process of a runtime folder shares: the whole
// contents in one file there, replaced at once on every change. Without a
// desktop this stands for the desktop's clipboard between the program and
// the programs it works with.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"

namespace qm {

// The file's own tag, ahead of its fields and their checksum.
inline constexpr std::string_view ClipboardFileTag = "QMCB";

// The contents as the file keeps them: each item's format number (kept for
// the standard formats; a registered one is matched by its name), its name
// and its bytes.
Bytes EncodeClipboardFile(const std::vector<ClipItem>& items);
// nullopt for a file that is damaged in any way.
std::optional<std::vector<ClipItem>> DecodeClipboardFile(const Bytes& bytes);

class FolderClipboard : public ClipboardStore {
 public:
  explicit FolderClipboard(std::string runtimeFolder);
  void Publish(const std::vector<ClipItem>& items) override;
  // Empty when the file is missing or damaged.
  std::vector<ClipItem> Contents() override;

 private:
  std::string path_;
  std::string tempPath_;
};

}  // namespace qm
