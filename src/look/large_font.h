#pragma once

namespace penlark {

struct App;

// Click of the large-font box: the editor's font follows the box; switching it on completes
// the beginner task "体验一次大字体模式".
void onLargeFontClicked(App& app);
// Click of "隐藏状态栏": shows or hides the status bar, saves that at once and lays the window out.
void onStatusBarSwitchClicked(App& app);

void wireLargeFont(App& app);

} // namespace penlark
