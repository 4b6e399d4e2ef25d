#include "files/text_files.h"

#include <gtest/gtest.h>

#include "files/file_format.h"
#include "files/file_test_fixture.h"
#include "files/text_encoding.h"
#include "platform/clipboard.h"
#include "platform/files.h"

namespace qm::testing {
namespace {

class TextFilesTest : public FileTest {};

TEST_F(TextFilesTest, BareCarriageReturnsAreToldByTheFirstLineEnd) {
  struct Case {
    const char* name;
    std::string bytes;
    bool bare;
  };
  const Case cases[] = {
      {"crlf", "one\r\ntwo\r\n", false},
      {"cr", "one\rtwo\r", true},
      {"lf", "one\ntwo\n", false},
      {"cr at the end", "one\r", true},
      {"first decides", "one\r\ntwo\rthree", false},
      {"cr across a block", std::string(4095, 'x') + "\r\n", false},
      {"bare across a block", std::string(4095, 'x') + "\rx", true},
  };
  for (const auto& c : cases) {
    WriteFileText(Path(c.name), c.bytes);
    EXPECT_EQ(FileHasBareCarriageReturns(Path(c.name)), c.bare) << c.name;
  }
  EXPECT_FALSE(FileHasBareCarriageReturns(Path("missing")));
}

TEST_F(TextFilesTest, LineEndsAreRewrittenBothWays) {
  WriteFileText(Path("mixed"), "a\rb\nc\r\nd");
  ASSERT_TRUE(ConvertLineEnds(Path("mixed"), false));
  EXPECT_EQ(ReadFileText(Path("mixed")), "a\r\nb\r\nc\r\nd");
  ASSERT_TRUE(ConvertLineEnds(Path("mixed"), true));
  EXPECT_EQ(ReadFileText(Path("mixed")), "a\rb\rc\rd");
  SeenBox seen;
  AnswerBox(mrOk, &seen);
  EXPECT_FALSE(ConvertLineEnds(Path("missing"), false));
  EXPECT_EQ(seen.text, "aborted...");
}

TEST_F(TextFilesTest, WordStarTextLosesItsEighthBitAndDotCommands) {
  const std::string document = ".op\r\n.pl 66\r\nShe waits by th\xE5\x8D\x0A"
                               "door.\x02\r\n..not a command\r\n";
  EXPECT_EQ(WordStarToText(document), "She waits by the\ndoor.\n..not a command\n");
}

TEST_F(TextFilesTest, FilesGoOnTheClipboardAsTextOrRtf) {
  WriteFileText(Path("scene.txt"), "She waits.");
  WriteFileText(Path("scene.rtf"), "{\\rtf1 She waits.}");
  WriteFileText(Path("scene.ws"), "She w\xE1its.\r\n");
  ASSERT_TRUE(LoadFileToClipboard(Path("scene.txt"), false, false, lfPlainText));
  EXPECT_EQ(Clipboard()->AsText(), "She waits.");
  ASSERT_TRUE(LoadFileToClipboard(Path("scene.rtf"), true, false, lfRtf));
  ASSERT_TRUE(Clipboard()->Open());
  const auto rtf = Clipboard()->GetData(RegisterClipboardFormat("Rich Text Format"));
  Clipboard()->Close();
  ASSERT_TRUE(rtf.has_value());
  EXPECT_EQ(std::string(rtf->begin(), rtf->end()), "{\\rtf1 She waits.}");
  ASSERT_TRUE(LoadFileToClipboard(Path("scene.ws"), false, false, lfWordStar));
  EXPECT_EQ(Clipboard()->AsText(), "She waits.\n");
}

TEST_F(TextFilesTest, MissingFileIsReported) {
  SeenBox seen;
  AnswerBox(mrOk, &seen);
  EXPECT_FALSE(LoadFileToClipboard(Path("missing"), false, false, lfPlainText));
  EXPECT_NE(seen.text.find("Error Reading File"), std::string::npos);
}

struct EncodingCase {
  const char* name;
  std::string bytes;
  std::string text;
  bool lossy;
};

TEST(IncomingText, IsBroughtToTheCodePage) {
  // clang-format off
  const EncodingCase cases[] = {
      {"code page already", "caf\xE9 \x93quoted\x94", "caf\xE9 \x93quoted\x94", false},
      {"utf-8", "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x94", "caf\xE9 \x93quoted\x94 \x97", false},
      {"utf-8 mark", "\xEF\xBB\xBFplain", "plain", false},
      {"utf-16 little end", std::string("\xFF\xFEh\0\xE9\0", 6), "h\xE9", false},
      {"utf-16 big end", std::string("\xFE\xFF\0h\x20\x14", 6), "h\x97", false},
      {"utf-16 pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "?", true},
      {"closest letter", "Dvo\xC5\x99\xC3\xA1k", "Dvor\xE1k", true},
      {"no form", "snow \xE2\x98\x83", "snow ?", true},
      {"zero width goes", "a\xE2\x80\x8B" "b", "ab", false},
      {"stray byte after a mark", "\xEF\xBB\xBF" "a\xC3", "a?", true},
      {"plain ascii", "INT. HOUSE", "INT. HOUSE", false},
      // Not UTF-8 at all (an overlong form, a surrogate): the bytes are the code page's.
      {"overlong form", "\xE0\x80\xAF", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", "\xED\xA0\x80", false},
      {"overlong after a mark", "\xEF\xBB\xBF" "a\xC0\xAF", "a??", true},
  };
  // clang-format on
  for (const auto& c : cases) {
    const TIncomingText incoming = IncomingTextToAnsi(c.bytes);
    EXPECT_EQ(incoming.text, c.text) << c.name;
    EXPECT_EQ(incoming.lossy, c.lossy) << c.name;
  }
}

}  // namespace
}  // namespace qm::testing
