// The two primitive edits of the edit line: type one character at the
// caret, delete the character at the caret. The caller moves the caret,
// rewraps and repaints.
#pragma once

#include <array>
#include <string>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

// The element being edited: which it is, its text unpacked while it is
// edited, where its wrapped lines begin, the caret in it, and whether a
// block is marked.
struct TEditLineFields {
  TScriptElement* CurrentElement = nullptr;
  std::string EditBuffer;
  // Where each wrapped line of the edited element begins; one entry
  // beyond the last line is always inside the table.
  std::array<Word, MaxLineCount + 2> LineOffsets{};
  // The caret: 0-based column in EditBuffer, 1-based wrapped line.
  Word CaretColumn = 0;
  Word CaretLine = 1;
  Byte BlockOn = 0;
};

// Everyone reads the edit line; only the script folder's own routines
// change it (edit_line_writer.h), and other subsystems ask them through
// the editing surface (editor_calls.h).
class TEditLine {
 public:
  TScriptElement* CurrentElement() const { return fields_.CurrentElement; }
  const std::string& EditBuffer() const { return fields_.EditBuffer; }
  const std::array<Word, MaxLineCount + 2>& LineOffsets() const { return fields_.LineOffsets; }
  Word CaretColumn() const { return fields_.CaretColumn; }
  Word CaretLine() const { return fields_.CaretLine; }
  Byte BlockOn() const { return fields_.BlockOn; }

 private:
  friend class TEditLineWriter;
  TEditLineFields fields_;
};

// Most characters an element may hold before typing is refused.
constexpr int TypingLimit = 2500;

// Puts a character into the active script's edit buffer at the caret
// column (inserting or overwriting). Returns false, after the beep and the
// message, when the element is already over the limit. Without `revises`
// the change marks no line revised (the user's asterisk, which toggles the
// mark itself).
bool TypeCharacter(char ch, bool revises = true);
// Removes the character at the caret column (nothing at the end of the
// text) and marks the script modified.
void DeleteCharAtCaret();

inline constexpr const char* ReadOnlyWarning =
    "This script is marked Read && Print-Only only!\r\r"
    "To get to a normally editable script, simply click the NEW Icon on the button bar, or load any script that "
    "you've created.";
// Typing into a script marked read and print only: the writer is told why
// nothing happens (unless expert prompting is on).
void WarnReadOnlyScript();

}  // namespace qm
