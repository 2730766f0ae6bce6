#include "writing/diary_mode.h"

#include "app/app.h"
#include "app/day_stamp.h"
#include "look/colours.h"
#include "writing/writing_session.h"

namespace penlark {

namespace {
constexpr Color kDiaryBackground = 0x0080FF;  // orange
constexpr Color kDiaryText = 0xFFFFFF;
constexpr int kTipsInterval = 7500;
constexpr auto kProgram = SettingsLocation::ProgramDirectory;
} // namespace

GbText diaryTitle(const LocalDateTime& date)
{
    return textFromInt(date.year) + "年"_gb + textFromInt(date.month) + "月"_gb + textFromInt(date.day) +
           "日     by：Penlark日记"_gb;
}

void enterDiaryMode(App& app)
{
    MainView& view = app.view;
    if (!view.text("章节名称").empty()) {
        app.ui.messageBox("请清空章节名称直接点击写日记"_gb, mb::Ok, "Penlark"_gb);
        return;
    }
    if (!view.enabled("章节名称")) return;  // a session is in progress

    view.setText("章节名称", diaryTitle(app.clock.now()));
    view.setText("章节名称提示", "日记时间："_gb);
    view.setBackColor("MainWindow", kDiaryBackground);
    view.setBackColor("编辑框1", kDiaryBackground);
    view.setTextColor("编辑框1", kDiaryText);
    // The disabled colour picker is what marks diary mode, and it keeps the colour fixed.
    view.setEnabled("颜色", false);
    startAction(app);
    view.setAlignment("编辑框1", 0);
    view.setFocus("编辑框1");
    view.setInterval("时钟1", 0);
    view.setStatusPart("状态条1", 2, "日记模式"_gb);
    app.ui.messageBox(
        "您已经进入了专属的写日记模式，在写日记模式中，您拥有以下功能：\r\n①靓丽的背景颜色（不能更换）\r\n②标题提示等各个地方优化\r\n③关闭可能会打扰到你的小提示和推荐"_gb,
        mb::Ok, "Penlark"_gb);
}

void leaveDiaryMode(App& app)
{
    MainView& view = app.view;
    view.setEnabled("颜色", true);
    view.setSelectedColor("颜色", app.settings.readNumber(kProgram, "文本设置"_gb, "背景颜色"_gb));
    applyBackground(app);
    view.setInterval("时钟1", kTipsInterval);
    // Written however the diary ends, saved or not: the diary task counts the attempt.
    app.settings.writeValue(kProgram, "日记"_gb, "最后一次日记"_gb, todayStamp(app.clock));

    const bool white = app.settings.readValue(kProgram, "文本设置"_gb, "文本颜色"_gb) == "白色"_gb;
    const Color text = white ? 0xFFFFFF : 0x000000;
    view.setTextColor("编辑框1", text);
    view.setTextColor("章节名称提示", text);
}

void wireDiaryMode(App& app)
{
    app.view.on("写日记", EventKind::Clicked, [&app](Event&) { enterDiaryMode(app); });
}

} // namespace penlark
