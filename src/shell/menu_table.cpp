#include "shell/menu_table.h"

#include "shell/program_settings.h"
#include "shell/main_form.h"

namespace qm {

namespace {

using R = TMenuRule;

// Issues whose routines commands wait for.
constexpr int Clipboard = 18, Imports = 20, Printing = 21, Moving = 22, ElementCommands = 23,
              Drafts = 24, SettingsDialogs = 25, Exports = 26, Search = 27, Spelling = 28, Thesaurus = 29,
              Breakdown = 30, BreakdownReports = 31, ProductionLists = 32, Cards = 33, Interactive = 34;

constexpr TMenuRow Menu(Byte depth, const char* caption, const char* name) {
  return {depth, caption, "", name, "", nullptr, Built, R::AsMenu, 0, false};
}
constexpr TMenuRow Line(Byte depth, const char* name = "") {
  return {depth, "-", "", name, "", nullptr, Built, R::AsMenu, 0, false};
}
constexpr TMenuRow Do(Byte depth, const char* caption, const char* key, const char* name, const char* handler,
                      TMainCommand command) {
  return {depth, caption, key, name, handler, command, Built, R::AsMenu, 0, false};
}
// A command whose routine is not built yet: shown, and disabled.
constexpr TMenuRow Await(Byte depth, const char* caption, const char* key, const char* name, const char* handler,
                         int issue) {
  return {depth, caption, key, name, handler, nullptr, issue, R::AsMenu, 0, false};
}

// A command whose own routine is built but calls commands that are not
// yet: disabled until they are.
constexpr TMenuRow Wired(Byte depth, const char* caption, const char* key, const char* name, const char* handler,
                         TMainCommand command, int issue) {
  return {depth, caption, key, name, handler, command, issue, R::AsMenu, 0, false};
}

#define QM_CMD(fn) #fn, &TMainForm::fn

const TMenuRow kRows[] = {
    // ---- File ----
    Menu(1, " &File", "FileMenu").When(R::Always),
    Do(2, "&New", "", "FileNewItem", QM_CMD(FileNewItemClick)),
    Do(2, "&Open", "Shift+F10", "FileOpenItem", QM_CMD(FileOpenItemClick)),
    Do(2, "&Close", "Ctrl+F4", "CloseFileItem", QM_CMD(CloseFileItemClick)).When(R::Open),
    Do(2, "&Save", "F7", "FileSaveItem", QM_CMD(FileSaveItemClick)).When(R::Editable),
    Do(2, "Save &As...", "F10", "FileSaveAsItem", QM_CMD(FileSaveAsItemClick)).When(R::Editable),
    Do(2, "Sav&e All Open Scripts", "Ctrl+F7", "FileSaveAllItem", QM_CMD(FileSaveAllItemClick)).When(R::Editable),
    Menu(2, "&Backup Script to Floppy", "BackuptoFloppyItem").When(R::Editable),
    Await(3, "Drive &A:\\", "", "ADriveItem", "BackupToDriveClick", NoFloppyDrives),
    Await(3, "Drive &B:\\", "", "BDriveItem", "BackupToDriveClick", NoFloppyDrives),
    Line(2),
    Await(2, "&Header Setup...", "", "HeaderSetupItem", "HeaderSetupItemClick", SettingsDialogs).When(R::Editable),
    Await(2, "Title Page P&ublisher...", "", "TitlePagePublishItem", "TitlePagePublishItemClick", SettingsDialogs)
        .When(R::Editable),
    Await(2, "Page &Layout...", "", "PageLayoutItem", "PageLayoutItemClick", SettingsDialogs).When(R::Open),
    Line(2),
    Await(2, "Print Pre&view...", "", "PrintPreviewItem", "PreviewItemClick", Printing).When(R::Open),
    Await(2, "&Print...", "Ctrl+P", "PrintItem", "PrintItemClick", Printing).When(R::Open),
    Await(2, "Prin&ter Setup...", "", "PrinterSetupItem", "PrinterSetupItemClick", Printing),
    Line(2),
    Await(2, "Pro&gram Options...", "", "ProgramSettingsItem", "ProgramSettingsItemClick", SettingsDialogs),
    Menu(2, "&Display Options", "DisplayOptionsItem"),
    Do(3, "&Only Show Top Menu", "", "OnlyTopMenuItem", QM_CMD(OnlyTopMenuItemClick)),
    Do(3, "Show &Hints", "", "ShowHintsItem", QM_CMD(ShowHintsItemClick)),
    Await(3, "&Scroll Hints When Needed", "", "ScrollHints", "ScrollHintsClick", Moving),
    Do(3, "&Always Show Boxes around Buttons", "", "AlwaysShowBoxesItem", QM_CMD(AlwaysShowBoxesItemClick)),
    Await(3, "Setup &Font for Menus", "", "MenuFontItem", "MenuFontItemClick", SettingsDialogs),
    Do(3, "Show &Top Speedbar", "", "DisplaySpeedbarItem", QM_CMD(DisplaySpeedbarItemClick)).When(R::SpeedBars),
    Do(3, "&Edit Top Speed Bar", "", "EditTopSpeedBarItem", QM_CMD(EditSpeedBar1Click)),
    Await(3, "&Show Status Bar", "", "BottomSpeedItem", "BottomSpeedItemClick", Moving).When(R::SpeedBars),
    Await(3, "S&cene Count", "", "SceneCountItem", "SceneCountItemClick", Moving),
    Await(3, "&Act/Scene Info", "", "ActSceneInfoItem", "ActSceneInfoItemClick", Moving),
    Await(3, "Show &Right Speed Bar", "", "RightSpeedbarItem", "RightSpeedbarItemClick", Moving).When(R::SpeedBars),
    Await(3, "Show &Element Buttons", "", "RightEButtonsItem", "RightEButtonsItemClick", Moving).When(R::SpeedBars),
    Await(3, "Show Scene &Pilot", "", "SceneGuideItem", "SceneGuideItemClick", Cards),
    Await(3, "Show &Ruler", "", "ShowRulerItem", "ShowRulerItemClick", Moving),
    Await(3, "&Zoom Screen Text...", "", "ZoomItem", "ZoomBtnClick", Moving),
    Await(3, "Show &Format Codes", "Alt+F3", "DisplayCodesItem", "DisplayCodesItemClick", ElementCommands),
    Do(3, "&Clear File History List", "", "ClearHistoryItem", QM_CMD(ClearHistoryItemClick)),
    Await(3, "Set Screen C&olors", "", "ScreenColorsItem", "ScreenColorsItemClick", SettingsDialogs),
    Menu(2, "H&ide Elements on Screen", "HideElementsItem").When(R::Open),
    Await(3, "&Action", "", "HideActionItem", "HideElementListClick", ElementCommands),
    Await(3, "&Character/Dialogue", "", "HideDialogueItem", "HideElementListClick", ElementCommands),
    Await(3, "&Scene Headings", "", "HideScenesItem", "HideElementListClick", ElementCommands),
    Menu(3, "Script &Notes", "HideNotesMenu"),
    Await(4, "&All Colors", "", "HideAllNotesItem", "HideNotesItemClick", ElementCommands),
    Await(4, "All Colors &Except...", "", "HideNotesExceptItem", "HideNotesItemClick", ElementCommands),
    Await(3, "Non-&Printing Text", "", "HideNonPrintingItem", "HideNonPrintingTextItemClick", ElementCommands),
    Await(3, "StoryBoard &Links", "", "HideSBLinksItem", "HideSBLinksItemClick", Interactive),
    Menu(3, "&Unhide", "UnhideMenu"),
    Await(4, "&Normally Displayed Elements", "", "UnhideElementsItem", "HideElementListClick", ElementCommands),
    Await(4, "&Script Notes", "", "UnhideNotesItem", "HideNotesItemClick", ElementCommands),
    Await(4, "All Script Notes &Except...", "", "UnhideNotesExceptItem", "HideNotesItemClick", ElementCommands),
    Await(4, "Non-&Printing Text", "", "UnhideNonPrintingItem", "HideNonPrintingTextItemClick", ElementCommands),
    Await(4, "StoryBoard &Links", "", "AltHideSBLinksItem", "HideSBLinksItemClick", Interactive),
    Line(2, "MMBar").When(R::Interactive),
    Await(2, "Graph &Branch Points", "Alt+F11", "GraphLinksItem", "DialogueBtnClick", Interactive)
        .When(R::Interactive),
    Await(2, "Pla&y Multimedia Script", "", "PlayMultimediaScriptItem", "CharNameBtnClick", Interactive)
        .When(R::Interactive),
    Line(2, "LastThreeBar"),
    Do(2, "&1 ", "", "LastScript1Item", QM_CMD(LastScriptItemClick)).Tag(1).Hidden(),
    Do(2, "&2 ", "", "LastScript2Item", QM_CMD(LastScriptItemClick)).Tag(2).Hidden(),
    Do(2, "&3 ", "", "LastScript3Item", QM_CMD(LastScriptItemClick)).Tag(3).Hidden(),
    Line(2),
    Do(2, "E&xit", "Alt+F4", "ExitQuillmasterItem", QM_CMD(ExitQuillmasterItemClick)),

    // ---- Edit ----
    Menu(1, " &Edit", "EditMenu").When(R::Open),
    Do(2, "&Undo", "Alt+Bksp", "UndoItem", QM_CMD(UndoItemClick)).When(R::Undo).Tag(UndoItemTag),
    Do(2, "R&edo", "Ctrl+Alt+Bksp", "RedoItem", QM_CMD(UndoItemClick)).When(R::Redo),
    Line(2, "UndoBar"),
    Await(2, "Cu&t", "Shift+Del", "CutItem", "CutBtnClick", Clipboard).When(R::Block),
    Await(2, "&Copy", "Ctrl+Ins", "CopyItem", "CopyBtnClick", Clipboard).When(R::Block),
    Await(2, "&Delete", "", "DeleteItem", "DeleteBtnClick", Clipboard).When(R::Block),
    Await(2, "&Paste", "Shift+Ins", "PasteItem", "PasteBtnClick", Clipboard).When(R::Paste),
    Do(2, "Paste &from...", "", "PastefromItem", QM_CMD(PastefromItemClick)),
    Menu(2, "Cop&y to...", "CopyToMainItem").When(R::Block),
    Wired(3, "&New File", "", "CopyToItem", QM_CMD(CutCopyToClick), Clipboard).Tag(8801),
    Wired(3, "&Existing File", "", "CopyToExistingFileItem", QM_CMD(CutCopyToClick), Clipboard).Tag(8802),
    Wired(3, "&Scrap File", "Shift+Alt+C", "CopyToScrapItem", QM_CMD(CutCopyToClick), Clipboard).Tag(8803),
    Menu(2, "Cut t&o...", "CuttoMainItem").When(R::Block),
    Wired(3, "&New File", "", "CutToItem", QM_CMD(CutCopyToClick), Clipboard).Tag(9901),
    Wired(3, "&Existing File", "", "CutToExistingFileItem", QM_CMD(CutCopyToClick), Clipboard).Tag(9902),
    Wired(3, "&Scrap File", "Shift+Alt+X", "CutToScrapItem", QM_CMD(CutCopyToClick), Clipboard).Tag(9903),
    Line(2),
    Await(2, "Select &All", "Ctrl+A", "SelectAllItem", "SelectAllItemClick", Clipboard).When(R::Editable),
    Menu(2, "Select &Special", "SelectSpecialItem").When(R::Editable),
    Await(3, "&Word", "Alt+F5", "WordSelectItem", "Word1Click", Clipboard),
    Await(3, "&Sentence", "Alt+F7", "SelectSentenceItem", "SelectSentenceItemClick", Clipboard),
    Await(3, "&Element", "Alt+F8", "ElementSelectItem", "Element1Click", Clipboard),
    Await(3, "&Group", "Alt+F10", "GroupSelectItem", "Group1Click", Clipboard),
    Await(3, "&Page", "Alt+F11", "PageSelectItem", "Page1Click", Clipboard),
    Await(3, "S&cene", "Alt+F12", "SceneSelectItem", "Scene1Click", Clipboard),
    Await(3, "Scene &Range", "", "SceneRangeItem", "SceneRangeItemClick", Clipboard),
    Await(3, "E&xtend Selection...", "", "ExtendBlockItem", "ExtendBlockItemClick", Clipboard),
    Await(2, "Turn off Bloc&k", "", "TurnoffBlockItem", "TurnoffBlockItemClick", Clipboard).When(R::Block),
    Line(2),
    Await(2, "Add Forced Page &Break", "Shift+Enter", "AddForcedPageBreakItem", "AddForcedPageBreakItemClick", Drafts),
    Await(2, "&Remove Forced Page", "", "RemoveForcedPageItem", "RemoveForcedPageItemClick", Drafts),
    Do(2, "Add &Hard Return", "Alt+Enter", "AddHardReturnItem", QM_CMD(AddHardReturnItemClick)),
    Do(2, "Add D&ialogue Paragraph", "Ctrl+Alt+D", "AddDialogueParagraphItem", QM_CMD(AddDialogueParagraphItemClick)),
    Menu(2, "Con&vert case", "ConvertCaseItem"),
    Await(3, "&Uppercase", "", "UppercaseItem", "UppercaseItemClick", ElementCommands),
    Await(3, "&Lowercase", "", "LowercaseItem", "UppercaseItemClick", ElementCommands),
    Await(3, "&Initial Capitals", "", "InitialCapsItem", "UppercaseItemClick", ElementCommands),
    Await(3, "Capitalize &Word", "F12", "CapitalizeWordItem", "CapitalizeWordItemClick", ElementCommands),
    Await(3, "Cap && &Bold Word", "Ctrl+F12", "CapBoldWordItem", "CapitalizeWordItemClick", ElementCommands),
    Await(3, "Lowercase W&ord", "Shift+F12", "LowercaseWordItem", "CapitalizeWordItemClick", ElementCommands),
    Menu(2, "Change Text Co&lor", "TextColorItem"),
    Await(3, "&Blue", "", "BlueTextItem", "ColorClick", SettingsDialogs),
    Await(3, "&Red", "", "RedTextItem", "ColorClick", SettingsDialogs),
    Await(3, "&Green", "", "GreenTextItem", "ColorClick", SettingsDialogs),
    Await(3, "&User Defined...", "", "UserTextColorItem", "ColorClick", SettingsDialogs),
    Await(3, "Blac&k", "", "BlackTextItem", "ColorClick", SettingsDialogs),

    // ---- Format ----
    Menu(1, " For&mat", "FormatMenu").When(R::Editable),
    Await(2, "&Edit Script Formats...", "", "EditScriptFormatItem", "EditScriptFormatItemClick", SettingsDialogs),
    Menu(2, "&Load Script Format", "LoadFormatItem"),
    Do(3, "&Screenplay", "", "Screenplay1", QM_CMD(Screenplay1Click)),
    Do(3, "Si&tcom Version I", "", "SitcomVersionI1", QM_CMD(SitcomVersionI1Click)),
    Do(3, "Sit&com Version II", "", "SitcomVersionII1", QM_CMD(SitcomVersionII1Click)),
    Do(3, "Stage &Play", "", "StagePlay1", QM_CMD(StagePlay1Click)),
    Do(3, "&Multimedia (for CD ROM, etc.)", "", "InteractiveCDROM1", QM_CMD(InteractiveCDROM1Click)),
    Await(3, "&User Defined", "", "LoadUserFormatFileItem", "LoadUserDefinedItemClick", SettingsDialogs),
    Await(3, "&From a Quillmaster Script", "", "LoadScriptFormatItem", "LoadUserDefinedItemClick", SettingsDialogs),
    Menu(2, "&Save Script Format", "SaveFormatItem"),
    Do(3, "&Screenplay", "", "Screenplay2", QM_CMD(Screenplay2Click)),
    Do(3, "Si&tcom Version I", "", "SitcomVersionI2", QM_CMD(SitcomVersionI2Click)),
    Do(3, "Sit&com Version II", "", "SitcomVersionII2", QM_CMD(SitcomVersionII2Click)),
    Do(3, "Stage &Play", "", "StagePlay2", QM_CMD(StagePlay2Click)),
    Do(3, "&Multimedia (for CD ROM, etc.)", "", "InteractiveCDROM2", QM_CMD(InteractiveCDROM2Click)),
    Do(3, "&All New Scripts", "", "AllNewScriptsItem", QM_CMD(AllNewScriptsItemClick)),
    Await(3, "&User Defined", "", "SaveUserFormatItem", "LoadUserFormatItemClick", SettingsDialogs),
    Line(2),
    Do(2, "Edit &User Lists...", "", "EditUserListsItem", QM_CMD(EditUserListsItemClick)),
    Menu(2, "L&oad User Lists from", "LoadUserListsItem"),
    Await(3, "Quillmaster &Script", "", "ListsFromScriptItem", "LoadUserDefinedItemClick", SettingsDialogs),
    Await(3, "&ASCII List", "", "ListsFromAsciiItem", "LoadUserDefinedItemClick", SettingsDialogs),
    Await(3, "&Collaborator", "", "ListsFromCollaboratorItem", "LoadUserDefinedItemClick", Imports),
    Await(3, "&StoryDev", "", "ListsFromStoryDevItem", "LoadUserDefinedItemClick", Imports),
    Do(3, "&Original Defaults", "", "RestoreDefaultListsItem", QM_CMD(RestoreDefaultListsItemClick)),
    Do(2, "Hide &Names in Pop-Up List...", "", "HideNamesItem", QM_CMD(HideinUserListClick)),
    Do(2, "H&ide  Locations in Pop-Up List...", "", "HideLocationsItem", QM_CMD(HideinUserListClick)),
    Line(2),
    Menu(2, "&Cheat", "CheatItem"),
    Await(3, "&Element", "F3", "ThisElement1", "ThisElement1Click", SettingsDialogs),
    Await(3, "&Page", "", "Page2", "Page2Click", SettingsDialogs),
    Await(3, "&Script", "", "CheatScriptItem", "CheatScriptItemClick", SettingsDialogs),
    Await(3, "&The Government", "", "CheatTheGovernmentItem", "CheatTheGovernmentItemClick", SettingsDialogs),
    Await(3, "&Keep Element Together", "Ctrl+K", "KeepElementTogetherItem", "KeepElementTogetherItemClick",
          ElementCommands),
    Await(3, "Keep &Group Together", "Ctrl+Alt+K", "KeepGroupTogetherItem", "KeepGroupTogetherItemClick",
          ElementCommands),
    Await(3, "Keep With &Following", "", "KeepWithFollowingItem", "KeepGroupTogetherItemClick", ElementCommands),
    Await(3, "&Mark as Non-Printing", "Ctrl+Alt+X", "MarkasNonPrintingItem", "MarkasNonPrintingItemClick",
          ElementCommands),
    Await(3, "Normal &WP Mode", "Ctrl+W", "TextOnlyModeItem", "TextOnlyModeItemClick", Moving).When(R::TextMode),
    Menu(2, "&Reset Cheated", "ResetCheatedItem"),
    Await(3, "&Element", "", "ResetElementItem", "ResetElementItemClick", Moving),
    Await(3, "&Page", "", "ResetPageItem", "ResetPageItemClick", SettingsDialogs),
    Await(3, "&Script", "", "ResetScriptItem", "ResetScriptItemClick", SettingsDialogs),
    Await(3, "&Unmark as Non-Printing", "Ctrl+Alt+Y", "UnmarkNonPrintingItem", "MarkasNonPrintingItemClick",
          ElementCommands),
    Menu(2, "C&hange Element Type", "ChangeElementTypeItem"),
    Await(3, "&Pop Down List", "F4", "ChangeElementToItem", "ChangeElementToItemClick", ElementCommands),
    Await(3, "&Left Column", "Ctrl+1", "LeftColumnItem", "ColumnItemClick", SettingsDialogs),
    Await(3, "&Right Column", "Ctrl+2", "RightColumnItem", "ColumnItemClick", SettingsDialogs),
    Await(3, "&Normal (Full Width)", "Ctrl+0", "FullWidthItem", "ColumnItemClick", SettingsDialogs),
    Await(3, "&Set Column Margins", "", "SetColumnMargins1", "SetColumnMargins1Click", SettingsDialogs),
    Line(2),
    Do(2, "Re&paginate Now", "Ctrl+R", "RepaginateNowItem", QM_CMD(RepaginateNowItemClick)),
    Await(2, "Run S&martCheck", "", "RunSmartCheck1", "RunSmartCheck1Click", Printing),
    Await(2, "Renumber all &Branch Targets", "", "RenumberBTargetsItem", "RenumberBTargetsItemClick", Interactive)
        .When(R::Interactive),
    Menu(2, "Scene Character Lists", "SceneCharacterListsItem"),
    Await(3, "&Generate", "", "GenerateCListItem", "GenerateCListClick", ProductionLists),
    Await(3, "&Remove", "", "RemoveCListItem", "RemoveCListItemClick", ProductionLists),
    Await(2, "&Mark One Character's Dialogue", "", "MarkallofOneCharactersDialogue1",
          "MarkallofOneCharactersDialogue1Click", ProductionLists),

    // ---- Search ----
    Menu(1, " &Search", "SearchMenu").When(R::Open),
    Await(2, "&Search", "F2", "SearchItem", "SearchItemClick", Search),
    Await(2, "Search && &Replace", "Alt+F2", "SearchandReplaceItem", "SearchandReplaceItemClick", Search)
        .When(R::Editable),
    Await(2, "Search &Again", "Shift+F2", "SearchAgainItem", "SearchAgainItemClick", Search),
    Line(2),
    Await(2, "&Change Character Name", "", "ChangeCharacterName1", "ChangeCharacterName1Click", Search),
    Await(2, "Convert to &Gibberish", "", "GibberishItem", "GibberishItemClick", ProductionLists),

    // ---- Goto ----
    Menu(1, " &Goto", "GotoMenu").When(R::Open),
    Await(2, "&Top", "Ctrl+Alt+Home", "GotoTopItem", "GotoTopOrBottomClick", Moving),
    Await(2, "&Bottom", "Ctrl+Alt+End", "GotoBottomItem", "GotoTopOrBottomClick", Moving),
    Await(2, "&Page", "Ctrl+G", "GotoPageItem", "PagePanelClick", Moving),
    Await(2, "&Scene", "", "ScenePilotItem", "SceneGuideBtnEnter", Cards),
    Await(2, "Act&/Scene Info", "", "GotoSceneItem", "GotoSceneItemClick", Moving),
    Line(2),
    Await(2, "Pre&vious Scene Heading", "Ctrl+Alt+Up", "PreviousSceneItem", "GoNextClick", Moving),
    Await(2, "Ne&xt Scene Heading", "Ctrl+Alt+Down", "NextSceneItem", "GoNextClick", Moving),
    Await(2, "Next Script N&ote", "", "NextNoteItem", "GoNextClick", Moving),
    Await(2, "Next &Hidden Text", "", "NextHiddenItem", "GoNextClick", Moving),
    Await(2, "Next &A-Page", "", "NextAPageitem", "NextAPageitemClick", Drafts).When(R::PagesLocked),
    Await(2, "Next Forced Page Brea&k", "", "NextForcedPageItem", "NextAPageitemClick", Drafts),
    Await(2, "&Next Speech by...", "", "NextSpeechItem", "NextSpeechItemClick", Moving),
    Await(2, "Next Current &Revision Mark", "", "NextRevisionMarkItem", "NextRevisionMarkItemClick", Drafts),
    Await(2, "Next Strikeout or &Colored Text", "Shift+F3", "NextColoredText1", "NextColoredText1Click", Moving),
    Line(2),
    Do(2, "&Last Position", "Alt+Home", "LastPositionItem", QM_CMD(LastPositionItemClick)),
    Await(2, "Book&mark...", "Ctrl+Alt+B", "BookmarkItem", "BookmarkItemClick", Search),

    // ---- Spell ----
    Menu(1, " S&pell", "SpellMenu").When(R::Editable),
    Await(2, "&Word", "Ctrl+L", "SpellWordItem", "SpellCheckItemClick", Spelling),
    Await(2, "&Element", "", "SpellElementItem", "SpellCheckItemClick", Spelling),
    Await(2, "&Page", "", "SpellPageItem", "SpellCheckItemClick", Spelling),
    Await(2, "&Forwards", "", "SpellForwardsItem", "SpellCheckItemClick", Spelling),
    Await(2, "Entire &Script", "", "SpellScriptItem", "SpellCheckItemClick", Spelling),
    Await(2, "&Count Words", "", "CountWordsItem", "SpellCheckItemClick", Spelling).When(R::Open),
    Line(2),
    Await(2, "&Thesaurus", "F5", "ThesaurusItem", "ThesaurusItemClick", Thesaurus),
    Await(2, "Word We&b", "Ctrl+F5", "WordWebItem", "ThesaurusItemClick", Thesaurus),
    Await(2, "Mac&quarie Concise", "", "MacquarieConciseItem", "MacquarieConciseItemClick", Spelling),
    Await(2, "Check &Homonyms", "", "CheckHomonymsItem", "CheckHomonymsItemClick", Spelling),
    Line(2),
    Await(2, "Pause &Autocorrection", "Ctrl+Alt+S", "PauseAutocorrectionItem", "PauseAutocorrectionItemClick",
          Spelling),
    Await(2, "Clear &Ignore List", "", "ClearIgnoreListitem", "ClearIgnoreListitemClick", Spelling),
    Await(2, "Change &Dictionary", "", "ChangeSupplementaryDictionary1", "ChangeSupplementaryDictionary1Click",
          Spelling),
    Await(2, "Select &Language", "", "SelectLanguage1", "SelectLanguage1Click", Spelling),
    Await(2, "Edit &User Dictionary", "", "EditUserDictionary1", "EditUserDictionary1Click", Spelling),

    // ---- Window ----
    Menu(1, " &Window", "WindowMenu").When(R::Open),
    Do(2, "&Cascade", "", "WindowCascadeItem", QM_CMD(WindowTileItemClick)),
    Do(2, "&Tile", "", "WindowTileItem", QM_CMD(WindowTileItemClick)),
    Do(2, "&Arrange Icons", "", "WindowArrangeItem", QM_CMD(WindowArrangeItemClick)),
    Do(2, "&Minimize All", "", "WindowMinimizeItem", QM_CMD(WindowMinimizeItemClick)),
    Do(2, "Ma&ximize", "", "MaximizeWindowItem", QM_CMD(MaximizeWindowItemClick)),
    Await(2, "&View As Index Cards", "Ctrl+V", "IndexCardItem", "IndexCardBtnClick", Cards),
    Do(2, "Redra&w Screen", "", "RedisplayScreenItem", QM_CMD(RedisplayScreenBtnClick)),

    // ---- Help ----
    Menu(1, " &Help", "HelpMenu").When(R::Always),
    Await(2, "&Contents", "F1", "Contents1", "Contents1Click", SettingsDialogs),
    Await(2, "Search &for Help on...", "", "SearchforHelpon1", "SearchforHelpon1Click", SettingsDialogs),
    Await(2, "&Quick Help", "Alt+F1", "QuickHelpPage1", "QuickHelpPage1Click", SettingsDialogs),
    Do(2, "&Memory Available", "", "MemoryAvailItem", QM_CMD(MemoryAvailItemClick)),
    Await(2, "Ca&lendar", "", "Calendar1", "Calendar1Click", SettingsDialogs),
    Await(2, "&Name Bank...", "Ctrl+Alt+N", "CharacterNameBankItem", "CharacterNameBankItemClick", ProductionLists),
    Await(2, "Script Anal&ysis", "", "ScriptAnalysisItem", "ScriptAnalysisItemClick", ProductionLists),
    Await(2, "C&ompare Two Scripts", "", "ComparedScriptsItem", "ComparedScriptsItemClick", Drafts),
    Do(2, "Configuration &Wizard", "", "ConfigurationWizard1", QM_CMD(ConfigurationWizard1Click)),
    Await(2, "Character &Set", "", "CharacterSetInformation1", "CharacterSetInformation1Click", ElementCommands),
    Line(2),
    Do(2, "&About...", "", "About1", QM_CMD(About1Click)),

    // ---- Production ----
    Menu(1, " P&roduction", "ProductionMenu").When(R::Editable),
    Await(2, "&Lock The Script", "", "LockScriptItem", "LockScriptItemClick", Drafts).When(R::LockScript),
    Await(2, "&Unlock The Script", "", "UnlockScriptItem", "UnlockScriptItemClick", Drafts).When(R::UnlockScript),
    Menu(2, "Mult&i-Lock", "MultiLockItem").When(R::UnlockScript),
    Await(3, "&Scenes", "", "MultiLockScenesItem", "MultiLockItemClick", Drafts).When(R::ScenesLocked),
    Await(3, "&Pages", "", "MultiLockPagesItem", "MultiLockItemClick", Drafts).When(R::PagesLocked),
    Await(2, "Start &Next Revision", "", "StartNextRevisionItem", "StartNextRevisionItemClick", Drafts)
        .When(R::PagesLocked),
    Await(2, "Set Revision &Draft Color", "", "SetupRevisionColorsItem", "SetupRevisionColorsItemClick",
          SettingsDialogs),
    Await(2, "Se&tup Draft Information", "", "DraftInformationItem", "DraftInformationItemClick", Drafts),
    Menu(2, "&Fix or Flex...", "FixFlexItem"),
    Await(3, "&Fix All A-Pages", "", "FixFlexAPagesItem", "FixFlexAPagesItemClick", Drafts).When(R::PagesLocked),
    Await(3, "F&lex All A-Pages", "", "FlexAPagesItem", "FixFlexAPagesItemClick", Drafts).When(R::PagesLocked),
    Await(3, "F&ix (Lock) All Headers", "", "CheatHeaderItem", "FixHeadersItemClick", Drafts)
        .When(R::HeadersLocked),
    Await(3, "Fle&x All Headers", "", "UnfixAllHeadersItem", "FixHeadersItemClick", Drafts).When(R::HeadersLocked),
    Await(3, "&Unlock Headers", "", "UnlockHeadersItem", "UnlockHeadersItemClick", Drafts).When(R::HeadersLocked),
    Menu(2, "&Auto-Revision...", "AutoRevisionItem"),
    Await(3, "&Marks", "", "AutoRevMarksItem", "AutoRevMarksItemClick", Drafts),
    Menu(3, "&Colors", "AutoRevColorsItem"),
    Await(4, "&Blue", "", "RevBlueItem", "RevColorClick", ElementCommands).Tag(1),
    Await(4, "&Red", "", "RevRedItem", "RevColorClick", ElementCommands).Tag(2),
    Await(4, "&Green", "", "RevGreenItem", "RevColorClick", ElementCommands).Tag(3),
    Await(4, "&User Defined Color...", "", "RevUserColorItem", "RevColorClick", SettingsDialogs),
    Await(4, "Turn Revision Color &Off", "", "RevColorOffItem", "RevColorClick", ElementCommands).Tag(0),
    Menu(2, "&Remove...", "RemoveItem"),
    Await(3, "&Current Revision Marks", "", "RemoveRevMarksItem", "RemoveItemClick", Drafts),
    Await(3, "&Strikeout Codes and/or Text", "", "RemoveStrikeoutItem", "RemoveItemClick", Drafts),
    Await(3, "&Red Highlights", "", "RemoveRedItem", "RemoveItemClick", Drafts),
    Await(3, "&Blue Highlights", "", "RemoveBlueItem", "RemoveItemClick", Drafts),
    Await(3, "&Green Highlights", "", "RemoveGreenItem", "RemoveItemClick", Drafts),
    Await(3, "&User Defined Color Highlights", "", "RemoveUserColorItem", "RemoveItemClick", Drafts),
    Await(3, "&All OMITTED Scene Headings", "", "RemoveOmittedItem", "RemoveItemClick", Drafts),
    Await(3, "Scene &Heading w/o OMITTED", "", "SceneHeadingNoOmitItem", "RemoveItemClick", Drafts)
        .When(R::ScenesLocked),
    Await(3, "&Locked Page Break", "", "RemoveLockedPageBrkItem", "RemoveItemClick", Drafts).When(R::PagesLocked),
    Menu(2, "&Override", "OverrideItem"),
    Await(3, "&Page's Header/Draft Color", "", "CheatPageHeaderItem", "OverrideItemClick", Drafts),
    Await(3, "Page &Break Type", "", "CheatPgBreakTypeItem", "OverrideItemClick", Drafts).When(R::PagesLocked),
    Await(3, "&Element's Numbering", "", "OverrideSceneHeading", "OverrideItemClick", Drafts).When(R::Open),
    Line(2),
    Menu(2, "&Breakdowns", "BreakdownsItem"),
    Await(3, "&Tagging Mode", "", "TaggingModeItem", "TaggingModeItemClick", Breakdown),
    Await(3, "&Edit Categories", "", "EditCategoriesItem", "EditCategoriesItemClick", Breakdown),
    Await(3, "Tag Item &Globally", "", "TagGloballyItem", "TagGloballyItemClick", Breakdown),
    Await(3, "&Untag All Items", "", "UntagAllItem", "UntagAllItemClick", Breakdown),
    Await(3, "&Setup Duplicate Names...", "", "DuplicateNamesItem", "DuplicateNamesItemClick", Breakdown),
    Await(3, "Setup &Duplicate Locations...", "", "DuplicateLocationsItem", "DuplicateNamesItemClick", Breakdown),
    Await(3, "&Associate Items with Names", "", "AssociateNamesItem", "AssociateItemClick", Breakdown),
    Await(3, "Associate Items with &Locations", "", "AssociateLocationsItem", "AssociateItemClick", Breakdown),
    Await(3, "&ShootPlan Scheduling Export", "", "ShootPlanExportItem", "ShootPlanExportItemClick",
          BreakdownReports),
    Await(3, "Print &Standard Breakdowns", "", "PrintBreakdownsItem", "PrintItemClick", BreakdownReports),
    Await(3, "La&yout Breakdown Sheets", "", "LayoutSheetsItem", "BreakdownSheetsItemClick", BreakdownReports),
    Await(3, "E&dit Breakdown Sheets", "", "EditSheetsItem", "BreakdownSheetsItemClick", BreakdownReports),
    Await(3, "&Print Breakdown Sheets", "", "PrintSheetsItem", "BreakdownSheetsItemClick", BreakdownReports),
    Menu(2, "T&V Breakdowns", "TVBreakdownsItem"),
    Await(3, "&Generate Rundown Sheet", "", "RundownSheetItem", "RundownSheetItemClick", ProductionLists),
    Await(3, "&Print Set List", "", "PrintSetListItem", "PrintSetListItemClick", ProductionLists),
    Menu(3, "Scene Character Lists", "SceneCharacterLists2Item"),
    Await(4, "&Generate", "", "GenerateCList2Item", "GenerateCListClick", ProductionLists),
    Await(4, "&Remove", "", "RemoveCList2Item", "RemoveCListItemClick", ProductionLists),
    Menu(2, "Animation Loc&king", "AnimationLockingItem"),
    Await(3, "Loc&k Current Rev. Marks", "", "LockRevMarksItem", "LockRevMarksItemClick", Drafts),
    Await(3, "U&nlock One Rev. Mark Level", "", "UnlockRevMarkLevelItem", "UnlockRevMarkLevelItemClick", Drafts),
    Await(3, "&Print Numbering in Script", "", "PrintNumberingItem", "PrintNumberingItemClick", Drafts),
    Await(3, "&Lock Dialogue Numbering", "", "LockDialogueNumberingItem", "LockDialogueNumberingItemClick", Drafts)
        .When(R::NumberingNotLocked),
    Await(3, "&Unlock Dialogue Numbering", "", "UnlockDialogueNumberingItem", "UnlockDialogueNumberingItemClick",
          Drafts)
        .When(R::NumberingOn),
    Await(3, "&Adjust Dialogue Numbering", "Ctrl+F3", "AdjustNumberingItem", "AdjustNumberingItemClick", Drafts)
        .When(R::NumberingOn),
    Menu(2, "Stor&yBoard Linking", "StoryBoardLinkingItem"),
    Await(3, "&Create New Frame", "", "NewFrameItem", "StoryBoardLinkClick", Interactive),
    Await(3, "&Assign Text to Existing Frame", "", "AssignFrameItem", "StoryBoardLinkClick", Interactive),
    Await(3, "Clear &Links to Frame(s)", "", "ClearFrameLinksItem", "StoryBoardLinkClick", Interactive),
    Await(3, "&Hide All Link Brackets", "", "HideLinkBracketsItem", "HideSBLinksItemClick", Interactive),
    Menu(2, "&Production Solutions", "ProductionSolutionsItem"),
    Await(3, "&Merge Text into Script", "", "MergeTextintoScriptItem", "MergeTextintoScriptItemClick", Exports)
        .When(R::UnlockScript),
    Await(3, "&General Techniques...", "", "TechniquesHelpItem", "ProductionHelpClick", SettingsDialogs),
    Await(3, "&Scene Headings", "", "SceneHeadingsHelpItem", "ProductionHelpClick", SettingsDialogs),
    Await(3, "&Page Breaks", "", "PageBreaksHelpItem", "ProductionHelpClick", SettingsDialogs),
    Await(3, "&Headers", "", "HeadersHelpItem", "ProductionHelpClick", SettingsDialogs),
    Await(3, "Manual &Overrides", "", "OverridesHelpItem", "ProductionHelpClick", SettingsDialogs),
    Menu(3, "Temporarily &Disable", "TemporarilyDisableItem"),
    Await(4, "Locking of &Pages", "", "PausePageLockingItem", "TogglePauseLockingClick", Drafts)
        .When(R::PagesLocked),
    Await(4, "Locking of &Scenes", "", "PauseSceneLockingItem", "TogglePauseLockingClick", Drafts)
        .When(R::ScenesLocked),

    // ---- The key menus, never shown ----
    Menu(1, "AltKeys", "AltKeysMenu").Hidden(),
#define QM_ALT(L) Do(2, #L, "", "AltKey" #L "Item", QM_CMD(AltKeyPressed)).Tag(AltKeyItemTag)
    QM_ALT(A), QM_ALT(B), QM_ALT(C), QM_ALT(D), QM_ALT(E), QM_ALT(F), QM_ALT(G), QM_ALT(H), QM_ALT(I),
    QM_ALT(J), QM_ALT(K), QM_ALT(L), QM_ALT(M), QM_ALT(N), QM_ALT(O), QM_ALT(P), QM_ALT(Q), QM_ALT(R),
    QM_ALT(S), QM_ALT(T), QM_ALT(U), QM_ALT(V), QM_ALT(W), QM_ALT(X), QM_ALT(Y), QM_ALT(Z),
#undef QM_ALT
    Menu(1, "UserKeys", "UserKeysMenu").Hidden(),
#define QM_USER(dep, L, pre) Await(dep, #L, "", pre #L "Item", "UserDefKeyClick", SettingsDialogs)
#define QM_USERS(dep, pre)                                                                                  \
  QM_USER(dep, A, pre), QM_USER(dep, B, pre), QM_USER(dep, C, pre), QM_USER(dep, D, pre),                 \
      QM_USER(dep, E, pre), QM_USER(dep, F, pre), QM_USER(dep, G, pre), QM_USER(dep, H, pre),             \
      QM_USER(dep, I, pre), QM_USER(dep, J, pre), QM_USER(dep, K, pre), QM_USER(dep, L, pre),             \
      QM_USER(dep, M, pre), QM_USER(dep, N, pre), QM_USER(dep, O, pre), QM_USER(dep, P, pre),             \
      QM_USER(dep, Q, pre), QM_USER(dep, R, pre), QM_USER(dep, S, pre), QM_USER(dep, T, pre),             \
      QM_USER(dep, U, pre), QM_USER(dep, V, pre), QM_USER(dep, W, pre), QM_USER(dep, X, pre),             \
      QM_USER(dep, Y, pre), QM_USER(dep, Z, pre)
    QM_USERS(2, "UserKey"),
    Menu(2, "Null", "NullKeysMenu"),
    QM_USERS(3, "NullKey"),
#undef QM_USERS
#undef QM_USER
    Menu(1, "Hidden", "HiddenMenu").Hidden(),
    Await(2, "Make Title", "Shift+F6", "MakeTitleItem", "MakeTitleItemClick", ElementCommands),
    Await(2, "Delete Word", "", "DeleteWordItem", "DeleteWordItemClick", Clipboard),
    Await(2, "Delete Left Word", "", "DeleteLeftWordItem", "DeleteWordItemClick", Clipboard),
    Await(2, "Delete To End of Line", "", "DeleteToEolItem", "DeleteWordItemClick", Clipboard),
    Do(2, "Underline", "F8", "UnderlineItem", QM_CMD(BoldBtnClick)).Tag(2),
    Do(2, "Bold", "F6", "BoldItem", QM_CMD(BoldBtnClick)).Tag(1),
    Do(2, "Italics", "F9", "ItalicsItem", QM_CMD(BoldBtnClick)).Tag(3),
    Do(2, "StrikeOut", "F11", "StrikeOutItem", QM_CMD(BoldBtnClick)).Tag(4),
    Await(2, "ProducerHelp", "Ctrl+Alt+H", "ProducerHelpItem", "ProducerHelpItemClick", SettingsDialogs),
    Await(2, "Alternate Print", "Shift+F7", "AlternatePrintItem", "PrintItemClick", Printing),
    Await(2, "Interactive Wizard", "Ctrl+A", "InteractiveWizardItem", "InteractiveWizardItemClick", Interactive),
    Do(2, "Clear ClipBoard/Undo", "Shift+Ctrl+Alt+6", "ClearClipboardItem", QM_CMD(ClearClipboardItemClick)),
    Await(2, "QuickEntry", "Ctrl+Q", "QuickEntryItem", "QuickEntryItemClick", Search),
    Await(2, "Quick Entry Setup", "Ctrl+Alt+Q", "QuickEntrySetupItem", "QuickEntrySetupItemClick", Search),
    Await(2, "Prev Scene", "Shift+Ctrl+Alt+Up", "PrevSceneItem", "ExtendToSceneClick", Clipboard),
    Await(2, "Next Scene", "Shift+Ctrl+Alt+Down", "NextSceneExtendItem", "ExtendToSceneClick", Clipboard),
    Do(2, "AlternateUndo", "Ctrl+Z", "AlternateUndo", QM_CMD(UndoItemClick)).Tag(UndoItemTag).Hidden(),
    Await(2, "StraightText", "Ctrl+J", "StraightTextItem", "StraightTextItemClick", ElementCommands),
    Await(2, "Alt Search", "Ctrl+F", "AltSearchItem", "SearchItemClick", Search),
    Await(2, "CutToEol", "", "CutToEolItem", "DeleteWordItemClick", Clipboard),
    Do(2, "Hard Space", "Ctrl+Alt+Space", "HardSpace1", QM_CMD(HardSpace1Click)),
    Await(2, "Alt Goto Top", "", "AltGotoTopItem", "GotoTopOrBottomClick", Moving),
    Await(2, "Alt Goto Bottom", "", "AltGotoBottomItem", "GotoTopOrBottomClick", Moving),
};

#undef QM_CMD

}  // namespace

std::span<const TMenuRow> MainMenuRows() { return kRows; }

}  // namespace qm
