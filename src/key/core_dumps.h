// Keeps the pass phrase and the key out of core dumps, so that a crash cannot leave them on
// disk. Called first thing by both programs.
#pragma once

namespace zorvane {

// Marks the process as not dumpable and sets its core size limit to zero, where the platform
// has these; elsewhere does nothing.
void DisableCoreDumps();

}  // namespace zorvane
