#pragma once

#include "text/gb_text.h"
#include "view/control.h"

#include <filesystem>
#include <optional>
#include <string>

namespace penlark {

class View;

// Buttons and icons of a message box, added together as the Windows flags are.
namespace mb {
constexpr int Ok = 0;
constexpr int OkCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int IconError = 16;
constexpr int IconQuestion = 32;
constexpr int IconWarning = 48;
constexpr int IconInformation = 64;
} // namespace mb

// What a message box returns.
namespace answer {
constexpr int Ok = 0;
constexpr int Cancel = 1;
constexpr int Yes = 5;
constexpr int No = 6;
} // namespace answer

struct FileDialogRequest {
    std::filesystem::path initialDirectory;
    std::filesystem::path proposedName;  // a file name, no folder
    GbText filter;                       // "description|pattern|" pairs, as the form gives them
    GbText defaultExtension;             // without the dot; empty for none
    GbText title;
};

// The platform services the handlers call. Tests replace it with a scripted double.
class UiServices {
public:
    virtual ~UiServices() = default;

    // Returns answer::Ok, Cancel, Yes or No. An empty title uses the platform's default.
    virtual int messageBox(const GbText& text, int buttonsAndIcon, const GbText& title) = 0;
    virtual std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> browseForFolder(const GbText& title) = 0;
    virtual void openUrl(const std::string& address) = 0;
    virtual GbText clipboardText() = 0;
    virtual void setClipboardText(const GbText& text) = 0;
    // Picture::None removes the icon. Where the desktop has no notification area nothing shows.
    virtual void setTrayIcon(Picture icon, const GbText& tooltip) = 0;
    // Starts a program with a command line; false when it could not be started.
    virtual bool runProgram(const std::string& commandLine) = 0;
    virtual GbText currentUserName() = 0;
    // Shows a small window non-modally above the main window, creating its widgets the first
    // time; an existing one is restored and activated.
    virtual void showWindow(View& window) = 0;
    // Hides a small window; `destroy` also drops its widgets.
    virtual void hideWindow(View& window, bool destroy) = 0;
};

} // namespace penlark
