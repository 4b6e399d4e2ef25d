// The print menu: what a writer chooses to print (all pages, a page range,
// scenes, revised pages, one character's pages), how many copies and
// whether each carries its number as a watermark, where it goes (a
// printer, the PDF printer, a print file), and the print job that carries
// the choice out. Its watermark page keeps the draft information (date,
// who asked for the draft, who approved it, a further note) that can be
// printed across every page.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "printing/script_page.h"

namespace qm {

enum class TPrintRange { AllPages = 0, PageRange = 1, Scenes = 2, RevisedPages = 3, CharacterDialogue = 4 };

// What "One Character's Dialogue" prints: the pages where the character
// speaks, or the scenes that hold any or every one of the chosen names.
enum class TCharacterPages { Speaks = 0, ScenesWithAny = 1, ScenesWithEvery = 2 };

struct TPrintChoice {
  TPrintRange Range = TPrintRange::AllPages;
  std::string From;       // a page label ("12A") or a scene number
  std::string To;         // empty: to the end
  std::string Character;  // whose pages, for CharacterDialogue
  TCharacterPages CharacterPages = TCharacterPages::Speaks;
  std::string SceneList;  // the scenes of the chosen names: "3,7,12A"
  int Copies = 1;
  bool NumberCopies = false;  // each copy carries "<text> <n>" as a watermark
  std::string WatermarkText = "Copy";
  bool SmartCheckFirst = false;
  std::string PrintFile;                // a system path: the job writes a print file
  std::vector<std::string> DraftLines;  // the draft information watermark; empty for none
};

// The draft information of the watermark page.
struct TDraftInformation {
  std::string Date;
  std::string RequestedBy;
  std::string ApprovedBy;
  std::string FurtherInformation;
  bool PrintAsWatermark = false;
};

// The lines the draft information prints as, blank items left out.
std::vector<std::string> DraftWatermarkLines(const TDraftInformation& info);

// The pages a choice prints, in order; empty when none match.
std::vector<TScriptPage> SelectPages(const TScriptDocument& script, const TPrintChoice& choice);

// The character names of the script, upper case up to their extensions,
// sorted, each once.
std::vector<std::string> SpeakingCharacters(const TScriptDocument& script);

// Prints the chosen pages of the script, every copy, with the progress
// dialog; false (after saying why) when nothing matched, the run could
// not start or finish, or the user cancelled.
bool PrintScript(TMDIChild& script, const TPrintChoice& choice);

// The print menu ("Print...").
class TPrintMenuDlg : public TForm {
 public:
  explicit TPrintMenuDlg(TComponent* owner);

  TComboBox* PrinterBox = nullptr;
  TButton* SetupBtn = nullptr;
  TRadioGroup* RangeGroup = nullptr;
  TEdit* FromEdit = nullptr;
  TEdit* ToEdit = nullptr;
  TComboBox* CharacterBox = nullptr;
  TComboBox* CharacterPagesBox = nullptr;
  TEdit* CopiesEdit = nullptr;
  TCheckBox* NumberCopiesBox = nullptr;
  TEdit* WatermarkEdit = nullptr;
  TCheckBox* SmartCheckBox = nullptr;
  TCheckBox* PrintFileBox = nullptr;
  TEdit* PrintFileEdit = nullptr;
  TButton* PreviewBtn = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  // The watermark page and what it keeps.
  TPageControl* Notebook = nullptr;
  TTabSheet* PrintPage = nullptr;
  TTabSheet* WatermarkPage = nullptr;
  TEdit* DraftDateEdit = nullptr;
  TEdit* RequestedByEdit = nullptr;
  TEdit* ApprovedByEdit = nullptr;
  TEdit* FurtherInfoEdit = nullptr;
  TCheckBox* PrintDraftInfoBox = nullptr;
  // Closes the watermark page shown alone, keeping what was typed.
  TButton* DoneBtn = nullptr;
  // Set by the breakdown commands' callers to print the selection only.
  bool PrintSelection = false;

  // The printer set-up dialog the Printer Setup command runs.
  void RunPrinterSetup();
  // Shows the menu and carries out the choice; the flag is true for
  // "Print Standard Breakdowns".
  void RunPrintJob(bool standardBreakdowns);
  // Reads the printing options from the settings file into the dialog.
  void SetupVariables();
  // The dialog's choice; false with a message when a value is not valid.
  bool ReadChoice(TPrintChoice& choice);
  void FillFrom(const TScriptDocument& script);
  // The draft information as the watermark page holds it.
  TDraftInformation DraftInformation() const;
  // Shows the watermark page alone, without the print buttons, or the
  // whole menu again.
  void ShowWatermarkPageAlone(bool alone);
  void SaveDraftInformation();

 private:
  void SaveVariables();
  void UpdateControls();
  // The control the print page starts on.
  TWinControl* printFocus_ = nullptr;
};

// Se&tup Draft Information: the watermark page alone; OK keeps what was
// typed for the next print.
void ShowScriptInformationSetup();

// What the print menu hands on to the folders above it: the standard
// breakdowns run (set by the main window).
struct TPrintMenuHooks {
  std::function<void(TMDIChild&)> StandardBreakdowns;
  // Asks for names and gives the scene list of the scenes that hold every
  // one (or any) of them; nothing when the writer picked none.
  std::function<std::optional<std::string>(TMDIChild&, bool everyName)> ScenesOfCharacters;
};
extern TPrintMenuHooks PrintMenuHooks;

// The one print menu, made on first use and kept for the run.
TPrintMenuDlg& PrintMenuDlg();

// The print menu's result that asks for the preview instead of the job.
constexpr TModalResult mrPreview = 20;

}  // namespace qm
