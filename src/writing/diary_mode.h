#pragma once

namespace penlark {

struct App;

// Restores the normal colours and tips after a diary and records the diary marker.
void leaveDiaryMode(App& app);

} // namespace penlark
