#pragma once

#include <string_view>

namespace penlark {

struct App;

// Where the web buttons lead. Each address lives here and nowhere else.
namespace web {
// An online dictionary with a handwriting pad for looking a character up by drawing it.
inline constexpr std::string_view kHandwritingDictionary = "https://hanyu.baidu.com/";
// An encyclopedia's page on world history; the path is 世界历史 percent-encoded as UTF-8.
inline constexpr std::string_view kWorldHistory = "https://baike.baidu.com/item/%E4%B8%96%E7%95%8C%E5%8E%86%E5%8F%B2";
// The home page of an online music radio.
inline constexpr std::string_view kMusicRadio = "https://fm.douban.com/";
// The developer's blog, and its article on the titles of the points ledger.
inline constexpr std::string_view kBlog = "https://penlark.github.io/";
inline constexpr std::string_view kTitlesArticle = "https://penlark.github.io/titles.html";
// The developer's QQ number; the chat opens through the QQ client's own address scheme.
inline constexpr std::string_view kDeveloperQqNumber = "2015091505";
inline constexpr std::string_view kQqChatScheme = "tencent://message/?uin=";
} // namespace web

// The tray icon's event: a left click restores the window and brings it to the front;
// the other kinds do nothing.
void onTrayEvent(App& app, int trayEvent);
// "固定教程": how to pin the program to the taskbar.
void showPinTutorial(App& app);

void wireTrayAndWeb(App& app);

} // namespace penlark
