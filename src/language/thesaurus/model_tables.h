// The coder's fixed frequency tables (descending cumulative counts, total
// first, 0 last), one per context. They bind the database files: a file is
// decoded with the tables it was encoded with.
#pragma once

#include "platform/types.h"

namespace qm::thesaurus {

extern const Word RelationTables[13][14];
extern const Word SmallNumberTables[1][29];
extern const Word CharacterTables[1][130];
extern const Word LetterTables[44][45];

}  // namespace qm::thesaurus
