#include "script/model/record_pool.h"

#include <algorithm>
#include <bit>
#include <new>

#ifdef QM_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace qm {

namespace {

constexpr std::size_t SlabSize = 64 * 1024;

// A free slot is poisoned, so that the address sanitizer still reports a
// use after free.
void Poison([[maybe_unused]] void* record, [[maybe_unused]] std::size_t size) {
#ifdef QM_ASAN
  ASAN_POISON_MEMORY_REGION(record, size);
#endif
}

void Unpoison([[maybe_unused]] void* record, [[maybe_unused]] std::size_t size) {
#ifdef QM_ASAN
  ASAN_UNPOISON_MEMORY_REGION(record, size);
#endif
}

}  // namespace

TRecordPool::TRecordPool(std::size_t size, std::size_t align)
    : size_((size + align - 1) / align * align),
      align_(align),
      perSlab_(std::max<std::size_t>(1, SlabSize / size_ / SlotsPerWord) * SlotsPerWord) {}

// Every record must have been given back.
TRecordPool::~TRecordPool() {
  for (char* slab : slabs_) {
    Unpoison(slab, SlabBytesEach());
    ::operator delete(slab, std::align_val_t(align_));
  }
}

void TRecordPool::AddSlab() {
  auto* slab = static_cast<char*>(::operator new(SlabBytesEach(), std::align_val_t(align_)));
  Poison(slab, SlabBytesEach());
  slabs_.push_back(slab);
  const auto at = std::lower_bound(byAddress_.begin(), byAddress_.end(), slab,
                                   [this](std::size_t index, const char* s) { return slabs_[index] < s; });
  byAddress_.insert(at, slabs_.size() - 1);
  free_.insert(free_.end(), perSlab_ / SlotsPerWord, ~std::uint64_t{0});
}

std::size_t TRecordPool::SlotOf(const void* record) const {
  const auto* p = static_cast<const char*>(record);
  const auto after = std::upper_bound(byAddress_.begin(), byAddress_.end(), p,
                                      [this](const char* r, std::size_t index) { return r < slabs_[index]; });
  const std::size_t slab = *(after - 1);
  return slab * perSlab_ + static_cast<std::size_t>(p - slabs_[slab]) / size_;
}

void* TRecordPool::Record(std::size_t slot) const { return slabs_[slot / perSlab_] + slot % perSlab_ * size_; }

void* TRecordPool::Take() {
  while (firstWord_ < free_.size() && free_[firstWord_] == 0) ++firstWord_;
  if (firstWord_ == free_.size()) AddSlab();
  std::uint64_t& word = free_[firstWord_];
  const auto bit = static_cast<std::size_t>(std::countr_zero(word));
  word &= word - 1;
  ++inUse_;
  void* record = Record(firstWord_ * SlotsPerWord + bit);
  Unpoison(record, size_);
  return record;
}

void TRecordPool::Give(void* record) noexcept {
  if (!record) return;
  const std::size_t slot = SlotOf(record);
  Poison(record, size_);
  free_[slot / SlotsPerWord] |= std::uint64_t{1} << (slot % SlotsPerWord);
  firstWord_ = std::min(firstWord_, slot / SlotsPerWord);
  --inUse_;
}

}  // namespace qm
