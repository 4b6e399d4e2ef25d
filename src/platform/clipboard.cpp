#include "platform/clipboard.h"

#include <algorithm>

#include "platform/platform.h"

namespace qm {

namespace {

ClipboardStore& Store() { return Platform::Current().backend().Clipboard(); }

}  // namespace

bool HoldsFormat(const std::vector<ClipItem>& items, UINT format, const std::string& name) {
  for (const ClipItem& item : items)
    if (name.empty() ? item.format == format : item.name == name) return true;
  return false;
}

bool ClipboardStore::Holds(UINT format, const std::string& name) { return HoldsFormat(Contents(), format, name); }

UINT RegisterClipboardFormat(const std::string& name) { return Platform::Current().RegisterName(name); }

std::string GetClipboardFormatName(UINT format) {
  if (format < FirstRegisteredMessage) return {};
  return Platform::Current().RegisteredName(format);
}

bool TClipboard::Open(HWND owner) {
  ++openCount_;
  if (openCount_ == 1) owner_ = owner;
  return true;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) Flush();
}

bool TClipboard::Clear() {
  pending_.clear();
  writing_ = true;
  if (openCount_ == 0) Flush();
  return true;
}

bool TClipboard::SetData(UINT format, Bytes data) {
  if (format == 0) return false;
  if (!writing_) {
    // Adding to what is there already, as the platform does without an Empty.
    pending_ = Store().Contents();
    writing_ = true;
  }
  ClipItem item{format, GetClipboardFormatName(format), std::move(data)};
  auto it = std::find_if(pending_.begin(), pending_.end(), [&](const ClipItem& c) { return c.format == format; });
  if (it != pending_.end()) *it = std::move(item);
  else pending_.push_back(std::move(item));
  if (openCount_ == 0) Flush();
  return true;
}

void TClipboard::Flush() {
  if (!writing_) return;
  // Named formats are matched by name in the store, so another process
  // with other numbers reads the same data.
  Store().Publish(pending_);
  pending_.clear();
  writing_ = false;
}

namespace {

// The store may hold items another process numbered: renumber by name.
std::vector<ClipItem> LocalContents() {
  auto items = Store().Contents();
  for (auto& item : items)
    if (!item.name.empty()) item.format = RegisterClipboardFormat(item.name);
  return items;
}

}  // namespace

std::optional<Bytes> TClipboard::GetData(UINT format) {
  for (auto& item : LocalContents())
    if (item.format == format) return std::move(item.data);
  return std::nullopt;
}

bool TClipboard::HasFormat(UINT format) { return Store().Holds(format, GetClipboardFormatName(format)); }

std::vector<UINT> TClipboard::Formats() {
  std::vector<UINT> result;
  for (const auto& item : LocalContents()) result.push_back(item.format);
  return result;
}

UINT TClipboard::EnumFormats(UINT format) {
  const auto formats = Formats();
  if (format == 0) return formats.empty() ? 0 : formats.front();
  auto it = std::find(formats.begin(), formats.end(), format);
  if (it == formats.end() || ++it == formats.end()) return 0;
  return *it;
}

std::string TClipboard::AsText() {
  auto data = GetData(CF_TEXT);
  if (!data) return {};
  std::string text(data->begin(), data->end());
  if (auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
  return text;
}

void TClipboard::SetAsText(const std::string& text) {
  Open();
  Clear();
  Bytes data(text.begin(), text.end());
  data.push_back(0);
  SetData(CF_TEXT, std::move(data));
  Close();
}

TClipboard* Clipboard() { return Platform::Current().clipboard.get(); }

}  // namespace qm
