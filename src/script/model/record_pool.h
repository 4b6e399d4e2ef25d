// Element and group records come from slabs of their own: a script's list
// then lies in few pages in the order it was made, so that walking it
// (every repagination does) reads memory in sequence instead of hopping
// between text buffers. The free slot lowest in the pool is handed out
// first, so records freed and made again in between (undo copies, pieces
// of split elements) leave the order of the rest alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

class TRecordPool {
 public:
  TRecordPool(std::size_t size, std::size_t align);
  ~TRecordPool();
  TRecordPool(const TRecordPool&) = delete;
  TRecordPool& operator=(const TRecordPool&) = delete;

  void* Take();
  void Give(void* record) noexcept;

  // Bytes of the records handed out, and of the slabs they come from.
  std::size_t BytesInUse() const { return inUse_ * size_; }
  std::size_t SlabBytes() const { return slabs_.size() * SlabBytesEach(); }

 private:
  static constexpr std::size_t SlotsPerWord = 64;
  std::size_t SlabBytesEach() const { return perSlab_ * size_; }
  void AddSlab();
  std::size_t SlotOf(const void* record) const;
  void* Record(std::size_t slot) const;

  std::size_t size_;
  std::size_t align_;
  std::size_t perSlab_;  // a whole number of words of free bits
  std::vector<char*> slabs_;
  std::vector<std::size_t> byAddress_;  // slab indexes in address order
  std::vector<std::uint64_t> free_;     // one bit per slot, set when free
  std::size_t firstWord_ = 0;           // no free slot lies before this word
  std::size_t inUse_ = 0;
};

// The pool of one record type. It lives as long as the program, so that
// records freed while statics are destroyed still have it; records are
// never handed between threads.
template <typename T>
TRecordPool& PoolOf() {
  static TRecordPool* pool = new TRecordPool(sizeof(T), alignof(T));
  return *pool;
}

}  // namespace qm
