#pragma once

#include "aids/random_sources.h"
#include "text/gb_text.h"

namespace penlark {

struct App;

// One to three random characters (the count drawn first) followed by the place kind.
GbText placeName(CounterRandom& random, RandomInRange& count, const GbText& kind);
// The same with the kind currently chosen in 组合框1; no kind chosen gives no suffix.
GbText placeName(App& app);

// "太奇葩了，换一个" on the place page: a new place into 编辑框5, from 15 points.
void onChangePlace(App& app);
// "就是TA了！": copies whatever 编辑框5 shows, at any balance.
void onCopyPlace(App& app);
// "打开随机地名" on page 2: shows the place page.
void onOpenPlacePage(App& app);

} // namespace penlark
