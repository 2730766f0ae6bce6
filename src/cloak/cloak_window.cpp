#include "cloak/cloak_window.h"

#include "app/app.h"
#include "cloak/folder_cloak.h"
#include "view/form_builder.h"

namespace penlark {

namespace {

constexpr const char* kWindow = "CloakWindow";
constexpr const char* kLockPanel = "分组框2";

GbText storedPassword(App& app)
{
    return app.settings.readValue(SettingsLocation::ProgramDirectory, "pin"_gb, "pin"_gb);
}

// The lock panel lies above everything and takes all input while shown; the handlers of the
// controls beneath refuse to act meanwhile, whatever reaches them.
bool locked(const View& window) { return window.visible(kLockPanel); }

Control& flatButton(FormBuilder& form, const char* name, int left, int top, int width, int height,
                    const GbText& caption)
{
    Control& button = form.add(ControlKind::FlatButton, name, "", left, top, width, height);
    button.caption = caption;
    return button;
}

Control& label(FormBuilder& form, const char* name, const char* parent, int left, int top, int width, int height,
               const GbText& text)
{
    Control& control = form.add(ControlKind::Label, name, parent, left, top, width, height);
    control.text = text;
    return control;
}

void wireCloakWindow(App& app, View& window)
{
    auto run = [&app](void (*handler)(App&)) { return [&app, handler](Event&) { handler(app); }; };

    window.on(kWindow, EventKind::Created, run(onCloakWindowCreated));
    window.on(kWindow, EventKind::CloseRequested, run(closeCloakWindow));
    window.on("选择文件夹", EventKind::Clicked, run(onChooseFolder));
    window.on("加密文件夹", EventKind::Clicked, run(onCloakFolder));
    window.on("恢复文件夹", EventKind::Clicked, run(onRestoreFolder));
    window.on("恢复文件夹1", EventKind::Clicked, run(onDeletePassword));
    window.on("编辑框3", EventKind::TextChanged, run(onPasswordEntryChanged));
    window.on("编辑框4", EventKind::TextChanged, run(onSetPasswordChanged));
    window.on("编辑框4", EventKind::FocusLost, run(onSetPasswordFocusLost));
}

// Shown after a successful rename only.
void reportDone(App& app, const GbText& message)
{
    app.ui.messageBox(message, mb::Ok | mb::IconInformation, "信息："_gb);
    checkFolder(app);
    showParentFolder(app);
}

} // namespace

Form cloakWindowForm()
{
    FormBuilder form;
    form.window(kWindow, "加密文件夹工具v1.1"_gb, 340, 293);

    form.add(ControlKind::PictureBox, "图片框1", "", 21, 16, 32, 32).picture = Picture::Padlock;
    label(form, "标签3", "", 60, 21, 252, 36,
          "    重要提示：请不要用本软家加密与系统相关的文件夹！如windows、重要程序文件夹等等！"_gb)
        .wordWrap = true;
    form.add(ControlKind::GroupBox, "分组框1", "", 20, 53, 296, 136);
    form.add(ControlKind::PictureBox, "图片框2", "", 29, 70, 31, 32).picture = Picture::Folder;
    form.add(ControlKind::EditBox, "编辑框1", "", 72, 73, 120, 25).text = " 请先选择文件夹……"_gb;
    flatButton(form, "选择文件夹", 199, 69, 104, 34, "请选择文件夹"_gb);
    label(form, "标签1", "", 30, 118, 51, 15, "操作状态"_gb);
    form.add(ControlKind::EditBox, "编辑框2", "", 89, 113, 215, 25).text = " 请先选择文件夹……"_gb;
    flatButton(form, "加密文件夹", 31, 147, 125, 30, "加密文件夹"_gb).enabled = false;
    flatButton(form, "恢复文件夹", 177, 148, 125, 30, "恢复文件夹"_gb).enabled = false;
    label(form, "透明标签1", "", 15, 200, 304, 16, "本程序来自互联网，感谢作者的支持"_gb);
    label(form, "透明标签2", "", 8, 232, 144, 16, "设置密码 纯数字 自动保存"_gb);
    form.add(ControlKind::EditBox, "编辑框4", "", 153, 229, 127, 24).integerInput = true;
    flatButton(form, "恢复文件夹1", 289, 226, 32, 30, "删除密码"_gb);

    // Last in the form, so it lies above every other control when shown.
    form.add(ControlKind::GroupBox, kLockPanel, "", 0, 0, 336, 264).visible = false;
    label(form, "透明标签3", kLockPanel, 88, 88, 144, 16, "请输入密码"_gb);
    form.add(ControlKind::EditBox, "编辑框3", kLockPanel, 72, 120, 184, 24);
    return form.build();
}

void openCloakWindow(App& app)
{
    if (app.cloakWindow && app.cloakWindow->visible(kWindow)) {
        app.ui.showWindow(*app.cloakWindow);
        return;
    }
    // None open (or the last one was closed): start again from the form.
    app.cloakWindow = std::make_unique<View>(cloakWindowForm());
    wireCloakWindow(app, *app.cloakWindow);
    app.ui.showWindow(*app.cloakWindow);
    app.cloakWindow->raise(kWindow, EventKind::Created);
}

void closeCloakWindow(App& app)
{
    View& window = *app.cloakWindow;
    window.setVisible(kWindow, false);
    app.ui.hideWindow(window, true);
}

void onCloakWindowCreated(App& app)
{
    if (storedPassword(app).empty()) return;
    View& window = *app.cloakWindow;
    window.setVisible(kLockPanel, true);
    window.setFocus("编辑框3");
}

void checkFolder(App& app)
{
    View& window = *app.cloakWindow;
    const FolderVerdict verdict = checkFolderPath(window.text("编辑框1"));
    window.setEnabled("加密文件夹", verdict == FolderVerdict::Cloakable);
    window.setEnabled("恢复文件夹", verdict == FolderVerdict::Cloaked);
    switch (verdict) {
    case FolderVerdict::NoPath:
        window.setText("编辑框2", " 请先选择文件夹！"_gb);
        break;
    case FolderVerdict::DriveRoot:
        window.setText("编辑框2", "不能选择驱动器……"_gb);
        break;
    case FolderVerdict::ReadOnly:
        window.setText("编辑框2", " 文件夹为只读！不能进行操作……"_gb);
        break;
    case FolderVerdict::Cloaked:
        window.setText("编辑框2", " 该文件夹可以解密！"_gb);
        break;
    case FolderVerdict::Cloakable:
        window.setText("编辑框2", " 该文件夹可以加密！"_gb);
        break;
    }
}

void showParentFolder(App& app) { app.ui.runProgram(parentFolderCommand(app.cloakWindow->text("编辑框1"))); }

void onChooseFolder(App& app)
{
    View& window = *app.cloakWindow;
    if (locked(window)) return;
    const auto chosen = app.ui.browseForFolder("文件夹浏览"_gb);
    window.setText("编辑框1", chosen ? textFromPath(*chosen) : GbText());
    checkFolder(app);
}

void onCloakFolder(App& app)
{
    View& window = *app.cloakWindow;
    if (locked(window)) return;
    const GbText path = window.text("编辑框1");
    const GbText cloaked = path + cloakSuffix();
    // A failed rename changes nothing and is no success: the path stays and the status says why.
    if (const auto failure = renameFolder(path, cloaked)) {
        window.setText("编辑框2", " 加密失败："_gb + *failure);
        return;
    }
    window.setText("编辑框1", cloaked);
    reportDone(app, "程序已完成加密！\r\n请到文件夹所在目录查看！"_gb);
}

void onRestoreFolder(App& app)
{
    View& window = *app.cloakWindow;
    if (locked(window)) return;
    const GbText path = window.text("编辑框1");
    const auto restored = restoredPath(path);
    if (!restored) {
        window.setText("编辑框2", " 恢复失败：路径中没有加密后缀"_gb);
        return;
    }
    if (const auto failure = renameFolder(path, *restored)) {
        window.setText("编辑框2", " 恢复失败："_gb + *failure);
        return;
    }
    window.setText("编辑框1", *restored);
    reportDone(app, "程序已完成恢复！\r\n请到文件夹所在目录查看！"_gb);
}

void onPasswordEntryChanged(App& app)
{
    View& window = *app.cloakWindow;
    if (window.text("编辑框3") == storedPassword(app)) window.setVisible(kLockPanel, false);
}

void onSetPasswordChanged(App& app)
{
    View& window = *app.cloakWindow;
    if (locked(window)) return;
    app.settings.writeValue(SettingsLocation::ProgramDirectory, "pin"_gb, "pin"_gb, window.text("编辑框4"));
}

void onSetPasswordFocusLost(App& app)
{
    View& window = *app.cloakWindow;
    if (locked(window)) return;
    const GbText normalised = normalisedPassword(window.text("编辑框4"));
    if (normalised != window.text("编辑框4")) window.setText("编辑框4", normalised);
}

void onDeletePassword(App& app)
{
    View& window = *app.cloakWindow;
    if (locked(window)) return;
    // Each write stores itself through the box's own handler: "0", then empty.
    window.setText("编辑框4", "0"_gb);
    window.setText("编辑框4", GbText());
}

void wireCloakLauncher(App& app)
{
    app.view.on("文件加密器按钮", EventKind::Clicked, [&app](Event&) { openCloakWindow(app); });
}

} // namespace penlark
