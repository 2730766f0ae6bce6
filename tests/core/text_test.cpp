#include "text/gb_codec.h"
#include "text/gb_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace penlark {
namespace {

std::string bytesOf(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values) bytes += static_cast<char>(value);
    return bytes;
}

std::string hex(std::string_view bytes)
{
    std::ostringstream out;
    out << std::hex << std::uppercase;
    for (unsigned char c : bytes) out << (c < 0x10 ? "0" : "") << static_cast<int>(c);
    return out.str();
}

// The code points of a UTF-16 text, surrogate pairs joined.
std::vector<char32_t> codePoints(std::u16string_view text)
{
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        points.push_back(c);
    }
    return points;
}

std::u16string utf16Of(char32_t c)
{
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

// --- The code page ---------------------------------------------------------------------------

TEST(GbCodec, isWindowsCodePage936_euroIsTheSingleByte80)
{
    EXPECT_EQ(GbText::fromUtf8("€").bytes(), "\x80");
    EXPECT_EQ(GbText::fromBytes("\x80").toUtf8(), "€");
    EXPECT_EQ(GbText::fromUtf8("中文abc").bytes(), "\xD6\xD0\xCE\xC4" "abc");
    EXPECT_EQ(GbText::fromBytes("\xD6\xD0\xCE\xC4").toUtf8(), "中文");
    // Full-width digits and the ideographic comma, used by the tips and the number rule.
    EXPECT_EQ(GbText::fromUtf8("０９＋－、").bytes(), "\xA3\xB0\xA3\xB9\xA3\xAB\xA3\xAD\xA1\xA2");
}

struct MissingCharacter {
    const char* utf8;
    std::string gb18030;
    friend void PrintTo(const MissingCharacter& c, std::ostream* out) { *out << c.utf8; }
};

// Code page 936 lacks these; each takes its GB18030 form: four bytes for most, and for 䶮 and ḿ
// the two bytes that code page 936 itself reads as a private-use character.
class CharactersCp936Lacks : public ::testing::TestWithParam<MissingCharacter> {};

TEST_P(CharactersCp936Lacks, takeTheirGb18030FormAndDecodeWhole)
{
    const MissingCharacter& c = GetParam();
    const GbText text = GbText::fromUtf8(c.utf8);
    EXPECT_EQ(hex(text.bytes()), hex(c.gb18030));
    EXPECT_EQ(text.toUtf8(), c.utf8);
    EXPECT_EQ(text.bytes().find('?'), std::string::npos);

    // Between other characters, after the euro sign and at the very end of a text.
    const std::string around = std::string("写") + c.utf8 + "€" + c.utf8 + "x€" + c.utf8;
    EXPECT_EQ(GbText::fromUtf8(around).toUtf8(), around);
    EXPECT_EQ(countChars(GbText::fromUtf8(around)), 7u);
}

INSTANTIATE_TEST_SUITE_P(Text, CharactersCp936Lacks,
                         ::testing::Values(MissingCharacter{"䶮", bytesOf({0xFE, 0x9F})},
                                           MissingCharacter{"ḿ", bytesOf({0xA8, 0xBC})},
                                           MissingCharacter{"😀", bytesOf({0x94, 0x39, 0xFC, 0x36})},
                                           MissingCharacter{"\u00A0", bytesOf({0x81, 0x30, 0x84, 0x32})},
                                           MissingCharacter{"𠀀", bytesOf({0x95, 0x32, 0x82, 0x36})}));

TEST(GbCodec, decodesAFourByteFormAfterEveryKindOfByte)
{
    const std::string smile = bytesOf({0x94, 0x39, 0xFC, 0x36});
    for (const std::string& before : {std::string("a"), std::string("\x80"), std::string("\xD6\xD0"),
                                      std::string("\xFF"), std::string("\x82\x35\x87\x38")}) {
        const std::u16string decoded = GbText::fromBytes(before + smile).toUtf16();
        const auto points = codePoints(decoded);
        ASSERT_FALSE(points.empty()) << hex(before);
        EXPECT_EQ(points.back(), U'\U0001F600') << "after " << hex(before);
        EXPECT_EQ(points.size(), 2u) << "after " << hex(before);
    }
}

TEST(GbCodec, brokenBytesDecodeWithoutLosingWhatFollows)
{
    // A lone lead byte at the end, and a lead byte before a line break.
    const std::u16string tail = GbText::fromBytes("ab\xD6").toUtf16();
    ASSERT_GE(tail.size(), 3u);
    EXPECT_EQ(tail.substr(0, 2), u"ab");
    const std::u16string middle = GbText::fromBytes("\xD6\r\nx").toUtf16();
    EXPECT_TRUE(middle.ends_with(u"x")) << utf8FromUtf16(middle);
}

TEST(GbCodec, aLoneSurrogateBecomesTheReplacementCharacter)
{
    const std::u16string broken{u'a', char16_t(0xD800), u'b'};
    EXPECT_EQ(GbText::fromUtf16(broken).toUtf16(), u"a\uFFFDb");
}

TEST(GbCodec, utf8AndUtf16RoundTrip)
{
    const std::string utf8 = "标题 ä € 😀 䶮";
    EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(utf8)), utf8);
    EXPECT_EQ(GbText::fromUtf16(utf16FromUtf8(utf8)).toUtf8(), utf8);
    EXPECT_TRUE(GbText::fromUtf8("").empty());
    EXPECT_EQ(GbText().toUtf8(), "");
}

// --- Stepping over characters -----------------------------------------------------------------

TEST(GbText, charLengthAt_stepsOverSingleDoubleAndFourByteCharacters)
{
    const std::string bytes = "a\xD6\xD0\x80" + bytesOf({0x94, 0x39, 0xFC, 0x36}) + "\xFF" "b\xD6";
    EXPECT_EQ(charLengthAt(bytes, 0), 1u);   // a
    EXPECT_EQ(charLengthAt(bytes, 1), 2u);   // 中
    EXPECT_EQ(charLengthAt(bytes, 3), 1u);   // the euro sign is one byte in code page 936
    EXPECT_EQ(charLengthAt(bytes, 4), 4u);   // an emoji
    EXPECT_EQ(charLengthAt(bytes, 8), 1u);   // 0xFF is no lead byte
    EXPECT_EQ(charLengthAt(bytes, 9), 1u);   // b
    EXPECT_EQ(charLengthAt(bytes, 10), 1u);  // a lead byte cut off at the end
    EXPECT_EQ(countChars(GbText::fromBytes(bytes)), 7u);
}

TEST(GbText, countChars_matchesTheDecodedCharacters)
{
    for (const char* utf8 : {"", "abc", "中文", "€5", "a䶮b", "😀😀", "Penlark，你身边的写作帮手\r\n"}) {
        const GbText text = GbText::fromUtf8(utf8);
        EXPECT_EQ(countChars(text), codePoints(text.toUtf16()).size()) << utf8;
    }
    // A truncated four-byte form counts as what is there, never reading past the end.
    EXPECT_EQ(countChars(GbText::fromBytes("\x94\x39\xFC")), 2u);
}

// --- Numbers ------------------------------------------------------------------------------

struct NumberCase {
    const char* text;
    std::int32_t value;
    friend void PrintTo(const NumberCase& c, std::ostream* out) { *out << '"' << c.text << "\" -> " << c.value; }
};

class IntFromText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IntFromText, readsTheLeadingIntegerAsAtoiDoes)
{
    EXPECT_EQ(intFromText(GbText::fromUtf8(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Text, IntFromText,
                         ::testing::Values(NumberCase{"838", 838}, NumberCase{"838abc", 838}, NumberCase{"abc", 0},
                                           NumberCase{"", 0}, NumberCase{"-", 0}, NumberCase{"  \t42", 42},
                                           NumberCase{"\r\n7", 7}, NumberCase{"-17", -17}, NumberCase{"+5", 5},
                                           NumberCase{"１１１９", 1119}, NumberCase{"－８", -8},
                                           NumberCase{"＋８", 8}, NumberCase{"１2３x", 123},
                                           NumberCase{"8 9", 8}, NumberCase{"--1", 0}, NumberCase{"- 1", 0},
                                           NumberCase{"　5", 0},  // the full-width space is no white space
                                           NumberCase{"真", 0}, NumberCase{"16777215", 16777215},
                                           NumberCase{"2147483647", INT_MAX}, NumberCase{"2147483648", INT_MAX},
                                           NumberCase{"99999999999999999999", INT_MAX},
                                           NumberCase{"-2147483648", INT_MIN}, NumberCase{"-2147483649", INT_MIN},
                                           NumberCase{"-99999999999999999999", INT_MIN},
                                           NumberCase{"0000000000000000000012", 12}));

TEST(GbText, intFromText_skipsNothingInsideACharacter)
{
    // 0xA3 0xB1 is a full-width one; its second byte alone is no digit, and a four-byte
    // character whose bytes include ASCII digits stops the number.
    EXPECT_EQ(intFromText(GbText::fromBytes("1" "\xA3\xB1" "2")), 112);
    EXPECT_EQ(intFromText(GbText::fromBytes("\x81\x30\x84\x36" "5")), 0);
    EXPECT_EQ(intFromText(GbText::fromBytes("5" "\x81\x30\x84\x36" "5")), 5);
}

TEST(GbText, textFromInt_printsAsPercentD)
{
    EXPECT_EQ(textFromInt(0).bytes(), "0");
    EXPECT_EQ(textFromInt(-5).bytes(), "-5");
    EXPECT_EQ(textFromInt(16777215).bytes(), "16777215");
    EXPECT_EQ(textFromInt(INT_MIN).bytes(), "-2147483648");
    EXPECT_EQ(textFromInt(INT_MAX).bytes(), "2147483647");
    for (std::int32_t value : {0, 1, -1, 838, -838, INT_MAX, INT_MIN}) {
        EXPECT_EQ(intFromText(textFromInt(value)), value);
    }
}

// --- Texts in the program and in test output ---------------------------------------------------

TEST(GbText, literalsConvertOnceAndPrintAsUtf8)
{
    const GbText& first = "当前积分： "_gb;
    const GbText& again = "当前积分： "_gb;
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(first.bytes(), "\xB5\xB1\xC7\xB0\xBB\xFD\xB7\xD6\xA3\xBA ");
    EXPECT_EQ(::testing::PrintToString(first), "\"当前积分： \"");
    EXPECT_EQ(::testing::PrintToString(GbText::fromUtf8("䶮😀")), "\"䶮😀\"");
}

TEST(GbText, bytesOperationsCountBytes)
{
    const GbText text = "写作abc"_gb;
    EXPECT_EQ(text.size(), 7u);
    EXPECT_EQ(text.substr(4), "abc"_gb);
    EXPECT_EQ(text.substr(99), GbText());
    EXPECT_EQ(text.find("abc"_gb), 4u);
    EXPECT_TRUE(text.startsWith("写"_gb));
    EXPECT_TRUE(text.endsWith("bc"_gb));
    EXPECT_EQ("写"_gb + "作"_gb, "写作"_gb);
}

// --- Against the WHATWG GB18030 index -----------------------------------------------------------

std::filesystem::path whatwgFolder()
{
    const char* root = std::getenv("PENLARK_TESTDATA");
    if (root == nullptr) return {};
    return std::filesystem::path(root) / "whatwg";
}

// Lines "pointer<TAB>0xCODE...", comments skipped.
std::vector<std::pair<std::uint32_t, char32_t>> readIndex(const std::filesystem::path& file)
{
    std::vector<std::pair<std::uint32_t, char32_t>> entries;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::uint32_t pointer = 0;
        std::string code;
        if (fields >> pointer >> code) entries.emplace_back(pointer, static_cast<char32_t>(std::stoul(code, nullptr, 16)));
    }
    return entries;
}

bool privateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }

std::string describe(char32_t c)
{
    std::ostringstream out;
    out << "U+" << std::hex << std::uppercase << static_cast<std::uint32_t>(c);
    return out.str();
}

class WhatwgIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = whatwgFolder();
        if (folder_.empty() || !std::filesystem::exists(folder_ / "index-gb18030.txt") ||
            !std::filesystem::exists(folder_ / "index-gb18030-ranges.txt")) {
            GTEST_SKIP() << "WHATWG GB18030 index not found (set PENLARK_TESTDATA to the folder holding whatwg/); "
                            "the codec is not checked against it";
        }
    }
    std::filesystem::path folder_;
};

TEST_F(WhatwgIndex, everyTwoByteCodeRoundTripsAndDiffersFromTheIndexOnlyInPrivateUse)
{
    const auto index = readIndex(folder_ / "index-gb18030.txt");
    ASSERT_EQ(index.size(), 23940u);

    int differences = 0;
    int unexplained = 0;
    for (const auto& [pointer, expected] : index) {
        const unsigned trailOffset = pointer % 190;
        const std::string bytes = bytesOf({static_cast<int>(pointer / 190 + 0x81),
                                           static_cast<int>(trailOffset + (trailOffset < 0x3F ? 0x40 : 0x41))});
        const auto decoded = codePoints(GbText::fromBytes(bytes).toUtf16());
        ASSERT_EQ(decoded.size(), 1u) << hex(bytes);
        const char32_t ours = decoded[0];

        // Whatever code page 936 reads, it writes back as the same two bytes.
        EXPECT_EQ(hex(GbText::fromUtf16(utf16Of(ours)).bytes()), hex(bytes)) << describe(ours);

        if (ours == expected) continue;
        ++differences;
        // The index's character survives a round trip through our codec too (four-byte form).
        const GbText theirs = GbText::fromUtf16(utf16Of(expected));
        EXPECT_EQ(codePoints(theirs.toUtf16()), std::vector<char32_t>{expected}) << describe(expected);
        EXPECT_EQ(theirs.bytes().find('?'), std::string::npos);

        // Where the index has a character code page 936 lacks, code page 936 keeps its own
        // private-use reading (the vertical forms, A2E3, A3A0, the radicals GB18030 added last).
        const bool known = privateUse(ours);
        if (!known) ++unexplained;
        std::cout << "  cp936 and the index differ at " << hex(bytes) << ": cp936 " << describe(ours) << ", index "
                  << describe(expected) << (known ? " (private use in cp936)" : " (UNEXPLAINED)") << "\n";
    }
    std::cout << "  " << differences << " of the two-byte codes differ between code page 936 and the index\n";
    EXPECT_EQ(unexplained, 0);
}

TEST_F(WhatwgIndex, fourByteFormsDecodeToTheIndexAndCharactersCp936LacksEncodeToThem)
{
    const auto ranges = readIndex(folder_ / "index-gb18030-ranges.txt");
    ASSERT_GT(ranges.size(), 200u);
    std::map<std::string, char32_t> twoByte;
    for (const auto& [pointer, code] : readIndex(folder_ / "index-gb18030.txt")) {
        const unsigned trailOffset = pointer % 190;
        twoByte[bytesOf({static_cast<int>(pointer / 190 + 0x81),
                         static_cast<int>(trailOffset + (trailOffset < 0x3F ? 0x40 : 0x41))})] = code;
    }

    // A sample of every range: its first, middle and last pointer, and some supplementary planes.
    // The last range (pointer 189000 on) is the supplementary planes; the BMP ends at 39419.
    const std::uint32_t lastBmp = 39419;
    std::vector<std::pair<std::uint32_t, char32_t>> samples;
    for (std::size_t i = 0; i + 1 < ranges.size(); ++i) {
        const auto [start, code] = ranges[i];
        const std::uint32_t end = std::min(ranges[i + 1].first - 1, lastBmp);
        for (std::uint32_t pointer : {start, start + (end - start) / 2, end}) {
            samples.emplace_back(pointer, code + (pointer - start));
        }
    }
    for (char32_t c : {0x10000u, 0x1F600u, 0x20000u, 0x2A6D6u, 0x10FFFFu}) samples.emplace_back(189000 + (c - 0x10000), c);

    int inCodePage = 0;
    for (auto [pointer, expected] : samples) {
        if (pointer == 7457) expected = 0xE7C7;       // the index's one exception to its ranges
        if (expected >= 0xD800 && expected < 0xE000) continue;  // no surrogate is a character
        const std::string bytes = bytesOf({static_cast<int>(pointer / 12600 + 0x81),
                                           static_cast<int>(pointer % 12600 / 1260 + 0x30),
                                           static_cast<int>(pointer % 1260 / 10 + 0x81),
                                           static_cast<int>(pointer % 10 + 0x30)});
        EXPECT_EQ(countChars(GbText::fromBytes(bytes)), 1u) << hex(bytes);
        const auto decoded = codePoints(GbText::fromBytes(bytes).toUtf16());
        EXPECT_EQ(decoded, std::vector<char32_t>{expected}) << hex(bytes) << " should be " << describe(expected);

        const GbText encoded = GbText::fromUtf16(utf16Of(expected));
        if (encoded.size() == 4) {
            EXPECT_EQ(hex(encoded.bytes()), hex(bytes)) << describe(expected);
        } else {
            // Code page 936 has the character itself (a private-use one) and its own form wins.
            // It reads back as itself, or as the character GB18030 puts at those two bytes.
            ++inCodePage;
            const auto readBack = codePoints(encoded.toUtf16());
            std::cout << "  " << describe(expected) << " has the four-byte form " << hex(bytes)
                      << " but code page 936 writes " << hex(encoded.bytes()) << ", read back as "
                      << (readBack.size() == 1 ? describe(readBack[0]) : std::string("?")) << "\n";
            ASSERT_EQ(readBack.size(), 1u) << describe(expected);
            EXPECT_TRUE(privateUse(expected)) << describe(expected);
            if (readBack[0] != expected) {
                EXPECT_EQ(readBack[0], twoByte.at(encoded.bytes())) << describe(expected);
            }
        }
    }
    EXPECT_GT(inCodePage, 0);
}

} // namespace
} // namespace penlark
