#pragma once

#include "audio/audio_services.h"
#include "text/gb_text.h"

#include <filesystem>

namespace penlark {

struct App;

// The hand-over from the open command: the panel `wav播放器` shown, the file opened and
// playing from the start, `wavPlayerState` 1, the label `wav地址` naming the file. A file
// that cannot be played says why in a message; the panel stays usable.
void playWavFile(App& app, const std::filesystem::path& path);

// "播放/暂停": playing pauses (state 2), paused resumes where it stopped (state 1), no file
// yet does nothing.
void togglePlayPause(App& app);

// "停止播放": stops and closes the file, hides the panel, resets the label. The state keeps
// its value.
void stopWav(App& app);

// The message for a playback failure; empty text for success.
GbText playbackFailureMessage(const AudioResult& result, const std::filesystem::path& path);

void wireWavPlayer(App& app);

} // namespace penlark
