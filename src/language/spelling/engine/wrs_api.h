// The spelling library's calling contract: its entry points, argument
// orders, buffer sizes and result codes. The library (built from this
// folder over Hunspell) and the program's bridge both hold to it; the
// program finds the library in its folder at run time and looks each
// entry point up by name.
#pragma once

#include <cstdint>

namespace qm::wrs {

using Result = std::uint32_t;
using EngineHandle = std::uint32_t;
using DictionaryId = std::uint16_t;

constexpr Result Ok = 0;

// WRScheck's answers besides 0 (known).
constexpr Result CaseMismatch = 0x808E4050;       // known with an initial capital only
constexpr Result Abbreviation = 0x808E4051;       // known as an abbreviation (written with ".")
constexpr Result HyphenatedUnknown = 0x808E4052;  // unknown, and written with "-"
constexpr Result UnknownWord = 0x808E4053;
constexpr Result NeedsCapitals = 0x808E4056;   // known in capitals only
constexpr Result HasReplacement = 0x808E4057;  // known, with an automatic replacement

// Failures.
constexpr Result ProcessFailed = 0x808E7001;
constexpr Result DictionaryDamaged = 0x808E7002;
constexpr Result NotAReference = 0x808E7003;
constexpr Result BadRevision = 0x808E7005;
constexpr Result NullPointer = 0x808E7006;
constexpr Result BadDictionaryId = 0x808E7007;
constexpr Result OutOfMemory = 0x808E7008;
constexpr Result CannotCreate = 0x808E7009;
constexpr Result CannotOpen = 0x808E7010;
constexpr Result InvalidLanguage = 0x808E7011;
constexpr Result NoMoreEntries = 0x808E7012;

// WRSopen's flag for a language's main dictionary.
constexpr std::int32_t MainDictionaryFlag = 0x100;

// WRScorrect fills a buffer of this size with up to the asked number of
// suggestions, each zero-terminated, one after another; each suggestion
// is at most SuggestionChars long.
constexpr int SuggestionBufferSize = 766;
constexpr int MaxSuggestions = 15;
constexpr int SuggestionChars = 50;
// WRSgetreplacement's, WRSgetdata's and the listing calls' buffers.
constexpr int TextBufferSize = 256;
// The longest word or replacement a dictionary keeps.
constexpr int MaxEntryChars = 255;

extern "C" {
using WRSinitFn = Result (*)(std::int32_t language, EngineHandle* engine);
using WRSterminateFn = Result (*)(EngineHandle engine);
using WRSopenFn = Result (*)(EngineHandle engine, const char* path, std::int32_t flags, DictionaryId* id);
using WRScreateFn = Result (*)(EngineHandle engine, const char* path, DictionaryId* id);
// The number of entries of an open dictionary.
using WRSheaderFn = Result (*)(EngineHandle engine, DictionaryId id, std::int32_t* entries);
using WRScheckFn = Result (*)(EngineHandle engine, const char* word);
using WRSaddFn = Result (*)(EngineHandle engine, DictionaryId id, const char* word, const char* second);
using WRScloseFn = Result (*)(EngineHandle engine, DictionaryId id);
using WRScorrectFn = Result (*)(EngineHandle engine, const char* word, std::int32_t count, char* buffer);
using WRSdeleteFn = Result (*)(EngineHandle engine, DictionaryId id, const char* word);
// Walking a user dictionary's words in order; each fills a buffer of
// TextBufferSize bytes.
using WRSfirstFn = Result (*)(EngineHandle engine, DictionaryId id, char* word);
using WRSgetdataFn = Result (*)(EngineHandle engine, DictionaryId id, const char* word, char* second);
using WRSgetreplacementFn = Result (*)(EngineHandle engine, const char* word, char* replacement);
using WRSnextFn = Result (*)(EngineHandle engine, DictionaryId id, char* word);
using WRSprevFn = Result (*)(EngineHandle engine, DictionaryId id, char* word);
using WRSrecoverFn = Result (*)(EngineHandle engine, const char* path);
}

}  // namespace qm::wrs
