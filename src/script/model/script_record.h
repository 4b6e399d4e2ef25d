// The per-script settings a script carries with it: the format set, page
// layout, page breaking, continueds, numbering, locking and revision
// options, headers, texts, user lists and the script's own data. They are
// fields of the script window and what the native file's header record
// stores; every field here has its place in that record (see
// docs/native-file-format.md).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/stringlist.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

// Short strings keep their capacity: every store of a field "of at most N
// characters" goes through here.
std::string CutToCapacity(std::string_view s, std::size_t capacity);

// Capacities of the short-string fields.
namespace capacity {
constexpr std::size_t FontName = 30;
constexpr std::size_t ContinuedText = 12;
constexpr std::size_t ContinuedSeparator = 2;
constexpr std::size_t MoreText = 20;
constexpr std::size_t SceneContinuedText = 25;
constexpr std::size_t SceneOmitText = 13;
constexpr std::size_t SceneJoinText = 20;
constexpr std::size_t RevisionMarkText = 3;
constexpr std::size_t HeaderLine = 255;
constexpr std::size_t ProductionTitle = 75;
constexpr std::size_t ProductionCompany = 75;
constexpr std::size_t EpisodeNumber = 25;
constexpr std::size_t Director = 40;
constexpr std::size_t Draft = 25;
constexpr std::size_t ReportText = 25;
constexpr std::size_t UserDictionaryName = 8;
constexpr std::size_t StoryboardFileName = 255;
constexpr std::size_t Password = 20;
constexpr std::size_t HiddenNames = 255;
constexpr std::size_t UserListEntry = 20;
constexpr std::size_t UserListLongEntry = 45;
constexpr std::size_t BookmarkText = 25;
}  // namespace capacity

constexpr std::size_t TitlePageItemsSize = 525;  // 15 items of 35 bytes
constexpr std::size_t TitlePageTextSize = 1537;
constexpr int NoteColourCount = 26;
// An unset note colour: 0 or the inactive-caption colour.
constexpr bool IsUnsetNoteColor(TColor color) { return color == 0 || color == clInactiveCaption; }
// A script note's index into its script's note colours, kept in its
// number word (26 or more: none).
inline Word NoteColorIndexOf(const TScriptElement& note) { return note.format.NumberWord; }
constexpr int UserColourCount = 7;
constexpr int MaxBookmarks = 20;

// The script's lists of short texts offered while typing, each a fixed
// number of slots; an entry is "alias\text" or the text alone, with "&"
// before a shortcut letter; an empty slot is "".
struct TUserListTables {
  TUserListTables();
  std::array<std::string, 10> Extension;
  std::array<std::string, 12> TimeofDay;
  std::array<std::string, 8> Transition;
  std::array<std::string, 10> SceneText;
  std::array<std::string, 6> ShotText;
  std::array<std::string, 3> ActText;
  std::array<std::string, 5> PrologueText;
  std::array<std::string, 1> TagText;
  std::array<std::string, 1> EndofActText;
  std::array<std::string, 1> ScriptOpenText;
  std::array<std::string, 10> SceneBodyText;  // at most 45 characters
  std::array<std::string, 15> CharNames;
  std::array<std::string, 15> SubstitutionText;  // at most 45 characters
  friend bool operator==(const TUserListTables&, const TUserListTables&) = default;
};

// Margins of the two A/V columns, tenths of an inch from the page edges.
struct TColumnMargins {
  Byte Left1 = 0;
  Byte Right1 = 0;
  Byte Left2 = 0;
  Byte Right2 = 0;
  friend bool operator==(const TColumnMargins&, const TColumnMargins&) = default;
};

// Every plain per-script value, with the value a new script starts from.
struct TScriptSettings {
  TScriptSettings();

  // ---- Formats and fonts ----
  TFormatSet FormatSet;
  std::string ScriptFontName = "Courier New";
  Byte ScriptFontSize = 12;  // points; new elements take this size

  // ---- Page layout ----
  Byte TextSpacing = 100;   // percent of a text line's height
  Byte BlankSpacing = 100;  // percent of a blank line's height
  Byte FontPercent = 100;   // percent of the script font size
  Byte TopMargin = 10;      // tenths of an inch
  Byte BottomMargin = 10;
  Byte BindingMargin = 0;
  Byte StretchShortPages = 0;
  Byte StretchMinLines = 0;
  Byte StretchMaxLines = 0;
  Byte FirstPageLine = 0;  // "Start 1st/Forced Page on Line" minus 1
  Byte TimeOfDayDashes = 1;
  Byte TimeOfDaySpaces = 1;
  Word ActStart = 0;  // start offsets of the displayed numbers
  Word SceneStart = 0;
  Word PageStart = 1;

  // ---- Page breaking ----
  Byte ActionBreakMode = 2;  // 0 never, 1 sentence ends only, 2 preferred, 3 maximum lines
  Byte DialogueBreakMode = 2;
  Byte MinActionLines = 2;
  Byte MinDialogueLines = 2;
  Byte TransitionOnFirstLine = 0;
  Byte TransitionOnContinuedLine = 0;
  Byte ScenesOnTopContinuedLine = 0;
  Byte BreakAfterSingleSentence = 1;
  Byte BreakTwoOneLiners = 1;
  Byte CountMoreLine = 1;

  // ---- A/V columns ----
  TColumnMargins AVDialogueMargins{20, 45, 50, 15};
  TColumnMargins AVOtherMargins{15, 45, 45, 10};

  // ---- Element options ----
  Byte FlexMargin = 1;
  Byte ActionParentheticals = 0;  // [Action] "Parentheticals": Action shown in parentheses
  Byte ActionOutdented = 0;       // [Action] "Outdented"
  Byte TransitionsFlushRight = 1;
  Byte CenterCharacterNames = 0;
  Byte CenterSceneInformation = 0;
  Byte CenterActInformation = 0;
  Byte PrintScriptNotes = 0;
  Byte OutdentParentheticals = 0;
  Byte KeepSceneHeadingsApart = 0;  // the paste never joins a scene heading
  Byte CharacterListParentheses = 0;
  Byte SceneInformationOff = 0;  // "Use Scene Information in Script", inverted
  Byte JoinSceneExtensions = 0;
  Byte ParentheticalsSeparate = 0;  // a parenthetical is an element of its own
  Byte ActParentheses = 0;          // act information shown in parentheses
  Byte SceneInfoParentheses = 0;    // scene information shown in parentheses
  Byte AutoParentheses = 1;         // "(" typed in a name or dialogue opens a parenthetical
  Byte ForcedPageBanner = 0;        // forced breaks show as "FORCED PAGE", else "ACT/SCENE BREAK"
  Byte OmittedSceneDisplay = 0;     // omitted scene headings shown in full

  // ---- Continueds ----
  Byte ContinuedPosition = 0;  // 0 after the name, 1 in the parenthetical, 2 none
  Byte ContinuedSameExtension = 0;
  Byte ContinuedNamesOnlyFirst = 0;
  Byte TopSceneContinued = 0;
  Byte BottomSceneContinued = 0;

  // ---- Numbering ----
  Byte LeftNumber = 0;
  Byte RightNumber = 0;
  Byte RightNumberOnTopLine = 0;
  Byte FlipLockedSceneNumbers = 0;
  Byte NumberScenesContinuously = 0;
  Byte ScenesWithinActs = 0;
  Byte ActNumberingScheme = 0;
  Byte ActDisplayStyle = 1;  // 1 numbers .. 5 Roman numerals
  Byte SceneInfoDisplayStyle = 1;
  Byte SceneLetterPlacement = 0;
  Byte SceneDashScheme = 0;  // 0..2
  Byte SceneSuffixStyle = 0;
  Byte PageSuffixStyle = 0;  // 0..2
  Byte PageBlankLetterRule = 0;
  Byte DialogueNumbering = 0;
  std::array<Byte, 32> SkipLetters{};  // a bit per character code A-letters step over

  // ---- Interactive scripts and acts ----
  Byte InteractiveScript = 0;
  Byte ActGoesToScene = 0;
  Byte ActSceneInfoText = 0;
  Byte ActTagSetting = 0;
  Word LastActNumber = 0;

  // ---- Locking, revisions and other state of the script ----
  Byte ScenesLocked = 0;
  Byte PagesLocked = 0;
  Byte ScenesMultiLocked = 0;
  Byte PagesMultiLocked = 0;
  Byte DialogueNumberingLock = 0;
  Byte HeadersLocked = 0;  // page headers locked: edits update them
  Byte HeaderTextLocked = 0;
  Byte RevisionMarking = 0;
  Byte AutoRevisionColor = 0;  // 0 off, 1 blue, 2 red, 3 green
  Byte CurrentRevision = 0;    // index in RevisionColours
  Byte RevisionSetLocked = 0;
  std::array<Byte, 2> RevisionLevelOptions{};
  Byte FirstPageRevision = 0;
  Byte FirstPageRevised = 0;
  Byte ShowPageColours = 0;
  std::array<Byte, 8> KeyOptionBytes{};  // option bytes of single key-command steps
  Byte TaggingUsed = 0;                  // breakdown tagging codes are in the text
  Byte CharacterListsGenerated = 0;
  Byte HideStoryboardLinks = 0;
  Byte UsesUserColours = 0;
  Byte TypingColorCode = 253;  // open code of the current user colour
  Byte CurrentColor = 0;
  std::uint32_t HiddenKinds = 0;  // a bit per element kind 0 to 31
  Word SpellLanguage = 1;         // 1 American English .. 10 Norwegian

  // ---- Revision colours and headers ----
  Byte RevisionLoopStyle = 1;  // [Revision Draft Options] "Loop Colors Names"
  std::string RevisionMarkText = "*";
  Byte HeaderBlankLines = 1;
  Byte HeaderAlignment = 0;
  Byte HeaderDateForm = 0;
  Byte HeaderPages = 0;  // 0 every page, 1 not page one, 2 not a scene's first page
  std::string HeaderLine1;
  std::string HeaderLine2;

  // ---- Texts ----
  std::string CharacterContinuedText = "CONT'D";
  std::string MoreContinuedText = "CONT'D";
  std::string ContinuedSeparator = "; ";
  std::string MoreText = "MORE";
  std::string BottomSceneContinuedText = "(CONTINUED)";
  std::string TopSceneContinuedText = "CONTINUED:";
  std::string SceneOmitText = "OMITTED";
  std::string SceneThruText = "THRU";
  std::string SceneAndText = "AND";

  // ---- The script's own data ----
  std::string ProductionTitle;
  std::string ProductionCompany;
  std::string EpisodeNumber;
  std::string Director;
  std::string Draft;
  std::string ReportSortText = "First";
  std::string AtmosphereText = "Atmosphere";
  std::array<Byte, 10> AtmosphereLocationFlags{};
  std::string UserDictionaryName;
  std::string StoryboardFileName;
  std::array<TColor, NoteColourCount> NoteColours{};  // 0 is unset
  std::array<TColor, UserColourCount> UserColours{clMaroon, clNavy, clPurple, clTeal, clOlive, clGray, clFuchsia};
  // Hidden character names: each followed by ",", a "," inside a name
  // stored as "|"; the first string fills first.
  std::array<std::string, 2> HiddenNames;
  std::string Password;
  Byte ViewWithoutPassword = 0;
  std::array<Byte, TitlePageItemsSize> TitlePageItems{};
  std::array<Byte, TitlePageTextSize> TitlePageText{};

  // ---- User lists ----
  TUserListTables UserLists;

  friend bool operator==(const TScriptSettings&, const TScriptSettings&) = default;
};

// The element kinds a script writes centred, a bit per kind: Centered Title
// always; Character Name, Scene Information and Act Information (with the
// act start, prologue and end of act texts) when the script centres them.
std::uint32_t CenteredKinds(const TScriptSettings& settings);

// Objects the record's lists carry.
struct TColourObject : TObject {
  explicit TColourObject(TColor colour) : Colour(colour) {}
  TColor Colour;
};
struct TSubstituteName : TObject {
  explicit TSubstituteName(std::string reported) : ReportedName(std::move(reported)) {}
  std::string ReportedName;
};

struct TScriptRecord : TScriptSettings {
  TScriptRecord();

  // Revision names with their display colour (TColourObject; none for an
  // entry without one); entry 0 is the first version's colour.
  TStringList RevisionColours;
  TStringList ExtraLocations;
  TStringList HiddenLocations;
  // Upper-case alias names, each with the reported name (TSubstituteName).
  TStringList CharacterAliasList;
  TStringList LocationAliasList;
  // Storyboard frame ids as decimal text; entry 0 is always "0".
  TStringList StoryboardLinks;
  // The associations of breakdown items with names, as the file holds them.
  std::vector<Byte> Associations;
  // Whether the script may be edited; comes from the file's read-only
  // state, not from the file.
  Byte Editable = 1;

  // The revision colour a new script starts with, and the ten of the
  // defaults for new scripts.
  void ResetRevisionColours();
  void AddRevisionColour(const std::string& name, TColor colour);
  // The display colour of entry `index`; clNone when it has none.
  TColor RevisionColourOf(int index) const;
  void AddAlias(TStringList& list, const std::string& alias, const std::string& reported);
  static std::string ReportedNameOf(const TStringList& list, int index);
};

}  // namespace qm
