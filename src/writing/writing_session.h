#pragma once

namespace penlark {

struct App;

// Saves the editor's text over the opened document or through the save dialog.
void saveSession(App& app);

} // namespace penlark
