// The element types that style names of foreign documents stand for
// ("SLUG" a scene heading, "SPEACH" dialogue...), as the RTF reader and the
// style picker name them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace qm {

// How a line of a named style is turned into its element.
enum class TStyleTreatment { Plain, Cue, Parenthetical };

struct TStyledKind {
  Byte kind;
  TStyleTreatment treatment = TStyleTreatment::Plain;
};

// The type a style name (upper case, blanks removed) names; none for a name
// no rule knows, and for "@" (lines left to the text rules).
std::optional<TStyledKind> StyledKindOf(std::string_view name);

// The canonical name the style picker answers for an element type.
std::string CanonicalStyleName(Byte kind);

}  // namespace qm
