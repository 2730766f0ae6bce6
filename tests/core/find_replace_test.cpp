#include "aids/find_window.h"
#include "aids/replace_window.h"
#include "aids/text_search.h"

#include "test_app.h"

#include <gtest/gtest.h>

namespace penlark::test {
namespace {

constexpr const char* kEditor = "编辑框1";

GbText bytes(const char* raw) { return GbText::fromBytes(raw); }

std::pair<int, int> selection(TestApp& t) { return {t.view().selStart(kEditor), t.view().selLength(kEditor)}; }

// ---- The search routines -------------------------------------------------------------

struct SearchCase {
    const char* label;
    GbText text;
    GbText term;
    int from;  // start (forward) or limit (backward)
    bool matchCase;
    int expected;
};

void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.label; }

class SearchForward : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchForward, findsTheFirstHitAtACharacterStart)
{
    const SearchCase& c = GetParam();
    EXPECT_EQ(searchForward(c.text, c.term, c.from, c.matchCase), c.expected);
}

// 丄 is 81 41 and 乤 81 61: their second bytes look like 'A' and 'a'.
INSTANTIATE_TEST_SUITE_P(
    Cases, SearchForward,
    ::testing::Values(
        SearchCase{"caseless finds the capital first", "Abc abc"_gb, "abc"_gb, 0, false, 0},
        SearchCase{"matching case skips it", "Abc abc"_gb, "abc"_gb, 0, true, 4},
        SearchCase{"term in capitals, caseless", "xx abc"_gb, "ABC"_gb, 0, false, 3},
        SearchCase{"start at a hit", "aaaa"_gb, "aa"_gb, 2, false, 2},
        SearchCase{"start at the end", "aaaa"_gb, "aa"_gb, 4, false, -1},
        SearchCase{"start past the end", "aaaa"_gb, "aa"_gb, 9, false, -1},
        SearchCase{"term longer than the rest", "aaaa"_gb, "aa"_gb, 3, false, -1},
        SearchCase{"negative start is the beginning", "ab"_gb, "a"_gb, -5, false, 0},
        SearchCase{"empty term", "ab"_gb, GbText(), 0, false, -1},
        SearchCase{"empty text", GbText(), "a"_gb, 0, false, -1},
        SearchCase{"double-byte term", "ab中文中"_gb, "中"_gb, 4, false, 6},
        SearchCase{"bytes across a character boundary", "中文"_gb, "形"_gb, 0, false, -1},
        SearchCase{"second byte like a letter is no character", bytes("\x81\x41" "A"), "A"_gb, 0, true, 2},
        SearchCase{"second bytes never fold", bytes("\x81\x61"), bytes("\x81\x41"), 0, false, -1},
        SearchCase{"same double-byte character, caseless", bytes("x\x81\x41"), bytes("\x81\x41"), 0, false, 1},
        SearchCase{"euro sign is one byte", bytes("\x80" "a"), "a"_gb, 0, false, 1},
        SearchCase{"full-width letters do not fold", "Ａ"_gb, "ａ"_gb, 0, false, -1},
        SearchCase{"across a line break", "ab\r\ncd"_gb, "b\r\nc"_gb, 0, false, 1}));

TEST(SearchForward, neverStartsInsideAFourByteCharacter)
{
    const GbText emoji = "😀"_gb;
    ASSERT_EQ(emoji.size(), 4u);
    EXPECT_EQ(searchForward(emoji, emoji.substr(2), 0, true), -1);
    EXPECT_EQ(searchForward("a"_gb + emoji + "b"_gb, "b"_gb, 0, true), 5);
    EXPECT_EQ(searchForward("a"_gb + emoji, emoji, 0, true), 1);
}

class SearchBackward : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchBackward, findsTheLastHitWithinTheLimit)
{
    const SearchCase& c = GetParam();
    EXPECT_EQ(searchBackward(c.text, c.term, c.from, c.matchCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchBackward,
    ::testing::Values(SearchCase{"hit ending at the limit", "abcabc"_gb, "abc"_gb, 3, false, 0},
                      SearchCase{"last of two", "abcabc"_gb, "abc"_gb, 6, false, 3},
                      SearchCase{"second not wholly inside", "abcabc"_gb, "abc"_gb, 5, false, 0},
                      SearchCase{"limit zero", "abcabc"_gb, "abc"_gb, 0, false, -1},
                      SearchCase{"negative limit", "abc"_gb, "abc"_gb, -1, false, -1},
                      SearchCase{"limit past the end", "abcabc"_gb, "abc"_gb, 99, false, 3},
                      SearchCase{"matching case", "abcABC"_gb, "abc"_gb, 6, true, 0},
                      SearchCase{"caseless", "abcABC"_gb, "abc"_gb, 6, false, 3},
                      SearchCase{"overlapping hits, the last start", "aaaa"_gb, "aa"_gb, 4, false, 2},
                      SearchCase{"bytes across a character boundary", "中文"_gb, "形"_gb, 4, false, -1},
                      SearchCase{"double-byte", "中文中文"_gb, "文"_gb, 7, false, 2}));

struct ReplaceCase {
    const char* label;
    GbText text;
    GbText term;
    GbText replacement;
    bool matchCase;
    GbText expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.label; }

class ReplaceAll : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, replacesLeftToRightWithoutOverlap)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceAllOccurrences(c.text, c.term, c.replacement, c.matchCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAll,
    ::testing::Values(ReplaceCase{"every hit", "a1a1"_gb, "a"_gb, "bb"_gb, false, "bb1bb1"_gb},
                      ReplaceCase{"no overlap", "aaa"_gb, "aa"_gb, "b"_gb, false, "ba"_gb},
                      ReplaceCase{"replacement not scanned again", "ab"_gb, "a"_gb, "aa"_gb, false, "aab"_gb},
                      ReplaceCase{"caseless", "abc ABC"_gb, "abc"_gb, "x"_gb, false, "x x"_gb},
                      ReplaceCase{"matching case", "abc ABC"_gb, "abc"_gb, "x"_gb, true, "x ABC"_gb},
                      ReplaceCase{"empty replacement deletes", "a-b-c"_gb, "-"_gb, GbText(), false, "abc"_gb},
                      ReplaceCase{"empty term", "abc"_gb, GbText(), "x"_gb, false, "abc"_gb},
                      ReplaceCase{"empty text", GbText(), "a"_gb, "x"_gb, false, GbText()},
                      ReplaceCase{"nothing found", "abc"_gb, "z"_gb, "x"_gb, false, "abc"_gb},
                      ReplaceCase{"Chinese", "中文中"_gb, "中"_gb, "Z"_gb, false, "Z文Z"_gb},
                      ReplaceCase{"not across characters", "中文"_gb, "形"_gb, "x"_gb, false, "中文"_gb},
                      ReplaceCase{"other character with a letter-like byte", bytes("\x81\x61\x81\x41"),
                                  bytes("\x81\x41"), "x"_gb, false, bytes("\x81\x61" "x")}));

// ---- The editing operation behind "替换(&R)" ----------------------------------------------

struct EditRecorder : ViewObserver {
    struct Edit {
        int start;
        int length;
        GbText inserted;
        bool joinPrevious;
        GbText textBefore;
    };
    bool performs = true;
    std::vector<Edit> edits;
    int textWrites = 0;

    void propertyChanged(const Control& control, Property property) override
    {
        textWrites += control.name == kEditor && property == Property::Text;
    }
    bool editRequested(const Control& control, int start, int length, const GbText& inserted,
                       bool joinPrevious) override
    {
        edits.push_back({start, length, inserted, joinPrevious, control.text});
        return performs;
    }
};

TEST(ReplaceSelectedText, reachesThePlatformAsOneUndoableEditInTwoSteps)
{
    for (const bool performs : {true, false}) {
        TestApp t;
        EditRecorder recorder;
        recorder.performs = performs;
        t.view().setText(kEditor, "标题\r\nab中文"_gb);
        t.view().setSelection(kEditor, 8, 2);  // "中"
        t.view().setObserver(&recorder);
        t.view().replaceSelectedText(kEditor, "xyz"_gb);
        t.view().setObserver(nullptr);

        EXPECT_EQ(t.view().text(kEditor), "标题\r\nabxyz文"_gb);
        EXPECT_EQ(selection(t), std::make_pair(11, 0));
        ASSERT_EQ(recorder.edits.size(), 2u);
        // Positions are those of the text as it stands before each step.
        EXPECT_EQ(recorder.edits[0].start, 8);
        EXPECT_EQ(recorder.edits[0].length, 2);
        EXPECT_FALSE(recorder.edits[0].joinPrevious);
        EXPECT_EQ(recorder.edits[0].textBefore, "标题\r\nab中文"_gb);
        EXPECT_EQ(recorder.edits[1].start, 8);
        EXPECT_EQ(recorder.edits[1].length, 0);
        EXPECT_EQ(recorder.edits[1].inserted, "xyz"_gb);
        EXPECT_TRUE(recorder.edits[1].joinPrevious);
        EXPECT_EQ(recorder.edits[1].textBefore, "标题\r\nab文"_gb);
        // An observer that does not perform edits hears of the text as it would of a write.
        EXPECT_EQ(recorder.textWrites, performs ? 0 : 2);
    }
}

// ---- The find window -------------------------------------------------------------------

// A started program whose editor holds a text, with the find window opened by Ctrl+F.
struct FindTest : ::testing::Test {
    TestApp t;

    FindTest()
    {
        t.start();
        t.view().setEnabled(kEditor, true);
        t.ui.messages.clear();
    }
    View& w() { return *t.app->findWindow; }
    void open() { t.view().userKey(kEditor, keys::F, keys::Ctrl); }
    void editor(const GbText& text, int start = 0, int length = 0)
    {
        t.view().setText(kEditor, text);
        t.view().userSelect(kEditor, start, length);
    }
    void search(const GbText& term)
    {
        if (w().text("编辑框1") != term) w().userEditText("编辑框1", term);
        w().userClick("按钮1");
    }
    std::pair<int, int> selection() { return test::selection(t); }
};

TEST_F(FindTest, opensFromItsFormOnceAndIsShownAgainAfterwards)
{
    open();
    ASSERT_TRUE(t.app->findWindow);
    const View* first = &w();
    EXPECT_EQ(w().window().text, "查找"_gb);
    EXPECT_EQ(w().window().width, 346);
    EXPECT_EQ(w().window().height, 126);
    EXPECT_FALSE(w().enabled("按钮1"));
    EXPECT_EQ(w().caption("按钮1"), "查找下一个"_gb);
    EXPECT_TRUE(w().checked("单选框2"));
    EXPECT_FALSE(w().checked("单选框1"));
    EXPECT_EQ(w().control("单选框1").parent, "分组框1");
    EXPECT_EQ(w().text("标签1"), "查找内容(&N):"_gb);

    w().userClick("按钮2");
    EXPECT_FALSE(w().visible("FindWindow"));
    open();
    EXPECT_EQ(&w(), first);
    EXPECT_TRUE(w().visible("FindWindow"));
    ASSERT_GE(t.ui.windowCalls.size(), 3u);
    EXPECT_EQ(t.ui.windowCalls[0], std::make_pair(static_cast<const View*>(first), true));
    EXPECT_EQ(t.ui.windowCalls[1], std::make_pair(static_cast<const View*>(first), false));
    EXPECT_EQ(t.ui.windowCalls.back(), std::make_pair(static_cast<const View*>(first), true));
}

TEST_F(FindTest, downward_selectsEachHitThenReportsAndPutsTheCaretAtTheEnd)
{
    editor("aaaa"_gb);
    open();
    search("aa"_gb);
    EXPECT_EQ(selection(), std::make_pair(0, 2));
    EXPECT_EQ(t.view().focused(), kEditor);
    search("aa"_gb);
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    EXPECT_TRUE(t.ui.messages.empty());

    search("aa"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "找不到 “aa”"_gb);
    EXPECT_EQ(t.ui.messages[0].title, "记事本"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok | mb::IconInformation);
    EXPECT_EQ(selection(), std::make_pair(4, 0));
    EXPECT_EQ(t.view().focused(), kEditor);

    // No wrapping: it reports again from the end.
    search("aa"_gb);
    EXPECT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.state().lastSearchText, "aa"_gb);
}

TEST_F(FindTest, matchCaseBoxDecidesTheFirstHit)
{
    editor("Abc abc"_gb);
    open();
    search("abc"_gb);
    EXPECT_EQ(selection(), std::make_pair(0, 3));
    t.view().userSelect(kEditor, 0, 0);
    w().userClick("选择框1");
    search("abc"_gb);
    EXPECT_EQ(selection(), std::make_pair(4, 3));
}

TEST_F(FindTest, upward_endsByTheSelectionStartAndReportsAtTheBeginning)
{
    editor("abcabc"_gb, 3, 3);
    open();
    w().userClick("单选框1");
    search("abc"_gb);
    EXPECT_EQ(selection(), std::make_pair(0, 3));
    EXPECT_TRUE(t.ui.messages.empty());
    search("abc"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(selection(), std::make_pair(0, 0));
}

TEST_F(FindTest, chineseTextIsSearchedInBytesAtCharacterStarts)
{
    editor("第一章\r\n中文形中文"_gb);
    open();
    search("形"_gb);
    EXPECT_EQ(selection(), std::make_pair(12, 2));
    t.view().userSelect(kEditor, 0, 0);
    search("文形"_gb);
    EXPECT_EQ(selection(), std::make_pair(10, 4));
}

TEST_F(FindTest, emptyBoxDisablesTheButtonAndEnterDoesNothing)
{
    editor("abc"_gb);
    open();
    EXPECT_TRUE(w().userKey("编辑框1", keys::Enter, 0));
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(selection(), std::make_pair(0, 0));

    w().userEditText("编辑框1", "c"_gb);
    EXPECT_TRUE(w().enabled("按钮1"));
    EXPECT_TRUE(w().userKey("编辑框1", keys::Enter, 0));
    EXPECT_EQ(selection(), std::make_pair(2, 1));
    EXPECT_FALSE(w().userKey("编辑框1", 'X', 0));

    w().userEditText("编辑框1", GbText());
    EXPECT_FALSE(w().enabled("按钮1"));
}

TEST_F(FindTest, hidingDropsUnsearchedTextAndKeepsTheRest)
{
    editor("abc"_gb);
    open();
    search("b"_gb);
    w().userClick("选择框1");
    w().userClick("单选框1");
    w().userEditText("编辑框1", "typed"_gb);
    // The close box hides the window like "取消"; the window is never destroyed.
    w().raise("FindWindow", EventKind::CloseRequested);
    ASSERT_TRUE(t.app->findWindow);
    EXPECT_FALSE(w().visible("FindWindow"));
    EXPECT_EQ(t.ui.windowCalls.back().second, false);

    open();
    EXPECT_EQ(w().text("编辑框1"), "b"_gb);
    EXPECT_TRUE(w().enabled("按钮1"));
    EXPECT_TRUE(w().checked("选择框1"));
    EXPECT_TRUE(w().checked("单选框1"));
}

TEST_F(FindTest, createdWindowShowsTheLastSearchedTextSelected)
{
    t.state().lastSearchText = "中文"_gb;
    open();
    EXPECT_EQ(w().text("编辑框1"), "中文"_gb);
    EXPECT_EQ(w().selStart("编辑框1"), 0);
    EXPECT_EQ(w().selLength("编辑框1"), 4);
    EXPECT_TRUE(w().enabled("按钮1"));
}

// ---- The replace window ----------------------------------------------------------------

struct ReplaceTest : FindTest {
    View& r() { return *t.app->replaceWindow; }
    void openReplace() { t.view().userKey(kEditor, keys::H, keys::Ctrl); }
    void terms(const GbText& term, const GbText& replacement)
    {
        r().userEditText("编辑框1", term);
        r().userEditText("编辑框2", replacement);
    }
};

TEST_F(ReplaceTest, opensFromItsFormWithTheActionsDisabled)
{
    openReplace();
    ASSERT_TRUE(t.app->replaceWindow);
    EXPECT_EQ(r().window().text, "替换"_gb);
    EXPECT_EQ(r().window().width, 387);
    EXPECT_EQ(r().window().height, 176);
    for (const char* button : {"按钮1", "按钮2", "按钮3"}) EXPECT_FALSE(r().enabled(button)) << button;
    EXPECT_TRUE(r().enabled("按钮4"));
    EXPECT_EQ(r().caption("按钮3"), "全部替换(&A)"_gb);

    r().userEditText("编辑框1", "x"_gb);
    for (const char* button : {"按钮1", "按钮2", "按钮3"}) EXPECT_TRUE(r().enabled(button)) << button;
    r().userEditText("编辑框1", GbText());
    for (const char* button : {"按钮1", "按钮2", "按钮3"}) EXPECT_FALSE(r().enabled(button)) << button;

    // Opening again while it is open only shows it.
    const View* first = &r();
    openReplace();
    EXPECT_EQ(&r(), first);
}

TEST_F(ReplaceTest, replaceWithCaretOnly_findsFirstThenReplacesAsTwoEdits)
{
    editor("one two one"_gb);
    t.ui.clipboard = "copied"_gb;
    std::vector<GbText> seen;
    t.view().on(kEditor, EventKind::TextChanged, [&](Event&) { seen.push_back(t.view().text(kEditor)); });
    openReplace();
    terms("one"_gb, "三"_gb);

    r().userClick("按钮2");
    EXPECT_EQ(selection(), std::make_pair(0, 3));
    EXPECT_TRUE(seen.empty());

    r().userClick("按钮2");
    EXPECT_EQ(seen, (std::vector<GbText>{" two one"_gb, "三 two one"_gb}));
    EXPECT_EQ(selection(), std::make_pair(2, 0));
    EXPECT_EQ(t.ui.clipboard, "copied"_gb);

    r().userClick("按钮2");  // nothing selected: the next one is found, not replaced
    EXPECT_EQ(selection(), std::make_pair(7, 3));
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ReplaceTest, replaceTakesWhateverIsSelected_andEmptyReplacementDeletes)
{
    editor("abcdef"_gb, 1, 2);
    openReplace();
    terms("zzz"_gb, GbText());
    int changes = 0;
    t.view().on(kEditor, EventKind::TextChanged, [&](Event&) { ++changes; });
    r().userClick("按钮2");
    EXPECT_EQ(t.view().text(kEditor), "adef"_gb);
    EXPECT_EQ(changes, 1);  // a removal only
    EXPECT_EQ(selection(), std::make_pair(1, 0));
}

TEST_F(ReplaceTest, notFound_reportsAndPutsTheCaretAtTheEnd)
{
    editor("abc"_gb);
    openReplace();
    terms("z"_gb, "y"_gb);
    r().userClick("按钮1");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "找不到 “z”"_gb);
    EXPECT_EQ(t.ui.messages[0].title, "记事本"_gb);
    EXPECT_EQ(selection(), std::make_pair(3, 0));
}

TEST_F(ReplaceTest, replaceAll_takesItsCaseRuleFromTheLastFindNext)
{
    editor("abc ABC"_gb);
    openReplace();
    terms("abc"_gb, "x"_gb);
    r().userClick("选择框1");  // checked, but not yet searched with
    int changes = 0;
    t.view().on(kEditor, EventKind::TextChanged, [&](Event&) { ++changes; });
    r().userClick("按钮3");
    EXPECT_EQ(t.view().text(kEditor), "x x"_gb);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.state().lastSearchText.empty());  // "全部替换" is no search

    editor("abc ABC"_gb);
    r().userClick("按钮1");
    EXPECT_TRUE(t.state().replaceMatchCase);
    r().userClick("按钮3");
    EXPECT_EQ(t.view().text(kEditor), "x ABC"_gb);

    // A new window's box shows unchecked but the rule of the last find-next stays.
    r().userClick("按钮4");
    openReplace();
    EXPECT_FALSE(r().checked("选择框1"));
    editor("abc ABC"_gb);
    r().userEditText("编辑框2", "y"_gb);
    r().userClick("按钮3");
    EXPECT_EQ(t.view().text(kEditor), "y ABC"_gb);
}

TEST_F(ReplaceTest, replaceAll_withEmptyEditorWritesNothing)
{
    editor(GbText());
    openReplace();
    terms("a"_gb, "b"_gb);
    int changes = 0;
    t.view().on(kEditor, EventKind::TextChanged, [&](Event&) { ++changes; });
    r().userClick("按钮3");
    EXPECT_EQ(changes, 0);
}

TEST_F(ReplaceTest, closingDestroysIt_andReopeningShowsTheLastSearchedText)
{
    editor("abc"_gb);
    openReplace();
    terms("b"_gb, "x"_gb);
    r().userClick("按钮1");
    r().userEditText("编辑框1", "typed"_gb);
    const View* first = &r();
    r().raise("ReplaceWindow", EventKind::CloseRequested);
    EXPECT_FALSE(t.app->replaceWindow);
    EXPECT_EQ(t.ui.windowCalls.back(), std::make_pair(first, false));

    openReplace();
    EXPECT_EQ(r().text("编辑框1"), "b"_gb);
    EXPECT_EQ(r().selLength("编辑框1"), 1);
    EXPECT_TRUE(r().text("编辑框2").empty());
    r().userClick("按钮4");
    EXPECT_FALSE(t.app->replaceWindow);

    // Both windows share the last searched text.
    open();
    EXPECT_EQ(w().text("编辑框1"), "b"_gb);
}

} // namespace
} // namespace penlark::test
