// Settings keys that more than one part of the program reads or writes:
// each stated once, so a reader and a writer cannot disagree on a name or
// a default.
#pragma once

#include <string>

#include "base/option_keys.h"
#include "base/program_options.h"

namespace qm {

using ProgramKey = OptionKey<TProgramOptions>;

// [Program Settings]: the splash's sound and zooming logo, switched on the
// splash itself and in the options dialog.
extern const ProgramKey SplashMusicKey;
extern const ProgramKey ZoomLogoKey;

// [Program]: the options may then be changed only with the administrator's
// switch.
extern const ProgramKey LockOptionsKey;

// [Printer]: a printer used in place of the desktop's default one.
struct TStoredPrinter {
  bool KeepDefault = false;
  int Index = 0;
  std::string Name;
};
extern const OptionKey<TStoredPrinter> KeepPrinterKey;
extern const OptionKey<TStoredPrinter> StoredPrinterKeys[2];
// A missing name reads as `fallbackName`.
TStoredPrinter ReadStoredPrinter(const TIniFile& ini, std::string fallbackName);

// [Screen Size]: where the main window was when the program last closed.
struct TScreenPlace {
  bool Maximized = true;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};
extern const OptionKey<TScreenPlace> ScreenMaximizedKey;
extern const OptionKey<TScreenPlace> ScreenBoundsKeys[4];

}  // namespace qm
