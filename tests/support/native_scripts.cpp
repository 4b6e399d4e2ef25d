#include "support/native_scripts.h"

#include <algorithm>
#include <cstddef>

#include "files/script_header.h"
#include "support/temp_folder.h"

namespace qm::testing {

std::string ScriptThatOpensAtOnce() {
  std::string script = ReadFileText(QM_SOURCE_DIR "/fuzz/corpus/native_file/every_kind_and_code");
  for (const auto& field : ScriptHeaderFields())
    if (field.Name == "Password")
      std::fill_n(script.begin() + static_cast<std::ptrdiff_t>(field.Offset), field.Size, '\0');
  return script;
}

std::string ShortScript() { return ReadFileText(QM_SOURCE_DIR "/fuzz/corpus/native_file/dos_every_kind"); }

}  // namespace qm::testing
