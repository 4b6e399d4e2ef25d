#include "language/thesaurus/word_morpher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/thesaurus/thesaurus_error.h"

namespace qm::thesaurus {
namespace {

TWordMorpher SampleMorpher() {
  TWordMorpher::TLists lists;
  lists.nounExceptions = "\rCHILD,CHILDREN\rMOUSE,MICE\rSHEEP,\r";
  lists.verbExceptions = "\rBE,WAS,BEEN,BEING,IS,WERE\rGO,WENT,GONE,,GOES\rGIVE,GAVE,GIVEN\rRUN,RAN,RUN\rSEE,SAW,SEEN\r"
                         "SET,SET,SET\rXYZ,,XYZED\rMAKE,MADE,MADE,,\rAA,BB,CC,,,DD\r";
  lists.adjectiveExceptions = "\rGOOD,BETTER,BEST\rBIG,BIGGER,BIGGEST\rFAR,,FARTHEST\r";
  lists.regularComparison = "\rTALL\rLAT\rHAPPI\rBIGG\r";
  lists.doubling = "\rSTOP\rQUIZ\rPLAN\r";
  return TWordMorpher(lists);
}

struct InflectCase {
  std::string word;
  Byte form;
  std::string expected;  // empty: no such form
};

TEST(ThesaurusInflection, WordsGoIntoTheirForms) {
  const TWordMorpher m = SampleMorpher();
  // clang-format off
  const std::vector<InflectCase> cases = {
      {"box", wfPlural, "boxes"}, {"church", wfPlural, "churches"}, {"dish", wfPlural, "dishes"},
      {"buzz", wfPlural, "buzzes"}, {"city", wfPlural, "cities"}, {"day", wfPlural, "days"},
      {"potato", wfPlural, "potatos"}, {"TV", wfPlural, "TVs"}, {"x", wfPlural, "xs"},
      {"John", wfPlural, ""}, {"ice cream", wfPlural, ""}, {"child", wfPlural, "children"},
      {"sheep", wfPlural, ""}, {"", wfPlural, ""},
      {"walk", wfThirdPerson, "walks"}, {"walk", wfPast, "walked"}, {"walk", wfPastParticiple, "walked"},
      {"walk", wfPresentParticiple, "walking"}, {"try", wfThirdPerson, "tries"}, {"try", wfPast, "tried"},
      {"try", wfPresentParticiple, "trying"}, {"play", wfThirdPerson, "plays"}, {"play", wfPast, "played"},
      {"tie", wfPresentParticiple, "tying"}, {"free", wfPresentParticiple, "freing"},
      {"box", wfThirdPerson, "boxes"}, {"echo", wfThirdPerson, "echoes"}, {"bake", wfPast, "baked"},
      {"stop", wfThirdPerson, "stops"}, {"stop", wfPast, "stopped"}, {"stop", wfPresentParticiple, "stopping"},
      {"quiz", wfThirdPerson, "quizzes"},
      {"go", wfPast, "went"}, {"go", wfPastParticiple, "gone"}, {"go", wfPresentParticiple, "going"},
      {"go", wfThirdPerson, "goes"}, {"give", wfPastParticiple, "given"}, {"give", wfThirdPerson, "gives"},
      {"run", wfPastParticiple, "run"}, {"xyz", wfPast, ""}, {"xyz", wfPastParticiple, "xyzed"},
      {"give up", wfPast, "gave up"}, {"look up", wfPresentParticiple, "looking up"}, {"a", wfPast, ""},
      {"tall", wfComparative, "taller"}, {"tall", wfSuperlative, "tallest"}, {"late", wfComparative, "later"},
      {"late", wfSuperlative, "latest"}, {"happy", wfComparative, "happier"}, {"happy", wfSuperlative, "happiest"},
      {"beautiful", wfComparative, "more beautiful"}, {"beautiful", wfSuperlative, "most beautiful"},
      {"unhappy", wfComparative, "less happy"}, {"unhappy", wfSuperlative, "most unhappy"},
      {"good", wfComparative, "better"}, {"good", wfSuperlative, "best"}, {"far", wfComparative, ""},
      {"walk", wfBase, "walk"}, {"walk", 9, "walk"}, {"--", wfPast, ""},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(m.Inflect(c.word, c.form), c.expected) << c.word << " form " << int(c.form);
}

TEST(ThesaurusInflection, ARelatedWordThatCannotBeInflectedGetsAnAsterisk) {
  const TWordMorpher m = SampleMorpher();
  std::vector<std::string> lines = {"Paris", "walk", "x"};
  m.InflectList(lines, wfPlural);
  EXPECT_EQ(lines, (std::vector<std::string>{"Paris*", "walks", "xs"}));
  std::vector<std::string> verbs = {"x", "run"};
  m.InflectList(verbs, wfPast);
  EXPECT_EQ(verbs, (std::vector<std::string>{"x*", "ran"}));
}

struct BaseCase {
  std::string word;
  int wordClass;
  std::vector<std::string> candidates;
  Byte form;
};

TEST(ThesaurusInflection, InflectedWordsGiveTheirCandidateBaseForms) {
  const TWordMorpher m = SampleMorpher();
  const std::vector<BaseCase> cases = {
      {"stopped", mcVerb, {"STOP"}, wfPast},
      {"walked", mcVerb, {"WALKE", "WALK"}, wfPast},
      {"walks", mcVerb, {"WALK"}, wfThirdPerson},
      {"tried", mcVerb, {"TRY"}, wfPast},
      {"tries", mcVerb, {"TRY"}, wfThirdPerson},
      {"making", mcVerb, {"MAKE", "MAK"}, wfPresentParticiple},
      {"stopping", mcVerb, {"STOP"}, wfPresentParticiple},
      {"tying", mcVerb, {"TYE", "TY", "TIE"}, wfPresentParticiple},
      {"went", mcVerb, {"GO"}, wfPast},
      {"gone", mcVerb, {"GO"}, wfPastParticiple},
      {"gave up", mcVerb, {"GIVEUP"}, wfPast},
      {"set", mcVerb, {"SET", "SET"}, wfPastParticiple},
      {"was", mcVerb, {"BE"}, wfPast},
      {"is", mcVerb, {"BE"}, wfThirdPerson},
      {"boxes", mcNoun, {"BOX", "BOXE"}, wfPlural},
      {"parties", mcNoun, {"PARTY", "PARTIE"}, wfPlural},
      {"children", mcNoun, {"CHILD"}, wfPlural},
      {"happiest", mcAdjective, {"HAPPY", "HAPPI", "HAPPIE"}, wfSuperlative},
      {"taller", mcAdjective, {"TALL", "TALLE"}, wfComparative},
      {"more happy", mcAdjective, {"HAPPY"}, wfComparative},
      {"less happy", mcAdjective, {"UNHAPPY"}, wfComparative},
      {"most happy", mcAdjective, {"HAPPY"}, wfSuperlative},
      {"better", mcAdjective, {"GOOD"}, wfComparative},
      {"farthest", mcAdjective, {"FAR"}, wfSuperlative},
  };
  for (const auto& c : cases) {
    std::vector<std::string> list;
    Byte form = wfPlural;
    if (c.wordClass == mcNoun) m.NounBaseForms(c.word, list);
    if (c.wordClass == mcVerb) m.VerbBaseForms(c.word, list, form);
    if (c.wordClass == mcAdjective) m.AdjectiveBaseForms(c.word, list, form);
    EXPECT_EQ(list, c.candidates) << c.word;
    EXPECT_EQ(form, c.form) << c.word;
  }
}

struct FormsCase {
  std::string word;
  Byte wordClass;
  std::string expected;
};

TEST(ThesaurusInflection, FormsLinesListTheIrregularForms) {
  const TWordMorpher m = SampleMorpher();
  const std::vector<FormsCase> cases = {
      {"be", mcVerb, "am,are,is,was,were,been,being"},
      {"xyz", mcVerb, "xyzed"},        // the empty first field leaves no comma
      {"make", mcVerb, "made,made,"},  // empty last fields end in a comma
      {"aa", mcVerb, "bb,cc, also dd"},
      {"go", mcVerb, "went,gone,goes"},
      {"stop", mcVerb, "stopped,stopping"},
      {"quiz", mcVerb, "quizzes,quizzed,quizzing"},
      {"walk", mcVerb, ""},
      {"good", mcAdjective, "better,best"},
      {"child", mcNoun, "children"},
      {"child", 3, ""},
      {"", mcNoun, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(m.FormsLine(c.word, c.wordClass), c.expected) << c.word;
}

TEST(ThesaurusInflection, TheListsRoundTripThroughTheirStoredFormAndADamagedOneIsRefused) {
  const TWordMorpher m = SampleMorpher();
  std::vector<Byte> bytes;
  m.Save(bytes);
  TWordMorpher loaded;
  EXPECT_EQ(loaded.Load(bytes), bytes.size());
  EXPECT_EQ(loaded.Inflect("go", wfPast), "went");
  EXPECT_EQ(loaded.Lists().doubling, m.Lists().doubling);
  bytes.resize(bytes.size() - 1);
  EXPECT_THROW(TWordMorpher().Load(bytes), EWWError);
  std::vector<Byte> huge = {0xFF, 0xFF, 0xFF, 0xFF, 'a'};
  EXPECT_THROW(TWordMorpher().Load(huge), EWWError);
}

}  // namespace
}  // namespace qm::thesaurus
