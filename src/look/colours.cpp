#include "look/colours.h"

#include "app/app.h"

#include <array>

namespace penlark {

namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kSummerBackground = 0xFFFF00;

// The title box and the three toolbar buttons, as one theme colours them.
struct Theme {
    Color titleBack;
    Color titleText;
    std::array<ButtonColors, 3> buttons;  // 打开按钮, 开始书写按钮, 写日记
};

constexpr ButtonColors flat(Color text, Color normal, Color hover, Color focus)
{
    return {text, normal, text, hover, text, focus};
}

constexpr ButtonColors solid(Color text, Color back) { return flat(text, back, back, back); }

constexpr std::array<Theme, 4> kFixedThemes = {{
    // 经典暗色系
    {0xECECEC, kBlack,
     {flat(kWhite, 0x0060C0, 0x000080, 0x0060C0), flat(kWhite, 0xC06000, 0xFF8800, 0xC06000),
      flat(kWhite, 0x800080, 0xE03058, 0x800080)}},
    // 清爽夏日系（免积分）
    {0xFFFF00, kBlack,
     {flat(kWhite, 0xFF8080, 0xFF8800, 0xFF8080), flat(kWhite, 0xFFA8FF, 0xC080FF, 0xFFA8FF),
      flat(kWhite, 0xFF00FF, 0x0000FF, 0xFF00FF)}},
    // 纯·午夜黑（88积分）
    {kBlack, kWhite, {solid(kWhite, kBlack), solid(kWhite, kBlack), solid(kWhite, kBlack)}},
    // 纯·空灵白（88积分）
    {kWhite, kBlack, {solid(kBlack, kWhite), solid(kBlack, kWhite), solid(kBlack, kWhite)}},
}};

constexpr int kTextTheme = 4;  // 精简文字感（500积分）: blends into the editor as it is now
constexpr std::array<const char*, 3> kToolbarButtons = {"打开按钮", "开始书写按钮", "写日记"};

void refuseTheme(App& app, const GbText& message)
{
    app.ui.messageBox(message, mb::Ok, "Penlark"_gb);
    app.view.setSelectedIndex("按钮类型", 0);
}

} // namespace

void applyBackground(App& app)
{
    const Color colour = app.view.selectedColor("颜色");
    app.view.setBackColor("MainWindow", colour);
    app.view.setBackColor("编辑框1", colour);
    applyTheme(app);
}

void applyTheme(App& app)
{
    MainView& view = app.view;
    const int index = view.selectedIndex("按钮类型");

    Theme theme{};
    if (index >= 0 && index < static_cast<int>(kFixedThemes.size())) {
        theme = kFixedThemes[static_cast<std::size_t>(index)];
    } else if (index == kTextTheme) {
        const Color back = view.backColor("编辑框1");
        const Color text = view.textColor("编辑框1");
        theme = {back, text, {solid(text, back), solid(text, back), solid(text, back)}};
    } else {
        return;  // no item chosen: the colours stay
    }

    view.setBackColor("章节名称", theme.titleBack);
    view.setTextColor("章节名称", theme.titleText);
    for (std::size_t i = 0; i < kToolbarButtons.size(); ++i) view.setButtonColors(kToolbarButtons[i], theme.buttons[i]);
}

void toggleTextColor(App& app)
{
    MainView& view = app.view;
    // Anything but "白色" counts as black, so it turns white.
    const bool toBlack = view.text("当前颜色标签") == "白色"_gb;
    const GbText& name = toBlack ? "黑色"_gb : "白色"_gb;
    const Color colour = toBlack ? kBlack : kWhite;

    view.setText("当前颜色标签", name);
    view.setTextColor("编辑框1", colour);
    view.setTextColor("章节名称提示", colour);
    app.settings.writeValue(SettingsLocation::ProgramDirectory, "文本设置"_gb, "文本颜色"_gb, name);
}

void onButtonThemeSelected(App& app)
{
    MainView& view = app.view;
    const std::int32_t balance = app.state.pointsBalance;
    auto index = [&view] { return view.selectedIndex("按钮类型"); };

    // Each gate reads the index again: a refusal resets it to 0 for the gates after it.
    if (index() == 4 && balance < 500) refuseTheme(app, "失败！本功能需要500积分"_gb);
    if (index() == 3 && balance < 88) refuseTheme(app, "失败！本功能需要88积分"_gb);
    if (index() == 2 && balance < 88) refuseTheme(app, "失败！本功能需要88积分"_gb);
    if (index() == 1 && app.ui.messageBox("是否使用推荐背景颜色？"_gb, mb::YesNo, "Penlark"_gb) == answer::Yes) {
        view.setSelectedColor("颜色", kSummerBackground);
        applyBackground(app);
    }
}

void wireColours(App& app)
{
    MainView& view = app.view;
    view.on("颜色", EventKind::ColorChanged, [&app](Event&) { applyBackground(app); });
    view.on("更换颜色", EventKind::Clicked, [&app](Event&) { toggleTextColor(app); });
    view.on("按钮类型", EventKind::ItemSelected, [&app](Event&) { onButtonThemeSelected(app); });
}

} // namespace penlark
