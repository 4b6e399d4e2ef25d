#include "script/layout/fixed_pitch.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qm {

void TPlainCharacters::Exclude(Byte ch) {
  if (count_ == static_cast<int>(excluded_.size())) {
    usable_ = false;
    return;
  }
  excluded_[static_cast<std::size_t>(count_++)] = ch;
}

int TPlainCharacters::RunEnd(const Byte* text, int from, int to, int size) const {
  if (!usable_) return from;
#if defined(__SSE2__)
  // Sixteen characters a step: a byte is out of the range when, less the
  // range's first, it is at least the range's size (unsigned). A step near
  // the end of the text reads the sixteen bytes before `to` instead, so
  // nothing past the text is read.
  const __m128i first = _mm_set1_epi8(static_cast<char>(First));
  const __m128i size16 = _mm_set1_epi8(static_cast<char>(Last - First + 1));
  __m128i excluded[6];
  for (int k = 0; k < count_; ++k)
    excluded[k] = _mm_set1_epi8(static_cast<char>(excluded_[static_cast<std::size_t>(k)]));
  while (from < to) {
    const int base = from + 16 <= size ? from : to - 16;
    if (base < 0) break;
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + base));
    const __m128i shifted = _mm_sub_epi8(bytes, first);
    __m128i stop = _mm_cmpeq_epi8(_mm_max_epu8(shifted, size16), shifted);
    for (int k = 0; k < count_; ++k) stop = _mm_or_si128(stop, _mm_cmpeq_epi8(bytes, excluded[k]));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(stop)) >> (from - base);
    const int covered = base + 16 - from;
    if (covered >= to - from) mask &= (1u << (to - from)) - 1;
    if (mask) return from + __builtin_ctz(mask);
    if (covered >= to - from) return to;
    from += covered;
  }
#endif
  while (from < to && Contains(text[from])) ++from;
  return from;
}

int LastBlank(const Byte* text, int from, int to) {
#if defined(__SSE2__)
  // Sixteen bytes a step back from `to`, never before the text's start.
  for (int base = to - 16; to > from && base >= 0; to = base, base -= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + base));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '))));
    if (from > base) mask &= ~0u << (from - base);
    if (mask) return base + 31 - __builtin_clz(mask);
  }
#endif
  for (int j = to - 1; j >= from; --j)
    if (text[j] == ' ') return j;
  return -1;
}

std::int32_t TPitchCache::Look(const std::int32_t* widths) {
  for (int k = 0; k < count_; ++k)
    if (tables_[static_cast<std::size_t>(k)] == widths) return pitches_[static_cast<std::size_t>(k)];
  const std::int32_t pitch = widths[TPlainCharacters::First];
  std::int32_t differs = 0;
  for (int c = TPlainCharacters::First + 1; c <= TPlainCharacters::Last; ++c) differs |= widths[c] ^ pitch;
  const std::int32_t result = differs == 0 && pitch > 0 ? pitch : 0;
  if (count_ < Slots) {
    tables_[static_cast<std::size_t>(count_)] = widths;
    pitches_[static_cast<std::size_t>(count_++)] = result;
  }
  return result;
}

}  // namespace qm
