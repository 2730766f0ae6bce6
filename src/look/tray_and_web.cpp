#include "look/tray_and_web.h"

#include "app/app.h"

#include <string>

namespace penlark {

void onTrayEvent(App& app, int trayEvent)
{
    if (trayEvent != tray::LeftClick) return;
    MainView& view = app.view;
    view.setVisible(view.windowName(), true);
    view.setWindowState(WindowState::Normal);
    // A single raise in place of switching "always on top" on and off: the same effect
    // without making the window manager re-create the window.
    view.raiseWindow();
}

void showPinTutorial(App& app)
{
    app.ui.messageBox("请您右键单击任务栏上的Penlark，选择固定到任务栏，谢谢"_gb, mb::Ok, "Penlark"_gb);
}

void wireTrayAndWeb(App& app)
{
    MainView& view = app.view;
    view.on(view.windowName(), EventKind::TrayEvent, [&app](Event& event) { onTrayEvent(app, event.trayEvent); });
    view.on("固定按钮", EventKind::Clicked, [&app](Event&) { showPinTutorial(app); });

    // The result of opening is not looked at: without a browser or a QQ client nothing shows.
    auto opens = [&app](std::string address) { return [&app, address](Event&) { app.ui.openUrl(address); }; };
    view.on("手写查字按钮", EventKind::Clicked, opens(std::string(web::kHandwritingDictionary)));
    view.on("世界历史按钮", EventKind::Clicked, opens(std::string(web::kWorldHistory)));
    view.on("打开音乐电台按钮", EventKind::Clicked, opens(std::string(web::kMusicRadio)));
    view.on("官方博客按钮", EventKind::Clicked, opens(std::string(web::kBlog)));
    view.on("称号说明按钮", EventKind::Clicked, opens(std::string(web::kTitlesArticle)));
    view.on("联系作者按钮", EventKind::Clicked,
            opens(std::string(web::kQqChatScheme) + std::string(web::kDeveloperQqNumber)));
}

} // namespace penlark
