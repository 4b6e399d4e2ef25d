// Texts that a window's labels and buttons draw wider than the room their
// control gives them: a caption or a message cut at its control's edge;
// and controls drawn over another control beside them. The desktop tests
// have every window the program shows looked over and read the list.
#pragma once

#include <QStringList>
#include <QWidget>

namespace qm {

// One line per cut text: its control's kind, the text, the width it takes
// in the control's own font and the width it has.
QStringList TextsWiderThanTheirRoom(const QWidget& window);

// One line per pair of controls of the same parent where one is drawn over
// the other: their places cross, or a check box or radio button given less
// height than its glyph and caption take reaches into the other. Neighbours
// sharing one pixel of border, a frame drawn behind controls, and a control
// standing wholly inside another (a panel, a group's frame) are not counted.
QStringList ControlsDrawnOverOthers(const QWidget& window);

// When the environment names a file (QUILLMASTER_CUT_TEXT_LOG), each
// window shown is looked over once it is laid out, and each cut text and
// each control drawn over another is added to that file once, after the
// window's title.
void LogCutTextsIfAsked();

}  // namespace qm
