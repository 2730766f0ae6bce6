#include "test_app.h"
#include "writing/document_encoding.h"
#include "writing/document_opening.h"

#include <gtest/gtest.h>

namespace penlark::test {
namespace {

// The program started, with a document folder of its own.
struct Opening : ::testing::Test {
    TestApp t;
    TempDir docs;

    Opening() { t.start(); }

    std::filesystem::path document(const std::string& utf8Name, std::string_view bytes)
    {
        const std::filesystem::path path = docs / utf8Name;
        writeBytes(path, bytes);
        return path;
    }
    void drop(std::vector<std::filesystem::path> paths) { t.view().userDropFiles(std::move(paths)); }
    // Presses "立刻保存" and answers the overwrite question (and any that follow).
    void saveWith(std::initializer_list<int> answers)
    {
        for (const int a : answers) t.ui.answers.push_back(a);
        t.view().userClick("开始书写按钮");
    }
    bool inSession() { return !t.view().enabled("章节名称"); }
    std::string editorUtf8() { return t.view().text("编辑框1").toUtf8(); }
};

TEST(DocumentPaths, extensionAndTitleComeFromTheNativePath)
{
    struct Case {
        const char* path;
        const char* extension;
        const char* title;
    };
    const Case cases[] = {
        {"/home/w/第1章.草稿.txt", "txt", "第1章"},
        {"/home/w/日记.plk", "plk", "日记"},
        {"/home/w/录音.WAV", "WAV", "录音"},
        {"/home/w.d/无后缀", "d/无后缀", "无后缀"},
        {"/home/w/.txt", "txt", ""},
        // 0x5C, a backslash, is the second byte of 嘰 in code page 936: never a separator here.
        {"/home/w/嘰嘰.txt", "txt", "嘰嘰"},
        {"/home/w/back\\slash.txt", "txt", "back\\slash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fileExtension(c.path), c.extension);
        EXPECT_EQ(titleFromPath(c.path), GbText::fromUtf8(c.title));
    }
    // A name that is not UTF-8 (as old archives leave them) is read as code page 936.
    EXPECT_EQ(titleFromPath(std::filesystem::path("/home/w/\xB5\xDA" "1.txt")), "第1"_gb);
}

TEST(DocumentPaths, severalDroppedPathsAreJoinedWithCrLfAfterEach)
{
    EXPECT_EQ(droppedPathText({"/a/x.txt"}).native(), "/a/x.txt");
    EXPECT_EQ(droppedPathText({"/a/x.txt", "/b/y.wav"}).native(), "/a/x.txt\r\n/b/y.wav\r\n");
    EXPECT_EQ(fileExtension(droppedPathText({"/a/x.txt", "/b/y.txt"})), "txt\r\n");
}

TEST_F(Opening, droppedDocumentStartsSessionTitledBeforeFirstDot_andYesOverwritesIt)
{
    const std::string original = GbText::fromUtf8("第1章\r\n很久以前").bytes();
    const auto path = document("第1章.草稿.txt", original);
    drop({path});

    EXPECT_TRUE(inSession());
    EXPECT_EQ(t.view().text("章节名称"), "第1章"_gb);
    EXPECT_EQ(t.view().text("编辑框1").bytes(), original);
    EXPECT_TRUE(t.state().openedDocument);
    EXPECT_EQ(t.state().documentPath, path);
    EXPECT_TRUE(t.ui.messages.empty());

    t.view().userEditText("编辑框1", GbText::fromBytes(original) + "，有一座山"_gb);
    saveWith({answer::Yes});
    EXPECT_EQ(readBytes(path), (GbText::fromBytes(original) + "，有一座山"_gb).bytes());
    EXPECT_FALSE(inSession());
}

TEST_F(Opening, twoFilesDroppedTogetherAreRefusedAndNothingOpens)
{
    const auto a = document("a.txt", "a");
    const auto b = document("b.txt", "b");
    drop({a, b});
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"目前仅支持txt/plk文本和wav音频文件拖拽。"_gb});
    EXPECT_FALSE(inSession());
    EXPECT_TRUE(t.state().documentPath.empty());
    EXPECT_TRUE(t.state().openedDocument);
}

TEST_F(Opening, capitalExtensionsAreIgnoredByOpenAndRefusedOnDrop)
{
    const auto path = document("大写.TXT", "x");
    t.ui.dialogAnswers.push_back(path);
    t.view().userClick("打开按钮");
    EXPECT_FALSE(inSession());
    EXPECT_TRUE(t.ui.messages.empty());

    drop({path});
    EXPECT_FALSE(inSession());
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>{"目前仅支持txt/plk文本和wav音频文件拖拽。"_gb});
}

TEST_F(Opening, cancelledOpenDialogStillMarksADocumentOpened)
{
    t.view().userClick("打开按钮");
    ASSERT_EQ(t.ui.openRequests.size(), 1u);
    EXPECT_EQ(t.ui.openRequests[0].initialDirectory, t.programDir.path());
    EXPECT_EQ(t.ui.openRequests[0].filter, t.view().control("通用对话框1").filter);
    EXPECT_TRUE(t.state().openedDocument);
    EXPECT_FALSE(inSession());
}

TEST_F(Opening, plkMarkerIsWrittenOnlyWhenThePlkIsLoaded)
{
    const auto plk = document("笔记.plk", "plk text");
    t.view().setText("章节名称", "别的"_gb);
    t.view().userClick("开始书写按钮");  // a session is in progress
    ASSERT_TRUE(inSession());

    drop({plk});
    t.ui.dialogAnswers.push_back(plk);
    t.view().userClick("音乐相关1");  // the panel's button runs the open command even now
    EXPECT_EQ(t.ui.messageTexts(), std::vector<GbText>(2, "正在编辑文本呢，一心不能二用哦，赶紧保存再试吧"_gb));
    EXPECT_EQ(t.view().text("章节名称"), "别的"_gb);
    EXPECT_EQ(t.setting("软件设置", "plk使用"), GbText());
}

TEST_F(Opening, openedPlkWritesTodaysMarker)
{
    const auto plk = document("笔记.plk", "plk text");
    t.ui.dialogAnswers.push_back(plk);
    t.view().userClick("打开按钮");
    EXPECT_TRUE(inSession());
    EXPECT_EQ(t.view().text("编辑框1"), GbText::fromBytes("plk text"));
    EXPECT_EQ(t.setting("软件设置", "plk使用"), "201591"_gb);
}

TEST_F(Opening, missingFileOpensAsAnEmptyDocument)
{
    drop({docs / "不存在.txt"});
    EXPECT_TRUE(inSession());
    EXPECT_EQ(t.view().text("章节名称"), "不存在"_gb);
    EXPECT_TRUE(t.view().text("编辑框1").empty());
}

TEST_F(Opening, droppedWavPlaysAndLeavesTheSessionAlone)
{
    t.view().setText("章节名称", "正在写"_gb);
    t.view().userClick("开始书写按钮");
    const GbText text = t.view().text("编辑框1");
    t.state().openedDocument = false;

    drop({document("歌.wav", "not really a wav")});
    EXPECT_TRUE(t.view().visible("wav播放器"));
    EXPECT_EQ(t.view().text("wav地址"), "歌"_gb);
    EXPECT_EQ(t.state().wavPlayerState, 1);
    EXPECT_TRUE(t.state().openedDocument);
    EXPECT_TRUE(inSession());
    EXPECT_EQ(t.view().text("编辑框1"), text);
}

// Opening shows each document's text; saving it back with Yes, unchanged, gives the very same
// bytes, in its own encoding and with its own mark.
struct EncodingCase {
    const char* name;
    std::string bytes;
    const char* shownUtf8;
    DocumentEncoding encoding;
};

std::string utf16(const std::u16string& text, bool little)
{
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t u : text) {
        out.push_back(static_cast<char>(little ? (u & 0xFF) : (u >> 8)));
        out.push_back(static_cast<char>(little ? (u >> 8) : (u & 0xFF)));
    }
    return out;
}

class EncodingRoundTrip : public Opening, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(EncodingRoundTrip, opensShowingTheTextAndSavesBackTheSameBytes)
{
    const EncodingCase& c = GetParam();
    const auto path = document("文档.txt", c.bytes);
    drop({path});
    EXPECT_EQ(t.state().documentEncoding, c.encoding);
    EXPECT_EQ(editorUtf8(), c.shownUtf8);

    saveWith({answer::Yes});
    EXPECT_FALSE(inSession());
    EXPECT_EQ(readBytes(path), c.bytes);
}

TEST_P(EncodingRoundTrip, editedTextIsWrittenInTheDocumentsOwnEncoding)
{
    const EncodingCase& c = GetParam();
    const auto path = document("文档.txt", c.bytes);
    drop({path});
    // As the editor hands back an edit: every line break CR LF.
    std::string edited = c.shownUtf8;
    std::string crlf;
    for (const char ch : edited) {
        if (ch == '\n' && (crlf.empty() || crlf.back() != '\r')) crlf += '\r';
        crlf += ch;
    }
    t.view().userEditText("编辑框1", GbText::fromUtf8(crlf + "\r\n新的一行𠀀"));
    saveWith({answer::Yes});

    const DecodedDocument reread = decodeDocument(readBytes(path));
    EXPECT_EQ(reread.encoding, c.encoding);
    const bool lf = decodeDocument(c.bytes).lineFeeds;
    EXPECT_EQ(reread.text.toUtf8(), std::string(c.shownUtf8) + (lf ? "\n" : "\r\n") + "新的一行𠀀");
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodingRoundTrip,
    ::testing::Values(
        EncodingCase{"CodePage936", GbText::fromUtf8("标题\r\n正文€").bytes(), "标题\r\n正文€", DocumentEncoding::CodePage936},
        EncodingCase{"CodePage936WithLf", GbText::fromUtf8("标题\n正文").bytes(), "标题\n正文", DocumentEncoding::CodePage936},
        EncodingCase{"Utf8", "标题\r\n正文 café 😀", "标题\r\n正文 café 😀", DocumentEncoding::Utf8},
        EncodingCase{"Utf8WithLf", "第一行\n第二行\n", "第一行\n第二行\n", DocumentEncoding::Utf8},
        EncodingCase{"Utf8WithMark", "\xEF\xBB\xBF标题\r\n正文", "标题\r\n正文", DocumentEncoding::Utf8WithMark},
        EncodingCase{"Utf8WithMarkAscii", "\xEF\xBB\xBFplain", "plain", DocumentEncoding::Utf8WithMark},
        EncodingCase{"Utf16Le", utf16(u"标题\r\n正文 😀", true), "标题\r\n正文 😀", DocumentEncoding::Utf16LeWithMark},
        EncodingCase{"Utf16Be", utf16(u"标题\n正文", false), "标题\n正文", DocumentEncoding::Utf16BeWithMark}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

TEST_F(Opening, documentNotShownWholeAsksBeforeItIsReplaced)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* shownUtf8;
    };
    const Case cases[] = {
        {"zero byte", std::string("前\0后", 7), nullptr},
        {"utf16 without mark", std::string("a\0b\0", 4), "a"},
        {"invalid in every encoding", "ok\x81\x20", nullptr},
        {"utf16 with an unpaired surrogate", std::string("\xFF\xFE\x00\xD8\x41\x00", 6), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = document("坏.txt", c.bytes);
        drop({path});
        ASSERT_TRUE(inSession());
        EXPECT_EQ(t.state().documentEncoding, DocumentEncoding::Unrecognised);
        if (c.shownUtf8 != nullptr) {
            EXPECT_EQ(editorUtf8(), c.shownUtf8);
        }
        const GbText shown = t.view().text("编辑框1");

        // Yes to overwrite, then No to the warning: nothing written, the session goes on.
        t.ui.messages.clear();
        saveWith({answer::Yes, answer::No});
        ASSERT_EQ(t.ui.messages.size(), 2u);
        EXPECT_NE(t.ui.messages[1].buttonsAndIcon & mb::YesNo, 0);
        EXPECT_EQ(readBytes(path), c.bytes);
        EXPECT_TRUE(inSession());

        // Yes to both: the shown text replaces the file, as any document's text would.
        saveWith({answer::Yes, answer::Yes});
        EXPECT_FALSE(inSession());
        EXPECT_EQ(readBytes(path), shown.bytes());
        t.ui.messages.clear();
    }
}

TEST_F(Opening, fileTextIsWhatTheEditorShowsForEveryEncoding)
{
    const auto utf16 = document("u.txt", std::string("\xFF\xFE\x2D\x4E", 4));  // 中
    EXPECT_EQ(documentFileText(*t.app, utf16), "中"_gb);
    const auto zero = document("z.txt", std::string("ab\0cd", 5));
    EXPECT_EQ(documentFileText(*t.app, zero), GbText::fromBytes("ab"));
    EXPECT_TRUE(documentFileText(*t.app, docs / "none.txt").empty());
}

TEST_F(Opening, zeroByteCutsTheTextShort)
{
    drop({document("零.txt", GbText::fromUtf8("前面").bytes() + std::string(1, '\0') + GbText::fromUtf8("后面").bytes())});
    EXPECT_EQ(editorUtf8(), "前面");
}

TEST(DocumentEncoding, strictUtf8)
{
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"\xE4\xB8\xAD", true},           // 中
        {"\xF0\x9F\x98\x80", true},       // an emoji
        {"\xF4\x8F\xBF\xBF", true},       // U+10FFFF
        {"\xC0\xAF", false},              // overlong "/"
        {"\xE0\x80\xAF", false},          // overlong "/"
        {"\xED\xA0\x80", false},          // a surrogate
        {"\xF4\x90\x80\x80", false},      // above U+10FFFF
        {"\xE4\xB8", false},              // cut short
        {"\xB5\xDA", false},              // code page 936 第
        {"\x80", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << ::testing::PrintToString(c.bytes);
}

// Every character a UTF-8 document can hold comes back unchanged through the editor's text,
// so a UTF-8 document never silently loses characters. The exception is a few private-use
// characters that code page 936 maps one way only (U+E7C7 becomes ḿ): a document holding one
// is not shown whole, and saving over it asks first.
TEST(DocumentEncoding, everyUnicodeCharacterSurvivesTheEditorsText)
{
    std::string all;
    auto append = [](std::string& out, char32_t c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    };
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || (c >= 0xE000 && c <= 0xF8FF)) continue;
        append(all, c);
    }
    const DecodedDocument decoded = decodeDocument(all);
    EXPECT_EQ(decoded.encoding, DocumentEncoding::Utf8);
    EXPECT_EQ(encodeDocument(decoded.text, decoded.encoding, decoded.lineFeeds), all);

    std::string privateUse = "标题";
    append(privateUse, 0xE7C7);
    EXPECT_EQ(decodeDocument(privateUse).encoding, DocumentEncoding::Unrecognised);
}

} // namespace
} // namespace penlark::test
