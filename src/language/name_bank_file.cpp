#include "language/name_bank_file.h"

#include <algorithm>

#include "platform/files.h"

namespace qm {

namespace {

const std::vector<std::string>& MaleFragments() {
  static const std::vector<std::string> table = {
      "iechiele", "ond",     "inald",  "ust",    "ener",    "erd",    "elbert", "fabe",   "lean",  "ance",    "thaire",
      "ilbert",   "rdan",    "isco",   "ton",    "son",     "ord",    "iot",    "ard",    "cell",  "win",     "ley",
      "man",      "phael",   "ynd",    "old",    "sein",    "recht",  "nie",    "mer",    "ice",   "ell",     "ekiah",
      "ward",     "ssandro", "neas",   "nard",   "land",    "bert",   "ian",    "lbert",  "lan",   "keem",    "idar",
      "esar",     "edee",    "yne",    "und",    "ter",     "ney",    "ner",    "mie",    "lle",   "aimbaud", "well",
      "toir",     "rick",    "otoem",  "ntijn",  "lock",    "irce",   "vin",    "ver",    "ric",   "nce",     "ington",
      "ime",      "ick",     "gomery", "gan",    "die",     "ster",   "rian",   "osby",   "mond",  "hard",    "clay",
      "vel",      "uld",     "udale",  "uad",    "teban",   "rab",    "nan",    "mar",    "leigh", "field",   "ffard",
      "athan",    "ald",     "wood",   "van",    "urdain",  "unce",   "tus",    "tian",   "tch",   "sha",     "rod",
      "rey",      "ram",     "rad",    "ome",    "lin",     "lie",    "lden",   "iah",    "her",   "gel",     "emar",
      "den",      "rance",   "pence",  "nolin",  "ebart",   "deigh",  "court",  "zio",    "ven",   "ube",     "tab",
      "ren",      "red",     "ran",    "ood",    "olf",     "mon",    "lee",    "lby",    "igh",   "ier",     "hee",
      "ham",      "gie",     "eon",    "eem",    "dor",     "byl",    "ylan",   "rard",   "race",  "pold",    "obal",
      "main",     "maal",    "kiel",   "ford",   "zechiel", "yer",    "urt",    "uel",    "tie",   "sel",     "ron",
      "rke",      "ris",     "rie",    "rge",    "rel",     "que",    "ory",    "ngamar", "len",   "lebert",  "las",
      "ing",      "ill",     "ike",    "ige",    "ias",     "huyler", "han",    "hacher", "ert",   "dovico",  "der",
      "del",      "dan",     "chabod", "badiah", "ael",     "ysius",  "stace",  "rthur",  "rling", "rence",   "quito",
      "odard",    "obard",   "ndall",  "nando",  "naldo",   "mitri",  "idiah",  "ester",  "brook", "zzie",    "yden",
      "yale",     "wald",    "wain",   "vard",   "urke",    "tore",   "tair",   "ston",   "sten",  "spar",    "sley",
      "sili",     "scha",    "sain",   "rner",   "rald",    "orgo",   "omeo",   "nell",   "ncho",  "lton",    "lett",
      "lace",     "ison",    "fred",   "eton",   "eric",    "erey",   "dric",   "dick",   "dham",  "ddie",    "yim",
      "yan",      "wen",     "wan",    "vyn",    "vis",     "uin",    "uck",    "sey",    "sco",   "sch",     "say",
      "sar",      "rio",     "rek",    "rch",    "ras",     "per",    "oyd",    "ott",
  };
  return table;
}
const std::vector<std::string>& FemaleFragments() {
  static const std::vector<std::string> table = {
      "iacinta", "nada",   "tabatha", "la verne", "race",  "dacey", "ieda",  "sa zsa", "ina",   "nee",   "kacey",
      "yna",     "eeley",  "yacinth", "cacilia",  "lea",   "ena",   "ona",   "tte",    "tta",   "ela",   "eabal",
      "cee",     "ssa",    "ine",     "tha",      "lla",   "lee",   "ette",  "nda",    "val",   "lia",   "mab",
      "had",     "leen",   "fae",     "sha",      "mie",   "ita",   "yla",   "tea",    "ria",   "ila",   "ann",
      "ida",     "ana",    "rina",    "ella",     "ora",   "nie",   "nia",   "bel",    "zabel", "gaard", "diana",
      "tia",     "sia",    "sea",     "een",      "yne",   "sie",   "sey",   "lyn",    "kki",   "isa",   "bab",
      "ndra",    "elle",   "anne",    "ola",      "lie",   "gid",   "beth",  "stina",  "rie",   "que",   "nna",
      "marie",   "maria",  "lle",     "lin",      "fer",   "ean",   "belle", "ysa",    "ula",   "ris",   "rica",
      "rena",    "quelin", "onne",    "line",     "ley",   "ica",   "gan",   "etta",   "eda",   "dee",   "-ann",
      "yetta",   "ralda",  "odora",   "netta",    "ndrea", "laina", "eline", "zia",    "ynn",   "tza",   "the",
      "rin",     "ril",    "ree",     "nne",      "ney",   "lda",   "hea",   "esa",    "era",   "ell",   "dra",
      "wnya",    "rdre",   "page",    "otta",     "orie",  "oise",  "meda",  "illa",   "ilia",  "iana",  "dora",
      "bbie",    "anna",   "jacenta", "yan",      "und",   "tti",   "rea",   "ota",    "nni",   "nde",   "-marie",
      "len",     "kta",    "jeanne",  "ika",      "ice",   "get",   "eta",   "cha",    "vette", "toria", "rissa",
      "rella",   "ralee",  "overa",   "nella",    "ndace", "liese", "ileen", "icent",  "helle", "hanna", "halia",
      "berta",   "becca",  "-anne",   "andra",    "ysta",  "vina",  "ulah",  "uela",   "tlin",  "thea",  "stin",
      "ster",    "sina",   "reda",    "onna",     "odee",  "nore",  "nita",  "mond",   "mona",  "meko",  "main",
      "lvia",    "lida",   "lair",    "jean",     "jane",  "ilee",  "icia",  "hlia",   "fred",  "enka",  "enda",
      "elia",    "dene",   "cent",    "berg",     "zie",   "yle",   "yda",   "yce",    "wen",   "vra",   "vis",
      "vie",     "tra",    "tal",     "sya",      "sun",   "sta",   "say",   "ret",    "ran",   "ppy",   "pha",
      "org",     "oma",    "nor",     "nny",      "nce",   "nca",   "lma",   "kah",    "ith",   "ise",   "ile",
      "igh",     "iam",    "her",     "han",      "gra",   "gee",   "fie",   "eth",    "ece",   "eah",   "del",
      "cia",     "cca",    "bey",     "bet",      "bal",   "ani",
  };
  return table;
}
const std::vector<std::string>& FamilyFragments() {
  // clang-format off
  static const std::vector<std::string> table = {
    "iechiele", "naba", "ona", "iabi", "taal", "usalem", "laab", "era", "man", "raab", "ina", "ena", "dab",
    "lea", "son", "kablesh", "saba", "nea", "cear", "ela", "maal", "yna", "lla", "haab", "tta", "ton", "ana",
    "cacia", "ora", "eya", "yaakov", "ley", "eabal", "ner", "eed", "tha", "rda", "ler", "isa", "ter", "sea",
    "zabrina", "ell", "tea", "well", "ngale", "ffarth", "esa", "land", "ford", "berg", "ckaby", "kee", "una",
    "ick", "tte", "geau", "cha", "nda", "lda", "baal", "ine", "ica", "bert", "sta", "ney", "ing", "ria",
    "field", "umas", "ila", "sha", "sen", "ola", "mer", "gan", "veaux", "koff", "ura", "ekerly", "oway", "vaa",
    "ssa", "ida", "ger", "rea", "lee", "asaid", "win", "lin", "ion", "gaal", "ryd", "nia", "eda", "stein",
    "ham", "tyre", "tia", "sia", "ock", "lia", "lan", "hlbach", "ver", "und", "bel", "ard", "uda", "ord", "kin",
    "ier", "ette", "yne", "off", "han", "fer", "den", "dea", "ville", "toft", "sch", "rock", "pha", "paapanen",
    "old", "ita", "hea", "een", "tza", "pea", "nna", "med", "wood", "ward", "oddy", "nger", "gold", "ser",
    "ose", "ond", "ian", "eta", "der", "worth", "tman", "ster", "leigh", "hard", "ahan", "tan", "sey", "rta",
    "ote", "oma", "nce", "ira", "ice", "iah", "ara", "ann", "zeck", "tein", "sworth", "ood", "nan", "mann",
    "ington", "iga", "her", "ert", "ella", "del", "cock", "cher", "amert", "zia", "zer", "yla", "yer", "urd",
    "que", "ore", "nsa", "kie", "ill", "ich", "ema", "wald", "ston", "lock", "leen", "ghan", "etta", "ukler",
    "ugh", "uefarb", "ubaker", "ski", "ric", "red", "ras", "per", "lle", "inger", "ima", "igh", "eielle",
    "zoba", "sman", "rson", "rman", "rina", "rich", "nell", "jian", "way", "ula", "ten", "rna", "ram", "mar",
    "lyn", "ker", "gel", "don", "ngton", "ddard", "ysa", "wick", "ven", "urn", "sky", "sel", "ron", "rell",
    "ling", "ika", "hia", "fee", "fabe", "elle", "ber", "bea", "zel", "the", "tch", "rin", "pshanks", "ott",
  };
  // clang-format on
  return table;
}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

const std::vector<std::string>& NameFragments(TNameList list) {
  switch (list) {
    case nlMale: return MaleFragments();
    case nlFemale: return FemaleFragments();
    default: return FamilyFragments();
  }
}

std::string CapitalizeBankName(bool family, std::string name) {
  for (std::size_t i = 0; i < name.size(); ++i)
    if (i == 0 || name[i - 1] == ' ' || name[i - 1] == '\'') name[i] = Upper(name[i]);
  if (family && name.size() > 2 && name[0] == 'M' && name[1] == 'c') name[2] = Upper(name[2]);
  return name;
}

std::size_t LetterSlot(TNameList list, char letter) {
  return static_cast<std::size_t>((list - 1) * 26 + (letter - 'A'));
}

std::string DecodeNameEntry(std::string_view entry, const std::string& previous, TNameList list) {
  if (entry.empty()) return {};
  const auto head = static_cast<unsigned char>(entry[0]);
  const std::size_t keep = (head >> 4) == 0 ? 254 : (head >> 4) - 1u;
  std::string name = previous.substr(0, std::min(keep, previous.size()));
  const std::vector<std::string>& fragments = NameFragments(list);
  std::size_t at = 1;
  for (unsigned n = head & 0x0F; n > 0 && at < entry.size(); --n, ++at) {
    const auto code = static_cast<unsigned char>(entry[at]);
    // A code past the table stands for nothing rather than for memory.
    if (code >= 1 && code <= fragments.size()) name += fragments[code - 1];
  }
  if (at < entry.size()) name.append(entry.substr(at));
  return name;
}

std::vector<std::string> DecodeNameLetter(std::string_view data, TNameList list, char letter) {
  // The letter's bytes in a zeroed buffer one longer, so a null always ends them.
  std::string buffer(data.substr(0, NameBankLetterLimit));
  buffer.resize(NameBankLetterLimit + 1, '\0');
  std::vector<std::string> names;
  std::string previous;
  std::size_t at = 0;
  for (;;) {
    std::size_t end = at;
    while (end < buffer.size() && buffer[end] != '\0' && end - at < 255) ++end;
    const std::string_view text(buffer.data() + at, end - at);
    const std::size_t mark = text.find(static_cast<char>(NameEntryEnd));
    if (mark == std::string_view::npos) break;
    previous = CapitalizeBankName(list == nlFamily, DecodeNameEntry(text.substr(0, mark), previous, list));
    at += mark + 1;
    if (previous.empty() || previous[0] != letter) break;
    names.push_back(previous);
  }
  return names;
}

TNameBankFile::TOpen TNameBankFile::Open(const std::string& path) {
  if (!FileExists(path)) return TOpen::Missing;
  auto bytes = ReadFileBytes(path);
  if (!bytes || !Assign(std::move(*bytes))) return TOpen::Unreadable;
  return TOpen::Opened;
}

bool TNameBankFile::Assign(std::vector<std::uint8_t> bytes) {
  if (bytes.size() < NameBankLetterTableSize) return false;
  for (std::size_t i = 0; i < letters_.size(); ++i) letters_[i] = ReadU32(bytes.data() + i * 4);
  bytes_ = std::move(bytes);
  return true;
}

std::vector<std::string> TNameBankFile::ReadLetter(TNameList list, char letter) const {
  if (letter < 'A' || letter > 'Z' || list < nlMale || list > nlFamily) return {};
  const std::uint32_t offset = letters_[LetterSlot(list, letter)];
  if (offset >= bytes_.size()) return {};
  const std::size_t size = std::min<std::size_t>(NameBankLetterLimit, bytes_.size() - offset);
  return DecodeNameLetter(std::string_view(reinterpret_cast<const char*>(bytes_.data()) + offset, size), list, letter);
}

}  // namespace qm
