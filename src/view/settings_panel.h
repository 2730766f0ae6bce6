#pragma once

namespace penlark {

struct App;

// Saves the panel's five settings, closes the panel, shows a tip and applies the theme.
void confirmSettings(App& app);
// The settings picture: renews the suggested names and opens or closes the panel on page 0.
void toggleSettingsPanel(App& app);
// A click on the status bar opens the panel on the detailed count.
void onStatusBarClicked(App& app);

void wireSettingsPanel(App& app);

} // namespace penlark
