// The display options of the File menu that the main window keeps on its
// own controls: the tool bar shown, its hints, its buttons' frames, and
// the top menu alone.
#pragma once

namespace qm {

class TIniFile;

// The four options from [Program Settings] into the controls and the
// check marks, and back.
void ReadDisplayOptions(const TIniFile& ini);
void WriteDisplayOptions(TIniFile& ini);

}  // namespace qm
