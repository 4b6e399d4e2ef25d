// "Associate Items with Names" and "Associate Items with Locations".
#pragma once

namespace qm {

void ShowAssociateItems(bool locations);

}  // namespace qm
