// Recognising native scripts from their first bytes.
#include <gtest/gtest.h>

#include "files/file_format.h"
#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/script_samples.h"

namespace qm::testing {
namespace {

class FileFormatTest : public FileTest {};

TEST_F(FileFormatTest, NativeScriptsAreRecognisedAndEverythingElseIsNot) {
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
  };
  const Case cases[] = {
      {"windows", std::string(windows.begin(), windows.end()), lfNativeWindows},
      {"password", std::string(locked.begin(), locked.end()), lfPasswordNative},
      {"dos", std::string(dos.begin(), dos.end()), lfNativeDos},
      {"tag only", std::string(WindowsScriptTag), lfNativeWindows},
      {"dos tag only", std::string(DosScriptTag), lfNativeDos},
      {"tag in other case", "QUILLMASTER WINVER. 3.35C and more", lfUnknown},
      {"tag cut short", std::string(WindowsScriptTag.substr(0, 20)), lfUnknown},
      {"text", "INT. HOUSE - DAY\r\n\r\nShe waits.\r\n", lfUnknown},
      {"rtf", "{\\rtf1\\ansi hello}", lfUnknown},
      {"empty", "", lfUnknown},
  };
  for (const auto& c : cases) {
    WriteFileText(Path(c.name), c.bytes);
    for (Byte hint : {Byte{0}, Byte{3}, Byte{8}})
      EXPECT_EQ(DetectFileFormat(Path(c.name), hint), c.expected) << c.name << " hint " << int(hint);
  }
  EXPECT_EQ(DetectFileFormat(Path("missing"), 0), lfMissing);
  EXPECT_EQ(DetectFileFormat(folder_.Path(), 0), lfMissing);
}

}  // namespace
}  // namespace qm::testing
