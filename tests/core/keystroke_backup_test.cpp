#include "stats/keystroke_backup.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>
#include <string>

namespace penlark::test {
namespace {

namespace fs = std::filesystem;

GbText utf8(const std::string& text) { return GbText::fromUtf8(text); }

GbText repeated(const char* utf8Piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += utf8Piece;
    return GbText::fromUtf8(text);
}

std::set<fs::path> textFilesIn(const fs::path& dir)
{
    std::set<fs::path> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.path().extension() == ".txt") names.insert(entry.path());
    }
    return names;
}

class Backup : public testing::Test {
protected:
    TestApp t;
    const fs::path& dir() { return t.programDir.path(); }
    void start(const std::string& title)
    {
        t.view().setChecked("自动保存", true);
        t.view().userEditText("章节名称", utf8(title));
        t.view().userClick("开始书写按钮");
    }
    void type(const GbText& text) { t.view().userEditText("编辑框1", text); }
};

TEST_F(Backup, everyEditIsCopiedBesideTheProgram)
{
    start("第一章");
    EXPECT_EQ(readBytes(dir() / "第一章.txt"), "第一章\r\n"_gb.bytes());
    type(utf8("第一章\r\n天色"));
    EXPECT_EQ(readBytes(dir() / "第一章.txt"), utf8("第一章\r\n天色").bytes());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(Backup, uncheckedBox_writesNothing)
{
    start("第一章");
    t.view().setChecked("自动保存", false);
    fs::remove(dir() / "第一章.txt");
    type(utf8("第一章\r\n天色"));
    EXPECT_FALSE(fs::exists(dir() / "第一章.txt"));
}

TEST_F(Backup, emptyTitle_goesToDotTxt)
{
    t.view().setChecked("自动保存", true);
    t.view().setEnabled("章节名称", false);
    type(utf8("无题"));
    EXPECT_EQ(readBytes(dir() / ".txt"), "无题"_gb.bytes());
}

TEST_F(Backup, titleThatIsNoPlainFileName_isSkippedSilently)
{
    // Named after the test folder so that a stray write cannot meet another file.
    const std::string escape = dir().filename().string() + "-escape";
    const fs::path outside = dir().parent_path() / (escape + ".txt");
    for (const std::string& title : {"../" + escape, std::string("a/b"), "..\\" + escape, "/" + escape}) {
        SCOPED_TRACE(title);
        TestApp app;
        fs::create_directory(app.programDir / "a");
        app.view().setChecked("自动保存", true);
        app.view().userEditText("章节名称", utf8(title));
        app.view().userClick("开始书写按钮");
        app.view().userEditText("编辑框1", utf8(title + "\r\n正文"));
        const bool escaped = fs::exists(outside);
        fs::remove(outside);
        EXPECT_FALSE(escaped);
        EXPECT_EQ(textFilesIn(app.programDir.path()), std::set<fs::path>{});
        EXPECT_TRUE(app.ui.messages.empty());
        EXPECT_FALSE(app.view().enabled("章节名称"));
    }
}

TEST(BackupPath, onlyPlainFileNamesDirectlyInTheProgramDirectory)
{
    const fs::path dir = "/opt/penlark";
    EXPECT_EQ(backupPathFor(dir, "第一章"_gb), dir / "第一章.txt");
    EXPECT_EQ(backupPathFor(dir, GbText()), dir / ".txt");
    EXPECT_EQ(backupPathFor(dir, GbText::fromBytes("..")), dir / "...txt");
    for (const char* title : {"../x", "a/b", "a\\b", "/x"}) {
        EXPECT_EQ(backupPathFor(dir, GbText::fromBytes(title)), std::nullopt) << title;
    }
    EXPECT_EQ(backupPathFor(dir, GbText::fromBytes(std::string("a\0b", 3))), std::nullopt);
}

TEST_F(Backup, openedDocumentBesideTheProgram_isNotWrittenByTheBackup)
{
    const fs::path document = dir() / "旧稿.txt";
    writeBytes(document, "旧稿\r\n原文"_gb.bytes());
    t.state().documentPath = document;
    start("旧稿");
    type(utf8("旧稿\r\n改过的"));
    EXPECT_EQ(readBytes(document), "旧稿\r\n原文"_gb.bytes());
}

TEST_F(Backup, unwritableBackup_isSkippedSilently)
{
    start("第一章");
    ::chmod((dir() / "第一章.txt").c_str(), 0444);
    type(utf8("第一章\r\n天色"));
    EXPECT_EQ(readBytes(dir() / "第一章.txt"), "第一章\r\n"_gb.bytes());
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.view().text("编辑框1"), utf8("第一章\r\n天色"));
}

struct VolumeCase {
    const char* name;
    GbText text;
    std::set<std::string> marked;
};

class DailyVolume : public testing::TestWithParam<VolumeCase> {};

TEST_P(DailyVolume, marksEveryThresholdStrictlyPassed)
{
    TestApp t;
    t.view().userEditText("编辑框1", GetParam().text);
    std::set<std::string> marked;
    for (const char* key : {"1000字", "8000字", "20000字", "100000字"}) {
        const GbText value = t.setting("软件设置", key);
        if (value.empty()) continue;
        EXPECT_EQ(value, "201591"_gb);
        marked.insert(key);
    }
    EXPECT_EQ(marked, GetParam().marked);
}

INSTANTIATE_TEST_SUITE_P(
    KeystrokeBackup, DailyVolume,
    testing::Values(VolumeCase{"chinese1001", repeated("字", 1001), {"1000字"}},
                    VolumeCase{"chinese1000", repeated("字", 1000), {}},
                    VolumeCase{"chinese8001", repeated("字", 8001), {"1000字", "8000字"}},
                    VolumeCase{"lineBreakIsOne", repeated("字", 999) + "\r\n"_gb, {}},
                    VolumeCase{"twoLineBreaks", repeated("字", 999) + "\r\n\r\n"_gb, {"1000字"}},
                    VolumeCase{"letters2001", repeated("a", 2001), {}},
                    VolumeCase{"letters2003", repeated("a", 2003), {"1000字"}},
                    VolumeCase{"spacesDoNotCount", repeated("字 ", 1000), {}},
                    VolumeCase{"chinese100001", repeated("字", 100001), {"1000字", "8000字", "20000字", "100000字"}}),
    [](const testing::TestParamInfo<VolumeCase>& info) { return std::string(info.param.name); });

TEST(DailyVolumeMarkers, openedDocument_marksNothing)
{
    TestApp t;
    t.state().openedDocument = true;
    t.view().userEditText("编辑框1", repeated("字", 9000));
    EXPECT_EQ(t.setting("软件设置", "1000字"), GbText());
    EXPECT_EQ(t.setting("软件设置", "8000字"), GbText());
}

TEST(DailyVolumeMarkers, todaysMarkerStays_anEarlierDayIsReplaced)
{
    TestApp t;
    t.writeSetting("软件设置", "1000字", "201591");
    t.writeSetting("软件设置", "8000字", "20159");
    t.view().userEditText("编辑框1", repeated("字", 8001));
    EXPECT_EQ(t.setting("软件设置", "1000字"), "201591"_gb);
    EXPECT_EQ(t.setting("软件设置", "8000字"), "201591"_gb);

    // Deleting text clears nothing; the next day marks again.
    t.clock.time = {2015, 9, 2, 0, 0, 1};
    t.view().userEditText("编辑框1", {});
    EXPECT_EQ(t.setting("软件设置", "8000字"), "201591"_gb);
    t.view().userEditText("编辑框1", repeated("字", 1001));
    EXPECT_EQ(t.setting("软件设置", "1000字"), "201592"_gb);
    EXPECT_EQ(t.setting("软件设置", "8000字"), "201591"_gb);
}

TEST(DailyVolumeMarkers, volumeCount_halvesTheBytesWithoutSpaces)
{
    EXPECT_EQ(volumeCount({}), 0);
    EXPECT_EQ(volumeCount(GbText::fromBytes("a")), 0);
    EXPECT_EQ(volumeCount(utf8("中 文")), 2);
    EXPECT_EQ(volumeCount(utf8("中\r\n")), 2);
    EXPECT_EQ(volumeCount(utf8("中\t　")), 2);  // tab and full-width space stay
}

} // namespace
} // namespace penlark::test
