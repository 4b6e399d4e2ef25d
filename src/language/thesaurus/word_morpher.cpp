#include "language/thesaurus/word_morpher.h"

#include <algorithm>

#include "language/thesaurus/thesaurus_error.h"
#include "platform/byte_io.h"

namespace qm::thesaurus {

namespace {

constexpr char CR = '\r';

bool IsVowel(char c) { return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (IsLower(c)) c = static_cast<char>(c - 32);
  return out;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

std::vector<std::string> SplitFields(std::string_view entry) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = entry.find(',', start);
    fields.emplace_back(entry.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

bool InFramedList(const std::string& list, std::string_view item) {
  std::string framed(1, CR);
  framed.append(item);
  framed.push_back(CR);
  return list.find(framed) != std::string::npos;
}

std::string Field(const std::vector<std::string>& fields, std::size_t n) {
  return n >= 1 && n <= fields.size() ? fields[n - 1] : std::string();
}

}  // namespace

std::string WordKey(std::string_view word) {
  std::string key;
  for (char c : word) {
    if (IsLower(c)) c = static_cast<char>(c - 32);
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) key.push_back(c);
    if (key.size() == MaxKeyChars) break;
  }
  return key;
}

std::size_t TWordMorpher::Load(std::span<const Byte> bytes) {
  ByteReader reader(bytes);
  for (std::string* text : {&lists_.nounExceptions, &lists_.verbExceptions, &lists_.adjectiveExceptions,
                            &lists_.regularComparison, &lists_.doubling}) {
    const DWord length = reader.U32();
    if (!reader.Ok() || !reader.Has(length)) throw EWWError(DamagedDatabaseMessage);
    *text = reader.Text(length);
  }
  return reader.Position();
}

void TWordMorpher::Save(std::vector<Byte>& out) const {
  ByteWriter writer(out);
  for (const std::string* text : {&lists_.nounExceptions, &lists_.verbExceptions, &lists_.adjectiveExceptions,
                                  &lists_.regularComparison, &lists_.doubling}) {
    writer.U32(static_cast<DWord>(text->size()));
    writer.Text(*text);
  }
}

const std::string& TWordMorpher::ExceptionText(Byte wordClass) const {
  switch (wordClass) {
    case mcNoun: return lists_.nounExceptions;
    case mcVerb: return lists_.verbExceptions;
    default: return lists_.adjectiveExceptions;
  }
}

bool TWordMorpher::ExceptionEntry(const std::string& text, std::string_view key,
                                  std::vector<std::string>& fields) const {
  if (key.empty()) return false;
  std::string pattern(1, CR);
  pattern.append(key);
  pattern.push_back(',');
  const std::size_t at = text.find(pattern);
  if (at == std::string::npos) return false;
  const std::size_t start = at + pattern.size();
  std::size_t end = text.find(CR, start);
  if (end == std::string::npos) end = text.size();
  fields = SplitFields(std::string_view(text).substr(start, end - start));
  return true;
}

bool TWordMorpher::InDoublingList(std::string_view key) const { return InFramedList(lists_.doubling, key); }

std::string TWordMorpher::Inflect(std::string_view word, Byte form) const {
  if (form == wfPlural) return NounForm(word);
  if (form >= wfThirdPerson && form <= wfPresentParticiple) return VerbForm(word, form);
  if (form == wfComparative || form == wfSuperlative) return AdjectiveForm(word, form);
  return std::string(word);
}

void TWordMorpher::InflectList(std::vector<std::string>& lines, Byte form) const {
  for (auto& line : lines) {
    const std::string inflected = Inflect(line, form);
    line = inflected.empty() ? line + "*" : inflected;
  }
}

std::string TWordMorpher::NounForm(std::string_view w) const {
  if (w.empty()) return {};
  const std::string k = WordKey(w);
  std::vector<std::string> fields;
  if (ExceptionEntry(lists_.nounExceptions, k, fields)) return Lower(Field(fields, 1));
  const std::string word(w);
  if (w.size() == 1) return word + "s";
  if (w.find(' ') != std::string_view::npos) return {};
  if (!IsLower(w[0]) && IsLower(w[1])) return {};
  if (k.size() < 2) return {};
  if (EndsWith(k, "S") || EndsWith(k, "X") || EndsWith(k, "Z") || EndsWith(k, "CH") || EndsWith(k, "SH"))
    return word + "es";
  if (EndsWith(k, "Y") && !IsVowel(k[k.size() - 2])) return word.substr(0, word.size() - 1) + "ies";
  return word + "s";
}

std::string TWordMorpher::VerbForm(std::string_view w, Byte form) const {
  if (w.size() < 2) return {};
  const std::string k = WordKey(w);
  const std::string word(w);
  std::vector<std::string> fields;
  if (ExceptionEntry(lists_.verbExceptions, k, fields)) {
    std::string listed;
    switch (form) {
      case wfPast: return Lower(Field(fields, 1));
      case wfPastParticiple: listed = Field(fields, 2); return Lower(listed.empty() ? Field(fields, 1) : listed);
      case wfPresentParticiple: listed = Field(fields, 3); break;
      default: listed = Field(fields, 4); break;
    }
    if (!listed.empty()) return Lower(listed);
  } else if (InDoublingList(k)) {
    const char last = word.back();
    if (form == wfThirdPerson) {
      const bool sibilant = last == 's' || last == 'S' || last == 'z' || last == 'Z';
      return sibilant ? word + last + "es" : word + "s";
    }
    return word + last + (form == wfPresentParticiple ? "ing" : "ed");
  }
  const std::size_t blank = word.find(' ');
  if (blank != std::string::npos) {
    const std::string first = VerbForm(word.substr(0, blank), form);
    return first.empty() ? std::string() : first + word.substr(blank);
  }
  if (k.size() < 2) return {};
  const char before = k[k.size() - 2];
  if (form == wfPresentParticiple) {
    if (EndsWith(k, "IE")) return word.substr(0, word.size() - 2) + "ying";
    if (EndsWith(k, "E")) return word.substr(0, word.size() - 1) + "ing";
    return word + "ing";
  }
  const bool third = form == wfThirdPerson;
  if (EndsWith(k, "Y")) {
    if (IsVowel(before)) return word + (third ? "s" : "ed");
    return word.substr(0, word.size() - 1) + (third ? "ies" : "ied");
  }
  if (EndsWith(k, "E")) return word + (third ? "s" : "d");
  if (!third) return word + "ed";
  const bool es = EndsWith(k, "O") || EndsWith(k, "S") || EndsWith(k, "X") || EndsWith(k, "Z") || EndsWith(k, "CH") ||
                  EndsWith(k, "SH");
  return word + (es ? "es" : "s");
}

std::string TWordMorpher::AdjectiveForm(std::string_view w, Byte form) const {
  if (w.size() < 2) return {};
  const std::string k = WordKey(w);
  const std::string word(w);
  const bool comparative = form == wfComparative;
  std::vector<std::string> fields;
  if (ExceptionEntry(lists_.adjectiveExceptions, k, fields)) return Lower(Field(fields, comparative ? 1 : 2));
  if (k.size() < 2) return {};
  std::string s;
  if (EndsWith(k, "E")) s = word + (comparative ? "r" : "st");
  else if (EndsWith(k, "Y") && !IsVowel(k[k.size() - 2]))
    s = word.substr(0, word.size() - 1) + (comparative ? "ier" : "iest");
  else s = word + (comparative ? "er" : "est");
  const std::size_t cut = comparative ? 2 : 3;
  const std::string stem = Upper(s.substr(0, s.size() - cut));
  if (InFramedList(lists_.regularComparison, stem)) return s;
  if (!comparative) return "most " + word;
  if (word.size() >= 6 && word.starts_with("un")) return "less " + word.substr(2);
  return "more " + word;
}

int TWordMorpher::ExceptionBaseForms(std::string_view w, std::vector<std::string>& list, TMorphClass wordClass) const {
  if (w.size() < 2) return 0;
  const std::string& text = ExceptionText(wordClass);
  const std::string pattern = "," + Upper(w);
  int field = 0;
  for (std::size_t at = text.find(pattern); at != std::string::npos; at = text.find(pattern, at + 4)) {
    const std::size_t after = at + pattern.size();
    if (after < text.size() && text[after] != CR && text[after] != ',') continue;
    const std::size_t cr = text.rfind(CR, at);
    const std::size_t entry = cr == std::string::npos ? 0 : cr + 1;
    field = 1 + static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(entry),
                                            text.begin() + static_cast<std::ptrdiff_t>(at), ','));
    const std::size_t baseEnd = text.find(',', entry);
    list.push_back(text.substr(entry, baseEnd - entry));
  }
  return field;
}

int TWordMorpher::NounBaseForms(std::string_view w, std::vector<std::string>& list) const {
  if (ExceptionBaseForms(w, list, mcNoun) > 0) return 1;
  const std::string u = Upper(w);
  const std::size_t L = u.size();
  if (L > 4) {
    if (EndsWith(u, "IES")) {
      list.push_back(u.substr(0, L - 3) + "Y");
    } else if (EndsWith(u, "OES") || EndsWith(u, "SES") || EndsWith(u, "XES") || EndsWith(u, "ZES") ||
               EndsWith(u, "CHES") || EndsWith(u, "SHES")) {
      list.push_back(u.substr(0, L - 2));
    }
  }
  if (EndsWith(u, "S")) list.push_back(u.substr(0, L - 1));
  return static_cast<int>(list.size());
}

void TWordMorpher::OfferVerbCandidate(const std::string& candidate, std::string_view currentKey,
                                      std::vector<std::string>& list) const {
  if (InDoublingList(candidate)) return;
  std::vector<std::string> fields;
  if (!ExceptionEntry(lists_.verbExceptions, candidate, fields)) {
    list.push_back(candidate);
    return;
  }
  std::string listed;
  for (const auto& f : fields) listed += f + ",";
  if (listed.find(currentKey) == std::string::npos) list.push_back(candidate);
}

int TWordMorpher::VerbBaseForms(std::string_view w, std::vector<std::string>& list, Byte& form) const {
  const int n = ExceptionBaseForms(w, list, mcVerb);
  if (n > 0) {
    form = n == 2 ? wfPastParticiple : n == 3 ? wfPresentParticiple : n == 4 ? wfThirdPerson : wfPast;
    return static_cast<int>(list.size());
  }
  form = wfThirdPerson;
  const std::string k = WordKey(w);
  const std::size_t L = k.size();
  if (L > 2) {
    const char last = k[L - 1];
    const bool dOrS = last == 'D' || last == 'S';
    if (k[L - 3] == 'I' && k[L - 2] == 'E') {
      if (dOrS) list.push_back(k.substr(0, L - 3) + "Y");
      if (last == 'D') form = wfPast;
    } else if (k[L - 2] == 'E') {
      if (dOrS) {
        if (L > 4 && k[L - 4] == k[L - 3] && InDoublingList(k.substr(0, L - 3))) {
          list.push_back(k.substr(0, L - 3));
        } else {
          list.push_back(k.substr(0, L - 1));
          OfferVerbCandidate(k.substr(0, L - 2), k, list);
        }
      }
      if (last == 'D') form = wfPast;
    } else if (EndsWith(k, "ING")) {
      const std::string s = k.substr(0, L - 3);
      if (L > 5 && k[L - 5] == k[L - 4] && InDoublingList(k.substr(0, L - 4))) {
        list.push_back(k.substr(0, L - 4));
      } else {
        list.push_back(s + "E");
        OfferVerbCandidate(s, s, list);
        if (s.size() > 1 && s.back() == 'Y') list.push_back(s.substr(0, s.size() - 1) + "IE");
      }
      form = wfPresentParticiple;
    } else if (last == 'S') {
      list.push_back(k.substr(0, L - 1));
    }
  }
  const std::size_t blank = w.find(' ');
  if (blank != std::string_view::npos) {
    std::vector<std::string> firsts;
    VerbBaseForms(w.substr(0, blank), firsts, form);
    const std::string rest = WordKey(w.substr(blank));
    for (const auto& first : firsts) list.push_back(first + rest);
  }
  return static_cast<int>(list.size());
}

int TWordMorpher::AdjectiveBaseForms(std::string_view w, std::vector<std::string>& list, Byte& form) const {
  const int n = ExceptionBaseForms(w, list, mcAdjective);
  if (n > 0) {
    form = n == 1 ? wfComparative : wfSuperlative;
    return static_cast<int>(list.size());
  }
  const std::string k = WordKey(w);
  const std::size_t L = k.size();
  if (L > 3) {
    if (L > 4 && EndsWith(k, "IEST")) {
      form = wfSuperlative;
      list.push_back(k.substr(0, L - 4) + "Y");
    } else if (EndsWith(k, "IER")) {
      form = wfComparative;
      list.push_back(k.substr(0, L - 3) + "Y");
    }
    if (EndsWith(k, "EST")) {
      form = wfSuperlative;
      list.push_back(k.substr(0, L - 3));
      list.push_back(k.substr(0, L - 2));
    } else if (EndsWith(k, "ER")) {
      form = wfComparative;
      list.push_back(k.substr(0, L - 2));
      list.push_back(k.substr(0, L - 1));
    }
  }
  if (w.size() > 5 && w[4] == ' ' && w.find(' ') == 4) {
    const std::string_view first = w.substr(0, 4);
    const std::string rest = WordKey(w.substr(5));
    if (first == "more") {
      list.push_back(rest);
      form = wfComparative;
    } else if (first == "less") {
      list.push_back("UN" + rest);
      form = wfComparative;
    } else if (first == "most") {
      list.push_back(rest);
      form = wfSuperlative;
    }
  }
  return static_cast<int>(list.size());
}

std::string TWordMorpher::FormsLine(std::string_view w, Byte wordClass) const {
  if (wordClass > mcAdjective || w.empty()) return {};
  const std::string k = WordKey(w);
  const std::string& text = ExceptionText(wordClass);
  std::string pattern(1, CR);
  pattern += k + ",";
  const std::size_t at = k.empty() ? std::string::npos : text.find(pattern);
  if (at != std::string::npos) {
    if (k == "BE") return "am,are,is,was,were,been,being";
    const std::size_t start = at + pattern.size();
    std::size_t end = text.find(CR, start);
    if (end == std::string::npos) end = text.size();
    std::string line;
    int commas = 0;
    for (std::size_t i = start; i < end && line.size() < MaxFormsLineChars; ++i) {
      const char c = text[i];
      if (c != ',') {
        line.push_back(Lower(std::string_view(&c, 1))[0]);
        continue;
      }
      ++commas;
      if (commas == 4) {
        if (!line.empty() && line.back() == ',') line.pop_back();
        line += ", also ";
      } else if (text[i - 1] != ',') {
        line.push_back(',');
      }
    }
    if (line.size() > MaxFormsLineChars) line.resize(MaxFormsLineChars);
    return line;
  }
  if (wordClass == mcVerb && InDoublingList(k)) {
    const std::string d = Lower(std::string(w) + w.back());
    const char last = w.back();
    const bool sibilant = last == 's' || last == 'S' || last == 'z' || last == 'Z';
    return (sibilant ? d + "es," : std::string()) + d + "ed," + d + "ing";
  }
  return {};
}

}  // namespace qm::thesaurus
