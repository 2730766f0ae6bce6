#include "aids/name_generator.h"

#include "aids/place_name_generator.h"
#include "app/app.h"

namespace penlark {

namespace {

constexpr int kNamePage = 5;
constexpr std::int32_t kNamePoints = 15;

} // namespace

const GbText& surnameTable()
{
    return
        "赵钱孙李周吴郑王冯陈褚卫蒋沈韩杨朱秦尤许何吕施张孔曹严华金魏陶姜戚谢邹喻柏水窦章云苏潘葛奚范彭郎鲁韦昌"
        "马苗凤花方俞任袁柳酆鲍史唐费廉岑薛雷贺倪汤滕殷罗毕郝邬安常乐于时傅皮卞齐康伍余元卜顾孟平黄和穆萧尹姚邵"
        "湛汪祁毛禹狄米贝明臧计伏成戴谈宋茅庞熊纪舒屈项祝董梁杜阮蓝闵席季麻强贾路娄危江童颜郭梅盛林刁钟徐邱骆高"
        "夏蔡田樊胡凌霍虞万支柯昝管卢莫柯房裘缪干解应宗丁宣贲邓郁单杭洪包诸左石崔吉钮龚程嵇邢滑裴陆荣翁荀羊于惠"
        "甄曲家封芮羿储靳汲邴糜松井段富巫乌焦巴弓牧隗山谷车侯宓蓬全郗班仰秋仲伊宫宁仇栾暴甘钭历戎祖武符刘景詹束"
        "龙叶幸司韶郜黎蓟溥印宿白怀蒲邰从鄂索咸籍赖卓蔺屠蒙池乔阳郁胥能苍双闻莘党翟谭贡劳逄姬申扶堵冉宰郦雍却璩"
        "桑桂濮牛寿通边扈燕冀浦尚农温别庄晏柴瞿阎充慕连茹习宦艾鱼容向古易慎戈廖庾终暨居衡步都耿满弘匡国文寇广禄"
        "阙东欧殳沃利蔚越夔隆师巩厍聂晁勾敖融冷訾辛阚那简饶空曾毋沙乜养鞠须丰巢关蒯相查后荆红游竺权逮盍益桓公"_gb;
}

GbText randomCharacters(CounterRandom& random, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        // 256 - 38 = 0xDA and 256 - 80 = 0xB0: both bytes stay inside GB2312's hanzi rows.
        const int lead = 256 - random(38, 80);
        const int trail = 256 - random(38, 80);
        bytes += static_cast<char>(lead);
        bytes += static_cast<char>(trail);
    }
    return GbText::fromBytes(std::move(bytes));
}

GbText randomSurname(CounterRandom& random)
{
    int position = random(1, 814);
    if (position % 2 == 0) position = position == 814 ? 813 : position + 1;
    return surnameTable().substr(static_cast<std::size_t>(position - 1), 2);
}

GbText personName(CounterRandom& random, RandomInRange& count)
{
    GbText name = randomSurname(random);
    const int given = count(1, 2);
    return name + randomCharacters(random, given);
}

GbText personName(App& app) { return personName(app.counterRandom, app.randomInRange); }

bool nameGeneratorsUnlocked(App& app)
{
    if (app.state.pointsBalance >= kNamePoints) return true;
    app.ui.messageBox("您需要达到15积分才可以随机更换哦。"_gb, mb::Ok, "Penlark"_gb);
    return false;
}

void onChangeName(App& app)
{
    if (!nameGeneratorsUnlocked(app)) return;
    app.view.setText("编辑框4", personName(app));
}

void onCopyName(App& app)
{
    app.ui.setClipboardText(app.view.text("编辑框4"));
    app.ui.messageBox("复制成功"_gb, mb::Ok, "Penlark"_gb);
}

void onOpenNamePage(App& app) { app.view.setSelectedIndex("高级选择夹1", kNamePage); }

void renewGeneratedNames(App& app)
{
    if (app.state.pointsBalance < kNamePoints) return;
    app.view.setText("编辑框4", personName(app));
    app.view.setText("编辑框5", placeName(app));
}

void wireNameGenerators(App& app)
{
    MainView& view = app.view;
    auto run = [&app](void (*handler)(App&)) { return [&app, handler](Event&) { handler(app); }; };

    view.on("保存设置8", EventKind::Clicked, run(onChangeName));
    view.on("保存设置9", EventKind::Clicked, run(onCopyName));
    view.on("随机取名按钮", EventKind::Clicked, run(onOpenNamePage));
    view.on("保存设置13", EventKind::Clicked, run(onChangePlace));
    view.on("保存设置14", EventKind::Clicked, run(onCopyPlace));
    view.on("随即地名按钮", EventKind::Clicked, run(onOpenPlacePage));
}

} // namespace penlark
