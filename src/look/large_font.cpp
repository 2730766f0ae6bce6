#include "look/large_font.h"

#include "app/app.h"
#include "view/layout.h"

namespace penlark {

namespace {
constexpr double kLargePoints = 25;
constexpr double kNormalPoints = 16;
constexpr auto kProgram = SettingsLocation::ProgramDirectory;
} // namespace

void onLargeFontClicked(App& app)
{
    MainView& view = app.view;
    if (view.checked("大字体")) {
        view.setFontSize("编辑框1", kLargePoints);
        app.settings.writeValue(kProgram, "软件设置"_gb, "新手2"_gb, "真"_gb);
        app.ui.messageBox("已经切换到大字体模式。"_gb, mb::Ok, "Penlark"_gb);
    } else {
        view.setFontSize("编辑框1", kNormalPoints);
        app.ui.messageBox("关闭成功"_gb, mb::Ok, "Penlark"_gb);
    }
}

void onStatusBarSwitchClicked(App& app)
{
    const bool shown = !app.view.checked("状态栏选择");
    app.view.setVisible("状态条1", shown);
    // The layout reads the saved value, so it is written first.
    app.settings.writeValue(kProgram, "软件设置"_gb, "状态栏"_gb, shown ? "显示"_gb : "隐藏"_gb);
    layoutMainWindow(app);
}

void wireLargeFont(App& app)
{
    app.view.on("大字体", EventKind::Clicked, [&app](Event&) { onLargeFontClicked(app); });
    app.view.on("状态栏选择", EventKind::Clicked, [&app](Event&) { onStatusBarSwitchClicked(app); });
}

} // namespace penlark
