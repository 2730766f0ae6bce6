#pragma once

#include "app/clock.h"
#include "text/gb_text.h"

#include <cstdint>

namespace penlark {

struct App;
struct Event;

// "2015年9月1日 8：5：3": no zero padding, full-width colons, the hour 0 to 23.
GbText dateTimeStamp(const LocalDateTime& time);

// "你已经连续书写：hh:mm:ss", each field the last two digits of its value.
GbText writingClockText(std::int32_t hours, std::int32_t minutes, std::int32_t seconds);

// F1, F5 and "一键添加时间": puts the stamp in front of the caret or the selection.
void insertDateTime(App& app);
// F12 and "一键放弃编辑": after two confirmations, ends the session without writing any file.
void abandonSession(App& app);
// Key pressed in the editor: the shortcuts; a key it acts on goes no further.
void onEditorKey(App& app, Event& event);
// Key pressed in the title box: Enter starts (or saves) and moves to the editor.
void onTitleKey(App& app, Event& event);
// 时钟2, every second: counts writing time while a session is in progress.
void tickWritingClock(App& app);
// Click of "自动备份保存": says what the new state means; the panel's confirm stores it.
void onAutoBackupClicked(App& app);

void wireSessionCommands(App& app);

} // namespace penlark
