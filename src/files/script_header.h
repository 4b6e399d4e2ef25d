// The header record that opens a native script file (and is the whole of
// a format file), and the shorter settings record of the DOS variant:
// their layout, and how a script's settings go into them and come back.
// The layout is written down field by field in docs/native-file-format.md.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/script_document.h"
#include "script/model/script_record.h"

namespace qm {

constexpr std::size_t ScriptHeaderSize = 15039;
constexpr std::size_t DosSettingsSize = 1280;
constexpr std::string_view WindowsScriptTag = "Quillmaster WinVer. 3.35c";
constexpr std::string_view DosScriptTag = "Quillmaster DosVer. 3.35c";
constexpr Word HeaderLayoutRevision = 1;

// Which fields a reader applies: each field belongs to one group.
enum THeaderGroup : unsigned {
  hgIdentity = 1,  // the record's own bookkeeping (counts, sizes, caret)
  hgFormats = 2,   // formats, layout, breaking, continueds, numbering, headers: a format file's part
  hgUserLists = 4,
  hgScript = 8,  // the script's own state and data
  hgSettings = hgFormats | hgUserLists | hgScript,
};

struct TBookmarkSlot {
  std::string Text;  // at most 25 characters
  Word Element = 0;  // 1-based element number; 0 for an empty slot
  friend bool operator==(const TBookmarkSlot&, const TBookmarkSlot&) = default;
};

// What the record says about the file around it.
struct THeaderInfo {
  Word LayoutRevision = HeaderLayoutRevision;
  Word ElementRecordSize = 0;
  Byte TimedBackup = 0;
  DWord ElementCount = 0;
  DWord CurrentElementNumber = 0;  // 1-based; 0 none
  Word CaretColumn = 0;
  Word CaretLine = 1;
  DWord ExtraBlocksTotal = 0;
  DWord StoryboardBlockSize = 0;
  DWord AssociationsBlockSize = 0;
  DWord ListOverflowBlockSize = 0;
  std::string SavedTitle;
  std::array<TBookmarkSlot, MaxBookmarks> Bookmarks{};
};

// Entries of the header's list areas that did not fit there; the file
// keeps them in its list overflow block.
struct TListSpill {
  Byte ListId = 0;
  Word Count = 0;
  std::vector<Byte> Entries;
};
using TListOverflow = std::vector<TListSpill>;
std::vector<Byte> EncodeListOverflow(const TListOverflow& spill);
bool DecodeListOverflow(std::span<const Byte> block, TListOverflow& spill, std::string& error);

// Fills `out` (ScriptHeaderSize bytes). List entries that do not fit go
// to `spill`, or are left out of an image that stands alone (null).
void EncodeScriptHeader(const TScriptRecord& record, const TFontNames& fonts, const THeaderInfo& info,
                        std::span<Byte> out, TListOverflow* spill);
// Checks the whole image and fills `info`; only when it is sound are the
// fields of the groups in `apply` set. A list continued in the overflow
// block is left as it was when `overflow` is null.
bool DecodeScriptHeader(std::span<const Byte> image, unsigned apply, TScriptRecord& record, TFontNames& fonts,
                        THeaderInfo& info, const TListOverflow* overflow, std::string& error);

void EncodeDosSettings(const TScriptRecord& record, const THeaderInfo& info, std::span<Byte> out);
bool DecodeDosSettings(std::span<const Byte> image, unsigned apply, TScriptRecord& record, THeaderInfo& info,
                       std::string& error);

// The layout itself, field by field, for checks and documentation.
enum class TFieldKind { Tag, U8, U16, U32, Colours, Text, Texts, Bytes, FormatSet, Bookmarks, List };
struct THeaderField {
  std::string Name;
  std::size_t Offset = 0;
  std::size_t Size = 0;
  unsigned Group = 0;
  TFieldKind Kind = TFieldKind::Bytes;
  std::size_t Capacity = 0;  // of each text
};
std::vector<THeaderField> ScriptHeaderFields();
std::vector<THeaderField> DosSettingsFields();

}  // namespace qm
