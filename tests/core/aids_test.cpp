#include "aids/name_generator.h"
#include "aids/place_name_generator.h"
#include "aids/random_sources.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <set>

namespace penlark::test {
namespace {

// The tick value that makes CounterRandom(min, max) return `result`: v = t * 23 + 7 is
// inverted with 23's inverse modulo 2^32.
std::uint32_t ticksFor(std::int32_t min, std::int32_t result)
{
    std::uint32_t inverse = 23;
    for (int i = 0; i < 5; ++i) inverse *= 2u - 23u * inverse;
    return (static_cast<std::uint32_t>(result - min) - 7u) * inverse;
}

// A counter that replays the given ticks, then keeps returning the last one.
CounterRandom scriptedCounter(std::deque<std::uint32_t> ticks)
{
    return CounterRandom([ticks = std::move(ticks)]() mutable {
        const std::uint32_t next = ticks.front();
        if (ticks.size() > 1) ticks.pop_front();
        return next;
    });
}

bool inHanziRows(unsigned char byte) { return byte >= 0xB0 && byte <= 0xDA; }

// The surname's position in the table (0-based character index), or -1.
int surnameIndex(const GbText& surname)
{
    const GbText& table = surnameTable();
    for (std::size_t i = 0; i < table.size(); i += 2) {
        if (table.substr(i, 2) == surname) return static_cast<int>(i / 2);
    }
    return -1;
}

TEST(RandomInRange, followsTheLinearCongruentialSequenceFromStateOne)
{
    RandomInRange random;
    EXPECT_EQ(random(0, 32767), 41);
    EXPECT_EQ(random(0, 32767), 18467);
    EXPECT_EQ(random(0, 32767), 6334);
    EXPECT_EQ(random(0, INT_MAX), 26500);  // a span beyond 32 bits does not overflow
}

TEST(RandomInRange, boundsAreRaisedSwappedAndEqualBoundsDrawNothing)
{
    RandomInRange random;
    EXPECT_EQ(random(5, 5), 5);
    EXPECT_EQ(random(-5, -1), 0);
    EXPECT_EQ(random(10, 0), 41 % 11);  // the first real draw: equal bounds consumed nothing
    EXPECT_EQ(random(-3, 2), 18467 % 3);
}

TEST(CounterRandom, mixesTheTicksAsSpecifiedAndRefusesReversedBounds)
{
    EXPECT_EQ(CounterRandom([] { return 0u; })(1, 814), 8);            // 1 + 7 mod 814
    EXPECT_EQ(CounterRandom([] { return 1000u; })(38, 80), 38 + 23007 % 43);
    EXPECT_EQ(CounterRandom([] { return 0xFFFFFFFFu; })(0, 99), static_cast<int>((0xFFFFFFFFu * 23u + 7u) % 100));
    EXPECT_EQ(CounterRandom([] { return 5u; })(10, 9), 0);
    EXPECT_EQ(CounterRandom([] { return 5u; })(INT_MIN, INT_MAX), 5 * 23 + 7 + INT_MIN);
    for (int wanted : {1, 2, 813, 814}) EXPECT_EQ(scriptedCounter({ticksFor(1, wanted)})(1, 814), wanted);
}

TEST(CounterRandom, readsARunningCounter)
{
    const std::uint32_t first = readTickCounter();
    bool moved = false;
    for (int i = 0; i < 100000 && !moved; ++i) moved = readTickCounter() != first;
    EXPECT_TRUE(moved);
}

TEST(NameGenerator, surnameTableHas407SurnamesOf404Kinds)
{
    const GbText& table = surnameTable();
    ASSERT_EQ(table.size(), 814u);
    EXPECT_EQ(countChars(table), 407u);
    std::set<GbText> distinct;
    for (std::size_t i = 0; i < table.size(); i += 2) distinct.insert(table.substr(i, 2));
    EXPECT_EQ(distinct.size(), 404u);
    EXPECT_EQ(table.substr(81 * 2, 2), "于"_gb);
    EXPECT_EQ(table.substr(202 * 2, 2), "于"_gb);
    EXPECT_EQ(table.substr(283 * 2, 2), "郁"_gb);
}

TEST(NameGenerator, surnameDrawRoundsEvenPositionsUp)
{
    const std::pair<int, const char*> cases[] = {{1, "赵"}, {2, "钱"}, {3, "钱"}, {812, "公"}, {813, "公"}, {814, "公"}};
    for (const auto& [draw, surname] : cases) {
        CounterRandom random = scriptedCounter({ticksFor(1, draw)});
        EXPECT_EQ(randomSurname(random), GbText::fromUtf8(surname)) << "draw " << draw;
    }
}

TEST(NameGenerator, randomCharactersStayInsideTheHanziRows)
{
    CounterRandom edges = scriptedCounter({ticksFor(38, 38), ticksFor(38, 80)});
    EXPECT_EQ(randomCharacters(edges, 1).bytes(), "\xDA\xB0");

    CounterRandom random;
    EXPECT_TRUE(randomCharacters(random, 0).empty());
    EXPECT_TRUE(randomCharacters(random, -1).empty());
    const GbText many = randomCharacters(random, 3000);
    ASSERT_EQ(many.size(), 6000u);
    for (std::size_t i = 0; i < many.size(); ++i) ASSERT_TRUE(inHanziRows(many.byteAt(i))) << "byte " << i;
}

TEST(NameGenerator, personNameIsASurnameAndOneOrTwoCharacters)
{
    // The count comes from RandomInRange: its first draws 41, 18467, 6334 give 2, 2, 1.
    CounterRandom random;
    RandomInRange count;
    std::vector<std::size_t> sizes;
    for (int i = 0; i < 500; ++i) {
        const GbText name = personName(random, count);
        if (i < 3) sizes.push_back(name.size());
        ASSERT_TRUE(name.size() == 4 || name.size() == 6) << name;
        EXPECT_GE(surnameIndex(name.substr(0, 2)), 0) << name;
        for (std::size_t b = 2; b < name.size(); ++b) EXPECT_TRUE(inHanziRows(name.byteAt(b))) << name;
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{6, 6, 4}));
}

TEST(NameGenerator, surnameIsDrawnBeforeTheGivenName)
{
    CounterRandom random = scriptedCounter({ticksFor(1, 814), ticksFor(38, 38), ticksFor(38, 80), ticksFor(38, 60),
                                            ticksFor(38, 61)});
    RandomInRange count;  // first draw: two characters
    EXPECT_EQ(personName(random, count).bytes(), "公"_gb.bytes() + "\xDA\xB0\xC4\xC3");
}

TEST(NameGenerator, changeNameIsGatedAtFifteenPoints)
{
    TestApp t;
    t.state().pointsBalance = 14;
    t.view().userClick("保存设置8");
    EXPECT_EQ(t.view().text("编辑框4"), "15积分开启本功能"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "您需要达到15积分才可以随机更换哦。"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok);
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);

    t.state().pointsBalance = 15;
    t.view().userClick("保存设置8");
    const GbText name = t.view().text("编辑框4");
    EXPECT_TRUE(name.size() == 4 || name.size() == 6) << name;
    EXPECT_GE(surnameIndex(name.substr(0, 2)), 0) << name;
    EXPECT_EQ(t.ui.messages.size(), 1u);
}

TEST(NameGenerator, copyWorksAtAnyBalanceAndLauncherOpensThePage)
{
    TestApp t;
    t.view().userClick("保存设置9");
    EXPECT_EQ(t.ui.clipboard, "15积分开启本功能"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "复制成功"_gb);
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);

    t.view().userClick("随机取名按钮");
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 5);
}

TEST(NameGenerator, renewalNeedsFifteenPointsAndShowsNoMessage)
{
    TestApp t;
    t.state().pointsBalance = 14;
    renewGeneratedNames(*t.app);
    EXPECT_EQ(t.view().text("编辑框4"), "15积分开启本功能"_gb);
    EXPECT_EQ(t.view().text("编辑框5"), "15积分开启本功能"_gb);

    t.state().pointsBalance = 15;
    renewGeneratedNames(*t.app);
    EXPECT_NE(t.view().text("编辑框4"), "15积分开启本功能"_gb);
    EXPECT_TRUE(t.view().text("编辑框5").endsWith("山"_gb)) << t.view().text("编辑框5");
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(PlaceNameGenerator, namesEndInTheChosenKind)
{
    TestApp t;
    t.state().pointsBalance = 15;
    ASSERT_EQ(t.view().control("组合框1").items.size(), 37u);
    t.view().userSelectIndex("组合框1", 18);
    ASSERT_EQ(t.view().currentItemText("组合框1"), "小学"_gb);
    for (int i = 0; i < 200; ++i) {
        t.view().userClick("保存设置13");
        const GbText place = t.view().text("编辑框5");
        ASSERT_TRUE(place.endsWith("小学"_gb)) << place;
        const std::size_t random = place.size() - "小学"_gb.size();
        ASSERT_TRUE(random >= 2 && random <= 6 && random % 2 == 0) << place;
        for (std::size_t b = 0; b < random; ++b) ASSERT_TRUE(inHanziRows(place.byteAt(b))) << place;
    }
    EXPECT_TRUE(t.ui.messages.empty());

    // Another kind shows only at the next draw.
    const GbText shown = t.view().text("编辑框5");
    t.view().userSelectIndex("组合框1", 36);
    EXPECT_EQ(t.view().text("编辑框5"), shown);
    t.view().userClick("保存设置13");
    EXPECT_TRUE(t.view().text("编辑框5").endsWith("商场"_gb));
}

TEST(PlaceNameGenerator, countIsDrawnFirstAndNoKindGivesNoSuffix)
{
    CounterRandom random;
    RandomInRange count;  // 1 + 41 mod 3 = 3 characters
    EXPECT_EQ(placeName(random, count, "湖"_gb).size(), 8u);
    EXPECT_EQ(placeName(random, count, GbText()).size(), 2u * static_cast<std::size_t>(1 + 18467 % 3));
}

TEST(PlaceNameGenerator, gateCopyAndLauncher)
{
    TestApp t;
    t.state().pointsBalance = 14;
    t.view().userClick("保存设置13");
    EXPECT_EQ(t.view().text("编辑框5"), "15积分开启本功能"_gb);
    ASSERT_EQ(t.ui.messageTexts(), std::vector<GbText>{"您需要达到15积分才可以随机更换哦。"_gb});

    t.view().userClick("保存设置14");
    EXPECT_EQ(t.ui.clipboard, "15积分开启本功能"_gb);
    EXPECT_EQ(t.ui.messages.back().text, "复制成功"_gb);

    t.view().userClick("随即地名按钮");
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 6);
}

} // namespace
} // namespace penlark::test
