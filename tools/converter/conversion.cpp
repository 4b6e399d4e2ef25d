#include "conversion.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/ipc_atoms.h"
#include "platform/process.h"

namespace qm::converter {

namespace {

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

TOutcome Convert(const std::string& source, const std::string& target, std::string& why) {
  const std::optional<std::string> office = FindProgram("soffice");
  if (!office) {
    why = "LibreOffice is not installed: install the package " + std::string(OfficePackage) + ".";
    return TOutcome::NoOffice;
  }
  if (!FileExists(source)) {
    why = source + " not found.";
    return TOutcome::Failed;
  }
  TWorkFolder work(target);
  if (work.Path().empty()) {
    why = "no room for the work folder beside " + target + ".";
    return TOutcome::Failed;
  }
  // LibreOffice names its output after the source: a copy of a known name
  // keeps a source of any name (or extension) apart from the output.
  const std::string input = JoinPath(work.Path(), "source" + ExtractFileExt(source));
  const std::string output = JoinPath(work.Path(), "out");
  const TTargetFormat format = TargetFormatOf(target);
  if (!CopyFile(source, input) || !ForceDirectories(output)) {
    why = "unable to copy " + source + ".";
    return TOutcome::Failed;
  }
  const RunResult run =
      RunProgramAndWait(*office,
                        {"--headless", "--norestore", "--nologo", "--nolockcheck",
                         "-env:UserInstallation=file://" + JoinPath(work.Path(), "profile"), "--convert-to",
                         format.filter, "--outdir", output, input},
                        [] {});
  const std::string written = JoinPath(output, "source." + format.extension);
  if (!run.started || FileSize(written) <= 0) {
    why = run.started ? "LibreOffice could not convert " + source + "." : run.error;
    return TOutcome::Failed;
  }
  if (!ReplaceFile(written, target)) {
    why = "unable to write " + target + ".";
    return TOutcome::Failed;
  }
  return TOutcome::Converted;
}

void ReportOutcome(TOutcome outcome) {
  SharedAtomTable atoms(RuntimeFolder());
  atoms.Add("HasAtomicInfo");
  atoms.Add(outcome == TOutcome::Converted ? "crConverted" : "crFailed");
}

}  // namespace qm::converter
