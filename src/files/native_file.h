// The native script file: saving the active script (Windows and DOS
// variants, backups, timed backups), reading one into a new script window
// or merging one into the active script, and the header image the undo
// ring keeps. The layout is in docs/native-file-format.md.
//
//   Windows variant: header record (ScriptHeaderSize bytes), the extra
//   blocks (storyboard links, associations, list overflow, then any block
//   a later version adds), the element records.
//   DOS variant: settings record (DosSettingsSize bytes), the element records.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/script_header.h"
#include "platform/types.h"
#include "script/script_window.h"

namespace qm {

// Prepares a save to the file SaveScriptFile is given (for a timed backup
// the base name, + ".TMB"): refuses a target marked read-only, with a
// message. The old file becomes the backup only once the new one is
// safely written (see SaveScriptFile).
bool BackupBeforeSave(const std::string& fileName, bool timedBackup, bool dos);

// The name a script is saved under natively: the name itself when its
// extension is the script extension in any case (a name the writer chose
// or opened is never respelt), or when the folder takes no name as long
// as it with the script extension; otherwise the name with the script
// extension, spelt as a file of that name already is.
std::string NativeScriptName(const std::string& fileName);

// Writes the active script. A timed backup goes to fileName + ".TMB" (the
// caller passes the base name) with the previous one kept as ".TBK" while
// it is written; any other save to fileName, keeping the previous file as
// ".BK". Ends the progress dialog's job. On failure the previous file is
// still under its name, the error has been shown and PendingIOError is set.
bool SaveScriptFile(const std::string& fileName, bool timedBackup, bool windowsFormat);

// The whole file of a script in memory.
std::vector<Byte> BuildScriptImage(const TMDIChild& script, bool timedBackup, bool windowsFormat);

// A header image of the active script (ScriptHeaderSize bytes); lists too
// long for the header are marked as continued and go to `spill`, or are
// left out without one. A spill takes too what the script keeps beside the
// header (its associations, its storyboard frames, its lock level of
// revision marks), so that the image and its spill hold all its settings;
// such a spill is for giving them back, never for a file.
void WriteScriptImage(std::span<Byte> image, DWord currentElementNumber, DWord elementCount, bool timedBackup,
                      TListOverflow* spill = nullptr);
// Applies a header image, and the list entries it continues in `overflow`,
// to the active script's settings (not its bookmarks, which point at
// elements), with what the overflow holds from beside the header; false
// when the tag is wrong or the image is damaged, and then nothing changes.
bool ReadScriptHeader(std::span<const Byte> image, const TListOverflow* overflow = nullptr);
// The same for any open script: its settings as an image whose own
// bookkeeping (counts, caret, title) is left empty, so that two images of
// unchanged settings are equal byte for byte; and such an image given back.
void WriteSettingsImage(TMDIChild& script, std::vector<Byte>& image, TListOverflow& spill);
bool ReadSettingsImage(TMDIChild& script, std::span<const Byte> image, const TListOverflow* overflow);

// A file taken apart and checked whole. The settings and the two blocks
// are views into the file's bytes, which must outlive them.
struct TParsedScript {
  bool dos = false;
  THeaderInfo info;
  TListOverflow overflow;
  std::span<const Byte> settings;  // the header or settings record
  std::span<const Byte> storyboardBlock;
  std::span<const Byte> associationsBlock;
  std::vector<std::unique_ptr<TScriptElement>> elements;
  // Where the header and the records disagree: the element count the
  // header states (info.ElementCount is the count read), and the bytes
  // after the last record that could be read.
  DWord statedElementCount = 0;
  std::size_t unreadTrailingBytes = 0;
  bool HeaderAndBodyDisagree() const { return statedElementCount != info.ElementCount || unreadTrailingBytes != 0; }
};
// A file whose records go on past the header's element count (a count of
// 0 too) opens with every record; bytes after them that are no records are
// reported in unreadTrailingBytes. Neither is an error: the caller warns.
// Records that end before the count are: the error gives both numbers.
bool ParseScriptImage(std::span<const Byte> bytes, TParsedScript& parsed, std::string& error);

struct TNativeLoadResult {
  bool loaded = false;
  std::size_t elements = 0;
  // Elements whose saved line offsets did not fit: the caller wraps them
  // (NeedsRewrap) before laying out the pages.
  std::size_t needRewrap = 0;
  explicit operator bool() const { return loaded; }
};

// The newest complete version that a stopped save of the script left
// beside it (see LeftoversOfStoppedSaves); opening the script offers it.
std::optional<std::string> StoppedSaveToOffer(const std::string& fileName);

// Reads a native script (either variant) into the active script window,
// replacing its script. A damaged or unreadable file changes nothing and
// is reported with its name and the reason.
TNativeLoadResult LoadScriptFile(const std::string& fileName, bool timedBackup);

// Inserts the elements of a native script file into the active script at
// the caret: before the current element when the caret is at its start,
// else after it.
bool MergeScriptFile(const std::string& fileName);

// Each element of a run just linked into the script gets a group of its
// own, chained after the group of the element before the run; the layout
// passes regroup.
void GiveOwnGroups(TScriptDocument& script, TScriptElement* first, TScriptElement* last);

}  // namespace qm
