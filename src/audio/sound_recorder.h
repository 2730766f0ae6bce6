#pragma once

#include "app/clock.h"
#include "text/gb_text.h"

namespace penlark {

struct App;

// The microphone picture `录音按钮`: the first press starts recording from the default input
// (recording picture, today's "录音" marker), the next stops it and offers to save it as a
// WAV file under a dated name in the program's directory.
void toggleRecording(App& app);

// The name the save dialog proposes: 2015年9月1日by：Penlark录音 for 1 September 2015.
GbText proposedRecordingName(const LocalDateTime& date);

void wireSoundRecorder(App& app);

} // namespace penlark
