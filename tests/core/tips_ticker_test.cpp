#include "look/tips_ticker.h"

#include "test_app.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace penlark::test {
namespace {

std::vector<GbText> linesOf(const GbText& text)
{
    std::vector<GbText> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n"_gb, start)) != GbText::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

GbText tip(const TestApp& t) { return t.app->view.statusPart("状态条1", 2).text; }

TEST(TipsTicker, firstDrawOfARun_isTheSameLineEveryRun)
{
    // State 1 gives the output 41 first, then 18467: lines 1 + 41 mod n and 1 + 18467 mod n.
    TestApp t;
    const auto lines = linesOf(t.view().text("中国地理历史"));
    ASSERT_GT(lines.size(), 41u);
    showNextTip(*t.app);
    EXPECT_EQ(tip(t), "小提示："_gb + lines[41]);
    showNextTip(*t.app);
    EXPECT_EQ(tip(t), "小提示："_gb + lines[18467 % lines.size()]);
}

class TipCollection : public ::testing::TestWithParam<int> {};

TEST_P(TipCollection, manyTicks_showEveryLineAndNothingElse)
{
    TestApp t;
    t.view().setSelectedIndex("提示类型", GetParam());
    const auto lines = linesOf(t.view().text(GetParam() == 0 ? "中国地理历史" : "励志名言警句"));
    const std::set<GbText> expected = [&lines] {
        std::set<GbText> tips;
        for (const GbText& line : lines) tips.insert("小提示："_gb + line);
        return tips;
    }();

    std::set<GbText> shown;
    for (int tick = 0; tick < 8000; ++tick) {
        t.view().timerFired("时钟1");
        shown.insert(tip(t));
    }
    EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(TipsTicker, TipCollection, ::testing::Values(0, 1));

TEST(TipsTicker, creditLine_namesTheLoggedInUser)
{
    TestApp t;
    t.view().setSelectedIndex("提示类型", 2);
    t.ui.userName = GbText::fromBytes("admin");
    t.view().timerFired("时钟1");
    EXPECT_EQ(tip(t), "本软件由admin与Ostvane共同打造"_gb);

    t.ui.userName = GbText::fromBytes(std::string(49, 'u'));
    showNextTip(*t.app);
    EXPECT_EQ(tip(t), "本软件由"_gb + t.ui.userName + "与Ostvane共同打造"_gb);

    t.ui.userName = GbText::fromBytes(std::string(50, 'u'));
    showNextTip(*t.app);
    EXPECT_EQ(tip(t), "本软件由与Ostvane共同打造"_gb);
}

TEST(TipsTicker, noKindChosen_leavesThePanelAsItIs)
{
    TestApp t;
    t.view().setSelectedIndex("提示类型", -1);
    showNextTip(*t.app);
    EXPECT_EQ(tip(t), "Penlark小提示，你的思路也许从这里开始"_gb);
}

TEST(TipsTicker, startUp_showsATipAtOnce)
{
    TestApp t;
    t.start();
    EXPECT_TRUE(tip(t).startsWith("小提示："_gb));
    EXPECT_EQ(t.view().interval("时钟1"), 7500);
}

} // namespace
} // namespace penlark::test
