// The names the program is known by to the desktop and to other programs.
#pragma once

namespace qm {

// The title another instance searches for, with the window class of the
// application window.
inline constexpr const char* ProgramTitle = "Quillmaster for Windows";
inline constexpr const char* ProgramVersion = "1.0";
inline constexpr const char* ApplicationWindowClass = "TApplication";
inline constexpr const char* SettingsFileName = "QUILLPAD.INI";

}  // namespace qm
