// The small utility dialogs' logic: moving through the calendar and
// storing the program font.
#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <random>
#include <string_view>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/files.h"
#include "platform/dialog_builder.h"
#include "platform/messages.h"
#include "shell/program_start.h"
#include "shell/utility_dialogs.h"

namespace qm {

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

TCalendarDate PreviousMonth(TCalendarDate date) {
  return date.Month == 1 ? TCalendarDate{date.Year - 1, 12, 1} : TCalendarDate{date.Year, date.Month - 1, 1};
}

TCalendarDate NextMonth(TCalendarDate date) {
  return date.Month == 12 ? TCalendarDate{date.Year + 1, 1, 1} : TCalendarDate{date.Year, date.Month + 1, 1};
}

TCalendarDate WeekBack(TCalendarDate date) {
  if (date.Day <= 8) return PreviousMonth(date);
  date.Day -= 7;
  return date;
}

TCalendarDate WeekForward(TCalendarDate date) {
  if (date.Day + 7 > DaysInMonth(date.Year, date.Month)) return NextMonth(date);
  date.Day += 7;
  return date;
}

std::string MonthHeading(const TCalendarDate& date) {
  static constexpr const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return std::string(months[date.Month - 1]) + " " + std::to_string(date.Year);
}

namespace {

// 0 for Sunday.
int WeekdayOfFirst(const TCalendarDate& date) {
  // Zeller's rule for the Gregorian calendar.
  int y = date.Year;
  int m = date.Month;
  if (m < 3) {
    m += 12;
    --y;
  }
  const int h = (1 + 13 * (m + 1) / 5 + y + y / 4 - y / 100 + y / 400) % 7;  // 0 Saturday
  return (h + 6) % 7;
}

}  // namespace

void TCalendarDlg::ShowDate() {
  Heading->Caption = MonthHeading(Date);
  const int first = WeekdayOfFirst(Date);
  const int days = DaysInMonth(Date.Year, Date.Month);
  for (int cell = 0; cell < 42; ++cell) {
    auto* label = DialogControl<TLabel>(*this, "Day" + std::to_string(cell));
    const int day = cell - first + 1;
    label->Caption = day >= 1 && day <= days ? std::to_string(day) : std::string();
    label->Color = day == Date.Day ? clHighlight : clBtnFace;
    label->Font.Color = day == Date.Day ? clHighlightText : clWindowText;
  }
}

TLabel* TCalendarDlg::DayLabel(int day) const {
  const int cell = WeekdayOfFirst(Date) + day - 1;
  if (day < 1 || day > DaysInMonth(Date.Year, Date.Month)) return nullptr;
  return DialogControl<TLabel>(*this, "Day" + std::to_string(cell));
}

void TCalendarDlg::CalendarKeyDown(Word& key) {
  switch (key) {
    case VK_PRIOR: Date = PreviousMonth(Date); break;
    case VK_NEXT: Date = NextMonth(Date); break;
    case VK_UP: Date = WeekBack(Date); break;
    case VK_DOWN: Date = WeekForward(Date); break;
    default: return;
  }
  key = 0;
  ShowDate();
}

void TSetupDisplayFontDlg::ShowSample() {
  SizeLabel->Caption = "Set Font Size: " + std::to_string(SizeBar->Position());
  Sample->Font.Name = FontName;
  Sample->Font.Size = SizeBar->Position();
  Sample->Font.Style = BoldBox->Checked() ? fsBold : 0u;
}

void TSetupDisplayFontDlg::Store() const {
  TIniFile ini = OpenSettingsFile();
  ini.WriteString("Main Font", "Name", FontName);
  ini.WriteInteger("Main Font", "Size", SizeBar->Position());
  ini.WriteBool("Main Font", "Bold", BoldBox->Checked());
  if (ProgramFont) {
    ProgramFont->Name = FontName;
    ProgramFont->Size = SizeBar->Position();
    ProgramFont->Style = BoldBox->Checked() ? fsBold : 0u;
  }
}

void TSetupScriptDirectoryDlg::StartAt(const std::string& folder) {
  DirList->SetDirectory(DirectoryExists(folder) ? folder : DriveOfPath(folder));
  shownFolder_ = folder;
  ScriptDirEdit->Text = PathToText(folder);
}

bool TSetupScriptDirectoryDlg::TakeDirectory() {
  const std::string typed = ScriptDirEdit->Text();
  const std::string folder = typed == PathToText(shownFolder_) ? shownFolder_ : TextToPath(typed);
  const std::string path = folder.empty() ? folder : ExpandFileName(folder);
  if (path.empty() || ExcludeTrailingPathDelimiter(path) == "/") {
    ShowMessageBox("You cannot designate the Root Directory as the default Script Directory.", PromptTable(0));
    return false;
  }
  if (!DirectoryExists(path)) {
    if (!AskYesNo(PathToText(path) + " does NOT exist!\r\n\r\nShould I create it for you?", PromptTable(20), true))
      return false;
    if (!ForceDirectories(path)) {
      ShowMessageBox("Unable to create " + PathToText(path), PromptTable(16));
      return false;
    }
  }
  Directory = ExcludeTrailingPathDelimiter(path);
  return true;
}

bool SetupScriptDirectory() {
  TSetupScriptDirectoryDlg dialog(nullptr);
  dialog.StartAt(ScriptDirectory);
  if (dialog.ShowModal() != mrOk) return false;
  ScriptDirectory = dialog.Directory;
  return true;
}

std::string ProducerNote(const std::function<int(int)>& draw) {
  static constexpr const char* openings[] = {
      "I think you need a couple more Characters...", "I think the lead needs a dog...",
      "I think it should all happen on a boat...", "I think we should set it in the future..."};
  static constexpr const char* parts[] = {"the ending", "the second act", "the villain", "the title"};
  static constexpr const char* verbs[] = {
      "has to be", "really needs to be", "definitely should be", "has absolutely got to be", "has got to be",
      "must be"};
  static constexpr const char* wishes[] = {"funnier", "darker", "shorter", "bigger", "more like the last hit"};
  auto pick = [&](const auto& list) {
    const int n = static_cast<int>(std::size(list));
    return list[static_cast<std::size_t>(std::clamp(draw(n), 0, n - 1))];
  };
  std::string note = "Well, I read the script and...\r\n\r\n";
  note += std::string(pick(openings)) + "\r\n\r\n";
  std::string part = pick(parts);
  part[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(part[0])));
  note += part + " " + pick(verbs) + " " + pick(wishes) + ".\r\n\r\n";
  note += "In the future, you can simply press Ctrl+Alt+H and I'll be here for you!";
  return note;
}

void ShowProducerHelp() {
  TProducerHelpDlg dialog(nullptr);
  std::mt19937 random(std::random_device{}());
  dialog.Draw = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  dialog.ShowModal();
}

void ShowCalendar() {
  TCalendarDlg dialog(nullptr);
  dialog.ShowModal();
}

void ShowMenuFontSetup() {
  TSetupDisplayFontDlg dialog(nullptr);
  if (ProgramFont) {
    dialog.FontName = ProgramFont->Name;
    dialog.SizeBar->Position = ProgramFont->Size;
    dialog.BoldBox->SetChecked((ProgramFont->Style & fsBold) != 0);
  }
  dialog.NameBox->SetItemIndex(dialog.NameBox->Items.IndexOf(dialog.FontName));
  dialog.ShowSample();
  if (dialog.ShowModal() == mrOk) dialog.Store();
}

bool FileNameKeyAllowed(std::string_view text, int caret, char key, bool extensionsAllowed) {
  constexpr std::size_t NameLength = 8;
  const auto k = static_cast<unsigned char>(key);
  if (k < 0x20 || key == '\\' || key == '/') return true;
  if (key == '.') return extensionsAllowed;
  if (std::string_view(" *,;?").find(key) != std::string_view::npos) return false;
  const auto at = std::min(text.size(), static_cast<std::size_t>(std::max(caret, 0)));
  const auto separator = [extensionsAllowed](char ch) {
    return ch == '\\' || ch == '/' || (extensionsAllowed && ch == '.');
  };
  std::size_t begin = at;
  while (begin > 0 && !separator(text[begin - 1])) --begin;
  std::size_t end = at;
  while (end < text.size() && !separator(text[end])) ++end;
  return end - begin < NameLength;
}

namespace {

void RefuseKey(char& key) {
  key = 0;
  MessageBeep(0);
}

}  // namespace

void TGetFileNameDlg::FileNameKeyPress(char& key) {
  if (FileList->Text().starts_with("*")) return;
  if (!FileNameKeyAllowed(FileNameEdit->Text(), FileNameEdit->SelStart, key, ExtensionsAllowed)) RefuseKey(key);
}

void TGetFileNameDlg::OKClick() {
  ModalResult = FileNameEdit->Text().empty() && FileList->Text().empty() ? mrCancel : mrOk;
}

}  // namespace qm
