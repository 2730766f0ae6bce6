#include "stats/text_statistics.h"

#include "app/app.h"
#include "stats/keystroke_backup.h"
#include "stats/pattern_matcher.h"

#include <cstdio>
#include <string>

namespace penlark {

namespace {

constexpr std::int32_t kDetailedCountPoints = 10;

// One matcher, one execute, the matches concatenated in order.
GbText collect(const GbText& pattern, const GbText& text, const MatchOptions& options = {})
{
    PatternMatcher matcher;
    if (!matcher.execute(pattern, text, options)) return {};
    GbText joined;
    const int count = matcher.matchCount();
    for (int n = 1; n <= count; ++n) joined += matcher.matchText(n);
    return joined;
}

// Half of a byte count, in the shortest decimal form of up to 13 significant digits
// (6 gives "3", 7 gives "3.5").
GbText halfOf(std::size_t bytes)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.13g", static_cast<double>(bytes) / 2.0);
    return GbText::fromBytes(buffer);
}

std::size_t withoutLineBreaksAndSpacesLength(const std::string& bytes)
{
    std::size_t removed = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == ' ') {
            ++removed;
        } else if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            removed += 2;
            ++i;
        }
    }
    return bytes.size() - removed;
}

GbText detailedCountText(const TextCounts& counts)
{
    return "汉字数量："_gb + halfOf(counts.chineseBytes) + "\r\n英文数量："_gb +
           textFromInt(static_cast<std::int64_t>(counts.letters)) + "\r\n符号数量："_gb +
           textFromInt(static_cast<std::int64_t>(counts.symbolBytes / 4)) + "\r\n数字数量："_gb +
           textFromInt(static_cast<std::int64_t>(counts.digits)) + "\r\n段落数："_gb +
           textFromInt(static_cast<std::int64_t>(counts.paragraphs)) +
           "\r\n您拥有了这个积分特权，达到10积分拥有完整的字数统计。"_gb;
}

} // namespace

GbText collectNonAscii(const GbText& text, bool stripWhitespace)
{
    const GbText found = collect(GbText::fromBytes("[^\\x20-\\x7f]"), text);
    if (!stripWhitespace) return found;
    PatternMatcher matcher;
    if (!matcher.execute(GbText::fromBytes("\\s"), found)) return {};
    return matcher.replace({});
}

GbText collectLetters(const GbText& text, int letterKind)
{
    const char* pattern = nullptr;
    switch (letterKind) {
    case 0: pattern = "[a-zA-Z]"; break;
    case 1: pattern = "[a-z]"; break;
    case 2: pattern = "[A-Z]"; break;
    default: return {};
    }
    return collect(GbText::fromBytes(pattern), text, {.caseSensitive = true});
}

GbText collectSymbols(const GbText& text) { return collect(GbText::fromBytes("[^0-9a-z\\u4e00-\\u9fa5]"), text); }

GbText collectDigits(const GbText& text) { return collect(GbText::fromBytes("[0-9]"), text); }

std::size_t countParagraphs(const GbText& text)
{
    const std::string& bytes = text.bytes();
    if (bytes.empty()) return 0;
    std::size_t lineFeeds = 0;
    for (const char c : bytes) lineFeeds += c == '\n' ? 1 : 0;
    return lineFeeds + (bytes.back() != '\n' ? 1 : 0);
}

GbText withoutLineBreaksAndSpaces(const GbText& text)
{
    const std::string& bytes = text.bytes();
    std::string kept;
    kept.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
            continue;
        }
        kept += bytes[i];
    }
    std::erase(kept, ' ');
    return GbText::fromBytes(std::move(kept));
}

TextCounts countWithCollectors(const GbText& text)
{
    const GbText stripped = withoutLineBreaksAndSpaces(text);
    TextCounts counts;
    counts.strippedBytes = stripped.size();
    counts.chineseBytes = collectNonAscii(stripped).size();
    counts.letters = collectLetters(text, 0).size();
    counts.symbolBytes = collectSymbols(text).size();
    counts.digits = collectDigits(text).size();
    counts.paragraphs = countParagraphs(text);
    return counts;
}

TextCounts countText(const GbText& text)
{
    if (std::optional<TextCounts> counts = countCleanText(text.bytes())) return *counts;
    return countWithCollectors(text);
}

void onEditorTextChanged(App& app)
{
    MainView& view = app.view;
    const GbText& text = view.text("编辑框1");

    // Steps 1 and 2: the live count, and the detailed count for those with the points.
    if (app.state.pointsBalance < kDetailedCountPoints) {
        const std::size_t stripped = withoutLineBreaksAndSpacesLength(text.bytes());
        view.setStatusPart("状态条1", 0, "当前字数：  "_gb + textFromInt(static_cast<std::int64_t>(stripped / 2)));
        view.setText("高级字数统计", "您需要积分达到10点才能有资格使用详细的文字统计"_gb);
    } else {
        const TextCounts counts = countText(text);
        view.setStatusPart("状态条1", 0,
                           "当前字数：  "_gb + textFromInt(static_cast<std::int64_t>(counts.strippedBytes / 2)));
        view.setText("高级字数统计", detailedCountText(counts));
    }

    // Steps 3 and 4.
    backUpEditorText(app);
    markDailyVolume(app);
}

void openDetailedCount(App& app) { app.view.setSelectedIndex("高级选择夹1", 1); }

void wireTextStatistics(App& app)
{
    app.view.on("编辑框1", EventKind::TextChanged, [&app](Event&) { onEditorTextChanged(app); });
    app.view.on("高级字数统计按钮", EventKind::Clicked, [&app](Event&) { openDetailedCount(app); });
}

} // namespace penlark
