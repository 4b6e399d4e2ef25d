// The edit line: the element being edited and the caret in it. Layout
// and pagination keep it in step as they lay the script out, so it sits
// with the model, below them.
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

}  // namespace qm
