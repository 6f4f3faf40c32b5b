// A search over many years on every core, handing each year's matches over in time order as
// soon as they are known. Years 128 apart whose spans agree share all their timecodes, so a
// range of any length costs at most 128 searched years per span.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "key/key_bytes.h"
#include "timecode/search.h"

namespace zorvane {

// The processors this process may run on.
unsigned UsableProcessors();

// `plans` hold one year each, in time order, all with the same triad and hours. `yearFound`
// runs on the calling thread, once per plan and in the plans' order; what it throws ends the
// search and comes out of here. The calling thread is one of the `threads`.
void SearchYears(const std::vector<SearchPlan>& plans, const KeyBytes& key,
                 const std::function<void(std::span<const CivilMinute>)>& yearFound,
                 unsigned threads = UsableProcessors());

}  // namespace zorvane
