// Little-endian values in stored records and in the files and datagrams
// that cross process boundaries: written into a byte buffer and read back
// with every length checked against the bytes that are there. The one codec
// of the program: two classes of one name would be one class to the linker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

inline void PutU16(std::span<Byte> out, std::size_t at, Word v) {
  out[at] = static_cast<Byte>(v);
  out[at + 1] = static_cast<Byte>(v >> 8);
}
inline void PutU32(std::span<Byte> out, std::size_t at, DWord v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<Byte>(v >> (8 * i));
}
inline Word GetU16(std::span<const Byte> in, std::size_t at) { return static_cast<Word>(in[at] | (in[at + 1] << 8)); }
inline DWord GetU32(std::span<const Byte> in, std::size_t at) {
  DWord v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<DWord>(in[at + i]) << (8 * i);
  return v;
}

// FNV-1a over 32 bits: the check sum of sealed records and of shortened
// file names, both of which must stay as written before.
inline DWord Fnv1a(std::span<const Byte> bytes) {
  DWord hash = 2166136261u;
  for (const Byte b : bytes) hash = (hash ^ b) * 16777619u;
  return hash;
}
inline DWord Fnv1a(std::string_view text) {
  return Fnv1a(std::span<const Byte>(reinterpret_cast<const Byte*>(text.data()), text.size()));
}

// Appends values to a growing buffer.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<Byte>& out) : out_(out) {}
  void U8(Byte v) { out_.push_back(v); }
  void U16(Word v) {
    out_.push_back(static_cast<Byte>(v));
    out_.push_back(static_cast<Byte>(v >> 8));
  }
  void U32(DWord v) { Put(v, 4); }
  void U64(std::uint64_t v) { Put(v, 8); }
  void I64(std::int64_t v) { Put(static_cast<std::uint64_t>(v), 8); }
  void Bytes(std::span<const Byte> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
  void Text(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  // A length byte and at most 255 characters.
  void ShortString(std::string_view s) {
    const std::size_t n = s.size() < 255 ? s.size() : 255;
    U8(static_cast<Byte>(n));
    Text(s.substr(0, n));
  }
  std::size_t Size() const { return out_.size(); }

 private:
  void Put(std::uint64_t v, int size) {
    for (int i = 0; i < size; ++i) out_.push_back(static_cast<Byte>(v >> (8 * i)));
  }
  std::vector<Byte>& out_;
};

// Takes values from the front of a byte range; a read past the end fails
// and leaves the reader failed, so callers check once after a group of
// reads.
class ByteReader {
 public:
  explicit ByteReader(std::span<const Byte> in) : in_(in) {}
  bool Has(std::size_t n) const { return ok_ && in_.size() - pos_ >= n; }
  Byte U8() { return Take(1) ? in_[pos_ - 1] : 0; }
  Word U16() { return Take(2) ? GetU16(in_, pos_ - 2) : 0; }
  DWord U32() { return Take(4) ? GetU32(in_, pos_ - 4) : 0; }
  std::uint64_t U64() {
    if (!Take(8)) return 0;
    return static_cast<std::uint64_t>(GetU32(in_, pos_ - 8)) | static_cast<std::uint64_t>(GetU32(in_, pos_ - 4)) << 32;
  }
  std::int64_t I64() { return static_cast<std::int64_t>(U64()); }
  std::span<const Byte> Bytes(std::size_t n) { return Take(n) ? in_.subspan(pos_ - n, n) : std::span<const Byte>(); }
  std::string Text(std::size_t n) {
    const auto b = Bytes(n);
    return std::string(b.begin(), b.end());
  }
  std::string ShortString() { return Text(U8()); }
  bool Ok() const { return ok_; }
  // Every byte read and none missing.
  bool AtEnd() const { return ok_ && pos_ == in_.size(); }
  std::size_t Position() const { return pos_; }

 private:
  bool Take(std::size_t n) {
    if (!Has(n)) {
      ok_ = false;
      return false;
    }
    pos_ += n;
    return true;
  }
  std::span<const Byte> in_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace qm
