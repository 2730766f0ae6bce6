#include "view/main_form.h"

#include "view/content.h"
#include "view/form_builder.h"

namespace penlark {

const GbText& welcomeText()
{
    return "\r\n\r\n\r\n将文件拖入本软件中可以快速打开\r\n畅享拖拽打开的快感和乐趣~\r\n支持txt/plk/wav\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
           "写小说：  在标题中输入章节数及名称点击开始书写按钮\r\n播放录音：将wav文件拖入或点击打开按钮选择wav文件\r\n"
           "写日记：  无需输入标题，直接点击写日记按钮\r\n记笔记：  在标题中输入课时等信息点击开始书写按钮\r\n"
           "录音：    点击录制声音按钮开始录音\r\n打开文本：拖拽文件放入软件内或者点击打开按钮\r\n\r\n\r\n"
           "Penlark，你身边的写作帮手\r\n"_gb;
}

namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kPanelGrey = 0xECECEC;

void flatButton(FormBuilder& form, const char* name, const char* parent, int page, int left, int top, int width,
                int height, const GbText& caption)
{
    Control& button = page < 0 ? form.add(ControlKind::FlatButton, name, parent, left, top, width, height)
                               : form.addOnPage(ControlKind::FlatButton, name, parent, page, left, top, width, height);
    button.caption = caption;
}

Control& label(FormBuilder& form, const char* name, const char* parent, int page, int left, int top, int width,
               int height, const GbText& text)
{
    Control& control = page < 0 ? form.add(ControlKind::Label, name, parent, left, top, width, height)
                                : form.addOnPage(ControlKind::Label, name, parent, page, left, top, width, height);
    control.text = text;
    return control;
}

Control& groupBox(FormBuilder& form, const char* name, const char* parent, int page, int left, int top, int width,
                  int height, const GbText& caption)
{
    Control& box = page < 0 ? form.add(ControlKind::GroupBox, name, parent, left, top, width, height)
                            : form.addOnPage(ControlKind::GroupBox, name, parent, page, left, top, width, height);
    box.text = caption;
    box.backColor = kWhite;
    box.textColor = kBlack;
    return box;
}

void toolbarAndEditor(FormBuilder& form)
{
    label(form, "章节名称提示", "", -1, 57, 8, 71, 32, "标题/题目："_gb).textColor = kWhite;

    Control& title = form.add(ControlKind::EditBox, "章节名称", "", 130, 12, 451, 24);
    title.border = false;
    title.textColor = kBlack;
    title.backColor = kPanelGrey;
    title.font = {"微软雅黑 Light", 12, true};

    flatButton(form, "打开按钮", "", -1, 5, 12, 48, 24, "打开"_gb);
    flatButton(form, "开始书写按钮", "", -1, 587, 12, 88, 24, "开始书写"_gb);
    flatButton(form, "写日记", "", -1, 681, 12, 97, 24, "写日记"_gb);

    form.add(ControlKind::PictureBox, "录音按钮", "", 783, 12, 24, 24).picture = Picture::Microphone;
    form.add(ControlKind::PictureBox, "设置按钮", "", 812, 12, 24, 24).picture = Picture::Tools;

    Control& editor = form.add(ControlKind::EditBox, "编辑框1", "", 2, 40, 1112, 743);
    editor.text = welcomeText();
    editor.multiLine = true;
    editor.verticalScrollBar = true;
    editor.border = false;
    editor.textColor = kWhite;
    editor.backColor = kBlack;
    editor.alignment = 1;
    editor.font = {"微软雅黑", 16, false};
    editor.ibeamCursor = true;
    editor.enabled = false;
}

void wavPlayerPanel(FormBuilder& form)
{
    Control& panel = groupBox(form, "wav播放器", "", -1, 686, 685, 408, 101, "wav播放控制面板"_gb);
    panel.backColor = kPanelGrey;
    panel.visible = false;
    flatButton(form, "音乐相关1", "wav播放器", -1, 24, 25, 88, 24, "打开wav文件"_gb);
    label(form, "wav地址", "wav播放器", -1, 141, 24, 232, 24, "wav文件未打开"_gb);
    flatButton(form, "音乐相关2", "wav播放器", -1, 72, 59, 88, 24, "播放/暂停"_gb);
    flatButton(form, "音乐相关3", "wav播放器", -1, 213, 59, 88, 24, "停止播放"_gb);
}

void settingsPage(FormBuilder& form)
{
    const char* tabs = "高级选择夹1";
    label(form, "版本号标签提示", tabs, 0, 16, 32, 56, 24, "版本号："_gb);
    label(form, "版本标签", tabs, 0, 69, 32, 507, 24, "版本"_gb);
    label(form, "下次更新时间", tabs, 0, 16, 56, 507, 24, "请在2015年10月1日后更新全新版本Penlark"_gb).textColor =
        0x0000FF;

    groupBox(form, "软件设置分组框", tabs, 0, 21, 88, 248, 104, "个性化"_gb);
    label(form, "软件主题颜色标签", "软件设置分组框", -1, 10, 16, 83, 24, "软件背景颜色："_gb);
    form.add(ControlKind::ColorPicker, "颜色", "软件设置分组框", 107, 17, 72, 24).selectedColor = 0;
    label(form, "文本颜色标签", "软件设置分组框", -1, 10, 44, 83, 24, "文本颜色："_gb);
    label(form, "当前颜色标签", "软件设置分组框", -1, 109, 44, 35, 24, "白色"_gb);
    flatButton(form, "更换颜色", "软件设置分组框", -1, 184, 42, 43, 24, "更换"_gb);
    label(form, "小提示内容标签1", "软件设置分组框", -1, 9, 70, 93, 24, "按钮颜色："_gb);
    Control& themes = form.add(ControlKind::ComboBox, "按钮类型", "软件设置分组框", 108, 72, 133, 20);
    themes.items = {"经典暗色系"_gb, "清爽夏日系（免积分）"_gb, "纯·午夜黑（88积分）"_gb, "纯·空灵白（88积分）"_gb,
                    "精简文字感（500积分）"_gb};
    themes.selectedIndex = 0;

    form.addOnPage(ControlKind::CheckBox, "自动保存", tabs, 0, 338, 91, 179, 24).text = "自动备份保存"_gb;
    form.addOnPage(ControlKind::CheckBox, "大字体", tabs, 0, 338, 124, 205, 24).text =
        "Penlark大字体模式（快捷键：F2）"_gb;
    flatButton(form, "添加时间", tabs, 0, 336, 159, 149, 24, "一键添加时间 F1/F5"_gb);
    flatButton(form, "添加时间1", tabs, 0, 336, 192, 109, 24, "查找文本 ctrl+F"_gb);
    flatButton(form, "添加时间2", tabs, 0, 450, 192, 109, 24, "替换文本 ctrl+H"_gb);
    flatButton(form, "放弃编辑", tabs, 0, 336, 226, 133, 24, "一键放弃编辑 F12"_gb);

    groupBox(form, "软件设置分组框1", tabs, 0, 22, 200, 248, 120, "软件设置"_gb);
    form.add(ControlKind::CheckBox, "状态栏选择", "软件设置分组框1", 8, 20, 87, 24).text = "隐藏状态栏"_gb;
    label(form, "小提示内容标签", "软件设置分组框1", -1, 10, 48, 93, 24, "小提示内容："_gb);
    Control& tips = form.add(ControlKind::ComboBox, "提示类型", "软件设置分组框1", 109, 50, 133, 20);
    tips.items = {"中国地理历史"_gb, "励志名言警句"_gb, "你我共同打造"_gb};
    tips.selectedIndex = 0;
    label(form, "固定任务栏标签", "软件设置分组框1", -1, 9, 88, 151, 24, "将Penlark顶固定在任务栏上："_gb);
    flatButton(form, "固定按钮", "软件设置分组框1", -1, 176, 89, 63, 24, "固定教程"_gb);
}

void countAndLauncherPages(FormBuilder& form)
{
    const char* tabs = "高级选择夹1";
    Control& counts = form.addOnPage(ControlKind::EditBox, "高级字数统计", tabs, 1, 8, 37, 576, 275);
    counts.multiLine = true;
    counts.readOnly = true;
    counts.border = false;
    counts.textColor = kBlack;
    counts.backColor = kWhite;
    counts.font = {"微软雅黑", 12, false};
    counts.text = "还没有开始书写呢"_gb;
    label(form, "数据参考标签", tabs, 1, 20, 309, 445, 24, "数据仅供参考"_gb);

    flatButton(form, "文件加密器按钮", tabs, 2, 16, 48, 97, 24, "打开文件加密器"_gb);
    label(form, "加密器标签", tabs, 2, 120, 48, 445, 24, "Penlark文件加密器，积分要求：0"_gb);
    flatButton(form, "高级字数统计按钮", tabs, 2, 16, 80, 97, 24, "打开高级字数统计"_gb);
    label(form, "高级字数标签", tabs, 2, 121, 80, 445, 24,
          "Penlark高级字数统计，可以分别统计汉字字母数字符号，积分要求：10"_gb);
    flatButton(form, "随机取名按钮", tabs, 2, 16, 112, 97, 24, "打开随机取名"_gb);
    label(form, "取名标签", tabs, 2, 121, 112, 445, 24, "Penlark取名功能，无数姓名库应有尽有，超赞！积分要求：15"_gb);
    flatButton(form, "随即地名按钮", tabs, 2, 16, 144, 97, 24, "打开随机地名"_gb);
    label(form, "地名标签", tabs, 2, 121, 144, 445, 24, "Penlark取名功能，无数地名库应有尽有，超赞！积分要求：15"_gb);

    groupBox(form, "网页功能分组框", tabs, 2, 29, 192, 536, 136, "网页功能"_gb);
    flatButton(form, "手写查字按钮", "网页功能分组框", -1, 24, 32, 97, 24, "手写查字"_gb);
    flatButton(form, "世界历史按钮", "网页功能分组框", -1, 128, 32, 97, 24, "世界历史"_gb);
    flatButton(form, "打开音乐电台按钮", "网页功能分组框", -1, 230, 32, 97, 24, "打开音乐电台"_gb);
    label(form, "透明标签14", "网页功能分组框", -1, 16, 80, 264, 24, "网页功能无需积分，只为给大家一些实用的网站"_gb);

    Control& licence = form.addOnPage(ControlKind::EditBox, "编辑框2", tabs, 3, 0, 25, 584, 311);
    licence.multiLine = true;
    licence.verticalScrollBar = true;
    licence.readOnly = true;
    licence.textColor = kBlack;
    licence.backColor = kWhite;
    licence.font.points = 10.5;
    licence.text = licenceText();

    label(form, "积分显示", tabs, 4, 8, 23, 280, 24, "积分"_gb);
    label(form, "称号显示", tabs, 4, 288, 24, 248, 24, "称号"_gb);
    flatButton(form, "称号说明按钮", tabs, 4, 536, 26, 48, 24, "说明"_gb);
    groupBox(form, "分组框1", tabs, 4, 1, 50, 592, 256, "任务列表"_gb);
    form.add(ControlKind::ListView, "超级列表框1", "分组框1", 1, 17, 585, 237).font.points = 12;
    flatButton(form, "刷新任务按钮", tabs, 4, 14, 308, 106, 24, "刷新任务"_gb);
}

void generatorPages(FormBuilder& form)
{
    const char* tabs = "高级选择夹1";
    label(form, "透明标签9", tabs, 5, 16, 56, 549, 32,
          "小说人物快速取名，可能会出现一大波奇葩的名字，但我相信多随机几次一定会有你想要的\r\n无数个姓名库，只为充满想象力的你"_gb)
        .wordWrap = true;
    label(form, "透明标签10", tabs, 5, 168, 112, 253, 24, "哇！一个超给力的名字！这个名字是："_gb);
    Control& name = form.addOnPage(ControlKind::EditBox, "编辑框4", tabs, 5, 180, 152, 224, 32);
    name.readOnly = true;
    name.sunken = true;
    name.text = "15积分开启本功能"_gb;
    flatButton(form, "保存设置8", tabs, 5, 160, 200, 109, 24, "太奇葩了，换一个"_gb);
    flatButton(form, "保存设置9", tabs, 5, 304, 200, 109, 24, "就是TA了！"_gb);
    label(form, "透明标签12", tabs, 5, 16, 288, 549, 32,
          "如果需要特定的姓氏，可以取代生成的姓名中的姓。\r\n为了照顾新人作者，Penlark对于随机取名功能仅15积分开放，真是太棒了！~"_gb)
        .wordWrap = true;

    label(form, "透明标签15", tabs, 6, 24, 56, 549, 16,
          "小说地点随机生成，这个名字怎么就起的这么奇葩呢？奇葩的名字给充满想象力的你"_gb);
    label(form, "透明标签16", tabs, 6, 168, 109, 253, 24, "哇！一个超给力的地名！这个地名是："_gb);
    Control& place = form.addOnPage(ControlKind::EditBox, "编辑框5", tabs, 6, 165, 150, 151, 32);
    place.readOnly = true;
    place.sunken = true;
    place.text = "15积分开启本功能"_gb;
    Control& kinds = form.addOnPage(ControlKind::ComboBox, "组合框1", tabs, 6, 325, 157, 72, 20);
    for (const char* kind : {"山", "海", "湖", "洞", "江", "河", "峰", "岭", "沟", "园", "口", "省", "市",
                             "区", "县", "乡", "村", "院", "小学", "中学", "大学", "学院", "次元", "界",
                             "系", "星", "草原", "沙漠", "森林", "雨林", "书院", "道馆", "武馆", "苑", "饭店",
                             "旅馆", "商场"}) {
        kinds.items.push_back(GbText::fromUtf8(kind));
    }
    kinds.selectedIndex = 0;
    flatButton(form, "保存设置13", tabs, 6, 160, 197, 109, 24, "太奇葩了，换一个"_gb);
    flatButton(form, "保存设置14", tabs, 6, 304, 197, 109, 24, "就是TA了！"_gb);
    label(form, "透明标签17", tabs, 6, 32, 280, 549, 32,
          "为了照顾新人作者，Penlark对于随机取名功能仅15积分开放，真是太棒了！~"_gb)
        .wordWrap = true;
}

void settingsPanel(FormBuilder& form)
{
    Control& panel = groupBox(form, "关于", "", -1, 272, 152, 592, 368, "关于Penlark"_gb);
    panel.visible = false;
    Control& tabs = form.add(ControlKind::TabControl, "高级选择夹1", "关于", 3, 0, 584, 336);
    tabs.items = {"功能设置"_gb, "字数统计"_gb, "扩展应用"_gb, "许可协议"_gb, "任务列表"_gb, "随机取名"_gb, "随机地名"_gb};
    tabs.selectedIndex = 0;
    settingsPage(form);
    countAndLauncherPages(form);
    generatorPages(form);
    flatButton(form, "联系作者按钮", "关于", -1, 279, 340, 97, 24, "联系开发者QQ"_gb);
    flatButton(form, "官方博客按钮", "关于", -1, 380, 340, 97, 24, "官方博客"_gb);
    flatButton(form, "保存设置", "关于", -1, 483, 340, 97, 24, "确定"_gb);
}

void statusAndStores(FormBuilder& form)
{
    Control& status = form.add(ControlKind::StatusBar, "状态条1", "", 0, 0, 0, 24);
    status.panels = {{140, true, "当前字数"_gb},
                     {160, true, "你已经连续书写"_gb},
                     {50, false, "Penlark小提示，你的思路也许从这里开始"_gb},
                     {-1, false, "Penlark"_gb}};

    struct TipStore {
        const char* name;
        int top;
        const GbText& text;
    };
    for (const TipStore& tips : {TipStore{"中国地理历史", 48, geographyHistoryTips()},
                                 TipStore{"励志名言警句", 120, inspirationalQuotes()}}) {
        Control& store = form.add(ControlKind::EditBox, tips.name, "", 944, tips.top, 104, 56);
        store.multiLine = true;
        store.visible = false;
        store.text = tips.text;
    }

    form.addComponent(ControlKind::Timer, "时钟1").interval = 7500;
    form.addComponent(ControlKind::Timer, "时钟2").interval = 1000;
    form.addComponent(ControlKind::OpenFileDialog, "通用对话框1").filter =
        "——下拉选择文件种类——|*.txt|\r\n文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|\r\n音乐文件（*.wav）|*.wav|"_gb;
    Control& saveText = form.addComponent(ControlKind::SaveFileDialog, "通用对话框2");
    saveText.filter = "文本文档（*.txt）|*.txt|\r\nPenlark文档（*.plk）|*.plk|"_gb;
    saveText.defaultExtension = "txt"_gb;
    Control& saveSound = form.addComponent(ControlKind::SaveFileDialog, "通用对话框3");
    saveSound.filter = "Penlark录音（*.wav）|*.wav|"_gb;
    saveSound.defaultExtension = "mp3"_gb;
    form.addComponent(ControlKind::DropTarget, "拖放对象1");
    form.addComponent(ControlKind::AudioPlayer, "媒体播放1");
    form.addComponent(ControlKind::AudioRecorder, "录音1");
}

void applyFlatButtonColours(Form& form)
{
    for (Control& control : form.controls) {
        if (control.kind != ControlKind::FlatButton) continue;
        if (control.name == "打开按钮") control.buttonColors = {kWhite, 0x0060C0, kWhite, 0x0080FF, kWhite, 0x0060C0};
        if (control.name == "开始书写按钮") control.buttonColors = {kWhite, 0xC06000, kWhite, 0xFF8800, kWhite, 0xC06000};
        if (control.name == "写日记") control.buttonColors = {kWhite, 0x800080, kWhite, 0xE03058, kWhite, 0x800080};
    }
}

void applyToolbarTooltips(Form& form)
{
    for (Control& control : form.controls) {
        if (control.name == "打开按钮") control.tooltip = "这是打开按钮，点击可以选择txt文本/wav音频/plk文本打开"_gb;
        if (control.name == "开始书写按钮") control.tooltip = "点击这个按钮可以开始书写和停止书写。"_gb;
        if (control.name == "写日记") control.tooltip = "写日记无需输入标题题目直接点击按钮即可"_gb;
    }
}

} // namespace

Form mainWindowForm()
{
    FormBuilder builder;
    Control& window = builder.window("MainWindow", "Penlark5—你的原创写作助手 v5.5 2015-九月版"_gb, 1119, 838);
    window.left = 50;
    window.top = 50;
    window.picture = Picture::ProgramIcon;
    toolbarAndEditor(builder);
    wavPlayerPanel(builder);
    settingsPanel(builder);
    statusAndStores(builder);
    Form form = builder.build();
    applyFlatButtonColours(form);
    applyToolbarTooltips(form);
    return form;
}

} // namespace penlark
