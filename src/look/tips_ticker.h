#pragma once

namespace penlark {

struct App;

// Shows the next tip in panel 2 of the status bar: a random line of the chosen collection, or
// the credit line with the login name.
void showNextTip(App& app);

void wireTipsTicker(App& app);

} // namespace penlark
