// Pictures and the shared clipboard file come from other programs: any
// bytes read without harm, and what reads writes back to the same thing.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "platform/clipboard_image.h"
#include "platform/folder_clipboard.h"
#include "platform/ipc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qm::fuzz::Check;
  const qm::Bytes bytes(data, data + size);
  if (const auto picture = qm::DecodeBitmapFile(bytes)) {
    Check(picture->Width > 0 && picture->Width <= qm::MaxPictureSide);
    Check(picture->Height > 0 && picture->Height <= qm::MaxPictureSide);
    Check(picture->Pixels.size() ==
          static_cast<std::size_t>(picture->Width) * static_cast<std::size_t>(picture->Height));
    const auto again = qm::DecodeBitmapFile(qm::EncodeBitmapFile(*picture));
    Check(again && again->Pixels == picture->Pixels);
  }
  // Sealed here, so that the fields are reached past the checksum.
  for (const qm::Bytes& file : {bytes, qm::Bytes(qm::SealRecord(qm::ClipboardFileTag, bytes))}) {
    const auto items = qm::DecodeClipboardFile(file);
    if (!items) continue;
    const auto again = qm::DecodeClipboardFile(qm::EncodeClipboardFile(*items));
    Check(again && again->size() == items->size());
    for (std::size_t i = 0; i < items->size(); ++i)
      Check((*again)[i].format == (*items)[i].format && (*again)[i].name == (*items)[i].name &&
            (*again)[i].data == (*items)[i].data);
  }
  return 0;
}
