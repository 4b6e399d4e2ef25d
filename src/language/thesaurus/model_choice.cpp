// The four models over the fixed tables; a context past a model's symbols
// (only damaged data gives one) falls back to the first table.
#include "language/thesaurus/model_tables.h"
#include "language/thesaurus/text_codecs.h"

namespace qm::thesaurus {

namespace {

template <const auto& Tables>
const Word* Pick(Byte previous) {
  constexpr unsigned count = sizeof(Tables) / sizeof(Tables[0]);
  return Tables[previous < count ? previous : 0];
}

}  // namespace

const TModel& RelationModel() {
  static const TModel model{13, &Pick<RelationTables>};
  return model;
}
const TModel& SmallNumberModel() {
  static const TModel model{28, &Pick<SmallNumberTables>};
  return model;
}
const TModel& CharacterModel() {
  static const TModel model{129, &Pick<CharacterTables>};
  return model;
}
const TModel& LetterModel() {
  static const TModel model{44, &Pick<LetterTables>};
  return model;
}

}  // namespace qm::thesaurus
