#include "scripted_ui.h"

namespace penlark::test {

int ScriptedUi::messageBox(const GbText& text, int buttonsAndIcon, const GbText& title)
{
    messages.push_back({text, buttonsAndIcon, title});
    if (answers.empty()) return answer::Ok;
    const int next = answers.front();
    answers.pop_front();
    return next;
}

std::optional<std::filesystem::path> ScriptedUi::openFileDialog(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    if (dialogAnswers.empty()) return std::nullopt;
    auto next = dialogAnswers.front();
    dialogAnswers.pop_front();
    return next;
}

std::optional<std::filesystem::path> ScriptedUi::saveFileDialog(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    if (dialogAnswers.empty()) return std::nullopt;
    auto next = dialogAnswers.front();
    dialogAnswers.pop_front();
    return next;
}

std::optional<std::filesystem::path> ScriptedUi::browseForFolder(const GbText&)
{
    if (folderAnswers.empty()) return std::nullopt;
    auto next = folderAnswers.front();
    folderAnswers.pop_front();
    return next;
}

bool ScriptedUi::runProgram(const std::string& commandLine)
{
    startedPrograms.push_back(commandLine);
    return programsStart;
}

std::vector<GbText> ScriptedUi::messageTexts() const
{
    std::vector<GbText> texts;
    for (const Message& message : messages) texts.push_back(message.text);
    return texts;
}

} // namespace penlark::test
