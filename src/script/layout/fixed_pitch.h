// Fixed-pitch runs: scripts are nearly always set in a font whose printable
// characters share one width, so the line breaker measures a run of plain
// characters by its length instead of adding the widths one by one.
#pragma once

#include <array>
#include <cstdint>

#include "platform/types.h"

namespace qm {

// The characters a run may hold: printable ASCII (blank to "}") except
// those the line breaker treats otherwise for the element in hand.
class TPlainCharacters {
 public:
  TPlainCharacters() = default;
  // Every character from " " to "}" is plain unless isSpecial says not.
  template <typename IsSpecial>
  explicit TPlainCharacters(IsSpecial isSpecial) {
    for (int c = First; c <= Last; ++c)
      if (isSpecial(static_cast<Byte>(c))) Exclude(static_cast<Byte>(c));
  }

  static constexpr Byte First = ' ';
  static constexpr Byte Last = '}';

  bool Contains(Byte ch) const {
    if (ch < First || ch > Last || !usable_) return false;
    for (int k = 0; k < count_; ++k)
      if (excluded_[static_cast<std::size_t>(k)] == ch) return false;
    return true;
  }
  // A set with more exceptions than are worth scanning for holds nothing.
  bool Usable() const { return usable_; }

  // The end of the plain run that begins at from: the first position in
  // [from, to) that holds no plain character, or to. The text holds size
  // bytes; to is at most size.
  int RunEnd(const Byte* text, int from, int to, int size) const;

 private:
  void Exclude(Byte ch);

  std::array<Byte, 6> excluded_{};
  int count_ = 0;
  bool usable_ = true;
};

// The position of the last blank in text[from, to), or -1.
int LastBlank(const Byte* text, int from, int to);

// The one width a table gives every plain character, or 0 when they
// differ (a proportional font). Remembers the tables it has looked at;
// Forget when their widths are measured again.
class TPitchCache {
 public:
  std::int32_t PitchOf(const std::int32_t* widths) {
    if (widths == lastTable_) return lastPitch_;
    lastPitch_ = Look(widths);
    lastTable_ = widths;
    return lastPitch_;
  }
  void Forget() {
    count_ = 0;
    lastTable_ = nullptr;
  }

 private:
  std::int32_t Look(const std::int32_t* widths);

  static constexpr int Slots = 8;
  std::array<const std::int32_t*, Slots> tables_{};
  std::array<std::int32_t, Slots> pitches_{};
  int count_ = 0;
  const std::int32_t* lastTable_ = nullptr;
  std::int32_t lastPitch_ = 0;
};

}  // namespace qm
