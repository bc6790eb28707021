#pragma once
// The window shown while a record file of an earlier build is brought up to date on its
// opening (which the opening thread waits for, the other windows answering meanwhile).

namespace ui {

// From now on every such opening that takes over a second shows the window until it is done.
void installUpgradeProgress();

}  // namespace ui
