#include "view/settings_panel.h"

#include "aids/find_window.h"
#include "aids/name_generator.h"
#include "aids/replace_window.h"
#include "app/app.h"
#include "look/colours.h"
#include "look/tips_ticker.h"
#include "points/points_ledger.h"

namespace penlark {

namespace {

const char* const kPanel = "关于";
const char* const kPages = "高级选择夹1";
constexpr int kSettingsPage = 0;
constexpr int kDetailedCountPage = 1;

const GbText& yesNo(bool value) { return value ? "真"_gb : "假"_gb; }

void showPage(App& app, int page) { app.view.setSelectedIndex(kPages, page); }

} // namespace

void confirmSettings(App& app)
{
    MainView& view = app.view;
    SettingsStore& settings = app.settings;
    constexpr auto program = SettingsLocation::ProgramDirectory;

    showNextTip(app);
    view.setVisible(kPanel, false);
    view.setPicture("设置按钮", Picture::Tools);
    settings.writeNumber(program, "文本设置"_gb, "背景颜色"_gb, view.selectedColor("颜色"));
    settings.writeValue(program, "软件设置"_gb, "自动保存"_gb, yesNo(view.checked("自动保存")));
    settings.writeValue(program, "文本设置"_gb, "大字体模式"_gb, yesNo(view.checked("大字体")));
    settings.writeNumber(program, "软件设置"_gb, "按钮类型"_gb, view.selectedIndex("按钮类型"));
    settings.writeNumber(program, "软件设置"_gb, "小提示类型"_gb, view.selectedIndex("提示类型"));
    applyTheme(app);
}

void toggleSettingsPanel(App& app)
{
    MainView& view = app.view;
    showPage(app, kSettingsPage);

    // Fresh suggestions on every press, opening or closing; below 15 points nothing changes.
    renewGeneratedNames(app);

    if (view.visible(kPanel)) {
        view.setVisible(kPanel, false);
        view.setPicture("设置按钮", Picture::Tools);
    } else {
        view.setVisible(kPanel, true);
        refreshTasks(app);
        view.setPicture("设置按钮", Picture::Wrench);
    }
}

void onStatusBarClicked(App& app)
{
    // Only opens the panel on the detailed count: no task refresh, no new names, same picture.
    app.view.setVisible(kPanel, true);
    showPage(app, kDetailedCountPage);
}

void wireSettingsPanel(App& app)
{
    MainView& view = app.view;
    view.on("设置按钮", EventKind::LeftButtonDown, [&app](Event&) { toggleSettingsPanel(app); });
    view.on("状态条1", EventKind::LeftButtonDown, [&app](Event&) { onStatusBarClicked(app); });

    view.on("添加时间1", EventKind::Clicked, [&app](Event&) { openFindWindow(app); });
    view.on("添加时间2", EventKind::Clicked, [&app](Event&) { openReplaceWindow(app); });
    // The page-2 launchers (detailed count, names, places, folder tool) are wired with what
    // they open.
}

} // namespace penlark
