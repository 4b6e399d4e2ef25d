// Whatever another process writes into our socket or the shared runtime
// files must decode to nothing or to exactly what would encode back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/ipc_atoms.h"
#include "platform/ipc_channel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm;
  if (auto message = DecodeWireMessage(data, size)) {
    auto again = EncodeWireMessage(*message);
    if (!again || again->size() != size) std::abort();
  }
  const std::vector<std::uint8_t> bytes(data, data + size);
  if (auto atoms = DecodeAtomFile(bytes)) {
    if (EncodeAtomFile(*atoms) != bytes) std::abort();
  }
  if (auto windows = DecodeWindowList(1234, bytes)) (void)EncodeWindowList(*windows);
  return 0;
}
