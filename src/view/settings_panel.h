#pragma once

namespace penlark {

struct App;

// Saves the panel's five settings, closes the panel, shows a tip and applies the theme.
void confirmSettings(App& app);

} // namespace penlark
