#include "support/script_generator.h"

#include <array>
#include <string>

namespace qm::testing {

namespace {

constexpr std::array<const char*, 12> Places{"KITCHEN", "PRECINCT HOUSE", "ROOFTOP",         "DINER",
                                             "CAR",     "BEDROOM",        "WAREHOUSE",       "HOSPITAL CORRIDOR",
                                             "PARK",    "OFFICE",         "SUBWAY PLATFORM", "LIVING ROOM"};
constexpr std::array<const char*, 5> Times{"DAY", "NIGHT", "CONTINUOUS", "LATER", "MORNING"};
constexpr std::array<const char*, 8> Names{"SARAH",   "DETECTIVE MILLS", "JOE",   "MARGARET",
                                           "THE KID", "DR. OKAFOR",      "LENNY", "ANNA"};
constexpr std::array<const char*, 6> Extensions{"", "", "", " (V.O.)", " (O.S.)", " (CONT'D)"};
constexpr std::array<const char*, 8> Parentheticals{"beat",           "quietly",        "to Joe", "laughing",
                                                    "into the phone", "not looking up", "then",   "sotto"};
constexpr std::array<const char*, 5> Transitions{
    "CUT TO:", "DISSOLVE TO:", "SMASH CUT TO:", "MATCH CUT TO:", "FADE OUT."};
constexpr std::array<const char*, 48> Words{
    "the",    "a",       "door",    "slowly", "opens",   "and",      "she",    "looks",   "at",     "him",
    "before", "turning", "away",    "light",  "falls",   "across",   "table",  "where",   "papers", "lie",
    "in",     "a",       "mess",    "nobody", "speaks",  "for",      "long",   "moment",  "then",   "rain",
    "starts", "against", "window",  "he",     "picks",   "up",       "phone",  "dials",   "waits",  "hangs",
    "again",  "outside", "traffic", "hums",   "quietly", "somebody", "laughs", "upstairs"};

std::string Sentence(SeededRandom& random) {
  std::string text;
  const int words = random.Between(4, 14);
  for (int i = 0; i < words; ++i) {
    std::string word = random.Pick(Words);
    if (i == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
    if (i > 0) text += ' ';
    text += word;
  }
  text += random.Chance(15) ? "?" : ".";
  return text;
}

// About `lines` printed Action lines of 60 characters.
std::string Paragraph(SeededRandom& random, int lines) {
  std::string text;
  while (static_cast<int>(text.size()) < lines * 44) {
    if (!text.empty()) text += "  ";
    text += Sentence(random);
  }
  return text;
}

void AddScene(SeededRandom& random, std::vector<ElementSpec>& out) {
  // Each draw is a statement of its own: the order in which the operands of
  // one expression are evaluated differs between compilers.
  const std::string prefix = random.Chance(70) ? "INT. " : "EXT. ";
  const std::string place = random.Pick(Places);
  const std::string time = random.Pick(Times);
  out.push_back({ekSceneHeading, prefix + place + " - " + time});
  out.push_back({ekAction, Paragraph(random, random.Between(1, 8))});
  const int beats = random.Between(5, 9);
  for (int beat = 0; beat < beats; ++beat) {
    if (random.Chance(25)) {
      out.push_back({ekAction, Paragraph(random, random.Between(1, 4))});
      continue;
    }
    const std::string name = random.Pick(Names);
    const std::string extension = random.Pick(Extensions);
    out.push_back({ekCharacterName, name + extension});
    if (random.Chance(20)) out.push_back({ekParenthetical, random.Pick(Parentheticals)});
    std::string speech = Sentence(random);
    if (random.Chance(40)) speech += " " + Sentence(random);
    out.push_back({ekDialogue, speech});
  }
  if (random.Chance(30)) out.push_back({ekTransition, random.Pick(Transitions)});
}

}  // namespace

std::vector<ElementSpec> GenerateScreenplay(std::uint64_t seed, int pages) {
  SeededRandom random(seed);
  const std::size_t wanted = static_cast<std::size_t>(pages) * GeneratedElementsPerPage;
  std::vector<ElementSpec> script;
  script.reserve(wanted + 32);
  while (script.size() < wanted) AddScene(random, script);
  script.resize(wanted);
  return script;
}

}  // namespace qm::testing
