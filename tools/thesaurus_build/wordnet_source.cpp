#include "wordnet_source.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "language/thesaurus/synsets.h"
#include "language/thesaurus/wweb_database.h"

namespace qm::thesaurus_build {

using namespace qm::thesaurus;

namespace {

// WordNet's pointer symbols and the relations they show as.
const std::map<std::string, Byte>& Relations() {
  static const std::map<std::string, Byte> relations = {
      {"!", relAntonyms}, {"=", relAttribs},    {">", relCauses},  {"+", relDerived}, {"\\", relDerived},
      {"*", relEntails},  {"%p", relParts},     {"%m", relParts},  {"%s", relParts},  {"@", relTypeOf},
      {"@i", relTypeOf},  {"~", relTypes},      {"~i", relTypes},  {"#p", relPartOf}, {"#m", relPartOf},
      {"#s", relPartOf},  {"<", relParticiple}, {"^", relSeeAlso}, {"&", relSimilar},
  };
  return relations;
}

const char* const Parts[] = {"noun", "verb", "adj", "adv"};

Byte ClassOfPos(char pos) {
  switch (pos) {
    case 'n': return 0;
    case 'v': return 1;
    case 'a':
    case 's': return 2;
    default: return 3;
  }
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != ' ') lines.push_back(line);
  return lines;
}

std::vector<std::string> Split(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

std::string Spaced(std::string word) {
  std::replace(word.begin(), word.end(), '_', ' ');
  return word;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// An adjective's word may carry a syntactic marker: "galore(ip)".
std::string WithoutMarker(std::string word) {
  const std::size_t paren = word.find('(');
  if (paren != std::string::npos && word.back() == ')') word.resize(paren);
  return word;
}

struct TRawLink {
  Byte type;
  std::string targetKey;
  Byte first;
  Byte second;
};

}  // namespace

TDatabaseSource ReadWordNet(const std::string& folder, TWordNetCounts* counts) {
  TDatabaseSource source;
  std::map<std::string, std::size_t> byKey;  // "n00001740" -> synset
  std::vector<std::vector<TRawLink>> rawLinks;
  for (const char* part : Parts) {
    const std::string path = folder + "/data." + part;
    for (const std::string& line : ReadLines(path)) {
      const std::size_t bar = line.find(" | ");
      const std::vector<std::string> f = Split(line.substr(0, bar));
      if (f.size() < 4) throw std::runtime_error("damaged line in " + path);
      TSynsetSource synset;
      const char pos = f[2][0];
      synset.wordClass = ClassOfPos(pos);
      const std::size_t words = std::stoul(f[3], nullptr, 16);
      std::size_t at = 4;
      for (std::size_t w = 0; w < words && at + 1 < f.size(); ++w, at += 2)
        synset.words.push_back(Spaced(WithoutMarker(f[at])));
      const std::size_t pointers = at < f.size() ? std::stoul(f[at++]) : 0;
      std::vector<TRawLink> links;
      for (std::size_t p = 0; p < pointers && at + 3 < f.size(); ++p, at += 4) {
        const auto relation = Relations().find(f[at]);
        if (relation == Relations().end()) continue;
        const unsigned long st = std::stoul(f[at + 3], nullptr, 16);
        const char targetPos = f[at + 2][0] == 's' ? 'a' : f[at + 2][0];
        links.push_back({relation->second, std::string(1, targetPos) + f[at + 1],
                         static_cast<Byte>(std::min(st >> 8, 255ul)), static_cast<Byte>(std::min(st & 0xFF, 255ul))});
      }
      synset.gloss = bar == std::string::npos ? std::string() : line.substr(bar + 3);
      while (!synset.gloss.empty() && synset.gloss.back() == ' ') synset.gloss.pop_back();
      byKey[std::string(1, pos == 's' ? 'a' : pos) + f[0]] = source.synsets.size();
      source.synsets.push_back(std::move(synset));
      rawLinks.push_back(std::move(links));
    }
  }
  TWordNetCounts tally;
  for (std::size_t i = 0; i < source.synsets.size(); ++i) {
    for (const auto& raw : rawLinks[i]) {
      const auto target = byKey.find(raw.targetKey);
      if (target == byKey.end() || raw.first > 27 || raw.second > 27) {
        ++tally.droppedLinks;
        continue;
      }
      source.synsets[i].links.push_back({raw.type, target->second, raw.first, raw.second});
      ++tally.links;
    }
  }
  // One index word may stand in several classes; its senses go together.
  std::map<std::string, std::size_t> indexAt;
  for (const char* part : Parts) {
    const std::string path = folder + "/index." + part;
    for (const std::string& line : ReadLines(path)) {
      const std::vector<std::string> f = Split(line);
      if (f.size() < 4) throw std::runtime_error("damaged line in " + path);
      const char pos = f[1][0] == 's' ? 'a' : f[1][0];
      const std::size_t senses = std::stoul(f[2]);
      if (f.size() < senses) throw std::runtime_error("damaged line in " + path);
      const std::string word = Spaced(f[0]);
      auto [it, added] = indexAt.emplace(WordKey(word), source.index.size());
      if (added) source.index.push_back({word, {}});
      auto& list = source.index[it->second].second;
      for (std::size_t s = f.size() - senses; s < f.size(); ++s) {
        const auto synset = byKey.find(std::string(1, pos) + f[s]);
        if (synset != byKey.end()) list.push_back(synset->second);
      }
    }
  }
  tally.synsets = source.synsets.size();
  tally.indexWords = source.index.size();
  if (counts) *counts = tally;
  source.inflection = InflectionLists(folder);
  source.licence = DatabaseLicence();
  return source;
}

namespace {

// Each base form with its listed forms, in the file's order.
std::map<std::string, std::vector<std::string>> Exceptions(const std::string& path) {
  std::map<std::string, std::vector<std::string>> forms;
  for (const std::string& line : ReadLines(path)) {
    const std::vector<std::string> f = Split(line);
    for (std::size_t i = 1; i < f.size(); ++i) forms[Spaced(f[i])].push_back(Spaced(f[0]));
  }
  return forms;
}

std::string Entry(const std::string& base, const std::vector<std::string>& fields) {
  std::string entry = "\r" + WordKey(base);
  for (const auto& field : fields) entry += "," + Upper(field);
  return entry;
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

int Syllables(const std::string& word) {
  int groups = 0;
  bool inVowels = false;
  for (char c : word) {
    const bool vowel = std::string("aeiouy").find(c) != std::string::npos;
    if (vowel && !inVowels) ++groups;
    inVowels = vowel;
  }
  if (groups > 1 && EndsWith(word, "e") && !EndsWith(word, "le")) --groups;
  return groups;
}

// The comparative by the suffix rule, before the list decides.
std::string SuffixedComparative(const std::string& w) {
  if (EndsWith(w, "e")) return w + "r";
  if (w.size() > 1 && w.back() == 'y' && std::string("aeiou").find(w[w.size() - 2]) == std::string::npos)
    return w.substr(0, w.size() - 1) + "ier";
  return w + "er";
}

std::string Stem(const std::string& w) {
  const std::string s = SuffixedComparative(w);
  return Upper(s.substr(0, s.size() - 2));
}

}  // namespace

TWordMorpher::TLists InflectionLists(const std::string& folder) {
  TWordMorpher::TLists lists;
  const TWordMorpher regular;
  for (const auto& [base, forms] : Exceptions(folder + "/noun.exc")) lists.nounExceptions += Entry(base, {forms[0]});

  std::set<std::string> doubling;
  for (const auto& entry : Exceptions(folder + "/verb.exc")) {
    const std::string& base = entry.first;
    const std::vector<std::string>& forms = entry.second;
    if (base.size() < 2 || base == "be") continue;
    const char last = base.back();
    const bool doubled = std::all_of(forms.begin(), forms.end(), [&](const std::string& f) {
      return f == base + last + "ed" || f == base + last + "ing";
    });
    if (doubled) {
      doubling.insert(WordKey(base));
      continue;
    }
    std::vector<std::string> fields(4);
    std::vector<std::string> pasts;
    std::vector<std::string> further;
    for (const auto& f : forms) {
      if (EndsWith(f, "ing") && fields[2].empty()) fields[2] = f;
      else if (EndsWith(f, "s") && !EndsWith(f, "ss") && fields[3].empty() && f.size() <= base.size() + 2)
        fields[3] = f;
      else pasts.push_back(f);
    }
    // A participle of the strong verbs usually ends in n: eaten, gone, seen.
    std::stable_sort(pasts.begin(), pasts.end(),
                     [](const std::string& a, const std::string& b) { return !EndsWith(a, "n") && EndsWith(b, "n"); });
    if (!pasts.empty()) fields[0] = pasts[0];
    if (pasts.size() > 1) fields[1] = pasts[1];
    for (std::size_t i = 2; i < pasts.size(); ++i) further.push_back(pasts[i]);
    if (fields[0].empty()) fields[0] = regular.Inflect(base, wfPast);
    for (const auto& f : further) fields.push_back(f);
    while (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    lists.verbExceptions += Entry(base, fields);
  }
  lists.verbExceptions += "\rBE,WAS,BEEN,BEING,IS,WERE,AM,ARE";

  std::set<std::string> stems;
  for (const auto& [base, forms] : Exceptions(folder + "/adj.exc")) {
    std::string comparative, superlative;
    for (const auto& f : forms) (EndsWith(f, "st") ? superlative : comparative) = f;
    const std::string regularComparative = SuffixedComparative(base);
    if ((comparative.empty() || comparative == regularComparative) &&
        (superlative.empty() || superlative == regularComparative.substr(0, regularComparative.size() - 1) + "st")) {
      stems.insert(Stem(base));
      continue;
    }
    if (comparative.empty() && !superlative.empty()) comparative = superlative.substr(0, superlative.size() - 2) + "r";
    if (superlative.empty() && !comparative.empty()) superlative = comparative.substr(0, comparative.size() - 1) + "st";
    lists.adjectiveExceptions += Entry(base, {comparative, superlative});
  }
  // Short adjectives compare with -er and -est: one syllable, or two ending in y.
  for (const std::string& line : ReadLines(folder + "/index.adj")) {
    const std::string word = line.substr(0, line.find(' '));
    if (word.size() < 2 || !std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
      continue;
    const int syllables = Syllables(word);
    if (syllables == 1 || (syllables == 2 && EndsWith(word, "y"))) stems.insert(Stem(word));
  }
  for (const auto& stem : stems) lists.regularComparison += "\r" + stem;
  for (const auto& key : doubling) lists.doubling += "\r" + key;
  for (std::string* text : {&lists.nounExceptions, &lists.verbExceptions, &lists.adjectiveExceptions,
                            &lists.regularComparison, &lists.doubling})
    *text += "\r";
  return lists;
}

std::string DatabaseLicence() {
  std::string text = "This thesaurus database is derived from WordNet 3.0. WordNet 3.0 Copyright 2006 by Princeton "
                     "University. All rights reserved. THIS SOFTWARE AND DATABASE IS PROVIDED \"AS IS\" AND PRINCETON "
                     "UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES, EXPRESS OR IMPLIED. The name of Princeton "
                     "University or Princeton may not be used in advertising or publicity pertaining to distribution "
                     "of the software and/or database. Title to copyright in this software, database and any "
                     "associated documentation shall at all times remain with Princeton University. The whole "
                     "licence is in the file WORDNET-LICENSE beside the program's data.";
  text.resize(LicenceBytes, ' ');
  return text;
}

}  // namespace qm::thesaurus_build
