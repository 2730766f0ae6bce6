#include "writing/diary_mode.h"

#include "test_app.h"

#include <gtest/gtest.h>

namespace penlark::test {
namespace {

const GbText& todayTitle()
{
    static const GbText title = GbText::fromUtf8("2015年9月1日     by：Penlark日记");
    return title;
}

bool inDiaryMode(TestApp& t)
{
    return !t.view().enabled("颜色") && t.view().backColor("编辑框1") == 0x0080FF &&
           t.view().backColor("MainWindow") == 0x0080FF && t.view().textColor("编辑框1") == 0xFFFFFF &&
           t.view().interval("时钟1") == 0;
}

// A started program with saved colours, then a diary begun.
struct DiaryApp : TestApp {
    DiaryApp()
    {
        start();
        writeSetting("文本设置", "背景颜色", "255");
        writeSetting("文本设置", "文本颜色", "黑色");
        ui.messages.clear();
        view().userClick("写日记");
    }
};

TEST(DiaryMode, enter_startsADatedSessionInDiaryColoursWithTheTipsStopped)
{
    DiaryApp t;
    EXPECT_EQ(t.view().text("章节名称"), todayTitle());
    EXPECT_EQ(t.view().text("编辑框1"), todayTitle() + "\r\n"_gb);
    EXPECT_EQ(t.view().selStart("编辑框1"), static_cast<int>(todayTitle().size() + 2));
    EXPECT_EQ(t.view().text("章节名称提示"), "日记时间："_gb);
    EXPECT_TRUE(inDiaryMode(t));
    EXPECT_FALSE(t.view().enabled("章节名称"));
    EXPECT_FALSE(t.view().enabled("写日记"));
    EXPECT_TRUE(t.view().enabled("编辑框1"));
    EXPECT_EQ(t.view().control("编辑框1").alignment, 0);
    EXPECT_EQ(t.view().focused(), "编辑框1");
    EXPECT_EQ(t.view().statusPart("状态条1", 2).text, "日记模式"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_TRUE(t.ui.messages[0].text.startsWith("您已经进入了专属的写日记模式"_gb));
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);

    // The ticker is silent for the whole diary.
    t.view().timerFired("时钟1");
    EXPECT_EQ(t.view().statusPart("状态条1", 2).text, "日记模式"_gb);
}

TEST(DiaryMode, titleAlreadyTyped_isRefusedAndNothingChanges)
{
    TestApp t;
    t.start();
    t.view().userEditText("章节名称", "第一章"_gb);
    t.ui.messages.clear();
    t.view().userClick("写日记");
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"请清空章节名称直接点击写日记"_gb});
    EXPECT_EQ(t.view().text("章节名称"), "第一章"_gb);
    EXPECT_TRUE(t.view().enabled("颜色"));
    EXPECT_TRUE(t.view().enabled("章节名称"));
    EXPECT_EQ(t.view().interval("时钟1"), 7500);
}

TEST(DiaryMode, diaryTitle_hasNoZeroPadding)
{
    EXPECT_EQ(diaryTitle({2016, 12, 31, 23, 59, 59}), GbText::fromUtf8("2016年12月31日     by：Penlark日记"));
}

TEST(DiaryMode, savedDiary_restoresTheSavedColoursThenConfirmsTheSettings)
{
    DiaryApp t;
    t.view().setVisible("关于", true);
    t.ui.dialogAnswers = {t.programDir / "diary.txt"};
    t.view().userClick("开始书写按钮");

    EXPECT_EQ(readBytes(t.programDir / "diary.txt"), (todayTitle() + "\r\n"_gb).bytes());
    EXPECT_TRUE(t.view().enabled("颜色"));
    EXPECT_EQ(t.view().selectedColor("颜色"), 255);
    EXPECT_EQ(t.view().backColor("MainWindow"), 255);
    EXPECT_EQ(t.view().backColor("编辑框1"), 255);
    EXPECT_EQ(t.view().textColor("编辑框1"), 0x000000);
    EXPECT_EQ(t.view().textColor("章节名称提示"), 0x000000);
    EXPECT_EQ(t.view().text("章节名称提示"), "标题/题目："_gb);
    EXPECT_EQ(t.view().interval("时钟1"), 7500);
    EXPECT_EQ(t.setting("日记", "最后一次日记"), "201591"_gb);
    // confirmSettings followed the restore: it saved the restored colour, closed the panel
    // and a tip replaced "日记模式".
    EXPECT_FALSE(t.view().visible("关于"));
    EXPECT_EQ(t.setting("文本设置", "背景颜色"), "255"_gb);
    EXPECT_NE(t.view().statusPart("状态条1", 2).text, "日记模式"_gb);
    EXPECT_EQ(t.ui.messageTexts().back(), "保存成功！"_gb);
}

TEST(DiaryMode, saveDialogCancelled_keepsTheDiaryGoing)
{
    DiaryApp t;
    t.view().userClick("开始书写按钮");
    EXPECT_TRUE(inDiaryMode(t));
    EXPECT_EQ(t.view().text("章节名称提示"), "标题/题目："_gb);
    EXPECT_EQ(t.setting("日记", "最后一次日记"), GbText());
    EXPECT_EQ(t.view().statusPart("状态条1", 2).text, "日记模式"_gb);
}

TEST(DiaryMode, closingTheProgram_recordsTheDiaryBeforeAskingAndDoesNotConfirm)
{
    DiaryApp t;
    t.view().setVisible("关于", true);
    t.stop();  // the save dialog is cancelled
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    EXPECT_EQ(t.setting("日记", "最后一次日记"), "201591"_gb);
    EXPECT_TRUE(t.view().enabled("颜色"));
    EXPECT_EQ(t.view().backColor("编辑框1"), 255);
    EXPECT_TRUE(t.view().visible("关于"));
    EXPECT_EQ(t.view().text("章节名称提示"), "日记时间："_gb);
}

TEST(DiaryMode, abandonedDiary_recordsTheMarkerWithoutSavingAndConfirms)
{
    DiaryApp t;
    t.view().setVisible("关于", true);
    t.ui.answers = {answer::Ok, answer::Ok};
    t.view().userClick("放弃编辑");

    EXPECT_TRUE(t.ui.saveRequests.empty());
    EXPECT_EQ(t.setting("日记", "最后一次日记"), "201591"_gb);
    EXPECT_TRUE(t.view().enabled("颜色"));
    EXPECT_EQ(t.view().backColor("编辑框1"), 255);
    EXPECT_EQ(t.view().textColor("章节名称提示"), 0x000000);
    EXPECT_EQ(t.view().text("章节名称提示"), "标题/题目："_gb);
    EXPECT_EQ(t.view().interval("时钟1"), 7500);
    EXPECT_FALSE(t.view().visible("关于"));
    EXPECT_EQ(t.setting("文本设置", "背景颜色"), "255"_gb);
}

TEST(DiaryMode, abandonCancelled_keepsTheDiary)
{
    DiaryApp t;
    t.ui.answers = {answer::Ok, answer::Cancel};
    t.view().userClick("放弃编辑");
    EXPECT_TRUE(inDiaryMode(t));
    EXPECT_EQ(t.setting("日记", "最后一次日记"), GbText());
}

TEST(DiaryMode, leave_withoutSavedBackground_restoresBlack)
{
    TestApp t;
    t.start();
    t.view().userClick("写日记");
    leaveDiaryMode(*t.app);
    EXPECT_EQ(t.view().backColor("MainWindow"), 0);
    EXPECT_EQ(t.view().textColor("编辑框1"), 0xFFFFFF);  // "文本颜色" is "白色" since the first start
}

} // namespace
} // namespace penlark::test
