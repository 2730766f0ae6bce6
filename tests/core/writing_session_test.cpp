#include "test_app.h"
#include "writing/writing_session.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace penlark::test {
namespace {

namespace fs = std::filesystem;

GbText utf8(const char* text) { return GbText::fromUtf8(text); }

class Session : public testing::Test {
protected:
    TestApp t;

    void SetUp() override
    {
        t.start();
        t.ui.messages.clear();
    }
    MainView& view() { return t.view(); }
    const fs::path& dir() { return t.programDir.path(); }
    void startWith(const char* title)
    {
        view().userEditText("章节名称", utf8(title));
        view().userClick("开始书写按钮");
    }
    void type(const char* text) { view().userEditText("编辑框1", utf8(text)); }
    void pressSave() { view().userClick("开始书写按钮"); }
    // A document opened from disk, as loading leaves it.
    void openDocument(const fs::path& path, const char* title, const char* content)
    {
        writeBytes(path, utf8(content).bytes());
        t.state().documentPath = path;
        t.state().openedDocument = true;
        t.state().openingDocument = true;
        startWith(title);
        t.state().openingDocument = false;
        view().setText("编辑框1", utf8(content));
    }

    void expectWriting(const char* title)
    {
        EXPECT_FALSE(view().enabled("章节名称"));
        EXPECT_EQ(view().text("章节名称"), utf8(title));
        EXPECT_TRUE(view().enabled("编辑框1"));
        EXPECT_FALSE(view().enabled("写日记"));
        EXPECT_FALSE(view().enabled("打开按钮"));
        EXPECT_EQ(view().caption("开始书写按钮"), "立刻保存"_gb);
    }
    void expectIdleAfterSave()
    {
        EXPECT_TRUE(view().enabled("章节名称"));
        EXPECT_EQ(view().text("章节名称"), GbText());
        EXPECT_FALSE(view().enabled("编辑框1"));
        EXPECT_EQ(view().text("编辑框1"), "文本已经保存，感谢您的使用"_gb);
        EXPECT_TRUE(view().enabled("写日记"));
        EXPECT_TRUE(view().enabled("打开按钮"));
        EXPECT_EQ(view().caption("开始书写按钮"), "开始书写"_gb);
        EXPECT_TRUE(t.state().documentPath.empty());
        EXPECT_FALSE(t.state().openedDocument);
    }
    // confirmSettings stores the check box; the session leaves it alone otherwise.
    void toggleBackupBoxUnsaved() { view().setChecked("自动保存", !view().checked("自动保存")); }
    bool settingsConfirmed() { return t.setting("软件设置", "自动保存") == (view().checked("自动保存") ? "真"_gb : "假"_gb); }
};

TEST_F(Session, emptyTitle_asksForOneAndChangesNothing)
{
    const GbText welcome = view().text("编辑框1");
    pressSave();
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text,
              "您还没有输入标题呢。写小说就在标题中输入章节数和章节题目。记笔记填写课程信息即可\r\n标题会作为文件名。"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok);
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
    EXPECT_TRUE(view().enabled("章节名称"));
    EXPECT_EQ(view().text("编辑框1"), welcome);
}

TEST_F(Session, start_writesTheTitleLineAndLocksTheTitle)
{
    startWith("第一章 开端");
    expectWriting("第一章 开端");
    EXPECT_EQ(view().text("编辑框1"), "第一章 开端\r\n"_gb);
    EXPECT_EQ(view().selStart("编辑框1"), static_cast<int>("第一章 开端\r\n"_gb.size()));
    EXPECT_EQ(view().control("编辑框1").alignment, 0);
    EXPECT_EQ(view().focused(), "编辑框1");
    EXPECT_EQ(t.view().statusPart("状态条1", 0).text, "当前字数：  5"_gb);
}

TEST_F(Session, newText_dialogProposesTheTitleInTheProgramDirectory_cancelKeepsTheSession)
{
    startWith("第一章");
    type("第一章\r\n天色已晚。");
    view().setText("章节名称提示", "日记："_gb);
    pressSave();

    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    const FileDialogRequest& request = t.ui.saveRequests[0];
    EXPECT_EQ(request.initialDirectory, dir());
    EXPECT_EQ(request.proposedName, fs::path("第一章"));
    EXPECT_EQ(request.filter, "文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|"_gb);
    EXPECT_EQ(request.defaultExtension, "txt"_gb);

    EXPECT_EQ(view().text("章节名称提示"), "标题/题目："_gb);
    expectWriting("第一章");
    EXPECT_EQ(view().text("编辑框1"), utf8("第一章\r\n天色已晚。"));
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_FALSE(fs::exists(dir() / "第一章.txt"));
}

TEST_F(Session, startTypeSave_writesCodePageBytesWithCrLfAndNoMark)
{
    view().userEditText("章节名称", utf8("第一章 开端"));
    view().userClick("开始书写按钮");
    view().userEditText("编辑框1", utf8("第一章 开端\r\n天色已晚，he said “走吧”。\r\n€𠀀\r\n"));
    toggleBackupBoxUnsaved();
    t.ui.dialogAnswers.push_back(dir() / "第一章 开端.txt");
    view().userClick("开始书写按钮");

    const std::string expected = "\xb5\xda\xd2\xbb\xd5\xc2 \xbf\xaa\xb6\xcb\r\n"  // 第一章 开端
                                 "\xcc\xec\xc9\xab\xd2\xd1\xcd\xed\xa3\xac"       // 天色已晚，
                                 "he said \xa1\xb0\xd7\xdf\xb0\xc9\xa1\xb1\xa1\xa3\r\n"
                                 "\x80\x95\x32\x82\x36\r\n";  // the euro sign, U+20000 as GB18030
    EXPECT_EQ(readBytes(dir() / "第一章 开端.txt"), expected);
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"保存成功！"_gb});
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
    expectIdleAfterSave();
    EXPECT_FALSE(settingsConfirmed());  // outside diary mode a new text does not confirm the settings
    EXPECT_EQ(t.view().statusPart("状态条1", 0).text, "当前字数：  13"_gb);

    // The same title again is a new text: the dialog comes back.
    startWith("第一章 开端");
    pressSave();
    EXPECT_EQ(t.ui.saveRequests.size(), 2u);
    expectWriting("第一章 开端");
}

TEST_F(Session, newDiary_confirmsTheSettingsAfterSaving)
{
    view().setEnabled("颜色", false);
    startWith("2015年9月1日");
    toggleBackupBoxUnsaved();
    t.ui.dialogAnswers.push_back(dir() / "日记.txt");
    pressSave();
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"保存成功！"_gb});
    EXPECT_TRUE(settingsConfirmed());
}

TEST_F(Session, openedDocument_yesOverwritesIt)
{
    const fs::path document = dir() / "稿件" / "第1章.草稿.txt";
    fs::create_directory(dir() / "稿件");
    openDocument(document, "第1章", "旧的正文\r\n");
    type("新的正文\r\n");
    toggleBackupBoxUnsaved();
    t.ui.answers.push_back(answer::Yes);
    pressSave();

    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text,
              "覆盖原文件保存么？\r\n是：覆盖原文件 否：选择其他位置 取消：放弃保存\r\n如果想清空正在编辑的文件可以点击F12"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::YesNoCancel);
    EXPECT_EQ(t.ui.messages[0].title, "Penlark"_gb);
    EXPECT_EQ(t.ui.messages[1].text, "文件已经保存"_gb);
    EXPECT_TRUE(t.ui.saveRequests.empty());
    EXPECT_EQ(readBytes(document), "新的正文\r\n"_gb.bytes());
    expectIdleAfterSave();
    EXPECT_TRUE(settingsConfirmed());
}

TEST_F(Session, openedDocument_noThenDialog)
{
    const fs::path document = dir() / "第1章.txt";
    openDocument(document, "第1章", "旧的正文");
    type("新的正文");

    // No, then cancel: nothing written, the session goes on.
    t.ui.answers.push_back(answer::No);
    pressSave();
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    EXPECT_EQ(t.ui.saveRequests[0].proposedName, fs::path("第1章"));
    expectWriting("第1章");
    EXPECT_EQ(t.state().documentPath, document);
    EXPECT_EQ(readBytes(document), "旧的正文"_gb.bytes());

    // No, then a new place.
    t.ui.answers.push_back(answer::No);
    t.ui.dialogAnswers.push_back(dir() / "第1章 修订.plk");
    pressSave();
    EXPECT_EQ(readBytes(dir() / "第1章 修订.plk"), "新的正文"_gb.bytes());
    EXPECT_EQ(readBytes(document), "旧的正文"_gb.bytes());
    EXPECT_EQ(t.ui.messageTexts().back(), "文件已经保存"_gb);
    expectIdleAfterSave();
}

TEST_F(Session, openedDocument_cancelOrClosedBoxKeepsTheSession)
{
    const fs::path document = dir() / "第1章.txt";
    openDocument(document, "第1章", "旧的正文");
    type("新的正文");
    for (const int choice : {answer::Cancel, answer::Ok}) {
        t.ui.answers.push_back(choice);
        pressSave();
        expectWriting("第1章");
        EXPECT_EQ(view().text("编辑框1"), "新的正文"_gb);
        EXPECT_EQ(t.state().documentPath, document);
        EXPECT_TRUE(t.state().openedDocument);
    }
    EXPECT_TRUE(t.ui.saveRequests.empty());
    EXPECT_EQ(readBytes(document), "旧的正文"_gb.bytes());
}

// A failed write must not pass for a save: the session, its text and its path stay, and
// nothing partial is left on disk.
TEST_F(Session, failedSave_keepsTheSessionAndSaysSo)
{
    fs::create_directory(dir() / "同名文件夹.txt");
    const fs::path targets[] = {dir() / "没有的文件夹" / "第一章.txt", dir() / "同名文件夹.txt"};
    startWith("第一章");
    type("第一章\r\n正文");
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        t.ui.messages.clear();
        t.ui.dialogAnswers.push_back(target);
        pressSave();
        ASSERT_EQ(t.ui.messages.size(), 1u);
        EXPECT_TRUE(t.ui.messages[0].text.startsWith("保存失败"_gb)) << t.ui.messages[0].text;
        EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok | mb::IconError);
        expectWriting("第一章");
        EXPECT_EQ(view().text("编辑框1"), utf8("第一章\r\n正文"));
        EXPECT_TRUE(t.state().documentPath.empty());
    }
    EXPECT_FALSE(fs::exists(dir() / "没有的文件夹"));
    EXPECT_TRUE(fs::is_empty(dir() / "同名文件夹.txt"));

    // A later save to a good place goes through.
    t.ui.messages.clear();
    t.ui.dialogAnswers.push_back(dir() / "第一章.txt");
    pressSave();
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"保存成功！"_gb});
}

TEST_F(Session, closingWhenTheSaveCannotBeWritten_keepsTheWindowAndTheText)
{
    startWith("第一章");
    type("第一章\r\n正文");
    Event closing;
    closing.kind = EventKind::Destroying;
    closing.control = "MainWindow";

    // A failed write keeps the window open, with the session, and leaves setting.ini writable.
    t.ui.dialogAnswers.push_back(dir() / "没有的文件夹" / "第一章.txt");
    view().raise(closing);
    EXPECT_TRUE(closing.handled);
    expectWriting("第一章");
    EXPECT_FALSE(t.settings.attributes(SettingsLocation::ProgramDirectory).readOnly);

    // Cancelling the dialog is the writer's choice: the window closes.
    closing.handled = false;
    view().raise(closing);
    EXPECT_FALSE(closing.handled);
    EXPECT_TRUE(t.settings.attributes(SettingsLocation::ProgramDirectory).readOnly);
}

TEST_F(Session, failedOverwrite_keepsTheDocumentAndItsPath)
{
    const fs::path document = dir() / "只读.txt";
    openDocument(document, "只读", "原文");
    ::chmod(document.c_str(), 0444);
    type("改过的");
    view().setEnabled("颜色", false);  // a diary stays a diary
    t.ui.answers.push_back(answer::Yes);
    pressSave();

    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_TRUE(t.ui.messages[1].text.startsWith("保存失败"_gb));
    expectWriting("只读");
    EXPECT_EQ(view().text("编辑框1"), "改过的"_gb);
    EXPECT_EQ(t.state().documentPath, document);
    EXPECT_TRUE(t.state().openedDocument);
    EXPECT_FALSE(view().enabled("颜色"));
    EXPECT_EQ(readBytes(document), "原文"_gb.bytes());
    for (const auto& entry : fs::directory_iterator(dir())) {
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

// With the keystroke backup on, the proposed save path is the backup's own path. The
// closing notice must not then replace the saved chapter.
TEST_F(Session, saveBesideTheProgramWithBackupOn_keepsTheSavedText)
{
    view().setChecked("自动保存", true);
    startWith("第一章");
    type("第一章\r\n天色已晚。");
    t.ui.dialogAnswers.push_back(dir() / "第一章.txt");
    pressSave();
    EXPECT_EQ(readBytes(dir() / "第一章.txt"), utf8("第一章\r\n天色已晚。").bytes());
}

TEST_F(Session, abandonWithBackupOn_keepsTheBackupAndTheOpenedDocument)
{
    view().setChecked("自动保存", true);
    startWith("新稿");
    type("新稿\r\n写了一半");
    endSessionView(*t.app, clearedNotice(), {});
    EXPECT_EQ(readBytes(dir() / "新稿.txt"), utf8("新稿\r\n写了一半").bytes());
    EXPECT_EQ(view().text("编辑框1"), "文本已经清空，感谢您的使用"_gb);
    EXPECT_TRUE(t.ui.messages.empty());

    const fs::path document = dir() / "旧稿.txt";
    openDocument(document, "旧稿", "旧稿\r\n原文");
    type("旧稿\r\n原文，改了");
    endSessionView(*t.app, clearedNotice(), {});
    EXPECT_EQ(readBytes(document), utf8("旧稿\r\n原文").bytes());
}

} // namespace
} // namespace penlark::test
