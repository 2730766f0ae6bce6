#include "view/layout.h"

#include "app/app.h"

#include <algorithm>
#include <climits>

namespace penlark {

namespace {
// Truncates toward zero, as every computed geometry value is; beyond the range of an int
// (an absurd saved size) it saturates.
int truncated(double value)
{
    return static_cast<int>(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
} // namespace

void layoutMainWindow(App& app)
{
    MainView& view = app.view;
    const double width = view.width("MainWindow");
    const double height = view.height("MainWindow");

    view.setLeft("编辑框1", 0);
    view.setWidth("编辑框1", truncated(width - 18));
    view.setTop("wav播放器", truncated(static_cast<double>(view.top("状态条1")) - view.height("wav播放器")));
    view.setLeft("wav播放器", truncated(width - 447));
    view.setStatusPartWidth("状态条1", 2, truncated(width - 360));
    app.settings.writeNumber(SettingsLocation::ProgramDirectory, "软件设置"_gb, "高度"_gb, view.height("MainWindow"));
    app.settings.writeNumber(SettingsLocation::ProgramDirectory, "软件设置"_gb, "宽度"_gb, view.width("MainWindow"));
    view.setLeft("关于", truncated(width / 2 - view.width("关于") / 2.0));
    view.setTop("关于", truncated(height / 2 - view.height("关于") / 2.0));
    const bool statusBarHidden =
        app.settings.readValue(SettingsLocation::ProgramDirectory, "软件设置"_gb, "状态栏"_gb) == "隐藏"_gb;
    view.setHeight("编辑框1", truncated(height - (statusBarHidden ? 80 : 100)));
}

} // namespace penlark
