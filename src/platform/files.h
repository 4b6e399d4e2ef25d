// Files, folders, paths and the program's places. Every path here is the
// system's own bytes (UTF-8 on a desktop), kept as they are from the
// command line, the desktop or a folder listing to the system call; only
// a path shown as the program's text (code page 1252) is converted, with
// PathToText. The separator is '/'. Nothing here throws: failures come
// back as false, -1 or an empty result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// ---- Names the old platform compared without regard to case ----------

// Whether `name` matches one of the ';'-separated masks. '*' stands for any
// run of bytes and '?' for one; letters match in either case (the code
// page's letters, as UTF-8, included). A mask
// ending in "." matches names without an extension ("*.", "README."), and
// one ending in ".*" also matches the name without any extension, as the
// old platform's masks did.
bool MatchesFileMask(std::string_view name, std::string_view masks);

// The entry of `folder` called `name`: the exact name when it exists, else
// an entry equal to it without regard to case (the first in byte order
// when there are several). No result when neither exists.
std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name);

// Whether two names are the same without regard to case, as above.
bool SameFileName(std::string_view a, std::string_view b);

// ---- Faults -------------------------------------------------------------

// The steps of this layer that open a file or change the disk. Each is
// named with the path it opens or changes: the new file for Create, Write
// and Flush (the folder for the Flush that follows a rename in it), the
// second name for Link, the name taken for Rename.
enum class TFileStep { Open, Create, Write, Flush, Link, Rename, Remove };
// Asked before each step when set: a non-zero errno makes the step fail
// with it, as a full, failing or locked disk would, so that what every
// failure leaves behind can be tried.
using TFileFaultHook = std::function<int(TFileStep step, const std::string& path)>;
void SetFileFaultHook(TFileFaultHook hook);

// ---- Files and folders ------------------------------------------------

bool FileExists(const std::string& path);  // anything but a folder
bool DirectoryExists(const std::string& path);
bool CreateDir(const std::string& path);  // one level; false when it exists
// Every missing level; true when the folder is there. A file on the way
// leaves errno ENOTDIR.
bool ForceDirectories(const std::string& path);
// A read-only file cannot be deleted, renamed over or replaced, as on the
// old platform; clear the attribute first.
bool DeleteFile(const std::string& path);
// Deletes a file of ours that a setting or another process may have named:
// only a plain file of this user, itself no link, that sits directly in
// one of the folders (links on the way to it resolved first). False for
// anything else, which is left as it is.
bool DeleteOwnFileIn(const std::string& path, const std::vector<std::string>& folders);
// A plain file of this user, itself no link and no second name of another
// file, that the user may write.
bool IsOwnWritablePlainFile(const std::string& path);
// Fails when `to` exists.
bool RenameFile(const std::string& from, const std::string& to);
// Renames over an existing `to` (unless it is read-only).
bool ReplaceFile(const std::string& from, const std::string& to);
// The copy keeps the source's modification time and permissions and is
// written whole before it appears under `to`.
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists = false);

std::int64_t FileSize(const std::string& path);  // -1 when missing
std::time_t FileAge(const std::string& path);    // modification time; -1 when missing
bool SetFileAge(const std::string& path, std::time_t age);
// Read-only means the owner may not write: the file has no write bit for
// its owner. Setting it clears every write bit; clearing it gives the
// owner the write bit back.
bool IsReadOnly(const std::string& path);
bool SetReadOnly(const std::string& path, bool readOnly);
// A plain file of this user (a link it may trust followed) is open to no
// one these permissions leave out; false for anything else, left as it was.
bool KeepPermissionsWithin(const std::string& path, unsigned widest);

struct TFileInfo {
  bool exists = false;
  bool directory = false;
  bool regular = false;  // a plain file: not a folder, device, pipe or socket
  bool readOnly = false;
  bool hidden = false;  // the name begins with '.'
  unsigned permissions = 0;
  std::int64_t size = -1;
  std::time_t mtime = -1;
  std::int64_t mtimeNanoseconds = -1;  // the same time, finer
};
TFileInfo FileAttributes(const std::string& path);

// The names in `folder` that match `masks` (see MatchesFileMask), sorted
// byte-wise: plain files, or with `directories` the sub-folders ("." and
// ".." left out). Hidden entries (a leading '.') are left out.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& masks, bool directories = false);

// ---- Path parts (pure string functions) --------------------------------

std::string ExtractFilePath(std::string_view path);  // folder with trailing '/', or ""
std::string ExtractFileDir(std::string_view path);   // folder without it ("/" for the root)
std::string ExtractFileName(std::string_view path);
std::string ExtractFileExt(std::string_view path);  // ".ext" of the last part, or ""
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// ChangeFileExt, or, where the folder takes no name that long, the start
// of the name, "~", a check sum of the whole name and `ext`, as the new
// files of a replacement are shortened: a name for a file kept beside
// another (a backup) that two long names never share.
std::string ChangeFileExtFitting(const std::string& path, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);  // keeps "/" itself
// Absolute, with "." and ".." resolved by the text alone (links are not
// followed) and repeated separators folded; a trailing '/' stays.
std::string ExpandFileName(std::string_view path);
// `name` as it is when absolute, else inside `folder`.
std::string JoinPath(std::string_view folder, std::string_view name);
// The file a path names once its links are followed, each link read
// relative to its folder; the path itself when it is no link. A dangling
// link gives the missing file it points to. Only a link this user may
// trust is followed: one of its own, or one the owner of a folder that no
// one else can write to made there. A link another user planted, say in
// a shared folder, is where the walk stops.
std::string FollowLinks(const std::string& path);
// The name is a link (FollowLinks stops at one it may not follow).
bool IsLink(const std::string& path);
// The user who owns what is under the name (a link itself, not what it
// names) when that is not this user: their login name, or "user" and
// their number when the system knows no name for them.
std::optional<std::string> OtherUserOwning(const std::string& path);
// Why a step that failed with `err` at `path` failed, as the program's
// text: "<path> belongs to another user (<name>)" when that user's file
// refused it, else the system's words for `err`.
std::string FileFailureText(int err, const std::string& path);

// A path as the program's text shows it: the system's UTF-8 in the code
// page, each character the code page lacks (and each byte that is not
// UTF-8) as '?'. Only for showing: the result need not name the file.
std::string PathToText(std::string_view path);
// A name typed as the program's text, spelt as the system spells names.
std::string TextToPath(std::string_view text);

// ---- Paths the old code built, and drives ------------------------------

// A path as the program's old code would build it, as a path here:
// backslashes become '/', a leading drive "X:" is dropped, and each part
// that does not exist as spelt but exists in another case is spelt as it
// exists ("C:\\SCRIPTS\\A.QMW" -> "/scripts/a.qmw" when those exist). A
// path that exists as it is spelt is left as it is.
std::string MapPath(std::string_view path);

// The mount point of the file system holding `path` (its nearest existing
// folder when the path does not exist yet).
std::string DriveOfPath(const std::string& path);
// The drive's top folder can be read.
bool DriveReady(const std::string& path);

enum class DriveKind { Unknown, Removable, Fixed, Remote, CDROM, RamDisk };
DriveKind DriveKindOf(const std::string& path);
// The kind a mounted file system of type `fsType` at `mountPoint` counts as.
DriveKind DriveKindForFileSystem(std::string_view fsType, std::string_view mountPoint);

// The folder of `path` takes a name as long as the one `path` ends in.
bool NameFitsFolder(const std::string& path);
// The longest start of `name` that, with `more` bytes added to it, is a
// name `folder` takes, cut where a character begins; at least the first
// character, should even that not fit.
std::string NameStartFitting(const std::string& name, std::size_t more, const std::string& folder);

// A short name is the name itself here.
std::string ShortPathName(const std::string& path);
std::string LongPathName(const std::string& path);
// The file name of `path`, at most `maxLength` characters, without
// anything from its first "."; "NONAME" and `number` when that leaves
// nothing.
std::string ShortFileBaseName(const std::string& path, int maxLength, int number);

// ---- Places -------------------------------------------------------------
// Folders are given without a trailing '/', except ProgramFolder().

// $QUILLMASTER_HOME, else $XDG_CONFIG_HOME/quillmaster, else ~/.config/quillmaster.
std::string ConfigFolder();
bool EnsureConfigFolder();
std::string SettingsFilePath();  // ConfigFolder()/QUILLPAD.INI
// Where the old program kept its settings files: the config folder.
std::string WindowsDirectory();
// The program's own data files, with a trailing '/':
// $QUILLMASTER_PROGRAM_FOLDER, else data/ beside the executable when it
// exists, else <executable folder>/../share/quillmaster/.
std::string ProgramFolder();
// Sockets and other files of one session: $QUILLMASTER_HOME/run, else
// $XDG_RUNTIME_DIR/quillmaster, else /tmp/quillmaster-<uid>; created
// private to the user when asked for. A folder in /tmp that belongs to
// someone else is not used; the config folder's run/ is used instead.
std::string RuntimeFolder();
std::string HomeFolder();
std::string TempFolder();
std::string ExecutablePath();

// ---- New files a replacement writes beside a file -----------------------

// The visible new files of replacements of `target` (TSideName::Visible)
// in its folder, as paths, whoever wrote them.
std::vector<std::string> VisibleSideFilesOf(const std::string& target);
// `path` is one of those names.
bool IsVisibleSideFileOf(const std::string& path, const std::string& target);
// A replacement that is still writing it holds it.
bool SideFileInUse(const std::string& path);

// ---- Whole files and streams --------------------------------------------

// The whole of a plain file, or no result with the reason in `error`.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::string* error = nullptr);
// Writes `path` whole through a TFileReplacement, so a crash leaves either
// the old or the new file, never a half one; with `mode` the file takes
// it, whatever the umask or the file it replaces.
bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size, std::string* error = nullptr,
                     std::optional<unsigned> mode = std::nullopt);
// The permissions of a file written for `file` that takes its mode (a
// timed backup, an export, its settings beside it): `file`'s own, with
// reading and writing for its writer, who must be able to replace it. None
// when `file` is no plain file (a script never saved).
std::optional<unsigned> ModeFor(const std::string& file);
// Gives a plain file of this user, itself no link, exactly these
// permissions; false for anything else, which is left as it was.
bool SetOwnFileMode(const std::string& path, unsigned mode);

// Where a TFileReplacement writes the new version until Commit: a hidden
// ".<name>.tmp<pid>-<tag>" beside the file, or a visible
// "<name>.<pid>-<tag>.new~" that a stopped save leaves for the writer to
// find. The tag is one no one can foresee, so names planted beforehand
// stop no write, and each replacement has a name of its own, so two
// writers never cut each other's file. Where that would be too long a
// name for the folder, the file's name keeps only its start and a check
// sum of the whole.
enum class TSideName { Hidden, Visible };

// A new version of a file, written beside it and then given its name in
// one step, so that the name holds a complete version, old or new, at
// every moment; the renames are flushed with their folder, so a power loss
// cannot undo them. A link this user may trust is followed and the file it
// points to replaced (see FollowLinks); any other link is replaced itself,
// never written through. The new file is always made new (never opened
// through a name someone else put there), and is its writer's alone until
// Commit; it then gets the permissions of the one it replaces (and its
// owner where the system allows), or the usual ones for a first version,
// unless told otherwise. A read-only file, a folder, or anything else that is
// no plain file (a device, a pipe) is refused and left as it was. A write
// past the process's file-size limit fails with EFBIG instead of ending
// the program.
class TFileReplacement {
 public:
  // New files of this kind that a killed program left behind are removed
  // by the next commit.
  explicit TFileReplacement(const std::string& path, TSideName side = TSideName::Hidden);
  ~TFileReplacement();  // a new file that was not committed is removed
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  bool Create();
  bool Write(const void* data, std::size_t size);
  // Down to the disk; Commit does it when it was not done.
  bool Flush();
  // The version now under the file's name gets `backup` as a second name
  // (a copy where the file system has no links), replacing an older
  // backup in one step; a read-only backup is refused. True when there is
  // no version to keep. When another save gives the file a new version
  // meanwhile, the one then under the name is kept.
  bool KeepCurrentAs(const std::string& backup);
  // Gives the new file its permissions, and then the name.
  bool Commit();
  // The new file takes this modification time and these permissions
  // instead (a copy keeps its source's).
  void TakeTimeAndMode(std::int64_t seconds, long nanoseconds, unsigned mode);
  // The new file takes these permissions instead.
  void TakeMode(unsigned mode);
  // The new file is never open to more people than these permissions let.
  void KeepModeWithin(unsigned widest);

  // The file replaced, its links followed.
  const std::string& Target() const { return target_; }
  // Where the new version is written (known once Create has run).
  const std::string& FreshPath() const { return fresh_; }
  int LastError() const { return lastError_; }
  const std::string& LastErrorMessage() const { return lastMessage_; }
  // The name the step that failed worked on: the target, the backup, or
  // the folder a new file could not be made in.
  const std::string& FailedPath() const { return failedPath_; }

 private:
  bool Fail(const char* what, const std::string& path, int err);

  std::string target_;
  std::string fresh_;
  TSideName side_ = TSideName::Hidden;
  int fd_ = -1;
  bool created_ = false;
  bool flushed_ = false;
  bool takeTime_ = false;
  std::int64_t seconds_ = 0;
  long nanoseconds_ = 0;
  unsigned completeMode_ = 0;
  std::optional<unsigned> takenMode_;
  unsigned widestMode_ = 07777;
  int lastError_ = 0;
  std::string lastMessage_;
  std::string failedPath_;
};

enum class TFileMode { OpenRead, Create, OpenReadWrite };
enum class TSeekOrigin { Beginning, Current, End };

// A file opened for reading and writing in chunks. Every call reports
// failure through its result and LastError(); the file closes with the
// object. Only a plain file opens for reading (a pipe or device would keep
// the program waiting): a folder fails with EISDIR, anything else that is
// not a plain file with ENODEV.
class TFileStream {
 public:
  TFileStream(const std::string& path, TFileMode mode);
  ~TFileStream();
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // The bytes read: fewer than `count` only at the end of the file or on error.
  std::size_t Read(void* buffer, std::size_t count);
  // The bytes written: fewer than `count` only on error.
  std::size_t Write(const void* buffer, std::size_t count);
  // The new position, or -1.
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin = TSeekOrigin::Beginning);
  std::int64_t Position() const;
  std::int64_t Size() const;
  bool Flush();  // down to the disk
  // The errno of the last failure (0 when none) and its text.
  int LastError() const { return lastError_; }
  const std::string& LastErrorMessage() const { return lastMessage_; }

 private:
  void Fail(const char* what);

  int fd_ = -1;
  std::string path_;
  int lastError_ = 0;
  std::string lastMessage_;
};

}  // namespace qm
