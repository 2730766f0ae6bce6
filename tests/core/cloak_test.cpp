#include "cloak/cloak_window.h"
#include "cloak/folder_cloak.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace penlark::test {
namespace {

namespace fs = std::filesystem;

const std::string kSuffix = ".{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

GbText text(const fs::path& path) { return textFromPath(path); }

// A program with the folder tool open, over real temporary folders.
struct CloakTest : ::testing::Test {
    TestApp t;
    TempDir dir;

    void open() { t.view().userClick("文件加密器按钮"); }
    View& w() { return *t.app->cloakWindow; }
    GbText stored() const { return t.setting("pin", "pin"); }

    void choose(const std::optional<fs::path>& folder)
    {
        t.ui.folderAnswers.push_back(folder);
        w().userClick("选择文件夹");
    }

    fs::path folder(const std::string& name)
    {
        const fs::path path = dir / pathFromText(GbText::fromUtf8(name));
        fs::create_directories(path);
        writeBytes(path / "chapter.txt", "text");
        return path;
    }

    void expectButtons(bool cloak, bool restore)
    {
        EXPECT_EQ(w().enabled("加密文件夹"), cloak);
        EXPECT_EQ(w().enabled("恢复文件夹"), restore);
    }
};

TEST_F(CloakTest, opensFromItsFormUnlockedWithNothingChosen)
{
    open();
    ASSERT_TRUE(t.app->cloakWindow);
    ASSERT_EQ(t.ui.windowCalls.size(), 1u);
    EXPECT_EQ(t.ui.windowCalls[0].first, &w());
    EXPECT_EQ(w().window().text, "加密文件夹工具v1.1"_gb);
    EXPECT_EQ(w().window().width, 340);
    EXPECT_EQ(w().text("编辑框1"), " 请先选择文件夹……"_gb);
    EXPECT_EQ(w().text("编辑框2"), " 请先选择文件夹……"_gb);
    expectButtons(false, false);
    EXPECT_FALSE(w().visible("分组框2"));
    EXPECT_TRUE(w().control("编辑框4").integerInput);
    EXPECT_EQ(w().caption("恢复文件夹1"), "删除密码"_gb);
    // The lock panel is the last top-level control, so it lies above all the others.
    EXPECT_EQ(w().controls()[w().controls().size() - 3].name, "分组框2");
    EXPECT_EQ(w().control("编辑框3").parent, "分组框2");
}

struct FolderCase {
    const char* label;
    std::function<std::optional<fs::path>(CloakTest&)> choice;
    bool cloak;
    bool restore;
    const char* status;
};

TEST_F(CloakTest, checkFolderAppliesTheFirstRuleThatHolds)
{
    const FolderCase cases[] = {
        {"cancelled", [](CloakTest&) { return std::nullopt; }, false, false, " 请先选择文件夹！"},
        {"drive root", [](CloakTest&) { return fs::path("D:\\"); }, false, false, "不能选择驱动器……"},
        {"file-system root", [](CloakTest&) { return fs::path("/"); }, false, false, "不能选择驱动器……"},
        {"missing", [](CloakTest& c) { return c.dir / "missing"; }, false, false, " 文件夹为只读！不能进行操作……"},
        {"read-only",
         [](CloakTest& c) {
             const fs::path path = c.folder("locked" + kSuffix);
             fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                             fs::perm_options::remove);
             return path;
         },
         false, false, " 文件夹为只读！不能进行操作……"},
        {"cloaked", [](CloakTest& c) { return c.folder("notes" + kSuffix); }, false, true, " 该文件夹可以解密！"},
        {"lower-case suffix",
         [](CloakTest& c) { return c.folder("notes.{20d04fe0-3aea-1069-a2d8-08002b30309d}"); }, true, false,
         " 该文件夹可以加密！"},
        {"ordinary", [](CloakTest& c) { return c.folder("笔记"); }, true, false, " 该文件夹可以加密！"},
    };
    open();
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.label);
        choose(c.choice(*this));
        expectButtons(c.cloak, c.restore);
        EXPECT_EQ(w().text("编辑框2"), GbText::fromUtf8(c.status));
    }
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CloakTest, cloakAndRestoreRenameTheRealFolder)
{
    const fs::path parent = dir / pathFromText("稿件"_gb);
    fs::create_directories(parent);
    const fs::path notes = parent / "notes";
    fs::create_directories(notes);
    writeBytes(notes / "chapter.txt", "text");
    const fs::path cloaked = parent / ("notes" + kSuffix);
    const std::string explorer = "explorer.exe " + text(parent / "").toUtf8();

    open();
    choose(notes);
    w().userClick("加密文件夹");
    EXPECT_FALSE(fs::exists(notes));
    EXPECT_EQ(readBytes(cloaked / "chapter.txt"), "text");
    EXPECT_EQ(w().text("编辑框1"), text(cloaked));
    expectButtons(false, true);
    EXPECT_EQ(w().text("编辑框2"), " 该文件夹可以解密！"_gb);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, "程序已完成加密！\r\n请到文件夹所在目录查看！"_gb);
    EXPECT_EQ(t.ui.messages[0].buttonsAndIcon, mb::Ok | mb::IconInformation);
    EXPECT_EQ(t.ui.messages[0].title, "信息："_gb);
    ASSERT_EQ(t.ui.startedPrograms.size(), 1u);
    EXPECT_EQ(t.ui.startedPrograms[0], explorer);

    w().userClick("恢复文件夹");
    EXPECT_FALSE(fs::exists(cloaked));
    EXPECT_EQ(readBytes(notes / "chapter.txt"), "text");
    EXPECT_EQ(w().text("编辑框1"), text(notes));
    expectButtons(true, false);
    EXPECT_EQ(w().text("编辑框2"), " 该文件夹可以加密！"_gb);
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[1].text, "程序已完成恢复！\r\n请到文件夹所在目录查看！"_gb);
    EXPECT_EQ(t.ui.messages[1].title, "信息："_gb);
    ASSERT_EQ(t.ui.startedPrograms.size(), 2u);
    EXPECT_EQ(t.ui.startedPrograms[1], explorer);
}

TEST_F(CloakTest, restoreRemovesOnlyTheLastSuffix)
{
    const fs::path twice = folder("a" + kSuffix + kSuffix);
    open();
    choose(twice);
    w().userClick("恢复文件夹");
    const fs::path once = dir / ("a" + kSuffix);
    EXPECT_TRUE(fs::exists(once / "chapter.txt"));
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_EQ(w().text("编辑框1"), text(once));
    expectButtons(false, true);
}

TEST_F(CloakTest, actionsUseThePathBoxAsEditedByHand)
{
    const fs::path first = folder("first");
    const fs::path second = folder("second");
    open();
    choose(first);
    w().userEditText("编辑框1", text(second));
    w().userClick("加密文件夹");
    EXPECT_TRUE(fs::exists(first));
    EXPECT_TRUE(fs::exists(dir / ("second" + kSuffix)));
}

// A rename that cannot be done is no success: the folders, the path box and the buttons stay,
// no completion message shows and no folder window opens; the status says what failed.
struct FailureCase {
    const char* label;
    std::function<void(CloakTest&, const fs::path& folder)> arrange;
    const char* status;
};

TEST_F(CloakTest, failedCloakChangesNothingAndSaysWhy)
{
    const FailureCase cases[] = {
        {"empty folder of the new name",
         [](CloakTest&, const fs::path& f) { fs::create_directory(f.string() + kSuffix); },
         " 加密失败：已有同名的文件或文件夹"},
        {"file of the new name", [](CloakTest&, const fs::path& f) { writeBytes(f.string() + kSuffix, "x"); },
         " 加密失败：已有同名的文件或文件夹"},
        {"folder vanished", [](CloakTest&, const fs::path& f) { fs::remove_all(f); }, " 加密失败：文件夹不存在"},
    };
    open();
    int index = 0;
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.label);
        const fs::path f = folder("case" + std::to_string(index++));
        choose(f);
        c.arrange(*this, f);
        const bool existed = fs::exists(f);
        const std::string other = fs::is_regular_file(f.string() + kSuffix) ? readBytes(f.string() + kSuffix) : "";

        w().userClick("加密文件夹");
        EXPECT_EQ(w().text("编辑框1"), text(f));
        EXPECT_EQ(w().text("编辑框2"), GbText::fromUtf8(c.status));
        expectButtons(true, false);
        EXPECT_EQ(fs::exists(f), existed);
        if (existed) {
            EXPECT_EQ(readBytes(f / "chapter.txt"), "text");
        }
        const fs::path taken = f.string() + kSuffix;
        if (fs::is_regular_file(taken)) {
            EXPECT_EQ(readBytes(taken), other);
        } else if (fs::is_directory(taken)) {
            EXPECT_TRUE(fs::is_empty(taken));
        }
    }
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.ui.startedPrograms.empty());
}

TEST_F(CloakTest, failedRestoreChangesNothingAndSaysWhy)
{
    const fs::path cloaked = folder("notes" + kSuffix);
    const fs::path plain = folder("notes");
    open();
    choose(cloaked);
    w().userClick("恢复文件夹");
    EXPECT_EQ(w().text("编辑框2"), " 恢复失败：已有同名的文件或文件夹"_gb);
    EXPECT_EQ(w().text("编辑框1"), text(cloaked));
    EXPECT_TRUE(fs::exists(cloaked / "chapter.txt"));
    EXPECT_TRUE(fs::exists(plain / "chapter.txt"));

    // Edited by hand to a path without the suffix: nothing to take off.
    w().userEditText("编辑框1", text(plain));
    w().userClick("恢复文件夹");
    EXPECT_EQ(w().text("编辑框2"), " 恢复失败：路径中没有加密后缀"_gb);
    EXPECT_TRUE(fs::exists(plain));

    // Edited so the suffix names a folder higher up: taking it off would move the folder
    // into another one, which is no rename.
    fs::create_directories(cloaked / "inner");
    w().userEditText("编辑框1", text(cloaked / "inner"));
    w().userClick("恢复文件夹");
    EXPECT_EQ(w().text("编辑框2"), " 恢复失败：新名称不在原文件夹中"_gb);
    EXPECT_TRUE(fs::exists(cloaked / "inner"));
    EXPECT_FALSE(fs::exists(plain / "inner"));

    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.ui.startedPrograms.empty());
}

TEST_F(CloakTest, cloakWithATrailingSeparatorIsRefused)
{
    const fs::path notes = folder("notes");
    open();
    choose(notes);
    w().userEditText("编辑框1", text(notes) + "/"_gb);
    w().userClick("加密文件夹");
    EXPECT_EQ(w().text("编辑框2"), " 加密失败：新名称不在原文件夹中"_gb);
    EXPECT_TRUE(fs::exists(notes / "chapter.txt"));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CloakTest, failedCloakWithoutRightsChangesNothing)
{
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser may rename in any folder";
    const fs::path parent = dir / "shut";
    fs::create_directories(parent / "notes");
    open();
    choose(parent / "notes");
    fs::permissions(parent, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    w().userClick("加密文件夹");
    fs::permissions(parent, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(w().text("编辑框2"), " 加密失败：没有权限"_gb);
    EXPECT_TRUE(fs::exists(parent / "notes"));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(ParentFolderCommand, keepsTheTrailingSeparatorAndAddsNoQuotes)
{
    EXPECT_EQ(parentFolderCommand("/home/writer/my notes/稿件"_gb), "explorer.exe /home/writer/my notes/");
    EXPECT_EQ(parentFolderCommand("notes"_gb), "explorer.exe ");
    EXPECT_EQ(restoredPath("a.{20D04FE0-3AEA-1069-A2D8-08002B30309D}b"_gb), "ab"_gb);
    EXPECT_FALSE(restoredPath("a.{20d04fe0-3aea-1069-a2d8-08002b30309d}"_gb));
}

TEST_F(CloakTest, storedPasswordLocksUntilTypedExactly)
{
    t.writeSetting("pin", "pin", "2015");
    open();
    EXPECT_TRUE(w().visible("分组框2"));
    EXPECT_EQ(w().focused(), "编辑框3");

    // The controls beneath do nothing while the panel takes the input.
    const fs::path notes = folder("notes");
    t.ui.folderAnswers.push_back(notes);
    w().userClick("选择文件夹");
    EXPECT_EQ(t.ui.folderAnswers.size(), 1u);
    w().userClick("恢复文件夹1");
    w().userEditText("编辑框4", "1"_gb);
    EXPECT_EQ(stored(), "2015"_gb);

    for (const char* typed : {"2", "20", "201", "2016", "201"}) {
        w().userEditText("编辑框3", GbText::fromUtf8(typed));
        EXPECT_TRUE(w().visible("分组框2")) << typed;
    }
    w().userEditText("编辑框3", "2015"_gb);
    EXPECT_FALSE(w().visible("分组框2"));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(CloakTest, setPasswordStoresEachChangeAndNormalisesOnLeaving)
{
    open();
    w().userFocus("编辑框4");
    w().userEditText("编辑框4", "0012"_gb);
    EXPECT_EQ(stored(), "0012"_gb);
    w().userLeaveFocus("编辑框4");
    EXPECT_EQ(w().text("编辑框4"), "12"_gb);
    EXPECT_EQ(stored(), "12"_gb);

    const std::pair<const char*, const char*> cases[] = {
        {"-0012", "-12"}, {"-0", ""}, {"-", ""}, {"000", ""}, {"99999999999", "2147483647"},
        {"-99999999999", "-2147483648"}, {"12-3", "12"}};
    for (const auto& [typed, left] : cases) {
        w().userEditText("编辑框4", GbText::fromUtf8(typed));
        w().userLeaveFocus("编辑框4");
        EXPECT_EQ(w().text("编辑框4"), GbText::fromUtf8(left)) << typed;
        EXPECT_EQ(stored(), GbText::fromUtf8(left)) << typed;
    }
}

TEST_F(CloakTest, deletePasswordLeavesTheNextOpeningUnlocked)
{
    open();
    w().userEditText("编辑框4", "7"_gb);
    w().userClick("恢复文件夹1");
    EXPECT_EQ(w().text("编辑框4"), GbText());
    EXPECT_EQ(stored(), GbText());

    w().raise("CloakWindow", EventKind::CloseRequested);
    open();
    EXPECT_FALSE(w().visible("分组框2"));
}

TEST_F(CloakTest, closingDestroysAndTheNextOpeningStartsFromTheForm)
{
    const fs::path notes = folder("notes");
    open();
    View* first = &w();
    choose(notes);
    open();  // already open: only brought to the front
    EXPECT_EQ(&w(), first);
    EXPECT_EQ(w().text("编辑框1"), text(notes));

    w().userEditText("编辑框4", "5"_gb);
    w().raise("CloakWindow", EventKind::CloseRequested);
    ASSERT_EQ(t.ui.windowCalls.size(), 3u);
    EXPECT_FALSE(t.ui.windowCalls[2].second);

    open();
    EXPECT_EQ(w().text("编辑框1"), " 请先选择文件夹……"_gb);
    expectButtons(false, false);
    EXPECT_TRUE(w().visible("分组框2"));  // locked again by the stored password
}

} // namespace
} // namespace penlark::test
