#pragma once

#include "app/ui_services.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace penlark::test {

// A UiServices that answers from queues filled by the test and records every call.
// An empty queue answers OK to a message box and cancels a dialog.
class ScriptedUi : public UiServices {
public:
    struct Message {
        GbText text;
        int buttonsAndIcon = 0;
        GbText title;
    };

    std::deque<int> answers;
    std::deque<std::optional<std::filesystem::path>> dialogAnswers;
    std::deque<std::optional<std::filesystem::path>> folderAnswers;

    std::vector<Message> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<std::string> openedUrls;
    std::vector<std::string> startedPrograms;
    std::vector<std::pair<Picture, GbText>> trayCalls;
    std::vector<std::pair<const View*, bool>> windowCalls;  // (window, shown) in order
    GbText clipboard;
    GbText userName = GbText::fromBytes("writer");
    bool programsStart = true;

    int messageBox(const GbText& text, int buttonsAndIcon, const GbText& title) override;
    std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> browseForFolder(const GbText& title) override;
    void openUrl(const std::string& address) override { openedUrls.push_back(address); }
    GbText clipboardText() override { return clipboard; }
    void setClipboardText(const GbText& text) override { clipboard = text; }
    void setTrayIcon(Picture icon, const GbText& tooltip) override { trayCalls.emplace_back(icon, tooltip); }
    bool runProgram(const std::string& commandLine) override;
    GbText currentUserName() override { return userName; }
    void showWindow(View& window) override { windowCalls.emplace_back(&window, true); }
    void hideWindow(View& window, bool) override { windowCalls.emplace_back(&window, false); }

    // The texts of the message boxes shown so far, in order.
    std::vector<GbText> messageTexts() const;
};

} // namespace penlark::test
