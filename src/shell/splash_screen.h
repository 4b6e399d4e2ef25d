// The splash screen: a plain window the program paints itself, shown
// while the program sets itself up, with a bar for the steps. Shift+Ctrl
// and Shift+Alt while it shows switch its logo zoom and its sound for the
// next start.
#pragma once

#include <cstdint>
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
  std::string StatusText;

  void InitializeSplashSettings();
  void UpdateBar(bool show, Word percent);
  // The bar at 100, at least a second of splash on a desktop, then the
  // main window.
  void FinishNow();
  void FormPaint(TObject* sender);
  void FormKeyDown(TObject* sender, Word& key, TShiftState shift);

 private:
  std::int64_t shownAt_ = 0;
};

// The splash while it exists; new script windows leave the workspace
// alone while it does.
extern TSplashScreen* SplashScreen;

}  // namespace qm
