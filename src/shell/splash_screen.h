// The splash screen: a plain window the program paints itself, shown
// while the program sets itself up, with a bar for the steps. Its logo
// zooms in and it plays a short sound; Shift+Ctrl and Shift+Alt while it
// shows switch the zoom and the sound for the next start.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/forms.h"

namespace qm {

class TSplashScreen : public TForm {
 public:
  explicit TSplashScreen(TComponent* owner);
  ~TSplashScreen() override;

  Byte MusicOn = 1;
  Byte MusicOnSaved = 1;
  Byte ZoomOn = 1;
  Byte ZoomOnSaved = 1;
  Word Percent = 0;
  // Shown once the splash has gone.
  std::string PendingNotice;
  std::string VersionLine;
  // The program's date, as "mmm d, yyyy".
  std::string DateLine;
  std::string StatusText;

  void InitializeSplashSettings();
  void UpdateBar(bool show, Word percent);
  // The bar at 100, at least a second of splash on a desktop, then the
  // main window.
  void FinishNow();
  void FormPaint(TObject* sender);
  void FormKeyDown(TObject* sender, Word& key, TShiftState shift);
  // The logo's size in percent of its full size: growing over the first
  // moments of the splash while the zoom is on.
  int LogoPercent() const;
  bool MusicPlayed() const { return musicPlayed_; }

 private:
  std::int64_t shownAt_ = 0;
  bool musicPlayed_ = false;
};

// A date as the splash shows it: "Dec 7, 2026".
std::string SplashDateText(std::time_t when);

// The splash while it exists; new script windows leave the workspace
// alone while it does.
extern TSplashScreen* SplashScreen;

}  // namespace qm
