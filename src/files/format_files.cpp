#include "files/format_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "files/element_records.h"
#include "files/file_job.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "files/script_header.h"
#include "language/user_lists.h"
#include "platform/profile.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_identity.h"
#include "base/program_options.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "base/document_table.h"

namespace qm {

namespace {

// ---- The keys of the defaults ------------------------------------------------

struct TByteKey {
  const char* section;
  const char* key;
  Byte TScriptSettings::*field;
};
struct TWordKey {
  const char* section;
  const char* key;
  Word TScriptSettings::*field;
};
struct TTextKey {
  const char* section;
  const char* key;
  std::string TScriptSettings::*field;
  std::size_t capacity;
};

constexpr const char* kBreaking = "Page Breaking";
constexpr const char* kNumbering = "Scene Numbering";
constexpr const char* kLayout = "Page Layout";
constexpr const char* kHeaders = "Headers";
constexpr const char* kText = "Text";
constexpr const char* kRevisions = "Revision Draft Options";

constexpr TByteKey kByteKeys[] = {
    {"Word Wrapping", "Flex Margin", &TScriptSettings::FlexMargin},
    {"Action", "Parentheticals", &TScriptSettings::ActionParentheticals},
    {"Action", "Outdented", &TScriptSettings::ActionOutdented},
    {"Parenthetical", "Outdented", &TScriptSettings::OutdentParentheticals},
    {"Parenthetical", "Separate Element", &TScriptSettings::ParentheticalsSeparate},
    {"Parenthetical", "Automatic", &TScriptSettings::AutoParentheses},
    {"Transition", "Flush Right", &TScriptSettings::TransitionsFlushRight},
    {"Character Name", "Join Scene Extensions", &TScriptSettings::JoinSceneExtensions},
    {"Character Name", "Centered", &TScriptSettings::CenterCharacterNames},
    {"Scene Information", "Centered", &TScriptSettings::CenterSceneInformation},
    {"Scene Information", "Not In Script", &TScriptSettings::SceneInformationOff},
    {"Act Information", "Centered", &TScriptSettings::CenterActInformation},
    {"Act Information", "Parentheses", &TScriptSettings::ActParentheses},
    {"Scene Information", "Parentheses", &TScriptSettings::SceneInfoParentheses},
    {"Act Information", "Goes To Scene", &TScriptSettings::ActGoesToScene},
    {"Act Information", "Scene Info Text", &TScriptSettings::ActSceneInfoText},
    {"Act Information", "Tag", &TScriptSettings::ActTagSetting},
    {"Script Note", "Print Notes", &TScriptSettings::PrintScriptNotes},
    {"Scene Heading", "Keep Apart", &TScriptSettings::KeepSceneHeadingsApart},
    {kBreaking, "Action", &TScriptSettings::ActionBreakMode},
    {kBreaking, "Dialogue", &TScriptSettings::DialogueBreakMode},
    {kBreaking, "Min Dialogue Lines", &TScriptSettings::MinDialogueLines},
    {kBreaking, "Min ActionLines", &TScriptSettings::MinActionLines},
    {kBreaking, "Transition on 1st Line", &TScriptSettings::TransitionOnFirstLine},
    {kBreaking, "Transition on Continued Line", &TScriptSettings::TransitionOnContinuedLine},
    {kBreaking, "Scenes on Top Continued Line", &TScriptSettings::ScenesOnTopContinuedLine},
    {kBreaking, "Break after single sentence", &TScriptSettings::BreakAfterSingleSentence},
    {kBreaking, "Break two 1 liners", &TScriptSettings::BreakTwoOneLiners},
    {kBreaking, "Count More Line", &TScriptSettings::CountMoreLine},
    {kBreaking, "Start Page Line", &TScriptSettings::FirstPageLine},
    {"Continued Text", "Position", &TScriptSettings::ContinuedPosition},
    {"Continued Text", "Same Extension", &TScriptSettings::ContinuedSameExtension},
    {"Continued Text", "Only First Name", &TScriptSettings::ContinuedNamesOnlyFirst},
    {kNumbering, "Left Number", &TScriptSettings::LeftNumber},
    {kNumbering, "Right Number", &TScriptSettings::RightNumber},
    {kNumbering, "Right Number On Top Line", &TScriptSettings::RightNumberOnTopLine},
    {kNumbering, "Flip Locked Scene Numbers", &TScriptSettings::FlipLockedSceneNumbers},
    {kNumbering, "Top Scene Continued", &TScriptSettings::TopSceneContinued},
    {kNumbering, "Bottom Scene Continued", &TScriptSettings::BottomSceneContinued},
    {kNumbering, "Number Continuously", &TScriptSettings::NumberScenesContinuously},
    {kNumbering, "Scenes Within Acts", &TScriptSettings::ScenesWithinActs},
    {kNumbering, "Act Numbering", &TScriptSettings::ActNumberingScheme},
    {kNumbering, "Act Display Style", &TScriptSettings::ActDisplayStyle},
    {kNumbering, "Scene Info Display Style", &TScriptSettings::SceneInfoDisplayStyle},
    {kNumbering, "Letter Placement", &TScriptSettings::SceneLetterPlacement},
    {kNumbering, "Dash Scheme", &TScriptSettings::SceneDashScheme},
    {kNumbering, "Scene Suffix Style", &TScriptSettings::SceneSuffixStyle},
    {kNumbering, "Page Suffix Style", &TScriptSettings::PageSuffixStyle},
    {kNumbering, "Page Blank Letter", &TScriptSettings::PageBlankLetterRule},
    {kNumbering, "Dialogue Numbering", &TScriptSettings::DialogueNumbering},
    {kNumbering, "Time Of Day Dashes", &TScriptSettings::TimeOfDayDashes},
    {kNumbering, "Time Of Day Spaces", &TScriptSettings::TimeOfDaySpaces},
    {kLayout, "Text Spacing", &TScriptSettings::TextSpacing},
    {kLayout, "Blank Spacing", &TScriptSettings::BlankSpacing},
    {kLayout, "Font Percent", &TScriptSettings::FontPercent},
    {kLayout, "Top Margin", &TScriptSettings::TopMargin},
    {kLayout, "Bottom Margin", &TScriptSettings::BottomMargin},
    {kLayout, "Binding Margin", &TScriptSettings::BindingMargin},
    {kLayout, "Stretch Short Pages", &TScriptSettings::StretchShortPages},
    {kLayout, "Stretch Min Lines", &TScriptSettings::StretchMinLines},
    {kLayout, "Stretch Max Lines", &TScriptSettings::StretchMaxLines},
    {kLayout, "Font Size", &TScriptSettings::ScriptFontSize},
    {kHeaders, "Blank Lines", &TScriptSettings::HeaderBlankLines},
    {kHeaders, "Alignment", &TScriptSettings::HeaderAlignment},
    {kHeaders, "Date Form", &TScriptSettings::HeaderDateForm},
    {kHeaders, "Pages", &TScriptSettings::HeaderPages},
    {kRevisions, "Loop Colors Names", &TScriptSettings::RevisionLoopStyle},
    {"Format Options", "Interactive Script", &TScriptSettings::InteractiveScript},
    {"Format Options", "Character List Parentheses", &TScriptSettings::CharacterListParentheses},
    {"Format Options", "Forced Page Banner", &TScriptSettings::ForcedPageBanner},
    {"Format Options", "Omitted Scene Display", &TScriptSettings::OmittedSceneDisplay},
};

constexpr TWordKey kWordKeys[] = {
    {kNumbering, "Act Start", &TScriptSettings::ActStart},
    {kNumbering, "Scene Start", &TScriptSettings::SceneStart},
    {kNumbering, "Page Start", &TScriptSettings::PageStart},
    {"Act Information", "Last Act", &TScriptSettings::LastActNumber},
};

constexpr TTextKey kTextKeys[] = {
    {kText, "Character Continued", &TScriptSettings::CharacterContinuedText, capacity::ContinuedText},
    {kText, "Continued Separator", &TScriptSettings::ContinuedSeparator, capacity::ContinuedSeparator},
    {kText, "Character More Continued", &TScriptSettings::MoreContinuedText, capacity::ContinuedText},
    {kText, "More Text", &TScriptSettings::MoreText, capacity::MoreText},
    {kText, "Bottom Scene Continued", &TScriptSettings::BottomSceneContinuedText, capacity::SceneContinuedText},
    {kText, "Top Scene Continued", &TScriptSettings::TopSceneContinuedText, capacity::SceneContinuedText},
    {kText, "Scene Omit Text", &TScriptSettings::SceneOmitText, capacity::SceneOmitText},
    {kText, "Scene Thru Text", &TScriptSettings::SceneThruText, capacity::SceneJoinText},
    {kText, "Scene And Text", &TScriptSettings::SceneAndText, capacity::SceneJoinText},
    {kHeaders, "Line 1", &TScriptSettings::HeaderLine1, capacity::HeaderLine},
    {kHeaders, "Line 2", &TScriptSettings::HeaderLine2, capacity::HeaderLine},
    {kHeaders, "Revision Mark", &TScriptSettings::RevisionMarkText, capacity::RevisionMarkText},
    {kLayout, "Font Name", &TScriptSettings::ScriptFontName, capacity::FontName},
};

struct TMarginKey {
  const char* key;
  Byte TColumnMargins::*field;
};
constexpr TMarginKey kMarginKeys[] = {
    {"Left 1", &TColumnMargins::Left1},
    {"Right 1", &TColumnMargins::Right1},
    {"Left 2", &TColumnMargins::Left2},
    {"Right 2", &TColumnMargins::Right2},
};

// One settings section per element format slot (slot 6 copies Dialogue).
constexpr const char* kSlotSections[FormatSlotCount] = {
    "Action", "Scene Heading",  "Shot",          "Script Note", "Centered Title",  "Dialogue",
    nullptr,  "Character Name", "Parenthetical", "Transition",  "Act Information", "Scene Information",
};

struct TFormatKey {
  const char* key;
  Byte TElementFormat::*field;
};
constexpr TFormatKey kFormatKeys[] = {
    {"Left Margin", &TElementFormat::LeftMargin},
    {"Right Margin", &TElementFormat::RightMargin},
    {"Lines Before", &TElementFormat::LinesBefore},
    {"All Caps", &TElementFormat::AllCaps},
    {"Line Spacing", &TElementFormat::Spacing},
    {"Font And Color", &TElementFormat::FontAndColor},
    {"Font Size", &TElementFormat::FontSize},
    {"Carried", &TElementFormat::Carried},
    {"Style", &TElementFormat::Style},
};

struct TDraftColour {
  const char* name;
  TColor colour;
};
constexpr TDraftColour kDraftColours[] = {
    {"WHITE", 0xFFFFFF},     {"BLUE", 0xFFE0C0},   {"PINK", 0xE0C0FF},   {"YELLOW", 0xA0FFFF}, {"GREEN", 0xC0FFC0},
    {"GOLDENROD", 0x20A5DA}, {"SALMON", 0x7280FA}, {"CHERRY", 0x6331DE}, {"BUFF", 0x82DCF0},   {"TAN", 0x8CB4D2},
};

std::string ColourText(TColor colour) {
  if (colour == clNone) return "";
  char text[12];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(colour));
  return text;
}

void ReadRevisionColours(const TIniFile& ini, TScriptRecord& r) {
  r.RevisionColours.Clear();
  for (int n = 1;; ++n) {
    const std::string name = ini.ReadString(kRevisions, "Revision Color #" + std::to_string(n), "");
    if (name.empty()) break;
    r.AddRevisionColour(name, ini.ReadInteger(kRevisions, "Real Revision Color #" + std::to_string(n), clNone));
  }
  if (r.RevisionColours.Count() == 0) SetStandardRevisionColours(r);
}

void WriteRevisionColours(TIniFile& ini, const TScriptRecord& r) {
  ini.EraseSection(kRevisions);
  ini.WriteInteger(kRevisions, "Loop Colors Names", r.RevisionLoopStyle);
  for (int i = 0; i < r.RevisionColours.Count(); ++i) {
    const std::string n = std::to_string(i + 1);
    ini.WriteString(kRevisions, "Revision Color #" + n, r.RevisionColours[i]);
    ini.WriteString(kRevisions, "Real Revision Color #" + n, ColourText(r.RevisionColourOf(i)));
  }
}

void ReadFormatSet(const TIniFile& ini, TFormatSet& set) {
  const TFormatSet standard = TScriptSettings().FormatSet;
  for (int slot = 0; slot < FormatSlotCount; ++slot) {
    const char* section = kSlotSections[slot];
    if (!section) continue;
    TElementFormat& f = set[static_cast<std::size_t>(slot)];
    f = standard[static_cast<std::size_t>(slot)];
    for (const auto& k : kFormatKeys) f.*k.field = static_cast<Byte>(ini.ReadInteger(section, k.key, f.*k.field));
    f.NumberWord = static_cast<Word>(ini.ReadInteger(section, "Number Word", f.NumberWord));
  }
  set[fsDialogueCopy] = set[fsDialogue];
}

void WriteFormatSet(TIniFile& ini, const TFormatSet& set) {
  for (int slot = 0; slot < FormatSlotCount; ++slot) {
    if (!kSlotSections[slot]) continue;
    const TElementFormat& f = set[static_cast<std::size_t>(slot)];
    for (const auto& k : kFormatKeys) ini.WriteInteger(kSlotSections[slot], k.key, f.*k.field);
    ini.WriteInteger(kSlotSections[slot], "Number Word", f.NumberWord);
  }
}

// Every element takes its kind's format again; its type and number word
// (locked numbers, note colours) stay.
void ApplyFormatsToElements(TScriptDocument& s) {
  for (TScriptElement* e = s.FirstElement; e; e = e->next) {
    const int slot = FormatSlotOfKind(e->Kind());
    if (slot < 0) continue;
    TElementFormat f = s.FormatSet[static_cast<std::size_t>(slot)];
    f.Kind = e->format.Kind;
    f.NumberWord = e->format.NumberWord;
    e->format = f;
    e->lineOffsets.clear();
  }
}

// The skipped letters as 64 hexadecimal digits, two per byte of the set.
std::string SkipLettersText(const std::array<Byte, 32>& set) {
  std::string text;
  char pair[3];
  for (Byte b : set) {
    std::snprintf(pair, sizeof pair, "%02X", b);
    text += pair;
  }
  return text;
}

void ReadSkipLetters(const std::string& text, std::array<Byte, 32>& set) {
  if (text.size() != 2 * set.size()) return;
  std::array<Byte, 32> read{};
  for (std::size_t i = 0; i < set.size(); ++i) {
    char* end = nullptr;
    const std::string pair = text.substr(2 * i, 2);
    read[i] = static_cast<Byte>(std::strtoul(pair.c_str(), &end, 16));
    if (*end != '\0') return;
  }
  set = read;
}

bool IsDefaultFormatsFile(const std::string& fileName) {
  return SameText(ExtractFileName(fileName), "DEFAULT.FMT") &&
         ExpandFileName(ExtractFilePath(fileName)) == ExpandFileName(ProgramFolder());
}

void ZeroField(std::vector<Byte>& image, const char* name) {
  for (const auto& f : ScriptHeaderFields())
    if (f.Name == name) std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(f.Offset), f.Size, Byte{0});
}

}  // namespace

void SetStandardRevisionColours(TScriptRecord& r) {
  r.RevisionColours.Clear();
  for (const auto& draft : kDraftColours) r.AddRevisionColour(draft.name, draft.colour);
}

void SaveRevisionColoursAsDefaults(const TScriptRecord& record) {
  TIniFile ini(SettingsFileName);
  WriteRevisionColours(ini, record);
}

void ReadFormatDefaults(TScriptRecord& r) {
  const TIniFile ini(SettingsFileName);
  const TScriptSettings fresh;
  ReadFormatSet(ini, r.FormatSet);
  for (const auto& k : kByteKeys) r.*k.field = static_cast<Byte>(ini.ReadInteger(k.section, k.key, fresh.*k.field));
  for (const auto& k : kWordKeys) r.*k.field = static_cast<Word>(ini.ReadInteger(k.section, k.key, fresh.*k.field));
  for (const auto& k : kTextKeys)
    r.*k.field = CutToCapacity(ini.ReadString(k.section, k.key, fresh.*k.field), k.capacity);
  // The separator is kept in quotes in the file so that its blank survives.
  std::erase(r.ContinuedSeparator, '"');
  for (const auto& k : kMarginKeys) {
    r.AVDialogueMargins.*k.field = static_cast<Byte>(
        ini.ReadInteger("AV Columns", std::string("Dialogue ") + k.key, fresh.AVDialogueMargins.*k.field));
    r.AVOtherMargins.*k.field =
        static_cast<Byte>(ini.ReadInteger("AV Columns", std::string("Other ") + k.key, fresh.AVOtherMargins.*k.field));
  }
  r.SkipLetters = fresh.SkipLetters;
  ReadSkipLetters(ini.ReadString(kNumbering, "Skip Letters", ""), r.SkipLetters);
  ReadRevisionColours(ini, r);
  ReadUserLists(ini, UserListsSection, r.UserLists);
}

void SaveFormatsAsDefaults(const TScriptRecord& r) {
  TIniFile ini(SettingsFileName);
  ProfileWriteBatch batch(ini.FileName());
  WriteFormatSet(ini, r.FormatSet);
  for (const auto& k : kByteKeys) ini.WriteInteger(k.section, k.key, r.*k.field);
  for (const auto& k : kWordKeys) ini.WriteInteger(k.section, k.key, r.*k.field);
  for (const auto& k : kTextKeys) ini.WriteString(k.section, k.key, r.*k.field);
  for (const auto& k : kMarginKeys) {
    ini.WriteInteger("AV Columns", std::string("Dialogue ") + k.key, r.AVDialogueMargins.*k.field);
    ini.WriteInteger("AV Columns", std::string("Other ") + k.key, r.AVOtherMargins.*k.field);
  }
  ini.WriteString(kNumbering, "Skip Letters", SkipLettersText(r.SkipLetters));
  WriteRevisionColours(ini, r);
  WriteUserLists(ini, r.UserLists);
  if (!batch.Commit()) throw EIniFileError(ini.FileName());
}

void ReadFormatDefaults() {
  if (TMDIChild* script = ActiveScript()) ReadFormatDefaults(*script);
}

void SaveFormatsAsDefaults() {
  if (const TMDIChild* script = ActiveScript()) SaveFormatsAsDefaults(*script);
}

bool LoadFormatsFile(const std::string& fileName, bool silent, bool withUserLists, bool applyToElements) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  if (!IsDefaultFormatsFile(fileName) && !IsDocumentEmpty(ActiveDocument) &&
      !AskYesNo("Loading New formats will cause Quillmaster for Windows to reset all margins to the new "
                "settings, including any cheated elements!\r\rDo you REALLY want to continue?",
                "", false))
    return false;
  std::string error;
  const auto bytes = ReadFileBytes(fileName, &error);
  THeaderInfo info;
  const unsigned apply = hgFormats | (withUserLists ? hgUserLists : 0u);
  if (!bytes || !DecodeScriptHeader(*bytes, apply, *script, script->FontNameTable, info, nullptr, error)) {
    if (!silent)
      ShowMessageBox("Unable to load the formats of " + PathToText(fileName) + ":\r" + error + ".", "Warning");
    return false;
  }
  if (applyToElements) {
    ApplyFormatsToElements(*script);
    // Every element forgot the lines of its old format, those off the
    // screen too: all are wrapped again now.
    editor::RewrapForgottenLines(*script);
  }
  if (!silent) ShowMessageBox("New Formats have been Loaded.", "");
  return true;
}

std::vector<Byte> FormatsFileImage(const TScriptRecord& record, const TFontNames& fonts) {
  std::vector<Byte> image(ScriptHeaderSize);
  THeaderInfo info;
  info.ElementRecordSize = ElementRecordSize;
  EncodeScriptHeader(record, fonts, info, image, nullptr);
  // A format file carries no password.
  ZeroField(image, "Password");
  ZeroField(image, "ViewWithoutPassword");
  return image;
}

void SaveFormatsFile(const std::string& fileName) {
  const TMDIChild* script = ActiveScript();
  if (!script) return;
  const std::vector<Byte> image = FormatsFileImage(*script, script->FontNameTable);
  // The formats are the script's own: they take its mode.
  const auto why = WriteWholeFile(fileName, image, ModeFor(script->ScriptFileName));
  ShowMessageBox(why ? "Error Saving Defaults to " + PathToText(fileName) + ":\r" + *why + "." : "Defaults Saved", "");
}

}  // namespace qm
