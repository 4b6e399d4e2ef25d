// The profile service: settings files of "[section]" headers and
// "key=value" lines, read and written one key at a time, as the old
// platform's private-profile calls did. The settings class of the program
// sits on top of it.
//
// - A file name without a folder names a file in WindowsDirectory().
// - Sections and keys match without regard to case (code page 1252); the
//   first of a repeated section or key is the one that counts; blanks
//   around keys and values do not count, and one pair of matching quotes
//   (" or ') around a value is taken off on reading.
// - Lines starting with ';' are comments. Everything a write does not
//   change (comments, blank lines, unknown sections, order, odd lines, line
//   ends) stays byte for byte.
// - Writing quotes a value that would not read back the same (blanks at
//   either end, or quotes around it); a value is cut at its first line
//   break, which a settings line cannot hold.
// - Every change replaces the file whole (a temporary file, flushed and
//   renamed), so the file on disk is always either the old or the new one.
// - Parsed files are kept in memory and read again only when the file's
//   time stamp or size changes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qm {

std::string ProfileReadString(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& defaultValue);
// False when the file cannot be written (read-only file, no folder can be
// made) or the section or key cannot be a settings-file name (empty, or
// holding ']', '=' or a line break); the file is then unchanged.
bool ProfileWriteString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);
// Every line of the key in its section goes. True also when there was
// nothing to erase.
bool ProfileEraseKey(const std::string& file, const std::string& section, const std::string& key);
// The section goes with every line up to the next section, in each place
// it occurs. True also when there was nothing to erase.
bool ProfileEraseSection(const std::string& file, const std::string& section);

// The key names of a section, in file order, each once.
std::vector<std::string> ProfileReadSection(const std::string& file, const std::string& section);
// The section names, in file order, each once.
std::vector<std::string> ProfileReadSections(const std::string& file);
std::vector<std::pair<std::string, std::string>> ProfileReadSectionValues(const std::string& file,
                                                                          const std::string& section);
bool ProfileSectionExists(const std::string& file, const std::string& section);

// The full name of the settings file a name gives (see above).
std::string ProfileFilePath(const std::string& file);
// Why the last write of a settings file on this thread failed: the file
// (its full name), the path of the step that failed (the file, or the
// folder a new version could not be made in) and the system's error
// number, 0 when no step of the system failed.
struct TProfileWriteFailure {
  std::string file;
  std::string path;
  int error = 0;
};
TProfileWriteFailure LastProfileWriteFailure();

// How many settings-file lines have been looked at since the program
// started: the measure of the service's work, which grows with a file's
// size and not with the number of writes in a batch.
std::uint64_t ProfileLinesExamined();

// While a batch is open, writes and erases of its file change the parsed
// file only (and reads see them); the file is written once, when the
// outermost batch of that file commits or ends. Saving a few hundred
// settings then costs one write instead of hundreds.
class ProfileWriteBatch {
 public:
  explicit ProfileWriteBatch(const std::string& file);
  ~ProfileWriteBatch();
  ProfileWriteBatch(const ProfileWriteBatch&) = delete;
  ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;
  // Writes what changed; false when the file could not be written.
  bool Commit();

 private:
  std::string path_;
  bool committed_ = false;
  bool ok_ = true;
};

}  // namespace qm
