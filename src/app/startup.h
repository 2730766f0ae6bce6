#pragma once

namespace penlark {

struct App;

// The main window's created event: restores size, colours and choices from setting.ini,
// loads the balance, records today's start and installs the tray icon.
void onMainWindowCreated(App& app);
// The main window's will-be-destroyed event: ends a diary, offers to save an open session,
// marks setting.ini read-only and removes the tray icon. It cannot refuse the close.
void onMainWindowDestroying(App& app);

} // namespace penlark
