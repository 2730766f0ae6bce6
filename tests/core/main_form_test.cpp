#include "view/content.h"
#include "view/main_form.h"
#include "view/main_view.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace penlark {
namespace {

using K = ControlKind;
constexpr int kNoPage = -1;

// Every control of the main window with its kind, parent, page and geometry.
struct Placed {
    const char* name;
    ControlKind kind;
    const char* parent;
    int page;
    int left, top, width, height;
};

const Placed kPlaced[] = {
    {"章节名称提示", K::Label, "", kNoPage, 57, 8, 71, 32},
    {"章节名称", K::EditBox, "", kNoPage, 130, 12, 451, 24},
    {"打开按钮", K::FlatButton, "", kNoPage, 5, 12, 48, 24},
    {"开始书写按钮", K::FlatButton, "", kNoPage, 587, 12, 88, 24},
    {"写日记", K::FlatButton, "", kNoPage, 681, 12, 97, 24},
    {"录音按钮", K::PictureBox, "", kNoPage, 783, 12, 24, 24},
    {"设置按钮", K::PictureBox, "", kNoPage, 812, 12, 24, 24},
    {"编辑框1", K::EditBox, "", kNoPage, 2, 40, 1112, 743},
    {"wav播放器", K::GroupBox, "", kNoPage, 686, 685, 408, 101},
    {"关于", K::GroupBox, "", kNoPage, 272, 152, 592, 368},
    {"中国地理历史", K::EditBox, "", kNoPage, 944, 48, 104, 56},
    {"励志名言警句", K::EditBox, "", kNoPage, 944, 120, 104, 56},
    {"音乐相关1", K::FlatButton, "wav播放器", kNoPage, 24, 25, 88, 24},
    {"wav地址", K::Label, "wav播放器", kNoPage, 141, 24, 232, 24},
    {"音乐相关2", K::FlatButton, "wav播放器", kNoPage, 72, 59, 88, 24},
    {"音乐相关3", K::FlatButton, "wav播放器", kNoPage, 213, 59, 88, 24},
    {"高级选择夹1", K::TabControl, "关于", kNoPage, 3, 0, 584, 336},
    {"联系作者按钮", K::FlatButton, "关于", kNoPage, 279, 340, 97, 24},
    {"官方博客按钮", K::FlatButton, "关于", kNoPage, 380, 340, 97, 24},
    {"保存设置", K::FlatButton, "关于", kNoPage, 483, 340, 97, 24},
    // Page 0
    {"版本号标签提示", K::Label, "高级选择夹1", 0, 16, 32, 56, 24},
    {"版本标签", K::Label, "高级选择夹1", 0, 69, 32, 507, 24},
    {"下次更新时间", K::Label, "高级选择夹1", 0, 16, 56, 507, 24},
    {"软件设置分组框", K::GroupBox, "高级选择夹1", 0, 21, 88, 248, 104},
    {"自动保存", K::CheckBox, "高级选择夹1", 0, 338, 91, 179, 24},
    {"大字体", K::CheckBox, "高级选择夹1", 0, 338, 124, 205, 24},
    {"添加时间", K::FlatButton, "高级选择夹1", 0, 336, 159, 149, 24},
    {"添加时间1", K::FlatButton, "高级选择夹1", 0, 336, 192, 109, 24},
    {"添加时间2", K::FlatButton, "高级选择夹1", 0, 450, 192, 109, 24},
    {"放弃编辑", K::FlatButton, "高级选择夹1", 0, 336, 226, 133, 24},
    {"软件设置分组框1", K::GroupBox, "高级选择夹1", 0, 22, 200, 248, 120},
    {"软件主题颜色标签", K::Label, "软件设置分组框", kNoPage, 10, 16, 83, 24},
    {"颜色", K::ColorPicker, "软件设置分组框", kNoPage, 107, 17, 72, 24},
    {"文本颜色标签", K::Label, "软件设置分组框", kNoPage, 10, 44, 83, 24},
    {"当前颜色标签", K::Label, "软件设置分组框", kNoPage, 109, 44, 35, 24},
    {"更换颜色", K::FlatButton, "软件设置分组框", kNoPage, 184, 42, 43, 24},
    {"小提示内容标签1", K::Label, "软件设置分组框", kNoPage, 9, 70, 93, 24},
    {"按钮类型", K::ComboBox, "软件设置分组框", kNoPage, 108, 72, 133, 20},
    {"状态栏选择", K::CheckBox, "软件设置分组框1", kNoPage, 8, 20, 87, 24},
    {"小提示内容标签", K::Label, "软件设置分组框1", kNoPage, 10, 48, 93, 24},
    {"提示类型", K::ComboBox, "软件设置分组框1", kNoPage, 109, 50, 133, 20},
    {"固定任务栏标签", K::Label, "软件设置分组框1", kNoPage, 9, 88, 151, 24},
    {"固定按钮", K::FlatButton, "软件设置分组框1", kNoPage, 176, 89, 63, 24},
    // Page 1
    {"高级字数统计", K::EditBox, "高级选择夹1", 1, 8, 37, 576, 275},
    {"数据参考标签", K::Label, "高级选择夹1", 1, 20, 309, 445, 24},
    // Page 2
    {"文件加密器按钮", K::FlatButton, "高级选择夹1", 2, 16, 48, 97, 24},
    {"高级字数统计按钮", K::FlatButton, "高级选择夹1", 2, 16, 80, 97, 24},
    {"随机取名按钮", K::FlatButton, "高级选择夹1", 2, 16, 112, 97, 24},
    {"随即地名按钮", K::FlatButton, "高级选择夹1", 2, 16, 144, 97, 24},
    {"网页功能分组框", K::GroupBox, "高级选择夹1", 2, 29, 192, 536, 136},
    {"手写查字按钮", K::FlatButton, "网页功能分组框", kNoPage, 24, 32, 97, 24},
    {"世界历史按钮", K::FlatButton, "网页功能分组框", kNoPage, 128, 32, 97, 24},
    {"打开音乐电台按钮", K::FlatButton, "网页功能分组框", kNoPage, 230, 32, 97, 24},
    {"透明标签14", K::Label, "网页功能分组框", kNoPage, 16, 80, 264, 24},
    // Page 3
    {"编辑框2", K::EditBox, "高级选择夹1", 3, 0, 25, 584, 311},
    // Page 4
    {"积分显示", K::Label, "高级选择夹1", 4, 8, 23, 280, 24},
    {"称号显示", K::Label, "高级选择夹1", 4, 288, 24, 248, 24},
    {"称号说明按钮", K::FlatButton, "高级选择夹1", 4, 536, 26, 48, 24},
    {"分组框1", K::GroupBox, "高级选择夹1", 4, 1, 50, 592, 256},
    {"超级列表框1", K::ListView, "分组框1", kNoPage, 1, 17, 585, 237},
    {"刷新任务按钮", K::FlatButton, "高级选择夹1", 4, 14, 308, 106, 24},
    // Page 5
    {"透明标签9", K::Label, "高级选择夹1", 5, 16, 56, 549, 32},
    {"透明标签10", K::Label, "高级选择夹1", 5, 168, 112, 253, 24},
    {"编辑框4", K::EditBox, "高级选择夹1", 5, 180, 152, 224, 32},
    {"保存设置8", K::FlatButton, "高级选择夹1", 5, 160, 200, 109, 24},
    {"保存设置9", K::FlatButton, "高级选择夹1", 5, 304, 200, 109, 24},
    {"透明标签12", K::Label, "高级选择夹1", 5, 16, 288, 549, 32},
    // Page 6
    {"透明标签15", K::Label, "高级选择夹1", 6, 24, 56, 549, 16},
    {"透明标签16", K::Label, "高级选择夹1", 6, 168, 109, 253, 24},
    {"编辑框5", K::EditBox, "高级选择夹1", 6, 165, 150, 151, 32},
    {"组合框1", K::ComboBox, "高级选择夹1", 6, 325, 157, 72, 20},
    {"保存设置13", K::FlatButton, "高级选择夹1", 6, 160, 197, 109, 24},
    {"保存设置14", K::FlatButton, "高级选择夹1", 6, 304, 197, 109, 24},
    {"透明标签17", K::Label, "高级选择夹1", 6, 32, 280, 549, 32},
};

// The launcher labels of page 2 stand at 120 or 121; which one is no matter.
const char* const kLauncherLabels[] = {"加密器标签", "高级字数标签", "取名标签", "地名标签"};

struct Component {
    const char* name;
    ControlKind kind;
};

const Component kComponents[] = {{"时钟1", K::Timer},
                                 {"时钟2", K::Timer},
                                 {"通用对话框1", K::OpenFileDialog},
                                 {"通用对话框2", K::SaveFileDialog},
                                 {"通用对话框3", K::SaveFileDialog},
                                 {"拖放对象1", K::DropTarget},
                                 {"媒体播放1", K::AudioPlayer},
                                 {"录音1", K::AudioRecorder}};

class MainForm : public ::testing::Test {
protected:
    MainView view;
};

TEST_F(MainForm, holdsExactlyTheControlsOfTheMainWindow)
{
    std::set<std::string> expected = {"MainWindow", "状态条1"};
    for (const Placed& p : kPlaced) expected.insert(p.name);
    for (const char* label : kLauncherLabels) expected.insert(label);
    for (const Component& c : kComponents) expected.insert(c.name);
    ASSERT_EQ(expected.size(), 88u);

    std::set<std::string> actual;
    for (const Control& control : view.controls()) actual.insert(control.name);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(view.controls().size(), actual.size()) << "a name appears twice";
    EXPECT_EQ(view.window().name, "MainWindow");
}

TEST_F(MainForm, everyControlHasItsKindParentPageAndGeometry)
{
    for (const Placed& p : kPlaced) {
        SCOPED_TRACE(p.name);
        const Control& c = view.control(p.name);
        EXPECT_EQ(c.kind, p.kind);
        EXPECT_EQ(c.parent, p.parent);
        EXPECT_EQ(c.page, p.page);
        EXPECT_EQ(c.left, p.left);
        EXPECT_EQ(c.top, p.top);
        EXPECT_EQ(c.width, p.width);
        EXPECT_EQ(c.height, p.height);
    }
    for (const char* name : kLauncherLabels) {
        SCOPED_TRACE(name);
        const Control& c = view.control(name);
        EXPECT_EQ(c.kind, K::Label);
        EXPECT_EQ(c.parent, "高级选择夹1");
        EXPECT_EQ(c.page, 2);
        EXPECT_TRUE(c.left == 120 || c.left == 121) << c.left;
        EXPECT_EQ(c.width, 445);
        EXPECT_EQ(c.height, 24);
    }
    for (const Component& component : kComponents) EXPECT_EQ(view.control(component.name).kind, component.kind);

    const Control& window = view.window();
    EXPECT_EQ(window.kind, K::Window);
    EXPECT_EQ(window.left, 50);
    EXPECT_EQ(window.top, 50);
    EXPECT_EQ(window.width, 1119);
    EXPECT_EQ(window.height, 838);
    EXPECT_EQ(view.control("状态条1").kind, K::StatusBar);
    EXPECT_EQ(view.height("状态条1"), 24);
}

// Texts of labels, group boxes, check boxes and edit boxes; captions of flat buttons.
struct Shown {
    const char* name;
    const char* text;
};

TEST_F(MainForm, texts)
{
    const Shown texts[] = {
        {"MainWindow", "Penlark5—你的原创写作助手 v5.5 2015-九月版"},
        {"章节名称提示", "标题/题目："},
        {"章节名称", ""},
        {"wav播放器", "wav播放控制面板"},
        {"关于", "关于Penlark"},
        {"wav地址", "wav文件未打开"},
        {"版本号标签提示", "版本号："},
        {"版本标签", "版本"},
        {"下次更新时间", "请在2015年10月1日后更新全新版本Penlark"},
        {"软件设置分组框", "个性化"},
        {"自动保存", "自动备份保存"},
        {"大字体", "Penlark大字体模式（快捷键：F2）"},
        {"软件设置分组框1", "软件设置"},
        {"软件主题颜色标签", "软件背景颜色："},
        {"文本颜色标签", "文本颜色："},
        {"当前颜色标签", "白色"},
        {"小提示内容标签1", "按钮颜色："},
        {"状态栏选择", "隐藏状态栏"},
        {"小提示内容标签", "小提示内容："},
        {"固定任务栏标签", "将Penlark顶固定在任务栏上："},
        {"高级字数统计", "还没有开始书写呢"},
        {"数据参考标签", "数据仅供参考"},
        {"加密器标签", "Penlark文件加密器，积分要求：0"},
        {"高级字数标签", "Penlark高级字数统计，可以分别统计汉字字母数字符号，积分要求：10"},
        {"取名标签", "Penlark取名功能，无数姓名库应有尽有，超赞！积分要求：15"},
        {"地名标签", "Penlark取名功能，无数地名库应有尽有，超赞！积分要求：15"},
        {"网页功能分组框", "网页功能"},
        {"透明标签14", "网页功能无需积分，只为给大家一些实用的网站"},
        {"积分显示", "积分"},
        {"称号显示", "称号"},
        {"分组框1", "任务列表"},
        {"透明标签9", "小说人物快速取名，可能会出现一大波奇葩的名字，但我相信多随机几次一定会有你想要的\r\n"
                      "无数个姓名库，只为充满想象力的你"},
        {"透明标签10", "哇！一个超给力的名字！这个名字是："},
        {"编辑框4", "15积分开启本功能"},
        {"透明标签12", "如果需要特定的姓氏，可以取代生成的姓名中的姓。\r\n"
                       "为了照顾新人作者，Penlark对于随机取名功能仅15积分开放，真是太棒了！~"},
        {"透明标签15", "小说地点随机生成，这个名字怎么就起的这么奇葩呢？奇葩的名字给充满想象力的你"},
        {"透明标签16", "哇！一个超给力的地名！这个地名是："},
        {"编辑框5", "15积分开启本功能"},
        {"透明标签17", "为了照顾新人作者，Penlark对于随机取名功能仅15积分开放，真是太棒了！~"},
    };
    for (const Shown& s : texts) EXPECT_EQ(view.text(s.name), GbText::fromUtf8(s.text)) << s.name;

    const Shown captions[] = {
        {"打开按钮", "打开"},           {"开始书写按钮", "开始书写"},     {"写日记", "写日记"},
        {"音乐相关1", "打开wav文件"},   {"音乐相关2", "播放/暂停"},       {"音乐相关3", "停止播放"},
        {"联系作者按钮", "联系开发者QQ"}, {"官方博客按钮", "官方博客"},   {"保存设置", "确定"},
        {"更换颜色", "更换"},           {"添加时间", "一键添加时间 F1/F5"}, {"添加时间1", "查找文本 ctrl+F"},
        {"添加时间2", "替换文本 ctrl+H"}, {"放弃编辑", "一键放弃编辑 F12"}, {"固定按钮", "固定教程"},
        {"文件加密器按钮", "打开文件加密器"}, {"高级字数统计按钮", "打开高级字数统计"},
        {"随机取名按钮", "打开随机取名"}, {"随即地名按钮", "打开随机地名"}, {"手写查字按钮", "手写查字"},
        {"世界历史按钮", "世界历史"},     {"打开音乐电台按钮", "打开音乐电台"}, {"称号说明按钮", "说明"},
        {"刷新任务按钮", "刷新任务"},     {"保存设置8", "太奇葩了，换一个"}, {"保存设置9", "就是TA了！"},
        {"保存设置13", "太奇葩了，换一个"}, {"保存设置14", "就是TA了！"},
    };
    int flatButtons = 0;
    for (const Control& c : view.controls()) flatButtons += c.kind == K::FlatButton;
    EXPECT_EQ(flatButtons, static_cast<int>(std::size(captions)));
    for (const Shown& s : captions) {
        EXPECT_EQ(view.control(s.name).kind, K::FlatButton) << s.name;
        EXPECT_EQ(view.caption(s.name), GbText::fromUtf8(s.text)) << s.name;
    }
}

TEST_F(MainForm, itemsAndInitialChoices)
{
    const Control& themes = view.control("按钮类型");
    EXPECT_EQ(themes.items, (std::vector<GbText>{"经典暗色系"_gb, "清爽夏日系（免积分）"_gb, "纯·午夜黑（88积分）"_gb,
                                                 "纯·空灵白（88积分）"_gb, "精简文字感（500积分）"_gb}));
    EXPECT_EQ(view.control("提示类型").items,
              (std::vector<GbText>{"中国地理历史"_gb, "励志名言警句"_gb, "你我共同打造"_gb}));
    EXPECT_EQ(view.control("高级选择夹1").items,
              (std::vector<GbText>{"功能设置"_gb, "字数统计"_gb, "扩展应用"_gb, "许可协议"_gb, "任务列表"_gb,
                                   "随机取名"_gb, "随机地名"_gb}));
    std::vector<GbText> kinds;
    for (const char* kind : {"山", "海", "湖", "洞", "江", "河", "峰", "岭", "沟", "园", "口", "省", "市",
                             "区", "县", "乡", "村", "院", "小学", "中学", "大学", "学院", "次元", "界",
                             "系", "星", "草原", "沙漠", "森林", "雨林", "书院", "道馆", "武馆", "苑", "饭店",
                             "旅馆", "商场"}) {
        kinds.push_back(GbText::fromUtf8(kind));
    }
    EXPECT_EQ(view.control("组合框1").items, kinds);
    for (const char* name : {"按钮类型", "提示类型", "高级选择夹1", "组合框1"}) EXPECT_EQ(view.selectedIndex(name), 0) << name;
    EXPECT_TRUE(view.rows("超级列表框1").empty());
    EXPECT_FALSE(view.checked("自动保存"));
    EXPECT_FALSE(view.checked("大字体"));
    EXPECT_FALSE(view.checked("状态栏选择"));
    EXPECT_EQ(view.selectedColor("颜色"), 0);
    EXPECT_EQ(view.picture("录音按钮"), Picture::Microphone);
    EXPECT_EQ(view.picture("设置按钮"), Picture::Tools);
}

TEST_F(MainForm, onlyTheEditorIsDisabledAndOnlyThePanelsAndTipStoresAreHidden)
{
    const std::set<std::string> hidden = {"wav播放器", "关于", "中国地理历史", "励志名言警句"};
    for (const Control& c : view.controls()) {
        EXPECT_EQ(c.enabled, c.name != "编辑框1") << c.name;
        EXPECT_EQ(c.visible, !hidden.contains(c.name)) << c.name;
    }
}

TEST_F(MainForm, coloursFontsAndStyles)
{
    const Control& title = view.control("章节名称");
    EXPECT_EQ(title.textColor, 0x000000);
    EXPECT_EQ(title.backColor, 0xECECEC);
    EXPECT_FALSE(title.border);
    EXPECT_FALSE(title.multiLine);
    EXPECT_EQ(title.font.face, "微软雅黑 Light");
    EXPECT_EQ(title.font.points, 12);
    EXPECT_TRUE(title.font.light);

    const Control& editor = view.control("编辑框1");
    EXPECT_EQ(editor.textColor, 0xFFFFFF);
    EXPECT_EQ(editor.backColor, 0x000000);
    EXPECT_EQ(editor.alignment, 1);
    EXPECT_TRUE(editor.multiLine);
    EXPECT_TRUE(editor.verticalScrollBar);
    EXPECT_FALSE(editor.border);
    EXPECT_TRUE(editor.ibeamCursor);
    EXPECT_EQ(editor.font.face, "微软雅黑");
    EXPECT_EQ(editor.font.points, 16);

    const Control& counts = view.control("高级字数统计");
    EXPECT_TRUE(counts.multiLine && counts.readOnly);
    EXPECT_FALSE(counts.verticalScrollBar || counts.border);
    EXPECT_EQ(counts.font.points, 12);
    EXPECT_EQ(counts.backColor, 0xFFFFFF);

    const Control& licence = view.control("编辑框2");
    EXPECT_TRUE(licence.multiLine && licence.readOnly && licence.verticalScrollBar);
    EXPECT_EQ(licence.font.points, 10.5);
    for (const char* name : {"编辑框4", "编辑框5"}) {
        EXPECT_TRUE(view.control(name).readOnly && view.control(name).sunken) << name;
        EXPECT_FALSE(view.control(name).multiLine) << name;
    }
    EXPECT_EQ(view.control("超级列表框1").font.points, 12);
    EXPECT_EQ(view.control("章节名称提示").textColor, 0xFFFFFF);
    EXPECT_EQ(view.control("下次更新时间").textColor, 0x0000FF);
    EXPECT_TRUE(view.control("透明标签9").wordWrap);

    // Group boxes: black caption on white, the WAV panel on grey.
    for (const Control& c : view.controls()) {
        if (c.kind != K::GroupBox) continue;
        EXPECT_EQ(c.textColor, 0x000000) << c.name;
        EXPECT_EQ(c.backColor, c.name == "wav播放器" ? 0xECECEC : 0xFFFFFF) << c.name;
    }
    // Controls without a font of their own use the default GUI font.
    for (const char* name : {"版本标签", "保存设置", "自动保存", "按钮类型", "编辑框4", "积分显示"}) {
        EXPECT_EQ(view.control(name).font.face, "SimSun") << name;
        EXPECT_EQ(view.control(name).font.points, 9) << name;
    }
}

TEST_F(MainForm, flatButtonsAreWhiteOnOrangeExceptTheThreeToolbarButtonsWhichAloneHaveTooltips)
{
    for (const Control& c : view.controls()) {
        if (c.kind != K::FlatButton) {
            EXPECT_TRUE(c.tooltip.empty()) << c.name;
            continue;
        }
        SCOPED_TRACE(c.name);
        const ButtonColors& colours = c.buttonColors;
        EXPECT_EQ(colours.normalText, 0xFFFFFF);
        EXPECT_EQ(colours.hoverText, 0xFFFFFF);
        EXPECT_EQ(colours.focusText, 0xFFFFFF);
        if (c.name == "打开按钮") {
            EXPECT_EQ(colours.normalBack, 0x0060C0);
            EXPECT_EQ(colours.hoverBack, 0x0080FF);
            EXPECT_EQ(colours.focusBack, 0x0060C0);
            EXPECT_EQ(c.tooltip, "这是打开按钮，点击可以选择txt文本/wav音频/plk文本打开"_gb);
        } else if (c.name == "开始书写按钮") {
            EXPECT_EQ(colours.normalBack, 0xC06000);
            EXPECT_EQ(colours.hoverBack, 0xFF8800);
            EXPECT_EQ(colours.focusBack, 0xC06000);
            EXPECT_EQ(c.tooltip, "点击这个按钮可以开始书写和停止书写。"_gb);
        } else if (c.name == "写日记") {
            EXPECT_EQ(colours.normalBack, 0x800080);
            EXPECT_EQ(colours.hoverBack, 0xE03058);
            EXPECT_EQ(colours.focusBack, 0x800080);
            EXPECT_EQ(c.tooltip, "写日记无需输入标题题目直接点击按钮即可"_gb);
        } else {
            EXPECT_EQ(colours.normalBack, 0xFF8800);
            EXPECT_EQ(colours.hoverBack, 0xC06000);
            EXPECT_EQ(colours.focusBack, 0xFF8800);
            EXPECT_TRUE(c.tooltip.empty());
        }
    }
}

TEST_F(MainForm, statusBarTimersAndDialogs)
{
    const std::vector<StatusPanel>& panels = view.control("状态条1").panels;
    ASSERT_EQ(panels.size(), 4u);
    const StatusPanel expected[] = {{140, true, "当前字数"_gb},
                                    {160, true, "你已经连续书写"_gb},
                                    {50, false, "Penlark小提示，你的思路也许从这里开始"_gb},
                                    {-1, false, "Penlark"_gb}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(panels[i].width, expected[i].width) << i;
        EXPECT_EQ(panels[i].border, expected[i].border) << i;
        EXPECT_EQ(panels[i].text, expected[i].text) << i;
    }
    EXPECT_EQ(view.interval("时钟1"), 7500);
    EXPECT_EQ(view.interval("时钟2"), 1000);

    EXPECT_EQ(view.control("通用对话框1").filter,
              "——下拉选择文件种类——|*.txt|\r\n文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|\r\n音乐文件（*.wav）|*.wav|"_gb);
    EXPECT_EQ(view.control("通用对话框2").filter, "文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|"_gb);
    EXPECT_EQ(view.control("通用对话框2").defaultExtension, "txt"_gb);
    EXPECT_EQ(view.control("通用对话框3").filter, "Penlark录音（*.wav）|*.wav|"_gb);
    EXPECT_EQ(view.control("通用对话框3").defaultExtension, "mp3"_gb);
}

// --- The texts the window is built with ---------------------------------------------------------

std::vector<std::string> linesOf(const GbText& text)
{
    std::vector<std::string> lines;
    const std::string& bytes = text.bytes();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

// "N、" at the start of a line.
bool numbered(const std::string& line)
{
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    return digits > 0 && line.compare(digits, 2, "、"_gb.bytes()) == 0;
}

// Every line break is CR LF, there is no lone CR or LF, and the text ends without one.
void expectCrLfLines(const GbText& text)
{
    const std::string& bytes = text.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
        }
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
        }
    }
    EXPECT_FALSE(text.endsWith("\r\n"_gb));
    EXPECT_EQ(text.bytes().find('?'), std::string::npos) << "a character was lost in conversion";
}

TEST(MainFormContent, welcomeTextIsExactlyAsGiven)
{
    MainView view;
    const GbText expected = GbText::fromUtf8(
        "\r\n\r\n\r\n将文件拖入本软件中可以快速打开\r\n畅享拖拽打开的快感和乐趣~\r\n支持txt/plk/wav\r\n"
        "\r\n\r\n\r\n\r\n\r\n\r\n"
        "写小说：  在标题中输入章节数及名称点击开始书写按钮\r\n"
        "播放录音：将wav文件拖入或点击打开按钮选择wav文件\r\n"
        "写日记：  无需输入标题，直接点击写日记按钮\r\n"
        "记笔记：  在标题中输入课时等信息点击开始书写按钮\r\n"
        "录音：    点击录制声音按钮开始录音\r\n"
        "打开文本：拖拽文件放入软件内或者点击打开按钮\r\n"
        "\r\n\r\nPenlark，你身边的写作帮手\r\n");
    EXPECT_EQ(view.text("编辑框1"), expected);
    EXPECT_EQ(welcomeText(), expected);
    // These characters take 403 bytes in code page 936 (a count of 402 is one short).
    EXPECT_EQ(welcomeText().size(), 403u);
}

TEST(MainFormContent, geographyTipsAreNumberedLinesButTwoContinuations)
{
    MainView view;
    const GbText& tips = view.text("中国地理历史");
    EXPECT_EQ(tips, geographyHistoryTips());
    expectCrLfLines(tips);
    const std::vector<std::string> lines = linesOf(tips);
    ASSERT_GT(lines.size(), 20u);
    EXPECT_TRUE(numbered(lines.front()));
    EXPECT_TRUE(lines.front().starts_with("1、"_gb.bytes()));
    int continuations = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_FALSE(lines[i].empty()) << "line " << i;
        if (!numbered(lines[i])) {
            ++continuations;
            EXPECT_GT(i, 0u) << "the first line continues nothing";
        }
    }
    EXPECT_EQ(continuations, 2);
}

TEST(MainFormContent, everyQuotationEndsWithItsAuthor)
{
    MainView view;
    const GbText& quotes = view.text("励志名言警句");
    EXPECT_EQ(quotes, inspirationalQuotes());
    expectCrLfLines(quotes);
    const std::vector<std::string> lines = linesOf(quotes);
    ASSERT_GT(lines.size(), 20u);
    EXPECT_TRUE(lines.front().starts_with("1、"_gb.bytes()));
    int unnumbered = 0;
    const std::string dash = "——"_gb.bytes();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t at = lines[i].rfind(dash);
        ASSERT_NE(at, std::string::npos) << "line " << i << ": " << GbText::fromBytes(lines[i]);
        EXPECT_GT(at, 0u) << "line " << i;
        EXPECT_GE(lines[i].size() - at - dash.size(), 2u) << "line " << i << " names no author";
        unnumbered += !numbered(lines[i]);
    }
    EXPECT_LT(unnumbered, static_cast<int>(lines.size()) / 4);
}

TEST(MainFormContent, licencePageIsOurOwnOfTheGivenForm)
{
    MainView view;
    const GbText& licence = view.text("编辑框2");
    EXPECT_EQ(licence, licenceText());
    const std::string& bytes = licence.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
        }
    }
    EXPECT_TRUE(licence.startsWith("Penlark9月版"_gb));
    EXPECT_TRUE(licence.endsWith("Penlark，做一个简单真实的原创写作助手。"_gb) ||
                licence.endsWith("Penlark，做一个简单真实的原创写作助手。\r\n"_gb));
    EXPECT_NE(licence.find("1.丰富 2.有趣 3.稳定 4.人性化 5.美观"_gb), GbText::npos);
    EXPECT_GT(linesOf(licence).size(), 20u);
}

TEST(MainFormContent, tipStoresAreHiddenMultiLineAndNothingWritesThemAtBuild)
{
    MainView view;
    for (const char* name : {"中国地理历史", "励志名言警句"}) {
        const Control& store = view.control(name);
        EXPECT_FALSE(store.visible) << name;
        EXPECT_TRUE(store.multiLine) << name;
    }
    // Two views share the same texts: the collections are fixed for the run.
    MainView other;
    EXPECT_EQ(other.text("中国地理历史"), view.text("中国地理历史"));
}

} // namespace
} // namespace penlark
