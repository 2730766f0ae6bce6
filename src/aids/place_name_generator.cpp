#include "aids/place_name_generator.h"

#include "aids/name_generator.h"
#include "app/app.h"

namespace penlark {

namespace {
constexpr int kPlacePage = 6;
}

GbText placeName(CounterRandom& random, RandomInRange& count, const GbText& kind)
{
    const int characters = count(1, 3);
    return randomCharacters(random, characters) + kind;
}

GbText placeName(App& app)
{
    return placeName(app.counterRandom, app.randomInRange, app.view.currentItemText("组合框1"));
}

void onChangePlace(App& app)
{
    if (!nameGeneratorsUnlocked(app)) return;
    app.view.setText("编辑框5", placeName(app));
}

void onCopyPlace(App& app)
{
    app.ui.setClipboardText(app.view.text("编辑框5"));
    app.ui.messageBox("复制成功"_gb, mb::Ok, "Penlark"_gb);
}

void onOpenPlacePage(App& app) { app.view.setSelectedIndex("高级选择夹1", kPlacePage); }

} // namespace penlark
