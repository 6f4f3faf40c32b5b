#include "key/core_dumps.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif
#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace zorvane {

void DisableCoreDumps() {
#if defined(__linux__)
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
#if defined(__unix__) || defined(__APPLE__)
  const rlimit none = {0, 0};
  setrlimit(RLIMIT_CORE, &none);
#endif
}

}  // namespace zorvane
