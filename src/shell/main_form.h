// The main window: the MDI frame that holds the script windows, the menus
// and tool bars, and the program options as its fields.
#pragma once

#include <array>
#include <cstdint>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/menus.h"
#include "base/program_options.h"
#include "shell/menu_table.h"

namespace qm {

// What the menu refresh last judged the active script on: its flags and
// states in one word, the element kinds it hides in the other.
using TMenuSignature = std::array<std::uint64_t, 2>;

// The tag of the menu items that undo.
constexpr int UndoItemTag = 233;
// The hidden Goto items that extend a marked block to the scene heading
// above or below the caret.
constexpr int ExtendToPreviousSceneTag = 4560;
constexpr int ExtendToNextSceneTag = 4562;

class TToolBar;
class TStatusLine;
class TRightPanel;
class TScriptPopups;
class TRuler;
class TAutoScroll;
class TMDIChild;
class TScriptDocument;
class TFESDriveComboBox;
class TFESDirectoryListBox;
class TFESFileListBox;

class TMainForm : public TForm, public TProgramOptions {
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // Set while the Exit command closes the program; read by the close query.
  Byte ExitConfirmed = 0;
  // Set while the idle pass runs.
  Byte InIdle = 0;
  // Refreshes wanted at the next idle moment.
  Byte MenusDue = 0;
  Byte StatusLineDue = 0;
  // A "PasteStoryDev" arrived with its data on the clipboard.
  Byte StoryDevPastePending = 0;
  // The session ended while a file job ran: the end waits for the job.
  Byte SessionEndDue = 0;

  // The idle handlers and the message hook.
  void FirstIdle(TObject* sender, bool& done);
  void AppIdle(TObject* sender, bool& done);
  // The program becomes active again.
  void BackFromSomewhere(TObject* sender);
  void HandleAppMessage(TMsg& msg, bool& handled);
  void WndProc(TMessage& message) override;

  TMainMenu* MainMenu = nullptr;
  TMenuItem* FileMenu = nullptr;
  TMenuItem* FileNewItem = nullptr;
  TMenuItem* FileOpenItem = nullptr;
  TMenuItem* CloseFileItem = nullptr;
  TMenuItem* FileSaveItem = nullptr;
  TMenuItem* FileSaveAsItem = nullptr;
  TMenuItem* PastefromItem = nullptr;
  TMenuItem* ExitQuillmasterItem = nullptr;
  TMenuItem* EditMenu = nullptr;
  TMenuItem* UndoItem = nullptr;
  TMenuItem* RedoItem = nullptr;
  TMenuItem* UndoBar = nullptr;
  TMenuItem* AlternateUndoItem = nullptr;
  TMenuItem* WindowMenu = nullptr;
  TMenuItem* WindowCascadeItem = nullptr;
  TMenuItem* WindowTileItem = nullptr;
  TMenuItem* WindowArrangeItem = nullptr;
  TMenuItem* WindowMinimizeItem = nullptr;
  TMenuItem* MaximizeWindowItem = nullptr;
  TMenuItem* WindowListBar = nullptr;
  TMenuItem* DocItems[9] = {};
  // Never shown: Alt+A to Alt+Z type the speech heading of the letter while
  // "Use AltKeys" is on.
  TMenuItem* AltKeysMenu = nullptr;

  // The tool bar across the top.
  TToolBar& ToolBar() const { return *toolBar_; }
  // An item of the menu table by its name; null when there is none.
  TMenuItem* MenuItem(const std::string& name) const;
  // Enables, checks, shows and captions the menus by the active script.
  void UpdateMenusAndButtons();
  // The top-level captions with or without their accelerators, and the
  // AltKeys items on or off, as "Use AltKeys" says.
  void SetupMenuCaptions();
  // Whether what the menus show has changed since their last refresh.
  bool MenuStateChanged() const;

  // The start-up script (after the settings were loaded).
  void SetupMenusEtc();

  // ---- The start-up file list: the scripts to open while none is ----
  TFESDriveComboBox* StartupDriveList = nullptr;
  TFESDirectoryListBox* StartupDirectoryList = nullptr;
  TFESFileListBox* StartupFileList = nullptr;
  // Set by a double click in the file list, taken by the mouse-up after it.
  Byte FileListClicked = 0;
  // The start-up set-up: the list shown or not, in four columns, on the
  // script folder's script files.
  void PrepareStartupFileList(bool shown);
  // With no script open and "Startup Choice" 1 the list shows in the
  // element box's stead; a script open puts the element box back.
  void ShowStartupFileChoice();
  void HideFileList();
  void FocusStartupFileList();
  void StartupFileListDblClick(TObject* sender);
  void StartupFileListMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void StartupFileListEnter(TObject* sender);
  void StartupFileListKeyDown(TObject* sender, Word& key, TShiftState shift);
  void StartupDirectoryListChange(TObject* sender);
  // Two columns and the folder read again, while the list shows.
  void UpdateStartupList();
  // The folder read again, while the list shows.
  void RefreshStartupFileList();

  // Shut-down.
  void FormCloseQuery(TObject* sender, bool& canClose);
  void ExitQuillmasterItemClick(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormDestroy(TObject* sender);
  // The desktop's session ends and asks first: the close query, with the
  // program in front where its questions are seen; true when it may end.
  bool SessionMayEnd();
  // The session ends without asking (a log-out's or a kill's signal):
  // every changed script's timed backup is written, so that the next
  // start offers them as after any end that was not normal, and the
  // program ends.
  void EndWithTheSession();

  // File and Window menu commands of the open-document table.
  void FileNewItemClick(TObject* sender);
  void FileOpenItemClick(TObject* sender);
  void FileSaveItemClick(TObject* sender);
  // Save's work on the active script, which stays where it stands (Save All
  // saves the scripts behind the one in front, and those shown as icons,
  // without bringing each forward). False when it went to Save As, which
  // gives the focus back itself.
  bool SaveActiveScript(TObject* sender);
  void FileSaveAsItemClick(TObject* sender);
  void PastefromItemClick(TObject* sender);
  void CloseFileItemClick(TObject* sender);
  // Backups to a removable volume: the File menu's items of drive A and B,
  // and the copy of the active script that keeps its title and changes.
  void BackupToDriveClick(TObject* sender);
  bool BackupTo(const std::string& target);
  void WindowTileItemClick(TObject* sender);
  void WindowArrangeItemClick(TObject* sender);
  void WindowMinimizeItemClick(TObject* sender);
  void MaximizeWindowItemClick(TObject* sender);
  void SwitchDocumentItem(TObject* sender);
  // The Window menu lists the open scripts by slot, the active one
  // checked; the main window's title names the active script.
  void UpdateWindowList();
  // The script of a slot brought to the front and made the active one; a
  // script shown as its icon is maximised unless `keepIcon`.
  void BringScriptForward(int slot, bool keepIcon = false);
  // A script window closed by the window itself: the script is brought
  // forward as it stands and closed by the Close command, its questions
  // asked about it; Cancel keeps it open with its text.
  void CloseScriptWindow(TMDIChild& script);
  // The script the writer had in front, when it is still open, or else
  // the one the desktop put in front, brought forward and made active.
  void MakeShownScriptActive(const TMDIChild* shown);

  // Edit menu: Undo for the Undo items (tag UndoItemTag) and the Undo tool
  // button, Redo for any other sender.
  void UndoItemClick(TObject* sender);
  // Edit menu: the block to the clipboard and out of the script, to the
  // clipboard, out of the script only; the clipboard in at the caret.
  void CutBtnClick(TObject* sender);
  void CopyBtnClick(TObject* sender);
  void DeleteBtnClick(TObject* sender);
  void PasteBtnClick(TObject* sender);
  // Select All and Select Special: the block grows to the unit.
  void SelectAllItemClick(TObject* sender);
  void Word1Click(TObject* sender);
  void SelectSentenceItemClick(TObject* sender);
  void Element1Click(TObject* sender);
  void Group1Click(TObject* sender);
  void Page1Click(TObject* sender);
  void Scene1Click(TObject* sender);
  void TurnoffBlockItemClick(TObject* sender);
  // Delete Word, Delete Left Word, Delete To End of Line and Cut To End of
  // Line: the item tells which word goes.
  void DeleteWordItemClick(TObject* sender);
  // Convert Case: the item's caption chooses upper, lower or initial capitals.
  void UppercaseItemClick(TObject* sender);
  // The automatic revision colour: the item's tag (0 off, 1 Blue, 2 Red,
  // 3 Green) or the user colour chosen, with the check marks of the Colors
  // menu.
  void RevColorClick(TObject* sender);
  // The element type box: F4 (or a click on the box) drops the list of the
  // eleven types down and back up; a letter, Enter or a click in the list
  // changes the type of the element at the caret (or of the block in it).
  TListBox* ElementPopDownList = nullptr;
  TPopupMenu* SceneTypePopUp = nullptr;
  void ChangeElementToItemClick(TObject* sender);
  void ElementPopDownListKeyPress(TObject* sender, char& key);
  void ApplyElementBoxEntry(int entry);
  void BuildElementBox();
  // Before an element button or key starts its element: with a block
  // marked in the active script the letter goes to the element box as if
  // typed there, and the marked part changes type (true); without a block
  // nothing happens (false).
  bool ApplyElementLetterToBlock(char letter);
  // Goto menu: the start or the end of the script.
  void GotoTopOrBottomClick(TObject* sender);

  // ---- Moving through the script: goto searches, status line ----
  // The next (previous) scene heading, script note or hidden element, by
  // the item; the next A-page or forced page break.
  void GoNextClick(TObject* sender);
  void NextAPageitemClick(TObject* sender);
  // Goto > Page (and a click on the page, scene or act panel): the page
  // dialog, or the scene list from it; Goto > Act/Scene Info: the scene
  // list with its acts and scene information.
  void PagePanelClick(TObject* sender);
  void GotoSceneItemClick(TObject* sender);
  // The zoom dialog (with no sender the present zoom applied again).
  void ZoomBtnClick(TObject* sender);
  // Whether a hint too wide for the status line turns round through it.
  void ScrollHintsClick(TObject* sender);
  // Normal WP Mode (Ctrl+W): word-processor mode on and off; forced off
  // whatever the option says.
  void TextOnlyModeItemClick(TObject* sender);
  void ToggleWPMode(bool forceOff);
  // The Production menu's checks from the script's own switches, where
  // their items may be used; the Colors checks from the active colour.
  void FollowScriptOptions(const TScriptDocument& script);
  void ShowRevisionColorChecks(Byte active);
  // A click on the status line's insert panel: insert or typeover, as the
  // Insert key switches them.
  void InsertPromptClick(TObject* sender);
  // The status line along the foot, and the display items that choose
  // which of its panels show.
  TStatusLine& StatusLine() const { return *statusLine_; }
  // The right panel: the scroll bar over the whole script, the page
  // buttons and the element buttons.
  TRightPanel& RightPanel() const { return *rightPanel_; }
  // Middle-button automatic scrolling.
  TAutoScroll& AutoScroll() const { return *autoScroll_; }
  // The ruler of the current element's margins.
  TRuler& Ruler() const { return *ruler_; }
  void ShowRulerItemClick(TObject* sender);
  void RightSpeedbarItemClick(TObject* sender);
  void RightEButtonsItemClick(TObject* sender);
  // The script window's block menu of a right click.
  TScriptPopups& ScriptPopups() const { return *scriptPopups_; }
  void BottomSpeedItemClick(TObject* sender);
  void SceneCountItemClick(TObject* sender);
  void ActSceneInfoItemClick(TObject* sender);
  // Reset Cheated > Element: the element's kind's margins, spacing and style;
  // > Script: every element's kind's whole format.
  void ResetElementItemClick(TObject* sender);
  void ResetScriptItemClick(TObject* sender);

  void AltKeyPressed(TObject* sender);
  // ---- Key overrides ----
  // A user key item (Alt or Ctrl + its letter): the action the options
  // gave that key, a key sent to the script or a button or item clicked.
  void UserDefKeyClick(TObject* sender);
  void FileSaveAllItemClick(TObject* sender);
  // The recent scripts at the foot of the File menu.
  void SetupLastThree();
  void LastScriptItemClick(TObject* sender);
  void ClearHistoryItemClick(TObject* sender);
  // The Exit button: closes the active script; with Shift held every
  // script, keeping the program; with none open, the Exit command.
  void ExitBtnClick(TObject* sender);
  void AddHardReturnItemClick(TObject* sender);
  void AddDialogueParagraphItemClick(TObject* sender);
  void HardSpace1Click(TObject* sender);
  // Empties the clipboard and the undo ring.
  void ClearClipboardItemClick(TObject* sender);
  void RedisplayScreenBtnClick(TObject* sender);
  void LastPositionItemClick(TObject* sender);
  // The block copied or cut into a new, existing or scrap script, by the
  // item's number.
  void CutCopyToClick(TObject* sender);
  // Bold, underline, italics or strike-out by the sender's tag (1 to 4).
  void BoldBtnClick(TObject* sender);
  // Takes the four styles off; with no sender, the text colours.
  void NormalBtnClick(TObject* sender);
  // Capitalize Word, Cap & Bold Word and Lowercase Word: the word at the
  // caret, by the item's name.
  void CapitalizeWordItemClick(TObject* sender);
  // Keep Element Together; Keep Group Together and Keep With Following.
  void KeepElementTogetherItemClick(TObject* sender);
  void KeepGroupTogetherItemClick(TObject* sender);
  void CharacterSetInformation1Click(TObject* sender);

  // Hide Elements on Screen and Show Format Codes: what the active script
  // shows, with their check marks.
  void HideElementListClick(TObject* sender);
  void HideNotesItemClick(TObject* sender);
  void HideNonPrintingTextItemClick(TObject* sender);
  void DisplayCodesItemClick(TObject* sender);
  // The check marks that follow the active script's own settings.
  void ShowScriptChecks();
  // The ticks of the items that hide the storyboard links' marks.
  void ShowStoryboardLinksTicks(bool hidden);

  // Comparing two drafts: the two open scripts into a new result script.
  void ComparedScriptsItemClick(TObject* sender);

  // Search and replace, bookmarks and quick entry: Search (Alt Search too),
  // Search & Replace, Search Again, Change Character Name, the Bookmarks
  // window, and the quick-entry box (Setup opens it without its file).
  void SearchItemClick(TObject* sender);
  void SearchandReplaceItemClick(TObject* sender);
  void SearchAgainItemClick(TObject* sender);
  void ChangeCharacterName1Click(TObject* sender);
  void BookmarkItemClick(TObject* sender);
  void QuickEntryItemClick(TObject* sender);
  void QuickEntrySetupItemClick(TObject* sender);
  // The tools beside Find: the next speech of a character, the next
  // coloured or struck-out text, removing a colour's codes (by the item),
  // one character's speeches in red.
  void NextSpeechItemClick(TObject* sender);
  void NextColoredText1Click(TObject* sender);
  void RemoveItemClick(TObject* sender);
  void MarkallofOneCharactersDialogue1Click(TObject* sender);

  // Format menu.
  void Screenplay1Click(TObject* sender);
  void SitcomVersionI1Click(TObject* sender);
  void SitcomVersionII1Click(TObject* sender);
  void StagePlay1Click(TObject* sender);
  void InteractiveCDROM1Click(TObject* sender);
  void Screenplay2Click(TObject* sender);
  void SitcomVersionI2Click(TObject* sender);
  void SitcomVersionII2Click(TObject* sender);
  void StagePlay2Click(TObject* sender);
  void InteractiveCDROM2Click(TObject* sender);
  void AllNewScriptsItemClick(TObject* sender);
  void EditUserListsItemClick(TObject* sender);
  void RestoreDefaultListsItemClick(TObject* sender);
  void HideinUserListClick(TObject* sender);
  void RepaginateNowItemClick(TObject* sender);

  // Spelling: the spell-check passes, the ignore list, the script's
  // dictionary and language.
  void SpellCheckItemClick(TObject* sender);
  void PauseAutocorrectionItemClick(TObject* sender);
  void ClearIgnoreListitemClick(TObject* sender);
  void ChangeSupplementaryDictionary1Click(TObject* sender);
  void SelectLanguage1Click(TObject* sender);
  void EditUserDictionary1Click(TObject* sender);

  // Display options kept on the main window's own controls.
  void DisplaySpeedbarItemClick(TObject* sender);
  void OnlyTopMenuItemClick(TObject* sender);
  void ShowHintsItemClick(TObject* sender);
  void AlwaysShowBoxesItemClick(TObject* sender);

  // Thesaurus: the synonym list (Thesaurus) or the thesaurus window (Word
  // Web) on the word at the caret.
  void ThesaurusItemClick(TObject* sender);

  // Format files and list files: Load Script Format > User Defined and From
  // a Quillmaster Script, and Load User Lists from a script, an ASCII list,
  // Collaborator or StoryDev (one handler, told apart by the item); Save
  // Script Format > User Defined. Help: the quick-help page, and the help
  // topics this program has no file for. Merge Text into Script.
  void LoadUserDefinedItemClick(TObject* sender);
  void LoadUserFormatItemClick(TObject* sender);
  void Contents1Click(TObject* sender);
  void SearchforHelpon1Click(TObject* sender);
  void QuickHelpPage1Click(TObject* sender);
  void ProductionHelpClick(TObject* sender);
  void MergeTextintoScriptItemClick(TObject* sender);

  // Breakdown tagging: tagging mode, tagging an item all over the script,
  // taking every tag out.
  void TaggingModeItemClick(TObject* sender);
  // Leaves tagging mode, as its menu item would, the focus left where it is.
  void EndTaggingMode();
  void TagGloballyItemClick(TObject* sender);
  void UntagAllItemClick(TObject* sender);
  // The categories and the breakdown sheet: editing the categories, their
  // menu in tagging mode, the sheet's layout, its editor and its printing.
  void EditCategoriesItemClick(TObject* sender);
  void BreakdownSheetsItemClick(TObject* sender);
  // The category menu at a client point of the script (tagging mode).
  void PopupCategoryMenu(TMDIChild& script, int x, int y);
  // Items associated with characters or locations.
  void AssociateItemClick(TObject* sender);
  // Duplicate names and locations; the confused-words check.
  void DuplicateNamesItemClick(TObject* sender);
  void CheckHomonymsItemClick(TObject* sender);

  // Production lists and writer's tools: character lists under the
  // headings, rundown sheets and set lists, the script analysis, the
  // scrambled copy.
  void GenerateCListClick(TObject* sender);
  void RemoveCListItemClick(TObject* sender);
  void ScriptAnalysisItemClick(TObject* sender);
  void GibberishItemClick(TObject* sender);
  void RundownSheetItemClick(TObject* sender);
  void PrintSetListItemClick(TObject* sender);

  // Index cards and the scene pilot: the card view over the active script.
  void IndexCardBtnClick(TObject* sender);
  // Goto > Scene, and the pointer resting on the Scene Pilot button: the
  // scene pilot, opened by its one-shot timer; the pointer leaving the
  // button first stops the timer.
  void SceneGuideBtnEnter(TObject* sender);
  void SceneGuideBtnExit(TObject* sender);
  // Shows or hides the Scene Pilot button under the element buttons.
  void SceneGuideItemClick(TObject* sender);

  // The name bank: names letter by letter, favourites, a name typed at the caret.
  void CharacterNameBankItemClick(TObject* sender);

  // Breakdown reports: the Production Breakdowns dialog for the scheduling
  // export, and for the standard breakdowns the print menu hands on.
  void ShootPlanExportItemClick(TObject* sender);
  void InstallBreakdownReports();

  // Printing: the print menu and job, the preview, the printer set-up, SmartCheck.
  void PrintItemClick(TObject* sender);
  void PreviewItemClick(TObject* sender);
  void PrinterSetupItemClick(TObject* sender);
  void RunSmartCheck1Click(TObject* sender);

  // Interactive scripts: the branch targets renumbered; the script played
  // by the outside run-time player; the linkage graph.
  void RenumberBTargetsItemClick(TObject* sender);
  void PlayMultimediaScriptItemClick(TObject* sender);
  void DialogueBtnClick(TObject* sender);
  // The activity wizard (Ctrl+A where Select All does not take the key).
  void InteractiveWizardItemClick(TObject* sender);
  // The branch point menu: a branch point built or edited at the caret.
  void BranchPointBtnClick(TObject* sender);
  // Enter's question on an empty Action: which element comes next.
  int ChooseInteractiveElement();
  // What the script window's mouse asks of branching scripts.
  void InstallStoryHooks();

  // Storyboard links: text linked to frames of the outside storyboard
  // program, the link marks shown or hidden; its requests answered.
  void StoryBoardLinkClick(TObject* sender);
  void HideSBLinksItemClick(TObject* sender);
  void InstallStoryboardHooks();

  // Script settings dialogs: element formats, cheats, header, page layout,
  // title page, A/V columns and block ranges.
  void EditScriptFormatItemClick(TObject* sender);
  void ThisElement1Click(TObject* sender);
  void SceneRangeItemClick(TObject* sender);
  void ExtendBlockItemClick(TObject* sender);
  void HeaderSetupItemClick(TObject* sender);
  void PageLayoutItemClick(TObject* sender);
  void ColumnItemClick(TObject* sender);
  void SetColumnMargins1Click(TObject* sender);

  // Cheating a page and the whole script, taking a page's cheats back,
  // non-printing text, and the joke about the government.
  void Page2Click(TObject* sender);
  void ResetPageItemClick(TObject* sender);
  void CheatScriptItemClick(TObject* sender);
  void CheatTheGovernmentItemClick(TObject* sender);
  void MarkasNonPrintingItemClick(TObject* sender);

  // The title page publisher (the menu item and the TP tool button).
  void TitlePagePublishItemClick(TObject* sender);

  // Production drafts: page breaks, locking, revisions and their marks.
  void AddForcedPageBreakItemClick(TObject* sender);
  void RemoveForcedPageItemClick(TObject* sender);
  void LockScriptItemClick(TObject* sender);
  void UnlockScriptItemClick(TObject* sender);
  void MultiLockItemClick(TObject* sender);
  void StartNextRevisionItemClick(TObject* sender);
  void FixFlexAPagesItemClick(TObject* sender);
  void AutoRevMarksItemClick(TObject* sender);
  void RemoveDraftItemClick(TObject* sender);
  void OverrideItemClick(TObject* sender);
  void TogglePauseLockingClick(TObject* sender);
  void EndPausedLocking(TMDIChild& script);
  void LockRevMarksItemClick(TObject* sender);
  void UnlockRevMarkLevelItemClick(TObject* sender);
  void FixHeadersItemClick(TObject* sender);
  void UnlockHeadersItemClick(TObject* sender);
  void NextRevisionMarkItemClick(TObject* sender);
  void LockDialogueNumberingItemClick(TObject* sender);
  void UnlockDialogueNumberingItemClick(TObject* sender);
  // The undo ring's calls into the revision marks and page headers.
  void InstallDraftHooks();
  // Draft information for the watermark, and the speech numbers shown,
  // printed and renumbered.
  void DraftInformationItemClick(TObject* sender);
  void PrintNumberingItemClick(TObject* sender);
  void AdjustNumberingItemClick(TObject* sender);

  // Help menu and the outside programs this system does not have.
  void MemoryAvailItemClick(TObject* sender);
  void ConfigurationWizard1Click(TObject* sender);
  void EditSpeedBar1Click(TObject* sender);
  void MacquarieConciseItemClick(TObject* sender);
  void About1Click(TObject* sender);
  // Settings dialogs: program options, screen and text colours, revision
  // colours, hiding notes by colour, the small utility dialogs.
  void ProgramSettingsItemClick(TObject* sender);
  void ScreenColorsItemClick(TObject* sender);
  void ColorClick(TObject* sender);
  void SetupRevisionColorsItemClick(TObject* sender);
  void MenuFontItemClick(TObject* sender);
  void Calendar1Click(TObject* sender);
  void ProducerHelpItemClick(TObject* sender);

 private:
  void OpenStartupFile(std::string name);
  void OpenMostRecentScript();
  // Opens a script file the start-up found (a native script at once,
  // anything else through the hand-off to our own window).
  // False when a native script could not be opened.
  bool OpenScriptFile(const std::string& name);
  void BuildMenus();
  void BindNamedItems();
  void BuildStartupFileList();
  // Within the area the bars leave: the drive box over the folders on the
  // left, the files beside them.
  void PlaceStartupFileList();
  // The file list read again (keeping its selection) when "Autogenerate
  // File Names" is on, then the selected script opened.
  void OpenStartupListFile();
  void DeleteStartupListFile();
  // The three lists out of sight and use, the element box back.
  void PutAwayFileList();
  // Ends a double click's claim on the program.
  void EndFileListClick();
  bool elementBoxHiddenByList_ = false;
  // ShowStartupFileChoice has set the list up since it last went away.
  bool startupListShown_ = false;
  bool busyBeforeListClick_ = false;
  void RefreshAfterChange();
  // The block commands follow whether a block exists: the menus at the
  // next refresh, and F12 and Shift+F12 convert the block's case while
  // there is one.
  void SetEditCommandsEnabled(bool blockExists);
  // A script window became active: the menus, the status line, the bar
  // and the ruler follow it.
  void FollowActivatedScript();
  // After a goto search: "Search Again" shows what it repeats, the status
  // line follows the caret and the script has the keyboard.
  void AfterGoto();
  void ShowLastThree();
  void CopyToNewScript();
  void CopyToExistingScript();
  void CopyToScrapScript();
  // The clipboard pasted at the end of the active script.
  void PasteAtScriptEnd();
  // A format family of the program folder into the active script, or the
  // active script's formats into it.
  void LoadFormatFamily(const char* fileName);
  // A format file (or a script's header) into the active script, asking
  // whether its user lists come too.
  void LoadFormatsFrom(const std::string& fileName);
  void SaveFormatFamily(const char* fileName);
  struct TMenuBinding {
    const TMenuRow* row;
    TMenuItem* item;
  };
  std::vector<TMenuBinding> menuBindings_;
  TMenuSignature menuSignature_{~std::uint64_t{0}, 0};
  std::unique_ptr<TToolBar> toolBar_;
  std::unique_ptr<TStatusLine> statusLine_;
  std::unique_ptr<TRightPanel> rightPanel_;
  std::unique_ptr<TScriptPopups> scriptPopups_;
  std::unique_ptr<TRuler> ruler_;
  std::unique_ptr<TAutoScroll> autoScroll_;
};

extern TMainForm* MainForm;

// A script's scrap file: its name without extension, upper case, with
// " - Scrap." and the script extension, in the script's folder.
std::string ScrapFileName(const std::string& scriptFileName);

}  // namespace qm
