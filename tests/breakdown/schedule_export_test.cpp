// The scheduling export file: its bytes for small runs, laid out by hand
// from the file's record layout, the counters under a scene selection, and
// the time stamp.
#include "breakdown/schedule_export.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "base/message_boxes.h"
#include "breakdown/categories.h"
#include "language/language_fixture.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "support/message_box_answers.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using Bytes = std::vector<Byte>;

// The layout, written out field by field.
void U16(Bytes& b, unsigned v) { b.insert(b.end(), {Byte(v >> 8), Byte(v)}); }
void U32(Bytes& b, unsigned v) { b.insert(b.end(), {Byte(v >> 24), Byte(v >> 16), Byte(v >> 8), Byte(v)}); }
void Text(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
void Header(Bytes& b, unsigned length, unsigned kind, unsigned counter) {
  U16(b, 0x23);
  U32(b, length);
  U16(b, kind);
  U16(b, counter);
}

Bytes FileStart() {
  Bytes b = {'S', 'S', 'I', '*'};
  Header(b, 226, 0, 0);
  // clang-format off
  const char* names[] = {"Cast Members", "Extras", "Stunts", "Vehicles", "Props", "Special Effects", "Costumes",
                         "Makeup", "Livestock", "Animal Handler", "Music", "Sound", "Set Dressing", "Greenery",
                         "Special Equipment", "Security", "Additional Labor", "Optical FX", "Mechanical FX",
                         "Miscellaneous", "Notes"};
  // clang-format on
  for (const char* name : names) {
    Text(b, name);
    b.push_back(0);
  }
  return b;
}

TRunScene Scene(int position, const std::string& number, const std::string& intExt, const std::string& location,
                const std::string& time, int lines) {
  TRunScene s;
  s.Position = position;
  s.Record.SceneNumber = number;
  s.Record.IntExt = intExt;
  s.Record.Location = location;
  s.Record.TimeOfDay = time;
  s.Record.StartPage = "1";
  s.Record.EndPage = "2";
  s.Record.LineCount = static_cast<std::uint16_t>(lines);
  s.Length = SceneLength(lines, 7);
  return s;
}

TEST(ScheduleExportTest, TheNameTableIsItsFixedSize) {
  const Bytes start = FileStart();
  EXPECT_EQ(start.size(), 4u + 8u + 2u + 222u);
  TScheduleWriter writer;
  writer.WriteHeader();
  EXPECT_EQ(writer.Bytes(), start);
}

TEST(ScheduleExportTest, OneSceneWithoutItemsOrCharacters) {
  TBreakdownRun run;
  run.Scenes.push_back(Scene(1, "  4", "INT.", "BARN", "DAY", 1));
  TBreakdownOptions options;
  options.ListCharacters = false;
  TScheduleWriter writer;
  ASSERT_TRUE(WriteScheduleExport(run, options, writer, nullptr));
  Bytes expected = FileStart();
  const std::string line = std::string("1\t4\tINT. BARN - DAY") + '\0';
  Header(expected, static_cast<unsigned>(line.size()) + 4, 1, 1);
  Text(expected, line);
  Header(expected, 8, 3, 1);
  U16(expected, 0);  // pages
  U16(expected, 1);  // eighths
  EXPECT_EQ(writer.Bytes(), expected);
  EXPECT_EQ(writer.Bytes().size(), 236u + 8 + 2 + line.size() + 8 + 2 + 4);
}

TEST(ScheduleExportTest, ItemsByCategoryNumberThenTheCharacters) {
  TBreakdownRun run;
  run.Names = {"ANN", "BOB"};
  run.Scenes.push_back(Scene(1, "1", "EXT.", "FIELD", "NIGHT", 56));
  BreakdownRecord& r = run.Scenes[0].Record;
  r.CharacterIndexes = "\x02\x01";
  r.Items[rsNotes] = {"call early"};
  r.Items[rsCrew] = {"cook"};
  r.Items[rsProps] = {"gun", "hat"};
  r.Items[rsSceneDescription] = {"a storm"};
  TBreakdownOptions options;
  options.PrintTagged = true;
  TScheduleWriter writer;
  ASSERT_TRUE(WriteScheduleExport(run, options, writer, nullptr));
  Bytes expected = FileStart();
  const std::string line = std::string("1\t1\tEXT. FIELD - NIGHT") + '\0';
  Header(expected, static_cast<unsigned>(line.size()) + 4, 1, 1);
  Text(expected, line);
  Header(expected, 8, 3, 1);
  U16(expected, 1);
  U16(expected, 0);
  // Props, then Crew as 21 and Notes as 20; the scene description stays out.
  const std::pair<unsigned, std::string> items[] = {{4, "gun"},         {4, "hat"}, {21, "cook"},
                                                    {20, "call early"}, {0, "BOB"}, {0, "ANN"}};
  for (const auto& [number, text] : items) {
    Header(expected, static_cast<unsigned>(text.size()) + 6, 2, 1);
    U16(expected, number);
    Text(expected, text);
  }
  EXPECT_EQ(writer.Bytes(), expected);
}

TEST(ScheduleExportTest, UnselectedScenesWriteNothingButStillCount) {
  TBreakdownRun run;
  for (int i = 1; i <= 3; ++i) run.Scenes.push_back(Scene(i, std::to_string(i), "INT.", "ROOM", "DAY", 8));
  TScheduleWriter writer({true, false, true});
  TBreakdownOptions options;
  options.ListCharacters = false;
  ASSERT_TRUE(WriteScheduleExport(run, options, writer, nullptr));
  Bytes expected = FileStart();
  for (int counter : {1, 3}) {
    const std::string line = "1\t" + std::to_string(counter) + "\tINT. ROOM - DAY" + '\0';
    Header(expected, static_cast<unsigned>(line.size()) + 4, 1, static_cast<unsigned>(counter));
    Text(expected, line);
    Header(expected, 8, 3, static_cast<unsigned>(counter));
    U16(expected, 0);
    U16(expected, 1);
  }
  EXPECT_EQ(writer.Bytes(), expected);
}

TEST(ScheduleExportTest, ZeroBytesAtTheEndOfTextsAndEmptyTexts) {
  TScheduleWriter writer;
  writer.WriteHeader();
  const std::size_t start = writer.Bytes().size();
  writer.WriteRecord(SceneRecordCategory, std::string("A") + '\0');
  writer.WriteRecord(5, std::string("smoke") + '\0');
  writer.WriteRecord(5, "");
  Bytes expected;
  Header(expected, 6, 1, 1);
  expected.insert(expected.end(), {'A', 0});
  Header(expected, 11, 2, 1);
  U16(expected, 5);
  Text(expected, "smoke");
  EXPECT_EQ(Bytes(writer.Bytes().begin() + static_cast<std::ptrdiff_t>(start), writer.Bytes().end()), expected);
}

TEST(ScheduleExportTest, FieldsAreReversedBySize) {
  struct Case {
    Bytes in, out;
  } cases[] = {
      {{1, 2}, {2, 1}},
      {{1, 2, 3, 4}, {4, 3, 2, 1}},
      {{1, 2, 3, 4, 5, 6, 7, 8}, {2, 1, 6, 5, 4, 3, 8, 7}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    TScheduleWriter writer;
    writer.WriteBigEndian(c.in.data(), c.in.size());
    EXPECT_EQ(writer.Bytes(), c.out);
  }
}

TEST(ScheduleExportTest, TheSceneWithoutIntExtAsksBeforeItsCharacters) {
  TBreakdownRun run;
  run.Names = {"ANN"};
  run.Scenes.push_back(Scene(1, "1", "UNKNOWN INT/EXT", "THE MOON", "DAY", 8));
  run.Scenes[0].Record.CharacterIndexes = "\x01";
  run.Scenes.push_back(Scene(2, "2", "INT.", "ROOM", "DAY", 8));
  TBreakdownOptions options;
  std::string asked;
  TScheduleWriter writer;
  EXPECT_FALSE(WriteScheduleExport(run, options, writer, [&](const std::string& q) {
    asked = q;
    return false;
  }));
  EXPECT_EQ(asked,
            "Scene Number 1: THE MOON does NOT start with INT. or EXT. which is going to confuse ShootPlan!\r\n\r\n"
            "Should I continue anyway?");
  // The scene and its length are in; its character and the next scene are not.
  const std::string line = std::string("1\t1\tUNKNOWN INT/EXT THE MOON - DAY") + '\0';
  EXPECT_EQ(writer.Bytes().size(), FileStart().size() + 10 + line.size() + 14);
}

TEST(ScheduleExportTest, TheStampedSecondComesFromTheDate) {
  std::tm t{};
  t.tm_year = 1998 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 15;
  t.tm_hour = 10;
  t.tm_min = 25;
  t.tm_sec = 41;
  // (1998 + 3 + 15 + 10 + 25) x 13 = 26,663, and 26,663 mod 25 = 13.
  EXPECT_EQ(StampedSecond(t), 13);
  t.tm_min = 0;
  EXPECT_EQ(StampedSecond(t), 41) << "a minute of 0 divides by nothing: the second stays";
}

class ScheduleFileTest : public testing::LanguageFixture {};

TEST_F(ScheduleFileTest, TheFileIsChosenWrittenAndStamped) {
  Add({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "Hay."}});
  Script().ScriptFileName = HomeFile("MY SCRIPT.QMW");
  ASSERT_TRUE(WriteFileAtomic(Script().ScriptFileName, "", 0));
  const std::string target = HomeFile("out.SEX");
  // The export takes its script's mode, whatever the umask or the file
  // it replaces: a private script's stays private, a shared one's shared.
  const mode_t oldMask = ::umask(022);
  for (const mode_t mode : {0600, 0664, 0640}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(::chmod(Script().ScriptFileName.c_str(), mode), 0);
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TFileDialog&>(form);
      EXPECT_EQ(dialog.Title, "Create Export File");
      EXPECT_EQ(dialog.FileName, "MY SCRIPT.SEX");
      dialog.FileNameEdit->Text = HomeFile("out");
      form.ModalResult = mrOk;
    });
    // The last round's file is replaced, its narrower mode with it.
    if (FileExists(target))
      testing::AnswerMessageBox(Driver(), PathToText(target) + " already exists!\r\n\r\nOverwrite this file?", mrYes);
    ExpectMessage("Breakdown was written to ");
    TBreakdownOptions options;
    options.Output = TBreakdownOutput::Export;
    options.ListCharacters = false;
    ASSERT_TRUE(RunBreakdown(Script(), options));
    EXPECT_EQ(FileAttributes(target).permissions & 0777, mode);
  }
  ::umask(oldMask);
  const auto bytes = ReadFileBytes(target);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(Bytes(bytes->begin(), bytes->begin() + 4), (Bytes{'S', 'S', 'I', '*'}));
  std::time_t age = FileAge(target);
  std::tm local{};
  localtime_r(&age, &local);
  if (local.tm_min != 0) {
    EXPECT_EQ(local.tm_sec, StampedSecond(local));
  }
}

// The run's "Please Wait" notice stays up while the file is chosen, but
// above the screen: it never covers the dialog.
TEST_F(ScheduleFileTest, ThePleaseWaitNoticeStandsAboveTheScreenWhileTheFileIsChosen) {
  Add({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "Hay."}});
  Script().ScriptFileName = HomeFile("BARN.QMW");
  bool noticeUp = false;
  int noticeBottom = 0;
  Driver().Expect([&](TForm& form) {
    noticeUp = MyNewMsgBox && MyNewMsgBox->Visible && MyNewMsgBox->IsNotice();
    if (noticeUp) noticeBottom = MyNewMsgBox->Top + MyNewMsgBox->Height;
    form.ModalResult = mrCancel;
  });
  TBreakdownOptions options;
  options.Output = TBreakdownOutput::Export;
  options.ListCharacters = false;
  EXPECT_FALSE(RunBreakdown(Script(), options));
  ASSERT_TRUE(noticeUp) << "the notice was not up while the file was chosen";
  EXPECT_LE(noticeBottom, 0) << "the notice still stands on the screen";
}

// A disk that fills up, or a folder that takes no new file, says why with
// the file's name, and an older export under that name stays whole.
TEST_F(ScheduleFileTest, AFailedWriteSaysWhyAndKeepsTheOlderExport) {
  Add({{ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "Hay."}});
  Script().ScriptFileName = HomeFile("BARN.QMW");
  const std::string target = HomeFile("out.SEX");
  const struct {
    const char* what;
    TFileStep step;
    bool creating;  // the file cannot even be made: the name is asked for again
  } cases[] = {
      {"a full disk", TFileStep::Write, false},
      {"no new file in the folder", TFileStep::Create, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::WriteFileText(target, "an older export");
    Driver().Expect([&](TForm& form) {
      dynamic_cast<TFileDialog&>(form).FileNameEdit->Text = HomeFile("out");
      form.ModalResult = mrOk;
    });
    testing::AnswerMessageBox(Driver(), PathToText(target) + " already exists!\r\n\r\nOverwrite this file?", mrYes);
    SetFileFaultHook([&c](TFileStep step, const std::string& path) {
      return step == c.step && path.find(".SEX") != std::string::npos ? ENOSPC : 0;
    });
    std::string said;
    Driver().Expect(
        [&said, &c](TForm& box) {
          said = testing::MessageBoxText(box);
          box.ModalResult = c.creating ? mrNo : mrOk;
        },
        "the failure");
    TBreakdownOptions options;
    options.Output = TBreakdownOutput::Export;
    options.ListCharacters = false;
    EXPECT_FALSE(RunBreakdown(Script(), options));
    SetFileFaultHook(nullptr);
    EXPECT_EQ(Driver().Pending(), 0);
    Driver().Clear();
    EXPECT_NE(said.find(PathToText(target)), std::string::npos) << said;
    EXPECT_NE(said.find(std::strerror(ENOSPC)), std::string::npos) << said;
    EXPECT_EQ(said.find(c.creating ? "Error Creating: " : "Error Writing: ") == 0, true) << said;
    EXPECT_EQ(testing::ReadFileText(target), "an older export");
  }
}

}  // namespace
}  // namespace qm
