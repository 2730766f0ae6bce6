#include "test_app.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <string>

namespace penlark::test {
namespace {

namespace fs = std::filesystem;
constexpr auto kProgram = SettingsLocation::ProgramDirectory;

std::string gb(const char* utf8) { return GbText::fromUtf8(utf8).bytes(); }

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// The binding reports the window's size when it first appears, which runs the layout.
void showWindow(TestApp& t) { t.view().raise("MainWindow", EventKind::SizeChanged); }

TEST(Startup, firstRun_appliesDefaultsAndRecordsToday)
{
    TestApp t;
    t.start();
    EXPECT_EQ(t.view().width("MainWindow"), 1119);
    EXPECT_EQ(t.view().height("MainWindow"), 838);
    EXPECT_EQ(t.view().textColor("编辑框1"), 0xFFFFFF);
    EXPECT_EQ(t.view().text("当前颜色标签"), "白色"_gb);
    EXPECT_EQ(t.setting("文本设置", "文本颜色"), "白色"_gb);
    EXPECT_EQ(t.setting("软件设置", "最后一次登录"), "201591"_gb);
    EXPECT_EQ(t.view().text("积分显示"), "当前积分： 0"_gb);
    EXPECT_EQ(t.state().pointsBalance, 0);
    EXPECT_FALSE(t.state().openedDocument);

    // The settings panel's initial state is stored.
    EXPECT_EQ(t.setting("文本设置", "背景颜色"), "0"_gb);
    EXPECT_EQ(t.setting("软件设置", "自动保存"), "假"_gb);
    EXPECT_EQ(t.setting("文本设置", "大字体模式"), "假"_gb);
    EXPECT_EQ(t.setting("软件设置", "按钮类型"), "0"_gb);
    EXPECT_EQ(t.setting("软件设置", "小提示类型"), "0"_gb);

    EXPECT_EQ(t.view().text("版本标签"), "Penlark5—你的原创写作助手 v5.5 2015-九月版"_gb);
    EXPECT_TRUE(t.view().visible("状态条1"));
    EXPECT_FALSE(t.view().visible("关于"));
    EXPECT_FALSE(t.settings.attributes(kProgram).readOnly);
    ASSERT_EQ(t.ui.trayCalls.size(), 1u);
    EXPECT_EQ(t.ui.trayCalls[0], std::make_pair(Picture::ProgramIcon, "Penlark—你的原创写作助手"_gb));

    showWindow(t);
    EXPECT_EQ(t.setting("软件设置", "高度"), "838"_gb);
    EXPECT_EQ(t.setting("软件设置", "宽度"), "1119"_gb);
    EXPECT_TRUE(t.ui.messages.empty());
}

// A setting.ini as the last run left it: read-only.
const char* const kSaved = "[软件设置]\r\n高度=600\r\n宽度=800\r\n状态栏=隐藏\r\n自动保存=真\r\n按钮类型=1\r\n"
                           "小提示类型=2\r\n[文本设置]\r\n文本颜色=黑色\r\n背景颜色=255\r\n大字体模式=真\r\n";

TEST(Startup, restoresSizeColoursStatusBarAutoBackupAndChoices)
{
    TestApp t;
    writeBytes(t.programDir / "setting.ini", gb(kSaved));
    t.settings.setAttributes(kProgram, {.readOnly = true, .hidden = true, .system = true});
    t.start();
    showWindow(t);
    MainView& view = t.view();
    EXPECT_EQ(view.width("MainWindow"), 800);
    EXPECT_EQ(view.height("MainWindow"), 600);
    EXPECT_FALSE(view.visible("状态条1"));
    EXPECT_TRUE(view.checked("状态栏选择"));
    EXPECT_TRUE(view.checked("自动保存"));
    EXPECT_FALSE(view.checked("大字体")) << "large-font mode is not restored";
    EXPECT_EQ(view.selectedColor("颜色"), 255);
    EXPECT_EQ(view.backColor("MainWindow"), 255);
    EXPECT_EQ(view.backColor("编辑框1"), 255);
    EXPECT_EQ(view.textColor("编辑框1"), 0x000000);
    EXPECT_EQ(view.text("当前颜色标签"), "黑色"_gb);
    EXPECT_EQ(view.selectedIndex("按钮类型"), 1);
    EXPECT_EQ(view.selectedIndex("提示类型"), 2);
    EXPECT_EQ(view.height("编辑框1"), 600 - 80);

    // The read-only mark of the last exit is cleared and the settings are written back.
    EXPECT_FALSE(t.settings.attributes(kProgram).readOnly);
    EXPECT_EQ(t.setting("软件设置", "最后一次登录"), "201591"_gb);
    EXPECT_EQ(t.setting("软件设置", "按钮类型"), "1"_gb);
    EXPECT_EQ(t.setting("软件设置", "高度"), "600"_gb);
    EXPECT_EQ(t.setting("软件设置", "宽度"), "800"_gb);
    EXPECT_EQ(t.setting("文本设置", "文本颜色"), "黑色"_gb);
}

TEST(Startup, writableSettingsAfterACrashKeepBothSavedDimensions)
{
    // Applying the height runs the layout, which saves the size; the width must already
    // have been read by then.
    TestApp t;
    writeBytes(t.programDir / "setting.ini", gb("[软件设置]\r\n高度=600\r\n宽度=800\r\n"));
    t.start();
    EXPECT_EQ(t.view().width("MainWindow"), 800);
    EXPECT_EQ(t.view().height("MainWindow"), 600);
    EXPECT_EQ(t.setting("软件设置", "宽度"), "800"_gb);
}

struct WordCase {
    const char* key;
    const char* value;  // nullptr: the key is absent
    bool special;
    friend void PrintTo(const WordCase& c, std::ostream* out)
    {
        *out << c.key << '=' << (c.value != nullptr ? c.value : "(absent)");
    }
};

class StartupWords : public ::testing::TestWithParam<WordCase> {};

TEST_P(StartupWords, onlyTheExactWordSelectsTheSpecialCase)
{
    TestApp t;
    std::string file = gb("[软件设置]\r\n高度=838\r\n宽度=1119\r\n");
    if (GetParam().value != nullptr) file += gb("状态栏=") + gb(GetParam().value) + "\r\n";
    if (GetParam().value != nullptr) file += gb("自动保存=") + gb(GetParam().value) + "\r\n";
    writeBytes(t.programDir / "setting.ini", file);
    t.start();
    if (std::string(GetParam().key) == "状态栏") {
        EXPECT_EQ(t.view().visible("状态条1"), !GetParam().special);
        EXPECT_EQ(t.view().checked("状态栏选择"), GetParam().special);
    } else {
        EXPECT_EQ(t.view().checked("自动保存"), GetParam().special);
    }
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupWords,
                         ::testing::Values(WordCase{"状态栏", "隐藏", true}, WordCase{"状态栏", "显示", false},
                                           WordCase{"状态栏", "hidden", false}, WordCase{"状态栏", "", false},
                                           WordCase{"状态栏", nullptr, false}, WordCase{"状态栏", "隐藏了", false},
                                           WordCase{"自动保存", "真", true}, WordCase{"自动保存", "true", false},
                                           WordCase{"自动保存", "1", false}, WordCase{"自动保存", "假", false},
                                           WordCase{"自动保存", nullptr, false}));

TEST(Startup, balanceComesFromTheWorkingDirectoryAndEverythingElseFromTheProgramDirectory)
{
    TestApp t;
    TempDir elsewhere;
    writeBytes(t.programDir / "setting.ini", gb("[软件设置]\r\n高度=700\r\n宽度=900\r\n[运行情况]\r\n运行=5\r\n"));
    const std::string working = gb("[运行情况]\r\n运行=88\r\n[软件设置]\r\n高度=100\r\n宽度=100\r\n");
    writeBytes(elsewhere / "setting.ini", working);
    WorkingDirectory cwd(elsewhere.path());
    t.start();
    showWindow(t);
    EXPECT_EQ(t.state().pointsBalance, 88);
    EXPECT_EQ(t.view().text("积分显示"), "当前积分： 88"_gb);
    EXPECT_EQ(t.view().width("MainWindow"), 900);
    EXPECT_EQ(t.view().height("MainWindow"), 700);
    EXPECT_EQ(t.setting("软件设置", "最后一次登录"), "201591"_gb);

    t.stop();
    // Only the program directory's file was written to and marked.
    EXPECT_EQ(readBytes(elsewhere / "setting.ini"), working);
    EXPECT_NE(modeOf(elsewhere / "setting.ini") & S_IWUSR, 0u);
    EXPECT_TRUE(t.settings.attributes(kProgram).readOnly);
}

TEST(Startup, noWorkingDirectoryFileGivesABalanceOfZeroAndCreatesNone)
{
    TestApp t;
    TempDir elsewhere;
    WorkingDirectory cwd(elsewhere.path());
    t.start();
    t.stop();
    EXPECT_EQ(t.state().pointsBalance, 0);
    EXPECT_EQ(t.view().text("积分显示"), "当前积分： 0"_gb);
    EXPECT_FALSE(fs::exists(elsewhere / "setting.ini"));
    EXPECT_TRUE(fs::exists(t.programDir / "setting.ini"));
}

TEST(Startup, stopMarksTheFileReadOnlyRemovesTheTrayIconAndTheNextStartClearsTheMark)
{
    TestApp t;
    t.start();
    showWindow(t);
    t.view().userResize(1000, 700);
    t.stop();
    EXPECT_TRUE(t.settings.attributes(kProgram).readOnly);
    EXPECT_EQ(modeOf(t.programDir / "setting.ini") & 0222, 0u);
    ASSERT_EQ(t.ui.trayCalls.size(), 2u);
    EXPECT_EQ(t.ui.trayCalls[1].first, Picture::None);
    EXPECT_TRUE(t.ui.messages.empty()) << "closing with no session asks nothing";
    EXPECT_TRUE(t.ui.saveRequests.empty());

    // Writes between runs are lost, and the next start opens at the last size.
    const std::string afterExit = readBytes(t.programDir / "setting.ini");
    t.writeSetting("软件设置", "状态栏", "隐藏");
    EXPECT_EQ(readBytes(t.programDir / "setting.ini"), afterExit);

    t.app = std::make_unique<App>(t.settings, t.ui, t.clock, t.files);
    wireMainWindow(*t.app);
    t.clock.time = {2015, 9, 2, 9, 0, 0};
    t.start();
    showWindow(t);
    EXPECT_FALSE(t.settings.attributes(kProgram).readOnly);
    EXPECT_EQ(t.view().width("MainWindow"), 1000);
    EXPECT_EQ(t.view().height("MainWindow"), 700);
    EXPECT_EQ(t.setting("软件设置", "最后一次登录"), "201592"_gb);
}

TEST(Startup, closingWithALoadedUnchangedDocumentAsksNothing)
{
    TestApp t;
    t.start();
    const fs::path document = t.programDir / "第一章.txt";
    // The document ends at its first zero byte.
    writeBytes(document, gb("第一章\r\n正文") + std::string("\0tail", 5));
    t.state().documentPath = document;
    t.view().setEnabled("编辑框1", true);
    t.view().setEnabled("章节名称", false);
    t.view().setEnabled("打开按钮", false);
    t.view().setText("编辑框1", "第一章\r\n正文"_gb);
    t.stop();
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.ui.saveRequests.empty());
    EXPECT_TRUE(t.settings.attributes(kProgram).readOnly);
}

// --- Bad input: the program starts and stops whatever setting.ini holds -------------------------

struct BadFile {
    const char* name;
    std::string bytes;
    int width;
    int height;
    friend void PrintTo(const BadFile& c, std::ostream* out) { *out << c.name; }
};

class StartupBadInput : public ::testing::TestWithParam<BadFile> {};

TEST_P(StartupBadInput, startsAppliesTheSizeAsReadAndStops)
{
    TestApp t;
    writeBytes(t.programDir / "setting.ini", GetParam().bytes);
    t.start();
    showWindow(t);
    // The model holds the size as read; making a window of it usable is the platform's part.
    EXPECT_EQ(t.view().width("MainWindow"), GetParam().width);
    EXPECT_EQ(t.view().height("MainWindow"), GetParam().height);
    EXPECT_EQ(t.setting("软件设置", "最后一次登录"), "201591"_gb);
    t.view().userResize(1119, 838);
    t.stop();
    EXPECT_TRUE(t.settings.attributes(kProgram).readOnly);
    EXPECT_EQ(t.setting("软件设置", "宽度"), "1119"_gb);
}

std::string hugeLine()
{
    std::string bytes = gb("[软件设置]\r\n高度=600\r\n宽度=");
    bytes += std::string(5 * 1024 * 1024, 'x');
    return bytes;
}

std::string binary()
{
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 131 + 7) % 256);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Startup, StartupBadInput,
    ::testing::Values(BadFile{"garbage", "this is not an ini file\r\n=\r\n[[[\r\n]]]=]\r\n", 0, 0},
                      BadFile{"binary", binary(), 0, 0}, BadFile{"empty", "", 0, 0},
                      BadFile{"hugeLine", hugeLine(), 0, 600},
                      BadFile{"zeroSize", gb("[软件设置]\r\n高度=0\r\n宽度=0\r\n"), 0, 0},
                      BadFile{"negativeSize", gb("[软件设置]\r\n高度=-5\r\n宽度=-300\r\n"), -300, -5},
                      BadFile{"billionSize", gb("[软件设置]\r\n高度=1000000000\r\n宽度=1000000000\r\n"), 1000000000,
                              1000000000},
                      BadFile{"beyond32Bits", gb("[软件设置]\r\n高度=-99999999999\r\n宽度=99999999999\r\n"), INT_MAX,
                              INT_MIN},
                      BadFile{"fullWidthDigits", gb("[软件设置]\r\n高度=６００\r\n宽度=８００px\r\n"), 800, 600}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, settingFileThatIsAFolderIsAFirstRunWhoseWritesAreLost)
{
    TestApp t;
    fs::create_directory(t.programDir / "setting.ini");
    t.start();
    showWindow(t);
    t.stop();
    EXPECT_EQ(t.view().width("MainWindow"), 1119);
    EXPECT_EQ(t.view().textColor("编辑框1"), 0x000000) << "the first-run colour could not be stored";
    EXPECT_TRUE(fs::is_directory(t.programDir / "setting.ini"));
}

} // namespace
} // namespace penlark::test
