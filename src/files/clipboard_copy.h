// Copy, Cut and Delete of a block: the block's elements as the program's
// own records, as plain text laid out as a screenplay and as RTF with one
// paragraph per element, all put on the clipboard at one opening; a cut
// then deletes the block as the Delete command does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TTextPoint;

inline constexpr const char* RichTextClipboardName = "Rich Text Format";

// The text of the Character Name heading the speech the last copy began
// in; empty when it began outside a speech.
extern std::string CopiedSpeakerName;

// One element of a block and the characters selected in it (from start up
// to, not including, end, in the element's plain text).
struct TCopiedPiece {
  TScriptElement* element = nullptr;
  std::string text;  // the whole plain text
  std::size_t start = 0;
  std::size_t end = 0;
  bool Whole() const { return start == 0 && end >= text.size(); }
};

// The block of a script whose elements are all stored, in script order.
std::vector<TCopiedPiece> CollectBlock(TScriptDocument& script);

struct TClipboardBlocks {
  std::vector<Byte> native;
  std::string plain;  // ended by a zero byte
  std::string rtf;    // ended by a zero byte
};

// The three formats of a block; without `withText` only the native one.
TClipboardBlocks BuildClipboardBlocks(const TScriptDocument& script, const std::vector<TCopiedPiece>& block,
                                      bool withText);

// An element's text as other programs read it: without the script's
// inline codes, hard spaces as blanks, hard dashes as "-", hard returns
// as line ends.
std::string OutsideText(const TScriptDocument& script, std::string_view text, bool upperCase);
// One byte as RTF text: "\\", "{" and "}" escaped, bytes from 128 as \'hh.
void AppendRtfChar(std::string& out, Byte b);
// The same text as RTF, its style codes as balanced groups.
std::string RtfText(const TScriptDocument& script, std::string_view text, bool upperCase);

// Puts the blocks on the clipboard at one opening; false when nothing could
// be put there.
bool PublishClipboardBlocks(TClipboardBlocks blocks, bool withText);

// The block of the script as Copy and Cut take it: split elements joined
// again, for a cut an omitted heading the block runs on from taken whole,
// and the speaker it begins under kept in CopiedSpeakerName. The edit
// line is left stored.
std::vector<TCopiedPiece> TakeBlockToCopy(TMDIChild& script, bool cut);
// The block so taken deleted as Cut deletes it; a point given is carried
// along to where its text went.
void CutTakenBlock(TMDIChild& script, TTextPoint* follow);

}  // namespace qm
