#include "view/main_view.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace penlark {
namespace {

constexpr EventKind kAllEvents[] = {
    EventKind::Created,     EventKind::Destroying,   EventKind::SizeChanged, EventKind::TrayEvent,
    EventKind::Clicked,     EventKind::TextChanged,  EventKind::KeyPressed,  EventKind::LeftButtonDown,
    EventKind::ItemSelected, EventKind::PageChanged, EventKind::ColorChanged, EventKind::Timer,
    EventKind::FileDropped, EventKind::FocusLost,    EventKind::CloseRequested};

// A main window with a counting handler on every event of every control.
class ViewEvents : public ::testing::Test {
protected:
    MainView view;
    std::vector<std::pair<std::string, EventKind>> raised;

    void SetUp() override
    {
        for (const Control& control : view.controls()) {
            for (EventKind kind : kAllEvents) {
                view.on(control.name, kind, [this](Event& event) { raised.emplace_back(event.control, event.kind); });
            }
        }
    }
};

TEST_F(ViewEvents, editBoxTextWriteRaisesTextChangedOnceWithTheTextInPlace)
{
    GbText seen;
    int runs = 0;
    view.on("编辑框1", EventKind::TextChanged, [&](Event&) {
        ++runs;
        seen = view.text("编辑框1");
    });
    view.setText("编辑框1", "第一章\r\n"_gb);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, "第一章\r\n"_gb);

    // The same text again is still a write, and raises the event again.
    view.setText("编辑框1", "第一章\r\n"_gb);
    EXPECT_EQ(runs, 2);

    // Every edit box raises it, visible or not, enabled or not.
    for (const char* box : {"章节名称", "高级字数统计", "编辑框2", "编辑框4", "中国地理历史"}) {
        raised.clear();
        view.setText(box, "x"_gb);
        ASSERT_EQ(raised.size(), 1u) << box;
        EXPECT_EQ(raised[0], std::make_pair(std::string(box), EventKind::TextChanged));
    }
}

TEST_F(ViewEvents, editBoxTextWriteMovesTheCaretToTheStart)
{
    view.setText("编辑框1", "abcdef"_gb);
    view.setSelection("编辑框1", 2, 3);
    view.setText("编辑框1", "xy"_gb);
    EXPECT_EQ(view.selStart("编辑框1"), 0);
    EXPECT_EQ(view.selLength("编辑框1"), 0);
}

TEST_F(ViewEvents, noOtherProgramWriteRaisesAnEvent)
{
    view.setText("积分显示", "当前积分： 5"_gb);
    view.setText("MainWindow", "标题"_gb);
    view.setText("自动保存", "x"_gb);
    view.setCaption("开始书写按钮", "立刻保存"_gb);
    view.setChecked("自动保存", true);
    view.setChecked("状态栏选择", true);
    view.setSelectedIndex("按钮类型", 3);
    view.setSelectedIndex("高级选择夹1", 4);
    view.setSelectedColor("颜色", 0x123456);
    view.setEnabled("打开按钮", false);
    view.setVisible("关于", true);
    view.setLeft("关于", 5);
    view.setTop("wav播放器", 5);
    view.setWidth("编辑框1", 5);
    view.setHeight("编辑框1", 5);
    view.setBackColor("编辑框1", 1);
    view.setTextColor("编辑框1", 1);
    view.setFontSize("编辑框1", 20);
    view.setAlignment("编辑框1", 0);
    view.setSelection("编辑框1", 1, 2);
    view.setPicture("设置按钮", Picture::Wrench);
    view.setButtonColors("打开按钮", ButtonColors{});
    view.setInterval("时钟1", 0);
    view.setWindowState(WindowState::Maximised);
    view.setTopMost(true);
    view.setStatusPart("状态条1", 0, "当前字数：5"_gb);
    view.setStatusPartWidth("状态条1", 2, 100);
    view.insertRow("超级列表框1", 0, "任务"_gb);
    view.deleteAllRows("超级列表框1");
    view.setFocus("编辑框1");
    view.selectAll("编辑框1");
    EXPECT_TRUE(raised.empty()) << raised.front().first;
}

TEST_F(ViewEvents, windowSizeWriteRaisesSizeChangedOnlyWhenTheSizeChanges)
{
    view.setWidth("MainWindow", 1119);
    view.setHeight("MainWindow", 838);
    EXPECT_TRUE(raised.empty());
    view.setHeight("MainWindow", 600);
    view.setWidth("MainWindow", 800);
    ASSERT_EQ(raised.size(), 2u);
    EXPECT_EQ(raised[0], std::make_pair(std::string("MainWindow"), EventKind::SizeChanged));
    EXPECT_EQ(view.width("MainWindow"), 800);
    EXPECT_EQ(view.height("MainWindow"), 600);
}

TEST_F(ViewEvents, userActionsUpdateTheModelThenRaiseOnce)
{
    view.userClick("自动保存");
    EXPECT_TRUE(view.checked("自动保存"));
    view.userSelectIndex("按钮类型", 2);
    view.userSelectIndex("高级选择夹1", 4);
    view.userPickColor("颜色", 0xFF);
    view.userEditText("章节名称", "标题"_gb);
    EXPECT_EQ(view.text("章节名称"), "标题"_gb);
    EXPECT_EQ(view.selectedColor("颜色"), 0xFF);
    const std::vector<std::pair<std::string, EventKind>> expected = {
        {"自动保存", EventKind::Clicked},      {"按钮类型", EventKind::ItemSelected},
        {"高级选择夹1", EventKind::PageChanged}, {"颜色", EventKind::ColorChanged},
        {"章节名称", EventKind::TextChanged}};
    EXPECT_EQ(raised, expected);
}

TEST_F(ViewEvents, timerTicksOnlyWhileItsIntervalIsPositive)
{
    view.timerFired("时钟1");
    view.setInterval("时钟1", 0);
    view.timerFired("时钟1");
    view.setInterval("时钟1", -5);
    view.timerFired("时钟1");
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0], std::make_pair(std::string("时钟1"), EventKind::Timer));
}

// --- Property rules ----------------------------------------------------------------------------

struct IndexCase {
    const char* control;
    int written;
    int selected;
    friend void PrintTo(const IndexCase& c, std::ostream* out) { *out << c.control << ' ' << c.written; }
};

class SelectedIndex : public ::testing::TestWithParam<IndexCase> {};

TEST_P(SelectedIndex, isClampedToTheItems)
{
    MainView view;
    view.setSelectedIndex(GetParam().control, GetParam().written);
    EXPECT_EQ(view.selectedIndex(GetParam().control), GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(View, SelectedIndex,
                         ::testing::Values(IndexCase{"提示类型", 7, 2}, IndexCase{"提示类型", -5, -1},
                                           IndexCase{"提示类型", -1, -1}, IndexCase{"提示类型", 1, 1},
                                           IndexCase{"提示类型", 2, 2}, IndexCase{"提示类型", 3, 2},
                                           IndexCase{"按钮类型", 2147483647, 4},
                                           IndexCase{"按钮类型", -2147483647 - 1, -1},
                                           IndexCase{"组合框1", 36, 36}, IndexCase{"组合框1", 37, 36},
                                           IndexCase{"高级选择夹1", 9, 6}, IndexCase{"高级选择夹1", -2, -1}));

TEST(View, itemTextOutsideTheItemsIsEmpty)
{
    MainView view;
    EXPECT_EQ(view.itemText("组合框1", 0), "山"_gb);
    EXPECT_EQ(view.itemText("组合框1", 36), "商场"_gb);
    EXPECT_EQ(view.itemText("组合框1", 37), GbText());
    EXPECT_EQ(view.itemText("组合框1", -1), GbText());
    view.setSelectedIndex("组合框1", -1);
    EXPECT_EQ(view.currentItemText("组合框1"), GbText());
    view.setSelectedIndex("组合框1", 18);
    EXPECT_EQ(view.currentItemText("组合框1"), "小学"_gb);
}

TEST(View, statusPartWidthBelowMinusOneIsMinusOne)
{
    MainView view;
    for (const auto& [written, stored] : std::vector<std::pair<int, int>>{
             {-5, -1}, {-1, -1}, {-2147483647 - 1, -1}, {0, 0}, {759, 759}}) {
        view.setStatusPartWidth("状态条1", 2, written);
        EXPECT_EQ(view.statusPart("状态条1", 2).width, stored) << written;
    }
    // Panels outside the bar are ignored.
    view.setStatusPartWidth("状态条1", 4, 10);
    view.setStatusPart("状态条1", -1, "x"_gb);
    view.setStatusPart("状态条1", 1, "你已经连续书写1分钟"_gb);
    EXPECT_EQ(view.statusPart("状态条1", 1).text, "你已经连续书写1分钟"_gb);
    EXPECT_EQ(view.statusPart("状态条1", 0).text, "当前字数"_gb);
}

TEST(View, listRowsInsertAtAPositionAndPastTheEndAppend)
{
    MainView view;
    view.insertRow("超级列表框1", 0, "b"_gb);
    view.insertRow("超级列表框1", 0, "a"_gb);
    view.insertRow("超级列表框1", 99, "d"_gb);
    view.insertRow("超级列表框1", 2, "c"_gb);
    EXPECT_EQ(view.rows("超级列表框1"), (std::vector<GbText>{"a"_gb, "b"_gb, "c"_gb, "d"_gb}));
    view.deleteAllRows("超级列表框1");
    EXPECT_TRUE(view.rows("超级列表框1").empty());
}

TEST(View, selectionIsKeptInsideTheText)
{
    MainView view;
    view.setText("编辑框1", "写作abc"_gb);
    view.setSelection("编辑框1", 3, 99);
    EXPECT_EQ(view.selStart("编辑框1"), 3);
    EXPECT_EQ(view.selLength("编辑框1"), 4);
    view.setSelection("编辑框1", -4, -1);
    EXPECT_EQ(view.selStart("编辑框1"), 0);
    EXPECT_EQ(view.selLength("编辑框1"), 0);
    view.selectAll("编辑框1");
    EXPECT_EQ(view.selLength("编辑框1"), 7);
    view.setFocus("编辑框1");
    EXPECT_EQ(view.focused(), "编辑框1");
}

TEST(View, statusBarIsDockedAtTheBottomOfTheClientArea)
{
    MainView view;
    view.setFrameExtents(16, 39);
    view.userResize(1000, 700);
    EXPECT_EQ(view.left("状态条1"), 0);
    EXPECT_EQ(view.width("状态条1"), 1000 - 16);
    EXPECT_EQ(view.height("状态条1"), 24);
    EXPECT_EQ(view.top("状态条1"), 700 - 39 - 24);
}

// What the binding sees of program writes.
class RecordingObserver : public ViewObserver {
public:
    std::vector<std::pair<std::string, Property>> changes;
    void propertyChanged(const Control& control, Property property) override
    {
        changes.emplace_back(control.name, property);
    }
};

TEST(View, programWritesReachTheBindingBeforeTheHandlerRuns)
{
    MainView view;
    RecordingObserver observer;
    view.setObserver(&observer);
    std::size_t changesWhenHandled = 0;
    view.on("编辑框1", EventKind::TextChanged, [&](Event&) { changesWhenHandled = observer.changes.size(); });
    view.setText("编辑框1", "x"_gb);
    ASSERT_FALSE(observer.changes.empty());
    EXPECT_EQ(observer.changes.front(), std::make_pair(std::string("编辑框1"), Property::Text));
    EXPECT_EQ(changesWhenHandled, observer.changes.size());

    observer.changes.clear();
    view.setSelectedIndex("提示类型", 9);
    view.setChecked("自动保存", true);
    view.setStatusPartWidth("状态条1", 2, -9);
    const std::vector<std::pair<std::string, Property>> expected = {{"提示类型", Property::SelectedIndex},
                                                                    {"自动保存", Property::Checked},
                                                                    {"状态条1", Property::StatusPanels}};
    EXPECT_EQ(observer.changes, expected);
}

} // namespace
} // namespace penlark
