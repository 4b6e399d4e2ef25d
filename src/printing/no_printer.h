// Whether there is a printer to print, preview or set up with.
#pragma once

namespace qm {

// True when the printer list is empty or the selected printer lies
// outside it; with an empty list it says so once per run.
bool NoPrinterAvailable();

// Clears the flag that the no-printer warning was shown.
void InitializePtseldlg();

inline constexpr const char* NoPrinterText =
    "You do NOT currently have a printer selected and thus you cannot print or preview.";
inline constexpr const char* InstallPrinterText =
    "Go to the Windows Control Panel and Install at least one printer driver.";

}  // namespace qm
