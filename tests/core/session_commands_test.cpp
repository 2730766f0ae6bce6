#include "writing/session_commands.h"

#include "test_app.h"

#include <gtest/gtest.h>

namespace penlark::test {
namespace {

constexpr const char* kEditor = "编辑框1";

// A started program with a session on "第一章" in progress.
struct SessionApp : TestApp {
    SessionApp()
    {
        start();
        view().setText("章节名称", "第一章"_gb);
        view().userClick("开始书写按钮");
        ui.messages.clear();
    }
    void write(const GbText& text, int caret, int length = 0)
    {
        view().userEditText(kEditor, text);
        view().userSelect(kEditor, caret, length);
    }
    bool key(int code, int modifiers = 0) { return view().userKey(kEditor, code, modifiers); }
    GbText clockText() { return view().statusPart("状态条1", 1).text; }
};

TEST(SessionCommands, dateTimeStamp_hasNoPaddingAndFullWidthColons)
{
    EXPECT_EQ(dateTimeStamp({2015, 9, 1, 8, 5, 3}), GbText::fromUtf8("2015年9月1日 8：5：3"));
    EXPECT_EQ(dateTimeStamp({2015, 12, 31, 23, 59, 59}), GbText::fromUtf8("2015年12月31日 23：59：59"));
    EXPECT_EQ(dateTimeStamp({2016, 1, 1, 0, 0, 0}), GbText::fromUtf8("2016年1月1日 0：0：0"));
}

TEST(SessionCommands, insertDateTime_goesInFrontOfTheCaretOrSelection)
{
    const GbText stamp = GbText::fromUtf8("2015年9月1日 8：5：3");
    struct Case {
        int caret;
        int length;
        GbText expected;
    };
    const Case cases[] = {
        {0, 0, stamp + "ab中文"_gb},             // the very start
        {8, 0, "ab中文"_gb + stamp},             // the end: appended
        {2, 4, "ab"_gb + stamp + "中文"_gb},     // a selection is kept, the stamp before it
    };
    for (const Case& c : cases) {
        SessionApp t;
        t.write("ab中文"_gb, c.caret, c.length);
        int changes = 0;
        t.view().on(kEditor, EventKind::TextChanged, [&](Event&) { ++changes; });
        t.view().setFocus("章节名称");
        EXPECT_TRUE(t.key(keys::F5));
        EXPECT_EQ(t.view().text(kEditor), c.expected) << c.caret;
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(t.view().focused(), kEditor);
        EXPECT_TRUE(t.ui.messages.empty());
    }
}

TEST(SessionCommands, insertDateTime_usesTheClockAndTheButton)
{
    SessionApp t;
    t.clock.time = {2015, 12, 31, 23, 59, 59};
    t.write(GbText(), 0);
    t.view().userClick("添加时间");
    EXPECT_EQ(t.view().text(kEditor), GbText::fromUtf8("2015年12月31日 23：59：59"));
    t.write(GbText(), 0);
    EXPECT_TRUE(t.key(keys::F1, keys::Shift));  // any modifiers
    EXPECT_EQ(t.view().text(kEditor), GbText::fromUtf8("2015年12月31日 23：59：59"));
}

TEST(SessionCommands, commandsWhileIdle_onlyExplainThemselves)
{
    TestApp t;
    t.start();
    const GbText before = t.view().text(kEditor);
    t.ui.messages.clear();
    t.view().userClick("添加时间");
    t.view().userClick("放弃编辑");
    EXPECT_EQ(t.ui.messageTexts(), (std::vector<GbText>{"这是一键添加当前时间按钮。请开始书写之后使用本按钮"_gb,
                                                        "还没有开始书写"_gb}));
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
    EXPECT_EQ(t.ui.messages[1].buttonsAndIcon, mb::Ok);
    EXPECT_EQ(t.view().text(kEditor), before);
}

TEST(SessionCommands, abandon_cancelAtEitherQuestionLeavesTheSession)
{
    for (int cancelledAt = 0; cancelledAt < 2; ++cancelledAt) {
        SessionApp t;
        t.write("第一章\r\n正文"_gb, 14);
        if (cancelledAt == 1) t.ui.answers.push_back(answer::Ok);
        t.ui.answers.push_back(answer::Cancel);
        t.view().userClick("放弃编辑");
        ASSERT_EQ(t.ui.messages.size(), static_cast<std::size_t>(cancelledAt + 1));
        EXPECT_EQ(t.ui.messages[0].text, "警告！该操作将会删除所有内容！清空当前软件编辑，但是不影响原文件"_gb);
        EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::OkCancel);
        if (cancelledAt == 1) {
            EXPECT_EQ(t.ui.messages[1].text, "警告！您真的接受初始化软件的一切后果么？"_gb);
        }
        EXPECT_EQ(t.view().text(kEditor), "第一章\r\n正文"_gb);
        EXPECT_FALSE(t.view().enabled("章节名称"));
        EXPECT_TRUE(t.view().enabled(kEditor));
    }
}

// Abandons a session on a loaded document, with the keystroke backup on.
void abandonLoadedDocument(bool besideProgram)
{
    TestApp t;
    TempDir documents;
    const auto document = (besideProgram ? t.programDir.path() : documents.path()) / "第二章.txt";
    writeBytes(document, "old text\r\n");
    t.start();
    t.view().setChecked("自动保存", true);
    t.view().userDropFiles({document});
    ASSERT_FALSE(t.view().enabled("章节名称"));
    ASSERT_EQ(t.state().documentPath, document);
    t.view().userEditText(kEditor, "old text\r\nnew words"_gb);
    t.ui.messages.clear();

    t.ui.answers = {answer::Ok, answer::Ok};
    EXPECT_TRUE(t.view().userKey(kEditor, keys::F12, 0));

    EXPECT_EQ(readBytes(document), "old text\r\n");
    EXPECT_TRUE(t.ui.saveRequests.empty());
    EXPECT_EQ(t.ui.messages.size(), 2u);  // the two questions and nothing else
    EXPECT_EQ(t.view().text(kEditor), "文本已经清空，感谢您的使用"_gb);
    EXPECT_TRUE(t.state().documentPath.empty());
    EXPECT_FALSE(t.state().openedDocument);
    EXPECT_TRUE(t.view().enabled("章节名称"));
    EXPECT_TRUE(t.view().text("章节名称").empty());
    EXPECT_FALSE(t.view().enabled(kEditor));
    EXPECT_TRUE(t.view().enabled("打开按钮"));
    EXPECT_EQ(t.view().caption("开始书写按钮"), "开始书写"_gb);
}

TEST(SessionCommands, abandon_loadedDocumentIsLeftExactlyAsItWasOnDisk)
{
    // Elsewhere, and beside the program where the keystroke backup of its title would go.
    for (const bool besideProgram : {false, true}) {
        SCOPED_TRACE(besideProgram ? "beside the program" : "elsewhere");
        abandonLoadedDocument(besideProgram);
    }
}

TEST(SessionCommands, abandon_inDiaryMode_leavesTheDiaryAndConfirmsTheSettings)
{
    TestApp t;
    t.start();
    t.view().userClick("写日记");
    ASSERT_FALSE(t.view().enabled("颜色"));
    t.view().setChecked("大字体", true);  // not yet stored: only the confirm stores it
    t.ui.answers = {answer::Ok, answer::Ok};
    t.view().userClick("放弃编辑");
    EXPECT_TRUE(t.view().enabled("颜色"));
    EXPECT_EQ(t.view().text("章节名称提示"), "标题/题目："_gb);
    EXPECT_EQ(t.setting("文本设置", "大字体模式"), "真"_gb);
    EXPECT_EQ(t.view().text(kEditor), "文本已经清空，感谢您的使用"_gb);
}

TEST(SessionCommands, editorShortcuts_needCtrlAlone)
{
    SessionApp t;
    t.write("第一章\r\nabc"_gb, 3);
    t.view().setFocus("章节名称");

    EXPECT_FALSE(t.key(keys::A, keys::Ctrl | keys::Shift));
    EXPECT_EQ(t.view().selLength(kEditor), 0);
    EXPECT_FALSE(t.key(keys::F, keys::Ctrl | keys::Alt));
    EXPECT_FALSE(t.key(keys::H, 0));
    EXPECT_FALSE(t.app->findWindow || t.app->replaceWindow);

    EXPECT_TRUE(t.key(keys::A, keys::Ctrl));
    EXPECT_EQ(t.view().focused(), kEditor);
    EXPECT_EQ(t.view().selStart(kEditor), 0);
    EXPECT_EQ(t.view().selLength(kEditor), 11);

    EXPECT_TRUE(t.key(keys::F, keys::Ctrl));
    EXPECT_TRUE(t.app->findWindow);
    EXPECT_TRUE(t.key(keys::H, keys::Ctrl));
    EXPECT_TRUE(t.app->replaceWindow);

    // Other keys are the editor's own.
    EXPECT_FALSE(t.key('B', keys::Ctrl));
    EXPECT_FALSE(t.key(keys::Enter));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(SessionCommands, f2_togglesTheLargeFontWithoutMessageOrSetting)
{
    SessionApp t;
    const GbText stored = t.setting("文本设置", "大字体模式");
    EXPECT_TRUE(t.key(keys::F2, keys::Ctrl));
    EXPECT_TRUE(t.view().checked("大字体"));
    EXPECT_EQ(t.view().fontSize(kEditor), 25);
    EXPECT_TRUE(t.key(keys::F2));
    EXPECT_FALSE(t.view().checked("大字体"));
    EXPECT_EQ(t.view().fontSize(kEditor), 16);
    EXPECT_TRUE(t.key(keys::F2));
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.setting("文本设置", "大字体模式"), stored);

    t.view().userClick("保存设置");
    EXPECT_EQ(t.setting("文本设置", "大字体模式"), "真"_gb);
}

TEST(SessionCommands, enterInTitle_startsTheSessionAndFocusesTheEditor)
{
    TestApp t;
    t.start();
    t.view().userEditText("章节名称", "第三章"_gb);
    EXPECT_FALSE(t.view().userKey("章节名称", 'A', 0));
    EXPECT_TRUE(t.view().enabled("章节名称"));

    EXPECT_TRUE(t.view().userKey("章节名称", keys::Enter, 0));
    EXPECT_FALSE(t.view().enabled("章节名称"));
    EXPECT_EQ(t.view().text(kEditor), "第三章\r\n"_gb);
    EXPECT_EQ(t.view().focused(), kEditor);
}

TEST(SessionCommands, writingClock_countsOnlyDuringASessionWithTwoDigitFields)
{
    SessionApp t;
    for (int i = 0; i < 59; ++i) t.view().timerFired("时钟2");
    EXPECT_EQ(t.clockText(), "你已经连续书写：00:00:59"_gb);
    t.view().timerFired("时钟2");
    EXPECT_EQ(t.clockText(), "你已经连续书写：00:01:00"_gb);

    t.state().writingMinutes = 59;
    t.state().writingSeconds = 59;
    t.view().timerFired("时钟2");
    EXPECT_EQ(t.clockText(), "你已经连续书写：01:00:00"_gb);
    EXPECT_EQ(t.state().writingHours, 1);

    t.state().writingHours = 99;
    t.state().writingMinutes = 59;
    t.state().writingSeconds = 59;
    t.view().timerFired("时钟2");
    EXPECT_EQ(t.clockText(), "你已经连续书写：00:00:00"_gb);  // 100 hours: two digits only
    EXPECT_EQ(t.state().writingHours, 100);

    // Idle: nothing counts and the last text stays; the next session goes on from there.
    t.ui.answers = {answer::Ok, answer::Ok};
    t.view().userClick("放弃编辑");
    t.view().timerFired("时钟2");
    EXPECT_EQ(t.clockText(), "你已经连续书写：00:00:00"_gb);
    EXPECT_EQ(t.state().writingSeconds, 0);
    t.view().setText("章节名称", "第二章"_gb);
    t.view().userClick("开始书写按钮");
    t.view().timerFired("时钟2");
    EXPECT_EQ(t.clockText(), "你已经连续书写：00:00:01"_gb);
}

TEST(SessionCommands, writingClockText_showsTheLastTwoDigits)
{
    EXPECT_EQ(writingClockText(123, 5, 12), "你已经连续书写：23:05:12"_gb);
    EXPECT_EQ(writingClockText(0, 0, 0), "你已经连续书写：00:00:00"_gb);
}

TEST(SessionCommands, autoBackupClick_explainsTheNewStateAndStoresNothing)
{
    TestApp t;
    t.start();
    t.ui.messages.clear();
    const GbText stored = t.setting("软件设置", "自动保存");
    t.view().userClick("自动保存");
    t.view().userClick("自动保存");
    EXPECT_EQ(t.ui.messageTexts(),
              (std::vector<GbText>{"使用自动备份保存后文本会逐字自动保存到软件所在目录。"_gb, "关闭成功"_gb}));
    EXPECT_EQ(t.ui.messages[1].title, "Penlark"_gb);
    EXPECT_EQ(t.setting("软件设置", "自动保存"), stored);
}

} // namespace
} // namespace penlark::test
