#pragma once

#include "app/clock.h"
#include "text/gb_text.h"

namespace penlark {

struct App;

// The diary button: with an empty title while idle, starts a session titled with today's
// date in the orange diary colours, with the tips stopped.
void enterDiaryMode(App& app);

// Restores the normal colours and tips after a diary and records the diary marker. Its
// callers give the title caption its text back and run confirmSettings where they need it.
void leaveDiaryMode(App& app);

// "2015年9月1日     by：Penlark日记" for 1 September 2015.
GbText diaryTitle(const LocalDateTime& date);

void wireDiaryMode(App& app);

} // namespace penlark
