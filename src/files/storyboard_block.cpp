#include "files/storyboard_block.h"

#include <charconv>
#include <string>

#include "platform/byte_io.h"

namespace qm {

namespace {

std::optional<DWord> FrameId(const std::string& text) {
  DWord id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (ec != std::errc() || end != text.data() + text.size() || id == 0) return std::nullopt;
  return id;
}

}  // namespace

std::optional<std::vector<Byte>> BuildStoryboardLinkBlock(const TStringList& frames, const TScriptElement* first,
                                                          bool* failed) {
  if (failed) *failed = false;
  std::vector<TStoryboardLink> links;
  DWord number = 0;
  for (const TScriptElement* e = first; e; e = e->next) {
    ++number;
    if (e->storyboardLink == 0) continue;
    if (number > 0xFFFF) {
      if (failed) *failed = true;
      return std::nullopt;
    }
    links.push_back({static_cast<Word>(number), e->storyboardLink});
  }
  if (frames.Count() <= 1 || links.empty()) return std::nullopt;
  std::vector<Byte> block;
  ByteWriter w(block);
  for (int i = 1; i < frames.Count(); ++i) {
    const auto id = FrameId(frames[i]);
    if (!id) {
      if (failed) *failed = true;
      return std::nullopt;
    }
    w.U32(*id);
  }
  w.U32(0);
  for (const auto& link : links) {
    w.U16(link.element);
    w.U16(link.index);
  }
  w.U32(0);
  return block;
}

bool DecodeStoryboardBlock(std::span<const Byte> block, TStoryboardBlock& out) {
  ByteReader r(block);
  for (DWord id = r.U32(); r.Ok() && id != 0; id = r.U32()) out.frames.push_back(id);
  for (DWord word = r.U32(); r.Ok() && word != 0; word = r.U32())
    out.links.push_back({static_cast<Word>(word & 0xFFFF), static_cast<Word>(word >> 16)});
  return r.Ok();
}

bool ApplyStoryboardLinks(const TStoryboardBlock& block, TScriptElement* first, const std::vector<Word>& remap) {
  TScriptElement* e = first;
  Word counter = 1;
  for (const auto& link : block.links) {
    while (e && counter != link.element) {
      e = e->next;
      ++counter;
    }
    if (!e) return false;
    if (remap.empty()) e->storyboardLink = link.index;
    else e->storyboardLink = link.index < remap.size() ? remap[link.index] : 0;
  }
  return true;
}

bool RestoreStoryboardLinks(std::span<const Byte> block, TStringList& frames, TScriptElement* first) {
  frames.Clear();
  frames.Add("0");
  TStoryboardBlock decoded;
  const bool whole = DecodeStoryboardBlock(block, decoded);
  for (DWord id : decoded.frames) frames.Add(std::to_string(id));
  return ApplyStoryboardLinks(decoded, first, {}) && whole;
}

}  // namespace qm
