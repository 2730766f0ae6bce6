#pragma once

namespace penlark {

struct App;

// The main window's created event: restores size, colours and choices from setting.ini,
// loads the balance, records today's start and installs the tray icon.
void onMainWindowCreated(App& app);
// The main window's will-be-destroyed event: ends a diary, offers to save an open session,
// marks setting.ini read-only and removes the tray icon. The close goes on whatever the user
// answers; only a save whose write failed keeps the window open, so the text is not lost.
// Returns whether the window must stay.
bool onMainWindowDestroying(App& app);

} // namespace penlark
