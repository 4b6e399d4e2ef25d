// An RTF file the converter wrote through the RTF filter is laid on the
// program's page: its own paper and margin controls give way to the
// program's, set before the document's first paragraph.
#include "files/rtf_page.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace qm {
namespace {

const std::string kPage(RtfPageControls);

TEST(RtfPageTest, TheProgramsPageReplacesTheDocumentsOwn) {
  const struct {
    const char* what;
    std::string rtf;
    std::string finished;
  } cases[] = {
      {"a page of another size",
       "{\\rtf1\\ansi\\paperw11906\\paperh16838 \\margl1800\\margr1800\\margt-20\\margb1440 \\pard Hi\\par}",
       "{\\rtf1\\ansi" + kPage + "\r\n\\pard Hi\\par}"},
      {"no page at all", "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier;}}\\pard\\plain A\\par}",
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier;}}" + kPage + "\r\n\\pard\\plain A\\par}"},
      {"a section first", "{\\rtf1\\sectd\\marglsxn900\\pard B\\par}",
       "{\\rtf1" + kPage + "\r\n\\sectd\\marglsxn900\\pard B\\par}"},
      {"the words as text, and escaped", "{\\rtf1\\pard \\\\paperw5 \\{margl\\}\\par}",
       "{\\rtf1" + kPage + "\r\n\\pard \\\\paperw5 \\{margl\\}\\par}"},
      {"no paragraph", "{\\rtf1\\ansi\\margl10 }", "{\\rtf1\\ansi" + kPage + "}"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithProgramPage(c.rtf), c.finished) << c.what;
}

TEST(RtfPageTest, FinishingRewritesTheFileInPlace) {
  testing::TempFolder folder;
  const std::string file = testing::WriteFileText(folder.File("OUT.RTF"), "{\\rtf1\\paperw100\\pard X\\par}");
  ASSERT_TRUE(FinishRtfExport(file));
  EXPECT_EQ(testing::ReadFileText(file), "{\\rtf1" + kPage + "\r\n\\pard X\\par}");
}

}  // namespace
}  // namespace qm
