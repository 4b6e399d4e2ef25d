// Packed element text comes from script files and the clipboard: unpacking
// must be safe for any bytes, and packing must give back what it was given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "script/model/packed_text.h"
#include "fuzz_check.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // As stored text: the result fits an element and holds no zero byte;
  // packing it again and unpacking gives it back.
  bool cut = false;
  const std::string unpacked = qm::UnpackText(bytes, &cut);
  Check(unpacked.size() <= qm::MaxElementChars);
  Check(unpacked.find('\0') == std::string::npos);
  Check(!cut || unpacked.size() == qm::MaxElementChars);
  bool repackCut = true;
  const std::string repacked = qm::PackText(unpacked, &repackCut);
  Check(!repackCut);
  Check(qm::UnpackText(repacked) == unpacked);

  // As plain text up to its first zero byte: it packs whole when it fits an
  // element, and a cut packing still unpacks to the start of the text.
  const std::string_view plain = bytes.substr(0, bytes.find('\0'));
  bool packCut = true;
  const std::string packed = qm::PackText(plain, &packCut);
  Check(packed.size() <= qm::MaxPackedBytes);
  Check(packCut || plain.size() > qm::MaxElementChars || qm::UnpackText(packed) == plain);
  Check(!packCut || plain.size() > qm::MaxElementChars);
  const std::string start = qm::UnpackText(packed);
  Check(plain.substr(0, start.size()) == start);

  const std::string shortPacked = qm::PackShortString(plain);
  Check(shortPacked.size() <= qm::MaxShortStringChars);
  const std::string shortText = qm::UnpackText(shortPacked);
  Check(plain.substr(0, shortText.size()) == shortText);
  return 0;
}
