#pragma once

#include "app/app.h"
#include "platform/form_binding.h"
#include "platform/qt_ui_services.h"
#include "test_app.h"

#include <QString>
#include <QWidget>

#include <deque>
#include <memory>
#include <optional>

namespace penlark::test {

// The real Qt services, except that message boxes and file dialogs answer from queues, so a
// test can drive the real window without a person at the keyboard.
class GuiTestUi : public QtUiServices {
public:
    std::deque<int> answers;
    std::deque<std::optional<std::filesystem::path>> dialogAnswers;
    std::vector<GbText> messages;
    std::vector<FileDialogRequest> saveRequests;

    int messageBox(const GbText& text, int buttonsAndIcon, const GbText& title) override;
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;
};

// The whole program in a real window over a temporary program directory.
struct GuiApp {
    TempDir programDir;
    WorkingDirectory cwd{programDir.path()};
    SettingsStore settings{programDir.path()};
    GuiTestUi ui;
    FixedClock clock;
    RealFileSystem files;
    std::unique_ptr<App> app;
    std::unique_ptr<FormBinding> binding;

    GuiApp();
    ~GuiApp();
    // Builds the window, runs the created event and shows it.
    void start();
    QWidget* widget(const char* name) const;
    template <typename T>
    T* widgetAs(const char* name) const { return qobject_cast<T*>(widget(name)); }
    MainView& view() { return app->view; }
    AppState& state() { return app->state; }
    GbText setting(const char* section, const char* key) const;
};

QString q(const char* utf8);
// Types text as an input method commits it (QTest::keyClicks handles only Latin-1).
void commitText(QWidget* widget, const QString& text);
// Saves a picture of the widget when PENLARK_SCREENSHOTS names a folder.
void saveScreenshot(QWidget* widget, const char* name);

} // namespace penlark::test
