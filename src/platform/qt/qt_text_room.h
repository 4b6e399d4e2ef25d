// Texts that a window's labels and buttons draw wider than the room their
// control gives them: a caption or a message cut at its control's edge.
// The desktop tests have every window the program shows looked over and
// read the list of what was cut.
#pragma once

#include <QStringList>
#include <QWidget>

namespace qm {

// One line per cut text: its control's kind, the text, the width it takes
// in the control's own font and the width it has.
QStringList TextsWiderThanTheirRoom(const QWidget& window);

// When the environment names a file (QUILLMASTER_CUT_TEXT_LOG), each
// window shown is looked over once it is laid out, and each cut text is
// added to that file once, after the window's title.
void LogCutTextsIfAsked();

}  // namespace qm
