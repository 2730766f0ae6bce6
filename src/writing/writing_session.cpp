#include "writing/writing_session.h"

#include "app/app.h"
#include "view/settings_panel.h"
#include "writing/diary_mode.h"
#include "writing/document_opening.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace penlark {

namespace {

const GbText& programTitle() { return "Penlark"_gb; }

bool inDiaryMode(const App& app) { return !app.view.enabled("颜色"); }

// The form's save dialog, opened in the program's directory on the title.
std::optional<std::filesystem::path> askSavePath(App& app)
{
    const Control& dialog = app.view.control("通用对话框2");
    FileDialogRequest request;
    request.initialDirectory = app.settings.programDirectory();
    request.proposedName = std::filesystem::path(app.view.text("章节名称").toUtf8());
    request.filter = dialog.filter;
    request.defaultExtension = dialog.defaultExtension;
    return app.ui.saveFileDialog(request);
}

// Writes the document's bytes: the editor's text as it is (code page 936, CR LF, no byte-order
// mark), or over an opened document in that document's own encoding. The write replaces the
// file whole or not at all; a failure is shown and the session stays.
bool writeDocument(App& app, const std::filesystem::path& path, std::string_view bytes)
{
    const std::optional<std::string> failure = app.files.writeFileAtomically(path, bytes);
    if (!failure) return true;
    app.state.saveFailed = true;
    app.ui.messageBox("保存失败，文件没有写入：\r\n"_gb + GbText::fromUtf8(path.string()) + "\r\n"_gb +
                          GbText::fromUtf8(*failure) + "\r\n文本仍在编辑框中，请换一个位置或文件名再保存。"_gb,
                      mb::Ok | mb::IconError, programTitle());
    return false;
}

} // namespace

const GbText& savedNotice() { return "文本已经保存，感谢您的使用"_gb; }
const GbText& clearedNotice() { return "文本已经清空，感谢您的使用"_gb; }

void startAction(App& app)
{
    MainView& view = app.view;
    if (view.text("章节名称").empty()) {
        app.ui.messageBox(
            "您还没有输入标题呢。写小说就在标题中输入章节数和章节题目。记笔记填写课程信息即可\r\n标题会作为文件名。"_gb,
            mb::Ok, programTitle());
        return;
    }
    if (!view.enabled("章节名称")) {
        view.setText("章节名称提示", "标题/题目："_gb);
        saveSession(app);
        return;
    }
    beginSession(app);
}

void beginSession(App& app)
{
    MainView& view = app.view;
    view.setEnabled("章节名称", false);
    view.setCaption("开始书写按钮", "立刻保存"_gb);
    view.setEnabled("编辑框1", true);
    view.setAlignment("编辑框1", 0);
    if (!app.state.openingDocument) {
        // Replaces the welcome text or the last closing notice; the caret goes to line two.
        GbText firstLine = view.text("章节名称") + "\r\n"_gb;
        const int caret = static_cast<int>(firstLine.size());
        view.setText("编辑框1", std::move(firstLine));
        view.setSelStart("编辑框1", caret);
    }
    view.setEnabled("写日记", false);
    view.setFocus("编辑框1");
    view.setEnabled("打开按钮", false);
}

void saveSession(App& app)
{
    app.state.saveFailed = false;
    if (!app.state.documentPath.empty()) {
        const int choice = app.ui.messageBox(
            "覆盖原文件保存么？\r\n是：覆盖原文件 否：选择其他位置 取消：放弃保存\r\n如果想清空正在编辑的文件可以点击F12"_gb,
            mb::YesNoCancel, programTitle());
        std::optional<std::filesystem::path> target;
        std::optional<std::string> bytes = app.view.text("编辑框1").bytes();
        if (choice == answer::Yes) {
            target = app.state.documentPath;
            bytes = encodeDocumentForSave(app, app.view.text("编辑框1"));
        } else if (choice == answer::No) {
            target = askSavePath(app);
        }
        if (!target || !bytes || !writeDocument(app, *target, *bytes)) return;
        endSessionView(app, savedNotice(), "文件已经保存"_gb);
        if (inDiaryMode(app)) leaveDiaryMode(app);
        confirmSettings(app);
        return;
    }

    const std::optional<std::filesystem::path> target = askSavePath(app);
    if (!target || !writeDocument(app, *target, app.view.text("编辑框1").bytes())) return;
    endSessionView(app, savedNotice(), "保存成功！"_gb);
    if (inDiaryMode(app)) {
        leaveDiaryMode(app);
        confirmSettings(app);
    }
}

void endSessionView(App& app, const GbText& closingNotice, const GbText& message)
{
    MainView& view = app.view;
    // The title box is enabled first: the notice's text-changed run then sees an idle view.
    view.setEnabled("章节名称", true);
    view.setText("编辑框1", closingNotice);
    view.setEnabled("编辑框1", false);
    view.setEnabled("写日记", true);
    view.setEnabled("打开按钮", true);
    view.setText("章节名称", {});
    app.state.documentPath.clear();
    if (!message.empty()) app.ui.messageBox(message, mb::Ok, programTitle());
    app.state.openedDocument = false;
    view.setCaption("开始书写按钮", "开始书写"_gb);
}

void wireWritingSession(App& app)
{
    app.view.on("开始书写按钮", EventKind::Clicked, [&app](Event&) { startAction(app); });
}

} // namespace penlark
