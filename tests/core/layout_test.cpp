#include "test_app.h"
#include "view/layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace penlark::test {
namespace {

// The program after start-up, with the first layout the window system's first size report
// brings.
class Layout : public ::testing::Test {
protected:
    TestApp t;
    MainView& view = t.view();

    void SetUp() override
    {
        t.start();
        view.raise("MainWindow", EventKind::SizeChanged);
    }
    int savedHeight() const
    {
        return t.settings.readNumber(SettingsLocation::ProgramDirectory, "软件设置"_gb, "高度"_gb);
    }
    int savedWidth() const
    {
        return t.settings.readNumber(SettingsLocation::ProgramDirectory, "软件设置"_gb, "宽度"_gb);
    }
};

TEST_F(Layout, initialSizeGivesTheDocumentedPositions)
{
    EXPECT_EQ(view.width("MainWindow"), 1119);
    EXPECT_EQ(view.height("MainWindow"), 838);
    EXPECT_EQ(view.left("编辑框1"), 0);
    EXPECT_EQ(view.top("编辑框1"), 40);
    EXPECT_EQ(view.width("编辑框1"), 1101);
    EXPECT_EQ(view.height("编辑框1"), 738);
    EXPECT_EQ(view.left("wav播放器"), 672);
    EXPECT_EQ(view.top("wav播放器") + view.height("wav播放器"), view.top("状态条1"));
    EXPECT_EQ(view.statusPart("状态条1", 2).width, 759);
    EXPECT_EQ(view.left("关于"), 263);
    EXPECT_EQ(view.top("关于"), 235);
    EXPECT_EQ(savedHeight(), 838);
    EXPECT_EQ(savedWidth(), 1119);
}

TEST_F(Layout, widerByAHundredMovesAndStretchesByAHundredAndCentresByFifty)
{
    view.userResize(1219, 838);
    EXPECT_EQ(view.width("编辑框1"), 1201);
    EXPECT_EQ(view.statusPart("状态条1", 2).width, 859);
    EXPECT_EQ(view.left("wav播放器"), 772);
    EXPECT_EQ(view.left("关于"), 313);
    EXPECT_EQ(view.top("关于"), 235);
    EXPECT_EQ(view.height("编辑框1"), 738);
}

TEST_F(Layout, centringTruncatesTowardZero)
{
    struct Case {
        int width, height, left, top;
    };
    for (const Case c : {Case{1120, 839, 264, 235}, Case{1121, 840, 264, 236}, Case{501, 301, -45, -33},
                         Case{500, 300, -46, -34}, Case{0, 0, -296, -184}}) {
        view.userResize(c.width, c.height);
        EXPECT_EQ(view.left("关于"), c.left) << c.width;
        EXPECT_EQ(view.top("关于"), c.top) << c.height;
    }
}

TEST_F(Layout, editorHeightFollowsTheSavedStatusBarSetting)
{
    t.writeSetting("软件设置", "状态栏", "隐藏");
    view.userResize(1119, 900);
    EXPECT_EQ(view.height("编辑框1"), 820);
    t.writeSetting("软件设置", "状态栏", "显示");
    view.userResize(1119, 838);
    EXPECT_EQ(view.height("编辑框1"), 738);
    // The bar's visibility itself does not count.
    view.setVisible("状态条1", false);
    view.userResize(1119, 839);
    EXPECT_EQ(view.height("编辑框1"), 739);
}

TEST_F(Layout, everyResizeRewritesTheSavedSize)
{
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1500, 1000}, std::pair{640, 480}}) {
        view.userResize(width, height);
        EXPECT_EQ(savedWidth(), width);
        EXPECT_EQ(savedHeight(), height);
    }
    // The next start opens at the last size.
    t.stop();
    TestApp next;
    writeBytes(next.programDir / "setting.ini", readBytes(t.programDir / "setting.ini"));
    next.start();
    EXPECT_EQ(next.view().width("MainWindow"), 640);
    EXPECT_EQ(next.view().height("MainWindow"), 480);
}

TEST_F(Layout, tinyWindowStretchesTheTipsPanelNoFurtherThanMinusOne)
{
    view.userResize(100, 50);
    EXPECT_EQ(view.statusPart("状态条1", 2).width, -1);
    EXPECT_EQ(view.width("编辑框1"), 82);
    EXPECT_EQ(view.height("编辑框1"), -50);
    EXPECT_EQ(view.left("wav播放器"), -347);
}

TEST_F(Layout, absurdSizesAreLaidOutWithoutOverflow)
{
    for (const auto& [width, height] : {std::pair{INT_MAX, INT_MAX}, std::pair{INT_MIN, INT_MIN},
                                        std::pair{1000000000, -1000000000}, std::pair{-5, 0}}) {
        view.userResize(width, height);
        EXPECT_EQ(savedWidth(), width);
        EXPECT_EQ(savedHeight(), height);
        EXPECT_EQ(view.statusPart("状态条1", 2).width >= -1, true);
    }
    view.userResize(INT_MIN, INT_MIN);
    EXPECT_EQ(view.width("编辑框1"), INT_MIN);  // saturated, not wrapped around
    EXPECT_EQ(view.height("编辑框1"), INT_MIN);
    view.userResize(1000000000, 1000000000);
    EXPECT_EQ(view.width("编辑框1"), 1000000000 - 18);
    EXPECT_EQ(view.left("关于"), 500000000 - 296);
}

} // namespace
} // namespace penlark::test
