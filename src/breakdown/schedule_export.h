// The scheduling export file (.SEX): big-endian records of the scenes of
// a breakdown run (scene line, length, tagged items, characters) behind a
// magic and a table of category names, for the outside scheduling
// program; choosing where it goes, and stamping its time.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "breakdown/breakdowns_run.h"
#include "platform/types.h"

namespace qm {

// Writes records into a byte buffer, keeping the scene counter and the
// scene position the records of one run share.
class TScheduleWriter {
 public:
  // `selected`: with "Selected Scenes ONLY", one flag per scene; empty
  // when every scene is written.
  explicit TScheduleWriter(std::vector<bool> selected = {}) : selected_(std::move(selected)) {}

  // One field, byte order reversed as its size asks: 2 and 4 reversed, 8 a
  // record header (u16, u32, u16, each reversed); other sizes as they stand.
  void WriteBigEndian(const Byte* buffer, std::size_t size);
  void WriteHeader();
  // Category 26: a scene line; below it an item with that export number.
  void WriteRecord(Byte category, std::string text);
  void WriteNumbers(Word eighths, Word pages);

  const std::vector<Byte>& Bytes() const { return bytes_; }
  Word Counter() const { return counter_; }

 private:
  void WriteWord(Word value);
  void WriteRecordHeader(std::uint32_t length, Word kind);
  bool CurrentSceneSkipped() const;

  std::vector<Byte> bytes_;
  std::vector<bool> selected_;
  Word counter_ = 0;
  int scenePosition_ = 0;
};

constexpr Byte SceneRecordCategory = 26;

// Asked before a written scene's characters when its heading had no
// INT/EXT; false ends the run.
using TUnknownIntExtQuestion = std::function<bool(const std::string& question)>;

// The whole file of a gathered run. False when the question ended it:
// the bytes then hold what was written up to there.
bool WriteScheduleExport(const TBreakdownRun& run, const TBreakdownOptions& options, TScheduleWriter& writer,
                         const TUnknownIntExtQuestion& ask);

// The scene line of a record: start page, tab, number, tab, heading.
std::string SchedulingSceneLine(const BreakdownRecord& record);

// The folder the save dialog opens in, ending in "/".
std::string ExportFolder();
// The second the file's time gets: ((year + month + day + hour + minute)
// x 13) mod minute; a minute of 0 keeps the second.
int StampedSecond(const std::tm& time);
// Stamps the closed file's last-write time; false when that failed.
bool StampSchedulingFileTime(const std::string& path);

// Chooses the file, writes it, stamps it and says where it went. False
// when nothing was written or the run was ended.
bool ExportScheduleFile(const std::string& scriptFileName, const TBreakdownRun& run, const TBreakdownOptions& options);

}  // namespace qm
