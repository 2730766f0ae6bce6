// The entry routine: builds the main window from its form, runs its created event, and runs
// the event loop until the window is gone. The command line is ignored.
#include "app/app.h"
#include "platform/form_binding.h"
#include "platform/qt_audio.h"
#include "platform/qt_ui_services.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    penlark::initPlatformResources();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(true);

    const std::filesystem::path programDirectory = QCoreApplication::applicationDirPath().toStdString();
    penlark::SettingsStore settings(programDirectory);
    penlark::QtUiServices ui;
    penlark::SystemClock clock;
    penlark::RealFileSystem files;
    penlark::QtAudio audio;
    penlark::App app(settings, ui, clock, files);
    app.audio = &audio;
    penlark::wireMainWindow(app);

    penlark::FormBinding binding(app.view);
    ui.setMainWindow(binding.window(), &app.view);
    app.view.raise("MainWindow", penlark::EventKind::Created);
    binding.window()->show();
    const int status = application.exec();
    (void)status;
    return 0;
}
