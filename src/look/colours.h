#pragma once

namespace penlark {

struct App;

// Window and editor take the picker's colour; then the button theme is applied.
void applyBackground(App& app);
// Recolours the title box and the three toolbar buttons for the chosen theme.
void applyTheme(App& app);
// Switches the editor's and the title caption's text between white and black and saves it.
void toggleTextColor(App& app);
// Item picked in the theme combo: refuses a theme the balance does not reach and offers the
// summer background with its own theme.
void onButtonThemeSelected(App& app);

void wireColours(App& app);

} // namespace penlark
