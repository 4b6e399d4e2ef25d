// The "How should I Interpret This Text?" dialog: with it the paste of RTF
// or plain text asks how the text is to be classified. The paste decides
// which options show and how they start, and reads them afterwards.
#pragma once

#include <optional>
#include <string_view>

#include "files/imported_text.h"
#include "platform/forms.h"

namespace qm {

class TPasteAsDlg : public TForm {
 public:
  explicit TPasteAsDlg(TComponent* owner);

  TButton* OKBtn;
  TButton* CancelBtn;
  TButton* HelpBtn;
  TPanel* Panel1;
  TBevel* Bevel1;
  TRadioButton* ScriptFormatBtn;
  TRadioButton* ActionOnlyBtn;
  TPanel* OptionPanel;
  TCheckBox* TextOnlyBox;
  TCheckBox* UseStyleSheetsBox;
  TCheckBox* DoubleSpacedBox;
  TLabel* BtrLabel1;
  TCheckBox* NoCapInfo;
  TLabel* Label1;
  TCheckBox* IgnoreMargins;
  TCheckBox* ActionInPs;
  TCheckBox* MatchPageBreaksBox;
  TLabel* BtrLabel2;

  // The radio buttons are bold unless the dialog's font already is.
  void FormShow(TObject* sender);
  // Reading as Action only needs none of the options: they and every label
  // are enabled only for the script format.
  void ActionOnlyBtnClick(TObject* sender);
  // Style sheets mean nothing for text read without its RTF.
  void TextOnlyBoxClick(TObject* sender);

  // The dialog set from choices, and the choices it shows.
  void ShowChoices(const TPasteChoices& choices);
  TPasteChoices Choices() const;
};

// How foreign text is to be read, and whether from its RTF.
struct TPasteReading {
  TPasteChoices choices;
  bool useRtf = false;
};

// Asks with the dialog set up for the text at hand: `rtf` is the RTF text
// (empty when there is none), `plainToo` says plain text is there as well,
// `lockedPages` that the script already has locked page breaks (they then
// stay). Nothing when the writer cancels.
std::optional<TPasteReading> AskHowToRead(std::string_view rtf, bool plainToo, bool lockedPages);

}  // namespace qm
