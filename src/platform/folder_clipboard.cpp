#include "platform/folder_clipboard.h"

#include "platform/byte_io.h"
#include "platform/ipc.h"

namespace qm {

namespace {

// Enough for a few pictures of the largest size.
constexpr std::size_t MaxClipboardFile = 256u << 20;

}  // namespace

Bytes EncodeClipboardFile(const std::vector<ClipItem>& items) {
  Bytes fields;
  ByteWriter w(fields);
  w.U32(static_cast<DWord>(items.size()));
  for (const ClipItem& item : items) {
    w.U32(item.format);
    w.ShortString(item.name);
    w.U32(static_cast<DWord>(item.data.size()));
    w.Bytes(item.data);
  }
  return SealRecord(ClipboardFileTag, fields);
}

std::optional<std::vector<ClipItem>> DecodeClipboardFile(const Bytes& bytes) {
  const auto fields = OpenRecord(ClipboardFileTag, bytes);
  if (!fields) return std::nullopt;
  ByteReader r(*fields);
  const DWord count = r.U32();
  std::vector<ClipItem> items;
  for (DWord i = 0; i < count && r.Ok(); ++i) {
    ClipItem item;
    item.format = r.U32();
    item.name = r.ShortString();
    const DWord size = r.U32();
    if (!r.Has(size)) return std::nullopt;
    const auto data = r.Bytes(size);
    item.data.assign(data.begin(), data.end());
    items.push_back(std::move(item));
  }
  if (!r.AtEnd()) return std::nullopt;
  return items;
}

FolderClipboard::FolderClipboard(std::string runtimeFolder)
    : path_(runtimeFolder + "/clipboard"),
      tempPath_(runtimeFolder + "/" + ProcessFileName(CurrentProcess(), "clipboard.tmp")) {}

void FolderClipboard::Publish(const std::vector<ClipItem>& items) {
  WriteFileThroughTemp(path_, tempPath_, EncodeClipboardFile(items));
}

std::vector<ClipItem> FolderClipboard::Contents() {
  const auto bytes = ReadSmallFile(path_, MaxClipboardFile);
  if (!bytes) return {};
  auto items = DecodeClipboardFile(*bytes);
  return items ? std::move(*items) : std::vector<ClipItem>{};
}

}  // namespace qm
