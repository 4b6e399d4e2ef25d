#include "files/native_file.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/byte_io.h"
#include "files/disk_utils.h"
#include "files/element_records.h"
#include "files/file_job.h"
#include "files/safe_save.h"
#include "base/command_line.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/program_options.h"
#include "files/storyboard_block.h"
#include "formats/revision_levels.h"
#include "language/bookmarks.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/model/packed_text.h"
#include "base/document_table.h"
#include "script/editing/editor_calls.h"
#include "script/editing/revision_marks.h"

namespace qm {

namespace {

constexpr std::int64_t kLargestScriptFile = 256 * 1024 * 1024;
constexpr int kCancelledJob = 1;

// ---- Writing ---------------------------------------------------------------

// The current element's text and line offsets live in the window while it
// is edited; every other element holds its own.
struct TEditedElement {
  std::string text;
  std::vector<Byte> lineOffsets;
};

TEditedElement EditedElementOf(const TMDIChild& s, const TScriptElement& e) {
  TEditedElement edited;
  edited.text = HoldsPackedText(e.Kind()) ? PackText(s.EditBuffer()) : s.EditBuffer();
  if (s.LineOffsets()[1] != 0 && e.lineCount >= 1 && e.lineCount <= MaxLineCount) {
    ByteWriter w(edited.lineOffsets);
    w.U8(static_cast<Byte>(2 * e.lineCount + 1));
    for (int line = 1; line <= e.lineCount; ++line) w.U16(s.LineOffsets()[static_cast<std::size_t>(line)]);
  }
  return edited;
}

template <class Append>
void AppendElements(const TMDIChild& s, ByteWriter& w, Append append) {
  for (const TScriptElement* e = s.FirstElement; e; e = e->next) {
    if (e->text) {
      append(w, TStoredElement{e, *e->text, e->lineOffsets});
      continue;
    }
    const TEditedElement edited = EditedElementOf(s, *e);
    append(w, TStoredElement{e, edited.text, edited.lineOffsets});
  }
}

// Counts, the current element's number and the bookmark slots of a script.
THeaderInfo InfoOf(const TMDIChild& s, bool timed) {
  THeaderInfo info;
  info.TimedBackup = timed ? 1 : 0;
  info.CaretColumn = s.CaretColumn();
  info.CaretLine = s.CaretLine();
  info.SavedTitle = CutToCapacity(s.ScriptFileName, 255);
  std::vector<const TScriptElement*> marked;
  const TScriptBookmarks* marks = FindBookmarks(s);
  for (int i = 0; marks && i < std::min(marks->Count(), MaxBookmarks); ++i) marked.push_back((*marks)[i].Element());
  DWord number = 0;
  for (const TScriptElement* e = s.FirstElement; e; e = e->next) {
    ++number;
    if (e == s.CurrentElement()) info.CurrentElementNumber = number;
    for (std::size_t i = 0; i < marked.size(); ++i) {
      if (marked[i] != e || number > 0xFFFF) continue;
      info.Bookmarks[i] = {CutToCapacity((*marks)[static_cast<int>(i)].Text, capacity::BookmarkText),
                           static_cast<Word>(number)};
    }
  }
  info.ElementCount = number;
  return info;
}

std::vector<Byte> BuildWindowsImage(const TMDIChild& s, bool timed, bool* storyboardFailed) {
  THeaderInfo info = InfoOf(s, timed);
  info.ElementRecordSize = ElementRecordSize;
  const auto storyboard = BuildStoryboardLinkBlock(s.StoryboardLinks, s.FirstElement, storyboardFailed);
  std::vector<Byte> header(ScriptHeaderSize);
  TListOverflow spill;
  EncodeScriptHeader(s, s.FontNameTable, info, header, &spill);
  const std::vector<Byte> overflow = EncodeListOverflow(spill);
  info.StoryboardBlockSize = storyboard ? static_cast<DWord>(storyboard->size()) : 0;
  info.AssociationsBlockSize = static_cast<DWord>(s.Associations.size());
  info.ListOverflowBlockSize = static_cast<DWord>(overflow.size());
  info.ExtraBlocksTotal = info.StoryboardBlockSize + info.AssociationsBlockSize + info.ListOverflowBlockSize;
  EncodeScriptHeader(s, s.FontNameTable, info, header, nullptr);

  std::vector<Byte> out;
  out.reserve(header.size() + info.ExtraBlocksTotal + info.ElementCount * (ElementRecordSize + 64));
  ByteWriter w(out);
  w.Bytes(header);
  if (storyboard) w.Bytes(*storyboard);
  w.Bytes(s.Associations);
  w.Bytes(overflow);
  AppendElements(s, w, AppendElementRecord);
  return out;
}

std::vector<Byte> BuildDosImage(const TMDIChild& s) {
  THeaderInfo info = InfoOf(s, false);
  info.ElementRecordSize = DosElementRecordSize;
  std::vector<Byte> out(DosSettingsSize);
  EncodeDosSettings(s, info, out);
  ByteWriter w(out);
  AppendElements(s, w, AppendDosElementRecord);
  return out;
}

// ---- Reading ---------------------------------------------------------------

bool StartsWith(std::span<const Byte> bytes, std::string_view tag) {
  return bytes.size() >= tag.size() && std::equal(tag.begin(), tag.end(), bytes.begin());
}

// The whole file, read in chunks with a progress step after each (the
// first 40 percent of a load); the errno of a failure in `err`.
bool ReadInChunks(const std::string& fileName, std::vector<Byte>& bytes, int& err) {
  TFileStream in(fileName, TFileMode::OpenRead);
  const std::int64_t size = in.IsOpen() ? in.Size() : -1;
  if (size < 0 || size > kLargestScriptFile) {
    err = size > kLargestScriptFile ? ENOMEM : in.LastError();
    return false;
  }
  bytes.resize(static_cast<std::size_t>(size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t n = in.Read(bytes.data() + done, std::min(FileChunkSize, bytes.size() - done));
    if (n == 0) {
      err = in.LastError() != 0 ? in.LastError() : EIO;
      return false;
    }
    done += n;
    ProgressStep(static_cast<Byte>(done * 40 / bytes.size()));
  }
  return true;
}

using TRecordReader = std::unique_ptr<TScriptElement> (*)(ByteReader&, std::size_t, std::string&);

// Records must end where the file ends. A header that counts too few
// would otherwise drop the elements after its count without a word (and
// the next save would make that for good), so every whole record that
// follows is read too; what is left that is no record is measured for
// the warning.
void ReadRecordsPastTheCount(std::span<const Byte> records, ByteReader& r, std::size_t fixed, TRecordReader read,
                             TParsedScript& parsed) {
  parsed.statedElementCount = parsed.info.ElementCount;
  std::string unused;
  while (!r.AtEnd()) {
    ByteReader ahead = r;
    auto e = read(ahead, fixed, unused);
    if (!e || !ahead.Ok() || parsed.elements.size() >= std::numeric_limits<DWord>::max()) break;
    parsed.elements.push_back(std::move(e));
    r = ahead;
  }
  parsed.info.ElementCount = static_cast<DWord>(parsed.elements.size());
  parsed.unreadTrailingBytes = records.size() - r.Position();
}

bool ParseElements(std::span<const Byte> records, const THeaderInfo& info, std::size_t ownSize, TRecordReader read,
                   TParsedScript& parsed, std::string& error) {
  const std::size_t fixed = info.ElementRecordSize;
  if (fixed < ownSize) {
    error = "its element records are too short";
    return false;
  }
  if (records.empty()) {
    error = "it holds no elements";
    return false;
  }
  // A header that counts none counts too few: a script holds one element
  // at least, and the records after the count are read as for any short count.
  const DWord counted = std::max<DWord>(info.ElementCount, 1);
  parsed.elements.reserve(std::min<std::size_t>(counted, records.size() / fixed));
  ByteReader r(records);
  for (DWord i = 0; i < counted; ++i) {
    if (r.AtEnd()) {
      error = "its header counts " + std::to_string(info.ElementCount) + " elements, but the file ends after " +
              std::to_string(i);
      return false;
    }
    auto e = read(r, fixed, error);
    if (!e) return false;
    parsed.elements.push_back(std::move(e));
    if (i % 256 == 255) ProgressStep(static_cast<Byte>(40 + std::uint64_t{60} * i / counted));
  }
  ReadRecordsPastTheCount(records, r, fixed, read, parsed);
  return true;
}

bool ParseWindows(std::span<const Byte> bytes, TParsedScript& parsed, std::string& error) {
  if (bytes.size() < ScriptHeaderSize) {
    error = "it ends inside its header";
    return false;
  }
  parsed.settings = bytes.first(ScriptHeaderSize);
  TScriptRecord scratch;
  TFontNames fonts;
  THeaderInfo& info = parsed.info;
  if (!DecodeScriptHeader(parsed.settings, 0, scratch, fonts, info, nullptr, error)) return false;
  const std::uint64_t known =
      std::uint64_t{info.StoryboardBlockSize} + info.AssociationsBlockSize + info.ListOverflowBlockSize;
  if (known > info.ExtraBlocksTotal) {
    error = "the sizes of its extra blocks do not add up";
    return false;
  }
  if (info.ExtraBlocksTotal > bytes.size() - ScriptHeaderSize) {
    error = "it ends inside its extra blocks";
    return false;
  }
  const auto extra = bytes.subspan(ScriptHeaderSize);
  parsed.storyboardBlock = extra.first(info.StoryboardBlockSize);
  parsed.associationsBlock = extra.subspan(info.StoryboardBlockSize, info.AssociationsBlockSize);
  const auto overflow =
      extra.subspan(info.StoryboardBlockSize + info.AssociationsBlockSize, info.ListOverflowBlockSize);
  if (!DecodeListOverflow(overflow, parsed.overflow, error)) return false;
  if (!DecodeScriptHeader(parsed.settings, 0, scratch, fonts, info, &parsed.overflow, error)) return false;
  return ParseElements(extra.subspan(info.ExtraBlocksTotal), info, ElementRecordSize, ReadElementRecord, parsed, error);
}

bool ParseDos(std::span<const Byte> bytes, TParsedScript& parsed, std::string& error) {
  parsed.dos = true;
  TScriptRecord scratch;
  if (!DecodeDosSettings(bytes, 0, scratch, parsed.info, error)) return false;
  parsed.settings = bytes.first(DosSettingsSize);
  return ParseElements(bytes.subspan(DosSettingsSize), parsed.info, DosElementRecordSize, ReadDosElementRecord, parsed,
                       error);
}

// A file whose header and records disagree is opened whole, and the user
// told before a save writes it out again.
void WarnOfDisagreement(const std::string& fileName, const TParsedScript& parsed) {
  if (!parsed.HeaderAndBodyDisagree()) return;
  std::string text = "The script " + PathToText(fileName) + " is damaged:";
  if (parsed.statedElementCount != parsed.info.ElementCount)
    text += "\rits header counts " + std::to_string(parsed.statedElementCount) + " elements, but it holds " +
            std::to_string(parsed.info.ElementCount) + ". All " + std::to_string(parsed.info.ElementCount) +
            " are opened.";
  if (parsed.unreadTrailingBytes != 0)
    text += "\r" + std::to_string(parsed.unreadTrailingBytes) +
            " bytes after its last element could not be read as elements and are left out.";
  text += "\r\rPlease check the end of the script before you save it.";
  ShowMessageBox(text, "Warning");
}

// Reads and checks a file; reports what went wrong.
bool ReadScriptFile(const std::string& fileName, std::vector<Byte>& bytes, TParsedScript& parsed) {
  try {
    int err = 0;
    if (!ReadInChunks(fileName, bytes, err)) {
      ShowFileError("reading " + PathToText(fileName), FailureCause(err, fileName, false));
      PendingIOError = FileErrorCode(err, false);
      return false;
    }
    std::string error;
    if (!ParseScriptImage(bytes, parsed, error)) {
      ShowMessageBox("Unable to read the script " + PathToText(fileName) + ":\r" + error + ".", "Warning");
      PendingIOError = 100;
      return false;
    }
    WarnOfDisagreement(fileName, parsed);
  } catch (const ECancelPressed& cancel) {
    ShowMessageBox(cancel.what(), "Attention");
    PendingIOError = kCancelledJob;
    return false;
  }
  return true;
}

// A save stopped after its new file was written whole, but before that
// file took the script's name, leaves the newer version beside the
// script (or in its place, on a first save): it is offered rather than
// lost.
bool TakeLeftoverOfStoppedSave(const std::string& fileName, std::vector<Byte>& bytes, TParsedScript& parsed) {
  const auto leftover = StoppedSaveToOffer(fileName);
  auto read = leftover ? ReadFileBytes(*leftover) : std::nullopt;
  if (!read) return false;
  bytes = std::move(*read);
  std::string error;
  if (ParseScriptImage(bytes, parsed, error) &&
      AskYesNo("The last save of " + PathToText(fileName) +
                   " was stopped before it was finished, and left a newer version of the script beside it.\r\r"
                   "Should I open that newer version?",
               "Attention", true)) {
    WarnOfDisagreement(*leftover, parsed);
    return true;
  }
  bytes.clear();
  parsed = TParsedScript{};
  return false;
}

// Why a script may not be written under `target` (its trusted links
// followed), or nothing: only a plain file is replaced, or a new one made.
std::optional<std::string> WhyNotSavedUnder(const std::string& target) {
  const std::string shown = PathToText(target);
  if (IsLink(target))
    return shown + " is a link that another user made in a folder others can write to, so the script is not "
                   "saved through it.  Please give it a different name...";
  const TFileInfo info = FileAttributes(target);
  if (info.directory)
    return shown + " is a folder.  A script cannot be saved under the name of a folder; please give it a "
                   "different name...";
  if (info.exists && !info.regular)
    return shown + " is not a plain file (it is a device, a pipe or a socket), so the script is not saved over "
                   "it.  Please give it a different name...";
  return std::nullopt;
}

}  // namespace

// ---- Putting elements into a window -----------------------------------------

void GiveOwnGroups(TScriptDocument& s, TScriptElement* first, TScriptElement* last) {
  TElementGroup* before = first->prev ? first->prev->group : nullptr;
  TElementGroup* after = before ? before->next : (last->next ? last->next->group : nullptr);
  for (TScriptElement* e = first;; e = e->next) {
    TElementGroup* g = NewGroupRecord();
    g->first = e;
    g->count = 1;
    g->stale = 1;
    g->prev = before;
    if (before) before->next = g;
    e->group = g;
    before = g;
    if (e == last) break;
  }
  before->next = after;
  if (after) after->prev = before;
  else s.LastGroup = before;
}

namespace {

// Links the parsed elements into one chain; returns its first and last.
std::pair<TScriptElement*, TScriptElement*> ChainOf(std::vector<std::unique_ptr<TScriptElement>>& elements) {
  TScriptElement* first = nullptr;
  TScriptElement* last = nullptr;
  for (auto& owned : elements) {
    TScriptElement* e = owned.release();
    e->prev = last;
    if (last) last->next = e;
    else first = e;
    last = e;
  }
  elements.clear();
  return {first, last};
}

void RestoreBookmarks(TMDIChild& s, const THeaderInfo& info) {
  TScriptBookmarks& marks = Bookmarks(s);
  marks.Clear();
  std::vector<TScriptElement*> byNumber;
  for (TScriptElement* e = s.FirstElement; e && byNumber.size() < 0xFFFF; e = e->next) byNumber.push_back(e);
  for (const auto& slot : info.Bookmarks) {
    if (slot.Element == 0 || slot.Element > byNumber.size()) continue;
    marks.Add(slot.Text, byNumber[slot.Element - 1u]);
  }
}

void PlaceCaret(TMDIChild& s, const THeaderInfo& info) {
  TScriptElement* current = s.FirstElement;
  for (DWord n = 1; current->next && n < info.CurrentElementNumber; ++n) current = current->next;
  s.CurrentGroup = current->group;
  const std::size_t length = ElementText(*current).size();
  editor::ResetEditLine(s, current, std::min<std::size_t>(info.CaretColumn, length), std::max<Word>(info.CaretLine, 1));
  // The marks are the file's, whoever set them.
  editor::SettleContinuedCues(s);
  s.ScreenLines.fill(TScreenLine{});
  s.WidthsStale = true;
}

void InstallScript(TMDIChild& s, TParsedScript& parsed, TNativeLoadResult& result) {
  result.elements = parsed.elements.size();
  result.needRewrap = static_cast<std::size_t>(
      std::count_if(parsed.elements.begin(), parsed.elements.end(), [](const auto& e) { return NeedsRewrap(*e); }));
  s.FreeElements();
  const auto [first, last] = ChainOf(parsed.elements);
  s.FirstElement = first;
  s.LastElement = last;
  GiveOwnGroups(s, first, last);
  THeaderInfo info;
  std::string unused;
  if (parsed.dos) DecodeDosSettings(parsed.settings, hgSettings, s, info, unused);
  else DecodeScriptHeader(parsed.settings, hgSettings, s, s.FontNameTable, info, &parsed.overflow, unused);
  s.Associations.assign(parsed.associationsBlock.begin(), parsed.associationsBlock.end());
  FindLockingLevel(s);
  // The file keeps what the page breaks took, given back; they take it again.
  editor::SettleTakenLinesBefore(s);
  RestoreBookmarks(s, parsed.info);
  s.StoryboardLinks.Clear();
  s.StoryboardLinks.Add("0");
  if (!parsed.storyboardBlock.empty() && !RestoreStoryboardLinks(parsed.storyboardBlock, s.StoryboardLinks, first) &&
      !LinkErrorsSilenced())
    ShowMessageBox("Error restoring Storyboard Links!", "Attention");
  PlaceCaret(s, parsed.info);
}

// The merged file's frame indexes, as indexes of the script's own list.
std::vector<Word> MergeFrames(TStringList& frames, std::span<const Byte> block) {
  TStoryboardBlock decoded;
  DecodeStoryboardBlock(block, decoded);
  std::vector<Word> remap{0};
  for (DWord id : decoded.frames) {
    const std::string text = std::to_string(id);
    int index = frames.IndexOf(text);
    if (index < 0) index = frames.Add(text);
    remap.push_back(static_cast<Word>(index));
  }
  return remap;
}

}  // namespace

bool BackupBeforeSave(const std::string& fileName, bool timedBackup, bool dos) {
  (void)dos;
  const std::string target = timedBackup ? fileName + ".TMB" : fileName;
  if (FileExists(target) && IsReadOnly(target)) {
    // A timed backup's name is the program's own: no other name can be
    // given to it, so the message says what stands in its way.
    if (timedBackup && OtherUserOwning(target)) {
      ShowFileError("writing " + PathToText(target), FailureCause(EACCES, target, true));
      return false;
    }
    ShowMessageBox("This File is marked READ ONLY and I am unable to save it with this File Name.  Please give it a "
                   "different name...",
                   "Warning");
    return false;
  }
  return true;
}

std::string NativeScriptName(const std::string& fileName) {
  const std::string extension = "." + ScriptExtension;
  // Blanks after the extension belong to the name, which is kept byte for byte.
  const std::string ext = ExtractFileExt(fileName);
  if (SameFileName(ext.substr(0, ext.find_last_not_of(' ') + 1), extension)) return fileName;
  const std::string named = ChangeFileExt(fileName, extension);
  // A name the folder takes only as it is stays so: saved under it.
  if (!NameFitsFolder(named)) return fileName;
  const auto existing = FindNameNoCase(ExtractFileDir(named), ExtractFileName(named));
  return existing ? JoinPath(ExtractFileDir(named), *existing) : named;
}

std::vector<Byte> BuildScriptImage(const TMDIChild& script, bool timedBackup, bool windowsFormat) {
  bool storyboardFailed = false;
  return windowsFormat ? BuildWindowsImage(script, timedBackup, &storyboardFailed) : BuildDosImage(script);
}

bool SaveScriptFile(const std::string& fileName, bool timedBackup, bool windowsFormat) {
  TMDIChild* script = ActiveScript();
  if (!script) {
    PendingIOError = 103;
    ReportJobDone();
    return false;
  }
  // The lines and page breaks are saved with the script: what the idle pass
  // has not laid out yet (it lays out only the script in front) is laid out
  // now.
  script->LayOutWhenDue();
  const std::string target = FollowLinks(timedBackup ? fileName + ".TMB" : fileName);
  if (const auto why = WhyNotSavedUnder(target); why && !(timedBackup && IsLink(target))) {
    // The script keeps its changes for a save under another name.
    ShowMessageBox(*why, "Warning");
    PendingIOError = 100;
    ReportJobDone();
    return false;
  }
  const std::string backup = ChangeFileExtFitting(target, timedBackup ? ".TBK" : ".BK");
  const TDrive volume = DriveOf(target);
  bool storyboardFailed = false;
  const std::vector<Byte> bytes =
      windowsFormat ? BuildWindowsImage(*script, timedBackup, &storyboardFailed) : BuildDosImage(*script);
  if (storyboardFailed && !LinkErrorsSilenced()) ShowMessageBox("Error Saving StoryBoard Link Information!", "Warning");
  const TSaveOutcome outcome = SaveWithBackup(target, backup, bytes, !timedBackup, ModeFor(script->ScriptFileName));
  if (outcome.ok) {
    script->ModifiedSinceBackup = 0;
    if (!timedBackup) script->SavedSinceBackup |= script->ChangedSinceBackup;
    // A script saved under its name has no unsaved changes; a timed backup
    // leaves them for the real save.
    if (!timedBackup) SetDocumentModified(false, false);
    if (!outcome.backupNotKept.empty())
      ShowMessageBox("The script is saved as " + PathToText(target) +
                         ", but its previous version could not be kept as " + PathToText(backup) + ":\r" +
                         outcome.backupNotKept + ".",
                     "Warning");
  } else if (outcome.cancelled) {
    ShowMessageBox(ECancelPressed().what(), "Attention");
    PendingIOError = kCancelledJob;
  } else {
    ShowFileError("writing " + PathToText(target), WriteFailureOn(volume, outcome.cause));
    PendingIOError = outcome.code;
  }
  ReportJobDone();
  return outcome.ok;
}

namespace {

// The settings a script keeps beside its header record go with an image's
// spill under ids that no list of the header uses.
constexpr Byte kAssociationsBeside = 0xF0;
constexpr Byte kStoryboardFramesBeside = 0xF1;
constexpr Byte kLockingLevelBeside = 0xF2;

void SpillBeside(TMDIChild& script, TListOverflow& spill) {
  spill.push_back({kAssociationsBeside, 0, script.Associations});
  TListSpill frames{kStoryboardFramesBeside, static_cast<Word>(script.StoryboardLinks.Count()), {}};
  ByteWriter w(frames.Entries);
  for (int i = 0; i < script.StoryboardLinks.Count(); ++i) w.ShortString(script.StoryboardLinks[i]);
  spill.push_back(std::move(frames));
  spill.push_back({kLockingLevelBeside, 1, {LockingLevel(script)}});
}

void RestoreBeside(TMDIChild& script, const TListSpill& beside) {
  if (beside.ListId == kAssociationsBeside) script.Associations = beside.Entries;
  if (beside.ListId == kStoryboardFramesBeside) {
    ByteReader r(beside.Entries);
    std::vector<std::string> frames;
    for (Word i = 0; i < beside.Count; ++i) frames.push_back(r.ShortString());
    if (!r.AtEnd()) return;
    script.StoryboardLinks.Clear();
    for (const std::string& frame : frames) script.StoryboardLinks.Add(frame);
  }
  if (beside.ListId == kLockingLevelBeside && beside.Entries.size() == 1) SetLockingLevel(script, beside.Entries[0]);
}

void EncodeSettings(TMDIChild& script, const THeaderInfo& info, std::span<Byte> image, TListOverflow* spill) {
  EncodeScriptHeader(script, script.FontNameTable, info, image.first(ScriptHeaderSize), spill);
  if (spill) SpillBeside(script, *spill);
}

}  // namespace

void WriteScriptImage(std::span<Byte> image, DWord currentElementNumber, DWord elementCount, bool timedBackup,
                      TListOverflow* spill) {
  TMDIChild* script = ActiveScript();
  if (!script || image.size() < ScriptHeaderSize) return;
  THeaderInfo info = InfoOf(*script, timedBackup);
  info.CurrentElementNumber = currentElementNumber;
  info.ElementCount = elementCount;
  info.ElementRecordSize = ElementRecordSize;
  EncodeSettings(*script, info, image, spill);
}

void WriteSettingsImage(TMDIChild& script, std::vector<Byte>& image, TListOverflow& spill) {
  image.assign(ScriptHeaderSize, 0);
  spill.clear();
  EncodeSettings(script, THeaderInfo{}, image, &spill);
}

bool ReadSettingsImage(TMDIChild& script, std::span<const Byte> image, const TListOverflow* overflow) {
  THeaderInfo info;
  std::string error;
  if (!DecodeScriptHeader(image, hgSettings, script, script.FontNameTable, info, overflow, error)) return false;
  if (overflow)
    for (const TListSpill& beside : *overflow) RestoreBeside(script, beside);
  return true;
}

bool ReadScriptHeader(std::span<const Byte> image, const TListOverflow* overflow) {
  TMDIChild* script = ActiveScript();
  return script && ReadSettingsImage(*script, image, overflow);
}

std::optional<std::string> StoppedSaveToOffer(const std::string& fileName) {
  for (const std::string& leftover : LeftoversOfStoppedSaves(fileName)) {
    const auto bytes = ReadFileBytes(leftover);
    TParsedScript parsed;
    std::string error;
    if (bytes && ParseScriptImage(*bytes, parsed, error)) return leftover;
  }
  return std::nullopt;
}

bool ParseScriptImage(std::span<const Byte> bytes, TParsedScript& parsed, std::string& error) {
  if (StartsWith(bytes, WindowsScriptTag)) return ParseWindows(bytes, parsed, error);
  if (StartsWith(bytes, DosScriptTag)) return ParseDos(bytes, parsed, error);
  error = "it is not a script file";
  return false;
}

TNativeLoadResult LoadScriptFile(const std::string& fileName, bool timedBackup) {
  TNativeLoadResult result;
  TMDIChild* script = ActiveScript();
  if (!script) return result;
  std::vector<Byte> bytes;
  TParsedScript parsed;
  const bool leftover = TakeLeftoverOfStoppedSave(fileName, bytes, parsed);
  if (!leftover && !ReadScriptFile(fileName, bytes, parsed)) return result;
  InstallScript(*script, parsed, result);
  result.loaded = true;
  // A timed backup, or the leftover of a stopped save, is work that was
  // never saved under the script's name.
  if (timedBackup || leftover) SetDocumentModified(true, false);
  ReportJobDone();
  return result;
}

namespace {

// Merged elements are new text, every line of them.
void MarkRunRevised(TScriptElement& first, const TScriptElement& last) {
  for (TScriptElement* e = &first;; e = e->next) {
    MarkColumnsRevised(*e, 0, ElementText(*e).size());
    if (e == &last) break;
  }
}

}  // namespace

bool MergeScriptFile(const std::string& fileName) {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return false;
  std::vector<Byte> bytes;
  TParsedScript parsed;
  if (!ReadScriptFile(fileName, bytes, parsed)) return false;
  const std::vector<Word> remap = MergeFrames(script->StoryboardLinks, parsed.storyboardBlock);
  for (auto& e : parsed.elements) {
    e->storyboardLink = e->storyboardLink < remap.size() ? remap[e->storyboardLink] : 0;
    e->blockStart = e->blockEnd = -1;
  }
  const auto [first, last] = ChainOf(parsed.elements);
  TScriptElement* current = script->CurrentElement();
  TScriptElement* before = script->CaretColumn() == 0 ? current->prev : current;
  TScriptElement* after = before ? before->next : script->FirstElement;
  first->prev = before;
  last->next = after;
  if (before) before->next = first;
  else script->FirstElement = first;
  if (after) after->prev = last;
  else script->LastElement = last;
  GiveOwnGroups(*script, first, last);
  if (script->RevisionMarking) MarkRunRevised(*first, *last);
  editor::SettleTakenLinesBefore(*script);
  SetDocumentModified(true, false);
  ReportJobDone();
  return true;
}

}  // namespace qm
