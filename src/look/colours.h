#pragma once

namespace penlark {

struct App;

// Window and editor take the picker's colour; then the button theme is applied.
void applyBackground(App& app);
// Recolours the title box and the three toolbar buttons for the chosen theme.
void applyTheme(App& app);

} // namespace penlark
