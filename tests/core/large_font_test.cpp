#include "look/large_font.h"

#include "test_app.h"

#include <gtest/gtest.h>

namespace penlark::test {
namespace {

TEST(LargeFont, box_switchesTheEditorFontAndMarksTheBeginnerTaskWhenOn)
{
    TestApp t;
    t.view().userClick("大字体");
    EXPECT_EQ(t.view().fontSize("编辑框1"), 25);
    EXPECT_EQ(t.setting("软件设置", "新手2"), "真"_gb);
    t.view().userClick("大字体");
    EXPECT_EQ(t.view().fontSize("编辑框1"), 16);
    EXPECT_EQ(t.ui.messageTexts(), (std::vector<GbText>{"已经切换到大字体模式。"_gb, "关闭成功"_gb}));
    // The mode itself is saved only by the settings' OK button.
    EXPECT_EQ(t.setting("文本设置", "大字体模式"), GbText());
}

TEST(LargeFont, boxAlreadyCheckedByTheKey_clickSwitchesOffWithoutMarking)
{
    TestApp t;
    t.view().setChecked("大字体", true);
    t.view().setFontSize("编辑框1", 25);
    t.view().userClick("大字体");
    EXPECT_EQ(t.view().fontSize("编辑框1"), 16);
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"关闭成功"_gb});
    EXPECT_EQ(t.setting("软件设置", "新手2"), GbText());
}

TEST(StatusBarSwitch, hidingAndShowing_savesAtOnceAndTheEditorFollows)
{
    TestApp t;
    t.start();
    const int height = t.view().height("MainWindow");

    t.view().userClick("状态栏选择");
    EXPECT_FALSE(t.view().visible("状态条1"));
    EXPECT_EQ(t.setting("软件设置", "状态栏"), "隐藏"_gb);
    EXPECT_EQ(t.view().height("编辑框1"), height - 80);

    t.view().userClick("状态栏选择");
    EXPECT_TRUE(t.view().visible("状态条1"));
    EXPECT_EQ(t.setting("软件设置", "状态栏"), "显示"_gb);
    EXPECT_EQ(t.view().height("编辑框1"), height - 100);
}

} // namespace
} // namespace penlark::test
