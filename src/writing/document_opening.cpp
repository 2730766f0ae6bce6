#include "writing/document_opening.h"

#include "app/app.h"
#include "app/day_stamp.h"
#include "audio/wav_player.h"
#include "writing/document_encoding.h"
#include "writing/writing_session.h"

namespace penlark {

namespace {

const GbText& programTitle() { return "Penlark"_gb; }

const GbText& busyEditorMessage() { return "正在编辑文本呢，一心不能二用哦，赶紧保存再试吧"_gb; }

bool sessionInProgress(const App& app) { return !app.view.enabled("打开按钮"); }

void markPlkUsed(App& app)
{
    app.settings.writeValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, "plk使用"_gb, todayStamp(app.clock));
}

// A name from the file system is UTF-8 on this platform; a name that is not (copied from an
// old archive, say) is taken for the code page it most likely came from.
GbText displayName(const std::string& native)
{
    if (isValidUtf8(native)) return GbText::fromUtf8(native);
    return GbText::fromBytes(native);
}

} // namespace

std::string fileExtension(const std::filesystem::path& path)
{
    const std::string& native = path.native();
    const std::size_t dot = native.rfind('.');
    if (dot == std::string::npos) return native;
    return native.substr(dot + 1);
}

GbText titleFromPath(const std::filesystem::path& path)
{
    std::string name = path.filename().native();
    if (const std::size_t dot = name.find('.'); dot != std::string::npos) name.resize(dot);
    return displayName(name);
}

std::filesystem::path droppedPathText(const std::vector<std::filesystem::path>& paths)
{
    if (paths.size() == 1) return paths.front();
    std::string joined;
    for (const std::filesystem::path& path : paths) {
        joined += path.native();
        joined += "\r\n";
    }
    return std::filesystem::path(std::move(joined));
}

void loadDocument(App& app, const std::filesystem::path& path)
{
    // Read first, so the encoding is known before anything looks at the session. A file that
    // is there but cannot be read opens empty, and saving over it asks first.
    const std::optional<std::string> bytes = app.files.readFile(path);
    DecodedDocument document = decodeDocument(bytes.value_or(std::string()));
    std::error_code error;
    if (!bytes && std::filesystem::exists(path, error)) document.encoding = DocumentEncoding::Unrecognised;

    app.state.documentPath = path;
    app.state.documentEncoding = document.encoding;
    app.state.documentLineFeeds = document.lineFeeds;
    app.view.setText("章节名称", titleFromPath(path));
    app.state.openingDocument = true;
    startAction(app);
    app.state.openingDocument = false;
    app.view.setText("编辑框1", std::move(document.text));
    app.view.setAlignment("编辑框1", 0);
}

void openWithDialog(App& app)
{
    const Control& dialog = app.view.control("通用对话框1");
    FileDialogRequest request;
    request.initialDirectory = app.settings.programDirectory();
    request.filter = dialog.filter;
    app.state.openedDocument = true;
    const std::optional<std::filesystem::path> chosen = app.ui.openFileDialog(request);
    if (!chosen) return;

    const std::string extension = fileExtension(*chosen);
    if ((extension == "txt" || extension == "plk") && sessionInProgress(app)) {
        app.ui.messageBox(busyEditorMessage(), mb::Ok, programTitle());
        return;
    }
    if (extension == "txt") {
        loadDocument(app, *chosen);
    } else if (extension == "plk") {
        loadDocument(app, *chosen);
        markPlkUsed(app);
    } else if (extension == "wav") {
        playWavFile(app, *chosen);
    }
}

void openDroppedFile(App& app, const std::filesystem::path& pathText)
{
    app.state.openedDocument = true;
    const std::string extension = fileExtension(pathText);
    if (extension == "txt" || extension == "plk") {
        if (sessionInProgress(app)) {
            app.ui.messageBox(busyEditorMessage(), mb::Ok, programTitle());
            return;
        }
        loadDocument(app, pathText);
        if (extension == "plk") markPlkUsed(app);
    } else if (extension == "wav") {
        playWavFile(app, pathText);
    } else {
        app.ui.messageBox("目前仅支持txt/plk文本和wav音频文件拖拽。"_gb, mb::Ok, programTitle());
    }
}

GbText documentFileText(App& app, const std::filesystem::path& path)
{
    return decodeDocument(app.files.readFile(path).value_or(std::string())).text;
}

std::optional<std::string> encodeDocumentForSave(App& app, const GbText& text)
{
    if (app.state.documentEncoding == DocumentEncoding::Unrecognised) {
        const int choice = app.ui.messageBox(
            "这个文件打开时没能完整显示：其中有零字节，或有不是文本的字节，编辑框里只是能显示的部分。\r\n"
            "用编辑框里的文字替换原文件吗？原文件里没有显示出来的内容将会丢失。\r\n"
            "是：替换原文件  否：不保存（可以再点保存，选择“否”另存为新文件）"_gb,
            mb::YesNo | mb::IconWarning, programTitle());
        if (choice != answer::Yes) return std::nullopt;
    }
    return encodeDocument(text, app.state.documentEncoding, app.state.documentLineFeeds);
}

void wireDocumentOpening(App& app)
{
    MainView& view = app.view;
    view.on("打开按钮", EventKind::Clicked, [&app](Event&) { openWithDialog(app); });
    view.on("音乐相关1", EventKind::Clicked, [&app](Event&) { openWithDialog(app); });
    view.on(view.windowName(), EventKind::FileDropped,
            [&app](Event& event) { openDroppedFile(app, droppedPathText(event.paths)); });
}

} // namespace penlark
