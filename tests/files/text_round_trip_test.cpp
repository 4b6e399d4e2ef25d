// A generated script copied out as plain text or styled RTF, and read back,
// keeps every element's type and text.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "files/rtf_reader.h"
#include "files/text_classifier.h"
#include "support/script_generator.h"
#include "support/script_text_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

// The generator's script without what plain text cannot tell apart: a
// transition that ends like a sentence reads as Action, and so does a
// last cue.
std::vector<ElementSpec> Script(std::uint64_t seed) {
  std::vector<ElementSpec> script = testing::GenerateScreenplay(seed, 12);
  std::erase_if(script, [](const ElementSpec& e) { return e.kind == ekTransition && !e.text.ends_with("TO:"); });
  // A cue with nothing after it is read as Action.
  while (script.back().kind == ekCharacterName) script.pop_back();
  return script;
}

// A cue comes back cut before its extension, which is handed on apart.
std::vector<ElementSpec> AsRead(std::vector<ElementSpec> script) {
  for (ElementSpec& e : script)
    if (e.kind == ekCharacterName) e.text = e.text.substr(0, e.text.find(" ("));
  return script;
}

std::vector<ElementSpec> Specs(const TImportedElements& elements) {
  std::vector<ElementSpec> specs;
  for (const auto& e : elements) specs.push_back({e.kind, e.text});
  return specs;
}

// The first element read otherwise than written, shown with its
// neighbours; empty when all agree.
std::string FirstDifference(const std::vector<ElementSpec>& read, const std::vector<ElementSpec>& written) {
  std::ostringstream out;
  for (std::size_t i = 0; i < std::max(read.size(), written.size()); ++i) {
    if (i < read.size() && i < written.size() && read[i] == written[i]) continue;
    out << "element " << i << ": read ";
    if (i < read.size()) out << read[i];
    out << " written ";
    if (i < written.size()) out << written[i];
    if (i > 0 && i - 1 < written.size()) out << " after " << written[i - 1];
    return out.str();
  }
  return {};
}

TClassifierContext Context() {
  TClassifierContext context;
  context.Ask = [](const std::string&) { return false; };
  context.IdentifyStyle = [](const std::string&) { return std::string("@"); };
  return context;
}

TEST(TextRoundTrip, PlainTextKeepsTypesAndTexts) {
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    const auto script = Script(seed);
    ASSERT_GT(script.size(), 200u);
    EXPECT_EQ(
        FirstDifference(Specs(ImportPlainText(testing::ScriptAsPlainText(script), Context(), {})), AsRead(script)), "")
        << "seed " << seed;
  }
}

TEST(TextRoundTrip, StyledRtfKeepsTypesAndTexts) {
  const auto script = Script(21);
  TPasteChoices choices;
  choices.UseStyleSheets = true;
  EXPECT_EQ(FirstDifference(Specs(ImportRtf(testing::ScriptAsStyledRtf(script), Context(), choices)), AsRead(script)),
            "");
}

}  // namespace
}  // namespace qm
