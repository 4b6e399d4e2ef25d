// The printed page list and the pages a print choice selects, run on a bare
// document with no script window: a page ends at each page break, pages
// are numbered from the script's first page number, and an omitted page
// folds into the page before it when the options combine them.
#include <gtest/gtest.h>

#include "base/program_options.h"
#include "printing/page_header.h"
#include "printing/print_menu.h"
#include "formats/header_codes.h"
#include "support/document_builder.h"

namespace qm {
namespace {

using testing::IndexOf;

std::unique_ptr<testing::TBuiltDocument> FourPages() {
  auto script = testing::BuildDocument({
      {ekSceneHeading, "INT. ONE - DAY"},    // 0
      {ekAction, "One."},                    // 1
      {ekAutoPageBreak, ""},                 // 2
      {ekCharacterName, "MARY"},             // 3
      {ekDialogue, "Hi."},                   // 4
      {ekForcedPageBreak, ""},               // 5
      {ekSceneHeading, "INT. TWO - DAY"},    // 6
      {ekAction, "Two."},                    // 7
      {ekAutoPageBreak, ""},                 // 8
      {ekSceneHeading, "INT. THREE - DAY"},  // 9
      {ekAction, "Three."},                  // 10
  });
  script->LeftNumber = 1;
  return script;
}

struct PageShape {
  int startBreak;  // -1: none
  int first;
  int endBreak;  // -1: none
  std::string label;
  friend bool operator==(const PageShape&, const PageShape&) = default;
};

std::ostream& operator<<(std::ostream& out, const PageShape& p) {
  return out << "{" << p.startBreak << ", " << p.first << ", " << p.endBreak << ", \"" << p.label << "\"}";
}

TEST(PageListOfADocument, EachBreakEndsAPageNumberedFromTheFirstPageNumber) {
  const auto script = FourPages();
  const struct {
    Word pageStart;
    std::vector<PageShape> pages;
  } cases[] = {
      {1, {{-1, 0, 2, "1"}, {2, 3, 5, "2"}, {5, 6, 8, "3"}, {8, 9, -1, "4"}}},
      {10, {{-1, 0, 2, "10"}, {2, 3, 5, "11"}, {5, 6, 8, "12"}, {8, 9, -1, "13"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("first page " + std::to_string(c.pageStart));
    script->PageStart = c.pageStart;
    std::vector<PageShape> pages;
    for (const TScriptPage& page : ScriptPages(*script))
      pages.push_back({IndexOf(*script, page.startBreak), IndexOf(*script, page.first), IndexOf(*script, page.endBreak),
                       PageLabel(*script, page)});
    EXPECT_EQ(pages, c.pages);
    for (std::size_t i = 0; i < pages.size(); ++i)
      EXPECT_EQ(FillHeaderLine(*script, ScriptPages(*script)[i], std::string("Page ") + char(header_code::PageNumber)),
                "Page " + c.pages[i].label);
  }
}

TEST(PageListOfADocument, AChoiceSelectsItsPages) {
  const auto script = FourPages();
  script->Element(7).revisedLines = std::string(1, '\x01');
  const auto choice = [](TPrintRange range, std::string from = "", std::string to = "", std::string name = "") {
    TPrintChoice c;
    c.Range = range;
    c.From = std::move(from);
    c.To = std::move(to);
    c.Character = std::move(name);
    return c;
  };
  const struct {
    const char* what;
    TPrintChoice choice;
    std::vector<int> pages;
  } cases[] = {
      {"all pages", choice(TPrintRange::AllPages), {1, 2, 3, 4}},
      {"a page range", choice(TPrintRange::PageRange, "2", "3"), {2, 3}},
      {"a range to the end", choice(TPrintRange::PageRange, "3"), {3, 4}},
      {"a page that is not there", choice(TPrintRange::PageRange, "9"), {}},
      {"scene one runs on to page two", choice(TPrintRange::Scenes, "1"), {1, 2}},
      {"scenes two to three", choice(TPrintRange::Scenes, "2", "3"), {3, 4}},
      {"revised pages", choice(TPrintRange::RevisedPages), {3}},
      {"one character's dialogue", choice(TPrintRange::CharacterDialogue, "", "", "mary"), {2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<int> pages;
    for (const TScriptPage& page : SelectPages(*script, c.choice)) pages.push_back(page.index);
    EXPECT_EQ(pages, c.pages);
  }
}

TEST(PageListOfADocument, OmittedPagesFoldIntoThePageBeforeThemWhenCombined) {
  const auto script = testing::BuildDocument({
      {ekSceneHeading, "INT. ONE - DAY"},  // 0
      {ekLockedPageBreak, ""},             // 1 opens page 2
      {ekAction, "Two."},                  // 2
      {ekLockedPageBreak, ""},             // 3 opens page 3, cut whole
      {ekLockedPageBreak, ""},             // 4 opens page 4, cut whole
      {ekLockedPageBreak, ""},             // 5 opens page 5
      {ekAction, "Five."},                 // 6
  });
  const bool combine = ProgramOptions().CombineOmittedPages;
  const struct {
    bool combine;
    std::vector<std::string> labels;  // the header's number of each page printed
  } cases[] = {
      {true, {"1", "2-4", "5"}},
      {false, {"1", "2", "3", "4", "5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.combine ? "combined" : "each on its own");
    ProgramOptions().CombineOmittedPages = c.combine;
    std::vector<std::string> labels;
    for (const TScriptPage& page : SelectPages(*script, TPrintChoice{}))
      labels.push_back(HeaderPageLabel(*script, page));
    EXPECT_EQ(labels, c.labels);
  }
  ProgramOptions().CombineOmittedPages = combine;
}

}  // namespace
}  // namespace qm
