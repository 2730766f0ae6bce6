#include "look/tips_ticker.h"

#include "app/app.h"
#include "stats/text_statistics.h"

namespace penlark {

namespace {

constexpr int kGeographyHistory = 0;
constexpr int kQuotes = 1;
constexpr int kCredit = 2;
constexpr int kTipsPanel = 2;
// The login-name lookup holds 49 bytes; a longer name counts as unknown.
constexpr std::size_t kLongestUserName = 49;

// Line `number` of a CR LF separated text, counting from 1; empty outside the text.
GbText lineAt(const GbText& text, int number)
{
    if (number < 1) return {};
    const GbText separator = "\r\n"_gb;
    std::size_t start = 0;
    for (int line = 1; line < number; ++line) {
        const std::size_t end = text.find(separator, start);
        if (end == GbText::npos) return {};
        start = end + separator.size();
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == GbText::npos ? GbText::npos : end - start);
}

} // namespace

void showNextTip(App& app)
{
    MainView& view = app.view;
    const int kind = view.selectedIndex("提示类型");

    if (kind == kGeographyHistory || kind == kQuotes) {
        const GbText& collection = view.text(kind == kGeographyHistory ? "中国地理历史" : "励志名言警句");
        const auto lines = static_cast<std::int32_t>(countParagraphs(collection));
        const std::int32_t drawn = app.randomInRange(1, lines);
        view.setStatusPart("状态条1", kTipsPanel, "小提示："_gb + lineAt(collection, drawn));
    } else if (kind == kCredit) {
        GbText user = app.ui.currentUserName();
        if (user.size() > kLongestUserName) user = {};
        view.setStatusPart("状态条1", kTipsPanel, "本软件由"_gb + user + "与Ostvane共同打造"_gb);
    }
    // No kind chosen (only a hand-edited negative setting does that): the panel keeps its text.
}

void wireTipsTicker(App& app)
{
    // A diary sets the interval to 0, which keeps the timer from firing at all.
    app.view.on("时钟1", EventKind::Timer, [&app](Event&) { showNextTip(app); });
}

} // namespace penlark
