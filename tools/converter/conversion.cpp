#include "conversion.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "block_document.h"

#include "files/converter_handoff.h"
#include "platform/files.h"
#include "platform/ipc_atoms.h"
#include "platform/process.h"

namespace qm::converter {

namespace {

// Why this run could not write a file beside the target, when that is
// what stopped it: the program tells a full disk from a folder it may
// not write to by it. One conversion per process.
int gWriteError = 0;

void NoteWriteError(int err) { gWriteError = err; }

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

// A private folder beside the target, so that the finished file moves in
// by a rename on the same file system; gone with this object.
class TWorkFolder {
 public:
  explicit TWorkFolder(const std::string& target) {
    std::string pattern = JoinPath(ExtractFileDir(ExpandFileName(target)), ".xtdlink-XXXXXX");
    if (::mkdtemp(pattern.data())) path_ = pattern;
    else NoteWriteError(errno);
  }
  ~TWorkFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TWorkFolder(const TWorkFolder&) = delete;
  TWorkFolder& operator=(const TWorkFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

TTargetFormat TargetFormatOf(const std::string& target) {
  const std::string ext = Lower(ExtractFileExt(target));
  if (ext == ".doc") return {"doc:MS Word 97", "doc"};
  if (ext == ".docx") return {"docx:MS Word 2007 XML", "docx"};
  return {"rtf:Rich Text Format", "rtf"};
}

std::optional<TTargetFormat> FilterFormatOf(const std::string& filterFile, const std::string& target) {
  const auto bytes = ReadFileBytes(filterFile);
  if (!bytes) return std::nullopt;
  const std::string text(bytes->begin(), bytes->end());
  const std::string key = "convert-to=";
  const std::size_t at = text.find(key);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t end = text.find_first_of("\r\n", at);
  const std::string filter = text.substr(at + key.size(), end == std::string::npos ? end : end - at - key.size());
  const std::size_t colon = filter.find(':');
  if (colon == 0 || colon == std::string::npos) return std::nullopt;
  if (Lower(ExtractFileExt(target)) == ".docx") return TargetFormatOf(target);
  return TTargetFormat{filter, filter.substr(0, colon)};
}

std::string FileUrl(const std::string& path) {
  std::string url = "file://";
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    if (std::isalnum(b) || std::strchr("/-._~", c)) {
      url += c;
    } else {
      static const char* hex = "0123456789ABCDEF";
      url += '%';
      url += hex[b >> 4];
      url += hex[b & 15];
    }
  }
  return url;
}

int ConversionTimeLimitMs() {
  const char* text = std::getenv("QUILLMASTER_CONVERT_SECONDS");
  const long seconds = text ? std::strtol(text, nullptr, 10) : 0;
  return static_cast<int>(seconds >= 1 && seconds <= 3600 ? seconds : 120) * 1000;
}

bool IsWordProcessorFile(const std::string& path) {
  TFileStream in(path, TFileMode::OpenRead);
  if (!in.IsOpen()) return false;
  char head[8] = {};
  const std::size_t got = in.Read(head, sizeof head);
  return HasConverterSignature(std::string_view(head, got));
}

namespace {

// The mode of the file that takes the target's name: the program gave its
// own empty target its script's mode. Anything else there (another user's
// file, a link) says nothing of the script: the new file is then its
// writer's alone.
mode_t ModeTaken(const std::string& target) {
  struct stat there {};
  const bool ownFile = ::lstat(target.c_str(), &there) == 0 && S_ISREG(there.st_mode) && there.st_uid == ::geteuid();
  return ownFile ? (there.st_mode & 07777) : (S_IRUSR | S_IWUSR);
}

// A complete file of the work folder becomes the target, with its mode
// before it has the name.
TOutcome MoveIntoPlace(const std::string& written, const std::string& target, std::string& why) {
  ::chmod(written.c_str(), ModeTaken(target));
  if (!ReplaceFile(written, target)) {
    NoteWriteError(errno);
    why = "unable to write " + target + ": " + std::strerror(errno) + ".";
    return TOutcome::Failed;
  }
  return TOutcome::Converted;
}

// LibreOffice writes `input` (a file in the work folder) in `format`; the
// result moves to target.
TOutcome RunOffice(const TWorkFolder& work, const std::string& input, const TTargetFormat& format,
                   const std::string& target, std::string& why) {
  const std::optional<std::string> office = FindProgram("soffice");
  if (!office) {
    why = "LibreOffice is not installed: install the package " + std::string(OfficePackage) + ".";
    return TOutcome::NoOffice;
  }
  const std::string output = JoinPath(work.Path(), "out");
  if (!ForceDirectories(output)) {
    why = "no room for the work folder beside " + target + ".";
    return TOutcome::Failed;
  }
  // Every path goes as a file URL: LibreOffice decodes a "%41" in a plain
  // path, and would read or write a folder of another name.
  const RunResult run = RunProgramWithin(
      *office,
      {"--headless", "--norestore", "--nologo", "--nolockcheck",
       "-env:UserInstallation=" + FileUrl(JoinPath(work.Path(), "profile")), "--convert-to", format.filter, "--outdir",
       FileUrl(output), FileUrl(input)},
      [] {}, ConversionTimeLimitMs());
  if (run.timedOut) {
    why =
        "LibreOffice took longer than " + std::to_string(ConversionTimeLimitMs() / 1000) + " seconds and was stopped.";
    return TOutcome::TimedOut;
  }
  const std::string written = JoinPath(output, ChangeFileExt(ExtractFileName(input), "." + format.extension));
  if (!run.started || FileSize(written) <= 0) {
    why = run.started ? "LibreOffice could not convert " + target + "." : run.error;
    return TOutcome::Failed;
  }
  return MoveIntoPlace(written, target, why);
}

}  // namespace

TOutcome Convert(const std::string& source, const std::string& target, std::string& why) {
  if (!FileExists(source)) {
    why = source + " not found.";
    return TOutcome::Failed;
  }
  // Only a word processor's file is LibreOffice's: anything else is left
  // to the program, to be read as text if the writer wants it.
  if (!IsWordProcessorFile(source)) {
    why = source + " is no word processor's file: read it as text.";
    return TOutcome::Ascii;
  }
  TWorkFolder work(target);
  // LibreOffice names its output after the source: a copy of a known name
  // keeps a source of any name (or extension) apart from the output.
  const std::string input = JoinPath(work.Path(), "source" + ExtractFileExt(source));
  if (work.Path().empty() || !CopyFile(source, input)) {
    why = "unable to copy " + source + " beside " + target + ".";
    return TOutcome::Failed;
  }
  return RunOffice(work, input, TargetFormatOf(target), target, why);
}

TOutcome ConvertBlock(const std::vector<std::uint8_t>& block, const std::string& filterFile, const std::string& target,
                      std::string& why) {
  const auto format = FilterFormatOf(filterFile, target);
  if (!format) {
    why = filterFile + " names no format.";
    return TOutcome::Failed;
  }
  const auto paragraphs = ReadExportBlock(block);
  if (!paragraphs) {
    why = "the export block on the clipboard is damaged.";
    return TOutcome::Failed;
  }
  TWorkFolder work(target);
  const std::string input = JoinPath(work.Path(), "source.rtf");
  const std::string rtf = BlockAsRtf(*paragraphs);
  if (work.Path().empty()) {
    why = "unable to make the work folder beside " + target + ": " + std::strerror(gWriteError) + ".";
    return TOutcome::Failed;
  }
  TFileReplacement file(input);
  if (!file.Create() || !file.Write(rtf.data(), rtf.size()) || !file.Commit()) {
    NoteWriteError(file.LastError());
    why = "unable to write beside " + target + ": " + file.LastErrorMessage() + ".";
    return TOutcome::Failed;
  }
  // RTF is the block's own document: no office program is needed for it.
  if (format->extension == "rtf") return MoveIntoPlace(input, target, why);
  return RunOffice(work, input, *format, target, why);
}

namespace {

int WriteErrorExit() {
  switch (gWriteError) {
    case ENOSPC:
    case EDQUOT: return ConverterDiskFullExit;
    case EACCES:
    case EPERM: return ConverterFolderRefusedExit;
    case EROFS: return ConverterReadOnlyVolumeExit;
    default: return 1;
  }
}

}  // namespace

int ExitStatusOf(TOutcome outcome) {
  switch (outcome) {
    case TOutcome::Converted: return 0;
    case TOutcome::NoOffice: return 3;
    case TOutcome::TimedOut: return 4;
    case TOutcome::Ascii: return 5;
    default: return WriteErrorExit();
  }
}

void ReportOutcome(TOutcome outcome) {
  SharedAtomTable atoms(RuntimeFolder());
  atoms.Add("HasAtomicInfo");
  atoms.Add(outcome == TOutcome::Converted ? "crConverted" : outcome == TOutcome::Ascii ? "crASCII" : "crFailed");
}

}  // namespace qm::converter
