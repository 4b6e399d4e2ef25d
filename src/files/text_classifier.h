// Foreign text carries no element types. The classifier joins its lines
// into paragraphs and decides for each what element it is (scene heading,
// action, cue, parenthetical, dialogue, shot, transition...) from the shape
// of the text, the script's own lists and names, and the writer's choices
// in the paste-as dialog. RTF reaches it after the RTF reader has reduced
// it to lines, some marked with a style that names their type directly.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "files/imported_text.h"
#include "script/model/script_record.h"
#include "script/model/user_list_entries.h"

namespace qm {

class TMDIChild;

// What the classifier knows of the script the text goes into.
struct TClassifierContext {
  TUserListTables Lists;
  // The script's character names, upper case.
  std::unordered_set<std::string> CharacterNames;
  std::string CharacterContinuedText = "CONT'D";
  std::string TopSceneContinuedText = "CONTINUED:";
  std::string BottomSceneContinuedText = "(CONTINUED)";
  std::string SceneOmitText = "OMITTED";
  std::string SentenceSpacing = "  ";
  Byte DialogueLinesBefore = 10;
  // A yes/no question to the writer; the program's question box when empty.
  std::function<bool(const std::string& question)> Ask;
  // Names the element type of a style no rule knows: one of the known
  // style names, or "@" to leave its lines to the text rules. The "Identify
  // the Style" picker when empty.
  std::function<std::string(const std::string& styleName)> IdentifyStyle;
};

// The context of a script: its lists, names, continued texts and the
// program's sentence spacing.
TClassifierContext ClassifierContextOf(TMDIChild& script);

inline constexpr const char* MarkupQuestion =
    "Does this file use \"+\" and \"-\" to identify Scene Headings and Shots respectively?";
inline constexpr const char* UnderlineQuestion = "Does this file use \"_\" to identify Underline On/Off Codes?";

class TTextClassifier {
 public:
  TTextClassifier(const TClassifierContext& context, const TPasteChoices& choices);

  // The style names of an RTF style sheet, entry k naming style k+1 (upper
  // case, blanks removed). Lines marked "\s" and a number are typed by them.
  void SetStyleNames(std::vector<std::string> names);
  const std::vector<std::string>& StyleNames() const { return styleNames_; }
  // One run of prepared text: lines end in CR; blanks, "|" and a style mark
  // may lead a line. May be called again with the text that follows.
  void Classify(std::string_view text);
  // The text that follows is read without its indentation ("+", "-", "|").
  void IgnoreMargins() { choices_.IgnoreMargins = true; }
  // The elements made; a last cue with nothing after it becomes Action.
  TImportedElements Finish();
  // 0 not asked yet, 1 yes, 2 no.
  Byte MarkupAnswer() const { return markupAnswer_; }

 private:
  struct TLine;
  struct TRawLine {
    std::size_t start = 0, end = 0, next = 0;
    int endsAfter = 0;
  };
  enum class TOutcome { Drop, PageBreak, Keep };
  struct TVerdict {
    TOutcome outcome = TOutcome::Keep;
    int tidyFrom = 1;
  };

  TRawLine RawLineAt(std::string_view text, std::size_t pos) const;
  std::size_t SkipLineStart(std::string_view text, std::size_t pos, bool& indented, int& style) const;
  bool JoinsNext(const std::string& line, Byte lastChar, bool indented, int endsAfter, std::string_view next,
                 bool nextIndented);
  void ClassifyLine(TLine& line);
  TVerdict Decide(TLine& line);
  TVerdict DecideByStyle(TLine& line);
  TVerdict DecideByShape(TLine& line);
  TVerdict DecideCueLike(TLine& line);
  TVerdict ContinuedOrPageBreak(const TLine& line);
  void OpenTheScript();
  void Tidy(TLine& line, int from);
  void TidyHeadingNumbers();
  void TidyUnderlines();
  void Push();
  void MakePageBreak();

  // The script's words, upper case, prepared once.
  struct TWords {
    std::vector<std::string> sceneTexts, shotTexts, transitions, prologues, timesOfDay, extensionPatterns;
    std::string scriptOpen, sceneOmit, topContinued, bottomContinued, characterContinued;
  };
  static TWords PrepareWords(const TClassifierContext& context);
  static bool BeginsWithAny(const std::vector<std::string>& texts, const std::string& plainUpper);

  bool StandsAlone(std::string_view line, bool indented, bool asItself, int endsAfter);
  bool LooksLikeCue(std::string_view line, const std::string& upper, bool indented, bool asItself, int endsAfter) const;
  bool IsSceneHeading(std::string_view line, const std::string& upper);
  bool IsShot(std::string_view line, const std::string& upper);
  bool IsParenthetical(std::string_view line, bool indented) const;
  bool IsContinuedLine(const std::string& upper) const;
  bool IsSceneContinuedText(const std::string& upper) const;
  bool IsCharacterName(const std::string& plainUpper) const;
  bool CarriesScriptExtension(const std::string& plainUpper) const;
  bool IsScriptOpenText(const std::string& plainUpper) const;
  bool IsTransition(std::string_view line, const std::string& upper) const;
  bool IsPrologue(const std::string& plainUpper) const;
  bool AskMarkup(const char* question);
  const TImportedElement* Before() const { return out_.empty() ? nullptr : &out_.back(); }

  const TClassifierContext context_;
  TPasteChoices choices_;
  TWords words_;
  std::vector<std::string> styleNames_;
  std::vector<bool> styleAsked_;
  TImportedElements out_;
  TImportedElement current_;
  Byte markupAnswer_ = 0;
  bool speechContinues_ = false;
  bool pendingSecondPiece_ = false;
  int lineEndsBefore_ = 1;
};

// Plain text made ready for the classifier: every line end a single CR,
// bytes 0xFF and NUL gone, each TAB a line end, each form feed a line end
// (or, with `matchPageBreaks`, a line of its own).
std::string PreparePlainText(std::string_view text, bool matchPageBreaks);

// The whole of a Windows-1252 text through the classifier.
TImportedElements ClassifyPlainText(std::string_view ansiText, const TClassifierContext& context,
                                    const TPasteChoices& choices);

// The paste's reader of plain text (clipboard or file bytes in any of the
// encodings of text_encoding.h): the elements it makes. Characters that had
// to be replaced are said once.
struct TPlainTextSource {
  bool stripCodes = false;       // control bytes go (StrippedText) once the text is decoded
  bool ownCharacterSet = false;  // the program wrote it: Windows-1252, however UTF-8 it looks
};
TImportedElements ImportPlainText(std::string_view bytes, const TClassifierContext& context,
                                  const TPasteChoices& choices, TPlainTextSource source = {});

}  // namespace qm
