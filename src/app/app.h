#pragma once

#include "aids/random_sources.h"
#include "app/app_state.h"
#include "app/clock.h"
#include "app/files.h"
#include "app/settings_store.h"
#include "app/ui_services.h"
#include "view/main_view.h"

#include <memory>

namespace penlark {

class AudioServices;

// Everything a handler works on: the shared record, the main window, the small windows
// that exist, and the ports to the outside. One per running program; tests build their own.
struct App {
    App(SettingsStore& settings, UiServices& ui, Clock& clock, FileSystem& files)
        : settings(settings), ui(ui), clock(clock), files(files)
    {
    }
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    // The small windows go before their models do.
    ~App()
    {
        for (std::unique_ptr<View>* window : {&findWindow, &replaceWindow, &cloakWindow}) {
            if (*window) ui.hideWindow(**window, true);
        }
    }

    AppState state;
    MainView view;
    SettingsStore& settings;
    UiServices& ui;
    Clock& clock;
    FileSystem& files;
    AudioServices* audio = nullptr;  // absent where no sound system is bound
    RandomInRange randomInRange;     // the program-wide draw, state 1 at start
    CounterRandom counterRandom;     // the name generators' tick-counter draw

    std::unique_ptr<View> findWindow;
    std::unique_ptr<View> replaceWindow;
    std::unique_ptr<View> cloakWindow;
};

// Wires every handler of the main window to its control's events.
void wireMainWindow(App& app);

} // namespace penlark
