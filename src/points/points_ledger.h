#pragma once

#include "text/gb_text.h"

#include <cstdint>
#include <optional>

namespace penlark {

struct App;

// Rebuilds the task list on the settings panel, pays every achieved task that has not been
// paid (daily tasks once per day stamp, beginner tasks once ever) and sets the title.
void refreshTasks(App& app);

// Page change of the settings panel's tab control: showing the licence page completes the
// beginner task "查看一次许可协议".
void onSettingsPageChanged(App& app);

// "当前积分： " and the balance.
GbText balanceLabel(std::int32_t balance);

// The title for a balance; none below 0, where the label keeps what it shows.
std::optional<GbText> titleForBalance(std::int32_t balance);

void wirePointsLedger(App& app);

} // namespace penlark
