#include "points/points_ledger.h"

#include "app/app.h"
#include "app/day_stamp.h"

#include <array>
#include <limits>
#include <vector>

namespace penlark {

namespace {

constexpr auto kProgram = SettingsLocation::ProgramDirectory;
constexpr auto kWorking = SettingsLocation::WorkingDirectory;
constexpr int kAppend = -1;
constexpr int kLicencePage = 3;

struct Task {
    GbText name;
    GbText description;
    int points;
    GbText section;
    GbText achievedKey;
    GbText rewardedKey;
    bool daily;           // marked with today's stamp; otherwise a beginner task marked "真"
    int pendingPosition;  // where a pending row goes; kAppend for the end
};

// The list order; the row texts are built from it.
const std::vector<Task>& taskTable()
{
    static const std::vector<Task> table = {
        {"勤劳蜜蜂"_gb, "每天打开一次Penlark"_gb, 1, "软件设置"_gb, "最后一次登录"_gb, "最后一登录"_gb, true, 0},
        {"超级粉丝"_gb, "支持plk文件，使用软件打开一个plk文件"_gb, 1, "软件设置"_gb, "plk使用"_gb, "plk用"_gb, true, kAppend},
        {"声音天使"_gb, "使用录音功能记录下你最美的声音把"_gb, 1, "软件设置"_gb, "录音"_gb, "录"_gb, true, kAppend},
        {"日记达人"_gb, "每天写一篇日记"_gb, 1, "日记"_gb, "最后一次日记"_gb, "最后一日记"_gb, true, 1},
        {"日写千字"_gb, "每天新建文本并写1000字"_gb, 1, "软件设置"_gb, "1000字"_gb, "1000"_gb, true, 2},
        {"日写万字"_gb, "每天新建文本并写8000字"_gb, 1, "软件设置"_gb, "8000字"_gb, "8000"_gb, true, 3},
        {"写作狂人"_gb, "每天新建文本并写20000字"_gb, 2, "软件设置"_gb, "20000字"_gb, "20000"_gb, true, 4},
        {"写作魔鬼"_gb, "每天新建文本并写100000字"_gb, 3, "软件设置"_gb, "100000字"_gb, "100000"_gb, true, 5},
        {"新手任务"_gb, "查看一次许可协议"_gb, 1, "软件设置"_gb, "新手1"_gb, "新1"_gb, false, kAppend},
        {"新手任务"_gb, "体验一次大字体模式"_gb, 1, "软件设置"_gb, "新手2"_gb, "新2"_gb, false, kAppend},
    };
    return table;
}

GbText rowText(const Task& task, bool achieved)
{
    return task.name + " "_gb + task.description + (achieved ? "√完成"_gb : "×未完成"_gb) + " +"_gb +
           textFromInt(task.points) + "积分"_gb;
}

// A balance edited by hand to the top of the range stays there instead of wrapping negative.
std::int32_t addPoints(std::int32_t balance, int points)
{
    const std::int64_t sum = static_cast<std::int64_t>(balance) + points;
    return sum > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                          : static_cast<std::int32_t>(sum);
}

void saveBalance(App& app)
{
    app.settings.writeNumber(kWorking, "运行情况"_gb, "运行"_gb, app.state.pointsBalance);
}

} // namespace

GbText balanceLabel(std::int32_t balance) { return "当前积分： "_gb + textFromInt(balance); }

std::optional<GbText> titleForBalance(std::int32_t balance)
{
    struct Rung {
        std::int32_t atLeast;
        const GbText& title;
    };
    const std::array<Rung, 11> ladder = {{
        {100000, "称号：写作帝王 Lv.MAX"_gb},
        {10000, "称号：写作王者 Lv.10"_gb},
        {5000, "称号：写作达人 Lv.9"_gb},
        {3000, "称号：写作能手 Lv.8"_gb},
        {1500, "称号：积分帝王 Lv.7"_gb},
        {800, "称号：积分王者 Lv.6"_gb},
        {500, "称号：积分达人 Lv.5"_gb},
        {300, "称号：积分能手 Lv.4"_gb},
        {200, "称号：积分会员 Lv.3"_gb},
        {100, "称号：积分新手 Lv.2"_gb},
        {0, "称号：积分菜鸟 Lv.1"_gb},
    }};
    for (const Rung& rung : ladder) {
        if (balance >= rung.atLeast) return rung.title;
    }
    return std::nullopt;
}

void refreshTasks(App& app)
{
    MainView& view = app.view;
    const char* const list = "超级列表框1";

    view.deleteAllRows(list);
    saveBalance(app);

    for (const Task& task : taskTable()) {
        // Taken per task, as the list is built: a refresh across midnight sees the new day.
        const GbText achievedValue = task.daily ? todayStamp(app.clock) : "真"_gb;
        if (app.settings.readValue(kProgram, task.section, task.achievedKey) != achievedValue) {
            const int end = static_cast<int>(view.rows(list).size());
            view.insertRow(list, task.pendingPosition == kAppend ? end : task.pendingPosition, rowText(task, false));
            continue;
        }

        view.insertRow(list, static_cast<int>(view.rows(list).size()), rowText(task, true));
        // The rewarded marker is written with the payment, so a task pays once per stamp.
        if (app.settings.readValue(kProgram, task.section, task.rewardedKey) != achievedValue) {
            app.state.pointsBalance = addPoints(app.state.pointsBalance, task.points);
            saveBalance(app);
            app.settings.writeValue(kProgram, task.section, task.rewardedKey, achievedValue);
            view.setText("积分显示", balanceLabel(app.state.pointsBalance));
        }
    }

    if (const auto title = titleForBalance(app.state.pointsBalance)) view.setText("称号显示", *title);
}

void onSettingsPageChanged(App& app)
{
    // The licence page completes the beginner task that asks for it; no other page completes
    // anything (the large-font task is completed by the large-font box alone).
    if (app.view.selectedIndex("高级选择夹1") == kLicencePage)
        app.settings.writeValue(kProgram, "软件设置"_gb, "新手1"_gb, "真"_gb);
}

void wirePointsLedger(App& app)
{
    app.view.on("刷新任务按钮", EventKind::Clicked, [&app](Event&) { refreshTasks(app); });
    app.view.on("高级选择夹1", EventKind::PageChanged, [&app](Event&) { onSettingsPageChanged(app); });
}

} // namespace penlark
