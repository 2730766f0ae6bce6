#include "view/settings_panel.h"

#include "app/app.h"
#include "look/colours.h"
#include "look/tips_ticker.h"

namespace penlark {

namespace {
const GbText& yesNo(bool value) { return value ? "真"_gb : "假"_gb; }
} // namespace

void confirmSettings(App& app)
{
    MainView& view = app.view;
    SettingsStore& settings = app.settings;
    constexpr auto program = SettingsLocation::ProgramDirectory;

    showNextTip(app);
    view.setVisible("关于", false);
    view.setPicture("设置按钮", Picture::Tools);
    settings.writeNumber(program, "文本设置"_gb, "背景颜色"_gb, view.selectedColor("颜色"));
    settings.writeValue(program, "软件设置"_gb, "自动保存"_gb, yesNo(view.checked("自动保存")));
    settings.writeValue(program, "文本设置"_gb, "大字体模式"_gb, yesNo(view.checked("大字体")));
    settings.writeNumber(program, "软件设置"_gb, "按钮类型"_gb, view.selectedIndex("按钮类型"));
    settings.writeNumber(program, "软件设置"_gb, "小提示类型"_gb, view.selectedIndex("提示类型"));
    applyTheme(app);
}

} // namespace penlark
