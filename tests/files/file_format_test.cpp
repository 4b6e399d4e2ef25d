// Recognising native scripts and the files of other programs from their
// first bytes.
#include <gtest/gtest.h>

#include "files/file_format.h"
#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/script_samples.h"
#include "support/exchange_data.h"

namespace qm::testing {
namespace {

class FileFormatTest : public FileTest {};

// Text is plain text only when the writer chose it: with the detecting
// hints (0, 8) a text file is unrecognised, for the load job to resolve.
TEST_F(FileFormatTest, NativeScriptsForeignFilesAndTextAreRecognised) {
  ScriptWindow w;
  FillSampleElements(*w, 1);
  const std::vector<Byte> windows = BuildScriptImage(*w, false, true);
  const std::vector<Byte> dos = BuildScriptImage(*w, false, false);
  w->Password = "secret";
  const std::vector<Byte> locked = BuildScriptImage(*w, false, true);
  struct Case {
    const char* name;
    std::string bytes;
    Byte expected;
    // What the file is when the writer asked for plain text.
    Byte asText = 0xFF;
  };
  // clang-format off
  const Case cases[] = {
      {"windows", std::string(windows.begin(), windows.end()), lfNativeWindows},
      {"password", std::string(locked.begin(), locked.end()), lfPasswordNative},
      {"dos", std::string(dos.begin(), dos.end()), lfNativeDos},
      {"tag only", std::string(WindowsScriptTag), lfNativeWindows},
      {"dos tag only", std::string(DosScriptTag), lfNativeDos},
      {"tag in other case", "QUILLMASTER WINVER. 3.35C and more", lfUnknown, lfPlainText},
      {"tag cut short", std::string(WindowsScriptTag.substr(0, 20)), lfUnknown, lfPlainText},
      {"text", "INT. HOUSE - DAY\r\n\r\nShe waits.\r\n", lfUnknown, lfPlainText},
      {"utf-8 text", "INT. CAF\xC3\x89 - DAY\n\tShe waits.\x0C\n", lfUnknown, lfPlainText},
      {"utf-16 text", std::string("\xFF\xFEI\0N\0T\0", 8), lfUnknown, lfPlainText},
      {"binary", std::string("INT. HOUSE\0\x01\x02", 13), lfUnknown, lfPlainText},
      {"rtf", "{\\rtf1\\ansi hello}", lfRtf},
      {"rtf after a mark", "\xEF\xBB\xBF{\\rtf1\\ansi hello}", lfRtf},
      {"tagged", "[Action]\r\n<A>She waits.\r\n", lfTaggedText},
      {"brackets without tags", "[Notes]\r\nShe waits.\r\n", lfUnknown, lfPlainText},
      {"wordstar", "She waits by the\x8D\x0A" "door.\r\n", lfWordStar},
      // Compressed bytes of a word processor's file that hold a WordStar
      // line end by chance: the file is still one for the converter.
      {"docx", std::string("PK\x03\x04", 4) + "\x1F\x8B\x8D\x0A" "word/document.xml", lfUnknown, lfPlainText},
      {"doc", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "\x8D\x0A", lfUnknown, lfPlainText},
      {"wordperfect", "\xFFWPC\x8D\x0A", lfUnknown, lfPlainText},
      {"empty", "", lfUnknown},
  };
  // clang-format on
  for (const auto& c : cases) {
    WriteFileText(Path(c.name), c.bytes);
    for (Byte hint : {Byte{0}, Byte{3}, Byte{8}}) {
      const Byte expected = hint == lfPlainText && c.asText != 0xFF ? c.asText : c.expected;
      EXPECT_EQ(DetectFileFormat(Path(c.name), hint), expected) << c.name << " hint " << int(hint);
    }
  }
  EXPECT_EQ(DetectFileFormat(Path("missing"), 0), lfMissing);
  EXPECT_EQ(DetectFileFormat(folder_.Path(), 0), lfMissing);
}

TEST_F(FileFormatTest, ExchangeDataIsToldByItsMagicInEitherByteOrder) {
  for (const bool swapped : {false, true}) {
    const std::vector<Byte> bytes = ExchangeBytes({{"TITL", "The Visit"}}, 0x12345678, swapped);
    WriteFileText(Path("story.dsw"), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(DetectFileFormat(Path("story.dsw"), 0), lfStoryDev);
  }
}

// Only plain text is taken on the writer's word: for any other chosen
// format, bytes that are not of it are unrecognised, so that the load job
// asks before reading them as that format.
TEST_F(FileFormatTest, BytesNotOfTheChosenFormatAreUnrecognisedUnlessTextWasChosen) {
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"text", "INT. HOUSE - DAY\r\n\r\nShe waits.\r\n"},
      {"binary", std::string("\x1A\x02old\0script", 12)},
  };
  const struct {
    const char* format;
    Byte hint;
    Byte expected;
  } hints[] = {
      {"older native", lfOlderNative, lfUnknown}, {"plain text", lfPlainText, lfPlainText},
      {"tagged text", lfTaggedText, lfUnknown},   {"Movie Master", lfMovieMaster, lfUnknown},
      {"WordStar", lfWordStar, lfUnknown},        {"StoryDev exchange", lfStoryDev, lfUnknown},
  };
  for (const auto& f : files) {
    WriteFileText(Path(f.name), f.bytes);
    for (const auto& h : hints)
      EXPECT_EQ(DetectFileFormat(Path(f.name), h.hint), h.expected) << f.name << " chosen as " << h.format;
  }
}

TEST_F(FileFormatTest, NewerWordStarIsToldWithoutAWord) {
  WriteFileText(Path("new.ws"), std::string("\x1D\x7D\0\0header", 10));
  EXPECT_EQ(DetectFileFormat(Path("new.ws"), 0), lfWordStarUnsupported);
}

}  // namespace
}  // namespace qm::testing
