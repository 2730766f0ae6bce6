#include "app/day_stamp.h"
#include "app/settings_store.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

namespace penlark::test {
namespace {

namespace fs = std::filesystem;
constexpr auto kProgram = SettingsLocation::ProgramDirectory;
constexpr auto kWorking = SettingsLocation::WorkingDirectory;

// Code page 936 bytes of a UTF-8 source text, for file fixtures.
std::string gb(const char* utf8) { return GbText::fromUtf8(utf8).bytes(); }
GbText t(const char* utf8) { return GbText::fromUtf8(utf8); }

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
}

mode_t modeOf(const fs::path& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// Runs `body` in a child process and returns its exit code. `unprivileged` drops root to
// "nobody" first, since root writes through any permission bit; 77 means it could not.
int runInChild(const std::function<void()>& body, bool unprivileged = false)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Each test has a program directory and a separate working directory.
class SettingsStoreFiles : public ::testing::TestWithParam<SettingsLocation> {
protected:
    TempDir programDir;
    TempDir workingDir;
    WorkingDirectory cwd{workingDir.path()};
    SettingsStore store{programDir.path()};

    fs::path file() const { return store.pathOf(GetParam()); }
    std::string bytes() const { return readBytes(file()); }
    void write(const char* section, const char* key, const char* value)
    {
        store.writeValue(GetParam(), t(section), t(key), t(value));
    }
    GbText read(const char* section, const char* key) const { return store.readValue(GetParam(), t(section), t(key)); }
};

TEST_P(SettingsStoreFiles, pathIsSettingIniInItsOwnFolder)
{
    const fs::path folder = GetParam() == kProgram ? programDir.path() : workingDir.path();
    EXPECT_EQ(file(), folder / "setting.ini");
}

TEST_P(SettingsStoreFiles, writeCreatesTheFileAndKeepsSectionsInOrder)
{
    EXPECT_FALSE(store.exists(GetParam()));
    write("软件设置", "高度", "838");
    EXPECT_TRUE(store.exists(GetParam()));
    EXPECT_EQ(bytes(), gb("[软件设置]\r\n高度=838\r\n"));

    write("文本设置", "文本颜色", "白色");   // a new section goes at the end
    write("软件设置", "宽度", "1119");       // a new key at the end of its section
    write("软件设置", "高度", "600");        // an existing key in place
    EXPECT_EQ(bytes(), gb("[软件设置]\r\n高度=600\r\n宽度=1119\r\n[文本设置]\r\n文本颜色=白色\r\n"));
    EXPECT_EQ(read("软件设置", "高度"), "600"_gb);
    EXPECT_EQ(store.readNumber(GetParam(), "软件设置"_gb, "宽度"_gb), 1119);

    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(filesIn(file().parent_path()), std::vector<std::string>{"setting.ini"});
}

TEST_P(SettingsStoreFiles, keyIsAppendedAfterTheLastLineOfItsSectionNotAfterTheBlankLines)
{
    writeBytes(file(), gb("[软件设置]\r\n高度=838\r\n\r\n[日记]\r\n最后一次日记=201591\r\n"));
    write("软件设置", "状态栏", "隐藏");
    EXPECT_EQ(bytes(), gb("[软件设置]\r\n高度=838\r\n状态栏=隐藏\r\n\r\n[日记]\r\n最后一次日记=201591\r\n"));
}

TEST_P(SettingsStoreFiles, missingFileSectionOrKeyReadsEmptyAndZero)
{
    EXPECT_EQ(read("软件设置", "高度"), GbText());
    EXPECT_EQ(store.readNumber(GetParam(), "软件设置"_gb, "高度"_gb), 0);
    write("软件设置", "高度", "838");
    EXPECT_EQ(read("软件设置", "宽度"), GbText());
    EXPECT_EQ(read("文本设置", "高度"), GbText());
    EXPECT_FALSE(fs::exists(store.pathOf(GetParam() == kProgram ? kWorking : kProgram)))
        << "a write reaches only its own file";
}

INSTANTIATE_TEST_SUITE_P(BothLocations, SettingsStoreFiles, ::testing::Values(kProgram, kWorking),
                         [](const auto& info) { return info.param == kProgram ? "Program" : "Working"; });

// --- Files a person edited ---------------------------------------------------------------------

struct HandEdited {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    const char* expected;
    friend void PrintTo(const HandEdited& c, std::ostream* out) { *out << c.name; }
};

class HandEditedFile : public ::testing::TestWithParam<HandEdited> {};

TEST_P(HandEditedFile, readsSensibly)
{
    TempDir dir;
    SettingsStore store(dir.path());
    writeBytes(dir / "setting.ini", GetParam().file);
    EXPECT_EQ(store.readValue(kProgram, t(GetParam().section), t(GetParam().key)), t(GetParam().expected));
}

const std::string kEdited = gb("; written by hand\r\n"
                               "\r\n"
                               "[软件设置]\n"
                               "  高度 = 838  \n"
                               "\t宽度\t=\t1119\n"
                               "# 状态栏=显示\n"
                               "; 自动保存=真\n"
                               "\n"
                               "[ 文本设置 ]\r\n"
                               "文本颜色=白色\r\n"
                               "背景颜色=\r\n"
                               "PIN=1234\r\n"
                               "公式=a=b\r\n"
                               "文本颜色=黑色\r\n");

INSTANTIATE_TEST_SUITE_P(
    SettingsStore, HandEditedFile,
    ::testing::Values(HandEdited{"spacesAroundEquals", kEdited, "软件设置", "高度", "838"},
                      HandEdited{"tabsAndLfOnlyLines", kEdited, "软件设置", "宽度", "1119"},
                      HandEdited{"commentedKeyIsNoKey", kEdited, "软件设置", "状态栏", ""},
                      HandEdited{"semicolonComment", kEdited, "软件设置", "自动保存", ""},
                      HandEdited{"spacesInsideBrackets", kEdited, "文本设置", "背景颜色", ""},
                      HandEdited{"firstOfDuplicateKeys", kEdited, "文本设置", "文本颜色", "白色"},
                      HandEdited{"latinKeyIgnoresCase", kEdited, "文本设置", "pin", "1234"},
                      HandEdited{"equalsInsideValue", kEdited, "文本设置", "公式", "a=b"},
                      HandEdited{"utf8WithByteOrderMark", "\xEF\xBB\xBF[软件设置]\r\n状态栏=隐藏\r\n", "软件设置",
                                 "状态栏", "隐藏"},
                      HandEdited{"keyBeforeAnySection", gb("高度=5\r\n[软件设置]\r\n宽度=6\r\n"), "软件设置", "高度",
                                 ""},
                      HandEdited{"noFinalLineBreak", gb("[日记]\r\n最后一次日记=201591"), "日记", "最后一次日记",
                                 "201591"},
                      HandEdited{"unclosedSectionIsNoSection", gb("[软件设置\r\n高度=5\r\n"), "软件设置", "高度", ""},
                      HandEdited{"binaryBytes", std::string("\0\xFF\x80[\x01]=\n\xFE", 9) + gb("\n[pin]\npin=42\n"),
                                 "pin", "pin", "42"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsStore, writeIntoAHandEditedFileKeepsEverythingElse)
{
    TempDir dir;
    SettingsStore store(dir.path());
    writeBytes(dir / "setting.ini", kEdited);
    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "600"_gb);
    store.writeValue(kProgram, "文本设置"_gb, "文本颜色"_gb, "黑色"_gb);
    const std::string after = readBytes(dir / "setting.ini");
    EXPECT_NE(after.find(gb("; written by hand\r\n")), std::string::npos);
    EXPECT_NE(after.find(gb("# 状态栏=显示\r\n")), std::string::npos);
    EXPECT_NE(after.find(gb("高度=600\r\n\t宽度\t=\t1119\r\n")), std::string::npos);
    EXPECT_EQ(store.readValue(kProgram, "文本设置"_gb, "pin"_gb), "1234"_gb);
    EXPECT_EQ(store.readValue(kProgram, "文本设置"_gb, "文本颜色"_gb), "黑色"_gb);
    // The line ends are CR LF from then on.
    EXPECT_EQ(after.find("\r\r"), std::string::npos);
    for (std::size_t at = after.find('\n'); at != std::string::npos; at = after.find('\n', at + 1)) {
        ASSERT_GT(at, 0u);
        EXPECT_EQ(after[at - 1], '\r') << "at byte " << at;
    }
}

TEST(SettingsStore, byteOrderMarkFileIsRewrittenInCodePage936)
{
    TempDir dir;
    SettingsStore store(dir.path());
    writeBytes(dir / "setting.ini", "\xEF\xBB\xBF[软件设置]\r\n状态栏=隐藏\r\n");
    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
    EXPECT_EQ(readBytes(dir / "setting.ini"), gb("[软件设置]\r\n状态栏=隐藏\r\n高度=1\r\n"));
}

TEST(SettingsStore, everyValueTheProgramWritesReadsBackUnchanged)
{
    TempDir dir;
    SettingsStore store(dir.path());
    const std::vector<GbText> values = {
        "0"_gb,      "-1"_gb,        "838"_gb,      "16777215"_gb, textFromInt(INT_MIN), textFromInt(INT_MAX),
        "真"_gb,     "假"_gb,        "隐藏"_gb,     "显示"_gb,     "白色"_gb,            "黑色"_gb,
        "201591"_gb, "20151212"_gb,  "2015111"_gb,  "0123"_gb,     "-0"_gb,              GbText(),
        "007"_gb,    "12345678901234567890"_gb};
    for (const GbText& value : values) {
        store.writeValue(kProgram, "软件设置"_gb, "值"_gb, value);
        EXPECT_EQ(store.readValue(kProgram, "软件设置"_gb, "值"_gb), value);
    }
    for (std::int32_t number : {0, 1, -1, 838, 1119, 16777215, INT_MIN, INT_MAX}) {
        store.writeNumber(kProgram, "运行情况"_gb, "运行"_gb, number);
        EXPECT_EQ(store.readNumber(kProgram, "运行情况"_gb, "运行"_gb), number);
    }
}

TEST(SettingsStore, aLineBreakInAValueCannotSplitTheFile)
{
    TempDir dir;
    SettingsStore store(dir.path());
    store.writeValue(kProgram, "pin"_gb, "pin"_gb, GbText::fromBytes("12\r\n[软件设置]\r\n高度=1"));
    EXPECT_EQ(store.readValue(kProgram, "软件设置"_gb, "高度"_gb), GbText());
    EXPECT_EQ(store.readNumber(kProgram, "pin"_gb, "pin"_gb), 12);
}

// --- The working directory ----------------------------------------------------------------------

TEST(SettingsStore, workingDirectoryIsTakenAtEachCall)
{
    TempDir program;
    TempDir first;
    TempDir second;
    SettingsStore store(program.path());
    {
        WorkingDirectory cwd(first.path());
        store.writeNumber(kWorking, "运行情况"_gb, "运行"_gb, 15);
    }
    WorkingDirectory cwd(second.path());
    EXPECT_EQ(store.readNumber(kWorking, "运行情况"_gb, "运行"_gb), 0);
    store.writeNumber(kWorking, "运行情况"_gb, "运行"_gb, 88);
    EXPECT_EQ(readBytes(first / "setting.ini"), gb("[运行情况]\r\n运行=15\r\n"));
    EXPECT_EQ(readBytes(second / "setting.ini"), gb("[运行情况]\r\n运行=88\r\n"));
    EXPECT_FALSE(fs::exists(program / "setting.ini"));
}

// --- Failures: nothing is ever half written -------------------------------------------------------

class SettingsStoreFailures : public ::testing::Test {
protected:
    TempDir dir;
    SettingsStore store{dir.path()};
    const std::string original = gb("[软件设置]\r\n高度=838\r\n宽度=1119\r\n[运行情况]\r\n运行=500\r\n");

    void SetUp() override { writeBytes(dir / "setting.ini", original); }
    std::string contents() const { return readBytes(dir / "setting.ini"); }
};

TEST_F(SettingsStoreFailures, readOnlyFileIsReadButNotWritten)
{
    store.setAttributes(kProgram, {.readOnly = true, .hidden = true, .system = true});
    EXPECT_TRUE(store.attributes(kProgram).readOnly);
    EXPECT_EQ(modeOf(dir / "setting.ini") & 0222, 0u);

    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
    store.writeValue(kProgram, "新的"_gb, "键"_gb, "1"_gb);
    EXPECT_EQ(contents(), original);
    EXPECT_EQ(store.readNumber(kProgram, "运行情况"_gb, "运行"_gb), 500);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"setting.ini"});

    // Clearing the mark gives the owner write permission back.
    store.setAttributes(kProgram, {.readOnly = false, .hidden = true, .system = true});
    EXPECT_FALSE(store.attributes(kProgram).readOnly);
    EXPECT_NE(modeOf(dir / "setting.ini") & S_IWUSR, 0u);
    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
    EXPECT_EQ(store.readNumber(kProgram, "软件设置"_gb, "高度"_gb), 1);
}

TEST_F(SettingsStoreFailures, writeKeepsTheFilesPermissions)
{
    ::chmod((dir / "setting.ini").c_str(), 0640);
    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
    EXPECT_EQ(modeOf(dir / "setting.ini"), 0640u);
}

TEST_F(SettingsStoreFailures, attributesOfAMissingFileAreNoneAndSettingThemCreatesNothing)
{
    TempDir empty;
    SettingsStore none(empty.path());
    none.setAttributes(kProgram, {.readOnly = true});
    EXPECT_FALSE(fs::exists(empty / "setting.ini"));
    EXPECT_FALSE(none.attributes(kProgram).readOnly);
}

TEST_F(SettingsStoreFailures, folderThatCannotBeWrittenLeavesTheOldFileWhole)
{
    ::chmod(dir.path().c_str(), 0555);
    const int code = runInChild(
        [&] {
            store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
            store.writeValue(kProgram, "运行情况"_gb, "运行"_gb, "0"_gb);
        },
        true);
    ::chmod(dir.path().c_str(), 0755);
    if (code == 77) GTEST_SKIP() << "cannot drop root privileges to make a folder unwritable";
    EXPECT_EQ(code, 0) << "the write must fail quietly";
    EXPECT_EQ(contents(), original);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"setting.ini"});
}

TEST_F(SettingsStoreFailures, fullDiskLeavesTheOldFileWholeAndNoTemporaryFile)
{
    // A file size limit below the new contents stands in for a full disk.
    const std::string big(4096, '9');
    const int code = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{256, 256};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        store.writeValue(kProgram, "pin"_gb, "pin"_gb, GbText::fromBytes(big));
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(contents(), original);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"setting.ini"});
}

TEST_F(SettingsStoreFailures, fileThatCannotBeReadIsNotReplaced)
{
    // Writable but unreadable: writing it from what could be read (nothing) would lose the
    // balance and every setting.
    ::chmod(dir.path().c_str(), 0777);
    ::chmod((dir / "setting.ini").c_str(), 0222);
    const int code = runInChild([&] { store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb); }, true);
    ::chmod((dir / "setting.ini").c_str(), 0644);
    ::chmod(dir.path().c_str(), 0755);
    if (code == 77) GTEST_SKIP() << "cannot drop root privileges to make a file unreadable";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(contents(), original);
}

TEST(SettingsStore, folderInPlaceOfTheFileReadsEmptyAndTakesNoWrite)
{
    TempDir dir;
    fs::create_directory(dir / "setting.ini");
    SettingsStore store(dir.path());
    EXPECT_FALSE(store.exists(kProgram));
    EXPECT_EQ(store.readValue(kProgram, "软件设置"_gb, "高度"_gb), GbText());
    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
    EXPECT_TRUE(fs::is_directory(dir / "setting.ini"));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"setting.ini"});
}

TEST(SettingsStore, missingProgramFolderTakesNoWrite)
{
    TempDir dir;
    SettingsStore store(dir / "gone");
    store.writeValue(kProgram, "软件设置"_gb, "高度"_gb, "1"_gb);
    EXPECT_FALSE(fs::exists(dir / "gone"));
    EXPECT_EQ(store.readValue(kProgram, "软件设置"_gb, "高度"_gb), GbText());
}

TEST(SettingsStore, hugeSingleLineFileIsReadAndRewritten)
{
    TempDir dir;
    SettingsStore store(dir.path());
    std::string huge = gb("[软件设置]\r\n高度=");
    huge += std::string(5 * 1024 * 1024, '7');
    writeBytes(dir / "setting.ini", huge);
    EXPECT_EQ(store.readNumber(kProgram, "软件设置"_gb, "高度"_gb), INT_MAX);
    store.writeValue(kProgram, "软件设置"_gb, "宽度"_gb, "1119"_gb);
    EXPECT_EQ(store.readNumber(kProgram, "软件设置"_gb, "宽度"_gb), 1119);
    EXPECT_EQ(store.readValue(kProgram, "软件设置"_gb, "高度"_gb).size(), 5u * 1024 * 1024);
}

// --- DayStamp -----------------------------------------------------------------------------------

TEST(DayStamp, isYearMonthDayWithoutSeparatorsOrPadding)
{
    EXPECT_EQ(dayStamp({2015, 9, 1}), "201591"_gb);
    EXPECT_EQ(dayStamp({2015, 10, 10}), "20151010"_gb);
    EXPECT_EQ(dayStamp({2015, 12, 12}), "20151212"_gb);
    FixedClock clock;
    EXPECT_EQ(todayStamp(clock), "201591"_gb);
    clock.time = {2016, 2, 29, 23, 59, 59};
    EXPECT_EQ(todayStamp(clock), "2016229"_gb);
}

TEST(DayStamp, someDaysShareAStamp)
{
    EXPECT_EQ(dayStamp({2015, 1, 11}), "2015111"_gb);
    EXPECT_EQ(dayStamp({2015, 1, 11}), dayStamp({2015, 11, 1}));
    EXPECT_EQ(dayStamp({2015, 1, 12}), dayStamp({2015, 11, 2}));
    EXPECT_NE(dayStamp({2015, 1, 11}), dayStamp({2015, 1, 12}));
}

} // namespace
} // namespace penlark::test
