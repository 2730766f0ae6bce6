#pragma once

#include "app/clock.h"
#include "text/gb_text.h"

namespace penlark {

// Year, month and day in decimal one after another, without separators or padding:
// 1 September 2015 is "201591". Markers compare it by exact bytes, so two days can share a
// stamp (11 January and 1 November both end in "111").
GbText dayStamp(const LocalDateTime& date);
inline GbText todayStamp(const Clock& clock) { return dayStamp(clock.now()); }

} // namespace penlark
