#include "writing/session_commands.h"

#include "aids/find_window.h"
#include "aids/replace_window.h"
#include "app/app.h"
#include "view/settings_panel.h"
#include "writing/diary_mode.h"
#include "writing/writing_session.h"

namespace penlark {

namespace {

constexpr const char* kEditor = "编辑框1";

const GbText& programTitle() { return "Penlark"_gb; }

bool sessionInProgress(const App& app) { return app.view.enabled(kEditor); }

GbText twoDigits(std::int32_t value)
{
    const GbText padded = "0"_gb + textFromInt(value);
    return padded.substr(padded.size() - 2);
}

// F2 switches the editor's size only; the box's own click handler (and its message and
// setting) is left out, so the setting follows at the next confirm.
void toggleLargeFont(App& app)
{
    MainView& view = app.view;
    const bool large = !view.checked("大字体");
    view.setChecked("大字体", large);
    view.setFontSize(kEditor, large ? 25 : 16);
}

} // namespace

GbText dateTimeStamp(const LocalDateTime& time)
{
    return textFromInt(time.year) + "年"_gb + textFromInt(time.month) + "月"_gb + textFromInt(time.day) + "日 "_gb +
           textFromInt(time.hour) + "："_gb + textFromInt(time.minute) + "："_gb + textFromInt(time.second);
}

GbText writingClockText(std::int32_t hours, std::int32_t minutes, std::int32_t seconds)
{
    return "你已经连续书写："_gb + twoDigits(hours) + ":"_gb + twoDigits(minutes) + ":"_gb + twoDigits(seconds);
}

void insertDateTime(App& app)
{
    MainView& view = app.view;
    if (!sessionInProgress(app)) {
        app.ui.messageBox("这是一键添加当前时间按钮。请开始书写之后使用本按钮"_gb, mb::Ok, programTitle());
        return;
    }
    const GbText& text = view.text(kEditor);
    const auto caret = static_cast<std::size_t>(view.selStart(kEditor));
    // In front of a selection, which stays in the text.
    view.setText(kEditor, text.substr(0, caret) + dateTimeStamp(app.clock.now()) + text.substr(caret));
    view.setFocus(kEditor);
}

void abandonSession(App& app)
{
    MainView& view = app.view;
    if (!sessionInProgress(app)) {
        app.ui.messageBox("还没有开始书写"_gb, mb::Ok, programTitle());
        return;
    }
    if (app.ui.messageBox("警告！该操作将会删除所有内容！清空当前软件编辑，但是不影响原文件"_gb, mb::OkCancel,
                          programTitle()) != answer::Ok) {
        return;
    }
    if (app.ui.messageBox("警告！您真的接受初始化软件的一切后果么？"_gb, mb::OkCancel, programTitle()) != answer::Ok) {
        return;
    }
    // The editor's text is dropped; no document is written.
    endSessionView(app, clearedNotice(), GbText());
    if (!view.enabled("颜色")) {
        view.setText("章节名称提示", "标题/题目："_gb);
        leaveDiaryMode(app);
        confirmSettings(app);
    }
}

void onEditorKey(App& app, Event& event)
{
    const bool ctrlAlone = event.modifiers == keys::Ctrl;
    switch (event.key) {
    case keys::A:
        if (!ctrlAlone) return;
        app.view.setFocus(kEditor);
        app.view.selectAll(kEditor);
        break;
    case keys::F:
        if (!ctrlAlone) return;
        openFindWindow(app);
        break;
    case keys::H:
        if (!ctrlAlone) return;
        openReplaceWindow(app);
        break;
    case keys::F1:
    case keys::F5: insertDateTime(app); break;
    case keys::F2: toggleLargeFont(app); break;
    case keys::F12: abandonSession(app); break;
    default: return;
    }
    event.handled = true;
}

void onTitleKey(App& app, Event& event)
{
    if (event.key != keys::Enter) return;
    event.handled = true;
    startAction(app);
    app.view.setFocus(kEditor);
}

void tickWritingClock(App& app)
{
    if (app.view.enabled("打开按钮")) return;
    AppState& state = app.state;
    if (++state.writingSeconds == 60) {
        state.writingSeconds = 0;
        ++state.writingMinutes;
    }
    if (state.writingMinutes == 60) {
        state.writingMinutes = 0;
        ++state.writingHours;
    }
    app.view.setStatusPart("状态条1", 1,
                           writingClockText(state.writingHours, state.writingMinutes, state.writingSeconds));
}

void onAutoBackupClicked(App& app)
{
    app.ui.messageBox(app.view.checked("自动保存") ? "使用自动备份保存后文本会逐字自动保存到软件所在目录。"_gb
                                                    : "关闭成功"_gb,
                      mb::Ok, programTitle());
}

void wireSessionCommands(App& app)
{
    MainView& view = app.view;
    auto run = [&app](void (*handler)(App&)) { return [&app, handler](Event&) { handler(app); }; };
    view.on("添加时间", EventKind::Clicked, run(insertDateTime));
    view.on("放弃编辑", EventKind::Clicked, run(abandonSession));
    view.on(kEditor, EventKind::KeyPressed, [&app](Event& event) { onEditorKey(app, event); });
    view.on("章节名称", EventKind::KeyPressed, [&app](Event& event) { onTitleKey(app, event); });
    view.on("时钟2", EventKind::Timer, run(tickWritingClock));
    view.on("自动保存", EventKind::Clicked, run(onAutoBackupClicked));
}

} // namespace penlark
