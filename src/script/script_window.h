// The script window: one MDI child per open script. It is the script's
// document (its record, elements and groups) and edit line, and it owns
// them and everything else of its script until it is freed; its own
// fields are the screen: widths, screen lines, painting and events.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/stringlist.h"
#include "script/model/script_model.h"
#include "script/model/edit_line.h"
#include "script/model/script_document.h"
#include "script/model/script_record.h"

namespace qm {

// Character-width tables: four layout tables at 300 dots per inch, then
// four screen tables at the display font and zoom; each by style
// (plain, bold, italic, bold italic) and character code.
enum TWidthStyle { wsPlain = 0, wsBold = 1, wsItalic = 2, wsBoldItalic = 3 };
using TWidthTable = std::array<std::int32_t, 256>;

struct TLayoutPass;

class TMDIChild : public TForm, public TScriptDocument, public TEditLine {
 public:
  explicit TMDIChild(TComponent* owner);
  ~TMDIChild() override;

  const std::string* EditedText(const TScriptElement& e) const override {
    return &e == CurrentElement() && !e.text ? &EditBuffer() : nullptr;
  }

  // 1. Screen and caret state.
  Word AvailableWidth = 0;
  Byte MouseSelecting = 0;
  TColor BackgroundColor = clWhite;
  Byte FoundMarkerLeft = 0;
  Byte FoundMarkerRight = 0;
  // 2. When the idle loop repaginates this script, in tenths of a second.
  std::int64_t RepaginateDue = 0;
  // 3. Character widths.
  std::array<TWidthTable, 4> LayoutWidths{};
  std::array<TWidthTable, 4> ScreenWidths{};
  bool WidthsStale = true;
  // 4. Layout flags.
  Byte LayoutDue = 0;
  Byte ScreenDirty = 0;
  Byte ShotStoredWhileInteractive = 0;
  // 6. Window flags.
  Byte SkipNextPaint = 0;
  Byte Closing = 0;
  Word ScreenLineHeight = 0;
  Byte RulerShown = 0;
  Byte ScreenFontSize = 0;
  Word DotWidth = 0;
  // 7. Printer metrics of the script font.
  int PrinterLineHeight = 0;
  Byte PrintingState = 0;
  // 8. The visible lines, numbered 1 to 150 (entry 0 unused).
  std::array<TScreenLine, ScreenLineCount + 1> ScreenLines{};
  // Keeps the title; the window text itself is "Script" and the title bar
  // shows the title.
  void SetScriptCaption(const std::string& title);
  // The title bar text from the script's name and the window's width.
  void PaintTitle();

  // ---- Window lifetime: creation, activation, painting, closing ----
  // Initialises the script: one empty Action element in one group, the
  // default formats, the caret at line 1 column 0, insert mode.
  void Created();
  // Makes this window's own slot the active document.
  void SetChildNumber();
  // Arms the repagination time and adds layout reasons.
  void StartPaginateTimer(Byte reasons);
  void FormActivate(TObject* sender);
  void FormDeactivate(TObject* sender);
  void LoseFocus();
  void FormPaint(TObject* sender);
  void FormResize(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormDestroy(TObject* sender);
  void FormKeyDown(TObject* sender, Word& key, TShiftState shift);
  // In tagging mode a block marked with Shift and the arrows is offered
  // the breakdown categories at the caret when Shift is let go.
  void FormKeyUp(TObject* sender, Word& key, TShiftState shift);
  void WndProc(TMessage& message) override;
  TTimer* ClickTimer = nullptr;
  bool ResizeAttached = true;

  // ---- Edit protocol and element list operations ----
  // The current element's text into EditBuffer, and back.
  void DisAssemble();
  void Assemble();
  // The characters storing an element's text takes off its end (empty
  // when it keeps them).
  std::string StoringTrims(const TScriptElement& e) const;
  // A Character Name's text as storing keeps it: without the blanks at its
  // end, upper case up to its first "(", its colour codes as they are.
  std::string StoredCueText(std::string text) const;
  // Appends a new element after the current one and makes it current.
  void NewIndex();
  // The new-element operation behind Enter and choosing a type.
  bool Nw_Elmnt(bool repaint, bool forceAfter, bool scroll, bool flag);
  // The Enter key.
  void NewElement(bool interactive, bool forceAfter, bool keepType);
  // Splits the current element at the caret.
  void BreakElement();
  // Removes the current element from the list and frees it.
  void DisposeIndex(bool repaint);
  // The Delete Element command.
  void Delete_Element();
  // The format a new element takes: that of the type chosen next.
  TElementFormat CurrentFormat;
  Byte RenumberDue = 0;
  Byte ContinuedCheckDue = 0;

 private:
  void AfterNewElement();
  // Repeats the speaker's name at the caret over the rest of a speech;
  // true when it did.
  bool ContinueSpeech(bool keepType);
  void TakeAvColumn();
  void DetachFromGroup(TScriptElement* removed);

 public:
  // ---- Word wrap ----

  // Breaks an element's text into lines as they print, records them in
  // LineOffsets (the current element) or the element's saved offsets (a
  // stored element), and with screenOutput lays them on the screen.
  void WordWrapText(TScriptElement* element, std::string_view text, bool updateView, bool screenOutput);
  // Rewraps with screen output; the lines below move when the count changes.
  void WrapScreenText(TScriptElement* element, std::string_view text);

  // ---- Character widths and code labels ----

  // What the width tables were measured for; a change of any of it (or
  // WidthsStale) measures them again.
  struct TMeasuredFont {
    std::string name;
    int size = 0;
    std::string displayFont;
    int zoom = 0;
    int screenDpi = 0;
    bool showCodes = false;
    bool fillOut = false;
    bool userColors = false;
    bool showTags = false;
    friend bool operator==(const TMeasuredFont&, const TMeasuredFont&) = default;
  };
  TMeasuredFont MeasuredFont;
  // The layout tables by upper-case character, for all-capitals elements.
  std::array<TWidthTable, 4> LayoutCapsWidths{};
  // Screen character height: the zoomed font's absolute height + 2.
  Word ScreenCharHeight = 0;
  // Tables measured before in this window, so that a script whose elements
  // use several fonts is not measured again at every change of font.
  struct TMeasuredTables {
    TMeasuredFont key;
    std::array<TWidthTable, 4> layout, screen, layoutCaps;
    Word charHeight;
  };
  std::vector<TMeasuredTables> MeasuredTables;

  // ---- Screen lines and painting ----

  // Pixels the text is scrolled to the left, and the y of screen line 1.
  int LeftTextOffset = 0;
  int TextTopOffset = 0;
  // The screen font's ascent and descent in pixels.
  Word ScreenAscent = 0;
  Word ScreenDescent = 0;

  // Paints the marked screen lines (every line with full or ScreenDirty).
  void RedisplayScreen(bool full);
  // Paints the screen lines of CurrentElement only.
  void DisplayElement();
  // Lays out the rule, banner and continued lines of a page-break element.
  void WrapPageBreak(TScriptElement* element);
  // Font style and colours of one attribute byte on the canvas; tells
  // whether the run is underlined (the caller draws the line).
  void SetCanvasFontStyle(Byte attribute, int line, const TScriptElement* element, bool& underline);
  // The attribute byte an element's text starts from before its codes.
  void SetupFontStyle(Byte& attribute, const TElementFormat& format) const;

  // ---- Screen rebuild, caret and focus ----

  // The caret in client pixels, without the horizontal scroll.
  int CaretX = 0;
  int CaretY = 0;
  // Last reported caret position (for the position display).
  const TScriptElement* ReportedCaretElement = nullptr;
  Word ReportedCaretLine = 0;
  Word ReportedCaretColumn = 0;
  // The last position remembered for "Last Position".
  TScriptElement* LastPositionElement = nullptr;
  Word LastPositionLine = 0;
  std::int16_t LastPositionScreenLine = 0;
  Word LastPositionColumn = 0;

  // ---- Typing keys and mouse clicks ----
  void FormKeyPress(TObject* sender, char& key);
  void FormMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // ---- Mouse editing, block selection and drag and drop ----
  void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void FormMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void FormClick(TObject* sender);
  void FormDblClick(TObject* sender);
  // The grow action of a double click: the next larger unit is selected.
  void BlockClick(TObject* sender);
  // "Turn off Block", and the click timer's tick after a single click on
  // a block.
  void TurnoffBlockItemClick(TObject* sender);
  // Keys typed while a long job ran, replayed when it ends.
  std::string TypeAheadBuffer;
  // Types what the buffer holds (after a job ended).
  void ReplayTypeAhead();
  void AddSentenceSpacing(size_t blankColumn);
  void TypeOneCharacter(char ch, bool fromUser);
  void ClearBlockForTyping();

  // ---- Keyboard commands, transitions and recognition ----
  // The character name each Alt+letter types, by the letter's code (at
  // most 40 characters; empty while none is assigned), and the letter of
  // the last Alt+letter command.
  std::array<std::string, 256> AltLetterNames{};
  Byte LastAltLetter = 0;

  // ---- Element groups ----
  // Rebuilds the whole chain of groups from the element list (reusing the
  // records), numbers pages and speeches, then renumbers the scenes. Within
  // a layout pass the rebuild lists the automatic breaks it meets for it.
  void RebuildElementGroups(TLayoutPass* pass = nullptr);
  // The group's printed height in printer dots, from the cache when valid.
  std::int32_t MeasureLineRun(TElementGroup* group);
  // A new group beginning at `first`, linked after the current group and
  // before `successor` (none: at the end); it becomes the current group.
  void LinkNewGroup(TScriptElement* first, TElementGroup* successor);
  void InsertGroupBefore(TScriptElement* first);
  void InsertGroupAfter(TScriptElement* first);
  // Frees the group after the current one.
  void DeleteNextGroup();
  // Unlinks and frees the element after `at`; within a layout pass, the
  // screen is looked at only when the element may be on it.
  void DeleteNextElement(TScriptElement* at, TLayoutPass* pass = nullptr);
  // The Keep Together commands: toggles the state of the current group's
  // first element; the new state (1 or 2 keep, 0 free).
  Byte KeepGroupTogether(bool withFollowing);
  // Keeps the chain whole after an element was linked in after the
  // element that was current (the new element is current).
  void RegroupAfterNewElement();
  // Moves `at` and the elements after it that share the current group into
  // a new group after it; both are marked stale.
  void SplitGroupAt(TScriptElement* at);

  // ---- Repagination and page-break elements ----
  // Who asks for a repagination: the idle loop, or a command, printing,
  // saving or exporting, which always repaginate.
  enum class TLayoutRun { Explicit, Background };
  // The usable page height in printer dots that the last pass (or
  // ComputeUsablePageHeight) found; the printed pages read it.
  std::int32_t UsablePageHeight = 0;

  // Regroups, repaginates and renumbers. A background run leaves the page
  // breaks alone while "No Auto Pagination" is on.
  void RefreshLayout(TLayoutRun run = TLayoutRun::Explicit);
  // Takes the automatic breaks out and paginates again, keeping the edit
  // line and the caret; a pass of RefreshLayout brings the breaks its
  // rebuild listed.
  void RepaginateScript(TLayoutPass* pass = nullptr);
  void RestoreEditLine(const std::optional<std::string>& kept, bool endAfterBlank);
  // The script font (on screen too), its printer line height and the
  // usable page height; the page breaker takes the last two each pass.
  void ComputePageHeight();
  std::int32_t ComputeUsablePageHeight();
  void SetPrinterLineHeight();
  // Removes the automatic page breaks and joins what they split.
  void RejoinSplitElements(TLayoutPass* pass = nullptr);
  // RefreshLayout and renumbering, then the edit line on an element the
  // writer can type in.
  void RefreshKeepingCursor(TLayoutRun run = TLayoutRun::Explicit);
  // The script's own lines and pages brought up to date before they are
  // read (saved, backed up, exported, compared), whether the script is in
  // front or behind another, where the idle pass never lays it out.
  void LayOutWhenDue();
  // Whether redrawing of this window is suspended.
  bool ScreenUpdatesSuspended();

  // ---- Page-breaking rules ----
  // The page breaker: fills pages with groups, splits or moves the group
  // that does not fit and puts automatic page breaks in.
  void PaginateScript(TLayoutPass* pass = nullptr);

  // ---- Scene, speech, act and page numbering ----
  // Numbers scenes, speeches, acts and scene information on their groups;
  // with repaint, scene headings on screen are marked for painting.
  void RenumberScenes(bool repaint);
  // The Pause Locking commands: the new checked state of the item.
  bool TogglePauseLocking(bool pages, bool checked);

  // ---- Element list helpers ----

  // Frees every element and group; the script is then empty, with no
  // current element.
  void FreeElements() override;
};

// A freshly initialised element of a script: whole, one line, outside the
// block, the script's own Action format with its font size (never that of
// whichever script is active).
TScriptElement* NewElementRecord(const TScriptDocument& script);
TElementGroup* NewGroupRecord();

}  // namespace qm
