#include "view/settings_panel.h"

#include "test_app.h"

#include <gtest/gtest.h>

#include <string>

namespace penlark::test {
namespace {

TEST(SettingsPanel, picture_opensOnTheFirstPageWithFreshTasksAndClosesAgain)
{
    TestApp t;
    t.start();
    t.view().setSelectedIndex("高级选择夹1", 4);

    t.view().userLeftButtonDown("设置按钮");
    EXPECT_TRUE(t.view().visible("关于"));
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 0);
    EXPECT_EQ(t.view().picture("设置按钮"), Picture::Wrench);
    EXPECT_EQ(t.view().rows("超级列表框1").size(), 10u);
    EXPECT_EQ(t.state().pointsBalance, 1);  // today's start-up
    EXPECT_EQ(t.view().text("称号显示"), "称号：积分菜鸟 Lv.1"_gb);

    t.view().userLeftButtonDown("设置按钮");
    EXPECT_FALSE(t.view().visible("关于"));
    EXPECT_EQ(t.view().picture("设置按钮"), Picture::Tools);
    // Closing this way saves nothing.
    EXPECT_EQ(t.view().rows("超级列表框1").size(), 10u);
}

TEST(SettingsPanel, picture_renewsTheNamesFrom15PointsOnEveryPress)
{
    TestApp t;
    t.state().pointsBalance = 14;
    t.view().userLeftButtonDown("设置按钮");
    EXPECT_EQ(t.view().text("编辑框4"), "15积分开启本功能"_gb);
    EXPECT_EQ(t.view().text("编辑框5"), "15积分开启本功能"_gb);

    t.state().pointsBalance = 15;
    t.view().userLeftButtonDown("设置按钮");  // closing renews too
    const GbText person = t.view().text("编辑框4");
    const GbText place = t.view().text("编辑框5");
    EXPECT_NE(person, "15积分开启本功能"_gb);
    EXPECT_TRUE(place.endsWith(t.view().currentItemText("组合框1")));
    EXPECT_NE(place, "15积分开启本功能"_gb);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(SettingsPanel, statusBarClick_opensTheDetailedCountOnly)
{
    TestApp t;
    t.view().userLeftButtonDown("状态条1");
    EXPECT_TRUE(t.view().visible("关于"));
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 1);
    EXPECT_TRUE(t.view().rows("超级列表框1").empty());
    EXPECT_EQ(t.view().picture("设置按钮"), Picture::Tools);

    // Open already: it stays open, and the picture then closes it.
    t.view().userLeftButtonDown("设置按钮");
    t.view().userLeftButtonDown("状态条1");
    EXPECT_TRUE(t.view().visible("关于"));
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 1);
    t.view().userLeftButtonDown("设置按钮");
    EXPECT_FALSE(t.view().visible("关于"));
}

TEST(SettingsPanel, confirm_writesTheFiveSettingsInOrderAndClosesThePanel)
{
    TestApp t;
    t.view().setVisible("关于", true);
    t.view().setPicture("设置按钮", Picture::Wrench);
    t.view().setSelectedColor("颜色", 0xFFFF00);
    t.view().setChecked("自动保存", true);
    t.view().setSelectedIndex("按钮类型", 3);
    t.view().setSelectedIndex("提示类型", 2);

    t.view().userClick("保存设置");
    EXPECT_FALSE(t.view().visible("关于"));
    EXPECT_EQ(t.view().picture("设置按钮"), Picture::Tools);
    EXPECT_EQ(t.setting("文本设置", "背景颜色"), "16776960"_gb);
    EXPECT_EQ(t.setting("软件设置", "自动保存"), "真"_gb);
    EXPECT_EQ(t.setting("文本设置", "大字体模式"), "假"_gb);
    EXPECT_EQ(t.setting("软件设置", "按钮类型"), "3"_gb);
    EXPECT_EQ(t.setting("软件设置", "小提示类型"), "2"_gb);
    // The theme is applied after the writes, and a tip is shown at once.
    EXPECT_EQ(t.view().backColor("章节名称"), 0xFFFFFF);
    EXPECT_EQ(t.view().statusPart("状态条1", 2).text, "本软件由writer与Ostvane共同打造"_gb);

    // A fresh file records the order of first writes: sections and keys appear as written.
    const std::string file = GbText::fromBytes(readBytes(t.programDir / "setting.ini")).toUtf8();
    const auto at = [&file](const char* text) { return file.find(text); };
    EXPECT_LT(at("[文本设置]"), at("[软件设置]"));
    EXPECT_LT(at("背景颜色="), at("大字体模式="));
    EXPECT_LT(at("自动保存="), at("按钮类型="));
    EXPECT_LT(at("按钮类型="), at("小提示类型="));
}

TEST(SettingsPanel, launchers_switchPagesAndOpenTheSmallWindows)
{
    TestApp t;
    t.view().userClick("高级字数统计按钮");
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 1);
    t.view().userClick("随机取名按钮");
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 5);
    t.view().userClick("随即地名按钮");
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 6);

    t.view().userClick("添加时间1");
    t.view().userClick("添加时间2");
    t.view().userClick("文件加密器按钮");
    ASSERT_TRUE(t.app->findWindow && t.app->replaceWindow && t.app->cloakWindow);
    EXPECT_EQ(t.ui.windowCalls.size(), 3u);
    EXPECT_EQ(t.ui.windowCalls[0].first, t.app->findWindow.get());
    EXPECT_EQ(t.ui.windowCalls[1].first, t.app->replaceWindow.get());
    EXPECT_EQ(t.ui.windowCalls[2].first, t.app->cloakWindow.get());
}

} // namespace
} // namespace penlark::test
