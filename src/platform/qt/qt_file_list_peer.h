// The file and folder lists as the desktop's own list widget.
#pragma once

#include <memory>

#include "platform/qt/qt_peer.h"

namespace qm {

class TFileSystemList;

std::unique_ptr<QtPeer> MakeFileSystemListPeer(QtBackend& backend, TFileSystemList& list);

}  // namespace qm
