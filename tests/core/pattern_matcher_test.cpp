#include "stats/pattern_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace penlark {
namespace {

GbText ascii(const char* text) { return GbText::fromBytes(text); }

std::vector<GbText> allMatches(const PatternMatcher& matcher)
{
    std::vector<GbText> found;
    for (int n = 1; n <= matcher.matchCount(); ++n) found.push_back(matcher.matchText(n));
    return found;
}

std::vector<GbText> matchesOf(const char* pattern, const GbText& subject, const MatchOptions& options = {})
{
    PatternMatcher matcher;
    EXPECT_TRUE(matcher.execute(ascii(pattern), subject, options)) << pattern;
    return allMatches(matcher);
}

TEST(PatternMatcher, emptySubject_succeedsWithNoMatch)
{
    PatternMatcher matcher;
    EXPECT_TRUE(matcher.execute(ascii("[0-9]"), {}));
    EXPECT_EQ(matcher.matchCount(), 0);
    EXPECT_EQ(matcher.matchText(1), GbText());
    EXPECT_EQ(matcher.replace(ascii("x")), GbText());
}

TEST(PatternMatcher, caseIsIgnoredUnlessAsked)
{
    EXPECT_EQ(matchesOf("[a-z]", ascii("aA")), (std::vector<GbText>{ascii("a"), ascii("A")}));
    EXPECT_EQ(matchesOf("[a-z]", ascii("aA"), {.caseSensitive = true}), std::vector<GbText>{ascii("a")});
}

struct ClassCase {
    const char* utf8;
    bool matched;
};

class SymbolClass : public testing::TestWithParam<ClassCase> {};

TEST_P(SymbolClass, defaultOptions)
{
    const auto& [utf8, matched] = GetParam();
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.execute(ascii("[^0-9a-z\\u4e00-\\u9fa5]"), GbText::fromUtf8(utf8)));
    EXPECT_EQ(matcher.matchCount(), matched ? 1 : 0) << utf8;
}

INSTANTIATE_TEST_SUITE_P(PatternMatcher, SymbolClass,
                         testing::Values(ClassCase{"Q", false}, ClassCase{"7", false}, ClassCase{"字", false},
                                         ClassCase{"，", true}, ClassCase{" ", true}, ClassCase{"\n", true},
                                         ClassCase{"Ａ", true}, ClassCase{"\xe9\xbe\xa5", false},  // U+9FA5
                                         ClassCase{"\xe9\xbe\xa6", true}));                          // U+9FA6

TEST(PatternMatcher, nonAsciiMatches_comeBackAsTheirCodePageBytes)
{
    const std::vector<GbText> found = matchesOf("[^\\x20-\\x7f]", GbText::fromUtf8("a中，b"));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], "中"_gb);
    EXPECT_EQ(found[1], "，"_gb);
    EXPECT_EQ(found[0].size(), 2u);
    EXPECT_EQ(found[1].size(), 2u);
}

TEST(PatternMatcher, characterOutsideTheBasicPlane_isOneMatchAndReturnsWhole)
{
    const GbText text = GbText::fromUtf8("a\xf0\xa0\x80\x80z");  // U+20000 between two letters
    const std::vector<GbText> found = matchesOf("[^\\x20-\\x7f]", text);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].size(), 4u);
    EXPECT_EQ(found[0], text.substr(1, 4));
    // An empty pattern matches between characters, never inside the pair.
    EXPECT_EQ(matchesOf("x*", text).size(), 4u);
}

TEST(PatternMatcher, escapesOfTheScriptingEngines)
{
    EXPECT_EQ(matchesOf("\\u4e2d", GbText::fromUtf8("中文")), std::vector<GbText>{"中"_gb});
    // \x takes exactly two digits: \x414 is "A" then "4".
    EXPECT_EQ(matchesOf("\\x414", ascii("A4 A")), std::vector<GbText>{ascii("A4")});
    EXPECT_EQ(matchesOf("[\\x30-\\x39]+", ascii("ab123")), std::vector<GbText>{ascii("123")});
    // \s is the ASCII white space set: the full-width space is no white space.
    EXPECT_EQ(matchesOf("\\s", GbText::fromUtf8("a\tb\r\n\v\f 　")).size(), 6u);
}

TEST(PatternMatcher, quoteToken_isExpandedOnlyWhenAsked)
{
    const GbText subject = GbText::fromUtf8("他说\"好\"#引号");
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.execute("#引号"_gb, subject, {.expandQuoteToken = true}));
    EXPECT_EQ(allMatches(matcher), (std::vector<GbText>{ascii("\""), ascii("\"")}));
    EXPECT_EQ(matcher.pattern(), ascii("\""));

    ASSERT_TRUE(matcher.execute("#引号"_gb, subject));
    EXPECT_EQ(allMatches(matcher), std::vector<GbText>{"#引号"_gb});
    EXPECT_EQ(matcher.pattern(), "#引号"_gb);
}

TEST(PatternMatcher, globalAndMultilineOptions)
{
    const GbText lines = ascii("ab\r\nac\nad");
    EXPECT_EQ(matchesOf("^a.", lines).size(), 3u);
    EXPECT_EQ(matchesOf("^a.", lines, {.multiline = false}).size(), 1u);
    EXPECT_EQ(matchesOf("^a.", lines, {.global = false}), std::vector<GbText>{ascii("ab")});
    // Without multiline, $ is the very end only.
    EXPECT_EQ(matchesOf("d$", ascii("ad\n"), {.multiline = false}).size(), 0u);
    EXPECT_EQ(matchesOf("b$", lines).size(), 1u);
}

TEST(PatternMatcher, matchesAndGroupsCountFromOne)
{
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.execute(ascii("([a-z]+)(\\d)?"), GbText::fromUtf8("ab1 cd 中")));
    ASSERT_EQ(matcher.matchCount(), 2);
    EXPECT_EQ(matcher.matchText(1), ascii("ab1"));
    EXPECT_EQ(matcher.matchText(2), ascii("cd"));
    EXPECT_EQ(matcher.matchText(0), GbText());
    EXPECT_EQ(matcher.matchText(3), GbText());

    EXPECT_EQ(matcher.subMatchCount(), 2);
    EXPECT_EQ(matcher.subMatchText(1, 1), ascii("ab"));
    EXPECT_EQ(matcher.subMatchText(1, 2), ascii("1"));
    EXPECT_EQ(matcher.subMatchText(2, 2), GbText());  // took no part in the match
    EXPECT_EQ(matcher.subMatchText(1, 0), GbText());
    EXPECT_EQ(matcher.subMatchText(1, 3), GbText());
    EXPECT_EQ(matcher.subMatchText(3, 1), GbText());
}

TEST(PatternMatcher, replace_usesTheEnginesSyntaxOverTheLastSubject)
{
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.execute(ascii("(\\d)"), GbText::fromUtf8("第1章第2节")));
    EXPECT_EQ(matcher.replace(ascii("<$1>")), GbText::fromUtf8("第<1>章第<2>节"));
    EXPECT_EQ(matcher.replace({}), GbText::fromUtf8("第章第节"));
    EXPECT_EQ(matcher.replace(ascii("$$")), GbText::fromUtf8("第$章第$节"));
    // A long result is not cut short.
    EXPECT_EQ(matcher.replace(GbText::fromUtf8("一二三四五六七八九十一二三四五六七八九十")).size(), 88u);
    EXPECT_EQ(matcher.replace(ascii("${9}")), GbText());  // no such group

    ASSERT_TRUE(matcher.execute(ascii("\\d"), ascii("1 2 3"), {.global = false}));
    EXPECT_EQ(matcher.replace(ascii("x")), ascii("x 2 3"));
}

TEST(PatternMatcher, refusedPattern_leavesEverythingEmpty)
{
    PatternMatcher matcher;
    EXPECT_EQ(matcher.pattern(), GbText());
    EXPECT_EQ(matcher.replace(ascii("x")), GbText());
    ASSERT_TRUE(matcher.execute(ascii("\\d"), ascii("1 2")));
    ASSERT_EQ(matcher.matchCount(), 2);

    EXPECT_FALSE(matcher.execute(ascii("[a-"), ascii("1 2")));
    EXPECT_EQ(matcher.matchCount(), 0);
    EXPECT_EQ(matcher.matchText(1), GbText());
    EXPECT_EQ(matcher.pattern(), GbText());
    EXPECT_EQ(matcher.replace(ascii("x")), GbText());
    EXPECT_EQ(matcher.subMatchCount(), 0);
}

} // namespace
} // namespace penlark
