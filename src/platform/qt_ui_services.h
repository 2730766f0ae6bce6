#pragma once

#include "app/ui_services.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

class QSystemTrayIcon;

namespace penlark {

class FormBinding;

// Filter texts as the forms write them ("description|pattern|" pairs, line breaks before a
// description) turned into Qt's "description (pattern)" lines.
QStringList qtFilters(const GbText& filter);

// UiServices on Qt: real message boxes, file dialogs, clipboard, tray icon and the desktop.
class QtUiServices : public QObject, public UiServices {
public:
    QtUiServices();
    ~QtUiServices() override;

    // The main window: owner of the dialogs and small windows, and target of tray events.
    void setMainWindow(QWidget* window, View* mainView);

    int messageBox(const GbText& text, int buttonsAndIcon, const GbText& title) override;
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> browseForFolder(const GbText& title) override;
    void openUrl(const std::string& address) override;
    GbText clipboardText() override;
    void setClipboardText(const GbText& text) override;
    void setTrayIcon(Picture icon, const GbText& tooltip) override;
    bool runProgram(const std::string& commandLine) override;
    GbText currentUserName() override;
    void showWindow(View& window) override;
    void hideWindow(View& window, bool destroy) override;

    FormBinding* bindingOf(const View& window) const;
    QSystemTrayIcon* trayIcon() const { return tray_; }

private:
    QPointer<QWidget> mainWindow_;
    View* mainView_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    std::map<const View*, std::unique_ptr<FormBinding>> windows_;
};

} // namespace penlark
