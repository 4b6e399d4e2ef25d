// Small dialogs behind single commands: the calendar, the program font, the
// script folder, a text to copy and a file name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/file_controls.h"
#include "platform/forms.h"

namespace qm {

struct TCalendarDate {
  int Year = 2000;
  int Month = 1;  // 1..12
  int Day = 1;
  friend bool operator==(const TCalendarDate&, const TCalendarDate&) = default;
};

int DaysInMonth(int year, int month);
// Day 1 of the month before or after, across the year's end.
TCalendarDate PreviousMonth(TCalendarDate date);
TCalendarDate NextMonth(TCalendarDate date);
// A week back, from days 1 to 8 day 1 of the month before; a week on, or
// day 1 of the next month when the week would leave this one.
TCalendarDate WeekBack(TCalendarDate date);
TCalendarDate WeekForward(TCalendarDate date);
// "mmm yyyy", as "Dec 2026".
std::string MonthHeading(const TCalendarDate& date);

class TCalendarDlg : public TForm {
 public:
  explicit TCalendarDlg(TComponent* owner);
  TCalendarDate Date;
  TLabel* Heading = nullptr;
  // Shows Date: the heading and the month's days, Date's marked.
  void ShowDate();
  // The label of a day shown, or null.
  TLabel* DayLabel(int day) const;

 private:
  void CalendarKeyDown(Word& key);
};

// The program font for the menus and dialogs.
class TSetupDisplayFontDlg : public TForm {
 public:
  explicit TSetupDisplayFontDlg(TComponent* owner);
  TComboBox* NameBox = nullptr;
  TScrollBar* SizeBar = nullptr;
  TCheckBox* BoldBox = nullptr;
  TButton* ResetBtn = nullptr;
  TButton* OKBtn = nullptr;
  TLabel* SizeLabel = nullptr;
  TLabel* Sample = nullptr;
  std::string FontName = "MS Sans Serif";
  // The sample and the size label follow the controls.
  void ShowSample();
  // Writes [Main Font] and gives the program font the choice.
  void Store() const;
};

// The script folder: typed into ScriptDirEdit, or browsed to in the
// folder list (a double click opens a folder and puts it in the field),
// and taken on OK. The root folder is refused; a missing folder is
// offered for creation.
class TSetupScriptDirectoryDlg : public TForm {
 public:
  explicit TSetupScriptDirectoryDlg(TComponent* owner);
  TEdit* ScriptDirEdit = nullptr;
  TFESDirectoryListBox* DirList = nullptr;
  TFESDriveComboBox* DriveList = nullptr;
  TButton* OKBtn = nullptr;
  // The folder taken, without a trailing separator.
  std::string Directory;
  // The field holds `folder`; the list starts there, or at its drive's
  // top when it does not exist.
  void StartAt(const std::string& folder);

 private:
  bool TakeDirectory();
  // The folder last put in the field, by its bytes: a name the field's
  // text cannot spell is still taken as it is.
  std::string shownFolder_;
};

// Runs the script-folder dialog; true when a folder was taken (the
// script folder then names it).
bool SetupScriptDirectory();

// A mock producer's note, its phrases drawn by `draw` (given the number of
// choices, it returns one index below it).
std::string ProducerNote(const std::function<int(int)>& draw);

// The producer's advice, offered as a joke: OK writes a note, "No Thanks"
// closes.
class TProducerHelpDlg : public TForm {
 public:
  explicit TProducerHelpDlg(TComponent* owner);
  TMemo* NoteMemo = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  std::function<int(int)> Draw;
};

// A list of texts to copy from: a double click on one closes with mrOk (the
// caller copies ItemIndex's text), "&Close" with mrAbort.
class TStealTextDlg : public TForm {
 public:
  explicit TStealTextDlg(TComponent* owner);
  TListBox* TextList = nullptr;
  TButton* CloseBtn = nullptr;
};

// Whether typing `key` at `caret` into the file name `text` may stand:
// blanks and wildcard or list characters never, "." only with extensions,
// and no name longer than eight characters; either separator passes.
bool FileNameKeyAllowed(std::string_view text, int caret, char key, bool extensionsAllowed);

class TGetFileNameDlg : public TForm {
 public:
  explicit TGetFileNameDlg(TComponent* owner);
  TEdit* FileNameEdit = nullptr;
  TComboBox* FileList = nullptr;
  TCheckBox* AllowViewingBox = nullptr;
  TButton* OKBtn = nullptr;
  bool ExtensionsAllowed = false;

 private:
  void FileNameKeyPress(char& key);
  void OKClick();
};

void ShowProducerHelp();
void ShowCalendar();
void ShowMenuFontSetup();

}  // namespace qm
