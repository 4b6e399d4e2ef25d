#include "shell/menu_table.h"

#include "shell/program_settings.h"
#include "shell/main_form.h"
#include "shell/key_overrides.h"

namespace qm {

namespace {

using R = TMenuRule;

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

#define QM_CMD(fn) #fn, &TMainForm::fn

// clang-format off
const TMenuRow kRows[] = {
    // ---- The user keys, never shown: first, so that a key given an
    // action in the options takes it from every other item that has it ----
    Menu(1, "UserKeys", "UserKeysMenu").Hidden(),
#define QM_USER(dep, L, pre, tag) Do(dep, #L, "", pre #L "Item", QM_CMD(UserDefKeyClick)).Tag(tag)
#define QM_USERS(d, p, t)                                                                                   \
  QM_USER(d, A, p, t), QM_USER(d, B, p, t), QM_USER(d, C, p, t), QM_USER(d, D, p, t), QM_USER(d, E, p, t),   \
      QM_USER(d, F, p, t), QM_USER(d, G, p, t), QM_USER(d, H, p, t), QM_USER(d, I, p, t), QM_USER(d, J, p, t), \
      QM_USER(d, K, p, t), QM_USER(d, L, p, t), QM_USER(d, M, p, t), QM_USER(d, N, p, t), QM_USER(d, O, p, t), \
      QM_USER(d, P, p, t), QM_USER(d, Q, p, t), QM_USER(d, R, p, t), QM_USER(d, S, p, t), QM_USER(d, T, p, t), \
      QM_USER(d, U, p, t), QM_USER(d, V, p, t), QM_USER(d, W, p, t), QM_USER(d, X, p, t), QM_USER(d, Y, p, t), \
      QM_USER(d, Z, p, t)
    // Alt + the letter, then (under "Null") Ctrl + the letter.
    QM_USERS(2, "UserKey", AltUserKeyTag),
    Menu(2, "Null", "NullKeysMenu"),
    QM_USERS(3, "NullKey", CtrlUserKeyTag),
#undef QM_USERS
#undef QM_USER

    // ---- File ----
    Menu(1, " &File", "FileMenu").When(R::Always),
    Do(2, "&New", "", "FileNewItem", QM_CMD(FileNewItemClick)),
    Do(2, "&Open", "Shift+F10", "FileOpenItem", QM_CMD(FileOpenItemClick)),
    Do(2, "&Close", "Ctrl+F4", "CloseFileItem", QM_CMD(CloseFileItemClick)).When(R::Open),
    Do(2, "&Save", "F7", "FileSaveItem", QM_CMD(FileSaveItemClick)).When(R::Editable),
    Do(2, "Save &As...", "F10", "FileSaveAsItem", QM_CMD(FileSaveAsItemClick)).When(R::Editable),
    Do(2, "Sav&e All Open Scripts", "Ctrl+F7", "FileSaveAllItem", QM_CMD(FileSaveAllItemClick)).When(R::Editable),
    Menu(2, "&Backup Script to Floppy", "BackuptoFloppyItem").When(R::Editable),
    Do(3, "Drive &A:\\", "", "ADriveItem", QM_CMD(BackupToDriveClick)),
    Do(3, "Drive &B:\\", "", "BDriveItem", QM_CMD(BackupToDriveClick)),
    Line(2),
    Do(2, "&Header Setup...", "", "HeaderSetupItem", QM_CMD(HeaderSetupItemClick)).When(R::Editable),
    Do(2, "Title Page P&ublisher...", "", "TitlePagePublishItem", QM_CMD(TitlePagePublishItemClick)).When(R::Editable),
    Do(2, "Page &Layout...", "", "PageLayoutItem", QM_CMD(PageLayoutItemClick)).When(R::Open),
    Line(2),
    Do(2, "Print Pre&view...", "", "PrintPreviewItem", QM_CMD(PreviewItemClick)).When(R::Open),
    Do(2, "&Print...", "Ctrl+P", "PrintItem", QM_CMD(PrintItemClick)).When(R::Open),
    Do(2, "Prin&ter Setup...", "", "PrinterSetupItem", QM_CMD(PrinterSetupItemClick)),
    Line(2),
    Do(2, "Pro&gram Options...", "", "ProgramSettingsItem", QM_CMD(ProgramSettingsItemClick)),
    Menu(2, "&Display Options", "DisplayOptionsItem"),
    Do(3, "&Only Show Top Menu", "", "OnlyTopMenuItem", QM_CMD(OnlyTopMenuItemClick)),
    Do(3, "Show &Hints", "", "ShowHintsItem", QM_CMD(ShowHintsItemClick)),
    Do(3, "&Scroll Hints When Needed", "", "ScrollHints", QM_CMD(ScrollHintsClick)),
    Do(3, "&Always Show Boxes around Buttons", "", "AlwaysShowBoxesItem", QM_CMD(AlwaysShowBoxesItemClick)),
    Do(3, "Setup &Font for Menus", "", "MenuFontItem", QM_CMD(MenuFontItemClick)),
    Do(3, "Show &Top Speedbar", "", "DisplaySpeedbarItem", QM_CMD(DisplaySpeedbarItemClick)).When(R::SpeedBars),
    Do(3, "&Edit Top Speed Bar", "", "EditTopSpeedBarItem", QM_CMD(EditSpeedBar1Click)),
    Do(3, "&Show Status Bar", "", "BottomSpeedItem", QM_CMD(BottomSpeedItemClick)).When(R::SpeedBars),
    Do(3, "S&cene Count", "", "SceneCountItem", QM_CMD(SceneCountItemClick)),
    Do(3, "&Act/Scene Info", "", "ActSceneInfoItem", QM_CMD(ActSceneInfoItemClick)),
    Do(3, "Show &Right Speed Bar", "", "RightSpeedbarItem", QM_CMD(RightSpeedbarItemClick)).When(R::SpeedBars),
    Do(3, "Show &Element Buttons", "", "RightEButtonsItem", QM_CMD(RightEButtonsItemClick)).When(R::SpeedBars),
    Do(3, "Show Scene &Pilot", "", "SceneGuideItem", QM_CMD(SceneGuideItemClick)).When(R::ElementButtons),
    Do(3, "Show &Ruler", "", "ShowRulerItem", QM_CMD(ShowRulerItemClick)),
    Do(3, "&Zoom Screen Text...", "", "ZoomItem", QM_CMD(ZoomBtnClick)).When(R::Open),
    Do(3, "Show &Format Codes", "Alt+F3", "DisplayCodesItem", QM_CMD(DisplayCodesItemClick)),
    Do(3, "&Clear File History List", "", "ClearHistoryItem", QM_CMD(ClearHistoryItemClick)),
    Do(3, "Set Screen C&olors", "", "ScreenColorsItem", QM_CMD(ScreenColorsItemClick)),
    Menu(2, "H&ide Elements on Screen", "HideElementsItem").When(R::Open),
    Do(3, "&Action", "", "HideActionItem", QM_CMD(HideElementListClick)),
    Do(3, "&Character/Dialogue", "", "HideDialogueItem", QM_CMD(HideElementListClick)),
    Do(3, "&Scene Headings", "", "HideScenesItem", QM_CMD(HideElementListClick)),
    Menu(3, "Script &Notes", "HideNotesMenu"),
    Do(4, "&All Colors", "", "HideAllNotesItem", QM_CMD(HideNotesItemClick)),
    Do(4, "All Colors &Except...", "", "HideNotesExceptItem", QM_CMD(HideNotesItemClick)),
    Do(3, "Non-&Printing Text", "", "HideNonPrintingItem", QM_CMD(HideNonPrintingTextItemClick)),
    Line(3, "SBLinksBar").When(R::StoryboardLinks),
    Do(3, "StoryBoard &Links", "", "HideSBLinksItem", QM_CMD(HideSBLinksItemClick)).When(R::StoryboardLinks),
    Menu(3, "&Unhide", "UnhideMenu"),
    Do(4, "&Normally Displayed Elements", "", "UnhideElementsItem", QM_CMD(HideElementListClick)),
    Do(4, "&Script Notes", "", "UnhideNotesItem", QM_CMD(HideNotesItemClick)),
    Do(4, "All Script Notes &Except...", "", "UnhideNotesExceptItem", QM_CMD(HideNotesItemClick)),
    Do(4, "Non-&Printing Text", "", "UnhideNonPrintingItem", QM_CMD(HideNonPrintingTextItemClick)),
    Do(4, "StoryBoard &Links", "", "AltHideSBLinksItem", QM_CMD(HideSBLinksItemClick)),
    Line(2, "MMBar").When(R::Interactive),
    Do(2, "Graph &Branch Points", "Alt+F11", "GraphLinksItem", QM_CMD(DialogueBtnClick)).When(R::Interactive),
    Do(2, "Pla&y Multimedia Script", "", "PlayMultimediaScriptItem", QM_CMD(PlayMultimediaScriptItemClick))
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
    Do(2, "Cu&t", "Shift+Del", "CutItem", QM_CMD(CutBtnClick)).When(R::Block),
    Do(2, "&Copy", "Ctrl+Ins", "CopyItem", QM_CMD(CopyBtnClick)).When(R::Block),
    Do(2, "&Delete", "", "DeleteItem", QM_CMD(DeleteBtnClick)).When(R::Block),
    Do(2, "&Paste", "Shift+Ins", "PasteItem", QM_CMD(PasteBtnClick)).When(R::Paste),
    Do(2, "Paste &from...", "", "PastefromItem", QM_CMD(PastefromItemClick)),
    Menu(2, "Cop&y to...", "CopyToMainItem").When(R::Block),
    Do(3, "&New File", "", "CopyToItem", QM_CMD(CutCopyToClick)).Tag(8801),
    Do(3, "&Existing File", "", "CopyToExistingFileItem", QM_CMD(CutCopyToClick)).Tag(8802),
    Do(3, "&Scrap File", "Shift+Alt+C", "CopyToScrapItem", QM_CMD(CutCopyToClick)).Tag(8803),
    Menu(2, "Cut t&o...", "CuttoMainItem").When(R::Block),
    Do(3, "&New File", "", "CutToItem", QM_CMD(CutCopyToClick)).Tag(9901),
    Do(3, "&Existing File", "", "CutToExistingFileItem", QM_CMD(CutCopyToClick)).Tag(9902),
    Do(3, "&Scrap File", "Shift+Alt+X", "CutToScrapItem", QM_CMD(CutCopyToClick)).Tag(9903),
    Line(2),
    Do(2, "Select &All", "Ctrl+A", "SelectAllItem", QM_CMD(SelectAllItemClick)).When(R::Editable),
    Menu(2, "Select &Special", "SelectSpecialItem").When(R::Editable),
    Do(3, "&Word", "Alt+F5", "WordSelectItem", QM_CMD(Word1Click)),
    Do(3, "&Sentence", "Alt+F7", "SelectSentenceItem", QM_CMD(SelectSentenceItemClick)),
    Do(3, "&Element", "Alt+F8", "ElementSelectItem", QM_CMD(Element1Click)),
    Do(3, "&Group", "Alt+F10", "GroupSelectItem", QM_CMD(Group1Click)),
    Do(3, "&Page", "Alt+F11", "PageSelectItem", QM_CMD(Page1Click)),
    Do(3, "S&cene", "Alt+F12", "SceneSelectItem", QM_CMD(Scene1Click)),
    Do(3, "Scene &Range", "", "SceneRangeItem", QM_CMD(SceneRangeItemClick)),
    Do(3, "E&xtend Selection...", "", "ExtendBlockItem", QM_CMD(ExtendBlockItemClick)),
    Do(2, "Turn off Bloc&k", "", "TurnoffBlockItem", QM_CMD(TurnoffBlockItemClick)).When(R::Block),
    Line(2),
    Do(2, "Add Forced Page &Break", "Shift+Enter", "AddForcedPageBreakItem", QM_CMD(AddForcedPageBreakItemClick)),
    Do(2, "&Remove Forced Page", "", "RemoveForcedPageItem", QM_CMD(RemoveForcedPageItemClick)),
    Do(2, "Add &Hard Return", "Alt+Enter", "AddHardReturnItem", QM_CMD(AddHardReturnItemClick)),
    Do(2, "Add D&ialogue Paragraph", "Ctrl+Alt+D", "AddDialogueParagraphItem", QM_CMD(AddDialogueParagraphItemClick)),
    Menu(2, "Con&vert case", "ConvertCaseItem"),
    Do(3, "&Uppercase", "", "UppercaseItem", QM_CMD(UppercaseItemClick)),
    Do(3, "&Lowercase", "", "LowercaseItem", QM_CMD(UppercaseItemClick)),
    Do(3, "&Initial Capitals", "", "InitialCapsItem", QM_CMD(UppercaseItemClick)),
    Do(3, "Capitalize &Word", "F12", "CapitalizeWordItem", QM_CMD(CapitalizeWordItemClick)).When(R::NoBlock),
    Do(3, "Cap && &Bold Word", "Ctrl+F12", "CapBoldWordItem", QM_CMD(CapitalizeWordItemClick)).When(R::NoBlock),
    Do(3, "Lowercase W&ord", "Shift+F12", "LowercaseWordItem", QM_CMD(CapitalizeWordItemClick)).When(R::NoBlock),
    Menu(2, "Change Text Co&lor", "TextColorItem"),
    Do(3, "&Blue", "", "BlueTextItem", QM_CMD(ColorClick)),
    Do(3, "&Red", "", "RedTextItem", QM_CMD(ColorClick)),
    Do(3, "&Green", "", "GreenTextItem", QM_CMD(ColorClick)),
    Do(3, "&User Defined...", "", "UserTextColorItem", QM_CMD(ColorClick)),
    Do(3, "Blac&k", "", "BlackTextItem", QM_CMD(ColorClick)),

    // ---- Format ----
    Menu(1, " For&mat", "FormatMenu").When(R::Editable),
    Do(2, "&Edit Script Formats...", "", "EditScriptFormatItem", QM_CMD(EditScriptFormatItemClick)),
    Menu(2, "&Load Script Format", "LoadFormatItem"),
    Do(3, "&Screenplay", "", "Screenplay1", QM_CMD(Screenplay1Click)),
    Do(3, "Si&tcom Version I", "", "SitcomVersionI1", QM_CMD(SitcomVersionI1Click)),
    Do(3, "Sit&com Version II", "", "SitcomVersionII1", QM_CMD(SitcomVersionII1Click)),
    Do(3, "Stage &Play", "", "StagePlay1", QM_CMD(StagePlay1Click)),
    Do(3, "&Multimedia (for CD ROM, etc.)", "", "InteractiveCDROM1", QM_CMD(InteractiveCDROM1Click)),
    Do(3, "&User Defined", "", "LoadUserFormatFileItem", QM_CMD(LoadUserDefinedItemClick)),
    Do(3, "&From a Quillmaster Script", "", "LoadScriptFormatItem", QM_CMD(LoadUserDefinedItemClick)),
    Menu(2, "&Save Script Format", "SaveFormatItem"),
    Do(3, "&Screenplay", "", "Screenplay2", QM_CMD(Screenplay2Click)),
    Do(3, "Si&tcom Version I", "", "SitcomVersionI2", QM_CMD(SitcomVersionI2Click)),
    Do(3, "Sit&com Version II", "", "SitcomVersionII2", QM_CMD(SitcomVersionII2Click)),
    Do(3, "Stage &Play", "", "StagePlay2", QM_CMD(StagePlay2Click)),
    Do(3, "&Multimedia (for CD ROM, etc.)", "", "InteractiveCDROM2", QM_CMD(InteractiveCDROM2Click)),
    Do(3, "&All New Scripts", "", "AllNewScriptsItem", QM_CMD(AllNewScriptsItemClick)),
    Do(3, "&User Defined", "", "SaveUserFormatItem", QM_CMD(LoadUserFormatItemClick)),
    Line(2),
    Do(2, "Edit &User Lists...", "", "EditUserListsItem", QM_CMD(EditUserListsItemClick)),
    Menu(2, "L&oad User Lists from", "LoadUserListsItem"),
    Do(3, "Quillmaster &Script", "", "ListsFromScriptItem", QM_CMD(LoadUserDefinedItemClick)),
    Do(3, "&ASCII List", "", "ListsFromAsciiItem", QM_CMD(LoadUserDefinedItemClick)),
    Do(3, "&Collaborator", "", "ListsFromCollaboratorItem", QM_CMD(LoadUserDefinedItemClick)),
    Do(3, "&StoryDev", "", "ListsFromStoryDevItem", QM_CMD(LoadUserDefinedItemClick)),
    Do(3, "&Original Defaults", "", "RestoreDefaultListsItem", QM_CMD(RestoreDefaultListsItemClick)),
    Do(2, "Hide &Names in Pop-Up List...", "", "HideNamesItem", QM_CMD(HideinUserListClick)),
    Do(2, "H&ide  Locations in Pop-Up List...", "", "HideLocationsItem", QM_CMD(HideinUserListClick)),
    Line(2),
    Menu(2, "&Cheat", "CheatItem"),
    Do(3, "&Element", "F3", "ThisElement1", QM_CMD(ThisElement1Click)),
    Do(3, "&Page", "", "Page2", QM_CMD(Page2Click)),
    Do(3, "&Script", "", "CheatScriptItem", QM_CMD(CheatScriptItemClick)),
    Do(3, "&The Government", "", "CheatTheGovernmentItem", QM_CMD(CheatTheGovernmentItemClick)),
    Do(3, "&Keep Element Together", "Ctrl+K", "KeepElementTogetherItem", QM_CMD(KeepElementTogetherItemClick)),
    Do(3, "Keep &Group Together", "Ctrl+Alt+K", "KeepGroupTogetherItem", QM_CMD(KeepGroupTogetherItemClick)),
    Do(3, "Keep With &Following", "", "KeepWithFollowingItem", QM_CMD(KeepGroupTogetherItemClick)),
    Do(3, "&Mark as Non-Printing", "Ctrl+Alt+X", "MarkasNonPrintingItem", QM_CMD(MarkasNonPrintingItemClick)),
    Do(3, "Normal &WP Mode", "Ctrl+W", "TextOnlyModeItem", QM_CMD(TextOnlyModeItemClick)).When(R::TextMode),
    Menu(2, "&Reset Cheated", "ResetCheatedItem"),
    Do(3, "&Element", "", "ResetElementItem", QM_CMD(ResetElementItemClick)),
    Do(3, "&Page", "", "ResetPageItem", QM_CMD(ResetPageItemClick)),
    Do(3, "&Script", "", "ResetScriptItem", QM_CMD(ResetScriptItemClick)),
    Do(3, "&Unmark as Non-Printing", "Ctrl+Alt+Y", "UnmarkNonPrintingItem", QM_CMD(MarkasNonPrintingItemClick)),
    Menu(2, "C&hange Element Type", "ChangeElementTypeItem"),
    Do(3, "&Pop Down List", "F4", "ChangeElementToItem", QM_CMD(ChangeElementToItemClick)),
    Do(3, "&Left Column", "Ctrl+1", "LeftColumnItem", QM_CMD(ColumnItemClick)),
    Do(3, "&Right Column", "Ctrl+2", "RightColumnItem", QM_CMD(ColumnItemClick)),
    Do(3, "&Normal (Full Width)", "Ctrl+0", "FullWidthItem", QM_CMD(ColumnItemClick)),
    Do(3, "&Set Column Margins", "", "SetColumnMargins1", QM_CMD(SetColumnMargins1Click)),
    Line(2),
    Do(2, "Re&paginate Now", "Ctrl+R", "RepaginateNowItem", QM_CMD(RepaginateNowItemClick)),
    Do(2, "Run S&martCheck", "", "RunSmartCheck1", QM_CMD(RunSmartCheck1Click)).When(R::Open),
    Do(2, "Renumber all &Branch Targets", "", "RenumberBTargetsItem", QM_CMD(RenumberBTargetsItemClick))
        .When(R::Interactive),
    Menu(2, "Scene Character Lists", "SceneCharacterListsItem"),
    Do(3, "&Generate", "", "GenerateCListItem", QM_CMD(GenerateCListClick)),
    Do(3, "&Remove", "", "RemoveCListItem", QM_CMD(RemoveCListItemClick)),
    Do(2, "&Mark One Character's Dialogue", "", "MarkallofOneCharactersDialogue1",
       QM_CMD(MarkallofOneCharactersDialogue1Click)),

    // ---- Search ----
    Menu(1, " &Search", "SearchMenu").When(R::Open),
    Do(2, "&Search", "F2", "SearchItem", QM_CMD(SearchItemClick)),
    Do(2, "Search && &Replace", "Alt+F2", "SearchandReplaceItem", QM_CMD(SearchandReplaceItemClick))
        .When(R::Editable),
    Do(2, "Search &Again", "Shift+F2", "SearchAgainItem", QM_CMD(SearchAgainItemClick)).When(R::SearchAgain),
    Line(2),
    Do(2, "&Change Character Name", "", "ChangeCharacterName1", QM_CMD(ChangeCharacterName1Click)),
    Do(2, "Convert to &Gibberish", "", "GibberishItem", QM_CMD(GibberishItemClick)),

    // ---- Goto ----
    Menu(1, " &Goto", "GotoMenu").When(R::Open),
    Do(2, "&Top", "Ctrl+Alt+Home", "GotoTopItem", QM_CMD(GotoTopOrBottomClick)),
    Do(2, "&Bottom", "Ctrl+Alt+End", "GotoBottomItem", QM_CMD(GotoTopOrBottomClick)),
    Do(2, "&Page", "Ctrl+G", "GotoPageItem", QM_CMD(PagePanelClick)),
    Do(2, "&Scene", "", "ScenePilotItem", QM_CMD(SceneGuideBtnEnter)),
    Do(2, "Act&/Scene Info", "", "GotoSceneItem", QM_CMD(GotoSceneItemClick)),
    Line(2),
    Do(2, "Pre&vious Scene Heading", "Ctrl+Alt+Up", "PreviousSceneItem", QM_CMD(GoNextClick)),
    Do(2, "Ne&xt Scene Heading", "Ctrl+Alt+Down", "NextSceneItem", QM_CMD(GoNextClick)),
    Do(2, "Next Script N&ote", "", "NextNoteItem", QM_CMD(GoNextClick)),
    Do(2, "Next &Hidden Text", "", "NextHiddenItem", QM_CMD(GoNextClick)),
    Do(2, "Next &A-Page", "", "NextAPageitem", QM_CMD(NextAPageitemClick)).When(R::PagesLocked),
    Do(2, "Next Forced Page Brea&k", "", "NextForcedPageItem", QM_CMD(NextAPageitemClick)),
    Do(2, "&Next Speech by...", "", "NextSpeechItem", QM_CMD(NextSpeechItemClick)),
    Do(2, "Next Current &Revision Mark", "", "NextRevisionMarkItem", QM_CMD(NextRevisionMarkItemClick)),
    Do(2, "Next Strikeout or &Colored Text", "Shift+F3", "NextColoredText1", QM_CMD(NextColoredText1Click)),
    Line(2),
    Do(2, "&Last Position", "Alt+Home", "LastPositionItem", QM_CMD(LastPositionItemClick)),
    Do(2, "Book&mark...", "Ctrl+Alt+B", "BookmarkItem", QM_CMD(BookmarkItemClick)),

    // ---- Spell ----
    Menu(1, " S&pell", "SpellMenu").When(R::Editable),
    Do(2, "&Word", "Ctrl+L", "SpellWordItem", QM_CMD(SpellCheckItemClick)),
    Do(2, "&Element", "", "SpellElementItem", QM_CMD(SpellCheckItemClick)),
    Do(2, "&Page", "", "SpellPageItem", QM_CMD(SpellCheckItemClick)),
    Do(2, "&Forwards", "", "SpellForwardsItem", QM_CMD(SpellCheckItemClick)),
    Do(2, "Entire &Script", "", "SpellScriptItem", QM_CMD(SpellCheckItemClick)),
    Do(2, "&Count Words", "", "CountWordsItem", QM_CMD(SpellCheckItemClick)).When(R::Open),
    Line(2),
    Do(2, "&Thesaurus", "F5", "ThesaurusItem", QM_CMD(ThesaurusItemClick)),
    Do(2, "Word We&b", "Ctrl+F5", "WordWebItem", QM_CMD(ThesaurusItemClick)),
    Do(2, "Mac&quarie Concise", "", "MacquarieConciseItem", QM_CMD(MacquarieConciseItemClick)).Hidden(),
    Do(2, "Check &Homonyms", "", "CheckHomonymsItem", QM_CMD(CheckHomonymsItemClick)),
    Line(2),
    Do(2, "Pause &Autocorrection", "Ctrl+Alt+S", "PauseAutocorrectionItem", QM_CMD(PauseAutocorrectionItemClick)),
    Do(2, "Clear &Ignore List", "", "ClearIgnoreListitem", QM_CMD(ClearIgnoreListitemClick)),
    Do(2, "Change &Dictionary", "", "ChangeSupplementaryDictionary1", QM_CMD(ChangeSupplementaryDictionary1Click)),
    Do(2, "Select &Language", "", "SelectLanguage1", QM_CMD(SelectLanguage1Click)),
    Do(2, "Edit &User Dictionary", "", "EditUserDictionary1", QM_CMD(EditUserDictionary1Click)),

    // ---- Window ----
    Menu(1, " &Window", "WindowMenu").When(R::Open),
    Do(2, "&Cascade", "", "WindowCascadeItem", QM_CMD(WindowTileItemClick)),
    Do(2, "&Tile", "", "WindowTileItem", QM_CMD(WindowTileItemClick)),
    Do(2, "&Arrange Icons", "", "WindowArrangeItem", QM_CMD(WindowArrangeItemClick)),
    Do(2, "&Minimize All", "", "WindowMinimizeItem", QM_CMD(WindowMinimizeItemClick)),
    Do(2, "Ma&ximize", "", "MaximizeWindowItem", QM_CMD(MaximizeWindowItemClick)),
    Do(2, "&View As Index Cards", "Ctrl+V", "IndexCardItem", QM_CMD(IndexCardBtnClick)).When(R::Open),
    Do(2, "Redra&w Screen", "", "RedisplayScreenItem", QM_CMD(RedisplayScreenBtnClick)),

    // ---- Help ----
    Menu(1, " &Help", "HelpMenu").When(R::Always),
    Do(2, "&Contents", "F1", "Contents1", QM_CMD(Contents1Click)),
    Do(2, "Search &for Help on...", "", "SearchforHelpon1", QM_CMD(SearchforHelpon1Click)),
    Do(2, "&Quick Help", "Alt+F1", "QuickHelpPage1", QM_CMD(QuickHelpPage1Click)),
    Do(2, "&Memory Available", "", "MemoryAvailItem", QM_CMD(MemoryAvailItemClick)),
    Do(2, "Ca&lendar", "", "Calendar1", QM_CMD(Calendar1Click)),
    Do(2, "&Name Bank...", "Ctrl+Alt+N", "CharacterNameBankItem", QM_CMD(CharacterNameBankItemClick)),
    Do(2, "Script Anal&ysis", "", "ScriptAnalysisItem", QM_CMD(ScriptAnalysisItemClick)),
    Do(2, "C&ompare Two Scripts", "", "ComparedScriptsItem", QM_CMD(ComparedScriptsItemClick)),
    Do(2, "Configuration &Wizard", "", "ConfigurationWizard1", QM_CMD(ConfigurationWizard1Click)),
    Do(2, "Character &Set", "", "CharacterSetInformation1", QM_CMD(CharacterSetInformation1Click)),
    Line(2),
    Do(2, "&About...", "", "About1", QM_CMD(About1Click)),

    // ---- Production ----
    Menu(1, " P&roduction", "ProductionMenu").When(R::Editable),
    Do(2, "&Lock The Script", "", "LockScriptItem", QM_CMD(LockScriptItemClick)).When(R::LockScript),
    Do(2, "&Unlock The Script", "", "UnlockScriptItem", QM_CMD(UnlockScriptItemClick)).When(R::UnlockScript),
    Menu(2, "Mult&i-Lock", "MultiLockItem").When(R::UnlockScript),
    Do(3, "&Scenes", "", "MultiLockScenesItem", QM_CMD(MultiLockItemClick)).When(R::ScenesLocked),
    Do(3, "&Pages", "", "MultiLockPagesItem", QM_CMD(MultiLockItemClick)).When(R::PagesLocked),
    Do(2, "Start &Next Revision", "", "StartNextRevisionItem", QM_CMD(StartNextRevisionItemClick))
        .When(R::PagesLocked),
    Do(2, "Set Revision &Draft Color", "", "SetupRevisionColorsItem", QM_CMD(SetupRevisionColorsItemClick)),
    Do(2, "Se&tup Draft Information", "", "DraftInformationItem", QM_CMD(DraftInformationItemClick)),
    Menu(2, "&Fix or Flex...", "FixFlexItem"),
    Do(3, "&Fix All A-Pages", "", "FixFlexAPagesItem", QM_CMD(FixFlexAPagesItemClick)).When(R::PagesLocked),
    Do(3, "F&lex All A-Pages", "", "FlexAPagesItem", QM_CMD(FixFlexAPagesItemClick)).When(R::PagesLocked),
    Do(3, "F&ix (Lock) All Headers", "", "CheatHeaderItem", QM_CMD(FixHeadersItemClick))
        .When(R::HeadersLocked),
    Do(3, "Fle&x All Headers", "", "UnfixAllHeadersItem", QM_CMD(FixHeadersItemClick)).When(R::HeadersLocked),
    Do(3, "&Unlock Headers", "", "UnlockHeadersItem", QM_CMD(UnlockHeadersItemClick)).When(R::HeadersLocked),
    Menu(2, "&Auto-Revision...", "AutoRevisionItem"),
    Do(3, "&Marks", "", "AutoRevMarksItem", QM_CMD(AutoRevMarksItemClick)),
    Menu(3, "&Colors", "AutoRevColorsItem"),
    Do(4, "&Blue", "", "RevBlueItem", QM_CMD(RevColorClick)).Tag(1),
    Do(4, "&Red", "", "RevRedItem", QM_CMD(RevColorClick)).Tag(2),
    Do(4, "&Green", "", "RevGreenItem", QM_CMD(RevColorClick)).Tag(3),
    Do(4, "&User Defined Color...", "", "RevUserColorItem", QM_CMD(RevColorClick)),
    Do(4, "Turn Revision Color &Off", "", "RevColorOffItem", QM_CMD(RevColorClick)).Tag(0),
    Menu(2, "&Remove...", "RemoveItem"),
    Do(3, "&Current Revision Marks", "", "RemoveRevMarksItem", QM_CMD(RemoveDraftItemClick)),
    Do(3, "&Strikeout Codes and/or Text", "", "RemoveStrikeoutItem", QM_CMD(RemoveItemClick)),
    Do(3, "&Red Highlights", "", "RemoveRedItem", QM_CMD(RemoveItemClick)),
    Do(3, "&Blue Highlights", "", "RemoveBlueItem", QM_CMD(RemoveItemClick)),
    Do(3, "&Green Highlights", "", "RemoveGreenItem", QM_CMD(RemoveItemClick)),
    Do(3, "&User Defined Color Highlights", "", "RemoveUserColorItem", QM_CMD(RemoveDraftItemClick)),
    Do(3, "&All OMITTED Scene Headings", "", "RemoveOmittedItem", QM_CMD(RemoveDraftItemClick)),
    Do(3, "Scene &Heading w/o OMITTED", "", "SceneHeadingNoOmitItem", QM_CMD(RemoveDraftItemClick))
        .When(R::ScenesLocked),
    Do(3, "&Locked Page Break", "", "RemoveLockedPageBrkItem", QM_CMD(RemoveDraftItemClick)).When(R::PagesLocked),
    Menu(2, "&Override", "OverrideItem"),
    Do(3, "&Page's Header/Draft Color", "", "CheatPageHeaderItem", QM_CMD(OverrideItemClick)),
    Do(3, "Page &Break Type", "", "CheatPgBreakTypeItem", QM_CMD(OverrideItemClick)).When(R::PagesLocked),
    Do(3, "&Element's Numbering", "", "OverrideSceneHeading", QM_CMD(OverrideItemClick)).When(R::Open),
    Line(2),
    Menu(2, "&Breakdowns", "BreakdownsItem"),
    Do(3, "&Tagging Mode", "", "TaggingModeItem", QM_CMD(TaggingModeItemClick)),
    Do(3, "&Edit Categories", "", "EditCategoriesItem", QM_CMD(EditCategoriesItemClick)),
    Do(3, "Tag Item &Globally", "", "TagGloballyItem", QM_CMD(TagGloballyItemClick)),
    Do(3, "&Untag All Items", "", "UntagAllItem", QM_CMD(UntagAllItemClick)),
    Do(3, "&Setup Duplicate Names...", "", "DuplicateNamesItem", QM_CMD(DuplicateNamesItemClick)),
    Do(3, "Setup &Duplicate Locations...", "", "DuplicateLocationsItem", QM_CMD(DuplicateNamesItemClick)),
    Do(3, "&Associate Items with Names", "", "AssociateNamesItem", QM_CMD(AssociateItemClick)),
    Do(3, "Associate Items with &Locations", "", "AssociateLocationsItem", QM_CMD(AssociateItemClick)),
    Do(3, "&ShootPlan Scheduling Export", "", "ShootPlanExportItem", QM_CMD(ShootPlanExportItemClick)),
    Do(3, "Print &Standard Breakdowns", "", "PrintBreakdownsItem", QM_CMD(PrintItemClick)),
    Do(3, "La&yout Breakdown Sheets", "", "LayoutSheetsItem", QM_CMD(BreakdownSheetsItemClick)),
    Do(3, "E&dit Breakdown Sheets", "", "EditSheetsItem", QM_CMD(BreakdownSheetsItemClick)),
    Do(3, "&Print Breakdown Sheets", "", "PrintSheetsItem", QM_CMD(BreakdownSheetsItemClick)),
    Menu(2, "T&V Breakdowns", "TVBreakdownsItem"),
    Do(3, "&Generate Rundown Sheet", "", "RundownSheetItem", QM_CMD(RundownSheetItemClick)),
    Do(3, "&Print Set List", "", "PrintSetListItem", QM_CMD(PrintSetListItemClick)),
    Menu(3, "Scene Character Lists", "SceneCharacterLists2Item"),
    Do(4, "&Generate", "", "GenerateCList2Item", QM_CMD(GenerateCListClick)),
    Do(4, "&Remove", "", "RemoveCList2Item", QM_CMD(RemoveCListItemClick)),
    Menu(2, "Animation Loc&king", "AnimationLockingItem"),
    Do(3, "Loc&k Current Rev. Marks", "", "LockRevMarksItem", QM_CMD(LockRevMarksItemClick)),
    Do(3, "U&nlock One Rev. Mark Level", "", "UnlockRevMarkLevelItem", QM_CMD(UnlockRevMarkLevelItemClick))
        .When(R::RevisionLevels),
    Do(3, "&Print Numbering in Script", "", "PrintNumberingItem", QM_CMD(PrintNumberingItemClick)),
    Do(3, "&Lock Dialogue Numbering", "", "LockDialogueNumberingItem", QM_CMD(LockDialogueNumberingItemClick))
        .When(R::NumberingNotLocked),
    Do(3, "&Unlock Dialogue Numbering", "", "UnlockDialogueNumberingItem", QM_CMD(UnlockDialogueNumberingItemClick))
        .When(R::NumberingOn),
    Do(3, "&Adjust Dialogue Numbering", "Ctrl+F3", "AdjustNumberingItem", QM_CMD(AdjustNumberingItemClick))
        .When(R::NumberingOn),
    Menu(2, "Stor&yBoard Linking", "StoryBoardLinkingItem"),
    Do(3, "&Create New Frame", "", "NewFrameItem", QM_CMD(StoryBoardLinkClick)),
    Do(3, "&Assign Text to Existing Frame", "", "AssignFrameItem", QM_CMD(StoryBoardLinkClick)),
    Do(3, "Clear &Links to Frame(s)", "", "ClearFrameLinksItem", QM_CMD(StoryBoardLinkClick)),
    Do(3, "&Hide All Link Brackets", "", "HideLinkBracketsItem", QM_CMD(HideSBLinksItemClick)),
    Menu(2, "&Production Solutions", "ProductionSolutionsItem"),
    Do(3, "&Merge Text into Script", "", "MergeTextintoScriptItem", QM_CMD(MergeTextintoScriptItemClick))
        .When(R::UnlockScript),
    Do(3, "&General Techniques...", "", "TechniquesHelpItem", QM_CMD(ProductionHelpClick)),
    Do(3, "&Scene Headings", "", "SceneHeadingsHelpItem", QM_CMD(ProductionHelpClick)),
    Do(3, "&Page Breaks", "", "PageBreaksHelpItem", QM_CMD(ProductionHelpClick)),
    Do(3, "&Headers", "", "HeadersHelpItem", QM_CMD(ProductionHelpClick)),
    Do(3, "Manual &Overrides", "", "OverridesHelpItem", QM_CMD(ProductionHelpClick)),
    Menu(3, "Temporarily &Disable", "TemporarilyDisableItem"),
    Do(4, "Locking of &Pages", "", "PausePageLockingItem", QM_CMD(TogglePauseLockingClick))
        .When(R::PagesPausable),
    Do(4, "Locking of &Scenes", "", "PauseSceneLockingItem", QM_CMD(TogglePauseLockingClick))
        .When(R::ScenesPausable),

    // ---- The key menus, never shown ----
    Menu(1, "AltKeys", "AltKeysMenu").Hidden(),
#define QM_ALT(L) Do(2, #L, "", "AltKey" #L "Item", QM_CMD(AltKeyPressed)).Tag(AltKeyItemTag)
    QM_ALT(A), QM_ALT(B), QM_ALT(C), QM_ALT(D), QM_ALT(E), QM_ALT(F), QM_ALT(G), QM_ALT(H), QM_ALT(I),
    QM_ALT(J), QM_ALT(K), QM_ALT(L), QM_ALT(M), QM_ALT(N), QM_ALT(O), QM_ALT(P), QM_ALT(Q), QM_ALT(R),
    QM_ALT(S), QM_ALT(T), QM_ALT(U), QM_ALT(V), QM_ALT(W), QM_ALT(X), QM_ALT(Y), QM_ALT(Z),
#undef QM_ALT
    Menu(1, "Hidden", "HiddenMenu").Hidden(),
    Await(2, "Make Title", "Shift+F6", "MakeTitleItem", "MakeTitleItemClick", NoRoutine),
    Do(2, "Delete Word", "", "DeleteWordItem", QM_CMD(DeleteWordItemClick)),
    Do(2, "Delete Left Word", "", "DeleteLeftWordItem", QM_CMD(DeleteWordItemClick)),
    Do(2, "Delete To End of Line", "", "DeleteToEolItem", QM_CMD(DeleteWordItemClick)),
    Do(2, "Underline", "F8", "UnderlineItem", QM_CMD(BoldBtnClick)).Tag(2),
    Do(2, "Bold", "F6", "BoldItem", QM_CMD(BoldBtnClick)).Tag(1),
    Do(2, "Italics", "F9", "ItalicsItem", QM_CMD(BoldBtnClick)).Tag(3),
    Do(2, "StrikeOut", "F11", "StrikeOutItem", QM_CMD(BoldBtnClick)).Tag(4),
    Do(2, "ProducerHelp", "Ctrl+Alt+H", "ProducerHelpItem", QM_CMD(ProducerHelpItemClick)),
    Do(2, "Alternate Print", "Shift+F7", "AlternatePrintItem", QM_CMD(PrintItemClick)),
    Do(2, "Interactive Wizard", "Ctrl+A", "InteractiveWizardItem", QM_CMD(InteractiveWizardItemClick)),
    Do(2, "Clear ClipBoard/Undo", "Shift+Ctrl+Alt+6", "ClearClipboardItem", QM_CMD(ClearClipboardItemClick)),
    Do(2, "QuickEntry", "Ctrl+Q", "QuickEntryItem", QM_CMD(QuickEntryItemClick)),
    Do(2, "Quick Entry Setup", "Ctrl+Alt+Q", "QuickEntrySetupItem", QM_CMD(QuickEntrySetupItemClick)),
    // With a block marked they extend it to the scene heading above or
    // below; without one they move as the Goto menu's scene items do.
    Do(2, "Prev Scene", "Shift+Ctrl+Alt+Up", "AltPreviousSceneItem", QM_CMD(GoNextClick)).Tag(ExtendToPreviousSceneTag),
    Do(2, "Next Scene", "Shift+Ctrl+Alt+Down", "AltNextSceneItem", QM_CMD(GoNextClick)).Tag(ExtendToNextSceneTag),
    Do(2, "AlternateUndo", "Ctrl+Z", "AlternateUndo", QM_CMD(UndoItemClick)).Tag(UndoItemTag).Hidden(),
    Await(2, "StraightText", "Ctrl+J", "StraightTextItem", "StraightTextItemClick", NoRoutine),
    Do(2, "Alt Search", "Ctrl+F", "AltSearchItem", QM_CMD(SearchItemClick)),
    Do(2, "CutToEol", "", "CutToEolItem", QM_CMD(DeleteWordItemClick)),
    Do(2, "Hard Space", "Ctrl+Alt+Space", "HardSpace1", QM_CMD(HardSpace1Click)),
    Do(2, "Alt Goto Top", "", "AltGotoTopItem", QM_CMD(GotoTopOrBottomClick)),
    Do(2, "Alt Goto Bottom", "", "AltGotoBottomItem", QM_CMD(GotoTopOrBottomClick)),
};
// clang-format on

#undef QM_CMD

}  // namespace

std::span<const TMenuRow> MainMenuRows() { return kRows; }

}  // namespace qm
