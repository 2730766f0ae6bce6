#include "aids/name_generator.h"
#include "app/app.h"
#include "app/startup.h"
#include "audio/sound_recorder.h"
#include "audio/wav_player.h"
#include "cloak/cloak_window.h"
#include "look/colours.h"
#include "look/large_font.h"
#include "look/tips_ticker.h"
#include "look/tray_and_web.h"
#include "points/points_ledger.h"
#include "stats/text_statistics.h"
#include "view/layout.h"
#include "view/settings_panel.h"
#include "writing/diary_mode.h"
#include "writing/document_opening.h"
#include "writing/session_commands.h"
#include "writing/writing_session.h"

namespace penlark {

void wireMainWindow(App& app)
{
    MainView& view = app.view;
    auto run = [&app](void (*handler)(App&)) { return [&app, handler](Event&) { handler(app); }; };

    view.on("MainWindow", EventKind::Created, run(onMainWindowCreated));
    view.on("MainWindow", EventKind::Destroying,
            [&app](Event& event) { event.handled = onMainWindowDestroying(app); });
    view.on("MainWindow", EventKind::SizeChanged, run(layoutMainWindow));
    view.on("保存设置", EventKind::Clicked, run(confirmSettings));
    wireSettingsPanel(app);
    wirePointsLedger(app);
    wireColours(app);
    wireLargeFont(app);
    wireTipsTicker(app);
    wireTrayAndWeb(app);
    wireDiaryMode(app);
    wireNameGenerators(app);
    wireCloakLauncher(app);
    wireDocumentOpening(app);
    wireWavPlayer(app);
    wireSoundRecorder(app);
    wireWritingSession(app);
    wireSessionCommands(app);
    wireTextStatistics(app);
}

} // namespace penlark
