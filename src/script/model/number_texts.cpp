#include "script/model/number_texts.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/cp1252.h"
#include "script/model/script_record.h"

namespace qm {

namespace {

constexpr std::size_t NumberTextLength = 20;

// Appends while the text has room, as the short string of 20 would.
void Append(std::string& s, std::string_view more) {
  s.append(more.substr(0, NumberTextLength - std::min(s.size(), NumberTextLength)));
}

constexpr std::array<const char*, 21> Words{"Zero",     "One",      "Two",      "Three",   "Four",    "Five",
                                            "Six",      "Seven",    "Eight",    "Nine",    "Ten",     "Eleven",
                                            "Twelve",   "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen",
                                            "Eighteen", "Nineteen", "Twenty"};

// The prefixes of loops 1 to 4, one row a loop, one column a naming style.
constexpr std::array<std::array<const char*, 3>, 4> LoopPrefixes{{
    {"Double", "Second", "2nd"},
    {"Triple", "Third", "3rd"},
    {"Quadruple", "Fourth", "4th"},
    {"Quintuple", "Fifth", "5th"},
}};

// How a name begins when it carries a loop's prefix, in the order they are
// tried, with the loop each gives.
struct TPrefixStart {
  std::string_view start;
  int loop;
};
// clang-format off
constexpr std::array<TPrefixStart, 12> PrefixStarts{{
    {"DOUBLE", 1}, {"SECOND", 1}, {"2ND", 1}, {"TRIPLE", 2}, {"THIRD", 2}, {"3RD", 2},
    {"QUADRU", 3}, {"FOURTH", 3}, {"4TH", 3}, {"QUINTU", 4}, {"FIFTH", 4}, {"5TH", 4},
}};
// clang-format on

bool HasLowerBeforeFirstBlank(const std::string& name) {
  for (char c : name) {
    if (c == ' ') break;
    if (IsAnsiLower(static_cast<Byte>(c))) return true;
  }
  return false;
}

int LoopOfPrefix(const std::string& name) {
  const std::string upper = AnsiUpperCase(name);
  for (const TPrefixStart& p : PrefixStarts)
    if (upper.compare(0, p.start.size(), p.start) == 0) return p.loop;
  return 0;
}

}  // namespace

std::string RomanNumeral(Word value) {
  int n = value;
  std::string s;
  for (int i = 0; i < n / 100; ++i) Append(s, "C");
  n %= 100;
  constexpr struct {
    int at;
    const char* text;
  } steps[] = {{99, "IC"}, {90, "XC"}, {50, "L"}, {49, "IL"}, {40, "XL"}};
  for (const auto& step : steps)
    if (n >= step.at) {
      Append(s, step.text);
      n -= step.at;
    }
  for (int i = 0; i < n / 10; ++i) Append(s, "X");
  n %= 10;
  if (n == 9) {
    Append(s, "IX");
    n = 0;
  }
  if (n >= 5) {
    Append(s, "V");
    n -= 5;
  }
  if (n == 4) {
    Append(s, "IV");
    n = 0;
  }
  for (int i = 0; i < n; ++i) Append(s, "I");
  return s;
}

std::string NumberToWords(int n, bool upper) {
  std::string s;
  if (n >= 0 && n <= 20) s = Words[static_cast<std::size_t>(n)];
  else if (n > 20 && n < 30) s = std::string("Twenty-") + Words[static_cast<std::size_t>(n - 20)];
  else if (n == 30) s = "Thirty";
  else s = "????";
  return upper ? AnsiUpperCase(s) : s;
}

std::string NumberAsLetters(int number) {
  if (number < 1 || number > 78) return std::to_string(number);
  const int times = (number - 1) / 26 + 1;
  return std::string(static_cast<std::size_t>(times), static_cast<char>('A' + (number - 1) % 26));
}

std::string NumberInDisplayStyle(int number, Byte style) {
  switch (style) {
    case 2: return NumberAsLetters(number);
    case 3: return NumberToWords(number, false);
    case 4: return NumberToWords(number, true);
    case 5: return RomanNumeral(static_cast<Word>(number));
    default: return std::to_string(number);
  }
}

int RevisionListIndex(int count, int n, int* loops) {
  int loop = 0;
  if (count <= 0) {
    n = -1;
  } else if (count == 1) {
    n = 0;
  } else {
    // Counted rather than looped one round at a time: n may be large.
    if (n >= count) {
      loop = (n - 1) / (count - 1);
      n -= loop * (count - 1);
    }
  }
  if (loops) *loops = loop;
  return n;
}

std::string RevisionColorName(const TScriptRecord& script, int n) {
  if (n < 0) return {};
  int loop = 0;
  n = RevisionListIndex(script.RevisionColours.Count(), n, &loop);
  if (n < 0) return {};
  std::string name = script.RevisionColours[n];
  const int style = script.RevisionLoopStyle;
  if (style >= 1 && style <= 3 && loop >= 1 && loop <= 4) {
    std::string prefix = LoopPrefixes[static_cast<std::size_t>(loop - 1)][static_cast<std::size_t>(style - 1)];
    if (!HasLowerBeforeFirstBlank(name)) prefix = AnsiUpperCase(prefix);
    name = prefix + " " + name;
  }
  return name;
}

int RevisionNumberOfName(TScriptRecord& script, const std::string& name) {
  std::string rest = name;
  int loops = 0;
  for (;;) {
    const int index = script.RevisionColours.IndexOf(rest);
    const int count = script.RevisionColours.Count();
    if (index >= 0) return index + loops * std::max(count - 1, 1);
    const int loop = LoopOfPrefix(rest);
    const std::size_t blank = rest.find(' ');
    if (loop == 0 || blank == std::string::npos) break;
    loops += loop;
    rest.erase(0, blank + 1);
  }
  // A new name joins the list; the number is the place it took.
  script.AddRevisionColour(rest, clNone);
  const int count = script.RevisionColours.Count();
  return count - 1 + loops * std::max(count - 1, 1);
}

std::string FormatScriptDate(std::time_t date, bool monthFirst, bool dashes) {
  std::tm parts{};
  localtime_r(&date, &parts);
  const std::string day = std::to_string(parts.tm_mday);
  const std::string month = std::to_string(parts.tm_mon + 1);
  const std::string year = std::to_string(parts.tm_year + 1900).substr(2, 2);
  const std::string separator = dashes ? "-" : "/";
  return (monthFirst ? month : day) + separator + (monthFirst ? day : month) + separator + year;
}

int FormatStyleCode(const TElementFormat& format) {
  const bool bold = format.Style & stBold;
  const bool italic = format.Style & stItalic;
  const bool underline = format.Style & stUnderline;
  const bool caps = format.AllCaps != 0;
  // The code of every combination, indexed by caps, bold, italic, underline.
  constexpr int codes[2][2][2][2] = {
      {{{0, 3}, {4, 14}}, {{2, 11}, {12, 13}}},
      {{{1, 6}, {7, 10}}, {{5, 8}, {9, 15}}},
  };
  return codes[caps][bold][italic][underline];
}

void SetLinesBeforeWhole(TElementFormat& f, int whole) {
  f.LinesBefore = static_cast<Byte>(whole * 10 + LinesBeforeTenths(f));
}

void SetLinesBeforeTenths(TElementFormat& f, int tenths) {
  f.LinesBefore = static_cast<Byte>(LinesBeforeWhole(f) * 10 + tenths);
}

int WholeLinesOfTenths(int tenths) {
  const int whole = tenths / 10;
  const int rest = tenths % 10;
  return whole + (rest > 5 || (rest == 5 && whole % 2 == 1) ? 1 : 0);
}

int WholeLinesBefore(const TElementFormat& f) { return WholeLinesOfTenths(f.LinesBefore); }

int WholeLineSpacing(const TElementFormat& f) { return WholeLinesOfTenths(f.Spacing); }

Byte NumberWordLetter(const TScriptElement* element) {
  if (!element) return ' ';
  const int letter = (element->format.NumberWord >> 10) + 60;
  if (letter == 61) return ' ';
  if (letter == 62) return '-';
  return static_cast<Byte>(letter);
}

bool ElementHasLock(const TScriptElement* element) {
  return element && number_word::Locked(element->format.NumberWord);
}

}  // namespace qm
