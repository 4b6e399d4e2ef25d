// The rich-text edit's desktop widget, and the palette helper the edit
// peers share.
#pragma once

#include <QPalette>
#include <QWidget>

#include <memory>

#include "platform/qt/qt_peer.h"

namespace qm {

class TRichEdit;

// The control's background (in the given role) and text colours.
void SetTextColors(QWidget& w, const TControl& control, QPalette::ColorRole background);

std::unique_ptr<QtPeer> MakeRichEditPeer(QtBackend& backend, TRichEdit& edit);

}  // namespace qm
