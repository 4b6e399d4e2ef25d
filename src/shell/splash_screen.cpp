#include "shell/splash_screen.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/platform.h"
#include "script/editing/document_modified.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "shell/main_form.h"
#include "shell/settings_keys.h"
#include "shell/splash_sound.h"
#include "shell/startup_setup.h"

namespace qm {

TSplashScreen* SplashScreen;

namespace {

const GlobalState reset([] { SplashScreen = nullptr; });

constexpr std::int64_t ShortestShowTenths = 10;
// The logo grows from a third of its size to the whole in this time.
constexpr std::int64_t ZoomTenths = 8;
constexpr int SmallestLogoPercent = 33;
constexpr int LogoPoints = 22;

TColor DarkBlue() { return RGB(0, 0, 128); }

std::string Toggled(bool on) { return on ? "turned ON" : "turned OFF"; }

bool OnDesktop() { return std::string_view(Platform::Current().backend().Name()) != "headless"; }

}  // namespace

TSplashScreen::TSplashScreen(TComponent* owner) : TForm(owner) {
  Name = "SplashScreen";
  BorderStyle = TFormBorderStyle::bsNone;
  Position = TPosition::poScreenCenter;
  KeyPreview = true;
  SetBounds(0, 0, 420, 240);
  Caption = ProgramTitle;
  OnPaint = [this](TObject* s) { FormPaint(s); };
  OnKeyDown = [this](TObject* s, Word& key, TShiftState shift) { FormKeyDown(s, key, shift); };
  SplashScreen = this;
  // Start-up lasts as long as a splash is up; the boxes it shows then
  // neither pump messages nor move the progress dialog.
  MessageBoxHooks.StartupRunning = [] { return SplashScreen != nullptr; };
}

TSplashScreen::~TSplashScreen() {
  if (SplashScreen == this) SplashScreen = nullptr;
  if (musicPlayed_) PlaySoundNamed("");
  try {
    TIniFile ini(SettingsFileName);
    WriteOptionValue(ini, SplashMusicKey, MusicOnSaved != 0);
    WriteOptionValue(ini, ZoomLogoKey, ZoomOnSaved != 0);
  } catch (const EIniFileError&) {
  }
  if (!PendingNotice.empty()) Application->MessageBox(PendingNotice, "Attention", MB_ICONINFORMATION);
}

void TSplashScreen::InitializeSplashSettings() {
  Screen->SetCursor(5);
  const TIniFile ini(SettingsFileName);
  MusicOn = MusicOnSaved = ReadOptionValue<bool>(ini, SplashMusicKey);
  ZoomOn = ZoomOnSaved = ReadOptionValue<bool>(ini, ZoomLogoKey);
  VersionLine = std::string("Version ") + ProgramVersion + " (32bit)";
  // The date of the program's own file: when this version was made.
  const std::time_t made = FileAge(ExecutablePath());
  DateLine = SplashDateText(made > 0 ? made : std::time(nullptr));
  StatusText = "Initializing...";
  shownAt_ = TickNow();
}

void TSplashScreen::UpdateBar(bool show, Word percent) {
  Percent = std::min<Word>(percent, 100);
  if (show) Repaint();
}

void TSplashScreen::FinishNow() {
  UpdateBar(true, 100);
  // Only a desktop shows the splash; the headless program does not wait.
  while (OnDesktop() && TickNow() - shownAt_ < ShortestShowTenths) {
    if (LogoPercent() < 100) Repaint();
    // Only the desktop's own events and paints: what start-up queued (a
    // file handed on to be imported) waits for the message loop, so that no
    // dialog of it opens under the splash.
    Platform::Current().backend().PumpEvents(false, 0);
    Application->PaintPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  FinishStartup();
  Hide();
}

std::string SplashDateText(std::time_t when) {
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::tm local{};
  localtime_r(&when, &local);
  return std::string(months[local.tm_mon]) + " " + std::to_string(local.tm_mday) + ", " +
         std::to_string(local.tm_year + 1900);
}

int TSplashScreen::LogoPercent() const {
  if (!ZoomOn) return 100;
  const std::int64_t elapsed = std::max<std::int64_t>(0, TickNow() - shownAt_);
  if (elapsed >= ZoomTenths) return 100;
  return SmallestLogoPercent + static_cast<int>((100 - SmallestLogoPercent) * elapsed / ZoomTenths);
}

void TSplashScreen::FormPaint(TObject*) {
  // The sound starts with the first picture and plays on by itself.
  if (MusicOn && !musicPlayed_)
    if (const std::string wave = SpinnerWaveFile(); !wave.empty()) musicPlayed_ = PlaySoundNamed(wave);
  const int w = Width, h = Height;
  Canvas.Brush.Color = RGB(250, 246, 236);
  Canvas.FillRect(TRect{0, 0, w, h});
  Canvas.Brush.Color = DarkBlue();
  Canvas.FrameRect(TRect{4, 4, w - 4, h - 4});
  Canvas.Font.Name = "Arial";
  Canvas.Font.Color = DarkBlue();
  Canvas.Font.Size = std::max(1, LogoPoints * LogoPercent() / 100);
  Canvas.Font.Style = fsBold;
  Canvas.Brush.Style = TBrushStyle::bsClear;
  // The logo zooms about its centre.
  const int logoWidth = Canvas.TextWidth(ProgramTitle);
  const int logoHeight = Canvas.TextHeight(ProgramTitle);
  Canvas.Font.Size = LogoPoints;
  const int fullWidth = Canvas.TextWidth(ProgramTitle);
  const int fullHeight = Canvas.TextHeight(ProgramTitle);
  Canvas.Font.Size = std::max(1, LogoPoints * LogoPercent() / 100);
  Canvas.TextOut(24 + (fullWidth - logoWidth) / 2, 40 + (fullHeight - logoHeight) / 2, ProgramTitle);
  Canvas.Font.Size = 9;
  Canvas.Font.Style = 0;
  Canvas.TextOut(24, 90, VersionLine);
  Canvas.TextOut(24, 108, DateLine);
  Canvas.TextOut(24, 130, StatusText);
  // The bar: a white frame as high as the text " 100% ", its done part
  // dark blue, the percentage across it in white (dark blue where it
  // runs past the done part, so it can be read).
  Canvas.Font.Size = 9;
  Canvas.Font.Style = fsBold;
  const int barHeight = Canvas.TextHeight(" 100% ") + 4;
  const TRect bar{24, h - 32 - barHeight, w - 24, h - 32};
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  Canvas.Brush.Color = clWhite;
  Canvas.FrameRect(bar);
  const int done = bar.Left + 1 + (bar.Width() - 2) * Percent / 100;
  Canvas.Brush.Color = DarkBlue();
  Canvas.FillRect(TRect{bar.Left + 1, bar.Top + 1, done, bar.Bottom - 1});
  Canvas.Brush.Style = TBrushStyle::bsClear;
  const std::string percent = std::to_string(Percent) + "%";
  const int x = (bar.Left + bar.Right - Canvas.TextWidth(percent)) / 2;
  Canvas.Font.Color = clWhite;
  Canvas.TextRect(TRect{bar.Left + 1, bar.Top + 1, done, bar.Bottom - 1}, x, bar.Top + 2, percent);
  Canvas.Font.Color = DarkBlue();
  Canvas.TextRect(TRect{done, bar.Top + 1, bar.Right - 1, bar.Bottom - 1}, x, bar.Top + 2, percent);
}

void TSplashScreen::FormKeyDown(TObject*, Word&, TShiftState shift) {
  if (!shift.Contains(ssShift)) return;
  if (shift.Contains(ssCtrl)) {
    ZoomOnSaved = !ZoomOn;
    PendingNotice = "Splash Screen Zooming has been " + Toggled(ZoomOnSaved) +
                    "\r\rHold <SHIFT> and <CTRL> during splash screen to change it again.";
  } else if (shift.Contains(ssAlt)) {
    MusicOnSaved = !MusicOn;
    PendingNotice = "Splash Screen Sound has been " + Toggled(MusicOnSaved) +
                    "\r\rHold <SHIFT> and <ALT> during splash screen to change it again.";
  }
}

}  // namespace qm
