#pragma once

namespace penlark {

struct App;

// Fits the controls to the window's outer size and saves that size.
void layoutMainWindow(App& app);

} // namespace penlark
