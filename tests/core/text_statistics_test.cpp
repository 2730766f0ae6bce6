#include "stats/text_counts.h"
#include "stats/text_statistics.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>

namespace penlark {
void PrintTo(const TextCounts& c, std::ostream* out)
{
    *out << "{stripped " << c.strippedBytes << ", chinese " << c.chineseBytes << ", letters " << c.letters
         << ", symbols " << c.symbolBytes << ", digits " << c.digits << ", paragraphs " << c.paragraphs << "}";
}
} // namespace penlark

namespace penlark::test {
namespace {

GbText utf8(const char* text) { return GbText::fromUtf8(text); }

GbText detailText(const char* chinese, int letters, int symbols, int digits, int paragraphs)
{
    return "汉字数量："_gb + GbText::fromBytes(chinese) + "\r\n英文数量："_gb + textFromInt(letters) +
           "\r\n符号数量："_gb + textFromInt(symbols) + "\r\n数字数量："_gb + textFromInt(digits) +
           "\r\n段落数："_gb + textFromInt(paragraphs) + "\r\n您拥有了这个积分特权，达到10积分拥有完整的字数统计。"_gb;
}

class EditorCounts : public testing::Test {
protected:
    TestApp t;
    void SetUp() override { t.state().pointsBalance = 10; }
    void type(const GbText& text) { t.view().userEditText("编辑框1", text); }
    const GbText& live() { return t.view().statusPart("状态条1", 0).text; }
    const GbText& detail() { return t.view().text("高级字数统计"); }
};

TEST_F(EditorCounts, mixedText_countsEachClassOnItsOwnInput)
{
    // 11 bytes without the line break; the space, the comma's two bytes, CR and LF are 5
    // symbol bytes.
    type(utf8("写作abc 12，\r\n"));
    EXPECT_EQ(live(), "当前字数：  5"_gb);
    EXPECT_EQ(detail(), detailText("3", 3, 1, 2, 1));
}

TEST_F(EditorCounts, emptyEditor_showsZeroes)
{
    type({});
    EXPECT_EQ(live(), "当前字数：  0"_gb);
    EXPECT_EQ(detail(), detailText("0", 0, 0, 0, 0));
}

TEST_F(EditorCounts, tabIsHalfAChineseCharacter)
{
    type(utf8("中\t"));
    EXPECT_EQ(live(), "当前字数：  1"_gb);
    EXPECT_EQ(detail(), detailText("1.5", 0, 0, 0, 1));
}

TEST_F(EditorCounts, fullWidthSpaceAndLetter)
{
    type(utf8("　Ａ"));
    EXPECT_EQ(live(), "当前字数：  2"_gb);
    EXPECT_EQ(detail(), detailText("2", 0, 1, 0, 1));
}

TEST_F(EditorCounts, detailedCountNeedsTenPoints)
{
    t.state().pointsBalance = 9;
    type(utf8("写作"));
    EXPECT_EQ(live(), "当前字数：  2"_gb);
    EXPECT_EQ(detail(), "您需要积分达到10点才能有资格使用详细的文字统计"_gb);
    t.state().pointsBalance = 10;
    type(utf8("写作"));
    EXPECT_EQ(detail(), detailText("2", 0, 0, 0, 1));
}

TEST_F(EditorCounts, programWriteOfTheWholeText_recountsAtOnce)
{
    type(utf8("很长的一段话"));
    t.view().setText("编辑框1", "文本已经保存，感谢您的使用"_gb);
    EXPECT_EQ(live(), "当前字数：  13"_gb);
    EXPECT_EQ(detail(), detailText("13", 0, 0, 0, 1));
}

TEST_F(EditorCounts, detailedCountButton_opensItsPage)
{
    t.view().userClick("高级字数统计按钮");
    EXPECT_EQ(t.view().selectedIndex("高级选择夹1"), 1);
}

struct ParagraphCase {
    const char* text;
    std::size_t paragraphs;
};

class Paragraphs : public testing::TestWithParam<ParagraphCase> {};

TEST_P(Paragraphs, countsLineFeedsAndAnOpenLastLine)
{
    EXPECT_EQ(countParagraphs(GbText::fromBytes(GetParam().text)), GetParam().paragraphs) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(TextStatistics, Paragraphs,
                         testing::Values(ParagraphCase{"", 0}, ParagraphCase{"a", 1}, ParagraphCase{"\n", 1},
                                         ParagraphCase{"a\r\nb", 2}, ParagraphCase{"a\r\nb\r\n", 2},
                                         ParagraphCase{"a\r\n\r\nb", 3}, ParagraphCase{"a\rb", 1}));

TEST(Collectors, optionsTheHandlerNeverUses)
{
    EXPECT_EQ(collectNonAscii(utf8("中 \t文\r\n，"), true), utf8("中文，"));
    EXPECT_EQ(collectLetters(utf8("aBc中"), 1), utf8("ac"));
    EXPECT_EQ(collectLetters(utf8("aBc中"), 2), utf8("B"));
    EXPECT_EQ(collectLetters(utf8("aBc中"), 3), GbText());
}

TEST(Collectors, lineBreaksAndSpacesAreRemovedOnce)
{
    // A pair made by removing an inner pair or a space stays.
    EXPECT_EQ(withoutLineBreaksAndSpaces(GbText::fromBytes("\r\r\n\n a\r \n")), GbText::fromBytes("\r\na\r\n"));
}

// Random text over every class the counts tell apart: Chinese, ASCII of every kind, tabs,
// lone CR and LF, CR LF, full-width forms, the euro sign (one byte), user-defined areas, and
// characters only GB18030 holds, inside and outside the Basic Multilingual Plane.
GbText randomText(std::mt19937& random, std::size_t characters)
{
    auto in = [&](char32_t low, char32_t high) {
        return static_cast<char32_t>(std::uniform_int_distribution<std::uint32_t>(low, high)(random));
    };
    std::u16string units;
    for (std::size_t k = 0; k < characters; ++k) {
        char32_t c = 0;
        switch (random() % 16) {
        case 0: case 1: case 2: case 3: c = in(0x4E00, 0x9FA5); break;
        case 4: c = random() % 2 ? in('a', 'z') : in('A', 'Z'); break;
        case 5: c = in('0', '9'); break;
        case 6: c = random() % 2 ? u' ' : u'\t'; break;
        case 7: {
            const char16_t* breaks[] = {u"\r\n", u"\r", u"\n", u"\r\r\n", u"\n\r"};
            units += breaks[random() % 5];
            continue;
        }
        case 8: c = in(0x00, 0x7F); break;
        case 9: c = random() % 4 == 0 ? 0x3000 : in(0xFF01, 0xFF5E); break;
        case 10: c = in(0x3001, 0x303F); break;
        case 11: {
            const char32_t rare[] = {0x20AC, 0x017F, 0x212A, 0x4DAE, 0x9FA6, 0x00B7, 0x2014, 0xE5E5, 0xFFFD};
            c = rare[random() % 9];
            break;
        }
        case 12: c = in(0xE000, 0xF8FF); break;
        case 13: c = in(0x10000, 0x10FFFF); break;
        case 14: c = in(0x0391, 0x0451); break;
        default:
            c = in(0x80, 0xFFFD);
            if (c >= 0xD800 && c <= 0xDFFF) c = 0x5B57;
            break;
        }
        if (c >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(c);
        }
    }
    return GbText::fromUtf16(units);
}

TEST(CountDifferential, onePassCounts_equalTheCollectors_onGeneratedTexts)
{
    std::mt19937 random(20150901);
    for (int round = 0; round < 300; ++round) {
        const GbText text = randomText(random, 1 + random() % 600);
        const std::optional<TextCounts> fast = countCleanText(text.bytes());
        ASSERT_TRUE(fast.has_value()) << "round " << round;
        ASSERT_EQ(*fast, countWithCollectors(text)) << "round " << round << ": " << text;
        ASSERT_EQ(fast, countCleanText(text.bytes(), CountMethod::Portable)) << "round " << round;
    }
}

TEST(CountDifferential, everyCharacterOfTheBasicPlane)
{
    std::u16string units;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c < 0xD800 || c > 0xDFFF) units += static_cast<char16_t>(c);
    }
    const GbText text = GbText::fromUtf16(units);
    const std::optional<TextCounts> fast = countCleanText(text.bytes());
    ASSERT_TRUE(fast.has_value());
    EXPECT_EQ(*fast, countWithCollectors(text));

    // Class by class, so a disagreement names its character.
    for (std::size_t start = 0; start < units.size(); start += 4096) {
        const GbText block = GbText::fromUtf16(std::u16string_view(units).substr(start, 4096));
        ASSERT_EQ(countCleanText(block.bytes()), countWithCollectors(block)) << "block from U+" << std::hex
                                                                               << static_cast<int>(units[start]);
    }
}

// Code page 936 text straight from bytes: every double-byte code, weighted toward the common
// Chinese characters, with ASCII, line breaks and euro signs between them, and now and then a
// four-byte form that sends the rest of the text to character-by-character counting.
std::string codePageBytes(std::mt19937& random, std::size_t characters)
{
    std::string bytes;
    for (std::size_t k = 0; k < characters; ++k) {
        const unsigned roll = random() % 20;
        if (roll < 6) {
            bytes += static_cast<char>(0xB0 + random() % 0x48);
            bytes += static_cast<char>(0xA1 + random() % 0x5E);
        } else if (roll < 10) {
            unsigned trail = 0x40 + random() % 190;
            if (trail >= 0x7F) ++trail;
            bytes += static_cast<char>(0x81 + random() % 126);
            bytes += static_cast<char>(trail);
        } else if (roll < 15) {
            bytes += static_cast<char>(0x20 + random() % 0x60);
        } else if (roll < 17) {
            const char* breaks[] = {"\r\n", "\r", "\n", "\t", "\r\r\n"};
            bytes += breaks[random() % 5];
        } else if (roll < 18) {
            bytes += '\x80';
        } else if (roll < 19 || random() % 40 != 0) {
            bytes += static_cast<char>('0' + random() % 10);
        } else {
            bytes += "\x82\x30\xA5\x31";  // a character only GB18030 holds
        }
    }
    return bytes;
}

TEST(CountDifferential, wholeBlocks_equalCharacterByCharacterAndTheCollectors)
{
    if (!countsWholeBlocks()) GTEST_SKIP() << "this processor counts character by character only";
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        const std::string bytes = codePageBytes(random, random() % 900);
        const std::optional<TextCounts> blocks = countCleanText(bytes, CountMethod::Fastest);
        ASSERT_TRUE(blocks.has_value()) << "round " << round;
        ASSERT_EQ(blocks, countCleanText(bytes, CountMethod::Portable)) << "round " << round;
        ASSERT_EQ(*blocks, countWithCollectors(GbText::fromBytes(bytes))) << "round " << round;
    }
}

TEST(CountDifferential, arbitraryBytes_areCountedExactlyOrLeftToTheCollectors)
{
    // Documents are loaded byte for byte, so the editor may hold anything.
    std::mt19937 random(936);
    const unsigned char interesting[] = {0x80, 0x81, 0xFE, 0xFF, 0x30, 0x39, 0x40, 0x7F, 0xA1, 0xB0, 0x0D, 0x0A, 0x20};
    int exact = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = codePageBytes(random, random() % 80);
        const std::size_t noise = 1 + random() % 3;
        for (std::size_t k = 0; k < noise; ++k) {
            const auto value = static_cast<char>(random() % 2 ? interesting[random() % sizeof interesting] : random() % 256);
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(random() % (bytes.size() + 1)), value);
        }
        const GbText text = GbText::fromBytes(bytes);
        const TextCounts reference = countWithCollectors(text);
        const std::optional<TextCounts> fast = countCleanText(bytes);
        ASSERT_EQ(fast, countCleanText(bytes, CountMethod::Portable)) << "round " << round;
        if (fast) {
            ++exact;
            ASSERT_EQ(*fast, reference) << "round " << round << ": " << text;
        }
        ASSERT_EQ(countText(text), reference);
    }
    EXPECT_GT(exact, 100);
}

} // namespace
} // namespace penlark::test
