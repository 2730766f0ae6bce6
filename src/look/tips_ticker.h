#pragma once

namespace penlark {

struct App;

// Shows the next tip in panel 2 of the status bar.
void showNextTip(App& app);

} // namespace penlark
