#pragma once

#include "aids/random_sources.h"
#include "text/gb_text.h"

namespace penlark {

struct App;

// The 407 surnames, two bytes each, 814 bytes in all. Three surnames stand twice.
const GbText& surnameTable();

// `count` characters with both bytes in 0xB0..0xDA (GB2312 rows 16 to 58); empty below 1.
GbText randomCharacters(CounterRandom& random, int count);

// A draw of 1..814 rounded up to an odd byte position (814 to 813), so the first surname
// is half as likely and the last one and a half times as likely as the others.
GbText randomSurname(CounterRandom& random);

// A surname followed by one or two random characters: surname first, then the count from
// RandomInRange, then the characters.
GbText personName(CounterRandom& random, RandomInRange& count);
GbText personName(App& app);

// The name pages work from 15 points; below that this shows why and returns false.
bool nameGeneratorsUnlocked(App& app);

// "太奇葩了，换一个" on the name page: a new name into 编辑框4, from 15 points.
void onChangeName(App& app);
// "就是TA了！": copies whatever 编辑框4 shows, at any balance.
void onCopyName(App& app);
// "打开随机取名" on page 2: shows the name page.
void onOpenNamePage(App& app);

// Run by the settings picture on every press, before the panel opens or closes: from 15
// points a fresh person name and place name, without any message; below, nothing.
void renewGeneratedNames(App& app);

// Connects the buttons of both name pages and their launchers.
void wireNameGenerators(App& app);

} // namespace penlark
