#include "points/points_ledger.h"

#include "test_app.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>
#include <vector>

namespace penlark::test {
namespace {

struct TaskMarker {
    const char* section;
    const char* achievedKey;
    const char* rewardedKey;
    bool daily;
    const char* row;  // the row text without its state and reward
    const char* reward;
};

// The ten tasks in table order, as the list must show them.
const std::vector<TaskMarker>& tasks()
{
    static const std::vector<TaskMarker> table = {
        {"软件设置", "最后一次登录", "最后一登录", true, "勤劳蜜蜂 每天打开一次Penlark", " +1积分"},
        {"软件设置", "plk使用", "plk用", true, "超级粉丝 支持plk文件，使用软件打开一个plk文件", " +1积分"},
        {"软件设置", "录音", "录", true, "声音天使 使用录音功能记录下你最美的声音把", " +1积分"},
        {"日记", "最后一次日记", "最后一日记", true, "日记达人 每天写一篇日记", " +1积分"},
        {"软件设置", "1000字", "1000", true, "日写千字 每天新建文本并写1000字", " +1积分"},
        {"软件设置", "8000字", "8000", true, "日写万字 每天新建文本并写8000字", " +1积分"},
        {"软件设置", "20000字", "20000", true, "写作狂人 每天新建文本并写20000字", " +2积分"},
        {"软件设置", "100000字", "100000", true, "写作魔鬼 每天新建文本并写100000字", " +3积分"},
        {"软件设置", "新手1", "新1", false, "新手任务 查看一次许可协议", " +1积分"},
        {"软件设置", "新手2", "新2", false, "新手任务 体验一次大字体模式", " +1积分"},
    };
    return table;
}

const char* const kToday = "201591";  // the test clock's 1 September 2015

void achieve(TestApp& t, int task, const char* stamp = kToday)
{
    const TaskMarker& marker = tasks()[static_cast<std::size_t>(task - 1)];
    t.writeSetting(marker.section, marker.achievedKey, marker.daily ? stamp : "真");
}

GbText row(int task, bool achieved)
{
    const TaskMarker& marker = tasks()[static_cast<std::size_t>(task - 1)];
    return GbText::fromUtf8(std::string(marker.row) + (achieved ? "√完成" : "×未完成") + marker.reward);
}

GbText balanceOnDisk(const TestApp& t)
{
    return t.settings.readValue(SettingsLocation::WorkingDirectory, "运行情况"_gb, "运行"_gb);
}

struct OrderCase {
    const char* name;
    std::set<int> achieved;
    std::vector<int> order;
};

class TaskListOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(TaskListOrder, pendingRowsOfTheDailyTasksKeepTheirPlaces)
{
    TestApp t;
    for (int task : GetParam().achieved) achieve(t, task);
    refreshTasks(*t.app);

    std::vector<GbText> expected;
    for (int task : GetParam().order) expected.push_back(row(task, GetParam().achieved.contains(task)));
    EXPECT_EQ(t.view().rows("超级列表框1"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    PointsLedger, TaskListOrder,
    ::testing::Values(OrderCase{"allPending", {}, {1, 4, 5, 6, 7, 8, 2, 3, 9, 10}},
                      OrderCase{"allAchieved", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
                      OrderCase{"onlyDiaryAchieved", {4}, {1, 2, 5, 6, 7, 8, 3, 4, 9, 10}},
                      OrderCase{"startedAndBeginnerDone", {1, 9}, {1, 4, 5, 6, 7, 8, 2, 3, 9, 10}},
                      OrderCase{"volumesDoneStartPending", {5, 6, 7, 8}, {1, 4, 2, 3, 5, 6, 7, 8, 9, 10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointsLedger, refresh_rowTextNamesStateAndReward)
{
    TestApp t;
    achieve(t, 1);
    refreshTasks(*t.app);
    EXPECT_EQ(t.view().rows("超级列表框1").front(), "勤劳蜜蜂 每天打开一次Penlark√完成 +1积分"_gb);
    EXPECT_EQ(t.view().rows("超级列表框1").back(), "新手任务 体验一次大字体模式×未完成 +1积分"_gb);
}

TEST(PointsLedger, refreshTwiceOnOneDay_paysEachAchievedTaskOnce)
{
    TestApp t;
    for (int task = 1; task <= 10; ++task) achieve(t, task);

    t.view().userClick("刷新任务按钮");
    EXPECT_EQ(t.state().pointsBalance, 13);
    EXPECT_EQ(t.view().text("积分显示"), "当前积分： 13"_gb);
    EXPECT_EQ(balanceOnDisk(t), "13"_gb);
    EXPECT_EQ(t.setting("日记", "最后一日记"), "201591"_gb);
    EXPECT_EQ(t.setting("软件设置", "100000"), "201591"_gb);
    EXPECT_EQ(t.setting("软件设置", "新2"), "真"_gb);

    t.view().userClick("刷新任务按钮");
    EXPECT_EQ(t.state().pointsBalance, 13);
    EXPECT_EQ(balanceOnDisk(t), "13"_gb);
    EXPECT_EQ(t.view().rows("超级列表框1")[7], row(8, true));
}

TEST(PointsLedger, nothingAchieved_paysNothingButSavesTheBalance)
{
    TestApp t;
    t.state().pointsBalance = 42;
    t.view().setText("积分显示", "当前积分： 42"_gb);
    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, 42);
    EXPECT_EQ(balanceOnDisk(t), "42"_gb);
    EXPECT_EQ(t.setting("软件设置", "最后一登录"), GbText());
}

TEST(PointsLedger, dailyTasks_followTheDayStampOfTheClock)
{
    TestApp t;
    achieve(t, 1, "2015831");  // yesterday
    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, 0);
    EXPECT_EQ(t.view().rows("超级列表框1").front(), row(1, false));

    // Paid yesterday, achieved again today: pays again.
    achieve(t, 1);
    t.writeSetting("软件设置", "最后一登录", "2015831");
    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, 1);
    EXPECT_EQ(t.setting("软件设置", "最后一登录"), "201591"_gb);

    // A new day returns the task to pending.
    t.clock.time = {2015, 9, 2, 0, 0, 0};
    refreshTasks(*t.app);
    EXPECT_EQ(t.view().rows("超级列表框1").front(), row(1, false));
    EXPECT_EQ(t.state().pointsBalance, 1);
}

TEST(PointsLedger, dayStampsThatCoincide_readAsToday)
{
    // 11 January and 1 November share "2015111"; the ledger compares the bytes only.
    TestApp t;
    t.clock.time = {2015, 11, 1, 9, 0, 0};
    achieve(t, 4, "2015111");
    t.writeSetting("日记", "最后一日记", "2015111");
    refreshTasks(*t.app);
    EXPECT_EQ(t.view().rows("超级列表框1")[7], row(4, true));
    EXPECT_EQ(t.state().pointsBalance, 0);
}

TEST(PointsLedger, beginnerTasks_payOnceEver)
{
    TestApp t;
    achieve(t, 9);
    achieve(t, 10);
    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, 2);

    t.clock.time = {2016, 1, 1, 0, 0, 0};
    achieve(t, 9);
    achieve(t, 10);
    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, 2);
    EXPECT_EQ(t.view().rows("超级列表框1")[8], row(9, true));
}

TEST(PointsLedger, otherWorkingDirectory_keepsTheBalanceThereAndTheMarkersBesideTheProgram)
{
    TestApp t;
    TempDir elsewhere;
    WorkingDirectory cwd(elsewhere.path());
    achieve(t, 1);
    refreshTasks(*t.app);

    EXPECT_EQ(balanceOnDisk(t), "1"_gb);
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "setting.ini"));
    EXPECT_EQ(t.setting("软件设置", "最后一登录"), "201591"_gb);
    EXPECT_EQ(t.setting("运行情况", "运行"), GbText());
}

TEST(PointsLedger, balanceAtTheTopOfTheRange_doesNotWrapNegative)
{
    TestApp t;
    t.state().pointsBalance = std::numeric_limits<std::int32_t>::max();
    achieve(t, 1);
    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(t.view().text("称号显示"), "称号：写作帝王 Lv.MAX"_gb);
}

struct TitleCase {
    std::int32_t balance;
    const char* title;  // nullptr: the label keeps its text
};

class TitleLadder : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleLadder, refresh_setsTheTitleOfTheHighestRungReached)
{
    TestApp t;
    t.view().setText("称号显示", "称号"_gb);
    t.state().pointsBalance = GetParam().balance;
    refreshTasks(*t.app);
    EXPECT_EQ(t.view().text("称号显示"), GetParam().title ? GbText::fromUtf8(GetParam().title) : "称号"_gb);
}

INSTANTIATE_TEST_SUITE_P(PointsLedger, TitleLadder,
                         ::testing::Values(TitleCase{-1, nullptr}, TitleCase{0, "称号：积分菜鸟 Lv.1"},
                                           TitleCase{99, "称号：积分菜鸟 Lv.1"}, TitleCase{100, "称号：积分新手 Lv.2"},
                                           TitleCase{299, "称号：积分会员 Lv.3"}, TitleCase{300, "称号：积分能手 Lv.4"},
                                           TitleCase{500, "称号：积分达人 Lv.5"}, TitleCase{800, "称号：积分王者 Lv.6"},
                                           TitleCase{1500, "称号：积分帝王 Lv.7"}, TitleCase{3000, "称号：写作能手 Lv.8"},
                                           TitleCase{5000, "称号：写作达人 Lv.9"}, TitleCase{99999, "称号：写作王者 Lv.10"},
                                           TitleCase{100000, "称号：写作帝王 Lv.MAX"}));

TEST(PointsLedger, licencePage_completesTheFirstBeginnerTask_taskPageCompletesNothing)
{
    TestApp t;
    t.view().userSelectIndex("高级选择夹1", 4);
    EXPECT_EQ(t.setting("软件设置", "新手1"), GbText());
    EXPECT_EQ(t.setting("软件设置", "新手2"), GbText());

    t.view().userSelectIndex("高级选择夹1", 3);
    EXPECT_EQ(t.setting("软件设置", "新手1"), "真"_gb);
    EXPECT_EQ(t.setting("软件设置", "新手2"), GbText());

    refreshTasks(*t.app);
    EXPECT_EQ(t.state().pointsBalance, 1);
}

} // namespace
} // namespace penlark::test
