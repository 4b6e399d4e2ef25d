#include "breakdown/schedule_export.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

#include "base/message_boxes.h"
#include "breakdown/scene_listing.h"
#include "platform/dialogs.h"
#include "platform/files.h"

namespace qm {

namespace {

constexpr Word RecordTag = 0x0023;
constexpr Word NameTableKind = 0, SceneKind = 1, ItemKind = 2, LengthKind = 3;
constexpr std::uint32_t NameTableLength = 226;

// clang-format off
constexpr std::array<const char*, 21> ExportCategoryNames = {
    "Cast Members", "Extras",         "Stunts",     "Vehicles",      "Props",         "Special Effects",
    "Costumes",     "Makeup",         "Livestock",  "Animal Handler", "Music",        "Sound",
    "Set Dressing", "Greenery",       "Special Equipment", "Security", "Additional Labor", "Optical FX",
    "Mechanical FX", "Miscellaneous", "Notes"};
// clang-format on

std::vector<Byte> NameTable() {
  std::vector<Byte> table;
  for (const char* name : ExportCategoryNames) {
    table.insert(table.end(), name, name + std::strlen(name));
    table.push_back(0);
  }
  return table;
}

std::string UnknownIntExtQuestion(const BreakdownRecord& r) {
  return "Scene Number " + r.SceneNumber + ": " + r.Location.substr(0, 125) +
         " does NOT start with INT. or EXT. which is going to confuse ShootPlan!\r\n\r\nShould I continue anyway?";
}

}  // namespace

void TScheduleWriter::WriteBigEndian(const Byte* buffer, std::size_t size) {
  if (size == 0) return;
  std::array<Byte, 8> work{};
  std::memcpy(work.data(), buffer, std::min<std::size_t>(size, 8));
  if (size == 2) {
    std::swap(work[0], work[1]);
  } else if (size == 4) {
    std::reverse(work.begin(), work.begin() + 4);
  } else if (size == 8) {
    std::swap(work[0], work[1]);
    std::reverse(work.begin() + 2, work.begin() + 6);
    std::swap(work[6], work[7]);
  } else {
    BeepExclamation();
  }
  bytes_.insert(bytes_.end(), work.begin(), work.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(size, 8)));
}

void TScheduleWriter::WriteWord(Word value) {
  const std::array<Byte, 2> little = {static_cast<Byte>(value), static_cast<Byte>(value >> 8)};
  WriteBigEndian(little.data(), 2);
}

void TScheduleWriter::WriteRecordHeader(std::uint32_t length, Word kind) {
  std::array<Byte, 8> little{};
  little[0] = static_cast<Byte>(RecordTag);
  little[1] = static_cast<Byte>(RecordTag >> 8);
  for (int i = 0; i < 4; ++i) little[static_cast<std::size_t>(2 + i)] = static_cast<Byte>(length >> (8 * i));
  little[6] = static_cast<Byte>(kind);
  little[7] = static_cast<Byte>(kind >> 8);
  WriteBigEndian(little.data(), 8);
}

bool TScheduleWriter::CurrentSceneSkipped() const {
  if (selected_.empty()) return false;
  const auto index = static_cast<std::size_t>(scenePosition_ - 1);
  return scenePosition_ < 1 || index >= selected_.size() || !selected_[index];
}

void TScheduleWriter::WriteHeader() {
  const char magic[] = "*ISS";
  WriteBigEndian(reinterpret_cast<const Byte*>(magic), 4);
  WriteRecordHeader(NameTableLength, NameTableKind);
  counter_ = 0;
  WriteWord(counter_);
  const std::vector<Byte> table = NameTable();
  bytes_.insert(bytes_.end(), table.begin(), table.end());
}

void TScheduleWriter::WriteRecord(Byte category, std::string text) {
  if (text.empty()) return;
  if (category == SceneRecordCategory) {
    if (text.back() != '\0') text += '\0';
    ++scenePosition_;
    const bool skipped = CurrentSceneSkipped();
    if (!skipped) WriteRecordHeader(static_cast<std::uint32_t>(text.size() + 4), SceneKind);
    ++counter_;
    if (skipped) return;
    WriteWord(counter_);
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return;
  }
  if (CurrentSceneSkipped()) return;
  if (text.back() == '\0') text.pop_back();
  WriteRecordHeader(static_cast<std::uint32_t>(text.size() + 6), ItemKind);
  WriteWord(counter_);
  WriteWord(category);
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void TScheduleWriter::WriteNumbers(Word eighths, Word pages) {
  if (CurrentSceneSkipped()) return;
  WriteRecordHeader(8, LengthKind);
  WriteWord(counter_);
  WriteWord(pages);
  WriteWord(eighths);
}

std::string SchedulingSceneLine(const BreakdownRecord& r) {
  return r.StartPage + "\t" + SceneNumberShown(r) + "\t" + r.IntExt + " " + r.Location + " - " + r.TimeOfDay;
}

bool WriteScheduleExport(const TBreakdownRun& run, const TBreakdownOptions& options, TScheduleWriter& writer,
                         const TUnknownIntExtQuestion& ask) {
  writer.WriteHeader();
  // The scenes in script order: the export is never sorted.
  std::vector<const TRunScene*> scenes;
  for (const TRunScene& scene : run.Scenes) scenes.push_back(&scene);
  std::stable_sort(scenes.begin(), scenes.end(),
                   [](const TRunScene* a, const TRunScene* b) { return a->Position < b->Position; });
  for (const TRunScene* scene : scenes) {
    const BreakdownRecord& r = scene->Record;
    writer.WriteRecord(SceneRecordCategory, SchedulingSceneLine(r));
    writer.WriteNumbers(static_cast<Word>(scene->Length.Eighths), static_cast<Word>(scene->Length.Pages));
    if (options.PrintTagged)
      for (const TListedItems& category : SceneItemLists(r, true))
        for (const std::string& item : *category.Items)
          writer.WriteRecord(static_cast<Byte>(category.Category->ExportNumber), item);
    if (scene->Wanted && r.IntExt == "UNKNOWN INT/EXT" && ask && !ask(UnknownIntExtQuestion(r))) return false;
    if (options.ListCharacters)
      for (const std::string& name : SceneCharacters(run, r)) writer.WriteRecord(0, name);
  }
  return true;
}

std::string ExportFolder() {
  const std::string desktop = HomeFolder() + "/Desktop";
  return (DirectoryExists(desktop) ? desktop : HomeFolder()) + "/";
}

int StampedSecond(const std::tm& t) {
  const int minute = t.tm_min;
  if (minute == 0) return t.tm_sec;
  return ((t.tm_year + 1900 + t.tm_mon + 1 + t.tm_mday + t.tm_hour + minute) * 13) % minute;
}

bool StampSchedulingFileTime(const std::string& path) {
  const std::time_t age = FileAge(path);
  if (age < 0) return false;
  std::tm local{};
  localtime_r(&age, &local);
  local.tm_sec = StampedSecond(local);
  local.tm_isdst = -1;
  return SetFileAge(path, std::mktime(&local));
}

namespace {

// Why a step of the export's file failed, in words.
std::string WhyNot(const TFileReplacement& file) { return FileFailureText(file.LastError(), file.FailedPath()); }

// The file the user chose, its new version begun beside it with the
// script's mode; none when the run ends. An older export under the name
// stays whole until the new one is complete.
std::unique_ptr<TFileReplacement> ChooseExportFile(const std::string& scriptFileName, std::string& path) {
  TSaveDialog dialog(nullptr);
  dialog.Title = "Create Export File";
  dialog.Filter = "Scheduling EXport|*.SEX";
  dialog.DefaultExt = "SEX";
  dialog.InitialDir = ExportFolder();
  dialog.FileName = ChangeFileExt(ExtractFileName(scriptFileName), ".SEX");
  for (;;) {
    // The run's "Please Wait" notice stays up, out of the dialog's way.
    const bool chosen = [&dialog] {
      const PleaseWaitAside aside;
      return dialog.Execute();
    }();
    if (!chosen) return nullptr;
    path = ChangeFileExt(dialog.FileName, ".SEX");
    const std::string folder = ExtractFileDir(path);
    if (!folder.empty() && !DirectoryExists(folder)) {
      ShowMessageBox(PathToText(folder) + " is not a valid Subdirectory!", "Attention");
      continue;
    }
    if (FileExists(path) &&
        !AskYesNo(PathToText(path) + " already exists!\r\n\r\nOverwrite this file?", "Attention", false))
      continue;
    auto file = std::make_unique<TFileReplacement>(path);
    // What is exported of a script takes the script's mode.
    if (const std::optional<unsigned> mode = ModeFor(scriptFileName)) file->TakeMode(*mode);
    if (file->Create()) return file;
    if (!AskYesNo(
            "Error Creating: " + PathToText(path) + "\r\n\r\n" + WhyNot(*file) + ".\r\n\r\nEnter a New Path/Name?",
            "Attention", true))
      return nullptr;
  }
}

}  // namespace

bool ExportScheduleFile(const std::string& scriptFileName, const TBreakdownRun& run, const TBreakdownOptions& options) {
  std::string path;
  const std::unique_ptr<TFileReplacement> file = ChooseExportFile(scriptFileName, path);
  if (!file) return false;
  std::vector<bool> selected;
  if (options.Scenes != TSceneChoice::All)
    for (const TRunScene& scene : run.Scenes) {
      if (selected.size() < static_cast<std::size_t>(scene.Position))
        selected.resize(static_cast<std::size_t>(scene.Position));
      selected[static_cast<std::size_t>(scene.Position) - 1] = scene.Wanted;
    }
  TScheduleWriter writer(selected);
  const bool whole = WriteScheduleExport(
      run, options, writer, [](const std::string& question) { return AskOkCancel(question, "Attention"); });
  const std::vector<Byte>& bytes = writer.Bytes();
  if (!file->Write(bytes.data(), bytes.size()) || !file->Commit()) {
    ShowMessageBox("Error Writing: " + PathToText(path) + "\r\n\r\n" + WhyNot(*file) + ".", "Attention");
    return false;
  }
  if (!whole) return false;
  StampSchedulingFileTime(path);
  ShowMessageBox("Breakdown was written to " + PathToText(path), "Attention");
  return true;
}

}  // namespace qm
