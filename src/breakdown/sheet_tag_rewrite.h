// What the breakdown sheet editor changes goes back into the scene's text
// as tags: an item retagged with another category, untagged, given new
// words, or added in the Script Note under the heading.
#pragma once

#include <string>

#include "breakdown/breakdown_record.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// The untag code: the item's tags go, a name is marked off.
constexpr Byte UntagCode = '~';
constexpr Byte SceneDescriptionCode = 168;

struct TTagChange {
  std::string Item;
  // The codes of the square the item was in; empty for none.
  std::string OldCodes;
  // A tag code, UntagCode, or 0 for a change of words only.
  Byte NewCode = 0;
  std::string NewItem;
};

enum class TRewriteResult { NotHeld, Held, Refused };

// One element's text: every tagged occurrence of the item (and, for the
// cast, every untagged name) changed as asked. Refused: an occurrence is
// tagged with a code of another square, and the text is left as it was.
TRewriteResult RewriteTagsInText(std::string& text, bool scriptNote, const TTagChange& change, const CharSet& codes);

// The heading of the scene (0 = the first), or null.
TScriptElement* SceneHeading(const TScriptDocument& script, int scene);

// The change in every Action and Script Note of the scene. When no element
// held the item, an off entry of its first old code goes into the Script
// Note under the heading. False when the scene has no heading.
bool RewriteSceneTags(TMDIChild& script, int scene, const TTagChange& change);

// Adds a tagged item to the Script Note under the scene's heading (one is
// made there when there is none): an off entry of it is turned on again,
// and an item already there is not added twice. False when the scene has
// no heading.
bool AddSceneItem(TMDIChild& script, int scene, Byte code, const std::string& item);

// The Script Note's text after an item is added.
void AddItemToNote(std::string& note, Byte code, const std::string& item, const CharSet& codes);

}  // namespace qm
