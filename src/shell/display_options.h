// The display options of the File menu that the main window keeps on its
// own controls: the tool bar shown, its hints, its buttons' frames, the
// top menu alone, the status line's and right panel's parts, and the ruler.
#pragma once

namespace qm {

class TIniFile;

// The options from [Program Settings] (and the ruler's from [Misc.
// Options]) into the controls and the check marks, and back.
void ReadDisplayOptions(const TIniFile& ini);
void WriteDisplayOptions(TIniFile& ini);
// Whether the ruler shows, as Show Ruler writes it at once.
void WriteRulerShown(TIniFile& ini);

}  // namespace qm
