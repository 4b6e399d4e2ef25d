// A job for the PDF printer goes to a file the user names: the save dialog
// proposes the script's name with ".pdf" in the script's own folder, and the
// finished job says where it wrote the file.
#pragma once

#include <string>

namespace qm {

class PrinterDevice;

// The file the PDF printer will write, proposed for a job of this title.
// A job titled with the script's own name is the script; any other (a
// report) adds its title to the script's name.
std::string ProposedPdfFile(const std::string& scriptFileName, const std::string& title);

// Asks where a job for the PDF printer goes and tells the printer; true
// for any other printer, for a file already chosen by the caller, and for
// a name the user gave; false when the user cancelled. The file is never
// open to more people than the script printed.
bool ChoosePdfFile(PrinterDevice& device, const std::string& title);

// After a job the PDF printer wrote whole to the file the user named:
// the message saying where.
void ReportPdfFile(const PrinterDevice& device);

}  // namespace qm
