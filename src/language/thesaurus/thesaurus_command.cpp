// The Thesaurus command and the synonym dialog's behaviour.
#include <algorithm>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "language/thesaurus/thes_dic.h"
#include "language/thesaurus/thesaurus_dialog.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"

namespace qm::thesaurus {

namespace {

constexpr char HardHyphen = 5;
constexpr const char* NoWordMessage = "No Word was found at Cursor!";
constexpr const char* NoDatabaseMessage =
    "Word Web is a freeware brainstorming thesaurus/dictionary. Its database (wweb16.wwd) is built from "
    "WordNet with the program and was not found in the program folder. WordNet: https://wordnet.princeton.edu/";

bool IsSeparator(char ch) {
  switch (static_cast<Byte>(ch)) {
    case ' ':
    case '!':
    case '"':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case ',':
    case '.':
    case ':':
    case ';':
    case '?':
    case '[':
    case ']':
    case '{':
    case '}':
    case 145:
    case 146:
    case 147:
    case 148:
    case 151:
    case 171:
    case 187: return true;
    default: return false;
  }
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

char At(const std::string& line, std::size_t column) { return column < line.size() ? line[column] : '\0'; }

// Step 3 of the command: where the word under or before the caret starts.
std::size_t WordStart(const std::string& line, std::size_t column) {
  while (column > 0 && (At(line, column) == '\0' || At(line, column) == ' ')) --column;
  while (column > 0 && At(line, column) != ' ') --column;
  while (column < line.size() && IsSeparator(line[column])) ++column;
  return column;
}

std::string WordAt(const std::string& line, std::size_t start) {
  std::string word;
  for (std::size_t i = start; i < line.size() && line[i] != '\0' && !IsSeparator(line[i]); ++i) {
    if (CodeCharSet.Contains(static_cast<Byte>(line[i]))) continue;
    if (word.size() == MaxThesaurusWord) break;
    word.push_back(line[i] == HardHyphen ? '-' : line[i]);
  }
  return word;
}

bool ListModeRetry(TThesaurusDlg& dialog, std::string& word, const std::string& cut, bool& flag) {
  if (dialog.SynonymCount != 0 || !EndsWith(word, cut)) return false;
  const std::string kept = word;
  word.resize(word.size() - cut.size());
  GetSynonyms(dialog, word, false);
  if (dialog.SynonymCount != 0) {
    flag = true;
    return true;
  }
  word = kept;
  return false;
}

// Past the new word and one blank after it.
void StepPastWord(TMDIChild& script, std::size_t end) {
  editor::SetCaretColumn(script, end);
  if (At(script.EditBuffer(), end) == ' ') editor::SetCaretColumn(script, end + 1);
}

void ReplaceWordInScript(TMDIChild& script, std::size_t start, const std::string& word) {
  editor::SaveUndoStep(script, 1);
  const std::string& line = script.EditBuffer();
  std::size_t caret = std::min(start, line.size());
  while (caret < line.size() && CodeCharSet.Contains(static_cast<Byte>(line[caret]))) ++caret;
  std::size_t end = caret;
  while (end < line.size() && !IsSeparator(line[end])) ++end;
  const std::string typed = CapitalisedLike(line.substr(caret, 2), word);
  // The word put back as it was changes no text and marks no line.
  if (line.compare(caret, end - caret, typed) == 0) {
    StepPastWord(script, end);
    editor::SetActiveScriptModifiedUnrevised();
    editor::RedisplayCurrent(script);
    return;
  }
  editor::ChangeEditText(script, [&](std::string& text) { text.erase(caret, end - caret); });
  editor::SetCaretColumn(script, caret);
  // The new word goes in beside the text after it, also in overwrite mode,
  // which would otherwise type it over the rest of the line.
  const Byte insertMode = InsertMode;
  InsertMode = 1;
  editor::EnterRevisionColour(script);
  for (const char ch : typed) {
    if (!editor::TypeIntoActiveScript(ch)) break;
    editor::SetCaretColumn(script, script.CaretColumn() + 1);
  }
  InsertMode = insertMode;
  StepPastWord(script, script.CaretColumn());
  editor::SetActiveScriptModified();
  editor::RedisplayCurrent(script);
}

}  // namespace

std::string CapitalisedLike(const std::string& replaced, const std::string& word) {
  const bool first = !replaced.empty() && IsCapital(replaced[0]);
  const bool second = first && replaced.size() > 1 && IsCapital(replaced[1]);
  if (second) return Upper(word);
  if (!first) return word;
  std::string out = word;
  for (std::size_t i = 0; i < out.size(); ++i)
    if ((i == 0 || out[i - 1] == ' ') && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 32);
  return out;
}

std::string ReinflectedWord(const TThesaurusDlg& dialog, std::string word) {
  word = Lower(word);
  if (dialog.Participle) word += "ing";
  if (dialog.PastD || dialog.PastEd) word += EndsWith(word, "e") ? "d" : "ed";
  if (dialog.Adverb && !EndsWith(word, "y")) word += "ly";
  if (dialog.Plural && !EndsWith(word, "s")) word += "s";
  return word;
}

bool GetSynonyms(TThesaurusDlg& dialog, const std::string& word, bool windowMode) {
  dialog.ShowDialog = true;
  if (windowMode) {
    // The built-in engine is the one window back end there is here.
    const std::string database = JoinPath(ProgramFolder(), DatabaseFileName);
    if (!FileExists(database)) {
      ShowMessageBox(NoDatabaseMessage, "Attention");
      return false;
    }
    bool chosen = false;
    try {
      dialog.WordWeb1->SetDatabaseFile(database);
      dialog.WordWeb1->LookupWord = word;
      chosen = dialog.WordWeb1->Execute();
    } catch (const EWWError& e) {
      ShowMessageBox(e.what(), "Attention");
    }
    dialog.CurrentWord = chosen ? dialog.WordWeb1->ResultText().substr(0, MaxThesaurusWord) : std::string();
    dialog.ModalResult = mrOk;
    dialog.SynonymCount = 1;
    dialog.ShowDialog = false;
    return chosen;
  }
  // The outside list library does not exist here: the program's own file.
  const TThesDicResult found = ReadThesDicSynonyms(JoinPath(ProgramFolder(), ThesDicFileName), word);
  if (!found.opened) return false;
  if (!found.headerRead) {
    ShowMessageBox("Error Reading Thesaurus.", PromptTable(26));
    return true;
  }
  dialog.SynonymList->Items.Clear();
  for (const auto& line : found.lines) dialog.SynonymList->Items.Add(line);
  dialog.SynonymCount = static_cast<Word>(std::min<std::size_t>(found.lines.size(), 0xFFFF));
  return true;
}

void Thesaurus(TThesaurusDlg& dialog, bool windowMode) {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  dialog.Plural = dialog.Adverb = dialog.PastD = dialog.PastEd = dialog.Participle = false;
  dialog.History.clear();
  dialog.CurrentWord.clear();
  editor::DisAssemble(*script);
  const auto spans = editor::BlockSpans(*script);
  if (spans.size() == 1 && spans[0].element == script->CurrentElement()) {
    editor::SetCaretColumn(*script, std::min(spans[0].start, spans[0].end));
    editor::ClearBlock(*script, true);
  }
  const std::string& line = script->EditBuffer();
  const std::size_t start = WordStart(line, script->CaretColumn());
  std::string word = WordAt(line, start);
  if (word.size() < 2) {
    ShowMessageBox(NoWordMessage, PromptTable(26));
    return;
  }
  word = Upper(word);
  if (!GetSynonyms(dialog, word, windowMode)) return;
  if (word.size() >= 2) ListModeRetry(dialog, word, "S", dialog.Plural);
  ListModeRetry(dialog, word, "LY", dialog.Adverb);
  if (EndsWith(word, "ED") && !ListModeRetry(dialog, word, "D", dialog.PastD))
    ListModeRetry(dialog, word, "ED", dialog.PastEd);
  if (word.size() >= 3) ListModeRetry(dialog, word, "ING", dialog.Participle);
  dialog.HeadWord->Text = Lower(dialog.CurrentWord.empty() ? word : dialog.CurrentWord);
  dialog.History = {word};
  dialog.PrevWordBtn->Enabled = false;
  dialog.Caption = "Get Synonyms: " + dialog.HeadWord->Text();
  if (dialog.ShowDialog) dialog.ShowModal();
  if (dialog.ModalResult != mrOk) return;
  ReplaceWordInScript(*script, start, ReinflectedWord(dialog, dialog.HeadWord->Text()));
}

// ---- The dialog's behaviour ----

void TThesaurusDlg::FormShow() {
  if (!(Font.Style() & fsBold)) {
    HeadWordLabel->Font.Style = fsBold;
    SynonymsLabel->Font.Style = fsBold;
  }
  if (ClientWidth() > Bevel->Left + Bevel->Width + 4) SetClientWidth(Bevel->Left + Bevel->Width + 4);
  if (ClientHeight() > ButtonPanel->Top + ButtonPanel->Height + 5)
    SetClientHeight(ButtonPanel->Top + ButtonPanel->Height + 5);
  if (TMDIChild* script = ActiveScript()) {
    const int y = editor::CaretScreenPoint(*script).Y;
    if (Screen->Height() - 30 > Height + y + 10) {
      Top = y + 10;
    } else if (y - (Height + 30) < 1) {
      Top = y - (Height + 30);
    } else {
      Top = (Screen->Height() - (Height + 5)) / 2;
      Left = Screen->Width() - (Width + 10);
    }
    // The dialog stays on the screen.
    Left = std::clamp<int>(Left, 0, std::max(Screen->Width() - Width, 0));
    Top = std::clamp<int>(Top, 0, std::max(Screen->Height() - Height, 0));
  }
  SynonymList->SetFocus();
}

void TThesaurusDlg::SynonymListMouseUp() {
  const int index = SynonymList->ItemIndex();
  if (SynonymList->Items.Count() == 0 || index < 0) {
    MessageBeep(0);
    return;
  }
  const std::string& line = SynonymList->Items[index];
  if (!line.empty() && line[0] == '=') {
    SynonymList->SetItemIndex(std::max(index - 1, 0));
    return;
  }
  if (HeadWord->Text() == line) ModalResult = mrOk;
  else HeadWord->Text = line;
}

void TThesaurusDlg::SynonymListKeyDown(Word& key) {
  const int count = SynonymList->Items.Count();
  const int index = SynonymList->ItemIndex();
  if (key == VK_RETURN) {
    if (index >= 0) {
      HeadWord->Text = SynonymList->Items[index];
      ModalResult = mrOk;
    }
    return;
  }
  if (key != VK_DOWN && key != VK_UP) return;
  const int step = key == VK_DOWN ? 1 : -1;
  key = 0;
  if (count == 0) return;
  int next = std::clamp(index + step, 0, count - 1);
  auto separator = [this](int i) { return !SynonymList->Items[i].empty() && SynonymList->Items[i][0] == '='; };
  if (separator(next)) next = next + step >= 0 && next + step < count ? next + step : next - step;
  SynonymList->SetItemIndex(std::clamp(next, 0, count - 1));
}

void TThesaurusDlg::HeadWordKeyDown(Word& key) {
  if (key != VK_RETURN || HeadWord->Text().empty()) return;
  key = 0;
  SuggestBtn->Click();
}

void TThesaurusDlg::SuggestBtnClick() {
  if (History.size() == HistorySlots) History.erase(History.begin());
  History.push_back(Upper(HeadWord->Text()));
  GetSynonyms(*this, HeadWord->Text(), false);
  PrevWordBtn->Enabled = History.size() >= 2;
}

void TThesaurusDlg::PrevWordBtnClick() {
  if (History.empty()) return;
  if (HeadWord->Text() == Lower(History.back()) && History.size() >= 2) History.pop_back();
  HeadWord->Text = Lower(History.back());
  PrevWordBtn->Enabled = History.size() >= 2;
  if (History.size() > 1) History.pop_back();
  GetSynonyms(*this, HeadWord->Text(), false);
}

}  // namespace qm::thesaurus
