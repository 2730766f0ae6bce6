#include "gui_fixture.h"

#include "platform/qt_convert.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QTest>

namespace penlark::test {

int GuiTestUi::messageBox(const GbText& text, int, const GbText&)
{
    messages.push_back(text);
    if (answers.empty()) return answer::Ok;
    const int next = answers.front();
    answers.pop_front();
    return next;
}

std::optional<std::filesystem::path> GuiTestUi::openFileDialog(const FileDialogRequest&)
{
    if (dialogAnswers.empty()) return std::nullopt;
    auto next = dialogAnswers.front();
    dialogAnswers.pop_front();
    return next;
}

std::optional<std::filesystem::path> GuiTestUi::saveFileDialog(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return openFileDialog(request);
}

GuiApp::GuiApp() : app(std::make_unique<App>(settings, ui, clock, files)) { wireMainWindow(*app); }

GuiApp::~GuiApp()
{
    binding.reset();
    app.reset();
}

void GuiApp::start()
{
    binding = std::make_unique<FormBinding>(app->view);
    ui.setMainWindow(binding->window(), &app->view);
    app->view.raise("MainWindow", EventKind::Created);
    binding->window()->show();
    if (!QTest::qWaitForWindowExposed(binding->window())) qWarning("the main window was not exposed");
}

QWidget* GuiApp::widget(const char* name) const { return binding->widget(name); }

GbText GuiApp::setting(const char* section, const char* key) const
{
    return settings.readValue(SettingsLocation::ProgramDirectory, GbText::fromUtf8(section), GbText::fromUtf8(key));
}

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

void commitText(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

void saveScreenshot(QWidget* widget, const char* name)
{
    const QString folder = qEnvironmentVariable("PENLARK_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget->grab().save(folder + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".png"));
}

} // namespace penlark::test
