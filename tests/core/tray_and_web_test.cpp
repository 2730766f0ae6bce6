#include "look/tray_and_web.h"

#include "test_app.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace penlark::test {
namespace {

struct RaiseCounter : ViewObserver {
    int raised = 0;
    void propertyChanged(const Control&, Property) override {}
    void raiseRequested(const Control&) override { ++raised; }
};

class TrayIcon : public ::testing::TestWithParam<WindowState> {};

TEST_P(TrayIcon, leftClick_restoresAndRaisesTheWindow)
{
    TestApp t;
    RaiseCounter observer;
    t.view().setObserver(&observer);
    t.view().setVisible("MainWindow", false);
    t.view().userChangeWindowState(GetParam());

    t.view().userTrayEvent(1);
    EXPECT_TRUE(t.view().visible("MainWindow"));
    EXPECT_EQ(t.view().window().windowState, WindowState::Normal);
    EXPECT_FALSE(t.view().window().topMost);
    EXPECT_EQ(observer.raised, 1);
    t.view().setObserver(nullptr);
}

INSTANTIATE_TEST_SUITE_P(TrayAndWeb, TrayIcon,
                         ::testing::Values(WindowState::Minimised, WindowState::Maximised, WindowState::Normal));

TEST(TrayAndWeb, otherTrayEvents_doNothing)
{
    TestApp t;
    RaiseCounter observer;
    t.view().setObserver(&observer);
    t.view().userChangeWindowState(WindowState::Minimised);
    t.view().userTrayEvent(2);
    t.view().userTrayEvent(3);
    EXPECT_EQ(t.view().window().windowState, WindowState::Minimised);
    EXPECT_EQ(observer.raised, 0);
    t.view().setObserver(nullptr);
}

TEST(TrayAndWeb, pinTutorial_explainsHowToPin)
{
    TestApp t;
    t.view().userClick("固定按钮");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "请您右键单击任务栏上的Penlark，选择固定到任务栏，谢谢"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok);
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
}

TEST(TrayAndWeb, webButtons_openTheirAddressesAndNothingElse)
{
    TestApp t;
    for (const char* button : {"手写查字按钮", "世界历史按钮", "打开音乐电台按钮", "官方博客按钮", "称号说明按钮", "联系作者按钮"})
        t.view().userClick(button);

    ASSERT_EQ(t.ui.openedUrls.size(), 6u);
    EXPECT_EQ(t.ui.openedUrls[0], web::kHandwritingDictionary);
    EXPECT_TRUE(t.ui.openedUrls[1].ends_with("/%E4%B8%96%E7%95%8C%E5%8E%86%E5%8F%B2"));
    EXPECT_EQ(t.ui.openedUrls[2], web::kMusicRadio);
    EXPECT_EQ(t.ui.openedUrls[3], web::kBlog);
    EXPECT_EQ(t.ui.openedUrls[4], web::kTitlesArticle);
    EXPECT_TRUE(std::regex_match(t.ui.openedUrls[5], std::regex(R"(tencent://message/\?uin=[1-9][0-9]{4,10})")));
    for (std::size_t i = 0; i < 5; ++i) EXPECT_TRUE(t.ui.openedUrls[i].starts_with("https://")) << i;
    EXPECT_TRUE(t.ui.messages.empty());
}

} // namespace
} // namespace penlark::test
