// The first idle moment notices a previous run that did not end normally
// and offers its timed backups.
#pragma once

namespace qm {

// Offers the timed backups when the last run ended abnormally and some are
// there; marks this run as not yet ended normally and installs the idle
// handler. True when the writer went to retrieve a backup.
bool CheckAbnormalExit();

}  // namespace qm
