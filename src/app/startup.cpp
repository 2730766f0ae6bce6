#include "app/startup.h"

#include "app/app.h"
#include "app/day_stamp.h"
#include "look/colours.h"
#include "view/settings_panel.h"
#include "writing/diary_mode.h"
#include "writing/document_opening.h"
#include "writing/writing_session.h"

#include <cstdint>

namespace penlark {

namespace {
constexpr auto kProgram = SettingsLocation::ProgramDirectory;
constexpr auto kWorking = SettingsLocation::WorkingDirectory;
} // namespace

void onMainWindowCreated(App& app)
{
    MainView& view = app.view;
    SettingsStore& settings = app.settings;

    // The drop target is the whole window; the binding delivers drops to its event.
    app.state.openedDocument = false;

    if (settings.exists(kProgram)) {
        // Both are read before either is applied: applying the height runs the layout, which
        // saves the size, and would overwrite the saved width of a file left writable (after a
        // crash) before it is read.
        const std::int32_t height = settings.readNumber(kProgram, "软件设置"_gb, "高度"_gb);
        const std::int32_t width = settings.readNumber(kProgram, "软件设置"_gb, "宽度"_gb);
        view.setHeight("MainWindow", height);
        view.setWidth("MainWindow", width);
    } else {
        settings.writeValue(kProgram, "文本设置"_gb, "文本颜色"_gb, "白色"_gb);
        view.setHeight("MainWindow", 838);
        view.setWidth("MainWindow", 1119);
        confirmSettings(app);
    }

    // Also clears the read-only mark left by the last exit.
    settings.setAttributes(kProgram, {.readOnly = false, .hidden = true, .system = true});

    app.state.pointsBalance = settings.readNumber(kWorking, "运行情况"_gb, "运行"_gb);
    view.setText("积分显示", "当前积分： "_gb + textFromInt(app.state.pointsBalance));

    view.setSelectedColor("颜色", settings.readNumber(kProgram, "文本设置"_gb, "背景颜色"_gb));

    const bool whiteText = settings.readValue(kProgram, "文本设置"_gb, "文本颜色"_gb) == "白色"_gb;
    view.setTextColor("编辑框1", whiteText ? 0xFFFFFF : 0x000000);
    view.setText("当前颜色标签", whiteText ? "白色"_gb : "黑色"_gb);

    const bool statusBarHidden = settings.readValue(kProgram, "软件设置"_gb, "状态栏"_gb) == "隐藏"_gb;
    view.setVisible("状态条1", !statusBarHidden);
    view.setChecked("状态栏选择", statusBarHidden);

    view.setChecked("自动保存", settings.readValue(kProgram, "软件设置"_gb, "自动保存"_gb) == "真"_gb);

    applyBackground(app);
    view.setText("版本标签", view.text("MainWindow"));
    view.setSelectedIndex("提示类型", settings.readNumber(kProgram, "软件设置"_gb, "小提示类型"_gb));
    view.setSelectedIndex("按钮类型", settings.readNumber(kProgram, "软件设置"_gb, "按钮类型"_gb));
    confirmSettings(app);

    settings.writeValue(kProgram, "软件设置"_gb, "最后一次登录"_gb, todayStamp(app.clock));
    app.ui.setTrayIcon(Picture::ProgramIcon, "Penlark—你的原创写作助手"_gb);
}

bool onMainWindowDestroying(App& app)
{
    MainView& view = app.view;

    if (!view.enabled("颜色")) leaveDiaryMode(app);

    if (!view.enabled("打开按钮")) {
        if (app.state.documentPath.empty()) {
            saveSession(app);
        } else {
            // The document read as it was opened (its own encoding, up to a zero byte); an
            // unreadable one compares as empty text.
            if (documentFileText(app, app.state.documentPath) != view.text("编辑框1")) saveSession(app);
        }
        if (app.state.saveFailed) return true;
    }

    app.settings.setAttributes(kProgram, {.readOnly = true, .hidden = true, .system = true});
    app.ui.setTrayIcon(Picture::None, {});
    return false;
}

} // namespace penlark
