#include "look/colours.h"

#include "test_app.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace penlark::test {
namespace {

const std::array<const char*, 3> kToolbar = {"打开按钮", "开始书写按钮", "写日记"};

bool operator==(const ButtonColors& a, const ButtonColors& b)
{
    return a.normalText == b.normalText && a.normalBack == b.normalBack && a.hoverText == b.hoverText &&
           a.hoverBack == b.hoverBack && a.focusText == b.focusText && a.focusBack == b.focusBack;
}

struct ThemeCase {
    int index;
    Color titleBack, titleText;
    std::array<ButtonColors, 3> buttons;
};

class ButtonTheme : public ::testing::TestWithParam<ThemeCase> {};

TEST_P(ButtonTheme, applyTheme_recoloursTitleBoxAndToolbar)
{
    TestApp t;
    t.view().setSelectedIndex("按钮类型", GetParam().index);
    applyTheme(*t.app);
    EXPECT_EQ(t.view().backColor("章节名称"), GetParam().titleBack);
    EXPECT_EQ(t.view().textColor("章节名称"), GetParam().titleText);
    for (std::size_t i = 0; i < kToolbar.size(); ++i)
        EXPECT_TRUE(t.view().buttonColors(kToolbar[i]) == GetParam().buttons[i]) << kToolbar[i];
}

constexpr ButtonColors solid(Color text, Color back) { return {text, back, text, back, text, back}; }

INSTANTIATE_TEST_SUITE_P(
    Colours, ButtonTheme,
    ::testing::Values(
        ThemeCase{0, 0xECECEC, 0x000000,
                  {ButtonColors{0xFFFFFF, 0x0060C0, 0xFFFFFF, 0x000080, 0xFFFFFF, 0x0060C0},
                   ButtonColors{0xFFFFFF, 0xC06000, 0xFFFFFF, 0xFF8800, 0xFFFFFF, 0xC06000},
                   ButtonColors{0xFFFFFF, 0x800080, 0xFFFFFF, 0xE03058, 0xFFFFFF, 0x800080}}},
        ThemeCase{1, 0xFFFF00, 0x000000,
                  {ButtonColors{0xFFFFFF, 0xFF8080, 0xFFFFFF, 0xFF8800, 0xFFFFFF, 0xFF8080},
                   ButtonColors{0xFFFFFF, 0xFFA8FF, 0xFFFFFF, 0xC080FF, 0xFFFFFF, 0xFFA8FF},
                   ButtonColors{0xFFFFFF, 0xFF00FF, 0xFFFFFF, 0x0000FF, 0xFFFFFF, 0xFF00FF}}},
        ThemeCase{2, 0x000000, 0xFFFFFF, {solid(0xFFFFFF, 0), solid(0xFFFFFF, 0), solid(0xFFFFFF, 0)}},
        ThemeCase{3, 0xFFFFFF, 0x000000,
                  {solid(0, 0xFFFFFF), solid(0, 0xFFFFFF), solid(0, 0xFFFFFF)}}));

TEST(Colours, textTheme_blendsIntoTheEditorAsItIsNow)
{
    TestApp t;
    t.view().setBackColor("编辑框1", 0x123456);
    t.view().setTextColor("编辑框1", 0x00FF00);
    t.view().setSelectedIndex("按钮类型", 4);
    applyTheme(*t.app);
    EXPECT_EQ(t.view().backColor("章节名称"), 0x123456);
    EXPECT_EQ(t.view().textColor("章节名称"), 0x00FF00);
    for (const char* button : kToolbar) EXPECT_TRUE(t.view().buttonColors(button) == solid(0x00FF00, 0x123456));

    // A new background recolours at once; a new text colour waits for the next theme.
    t.view().userPickColor("颜色", 0x654321);
    EXPECT_EQ(t.view().backColor("章节名称"), 0x654321);
    t.view().userClick("更换颜色");
    EXPECT_EQ(t.view().textColor("编辑框1"), 0x000000);
    EXPECT_EQ(t.view().buttonColors("写日记").normalText, 0x00FF00);
}

TEST(Colours, noThemeChosen_writesNothing)
{
    TestApp t;
    t.view().setBackColor("章节名称", 0x111111);
    const ButtonColors before = t.view().buttonColors("打开按钮");
    t.view().setSelectedIndex("按钮类型", -1);
    applyTheme(*t.app);
    EXPECT_EQ(t.view().backColor("章节名称"), 0x111111);
    EXPECT_TRUE(t.view().buttonColors("打开按钮") == before);
}

TEST(Colours, pickedColour_colorsWindowAndEditorAndSavesNothing)
{
    TestApp t;
    t.view().userPickColor("颜色", 0x00FF00);
    EXPECT_EQ(t.view().backColor("MainWindow"), 0x00FF00);
    EXPECT_EQ(t.view().backColor("编辑框1"), 0x00FF00);
    EXPECT_EQ(t.setting("文本设置", "背景颜色"), GbText());
}

struct ToggleCase {
    const char* label;
    const char* newLabel;
    Color newColour;
};

class TextColour : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(TextColour, toggle_switchesLabelColoursAndSavesAtOnce)
{
    TestApp t;
    t.view().setText("当前颜色标签", GbText::fromUtf8(GetParam().label));
    t.view().userClick("更换颜色");
    EXPECT_EQ(t.view().text("当前颜色标签"), GbText::fromUtf8(GetParam().newLabel));
    EXPECT_EQ(t.view().textColor("编辑框1"), GetParam().newColour);
    EXPECT_EQ(t.view().textColor("章节名称提示"), GetParam().newColour);
    EXPECT_EQ(t.setting("文本设置", "文本颜色"), GbText::fromUtf8(GetParam().newLabel));
}

INSTANTIATE_TEST_SUITE_P(Colours, TextColour,
                         ::testing::Values(ToggleCase{"白色", "黑色", 0x000000}, ToggleCase{"黑色", "白色", 0xFFFFFF},
                                           ToggleCase{"灰色", "白色", 0xFFFFFF}));

struct GateCase {
    int index;
    std::int32_t balance;
    const char* message;  // nullptr: accepted
};

class ThemeGate : public ::testing::TestWithParam<GateCase> {};

TEST_P(ThemeGate, pick_refusesBelowTheThresholdAndResetsToTheFirstTheme)
{
    TestApp t;
    t.state().pointsBalance = GetParam().balance;
    const ButtonColors before = t.view().buttonColors("开始书写按钮");
    t.view().userSelectIndex("按钮类型", GetParam().index);

    if (GetParam().message != nullptr) {
        ASSERT_EQ(t.ui.messages.size(), 1u);
        EXPECT_EQ(t.ui.messages[0].text, GbText::fromUtf8(GetParam().message));
        EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok);
        EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
        EXPECT_EQ(t.view().selectedIndex("按钮类型"), 0);
    } else {
        EXPECT_TRUE(t.ui.messages.empty());
        EXPECT_EQ(t.view().selectedIndex("按钮类型"), GetParam().index);
    }
    // Picking never applies a theme by itself.
    EXPECT_TRUE(t.view().buttonColors("开始书写按钮") == before);
}

INSTANTIATE_TEST_SUITE_P(Colours, ThemeGate,
                         ::testing::Values(GateCase{2, 87, "失败！本功能需要88积分"}, GateCase{2, 88, nullptr},
                                           GateCase{3, 87, "失败！本功能需要88积分"}, GateCase{3, 88, nullptr},
                                           GateCase{4, 499, "失败！本功能需要500积分"}, GateCase{4, 500, nullptr},
                                           GateCase{0, -5, nullptr}));

TEST(Colours, summerTheme_yesTakesTheRecommendedBackgroundAndAppliesAtOnce)
{
    TestApp t;
    t.ui.answers = {answer::Yes};
    t.view().userSelectIndex("按钮类型", 1);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "是否使用推荐背景颜色？"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::YesNo);
    EXPECT_EQ(t.view().selectedColor("颜色"), 0xFFFF00);
    EXPECT_EQ(t.view().backColor("MainWindow"), 0xFFFF00);
    EXPECT_EQ(t.view().backColor("编辑框1"), 0xFFFF00);
    EXPECT_EQ(t.view().backColor("章节名称"), 0xFFFF00);
    EXPECT_EQ(t.view().buttonColors("写日记").normalBack, 0xFF00FF);
}

TEST(Colours, summerTheme_noChangesNothingUntilConfirmed)
{
    TestApp t;
    t.view().setSelectedColor("颜色", 0x222222);
    t.ui.answers = {answer::No};
    t.view().userSelectIndex("按钮类型", 1);
    EXPECT_EQ(t.view().selectedColor("颜色"), 0x222222);
    EXPECT_EQ(t.view().buttonColors("写日记").normalBack, 0x800080);

    t.view().userClick("保存设置");
    EXPECT_EQ(t.view().buttonColors("写日记").normalBack, 0xFF00FF);
}

TEST(Colours, themePickedThenPanelClosedWithThePicture_keepsTheOldTheme)
{
    TestApp t;
    t.start();
    t.state().pointsBalance = 88;
    t.view().userLeftButtonDown("设置按钮");
    t.view().userSelectIndex("按钮类型", 2);
    t.view().userLeftButtonDown("设置按钮");
    EXPECT_EQ(t.view().selectedIndex("按钮类型"), 2);
    EXPECT_EQ(t.view().backColor("章节名称"), 0xECECEC);
    EXPECT_EQ(t.setting("软件设置", "按钮类型"), "0"_gb);
}

} // namespace
} // namespace penlark::test
