// The thesaurus window: a word's senses with their definitions, grouped
// by head word and word class, the synonyms and other related words of the
// shown senses by relation, a history of looked-up words, and the chosen
// word returned or copied.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "language/thesaurus/wweb_database.h"
#include "platform/forms.h"

namespace qm::thesaurus {

enum class TCopyButtonPressAction { cbpCloseAndReturn, cbpCopyClipboard, cbpNoAction };
enum class TListDoubleClickAction { ldcLookupWord, ldcReturnWord };

class TWWForm;

// The read-only memo of one definition.
class TDefEdit : public TMemo {
 public:
  TDefEdit(TWWForm& form, TWinControl* parent, int left, int top, int width, int height);
  class TSenseNumberLabel* Label = nullptr;

 protected:
  void KeyDown(Word& key, TShiftState shift) override;
  unsigned DialogCode() const override { return DLGC_WANTTAB | DLGC_WANTARROWS; }

 private:
  TWWForm& form_;
};

// The number beside a definition; clicking it selects the sense.
class TSenseNumberLabel : public TLabel {
 public:
  TSenseNumberLabel(TWinControl* parent, int left, int top, int width, int height);
  int Sense = 0;
  TDefEdit* Definition = nullptr;
};

class TWWForm : public TForm {
 public:
  TWWForm(TComponent* owner, TWWDatabase& database);

  TLabel* LookupLab;
  TComboBox* KeyWord;
  TButton* SearchButton;
  TPageControl* ViewTabs;
  TListBox* Synonyms;
  TPanel* Defs;
  TScrollBar* DefsScroll;
  TPanel* RightPanel;
  TSpeedButton* NounButton;
  TSpeedButton* VerbButton;
  TSpeedButton* AdjButton;
  TSpeedButton* AdvButton;
  TButton* CopyButton;
  TButton* PreviousBut;
  TButton* LookupButton;
  TButton* CloseButton;

  // Looks the current word up; true when it has senses.
  virtual bool Lookup();
  virtual std::string SelectedText() const;
  virtual void Search();
  virtual void Relayout();
  virtual void ShowDefinitions();
  virtual void FillTabs();

  void SetWord(const std::string& word);
  const std::string& CurrentWord() const { return currentWord_; }
  int Relation() const { return relation_; }
  void SetDefinitionsHeightPercent(int percent);
  int DefinitionsHeightPercent() const { return percent_; }
  int HistoryPosition() const { return historyPosition_; }

  TCopyButtonPressAction CopyAction = TCopyButtonPressAction::cbpCloseAndReturn;
  TListDoubleClickAction DoubleClickAction = TListDoubleClickAction::ldcLookupWord;
  TNotifyEvent OnCopyClick;
  std::function<void()> OnGone;  // the owner component's window-gone notice
  ~TWWForm() override;

  // Handlers, as the controls call them.
  void SearchButtonClick();
  void ViewTabsChange();
  void SetRelatedWords();
  void SynonymsClick();
  void SynonymsDblClick();
  void LookupButtonClick();
  void PreviousButClick();
  void CopyButtonClick();
  void WordTypeButClick(TSpeedButton& button);
  void SenseLabelClick(TSenseNumberLabel& label);
  void DefinitionEnter(TDefEdit& definition);
  void DefinitionExit();
  void DefinitionSelectionChanged(TDefEdit& definition);
  void FormResize();
  void ScrollDefinitions(int position);
  TColor HighlightColour() const { return highlight_; }
  const std::vector<TDefEdit*>& Definitions() const { return definitions_; }
  TSenseNumberLabel* SelectedLabel() const { return selectedLabel_; }

 private:
  friend class TDefEdit;
  void BuildControls();
  void RefreshRelation();
  void SetClassButtons();
  void ClearDefinitions();
  void FocusDefinition(TDefEdit& from, int step);
  void Deselect(TSenseNumberLabel& label);
  std::vector<std::string> WordsBesides() const;

  TWWDatabase& database_;
  int relation_ = relSynonyms;
  int historyPosition_ = -1;
  int percent_ = 35;
  TDefEdit* selectedDefinition_ = nullptr;
  TSenseNumberLabel* selectedLabel_ = nullptr;
  std::string currentWord_;
  std::vector<TDefEdit*> definitions_;
  std::vector<TControl*> defControls_;
  std::array<int, 4> classTops_{};
  int notedDefsWidth_ = -1;
  int contentHeight_ = 0;
  int scrollTop_ = 0;
  bool relaidSinceResize_ = false;
  bool found_ = false;
  TColor highlight_ = clHighlight;
};

constexpr int DefaultDefinitionsPercent = 35;

// The highlight colour for a selected sense, from the system colours.
TColor ChooseHighlightColour(TColor highlight, TColor window, TColor windowText, TColor highlightText);

}  // namespace qm::thesaurus
